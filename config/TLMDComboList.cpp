#include "config/TLMDComboList.h"

#include <algorithm>

#include "config/TLMDCustomComboBox.h"
#include "skin/SkinBitmaps.h"

namespace {

constexpr int32_t Border = 1;
constexpr int32_t ScrollBarWidth = 16;
constexpr int32_t MinThumb = 10;
constexpr TColor BorderColor = 0x00646464;
constexpr TColor TrackColor = 0x00F0F0F0;
constexpr TColor ArrowColor = 0x005A4634;

// A small triangle pointing up or down, centred in Box.
void DrawArrow(TCanvas& Canvas, const TRect& Box, bool Up)
{
    Canvas.Brush().Style = bsSolid;
    Canvas.Brush().Color = ArrowColor;
    const int32_t x = Box.Left + (Box.Width() - 7) / 2;
    const int32_t y = Box.Top + (Box.Height() - 4) / 2;
    for (int32_t row = 0; row < 4; ++row) {
        const int32_t inset = Up ? 3 - row : row;
        Canvas.FillRect({x + inset, y + row, x + 7 - inset, y + row + 1});
    }
}

}  // namespace

TLMDComboList::TLMDComboList(TComponent* Owner, TLMDCustomComboBox& Combo) : TWinControl(Owner), FCombo(Combo)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    SetParentColor(false);
}

int TLMDComboList::VisibleCount() const { return std::max(1, std::min(FCombo.ItemCount(), FCombo.DropDownCount())); }

bool TLMDComboList::HasScrollBar() const { return FCombo.ItemCount() > FCombo.DropDownCount(); }

TRect TLMDComboList::ListBounds(int32_t Width) const
{
    return {0, 0, Width, VisibleCount() * FCombo.ItemHeight() + 2 * Border};
}

int TLMDComboList::MaxTopIndex() const { return std::max(0, FCombo.ItemCount() - FCombo.DropDownCount()); }

void TLMDComboList::SetTopIndex(int Value)
{
    Value = std::clamp(Value, 0, MaxTopIndex());
    if (Value == FTopIndex)
        return;
    FTopIndex = Value;
    Invalidate();
}

void TLMDComboList::SetHotIndex(int Value)
{
    if (Value < -1 || Value >= FCombo.ItemCount())
        Value = -1;
    if (Value >= 0) {
        if (Value < FTopIndex)
            SetTopIndex(Value);
        else if (Value >= FTopIndex + FCombo.DropDownCount())
            SetTopIndex(Value - FCombo.DropDownCount() + 1);
    }
    if (Value == FHotIndex)
        return;
    FHotIndex = Value;
    Invalidate();
}

void TLMDComboList::ScrollBy(int Lines) { SetTopIndex(FTopIndex + Lines); }

TRect TLMDComboList::ItemsRect() const
{
    return {Border, Border, Width() - Border - (HasScrollBar() ? ScrollBarWidth : 0), Height() - Border};
}

int TLMDComboList::ItemAt(TPoint Point) const
{
    const TRect items = ItemsRect();
    if (!items.Contains(Point) || FCombo.ItemHeight() <= 0)
        return -1;
    const int i = FTopIndex + (Point.Y - items.Top) / FCombo.ItemHeight();
    return i < FCombo.ItemCount() ? i : -1;
}

TRect TLMDComboList::ScrollBarRect() const
{
    if (!HasScrollBar())
        return {};
    return {Width() - Border - ScrollBarWidth, Border, Width() - Border, Height() - Border};
}

TRect TLMDComboList::ThumbRect() const
{
    const TRect bar = ScrollBarRect();
    if (bar.IsEmpty())
        return {};
    const int32_t track = bar.Height() - 2 * ScrollBarWidth;
    const int count = FCombo.ItemCount();
    const int shown = FCombo.DropDownCount();
    const int32_t size = std::max(MinThumb, track * shown / count);
    const int32_t top = MaxTopIndex() > 0 ? (track - size) * FTopIndex / MaxTopIndex() : 0;
    return {bar.Left, bar.Top + ScrollBarWidth + top, bar.Right, bar.Top + ScrollBarWidth + top + size};
}

