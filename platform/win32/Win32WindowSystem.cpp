#include "platform/win32/Win32WindowSystem.h"

#include <windowsx.h>

#include <algorithm>
#include <set>

#include "platform/core/NativeWindowKind.h"
#include "platform/gfx/Bitmap.h"
#include "platform/win32/Win32ChildView.h"
#include "platform/win32/Win32PixelStore.h"
#include "platform/win32/WideText.h"

namespace {

// Window positions and sizes travel through the system as 16-bit values in places (mouse
// positions, the X11 protocol under Wine), so no window reaches beyond them.
constexpr int64_t LargestCoordinate = 0x7FFF;

// A foreign control that posts to itself on every message could keep the pump going for ever;
// after this many messages without an event the pump yields to the loop, which comes back at
// once because the system's queue still holds messages.
constexpr int MessagesPerPeek = 64;

// How often a wait looks at the foreign hosts' sizes, in milliseconds, for a system that does
// not report them.
constexpr DWORD HostLookPeriod = 250;

struct TWindowStyle {
    DWORD Style = 0;
    DWORD ExStyle = 0;
};

// The style of a window of resolved parameters (see ResolvedWindowParams).
TWindowStyle StyleOf(const TNativeWindowParams& Params)
{
    TWindowStyle s;
    // Child views (a native browser view, a test view) are never drawn over by presents.
    s.Style = WS_CLIPCHILDREN;
    switch (Params.Kind) {
    case TNativeWindowKind::ForeignChild:
        s.Style |= WS_CHILD | WS_CLIPSIBLINGS;
        return s;
    case TNativeWindowKind::Popup:
        // Never activated, and no button of its own on the task bar.
        s.Style |= WS_POPUP;
        s.ExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
        break;
    default:
        if (Params.TitleBar)
            s.Style |= WS_CAPTION | WS_SYSMENU;
        else
            s.Style |= WS_POPUP | (Params.Border ? WS_BORDER : 0);
        break;
    }
    if (Params.StayOnTop)
        s.ExStyle |= WS_EX_TOPMOST;
    return s;
}

int32_t Clamped(int64_t Value, int64_t Low, int64_t High) { return static_cast<int32_t>(std::clamp(Value, Low, High)); }

TRect RectOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The outer rectangle in the coordinates the program places the window in: the screen for a
// top-level window, the parent's client area for a child.
bool OuterRect(HWND Window, TRect& Rect)
{
    RECT r;
    if (!GetWindowRect(Window, &r))
        return false;
    if (GetWindowLongW(Window, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(Window), reinterpret_cast<POINT*>(&r), 2);
    Rect = RectOf(r);
    return true;
}

// The program draws every pixel itself at the screen's own resolution; without this the
// system would scale its windows up, blurred, on a screen set to a larger text size. Looked up
// by name, since older systems do not have it.
void AskForRealPixels()
{
    using TSetAware = BOOL(WINAPI*)();
    if (HMODULE user = GetModuleHandleW(L"user32.dll"))
        if (auto setAware = reinterpret_cast<TSetAware>(reinterpret_cast<void*>(GetProcAddress(user, "SetProcessDPIAware"))))
            setAware();
}

// A position and size the system takes: an inverted rectangle has no size, and everything
// stays within the coordinates the system can carry.
struct TPlacement {
    int X, Y, Width, Height;
};

TPlacement PlacementOf(const TRect& Bounds)
{
    return {Clamped(Bounds.Left, -LargestCoordinate, LargestCoordinate),
            Clamped(Bounds.Top, -LargestCoordinate, LargestCoordinate),
            Clamped(int64_t{Bounds.Right} - Bounds.Left, 0, LargestCoordinate),
            Clamped(int64_t{Bounds.Bottom} - Bounds.Top, 0, LargestCoordinate)};
}

TShiftState KeyboardShift()
{
    const auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    return (down(VK_SHIFT) ? ssShift : 0) | (down(VK_MENU) ? ssAlt : 0) | (down(VK_CONTROL) ? ssCtrl : 0) |
           (down(VK_LBUTTON) ? ssLeft : 0) | (down(VK_RBUTTON) ? ssRight : 0) | (down(VK_MBUTTON) ? ssMiddle : 0);
}

// Mouse messages carry the buttons and the Shift and Ctrl keys as they are after the message;
// only Alt has to be asked for.
TShiftState MouseShift(WPARAM Keys)
{
    return ((Keys & MK_SHIFT) ? ssShift : 0) | ((Keys & MK_CONTROL) ? ssCtrl : 0) | ((Keys & MK_LBUTTON) ? ssLeft : 0) |
           ((Keys & MK_RBUTTON) ? ssRight : 0) | ((Keys & MK_MBUTTON) ? ssMiddle : 0) |
           ((GetKeyState(VK_MENU) & 0x8000) ? ssAlt : 0);
}

HCURSOR PointerOf(TCursor Shape)
{
    switch (Shape) {
    case crNone:
        return nullptr;
    case crCross:
        return LoadCursorW(nullptr, IDC_CROSS);
    case crIBeam:
        return LoadCursorW(nullptr, IDC_IBEAM);
    case crHandPoint:
        return LoadCursorW(nullptr, IDC_HAND);
    default:
        return LoadCursorW(nullptr, IDC_ARROW);
    }
}

TNativeEvent EventOf(TNativeEvent::TKind Kind, HWND Window)
{
    TNativeEvent e;
    e.Kind = Kind;
    e.Window = reinterpret_cast<TNativeWindow>(Window);
    return e;
}

const wchar_t ClassName[] = L"QuorvelWindow";

// One window class serves every window system object of the process; the window procedure
// finds its object through the window.
ATOM RegisterWindowClass(HINSTANCE Instance, WNDPROC Procedure)
{
    static const ATOM atom = [&] {
        WNDCLASSEXW c{};
        c.cbSize = sizeof(c);
        c.style = CS_DBLCLKS;
        c.lpfnWndProc = Procedure;
        c.hInstance = Instance;
        c.lpszClassName = ClassName;
        // No cursor and no background brush: the pointer is set on WM_SETCURSOR and every
        // pixel of the client comes from what the program presented.
        return RegisterClassExW(&c);
    }();
    return atom;
}

}  // namespace

TWin32WindowSystem::TWin32WindowSystem()
    : FInstance(GetModuleHandleW(nullptr)), FWakeEvent(CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
    AskForRealPixels();
    FClass = RegisterWindowClass(FInstance, &WindowProc);
    // A post or wake from any thread ends the wait for the system's messages.
    FQueue.SetWakeHandler([this] { SetEvent(FWakeEvent); });
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    FQuietSpell = frequency.QuadPart / 1000;   // a millisecond
}

TWin32WindowSystem::~TWin32WindowSystem()
{
    while (!FWindows.empty())
        Destroy(reinterpret_cast<TNativeWindow>(FWindows.begin()->first));
    if (FWakeEvent)
        CloseHandle(FWakeEvent);
}

// A window of this system that still exists; the handle of one that went by itself may name
// another window by now.
TWin32WindowSystem::TWindow* TWin32WindowSystem::Find(TNativeWindow Window) const
{
    auto it = FWindows.find(reinterpret_cast<HWND>(Window));
    return it == FWindows.end() || it->second->Destroying ? nullptr : it->second.get();
}

TNativeWindow TWin32WindowSystem::Create(const TNativeWindowParams& Params)
{
    if (!FClass)
        return 0;
    auto window = std::make_unique<TWindow>();
    window->Owner = this;
    const TNativeWindowParams params = ResolvedWindowParams(Params);
    window->MessageOnly = params.MessageOnly;
    window->Kind = params.Kind;
    window->Requested = params.Bounds;
    window->Pointer = PointerOf(crDefault);
    const std::wstring caption = Widen(Params.Caption);
    HWND handle = nullptr;
    if (params.MessageOnly) {
        handle = CreateWindowExW(0, MAKEINTATOM(FClass), caption.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 FInstance, window.get());
    } else {
        // A foreign child's parent is its host, of any process; other windows are owned by the
        // window of this program that they stay above.
        HWND parent = nullptr;
        if (params.Kind == TNativeWindowKind::ForeignChild) {
            parent = reinterpret_cast<HWND>(params.Host);
            if (!parent || !IsWindow(parent))
                return 0;
        } else if (const TWindow* owner = Find(params.Owner); owner && !owner->MessageOnly) {
            parent = owner->Handle;
        }
        const TWindowStyle s = StyleOf(params);
        const TPlacement p = PlacementOf(params.Bounds);
        handle = CreateWindowExW(s.ExStyle, MAKEINTATOM(FClass), caption.c_str(), s.Style, p.X, p.Y, p.Width, p.Height,
                                 parent, nullptr, FInstance, window.get());
    }
    if (!handle)
        return 0;
    // Creation reports no position change; one the system made to the request is told here.
    HandlePositionChanged(*window);
    if (params.Kind == TNativeWindowKind::ForeignChild)
        WatchHost(*window, reinterpret_cast<HWND>(params.Host));
    FWindows[handle] = std::move(window);
    FQueue.Open(reinterpret_cast<TNativeWindow>(handle));
    return reinterpret_cast<TNativeWindow>(handle);
}

void TWin32WindowSystem::Destroy(TNativeWindow Window)
{
    auto it = FWindows.find(reinterpret_cast<HWND>(Window));
    if (it == FWindows.end())
        return;
    TWindow& w = *it->second;
    if (!w.Destroying) {
        w.Destroying = true;
        DestroyWindow(w.Handle);
    }
    FWindows.erase(it);
    // Whatever the window said while it went (deactivation, for one) has nobody to go to.
    FQueue.Purge(Window);
}

void TWin32WindowSystem::SetBounds(TNativeWindow Window, const TRect& Bounds)
{
    TWindow* w = Find(Window);
    if (!w || w->MessageOnly)
        return;
    w->Requested = Bounds;
    const TPlacement p = PlacementOf(Bounds);
    SetWindowPos(w->Handle, nullptr, p.X, p.Y, p.Width, p.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32WindowSystem::SetCaption(TNativeWindow Window, const std::string& Caption)
{
    if (TWindow* w = Find(Window))
        SetWindowTextW(w->Handle, Widen(Caption).c_str());
}

void TWin32WindowSystem::Show(TNativeWindow Window, bool Visible)
{
    TWindow* w = Find(Window);
    if (!w || w->MessageOnly)
        return;
    if (!Visible) {
        CapturePointer(Window, false);
        ShowWindow(w->Handle, SW_HIDE);
        return;
    }
    // A pop-up leaves the activation where it is; so does a child in another program's window.
    const bool activates = w->Kind != TNativeWindowKind::Popup && w->Kind != TNativeWindowKind::ForeignChild;
    ShowWindow(w->Handle, activates ? SW_SHOW : SW_SHOWNOACTIVATE);
    // A window without a frame is not one the window manager hands the keyboard to, so a
    // dialog of that kind asks for it itself, as it must be usable from the keyboard at once.
    if (w->Kind == TNativeWindowKind::Frameless) {
        SetForegroundWindow(w->Handle);
        SetFocus(w->Handle);
    }
}

TRect TWin32WindowSystem::FrameInsets(const TNativeWindowParams& Params) const
{
    const TNativeWindowParams params = ResolvedWindowParams(Params);
    if (params.MessageOnly)
        return {};
    const TWindowStyle s = StyleOf(params);
    // The framework asks for the insets whenever it needs a client rectangle, many times for
    // every paint, and the system works them out from its frame metrics each time; they only
    // change with the style or with the system's settings.
    const auto key = std::make_pair(s.Style, s.ExStyle);
    const auto known = FInsets.find(key);
    if (known != FInsets.end())
        return known->second;
    RECT r{0, 0, 0, 0};
    if (!AdjustWindowRectEx(&r, s.Style, FALSE, s.ExStyle))
        return {};
    const TRect insets{-r.left, -r.top, r.right, r.bottom};
    FInsets.emplace(key, insets);
    return insets;
}

void TWin32WindowSystem::Present(TNativeWindow Window, const TBitmap& BackBuffer, const TRect& Area)
{
    TWindow* w = Find(Window);
    if (!w || w->MessageOnly)
        return;
    const TRect area = Area.Intersected(BitmapRect(BackBuffer));
    if (area.IsEmpty())
        return;
    w->ShownInPlace = w->BackBuffer && w->BackBuffer->Holds(BackBuffer);
    // Kept for the system's repaint requests; a window whose pixels cannot be kept asks the
    // program for them instead. A back buffer in the window's own section is kept as it is.
    if (w->ShownInPlace)
        w->BackBuffer->MarkFilled(area);
    else
        w->Surface.Store(BackBuffer, area);
    // A hidden window shows nothing now; it repaints from the kept pixels when shown.
    if (!IsWindowVisible(w->Handle))
        return;
    HDC dc = GetDC(w->Handle);
    if (!dc)
        return;
    if (w->ShownInPlace) {
        w->BackBuffer->CopyTo(dc, area);
        // The program draws into the section next; GDI must be done reading it.
        GdiFlush();
    } else {
        ShowRows(dc, BackBuffer, area);
    }
    ReleaseDC(w->Handle, dc);
}

// Only the rows of the area go to the system, described as a top-down picture of their own.
void TWin32WindowSystem::ShowRows(HDC Target, const TBitmap& BackBuffer, const TRect& Area)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = BackBuffer.Width();
    info.bmiHeader.biHeight = -Area.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(Target, Area.Left, Area.Top, Area.Width(), Area.Height(), Area.Left, 0, 0, Area.Height(),
                      BackBuffer.Scanline(Area.Top), &info, DIB_RGB_COLORS);
}

std::unique_ptr<IPixelStore> TWin32WindowSystem::BackBufferStore(TNativeWindow Window)
{
    TWindow* w = Find(Window);
    if (!w || w->MessageOnly)
        return nullptr;
    if (!w->BackBuffer)
        w->BackBuffer = std::make_shared<TWin32Surface>();
    return std::make_unique<TWin32PixelStore>(w->BackBuffer);
}

void TWin32WindowSystem::SetPointer(TNativeWindow Window, TCursor Shape)
{
    TWindow* w = Find(Window);
    if (!w)
        return;
    w->Pointer = PointerOf(Shape);
    // The system asks for the pointer only when the pointer moves; one resting over the client
    // changes now.
    POINT p;
    if (!GetCursorPos(&p) || WindowFromPoint(p) != w->Handle)
        return;
    RECT client;
    ScreenToClient(w->Handle, &p);
    if (GetClientRect(w->Handle, &client) && PtInRect(&client, p))
        SetCursor(w->Pointer);
}

bool TWin32WindowSystem::StartTimer(TNativeWindow Window, uintptr_t Id, uint32_t Milliseconds)
{
    TWindow* w = Find(Window);
    if (!w)
        return false;
    FQueue.StartTimer(Window, Id);
    const UINT period = std::clamp<uint32_t>(Milliseconds, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    if (!SetTimer(w->Handle, Id, period, nullptr)) {
        FQueue.StopTimer(Window, Id);
        return false;
    }
    return true;
}

void TWin32WindowSystem::StopTimer(TNativeWindow Window, uintptr_t Id)
{
    TWindow* w = Find(Window);
    if (!w)
        return;
    KillTimer(w->Handle, Id);
    FQueue.StopTimer(Window, Id);
}

void TWin32WindowSystem::Post(TNativeWindow Window, uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
    FQueue.Post(Window, Msg, WParam, LParam);
}

void TWin32WindowSystem::Wake() { FQueue.Wake(); }

// A window dragged or resized by the user reports many rectangles; only the last matters.
void TWin32WindowSystem::Queue(const TNativeEvent& Event)
{
    if (Event.Kind == TNativeEvent::Resized)
        FQueue.PushLatest(Event);
    else
        FQueue.Push(Event);
}

// Takes one message from the system's queue and hands it to its window procedure. Timer
// messages come from the system only when nothing else waits; the events they become wait
// behind all others in the event queue, so taking them early changes no order.
bool TWin32WindowSystem::DispatchOne()
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    if (InQuietSpell(now.QuadPart))
        return false;
    MSG m;
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        FQuietSince = now.QuadPart;
        return false;
    }
    FQuietSince = 0;
    // The program ends by closing its main window; a quit request of some control means nothing.
    if (m.message == WM_QUIT)
        return true;
    TranslateMessage(&m);
    DispatchMessageW(&m);
    return true;
}

// The framework peeks several times in one pass of its loop, each time right after the last,
// and asking the system's queue costs a call into the system each time (a round trip to the
// server under Wine). Right after a look that found the queue empty another one finds it empty
// too, so within a short spell after such a look the queue is left alone: a message that
// arrives in that spell waits at most that long.
bool TWin32WindowSystem::InQuietSpell(int64_t Now) const
{
    return FQuietSince != 0 && Now - FQuietSince < FQuietSpell;
}

bool TWin32WindowSystem::PeekEvent(TNativeEvent& Event, bool IncludeTimers)
{
    for (int i = 0; i < MessagesPerPeek; ++i) {
        if (FQueue.Take(Event, false))
            return true;
        if (!DispatchOne())
            break;
    }
    return FQueue.Take(Event, IncludeTimers);
}

void TWin32WindowSystem::WaitForEvent()
{
    LookAtHosts();
    const bool woken = FQueue.TakeWake();
    if (woken || FQueue.Waiting(true)) {
        // Returning now answers any wake given meanwhile as well.
        ResetEvent(FWakeEvent);
        return;
    }
    // The wake event stays set until a wait takes it, so a wake given before this point is
    // not lost. MWMO_INPUTAVAILABLE makes messages that an earlier peek saw but left (a due
    // timer, for one) count as well as new ones.
    // Where the system tells nothing of a foreign host's new size, every wait looks at the
    // hosts, and a wait with a foreign child ends now and then to look again.
    const bool hosted = std::any_of(FWindows.begin(), FWindows.end(),
                                    [](const auto& w) { return w.second->Host && !w.second->Destroying; });
    const DWORD result =
        MsgWaitForMultipleObjectsEx(1, &FWakeEvent, hosted ? HostLookPeriod : INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result == WAIT_TIMEOUT)
        LookAtHosts();
    FQueue.TakeWake();   // the wake that ended this wait ends no later one
    FQuietSince = 0;     // something ended the wait; the next peek looks again
}

void TWin32WindowSystem::DefaultSystemCommand(TNativeWindow Window, uint32_t Command)
{
    TWindow* w = Find(Window);
    if (!w)
        return;
    // A command the system sent with a pointer position (a drag from the caption) keeps it.
    const LPARAM position = Command == w->HeldCommand ? w->HeldCommandParam : 0;
    DefWindowProcW(w->Handle, WM_SYSCOMMAND, Command, position);
}

void TWin32WindowSystem::BeginMoveDrag(TNativeWindow Window)
{
    TWindow* w = Find(Window);
    // The system's move follows the held button; without one it would move by keyboard.
    if (!w || w->MessageOnly || !(GetKeyState(VK_LBUTTON) & 0x8000))
        return;
    ReleaseCapture();
    POINT p{};
    GetCursorPos(&p);
    ++FMoveDrags;
    SendMessageW(w->Handle, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    --FMoveDrags;
}

TRect TWin32WindowSystem::ScreenRect() const { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void TWin32WindowSystem::ShowErrorBox(const std::string& Caption, const std::string& Text)
{
    MessageBoxW(nullptr, Widen(Text).c_str(), Widen(Caption).c_str(), MB_ICONSTOP | MB_OK | MB_TASKMODAL);
}

LRESULT CALLBACK TWin32WindowSystem::WindowProc(HWND Handle, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_NCCREATE) {
        auto* w = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(LParam)->lpCreateParams);
        w->Handle = Handle;
        SetWindowLongPtrW(Handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    }
    auto* w = reinterpret_cast<TWindow*>(GetWindowLongPtrW(Handle, GWLP_USERDATA));
    if (!w)
        return DefWindowProcW(Handle, Msg, WParam, LParam);
    if (Msg == WM_NCDESTROY) {
        SetWindowLongPtrW(Handle, GWLP_USERDATA, 0);
        w->Owner->HandleDestroyed(*w);
        return DefWindowProcW(Handle, Msg, WParam, LParam);
    }
    // Nothing may unwind through the system's frames; an event that cannot be queued is lost
    // and the message gets the system's answer.
    try {
        return w->Owner->HandleMessage(*w, Msg, WParam, LParam);
    } catch (...) {
        return DefWindowProcW(Handle, Msg, WParam, LParam);
    }
}

LRESULT TWin32WindowSystem::HandleMessage(TWindow& Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_CLOSE:
        // The program decides; the system's answer would destroy the window.
        Queue(EventOf(TNativeEvent::CloseRequest, Window.Handle));
        return 0;
    case WM_ACTIVATE: {
        TNativeEvent e = EventOf(TNativeEvent::Activate, Window.Handle);
        e.Active = LOWORD(WParam) != WA_INACTIVE;
        Queue(e);
        // The system's own answer only gives an activated window the keyboard focus, which
        // the window needs to receive keys.
        DefWindowProcW(Window.Handle, Msg, WParam, LParam);
        return 0;
    }
    case WM_SETTINGCHANGE:
    case WM_DPICHANGED:
        // The frame's metrics may have changed with the settings.
        FInsets.clear();
        return DefWindowProcW(Window.Handle, Msg, WParam, LParam);
    case WM_SYSCOMMAND:
        return HandleSystemCommand(Window, WParam, LParam);
    case WM_PAINT:
        HandlePaint(Window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        HandleTimer(Window, WParam);
        return 0;
    case WM_MOUSEACTIVATE:
        // A click on a pop-up leaves the owner active.
        if (Window.Kind == TNativeWindowKind::Popup)
            return MA_NOACTIVATE;
        break;
    case WM_CAPTURECHANGED:
        if (FCaptured == Window.Handle && reinterpret_cast<HWND>(LParam) != Window.Handle)
            FCaptured = nullptr;
        break;
    case WM_MOUSELEAVE:
        Window.Tracking = false;
        Queue(EventOf(TNativeEvent::MouseLeave, Window.Handle));
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(WParam) == Window.Handle && LOWORD(LParam) == HTCLIENT) {
            SetCursor(Window.Pointer);
            return TRUE;
        }
        break;
    case WM_WINDOWPOSCHANGED:
        HandlePositionChanged(Window);
        break;
    default:
        if (HandleInput(Window, Msg, WParam, LParam))
            return 0;
    }
    return DefWindowProcW(Window.Handle, Msg, WParam, LParam);
}

// Keys and the mouse. True when the message needs nothing more from the system; keys held with
// Alt (and F10) also go on to the system, which turns Alt+F4 into a close command.
bool TWin32WindowSystem::HandleInput(TWindow& Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TNativeEvent e = EventOf(TNativeEvent::None, Window.Handle);
    switch (Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        e.Kind = Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN ? TNativeEvent::KeyDown : TNativeEvent::KeyUp;
        e.Key = static_cast<uint16_t>(WParam);
        e.Shift = KeyboardShift();
        // A system key says itself whether Alt was held (bit 29), also for a message that did
        // not come through the keyboard's state.
        if ((Msg == WM_SYSKEYDOWN || Msg == WM_SYSKEYUP) && (LParam & (1 << 29)))
            e.Shift |= ssAlt;
        Queue(e);
        return Msg == WM_KEYDOWN || Msg == WM_KEYUP;
    case WM_MOUSEWHEEL: {
        e.Kind = TNativeEvent::Wheel;
        e.WheelDelta = GET_WHEEL_DELTA_WPARAM(WParam);
        e.Shift = MouseShift(GET_KEYSTATE_WPARAM(WParam));
        // The wheel's position comes in screen coordinates.
        POINT p{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
        ScreenToClient(Window.Handle, &p);
        e.Position = {p.x, p.y};
        Queue(e);
        return true;
    }
    case WM_MOUSEMOVE:
        e.Kind = TNativeEvent::MouseMove;
        TrackLeaving(Window, LParam);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        e.Kind = TNativeEvent::MouseDown;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        e.Kind = TNativeEvent::MouseUp;
        break;
    default:
        return false;
    }
    e.Position = {GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
    e.Shift = MouseShift(WParam);
    if (Msg == WM_LBUTTONDBLCLK || Msg == WM_RBUTTONDBLCLK || Msg == WM_MBUTTONDBLCLK)
        e.Shift |= ssDouble;
    if (Msg == WM_RBUTTONDOWN || Msg == WM_RBUTTONDBLCLK || Msg == WM_RBUTTONUP)
        e.Button = TMouseButton::mbRight;
    else if (Msg == WM_MBUTTONDOWN || Msg == WM_MBUTTONDBLCLK || Msg == WM_MBUTTONUP)
        e.Button = TMouseButton::mbMiddle;
    // While a button is held the window keeps the pointer, so the release reaches it even
    // outside; a capture the program asked for stays until it lets go.
    if (e.Kind == TNativeEvent::MouseDown)
        SetCapture(Window.Handle);
    else if (e.Kind == TNativeEvent::MouseUp && !(WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) &&
             GetCapture() == Window.Handle && FCaptured != Window.Handle)
        ReleaseCapture();
    Queue(e);
    return true;
}

// System commands wait for the program's word: the event goes to the program, which passes the
// command back with DefaultSystemCommand when the system should carry it out. SC_SCREENSAVE is
// answered 1, which keeps the system from starting a saver over this window. While the program
// itself drags the window by its caption, the system's move runs at once.
LRESULT TWin32WindowSystem::HandleSystemCommand(TWindow& Window, WPARAM WParam, LPARAM LParam)
{
    if (FMoveDrags > 0)
        return DefWindowProcW(Window.Handle, WM_SYSCOMMAND, WParam, LParam);
    Window.HeldCommand = static_cast<uint32_t>(WParam);
    Window.HeldCommandParam = LParam;
    TNativeEvent e = EventOf(TNativeEvent::SystemCommand, Window.Handle);
    e.Command = static_cast<uint32_t>(WParam);
    Queue(e);
    return (WParam & 0xFFF0) == SC_SCREENSAVE ? 1 : 0;
}

// The system asks for an area again (uncovered, or shown for the first time): what was
// presented there is shown from the kept pixels at once. Only an area the program has never
// presented since the last size change becomes an Expose event for the program to paint.
void TWin32WindowSystem::HandlePaint(TWindow& Window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Window.Handle, &ps);
    if (!dc)
        return;
    const TRect area = RectOf(ps.rcPaint);
    const TWin32Surface& surface = Window.Shown();
    const bool covered = !surface.Empty() && area.Intersected(surface.BoundsRect()) == area;
    if (!covered)
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    surface.CopyTo(dc, area);
    EndPaint(Window.Handle, &ps);
    const TRect missing = covered ? area.Intersected(surface.Unfilled()) : area;
    if (missing.IsEmpty())
        return;
    TNativeEvent e = EventOf(TNativeEvent::Expose, Window.Handle);
    e.Area = missing;
    Queue(e);
}

// A late WM_TIMER of a timer that was stopped or restarted meanwhile is ignored by the queue.
void TWin32WindowSystem::HandleTimer(TWindow& Window, uintptr_t Id)
{
    FQueue.TimerFell(reinterpret_cast<TNativeWindow>(Window.Handle), Id);
}

// A change of the outer rectangle that the program did not ask for (the user moved or sized
// the window, or the system kept it within its limits) is reported so that the program's
// idea of the window follows.
void TWin32WindowSystem::HandlePositionChanged(TWindow& Window)
{
    TRect actual;
    if (Window.MessageOnly || IsIconic(Window.Handle) || !OuterRect(Window.Handle, actual))
        return;
    if (actual == Window.Requested)
        return;
    Window.Requested = actual;
    TNativeEvent e = EventOf(TNativeEvent::Resized, Window.Handle);
    e.Area = actual;
    Queue(e);
}

// A window the program did not destroy went with its parent (a foreign host that closed) or by
// a foreign hand. What waited for it and its timers go, and the program hears that it was
// destroyed, so it does not wait for a window that is gone; Destroy then only forgets it.
void TWin32WindowSystem::HandleDestroyed(TWindow& Window)
{
    UnwatchHost(Window);
    if (Window.Destroying)
        return;
    Window.Destroying = true;
    const TNativeWindow handle = reinterpret_cast<TNativeWindow>(Window.Handle);
    FQueue.Purge(handle);
    FQueue.Push(EventOf(TNativeEvent::Destroyed, Window.Handle));
}

namespace {

// The window system that set each watch of a host; the system's callback says only which watch.
std::map<HWINEVENTHOOK, TWin32WindowSystem*>& HostWatches()
{
    static std::map<HWINEVENTHOOK, TWin32WindowSystem*> watches;
    return watches;
}

}  // namespace

// The host may belong to another process, whose messages this one never sees: the system tells
// of the host's changes of place and size through an event hook on the host's thread, delivered
// to this thread's message loop.
void TWin32WindowSystem::WatchHost(TWindow& Window, HWND Host)
{
    Window.Host = Host;
    RECT client{};
    if (GetClientRect(Host, &client)) {
        Window.HostWidth = client.right;
        Window.HostHeight = client.bottom;
    }
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(Host, &process);
    Window.HostHook = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr, OnHostEvent,
                                      process, thread, WINEVENT_OUTOFCONTEXT);
    if (Window.HostHook)
        HostWatches()[Window.HostHook] = this;
}

void TWin32WindowSystem::UnwatchHost(TWindow& Window)
{
    if (!Window.HostHook)
        return;
    UnhookWinEvent(Window.HostHook);
    HostWatches().erase(Window.HostHook);
    Window.HostHook = nullptr;
}

void CALLBACK TWin32WindowSystem::OnHostEvent(HWINEVENTHOOK Hook, DWORD, HWND Window, LONG Object, LONG Child, DWORD, DWORD)
{
    if (Object != OBJID_WINDOW || Child != CHILDID_SELF)
        return;
    const auto it = HostWatches().find(Hook);
    if (it != HostWatches().end())
        it->second->HostMoved(Window);
}

void TWin32WindowSystem::LookAtHosts()
{
    std::set<HWND> hosts;
    for (const auto& [handle, w] : FWindows)
        if (w->Host && !w->Destroying)
            hosts.insert(w->Host);
    for (HWND host : hosts)
        HostMoved(host);
}

// Only a new size of the host's client area is news to its children.
void TWin32WindowSystem::HostMoved(HWND Host)
{
    RECT client{};
    if (!GetClientRect(Host, &client))
        return;
    for (auto& [handle, w] : FWindows) {
        if (w->Host != Host || w->Destroying || (client.right == w->HostWidth && client.bottom == w->HostHeight))
            continue;
        w->HostWidth = client.right;
        w->HostHeight = client.bottom;
        TNativeEvent e = EventOf(TNativeEvent::Resized, w->Handle);
        e.Area = {0, 0, client.right, client.bottom};
        Queue(e);
    }
}

// The first move with the pointer over the window is the pointer coming in; the system is
// asked to say when it leaves again. Moves that a capture brings from elsewhere are no coming in.
void TWin32WindowSystem::TrackLeaving(TWindow& Window, LPARAM Position)
{
    if (Window.Tracking)
        return;
    POINT pointer{};
    if (!GetCursorPos(&pointer) || WindowFromPoint(pointer) != Window.Handle)
        return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = Window.Handle;
    Window.Tracking = TrackMouseEvent(&track) != FALSE;
    TNativeEvent e = EventOf(TNativeEvent::MouseEnter, Window.Handle);
    e.Position = {GET_X_LPARAM(Position), GET_Y_LPARAM(Position)};
    Queue(e);
}

void TWin32WindowSystem::CapturePointer(TNativeWindow Window, bool Capture)
{
    TWindow* w = Find(Window);
    if (!w || w->MessageOnly)
        return;
    if (Capture) {
        SetCapture(w->Handle);
        FCaptured = GetCapture() == w->Handle ? w->Handle : nullptr;
        return;
    }
    if (FCaptured != w->Handle)
        return;
    FCaptured = nullptr;
    if (GetCapture() == w->Handle)
        ReleaseCapture();
}

uintptr_t TWin32WindowSystem::SystemHandle(TNativeWindow Window) const
{
    const TWindow* w = Find(Window);
    return w && !w->MessageOnly ? reinterpret_cast<uintptr_t>(w->Handle) : 0;
}

bool TWin32WindowSystem::SystemWindowRect(uintptr_t Handle, TRect& Rect) const
{
    RECT r;
    const HWND h = reinterpret_cast<HWND>(Handle);
    if (!h || !IsWindow(h) || !GetWindowRect(h, &r))
        return false;
    Rect = RectOf(r);
    return true;
}

std::unique_ptr<INativeChildView> TWin32WindowSystem::CreateChildView(TNativeWindow Parent, uint32_t RGB)
{
    const TWindow* w = Find(Parent);
    if (!w || w->MessageOnly)
        return nullptr;
    return TWin32ChildView::Create(FInstance, w->Handle, RGB);
}
