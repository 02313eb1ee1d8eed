#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

class THandOverChannel;

enum class TThreadPriority : uint8_t { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A thread object whose body is Execute. It is created paused and starts running at the first
// Resume. Pausing is cooperative: Suspend asks, and the body stops at its next call of
// CheckPaused until Resume; a body that waits elsewhere (on an event, in a hand-over) finishes
// that wait first. Terminate only marks the thread; the body ends itself when it sees the mark.
class TThread {
public:
    TThread();
    // Marks the thread terminated, lets a paused body go on and waits until it has ended.
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Resume();
    void Suspend();
    bool Suspended() const;
    void Terminate();
    bool Terminated() const { return FTerminated; }
    bool Finished() const { return FFinished; }
    // Waits until the body has ended. On the main thread, calls handed over meanwhile run, so
    // a body blocked in a hand-over can end.
    void WaitFor();

    // Kept for the platform's scheduler; the portable thread runs at the system's default.
    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority Value) { FPriority = Value; }

protected:
    virtual void Execute() = 0;
    // Blocks while a pause is asked for; returns at once otherwise or once terminated.
    void CheckPaused();
    // Runs Call on the main thread with this thread blocked until it has run (see THandOverQueue).
    bool Synchronize(std::function<void()> Call, THandOverChannel* Channel = nullptr);

private:
    void Body();

    mutable std::mutex FMutex;
    std::condition_variable FResumed;
    std::thread FThread;
    bool FStarted = false;
    bool FPaused = true;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<TThreadPriority> FPriority{TThreadPriority::tpNormal};
};
