#include "platform/gfx/Canvas.h"

#include "platform/gfx/Bitmap.h"

TCanvas::TCanvas(TBitmap& Surface) { Attach(&Surface); }

void TCanvas::Attach(TBitmap* Surface, TPoint Origin, const TRect& Clip)
{
    FSurface = Surface;
    FOrigin = Origin;
    FClip = Surface ? Clip.Intersected(Surface->BoundsRect()) : TRect{};
}

void TCanvas::Attach(TBitmap* Surface) { Attach(Surface, {}, Surface ? Surface->BoundsRect() : TRect{}); }
