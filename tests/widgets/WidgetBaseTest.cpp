#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/Canvas.h"
#include "tests/framework/FrameworkFixture.h"
#include "widgets/TVrGraphicImageControl.h"

namespace {

// A parent whose background (erase and own paint alike) is one colour that a test can change
// without asking for a repaint, so a widget's picture tells whether it copied the parent's
// pixels afresh or reused its saved copy. It counts its own paints.
class TBackdrop : public TWinControl {
public:
    int Paints = 0;

    TBackdrop(TWinControl* Parent, TRect Bounds, TColor Fill) : TWinControl(Parent), FFill(Fill)
    {
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetParent(Parent);
    }
    void SetFillQuietly(TColor Value) { FFill = Value; }

protected:
    void EraseBackground(TCanvas& Canvas) override { Fill(Canvas); }
    void Paint() override
    {
        ++Paints;
        Fill(Canvas());
    }

private:
    void Fill(TCanvas& Canvas)
    {
        Canvas.Brush().Style = bsSolid;
        Canvas.Brush().Color = FFill;
        Canvas.FillRect(ClientRect());
    }
    TColor FFill;
};

// A buffered widget that draws a 2 x 2 dot at (1, 1) on its prepared background. It writes
// down, for each paint, whether a capture was due and the clip it was given.
class TDotWidget : public TVrGraphicImageControl {
public:
    struct TPaintRecord {
        bool CaptureDue;
        TRect Clip;
    };
    std::vector<TPaintRecord> Paints;
    bool FailInPaint = false;
    // Reports the dot as the only part of the buffer it draws on, so that a picture that
    // starts from a fresh capture presents only the dot.
    bool NotesItsDot = false;
    int WidgetLocksSeen = -1;
    int BufferLocksSeen = -1;

    TDotWidget(TWinControl* Parent, TRect Bounds, TColor Dot) : TVrGraphicImageControl(Parent), FDot(Dot)
    {
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetParent(Parent);
    }
    using TVrGraphicImageControl::UpdateControlCanvas;

    void SetDot(TColor Value)
    {
        if (Value == FDot)
            return;
        FDot = Value;
        UpdateControlCanvas();
    }
    void SetDotRect(TRect Value)
    {
        FDotRect = Value;
        UpdateControlCanvas();
    }

protected:
    void Paint() override
    {
        Paints.push_back({CaptureDue(), Canvas().ClipRect()});
        WidgetLocksSeen = Canvas().LockCount();
        BufferLocksSeen = GetBitmapCanvas().LockCount();
        if (FailInPaint)
            throw std::runtime_error("paint failed");
        ClearBitmapCanvas();
        if (NotesItsDot) {
            TrackDrawing();
            NoteDrawn(FDotRect);
        }
        GetBitmapCanvas().Brush().Color = FDot;
        GetBitmapCanvas().FillRect(FDotRect);
        TVrGraphicImageControl::Paint();
    }

private:
    TColor FDot;
    TRect FDotRect{1, 1, 3, 3};
};

// A plain windowless widget of the base class that counts its repaints.
class TCountingWidget : public TVrGraphicControl {
public:
    int Paints = 0;

    explicit TCountingWidget(TWinControl* Parent) : TVrGraphicControl(Parent)
    {
        SetBounds(0, 0, 10, 10);
        SetControlStyle(ControlStyle() | csOpaque);
        SetParent(Parent);
    }
    using TVrGraphicControl::UpdateControlCanvas;

protected:
    void Paint() override { ++Paints; }
};

}  // namespace

class WidgetBase : public FrameworkTest {
protected:
    TTestForm* Form = nullptr;
    TBackdrop* Backdrop = nullptr;
    static constexpr TRect WidgetBounds{10, 10, 18, 16};

    void SetUp() override
    {
        Form = App.CreateForm<TTestForm>();
        Backdrop = new TBackdrop(Form, {0, 0, 40, 30}, clBlue);
        ShowAndPaint(*Form);
    }

    // A transparent widget on the backdrop that has painted once, with the backdrop's colour in
    // its saved copy.
    TDotWidget* PaintedTransparentWidget()
    {
        auto* w = new TDotWidget(Backdrop, WidgetBounds, clRed);
        w->SetTransparent(true);
        App.ProcessMessages();
        w->Paints.clear();
        Backdrop->Paints = 0;
        Screen.ClearPresented(Form->Handle());
        return w;
    }

