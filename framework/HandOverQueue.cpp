#include "framework/HandOverQueue.h"

#include <chrono>

THandOverQueue& THandOverQueue::Instance()
{
    static THandOverQueue queue;
    return queue;
}

void THandOverQueue::Open(std::function<void()> Wake, std::function<void()> ReportError)
{
    std::lock_guard lock(FMutex);
    FMainThread = std::this_thread::get_id();
    FWake = std::move(Wake);
    FReportError = std::move(ReportError);
    FOpen = true;
}

void THandOverQueue::Close()
{
    std::lock_guard lock(FMutex);
    FOpen = false;
    FWake = nullptr;
    for (auto& e : FEntries)
        e->Finished = true;
    FEntries.clear();
    FChanged.notify_all();
}

bool THandOverQueue::Run(std::function<void()> Call, THandOverChannel* Channel)
{
    if (IsMainThread()) {
        if (Channel && Channel->Closed())
            return false;
        Call();
        return true;
    }
    auto entry = std::make_shared<TEntry>();
    entry->Call = std::move(Call);
    entry->Channel = Channel;
    std::unique_lock lock(FMutex);
    if (!FOpen || (Channel && Channel->FClosed))
        return false;
    FEntries.push_back(entry);
    // The wake function only signals the backend; it never calls back into this queue.
    if (FWake)
        FWake();
    FChanged.notify_all();
    FChanged.wait(lock, [&] { return entry->Finished; });
    return entry->Ran;
}

std::shared_ptr<THandOverQueue::TEntry> THandOverQueue::TakeNext()
{
    std::lock_guard lock(FMutex);
    if (FEntries.empty())
        return nullptr;
    auto entry = FEntries.front();
    FEntries.pop_front();
    return entry;
}

bool THandOverQueue::RunPending()
{
    bool ran = false;
    while (auto entry = TakeNext()) {
        try {
            entry->Call();
        } catch (...) {
            if (FReportError)
                FReportError();
        }
        ran = true;
        std::lock_guard lock(FMutex);
        entry->Ran = true;
        entry->Finished = true;
        FChanged.notify_all();
    }
    return ran;
}

void THandOverQueue::WaitServing(const std::function<bool()>& Ready)
{
    for (;;) {
        RunPending();
        if (Ready())
            return;
        std::unique_lock lock(FMutex);
        if (FEntries.empty())
            FChanged.wait_for(lock, std::chrono::milliseconds(5));
    }
}

size_t THandOverQueue::Pending() const
{
    std::lock_guard lock(FMutex);
    return FEntries.size();
}

void THandOverQueue::Notify()
{
    std::lock_guard lock(FMutex);
    FChanged.notify_all();
}

void THandOverQueue::DropChannel(THandOverChannel& Channel)
{
    std::lock_guard lock(FMutex);
    Channel.FClosed = true;
    for (auto it = FEntries.begin(); it != FEntries.end();) {
        if ((*it)->Channel == &Channel) {
            (*it)->Finished = true;
            it = FEntries.erase(it);
        } else {
            ++it;
        }
    }
    FChanged.notify_all();
}

void THandOverChannel::Close() { THandOverQueue::Instance().DropChannel(*this); }

void THandOverChannel::Reopen()
{
    std::lock_guard lock(THandOverQueue::Instance().FMutex);
    FClosed = false;
}

bool THandOverChannel::Closed() const
{
    std::lock_guard lock(THandOverQueue::Instance().FMutex);
    return FClosed;
}
