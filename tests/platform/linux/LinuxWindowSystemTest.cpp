#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>

#include "platform/gfx/Bitmap.h"
#include "platform/linux/LinuxVirtualKeys.h"
#include "platform/linux/LinuxWindowSystem.h"

#include <gdk/gdkx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

// Xlib's event-type macros clash with the framework's event kinds.
#undef Expose
#undef None

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr uint32_t WmUser = 0x0400;

const char* KindName(TNativeEvent::TKind Kind)
{
    static const char* const names[] = {"None",   "KeyDown",  "KeyUp",         "MouseDown",    "MouseUp",
                                        "MouseMove", "Wheel", "Activate",      "SystemCommand", "CloseRequest",
                                        "Expose", "Resized",  "Timer",         "Message",      "MouseEnter",
                                        "MouseLeave", "Destroyed"};
    return names[Kind];
}

std::string Describe(const TNativeEvent& e)
{
    std::ostringstream s;
    s << KindName(e.Kind) << " window " << e.Window << " key " << e.Key << " button " << int(e.Button) << " at "
      << e.Position << " wheel " << e.WheelDelta << " shift " << e.Shift << " active " << e.Active;
    return s.str();
}

void FillBitmap(TBitmap& Bitmap, TPixel Color, const TRect& Area)
{
    const TRect r = Area.Intersected(BitmapRect(Bitmap));
    for (int32_t y = r.Top; y < r.Bottom; ++y)
        for (int32_t x = r.Left; x < r.Right; ++x)
            Bitmap.SetPixel(x, y, Color);
}

// Ends a test that would otherwise wait for ever: after the limit it wakes the loop again and
// again, so a wait that ignores wakes still hangs, but one that merely missed its own wake-up
// returns and the test fails on the time it took.
class TWatchdog {
public:
    TWatchdog(INativeWindows& Windows, milliseconds Limit)
        : FThread([this, &Windows, Limit] {
              const auto end = Clock::now() + Limit;
              while (!FDone) {
                  if (Clock::now() > end)
                      Windows.Wake();
                  std::this_thread::sleep_for(milliseconds(20));
              }
          })
    {
    }
    ~TWatchdog()
    {
        FDone = true;
        FThread.join();
    }

private:
    std::atomic<bool> FDone{false};
    std::thread FThread;
};

// The backend on the display the tests run on, and a connection of the test's own that looks
// at the screen as any other client would.
class LinuxWindowSystem : public ::testing::Test {
protected:
    std::unique_ptr<TLinuxWindowSystem> Windows;
    Display* Probe = nullptr;
    std::vector<TNativeWindow> Created;

    void SetUp() override
    {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display)
            GTEST_SKIP() << "DISPLAY is not set";
        Probe = XOpenDisplay(nullptr);
        if (!Probe)
            GTEST_SKIP() << "the display " << display << " cannot be opened";
        Windows = TLinuxWindowSystem::Open();
        ASSERT_TRUE(Windows);
        // A request the X server refuses only shows as a warning; the test fails on it instead.
        gdk_x11_display_error_trap_push(gdk_display_get_default());
        Collect(milliseconds(20));
    }

    void TearDown() override
    {
        for (TNativeWindow w : Created)
            Windows->Destroy(w);
        if (Windows) {
            Collect(milliseconds(10));
            EXPECT_EQ(gdk_x11_display_error_trap_pop(gdk_display_get_default()), 0) << "the X server refused a request";
        }
        Windows.reset();
        if (Probe)
            XCloseDisplay(Probe);
    }

    // Takes events (timers too) until Stop accepts one or the time is up.
    std::vector<TNativeEvent> Collect(milliseconds Limit, const std::function<bool(const TNativeEvent&)>& Stop = {})
    {
        std::vector<TNativeEvent> seen;
        const auto end = Clock::now() + Limit;
        while (Clock::now() < end) {
            TNativeEvent e;
            if (!Windows->PeekEvent(e, true)) {
                std::this_thread::sleep_for(milliseconds(2));
                continue;
            }
            seen.push_back(e);
            if (Stop && Stop(e))
                break;
        }
        return seen;
    }

    TNativeWindow Make(const TRect& Bounds, bool Border = false, bool StayOnTop = false)
    {
        TNativeWindowParams p;
        p.Bounds = Bounds;
        p.Caption = "test window";
        p.Border = p.TitleBar = Border;
        p.StayOnTop = StayOnTop;
        const TNativeWindow w = Windows->Create(p);
        Created.push_back(w);
        return w;
    }

    // The saver's kind of window: frameless, over the whole screen, taking the input.
    TNativeWindow MakeFullScreen(const TRect& Bounds)
    {
        TNativeWindowParams p;
        p.Kind = TNativeWindowKind::Frameless;
        p.FullScreen = true;
        p.Bounds = Bounds;
        p.Caption = "test window";
        p.Border = p.TitleBar = false;
        const TNativeWindow w = Windows->Create(p);
        Created.push_back(w);
        return w;
    }

    bool Viewable(TNativeWindow Window)
    {
        XWindowAttributes a;
        return XGetWindowAttributes(Probe, Windows->XWindow(Window), &a) && a.map_state == IsViewable;
    }

    // Shows the window and waits until the X server shows it and it has been asked to paint;
    // gives the events that came meanwhile.
    // A shown window of Bounds with a back buffer of its client size, in memory of its own or
    // in the window's image.
    TNativeWindow ShownWithBuffer(const TRect& Bounds, bool Stored, TBitmap& Buffer)
    {
        const TNativeWindow w = Make(Bounds);
        ShowAndWait(w);
        if (Stored) {
            EXPECT_TRUE(Buffer.SetPixelStore(Windows->BackBufferStore(w)));
        }
        Buffer.SetSize(Bounds.Width(), Bounds.Height());
        return w;
    }

    std::vector<TNativeEvent> ShowAndWait(TNativeWindow Window)
    {
        Windows->Show(Window, true);
        bool exposed = false, resized = false;
        const auto note = [&](const TNativeEvent& e) {
            exposed = exposed || (e.Kind == TNativeEvent::Expose && e.Window == Window);
            resized = resized || (e.Kind == TNativeEvent::Resized && e.Window == Window);
            return exposed && Viewable(Window);
        };
        std::vector<TNativeEvent> seen = Collect(milliseconds(2000), note);
        EXPECT_TRUE(exposed && Viewable(Window)) << "the window was not shown";
        for (const TNativeEvent& e : Collect(milliseconds(30))) {
            note(e);
            seen.push_back(e);
        }
        EXPECT_FALSE(resized) << "the window did not get the bounds it was given";
        return seen;
    }

    // Both connections have had every request carried out.
    void Sync()
    {
        gdk_display_sync(gdk_display_get_default());
        XSync(Probe, False);
    }

    // The screen's pixels in Area, 0x00RRGGBB, row by row.
    void ScreenPixels(const TRect& Area, TBitmap& out)
    {
        Sync();
        out.SetSize(Area.Width(), Area.Height());
        XImage* image = XGetImage(Probe, DefaultRootWindow(Probe), Area.Left, Area.Top, Area.Width(), Area.Height(),
                                  AllPlanes, ZPixmap);
        if (!image)
            return;
        for (int32_t y = 0; y < Area.Height(); ++y)
            for (int32_t x = 0; x < Area.Width(); ++x)
                out.SetPixel(x, y, static_cast<TPixel>(XGetPixel(image, x, y) & 0xFFFFFF));
        XDestroyImage(image);
    }

    // Where the screen differs from Expected (given per client pixel), or success.
    ::testing::AssertionResult ScreenShows(const TRect& Client, const std::function<TPixel(int32_t, int32_t)>& Expected)
    {
        TBitmap shown;
        ScreenPixels(Client, shown);
        for (int32_t y = 0; y < Client.Height(); ++y)
            for (int32_t x = 0; x < Client.Width(); ++x)
                if (shown.Pixel(x, y) != Expected(x, y))
                    return ::testing::AssertionFailure()
                           << "first difference at client (" << x << "," << y << "): shown " << std::hex
                           << shown.Pixel(x, y) << ", expected " << Expected(x, y);
        return ::testing::AssertionSuccess();
    }

    static bool HaveXdotool() { return std::system("command -v xdotool >/dev/null 2>&1") == 0; }
    static void Xdotool(const std::string& Arguments) { ASSERT_EQ(std::system(("xdotool " + Arguments).c_str()), 0) << Arguments; }
};

}  // namespace

