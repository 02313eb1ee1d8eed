#pragma once
#include <functional>

#include "framework/Message.h"
#include "framework/NativeEventTarget.h"

// A window that is never shown: a target for timers and posted messages of objects that have
// no window of their own. Its procedure gets WM_TIMER for each timer period and every message
// posted to it, on the main thread.
class TMessageWindow : public INativeEventTarget {
public:
    explicit TMessageWindow(std::function<void(TMessage&)> Procedure);
    ~TMessageWindow() override;
    TMessageWindow(const TMessageWindow&) = delete;
    TMessageWindow& operator=(const TMessageWindow&) = delete;

    // The native window, created on first use; 0 when the system refused it.
    TNativeWindow Handle();
    // False when the system refuses the timer.
    bool SetTimer(uintptr_t Id, uint32_t Milliseconds);
    void KillTimer(uintptr_t Id);
    void PostMessage(uint32_t Msg, uintptr_t WParam, intptr_t LParam);

    void HandleNativeEvent(const TNativeEvent& Event) override;

private:
    std::function<void(TMessage&)> FProcedure;
    TNativeWindow FHandle = 0;
};
