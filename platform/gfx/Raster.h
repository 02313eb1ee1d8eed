#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/core/Rect.h"

// The pixel rules of the canvas, as pure geometry: each routine turns a shape into the pixels
// it covers and hands them on as rectangles that already lie inside a clip rectangle. All
// arithmetic is exact integer arithmetic (products are formed in 128 bits), so a shape comes
// out with the same pixels on every target and no coordinate, however far off, can overflow.
//
// Coordinates are 64-bit so that a canvas origin added to a 32-bit coordinate stays exact. A
// pixel (x, y) is the unit square from (x, y) to (x + 1, y + 1); its centre is (x + 0.5, y + 0.5).

struct TPoint64 {
    int64_t X = 0;
    int64_t Y = 0;
};

// A box with exclusive right and bottom edges, like TRect but with room for an origin offset.
struct TBox64 {
    int64_t Left = 0;
    int64_t Top = 0;
    int64_t Right = 0;
    int64_t Bottom = 0;
};

// The same box with Left <= Right and Top <= Bottom.
TBox64 RightWayRound(const TBox64& Box);

// Receives covered pixels; every rectangle is non-empty and lies inside the clip.
using TRectSink = std::function<void(const TRect&)>;

// The pixels of the segment From -> To without the pixel of To. Along the longer axis (x when
// both are equal) every position from From up to To gets one pixel, on the exact line rounded to
// the nearest pixel; a tie goes to the smaller coordinate, so a segment covers the same pixels
// whichever end it starts from. A pen wider than one pixel stamps a PenWidth x PenWidth square,
// reaching (PenWidth - 1) / 2 pixels above and left of each line pixel. PenWidth below 1 counts
// as 1.
void RasterLine(TPoint64 From, TPoint64 To, int64_t PenWidth, const TRect& Clip, const TRectSink& Out);

// The ellipse inscribed in Box: the pixels whose centres lie inside or on the ellipse that
// touches the four sides of the box, and besides them the middle pixel (two for an even size) of
// every row and every column of the box, so that a thin ellipse still reaches all four sides
// (a box of 2 x 8 gives a 2 x 8 bar, where the centres alone would leave the end rows empty).
// The shape is symmetric about both middle lines of the box. A reversed box is put right way
// round first; a box with no width or height covers nothing, and so does one with a side of
// 2^32 pixels or more (no box made from 32-bit coordinates has one). With PenWidth 1 the outline is the set's edge: the pixels with
// a horizontal or vertical neighbour outside the set, an unbroken one-pixel ring. A wider pen
// takes the pixels that the ellipse inscribed in the box shrunk by PenWidth - 1 on each side
// leaves as edge, so the outline always stays inside the box. With PenWidth 0 (no pen) every
// pixel goes to Fill.
void RasterEllipse(const TBox64& Box, int64_t PenWidth, const TRect& Clip, const TRectSink& Fill,
                   const TRectSink& Outline);

// One row of an ellipse, counted from the top-left corner of its box: the row covers the
// pixels Left .. Right (inclusive), and of those the brush fills FillLeft .. FillRight while the
// pen outlines the rest. A row without pixels has Left > Right; a row that is all outline has
// FillLeft > FillRight.
struct TEllipseSpan {
    int64_t Left = 0;
    int64_t Right = -1;
    int64_t FillLeft = 0;
    int64_t FillRight = -1;
};

// The rows of the ellipse that RasterEllipse draws for a box of Width x Height with its corner
// at (0, 0), one span per row from the top. The shape depends on nothing but the box's size and
// the pen, so one set of spans moved to any place gives exactly the pixels RasterEllipse gives
// there. Out is replaced; sizes that RasterEllipse draws nothing for give no rows.
void EllipseSpans(int64_t Width, int64_t Height, int64_t PenWidth, std::vector<TEllipseSpan>& Out);

// The inside of the closed polygon through Points by the even-odd rule: the pixels whose centres
// lie inside. A centre exactly on an edge counts when the inside is to its right (left edges are
// inclusive, right edges exclusive), so polygons that share an edge share no pixel and a polygon
// without area covers nothing.
void RasterPolygon(std::span<const TPoint64> Points, const TRect& Clip, const TRectSink& Out);

// Stretching by nearest pixel centre: the source position, counted from the source's start, that
// destination position DestIndex (0 <= DestIndex < DestSize) takes, for a source of SourceSize.
// The same sizes map each position to itself.
int64_t StretchSourceIndex(int64_t DestIndex, int64_t DestSize, int64_t SourceSize);