// The back buffer is presented the same whether it lives in memory of its own, which the
// window copies from, or in the window's image, which the window shows as it is.
TEST_F(LinuxWindowSystem, PresentShowsTheBackBufferAndOnlyTheGivenArea)
{
    for (const bool stored : {false, true}) {
        SCOPED_TRACE(stored ? "back buffer in the window's image" : "back buffer of its own");
        // Large enough that the whole buffer and its lower right part take the way for large
        // areas, while the small rectangle takes the one for small areas.
        const TRect bounds = TRect::FromSize(50, 60, 400, 300);
        TBitmap buffer;
        const TNativeWindow w = ShownWithBuffer(bounds, stored, buffer);
        FillBitmap(buffer, 0x00336699, buffer.BoundsRect());
        Windows->Present(w, buffer, buffer.BoundsRect());
        EXPECT_TRUE(ScreenShows(bounds, [](int32_t, int32_t) { return 0x00336699u; })) << "whole buffer";

        // A new picture in the buffer, of which only a small rectangle is presented.
        FillBitmap(buffer, 0x00FF0000, buffer.BoundsRect());
        const TRect small{10, 20, 30, 25};
        Windows->Present(w, buffer, small);
        EXPECT_TRUE(
            ScreenShows(bounds, [&](int32_t x, int32_t y) { return small.Contains(x, y) ? 0x00FF0000u : 0x00336699u; }))
            << "small rectangle";

        // Areas reaching beyond the buffer show what lies inside it.
        FillBitmap(buffer, 0x0000FF00, buffer.BoundsRect());
        Windows->Present(w, buffer, {100, 70, 500, 500});
        Windows->Present(w, buffer, {-50, -50, -10, -10});
        EXPECT_TRUE(ScreenShows(bounds, [&](int32_t x, int32_t y) {
            return x >= 100 && y >= 70 ? 0x0000FF00u : small.Contains(x, y) ? 0x00FF0000u : 0x00336699u;
        })) << "area beyond the buffer";
        Windows->Destroy(w);
        Collect(milliseconds(30));
    }
}

