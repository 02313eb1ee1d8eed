#pragma once
#include <cstdint>
#include <functional>

#include "platform/IClock.h"
#include "platform/ITimeStampCounter.h"

// A time-stamp counter that a test drives. On its own it always reads the start value set
// (0 at first, as a processor without a counter reads). Tied to a clock it runs at a set
// rate: it reads the start value plus the rate times the clock's tick count, so a clock
// whose Sleep only advances time gives a counter difference that tells how long was slept.
class THeadlessTimeStampCounter : public ITimeStampCounter {
public:
    uint64_t Read() const override;

    void SetStart(uint64_t Value) { FStart = Value; }
    // Cycles counted per millisecond of Clock; a null clock stops the counter.
    void RunWith(const IClock* Clock, uint64_t CyclesPerMillisecond);
    // Called on every read, before the value is taken, so a test can see the state the
    // program was in when it read the counter.
    void SetOnRead(std::function<void()> Handler) { FOnRead = std::move(Handler); }

private:
    uint64_t FStart = 0;
    const IClock* FClock = nullptr;
    uint64_t FCyclesPerMillisecond = 0;
    std::function<void()> FOnRead;
};
