#pragma once
#include <cstdint>
#include <mutex>
#include <span>
#include <string>

#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/IFontEngine.h"

class TBitmap;

enum TPenStyle : uint8_t { psSolid, psClear };
enum TBrushStyle : uint8_t { bsSolid, bsClear };

struct TPen {
    TColor Color = clBlack;
    int32_t Width = 1;
    TPenStyle Style = psSolid;
};

// A solid or clear brush, or an 8 x 8 pattern. A pattern is anchored at the surface bitmap's
// origin: surface pixel (x, y) takes pattern pixel (x mod 8, y mod 8) whatever the canvas origin.
struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    const TBitmap* Pattern = nullptr;   // not owned; used while set and not empty
};

// A drawing surface: a bitmap, seen through an origin and a clip rectangle. A bitmap's own
// canvas has origin (0, 0) and clips to the bitmap; a widget's canvas is attached to its
// parent's surface for the length of a paint, with the origin at the widget's top-left corner.
// All coordinates given to the operations are relative to the origin. Rectangles have
// exclusive right and bottom edges; nothing is drawn outside the clip or the surface.
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

    void FillRect(const TRect& Rect);
    // Fills the ellipse inscribed in Box with the brush and outlines it with the pen.
    void Ellipse(const TRect& Box);
    // Fills the closed polygon with the brush (even-odd rule) and outlines it with the pen.
    // A clear pen fills only; a clear brush outlines only.
    void Polygon(std::span<const TPoint> Points);
    // Connected segments with the pen; each segment sets its start pixel and not its end pixel.
    void Polyline(std::span<const TPoint> Points);
    void MoveTo(int32_t x, int32_t y);
    void LineTo(int32_t x, int32_t y);

    // Block copy: Source's pixels of SourceRect (in Source's canvas coordinates) to the same
    // size at (x, y).
    void Draw(int32_t x, int32_t y, const TCanvas& Source, const TRect& SourceRect);
    void Draw(int32_t x, int32_t y, const TBitmap& Source);
    // Copy with stretching from SourceRect of Source onto Dest.
    void CopyRect(const TRect& Dest, const TCanvas& Source, const TRect& SourceRect);
    // Stretch-copies Source onto Dest; pixels of Source that equal ReplaceColor are painted
    // with the brush instead (left alone when the brush is clear).
    void BrushCopy(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, TColor ReplaceColor);

    // Text with a transparent background, in the canvas font, through the platform's font engine.
    void TextOut(int32_t x, int32_t y, const std::string& Text);
    TSize TextExtent(const std::string& Text);

    TPixel PixelAt(int32_t x, int32_t y) const;   // canvas coordinates; 0 outside the surface

    // A re-entrant lock: the thread that holds it may take it again.
    void Lock();
    void Unlock();
    int LockCount() const { return FLockCount; }

private:
    TBitmap* FSurface = nullptr;
    TPoint FOrigin;
    TRect FClip;   // surface coordinates
    TPen FPen;
    TBrush FBrush;
    TFontSpec FFont;
    TPoint FPenPos;
    std::recursive_mutex FMutex;
    int FLockCount = 0;
};