// A window of another client that covers part of ours and goes again leaves that part to be
// drawn anew: the backend shows the presented pixels at once and reports the area.
TEST_F(LinuxWindowSystem, UncoveredAreaIsRedrawnAndReported)
{
    for (const bool stored : {false, true}) {
        SCOPED_TRACE(stored ? "back buffer in the window's image" : "back buffer of its own");
        const TRect bounds = TRect::FromSize(60, 70, 100, 90);
        TBitmap buffer;
        const TNativeWindow w = ShownWithBuffer(bounds, stored, buffer);
        FillBitmap(buffer, 0x00C08040, buffer.BoundsRect());
        Windows->Present(w, buffer, buffer.BoundsRect());

        XSetWindowAttributes a;
        a.override_redirect = True;
        a.background_pixel = WhitePixel(Probe, DefaultScreen(Probe));
        const Window cover = XCreateWindow(Probe, DefaultRootWindow(Probe), 80, 90, 30, 20, 0, CopyFromParent,
                                           InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
        XMapRaised(Probe, cover);
        XSync(Probe, False);
        XDestroyWindow(Probe, cover);
        XSync(Probe, False);

        TRect reported;
        Collect(milliseconds(1000), [&](const TNativeEvent& e) {
            if (e.Kind == TNativeEvent::Expose && e.Window == w)
                reported = reported.United(e.Area);
            return reported.Intersected({20, 20, 50, 40}) == TRect{20, 20, 50, 40};
        });
        EXPECT_EQ(reported.Intersected({20, 20, 50, 40}), (TRect{20, 20, 50, 40}));
        EXPECT_TRUE(ScreenShows(bounds, [](int32_t, int32_t) { return 0x00C08040u; }));
        Windows->Destroy(w);
        Collect(milliseconds(30));
    }
}

// A back buffer can outlive its window: it then lives in ordinary memory, keeps its pixels and
// takes new sizes. A window without pixels hands out no store.
TEST_F(LinuxWindowSystem, BackBufferStoreOutlivesItsWindow)
{
    const TNativeWindow w = Make(TRect::FromSize(40, 40, 120, 80));
    ShowAndWait(w);
    TBitmap buffer(120, 80);
    FillBitmap(buffer, 0x00123456, buffer.BoundsRect());
    ASSERT_TRUE(buffer.SetPixelStore(Windows->BackBufferStore(w)));
    Windows->Present(w, buffer, buffer.BoundsRect());
    Windows->Destroy(w);
    Collect(milliseconds(30));
    EXPECT_EQ(buffer.Pixel(119, 79), 0x00123456u);
    buffer.SetSize(300, 200);
    EXPECT_TRUE(buffer.HasPixelStore());
    FillBitmap(buffer, 0x00654321, buffer.BoundsRect());
    EXPECT_EQ(buffer.Pixel(299, 199), 0x00654321u);

    TNativeWindowParams p;
    p.MessageOnly = true;
    const TNativeWindow m = Windows->Create(p);
    EXPECT_EQ(Windows->BackBufferStore(m), nullptr);
    EXPECT_EQ(Windows->BackBufferStore(0xDEAD), nullptr);
    Windows->Destroy(m);
}

// Bounds the framework sets are not reported back; a change made by someone else is.
TEST_F(LinuxWindowSystem, BoundsChangedFromOutsideAreReported)
{
    const TNativeWindow w = Make(TRect::FromSize(30, 40, 200, 100));
    ShowAndWait(w);
    Windows->SetBounds(w, TRect::FromSize(60, 50, 180, 120));
    for (const TNativeEvent& e : Collect(milliseconds(150)))
        EXPECT_NE(e.Kind, TNativeEvent::Resized) << "own SetBounds reported as " << e.Area;

    XMoveResizeWindow(Probe, Windows->XWindow(w), 90, 70, 150, 110);
    XSync(Probe, False);
    TRect reported;
    Collect(milliseconds(1000), [&](const TNativeEvent& e) {
        if (e.Kind == TNativeEvent::Resized && e.Window == w)
            reported = e.Area;
        return reported == TRect::FromSize(90, 70, 150, 110);
    });
    EXPECT_EQ(reported, TRect::FromSize(90, 70, 150, 110));
}

TEST_F(LinuxWindowSystem, FullScreenBorderlessWindowCoversThePrimaryScreen)
{
    const TRect screen = Windows->ScreenRect();
    ASSERT_FALSE(screen.IsEmpty());
    const struct {
        const char* row;
        TRect created;
    } cases[] = {
        {"created at the screen's size", screen},
        {"sized to the screen after it was made", TRect::FromSize(381, 416, 444, 427)},
    };
    for (const auto& c : cases) {
        const TNativeWindow w = MakeFullScreen(c.created);
        Windows->SetBounds(w, screen);
        ShowAndWait(w);
        XWindowAttributes a;
        ASSERT_TRUE(XGetWindowAttributes(Probe, Windows->XWindow(w), &a)) << c.row;
        Window child;
        int x = -1, y = -1;
        XTranslateCoordinates(Probe, Windows->XWindow(w), DefaultRootWindow(Probe), 0, 0, &x, &y, &child);
        EXPECT_EQ(TRect::FromSize(x, y, a.width, a.height), screen) << c.row;
        EXPECT_TRUE(a.override_redirect) << c.row << ": a window manager could move a managed window";

        // The window holds the keyboard, and taking it did not read as a loss of activation.
        EXPECT_EQ(XGrabKeyboard(Probe, DefaultRootWindow(Probe), False, GrabModeAsync, GrabModeAsync, CurrentTime),
                  AlreadyGrabbed)
            << c.row;
        XUngrabKeyboard(Probe, CurrentTime);
        for (const TNativeEvent& e : Collect(milliseconds(100)))
            EXPECT_FALSE(e.Kind == TNativeEvent::Activate && !e.Active) << c.row << ": " << Describe(e);

        TBitmap buffer(screen.Width(), screen.Height());
        FillBitmap(buffer, 0x00000000, buffer.BoundsRect());
        Windows->Present(w, buffer, buffer.BoundsRect());
        EXPECT_TRUE(ScreenShows({0, 0, 40, 30}, [](int32_t, int32_t) { return 0u; })) << c.row;
        Windows->Destroy(w);
        Collect(milliseconds(30));
    }
}

// Another program holds the keyboard (and then the pointer too): the full-screen window is still
// shown, and a key or a click still reaches it, so the saver can end.
TEST_F(LinuxWindowSystem, FullScreenWindowGetsInputThatAnotherProgramsGrabHolds)
{
    if (!HaveXdotool())
        GTEST_SKIP() << "xdotool is not installed";
    const struct {
        const char* row;
        bool pointerToo;
        const char* command;
        TNativeEvent::TKind kind;
        uint16_t key;
    } cases[] = {
        {"keyboard held: a key", false, "key Escape", TNativeEvent::KeyDown, 0x1B},
        {"keyboard and pointer held: a key", true, "key q", TNativeEvent::KeyDown, 'Q'},
        {"keyboard and pointer held: a click", true, "click 3", TNativeEvent::MouseDown, 0},
    };
    for (const auto& c : cases) {
        const Window root = DefaultRootWindow(Probe);
        ASSERT_EQ(XGrabKeyboard(Probe, root, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess) << c.row;
        if (c.pointerToo) {
            ASSERT_EQ(XGrabPointer(Probe, root, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime),
                      GrabSuccess)
                << c.row;
        }
        XSync(Probe, False);
        const TNativeWindow w = MakeFullScreen(Windows->ScreenRect());
        ShowAndWait(w);
        Xdotool(c.command);
        const std::vector<TNativeEvent> seen = Collect(milliseconds(1000), [&](const TNativeEvent& e) {
            return e.Kind == c.kind && e.Window == w && (c.key == 0 || e.Key == c.key);
        });
        EXPECT_FALSE(seen.empty() || seen.back().Kind != c.kind) << c.row << ": nothing arrived";
        XUngrabPointer(Probe, CurrentTime);
        XUngrabKeyboard(Probe, CurrentTime);
        XSync(Probe, False);
        Windows->Destroy(w);
        Collect(milliseconds(20));
    }
}

TEST_F(LinuxWindowSystem, InputArrivesAsEventsInClientCoordinates)
{
    if (!HaveXdotool())
        GTEST_SKIP() << "xdotool is not installed";
    const TNativeWindow w = Make(TRect::FromSize(100, 80, 300, 200));
    ShowAndWait(w);
    Xdotool("mousemove 150 130");
    Collect(milliseconds(200), [](const TNativeEvent& e) { return e.Kind == TNativeEvent::MouseMove; });

    const struct {
        const char* command;
        TNativeEvent::TKind kind;
        uint16_t key;
        TMouseButton button;
        int32_t wheel;
        TShiftState shift;
        TPoint position;
    } cases[] = {
        {"mousemove 160 150", TNativeEvent::MouseMove, 0, TMouseButton::mbLeft, 0, 0, {60, 70}},
        {"click 1", TNativeEvent::MouseDown, 0, TMouseButton::mbLeft, 0, ssLeft, {60, 70}},
        {"click 3", TNativeEvent::MouseUp, 0, TMouseButton::mbRight, 0, 0, {60, 70}},
        {"click 2", TNativeEvent::MouseDown, 0, TMouseButton::mbMiddle, 0, ssMiddle, {60, 70}},
        {"keydown shift click 1 keyup shift", TNativeEvent::MouseDown, 0, TMouseButton::mbLeft, 0, ssLeft | ssShift, {60, 70}},
        {"click 4", TNativeEvent::Wheel, 0, TMouseButton::mbLeft, 120, 0, {60, 70}},
        {"click 5", TNativeEvent::Wheel, 0, TMouseButton::mbLeft, -120, 0, {60, 70}},
        {"key Escape", TNativeEvent::KeyDown, 0x1B, TMouseButton::mbLeft, 0, 0, {}},
        {"key a", TNativeEvent::KeyDown, 'A', TMouseButton::mbLeft, 0, 0, {}},
        {"key shift+a", TNativeEvent::KeyDown, 'A', TMouseButton::mbLeft, 0, ssShift, {}},
        {"key shift+1", TNativeEvent::KeyDown, '1', TMouseButton::mbLeft, 0, ssShift, {}},
        {"key Return", TNativeEvent::KeyDown, 0x0D, TMouseButton::mbLeft, 0, 0, {}},
        {"key Left", TNativeEvent::KeyDown, 0x25, TMouseButton::mbLeft, 0, 0, {}},
        {"key F1", TNativeEvent::KeyUp, 0x70, TMouseButton::mbLeft, 0, 0, {}},
        {"key ctrl+shift+x", TNativeEvent::KeyDown, 'X', TMouseButton::mbLeft, 0, ssShift | ssCtrl, {}},
        // What a dialog moves its focus and works its controls with; the toolkit keeps none of it.
        {"key Tab", TNativeEvent::KeyDown, 0x09, TMouseButton::mbLeft, 0, 0, {}},
        {"key shift+Tab", TNativeEvent::KeyDown, 0x09, TMouseButton::mbLeft, 0, ssShift, {}},
        {"key ctrl+Tab", TNativeEvent::KeyDown, 0x09, TMouseButton::mbLeft, 0, ssCtrl, {}},
        {"key ctrl+shift+Tab", TNativeEvent::KeyDown, 0x09, TMouseButton::mbLeft, 0, ssCtrl | ssShift, {}},
        {"key space", TNativeEvent::KeyDown, 0x20, TMouseButton::mbLeft, 0, 0, {}},
        {"key Up", TNativeEvent::KeyDown, 0x26, TMouseButton::mbLeft, 0, 0, {}},
        {"key Down", TNativeEvent::KeyDown, 0x28, TMouseButton::mbLeft, 0, 0, {}},
        {"key Right", TNativeEvent::KeyDown, 0x27, TMouseButton::mbLeft, 0, 0, {}},
        {"key Home", TNativeEvent::KeyDown, 0x24, TMouseButton::mbLeft, 0, 0, {}},
        {"key End", TNativeEvent::KeyDown, 0x23, TMouseButton::mbLeft, 0, 0, {}},
        {"key Prior", TNativeEvent::KeyDown, 0x21, TMouseButton::mbLeft, 0, 0, {}},
        {"key Next", TNativeEvent::KeyDown, 0x22, TMouseButton::mbLeft, 0, 0, {}},
        {"key F4", TNativeEvent::KeyDown, 0x73, TMouseButton::mbLeft, 0, 0, {}},
        {"key alt+Down", TNativeEvent::KeyDown, 0x28, TMouseButton::mbLeft, 0, ssAlt, {}},
        {"key alt+F4", TNativeEvent::KeyDown, 0x73, TMouseButton::mbLeft, 0, ssAlt, {}},
        {"key F10", TNativeEvent::KeyDown, 0x79, TMouseButton::mbLeft, 0, 0, {}},
        {"key alt+o", TNativeEvent::KeyDown, 'O', TMouseButton::mbLeft, 0, ssAlt, {}},
    };
    for (const auto& c : cases) {
        // The display may be shared: the window is put back on top and given the keys first.
        XRaiseWindow(Probe, Windows->XWindow(w));
        XSetInputFocus(Probe, Windows->XWindow(w), RevertToParent, CurrentTime);
        XSync(Probe, False);
        Xdotool(c.command);
        const bool mouseButton = c.kind == TNativeEvent::MouseDown || c.kind == TNativeEvent::MouseUp;
        const auto wanted = [&](const TNativeEvent& e) {
            return e.Kind == c.kind && (c.key == 0 || e.Key == c.key) && (!mouseButton || e.Button == c.button);
        };
        const std::vector<TNativeEvent> seen = Collect(milliseconds(1000), wanted);
        ASSERT_FALSE(seen.empty() || !wanted(seen.back())) << c.command << ": no such event arrived";
        const TNativeEvent& e = seen.back();
        EXPECT_EQ(e.Window, w) << c.command;
        EXPECT_EQ(e.Shift, c.shift) << c.command << ": " << Describe(e);
        if (c.kind == TNativeEvent::KeyDown || c.kind == TNativeEvent::KeyUp)
            continue;
        EXPECT_EQ(e.Position, c.position) << c.command;
        EXPECT_EQ(e.WheelDelta, c.wheel) << c.command;
    }
}

// The second press of a double click is marked, not repeated: two presses in all.
TEST_F(LinuxWindowSystem, DoubleClickMarksTheSecondPress)
{
    if (!HaveXdotool())
        GTEST_SKIP() << "xdotool is not installed";
    const TNativeWindow w = Make(TRect::FromSize(100, 80, 300, 200));
    ShowAndWait(w);
    Xdotool("mousemove 200 180 click --repeat 2 --delay 40 1");
    int ups = 0;
    std::vector<TShiftState> presses;
    Collect(milliseconds(1000), [&](const TNativeEvent& e) {
        if (e.Kind == TNativeEvent::MouseDown)
            presses.push_back(e.Shift);
        ups += e.Kind == TNativeEvent::MouseUp;
        return ups == 2;
    });
    Collect(milliseconds(50), [&](const TNativeEvent& e) {
        if (e.Kind == TNativeEvent::MouseDown)
            presses.push_back(e.Shift);
        return false;
    });
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0], ssLeft);
    EXPECT_EQ(presses[1], ssLeft | ssDouble);
}

