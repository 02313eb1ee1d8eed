#pragma once
#include <cstdint>

// The processor load of the saver's own process, from one reading of its processor time and
// the system tick count to the next. Program-wide: it lives as long as the process.
struct TProcessLoad {
    uint32_t LastCpuTime = 0;    // processor time at the previous tick, in units of 10 us
    uint32_t LastTickTime = 0;   // tick count at the previous tick, in ms; 0: no tick yet
    double CpuLoad = 0.0;        // percent of one processor

    // Takes the processor time in units of 100 ns and the tick count in ms. Both differences
    // are taken in unsigned 32-bit arithmetic, so a wrap of either counter between two ticks
    // still gives the right difference. Two readings in the same millisecond keep the last
    // load. Returns CpuLoad.
    double Tick(uint64_t ProcessTime100ns, uint32_t Now);
};

TProcessLoad& ProcessLoad();