    TPixel Shown(int x, int y) { return Screen.Pixels(Form->Handle()).Pixel(x, y); }

    // The widget's background (its top-left pixel) and its dot, as shown on the screen.
    void ExpectShown(TColor Background, TColor Dot, const std::string& When)
    {
        EXPECT_EQ(Shown(WidgetBounds.Left, WidgetBounds.Top), ColorToPixel(Background)) << When;
        EXPECT_EQ(Shown(WidgetBounds.Left + 1, WidgetBounds.Top + 1), ColorToPixel(Dot)) << When;
    }
};

TEST_F(WidgetBase, FirstSelfUpdateOfATransparentWidgetRepaintsTheParentLaterOnesDoNot)
{
    auto* w = new TDotWidget(Backdrop, WidgetBounds, clRed);
    EXPECT_EQ(w->Version(), "1.3");
    EXPECT_TRUE(w->CaptureDue());
    EXPECT_TRUE(w->ParentImage().Empty());
    Backdrop->Paints = 0;

    w->SetTransparent(true);   // the first self-update: nothing saved yet
    EXPECT_EQ(Backdrop->Paints, 1) << "the parent repaints the area at once";
    ASSERT_EQ(w->Paints.size(), 1u);
    EXPECT_TRUE(w->Paints[0].CaptureDue);
    EXPECT_EQ(w->ParentImage().Width(), 8);
    EXPECT_EQ(w->ParentImage().Pixel(0, 0), ColorToPixel(clBlue)) << "the parent's pixels were captured";
    ExpectShown(clBlue, clRed, "after the first update");

    // The backdrop changes without telling anyone: a self-update that reuses the saved copy
    // still shows the old background.
    Backdrop->SetFillQuietly(clGreen);
    Screen.ClearPresented(Form->Handle());
    w->SetDot(clYellow);
    EXPECT_EQ(Backdrop->Paints, 1) << "a later self-update leaves the parent alone";
    ASSERT_EQ(w->Paints.size(), 2u);
    EXPECT_FALSE(w->Paints[1].CaptureDue);
    ExpectShown(clBlue, clYellow, "after a later update");
    EXPECT_EQ(Screen.PresentedAreas(Form->Handle()), std::vector<TRect>{WidgetBounds});
    EXPECT_TRUE(w->CaptureDue()) << "presenting makes the next parent paint capture";
    EXPECT_FALSE(w->Opaque());
    EXPECT_FALSE(Form->PaintPending());
}

TEST_F(WidgetBase, ParentCausedRepaintCapturesAfresh)
{
    auto* w = PaintedTransparentWidget();
    w->SetDot(clYellow);   // a self-update in between changes nothing about the next capture
    Backdrop->SetFillQuietly(clGreen);
    Backdrop->Invalidate();
    App.ProcessMessages();
    ASSERT_FALSE(w->Paints.empty());
    EXPECT_TRUE(w->Paints.back().CaptureDue);
    ExpectShown(clGreen, clYellow, "after the parent repainted");
}

TEST_F(WidgetBase, SelfUpdateThatCannotPaintLeavesTheSnapshotForTheNextPaint)
{
    const struct {
        const char* name;
        void (*block)(TDotWidget&);
        void (*unblock)(TDotWidget&);
    } cases[] = {
        {"hidden", [](TDotWidget& w) { w.Hide(); }, [](TDotWidget& w) { w.Show(); }},
        {"update open", [](TDotWidget& w) { w.BeginUpdate(); }, [](TDotWidget&) {}},
        {"loading", [](TDotWidget& w) { w.BeginLoading(); }, [](TDotWidget& w) { w.Loaded(); }},
    };
    for (const auto& c : cases) {
        auto* w = PaintedTransparentWidget();
        c.block(*w);
        App.ProcessMessages();
        w->Paints.clear();

        w->SetDot(clYellow);
        EXPECT_TRUE(w->Paints.empty()) << c.name;
        EXPECT_FALSE(w->CaptureDue()) << c.name;

        // The next paint, though the parent causes it, reuses the old copy once.
        Backdrop->SetFillQuietly(clGreen);
        c.unblock(*w);
        Form->InvalidateArea(Form->ClientRect());
        App.ProcessMessages();
        ASSERT_FALSE(w->Paints.empty()) << c.name;
        EXPECT_FALSE(w->Paints.back().CaptureDue) << c.name;
        ExpectShown(clBlue, clYellow, std::string(c.name) + ": first paint after");
        EXPECT_TRUE(w->CaptureDue()) << c.name;
        EXPECT_FALSE(w->Opaque()) << c.name;

        Form->InvalidateArea(Form->ClientRect());
        App.ProcessMessages();
        ExpectShown(clGreen, clYellow, std::string(c.name) + ": second paint after");

        delete w;
        Backdrop->SetFillQuietly(clBlue);
        Form->InvalidateArea(Form->ClientRect());
        App.ProcessMessages();
    }
}

