#include "platform/core/NativeEventQueue.h"

#include <algorithm>

void TNativeEventQueue::SetWakeHandler(std::function<void()> Handler)
{
    std::lock_guard lock(FMutex);
    FWakeHandler = std::move(Handler);
}

void TNativeEventQueue::Open(TNativeWindow Window)
{
    std::lock_guard lock(FMutex);
    FOpen.insert(Window);
}

void TNativeEventQueue::Purge(TNativeWindow Window)
{
    std::lock_guard lock(FMutex);
    FOpen.erase(Window);
    std::erase_if(FEvents, [Window](const TNativeEvent& e) { return e.Window == Window; });
    std::erase_if(FTimers, [Window](const auto& t) { return t.first.first == Window; });
}

bool TNativeEventQueue::IsOpen(TNativeWindow Window) const
{
    std::lock_guard lock(FMutex);
    return FOpen.count(Window) != 0;
}

// The handler runs outside the lock, so it may call back into the queue or block briefly on
// the system without holding up other threads' posts.
void TNativeEventQueue::Notify(std::unique_lock<std::mutex>& Lock)
{
    FArrived.notify_all();
    const std::function<void()> handler = FWakeHandler;
    Lock.unlock();
    if (handler)
        handler();
}

void TNativeEventQueue::Push(const TNativeEvent& Event)
{
    std::lock_guard lock(FMutex);
    FEvents.push_back(Event);
    FArrived.notify_all();
}

void TNativeEventQueue::PushLatest(const TNativeEvent& Event)
{
    std::lock_guard lock(FMutex);
    if (!FEvents.empty() && FEvents.back().Kind == Event.Kind && FEvents.back().Window == Event.Window)
        FEvents.back() = Event;
    else
        FEvents.push_back(Event);
    FArrived.notify_all();
}

bool TNativeEventQueue::Post(TNativeWindow Window, uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
    TNativeEvent e;
    e.Kind = TNativeEvent::Message;
    e.Window = Window;
    e.Msg = Msg;
    e.WParam = WParam;
    e.LParam = LParam;
    std::unique_lock lock(FMutex);
    if (!FOpen.count(Window))
        return false;
    FEvents.push_back(e);
    Notify(lock);
    return true;
}

void TNativeEventQueue::Wake()
{
    std::unique_lock lock(FMutex);
    FWoken = true;
    Notify(lock);
}

bool TNativeEventQueue::TakeWake()
{
    std::lock_guard lock(FMutex);
    return std::exchange(FWoken, false);
}

void TNativeEventQueue::StartTimer(TNativeWindow Window, uintptr_t Id)
{
    std::lock_guard lock(FMutex);
    FTimers[{Window, Id}] = 0;
}

void TNativeEventQueue::StopTimer(TNativeWindow Window, uintptr_t Id)
{
    std::lock_guard lock(FMutex);
    FTimers.erase({Window, Id});
}

bool TNativeEventQueue::TimerKnown(TNativeWindow Window, uintptr_t Id) const
{
    std::lock_guard lock(FMutex);
    return FTimers.count({Window, Id}) != 0;
}

// A period that passes while the tick still waits adds nothing: the timer stays due once, in
// its place from when it first fell due.
void TNativeEventQueue::TimerFell(TNativeWindow Window, uintptr_t Id)
{
    std::lock_guard lock(FMutex);
    const auto it = FTimers.find({Window, Id});
    if (it == FTimers.end() || it->second != 0)
        return;
    it->second = ++FFallCount;
    FArrived.notify_all();
}

bool TNativeEventQueue::Take(TNativeEvent& Event, bool IncludeTimers)
{
    std::lock_guard lock(FMutex);
    if (!FEvents.empty()) {
        Event = FEvents.front();
        FEvents.pop_front();
        return true;
    }
    if (!IncludeTimers)
        return false;
    auto first = FTimers.end();
    for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
        if (it->second != 0 && (first == FTimers.end() || it->second < first->second))
            first = it;
    if (first == FTimers.end())
        return false;
    first->second = 0;
    Event = TNativeEvent{};
    Event.Kind = TNativeEvent::Timer;
    Event.Window = first->first.first;
    Event.TimerId = first->first.second;
    return true;
}

bool TNativeEventQueue::WaitingLocked(bool IncludeTimers) const
{
    if (!FEvents.empty())
        return true;
    return IncludeTimers && std::any_of(FTimers.begin(), FTimers.end(), [](const auto& t) { return t.second != 0; });
}

bool TNativeEventQueue::Waiting(bool IncludeTimers) const
{
    std::lock_guard lock(FMutex);
    return WaitingLocked(IncludeTimers);
}

size_t TNativeEventQueue::Size() const
{
    std::lock_guard lock(FMutex);
    return FEvents.size();
}

bool TNativeEventQueue::AmendNewest(const std::function<bool(TNativeEvent&)>& Change)
{
    std::lock_guard lock(FMutex);
    return !FEvents.empty() && Change(FEvents.back());
}

bool TNativeEventQueue::WaitFor(std::chrono::milliseconds Limit)
{
    std::unique_lock lock(FMutex);
    const bool ready = FArrived.wait_for(lock, Limit, [this] { return FWoken || WaitingLocked(true); });
    FWoken = false;
    return ready;
}
