#include "widgets/TVrTimerThread.h"

#include "framework/Application.h"
#include "widgets/TVrTimer.h"

TVrTimerThread::TVrTimerThread(TVrTimer* Timer) : FTimerComponent(Timer) {}

TVrTimerThread::~TVrTimerThread()
{
    // The body uses this object's members, so it has to end before they go.
    Stop();
    WaitFor();
}

void TVrTimerThread::Pause()
{
    Suspend();
    FStopEvent.SetEvent();
}

void TVrTimerThread::Stop()
{
    Terminate();
    FStopEvent.SetEvent();
    FChannel.Close();
    Resume();
}

void TVrTimerThread::Execute()
{
    while (!Terminated()) {
        CheckPaused();
        if (Terminated())
            break;
        if (FStopEvent.WaitFor(FWaitInterval) == TWaitResult::wrTimeout && !Terminated())
            Tick();
    }
}

void TVrTimerThread::Tick()
{
    if (FTimerComponent->SyncEvent())
        HandOverTick();
    else
        FTimerComponent->Timer();
}

void TVrTimerThread::HandOverTick()
{
    // The hand-over queue refuses calls once the application has begun to shut down, and the
    // channel once the timer has let this worker go; either way no tick runs.
    Synchronize(
        [this] {
            if (Application().Terminated())
                return;
            const TVrTimer::TTickInProgress tick(&FTicksRunning);
            FTimerComponent->Timer();
        },
        &FChannel);
}
