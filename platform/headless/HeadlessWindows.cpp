#include "platform/headless/HeadlessWindows.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "platform/IClock.h"
#include "platform/headless/HeadlessChildView.h"
#include "platform/core/Exception.h"

THeadlessWindows::THeadlessWindows(IClock& Clock, int32_t ScreenWidth, int32_t ScreenHeight)
    : FClock(Clock), FScreenWidth(ScreenWidth), FScreenHeight(ScreenHeight)
{
}

THeadlessWindows::~THeadlessWindows() = default;

THeadlessWindows::TWindowState* THeadlessWindows::Find(TNativeWindow Window)
{
    auto it = FWindows.find(Window);
    return it == FWindows.end() ? nullptr : it->second.get();
}

TNativeWindow THeadlessWindows::Create(const TNativeWindowParams& Params)
{
    auto state = std::make_unique<TWindowState>();
    state->Params = Params;
    const TRect f = FrameInsets(Params);
    state->Pixels.SetSize(Params.Bounds.Width() - f.Left - f.Right, Params.Bounds.Height() - f.Top - f.Bottom);
    const TNativeWindow handle = FNextHandle++;
    FWindows[handle] = std::move(state);
    FQueue.Open(handle);
    return handle;
}

void THeadlessWindows::Destroy(TNativeWindow Window)
{
    FWindows.erase(Window);
    for (auto it = FTimers.begin(); it != FTimers.end();)
        it = it->first.first == Window ? FTimers.erase(it) : std::next(it);
    FQueue.Purge(Window);
}

void THeadlessWindows::SetBounds(TNativeWindow Window, const TRect& Bounds)
{
    if (TWindowState* w = Find(Window)) {
        w->Params.Bounds = Bounds;
        const TRect f = FrameInsets(w->Params);
        w->Pixels.SetSize(Bounds.Width() - f.Left - f.Right, Bounds.Height() - f.Top - f.Bottom);
    }
}

void THeadlessWindows::SetCaption(TNativeWindow Window, const std::string& Caption)
{
    if (TWindowState* w = Find(Window))
        w->Params.Caption = Caption;
}

void THeadlessWindows::Show(TNativeWindow Window, bool Visible)
{
    if (TWindowState* w = Find(Window))
        w->Visible = Visible && !w->Params.MessageOnly;
}

TRect THeadlessWindows::FrameInsets(const TNativeWindowParams& Params) const
{
    return Params.Border || Params.TitleBar ? FFrameInsets : TRect{};
}

void THeadlessWindows::Present(TNativeWindow Window, const TBitmap& BackBuffer, const TRect& Area)
{
    TWindowState* w = Find(Window);
    if (!w)
        return;
    const TRect r = Area.Intersected(BitmapRect(BackBuffer)).Intersected(BitmapRect(w->Pixels));
    w->Presented.push_back(Area);
    if (r.IsEmpty())
        return;
    for (int32_t y = r.Top; y < r.Bottom; ++y)
        std::memcpy(w->Pixels.Scanline(y) + r.Left, BackBuffer.Scanline(y) + r.Left, sizeof(TPixel) * r.Width());
}

void THeadlessWindows::SetPointer(TNativeWindow Window, TCursor Shape)
{
    if (TWindowState* w = Find(Window))
        w->Pointer = Shape;
}

bool THeadlessWindows::StartTimer(TNativeWindow Window, uintptr_t Id, uint32_t Milliseconds)
{
    if (!Find(Window) || FTimersRefused)
        return false;
    // The system raises periods below 10 ms to 10 ms.
    const uint32_t period = std::max<uint32_t>(Milliseconds, 10);
    FTimers[{Window, Id}] = TTimer{period, FClock.TickCount() + period};
    FQueue.StartTimer(Window, Id);
    return true;
}

void THeadlessWindows::StopTimer(TNativeWindow Window, uintptr_t Id)
{
    FTimers.erase({Window, Id});
    FQueue.StopTimer(Window, Id);
}

bool THeadlessWindows::TimerRunning(TNativeWindow Window, uintptr_t Id) const { return FTimers.count({Window, Id}) != 0; }

void THeadlessWindows::Post(TNativeWindow Window, uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
    FQueue.Post(Window, Msg, WParam, LParam);
}

void THeadlessWindows::Queue(const TNativeEvent& Event) { FQueue.Push(Event); }

size_t THeadlessWindows::QueuedEvents() const { return FQueue.Size(); }

