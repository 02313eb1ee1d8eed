#include "platform/gfx/Canvas.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Raster.h"

namespace {

// What a pen or a brush puts into pixels: nothing, one colour, or a tile repeated from the
// surface's top-left corner. The tile is copied when drawing starts, so a pattern bitmap that is
// itself being drawn on cannot change under the fill.
struct TPaint {
    // The tile is left as it is until a pattern is copied into it: a plain paint, made for every
    // shape drawn, never reads it.
    TPaint() {}

    bool Visible = false;
    bool Patterned = false;
    TPixel Color = 0;
    TPixel Tile[8][8];
    int32_t TileWidth = 8;
    int32_t TileHeight = 8;

    TPixel At(int32_t x, int32_t y) const { return Patterned ? Tile[y % TileHeight][x % TileWidth] : Color; }
};

TPaint SolidPaint(TColor Color)
{
    TPaint paint;
    paint.Visible = Color != clNone;
    paint.Color = ColorToPixel(Color);
    return paint;
}

TPaint PenPaint(const TPen& Pen) { return Pen.Style == psClear ? TPaint() : SolidPaint(Pen.Color); }

TPaint BrushPaint(const TBrush& Brush)
{
    if (Brush.Style == bsClear)
        return TPaint();
    if (!Brush.Pattern || Brush.Pattern->Empty())
        return SolidPaint(Brush.Color);
    TPaint paint;
    paint.Visible = true;
    paint.Patterned = true;
    paint.TileWidth = std::min(Brush.Pattern->Width(), 8);
    paint.TileHeight = std::min(Brush.Pattern->Height(), 8);
    for (int32_t y = 0; y < paint.TileHeight; ++y)
        for (int32_t x = 0; x < paint.TileWidth; ++x)
            paint.Tile[y][x] = Brush.Pattern->Pixel(x, y);
    return paint;
}

// Sets Count pixels from Row on to Pixel. A pixel at a time is slow for a long row, so once a
// few are set the row is copied onto itself in doubling blocks.
void FillRow(TPixel* Row, int32_t Count, TPixel Pixel)
{
    constexpr int32_t Seed = 8;
    const int32_t seeded = std::min(Count, Seed);
    for (int32_t i = 0; i < seeded; ++i)
        Row[i] = Pixel;
    for (int32_t done = seeded; done < Count;) {
        const int32_t block = std::min(done, Count - done);
        std::memcpy(Row + done, Row, sizeof(TPixel) * size_t(block));
        done += block;
    }
}

// Fills a rectangle inside the surface with one pixel value: narrow rectangles pixel by pixel,
// wider ones by filling the first row and copying it to the others.
void FillSolid(TBitmap& Surface, const TRect& Rect, TPixel Pixel)
{
    constexpr int32_t Narrow = 8;
    const int32_t width = Rect.Width();
    if (width <= Narrow) {
        for (int32_t y = Rect.Top; y < Rect.Bottom; ++y) {
            TPixel* row = Surface.Scanline(y) + Rect.Left;
            for (int32_t x = 0; x < width; ++x)
                row[x] = Pixel;
        }
        return;
    }
    const TPixel* first = Surface.Scanline(Rect.Top) + Rect.Left;
    FillRow(Surface.Scanline(Rect.Top) + Rect.Left, width, Pixel);
    for (int32_t y = Rect.Top + 1; y < Rect.Bottom; ++y)
        std::memcpy(Surface.Scanline(y) + Rect.Left, first, sizeof(TPixel) * size_t(width));
}

// Paints a rectangle that lies inside the surface.
void PaintRect(TBitmap& Surface, const TRect& Rect, const TPaint& Paint)
{
    if (!Paint.Patterned) {
        FillSolid(Surface, Rect, Paint.Color);
        return;
    }
    for (int32_t y = Rect.Top; y < Rect.Bottom; ++y) {
        TPixel* row = Surface.Scanline(y);
        for (int32_t x = Rect.Left; x < Rect.Right; ++x)
            row[x] = Paint.At(x, y);
    }
}

// A sink that paints what a raster routine covers, or nothing for an invisible paint.
TRectSink Painter(TBitmap& Surface, const TPaint& Paint)
{
    if (!Paint.Visible)
        return [](const TRect&) {};
    return [&Surface, &Paint](const TRect& r) { PaintRect(Surface, r, Paint); };
}

// Paints the pixels Left .. Right (inclusive) of surface row y, which lies inside the clip, cut
// to the clip.
void PaintRun(TBitmap& Surface, int64_t y, int64_t Left, int64_t Right, const TRect& Clip, const TPaint& Paint)
{
    const int64_t l = std::max<int64_t>(Left, Clip.Left), r = std::min<int64_t>(Right + 1, Clip.Right);
    if (l < r)
        PaintRect(Surface, TRect(static_cast<int32_t>(l), static_cast<int32_t>(y), static_cast<int32_t>(r),
                                 static_cast<int32_t>(y + 1)),
                  Paint);
}

// Paints an ellipse from the spans of its shape, moved to the box's place: the outline parts of
// each row with the pen, the rest with the brush.
void PaintEllipseRows(TBitmap& Surface, const TBox64& Box, const std::vector<TEllipseSpan>& Rows, const TRect& Clip,
                      const TPaint& Pen, const TPaint& Brush)
{
    const int64_t first = std::max<int64_t>(Box.Top, Clip.Top), last = std::min<int64_t>(Box.Bottom, Clip.Bottom);
    for (int64_t y = first; y < last; ++y) {
        const TEllipseSpan& row = Rows[static_cast<size_t>(y - Box.Top)];
        if (row.Left > row.Right)
            continue;
        const int64_t left = Box.Left + row.Left, right = Box.Left + row.Right;
        if (row.FillLeft > row.FillRight) {
            if (Pen.Visible)
                PaintRun(Surface, y, left, right, Clip, Pen);
            continue;
        }
        const int64_t fillLeft = Box.Left + row.FillLeft, fillRight = Box.Left + row.FillRight;
        if (Pen.Visible) {
            PaintRun(Surface, y, left, fillLeft - 1, Clip, Pen);
            PaintRun(Surface, y, fillRight + 1, right, Clip, Pen);
        }
        if (Brush.Visible)
            PaintRun(Surface, y, fillLeft, fillRight, Clip, Brush);
    }
}

// Draws the ellipse inscribed in Box (surface coordinates) from the kept spans of its shape, or
// straight from the raster routine for a box too large to keep.
void DrawEllipse(TBitmap& Surface, TEllipseCache& Shapes, const TBox64& Box, int64_t PenWidth, const TRect& Clip,
                 const TPaint& Pen, const TPaint& Brush)
{
    const TBox64 box = RightWayRound(Box);
    const int64_t width = box.Right - box.Left, height = box.Bottom - box.Top;
    if (box.Bottom <= Clip.Top || box.Top >= Clip.Bottom || box.Right <= Clip.Left || box.Left >= Clip.Right)
        return;
    if (!TEllipseCache::Keeps(width, height)) {
        RasterEllipse(box, PenWidth, Clip, Painter(Surface, Brush), Painter(Surface, Pen));
        return;
    }
    PaintEllipseRows(Surface, box, Shapes.Spans(width, height, PenWidth), Clip, Pen, Brush);
}

int32_t ClampToInt32(int64_t v)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// The part of a box that lies inside a rectangle (which fits in 32 bits, so the result does).
TRect BoxInside(const TBox64& Box, const TRect& Limit)
{
    const TRect r{ClampToInt32(std::max<int64_t>(Box.Left, Limit.Left)), ClampToInt32(std::max<int64_t>(Box.Top, Limit.Top)),
                  ClampToInt32(std::min<int64_t>(Box.Right, Limit.Right)),
                  ClampToInt32(std::min<int64_t>(Box.Bottom, Limit.Bottom))};
    return r.IsEmpty() ? TRect{} : r;
}

TBox64 BoxOf(const TRect& Rect) { return {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom}; }

}  // namespace

