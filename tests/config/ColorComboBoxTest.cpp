#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/TLMDColorComboBox.h"
#include "config/TLMDComboList.h"
#include "platform/Platform.h"
#include "platform/gfx/IFontEngine.h"
#include "skin/SkinKeys.h"
#include "tests/framework/FrameworkFixture.h"
#include "tests/support/GoldenImage.h"

namespace {

const std::vector<std::string> SortedNames = {"Aqua", "Black", "Blue",  "Fuchsia", "Gray",   "Green", "Lime",  "Maroon",
                                              "Navy", "Olive", "Purple", "Red",    "Silver", "Teal",  "White", "Yellow"};

}  // namespace

// The chooser as the settings dialog places it, on a form with room for its open list.
class ColorComboBoxTest : public FrameworkTest {
protected:
    TTestForm* Form = nullptr;
    TLMDColorComboBox* Box = nullptr;

    void SetUp() override
    {
        Form = App.CreateForm<TTestForm>();
        Form->SetBounds(0, 0, 200, 200);
        Form->SetColor(clWhite);
        Box = new TLMDColorComboBox(Form);
        Box->BeginLoading();
        Box->SetBounds(16, 10, 121, 21);
        Box->SetOptions(coDefaultColors);
        Box->SetParent(Form);
        Box->Loaded();
    }

    int IndexOf(const std::string& Caption) const
    {
        for (int i = 0; i < Box->ItemCount(); ++i)
            if (Box->ItemCaption(i) == Caption)
                return i;
        return -1;
    }

    void Key(uint16_t Key, TShiftState Shift = 0)
    {
        Screen.KeyDown(Form->Handle(), Key, Shift);
        App.ProcessMessages();
    }

    int32_t TextHeight() { return CurrentPlatform().Fonts->TextExtent("", Box->Font().Spec()).Height; }
};

TEST_F(ColorComboBoxTest, ListsTheSixteenStandardColoursSortedByName)
{
    std::vector<std::string> shown;
    for (int i = 0; i < Box->ItemCount(); ++i)
        shown.push_back(Box->ItemCaption(i));
    EXPECT_EQ(shown, SortedNames);
    for (const std::string& item : Box->Items()) {
        EXPECT_NE(item, "clNone");
        EXPECT_FALSE(IsSystemColor(TLMDCustomColorComboBox::ItemColor(item))) << item;
    }
}

TEST_F(ColorComboBoxTest, SelectedColourIsTheEntrysValueOrMinusOne)
{
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->GetSelectedColor(), -1);
    const struct { const char* caption; TColor value; } cases[] = {
        {"Red", 255}, {"Fuchsia", 16711935}, {"Black", 0}, {"Aqua", 0x00FFFF00}, {"Yellow", 0x0000FFFF},
    };
    for (const auto& c : cases) {
        Box->SetItemIndex(IndexOf(c.caption));
        EXPECT_EQ(Box->GetSelectedColor(), c.value) << c.caption;
    }
    Box->SetItemIndex(99);
    EXPECT_EQ(Box->GetSelectedColor(), -1);
}

TEST_F(ColorComboBoxTest, OptionsChooseTheTableRowsAndKeepTheSelectedColour)
{
    Box->SetItemIndex(IndexOf("Red"));
    Box->SetOptions(coDefaultColors | coSystemColors);
    // Every name of the table but clNone.
    EXPECT_EQ(Box->ItemCount(), 51);
    EXPECT_EQ(Box->GetSelectedColor(), clRed);
    EXPECT_EQ(Box->Text(), "clRed");
    for (const std::string& item : Box->Items())
        EXPECT_NE(item, "clNone");

    Box->SetOptions(coSystemColors);
    EXPECT_EQ(Box->ItemCount(), 35);
    EXPECT_EQ(Box->ItemIndex(), -1) << "red is no longer listed";

    Box->SetOptions(0);
    EXPECT_EQ(Box->ItemCount(), 0);
    EXPECT_EQ(Box->GetSelectedColor(), -1);
}

TEST_F(ColorComboBoxTest, EntryShowsSwatchThenCaptionAtTheirPlaces)
{
    TBitmap picture(100, 20);
    const int red = IndexOf("Red");
    Box->DrawItem(picture.Canvas(), red, {0, 0, 100, 20}, 0);
    const TPixel back = ColorToPixel(clMenu);
    const TPixel outline = ColorToPixel(clBlack);
    // The swatch covers (4, 2)-(28, 18): outlined in black, filled with the colour.
    EXPECT_EQ(picture.Pixel(4, 2), outline);
    EXPECT_EQ(picture.Pixel(27, 17), outline);
    EXPECT_EQ(picture.Pixel(10, 10), ColorToPixel(clRed));
    EXPECT_EQ(picture.Pixel(3, 10), back);
    EXPECT_EQ(picture.Pixel(28, 10), back);
    EXPECT_EQ(picture.Pixel(10, 18), back);
    // The caption starts at x 34: nothing is drawn between the swatch and there, and text is.
    bool textAfter = false;
    for (int32_t y = 0; y < 20; ++y) {
        for (int32_t x = 28; x < 34; ++x)
            EXPECT_EQ(picture.Pixel(x, y), back) << "(" << x << ", " << y << ")";
        for (int32_t x = 34; x < 40; ++x)
            textAfter = textAfter || picture.Pixel(x, y) != back;
    }
    EXPECT_TRUE(textAfter);
}

