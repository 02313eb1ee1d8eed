#include "widgets/TLMDTimerPool.h"

#include <vector>

#include "platform/IClock.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"

namespace {

uint32_t Now()
{
    const IClock* clock = CurrentPlatform().Clock;
    return clock ? clock->TickCount() : 0;
}

}  // namespace

TLMDTimerPool& TLMDTimerPool::Program()
{
    static TLMDTimerPool pool;
    return pool;
}

TLMDTimerPool::TLMDTimerPool() = default;

TLMDTimerPool::~TLMDTimerPool()
{
    if (FWindow)
        FWindow->KillTimer(TimerId);
}

uint32_t TLMDTimerPool::Add(uint16_t Interval, std::function<void()> OnTimer)
{
    if (!FWindow) {
        auto window = std::make_unique<TMessageWindow>([this](TMessage& Message) {
            if (Message.Msg == WM_TIMER && Message.WParam == TimerId)
                Tick();
        });
        if (!window->SetTimer(TimerId, Granularity))
            throw Exception("Not enough timers available!");
        FWindow = std::move(window);
    }
    const uint32_t id = FNextId++;
    const uint32_t interval = Interval < Granularity ? Granularity : Interval;
    FTimers[id] = TEntry{interval, Now() + interval, std::move(OnTimer)};
    return id;
}

// The pool's own timer stops with its last timer, so an empty pool costs nothing.
void TLMDTimerPool::Remove(uint32_t Id)
{
    FTimers.erase(Id);
    if (FTimers.empty() && FWindow) {
        FWindow->KillTimer(TimerId);
        FWindow.reset();
    }
}

// A handler may add or remove timers, so the due ones are collected first and each is looked up
// again before it runs.
void TLMDTimerPool::Tick()
{
    const uint32_t now = Now();
    std::vector<uint32_t> due;
    for (auto& [id, entry] : FTimers) {
        // The difference read as signed keeps the comparison right across the wrap of the count.
        if (static_cast<int32_t>(now - entry.Due) >= 0) {
            entry.Due = now + entry.Interval;
            due.push_back(id);
        }
    }
    for (const uint32_t id : due) {
        const auto found = FTimers.find(id);
        if (found != FTimers.end() && found->second.OnTimer)
            found->second.OnTimer();
    }
}
