#pragma once
#include <cstdint>

#include "platform/core/Color.h"
#include "platform/core/Rect.h"

class TBitmap;
class TCanvas;

// Draws Width one-pixel rings inside Rect, the outermost first, and leaves Rect shrunk by
// Width on every side. Each ring's left column and top row are TopColor and its right column
// and bottom row BottomColor; the top-right and bottom-left corner pixels are BottomColor.
// A Width of 0 or less draws nothing and leaves Rect as it is. The canvas's pen ends with
// width 1 and the last colour drawn.
void DrawFrame3D(TCanvas& Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int32_t Width);

// Rect shrunk by By on every side, with every edge kept within the 32-bit range however large
// By is.
TRect ShrunkSaturated(const TRect& Rect, int64_t By);

// Copies whole pictures onto a canvas, each giving exactly the pixels of
// Canvas.Draw(x, y, Picture): those outside the canvas's clip stay as they are. A picture a few
// dozen pixels wide, such as an LED cell, is copied row by row in blocks of a few pixels, since
// a call of memcpy for every row of so few bytes costs more than the copy itself; wider rows go
// to memcpy. The canvas's surface, origin and clip are taken once, when the copier is made, so
// a picture built of many small copies pays for them once; they must not change while the
// copier is in use.
class TPictureCopier {
public:
    explicit TPictureCopier(TCanvas& Canvas);
    // The canvas's clip in canvas coordinates.
    const TRect& Clip() const { return FClip; }
    void Copy(int32_t x, int32_t y, const TBitmap& Source);
    // Copies the part SourceRect of Source to the same size at (x, y), as
    // Canvas.Draw(x, y, Source.Canvas(), SourceRect) does: a pixel whose source lies outside
    // Source stays as it is.
    void Copy(int32_t x, int32_t y, TBitmap& Source, const TRect& SourceRect);

private:
    TCanvas& FCanvas;
    TBitmap* FSurface;
    TPoint FOrigin;
    TRect FClip;
    // Whether the clip in canvas coordinates is exact; at the ends of the 32-bit range it may
    // have been cut short, and the canvas copies then.
    bool FClipExact;
};

// What a colour draws, as one value to compare: an explicit colour (or clNone, which draws
// nothing) always draws the same, so its own value says it all; a system colour draws the
// platform's colour of the moment, which is looked up and kept apart from every value of the
// first kind. A widget that keeps a picture compares these to tell whether the colours it was
// drawn in still draw the same.
inline uint64_t DrawnShade(TColor Color)
{
    if (!IsSystemColor(Color))
        return static_cast<uint32_t>(Color);
    return (uint64_t(1) << 32) | ColorToPixel(Color);
}
