#pragma once
#include <cstddef>
#include <map>

#include "platform/ICpuId.h"

// A processor whose identification a test writes. It starts as a processor without the
// CPUID instruction; SetIdFlagToggles(true) gives it one, and every leaf not set answers zeros.
class THeadlessCpuId : public ICpuId {
public:
    bool IdFlagToggles() const override { return FIdFlagToggles; }
    CpuIdRegisters Leaf(uint32_t Eax) const override;

    void SetIdFlagToggles(bool Value) { FIdFlagToggles = Value; }
    void SetLeaf(uint32_t Eax, const CpuIdRegisters& Registers) { FLeaves[Eax] = Registers; }
    // Puts twelve vendor bytes into leaf 0 the way the processor returns them: EBX, EDX, ECX,
    // each little-endian. Eax is the highest basic leaf.
    void SetVendor(const char (&Bytes)[12], uint32_t Eax = 1);
    // Puts up to 48 name bytes into leaves 0x80000002 to 0x80000004 (EAX, EBX, ECX, EDX each),
    // padded with zero bytes.
    void SetNameLeaves(const char* Bytes, size_t Count);
    void ClearLeaves() { FLeaves.clear(); }

private:
    bool FIdFlagToggles = false;
    std::map<uint32_t, CpuIdRegisters> FLeaves;
};
