#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/Canvas.h"
#include "tests/framework/FrameworkFixture.h"
#include "widgets/TLMDBackPanel.h"
#include "widgets/TVisualStyles.h"
#include "widgets/TVrGraphicImageControl.h"

namespace {

// A back panel that writes down the clip of every background erase and every own paint.
class TLoggingPanel : public TLMDBackPanel {
public:
    std::vector<TRect> Erased;
    std::vector<TRect> Painted;

    TLoggingPanel(TWinControl* Parent, TRect Bounds, TColor Fill) : TLMDBackPanel(Parent)
    {
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetColor(Fill);
        SetTransparent(true);
        SetParent(Parent);
    }

protected:
    void EraseBackground(TCanvas& Canvas) override
    {
        Erased.push_back(Canvas.ClipRect());
        TLMDBackPanel::EraseBackground(Canvas);
    }
    void Paint() override
    {
        Painted.push_back(Canvas().ClipRect());
        TLMDBackPanel::Paint();
    }
};

// A buffered widget: opaque and filled with its colour, or transparent with a 2 x 2 dot of
// its colour at (1, 1).
class TBlock : public TVrGraphicImageControl {
public:
    TBlock(TWinControl* Parent, TRect Bounds, TColor Fill, bool Transparent) : TVrGraphicImageControl(Parent)
    {
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetColor(Fill);
        SetControlStyle(ControlStyle() | csOpaque);
        SetTransparent(Transparent);
        SetParent(Parent);
    }

protected:
    void Paint() override
    {
        ClearBitmapCanvas();
        GetBitmapCanvas().Brush().Color = Color();
        GetBitmapCanvas().FillRect({1, 1, 3, 3});
        TVrGraphicImageControl::Paint();
    }
};

// Visual styles that are on but cannot draw a parent's background.
class TBrokenStyles : public IVisualStyles {
public:
    int Attempts = 0;
    bool IsThemeActive() const override { return true; }
    bool DrawThemeParentBackground(const TControl&, TCanvas&, const TRect&) override
    {
        ++Attempts;
        return false;
    }
};

}  // namespace

class BackPanel : public FrameworkTest {
protected:
    TTestForm* Form = nullptr;
    TVisualStyles Styles;
    TScopedVisualStyles StylesInPlace{Styles};

    void SetUp() override { Form = App.CreateForm<TTestForm>(); }
    TPixel Shown(int x, int y) { return Screen.Pixels(Form->Handle()).Pixel(x, y); }
    void RepaintAll()
    {
        Form->InvalidateArea(Form->ClientRect());
        App.ProcessMessages();
    }
};

TEST_F(BackPanel, BackgroundComesFromTheParentOnlyWithVisualStylesOnATransparentPanel)
{
    const struct {
        const char* name;
        bool stylesOn, transparent, ctlXP;
        TColor panel, shown;
    } cases[] = {
        {"saver, styles off", false, true, true, clBlack, clBlack},
        {"saver, styles on", true, true, true, clBlack, clBlack},
        {"red, styles off", false, true, true, clRed, clRed},
        {"red, styles on", true, true, true, clRed, clBlack},
        {"red, styles on, not transparent", true, false, true, clRed, clRed},
        {"red, styles on, CtlXP off", true, true, false, clRed, clRed},
    };
    ShowAndPaint(*Form);
    for (const auto& c : cases) {
        Styles.SetThemeActive(c.stylesOn);
        auto* panel = new TLoggingPanel(Form, {10, 10, 60, 50}, c.panel);
        panel->SetTransparent(c.transparent);
        panel->SetCtlXP(c.ctlXP);
        RepaintAll();
        for (TPoint p : {TPoint{10, 10}, TPoint{59, 49}, TPoint{35, 30}})
            EXPECT_EQ(Shown(p.X, p.Y), ColorToPixel(c.shown)) << c.name << " at " << p.X << "," << p.Y;
        EXPECT_EQ(Shown(9, 9), ColorToPixel(clBlack)) << c.name << ": the window around the panel";
        delete panel;
    }
}

