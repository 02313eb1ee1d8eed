#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "platform/win32/Win32WindowSystem.h"
#include "platform/win32/WideText.h"

namespace {

constexpr TPixel Red = 0xFF0000;
constexpr TPixel Green = 0x00FF00;

HWND HandleOf(TNativeWindow Window) { return reinterpret_cast<HWND>(Window); }

TRect WindowRectOf(TNativeWindow Window)
{
    RECT r{};
    GetWindowRect(HandleOf(Window), &r);
    return {r.left, r.top, r.right, r.bottom};
}

TRect ClientRectOf(TNativeWindow Window)
{
    RECT r{};
    GetClientRect(HandleOf(Window), &r);
    return {r.left, r.top, r.right, r.bottom};
}

// What the window shows at a client position, as 0x00RRGGBB.
TPixel ShownPixel(TNativeWindow Window, int X, int Y)
{
    HDC dc = GetDC(HandleOf(Window));
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(HandleOf(Window), dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// Every pixel different, so a row or column taken from the wrong place shows.
void FillPattern(TBitmap& Bitmap)
{
    for (int32_t y = 0; y < Bitmap.Height(); ++y)
        for (int32_t x = 0; x < Bitmap.Width(); ++x)
            Bitmap.SetPixel(x, y, 0x800000 | (x & 0xFF) << 8 | (y & 0xFF));
}

void Fill(TBitmap& Bitmap, TPixel Colour)
{
    for (int32_t y = 0; y < Bitmap.Height(); ++y)
        for (int32_t x = 0; x < Bitmap.Width(); ++x)
            Bitmap.SetPixel(x, y, Colour);
}

// Calls Wake after a while unless cancelled first, so that a wait that nothing ends fails the
// test instead of hanging it.
class TWatchdog {
public:
    TWatchdog(INativeWindows& Windows, std::chrono::milliseconds After)
        : FThread([this, &Windows, After] {
              std::unique_lock lock(FMutex);
              if (!FCancelled.wait_for(lock, After, [this] { return FDone; }))
                  Windows.Wake();
          })
    {
    }
    ~TWatchdog()
    {
        {
            std::lock_guard lock(FMutex);
            FDone = true;
        }
        FCancelled.notify_all();
        FThread.join();
    }

private:
    std::mutex FMutex;
    std::condition_variable FCancelled;
    bool FDone = false;
    std::thread FThread;
};

// Hiding a window that has been active waits up to two seconds under Wine when no window
// manager runs, for a confirmation that never comes. The windows the tests show are therefore
// never hidden: they live in one window system that stays until the program ends.
TWin32WindowSystem& SharedWindowSystem()
{
    static auto* windows = new TWin32WindowSystem;
    return *windows;
}

class Win32WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Drain(0);
    }

    // A borderless window, shown unless asked otherwise; the newest shown window lies on top.
    TNativeWindow Popup(const TRect& Bounds, bool Visible = true)
    {
        TNativeWindowParams p;
        p.Bounds = Bounds;
        p.Border = false;
        p.TitleBar = false;
        const TNativeWindow w = Windows.Create(p);
        EXPECT_NE(w, 0u);
        if (Visible)
            Windows.Show(w, true);
        return w;
    }

    TNativeWindow MessageOnly()
    {
        TNativeWindowParams p;
        p.MessageOnly = true;
        const TNativeWindow w = Windows.Create(p);
        EXPECT_NE(w, 0u);
        return w;
    }

    // Takes every event that is there now, for a short while, and keeps them.
    std::vector<TNativeEvent> Drain(DWORD Milliseconds = 30)
    {
        std::vector<TNativeEvent> events;
        const DWORD end = GetTickCount() + Milliseconds;
        TNativeEvent e;
        do {
            while (Windows.PeekEvent(e, true))
                events.push_back(e);
        } while (static_cast<int32_t>(GetTickCount() - end) < 0 &&
                 MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT) != WAIT_FAILED);
        return events;
    }

    // The first event of Kind for Window within the time; others are passed over.
    std::optional<TNativeEvent> Next(TNativeWindow Window, TNativeEvent::TKind Kind, DWORD Milliseconds = 1000)
    {
        const DWORD end = GetTickCount() + Milliseconds;
        TNativeEvent e;
        do {
            while (Windows.PeekEvent(e, true))
                if (e.Kind == Kind && e.Window == Window)
                    return e;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        } while (static_cast<int32_t>(GetTickCount() - end) < 0);
        return std::nullopt;
    }

    // A back buffer for Window, in memory of its own or in the window's own section.
    void SizeBuffer(TBitmap& Buffer, TNativeWindow Window, bool Stored, int32_t Width, int32_t Height)
    {
        if (Stored) {
            ASSERT_TRUE(Buffer.SetPixelStore(Windows.BackBufferStore(Window)));
        }
        Buffer.SetSize(Width, Height);
    }

    TWin32WindowSystem& Windows = SharedWindowSystem();
};

