#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <thread>

#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "platform/gfx/EllipseCache.h"
#include "platform/gfx/FontSpec.h"
#include "platform/gfx/IFontEngine.h"

class TBitmap;
class IFontEngine;
struct TBox64;

enum TPenStyle : uint8_t { psSolid, psClear };
enum TBrushStyle : uint8_t { bsSolid, bsClear };

// A pen draws Width pixels wide (a width below 1 counts as 1). A clear pen, or one of colour
// clNone, draws nothing.
struct TPen {
    TColor Color = clBlack;
    int32_t Width = 1;
    TPenStyle Style = psSolid;
};

// A solid or clear brush, or an 8 x 8 pattern. A pattern is anchored at the surface bitmap's
// origin: surface pixel (x, y) takes pattern pixel (x mod 8, y mod 8) whatever the canvas origin.
// The pattern takes the place of Color; a pattern bitmap smaller than 8 x 8 repeats at its own
// size. A clear brush draws nothing, pattern or not, and so does a plain brush of colour clNone.
struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    const TBitmap* Pattern = nullptr;   // not owned; used while set and not empty
};

// A drawing surface: a bitmap, seen through an origin and a clip rectangle. A bitmap's own
// canvas has origin (0, 0) and clips to the bitmap; a widget's canvas is attached to its
// parent's surface for the length of a paint, with the origin at the widget's top-left corner.
// All coordinates given to the operations are relative to the origin. Rectangles have
// exclusive right and bottom edges; nothing is drawn outside the clip or the surface. Colours
// are resolved when drawn (system colours through the platform's colour scheme).
//
// The pixel rules (the exact rules are in Raster.h):
// - Lines cover every position along their longer axis from the start up to, not including,
//   the end, each at the pixel nearest the exact line; a segment covers the same pixels drawn
//   in either direction.
// - Filled shapes cover the pixels whose centres lie inside, so a shape without area fills no
//   pixel, and a rectangle (or polygon) from (L, T) to (R, B) fills the pixels L .. R - 1 and
//   T .. B - 1.
// - Ellipses fill the pixels whose centres lie inside the ellipse that touches the four sides
//   of the box, and always the middle of every row and column, so that they reach all four
//   sides; the pen outlines the pixels at the shape's edge.
class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(TBitmap& Surface);

    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    TFontSpec& Font() { return FFont; }

    // Attaching a surface sets the origin and the clip (both in surface coordinates; the clip is
    // cut to the surface). Detaching leaves a canvas that draws nothing.
    void Attach(TBitmap* Surface, TPoint Origin, const TRect& Clip);
    void Attach(TBitmap* Surface);
    void Detach() { Attach(nullptr, {}, {}); }
    TBitmap* Surface() const { return FSurface; }
    TPoint Origin() const { return FOrigin; }

    // The clip in canvas coordinates (the box the system reports for a clip region).
    TRect ClipRect() const;
    // Narrows or widens the clip (canvas coordinates); it never reaches beyond the surface.
    void SetClipRect(const TRect& Clip);

    // Fills Rect with the brush; the pen is not used.
    void FillRect(const TRect& Rect);
    // Outlines Rect with the pen along its inside (the pixels L and R - 1, T and B - 1 for a
    // one-pixel pen) and fills the rest with the brush. With a clear pen the brush fills all.
    void Rectangle(const TRect& Rect);
    // Fills the ellipse inscribed in Box with the brush and outlines it with the pen.
    void Ellipse(const TRect& Box);
    // The same as Ellipse for each box in turn, with the pen, brush and clip taken once for all:
    // a picture made of many dots of one colour draws them in one call.
    void Ellipses(std::span<const TRect> Boxes);
    // Fills the closed polygon with the brush (even-odd rule) and outlines it with the pen.
    // A clear pen fills only; a clear brush outlines only.
    void Polygon(std::span<const TPoint> Points);
    // Connected segments with the pen; each segment sets its start pixel and not its end pixel.
    // The pen position is neither used nor changed.
    void Polyline(std::span<const TPoint> Points);
    // LineTo draws from the pen position to (x, y) like one Polyline segment and moves the pen
    // position there; MoveTo only moves it.
    void MoveTo(int32_t x, int32_t y);
    void LineTo(int32_t x, int32_t y);
    TPoint PenPos() const { return FPenPos; }

    // Block copy: Source's pixels of SourceRect (in Source's canvas coordinates) to the same
    // size at (x, y). Reading is not limited by the source's clip, only by its surface: a
    // destination pixel whose source lies outside the source surface keeps its value. Source
    // and destination may be the same surface and overlap.
    void Draw(int32_t x, int32_t y, const TCanvas& Source, const TRect& SourceRect);
    void Draw(int32_t x, int32_t y, const TBitmap& Source);
    // Copy with stretching from SourceRect of Source onto Dest: each destination pixel takes the
    // source pixel under its centre (no smoothing), so equal sizes copy pixel for pixel. A
    // rectangle without width or height copies nothing.
    void CopyRect(const TRect& Dest, const TCanvas& Source, const TRect& SourceRect);
    // Stretch-copies Source onto Dest; pixels of Source that equal ReplaceColor are painted
    // with the brush instead (left alone when the brush is clear). clNone replaces nothing.
    void BrushCopy(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, TColor ReplaceColor);

    // Text with a transparent background, in the canvas font, through the platform's font engine.
    // Without a font engine both raise Exception; a font of colour clNone draws nothing.
    void TextOut(int32_t x, int32_t y, const std::string& Text);
    TSize TextExtent(const std::string& Text);

    TPixel PixelAt(int32_t x, int32_t y) const;   // canvas coordinates; 0 outside the surface

    // A re-entrant lock: the thread that holds it may take it again. Unlock by a thread that
    // does not hold the lock raises Exception and changes nothing.
    void Lock();
    void Unlock();
    int LockCount() const { return FLockCount.load(std::memory_order_relaxed); }

private:
    TRect DrawClip() const;
    TBox64 ToSurface(const TRect& Rect) const;
    void StrokeLine(TPoint From, TPoint To);
    void StretchFrom(const TBox64& Dest, const TBitmap& Source, const TBox64& SourceBox, const TPixel* Replace);
    void CopySameSize(const TBox64& Dest, const TBitmap& Source, const TBox64& SourceBox);
    static IFontEngine& FontEngine();

    TBitmap* FSurface = nullptr;
    TPoint FOrigin;
    TRect FClip;   // surface coordinates
    TPen FPen;
    TBrush FBrush;
    TFontSpec FFont;
    TPoint FPenPos;
    TEllipseCache FEllipses;
    std::mutex FMutex;   // held once, by the outermost Lock
    std::atomic<std::thread::id> FLockOwner{};
    std::atomic<int> FLockCount{0};
};
