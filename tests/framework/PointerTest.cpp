#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/framework/FrameworkFixture.h"

namespace {

// Writes the control's pointer events into Log.
void Watch(TControl* c, std::vector<std::string>& Log)
{
    c->OnMouseEnter = [&Log, c](TObject*) { Log.push_back("enter " + c->Name()); };
    c->OnMouseLeave = [&Log, c](TObject*) { Log.push_back("leave " + c->Name()); };
    c->OnMouseDown = [&Log, c](TObject*, TMouseButton, TShiftState, int x, int y) {
        Log.push_back("down " + c->Name() + " " + std::to_string(x) + "," + std::to_string(y));
    };
    c->OnMouseUp = [&Log, c](TObject*, TMouseButton, TShiftState, int x, int y) {
        Log.push_back("up " + c->Name() + " " + std::to_string(x) + "," + std::to_string(y));
    };
    c->OnClick = [&Log, c](TObject*) { Log.push_back("click " + c->Name()); };
}

template <class TKind>
TKind* Make(TWinControl* Parent, const std::string& Name, TRect Bounds, std::vector<std::string>& Log)
{
    auto* c = new TKind(Parent);
    c->SetName(Name);
    c->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    c->SetParent(Parent);
    Watch(c, Log);
    return c;
}

}  // namespace

// The form (100 x 80) carries a windowed panel P at (10,10)-(60,60) with a windowed button B
// at (5,5)-(25,25) and a windowless label L at (30,5)-(45,20) inside, and a windowless W at
// (70,10)-(90,30) on the form.
class Pointer : public FrameworkTest {
protected:
    std::vector<std::string> Log;
    TTestForm* Form = nullptr;
    TWinControl *P = nullptr, *B = nullptr;
    TControl *L = nullptr, *W = nullptr;

    void SetUp() override
    {
        Form = App.CreateForm<TTestForm>();
        Form->SetName("form");
        Watch(Form, Log);
        P = Make<TWinControl>(Form, "P", {10, 10, 60, 60}, Log);
        B = Make<TWinControl>(P, "B", {5, 5, 25, 25}, Log);
        L = Make<TControl>(P, "L", {30, 5, 45, 20}, Log);
        W = Make<TControl>(Form, "W", {70, 10, 90, 30}, Log);
        Form->Show();
        App.ProcessMessages();
    }

    void Move(TPoint At, TShiftState Shift = 0)
    {
        Screen.MouseMove(Form->Handle(), At, Shift);
        App.ProcessMessages();
    }
    void Click(TPoint At)
    {
        Screen.MouseDown(Form->Handle(), TMouseButton::mbLeft, At);
        Screen.MouseUp(Form->Handle(), TMouseButton::mbLeft, At);
        App.ProcessMessages();
    }
};

TEST_F(Pointer, EnterAndLeaveFollowTheControlUnderThePointer)
{
    Screen.MouseEnter(Form->Handle(), {1, 1});
    App.ProcessMessages();
    const struct { TPoint at; std::vector<std::string> log; const char* inside; } steps[] = {
        {{20, 20}, {"leave form", "enter B"}, "B"},
        {{21, 21}, {}, "B"},
        {{45, 20}, {"leave B", "enter L"}, "L"},
        {{12, 55}, {"leave L", "enter P"}, "P"},
        {{75, 15}, {"leave P", "enter W"}, "W"},
    };
    EXPECT_EQ(Log, std::vector<std::string>{"enter form"});
    for (const auto& s : steps) {
        Log.clear();
        Move(s.at);
        EXPECT_EQ(Log, s.log) << "at " << s.at;
        ASSERT_NE(Form->MouseControl(), nullptr);
        EXPECT_EQ(Form->MouseControl()->Name(), s.inside) << "at " << s.at;
        EXPECT_TRUE(Form->MouseControl()->MouseInControl());
    }
    Log.clear();
    Screen.MouseLeave(Form->Handle());
    App.ProcessMessages();
    EXPECT_EQ(Log, std::vector<std::string>{"leave W"});
    EXPECT_FALSE(W->MouseInControl());
    EXPECT_EQ(Form->MouseControl(), nullptr);
}

