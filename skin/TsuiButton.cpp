#include "skin/TsuiButton.h"

#include "framework/VirtualKeys.h"

TsuiButton::TsuiButton(TComponent* Owner) : TsuiWinControl(Owner) { SetBounds(0, 0, 75, 20); }

TSkinPiece TsuiButton::Face() const
{
    if (!EffectivelyEnabled())
        return TSkinPiece::ButtonDisabled;
    if (FPressed && MouseInControl())
        return TSkinPiece::ButtonPressed;
    if (MouseInControl())
        return TSkinPiece::ButtonHot;
    if (Focused())
        return TSkinPiece::ButtonFocused;
    return TSkinPiece::ButtonNormal;
}

void TsuiButton::Paint()
{
    TCanvas& canvas = Canvas();
    FillBackground(canvas);
    DrawSkinStretched(canvas, Face(), ClientRect());
    TFontSpec font = Font().Description();
    if (!EffectivelyEnabled())
        font.Color = clGrayText;
    canvas.Font() = font;
    const TSize extent = canvas.TextExtent(Caption());
    const int32_t shift = Face() == TSkinPiece::ButtonPressed ? 1 : 0;
    canvas.TextOut((Width() - extent.Width) / 2 + shift, (Height() - extent.Height) / 2 + shift, Caption());
}

void TsuiButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft) {
        FPressed = true;
        SetFocus();
        Invalidate();
    }
    TsuiWinControl::MouseDown(Button, Shift, X, Y);
}

void TsuiButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && FPressed) {
        FPressed = false;
        Invalidate();
    }
    TsuiWinControl::MouseUp(Button, Shift, X, Y);
}

void TsuiButton::KeyDown(uint16_t& Key, TShiftState Shift)
{
    TsuiWinControl::KeyDown(Key, Shift);
    if ((Key == VK_SPACE || Key == VK_RETURN) && !(Shift & (ssCtrl | ssAlt)) && EffectivelyEnabled()) {
        Key = 0;
        Click();
    }
}

void TsuiButton::EnabledChanged()
{
    // A press the button lost by being disabled does not come back with it.
    FPressed = false;
    TsuiWinControl::EnabledChanged();
}