TEST_F(LinuxWindowSystem, FocusMovingToAnotherWindowDeactivatesTheFirst)
{
    const TNativeWindow first = Make(TRect::FromSize(40, 40, 100, 100));
    const TNativeWindow second = Make(TRect::FromSize(200, 40, 100, 100));
    const auto activated = [](const std::vector<TNativeEvent>& Events, TNativeWindow Window) {
        return std::any_of(Events.begin(), Events.end(), [&](const TNativeEvent& e) {
            return e.Kind == TNativeEvent::Activate && e.Window == Window && e.Active;
        });
    };
    EXPECT_TRUE(activated(ShowAndWait(first), first)) << "a shown window takes the focus";
    EXPECT_TRUE(activated(ShowAndWait(second), second)) << "a shown window takes the focus";
    XSetInputFocus(Probe, Windows->XWindow(first), RevertToParent, CurrentTime);
    XSync(Probe, False);
    bool firstActive = false, secondInactive = false;
    Collect(milliseconds(1000), [&](const TNativeEvent& e) {
        firstActive = firstActive || (e.Kind == TNativeEvent::Activate && e.Window == first && e.Active);
        secondInactive = secondInactive || (e.Kind == TNativeEvent::Activate && e.Window == second && !e.Active);
        return firstActive && secondInactive;
    });
    EXPECT_TRUE(firstActive);
    EXPECT_TRUE(secondInactive);
}