TCanvas::TCanvas(TBitmap& Surface) { Attach(&Surface); }

void TCanvas::Attach(TBitmap* Surface, TPoint Origin, const TRect& Clip)
{
    FSurface = Surface;
    FOrigin = Origin;
    FClip = Surface ? Clip.Intersected(Surface->BoundsRect()) : TRect{};
}

void TCanvas::Attach(TBitmap* Surface) { Attach(Surface, {}, Surface ? Surface->BoundsRect() : TRect{}); }

// ---- Clipping and coordinates --------------------------------------------------------------

// The clip cut to the surface as it is now: a surface resized since the clip was set must not
// be written beyond its new edges.
TRect TCanvas::DrawClip() const { return FSurface ? FClip.Intersected(FSurface->BoundsRect()) : TRect{}; }

TBox64 TCanvas::ToSurface(const TRect& Rect) const
{
    return {int64_t(Rect.Left) + FOrigin.X, int64_t(Rect.Top) + FOrigin.Y, int64_t(Rect.Right) + FOrigin.X,
            int64_t(Rect.Bottom) + FOrigin.Y};
}

TRect TCanvas::ClipRect() const
{
    const TRect clip = DrawClip();
    if (clip.IsEmpty())
        return {};
    return {ClampToInt32(int64_t(clip.Left) - FOrigin.X), ClampToInt32(int64_t(clip.Top) - FOrigin.Y),
            ClampToInt32(int64_t(clip.Right) - FOrigin.X), ClampToInt32(int64_t(clip.Bottom) - FOrigin.Y)};
}

