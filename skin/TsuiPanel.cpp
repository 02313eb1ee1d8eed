#include "skin/TsuiPanel.h"

#include "skin/SkinBitmaps.h"

namespace {

constexpr TColor BorderColor = 0x00BFB5AA;   // a light blue-grey, the caption bar's shade dimmed
constexpr int32_t CaptionIndent = 7;

}  // namespace

TsuiPanel::TsuiPanel(TComponent* Owner) : TsuiWinControl(Owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 185, 41);
    SetTabStop(false);
    Font().SetStyle(fsBold);
}

void TsuiPanel::SetCaptionFontColor(TColor Value)
{
    if (Value == FCaptionFontColor)
        return;
    FCaptionFontColor = Value;
    Invalidate();
}

int32_t TsuiPanel::CaptionHeight() { return SkinHeight(TSkinPiece::PanelCaption); }

void TsuiPanel::Paint()
{
    TCanvas& canvas = Canvas();
    const TRect all = ClientRect();
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = BorderColor;
    canvas.FillRect(all);
    canvas.Brush().Color = Color();
    canvas.FillRect(all.Shrunk(1));
    const TRect bar{0, 0, Width(), CaptionHeight()};
    DrawSkinStretched(canvas, TSkinPiece::PanelCaption, bar);
    TFontSpec font = Font().Description();
    font.Color = EffectivelyEnabled() ? FCaptionFontColor : clSilver;
    canvas.Font() = font;
    const TSize extent = canvas.TextExtent(Caption());
    canvas.SetClipRect(canvas.ClipRect().Intersected(bar.Shrunk(1)));
    canvas.TextOut(CaptionIndent, (bar.Height() - extent.Height) / 2, Caption());
}
