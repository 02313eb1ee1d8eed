#include <string>

#include <gtest/gtest.h>

#include "framework/PopupWindow.h"
#include "framework/VirtualKeys.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

class TOwnerForm : public TTestForm {
public:
    explicit TOwnerForm(TComponent* Owner) : TTestForm(Owner, {10, 10, 110, 90}) {}
};

}  // namespace

// An active owner form at (10, 10) on a 320 x 240 screen and a 40 x 30 pop-up it owns.
class Popups : public FrameworkTest {
protected:
    TOwnerForm* Owner = nullptr;
    TPopupWindow* Popup = nullptr;
    int Deactivations = 0;
    int CloseUps = 0;
    int OwnerPresses = 0;

    void SetUp() override
    {
        Owner = App.CreateForm<TOwnerForm>();
        Owner->OnDeactivate = [this](TObject*) { ++Deactivations; };
        Owner->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ++OwnerPresses; };
        Owner->Show();
        Screen.Activate(Owner->Handle(), true);
        App.ProcessMessages();
        Popup = new TPopupWindow(Owner);
        Popup->SetPopupOwner(Owner);
        Popup->SetBounds(0, 0, 40, 30);
        Popup->SetColor(clWhite);
        Popup->OnCloseUp = [this](TObject*) { ++CloseUps; };
    }

    void Open()
    {
        Popup->Popup({50, 60});
        App.ProcessMessages();
    }
};

TEST_F(Popups, OpenOwnedByTheFormWithoutTakingItsActivation)
{
    Open();
    const auto* state = Screen.Window(Popup->Handle());
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->Params.Kind, TNativeWindowKind::Popup);
    EXPECT_EQ(state->Params.Owner, Owner->Handle());
    EXPECT_EQ(state->Params.Bounds, (TRect{50, 60, 90, 90}));
    EXPECT_TRUE(state->Visible);
    EXPECT_TRUE(Owner->Active());
    EXPECT_EQ(Deactivations, 0);
    EXPECT_EQ(Screen.PointerCapture(), Popup->Handle()) << "it holds the pointer to learn of clicks outside";
    EXPECT_EQ(Screen.WindowsOfKind(TNativeWindowKind::Popup), std::vector<TNativeWindow>{Popup->Handle()});
}

TEST_F(Popups, OpensBelowAControlThroughItsScreenPosition)
{
    auto* box = new TWinControl(Owner);
    box->SetParent(Owner);
    box->SetBounds(16, 39, 121, 21);
    const TPoint below = box->ClientToScreen({0, box->Height()});
    EXPECT_EQ(below, (TPoint{26, 70})) << "the owner's client lies at (10, 10) on the screen";
    EXPECT_EQ(box->ScreenToClient(below), (TPoint{0, 21}));
    Popup->Popup(below);
    EXPECT_EQ(Popup->BoundsRect(), (TRect{26, 70, 66, 100}));
}

TEST_F(Popups, OpeningAtTheScreenEdgeMovesItOntoTheScreen)
{
    Popup->Popup({300, 230});
    EXPECT_EQ(Popup->BoundsRect(), (TRect{280, 210, 320, 240}));
    Popup->CloseUp();
    Popup->Popup({-20, -5});
    EXPECT_EQ(Popup->BoundsRect(), (TRect{0, 0, 40, 30}));
}

TEST_F(Popups, EachClosingRuleClosesItOnceAndGivesThePointerBack)
{
    const struct { const char* what; std::function<void()> act; bool ownerStays; } cases[] = {
        {"click outside", [&] { Screen.MouseDown(Popup->Handle(), TMouseButton::mbLeft, {-10, 5}); }, true},
        {"click delivered to the owner", [&] { Screen.MouseDown(Owner->Handle(), TMouseButton::mbLeft, {5, 5}); }, true},
        {"Esc to the pop-up", [&] { Screen.KeyDown(Popup->Handle(), VK_ESCAPE); }, true},
        {"Esc to the owner", [&] { Screen.KeyDown(Owner->Handle(), VK_ESCAPE); }, true},
        {"owner moved", [&] { Owner->SetLeft(20); }, true},
        {"owner moved by the system", [&] {
             TNativeEvent e;
             e.Kind = TNativeEvent::Resized;
             e.Window = Owner->Handle();
             e.Area = {30, 10, 130, 90};
             Screen.Queue(e);
         }, true},
        {"owner deactivated", [&] { Screen.Activate(Owner->Handle(), false); }, true},
        {"owner hidden", [&] { Owner->Hide(); }, false},
        {"closed by its user", [&] { Popup->CloseUp(); }, true},
    };
    for (const auto& c : cases) {
        Owner->Show();
        Screen.Activate(Owner->Handle(), true);
        App.ProcessMessages();
        CloseUps = 0;
        Open();
        ASSERT_TRUE(Popup->IsOpen()) << c.what;
        c.act();
        App.ProcessMessages();
        EXPECT_FALSE(Popup->IsOpen()) << c.what;
        EXPECT_FALSE(Screen.Window(Popup->Handle())->Visible) << c.what;
        EXPECT_EQ(CloseUps, 1) << c.what;
        EXPECT_EQ(Screen.PointerCapture(), 0u) << c.what;
        EXPECT_EQ(Owner->Visible(), c.ownerStays) << c.what;
        EXPECT_FALSE(App.Terminated()) << c.what << ": the owner does not close";
        EXPECT_EQ(OwnerPresses, 0) << c.what << ": the closing click goes no further";
    }
}

TEST_F(Popups, AClickInsideGoesToItsControlsAndKeepsItOpen)
{
    auto* item = new TWinControl(Popup);
    item->SetParent(Popup);
    item->SetBounds(0, 0, 40, 15);
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    Open();
    Screen.MouseDown(Popup->Handle(), TMouseButton::mbLeft, {5, 5});
    Screen.MouseUp(Popup->Handle(), TMouseButton::mbLeft, {5, 5});
    App.ProcessMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Popup->IsOpen());
    EXPECT_EQ(Screen.PointerCapture(), Popup->Handle()) << "the end of a press inside does not give the pointer back";
}

TEST_F(Popups, OwnerOrPopupGoingFirstLeavesNothingDangling)
{
    Open();
    delete Popup;
    Owner->SetLeft(40);   // would close its pop-ups
    auto* second = new TPopupWindow(&App);
    second->SetPopupOwner(Owner);
    second->SetBounds(0, 0, 10, 10);
    second->Popup({0, 0});
    delete Owner;
    EXPECT_EQ(second->PopupOwner(), nullptr);
    delete second;
}
