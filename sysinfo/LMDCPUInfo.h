#pragma once
#include <cstdint>
#include <string>

// The feature flags of a processor identification, by their index in TLMDCPUInfo::Features.
enum TLMDCPUFeature : int {
    cfFPU = 0,
    cfVirtualModeExtensions = 1,
    cfDebuggingExtensions = 2,
    cfPageSizeExtensions = 3,
    cfTimeStampCounter = 4,
    cfModelSpecificRegisters = 5,
    cfMachineCheckException = 6,
    cfCompareExchange8B = 7,
    cfAPIC = 8,
    cfMemoryTypeRangeRegisters = 9,
    cfGlobalPaging = 10,
    cfConditionalMove = 11,
    cfMMX = 12,
    cfSysCallAndSysRet = 13,   // this and the two below are read on AMD processors only
    cfFPConditionalMove = 14,
    cfAMD3DNow = 15,
};
constexpr int LMDCPUFeatureCount = 16;

// What the processor says about itself. A default-constructed record is zero-filled.
struct TLMDCPUInfo {
    char VendorID[12] = {};                   // leaf 0 EBX, EDX, ECX; no terminator
    int32_t Stepping = 0;
    int32_t Model = 0;
    int32_t Family = 0;
    uint8_t Features[LMDCPUFeatureCount] = {}; // 0 or 1, indexed by TLMDCPUFeature
    std::string Name;                          // the processor name, AMD processors only
};

// The text of raw processor bytes: up to the first zero byte or Count bytes, each byte taken
// as one Latin-1 character so the result is always valid UTF-8.
std::string LMDCPUBytesToText(const char* Bytes, size_t Count);

// The vendor identification of a record as text, cut at its first zero byte.
std::string LMDCPUVendorString(const TLMDCPUInfo& Info);

// Whether the processor has the CPUID instruction: the ID flag of the flags register can be
// changed.
bool LMDExistCPUInfo();

// Identifies the processor into Info. Without CPUID the vendor, the numbers and the basic
// flags keep what Info held. Returns LMDExistCPUInfo(), asked again after the work.
bool LMDGetCPUInfo(TLMDCPUInfo& Info);

// Single questions, each running a whole identification on a record of its own.
bool LMDExistMMX();
bool LMDExist3DNow();
