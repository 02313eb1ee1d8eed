#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/framework/FrameworkFixture.h"

namespace {

struct THit {
    std::string Name;
    TMouseButton Button;
    TShiftState Shift;
    int X, Y;
    friend bool operator==(const THit&, const THit&) = default;
};

std::ostream& operator<<(std::ostream& os, const THit& h)
{
    return os << h.Name << " at " << h.X << "," << h.Y << " button " << int(h.Button) << " shift " << h.Shift;
}

template <class TKind>
TKind* Add(TWinControl* Parent, const std::string& Name, TRect Bounds, TCursor Cursor, std::vector<THit>& Hits)
{
    auto* c = new TKind(Parent);
    c->SetName(Name);
    c->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    c->SetCursor(Cursor);
    c->SetParent(Parent);
    c->OnMouseDown = [&Hits, c](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        Hits.push_back({c->Name(), b, s, x, y});
    };
    return c;
}

}  // namespace

// The form (100 x 80, cross-hair) carries a windowless W0, a windowed P with a windowed Q and a
// windowless L inside, and a windowed R added after P that overlaps it.
class InputRouting : public FrameworkTest {
protected:
    std::vector<THit> Hits;
    TTestForm* Form = nullptr;
    TWinControl* Q = nullptr;
    TWinControl* R = nullptr;

    void SetUp() override
    {
        Form = App.CreateForm<TTestForm>();
        Form->SetName("form");
        Form->SetCursor(crCross);
        Form->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
            Hits.push_back({"form", b, s, x, y});
        };
        Add<TControl>(Form, "W0", {0, 0, 20, 20}, crHandPoint, Hits);
        auto* p = Add<TWinControl>(Form, "P", {20, 20, 80, 60}, crDefault, Hits);
        Q = Add<TWinControl>(p, "Q", {10, 10, 30, 30}, crHandPoint, Hits);
        Add<TControl>(p, "L", {30, 0, 50, 20}, crIBeam, Hits);
        R = Add<TWinControl>(Form, "R", {70, 50, 90, 70}, crArrow, Hits);
        Form->Show();
        App.ProcessMessages();
    }
};

TEST_F(InputRouting, ButtonGoesToTopmostControlUnderThePointerInItsCoordinates)
{
    const struct { TPoint at; THit hit; } cases[] = {
        {{5, 5}, {"W0", TMouseButton::mbLeft, ssLeft, 5, 5}},
        {{25, 5}, {"form", TMouseButton::mbLeft, ssLeft, 25, 5}},
        {{21, 21}, {"P", TMouseButton::mbLeft, ssLeft, 1, 1}},
        {{35, 35}, {"Q", TMouseButton::mbLeft, ssLeft, 5, 5}},
        {{55, 25}, {"L", TMouseButton::mbLeft, ssLeft, 5, 5}},
        {{75, 55}, {"R", TMouseButton::mbLeft, ssLeft, 5, 5}},
        {{95, 75}, {"form", TMouseButton::mbLeft, ssLeft, 95, 75}},
    };
    for (const auto& c : cases) {
        Hits.clear();
        Screen.MouseDown(Form->Handle(), TMouseButton::mbLeft, c.at);
        Screen.MouseUp(Form->Handle(), TMouseButton::mbLeft, c.at);
        App.ProcessMessages();
        ASSERT_EQ(Hits.size(), 1u) << "at " << c.at;
        EXPECT_EQ(Hits[0], c.hit) << "at " << c.at;
    }
}

TEST_F(InputRouting, ButtonAndShiftStateReachTheHandler)
{
    Screen.MouseDown(Form->Handle(), TMouseButton::mbRight, {25, 5}, ssRight | ssShift | ssCtrl);
    App.ProcessMessages();
    ASSERT_EQ(Hits.size(), 1u);
    EXPECT_EQ(Hits[0], (THit{"form", TMouseButton::mbRight, ssRight | ssShift | ssCtrl, 25, 5}));
}

TEST_F(InputRouting, HiddenWindowedControlLetsThePointerThrough)
{
    R->Hide();
    Screen.MouseDown(Form->Handle(), TMouseButton::mbLeft, {75, 55});
    App.ProcessMessages();
    ASSERT_EQ(Hits.size(), 1u);
    EXPECT_EQ(Hits[0].Name, "P");
}

