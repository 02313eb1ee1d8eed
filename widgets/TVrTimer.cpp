#include "widgets/TVrTimer.h"

#include <algorithm>
#include <vector>

#include "framework/Application.h"
#include "framework/HandOverQueue.h"
#include "framework/MessageWindow.h"
#include "platform/core/Exception.h"
#include "widgets/TVrTimerThread.h"

namespace {

// The one window timer a timer in system mode runs on its hidden window.
constexpr uintptr_t SystemTimerId = 1;
// The longest period the system's window timers take; longer intervals wait this long.
constexpr uint32_t LongestSystemPeriod = 0x7FFFFFFF;

// Ticks being handled on the main thread now, across all timers (main thread only).
int TicksInProgress = 0;

// Workers and hidden windows whose timer went while one of its ticks was still being handled
// further down the main thread's stack. They are already stopped; they are freed once no tick
// is being handled, when a timer next builds or tears down a mechanism.
class TRetired {
public:
    static TRetired& Instance()
    {
        // The queue is needed to free a worker, so it must outlive this list.
        THandOverQueue::Instance();
        static TRetired retired;
        return retired;
    }
    ~TRetired()
    {
        // At exit the workers have long ended; the windows' application may be gone already,
        // so they are left to the system.
        for (auto& w : FWindows)
            w.release();
    }

    void Add(std::unique_ptr<TVrTimerThread> Thread) { FThreads.push_back(std::move(Thread)); }
    void Add(std::unique_ptr<TMessageWindow> Window) { FWindows.push_back(std::move(Window)); }

    void FreeWhenIdle()
    {
        if (TicksInProgress > 0)
            return;
        // Freeing a worker serves hand-overs, whose ticks may retire more objects meanwhile.
        auto threads = std::move(FThreads);
        auto windows = std::move(FWindows);
        FThreads.clear();
        FWindows.clear();
    }

private:
    std::vector<std::unique_ptr<TVrTimerThread>> FThreads;
    std::vector<std::unique_ptr<TMessageWindow>> FWindows;
};

// Shows an error that escaped a handler on a worker thread: the display belongs to the main
// thread, so the report is handed over there. Nothing is shown once the application ends.
void ReportOnMainThread(std::exception_ptr Error)
{
    THandOverQueue::Instance().Run([Error] {
        try {
            std::rethrow_exception(Error);
        } catch (...) {
            Application().HandleException();
        }
    });
}

}  // namespace

TVrTimer::TTickInProgress::TTickInProgress(int* Counter) : FCounter(Counter)
{
    ++TicksInProgress;
    if (FCounter)
        ++*FCounter;
}

TVrTimer::TTickInProgress::~TTickInProgress()
{
    if (FCounter)
        --*FCounter;
    --TicksInProgress;
}

bool TVrTimer::TTickInProgress::Any() { return TicksInProgress > 0; }

TVrTimer::TVrTimer(TComponent* Owner) : TVrComponent(Owner) {}

TVrTimer::~TVrTimer()
{
    FEnabled = false;
    SetOnTimer(nullptr);
    DestroyTimer();
}

void TVrTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    // Disabling leaves the mechanism running; Timer drops the ticks.
    if (Value)
        UpdateTimer();
}

void TVrTimer::SetInterval(uint32_t Value)
{
    if (Value == FInterval)
        return;
    FInterval = Value;
    if (FEnabled)
        UpdateTimer();
}

void TVrTimer::SetTimerType(TVrTimerType Value)
{
    if (Value == FTimerType)
        return;
    // The old mechanism is gone completely before the new one is built.
    DestroyTimer();
    FTimerType = Value;
    if (FEnabled)
        UpdateTimer();
}

void TVrTimer::SetPriority(TThreadPriority Value)
{
    if (Value == FPriority)
        return;
    FPriority = Value;
    if (FTimerType == TVrTimerType::ttThread && FEnabled)
        UpdateTimer();
}

