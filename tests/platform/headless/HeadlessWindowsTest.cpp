#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/headless/HeadlessChildView.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessWindows.h"

namespace {

TNativeWindowParams Plain(TRect Bounds)
{
    TNativeWindowParams p;
    p.Bounds = Bounds;
    p.Border = false;
    p.TitleBar = false;
    return p;
}

int TimerEvents(THeadlessWindows& Screen)
{
    int n = 0;
    TNativeEvent e;
    while (Screen.PeekEvent(e, true))
        n += e.Kind == TNativeEvent::Timer;
    return n;
}

}  // namespace

class HeadlessWindows : public ::testing::Test {
protected:
    THeadlessClock Clock;
    THeadlessWindows Screen{Clock, 640, 480};
    TNativeWindow Window = Screen.Create(Plain({0, 0, 40, 30}));
};

TEST_F(HeadlessWindows, TimerFiresOncePerDuePeriodCountedFromItsLastEvent)
{
    ASSERT_TRUE(Screen.StartTimer(Window, 3, 100));
    const struct { uint32_t advance; int events; } steps[] = {
        {99, 0}, {1, 1}, {0, 0}, {350, 1}, {99, 0}, {1, 1},
    };
    for (const auto& s : steps) {
        Clock.Advance(s.advance);
        EXPECT_EQ(TimerEvents(Screen), s.events) << "after advancing " << s.advance;
    }
    Screen.StopTimer(Window, 3);
    Clock.Advance(1000);
    EXPECT_EQ(TimerEvents(Screen), 0);
    EXPECT_FALSE(Screen.StartTimer(Window + 1000, 1, 100)) << "a window that does not exist has no timers";
}

TEST_F(HeadlessWindows, TimerEventsComeOnlyWhenAskedForAndAfterEverythingElse)
{
    Screen.StartTimer(Window, 1, 10);
    Clock.Advance(10);
    Screen.KeyDown(Window, 'A');
    TNativeEvent e;
    ASSERT_TRUE(Screen.PeekEvent(e, true));
    EXPECT_EQ(e.Kind, TNativeEvent::KeyDown);
    EXPECT_FALSE(Screen.PeekEvent(e, false));
    ASSERT_TRUE(Screen.PeekEvent(e, true));
    EXPECT_EQ(e.Kind, TNativeEvent::Timer);
    EXPECT_EQ(e.TimerId, 1u);
}

TEST_F(HeadlessWindows, PresentCopiesOnlyTheAreaInsideTheWindowAndRecordsIt)
{
    TBitmap back(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            back.SetPixel(x, y, 0x123456);
    Screen.Present(Window, back, {30, 20, 60, 50});
    const TBitmap& shown = Screen.Pixels(Window);
    EXPECT_EQ(shown.Pixel(30, 20), 0x123456u);
    EXPECT_EQ(shown.Pixel(39, 29), 0x123456u);
    EXPECT_EQ(shown.Pixel(29, 29), 0xFFFFFFu);
    EXPECT_EQ(Screen.PresentedAreas(Window), std::vector<TRect>{TRect(30, 20, 60, 50)});
}

TEST_F(HeadlessWindows, WakeFromAnotherThreadEndsAWaitAndIsNotLostWhenEarly)
{
    Screen.Wake();
    Screen.WaitForEvent();   // the early wake counts
    std::thread waker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        Screen.Post(Window, 0x0400, 1, 2);
    });
    Screen.WaitForEvent();
    waker.join();
    TNativeEvent e;
    ASSERT_TRUE(Screen.PeekEvent(e, false));
    EXPECT_EQ(e.Msg, 0x0400u);
    EXPECT_FALSE(Screen.Stalled());
}

TEST_F(HeadlessWindows, WaitWithNothingToComeGivesUpInsteadOfHanging)
{
    Screen.SetStallLimitMilliseconds(10);
    EXPECT_THROW(Screen.WaitForEvent(), Exception);
    EXPECT_TRUE(Screen.Stalled());
    EXPECT_THROW(Screen.WaitForEvent(), Exception) << "a stalled screen stays stalled";
}