TEST_F(InputRouting, PointerShapeFollowsTheControlUnderItAndTheApplicationShapeOverridesAll)
{
    const struct { TCursor application; TPoint at; TCursor shown; } cases[] = {
        {crDefault, {5, 5}, crHandPoint},
        {crDefault, {25, 5}, crCross},
        {crDefault, {21, 21}, crCross},   // P has none of its own: its parent's shows
        {crDefault, {35, 35}, crHandPoint},
        {crDefault, {55, 25}, crIBeam},
        {crDefault, {75, 55}, crArrow},
        {crNone, {5, 5}, crNone},
        {crNone, {35, 35}, crNone},
        {crNone, {95, 75}, crNone},
        {crHandPoint, {25, 5}, crHandPoint},
    };
    for (const auto& c : cases) {
        App.SetCursor(c.application);
        Screen.MouseMove(Form->Handle(), c.at);
        App.ProcessMessages();
        EXPECT_EQ(Screen.Pointer(Form->Handle()), c.shown) << "application " << c.application << " at " << c.at;
    }
}

TEST_F(InputRouting, ApplicationShapeChangeShowsAtOnce)
{
    Screen.MouseMove(Form->Handle(), {35, 35});
    App.ProcessMessages();
    App.SetCursor(crNone);
    EXPECT_EQ(Screen.Pointer(Form->Handle()), crNone);
    App.SetCursor(crDefault);
    EXPECT_EQ(Screen.Pointer(Form->Handle()), crHandPoint);
}

TEST_F(InputRouting, KeysAndWheelGoToTheFormThatHasTheFocus)
{
    std::vector<std::string> seen;
    Form->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState Shift) {
        seen.push_back("key " + std::to_string(Key) + " shift " + std::to_string(Shift));
    };
    Form->OnMouseWheel = [&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
        seen.push_back("wheel " + std::to_string(Delta));
        Handled = true;
    };
    Screen.KeyDown(Form->Handle(), 0x1B, ssAlt);
    Screen.Wheel(Form->Handle(), -120, {35, 35});   // over Q: the wheel still goes to the focus
    App.ProcessMessages();
    EXPECT_EQ(seen, (std::vector<std::string>{"key 27 shift 2", "wheel -120"}));
}

TEST_F(InputRouting, PressedControlKeepsThePointerUntilReleased)
{
    std::vector<std::string> moves;
    Q->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { moves.push_back("Q " + std::to_string(x) + "," + std::to_string(y)); };
    Form->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { moves.push_back("form " + std::to_string(x) + "," + std::to_string(y)); };
    Screen.MouseDown(Form->Handle(), TMouseButton::mbLeft, {35, 35});
    Screen.MouseMove(Form->Handle(), {5, 30}, ssLeft);
    Screen.MouseUp(Form->Handle(), TMouseButton::mbLeft, {5, 30});
    Screen.MouseMove(Form->Handle(), {5, 30});
    App.ProcessMessages();
    EXPECT_EQ(moves, (std::vector<std::string>{"Q -25,0", "form 5,30"}));
}

TEST_F(InputRouting, ActivationSystemCommandsAndCaptionDragPassThroughTheMessageMap)
{
    struct TMapForm : TTestForm {
        std::vector<std::pair<uint32_t, uintptr_t>> Seen;
        using TTestForm::TTestForm;
        void Dispatch(TMessage& m) override
        {
            Seen.emplace_back(m.Msg, m.WParam);
            if (m.Msg == WM_SYSCOMMAND && m.WParam == SC_SCREENSAVE) {
                m.Result = 1;   // answered here, not passed on
                return;
            }
            TTestForm::Dispatch(m);
        }
    };
    auto* form = App.CreateForm<TMapForm>();
    form->Show();
    App.ProcessMessages();
    Screen.Activate(form->Handle(), true);
    Screen.Activate(form->Handle(), false);
    Screen.SystemCommand(form->Handle(), SC_SCREENSAVE);
    Screen.SystemCommand(form->Handle(), 0xF020);   // minimise: the system's business
    App.ProcessMessages();
    form->ReleaseCapture();
    form->Perform(WM_NCLBUTTONDOWN, HTCAPTION, 0);

    const std::vector<std::pair<uint32_t, uintptr_t>> expected = {
        {0x0006, 1}, {0x0006, 0}, {0x0112, 0xF140}, {0x0112, 0xF020}, {0x00A1, 2},
    };
    EXPECT_EQ(form->Seen, expected);
    EXPECT_FALSE(form->Active());
    EXPECT_EQ(Screen.DefaultSystemCommands(), std::vector<uint32_t>{0xF020});
    EXPECT_EQ(Screen.MoveDrags(), 1);
}