void TCanvas::SetClipRect(const TRect& Clip)
{
    FClip = FSurface ? BoxInside(ToSurface(Clip), FSurface->BoundsRect()) : TRect{};
}

TPixel TCanvas::PixelAt(int32_t x, int32_t y) const
{
    const int64_t sx = int64_t(x) + FOrigin.X, sy = int64_t(y) + FOrigin.Y;
    if (!FSurface || sx < 0 || sy < 0 || sx >= FSurface->Width() || sy >= FSurface->Height())
        return 0;
    return FSurface->Pixel(static_cast<int32_t>(sx), static_cast<int32_t>(sy));
}

// ---- Filled shapes -------------------------------------------------------------------------

void TCanvas::FillRect(const TRect& Rect)
{
    const TRect area = BoxInside(ToSurface(Rect), DrawClip());
    const TPaint brush = BrushPaint(FBrush);
    if (!area.IsEmpty() && brush.Visible)
        PaintRect(*FSurface, area, brush);
}

void TCanvas::Rectangle(const TRect& Rect)
{
    const TRect clip = DrawClip();
    const TPaint pen = PenPaint(FPen), brush = BrushPaint(FBrush);
    const TBox64 box = ToSurface(Rect);
    if (clip.IsEmpty() || box.Right <= box.Left || box.Bottom <= box.Top)
        return;
    const int64_t band = pen.Visible ? std::max<int32_t>(FPen.Width, 1) : 0;
    const TBox64 inner{box.Left + band, box.Top + band, box.Right - band, box.Bottom - band};
    const bool hasInner = inner.Left < inner.Right && inner.Top < inner.Bottom;
    if (hasInner && brush.Visible)
        PaintRect(*FSurface, BoxInside(inner, clip), brush);
    if (!pen.Visible)
        return;
    if (!hasInner) {
        PaintRect(*FSurface, BoxInside(box, clip), pen);
        return;
    }
    // The band around the inside: full-width strips above and below, then the two sides.
    PaintRect(*FSurface, BoxInside({box.Left, box.Top, box.Right, inner.Top}, clip), pen);
    PaintRect(*FSurface, BoxInside({box.Left, inner.Bottom, box.Right, box.Bottom}, clip), pen);
    PaintRect(*FSurface, BoxInside({box.Left, inner.Top, inner.Left, inner.Bottom}, clip), pen);
    PaintRect(*FSurface, BoxInside({inner.Right, inner.Top, box.Right, inner.Bottom}, clip), pen);
}

