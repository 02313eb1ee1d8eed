#include "saver/ProcessLoad.h"

double TProcessLoad::Tick(uint64_t ProcessTime100ns, uint32_t Now)
{
    const auto cpu = static_cast<uint32_t>(ProcessTime100ns / 100);
    // A quotient of 10 us units by milliseconds is a percentage of one processor. Readings in
    // the same millisecond would divide by zero and tell nothing new, so they keep the load.
    if (LastTickTime != 0 && Now != LastTickTime)
        CpuLoad = static_cast<double>(cpu - LastCpuTime) / static_cast<double>(Now - LastTickTime);
    LastCpuTime = cpu;
    LastTickTime = Now;
    return CpuLoad;
}

TProcessLoad& ProcessLoad()
{
    static TProcessLoad load;
    return load;
}
