#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/VirtualKeys.h"
#include "skin/TsuiButton.h"
#include "skin/TsuiPageControl.h"
#include "skin/TsuiTabSheet.h"
#include "tests/skin/SkinFixture.h"
#include "tests/support/GoldenImage.h"

// A page control with the settings dialog's size and three pages with a button each; the focus
// starts on the first page's button.
class SuiPageControlTest : public SkinTest {
protected:
    TsuiPageControl* Pages = nullptr;
    TsuiTabSheet* Page[3] = {};
    TsuiButton* Buttons[3] = {};
    std::vector<std::string> Entered;

    void SetUp() override
    {
        SkinTest::SetUp();
        Pages = Add<TsuiPageControl>(Form, TRect::FromSize(4, 4, 313, 230));
        const char* captions[] = {"Settings", "Help", "About"};
        for (int i = 0; i < 3; ++i) {
            Page[i] = new TsuiTabSheet(Form);
            Page[i]->SetCaption(captions[i]);
            Page[i]->SetPageControl(Pages);
            Page[i]->OnEnter = [this, i](TObject*) { Entered.push_back(Page[i]->Caption()); };
        }
        for (int i = 0; i < 3; ++i)
            Buttons[i] = Add<TsuiButton>(Page[i], {10, 10, 90, 30});
        ShowAndPaint(*Form);
        Buttons[0]->SetFocus();
        Entered.clear();
    }

    TPoint TabCentre(int Index)
    {
        const TRect r = Pages->TabRect(Index);
        const TPoint o = Pages->FormOrigin();
        return {o.X + (r.Left + r.Right) / 2, o.Y + (r.Top + r.Bottom) / 2};
    }

    // The key goes to the focused button, which leaves it to its parents.
    void CtrlTab(TShiftState Extra = 0) { Key(VK_TAB, ssCtrl | Extra); }

    void ExpectOnlyActive(int Index)
    {
        EXPECT_EQ(Pages->ActivePageIndex(), Index);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Page[i]->Visible(), i == Index) << "page " << i;
            EXPECT_EQ(Page[i]->Enabled(), i == Index) << "page " << i;
        }
    }
};

TEST_F(SuiPageControlTest, PagesInCreationOrderFirstActive)
{
    ASSERT_EQ(Pages->PageCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Pages->Pages(i), Page[i]);
    ExpectOnlyActive(0);
    EXPECT_EQ(Page[0]->BoundsRect(), TRect::FromSize(3, 37, 307, 190));
    EXPECT_EQ(Pages->TabRect(0).Left, 10);
    EXPECT_TRUE(Entered.empty());
    Pages->SetBounds(4, 4, 200, 150);
    EXPECT_EQ(Page[2]->BoundsRect(), TRect::FromSize(3, 37, 194, 110)) << "pages follow the control's size";
}

TEST_F(SuiPageControlTest, ClickOnATabActivatesItsPageAndEntersIt)
{
    ClickAt(TabCentre(1));
    ExpectOnlyActive(1);
    EXPECT_TRUE(Buttons[1]->Focused()) << "the focus goes to the page's first control";
    EXPECT_EQ(Entered, std::vector<std::string>{"Help"});
    ClickAt(TabCentre(1));
    EXPECT_EQ(Entered.size(), 1u) << "the active tab again changes nothing";
}

TEST_F(SuiPageControlTest, CtrlTabGoesRoundBothWays)
{
    CtrlTab();
    CtrlTab();
    ExpectOnlyActive(2);
    CtrlTab();
    ExpectOnlyActive(0);
    CtrlTab(ssShift);
    ExpectOnlyActive(2);
    EXPECT_EQ(Entered, (std::vector<std::string>{"Help", "About", "Settings", "About"}));
    EXPECT_TRUE(Buttons[2]->Focused());
}

TEST_F(SuiPageControlTest, PageWithoutFocusableControlsTakesTheFocusItself)
{
    Buttons[2]->SetEnabled(false);
    Pages->SelectNextPage(false);
    ExpectOnlyActive(2);
    EXPECT_TRUE(Page[2]->Focused());
    EXPECT_EQ(Entered, std::vector<std::string>{"About"});
}

TEST_F(SuiPageControlTest, MouseDownOnItsOwnSurfaceIsReportedWithTheButtons)
{
    std::vector<TShiftState> downs;
    Pages->OnMouseDown = [&](TObject*, TMouseButton, TShiftState Shift, int, int) { downs.push_back(Shift); };
    const TPoint o = Pages->FormOrigin();
    Screen.MouseDown(Window(), TMouseButton::mbLeft, {o.X + 250, o.Y + 5});
    Screen.MouseUp(Window(), TMouseButton::mbLeft, {o.X + 250, o.Y + 5});
    Screen.MouseDown(Window(), TMouseButton::mbRight, {o.X + 250, o.Y + 5}, ssRight);
    App.ProcessMessages();
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_TRUE(downs[0] & ssLeft);
    EXPECT_TRUE(downs[1] & ssRight);
    ExpectOnlyActive(0);
}

// Tabs without captions: the active one, a hovered one and a plain one, over the page frame.
TEST_F(SuiPageControlTest, TabsLookLikeTheGoldenPicture)
{
    for (TsuiTabSheet* p : Page)
        p->SetCaption("");
    Pages->SetActivePageIndex(1);
    Screen.MouseMove(Window(), TabCentre(2));
    auto shot = Shot(*Pages);
    TBitmap top(120, 50);
    top.Canvas().Draw(0, 0, *shot);
    EXPECT_TRUE(MatchesGolden(top, "skin/page-tabs"));
}