TEST_F(LinuxWindowSystem, PostFromAnotherThreadWakesTheWait)
{
    TNativeWindowParams p;
    p.MessageOnly = true;
    const TNativeWindow w = Windows->Create(p);
    Created.push_back(w);
    TWatchdog watchdog(*Windows, milliseconds(3000));

    const auto start = Clock::now();
    std::thread poster([&] {
        std::this_thread::sleep_for(milliseconds(100));
        Windows->Post(w, WmUser + 5, 7, -3);
    });
    Windows->WaitForEvent();
    const auto waited = Clock::now() - start;
    poster.join();
    EXPECT_GE(waited, milliseconds(90)) << "the wait returned before anything arrived";
    EXPECT_LT(waited, milliseconds(1000));
    TNativeEvent e;
    ASSERT_TRUE(Windows->PeekEvent(e, false));
    EXPECT_EQ(e.Kind, TNativeEvent::Message);
    EXPECT_EQ(e.Window, w);
    EXPECT_EQ(e.Msg, WmUser + 5);
    EXPECT_EQ(e.WParam, 7u);
    EXPECT_EQ(e.LParam, -3);
}

TEST_F(LinuxWindowSystem, WakeEndsTheWaitEvenWhenGivenBeforeIt)
{
    TWatchdog watchdog(*Windows, milliseconds(3000));
    const struct {
        const char* row;
        int delayMs;
    } cases[] = {{"wake before the wait", -1}, {"wake during the wait", 100}};
    for (const auto& c : cases) {
        if (c.delayMs < 0)
            Windows->Wake();
        const auto start = Clock::now();
        std::thread waker([&] {
            if (c.delayMs < 0)
                return;
            std::this_thread::sleep_for(milliseconds(c.delayMs));
            Windows->Wake();
        });
        Windows->WaitForEvent();
        const auto waited = Clock::now() - start;
        waker.join();
        EXPECT_LT(waited, milliseconds(c.delayMs < 0 ? 50 : 1000)) << c.row;
        EXPECT_GE(waited, milliseconds(std::max(c.delayMs - 10, 0))) << c.row;
    }
}

TEST_F(LinuxWindowSystem, TimersDeliverOneEventAtATimeAfterOtherEventsAndStop)
{
    TNativeWindowParams p;
    p.MessageOnly = true;
    const TNativeWindow w = Windows->Create(p);
    Created.push_back(w);
    EXPECT_FALSE(Windows->StartTimer(0x7777, 1, 20)) << "a window that does not exist";
    ASSERT_TRUE(Windows->StartTimer(w, 7, 20));

    // Many periods pass while only other events are taken: one Timer event waits, no more, and
    // it comes after a message posted later.
    const auto end = Clock::now() + milliseconds(150);
    TNativeEvent e;
    while (Clock::now() < end) {
        EXPECT_FALSE(Windows->PeekEvent(e, false) && e.Kind == TNativeEvent::Timer) << "timer without IncludeTimers";
        std::this_thread::sleep_for(milliseconds(2));
    }
    Windows->Post(w, WmUser, 0, 0);
    ASSERT_TRUE(Windows->PeekEvent(e, true));
    EXPECT_EQ(e.Kind, TNativeEvent::Message);
    ASSERT_TRUE(Windows->PeekEvent(e, true));
    EXPECT_EQ(e.Kind, TNativeEvent::Timer);
    EXPECT_EQ(e.TimerId, 7u);
    EXPECT_EQ(e.Window, w);
    EXPECT_FALSE(Windows->PeekEvent(e, true)) << "a second Timer event was waiting";

    // Running the loop, the timer comes once per period.
    int ticks = 0;
    {
        TWatchdog watchdog(*Windows, milliseconds(3000));
        const auto runEnd = Clock::now() + milliseconds(200);
        while (Clock::now() < runEnd) {
            Windows->WaitForEvent();
            while (Windows->PeekEvent(e, true))
                ticks += e.Kind == TNativeEvent::Timer && e.TimerId == 7;
        }
    }
    EXPECT_GE(ticks, 5);
    EXPECT_LE(ticks, 11);

    // Stopped, it gives nothing more, not even a period that was already due.
    std::this_thread::sleep_for(milliseconds(30));
    Windows->PeekEvent(e, false);
    Windows->StopTimer(w, 7);
    Windows->StopTimer(w, 8);
    for (const TNativeEvent& later : Collect(milliseconds(80)))
        EXPECT_NE(later.Kind, TNativeEvent::Timer) << "after StopTimer";

    // A window that goes takes its timers with it.
    ASSERT_TRUE(Windows->StartTimer(w, 9, 10));
    Windows->Destroy(w);
    for (const TNativeEvent& later : Collect(milliseconds(60)))
        EXPECT_NE(later.Kind, TNativeEvent::Timer) << "after Destroy";
}