TEST_F(WidgetBase, WidgetThatNotesItsDrawingShowsItsWholePictureAfterEveryKindOfPaint)
{
    auto* w = PaintedTransparentWidget();
    w->NotesItsDot = true;
    // Each step, then what the widget's columns left and right of x = 14 on the form show: the
    // background, and the dot where it lies (in widget coordinates).
    const struct {
        const char* step;
        std::function<void()> act;
        TColor left, right;
        TRect dot;
    } steps[] = {
        {"parent repaints on green",
         [&] { Backdrop->SetFillQuietly(clGreen); Backdrop->Invalidate(); App.ProcessMessages(); },
         clGreen, clGreen, {1, 1, 3, 3}},
        {"self-update moves the dot", [&] { w->SetDotRect({5, 2, 7, 4}); }, clGreen, clGreen, {5, 2, 7, 4}},
        {"parent repaints the right half on white",
         [&] { Backdrop->SetFillQuietly(clWhite); Form->InvalidateArea({14, 0, 40, 30}); App.ProcessMessages(); },
         clGreen, clWhite, {5, 2, 7, 4}},
        {"self-update moves the dot back", [&] { w->SetDotRect({1, 1, 3, 3}); }, clGreen, clWhite, {1, 1, 3, 3}},
    };
    for (const auto& s : steps) {
        s.act();
        for (int y = WidgetBounds.Top; y < WidgetBounds.Bottom; ++y)
            for (int x = WidgetBounds.Left; x < WidgetBounds.Right; ++x) {
                const bool onDot = s.dot.Contains(x - WidgetBounds.Left, y - WidgetBounds.Top);
                const TColor want = onDot ? clRed : (x < 14 ? s.left : s.right);
                ASSERT_EQ(Shown(x, y), ColorToPixel(want)) << s.step << " at " << TPoint{x, y};
            }
    }
}

TEST_F(WidgetBase, PartialParentRepaintRecapturesOnlyTheClippedPart)
{
    auto* w = PaintedTransparentWidget();
    Backdrop->SetFillQuietly(clGreen);
    // The right half of the widget: form columns 14 .. 17. The red dot in the left half is on
    // the surface too, and must not end up in the saved copy.
    Form->InvalidateArea({14, 0, 40, 30});
    App.ProcessMessages();
    ASSERT_EQ(w->Paints.size(), 1u);
    EXPECT_EQ(w->Paints[0].Clip, TRect(4, 0, 8, 6));
    const TBitmap& saved = w->ParentImage();
    EXPECT_EQ(saved.Pixel(4, 5), ColorToPixel(clGreen)) << "inside the clip";
    EXPECT_EQ(saved.Pixel(1, 1), ColorToPixel(clBlue)) << "outside the clip";

    // A self-update shows the mixed copy in full.
    w->SetDot(clYellow);
    EXPECT_EQ(Shown(13, 15), ColorToPixel(clBlue));
    EXPECT_EQ(Shown(14, 15), ColorToPixel(clGreen));
}

