#pragma once
#include <cstdint>
#include <functional>

#include "framework/MessageWindow.h"

// A periodic timer of the user-interface message loop: while it is enabled, OnTimer runs on the
// main thread once per Interval milliseconds. An interval of 0 keeps it from running at all.
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

private:
    static constexpr uintptr_t TimerId = 1;
    void Restart();
    void Stop();

    std::function<void()> FOnTimer;
    uint16_t FInterval;
    bool FEnabled;
    bool FRunning = false;
    TMessageWindow FWindow;
};
