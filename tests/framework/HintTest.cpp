#include <string>

#include <gtest/gtest.h>

#include "framework/HintWindow.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

class THintTestForm : public TTestForm {
public:
    explicit THintTestForm(TComponent* Owner) : TTestForm(Owner, {30, 40, 130, 120}) {}
};

}  // namespace

// The form (at (30, 40) on a 320 x 240 screen) carries a panel P with a hint and, inside it,
// a button B with a hint of its own and a control C without one.
class Hints : public FrameworkTest {
protected:
    THintTestForm* Form = nullptr;
    TWinControl *P = nullptr, *B = nullptr, *C = nullptr;

    void SetUp() override
    {
        Form = App.CreateForm<THintTestForm>();
        P = Add(Form, {0, 0, 100, 80}, "the panel");
        B = Add(P, {10, 10, 40, 30}, "save and quit");
        C = Add(P, {50, 10, 80, 30}, "");
        Form->Show();
        App.ProcessMessages();
    }

    TWinControl* Add(TWinControl* Parent, TRect Bounds, const std::string& Hint)
    {
        auto* c = new TWinControl(Parent);
        c->SetParent(Parent);
        c->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        c->SetHint(Hint);
        return c;
    }

    void Move(TPoint At)
    {
        Screen.MouseMove(Form->Handle(), At);
        App.ProcessMessages();
    }
    void Wait(uint32_t Milliseconds)
    {
        Clock.Advance(Milliseconds);
        App.ProcessMessages();
    }
    bool HintShown() const { return Form->HintWindow() && Form->HintWindow()->Visible(); }
    std::string HintText() const { return HintShown() ? Form->HintWindow()->Text() : "(none)"; }
};

TEST_F(Hints, ShowAfterThePointerRestsHalfASecondBelowThePointer)
{
    Move({20, 20});
    Wait(499);
    EXPECT_FALSE(HintShown()) << "not before the pause is over";
    Wait(1);
    ASSERT_TRUE(HintShown());
    EXPECT_EQ(HintText(), "save and quit");
    THintWindow& hint = *Form->HintWindow();
    EXPECT_EQ(hint.Left(), 50);
    EXPECT_EQ(hint.Top(), 80) << "below the pointer at (50, 60) on the screen";
    const auto* state = Screen.Window(hint.Handle());
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->Params.Kind, TNativeWindowKind::Popup);
    EXPECT_EQ(state->Params.Owner, Form->Handle());
    EXPECT_TRUE(state->Visible);
    EXPECT_EQ(Screen.PointerCapture(), 0u) << "a hint leaves the pointer to the window under it";
    App.ProcessMessages();
    const TBitmap& pixels = Screen.Pixels(hint.Handle());
    EXPECT_EQ(pixels.Pixel(0, 0), ColorToPixel(THintWindow::BorderColor)) << "a thin dark border";
    EXPECT_EQ(pixels.Pixel(hint.Width() - 1, hint.Height() - 1), ColorToPixel(THintWindow::BorderColor));
    EXPECT_EQ(pixels.Pixel(1, 1), ColorToPixel(THintWindow::FaceColor)) << "on a pale face";
}

TEST_F(Hints, EveryMoveBeforeThePauseIsOverStartsItAgain)
{
    Move({20, 20});
    Wait(300);
    Move({21, 20});
    Wait(300);
    EXPECT_FALSE(HintShown());
    Wait(200);
    EXPECT_TRUE(HintShown());
    Move({22, 21});
    EXPECT_TRUE(HintShown()) << "a shown hint stays while the pointer stays on the control";
}

TEST_F(Hints, LeavingPressingOrTypingHidesTheHint)
{
    // What shows a while later: the next control's own hint after a move to it, else nothing
    // until the pointer comes to a control anew.
    const struct { const char* what; std::function<void()> act; const char* later; } cases[] = {
        {"leave to another control", [&] { Move({60, 20}); }, "the panel"},
        {"leave the window", [&] { Screen.MouseLeave(Form->Handle()); }, "(none)"},
        {"press", [&] { Screen.MouseDown(Form->Handle(), TMouseButton::mbLeft, {20, 20}); Screen.MouseUp(Form->Handle(), TMouseButton::mbLeft, {20, 20}); }, "(none)"},
        {"key", [&] { Screen.KeyDown(Form->Handle(), 'A'); }, "(none)"},
        {"deactivation", [&] { Screen.Activate(Form->Handle(), false); }, "(none)"},
    };
    for (const auto& c : cases) {
        Move({90, 70});
        Move({20, 20});
        Wait(500);
        ASSERT_TRUE(HintShown()) << c.what;
        c.act();
        App.ProcessMessages();
        EXPECT_FALSE(HintShown()) << c.what;
        Wait(1000);
        EXPECT_EQ(HintText(), c.later) << c.what;
    }
}

TEST_F(Hints, TextComesFromTheControlOrItsNearestParentAndShowsOnlyWhereAllowed)
{
    const struct { const char* what; TPoint at; std::function<void()> setup; std::string shown; } cases[] = {
        {"own hint", {20, 20}, [] {}, "save and quit"},
        {"parent's hint", {60, 20}, [] {}, "the panel"},
        {"control's ShowHint off", {20, 20}, [&] { B->SetShowHint(false); }, "(none)"},
        {"application's ShowHint off", {20, 20}, [&] { App.SetShowHint(false); }, "(none)"},
        {"no hint anywhere", {60, 20}, [&] { P->SetHint(""); }, "(none)"},
    };
    for (const auto& c : cases) {
        Move({99, 79});
        B->SetShowHint(true);
        App.SetShowHint(true);
        P->SetHint("the panel");
        Move({99, 79});
        c.setup();
        Move(c.at);
        Wait(600);
        EXPECT_EQ(HintText(), c.shown) << c.what;
    }
}

TEST_F(Hints, ALongHintIsLaidOutWithinTheScreen)
{
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "word" + std::to_string(i) + " ";
    B->SetHint(text);
    C->SetHint(std::string(2000, 'x'));   // one word wider than the screen
    for (TPoint at : {TPoint{20, 20}, TPoint{60, 20}}) {
        Move({99, 79});
        Move(at);
        Wait(500);
        ASSERT_TRUE(HintShown()) << at;
        const THintWindow& hint = *Form->HintWindow();
        EXPECT_GE(hint.Left(), 0) << at;
        EXPECT_GE(hint.Top(), 0) << at;
        EXPECT_LE(hint.Left() + hint.Width(), 320) << at;
        EXPECT_LE(hint.Top() + hint.Height(), 240) << at;
    }
    Move({99, 79});
    Move({20, 20});
    Wait(500);
    EXPECT_GT(Form->HintWindow()->Lines().size(), 1u) << "a long text is broken into lines";
}