void TCanvas::Ellipse(const TRect& Box) { Ellipses(std::span<const TRect>(&Box, 1)); }

void TCanvas::Ellipses(std::span<const TRect> Boxes)
{
    const TRect clip = DrawClip();
    const TPaint pen = PenPaint(FPen), brush = BrushPaint(FBrush);
    if (clip.IsEmpty() || (!pen.Visible && !brush.Visible))
        return;
    const int64_t penWidth = pen.Visible ? std::max<int32_t>(FPen.Width, 1) : 0;
    for (const TRect& box : Boxes)
        DrawEllipse(*FSurface, FEllipses, ToSurface(box), penWidth, clip, pen, brush);
}

void TCanvas::Polygon(std::span<const TPoint> Points)
{
    const TRect clip = DrawClip();
    const TPaint pen = PenPaint(FPen), brush = BrushPaint(FBrush);
    if (clip.IsEmpty() || Points.empty())
        return;
    if (brush.Visible) {
        // The few points of the usual polygon stay on the stack.
        constexpr size_t FewPoints = 16;
        std::array<TPoint64, FewPoints> few;
        std::vector<TPoint64> many(Points.size() > FewPoints ? Points.size() : 0);
        const std::span<TPoint64> points =
            many.empty() ? std::span<TPoint64>(few).first(Points.size()) : std::span<TPoint64>(many);
        for (size_t i = 0; i < Points.size(); ++i)
            points[i] = {int64_t(Points[i].X) + FOrigin.X, int64_t(Points[i].Y) + FOrigin.Y};
        RasterPolygon(points, clip, Painter(*FSurface, brush));
    }
    if (pen.Visible)
        for (size_t i = 0; i < Points.size(); ++i)
            StrokeLine(Points[i], Points[(i + 1) % Points.size()]);
}

// ---- Lines ---------------------------------------------------------------------------------

void TCanvas::StrokeLine(TPoint From, TPoint To)
{
    const TRect clip = DrawClip();
    const TPaint pen = PenPaint(FPen);
    if (clip.IsEmpty() || !pen.Visible)
        return;
    RasterLine({int64_t(From.X) + FOrigin.X, int64_t(From.Y) + FOrigin.Y},
               {int64_t(To.X) + FOrigin.X, int64_t(To.Y) + FOrigin.Y}, FPen.Width, clip, Painter(*FSurface, pen));
}

void TCanvas::Polyline(std::span<const TPoint> Points)
{
    for (size_t i = 0; i + 1 < Points.size(); ++i)
        StrokeLine(Points[i], Points[i + 1]);
}

void TCanvas::MoveTo(int32_t x, int32_t y) { FPenPos = {x, y}; }

void TCanvas::LineTo(int32_t x, int32_t y)
{
    StrokeLine(FPenPos, {x, y});
    FPenPos = {x, y};
}

// ---- Copies --------------------------------------------------------------------------------

void TCanvas::Draw(int32_t x, int32_t y, const TCanvas& Source, const TRect& SourceRect)
{
    if (!Source.FSurface)
        return;
    const int64_t left = int64_t(x) + FOrigin.X, top = int64_t(y) + FOrigin.Y;
    const TBox64 dest{left, top, left + (int64_t(SourceRect.Right) - SourceRect.Left),
                      top + (int64_t(SourceRect.Bottom) - SourceRect.Top)};
    CopySameSize(dest, *Source.FSurface, Source.ToSurface(SourceRect));
}

void TCanvas::Draw(int32_t x, int32_t y, const TBitmap& Source)
{
    const int64_t left = int64_t(x) + FOrigin.X, top = int64_t(y) + FOrigin.Y;
    CopySameSize({left, top, left + Source.Width(), top + Source.Height()}, Source, BoxOf(Source.BoundsRect()));
}

