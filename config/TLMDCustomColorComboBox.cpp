#include "config/TLMDCustomColorComboBox.h"

#include "platform/core/ColorNames.h"

namespace {

constexpr int StandardColorCount = 16;
constexpr size_t MaxCaptionLength = 100;

// The platform's focus rectangle: every other pixel of the outline inverted.
void DrawFocusRect(TCanvas& Canvas, const TRect& Rect)
{
    Canvas.Brush().Style = bsSolid;
    auto invert = [&](int32_t x, int32_t y) {
        Canvas.Brush().Color = PixelToColor(~Canvas.PixelAt(x, y) & 0xFFFFFF);
        Canvas.FillRect({x, y, x + 1, y + 1});
    };
    const TRect clip = Canvas.ClipRect();
    for (int32_t x = Rect.Left; x < Rect.Right; x += 2) {
        if (clip.Contains(x, Rect.Top))
            invert(x, Rect.Top);
        if (clip.Contains(x, Rect.Bottom - 1))
            invert(x, Rect.Bottom - 1);
    }
    for (int32_t y = Rect.Top + 2; y < Rect.Bottom - 1; y += 2) {
        if (clip.Contains(Rect.Left, y))
            invert(Rect.Left, y);
        if (clip.Contains(Rect.Right - 1, y))
            invert(Rect.Right - 1, y);
    }
}

}  // namespace

TLMDCustomColorComboBox::TLMDCustomColorComboBox(TComponent* Owner) : TLMDCustomComboBox(Owner)
{
    SetSorted(true);
    SetColor(clMenu);
    CreateColorList();
}

void TLMDCustomColorComboBox::SetOptions(TLMDColorComboOptions Value)
{
    if (Value == FOptions)
        return;
    FOptions = Value;
    if (!Loading())
        CreateColorList();
}

void TLMDCustomColorComboBox::SetDisplayStyle(TLMDColorDisplayStyle Value)
{
    if (Value == FDisplayStyle)
        return;
    FDisplayStyle = Value;
    Invalidate();
}

void TLMDCustomColorComboBox::Loaded()
{
    TLMDCustomComboBox::Loaded();
    CreateColorList();
}

int TLMDCustomColorComboBox::IndexOfColor(TColor Color) const
{
    for (int i = 0; i < ItemCount(); ++i)
        if (ItemColor(Items()[static_cast<size_t>(i)]) == Color)
            return i;
    return -1;
}

void TLMDCustomColorComboBox::CreateColorList()
{
    const bool hadSelection = ItemIndex() >= 0;
    const TColor remembered = hadSelection ? GetSelectedColor() : -1;
    ClearItems();
    for (int counter = 0; counter < ColorNameCount; ++counter) {
        const TColorName& entry = ColorNameAt(counter);
        if (entry.Value == clNone)
            continue;
        const bool wanted = counter < StandardColorCount ? (FOptions & coDefaultColors) != 0
                                                         : (FOptions & coSystemColors) != 0;
        if (wanted)
            AddItem(std::string(entry.Name));
    }
    if (hadSelection)
        SetItemIndex(IndexOfColor(remembered));
}

TColor TLMDCustomColorComboBox::GetSelectedColor() const
{
    const std::string text = Text();
    if (text.empty())
        return -1;
    return StringToColor(text).value_or(-1);
}

TColor TLMDCustomColorComboBox::ItemColor(const std::string& Text)
{
    if (!Text.empty() && Text[0] == '$')
        return StringToColor(Text).value_or(clNone);
    return IdentToColor(Text).value_or(clNone);
}

std::string TLMDCustomColorComboBox::ShownName(const std::string& Text)
{
    if (!Text.empty() && Text[0] == 'c')
        return Text.size() > 2 ? Text.substr(2, MaxCaptionLength) : std::string();
    return Text;
}

std::string TLMDCustomColorComboBox::ItemCaption(int Index) const
{
    return Index >= 0 && Index < ItemCount() ? ShownName(Items()[static_cast<size_t>(Index)]) : std::string();
}

void TLMDCustomColorComboBox::DrawItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (Index < 0 || Index >= ItemCount())
        return;
    const bool selected = (State & odSelected) != 0;
    Canvas.Brush().Style = bsSolid;
    Canvas.Brush().Color = selected ? clHighlight : Color();
    Canvas.FillRect(Rect);
    if (State & odFocused)
        DrawFocusRect(Canvas, Rect);

    const std::string& text = Items()[static_cast<size_t>(Index)];
    const TColor color = ItemColor(text);
    if (color == clNone)
        return;
    const int32_t h = Rect.Height();
    if (FDisplayStyle != csText) {
        const TRect swatch = FDisplayStyle == csColor ? TRect{Rect.Left + 4, Rect.Top + 2, Rect.Right - 4, Rect.Bottom - 2}
                                                      : TRect{Rect.Left + 4, Rect.Top + 2, Rect.Left + h + 8, Rect.Bottom - 2};
        Canvas.Pen().Color = clBlack;
        Canvas.Pen().Style = psSolid;
        Canvas.Pen().Width = 1;
        Canvas.Brush().Color = color;
        Canvas.Rectangle(swatch);
        if (FDisplayStyle == csColor3DText) {
            Canvas.Brush().Color = clBtnShadow;
            Canvas.FillRect({swatch.Left + 1, swatch.Bottom, swatch.Right + 1, swatch.Bottom + 1});
            Canvas.FillRect({swatch.Right, swatch.Top + 1, swatch.Right + 1, swatch.Bottom});
        }
    }
    if (FDisplayStyle == csColor)
        return;
    TFontSpec font = Font().Description();
    font.Color = selected ? clHighlightText : (State & odDisabled) ? clInactiveCaption : font.Color;
    Canvas.Font() = font;
    const int32_t x = FDisplayStyle == csText ? Rect.Left + 4 : Rect.Left + h + 14;
    const TRect saved = Canvas.ClipRect();
    Canvas.SetClipRect(saved.Intersected(Rect));
    Canvas.TextOut(x, Rect.Top + 2, ShownName(text));
    Canvas.SetClipRect(saved);
}