void THeadlessWindows::Wake() { FQueue.Wake(); }

// A timer falls due once the clock has reached its time; after its event the next period
// starts from now, so a clock that jumped several periods gives one event, as the system's
// timers do.
void THeadlessWindows::FallDueTimers()
{
    const uint32_t now = FClock.TickCount();
    for (auto& [key, timer] : FTimers)
        if (static_cast<int32_t>(now - timer.Due) >= 0)
            FQueue.TimerFell(key.first, key.second);
}

bool THeadlessWindows::PeekEvent(TNativeEvent& Event, bool IncludeTimers)
{
    if (IncludeTimers)
        FallDueTimers();
    if (!FQueue.Take(Event, IncludeTimers))
        return false;
    if (Event.Kind == TNativeEvent::Timer)
        if (const auto it = FTimers.find({Event.Window, Event.TimerId}); it != FTimers.end())
            it->second.Due = FClock.TickCount() + it->second.Period;
    return true;
}

bool THeadlessWindows::Ready()
{
    FallDueTimers();
    const bool woken = FQueue.TakeWake();
    return FQueue.Waiting(true) || woken;
}

void THeadlessWindows::WaitForEvent()
{
    ++FWaitCount;
    if (FStalled)
        throw Exception("The headless window system stalled: nothing can arrive");
    if (Ready())
        return;
    if (FOnWait) {
        FOnWait();
        if (Ready())
            return;
    }
    if (!FQueue.WaitFor(std::chrono::milliseconds(FStallLimit))) {
        FStalled = true;
        throw Exception("The headless window system stalled: nothing can arrive");
    }
}

void THeadlessWindows::DefaultSystemCommand(TNativeWindow, uint32_t Command) { FSystemCommands.push_back(Command); }

void THeadlessWindows::BeginMoveDrag(TNativeWindow) { ++FMoveDrags; }

void THeadlessWindows::ShowErrorBox(const std::string& Caption, const std::string& Text)
{
    FErrorBoxes.push_back({Caption, Text});
}

void THeadlessWindows::ShowInfoBox(const std::string& Caption, const std::string& Text)
{
    FInfoBoxes.push_back({Caption, Text});
}

void THeadlessWindows::SetScreenSize(int32_t Width, int32_t Height)
{
    FScreenWidth = std::max(Width, 0);
    FScreenHeight = std::max(Height, 0);
}

namespace {

TNativeEvent MakeEvent(TNativeEvent::TKind Kind, TNativeWindow Window, TShiftState Shift = 0)
{
    TNativeEvent e;
    e.Kind = Kind;
    e.Window = Window;
    e.Shift = Shift;
    return e;
}

}  // namespace

void THeadlessWindows::KeyDown(TNativeWindow Window, uint16_t Key, TShiftState Shift)
{
    TNativeEvent e = MakeEvent(TNativeEvent::KeyDown, Window, Shift);
    e.Key = Key;
    Queue(e);
}

void THeadlessWindows::KeyUp(TNativeWindow Window, uint16_t Key, TShiftState Shift)
{
    TNativeEvent e = MakeEvent(TNativeEvent::KeyUp, Window, Shift);
    e.Key = Key;
    Queue(e);
}

void THeadlessWindows::MouseDown(TNativeWindow Window, TMouseButton Button, TPoint Position, TShiftState Shift)
{
    TNativeEvent e = MakeEvent(TNativeEvent::MouseDown, Window, Shift);
    e.Button = Button;
    e.Position = Position;
    Queue(e);
}

void THeadlessWindows::MouseUp(TNativeWindow Window, TMouseButton Button, TPoint Position, TShiftState Shift)
{
    TNativeEvent e = MakeEvent(TNativeEvent::MouseUp, Window, Shift);
    e.Button = Button;
    e.Position = Position;
    Queue(e);
}

void THeadlessWindows::MouseMove(TNativeWindow Window, TPoint Position, TShiftState Shift)
{
    TNativeEvent e = MakeEvent(TNativeEvent::MouseMove, Window, Shift);
    e.Position = Position;
    Queue(e);
}

void THeadlessWindows::Wheel(TNativeWindow Window, int32_t Delta, TPoint Position, TShiftState Shift)
{
    TNativeEvent e = MakeEvent(TNativeEvent::Wheel, Window, Shift);
    e.WheelDelta = Delta;
    e.Position = Position;
    Queue(e);
}