// The same whether the back buffer lives in memory of its own, which is copied, or in the
// window's section, which is shown as it is.
TEST_F(Win32WindowSystemTest, PresentShowsTheBufferAndChangesOnlyTheGivenArea)
{
    for (const bool stored : {false, true}) {
        SCOPED_TRACE(stored ? "back buffer in the window's section" : "back buffer of its own");
        const TNativeWindow w = Popup(TRect::FromSize(40, 40, 120, 90));
        TBitmap buffer;
        SizeBuffer(buffer, w, stored, 120, 90);
        Fill(buffer, Red);
        Windows.Present(w, buffer, buffer.BoundsRect());
        ASSERT_EQ(ShownPixel(w, 0, 0), Red);
        ASSERT_EQ(ShownPixel(w, 119, 89), Red);

        FillPattern(buffer);
        const TRect area(20, 30, 40, 50);
        Windows.Present(w, buffer, area);
        const struct { int x, y; bool inside; } probes[] = {
            {20, 30, true}, {39, 49, true}, {31, 42, true}, {39, 30, true},
            {19, 30, false}, {40, 30, false}, {20, 29, false}, {20, 50, false}, {0, 0, false}, {119, 89, false},
        };
        for (const auto& p : probes)
            EXPECT_EQ(ShownPixel(w, p.x, p.y), p.inside ? buffer.Pixel(p.x, p.y) : Red)
                << "at (" << p.x << "," << p.y << ")";
    }
}

TEST_F(Win32WindowSystemTest, PresentOutsideTheBufferOrToAHiddenWindowIsHarmless)
{
    const TNativeWindow w = Popup(TRect::FromSize(40, 40, 60, 40), false);
    TBitmap buffer(60, 40);
    Fill(buffer, Green);
    // Hidden: nothing shows, but the pixels are kept for when the window appears.
    Windows.Present(w, buffer, buffer.BoundsRect());
    Windows.Present(w, buffer, TRect(-50, -50, 1000000, 1000000));
    Windows.Present(w, buffer, TRect(500, 500, 400, 400));
    Windows.Present(w, TBitmap(), buffer.BoundsRect());
    Windows.Show(w, true);
    UpdateWindow(HandleOf(w));
    EXPECT_EQ(ShownPixel(w, 59, 39), Green);
    for (const TNativeEvent& e : Drain())
        EXPECT_FALSE(e.Window == w && e.Kind == TNativeEvent::Expose) << "area " << e.Area;
}

// The system asks for areas again when something covered them; the window answers from what
// was presented and asks the program only for what it never presented.
TEST_F(Win32WindowSystemTest, RepaintsComeFromThePresentedPixels)
{
    for (const bool stored : {false, true}) {
        SCOPED_TRACE(stored ? "back buffer in the window's section" : "back buffer of its own");
        const TNativeWindow w = Popup(TRect::FromSize(40, 40, 80, 60));
        std::optional<TNativeEvent> first = Next(w, TNativeEvent::Expose, 300);
        ASSERT_TRUE(first) << "a window shown before anything was presented asks for its pixels";
        EXPECT_EQ(first->Area, TRect(0, 0, 80, 60));

        TBitmap buffer;
        SizeBuffer(buffer, w, stored, 80, 60);
        FillPattern(buffer);
        Windows.Present(w, buffer, buffer.BoundsRect());
        HDC dc = GetDC(HandleOf(w));
        RECT all{0, 0, 80, 60};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(HandleOf(w), dc);
        ASSERT_EQ(ShownPixel(w, 10, 10), 0xFFFFFFu);

        RECT part{5, 5, 30, 20};
        InvalidateRect(HandleOf(w), &part, FALSE);
        UpdateWindow(HandleOf(w));
        EXPECT_EQ(ShownPixel(w, 10, 10), buffer.Pixel(10, 10));
        EXPECT_EQ(ShownPixel(w, 29, 19), buffer.Pixel(29, 19));
        EXPECT_EQ(ShownPixel(w, 40, 40), 0xFFFFFFu) << "only the asked-for area is painted";
        for (const TNativeEvent& e : Drain())
            EXPECT_FALSE(e.Window == w && e.Kind == TNativeEvent::Expose) << "area " << e.Area;

        Windows.SetBounds(w, TRect::FromSize(40, 40, 100, 60));
        UpdateWindow(HandleOf(w));
        const std::optional<TNativeEvent> grown = Next(w, TNativeEvent::Expose, 300);
        ASSERT_TRUE(grown) << "the part a window grew by was never presented";
        EXPECT_TRUE(grown->Area.Contains(90, 30)) << grown->Area;
        EXPECT_EQ(ShownPixel(w, 10, 10), buffer.Pixel(10, 10)) << "what was presented stays";
    }
}

// A back buffer can outlive its window, keeping its pixels and taking new sizes; a window
// without pixels hands out no store.
TEST_F(Win32WindowSystemTest, BackBufferStoreOutlivesItsWindow)
{
    // Hidden, as a shown window may take the system a while to take down.
    const TNativeWindow w = Popup(TRect::FromSize(40, 40, 60, 40), false);
    TBitmap buffer(60, 40);
    Fill(buffer, Green);
    ASSERT_TRUE(buffer.SetPixelStore(Windows.BackBufferStore(w)));
    Windows.Present(w, buffer, buffer.BoundsRect());
    Windows.Destroy(w);
    EXPECT_EQ(buffer.Pixel(59, 39), Green);
    buffer.SetSize(200, 100);
    EXPECT_TRUE(buffer.HasPixelStore());
    Fill(buffer, Red);
    EXPECT_EQ(buffer.Pixel(199, 99), Red);

    const TNativeWindow m = MessageOnly();
    EXPECT_EQ(Windows.BackBufferStore(m), nullptr);
    EXPECT_EQ(Windows.BackBufferStore(0xDEAD), nullptr);
    Windows.Destroy(m);
}

