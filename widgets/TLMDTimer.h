#pragma once
#include <cstdint>
#include <functional>

#include "framework/MessageWindow.h"

// A periodic timer of the user-interface message loop: while it is enabled, OnTimer runs on the
// main thread once per Interval milliseconds. An interval of 0 keeps it from running at all.
// With UseGlobalTimer its ticks come from the program-wide timer pool instead, with the
// interval rounded up to the pool's next multiple of 50 ms.
class TLMDTimer {
public:
    explicit TLMDTimer(std::function<void()> OnTimer, uint16_t Interval = 1000, bool Enabled = true);
    ~TLMDTimer();
    TLMDTimer(const TLMDTimer&) = delete;
    TLMDTimer& operator=(const TLMDTimer&) = delete;

    uint16_t Interval() const { return FInterval; }
    void SetInterval(uint16_t Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Whether the message loop is delivering ticks now (enabled and accepted by the system).
    bool Running() const { return FRunning; }
    bool UseGlobalTimer() const { return FUseGlobalTimer; }
    // Raises "Not enough timers available!" when the pool has no timer to give; the timer then
    // stays in the pool but does not run.
    void SetUseGlobalTimer(bool Value);
    // The interval the ticks come at: Interval, or with the pool Interval rounded up to 50 ms.
    uint16_t EffectiveInterval() const;

private:
    static constexpr uintptr_t TimerId = 1;
    void Restart();
    void Stop();

    std::function<void()> FOnTimer;
    uint16_t FInterval;
    bool FEnabled;
    bool FRunning = false;
    bool FUseGlobalTimer = false;
    uint32_t FPoolId = 0;
    TMessageWindow FWindow;
};