TEST_F(LinuxWindowSystem, PointerShapeFollowsTheWindowAndNoneHidesIt)
{
    if (!HaveXdotool())
        GTEST_SKIP() << "xdotool is not installed";
    int eventBase = 0, errorBase = 0;
    if (!XFixesQueryExtension(Probe, &eventBase, &errorBase))
        GTEST_SKIP() << "the X server cannot show the pointer image";
    const TNativeWindow w = Make(TRect::FromSize(100, 80, 300, 200));
    ShowAndWait(w);
    Xdotool("mousemove 250 180");
    const struct {
        TCursor shape;
        bool visible;
    } cases[] = {{crNone, false}, {crCross, true}, {crNone, false}, {crDefault, true},
                 {crIBeam, true}, {crHandPoint, true}, {crArrow, true}, {-17, true}};
    for (const auto& c : cases) {
        Windows->SetPointer(w, c.shape);
        Sync();
        Collect(milliseconds(20));
        XFixesCursorImage* image = XFixesGetCursorImage(Probe);
        ASSERT_TRUE(image);
        bool anyPixel = false;
        for (int i = 0; i < image->width * image->height; ++i)
            anyPixel = anyPixel || (image->pixels[i] & 0xFF000000u) != 0;
        XFree(image);
        EXPECT_EQ(anyPixel, c.visible) << "shape " << c.shape;
    }
}

TEST_F(LinuxWindowSystem, ErrorBoxShowsCaptionTextAndStopIcon)
{
    struct TSeen {
        std::string title, text, icon;
        GtkMessageType type = GTK_MESSAGE_OTHER;
        bool found = false;
        int tries = 0;
    } seen;
    // Answers the box once it is up, as a user pressing OK would.
    g_timeout_add(50, [](gpointer data) -> gboolean {
        auto* s = static_cast<TSeen*>(data);
        GList* all = gtk_window_list_toplevels();
        for (GList* l = all; l; l = l->next) {
            if (!GTK_IS_MESSAGE_DIALOG(l->data) || !gtk_widget_get_mapped(GTK_WIDGET(l->data)))
                continue;
            s->found = true;
            s->title = gtk_window_get_title(GTK_WINDOW(l->data));
            gchar* text = nullptr;
            g_object_get(l->data, "text", &text, "message-type", &s->type, nullptr);
            G_GNUC_BEGIN_IGNORE_DEPRECATIONS
            GtkWidget* image = gtk_message_dialog_get_image(GTK_MESSAGE_DIALOG(l->data));
            G_GNUC_END_IGNORE_DEPRECATIONS
            const gchar* icon = nullptr;
            if (GTK_IS_IMAGE(image) && gtk_widget_get_visible(image))
                gtk_image_get_icon_name(GTK_IMAGE(image), &icon, nullptr);
            s->icon = icon ? icon : "";
            s->text = text ? text : "";
            g_free(text);
            gtk_dialog_response(GTK_DIALOG(l->data), GTK_RESPONSE_OK);
        }
        g_list_free(all);
        return s->found || ++s->tries > 100 ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
    }, &seen);
    Windows->ShowErrorBox("Quorvel", "Invalid data type for 'Style'.");
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, "Quorvel");
    EXPECT_EQ(seen.text, "Invalid data type for 'Style'.");
    EXPECT_EQ(seen.type, GTK_MESSAGE_ERROR);
    EXPECT_EQ(seen.icon.rfind("dialog-error", 0), 0u) << seen.icon;
}

TEST_F(LinuxWindowSystem, BadHandlesAndSizesAreHarmless)
{
    TBitmap buffer(10, 10);
    const TBitmap empty;
    for (TNativeWindow bad : {TNativeWindow{0}, TNativeWindow{0xDEAD}}) {
        Windows->SetBounds(bad, {0, 0, 10, 10});
        Windows->SetCaption(bad, "x");
        Windows->Show(bad, true);
        Windows->Present(bad, buffer, buffer.BoundsRect());
        Windows->SetPointer(bad, crNone);
        Windows->StopTimer(bad, 1);
        Windows->DefaultSystemCommand(bad, 0xF060);
        Windows->BeginMoveDrag(bad);
        Windows->Destroy(bad);
        EXPECT_FALSE(Windows->StartTimer(bad, 1, 10));
        EXPECT_EQ(Windows->XWindow(bad), 0u);
    }
    // Sizes X cannot hold are cut to what it can; empty and odd areas show nothing.
    const TNativeWindow w = Make({-100000, -100000, 100000, 100000}, true);
    EXPECT_NE(Windows->XWindow(w), 0u);
    Windows->SetBounds(w, {5, 5, 5, 5});
    Windows->SetBounds(w, {50, 50, 10, 10});
    Windows->SetCaption(w, std::string("bad \xFF\xFE text"));
    Windows->Present(w, empty, {0, 0, 100, 100});
    Windows->Present(w, buffer, {8, 8, 2, 2});
    Windows->Present(w, buffer, {-5, -5, 500, 500});
    TNativeWindowParams message;
    message.MessageOnly = true;
    const TNativeWindow m = Windows->Create(message);
    Created.push_back(m);
    Windows->Show(m, true);
    Windows->Present(m, buffer, buffer.BoundsRect());
    EXPECT_EQ(Windows->XWindow(m), 0u);
    Collect(milliseconds(30));
}

namespace {

// A window made by the test's own connection, as another program would make it.
Window ForeignWindow(Display* Probe, int X, int Y, unsigned Width, unsigned Height)
{
    XSetWindowAttributes a;
    a.override_redirect = True;
    a.background_pixel = BlackPixel(Probe, DefaultScreen(Probe));
    const Window w = XCreateWindow(Probe, DefaultRootWindow(Probe), X, Y, Width, Height, 0, CopyFromParent,
                                   InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
    XMapRaised(Probe, w);
    XSync(Probe, False);
    return w;
}

Window ParentOf(Display* Probe, Window W)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(Probe, W, &root, &parent, &children, &count))
        return 0;
    if (children)
        XFree(children);
    return parent;
}