TEST_F(BackPanel, ParentBackgroundThatCannotBeDrawnLeavesTheAreaAsItWas)
{
    auto* panel = new TLoggingPanel(Form, {10, 10, 60, 50}, clRed);
    ShowAndPaint(*Form);
    panel->SetColor(clBlue);   // what the panel's own fill would show now
    TBrokenStyles broken;
    TScopedVisualStyles inPlace(broken);
    RepaintAll();
    EXPECT_GT(broken.Attempts, 0);
    EXPECT_EQ(Shown(35, 30), ColorToPixel(clRed)) << "no fill in its place";
    EXPECT_TRUE(Screen.ErrorBoxes().empty());
}

TEST_F(BackPanel, OwnPaintLeavesOutAnOpaqueChildRepaintedAlone)
{
    const struct { const char* name; bool throughPanel; } cases[] = {
        {"area invalidated", true},
        {"child repaints itself", false},
    };
    const TRect readoutRect{10, 20, 40, 30};
    for (const auto& c : cases) {
        auto* panel = new TLoggingPanel(Form, {0, 0, 80, 60}, clBlack);
        auto* clock = new TBlock(panel, {5, 5, 50, 40}, clLime, true);
        auto* readout = new TBlock(panel, readoutRect, clRed, false);
        ShowAndPaint(*Form);
        panel->Erased.clear();
        panel->Painted.clear();

        if (c.throughPanel) {
            readout->Invalidate();
            App.ProcessMessages();
        } else {
            readout->Repaint();
        }
        for (const TRect& r : panel->Painted)
            EXPECT_FALSE(r.Intersects(readoutRect)) << c.name << ": own paint " << r;
        EXPECT_EQ(panel->Erased.size(), c.throughPanel ? 1u : 0u) << c.name;
        for (int y = readoutRect.Top; y < readoutRect.Bottom; ++y)
            for (int x = readoutRect.Left; x < readoutRect.Right; ++x)
                ASSERT_EQ(Shown(x, y), ColorToPixel(clRed)) << c.name << " at " << x << "," << y;
        EXPECT_EQ(Shown(6, 6), ColorToPixel(clLime)) << c.name << ": the clock's dot is untouched";
        (void)clock;
        delete panel;
        Form->Hide();
    }
}

TEST_F(BackPanel, CentredOnTheScreenItLiesAtTheMiddle)
{
    Screen.SetScreenSize(1024, 768);
    Form->SetBounds(0, 0, 1024, 768);
    auto* panel = new TLoggingPanel(Form, {0, 0, 441, 417}, clRed);
    panel->SetTransparent(false);
    const TRect screen = Screen.ScreenRect();
    panel->SetLeft((screen.Width() - 441) / 2);
    panel->SetTop((screen.Height() - 417) / 2);
    ShowAndPaint(*Form);
    EXPECT_EQ(panel->BoundsRect(), TRect(291, 175, 732, 592));
    const struct { int x, y; TColor color; } pixels[] = {
        {291, 175, clRed}, {731, 591, clRed}, {290, 175, clBlack}, {291, 174, clBlack}, {732, 591, clBlack},
        {731, 592, clBlack},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(Form->BackBuffer().Pixel(p.x, p.y), ColorToPixel(p.color)) << p.x << "," << p.y;
}

TEST_F(BackPanel, MovingByOnePixelChangesNothingButThePosition)
{
    Form->SetBounds(0, 0, 120, 100);
    auto* panel = new TLoggingPanel(Form, {20, 10, 100, 80}, clBlack);
    auto* clock = new TBlock(panel, {0, 0, 60, 60}, clFuchsia, true);
    new TBlock(panel, {20, 30, 50, 40}, clRed, false);
    ShowAndPaint(*Form);
    TBitmap before(120, 100);
    before.Canvas().Draw(0, 0, Form->BackBuffer());

    panel->SetBounds(21, 11, 80, 70);
    App.ProcessMessages();
    const TBitmap& after = Form->BackBuffer();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x) {
            const TPixel expected = x > 0 && y > 0 ? before.Pixel(x - 1, y - 1) : ColorToPixel(clBlack);
            ASSERT_EQ(after.Pixel(x, y), expected) << "at " << x << "," << y;
        }
    EXPECT_TRUE(clock->CaptureDue());
}