TEST_F(Pointer, HidingOrDisablingTheControlUnderThePointerLeavesIt)
{
    const struct { const char* what; std::function<void()> change, undo; std::vector<std::string> log; } cases[] = {
        {"B hidden", [&] { B->Hide(); }, [&] { B->Show(); }, {"leave B", "enter P"}},
        {"B disabled", [&] { B->SetEnabled(false); }, [&] { B->SetEnabled(true); }, {"leave B", "enter P"}},
        {"P disabled", [&] { P->SetEnabled(false); }, [&] { P->SetEnabled(true); }, {"leave B", "enter form"}},
        {"P hidden", [&] { P->Hide(); }, [&] { P->Show(); }, {"leave B", "enter form"}},
        {"B moved away", [&] { B->SetLeft(30); }, [&] { B->SetLeft(5); }, {"leave B", "enter P"}},
    };
    for (const auto& c : cases) {
        Move({20, 20});
        ASSERT_EQ(Form->MouseControl(), B) << c.what;
        Log.clear();
        c.change();
        EXPECT_EQ(Log, c.log) << c.what;
        c.undo();
    }
}

TEST_F(Pointer, DisabledControlsAndTheirChildrenGetNoInput)
{
    std::vector<std::string> keys;
    B->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) { keys.push_back("B " + std::to_string(Key)); };
    P->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) { keys.push_back("P " + std::to_string(Key)); };
    B->SetFocus();
    P->SetEnabled(false);
    EXPECT_FALSE(B->EffectivelyEnabled());
    EXPECT_TRUE(B->Enabled());
    Log.clear();
    Click({20, 20});   // B inside the disabled P: the form beneath takes it
    Click({45, 20});   // L inside the disabled P
    Screen.KeyDown(Form->Handle(), 'K');
    App.ProcessMessages();
    EXPECT_EQ(Log, (std::vector<std::string>{"enter form", "down form 20,20", "up form 20,20", "click form",
                                             "down form 45,20", "up form 45,20", "click form"}));
    EXPECT_TRUE(keys.empty());
    W->SetEnabled(false);
    Log.clear();
    Click({75, 15});
    EXPECT_EQ(Log, (std::vector<std::string>{"down form 75,15", "up form 75,15", "click form"}));
}

TEST_F(Pointer, PressedControlGetsTheReleaseOutsideItselfAndTheWindowWhileHoldingThePointer)
{
    const struct { const char* name; TPoint press; TPoint release; std::vector<std::string> log; } cases[] = {
        {"windowed", {20, 20}, {150, -30}, {"down B 5,5", "up B 135,-45"}},
        {"windowless", {45, 20}, {-5, 70}, {"down L 5,5", "up L -45,55"}},
        {"windowed over its windowless sibling", {20, 20}, {45, 20}, {"down B 5,5", "up B 30,5"}},
    };
    for (const auto& c : cases) {
        Move(c.press);
        Log.clear();
        Screen.MouseDown(Form->Handle(), TMouseButton::mbLeft, c.press);
        App.ProcessMessages();
        EXPECT_EQ(Screen.PointerCapture(), Form->Handle()) << c.name;
        Screen.MouseMove(Form->Handle(), c.release, ssLeft);
        Screen.MouseUp(Form->Handle(), TMouseButton::mbLeft, c.release);
        App.ProcessMessages();
        std::vector<std::string> buttons;
        for (const std::string& e : Log)
            if (e.rfind("down", 0) == 0 || e.rfind("up", 0) == 0 || e.rfind("click", 0) == 0)
                buttons.push_back(e);
        EXPECT_EQ(buttons, c.log) << c.name << ": no click outside";
        EXPECT_EQ(Screen.PointerCapture(), 0u) << c.name;
        EXPECT_EQ(Form->CaptureControl(), nullptr) << c.name;
    }
}

TEST_F(Pointer, ReleaseCaptureGivesThePointerBack)
{
    Screen.MouseDown(Form->Handle(), TMouseButton::mbLeft, {20, 20});
    App.ProcessMessages();
    Form->ReleaseCapture();
    EXPECT_EQ(Screen.PointerCapture(), 0u);
    Log.clear();
    Screen.MouseUp(Form->Handle(), TMouseButton::mbLeft, {75, 15});
    App.ProcessMessages();
    EXPECT_EQ(Log, (std::vector<std::string>{"leave B", "enter W", "up W 5,5"}));
}