Window FocusOf(Display* Probe)
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(Probe, &focus, &revert);
    return focus;
}

}  // namespace

// Each kind of window as the framework says it, on a display without a window manager: the
// dialog kinds take the keyboard focus when shown, a pop-up lies above its owner, transient for
// it, and leaves it the focus.
TEST_F(LinuxWindowSystem, EachKindIsMadeAsSaid)
{
    TNativeWindowParams dialog;
    dialog.Kind = TNativeWindowKind::Frameless;
    dialog.Bounds = TRect::FromSize(60, 50, 329, 375);
    dialog.Caption = "frameless dialog";
    const TNativeWindow owner = Windows->Create(dialog);
    Created.push_back(owner);
    ShowAndWait(owner);
    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(Probe, Windows->XWindow(owner), &a));
    EXPECT_FALSE(a.override_redirect) << "a frameless dialog is an ordinary top-level window";
    EXPECT_EQ(FocusOf(Probe), Windows->XWindow(owner)) << "a frameless dialog takes the keyboard focus";
    EXPECT_EQ(Windows->SystemHandle(owner), Windows->XWindow(owner));

    TNativeWindowParams popup;
    popup.Kind = TNativeWindowKind::Popup;
    popup.Owner = owner;
    popup.Bounds = TRect::FromSize(80, 100, 120, 90);
    const TNativeWindow list = Windows->Create(popup);
    Created.push_back(list);
    std::vector<TNativeEvent> seen = ShowAndWait(list);
    for (const TNativeEvent& e : Collect(milliseconds(100)))
        seen.push_back(e);
    ASSERT_TRUE(XGetWindowAttributes(Probe, Windows->XWindow(list), &a));
    EXPECT_TRUE(a.override_redirect) << "a pop-up stays where it is put";
    Window transientFor = 0;
    EXPECT_TRUE(XGetTransientForHint(Probe, Windows->XWindow(list), &transientFor));
    EXPECT_EQ(transientFor, Windows->XWindow(owner));
    EXPECT_EQ(FocusOf(Probe), Windows->XWindow(owner)) << "the owner keeps the focus";
    for (const TNativeEvent& e : seen)
        EXPECT_FALSE(e.Kind == TNativeEvent::Activate) << "showing a pop-up moved the activation: " << Describe(e);

    TNativeWindowParams framed;
    framed.Kind = TNativeWindowKind::Framed;
    framed.Bounds = TRect::FromSize(300, 60, 200, 150);
    const TNativeWindow f = Windows->Create(framed);
    Created.push_back(f);
    ShowAndWait(f);
    EXPECT_EQ(FocusOf(Probe), Windows->XWindow(f));

    TNativeWindowParams message;
    message.Kind = TNativeWindowKind::MessageOnly;
    const TNativeWindow m = Windows->Create(message);
    Created.push_back(m);
    EXPECT_NE(m, 0u);
    EXPECT_EQ(Windows->SystemHandle(m), 0u);
}

// A child of a window of another program: it lies in the host and shows its pixels there, it
// hears the host's new sizes, and when the host goes it is reported destroyed and nothing fails.
TEST_F(LinuxWindowSystem, ForeignChildLivesInItsHostAndHearsOfItsEnd)
{
    const Window host = ForeignWindow(Probe, 200, 150, 152, 112);
    TRect hostRect;
    ASSERT_TRUE(Windows->SystemWindowRect(host, hostRect));
    EXPECT_EQ(hostRect, TRect::FromSize(200, 150, 152, 112));

    TNativeWindowParams p;
    p.Kind = TNativeWindowKind::ForeignChild;
    p.Host = host;
    p.Bounds = {0, 0, 152, 112};
    const TNativeWindow w = Windows->Create(p);
    ASSERT_NE(w, 0u);
    Created.push_back(w);
    EXPECT_EQ(ParentOf(Probe, Windows->XWindow(w)), host);
    ShowAndWait(w);
    TBitmap buffer(152, 112);
    FillBitmap(buffer, 0x0000FF00, buffer.BoundsRect());
    Windows->Present(w, buffer, buffer.BoundsRect());
    EXPECT_TRUE(ScreenShows(hostRect, [](int32_t, int32_t) { return 0x0000FF00u; }));

    XResizeWindow(Probe, host, 200, 120);
    XSync(Probe, False);
    TRect reported;
    Collect(milliseconds(1000), [&](const TNativeEvent& e) {
        if (e.Kind == TNativeEvent::Resized && e.Window == w)
            reported = e.Area;
        return reported == TRect{0, 0, 200, 120};
    });
    EXPECT_EQ(reported, (TRect{0, 0, 200, 120})) << "the host's new client size";

    ASSERT_TRUE(Windows->StartTimer(w, 1, 10));
    XDestroyWindow(Probe, host);
    XSync(Probe, False);
    bool destroyed = false;
    Collect(milliseconds(1000), [&](const TNativeEvent& e) {
        destroyed = destroyed || (e.Kind == TNativeEvent::Destroyed && e.Window == w);
        return destroyed;
    });
    EXPECT_TRUE(destroyed);
    // Whatever the program still asks of the window is harmless and nothing more comes for it.
    Windows->Present(w, buffer, buffer.BoundsRect());
    Windows->SetBounds(w, {0, 0, 10, 10});
    Windows->Show(w, false);
    Windows->CapturePointer(w, true);
    EXPECT_FALSE(Windows->StartTimer(w, 2, 10));
    Windows->Post(w, WmUser, 0, 0);
    for (const TNativeEvent& e : Collect(milliseconds(60)))
        EXPECT_NE(e.Window, w) << Describe(e);
    EXPECT_FALSE(Windows->SystemWindowRect(host, hostRect));
}