TEST_F(Win32WindowSystemTest, WindowsTakeTheShapeTheirSettingsDescribe)
{
    const TRect screen = Windows.ScreenRect();
    EXPECT_EQ(screen, TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    const struct {
        const char* name;
        TRect bounds;
        bool border, titleBar, onTop;
        DWORD styleSet, styleClear;
    } cases[] = {
        {"full-screen saver", screen, false, false, false, WS_POPUP, WS_CAPTION | WS_BORDER},
        {"dialog", TRect::FromSize(30, 20, 300, 200), true, true, false, WS_CAPTION | WS_SYSMENU, WS_POPUP},
        {"bordered pop-up", TRect::FromSize(10, 10, 100, 50), true, false, true, WS_POPUP | WS_BORDER, WS_DLGFRAME},
    };
    for (const auto& c : cases) {
        TNativeWindowParams p;
        p.Bounds = c.bounds;
        p.Caption = c.name;
        p.Border = c.border;
        p.TitleBar = c.titleBar;
        p.StayOnTop = c.onTop;
        const TNativeWindow w = Windows.Create(p);
        ASSERT_NE(w, 0u) << c.name;
        const DWORD style = GetWindowLongW(HandleOf(w), GWL_STYLE);
        const DWORD exStyle = GetWindowLongW(HandleOf(w), GWL_EXSTYLE);
        EXPECT_EQ(style & c.styleSet, c.styleSet) << c.name;
        EXPECT_EQ(style & c.styleClear, 0u) << c.name;
        EXPECT_EQ((exStyle & WS_EX_TOPMOST) != 0, c.onTop) << c.name;
        EXPECT_EQ(WindowRectOf(w), c.bounds) << c.name;
        const TRect f = Windows.FrameInsets(p);
        EXPECT_EQ(ClientRectOf(w), TRect(0, 0, c.bounds.Width() - f.Left - f.Right, c.bounds.Height() - f.Top - f.Bottom))
            << c.name;
        EXPECT_EQ(f.IsEmpty() && f.Left == 0 && f.Top == 0, !c.border && !c.titleBar) << c.name;
        for (const TNativeEvent& e : Drain(10))
            EXPECT_FALSE(e.Window == w && e.Kind == TNativeEvent::Resized) << c.name << ": the window got the rectangle it asked for";
        Windows.Destroy(w);
        EXPECT_FALSE(IsWindow(HandleOf(w))) << c.name;
    }
}

TEST_F(Win32WindowSystemTest, BoundsBeyondTheSystemsLimitsAreKeptWithinThemAndReported)
{
    const TNativeWindow w = Popup(TRect(-2000000000, 5, 2000000000, 1000000000), false);
    const TRect r = WindowRectOf(w);
    EXPECT_GE(r.Left, -0x7FFF);
    EXPECT_LE(r.Width(), 0x7FFF);
    EXPECT_LE(r.Height(), 0x7FFF);
    Windows.SetBounds(w, TRect(50, 60, 10, 20));
    EXPECT_EQ(WindowRectOf(w).TopLeft(), TPoint(50, 60));
    EXPECT_TRUE(ClientRectOf(w).IsEmpty());
    Drain(0);
    Windows.SetBounds(w, TRect::FromSize(50, 60, 70, 80));
    std::optional<TNativeEvent> none;
    for (const TNativeEvent& e : Drain(10))
        if (e.Window == w && e.Kind == TNativeEvent::Resized)
            none = e;
    EXPECT_FALSE(none) << "a rectangle the program asked for and got is not reported back";
    EXPECT_EQ(WindowRectOf(w), TRect::FromSize(50, 60, 70, 80));
}

// Input as the system's messages carry it, with what the program should see of each.
TEST_F(Win32WindowSystemTest, InputArrivesAsEventsInClientCoordinates)
{
    // Away from the pointer, so that the system sends the window no moves of its own; the
    // pointer itself is left alone, as other programs share the display.
    POINT pointer{};
    GetCursorPos(&pointer);
    const int left = pointer.x < GetSystemMetrics(SM_CXSCREEN) / 2 ? GetSystemMetrics(SM_CXSCREEN) - 220 : 20;
    const TNativeWindow w = Popup(TRect::FromSize(left, 80, 200, 150));
    const HWND h = HandleOf(w);
    const auto screenPoint = [&](int x, int y) { return MAKELPARAM(left + x, 80 + y); };
    using K = TNativeEvent::TKind;
    const struct {
        const char* name;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        K kind;
        uint16_t key;
        TMouseButton button;
        TPoint position;
        TShiftState shift;
        int32_t wheel;
    } cases[] = {
        {"key down", WM_KEYDOWN, 'A', 0, K::KeyDown, 'A', {}, {}, 0, 0},
        {"key up", WM_KEYUP, VK_ESCAPE, 0, K::KeyUp, VK_ESCAPE, {}, {}, 0, 0},
        {"F10 comes as a system key", WM_SYSKEYDOWN, VK_F10, 0, K::KeyDown, VK_F10, {}, {}, 0, 0},
        {"move", WM_MOUSEMOVE, 0, MAKELPARAM(15, 25), K::MouseMove, 0, {}, {15, 25}, 0, 0},
        {"move left of the client", WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-3, 7), K::MouseMove, 0, {}, {-3, 7}, ssLeft, 0},
        {"left press", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4), K::MouseDown, 0, TMouseButton::mbLeft, {3, 4}, ssLeft, 0},
        {"left release", WM_LBUTTONUP, 0, MAKELPARAM(3, 4), K::MouseUp, 0, TMouseButton::mbLeft, {3, 4}, 0, 0},
        {"right press with Ctrl", WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(9, 8), K::MouseDown, 0,
         TMouseButton::mbRight, {9, 8}, ssRight | ssCtrl, 0},
        {"right release", WM_RBUTTONUP, 0, MAKELPARAM(9, 8), K::MouseUp, 0, TMouseButton::mbRight, {9, 8}, 0, 0},
        {"middle press with Shift", WM_MBUTTONDOWN, MK_MBUTTON | MK_SHIFT, MAKELPARAM(1, 2), K::MouseDown, 0,
         TMouseButton::mbMiddle, {1, 2}, ssMiddle | ssShift, 0},
        {"middle release", WM_MBUTTONUP, 0, MAKELPARAM(1, 2), K::MouseUp, 0, TMouseButton::mbMiddle, {1, 2}, 0, 0},
        {"double click", WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5), K::MouseDown, 0, TMouseButton::mbLeft, {5, 5},
         ssLeft | ssDouble, 0},
        {"release after double click", WM_LBUTTONUP, 0, MAKELPARAM(5, 5), K::MouseUp, 0, TMouseButton::mbLeft, {5, 5}, 0, 0},
        {"wheel towards the user, in screen coordinates", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)),
         screenPoint(5, 6), K::Wheel, 0, {}, {5, 6}, 0, -240},
        {"wheel away with Shift", WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, 120), screenPoint(200, 150), K::Wheel, 0, {},
         {200, 150}, ssShift, 120},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(PostMessageW(h, c.msg, c.wParam, c.lParam)) << c.name;
        const std::optional<TNativeEvent> e = Next(w, c.kind, 300);
        ASSERT_TRUE(e) << c.name;
        EXPECT_EQ(e->Key, c.key) << c.name;
        EXPECT_EQ(e->Shift, c.shift) << c.name;
        if (c.kind != K::KeyDown && c.kind != K::KeyUp) {
            EXPECT_EQ(e->Position, c.position) << c.name;
        }
        if (c.kind == K::MouseDown || c.kind == K::MouseUp) {
            EXPECT_EQ(e->Button, c.button) << c.name;
        }
        EXPECT_EQ(e->WheelDelta, c.wheel) << c.name;
    }
    EXPECT_EQ(GetCapture(), nullptr) << "the pointer is let go once no button is held";
}

