#pragma once
#include <atomic>
#include <cstdint>

#include "framework/HandOverQueue.h"
#include "framework/Thread.h"
#include "widgets/TAutoResetEvent.h"

class TVrTimer;

// The worker of a timer in thread mode. It waits on its stop event for WaitInterval
// milliseconds; a wait that runs out is a tick, which it hands to the main thread (blocking
// until the main thread has run it) or, when the timer does not want its ticks on the main
// thread, runs itself. A signalled event ends a wait without a tick. The worker is created
// paused; the timer resumes it when it should tick.
class TVrTimerThread : public TThread {
public:
    explicit TVrTimerThread(TVrTimer* Timer);
    // Stops the worker and waits until it has ended.
    ~TVrTimerThread() override;

    TVrTimer* TimerComponent() const { return FTimerComponent; }
    TAutoResetEvent& StopEvent() { return FStopEvent; }
    uint32_t WaitInterval() const { return FWaitInterval; }
    void SetWaitInterval(uint32_t Value) { FWaitInterval = Value; }

    // Asks the worker to stop at its next pause point and ends the wait in progress without a
    // tick, so that nothing ticks with the settings being replaced. After Resume the worker
    // starts a whole new wait.
    void Pause();
    // Marks the worker terminated, ends its wait and gives up a tick that waits to be handed
    // over, then lets a paused worker go on so that it can end. Does not wait for the end.
    void Stop();
    // Main thread: whether a tick of this worker is being handled now, further down the main
    // thread's stack. The worker cannot end before that tick has returned.
    bool TickRunning() const { return FTicksRunning > 0; }

protected:
    void Execute() override;

private:
    void Tick();
    void HandOverTick();

    TVrTimer* FTimerComponent;
    TAutoResetEvent FStopEvent;
    std::atomic<uint32_t> FWaitInterval{1000};
    THandOverChannel FChannel;
    int FTicksRunning = 0;   // main thread only
};
