#pragma once
#include <atomic>
#include <mutex>

#include "platform/IClock.h"

// A clock that only moves when told to. Sleep advances the tick count and the local time by
// the time slept instead of waiting, so code that sleeps runs at once and reproducibly.
class THeadlessClock : public IClock {
public:
    TSystemTime LocalTime() const override;
    uint32_t TickCount() const override { return FTicks.load(); }
    void Sleep(uint32_t Milliseconds) override { Advance(Milliseconds); }

    void SetLocalTime(const TSystemTime& Time);
    void SetTickCount(uint32_t Ticks) { FTicks = Ticks; }
    // Moves both the tick count (wrapping at 2^32) and the local time forward.
    void Advance(uint32_t Milliseconds);

private:
    mutable std::mutex FMutex;
    TSystemTime FTime{2024, 3, 2, 5, 9, 41, 15, 0};
    std::atomic<uint32_t> FTicks{0};
};
