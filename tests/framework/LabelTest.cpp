#include <gtest/gtest.h>

#include "framework/Label.h"
#include "framework/Layout.h"
#include "platform/gfx/IFontEngine.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

TSize ExtentOf(const std::string& Text, const TFontSpec& Font) { return CurrentPlatform().Fonts->TextExtent(Text, Font); }

class TLabelForm : public TTestForm {
public:
    TLabel* Label1 = nullptr;
    TSize SizeAtConstructor;
    explicit TLabelForm(TComponent* Owner) : TTestForm(Owner)
    {
        LoadLayout(*this, TLayout<TLabelForm>{Element(&TLabelForm::Label1, "Label1", "",
                                                      {Set(&TControl::SetLeft, 4), Set(&TControl::SetTop, 6),
                                                       Set(&TControl::SetWidth, 3), Set(&TLabel::SetCaption, "Host name"),
                                                       [](TLabel& l) { l.Font().SetHeight(14); },
                                                       Set(&TLabel::SetTransparent, true)})});
        SizeAtConstructor = {Label1->Width(), Label1->Height()};
    }
};

// Counts the pixels of Rect in Picture that differ from Background.
int Marked(const TBitmap& Picture, const TRect& Rect, TColor Background)
{
    int n = 0;
    for (int y = Rect.Top; y < Rect.Bottom; ++y)
        for (int x = Rect.Left; x < Rect.Right; ++x)
            n += Picture.Pixel(x, y) != ColorToPixel(Background);
    return n;
}

}  // namespace

using Labels = FrameworkTest;

TEST_F(Labels, SizeFollowsTheTextOnceLoadedAndAfterEachChange)
{
    ASSERT_NE(CurrentPlatform().Fonts, nullptr);
    auto* form = App.CreateForm<TLabelForm>();
    TLabel* label = form->Label1;
    TFontSpec font;
    font.Height = 14;
    const TSize loaded = ExtentOf("Host name", font);
    EXPECT_EQ(form->SizeAtConstructor, loaded);
    EXPECT_EQ(label->Left(), 4);

    label->SetCaption("Host name: a much longer line");
    EXPECT_EQ(label->Width(), ExtentOf("Host name: a much longer line", font).Width);
    label->Font().SetHeight(20);
    font.Height = 20;
    EXPECT_EQ(label->Height(), ExtentOf("Host name: a much longer line", font).Height);
    label->SetAutoSize(false);
    label->SetCaption("x");
    EXPECT_EQ(label->Height(), ExtentOf("Host name: a much longer line", font).Height) << "a fixed size stays";
}

TEST_F(Labels, TransparentLabelDrawsOnlyItsTextOpaqueOneFillsWithItsColour)
{
    const struct { bool transparent; bool opaqueFlag; } cases[] = {{true, false}, {false, true}};
    for (const auto& c : cases) {
        auto* form = App.CreateForm<TTestForm>();
        form->SetBounds(0, 0, 160, 40);
        auto* label = new TLabel(form);
        label->SetParent(form);
        label->SetBounds(10, 10, 0, 0);
        label->SetTransparent(c.transparent);
        label->SetColor(clNavy);
        label->Font().SetColor(clLime);
        label->Font().SetHeight(16);
        label->SetCaption("Quorvel 88");
        EXPECT_EQ(label->Opaque(), c.opaqueFlag);
        ShowAndPaint(*form);
        const TBitmap& shown = Screen.Pixels(form->Handle());
        const TRect box = label->BoundsRect();
        int navy = 0, lime = 0;
        for (int y = box.Top; y < box.Bottom; ++y)
            for (int x = box.Left; x < box.Right; ++x) {
                navy += shown.Pixel(x, y) == ColorToPixel(clNavy);
                lime += shown.Pixel(x, y) == ColorToPixel(clLime);
            }
        EXPECT_GT(lime, 0) << "transparent: " << c.transparent;
        EXPECT_EQ(navy > 0, !c.transparent) << "transparent: " << c.transparent;
        EXPECT_EQ(Marked(shown, {0, 0, 160, box.Top}, clBlack), 0) << "nothing above the label";
        delete form;
    }
}
