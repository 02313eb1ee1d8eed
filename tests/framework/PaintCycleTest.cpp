#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/framework/FrameworkFixture.h"
#include "tests/support/GoldenImage.h"

namespace {

std::string Text(const TRect& r)
{
    std::ostringstream s;
    s << r;
    return s.str();
}

// A windowless patch of one colour that writes down each paint with its clip (in its own
// coordinates) and remembers the canvas origin it was given.
class TPatch : public TControl {
public:
    TPoint LastOrigin;
    TRect LastClip;

    TPatch(TWinControl* Parent, const std::string& Name, TRect Bounds, TColor Fill, bool Opaque,
           std::vector<std::string>& Log)
        : TControl(Parent), FFill(Fill), FLog(Log)
    {
        SetName(Name);
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetControlStyle(Opaque ? ControlStyle() | csOpaque : ControlStyle() & ~csOpaque);
        SetParent(Parent);
    }
    // Changes the picture without asking for a repaint.
    void SetFillQuietly(TColor Value) { FFill = Value; }

protected:
    void Paint() override
    {
        LastOrigin = Canvas().Origin();
        LastClip = Canvas().ClipRect();
        FLog.push_back(Name() + " " + Text(LastClip));
        Canvas().Brush().Color = FFill;
        Canvas().FillRect(ClientRect());
    }

private:
    TColor FFill;
    std::vector<std::string>& FLog;
};

// A windowed control that erases with its colour and writes down its own paints.
class TPanel : public TWinControl {
public:
    TPanel(TWinControl* Parent, const std::string& Name, TRect Bounds, TColor Color, std::vector<std::string>& Log)
        : TWinControl(Parent), FLog(Log)
    {
        SetName(Name);
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetColor(Color);
        SetParent(Parent);
    }

protected:
    void Paint() override { FLog.push_back(Name() + " " + Text(Canvas().ClipRect())); }

private:
    std::vector<std::string>& FLog;
};

}  // namespace

class PaintCycle : public FrameworkTest {
protected:
    std::vector<std::string> Log;
    TTestForm* Form = nullptr;

    void SetUp() override { Form = App.CreateForm<TTestForm>(); }
    TNativeWindow Window() { return Form->Handle(); }
};

TEST_F(PaintCycle, ComposesChildrenInCreationOrderWindowedAboveAndClipped)
{
    Form->SetBounds(0, 0, 64, 48);
    new TPatch(Form, "red", {4, 4, 24, 24}, clRed, true, Log);
    new TPatch(Form, "lime", {16, 16, 36, 36}, clLime, false, Log);
    auto* panel = new TPanel(Form, "panel", {30, 8, 60, 40}, clBlue, Log);
    new TPatch(panel, "yellow", {20, 20, 40, 40}, clYellow, true, Log);   // cut by the panel's edge
    new TPatch(Form, "white", {40, 30, 56, 46}, clWhite, true, Log);      // under the panel
    auto* hidden = new TPatch(Form, "hidden", {0, 40, 64, 48}, clFuchsia, true, Log);
    hidden->Hide();
    Form->Show();
    App.ProcessMessages();
    EXPECT_EQ(Screen.PresentedAreas(Window()), std::vector<TRect>{TRect(0, 0, 64, 48)});
    EXPECT_TRUE(MatchesGolden(Screen.Pixels(Window()), "framework/paint_cycle"));
}

TEST_F(PaintCycle, OwnPaintLeavesOutOpaqueChildrenOnly)
{
    const struct { bool opaque; int paintedArea; } cases[] = {
        {true, 60 * 40 - 20 * 20},
        {false, 60 * 40},
    };
    for (const auto& c : cases) {
        Log.clear();
        auto* panel = new TPanel(Form, "panel", {0, 0, 60, 40}, clBlack, Log);
        new TPatch(panel, "child", {10, 10, 30, 30}, clRed, c.opaque, Log);
        ShowAndPaint(*Form);
        int area = 0;
        for (const std::string& line : Log) {
            if (line.rfind("panel", 0) != 0)
                continue;
            int l, t, r, b;
            ASSERT_EQ(std::sscanf(line.c_str(), "panel (%d,%d)-(%d,%d)", &l, &t, &r, &b), 4);
            area += (r - l) * (b - t);
            if (c.opaque) {
                EXPECT_FALSE(TRect(l, t, r, b).Intersects({10, 10, 30, 30})) << line;
            }
        }
        EXPECT_EQ(area, c.paintedArea) << "opaque child: " << c.opaque;
        delete panel;
        Form->Hide();
    }
}