TEST_F(HeadlessWindows, DestroyedWindowTakesItsEventsAndTimersWithIt)
{
    const TNativeWindow other = Screen.Create(Plain({0, 0, 10, 10}));
    Screen.StartTimer(Window, 1, 10);
    Screen.KeyDown(Window, 'A');
    Screen.KeyDown(other, 'B');
    Screen.Destroy(Window);
    Clock.Advance(100);
    TNativeEvent e;
    ASSERT_TRUE(Screen.PeekEvent(e, true));
    EXPECT_EQ(e.Window, other);
    EXPECT_FALSE(Screen.PeekEvent(e, true));
    EXPECT_EQ(Screen.Window(Window), nullptr);
    EXPECT_TRUE(Screen.Pixels(Window).Empty());
}

TEST_F(HeadlessWindows, FrameInsetsApplyOnlyToWindowsWithBorderOrCaption)
{
    Screen.SetFrameInsets({3, 22, 3, 3});
    TNativeWindowParams framed = Plain({0, 0, 106, 125});
    framed.Border = true;
    framed.TitleBar = true;
    const TNativeWindow w = Screen.Create(framed);
    EXPECT_EQ(Screen.Pixels(w).Width(), 100);
    EXPECT_EQ(Screen.Pixels(w).Height(), 100);
    EXPECT_EQ(Screen.FrameInsets(Plain({})), TRect());
}

TEST_F(HeadlessWindows, ForeignWindowsAnswerForTheirRectangleAndTakeTheirChildrenWithThem)
{
    Screen.AddForeignWindow(0x5000, {10, 20, 170, 140});
    TNativeWindowParams child = Plain({0, 0, 160, 120});
    child.Kind = TNativeWindowKind::ForeignChild;
    child.Host = 0x5000;
    const TNativeWindow embedded = Screen.Create(child);
    TRect r;
    ASSERT_TRUE(Screen.SystemWindowRect(0x5000, r));
    EXPECT_EQ(r, (TRect{10, 20, 170, 140}));
    ASSERT_TRUE(Screen.SystemWindowRect(Screen.SystemHandle(Window), r)) << "this program's windows answer too";
    EXPECT_EQ(r, (TRect{0, 0, 40, 30}));
    EXPECT_FALSE(Screen.SystemWindowRect(0x5001, r));
    EXPECT_FALSE(Screen.SystemWindowRect(0, r));

    Screen.DestroyForeignWindow(0x5000);
    EXPECT_FALSE(Screen.SystemWindowRect(0x5000, r));
    TNativeEvent e;
    ASSERT_TRUE(Screen.PeekEvent(e, false));
    EXPECT_EQ(e.Kind, TNativeEvent::Destroyed);
    EXPECT_EQ(e.Window, embedded);
    EXPECT_FALSE(Screen.PeekEvent(e, false)) << "the other window stays";
}

TEST_F(HeadlessWindows, PointerCaptureAndChildViewsAreRecorded)
{
    Screen.CapturePointer(Window, true);
    EXPECT_EQ(Screen.PointerCapture(), Window);
    Screen.CapturePointer(Window, false);
    EXPECT_EQ(Screen.PointerCapture(), 0u);
    EXPECT_EQ(Screen.CaptureChanges().size(), 2u);

    EXPECT_EQ(Screen.CreateChildView(0x9999, 0), nullptr) << "no view without a parent window";
    auto view = Screen.CreateChildView(Window, 0x112233);
    ASSERT_NE(view, nullptr);
    EXPECT_NE(view->SystemHandle(), 0u);
    view->SetBounds({1, 2, 11, 12});
    view->Show(true);
    const auto& fake = static_cast<const THeadlessChildView&>(*view);
    EXPECT_EQ(fake.Bounds(), (TRect{1, 2, 11, 12}));
    EXPECT_TRUE(fake.Seen());
    EXPECT_EQ(fake.RGB(), 0x112233u);
}

TEST_F(HeadlessWindows, PointerEnterAndLeaveAreQueuedInOrder)
{
    Screen.MouseEnter(Window, {3, 4});
    Screen.MouseLeave(Window);
    TNativeEvent e;
    ASSERT_TRUE(Screen.PeekEvent(e, false));
    EXPECT_EQ(e.Kind, TNativeEvent::MouseEnter);
    EXPECT_EQ(e.Position, (TPoint{3, 4}));
    ASSERT_TRUE(Screen.PeekEvent(e, false));
    EXPECT_EQ(e.Kind, TNativeEvent::MouseLeave);
}