TEST_F(Win32WindowSystemTest, ActivationAndCloseRequestsAreReportedAndLeaveTheWindowToTheProgram)
{
    const TNativeWindow w = Popup(TRect::FromSize(40, 40, 50, 50));
    const HWND h = HandleOf(w);
    Drain(10);
    for (const WORD state : {WA_INACTIVE, WA_ACTIVE, WA_CLICKACTIVE}) {
        EXPECT_EQ(SendMessageW(h, WM_ACTIVATE, MAKEWPARAM(state, 0), 0), 0);
        const std::optional<TNativeEvent> e = Next(w, TNativeEvent::Activate, 300);
        ASSERT_TRUE(e) << state;
        EXPECT_EQ(e->Active, state != WA_INACTIVE) << state;
    }
    EXPECT_EQ(SendMessageW(h, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(Next(w, TNativeEvent::CloseRequest, 300));
    EXPECT_TRUE(IsWindow(h)) << "only the program closes its windows";
}

// The system's commands go to the program first and run only when it passes them on: the
// screen-saver command is refused with 1 while the program has not passed it on.
TEST_F(Win32WindowSystemTest, SystemCommandsWaitForTheProgramsWord)
{
    const TNativeWindow w = Popup(TRect::FromSize(40, 40, 50, 50));
    const HWND h = HandleOf(w);
    EXPECT_EQ(SendMessageW(h, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 1);
    std::optional<TNativeEvent> e = Next(w, TNativeEvent::SystemCommand, 300);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Command, static_cast<uint32_t>(SC_SCREENSAVE));

    EXPECT_EQ(SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    e = Next(w, TNativeEvent::SystemCommand, 300);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Command, static_cast<uint32_t>(SC_CLOSE));
    for (const TNativeEvent& other : Drain(20))
        EXPECT_FALSE(other.Window == w && other.Kind == TNativeEvent::CloseRequest) << "the close command ran before the program passed it on";
    Windows.DefaultSystemCommand(w, SC_CLOSE);
    EXPECT_TRUE(Next(w, TNativeEvent::CloseRequest, 300)) << "passed on, the close command asks to close";
    EXPECT_TRUE(IsWindow(h));
}

TEST_F(Win32WindowSystemTest, PointerShapeIsAnsweredWhenTheSystemAsks)
{
    const TNativeWindow w = Popup(TRect::FromSize(40, 40, 50, 50));
    const HWND h = HandleOf(w);
    const struct { TCursor shape; HCURSOR expected; } cases[] = {
        {crNone, nullptr},
        {crCross, LoadCursorW(nullptr, IDC_CROSS)},
        {crHandPoint, LoadCursorW(nullptr, IDC_HAND)},
        {crDefault, LoadCursorW(nullptr, IDC_ARROW)},
        {static_cast<TCursor>(-17), LoadCursorW(nullptr, IDC_ARROW)},
    };
    for (const auto& c : cases) {
        Windows.SetPointer(w, c.shape);
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        EXPECT_TRUE(SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)))
            << c.shape;
        EXPECT_EQ(GetCursor(), c.expected) << c.shape;
    }
}

