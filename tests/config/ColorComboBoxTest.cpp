#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/TLMDColorComboBox.h"
#include "config/TLMDComboList.h"
#include "framework/PopupWindow.h"
#include "platform/Platform.h"
#include "platform/gfx/IFontEngine.h"
#include "framework/VirtualKeys.h"
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

    int32_t TextHeight() { return CurrentPlatform().Fonts->TextExtent("", Box->Font().Description()).Height; }

    void ClickAt(TPoint Point)
    {
        Screen.MouseMove(Form->Handle(), Point);
        Screen.MouseDown(Form->Handle(), TMouseButton::mbLeft, Point);
        Screen.MouseUp(Form->Handle(), TMouseButton::mbLeft, Point);
        App.ProcessMessages();
    }

    // What the form shows of Control now.
    std::unique_ptr<TBitmap> Shot(const TControl& Control)
    {
        const TPoint o = Control.FormOrigin();
        auto picture = std::make_unique<TBitmap>(Control.Width(), Control.Height());
        picture->Canvas().Draw(-o.X, -o.Y, Screen.Pixels(Form->Handle()));
        return picture;
    }
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
    Box->SetBounds(16, 10, 121, 21);
    EXPECT_EQ(Box->Height(), TextHeight() + 11) << "the font decides the height";
    Box->Font().SetHeight(20);
    EXPECT_EQ(Box->ItemHeight(), TextHeight() + 2);
    EXPECT_EQ(Box->Height(), TextHeight() + 11);
}

TEST_F(ColorComboBoxTest, EntriesThatAreNoNamesGiveTheirNumberOrMinusOne)
{
    Box->SetOptions(0);
    const struct { const char* text; TColor value; } cases[] = {
        {"$000080FF", 0x000080FF}, {"12345", 12345}, {"-2", -2}, {"Crimson", -1}, {"$", -1}, {"99999999999", -1},
    };
    for (const auto& c : cases) {
        Box->ClearItems();
        Box->SetItemIndex(Box->AddItem(c.text));
        EXPECT_EQ(Box->GetSelectedColor(), c.value) << c.text;
    }
    // A hexadecimal entry shows its swatch; a text that names no colour shows nothing.
    TBitmap picture(60, 20);
    Box->ClearItems();
    Box->AddItem("$00FF0000");
    Box->AddItem("Crimson");
    Box->DrawItem(picture.Canvas(), 0, {0, 0, 60, 20}, 0);
    EXPECT_EQ(picture.Pixel(10, 10), ColorToPixel(clBlue));
    picture.Canvas().Brush().Color = clWhite;
    picture.Canvas().FillRect(picture.BoundsRect());
    Box->DrawItem(picture.Canvas(), 1, {0, 0, 60, 20}, 0);
    EXPECT_EQ(picture.Pixel(10, 10), ColorToPixel(clMenu));
    EXPECT_EQ(picture.Pixel(40, 10), ColorToPixel(clMenu));
}

