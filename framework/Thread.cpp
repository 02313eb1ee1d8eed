#include "framework/Thread.h"

#include "framework/HandOverQueue.h"

TThread::TThread() = default;

TThread::~TThread()
{
    // A derived class whose body uses its own members ends it in its own destructor; this is
    // the last guard, for a thread that is still running when only the base part is left.
    if (FThread.joinable()) {
        Terminate();
        Resume();
        WaitFor();
    }
}

void TThread::Resume()
{
    std::lock_guard lock(FMutex);
    FPaused = false;
    FResumed.notify_all();
    if (!FStarted) {
        FStarted = true;
        FThread = std::thread([this] { Body(); });
    }
}

void TThread::Suspend()
{
    std::lock_guard lock(FMutex);
    FPaused = true;
}

bool TThread::Suspended() const
{
    std::lock_guard lock(FMutex);
    return FPaused;
}

void TThread::Terminate()
{
    FTerminated = true;
    std::lock_guard lock(FMutex);
    FResumed.notify_all();
}

void TThread::WaitFor()
{
    {
        std::lock_guard lock(FMutex);
        if (!FStarted)
            return;
    }
    if (THandOverQueue::Instance().IsMainThread())
        THandOverQueue::Instance().WaitServing([this] { return FFinished.load(); });
    if (FThread.joinable())
        FThread.join();
}

void TThread::CheckPaused()
{
    std::unique_lock lock(FMutex);
    FResumed.wait(lock, [this] { return !FPaused || FTerminated; });
}

bool TThread::Synchronize(std::function<void()> Call, THandOverChannel* Channel)
{
    return THandOverQueue::Instance().Run(std::move(Call), Channel);
}

void TThread::Body()
{
    try {
        Execute();
    } catch (...) {
        // An error that escapes a thread's body ends the thread and nothing else.
    }
    FFinished = true;
    THandOverQueue::Instance().Notify();
}
