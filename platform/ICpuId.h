#pragma once
#include <cstdint>

// The four registers one CPUID leaf answers with.
struct CpuIdRegisters {
    uint32_t Eax = 0;
    uint32_t Ebx = 0;
    uint32_t Ecx = 0;
    uint32_t Edx = 0;
};

// The processor's identification instruction. The real backends execute it on the machine's
// processor; the headless backend answers with the leaves a test scripted, so identification
// can be checked for any processor.
class ICpuId {
public:
    virtual ~ICpuId() = default;
    // Whether the ID flag (bit 21) of the flags register can be changed, which is how a
    // processor says that it has the CPUID instruction at all.
    virtual bool IdFlagToggles() const = 0;
    // The registers of the leaf selected by Eax (sub-leaf 0). Only meaningful when
    // IdFlagToggles() is true; a host without the instruction answers zeros.
    virtual CpuIdRegisters Leaf(uint32_t Eax) const = 0;
};
