#include "widgets/TLMDTimer.h"

#include "widgets/TLMDTimerPool.h"

TLMDTimer::TLMDTimer(std::function<void()> OnTimer, uint16_t Interval, bool Enabled)
    : FOnTimer(std::move(OnTimer)),
      FInterval(Interval),
      FEnabled(Enabled),
      FWindow([this](TMessage& Message) {
          if (Message.Msg == WM_TIMER && Message.WParam == TimerId && FRunning && FOnTimer)
              FOnTimer();
      })
{
    Restart();
}

TLMDTimer::~TLMDTimer() { Stop(); }

void TLMDTimer::SetInterval(uint16_t Value)
{
    if (Value == FInterval)
        return;
    FInterval = Value;
    Restart();
}

void TLMDTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    Restart();
}

void TLMDTimer::SetUseGlobalTimer(bool Value)
{
    if (Value == FUseGlobalTimer)
        return;
    Stop();
    FUseGlobalTimer = Value;
    Restart();
}

uint16_t TLMDTimer::EffectiveInterval() const
{
    if (!FUseGlobalTimer || FInterval == 0)
        return FInterval;
    const uint32_t ticks = (FInterval + TLMDTimerPool::Granularity - 1) / TLMDTimerPool::Granularity;
    const uint32_t rounded = ticks * TLMDTimerPool::Granularity;
    return static_cast<uint16_t>(rounded > 0xFFFF ? 0xFFFF - 0xFFFF % TLMDTimerPool::Granularity : rounded);
}

void TLMDTimer::Restart()
{
    Stop();
    if (!FEnabled || FInterval == 0)
        return;
    if (!FUseGlobalTimer) {
        FRunning = FWindow.SetTimer(TimerId, FInterval);
        return;
    }
    FPoolId = TLMDTimerPool::Program().Add(EffectiveInterval(), [this] {
        if (FOnTimer)
            FOnTimer();
    });
    FRunning = true;
}

void TLMDTimer::Stop()
{
    if (FRunning && FUseGlobalTimer)
        TLMDTimerPool::Program().Remove(FPoolId);
    else if (FRunning)
        FWindow.KillTimer(TimerId);
    FRunning = false;
    FPoolId = 0;
}
