#include <gtest/gtest.h>

#include "framework/VirtualKeys.h"
#include "skin/TsuiPanel.h"
#include "skin/TsuiRadioButton.h"
#include "tests/skin/SkinFixture.h"
#include "tests/support/GoldenImage.h"

// Three radio buttons in one panel and one in another.
class SuiRadioButtonTest : public SkinTest {
protected:
    TsuiRadioButton* Radio[3] = {};
    TsuiRadioButton* Other = nullptr;
    int Clicks = 0;

    void SetUp() override
    {
        SkinTest::SetUp();
        auto* panel = Add<TsuiPanel>(Form, {8, 8, 297, 88});
        auto* second = Add<TsuiPanel>(Form, {8, 100, 297, 180});
        for (int i = 0; i < 3; ++i) {
            Radio[i] = Add<TsuiRadioButton>(panel, TRect::FromSize(10 + 90 * i, 40, 81, 21));
            Radio[i]->OnClick = [this](TObject*) { ++Clicks; };
        }
        Other = Add<TsuiRadioButton>(second, {10, 40, 91, 61});
        Other->SetChecked(true);
        ShowAndPaint(*Form);
    }

    int CheckedIndex() const
    {
        int found = -1;
        for (int i = 0; i < 3; ++i)
            if (Radio[i]->Checked()) {
                EXPECT_EQ(found, -1) << "two radio buttons of one group are checked";
                found = i;
            }
        return found;
    }
};

TEST_F(SuiRadioButtonTest, ClickAnywhereChecksOneOfTheGroupOnly)
{
    EXPECT_EQ(CheckedIndex(), -1);
    ClickAt(Centre(*Radio[1]));
    EXPECT_EQ(CheckedIndex(), 1);
    // The far right end of the rectangle, past the caption, counts too.
    const TPoint o = Radio[2]->FormOrigin();
    ClickAt({o.X + Radio[2]->Width() - 1, o.Y + Radio[2]->Height() - 1});
    EXPECT_EQ(CheckedIndex(), 2);
    EXPECT_EQ(Clicks, 2);
    EXPECT_TRUE(Other->Checked()) << "a radio button in another parent is another group";
}

TEST_F(SuiRadioButtonTest, SpaceChecksAndArrowsMoveRoundTheGroup)
{
    Radio[0]->SetFocus();
    Key(VK_SPACE);
    EXPECT_EQ(CheckedIndex(), 0);
    const struct { uint16_t key; int checked; } steps[] = {
        {VK_DOWN, 1}, {VK_RIGHT, 2}, {VK_DOWN, 0}, {VK_UP, 2}, {VK_LEFT, 1},
    };
    for (const auto& s : steps) {
        Key(s.key);
        EXPECT_EQ(CheckedIndex(), s.checked) << "key " << s.key;
        EXPECT_TRUE(Radio[s.checked]->Focused());
    }
}

TEST_F(SuiRadioButtonTest, DisabledButtonsAreSkippedAndNotChecked)
{
    Radio[1]->SetEnabled(false);
    ClickAt(Centre(*Radio[1]));
    EXPECT_EQ(CheckedIndex(), -1);
    Radio[0]->SetFocus();
    Key(VK_DOWN);
    EXPECT_EQ(CheckedIndex(), 2);
}

// Unchecked and checked, each plain, hovered and disabled, without captions. Each picture is
// taken of a button the pointer has not been over before.
TEST_F(SuiRadioButtonTest, MarksLookLikeTheGoldenPicture)
{
    for (TsuiRadioButton* r : {Radio[0], Radio[1], Radio[2], Other})
        r->SetBounds(r->Left(), r->Top(), 17, 17);
    std::vector<std::unique_ptr<TBitmap>> marks;
    marks.push_back(Shot(*Radio[0]));
    Screen.MouseMove(Window(), Centre(*Radio[1]));
    marks.push_back(Shot(*Radio[1]));
    Radio[0]->SetEnabled(false);
    marks.push_back(Shot(*Radio[0]));
    marks.push_back(Shot(*Other));
    Radio[2]->SetChecked(true);
    Screen.MouseMove(Window(), Centre(*Radio[2]));
    marks.push_back(Shot(*Radio[2]));
    Other->SetEnabled(false);
    marks.push_back(Shot(*Other));
    EXPECT_TRUE(MatchesGolden(*Row(marks), "skin/radio-marks"));
}
