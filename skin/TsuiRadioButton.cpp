#include "skin/TsuiRadioButton.h"

#include <vector>

#include "framework/VirtualKeys.h"

namespace {

constexpr int32_t MarkSize = 13;
constexpr int32_t CaptionGap = 5;

}  // namespace

TsuiRadioButton::TsuiRadioButton(TComponent* Owner) : TsuiWinControl(Owner) { SetBounds(0, 0, 113, 17); }

void TsuiRadioButton::SetChecked(bool Value)
{
    if (Value == FChecked)
        return;
    FChecked = Value;
    if (Value)
        UncheckSiblings();
    Invalidate();
}

void TsuiRadioButton::UncheckSiblings()
{
    TWinControl* parent = Parent();
    if (!parent)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* radio = dynamic_cast<TsuiRadioButton*>(parent->Controls(i)); radio && radio != this)
            radio->SetChecked(false);
}

TSkinPiece TsuiRadioButton::Mark() const
{
    if (!EffectivelyEnabled())
        return FChecked ? TSkinPiece::RadioOnDisabled : TSkinPiece::RadioOffDisabled;
    if (MouseInControl() || Focused())
        return FChecked ? TSkinPiece::RadioOnHot : TSkinPiece::RadioOffHot;
    return FChecked ? TSkinPiece::RadioOn : TSkinPiece::RadioOff;
}

void TsuiRadioButton::Paint()
{
    TCanvas& canvas = Canvas();
    FillBackground(canvas);
    DrawSkin(canvas, Mark(), 0, (Height() - MarkSize) / 2);
    TFontSpec font = Font().Description();
    if (!EffectivelyEnabled())
        font.Color = clGrayText;
    canvas.Font() = font;
    const TSize extent = canvas.TextExtent(Caption());
    const int32_t x = MarkSize + CaptionGap;
    const int32_t y = (Height() - extent.Height) / 2;
    canvas.TextOut(x, y, Caption());
    // The focused button underlines its caption with a dotted line.
    if (Focused() && EffectivelyEnabled() && !Caption().empty()) {
        canvas.Brush().Style = bsSolid;
        canvas.Brush().Color = font.Color;
        for (int32_t dx = 0; dx < extent.Width; dx += 2)
            canvas.FillRect({x + dx, y + extent.Height, x + dx + 1, y + extent.Height + 1});
    }
}

void TsuiRadioButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft)
        SetFocus();
    TsuiWinControl::MouseDown(Button, Shift, X, Y);
}

void TsuiRadioButton::Click()
{
    if (!EffectivelyEnabled())
        return;
    SetChecked(true);
    TsuiWinControl::Click();
}

TsuiRadioButton* TsuiRadioButton::Neighbour(bool Forward) const
{
    TWinControl* parent = Parent();
    if (!parent)
        return nullptr;
    std::vector<TsuiRadioButton*> group;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* radio = dynamic_cast<TsuiRadioButton*>(parent->Controls(i)))
            group.push_back(radio);
    const int n = static_cast<int>(group.size());
    int at = 0;
    while (at < n && group[static_cast<size_t>(at)] != this)
        ++at;
    for (int step = 1; step < n; ++step) {
        TsuiRadioButton* candidate = group[static_cast<size_t>((at + (Forward ? step : n - step)) % n)];
        if (candidate->CanFocus())
            return candidate;
    }
    return nullptr;
}

void TsuiRadioButton::KeyDown(uint16_t& Key, TShiftState Shift)
{
    TsuiWinControl::KeyDown(Key, Shift);
    if (!EffectivelyEnabled() || (Shift & (ssCtrl | ssAlt)))
        return;
    if (Key == VK_SPACE) {
        Key = 0;
        Click();
        return;
    }
    const bool forward = Key == VK_DOWN || Key == VK_RIGHT;
    if (!forward && Key != VK_UP && Key != VK_LEFT)
        return;
    Key = 0;
    if (TsuiRadioButton* next = Neighbour(forward)) {
        next->SetFocus();
        next->Click();
    }
}