TEST_F(Win32WindowSystemTest, PostFromAnotherThreadWakesTheWaitAndCarriesItsMessage)
{
    const TNativeWindow w = MessageOnly();
    Drain(10);
    TWatchdog watchdog(Windows, std::chrono::milliseconds(3000));
    std::thread poster([&] {
        Sleep(50);
        Windows.Post(w, 0x8123, 7, -9);
    });
    const DWORD start = GetTickCount();
    Windows.WaitForEvent();
    const DWORD waited = GetTickCount() - start;
    poster.join();
    EXPECT_LT(waited, 2000u) << "the post did not end the wait";
    TNativeEvent e;
    ASSERT_TRUE(Windows.PeekEvent(e, false));
    EXPECT_EQ(e.Kind, TNativeEvent::Message);
    EXPECT_EQ(e.Window, w);
    EXPECT_EQ(e.Msg, 0x8123u);
    EXPECT_EQ(e.WParam, 7u);
    EXPECT_EQ(e.LParam, -9);
}

TEST_F(Win32WindowSystemTest, AWakeIsNeverLostAndEndsOneWaitOnly)
{
    Drain(10);
    {
        // Given before the wait: the wait returns at once.
        TWatchdog watchdog(Windows, std::chrono::milliseconds(3000));
        Windows.Wake();
        const DWORD start = GetTickCount();
        Windows.WaitForEvent();
        EXPECT_LT(GetTickCount() - start, 1000u);
    }
    {
        // Given from another thread during the wait; the wait before it was not ended by it.
        TWatchdog watchdog(Windows, std::chrono::milliseconds(3000));
        std::thread waker([&] {
            Sleep(100);
            Windows.Wake();
        });
        const DWORD start = GetTickCount();
        Windows.WaitForEvent();
        const DWORD waited = GetTickCount() - start;
        waker.join();
        EXPECT_GE(waited, 80u) << "an old wake ended a later wait";
        EXPECT_LT(waited, 2000u);
    }
}

TEST_F(Win32WindowSystemTest, TimersComeBehindOtherEventsOnePerTimerAndStop)
{
    const TNativeWindow w = MessageOnly();
    ASSERT_TRUE(Windows.StartTimer(w, 5, 15));
    TNativeEvent e;
    {
        TWatchdog watchdog(Windows, std::chrono::milliseconds(3000));
        const DWORD start = GetTickCount();
        Windows.WaitForEvent();
        EXPECT_LT(GetTickCount() - start, 1000u) << "a due timer ends the wait";
    }
    Sleep(80);   // several periods: still one event
    Windows.Post(w, 0x8001, 0, 0);
    EXPECT_TRUE(Windows.PeekEvent(e, false));
    EXPECT_EQ(e.Kind, TNativeEvent::Message);
    EXPECT_FALSE(Windows.PeekEvent(e, false)) << "no timer without IncludeTimers";
    ASSERT_TRUE(Windows.PeekEvent(e, true));
    EXPECT_EQ(e.Kind, TNativeEvent::Timer);
    EXPECT_EQ(e.TimerId, 5u);
    EXPECT_EQ(e.Window, w);
    EXPECT_FALSE(Windows.PeekEvent(e, true)) << "a timer has one event waiting at most";

    // A dialog of the system runs its own loop, which hands every tick to the window; each
    // tick is taken as it comes, so the next is a whole period away when the loop ends.
    ASSERT_TRUE(Windows.StartTimer(w, 5, 50));
    int ticks = 0;
    for (int i = 0; i < 50 && ticks < 3; ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_TIMER);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            ticks += m.message == WM_TIMER;
            DispatchMessageW(&m);
        }
    }
    ASSERT_EQ(ticks, 3);
    EXPECT_TRUE(Windows.PeekEvent(e, true));
    EXPECT_FALSE(Windows.PeekEvent(e, true)) << "ticks piled up while another loop ran";

    Sleep(40);
    Windows.StopTimer(w, 5);
    Sleep(40);
    for (const TNativeEvent& late : Drain(40))
        EXPECT_FALSE(late.Window == w && late.Kind == TNativeEvent::Timer) << "a stopped timer delivered";
}

