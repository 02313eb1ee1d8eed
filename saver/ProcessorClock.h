#pragma once
#include <cstdint>
#include <string>

struct Platform;

// Measures the processor's clock rate in MHz by counting time-stamp counter cycles over
// 500 ms of sleep. The process and the calling thread run at the highest priorities the
// system grants during the measurement, so that the counter is read again as soon as the
// sleep ends; both priorities are restored afterwards. Blocks for about 510 ms.
// A processor without a time-stamp counter gives 0. When a measurement was started beforehand
// (StartProcessorClockMeasurement), waits for that one instead and hands out its result; any
// later call measures anew.
uint32_t MeasureProcessorClock();

// The same measurement with the given services instead of the current platform's.
uint32_t MeasureProcessorClock(const Platform& Services);

// Starts the measurement on a thread of its own, so that the half second it sleeps passes while
// the program opens its window system and builds its window. Services needs only the clock,
// the kernel and the time-stamp counter. A measurement nobody collects is waited for when the
// program ends.
void StartProcessorClockMeasurement(const Platform& Services);

// True while a started measurement has not been collected by MeasureProcessorClock.
bool ProcessorClockMeasurementPending();

// The clock rate in MHz from a counter difference over the 500 ms.
uint32_t ProcessorClockFromCycles(uint64_t Cycles);

// The clock rate as the readout shows it, in GHz with two decimals: 2394 gives "2.39  GHz".
std::string ProcessorClockText(uint32_t MHz);