void TLMDComboList::Paint()
{
    TCanvas& canvas = Canvas();
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = BorderColor;
    canvas.FillRect(ClientRect());
    const TRect items = ItemsRect();
    canvas.Brush().Color = FCombo.Color();
    canvas.FillRect(items);
    const int32_t h = FCombo.ItemHeight();
    const TRect saved = canvas.ClipRect();
    canvas.SetClipRect(saved.Intersected(items));
    for (int i = FTopIndex; i < FCombo.ItemCount() && i < FTopIndex + FCombo.DropDownCount(); ++i) {
        const TRect r{items.Left, items.Top + (i - FTopIndex) * h, items.Right, items.Top + (i - FTopIndex + 1) * h};
        FCombo.DrawItem(canvas, i, r, i == FHotIndex ? odSelected : 0);
    }
    canvas.SetClipRect(saved);
    DrawScrollBar(canvas);
}

void TLMDComboList::DrawScrollBar(TCanvas& Canvas)
{
    const TRect bar = ScrollBarRect();
    if (bar.IsEmpty())
        return;
    Canvas.Brush().Style = bsSolid;
    Canvas.Brush().Color = TrackColor;
    Canvas.FillRect(bar);
    const TRect up{bar.Left, bar.Top, bar.Right, bar.Top + ScrollBarWidth};
    const TRect down{bar.Left, bar.Bottom - ScrollBarWidth, bar.Right, bar.Bottom};
    DrawSkinStretched(Canvas, TSkinPiece::ButtonNormal, up);
    DrawSkinStretched(Canvas, TSkinPiece::ButtonNormal, down);
    DrawArrow(Canvas, up, true);
    DrawArrow(Canvas, down, false);
    DrawSkinStretched(Canvas, FDraggingThumb ? TSkinPiece::ButtonPressed : TSkinPiece::ButtonNormal, ThumbRect());
}

void TLMDComboList::ScrollBarPress(TPoint Point)
{
    const TRect bar = ScrollBarRect();
    const TRect thumb = ThumbRect();
    if (Point.Y < bar.Top + ScrollBarWidth)
        ScrollBy(-1);
    else if (Point.Y >= bar.Bottom - ScrollBarWidth)
        ScrollBy(1);
    else if (Point.Y < thumb.Top)
        ScrollBy(-(FCombo.DropDownCount() - 1));
    else if (Point.Y >= thumb.Bottom)
        ScrollBy(FCombo.DropDownCount() - 1);
    else {
        FDraggingThumb = true;
        FDragOffset = Point.Y - thumb.Top;
        Invalidate();
    }
}

void TLMDComboList::DragThumb(int32_t Y)
{
    const TRect bar = ScrollBarRect();
    const TRect thumb = ThumbRect();
    const int32_t room = bar.Height() - 2 * ScrollBarWidth - thumb.Height();
    if (room <= 0)
        return;
    const int32_t top = Y - FDragOffset - (bar.Top + ScrollBarWidth);
    SetTopIndex((top * MaxTopIndex() + room / 2) / room);
}

void TLMDComboList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && ScrollBarRect().Contains(X, Y))
        ScrollBarPress({X, Y});
    TWinControl::MouseDown(Button, Shift, X, Y);
}

void TLMDComboList::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FDraggingThumb)
        DragThumb(Y);
    else if (const int i = ItemAt({X, Y}); i >= 0)
        SetHotIndex(i);
    TWinControl::MouseMove(Shift, X, Y);
}

void TLMDComboList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TWinControl::MouseUp(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft)
        return;
    if (FDraggingThumb) {
        FDraggingThumb = false;
        Invalidate();
        return;
    }
    const int i = ItemAt({X, Y});
    if (i >= 0)
        FCombo.ChooseFromList(i);
}

bool TLMDComboList::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TWinControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    ScrollBy(-(WheelDelta / 120) * 3);
    return true;
}