TEST_F(LinuxWindowSystem, ForeignChildOfNoWindowIsRefused)
{
    const Window gone = ForeignWindow(Probe, 10, 10, 20, 20);
    XDestroyWindow(Probe, gone);
    XSync(Probe, False);
    for (const uintptr_t host : {uintptr_t{0}, uintptr_t{gone}, uintptr_t{0x7FFFFF0}}) {
        TNativeWindowParams p;
        p.Kind = TNativeWindowKind::ForeignChild;
        p.Host = host;
        p.Bounds = {0, 0, 20, 20};
        EXPECT_EQ(Windows->Create(p), 0u) << std::hex << host;
        TRect r;
        EXPECT_FALSE(Windows->SystemWindowRect(host, r)) << std::hex << host;
    }
}

// The X server clips the window's drawing to leave a child view out, whichever way the back
// buffer is presented.
TEST_F(LinuxWindowSystem, ChildViewIsNotPaintedOver)
{
    for (const bool stored : {false, true}) {
        SCOPED_TRACE(stored ? "back buffer in the window's image" : "back buffer of its own");
        const TRect bounds = TRect::FromSize(50, 60, 400, 300);
        TBitmap buffer;
        const TNativeWindow w = ShownWithBuffer(bounds, stored, buffer);
        std::unique_ptr<INativeChildView> view = Windows->CreateChildView(w, 0x0000FF);
        ASSERT_TRUE(view);
        EXPECT_NE(view->SystemHandle(), 0u);
        const TRect area{20, 30, 220, 130};
        view->SetBounds(area);
        view->Show(true);
        FillBitmap(buffer, 0x00FFFFFF, buffer.BoundsRect());
        Windows->Present(w, buffer, buffer.BoundsRect());
        Windows->Present(w, buffer, {0, 0, 40, 40});
        EXPECT_TRUE(ScreenShows(bounds, [&](int32_t x, int32_t y) { return area.Contains(x, y) ? 0x0000FFu : 0xFFFFFFu; }));
        view->Show(false);
        Windows->Present(w, buffer, buffer.BoundsRect());
        EXPECT_TRUE(ScreenShows(bounds, [](int32_t, int32_t) { return 0xFFFFFFu; })) << "a hidden view";
        Windows->Destroy(w);
        view.reset();   // after its window: harmless
        Collect(milliseconds(30));
    }
    EXPECT_EQ(Windows->CreateChildView(0xDEAD, 0), nullptr);
}

// Captured, the window hears a press and release anywhere, in its own coordinates; let go, a
// click elsewhere is not its business.
TEST_F(LinuxWindowSystem, CapturedPointerReportsClicksOutside)
{
    if (!HaveXdotool())
        GTEST_SKIP() << "xdotool is not installed";
    const TNativeWindow w = Make(TRect::FromSize(100, 80, 200, 150));
    ShowAndWait(w);
    Windows->CapturePointer(w, true);
    Xdotool("mousemove 500 400 click 1");
    std::vector<TNativeEvent> ups;
    Collect(milliseconds(1000), [&](const TNativeEvent& e) {
        if (e.Kind == TNativeEvent::MouseUp && e.Window == w)
            ups.push_back(e);
        return !ups.empty();
    });
    ASSERT_EQ(ups.size(), 1u) << "the release outside";
    EXPECT_EQ(ups[0].Position, TPoint(400, 320));

    Windows->CapturePointer(w, false);
    Xdotool("mousemove 520 420 click 1");
    for (const TNativeEvent& e : Collect(milliseconds(150)))
        EXPECT_FALSE(e.Window == w && (e.Kind == TNativeEvent::MouseDown || e.Kind == TNativeEvent::MouseUp))
            << Describe(e);
}

TEST_F(LinuxWindowSystem, PointerComingAndGoingIsReported)
{
    if (!HaveXdotool())
        GTEST_SKIP() << "xdotool is not installed";
    Xdotool("mousemove 600 500");
    const TNativeWindow w = Make(TRect::FromSize(100, 80, 200, 150));
    ShowAndWait(w);
    const struct {
        const char* command;
        TNativeEvent::TKind kind;
    } cases[] = {{"mousemove 150 100", TNativeEvent::MouseEnter}, {"mousemove 600 500", TNativeEvent::MouseLeave}};
    for (const auto& c : cases) {
        Xdotool(c.command);
        const std::vector<TNativeEvent> seen =
            Collect(milliseconds(1000), [&](const TNativeEvent& e) { return e.Kind == c.kind && e.Window == w; });
        EXPECT_TRUE(!seen.empty() && seen.back().Kind == c.kind) << c.command;
    }
}

TEST(LinuxVirtualKeys, KeySymbolsGiveTheVirtualKeyCodes)
{
    const struct {
        unsigned int keySym;
        uint16_t key;
    } cases[] = {
        {GDK_KEY_a, 'A'},         {GDK_KEY_Z, 'Z'},        {GDK_KEY_0, '0'},          {GDK_KEY_9, '9'},
        {GDK_KEY_Escape, 0x1B},   {GDK_KEY_Return, 0x0D},  {GDK_KEY_KP_Enter, 0x0D},  {GDK_KEY_space, 0x20},
        {GDK_KEY_Left, 0x25},     {GDK_KEY_Up, 0x26},      {GDK_KEY_Right, 0x27},     {GDK_KEY_Down, 0x28},
        {GDK_KEY_KP_Left, 0x25},  {GDK_KEY_KP_7, 0x67},    {GDK_KEY_F1, 0x70},        {GDK_KEY_F12, 0x7B},
        {GDK_KEY_Shift_R, 0x10},  {GDK_KEY_Control_L, 0x11}, {GDK_KEY_Alt_L, 0x12},   {GDK_KEY_Delete, 0x2E},
        {GDK_KEY_comma, 0xBC},    {GDK_KEY_adiaeresis, VkUnknown}, {0, VkUnknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFromKeySym(c.keySym), c.key) << std::hex << c.keySym;
}

// Without a display the backend says why on standard error and gives no window system; the
// program goes on to report that it cannot show windows. Run in a fresh process, since GTK
// may already be set up on a display in this one.
TEST(LinuxWindowSystemWithoutDisplay, OpenReportsTheFailure)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        const char* display;
        const char* message;
    } cases[] = {
        {":4711", "cannot open the X display \":4711\""},
        {"", "no X display is set"},
    };
    for (const auto& c : cases) {
        EXPECT_EXIT(
            {
                setenv("DISPLAY", c.display, 1);
                std::exit(TLinuxWindowSystem::Open() ? 1 : 0);
            },
            ::testing::ExitedWithCode(0), c.message)
            << c.display;
    }
}