void TCanvas::CopyRect(const TRect& Dest, const TCanvas& Source, const TRect& SourceRect)
{
    if (Source.FSurface)
        StretchFrom(ToSurface(Dest), *Source.FSurface, Source.ToSurface(SourceRect), nullptr);
}

void TCanvas::BrushCopy(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, TColor ReplaceColor)
{
    const TPixel replace = ColorToPixel(ReplaceColor);
    StretchFrom(ToSurface(Dest), Source, BoxOf(SourceRect), ReplaceColor == clNone ? nullptr : &replace);
}

// Copies pixel for pixel, row by row with memmove, walking the rows upwards when the source
// lies above the destination on the same surface so that no row is overwritten before it is read.
void TCanvas::CopySameSize(const TBox64& Dest, const TBitmap& Source, const TBox64& SourceBox)
{
    const int64_t dx = SourceBox.Left - Dest.Left, dy = SourceBox.Top - Dest.Top;
    // The destination pixels whose source lies inside the source bitmap, cut to the clip.
    const TBox64 readable{-dx, -dy, Source.Width() - dx, Source.Height() - dy};
    const TRect area = BoxInside(readable, BoxInside(Dest, DrawClip()));
    if (area.IsEmpty() || Dest.Right <= Dest.Left || Dest.Bottom <= Dest.Top)
        return;
    // Whole rows of two pictures of the same width lie one after the other in memory, so they
    // go in one block; a large block copies faster than the same bytes row by row.
    const bool wholeRows =
        area.Left == 0 && dx == 0 && area.Width() == FSurface->Width() && Source.Width() == area.Width();
    if (wholeRows) {
        std::memmove(FSurface->Scanline(area.Top), Source.Scanline(static_cast<int32_t>(area.Top + dy)),
                     sizeof(TPixel) * size_t(area.Width()) * size_t(area.Height()));
        return;
    }
    // Rows of a few pixels from another picture, such as the dots of a clock face, are copied
    // pixel by pixel: calling memmove for each would cost more than the copy itself.
    constexpr int32_t FewPixels = 8;
    const bool sameSurface = &Source == FSurface;
    if (!sameSurface && area.Width() <= FewPixels) {
        for (int32_t y = area.Top; y < area.Bottom; ++y) {
            const TPixel* from = Source.Scanline(static_cast<int32_t>(y + dy)) + (area.Left + dx);
            TPixel* to = FSurface->Scanline(y) + area.Left;
            for (int32_t x = 0; x < area.Width(); ++x)
                to[x] = from[x];
        }
        return;
    }
    const bool upwards = sameSurface && dy < 0;
    for (int32_t i = 0; i < area.Height(); ++i) {
        const int32_t y = upwards ? area.Bottom - 1 - i : area.Top + i;
        const TPixel* from = Source.Scanline(static_cast<int32_t>(y + dy)) + (area.Left + dx);
        std::memmove(FSurface->Scanline(y) + area.Left, from, sizeof(TPixel) * area.Width());
    }
}