TEST_F(WidgetBase, SelfUpdateInPiecesUsesTheSavedCopyForEveryPiece)
{
    auto* w = PaintedTransparentWidget();
    // A windowed control over the widget's columns 3 and 4 cuts each repaint in two pieces.
    new TBackdrop(Backdrop, {13, 0, 15, 30}, clWhite);
    App.ProcessMessages();
    w->SetDotRect({5, 1, 7, 3});
    w->Paints.clear();

    w->SetDotRect({1, 1, 3, 3});
    EXPECT_EQ(w->Paints.size(), 2u);
    EXPECT_EQ(Shown(16, 11), ColorToPixel(clBlue)) << "no trace of the previous dot";
    EXPECT_EQ(Shown(11, 11), ColorToPixel(clRed));
    EXPECT_TRUE(w->CaptureDue());
    EXPECT_FALSE(w->Opaque());
}

TEST_F(WidgetBase, SnapshotOfAnotherSizeIsNeverReused)
{
    auto* w = PaintedTransparentWidget();
    w->SetWidth(12);   // the parent will repaint the new area, but the widget updates first
    w->SetDot(clYellow);
    EXPECT_EQ(w->ParentImage().Width(), 12);
    for (int x = 10; x < 22; ++x)
        EXPECT_EQ(Shown(x, 15), ColorToPixel(clBlue)) << "column " << x;
}

TEST_F(WidgetBase, OpaqueWidgetFillsWithItsColour)
{
    auto* w = new TDotWidget(Backdrop, WidgetBounds, clRed);
    w->SetColor(clWhite);
    w->Invalidate();
    App.ProcessMessages();
    ExpectShown(clWhite, clRed, "opaque");
    EXPECT_FALSE(w->Transparent());
}

TEST_F(WidgetBase, PaintRequestHoldsBothLocksAndLetsGoAlsoWhenPaintFails)
{
    for (bool fail : {false, true}) {
        TDotWidget w(nullptr, {0, 0, 5, 4}, clRed);
        w.SetColor(clWhite);
        w.FailInPaint = fail;
        TBitmap surface(10, 10);
        if (fail)
            EXPECT_THROW(w.PaintRequest(&surface, {2, 2}, {2, 2, 7, 6}), std::runtime_error);
        else
            w.PaintRequest(&surface, {2, 2}, {2, 2, 7, 6});
        EXPECT_EQ(w.WidgetLocksSeen, 1) << "fail " << fail;
        EXPECT_EQ(w.BufferLocksSeen, 1) << "fail " << fail;
        EXPECT_EQ(w.Canvas().LockCount(), 0) << "fail " << fail;
        EXPECT_EQ(w.BufferBitmap().Width(), 5) << "fail " << fail;
        EXPECT_EQ(w.Canvas().Surface(), nullptr) << "fail " << fail;
        EXPECT_EQ(surface.Pixel(3, 3), ColorToPixel(fail ? clWhite : clRed)) << "fail " << fail;

        w.PaintRequest(nullptr, {}, {});   // without a surface there is nothing to paint on
        EXPECT_EQ(w.Paints.size(), 1u) << "fail " << fail;
    }
}

TEST_F(WidgetBase, UpdatesPaintOnlyOutsideBracketsAndLoading)
{
    auto* w = new TCountingWidget(Backdrop);
    App.ProcessMessages();
    w->Paints = 0;
    const struct { void (*step)(TCountingWidget&); int paints; const char* what; } steps[] = {
        {[](TCountingWidget& c) { c.UpdateControlCanvas(); }, 1, "plain update"},
        {[](TCountingWidget& c) { c.BeginUpdate(); c.BeginUpdate(); c.UpdateControlCanvas(); }, 0, "inside brackets"},
        {[](TCountingWidget& c) { c.EndUpdate(); }, 0, "one bracket still open"},
        {[](TCountingWidget& c) { c.EndUpdate(); }, 1, "last bracket closed"},
        {[](TCountingWidget& c) { c.EndUpdate(); c.UpdateControlCanvas(); }, 0, "count below zero"},
        {[](TCountingWidget& c) { c.BeginUpdate(); c.UpdateControlCanvas(); }, 1, "count back at zero"},
        {[](TCountingWidget& c) { c.BeginLoading(); c.UpdateControlCanvas(); }, 0, "loading"},
        {[](TCountingWidget& c) { c.Loaded(); c.UpdateControlCanvas(); }, 1, "loaded"},
    };
    for (const auto& s : steps) {
        w->Paints = 0;
        s.step(*w);
        EXPECT_EQ(w->Paints, s.paints) << s.what;
    }
}
