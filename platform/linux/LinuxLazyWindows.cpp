#include "platform/linux/LinuxLazyWindows.h"

#include <cstdio>

#include "platform/linux/LinuxWindowSystem.h"

TLinuxLazyWindows::TLinuxLazyWindows() = default;

TLinuxLazyWindows::~TLinuxLazyWindows() = default;

TLinuxWindowSystem* TLinuxLazyWindows::Opened() const
{
    if (!FTried) {
        FTried = true;
        FSystem = TLinuxWindowSystem::Open();
        FShared.store(FSystem.get());
        // A wake given before the display was open is kept for the first wait.
        if (FSystem && const_cast<TLinuxLazyWindows*>(this)->FWokenEarly.exchange(false))
            FSystem->Wake();
    }
    return FSystem.get();
}

TNativeWindow TLinuxLazyWindows::Create(const TNativeWindowParams& Params)
{
    TLinuxWindowSystem* s = Opened();
    return s ? s->Create(Params) : 0;
}

void TLinuxLazyWindows::Destroy(TNativeWindow Window)
{
    if (TLinuxWindowSystem* s = Opened())
        s->Destroy(Window);
}

void TLinuxLazyWindows::SetBounds(TNativeWindow Window, const TRect& Bounds)
{
    if (TLinuxWindowSystem* s = Opened())
        s->SetBounds(Window, Bounds);
}

void TLinuxLazyWindows::SetCaption(TNativeWindow Window, const std::string& Caption)
{
    if (TLinuxWindowSystem* s = Opened())
        s->SetCaption(Window, Caption);
}

void TLinuxLazyWindows::Show(TNativeWindow Window, bool Visible)
{
    if (TLinuxWindowSystem* s = Opened())
        s->Show(Window, Visible);
}

TRect TLinuxLazyWindows::FrameInsets(const TNativeWindowParams& Params) const
{
    TLinuxWindowSystem* s = Opened();
    return s ? s->FrameInsets(Params) : TRect{};
}

void TLinuxLazyWindows::Present(TNativeWindow Window, const TBitmap& BackBuffer, const TRect& Area)
{
    if (TLinuxWindowSystem* s = Opened())
        s->Present(Window, BackBuffer, Area);
}

std::unique_ptr<IPixelStore> TLinuxLazyWindows::BackBufferStore(TNativeWindow Window)
{
    TLinuxWindowSystem* s = Opened();
    return s ? s->BackBufferStore(Window) : nullptr;
}

void TLinuxLazyWindows::SetPointer(TNativeWindow Window, TCursor Shape)
{
    if (TLinuxWindowSystem* s = Opened())
        s->SetPointer(Window, Shape);
}

bool TLinuxLazyWindows::StartTimer(TNativeWindow Window, uintptr_t Id, uint32_t Milliseconds)
{
    TLinuxWindowSystem* s = Opened();
    return s && s->StartTimer(Window, Id, Milliseconds);
}

void TLinuxLazyWindows::StopTimer(TNativeWindow Window, uintptr_t Id)
{
    if (TLinuxWindowSystem* s = Opened())
        s->StopTimer(Window, Id);
}

// Any thread: before the display is open there is no window to post to.
void TLinuxLazyWindows::Post(TNativeWindow Window, uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
    if (TLinuxWindowSystem* s = FShared.load())
        s->Post(Window, Msg, WParam, LParam);
}

void TLinuxLazyWindows::Wake()
{
    if (TLinuxWindowSystem* s = FShared.load())
        s->Wake();
    else
        FWokenEarly.store(true);
}

bool TLinuxLazyWindows::PeekEvent(TNativeEvent& Event, bool IncludeTimers)
{
    TLinuxWindowSystem* s = Opened();
    return s && s->PeekEvent(Event, IncludeTimers);
}

void TLinuxLazyWindows::WaitForEvent()
{
    if (TLinuxWindowSystem* s = Opened())
        s->WaitForEvent();
}

void TLinuxLazyWindows::DefaultSystemCommand(TNativeWindow Window, uint32_t Command)
{
    if (TLinuxWindowSystem* s = Opened())
        s->DefaultSystemCommand(Window, Command);
}

void TLinuxLazyWindows::BeginMoveDrag(TNativeWindow Window)
{
    if (TLinuxWindowSystem* s = Opened())
        s->BeginMoveDrag(Window);
}

void TLinuxLazyWindows::CapturePointer(TNativeWindow Window, bool Capture)
{
    if (TLinuxWindowSystem* s = Opened())
        s->CapturePointer(Window, Capture);
}

uintptr_t TLinuxLazyWindows::SystemHandle(TNativeWindow Window) const
{
    TLinuxWindowSystem* s = Opened();
    return s ? s->SystemHandle(Window) : 0;
}

bool TLinuxLazyWindows::SystemWindowRect(uintptr_t Handle, TRect& Rect) const
{
    TLinuxWindowSystem* s = Opened();
    return s && s->SystemWindowRect(Handle, Rect);
}

std::unique_ptr<INativeChildView> TLinuxLazyWindows::CreateChildView(TNativeWindow Parent, uint32_t RGB)
{
    TLinuxWindowSystem* s = Opened();
    return s ? s->CreateChildView(Parent, RGB) : nullptr;
}

TRect TLinuxLazyWindows::ScreenRect() const
{
    TLinuxWindowSystem* s = Opened();
    return s ? s->ScreenRect() : TRect{};
}

void TLinuxLazyWindows::ShowErrorBox(const std::string& Caption, const std::string& Text)
{
    if (TLinuxWindowSystem* s = Opened())
        s->ShowErrorBox(Caption, Text);
    else
        std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
}

void TLinuxLazyWindows::ShowInfoBox(const std::string& Caption, const std::string& Text)
{
    if (TLinuxWindowSystem* s = Opened())
        s->ShowInfoBox(Caption, Text);
    else
        std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
}
