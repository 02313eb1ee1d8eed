#pragma once
#include <cstdint>
#include <string>

// Measures the processor's clock rate in MHz by counting time-stamp counter cycles over
// 500 ms of sleep. The process and the calling thread run at the highest priorities the
// system grants during the measurement, so that the counter is read again as soon as the
// sleep ends; both priorities are restored afterwards. Blocks for about 510 ms.
// A processor without a time-stamp counter gives 0.
uint32_t MeasureProcessorClock();

// The clock rate in MHz from a counter difference over the 500 ms.
uint32_t ProcessorClockFromCycles(uint64_t Cycles);

// The clock rate as the readout shows it, in GHz with two decimals: 2394 gives "2.39  GHz".
std::string ProcessorClockText(uint32_t MHz);
