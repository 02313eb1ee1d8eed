#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "framework/MessageWindow.h"

// The program-wide timer pool: one timer of the user-interface message loop, ticking every
// Granularity milliseconds, from which pooled timers take their ticks, so that many timers cost
// the system one. A pooled timer's interval counts in whole ticks of the pool, and the time it
// waits is read from the platform's clock, so ticks of the pool that come late or together do not
// stretch it. The pool's window
// and timer exist only while it holds timers.
class TLMDTimerPool {
public:
    static constexpr uint16_t Granularity = 50;

    // The pool of the program, made on first use.
    static TLMDTimerPool& Program();

    TLMDTimerPool();
    ~TLMDTimerPool();
    TLMDTimerPool(const TLMDTimerPool&) = delete;
    TLMDTimerPool& operator=(const TLMDTimerPool&) = delete;

    // Adds a timer that calls OnTimer every Interval milliseconds (at least one tick) and
    // returns its number. When the pool cannot have its own timer of the message loop, nothing is
    // added and an Exception says "Not enough timers available!".
    uint32_t Add(uint16_t Interval, std::function<void()> OnTimer);
    // Removes a timer; an unknown number is ignored.
    void Remove(uint32_t Id);
    size_t Count() const { return FTimers.size(); }

private:
    struct TEntry {
        uint32_t Interval;
        uint32_t Due;   // the tick count at which the timer is next due
        std::function<void()> OnTimer;
    };
    static constexpr uintptr_t TimerId = 1;
    void Tick();

    std::map<uint32_t, TEntry> FTimers;
    uint32_t FNextId = 1;
    std::unique_ptr<TMessageWindow> FWindow;
};
