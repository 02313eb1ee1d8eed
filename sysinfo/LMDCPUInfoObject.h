#pragma once
#include <cstdint>
#include <string>

#include "sysinfo/LMDCPUInfo.h"

// The identification of the processor the program runs on, taken once when the object is
// created and answered from then on. Only ExistCPUInfo asks the processor again.
class TLMDCPUInfoObject {
public:
    TLMDCPUInfoObject();
    TLMDCPUInfoObject(const TLMDCPUInfoObject&) = delete;
    TLMDCPUInfoObject& operator=(const TLMDCPUInfoObject&) = delete;

    // Identifies the processor into the object's record.
    void GetInfo();

    // 0 the vendor identification, 1 the processor name; other indices the empty string.
    std::string GetString(int Index) const;
    // 0 stepping, 1 model, 2 family; other indices 0.
    int32_t GetInteger(int Index) const;
    // 0 to 15 the feature flags (TLMDCPUFeature), 16 whether the processor has CPUID, asked
    // anew; other indices false.
    bool GetBoolean(int Index) const;
    // Read-only facts accept a written value and discard it.
    void SetDummyBool(int Index, bool Value);
    void SetDummyString(int Index, const std::string& Value);

    std::string IDString() const { return GetString(0); }
    int32_t Stepping() const { return GetInteger(0); }
    int32_t Model() const { return GetInteger(1); }
    int32_t Family() const { return GetInteger(2); }

    bool FPU() const { return GetBoolean(cfFPU); }
    bool VirtualModeExtensions() const { return GetBoolean(cfVirtualModeExtensions); }
    bool DebuggingExtensions() const { return GetBoolean(cfDebuggingExtensions); }
    bool PageSizeExtensions() const { return GetBoolean(cfPageSizeExtensions); }
    bool TimeStampCoutner() const { return GetBoolean(cfTimeStampCounter); }
    bool K86_ModelSpecificRegisters() const { return GetBoolean(cfModelSpecificRegisters); }
    bool MachineCheckException() const { return GetBoolean(cfMachineCheckException); }
    bool CMP_XCHG_8B() const { return GetBoolean(cfCompareExchange8B); }
    bool APIC() const { return GetBoolean(cfAPIC); }
    bool MemoryTypeRangeRegisters() const { return GetBoolean(cfMemoryTypeRangeRegisters); }
    bool GlobalPaging() const { return GetBoolean(cfGlobalPaging); }
    bool Cond_MOVE_Instruct() const { return GetBoolean(cfConditionalMove); }
    bool MMX() const { return GetBoolean(cfMMX); }
    bool SysCallAndSysRet() const { return GetBoolean(cfSysCallAndSysRet); }
    bool FPCond_MOVE_Instruct() const { return GetBoolean(cfFPConditionalMove); }
    bool AMD3DNow() const { return GetBoolean(cfAMD3DNow); }
    std::string CPUName() const { return GetString(1); }
    bool ExistCPUInfo() const { return GetBoolean(LMDCPUFeatureCount); }

    void SetVirtualModeExtensions(bool Value) { SetDummyBool(cfVirtualModeExtensions, Value); }
    void SetDebuggingExtensions(bool Value) { SetDummyBool(cfDebuggingExtensions, Value); }
    void SetPageSizeExtensions(bool Value) { SetDummyBool(cfPageSizeExtensions, Value); }
    void SetTimeStampCoutner(bool Value) { SetDummyBool(cfTimeStampCounter, Value); }
    void SetK86_ModelSpecificRegisters(bool Value) { SetDummyBool(cfModelSpecificRegisters, Value); }
    void SetMachineCheckException(bool Value) { SetDummyBool(cfMachineCheckException, Value); }
    void SetCMP_XCHG_8B(bool Value) { SetDummyBool(cfCompareExchange8B, Value); }
    void SetAPIC(bool Value) { SetDummyBool(cfAPIC, Value); }
    void SetMemoryTypeRangeRegisters(bool Value) { SetDummyBool(cfMemoryTypeRangeRegisters, Value); }
    void SetGlobalPaging(bool Value) { SetDummyBool(cfGlobalPaging, Value); }
    void SetCond_MOVE_Instruct(bool Value) { SetDummyBool(cfConditionalMove, Value); }
    void SetMMX(bool Value) { SetDummyBool(cfMMX, Value); }
    void SetSysCallAndSysRet(bool Value) { SetDummyBool(cfSysCallAndSysRet, Value); }
    void SetFPCond_MOVE_Instruct(bool Value) { SetDummyBool(cfFPConditionalMove, Value); }
    void SetAMD3DNow(bool Value) { SetDummyBool(cfAMD3DNow, Value); }
    void SetCPUName(const std::string& Value) { SetDummyString(1, Value); }
    void SetExistCPUInfo(bool Value) { SetDummyBool(LMDCPUFeatureCount, Value); }

    // The record as identified, for code that needs more than the properties.
    const TLMDCPUInfo& Info() const { return FInfo; }

private:
    TLMDCPUInfo FInfo;
};
