#include "platform/x86/X86Instructions.h"

#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#endif

#include "platform/ICpuId.h"
#include "platform/ITimeStampCounter.h"

namespace {

constexpr uint32_t IdFlag = 0x200000;

// The processor's own CPUID instruction. The flags register is put back as it was after the
// ID-flag test.
class TX86CpuId : public ICpuId {
public:
    bool IdFlagToggles() const override;
    CpuIdRegisters Leaf(uint32_t Eax) const override;
};

#if defined(__x86_64__)

bool TX86CpuId::IdFlagToggles() const
{
    uint64_t before = 0, after = 0;
    // The stack pointer first steps over the area just below it, where one calling convention
    // lets a function keep data without reserving it, so the pushes cannot overwrite it.
    asm volatile("subq $128, %%rsp\n\t"
                 "pushfq\n\t"
                 "popq %0\n\t"
                 "movq %0, %1\n\t"
                 "xorq %2, %1\n\t"
                 "pushq %1\n\t"
                 "popfq\n\t"
                 "pushfq\n\t"
                 "popq %1\n\t"
                 "pushq %0\n\t"
                 "popfq\n\t"
                 "addq $128, %%rsp"
                 : "=&r"(before), "=&r"(after)
                 : "i"(IdFlag)
                 : "cc");
    return ((before ^ after) & IdFlag) != 0;
}

#elif defined(__i386__)

bool TX86CpuId::IdFlagToggles() const
{
    uint32_t before = 0, after = 0;
    asm volatile("pushfl\n\t"
                 "popl %0\n\t"
                 "movl %0, %1\n\t"
                 "xorl %2, %1\n\t"
                 "pushl %1\n\t"
                 "popfl\n\t"
                 "pushfl\n\t"
                 "popl %1\n\t"
                 "pushl %0\n\t"
                 "popfl"
                 : "=&r"(before), "=&r"(after)
                 : "i"(IdFlag)
                 : "cc");
    return ((before ^ after) & IdFlag) != 0;
}

#else

// Processors of other architectures have no such instruction.
bool TX86CpuId::IdFlagToggles() const { return false; }

#endif

CpuIdRegisters TX86CpuId::Leaf(uint32_t Eax) const
{
    CpuIdRegisters r;
#if defined(__x86_64__) || defined(__i386__)
    if (IdFlagToggles())
        __cpuid_count(Eax, 0, r.Eax, r.Ebx, r.Ecx, r.Edx);
#else
    (void)Eax;
#endif
    return r;
}

// The processor's own cycle counter; processors of other families have none here and read 0.
class TX86TimeStampCounter : public ITimeStampCounter {
public:
    uint64_t Read() const override
    {
#if defined(__x86_64__) || defined(__i386__)
        return __rdtsc();
#else
        return 0;
#endif
    }
};

}  // namespace

ICpuId* ProcessorCpuId()
{
    static TX86CpuId cpu;
    return &cpu;
}

ITimeStampCounter* ProcessorTimeStampCounter()
{
    static TX86TimeStampCounter counter;
    return &counter;
}
