#include "framework/MessageWindow.h"

#include "framework/Application.h"

TMessageWindow::TMessageWindow(std::function<void(TMessage&)> Procedure) : FProcedure(std::move(Procedure)) {}

TMessageWindow::~TMessageWindow()
{
    if (!FHandle)
        return;
    Application().UnregisterTarget(FHandle);
    if (INativeWindows* w = Application().Windows())
        w->Destroy(FHandle);
}

TNativeWindow TMessageWindow::Handle()
{
    if (FHandle)
        return FHandle;
    INativeWindows* w = Application().Windows();
    if (!w)
        return 0;
    TNativeWindowParams params;
    params.Kind = TNativeWindowKind::MessageOnly;
    params.MessageOnly = true;
    FHandle = w->Create(params);
    if (FHandle)
        Application().RegisterTarget(FHandle, this);
    return FHandle;
}

bool TMessageWindow::SetTimer(uintptr_t Id, uint32_t Milliseconds)
{
    const TNativeWindow h = Handle();
    return h && Application().Windows()->StartTimer(h, Id, Milliseconds);
}

void TMessageWindow::KillTimer(uintptr_t Id)
{
    if (FHandle)
        Application().Windows()->StopTimer(FHandle, Id);
}

void TMessageWindow::PostMessage(uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
    if (const TNativeWindow h = Handle())
        Application().Windows()->Post(h, Msg, WParam, LParam);
}

void TMessageWindow::HandleNativeEvent(const TNativeEvent& Event)
{
    TMessage m;
    if (Event.Kind == TNativeEvent::Timer) {
        m.Msg = WM_TIMER;
        m.WParam = Event.TimerId;
    } else if (Event.Kind == TNativeEvent::Message) {
        m.Msg = Event.Msg;
        m.WParam = Event.WParam;
        m.LParam = Event.LParam;
    } else {
        return;
    }
    if (FProcedure)
        FProcedure(m);
}
