#include <gtest/gtest.h>

#include "framework/VirtualKeys.h"
#include "skin/TsuiButton.h"
#include "tests/skin/SkinFixture.h"
#include "tests/support/GoldenImage.h"

class SuiButtonTest : public SkinTest {
protected:
    TsuiButton* Button = nullptr;
    int Clicks = 0;

    void SetUp() override
    {
        SkinTest::SetUp();
        Button = Add<TsuiButton>(Form, {20, 20, 105, 40});
        Button->SetCaption("OK");
        Button->OnClick = [this](TObject*) { ++Clicks; };
        ShowAndPaint(*Form);
    }
};

TEST_F(SuiButtonTest, PressAndReleaseInsideClicks)
{
    ClickAt(Centre(*Button));
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Button->Focused());
}

TEST_F(SuiButtonTest, ReleaseOutsideDoesNotClick)
{
    Screen.MouseDown(Window(), TMouseButton::mbLeft, Centre(*Button));
    App.ProcessMessages();
    EXPECT_EQ(Button->Face(), TSkinPiece::ButtonPressed);
    Screen.MouseMove(Window(), {200, 150}, ssLeft);
    App.ProcessMessages();
    EXPECT_NE(Button->Face(), TSkinPiece::ButtonPressed) << "the pressed look goes with the pointer";
    Screen.MouseUp(Window(), TMouseButton::mbLeft, {200, 150});
    App.ProcessMessages();
    EXPECT_EQ(Clicks, 0);
}

TEST_F(SuiButtonTest, HoverLookComesAndGoesWithThePointer)
{
    Screen.MouseMove(Window(), Centre(*Button));
    App.ProcessMessages();
    EXPECT_EQ(Button->Face(), TSkinPiece::ButtonHot);
    Screen.MouseMove(Window(), {200, 150});
    App.ProcessMessages();
    EXPECT_EQ(Button->Face(), TSkinPiece::ButtonNormal);
    Button->SetFocus();
    EXPECT_EQ(Button->Face(), TSkinPiece::ButtonFocused);
}

TEST_F(SuiButtonTest, SpaceAndEnterClickTheFocusedButton)
{
    Button->SetFocus();
    Key(VK_SPACE);
    Key(VK_RETURN);
    EXPECT_EQ(Clicks, 2);
    Key('A');
    EXPECT_EQ(Clicks, 2);
}

TEST_F(SuiButtonTest, DisabledButtonIsNeverClicked)
{
    Button->SetFocus();
    Button->SetEnabled(false);
    ClickAt(Centre(*Button));
    Key(VK_SPACE);
    Key(VK_RETURN);
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(Button->Face(), TSkinPiece::ButtonDisabled);
}

// Normal, hover, pressed, focused and disabled, without captions so that one picture serves
// every target.
TEST_F(SuiButtonTest, FacesLookLikeTheGoldenPicture)
{
    Button->SetCaption("");
    std::vector<std::unique_ptr<TBitmap>> faces;
    faces.push_back(Shot(*Button));
    Screen.MouseMove(Window(), Centre(*Button));
    faces.push_back(Shot(*Button));
    Screen.MouseDown(Window(), TMouseButton::mbLeft, Centre(*Button));
    faces.push_back(Shot(*Button));
    Screen.MouseMove(Window(), {300, 200}, ssLeft);
    Screen.MouseUp(Window(), TMouseButton::mbLeft, {300, 200});
    App.ProcessMessages();
    faces.push_back(Shot(*Button));
    Button->SetEnabled(false);
    faces.push_back(Shot(*Button));
    EXPECT_TRUE(MatchesGolden(*Row(faces), "skin/button-faces"));
}