TEST_F(Win32WindowSystemTest, RestartingATimerTakesTheNewPeriod)
{
    const TNativeWindow w = MessageOnly();
    ASSERT_TRUE(Windows.StartTimer(w, 1, 2000));
    ASSERT_TRUE(Windows.StartTimer(w, 1, 20));
    EXPECT_TRUE(Next(w, TNativeEvent::Timer, 500));
    EXPECT_FALSE(Windows.StartTimer(0, 1, 20));
}

TEST_F(Win32WindowSystemTest, MessageOnlyWindowsAreNeverShown)
{
    const TNativeWindow w = MessageOnly();
    Windows.Show(w, true);
    EXPECT_FALSE(IsWindowVisible(HandleOf(w)));
    EXPECT_NE(GetAncestor(HandleOf(w), GA_PARENT), GetDesktopWindow()) << "a message-only window is no top-level window";
    TNativeWindowParams p;
    p.MessageOnly = true;
    EXPECT_EQ(Windows.FrameInsets(p), TRect());
}

// Handles that name no window of this window system: nothing happens to any window and nothing
// is reported.
TEST_F(Win32WindowSystemTest, HandlesOfNoWindowOfOursAreIgnored)
{
    const TNativeWindow destroyed = MessageOnly();
    Windows.Destroy(destroyed);
    const TNativeWindow desktop = reinterpret_cast<TNativeWindow>(GetDesktopWindow());
    TBitmap buffer(4, 4);
    for (const TNativeWindow bad : {TNativeWindow{0}, TNativeWindow{0xDEAD}, destroyed, desktop}) {
        Windows.Destroy(bad);
        Windows.SetBounds(bad, TRect(0, 0, 10, 10));
        Windows.SetCaption(bad, "x");
        Windows.Show(bad, true);
        Windows.Present(bad, buffer, buffer.BoundsRect());
        Windows.SetPointer(bad, crNone);
        EXPECT_FALSE(Windows.StartTimer(bad, 1, 10)) << bad;
        Windows.StopTimer(bad, 1);
        Windows.Post(bad, 0x8000, 1, 2);
        Windows.DefaultSystemCommand(bad, SC_CLOSE);
        Windows.BeginMoveDrag(bad);
    }
    EXPECT_TRUE(IsWindow(GetDesktopWindow()));
    for (const TNativeEvent& e : Drain(20))
        EXPECT_TRUE(e.Window != 0 && e.Window != 0xDEAD && e.Window != destroyed && e.Window != desktop)
            << "event of kind " << int(e.Kind) << " for " << e.Window;
}

TEST_F(Win32WindowSystemTest, DestroyDropsTheEventsThatWaitForTheWindow)
{
    const TNativeWindow gone = MessageOnly();
    const TNativeWindow stays = MessageOnly();
    Windows.Post(gone, 0x8000, 1, 0);
    Windows.Post(stays, 0x8000, 2, 0);
    Windows.Destroy(gone);
    std::vector<TNativeWindow> from;
    for (const TNativeEvent& e : Drain(10))
        if (e.Kind == TNativeEvent::Message)
            from.push_back(e.Window);
    EXPECT_EQ(from, std::vector<TNativeWindow>{stays});
}