TEST_F(ColorComboBoxTest, NavigationKeysMoveAndClampTheSelection)
{
    // Index 0 Aqua, 1 Black, 2 Blue, ... 13 Teal, 14 White, 15 Yellow; a page is 7 entries.
    const struct { int from; uint16_t key; int to; } cases[] = {
        {-1, VK_DOWN, 0},  {-1, VK_UP, 0},   {0, VK_UP, 0},      {15, VK_DOWN, 15}, {3, VK_DOWN, 4},
        {3, VK_RIGHT, 4},  {3, VK_LEFT, 2},  {-1, VK_HOME, 0},   {7, VK_HOME, 0},   {-1, VK_END, 15},
        {2, VK_END, 15},   {3, VK_NEXT, 10}, {12, VK_NEXT, 15},  {-1, VK_NEXT, 7},  {12, VK_PRIOR, 5},
        {3, VK_PRIOR, 0},  {-1, VK_PRIOR, 0}, {-1, 'B', 1},      {1, 'B', 2},       {2, 'B', 1},
        {14, 'Y', 15},     {15, 'A', 0},     {4, 'G', 5},        {5, 'G', 4},       {-1, 'Q', -1},
        {6, 'Q', 6},       {6, '7', 6},
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
    Key(VK_DOWN);
    EXPECT_EQ(Box->ItemCaption(Box->ItemIndex()), "Aqua");
    Key('R');
    EXPECT_EQ(Box->GetSelectedColor(), clRed);
    Key(VK_END);
    EXPECT_EQ(Box->ItemCaption(Box->ItemIndex()), "Yellow");
    Key(VK_DOWN);
    EXPECT_EQ(Box->ItemCaption(Box->ItemIndex()), "Yellow");
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(Box->DroppedDown());
}

TEST_F(ColorComboBoxTest, OpenListTakesEnterOrDropsWithEscape)
{
    ShowAndPaint(*Form);
    Box->SetFocus();
    Key(VK_F4);
    ASSERT_TRUE(Box->DroppedDown());
    EXPECT_TRUE(Box->List().Visible());
    EXPECT_EQ(Box->List().VisibleCount(), 8);
    EXPECT_TRUE(Box->List().HasScrollBar());
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Box->ItemIndex(), -1) << "the open list only highlights";
    Key(VK_RETURN);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemCaption(Box->ItemIndex()), "Black");

    Key(VK_DOWN, ssAlt);
    ASSERT_TRUE(Box->DroppedDown());
    Key(VK_END);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->ItemCaption(Box->ItemIndex()), "Black");
}

TEST_F(ColorComboBoxTest, OpenListOpensBelowTheBoxAndAClickOutsideClosesIt)
{
    Form->SetBounds(100, 50, 200, 200);
    ShowAndPaint(*Form);
    ClickAt({60, 20});
    ASSERT_TRUE(Box->DroppedDown());
    TPopupWindow* popup = Box->ListWindow();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->IsOpen());
    const TPoint client = Form->ClientOrigin();
    EXPECT_EQ(popup->BoundsRect(), TRect::FromSize(client.X + 16, client.Y + 10 + Box->Height(), 121,
                                                   8 * Box->ItemHeight() + 2));
    Screen.MouseDown(popup->Handle(), TMouseButton::mbLeft, {-50, -50});
    App.ProcessMessages();
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(Box->ItemIndex(), -1);
    ClickAt({60, 20});
    EXPECT_TRUE(Box->DroppedDown()) << "the box opens again";
    ClickAt({60, 20});
    EXPECT_FALSE(Box->DroppedDown()) << "a click on the box closes the open list";
}

TEST_F(ColorComboBoxTest, ClickOnAnEntryChoosesItAndWheelScrolls)
{
    ShowAndPaint(*Form);
    ClickAt({60, 20});
    ASSERT_TRUE(Box->DroppedDown());
    TLMDComboList& list = Box->List();
    const TNativeWindow popup = Box->ListWindow()->Handle();

    Screen.Wheel(Form->Handle(), -120, {20, 10});
    App.ProcessMessages();
    EXPECT_EQ(list.TopIndex(), 3);
    Screen.Wheel(Form->Handle(), -360, {20, 10});
    App.ProcessMessages();
    EXPECT_EQ(list.TopIndex(), 8) << "the list stops at its last page";

    // The third entry shown is index 10, Purple.
    const TPoint third{20, 1 + 2 * Box->ItemHeight() + 2};
    Screen.MouseMove(popup, third);
    Screen.MouseDown(popup, TMouseButton::mbLeft, third);
    Screen.MouseUp(popup, TMouseButton::mbLeft, third);
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
    const std::unique_ptr<TBitmap> box = Shot(*Box);
    const TBitmap& list = Screen.Pixels(Box->ListWindow()->Handle());
    TBitmap picture(box->Width(), box->Height() + list.Height());
    picture.Canvas().Draw(0, 0, *box);
    picture.Canvas().Draw(0, box->Height(), list);
    EXPECT_TRUE(MatchesGolden(picture, "config/colorlist-open-" + CurrentPlatform().Fonts->RasterizerName()));
}
