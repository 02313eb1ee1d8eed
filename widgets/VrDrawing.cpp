#include "widgets/VrDrawing.h"

#include <algorithm>
#include <array>
#include <limits>

#include "platform/gfx/Canvas.h"

namespace {

int32_t Saturate(int64_t Value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(Value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// A ring's four lines all lie outside Clip, and so do those of every ring further in: the left
// and top lines only move right and down, the right and bottom ones only left and up. Rings
// past the middle of the rectangle turn inside out and keep moving outwards, so without this
// test a huge width would draw billions of rings that nobody can see.
bool RingOutside(int64_t l, int64_t t, int64_t r, int64_t b, const TRect& Clip)
{
    return l >= Clip.Right && t >= Clip.Bottom && r < Clip.Left && b < Clip.Top;
}

}  // namespace

TRect ShrunkSaturated(const TRect& Rect, int64_t By)
{
    return {Saturate(int64_t(Rect.Left) + By), Saturate(int64_t(Rect.Top) + By), Saturate(int64_t(Rect.Right) - By),
            Saturate(int64_t(Rect.Bottom) - By)};
}

void DrawFrame3D(TCanvas& Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int32_t Width)
{
    if (Width <= 0)
        return;
    Canvas.Pen().Width = 1;
    const TRect clip = Canvas.ClipRect();
    for (int64_t k = 0; k < Width && !clip.IsEmpty(); ++k) {
        const int64_t l = int64_t(Rect.Left) + k, t = int64_t(Rect.Top) + k;
        const int64_t r = int64_t(Rect.Right) - 1 - k, b = int64_t(Rect.Bottom) - 1 - k;
        if (RingOutside(l, t, r, b, clip))
            break;
        const TPoint tl{Saturate(l), Saturate(t)}, tr{Saturate(r), Saturate(t)};
        const TPoint bl{Saturate(l), Saturate(b)}, br{Saturate(r), Saturate(b)};
        // Each polyline leaves out its end pixel, so the top-right and bottom-left corners are
        // set by the second, bottom-coloured line.
        const std::array<TPoint, 3> top{bl, tl, tr};
        const std::array<TPoint, 3> bottom{tr, br, TPoint{Saturate(l - 1), Saturate(b)}};
        Canvas.Pen().Color = TopColor;
        Canvas.Polyline(top);
        Canvas.Pen().Color = BottomColor;
        Canvas.Polyline(bottom);
    }
    Rect = ShrunkSaturated(Rect, Width);
}