void THeadlessWindows::Activate(TNativeWindow Window, bool Active)
{
    TNativeEvent e = MakeEvent(TNativeEvent::Activate, Window);
    e.Active = Active;
    Queue(e);
}

void THeadlessWindows::SystemCommand(TNativeWindow Window, uint32_t Command)
{
    TNativeEvent e = MakeEvent(TNativeEvent::SystemCommand, Window);
    e.Command = Command;
    Queue(e);
}

void THeadlessWindows::CloseRequest(TNativeWindow Window) { Queue(MakeEvent(TNativeEvent::CloseRequest, Window)); }

void THeadlessWindows::Expose(TNativeWindow Window, const TRect& Area)
{
    TNativeEvent e = MakeEvent(TNativeEvent::Expose, Window);
    e.Area = Area;
    Queue(e);
}

const THeadlessWindows::TWindowState* THeadlessWindows::Window(TNativeWindow Window) const
{
    auto it = FWindows.find(Window);
    return it == FWindows.end() ? nullptr : it->second.get();
}

std::vector<TNativeWindow> THeadlessWindows::Windows() const
{
    std::vector<TNativeWindow> out;
    for (const auto& [h, w] : FWindows)
        out.push_back(h);
    return out;
}

const TBitmap& THeadlessWindows::Pixels(TNativeWindow Window) const
{
    static const TBitmap none;
    const TWindowState* w = this->Window(Window);
    return w ? w->Pixels : none;
}

std::vector<TRect> THeadlessWindows::PresentedAreas(TNativeWindow Window) const
{
    const TWindowState* w = this->Window(Window);
    return w ? w->Presented : std::vector<TRect>{};
}

void THeadlessWindows::ClearPresented(TNativeWindow Window)
{
    if (TWindowState* w = Find(Window))
        w->Presented.clear();
}

TCursor THeadlessWindows::Pointer(TNativeWindow Window) const
{
    const TWindowState* w = this->Window(Window);
    return w ? w->Pointer : crDefault;
}

void THeadlessWindows::MouseEnter(TNativeWindow Window, TPoint Position)
{
    TNativeEvent e = MakeEvent(TNativeEvent::MouseEnter, Window);
    e.Position = Position;
    Queue(e);
}

void THeadlessWindows::MouseLeave(TNativeWindow Window) { Queue(MakeEvent(TNativeEvent::MouseLeave, Window)); }

void THeadlessWindows::CapturePointer(TNativeWindow Window, bool Capture)
{
    FCaptureChanges.emplace_back(Window, Capture);
    if (Capture)
        FPointerCapture = Window;
    else if (FPointerCapture == Window)
        FPointerCapture = 0;
}

// A window's system handle is its handle here.
uintptr_t THeadlessWindows::SystemHandle(TNativeWindow Window) const
{
    const TWindowState* w = this->Window(Window);
    return w && !w->Params.MessageOnly && w->Params.Kind != TNativeWindowKind::MessageOnly ? Window : 0;
}

bool THeadlessWindows::SystemWindowRect(uintptr_t Handle, TRect& Rect) const
{
    if (auto it = FForeignWindows.find(Handle); it != FForeignWindows.end()) {
        Rect = it->second;
        return true;
    }
    if (SystemHandle(Handle) == 0)
        return false;
    Rect = this->Window(Handle)->Params.Bounds;
    return true;
}

std::unique_ptr<INativeChildView> THeadlessWindows::CreateChildView(TNativeWindow Parent, uint32_t RGB)
{
    if (!Find(Parent))
        return nullptr;
    return std::make_unique<THeadlessChildView>(Parent, RGB, FNextViewHandle++);
}

void THeadlessWindows::AddForeignWindow(uintptr_t Handle, const TRect& Rect) { FForeignWindows[Handle] = Rect; }

void THeadlessWindows::DestroyForeignWindow(uintptr_t Handle)
{
    if (FForeignWindows.erase(Handle) == 0)
        return;
    for (const auto& [h, w] : FWindows)
        if (w->Params.Kind == TNativeWindowKind::ForeignChild && w->Params.Host == Handle)
            Queue(MakeEvent(TNativeEvent::Destroyed, h));
}

std::vector<TNativeWindow> THeadlessWindows::WindowsOfKind(TNativeWindowKind Kind) const
{
    std::vector<TNativeWindow> out;
    for (const auto& [h, w] : FWindows)
        if (w->Params.Kind == Kind)
            out.push_back(h);
    return out;
}