TEST_F(ColorComboBoxTest, SelectedEntryIsHighlightedAndNoEntryDrawsNothing)
{
    TBitmap picture(60, 20);
    Box->DrawItem(picture.Canvas(), -1, {0, 0, 60, 20}, odSelected);
    EXPECT_EQ(picture.Pixel(1, 1), ColorToPixel(clWhite));
    Box->DrawItem(picture.Canvas(), IndexOf("Navy"), {0, 0, 60, 20}, odSelected);
    EXPECT_EQ(picture.Pixel(1, 1), ColorToPixel(clHighlight));
    EXPECT_EQ(picture.Pixel(10, 10), ColorToPixel(clNavy));
}

TEST_F(ColorComboBoxTest, HeightsFollowTheFont)
{
    EXPECT_EQ(Box->ItemHeight(), TextHeight() + 2);
    EXPECT_EQ(Box->Height(), TextHeight() + 11);
    Box->Font().SetHeight(20);
    EXPECT_EQ(Box->ItemHeight(), TextHeight() + 2);
    EXPECT_EQ(Box->Height(), TextHeight() + 11);
}

TEST_F(ColorComboBoxTest, NavigationKeysMoveAndClampTheSelection)
{
    using namespace SkinKey;
    // Index 0 Aqua, 1 Black, 2 Blue, ... 13 Teal, 14 White, 15 Yellow; a page is 7 entries.
    const struct { int from; uint16_t key; int to; } cases[] = {
        {-1, Down, 0},   {-1, Up, 0},    {0, Up, 0},       {15, Down, 15},  {3, Down, 4},  {3, Right, 4},
        {3, Left, 2},    {-1, Home, 0},  {7, Home, 0},     {-1, End, 15},   {2, End, 15},  {3, Next, 10},
        {12, Next, 15},  {-1, Next, 7},  {12, Prior, 5},   {3, Prior, 0},   {-1, Prior, 0},
        {-1, 'B', 1},    {1, 'B', 2},    {2, 'B', 1},      {14, 'Y', 15},   {15, 'A', 0},  {4, 'G', 5},
        {5, 'G', 4},     {-1, 'Q', -1},  {6, 'Q', 6},      {6, '7', 6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Box->NavigateIndex(c.from, c.key), c.to) << "from " << c.from << " key " << c.key;
}

TEST_F(ColorComboBoxTest, KeysInTheClosedBoxChangeTheSelectionAtOnce)
{
    int changes = 0;
    Box->OnChange = [&](TObject*) { ++changes; };
    ShowAndPaint(*Form);
    Box->SetFocus();
    Key(SkinKey::Down);
    EXPECT_EQ(Box->ItemCaption(Box->ItemIndex()), "Aqua");
    Key('R');
    EXPECT_EQ(Box->GetSelectedColor(), clRed);
    Key(SkinKey::End);
    EXPECT_EQ(Box->ItemCaption(Box->ItemIndex()), "Yellow");
    Key(SkinKey::Down);
    EXPECT_EQ(Box->ItemCaption(Box->ItemIndex()), "Yellow");
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(Box->DroppedDown());
}

TEST_F(ColorComboBoxTest, OpenListTakesEnterOrDropsWithEscape)
{
    ShowAndPaint(*Form);
    Box->SetFocus();
    Key(SkinKey::F4);
    ASSERT_TRUE(Box->DroppedDown());
    EXPECT_TRUE(Box->List().Visible());
    EXPECT_EQ(Box->List().VisibleCount(), 8);
    EXPECT_TRUE(Box->List().HasScrollBar());
    Key(SkinKey::Down);
    Key(SkinKey::Down);
    EXPECT_EQ(Box->ItemIndex(), -1) << "the open list only highlights";
    Key(SkinKey::Return);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemCaption(Box->ItemIndex()), "Black");

    Key(SkinKey::Down, ssAlt);
    ASSERT_TRUE(Box->DroppedDown());
    Key(SkinKey::End);
    Key(SkinKey::Escape);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemCaption(Box->ItemIndex()), "Black");
}

TEST_F(ColorComboBoxTest, ClickOnAnEntryChoosesItAndWheelScrolls)
{
    ShowAndPaint(*Form);
    const TNativeWindow w = Form->Handle();
    Screen.MouseDown(w, TMouseButton::mbLeft, {60, 20});
    Screen.MouseUp(w, TMouseButton::mbLeft, {60, 20});
    App.ProcessMessages();
    ASSERT_TRUE(Box->DroppedDown());
    TLMDComboList& list = Box->List();
    const TPoint o = list.FormOrigin();

    Screen.Wheel(w, -120, {o.X + 20, o.Y + 10});
    App.ProcessMessages();
    EXPECT_EQ(list.TopIndex(), 3);
    Screen.Wheel(w, -360, {o.X + 20, o.Y + 10});
    App.ProcessMessages();
    EXPECT_EQ(list.TopIndex(), 8) << "the list stops at its last page";

    // The third entry shown is index 10, Purple.
    const TPoint third{o.X + 20, o.Y + 1 + 2 * Box->ItemHeight() + 2};
    Screen.MouseMove(w, third);
    Screen.MouseDown(w, TMouseButton::mbLeft, third);
    Screen.MouseUp(w, TMouseButton::mbLeft, third);
    App.ProcessMessages();
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->GetSelectedColor(), clPurple);
}

TEST_F(ColorComboBoxTest, OpenListLooksLikeTheGoldenPicture)
{
    Box->SetItemIndex(IndexOf("Green"));
    ShowAndPaint(*Form);
    Box->SetDroppedDown(true);
    App.ProcessMessages();
    const TRect r = Box->BoundsRect().United(Box->List().BoundsRect());
    TBitmap picture(r.Width(), r.Height());
    picture.Canvas().Draw(-r.Left, -r.Top, Screen.Pixels(Form->Handle()));
    EXPECT_TRUE(MatchesGolden(picture, "config/colorlist-open-" + CurrentPlatform().Fonts->RasterizerName()));
}
