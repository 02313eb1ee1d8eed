#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "framework/Message.h"
#include "framework/Object.h"
#include "framework/Thread.h"
#include "widgets/TVrComponent.h"

class TMessageWindow;
class TVrTimerThread;

enum class TVrTimerType : uint8_t { ttThread, ttSystem };

// A non-visual component that calls OnTimer every Interval milliseconds on the main thread.
// In thread mode a worker thread waits out each interval and hands the tick over; in system
// mode a window timer of a hidden window delivers it. The mechanism is built on first need and
// (re)started by UpdateTimer whenever a setting that affects it changes.
class TVrTimer : public TVrComponent {
public:
    explicit TVrTimer(TComponent* Owner);
    // Disables the timer and forgets its handler first, so a tick still in flight does
    // nothing, then tears the mechanism down.
    ~TVrTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Milliseconds between ticks; 0 means no ticks.
    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t Value);
    // Thread mode only: true runs OnTimer on the main thread, false on the worker.
    bool SyncEvent() const { return FSyncEvent; }
    void SetSyncEvent(bool Value) { FSyncEvent = Value; }
    TVrTimerType TimerType() const { return FTimerType; }
    void SetTimerType(TVrTimerType Value);
    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority Value);
    // A handler assigned while the timer runs takes effect at the next UpdateTimer.
    TNotifyEvent OnTimer() const;
    void SetOnTimer(TNotifyEvent Value);

    void Loaded() override;
    // Creates the mechanism if needed and (re)starts it with the current settings. Throws when
    // the system refuses a window timer.
    void UpdateTimer();

    // Calls OnTimer when the timer is enabled and has a handler. An error escaping the handler
    // goes to the application's error display and the timer keeps ticking.
    virtual void Timer();

protected:
    void CreateTimer();
    void DestroyTimer();
    // The hidden window's procedure in system mode.
    virtual void WndProc(TMessage& Message);

private:
    friend class TVrTimerThread;
    // Marks a tick being handled on the main thread for as long as it lives, and counts it in
    // Counter when one is given. Tearing a mechanism down while a tick runs further down the
    // stack cannot free what that tick still runs in; it hands those objects on to be freed
    // once no tick is being handled.
    class TTickInProgress {
    public:
        explicit TTickInProgress(int* Counter = nullptr);
        ~TTickInProgress();
        TTickInProgress(const TTickInProgress&) = delete;
        TTickInProgress& operator=(const TTickInProgress&) = delete;
        static bool Any();

    private:
        int* FCounter;
    };

    bool ShouldTick() const;
    void UpdateSystemTimer();
    void UpdateThreadTimer();
    static void DestroySystemTimer(std::unique_ptr<TMessageWindow> Window);
    static void DestroyThreadTimer(std::unique_ptr<TVrTimerThread> Thread);

    std::atomic<bool> FEnabled{true};
    uint32_t FInterval = 1000;
    std::atomic<bool> FSyncEvent{true};
    TVrTimerType FTimerType = TVrTimerType::ttThread;
    TThreadPriority FPriority = TThreadPriority::tpNormal;
    // A worker reads the handler while the main thread may replace it.
    mutable std::mutex FOnTimerLock;
    TNotifyEvent FOnTimer;
    bool FTimerCreated = false;
    std::unique_ptr<TVrTimerThread> FTimerThread;
    std::unique_ptr<TMessageWindow> FWindowHandle;
};
