#include "widgets/TLMDTimer.h"

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

void TLMDTimer::Restart()
{
    Stop();
    if (FEnabled && FInterval > 0)
        FRunning = FWindow.SetTimer(TimerId, FInterval);
}

void TLMDTimer::Stop()
{
    if (FRunning)
        FWindow.KillTimer(TimerId);
    FRunning = false;
}
