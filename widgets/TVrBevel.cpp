#include "widgets/TVrBevel.h"

#include <algorithm>

#include "widgets/VrDrawing.h"

namespace {

// A layer that Paint leaves out because its width is 0 or less takes no room either.
int64_t Room(int32_t Width) { return std::max<int64_t>(Width, 0); }

}  // namespace

int64_t TVrBevel::Thickness() const
{
    if (!FVisible)
        return 0;
    int64_t a = Room(FBorderWidth) + Room(FOuterSpace) + Room(FInnerSpace);
    a += FOuterOutline != osNone ? 1 : 0;
    a += FInnerOutline != osNone ? 1 : 0;
    a += FOuterStyle != bsNone ? Room(FOuterWidth) : 0;
    a += FInnerStyle != bsNone ? Room(FInnerWidth) : 0;
    return a;
}

void TVrBevel::GetVisibleArea(TRect& Rect) const { Rect = ShrunkSaturated(Rect, Thickness()); }

void TVrBevel::Paint(TCanvas& Canvas, TRect& Rect) const
{
    if (!FVisible)
        return;
    if (FBorderWidth > 0)
        DrawFrame3D(Canvas, Rect, FBorderColor, FBorderColor, FBorderWidth);
    if (FOuterOutline == osOuter)
        DrawFrame3D(Canvas, Rect, clBlack, clBlack, 1);
    PaintLayer(Canvas, Rect, FOuterStyle, FOuterHighlight, FOuterShadow, FOuterWidth);
    if (FOuterOutline == osInner)
        DrawFrame3D(Canvas, Rect, clBlack, clBlack, 1);
    DrawFrame3D(Canvas, Rect, FOuterColor, FOuterColor, FOuterSpace);
    if (FInnerOutline == osOuter)
        DrawFrame3D(Canvas, Rect, clBlack, clBlack, 1);
    PaintLayer(Canvas, Rect, FInnerStyle, FInnerHighlight, FInnerShadow, FInnerWidth);
    if (FInnerOutline == osInner)
        DrawFrame3D(Canvas, Rect, clBlack, clBlack, 1);
    DrawFrame3D(Canvas, Rect, FInnerColor, FInnerColor, FInnerSpace);
}

// A raised bevel is light at the top and left and dark at the bottom and right; a lowered one
// the other way round.
void TVrBevel::PaintLayer(TCanvas& Canvas, TRect& Rect, TVrBevelStyle Style, TColor Highlight, TColor Shadow,
                          int32_t Width) const
{
    if (Style == bsRaised)
        DrawFrame3D(Canvas, Rect, Highlight, Shadow, Width);
    else if (Style == bsLowered)
        DrawFrame3D(Canvas, Rect, Shadow, Highlight, Width);
}

void TVrBevel::Assign(const TVrPersistent& Source)
{
    const auto* bevel = dynamic_cast<const TVrBevel*>(&Source);
    if (!bevel) {
        TVrPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    SetBorderWidth(bevel->BorderWidth());
    SetBorderColor(bevel->BorderColor());
    SetInnerShadow(bevel->InnerShadow());
    SetInnerHighlight(bevel->InnerHighlight());
    SetInnerWidth(bevel->InnerWidth());
    SetInnerStyle(bevel->InnerStyle());
    SetInnerOutline(bevel->InnerOutline());
    SetInnerSpace(bevel->InnerSpace());
    SetInnerColor(bevel->InnerColor());
    SetOuterShadow(bevel->OuterShadow());
    SetOuterHighlight(bevel->OuterHighlight());
    SetOuterWidth(bevel->OuterWidth());
    SetOuterStyle(bevel->OuterStyle());
    SetOuterOutline(bevel->OuterOutline());
    SetOuterSpace(bevel->OuterSpace());
    SetOuterColor(bevel->OuterColor());
    SetVisible(bevel->Visible());
    EndUpdate();
}
