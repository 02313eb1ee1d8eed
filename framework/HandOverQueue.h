#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class THandOverChannel;

// Calls handed from other threads to the main thread. The caller blocks until the main thread
// has run its call, so a handed-over call never runs at the same time as any other handler.
// The main thread runs waiting calls whenever its loop looks for messages, and while it waits
// in WaitServing. There is one queue per process, as there is one main thread.
class THandOverQueue {
public:
    static THandOverQueue& Instance();

    // Called by the application object on the main thread: from now on calls are accepted,
    // Wake makes the main loop look for them, and a call that fails is given to ReportError
    // (inside its catch block).
    void Open(std::function<void()> Wake, std::function<void()> ReportError);
    // Refuses calls from now on: waiting calls are dropped and their callers return false.
    // Once the application has begun to shut down no handed-over call runs any more.
    void Close();

    // Runs Call on the main thread and blocks until it has run; true when it ran. False when
    // the queue is closed or Channel is (or becomes, while the call waits) closed: the call
    // then never runs. On the main thread itself the call runs at once.
    bool Run(std::function<void()> Call, THandOverChannel* Channel = nullptr);

    // Main thread: runs every call waiting now; true when at least one ran.
    bool RunPending();
    // Main thread: waits until Ready() holds, running handed-over calls meanwhile, so a worker
    // that is blocked in a hand-over can finish. Ready is checked again after every call and
    // after every Notify, and at least every few milliseconds.
    void WaitServing(const std::function<bool()>& Ready);
    // Any thread: makes WaitServing check its condition now.
    void Notify();

    // How many calls wait to be run now.
    size_t Pending() const;

    bool IsMainThread() const { return std::this_thread::get_id() == FMainThread; }

private:
    friend class THandOverChannel;
    struct TEntry {
        std::function<void()> Call;
        THandOverChannel* Channel = nullptr;
        bool Finished = false;   // ran, or was dropped
        bool Ran = false;
    };

    void DropChannel(THandOverChannel& Channel);
    std::shared_ptr<TEntry> TakeNext();

    mutable std::mutex FMutex;
    std::condition_variable FChanged;
    std::deque<std::shared_ptr<TEntry>> FEntries;
    std::function<void()> FWake;
    std::function<void()> FReportError;
    std::thread::id FMainThread = std::this_thread::get_id();
    bool FOpen = false;
};

// A way for the owner of a worker to give up the worker's hand-overs: closing the channel
// drops the calls that wait and releases their callers, and later calls through it return
// false at once. An object that is being destroyed closes its channel before it waits for its
// worker, so the wait cannot deadlock with a hand-over that would run the object's handler.
class THandOverChannel {
public:
    THandOverChannel() = default;
    ~THandOverChannel() { Close(); }
    THandOverChannel(const THandOverChannel&) = delete;
    THandOverChannel& operator=(const THandOverChannel&) = delete;

    void Close();
    // Accepts calls again after a Close.
    void Reopen();
    bool Closed() const;

private:
    friend class THandOverQueue;
    bool FClosed = false;   // guarded by the queue's mutex
};
