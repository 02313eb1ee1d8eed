#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/VirtualKeys.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

// A windowed control that writes its enter and exit events and the keys it sees into a shared
// log, and takes the keys it is told to.
class TLoggingControl : public TWinControl {
public:
    TLoggingControl(TWinControl* Parent, const std::string& Name, std::vector<std::string>& Log, bool TabStop = true)
        : TWinControl(Parent), FLog(Log)
    {
        SetName(Name);
        SetParent(Parent);
        SetBounds(0, 0, 10, 10);
        SetTabStop(TabStop);
        OnEnter = [this](TObject*) { FLog.push_back("enter " + this->Name()); };
        OnExit = [this](TObject*) { FLog.push_back("exit " + this->Name()); };
    }
    uint16_t Takes = 0;

protected:
    void KeyDown(uint16_t& Key, TShiftState Shift) override
    {
        FLog.push_back("key " + Name());
        TWinControl::KeyDown(Key, Shift);
        if (Key == Takes)
            Key = 0;
    }

private:
    std::vector<std::string>& FLog;
};

std::string FocusName(const TForm& Form)
{
    return Form.FocusedControl() ? Form.FocusedControl()->Name() : "form";
}

}  // namespace

// The form holds A, a panel P with B and C inside, and D, all tab stops; P itself is not.
class Focus : public FrameworkTest {
protected:
    std::vector<std::string> Log;
    TTestForm* Form = nullptr;
    TLoggingControl *A, *P, *B, *C, *D;

    void SetUp() override
    {
        Form = App.CreateForm<TTestForm>();
        A = new TLoggingControl(Form, "A", Log);
        P = new TLoggingControl(Form, "P", Log, false);
        B = new TLoggingControl(P, "B", Log);
        C = new TLoggingControl(P, "C", Log);
        D = new TLoggingControl(Form, "D", Log);
        Form->Show();
        App.ProcessMessages();
    }

    void Key(uint16_t Code, TShiftState Shift = 0)
    {
        Screen.KeyDown(Form->Handle(), Code, Shift);
        App.ProcessMessages();
    }
};

TEST_F(Focus, TabAndShiftTabWalkTheTabStopsDepthFirstAndWrap)
{
    const struct { TShiftState shift; const char* focus; } steps[] = {
        {0, "A"}, {0, "B"}, {0, "C"}, {0, "D"}, {0, "A"}, {ssShift, "D"}, {ssShift, "C"}, {ssShift, "B"},
    };
    for (const auto& s : steps) {
        Key(VK_TAB, s.shift);
        EXPECT_EQ(FocusName(*Form), s.focus) << "after " << (s.shift ? "Shift+Tab" : "Tab");
    }
}

TEST_F(Focus, TabPassesOverControlsThatCannotTakeTheFocus)
{
    const struct { const char* what; std::function<void()> change; std::vector<std::string> cycle; } cases[] = {
        {"B hidden", [&] { B->Hide(); }, {"A", "C", "D", "A"}},
        {"B disabled", [&] { B->SetEnabled(false); }, {"A", "C", "D", "A"}},
        {"B no tab stop", [&] { B->SetTabStop(false); }, {"A", "C", "D", "A"}},
        {"panel hidden", [&] { P->Hide(); }, {"A", "D", "A"}},
        {"panel disabled", [&] { P->SetEnabled(false); }, {"A", "D", "A"}},
    };
    for (const auto& c : cases) {
        for (TWinControl* w : {static_cast<TWinControl*>(A), static_cast<TWinControl*>(P), static_cast<TWinControl*>(B), static_cast<TWinControl*>(C), static_cast<TWinControl*>(D)}) {
            w->Show();
            w->SetEnabled(true);
        }
        B->SetTabStop(true);
        Form->SetFocusedControl(nullptr);
        c.change();
        std::vector<std::string> cycle;
        for (size_t i = 0; i < c.cycle.size(); ++i) {
            Key(VK_TAB);
            cycle.push_back(FocusName(*Form));
        }
        EXPECT_EQ(cycle, c.cycle) << c.what;
    }
}

TEST_F(Focus, EnterAndExitFollowTheFocusThroughContainers)
{
    A->SetFocus();
    Log.clear();
    B->SetFocus();   // into the panel: the panel is entered before B
    C->SetFocus();   // within the panel: the panel stays entered
    D->SetFocus();   // out of the panel: C leaves first, then the panel
    EXPECT_EQ(Log, (std::vector<std::string>{"exit A", "enter P", "enter B", "exit B", "enter C", "exit C", "exit P",
                                             "enter D"}));
}

