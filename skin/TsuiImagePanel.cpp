#include "skin/TsuiImagePanel.h"

#include "platform/gfx/Canvas.h"

TsuiImagePanel::TsuiImagePanel(TComponent* Owner) : TControl(Owner)
{
    SetBounds(0, 0, 105, 105);
    SetControlStyle(ControlStyle() & ~csOpaque);
}

void TsuiImagePanel::SetPicture(const TBitmap& Source)
{
    FPicture.SetSize(Source.Width(), Source.Height());
    if (!Source.Empty())
        FPicture.Canvas().Draw(0, 0, Source);
    Invalidate();
}

void TsuiImagePanel::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    // An opaque panel paints every pixel of its rectangle, so its parent need not paint there.
    SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TsuiImagePanel::Paint()
{
    TCanvas& canvas = Canvas();
    if (!FTransparent) {
        canvas.Brush().Style = bsSolid;
        canvas.Brush().Color = Color();
        canvas.FillRect(ClientRect());
    }
    if (!FPicture.Empty())
        canvas.Draw(0, 0, FPicture);
}
