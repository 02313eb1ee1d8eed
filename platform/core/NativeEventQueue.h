#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <utility>

#include "platform/INativeWindows.h"

// The event queue of a native window system, the same on every backend. Input, window and
// posted events wait in the order they arrived. A window timer has at most one tick waiting,
// however many of its periods passed; due ticks are handed out only when asked for and
// nothing else waits, in the order the timers fell due. Any thread may post and wake; the rest
// belongs to the thread that runs the loop. A window that goes takes its events and timers
// with it, and what is posted to it afterwards is dropped.
//
// The queue does not block on the system's behalf: a backend waits in its own system call and
// is told through the wake handler when a post or a wake arrives, possibly from another thread.
// Events the backend pushes itself come from its own loop, which looks at the queue before it
// waits.
class TNativeEventQueue {
public:
    TNativeEventQueue() = default;
    TNativeEventQueue(const TNativeEventQueue&) = delete;
    TNativeEventQueue& operator=(const TNativeEventQueue&) = delete;

    // Called, without the queue's lock held, after each post and wake, on the thread that gave
    // it: the backend makes its blocking wait return.
    void SetWakeHandler(std::function<void()> Handler);

    // A window that may receive posted events from now on, and one that has gone: its waiting
    // events and its timers are dropped, and posts to it are dropped from now on.
    void Open(TNativeWindow Window);
    void Purge(TNativeWindow Window);
    bool IsOpen(TNativeWindow Window) const;

    // An event the window system reported (main thread): it waits behind everything before it.
    void Push(const TNativeEvent& Event);
    // Like Push, but a waiting event of the same kind and window right at the end is replaced
    // instead: only the newest of a run of such reports matters (a window being resized).
    void PushLatest(const TNativeEvent& Event);
    // A Message event for the window from any thread; false, with nothing queued, when the
    // window is not open.
    bool Post(TNativeWindow Window, uint32_t Msg, uintptr_t WParam, intptr_t LParam);
    // Lets the next wait (or the one in progress) return (any thread).
    void Wake();
    // Whether a wake was given since the last call; clears it.
    bool TakeWake();

    // Window timers: a timer is known from Start to Stop. A tick of a known timer that has none
    // waiting becomes due now; a tick of an unknown timer is ignored. Starting again keeps the
    // timer known and drops a tick that waits.
    void StartTimer(TNativeWindow Window, uintptr_t Id);
    void StopTimer(TNativeWindow Window, uintptr_t Id);
    bool TimerKnown(TNativeWindow Window, uintptr_t Id) const;
    void TimerFell(TNativeWindow Window, uintptr_t Id);

    // Takes the oldest waiting event; with IncludeTimers, the tick that fell due first when no
    // other event waits.
    bool Take(TNativeEvent& Event, bool IncludeTimers);
    // Whether Take would give something.
    bool Waiting(bool IncludeTimers) const;
    size_t Size() const;
    // Changes the newest waiting event when Change accepts it (returns true); false when
    // nothing waits or Change refused.
    bool AmendNewest(const std::function<bool(TNativeEvent&)>& Change);

    // Blocks until an event or a due tick waits or a wake was given (which it takes), or the
    // time is up; true unless the time ran out. For a backend whose events all come through
    // the queue.
    bool WaitFor(std::chrono::milliseconds Limit);

private:
    using TTimerKey = std::pair<TNativeWindow, uintptr_t>;
    void Notify(std::unique_lock<std::mutex>& Lock);
    bool WaitingLocked(bool IncludeTimers) const;

    mutable std::mutex FMutex;
    std::condition_variable FArrived;
    std::function<void()> FWakeHandler;
    std::deque<TNativeEvent> FEvents;
    std::set<TNativeWindow> FOpen;
    // Known timers; the value is 0 while no tick waits, else the order in which it fell due.
    std::map<TTimerKey, uint64_t> FTimers;
    uint64_t FFallCount = 0;
    bool FWoken = false;
};
