#include "framework/Label.h"

#include "platform/gfx/IFontEngine.h"
#include "platform/Platform.h"

TLabel::TLabel(TComponent* Owner) : TControl(Owner)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 65, 17);
    FFont.OnChange = [this](TObject*) { FontChanged(); };
}

void TLabel::SetCaption(const std::string& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    AdjustSize();
    Invalidate();
}

void TLabel::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TLabel::SetAutoSize(bool Value)
{
    if (Value == FAutoSize)
        return;
    FAutoSize = Value;
    AdjustSize();
}

void TLabel::Loaded()
{
    TControl::Loaded();
    AdjustSize();
}

void TLabel::FontChanged()
{
    AdjustSize();
    Invalidate();
}

// The label's size follows its text; while loading, the stored size stays until Loaded, when
// the font and caption are both known.
void TLabel::AdjustSize()
{
    if (!FAutoSize || Loading())
        return;
    IFontEngine* fonts = CurrentPlatform().Fonts;
    if (!fonts)
        return;
    const TSize extent = fonts->TextExtent(FCaption, FFont.Description());
    SetBounds(Left(), Top(), extent.Width, extent.Height);
}

void TLabel::Paint()
{
    TCanvas& canvas = Canvas();
    if (!FTransparent) {
        canvas.Brush().Style = bsSolid;
        canvas.Brush().Color = Color();
        canvas.FillRect(ClientRect());
    }
    canvas.Font() = FFont.Description();
    canvas.TextOut(0, 0, FCaption);
}