void TCanvas::StretchFrom(const TBox64& Dest, const TBitmap& Source, const TBox64& SourceBox, const TPixel* Replace)
{
    const int64_t destW = Dest.Right - Dest.Left, destH = Dest.Bottom - Dest.Top;
    const int64_t srcW = SourceBox.Right - SourceBox.Left, srcH = SourceBox.Bottom - SourceBox.Top;
    const TRect area = BoxInside(Dest, DrawClip());
    if (destW <= 0 || destH <= 0 || srcW <= 0 || srcH <= 0 || area.IsEmpty())
        return;
    if (!Replace && destW == srcW && destH == srcH) {
        CopySameSize(Dest, Source, SourceBox);
        return;
    }
    // The source column and row of each visible destination column and row; -1 where the
    // source pixel lies outside the source bitmap, which leaves the destination pixel alone.
    const auto sourceIndex = [](int64_t destPos, int64_t destStart, int64_t destSize, int64_t srcStart,
                                int64_t srcSize, int32_t limit) {
        const int64_t s = srcStart + StretchSourceIndex(destPos - destStart, destSize, srcSize);
        return s >= 0 && s < limit ? static_cast<int32_t>(s) : -1;
    };
    std::vector<int32_t> columns(area.Width()), rows(area.Height());
    for (int32_t i = 0; i < area.Width(); ++i)
        columns[i] = sourceIndex(area.Left + i, Dest.Left, destW, SourceBox.Left, srcW, Source.Width());
    for (int32_t i = 0; i < area.Height(); ++i)
        rows[i] = sourceIndex(area.Top + i, Dest.Top, destH, SourceBox.Top, srcH, Source.Height());

    // Reading from the surface being written needs a copy of the source taken first.
    std::vector<TPixel> snapshot;
    if (&Source == FSurface)
        snapshot.assign(Source.Scanline(0), Source.Scanline(0) + size_t(Source.Width()) * Source.Height());
    const auto sourcePixel = [&](int32_t x, int32_t y) {
        return snapshot.empty() ? Source.Pixel(x, y) : snapshot[size_t(y) * Source.Width() + x];
    };

    const TPaint brush = BrushPaint(FBrush);
    for (int32_t j = 0; j < area.Height(); ++j) {
        if (rows[j] < 0)
            continue;
        const int32_t y = area.Top + j;
        TPixel* out = FSurface->Scanline(y);
        for (int32_t i = 0; i < area.Width(); ++i) {
            if (columns[i] < 0)
                continue;
            const int32_t x = area.Left + i;
            const TPixel p = sourcePixel(columns[i], rows[j]);
            if (!Replace || p != *Replace)
                out[x] = p;
            else if (brush.Visible)
                out[x] = brush.At(x, y);
        }
    }
}

// ---- Text ----------------------------------------------------------------------------------

IFontEngine& TCanvas::FontEngine()
{
    IFontEngine* engine = CurrentPlatform().Fonts;
    if (!engine)
        throw Exception("No font engine is available to draw text");
    return *engine;
}

void TCanvas::TextOut(int32_t x, int32_t y, const std::string& Text)
{
    IFontEngine& engine = FontEngine();
    const TRect clip = DrawClip();
    const int64_t sx = int64_t(x) + FOrigin.X, sy = int64_t(y) + FOrigin.Y;
    // A text that starts beyond the 32-bit range cannot reach the surface.
    if (clip.IsEmpty() || Text.empty() || FFont.Color == clNone || sx != ClampToInt32(sx) || sy != ClampToInt32(sy))
        return;
    TFontSpec font = FFont;
    font.Color = ColorToRGB(FFont.Color);
    engine.DrawText(*FSurface, clip, static_cast<int32_t>(sx), static_cast<int32_t>(sy), Text, font);
}

TSize TCanvas::TextExtent(const std::string& Text) { return FontEngine().TextExtent(Text, FFont); }

// ---- Locking -------------------------------------------------------------------------------

// The owner and the count change only while the mutex is held, and the mutex orders them
// between threads, so they need no ordering of their own. A thread that does not hold the lock
// can never read its own id as the owner: it only ever stored that id while it held the lock,
// and cleared it again before letting go. So a thread that reads itself as the owner holds the
// lock and only counts the new hold; the mutex itself is taken once, by the outermost hold.
void TCanvas::Lock()
{
    const std::thread::id self = std::this_thread::get_id();
    if (FLockOwner.load(std::memory_order_relaxed) != self) {
        FMutex.lock();
        FLockOwner.store(self, std::memory_order_relaxed);
    }
    FLockCount.store(FLockCount.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

void TCanvas::Unlock()
{
    const int count = FLockCount.load(std::memory_order_relaxed);
    if (count == 0 || FLockOwner.load(std::memory_order_relaxed) != std::this_thread::get_id())
        throw Exception("Canvas unlocked by a thread that does not hold its lock");
    FLockCount.store(count - 1, std::memory_order_relaxed);
    if (count > 1)
        return;
    FLockOwner.store(std::thread::id{}, std::memory_order_relaxed);
    FMutex.unlock();
}
