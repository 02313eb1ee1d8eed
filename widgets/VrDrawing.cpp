#include "widgets/VrDrawing.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>

#include "platform/gfx/Bitmap.h"
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

// Rows up to this width are copied in blocks of a few pixels; wider ones go to memcpy, which is
// faster once a row holds more than a few blocks.
constexpr int32_t NarrowPicture = 64;

// Copies Rows rows of Count pixels, at least Block of them, between pictures that do not overlap,
// Block pixels at a time; the last block of a row ends at its last pixel and may cover pixels of
// the block before it again. A row of up to two blocks, such as that of an LED cell, takes
// exactly two.
template <int32_t Block>
void CopyRowsInBlocks(TPixel* To, size_t ToStride, const TPixel* From, size_t FromStride, int32_t Count, int64_t Rows)
{
    constexpr size_t bytes = Block * sizeof(TPixel);
    const int32_t last = Count - Block;
    if (Count <= 2 * Block) {
        for (; Rows > 0; --Rows, To += ToStride, From += FromStride) {
            std::memcpy(To, From, bytes);
            std::memcpy(To + last, From + last, bytes);
        }
        return;
    }
    for (; Rows > 0; --Rows, To += ToStride, From += FromStride) {
        for (int32_t x = 0; x < last; x += Block)
            std::memcpy(To + x, From + x, bytes);
        std::memcpy(To + last, From + last, bytes);
    }
}

inline void CopyRows(TPixel* To, size_t ToStride, const TPixel* From, size_t FromStride, int32_t Count, int64_t Rows)
{
    if (Count > NarrowPicture) {
        for (; Rows > 0; --Rows, To += ToStride, From += FromStride)
            std::memcpy(To, From, sizeof(TPixel) * size_t(Count));
    } else if (Count >= 8) {
        CopyRowsInBlocks<8>(To, ToStride, From, FromStride, Count, Rows);
    } else if (Count >= 4) {
        CopyRowsInBlocks<4>(To, ToStride, From, FromStride, Count, Rows);
    } else {
        for (; Rows > 0; --Rows, To += ToStride, From += FromStride)
            for (int32_t x = 0; x < Count; ++x)
                To[x] = From[x];
    }
}

}  // namespace

TPictureCopier::TPictureCopier(TCanvas& Canvas)
    : FCanvas(Canvas), FSurface(Canvas.Surface()), FOrigin(Canvas.Origin()), FClip(Canvas.ClipRect())
{
    FClipExact = FClip.Left != INT32_MIN && FClip.Top != INT32_MIN && FClip.Right != INT32_MAX && FClip.Bottom != INT32_MAX;
}

// The whole picture is readable, so only the clip cuts it; this is the copy of every LED cell,
// kept to the few steps it needs. A copy within one surface goes to the canvas, as below.
void TPictureCopier::Copy(int32_t x, int32_t y, const TBitmap& Source)
{
    if (!FSurface || FSurface == &Source || !FClipExact) {
        FCanvas.Draw(x, y, Source);
        return;
    }
    const int64_t left = std::max<int64_t>(x, FClip.Left), right = std::min<int64_t>(int64_t(x) + Source.Width(), FClip.Right);
    const int64_t top = std::max<int64_t>(y, FClip.Top), bottom = std::min<int64_t>(int64_t(y) + Source.Height(), FClip.Bottom);
    if (left >= right || top >= bottom)
        return;
    const TPixel* from = Source.Scanline(static_cast<int32_t>(top - y)) + (left - x);
    TPixel* to = FSurface->Scanline(static_cast<int32_t>(top + FOrigin.Y)) + (left + FOrigin.X);
    CopyRows(to, static_cast<size_t>(FSurface->Width()), from, static_cast<size_t>(Source.Width()),
             static_cast<int32_t>(right - left), bottom - top);
}

// A copy within one surface may overlap itself, and a clip at the ends of the 32-bit range may
// not be exact; the canvas copies those, reading every pixel before it writes over it.
void TPictureCopier::Copy(int32_t x, int32_t y, TBitmap& Source, const TRect& SourceRect)
{
    if (!FSurface || FSurface == &Source || !FClipExact) {
        FCanvas.Draw(x, y, Source.Canvas(), SourceRect);
        return;
    }
    // The destination pixels inside the clip whose source pixel lies inside SourceRect and
    // inside Source.
    const int64_t dx = int64_t(SourceRect.Left) - x, dy = int64_t(SourceRect.Top) - y;
    const int64_t left = std::max({int64_t(x), -dx, int64_t(FClip.Left)});
    const int64_t right = std::min({int64_t(x) + (int64_t(SourceRect.Right) - SourceRect.Left), Source.Width() - dx,
                                    int64_t(FClip.Right)});
    const int64_t top = std::max({int64_t(y), -dy, int64_t(FClip.Top)});
    const int64_t bottom = std::min({int64_t(y) + (int64_t(SourceRect.Bottom) - SourceRect.Top), Source.Height() - dy,
                                     int64_t(FClip.Bottom)});
    if (left >= right || top >= bottom)
        return;
    const TPixel* from = Source.Scanline(static_cast<int32_t>(top + dy)) + (left + dx);
    TPixel* to = FSurface->Scanline(static_cast<int32_t>(top + FOrigin.Y)) + (left + FOrigin.X);
    CopyRows(to, static_cast<size_t>(FSurface->Width()), from, static_cast<size_t>(Source.Width()),
             static_cast<int32_t>(right - left), bottom - top);
}

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