TEST_F(Focus, HidingOrDisablingTheFocusedControlTakesTheFocusAway)
{
    B->SetFocus();
    Log.clear();
    P->SetEnabled(false);
    EXPECT_EQ(FocusName(*Form), "form");
    EXPECT_EQ(Log, (std::vector<std::string>{"exit B", "exit P"}));
    P->SetEnabled(true);
    D->SetFocus();
    D->Hide();
    EXPECT_EQ(FocusName(*Form), "form");
    B->SetEnabled(false);
    B->SetFocus();
    EXPECT_EQ(FocusName(*Form), "form") << "a disabled control takes no focus";
}

TEST_F(Focus, SelectFirstFocusesTheFirstTabStopInsideOrElseTheContainer)
{
    P->SelectFirst();
    EXPECT_EQ(FocusName(*Form), "B");
    B->SetTabStop(false);
    C->SetTabStop(false);
    A->SetFocus();
    P->SelectFirst();
    EXPECT_EQ(FocusName(*Form), "B") << "without tab stops, the first control that can take the focus";
    B->Hide();
    C->Hide();
    A->SetFocus();
    Log.clear();
    P->SelectFirst();
    EXPECT_EQ(FocusName(*Form), "P");
    EXPECT_EQ(Log, (std::vector<std::string>{"exit A", "enter P"}));
}

TEST_F(Focus, KeysGoToTheFocusedControlThenUpItsParentsUntilOneTakesThem)
{
    std::vector<std::string> formKeys;
    Form->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) { formKeys.push_back(std::to_string(Key)); };
    B->SetFocus();
    P->Takes = 'P';
    const struct { uint16_t key; std::vector<std::string> log; std::vector<std::string> form; } cases[] = {
        {'B', {"key B", "key P"}, {"66"}},
        {'P', {"key B", "key P"}, {}},
    };
    B->Takes = 0;
    for (const auto& c : cases) {
        Log.clear();
        formKeys.clear();
        Key(c.key);
        EXPECT_EQ(Log, c.log) << c.key;
        EXPECT_EQ(formKeys, c.form) << c.key;
    }
    B->Takes = 'B';
    Log.clear();
    Key('B');
    EXPECT_EQ(Log, std::vector<std::string>{"key B"});
}

TEST_F(Focus, EscapeAndAltF4CloseTheFormOtherKeysDoNot)
{
    const struct { uint16_t key; TShiftState shift; bool closes; } cases[] = {
        {VK_ESCAPE, 0, true}, {VK_F4, ssAlt, true}, {VK_F4, 0, false}, {'A', ssAlt, false}, {VK_RETURN, 0, false},
    };
    for (const auto& c : cases) {
        auto* form = new TTestForm(&App);
        int closes = 0;
        form->OnClose = [&](TObject*, TCloseAction& Action) {
            ++closes;
            Action = TCloseAction::caHide;
        };
        form->Show();
        Screen.KeyDown(form->Handle(), c.key, c.shift);
        App.ProcessMessages();
        EXPECT_EQ(closes, c.closes ? 1 : 0) << "key " << c.key << " shift " << c.shift;
        EXPECT_EQ(form->Visible(), !c.closes) << "key " << c.key;
        delete form;
    }
}

TEST_F(Focus, AControlThatTakesEscapeKeepsTheFormOpen)
{
    B->SetFocus();
    B->Takes = VK_ESCAPE;
    Key(VK_ESCAPE);
    EXPECT_TRUE(Form->Visible());
    EXPECT_FALSE(App.Terminated());
}

TEST_F(Focus, ChangingPagesMovesTheFocusOutOfTheOldPageAndIntoTheNew)
{
    // Two pages on one book: the way a page control switches them.
    auto* book = new TLoggingControl(Form, "book", Log, false);
    auto* first = new TLoggingControl(book, "first", Log, false);
    auto* field = new TLoggingControl(first, "field", Log);
    auto* second = new TLoggingControl(book, "second", Log, false);
    auto* browser = new TLoggingControl(second, "browser", Log, false);
    second->Hide();
    field->SetFocus();
    Log.clear();

    first->Hide();
    second->Show();
    second->SelectFirst();
    EXPECT_EQ(Log, (std::vector<std::string>{"exit field", "exit first", "exit book", "enter book", "enter second",
                                             "enter browser"}));
    EXPECT_EQ(Form->FocusedControl(), browser);
}
