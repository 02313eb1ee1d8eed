#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/framework/FrameworkFixture.h"
#include "tests/support/GoldenImage.h"

namespace {

// A windowless patch of one colour that counts its paints.
class TCountedPatch : public TControl {
public:
    int Paints = 0;

    TCountedPatch(TWinControl* Parent, TRect Bounds, TColor Fill, bool Opaque) : TControl(Parent), FFill(Fill)
    {
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetControlStyle(Opaque ? ControlStyle() | csOpaque : ControlStyle() & ~csOpaque);
        SetParent(Parent);
    }
    // Changes the picture without asking for a repaint.
    void SetFillQuietly(TColor Value) { FFill = Value; }

protected:
    void Paint() override
    {
        ++Paints;
        Canvas().Brush().Color = FFill;
        Canvas().FillRect(ClientRect());
        // A mark in one corner, so a picture shown at the wrong offset differs.
        Canvas().Brush().Color = clWhite;
        Canvas().FillRect({0, 0, 2, 1});
    }

private:
    TColor FFill;
};

class TColouredPanel : public TWinControl {
public:
    TColouredPanel(TWinControl* Parent, TRect Bounds, TColor Color) : TWinControl(Parent)
    {
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetColor(Color);
        SetParent(Parent);
    }
};

// One window with a panel of patches, an inner panel and a sibling panel above it.
struct TScene {
    TTestForm* Form;
    TColouredPanel* Panel;
    TColouredPanel* Inner;
    TCountedPatch* Opaque;
    TCountedPatch* Clear;
    TCountedPatch* InInner;
    TColouredPanel* Above;

    TScene(TApplication& App, bool Layered)
    {
        Form = App.CreateForm<TTestForm>();
        Form->SetBounds(0, 0, 120, 90);
        Panel = new TColouredPanel(Form, {10, 10, 80, 70}, clNavy);
        Panel->SetLayered(Layered);
        Opaque = new TCountedPatch(Panel, {4, 4, 24, 20}, clRed, true);
        Clear = new TCountedPatch(Panel, {16, 12, 40, 30}, clLime, false);
        Inner = new TColouredPanel(Panel, {30, 30, 60, 56}, clTeal);
        InInner = new TCountedPatch(Inner, {2, 2, 12, 12}, clYellow, true);
        Above = new TColouredPanel(Form, {70, 40, 100, 80}, clPurple);
    }
    int ChildPaints() const { return Opaque->Paints + Clear->Paints + InInner->Paints; }
};

}  // namespace

class Layer : public FrameworkTest {};

// Whatever happens to a layered panel and its children, the window shows exactly the pixels
// that painting everything anew shows.
TEST_F(Layer, ShowsWhatPaintingEverythingAnewShows)
{
    TScene layered(App, true), plain(App, false);
    const struct {
        const char* what;
        std::function<void(TScene&)> step;
    } steps[] = {
        {"first paint", [](TScene&) {}},
        {"moved one pixel down and right", [](TScene& s) { s.Panel->SetLeft(11); s.Panel->SetTop(11); }},
        {"opaque child repaints itself",
         [](TScene& s) { s.Opaque->SetFillQuietly(clWhite); s.Opaque->Repaint(); }},
        {"repaint while partly off the window, then moved back",
         [](TScene& s) {
             s.Panel->SetLeft(-30);
             s.Opaque->SetFillQuietly(clYellow);
             s.Opaque->Repaint();
             s.Panel->SetLeft(12);
         }},
        {"child of the inner panel repaints itself",
         [](TScene& s) { s.InInner->SetFillQuietly(clBlue); s.InInner->Repaint(); }},
        {"transparent child invalidated", [](TScene& s) { s.Clear->SetFillQuietly(clGray); s.Clear->Invalidate(); }},
        {"child changed while the window is hidden",
         [](TScene& s) {
             s.Form->Hide();
             s.Opaque->SetFillQuietly(clLime);
             s.Opaque->Invalidate();
             s.Form->Show();
         }},
        {"resized", [](TScene& s) { s.Panel->SetWidth(50); }},
        {"new colour", [](TScene& s) { s.Panel->SetColor(clMaroon); }},
        {"moved under the sibling above", [](TScene& s) { s.Panel->SetLeft(40); }},
        {"window invalidated over the panel under the sibling", [](TScene& s) { s.Form->Invalidate(); }},
        {"moved out from under the sibling", [](TScene& s) { s.Panel->SetLeft(5); }},
        {"window invalidated over the panel", [](TScene& s) { s.Form->Invalidate(); }},
        {"hidden and shown again", [](TScene& s) { s.Form->Hide(); s.Form->Show(); }},
    };
    layered.Form->Show();
    plain.Form->Show();
    for (const auto& s : steps) {
        s.step(layered);
        s.step(plain);
        App.ProcessMessages();
        EXPECT_TRUE(SamePixels(Screen.Pixels(layered.Form->Handle()), Screen.Pixels(plain.Form->Handle())))
            << "after: " << s.what;
    }
}

