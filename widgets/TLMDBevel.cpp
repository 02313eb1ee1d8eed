#include "widgets/TLMDBevel.h"

#include <algorithm>
#include <limits>

#include "widgets/VrDrawing.h"

namespace {

void PaintRing(TCanvas& Canvas, TRect& Rect, TLMDBevelStyle Style, int32_t Width)
{
    if (Style == bvRaised)
        DrawFrame3D(Canvas, Rect, clBtnHighlight, clBtnShadow, Width);
    else if (Style == bvLowered)
        DrawFrame3D(Canvas, Rect, clBtnShadow, clBtnHighlight, Width);
}

}  // namespace

int32_t TLMDBevel::Extent() const
{
    int64_t extent = FBorderWidth;
    if (FStyleOuter != bvNone)
        extent += FWidthOuter;
    if (FStyleInner != bvNone)
        extent += FWidthInner;
    return static_cast<int32_t>(std::min<int64_t>(extent, std::numeric_limits<int32_t>::max()));
}

void TLMDBevel::Paint(TCanvas& Canvas, TRect& Rect) const
{
    PaintRing(Canvas, Rect, FStyleOuter, FWidthOuter);
    DrawFrame3D(Canvas, Rect, FBorderColor, FBorderColor, FBorderWidth);
    PaintRing(Canvas, Rect, FStyleInner, FWidthInner);
}

void TLMDBevel::Assign(const TLMDObject& Source)
{
    const auto* bevel = dynamic_cast<const TLMDBevel*>(&Source);
    if (!bevel) {
        TLMDObject::Assign(Source);
        return;
    }
    BeginUpdate();
    SetMode(bevel->Mode());
    SetStyleOuter(bevel->StyleOuter());
    SetStyleInner(bevel->StyleInner());
    SetWidthOuter(bevel->WidthOuter());
    SetWidthInner(bevel->WidthInner());
    SetBorderWidth(bevel->BorderWidth());
    SetBorderColor(bevel->BorderColor());
    EndUpdate(true);
}
