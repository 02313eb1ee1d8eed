#include "skin/TsuiWinControl.h"

#include "skin/SkinFonts.h"

TsuiWinControl::TsuiWinControl(TComponent* Owner) : TWinControl(Owner)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    SetTabStop(true);
    FFont.SetName(SkinFaceName());
    FFont.OnChange = [this](TObject*) { FontChanged(); };
}

void TsuiWinControl::SetCaption(const std::string& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    CaptionChanged();
}

void TsuiWinControl::MouseEnter()
{
    Invalidate();
    TWinControl::MouseEnter();
}

void TsuiWinControl::MouseLeave()
{
    Invalidate();
    TWinControl::MouseLeave();
}

TColor TsuiWinControl::BackgroundColor() const { return Parent() ? Parent()->Color() : Color(); }

void TsuiWinControl::FillBackground(TCanvas& Canvas)
{
    Canvas.Brush().Style = bsSolid;
    Canvas.Brush().Color = BackgroundColor();
    Canvas.FillRect(ClientRect());
}