// A child of a window of another program (the system's preview box): it lies in the host's
// client area and hears when the host goes.
TEST_F(Win32WindowSystemTest, ForeignChildLiesInItsHostAndHearsWhenTheHostGoes)
{
    HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 200, 150, 152, 112, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(host);
    TRect hostRect;
    ASSERT_TRUE(Windows.SystemWindowRect(reinterpret_cast<uintptr_t>(host), hostRect));
    EXPECT_EQ(hostRect, TRect::FromSize(200, 150, 152, 112));
    TRect none;
    EXPECT_FALSE(Windows.SystemWindowRect(0xDEAD0, none));

    TNativeWindowParams p;
    p.Kind = TNativeWindowKind::ForeignChild;
    p.Bounds = TRect(0, 0, hostRect.Width(), hostRect.Height());
    for (const uintptr_t bad : {uintptr_t{0}, uintptr_t{0xDEAD0}}) {
        p.Host = bad;
        EXPECT_EQ(Windows.Create(p), 0u) << "a host that is no window: " << bad;
    }
    p.Host = reinterpret_cast<uintptr_t>(host);
    const TNativeWindow w = Windows.Create(p);
    ASSERT_NE(w, 0u);
    EXPECT_EQ(GetParent(HandleOf(w)), host);
    EXPECT_EQ(Windows.SystemHandle(w), reinterpret_cast<uintptr_t>(HandleOf(w)));
    const DWORD style = GetWindowLongW(HandleOf(w), GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_POPUP);
    EXPECT_EQ(WindowRectOf(w), hostRect) << "a foreign child is placed in its host's client area";
    for (const TNativeEvent& e : Drain(10))
        EXPECT_FALSE(e.Window == w && e.Kind == TNativeEvent::Resized) << e.Area;

    SetWindowPos(host, nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    {
        // The system may say nothing of the change; the loop's wait looks at the host then.
        TWatchdog watchdog(Windows, std::chrono::milliseconds(3000));
        Windows.WaitForEvent();
    }
    const std::optional<TNativeEvent> resized = Next(w, TNativeEvent::Resized, 1000);
    ASSERT_TRUE(resized) << "the host's new size";
    EXPECT_EQ(resized->Area, TRect(0, 0, 200, 120)) << "the host's client rectangle";

    ASSERT_TRUE(Windows.StartTimer(w, 1, 10));
    DestroyWindow(host);
    EXPECT_FALSE(IsWindow(HandleOf(w)));
    EXPECT_TRUE(Next(w, TNativeEvent::Destroyed, 300)) << "the program would wait for a window that is gone";
    Windows.Post(w, 0x8000, 0, 0);
    EXPECT_FALSE(Windows.StartTimer(w, 1, 10));
    Windows.Destroy(w);
    for (const TNativeEvent& e : Drain(30))
        EXPECT_NE(e.Window, w);
}

TEST_F(Win32WindowSystemTest, PopupLeavesItsOwnerActive)
{
    TNativeWindowParams dialog;
    dialog.Kind = TNativeWindowKind::Frameless;
    dialog.Bounds = TRect::FromSize(300, 200, 200, 150);
    const TNativeWindow owner = Windows.Create(dialog);
    ASSERT_NE(owner, 0u);
    Windows.Show(owner, true);
    SetForegroundWindow(HandleOf(owner));
    SetActiveWindow(HandleOf(owner));
    Drain(50);
    ASSERT_EQ(GetActiveWindow(), HandleOf(owner));

    TNativeWindowParams popup;
    popup.Kind = TNativeWindowKind::Popup;
    popup.Owner = owner;
    popup.Bounds = TRect::FromSize(320, 260, 120, 80);
    const TNativeWindow list = Windows.Create(popup);
    ASSERT_NE(list, 0u);
    EXPECT_EQ(GetWindow(HandleOf(list), GW_OWNER), HandleOf(owner));
    const DWORD exStyle = GetWindowLongW(HandleOf(list), GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW), DWORD(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW));
    Windows.Show(list, true);
    EXPECT_TRUE(IsWindowVisible(HandleOf(list)));
    EXPECT_EQ(SendMessageW(HandleOf(list), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(HandleOf(owner)),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    for (const TNativeEvent& e : Drain(100))
        EXPECT_FALSE(e.Kind == TNativeEvent::Activate) << "window " << e.Window << " active " << e.Active;
    EXPECT_EQ(GetActiveWindow(), HandleOf(owner));
    Windows.Show(list, false);
    Windows.Destroy(list);
}

// The window clips its children out of what it shows, so a present never covers a child view.
TEST_F(Win32WindowSystemTest, ChildViewIsNotPaintedOver)
{
    for (const bool stored : {false, true}) {
        SCOPED_TRACE(stored ? "back buffer in the window's section" : "back buffer of its own");
        const TNativeWindow w = Popup(TRect::FromSize(40, 300, 160, 120));
        std::unique_ptr<INativeChildView> view = Windows.CreateChildView(w, 0x00FF00);
        ASSERT_TRUE(view);
        const HWND viewWindow = reinterpret_cast<HWND>(view->SystemHandle());
        EXPECT_EQ(GetParent(viewWindow), HandleOf(w));
        view->SetBounds(TRect(20, 30, 80, 70));
        view->Show(true);
        TBitmap buffer;
        SizeBuffer(buffer, w, stored, 160, 120);
        Fill(buffer, 0xFFFFFF);
        Windows.Present(w, buffer, buffer.BoundsRect());
        EXPECT_EQ(ShownPixel(w, 5, 5), 0xFFFFFFu);
        HDC dc = GetDC(viewWindow);
        const COLORREF c = GetPixel(dc, 10, 10);
        ReleaseDC(viewWindow, dc);
        EXPECT_EQ(c, RGB(0, 255, 0)) << "the view was painted over";
        view->SetBounds(TRect());
        EXPECT_FALSE(IsWindowVisible(viewWindow)) << "an empty area hides the view";
    }
    EXPECT_EQ(Windows.CreateChildView(0xDEAD, 0), nullptr);
}

TEST_F(Win32WindowSystemTest, CapturedPointerStaysUntilLetGo)
{
    const TNativeWindow w = Popup(TRect::FromSize(500, 40, 100, 80));
    const HWND h = HandleOf(w);
    Windows.CapturePointer(w, true);
    EXPECT_EQ(GetCapture(), h);
    // A press and release do not end a capture the program asked for.
    PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(-300, 200));
    const std::optional<TNativeEvent> up = Next(w, TNativeEvent::MouseUp, 300);
    ASSERT_TRUE(up);
    EXPECT_EQ(up->Position, TPoint(-300, 200)) << "a release outside, in client coordinates";
    EXPECT_EQ(GetCapture(), h);
    Windows.CapturePointer(w, false);
    EXPECT_NE(GetCapture(), h);
}

TEST_F(Win32WindowSystemTest, PointerComingAndGoingIsReported)
{
    const TNativeWindow w = Popup(TRect::FromSize(620, 40, 60, 60));
    SetCursorPos(10, GetSystemMetrics(SM_CYSCREEN) - 10);
    Drain(50);
    SetCursorPos(630, 50);
    const std::optional<TNativeEvent> enter = Next(w, TNativeEvent::MouseEnter, 1000);
    ASSERT_TRUE(enter);
    EXPECT_EQ(enter->Position, TPoint(10, 10));
    SetCursorPos(10, GetSystemMetrics(SM_CYSCREEN) - 10);
    EXPECT_TRUE(Next(w, TNativeEvent::MouseLeave, 2000));
    // A move that comes while the pointer is elsewhere is no coming in.
    PostMessageW(HandleOf(w), WM_MOUSEMOVE, 0, MAKELPARAM(7, 8));
    EXPECT_FALSE(Next(w, TNativeEvent::MouseEnter, 100));
}

// The keys a dialog is worked with, as the system's keyboard messages carry them (bit 29 of a
// system key's data: Alt held). Alt+F4 comes as the key and then, passed to the system, as its
// close command, which the program answers.
TEST_F(Win32WindowSystemTest, DialogKeysArriveWithTheirModifiers)
{
    const TNativeWindow w = Popup(TRect::FromSize(40, 200, 60, 60));
    const HWND h = HandleOf(w);
    constexpr LPARAM Alt = LPARAM{1} << 29;
    const struct {
        UINT msg;
        WPARAM key;
        LPARAM data;
        TShiftState shift;
    } cases[] = {
        {WM_KEYDOWN, VK_TAB, 0, 0},       {WM_KEYDOWN, VK_SPACE, 0, 0},     {WM_KEYDOWN, VK_RETURN, 0, 0},
        {WM_KEYDOWN, VK_ESCAPE, 0, 0},    {WM_KEYDOWN, VK_UP, 0, 0},        {WM_KEYDOWN, VK_HOME, 0, 0},
        {WM_KEYDOWN, VK_END, 0, 0},       {WM_KEYDOWN, VK_PRIOR, 0, 0},     {WM_KEYDOWN, VK_NEXT, 0, 0},
        {WM_KEYDOWN, VK_F4, 0, 0},        {WM_KEYDOWN, 'A', 0, 0},          {WM_SYSKEYDOWN, VK_DOWN, Alt, ssAlt},
        {WM_SYSKEYDOWN, 'O', Alt, ssAlt}, {WM_SYSKEYDOWN, VK_F4, Alt, ssAlt},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(PostMessageW(h, c.msg, c.key, c.data | 1));
        const std::optional<TNativeEvent> e = Next(w, TNativeEvent::KeyDown, 300);
        ASSERT_TRUE(e) << c.key;
        EXPECT_EQ(e->Key, c.key);
        EXPECT_EQ(e->Shift, c.shift) << c.key;
    }
    // Alt with a letter asks for the keyboard menu first; the close command follows.
    std::optional<TNativeEvent> command;
    do
        command = Next(w, TNativeEvent::SystemCommand, 300);
    while (command && (command->Command & 0xFFF0) != SC_CLOSE);
    EXPECT_TRUE(command) << "Alt+F4 becomes the close command";
}

BOOL CALLBACK FindIcon(HWND Window, LPARAM Found)
{
    wchar_t name[16] = {};
    GetClassNameW(Window, name, 16);
    if (_wcsicmp(name, L"Static") == 0 && (GetWindowLongW(Window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        *reinterpret_cast<bool*>(Found) = true;
    return TRUE;
}

// What a message box of this thread showed; the box is read and ended as soon as it has set
// itself up, before it appears.
struct TSeenBox {
    std::wstring Caption;
    std::wstring Text;
    bool Icon = false;
    bool OkOnly = false;
    int Count = 0;
};
TSeenBox SeenBox;

LRESULT CALLBACK ReadAndEndBox(int Code, WPARAM WParam, LPARAM LParam)
{
    const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(LParam);
    wchar_t name[16] = {};
    if (Code == HC_ACTION && m->message == WM_INITDIALOG && GetClassNameW(m->hwnd, name, 16) &&
        std::wstring(name) == L"#32770") {
        wchar_t text[256] = {};
        GetWindowTextW(m->hwnd, text, 256);
        SeenBox.Caption = text;
        GetDlgItemTextW(m->hwnd, 0xFFFF, text, 256);
        SeenBox.Text = text;
        EnumChildWindows(m->hwnd, FindIcon, reinterpret_cast<LPARAM>(&SeenBox.Icon));
        SeenBox.OkOnly = GetDlgItem(m->hwnd, IDOK) && !GetDlgItem(m->hwnd, IDCANCEL);
        ++SeenBox.Count;
        EndDialog(m->hwnd, IDOK);
    }
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

TEST_F(Win32WindowSystemTest, ErrorBoxShowsCaptionAndTextWithStopIconAndOk)
{
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, ReadAndEndBox, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    SeenBox = {};
    Windows.ShowErrorBox("Quorvel", "Ung\xC3\xBCltiger Wert \xE2\x80\x93 0x1F");
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(SeenBox.Count, 1);
    EXPECT_EQ(Narrow(SeenBox.Caption), "Quorvel");
    EXPECT_EQ(Narrow(SeenBox.Text), "Ung\xC3\xBCltiger Wert \xE2\x80\x93 0x1F");
    EXPECT_TRUE(SeenBox.Icon);
    EXPECT_TRUE(SeenBox.OkOnly);
}

}  // namespace