TEST_F(Layer, MovingALayeredPanelPaintsNoneOfItsChildren)
{
    const struct { bool layered; bool childrenPaint; } cases[] = {{true, false}, {false, true}};
    for (const auto& c : cases) {
        TScene scene(App, c.layered);
        ShowAndPaint(*scene.Form);
        const int before = scene.ChildPaints();
        for (int step = 1; step <= 5; ++step) {
            scene.Panel->SetLeft(10 + step);
            scene.Panel->SetTop(10 + step);
            App.ProcessMessages();
        }
        EXPECT_EQ(scene.ChildPaints() > before, c.childrenPaint) << "layered: " << c.layered;
        delete scene.Form;
    }
}

TEST_F(Layer, NoLayerIsKeptOverTheParentsPixelsNorWhileComposingWhole)
{
    const struct { const char* what; TColor color; bool composeWhole; } cases[] = {
        {"background clNone", clNone, false},
        {"composing whole", clNavy, true},
    };
    for (const auto& c : cases) {
        App.SetComposeWhole(c.composeWhole);
        TScene scene(App, true);
        scene.Panel->SetColor(c.color);
        ShowAndPaint(*scene.Form);
        const int before = scene.ChildPaints();
        scene.Panel->SetLeft(12);
        App.ProcessMessages();
        EXPECT_GT(scene.ChildPaints(), before) << c.what;
        delete scene.Form;
    }
    App.SetComposeWhole(false);
}

TEST_F(Layer, ComposingWholePresentsTheWholeWindowForAnyInvalidation)
{
    App.SetComposeWhole(true);
    TScene scene(App, false);
    ShowAndPaint(*scene.Form);
    scene.Form->InvalidateArea({5, 5, 6, 6});
    App.ProcessMessages();
    EXPECT_EQ(Screen.PresentedAreas(scene.Form->Handle()), std::vector<TRect>{TRect(0, 0, 120, 90)});
    App.SetComposeWhole(false);
}

// The window's own invalidation over a layered panel that has not changed paints and presents
// none of it, as the panel's pixels are already there; what the screen lost is shown again.
TEST_F(Layer, UnchangedLayerIsLeftOutOfTheWindowsOwnRepaintButNotOutOfAnExpose)
{
    TScene scene(App, true);
    scene.Above->Hide();
    ShowAndPaint(*scene.Form);
    const TNativeWindow window = scene.Form->Handle();
    const int before = scene.ChildPaints();
    // A diagonal step composes the panel in several pieces.
    scene.Panel->SetLeft(11);
    scene.Panel->SetTop(11);
    App.ProcessMessages();
    Screen.ClearPresented(window);

    scene.Form->InvalidateArea({0, 0, 120, 40});
    App.ProcessMessages();
    EXPECT_EQ(Screen.PresentedAreas(window), (std::vector<TRect>{{0, 0, 120, 11}, {0, 11, 11, 40}, {81, 11, 120, 40}}));
    Screen.ClearPresented(window);

    Screen.Expose(window, {20, 20, 30, 30});
    App.ProcessMessages();
    EXPECT_EQ(Screen.PresentedAreas(window), std::vector<TRect>{TRect(20, 20, 30, 30)});
    Screen.ClearPresented(window);

    // A window shown again has lost its pixels on the screen.
    scene.Form->Hide();
    scene.Form->Show();
    App.ProcessMessages();
    EXPECT_EQ(Screen.PresentedAreas(window), std::vector<TRect>{TRect(0, 0, 120, 90)});
    EXPECT_EQ(scene.ChildPaints(), before);
}