TNotifyEvent TVrTimer::OnTimer() const
{
    std::lock_guard lock(FOnTimerLock);
    return FOnTimer;
}

void TVrTimer::SetOnTimer(TNotifyEvent Value)
{
    // The old handler is destroyed outside the lock: its captures may own anything.
    std::lock_guard lock(FOnTimerLock);
    std::swap(FOnTimer, Value);
}

void TVrTimer::Loaded()
{
    TVrComponent::Loaded();
    UpdateTimer();
}

void TVrTimer::Timer()
{
    if (!FEnabled)
        return;
    // The handler runs from a copy: it may replace OnTimer or free this timer, and touches
    // nothing of the timer once it has returned.
    const TNotifyEvent handler = OnTimer();
    if (!handler)
        return;
    try {
        handler(this);
    } catch (...) {
        if (THandOverQueue::Instance().IsMainThread())
            Application().HandleException();
        else
            ReportOnMainThread(std::current_exception());
    }
}

bool TVrTimer::ShouldTick() const { return FInterval != 0 && FEnabled && OnTimer(); }

void TVrTimer::UpdateTimer()
{
    // A timer placed in a layout editor never ticks.
    if (Designing())
        return;
    if (!FTimerCreated)
        CreateTimer();
    // Both checks guard against a handler, run while a mechanism was being torn down, that
    // rebuilt the timer of the other type: that timer then simply stays still.
    if (FTimerType == TVrTimerType::ttSystem && FWindowHandle)
        UpdateSystemTimer();
    else if (FTimerType == TVrTimerType::ttThread && FTimerThread)
        UpdateThreadTimer();
}

void TVrTimer::UpdateSystemTimer()
{
    FWindowHandle->KillTimer(SystemTimerId);
    if (!ShouldTick())
        return;
    if (!FWindowHandle->SetTimer(SystemTimerId, std::min(FInterval, LongestSystemPeriod)))
        throw Exception("No timer resources left.");
}

void TVrTimer::UpdateThreadTimer()
{
    FTimerThread->Pause();
    FTimerThread->SetWaitInterval(FInterval);
    if (!ShouldTick())
        return;
    FTimerThread->SetPriority(FPriority);
    FTimerThread->Resume();
}

void TVrTimer::CreateTimer()
{
    if (FTimerType == TVrTimerType::ttSystem)
        FWindowHandle = std::make_unique<TMessageWindow>([this](TMessage& Message) { WndProc(Message); });
    else
        FTimerThread = std::make_unique<TVrTimerThread>(this);
    FTimerCreated = true;
    TRetired::Instance().FreeWhenIdle();
}

void TVrTimer::DestroyTimer()
{
    if (!FTimerCreated)
        return;
    // The mechanism is taken out first: waiting for a worker runs other handlers, which may
    // touch this timer meanwhile and must find it without a mechanism.
    FTimerCreated = false;
    if (auto window = std::move(FWindowHandle))
        DestroySystemTimer(std::move(window));
    if (auto thread = std::move(FTimerThread))
        DestroyThreadTimer(std::move(thread));
    TRetired::Instance().FreeWhenIdle();
}

void TVrTimer::DestroySystemTimer(std::unique_ptr<TMessageWindow> Window)
{
    Window->KillTimer(SystemTimerId);
    // A tick being handled may be this window's, whose procedure is still running.
    if (TTickInProgress::Any())
        TRetired::Instance().Add(std::move(Window));
}

void TVrTimer::DestroyThreadTimer(std::unique_ptr<TVrTimerThread> Thread)
{
    Thread->Stop();
    // A worker whose tick is being handled further down the stack ends only once that tick
    // has returned, so waiting for it here would never end.
    if (Thread->TickRunning())
        TRetired::Instance().Add(std::move(Thread));
    else
        Thread->WaitFor();
}

void TVrTimer::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_TIMER) {
        // A message-only window has nothing to do for any other message.
        Message.Result = 0;
        return;
    }
    const TTickInProgress tick;
    Timer();
}
