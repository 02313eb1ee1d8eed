#include "skin/TsuiForm.h"

#include "framework/Form.h"
#include "framework/Message.h"
#include "skin/SkinFonts.h"

namespace {

// System commands the window system carries out for the frame's buttons.
constexpr uint32_t SC_MINIMIZE = 0xF020;
constexpr uint32_t SC_MAXIMIZE = 0xF030;
constexpr uint32_t SC_RESTORE = 0xF120;

constexpr int32_t ButtonWidth = 24;
constexpr int32_t ButtonHeight = 18;
constexpr int32_t ButtonTop = 4;
constexpr int32_t ButtonsRight = 5;   // from the right edge
constexpr int32_t IconLeft = 6;
constexpr int32_t CaptionLeft = 28;
constexpr TColor CaptionColor = 0x00463A2A;

}  // namespace

TsuiForm::TsuiForm(TComponent* Owner) : TsuiWinControl(Owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetParentColor(false);
    SetColor(0x00E7E7E7);
    SetTabStop(false);
    SetBounds(0, 0, 329, 375);
    FTitleFont.SetName(SkinFaceName());
    FTitleFont.SetHeight(11);
    FTitleFont.SetStyle(fsBold);
    FTitleFont.SetColor(CaptionColor);
    FTitleFont.OnChange = [this](TObject*) { Invalidate(); };
}

void TsuiForm::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor)
        return;
    FBorderColor = Value;
    Invalidate();
}

int32_t TsuiForm::TitleBarHeight() { return SkinHeight(TSkinPiece::TitleBar); }

TRect TsuiForm::TitleButtonRect(TTitleButton Button) const
{
    if (Button == tbNone)
        return {};
    const int32_t slot = tbClose - Button;   // the close button is the rightmost
    const int32_t right = Width() - ButtonsRight - slot * ButtonWidth;
    return {right - ButtonWidth, ButtonTop, right, ButtonTop + ButtonHeight};
}

TsuiForm::TTitleButton TsuiForm::TitleButtonAt(TPoint Point) const
{
    for (TTitleButton b : {tbMinimize, tbMaximize, tbClose})
        if (TitleButtonRect(b).Contains(Point))
            return b;
    return tbNone;
}

void TsuiForm::Paint()
{
    TCanvas& canvas = Canvas();
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = FBorderColor;
    canvas.FillRect(ClientRect());
    canvas.Brush().Color = Color();
    canvas.FillRect(ClientRect().Shrunk(1));
    DrawTitleBar(canvas);
}

void TsuiForm::DrawTitleBar(TCanvas& Canvas)
{
    const TRect bar{1, 1, Width() - 1, 1 + TitleBarHeight()};
    DrawSkinStretched(Canvas, TSkinPiece::TitleBar, bar);
    DrawSkin(Canvas, TSkinPiece::FormIcon, IconLeft, bar.Top + (TitleBarHeight() - SkinHeight(TSkinPiece::FormIcon)) / 2);
    Canvas.Font() = FTitleFont.Description();
    const TSize extent = Canvas.TextExtent(Caption());
    const TRect room{CaptionLeft, bar.Top, TitleButtonRect(tbMinimize).Left - 4, bar.Bottom};
    const TRect saved = Canvas.ClipRect();
    Canvas.SetClipRect(saved.Intersected(room));
    Canvas.TextOut(CaptionLeft, bar.Top + (TitleBarHeight() - extent.Height) / 2, Caption());
    Canvas.SetClipRect(saved);
    for (TTitleButton b : {tbMinimize, tbMaximize, tbClose})
        DrawTitleButton(Canvas, b);
}

void TsuiForm::DrawTitleButton(TCanvas& Canvas, TTitleButton Button)
{
    const TRect r = TitleButtonRect(Button);
    const bool pressed = FPressedButton == Button && FHotButton == Button;
    const bool hot = FHotButton == Button && (FPressedButton == tbNone || pressed);
    if (Button == tbClose && (hot || pressed))
        DrawSkin(Canvas, pressed ? TSkinPiece::CloseButtonPressed : TSkinPiece::CloseButtonHot, r.Left, r.Top);
    else if (hot || pressed)
        DrawSkin(Canvas, pressed ? TSkinPiece::TitleButtonPressed : TSkinPiece::TitleButtonHot, r.Left, r.Top);
    TSkinPiece glyph = Button == tbMinimize ? TSkinPiece::GlyphMinimize
                       : Button == tbMaximize ? TSkinPiece::GlyphMaximize
                       : (hot || pressed)     ? TSkinPiece::GlyphCloseLight
                                              : TSkinPiece::GlyphClose;
    DrawSkin(Canvas, glyph, r.Left + (r.Width() - SkinWidth(glyph)) / 2, r.Top + (r.Height() - SkinHeight(glyph)) / 2);
}

void TsuiForm::SetHotButton(TTitleButton Value)
{
    if (Value == FHotButton)
        return;
    FHotButton = Value;
    InvalidateRect({0, 0, Width(), 1 + TitleBarHeight()});
}

void TsuiForm::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TTitleButton b = TitleButtonAt({X, Y});
    if (b != tbNone && Button == TMouseButton::mbLeft) {
        FPressedButton = b;
        SetHotButton(b);
        InvalidateRect(TitleButtonRect(b));
        return;
    }
    TsuiWinControl::MouseDown(Button, Shift, X, Y);
}

void TsuiForm::MouseMove(TShiftState Shift, int X, int Y)
{
    SetHotButton(TitleButtonAt({X, Y}));
    if (FPressedButton != tbNone)
        return;
    TsuiWinControl::MouseMove(Shift, X, Y);
}

void TsuiForm::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FPressedButton != tbNone && Button == TMouseButton::mbLeft) {
        const TTitleButton pressed = FPressedButton;
        FPressedButton = tbNone;
        InvalidateRect(TitleButtonRect(pressed));
        if (TitleButtonAt({X, Y}) == pressed)
            PressTitleButton(pressed);
        return;
    }
    TsuiWinControl::MouseUp(Button, Shift, X, Y);
}

void TsuiForm::MouseLeave()
{
    SetHotButton(tbNone);
    TsuiWinControl::MouseLeave();
}

void TsuiForm::PressTitleButton(TTitleButton Button)
{
    TForm* form = ParentForm();
    if (!form)
        return;
    switch (Button) {
    case tbClose:
        form->Close();
        break;
    case tbMinimize:
        form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case tbMaximize:
        FMaximized = !FMaximized;
        form->Perform(WM_SYSCOMMAND, FMaximized ? SC_MAXIMIZE : SC_RESTORE, 0);
        break;
    case tbNone:
        break;
    }
}