TEST_F(PaintCycle, RepaintOfOpaqueChildPaintsItAndLaterOverlappingSiblingsOnly)
{
    const struct { bool opaque; bool over; std::vector<std::string> painted; } cases[] = {
        {true, false, {"A (0,0)-(20,20)", "B (0,0)-(10,10)"}},
        // The parent paints the area, leaving out what the opaque C covers, then every child in it.
        {false, false, {"panel (10,15)-(30,30)", "panel (15,10)-(30,15)", "C (10,10)-(15,15)", "A (0,0)-(20,20)", "B (0,0)-(10,10)"}},
        // Painting over the surface leaves the parent out whatever the flag says.
        {false, true, {"A (0,0)-(20,20)", "B (0,0)-(10,10)"}},
    };
    for (const auto& c : cases) {
        auto* panel = new TPanel(Form, "panel", {0, 0, 80, 80}, clBlack, Log);
        new TPatch(panel, "C", {0, 0, 15, 15}, clGreen, true, Log);
        auto* a = new TPatch(panel, "A", {10, 10, 30, 30}, clRed, c.opaque, Log);
        new TPatch(panel, "B", {20, 20, 40, 40}, clBlue, false, Log);
        new TPatch(panel, "D", {50, 50, 60, 60}, clWhite, true, Log);
        ShowAndPaint(*Form);
        Log.clear();

        if (c.over)
            a->RepaintOver();
        else
            a->Repaint();
        EXPECT_EQ(Log, c.painted) << "opaque: " << c.opaque << ", over: " << c.over;
        EXPECT_EQ(a->Opaque(), c.opaque) << "the flag stays as it was";
        EXPECT_EQ(Screen.PresentedAreas(Window()), std::vector<TRect>{TRect(10, 10, 30, 30)}) << "opaque: " << c.opaque;
        EXPECT_FALSE(Form->PaintPending()) << "the repaint happens at once";
        delete panel;
        Form->Hide();
    }
}

TEST_F(PaintCycle, RepaintOfHiddenOrParentlessControlDoesNothing)
{
    auto* hidden = new TPatch(Form, "hidden", {0, 0, 10, 10}, clRed, true, Log);
    auto* orphan = new TPatch(Form, "orphan", {0, 0, 10, 10}, clRed, true, Log);
    ShowAndPaint(*Form);
    hidden->Hide();
    orphan->SetParent(nullptr);
    App.ProcessMessages();
    Screen.ClearPresented(Window());
    Log.clear();
    hidden->Repaint();
    orphan->Repaint();
    App.ProcessMessages();
    EXPECT_TRUE(Log.empty());
    EXPECT_TRUE(Screen.PresentedAreas(Window()).empty());
}

TEST_F(PaintCycle, OpaqueRepaintStaysUnderWindowedControlsAbove)
{
    auto* a = new TPatch(Form, "A", {10, 10, 30, 30}, clRed, true, Log);
    new TPanel(Form, "W", {20, 0, 40, 40}, clBlue, Log);
    ShowAndPaint(*Form);
    Log.clear();
    a->SetFillQuietly(clWhite);
    a->Repaint();
    EXPECT_EQ(Log, std::vector<std::string>{"A (0,0)-(10,20)"});
    EXPECT_EQ(Screen.PresentedAreas(Window()), std::vector<TRect>{TRect(10, 10, 20, 30)});
    EXPECT_EQ(Screen.Pixels(Window()).Pixel(25, 15), ColorToPixel(clBlue));
}

TEST_F(PaintCycle, OnlyInvalidAreasAreComposedAndPresented)
{
    auto* a = new TPatch(Form, "A", {10, 10, 30, 30}, clRed, true, Log);
    ShowAndPaint(*Form);
    a->SetFillQuietly(clWhite);
    a->InvalidateRect({2, 2, 6, 6});
    App.ProcessMessages();
    EXPECT_EQ(Screen.PresentedAreas(Window()), std::vector<TRect>{TRect(12, 12, 16, 16)});
    const TBitmap& shown = Screen.Pixels(Window());
    const struct { int x, y; TColor color; } pixels[] = {
        {12, 12, clWhite}, {15, 15, clWhite}, {11, 11, clRed}, {16, 16, clRed}, {5, 5, clBlack},
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(shown.Pixel(p.x, p.y), ColorToPixel(p.color)) << "shown at " << p.x << "," << p.y;
        EXPECT_EQ(Form->BackBuffer().Pixel(p.x, p.y), ColorToPixel(p.color)) << "composed at " << p.x << "," << p.y;
    }
}

TEST_F(PaintCycle, WindowlessChildPaintsWithOriginAtItsCornerAndClipToTheArea)
{
    auto* panel = new TPanel(Form, "panel", {10, 10, 90, 70}, clBlack, Log);
    auto* child = new TPatch(panel, "child", {30, 20, 50, 30}, clRed, false, Log);
    ShowAndPaint(*Form);
    EXPECT_EQ(child->LastOrigin, TPoint(40, 30));
    EXPECT_EQ(child->LastClip, TRect(0, 0, 20, 10));

    Form->InvalidateArea({45, 0, 100, 35});
    App.ProcessMessages();
    EXPECT_EQ(child->LastOrigin, TPoint(40, 30));
    EXPECT_EQ(child->LastClip, TRect(5, 0, 20, 5));
    EXPECT_EQ(child->Canvas().Surface(), nullptr) << "the canvas is let go after the paint";
}

TEST_F(PaintCycle, MovingAWindowedControlRepaintsWhereItWasAndWhereItIs)
{
    auto* panel = new TPanel(Form, "panel", {10, 10, 30, 30}, clBlue, Log);
    auto* child = new TPatch(panel, "child", {0, 0, 5, 5}, clRed, false, Log);
    ShowAndPaint(*Form);
    Log.clear();
    panel->SetLeft(11);
    App.ProcessMessages();
    EXPECT_EQ(Screen.Pixels(Window()).Pixel(10, 10), ColorToPixel(clBlack));
    EXPECT_EQ(Screen.Pixels(Window()).Pixel(11, 10), ColorToPixel(clRed));
    EXPECT_EQ(child->LastClip, TRect(0, 0, 5, 5)) << "the child paints whole at its new place";
}
