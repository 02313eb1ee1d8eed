#include <atomic>
#include <chrono>
#include <climits>
#include <cmath>
#include <functional>
#include <set>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/IFontEngine.h"
#include "platform/gfx/Raster.h"
#include "tests/platform/gfx/PixelSketch.h"

namespace {

constexpr TPixel Black = 0x000000;
constexpr TPixel RedPixel = 0xFF0000;
constexpr TPixel LimePixel = 0x00FF00;
constexpr TPixel BluePixel = 0x0000FF;

const std::vector<std::pair<TPixel, char>> Legend = {{Black, '.'}, {RedPixel, 'o'}, {LimePixel, '#'}, {BluePixel, 'b'}};

// A black picture with its own canvas; the pen is red and the brush lime, so a sketch shows
// outline as 'o' and fill as '#'.
struct Board {
    TBitmap Picture;
    TCanvas& Canvas;

    Board(int32_t Width, int32_t Height) : Picture(Width, Height), Canvas(Picture.Canvas())
    {
        Clear(Picture, Black);
        Canvas.Pen() = TPen{clRed, 1, psSolid};
        Canvas.Brush() = TBrush{clLime, bsSolid, nullptr};
    }
    std::string Text() const { return "\n" + Sketch(Picture, Legend); }
};

// A picture whose every pixel differs, so a copy from the wrong place shows.
void FillDistinct(TBitmap& Picture)
{
    for (int32_t y = 0; y < Picture.Height(); ++y)
        for (int32_t x = 0; x < Picture.Width(); ++x)
            Picture.SetPixel(x, y, 0x010000u * (x + 1) + 0x000100u * (y + 1));
}

std::set<std::pair<int32_t, int32_t>> PixelsOf(const TBitmap& Picture, TPixel Value)
{
    std::set<std::pair<int32_t, int32_t>> pixels;
    for (int32_t y = 0; y < Picture.Height(); ++y)
        for (int32_t x = 0; x < Picture.Width(); ++x)
            if (Picture.Pixel(x, y) == Value)
                pixels.insert({x, y});
    return pixels;
}

}  // namespace

// ---- Rectangles, clip and origin -------------------------------------------------------------

TEST(Canvas, FillRectCoversRightAndBottomExclusiveInsideOriginAndClip)
{
    const struct { const char* name; TRect rect; TPoint origin; TRect clip; TRect painted; } cases[] = {
        {"plain", {2, 1, 5, 3}, {0, 0}, {0, 0, 8, 6}, {2, 1, 5, 3}},
        {"origin moves it", {0, 0, 2, 2}, {3, 2}, {0, 0, 8, 6}, {3, 2, 5, 4}},
        {"clip cuts it", {0, 0, 8, 6}, {0, 0}, {1, 2, 4, 5}, {1, 2, 4, 5}},
        {"surface cuts it", {-5, -5, 50, 50}, {0, 0}, {0, 0, 8, 6}, {0, 0, 8, 6}},
        {"reversed is empty", {5, 3, 2, 1}, {0, 0}, {0, 0, 8, 6}, {}},
        {"extreme coordinates", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {7, 5}, {0, 0, 8, 6}, {0, 0, 8, 6}},
        // Rows wider than a few pixels are filled in blocks; these end on either side of one.
        {"rows of nine", {3, 0, 12, 6}, {0, 0}, {0, 0, 40, 6}, {3, 0, 12, 6}},
        {"rows of seventeen", {20, 2, 37, 3}, {0, 0}, {0, 0, 40, 6}, {20, 2, 37, 3}},
        {"wide rows", {1, 1, 39, 5}, {0, 0}, {0, 0, 40, 6}, {1, 1, 39, 5}},
    };
    for (const auto& c : cases) {
        Board board(40, 6);
        board.Canvas.Attach(&board.Picture, c.origin, c.clip);
        board.Canvas.FillRect(c.rect);
        for (int32_t y = 0; y < 6; ++y)
            for (int32_t x = 0; x < 40; ++x)
                ASSERT_EQ(board.Picture.Pixel(x, y), c.painted.Contains(x, y) ? LimePixel : Black)
                    << c.name << " at (" << x << "," << y << ")" << board.Text();
    }
}

TEST(Canvas, ClipRectIsInCanvasCoordinatesAndNeverLeavesTheSurface)
{
    TBitmap picture(20, 10);
    TCanvas canvas;
    canvas.Attach(&picture, {5, 2}, {4, 1, 30, 6});
    EXPECT_EQ(canvas.ClipRect(), TRect(-1, -1, 15, 4));
    canvas.SetClipRect({-10, -10, 100, 100});
    EXPECT_EQ(canvas.ClipRect(), TRect(-5, -2, 15, 8));
    canvas.SetClipRect({1, 1, 3, 2});
    EXPECT_EQ(canvas.ClipRect(), TRect(1, 1, 3, 2));
    canvas.Detach();
    EXPECT_EQ(canvas.ClipRect(), TRect());
    canvas.FillRect({0, 0, 5, 5});   // a detached canvas draws nothing and does not fail
}

TEST(Canvas, EveryOperationStaysInsideTheClip)
{
    TBitmap source(4, 4);
    FillDistinct(source);
    const TPoint star[] = {{-20, -20}, {40, 3}, {-20, 30}, {40, -20}, {4, 40}};
    const TPoint zigzag[] = {{-20, -20}, {30, 25}, {-10, 25}, {30, -15}};
    const struct { const char* name; std::function<void(TCanvas&)> draw; } ops[] = {
        {"FillRect", [](TCanvas& c) { c.FillRect({-50, -50, 50, 50}); }},
        {"Rectangle", [](TCanvas& c) { c.Rectangle({-1, -1, 8, 8}); }},
        {"Ellipse", [](TCanvas& c) { c.Ellipse({-3, -3, 12, 10}); }},
        {"Polygon", [&](TCanvas& c) { c.Polygon(star); }},
        {"Polyline", [&](TCanvas& c) { c.Polyline(zigzag); }},
        {"wide Polyline", [&](TCanvas& c) { c.Pen().Width = 5; c.Polyline(zigzag); }},
        {"Draw", [&](TCanvas& c) { c.Draw(-2, -2, source); c.Draw(5, 3, source); }},
        {"CopyRect", [&](TCanvas& c) { c.CopyRect({-5, -5, 20, 20}, source.Canvas(), {0, 0, 4, 4}); }},
        {"BrushCopy", [&](TCanvas& c) { c.BrushCopy({-5, -5, 20, 20}, source, {0, 0, 4, 4}, clBlack); }},
    };
    const TRect clipOnSurface{3, 4, 10, 8};
    for (const auto& op : ops) {
        Board board(12, 10);
        board.Canvas.Attach(&board.Picture, {1, 1}, clipOnSurface);
        op.draw(board.Canvas);
        bool drewInside = false;
        for (int32_t y = 0; y < 10; ++y)
            for (int32_t x = 0; x < 12; ++x) {
                if (clipOnSurface.Contains(x, y))
                    drewInside |= board.Picture.Pixel(x, y) != Black;
                else
                    ASSERT_EQ(board.Picture.Pixel(x, y), Black) << op.name << " at (" << x << "," << y << ")" << board.Text();
            }
        EXPECT_TRUE(drewInside) << op.name << " drew nothing" << board.Text();
    }
}

TEST(Canvas, SurfaceShrunkAfterAttachingIsNotWrittenBeyond)
{
    TBitmap picture(10, 10);
    TCanvas canvas(picture);   // clip (0, 0, 10, 10)
    picture.SetSize(3, 2);
    canvas.Pen().Style = psClear;
    canvas.Brush().Color = clLime;
    canvas.FillRect({0, 0, 10, 10});
    canvas.Ellipse({0, 0, 10, 10});
    EXPECT_EQ(PixelsOf(picture, LimePixel).size(), 6u);
}

// ---- Lines -----------------------------------------------------------------------------------

TEST(Canvas, PolylineSetsEachStartPixelAndNotTheLastEnd)
{
    Board board(7, 5);
    const TPoint points[] = {{1, 1}, {5, 1}, {5, 4}};
    board.Canvas.Polyline(points);
    EXPECT_EQ(board.Text(), R"(
.......
.ooooo.
.....o.
.....o.
.......
)");
}

TEST(Canvas, LineToDrawsFromThePenPositionAndMovesIt)
{
    Board board(6, 4);
    board.Canvas.MoveTo(1, 2);
    board.Canvas.LineTo(4, 2);
    board.Canvas.LineTo(4, 0);
    board.Canvas.LineTo(4, 0);   // a segment to where the pen is draws nothing
    EXPECT_EQ(board.Canvas.PenPos(), TPoint(4, 0));
    EXPECT_EQ(board.Text(), R"(
......
....o.
.oooo.
......
)");
}

// The frame of the level bars: rings of two open polylines each, as the widget base draws them.
TEST(Canvas, RingFramesEndInTheBottomColourAtTwoCorners)
{
    Board board(6, 5);
    TCanvas& c = board.Canvas;
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t l = k, t = k, r = 6 - 1 - k, b = 5 - 1 - k;
        c.Pen().Color = clRed;
        const TPoint top[] = {{l, b}, {l, t}, {r, t}};
        c.Polyline(top);
        c.Pen().Color = clBlue;
        const TPoint bottom[] = {{r, t}, {r, b}, {l - 1, b}};
        c.Polyline(bottom);
    }
    EXPECT_EQ(board.Text(), R"(
ooooob
oooobb
oo..bb
obbbbb
bbbbbb
)");
}

TEST(Canvas, LineCoversTheNearestPixelsTheSameInBothDirections)
{
    const struct { TPoint a, b; } cases[] = {
        {{0, 0}, {7, 3}}, {{0, 0}, {3, 7}}, {{0, 0}, {8, 1}}, {{1, 2}, {7, 5}}, {{2, 9}, {9, 2}},
        {{0, 0}, {8, 8}}, {{0, 5}, {9, 5}}, {{4, 0}, {4, 9}}, {{9, 1}, {0, 4}}, {{6, 0}, {3, 9}},
    };
    for (const auto& c : cases) {
        Board forward(10, 10), backward(10, 10);
        forward.Canvas.MoveTo(c.a.X, c.a.Y);
        forward.Canvas.LineTo(c.b.X, c.b.Y);
        backward.Canvas.MoveTo(c.b.X, c.b.Y);
        backward.Canvas.LineTo(c.a.X, c.a.Y);
        auto there = PixelsOf(forward.Picture, RedPixel), back = PixelsOf(backward.Picture, RedPixel);
        const int32_t dx = c.b.X - c.a.X, dy = c.b.Y - c.a.Y;
        EXPECT_EQ(there.size(), size_t(std::max(std::abs(dx), std::abs(dy))))
            << c.a << "->" << c.b << " one pixel per step" << forward.Text();
        EXPECT_EQ(there.count({c.b.X, c.b.Y}), 0u) << c.a << "->" << c.b << " sets its end pixel";
        there.insert({c.b.X, c.b.Y});
        back.insert({c.a.X, c.a.Y});
        EXPECT_EQ(there, back) << c.a << "<->" << c.b << forward.Text() << backward.Text();
        for (const auto& [x, y] : there) {
            // Off the exact line by at most half a pixel across the line's longer axis.
            const bool xMajor = std::abs(dx) >= std::abs(dy);
            const double off = xMajor ? y - (c.a.Y + double(x - c.a.X) * dy / dx)
                                      : x - (c.a.X + double(y - c.a.Y) * dx / dy);
            EXPECT_LE(std::fabs(off), 0.5) << c.a << "->" << c.b << " at (" << x << "," << y << ")";
        }
    }
}

TEST(Canvas, FarOffLinesCrossTheSurfaceWhereTheExactLineDoes)
{
    // Endpoints billions of pixels away need products beyond 64 bits; the visible part must
    // still be the exact line.
    const struct { const char* name; TPoint a, b; std::function<int32_t(int32_t)> yAt; } cases[] = {
        {"diagonal", {-2000000000, -2000000000}, {2000000000, 2000000000}, [](int32_t x) { return x; }},
        {"half slope", {-2000000000, -1000000000}, {2000000000, 1000000000}, [](int32_t x) { return x / 2; }},
        {"extreme corners", {INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, [](int32_t x) { return x; }},
    };
    for (const auto& c : cases) {
        Board board(16, 16);
        const TPoint line[] = {c.a, c.b};
        board.Canvas.Polyline(line);
        std::set<std::pair<int32_t, int32_t>> expected;
        for (int32_t x = 0; x < 16; ++x)
            if (c.yAt(x) < 16)
                expected.insert({x, c.yAt(x)});
        EXPECT_EQ(PixelsOf(board.Picture, RedPixel), expected) << c.name << board.Text();
    }
}

TEST(Canvas, WidePenStampsASquareCentredOnEachPixel)
{
    Board board(8, 6);
    board.Canvas.Pen().Width = 3;
    board.Canvas.MoveTo(2, 2);
    board.Canvas.LineTo(5, 2);
    board.Canvas.Pen().Width = 0;   // counts as one pixel
    board.Canvas.MoveTo(0, 5);
    board.Canvas.LineTo(3, 5);
    EXPECT_EQ(board.Text(), R"(
........
.ooooo..
.ooooo..
.ooooo..
........
ooo.....
)");
}

TEST(Canvas, WideLinesAreTheSquaresStampedOnEveryPixelOfTheThinLine)
{
    const struct { TPoint a, b; } lines[] = {
        {{1, 1}, {12, 1}}, {{3, 0}, {3, 11}}, {{0, 0}, {11, 5}}, {{12, 2}, {2, 10}}, {{1, 11}, {11, 1}}, {{6, 6}, {7, 12}},
    };
    for (const auto& line : lines)
        for (int32_t width = 2; width <= 5; ++width) {
            Board thin(14, 14), wide(14, 14);
            thin.Canvas.MoveTo(line.a.X, line.a.Y);
            thin.Canvas.LineTo(line.b.X, line.b.Y);
            wide.Canvas.Pen().Width = width;
            wide.Canvas.MoveTo(line.a.X, line.a.Y);
            wide.Canvas.LineTo(line.b.X, line.b.Y);
            std::set<std::pair<int32_t, int32_t>> stamped;
            const int32_t back = (width - 1) / 2;
            for (const auto& [x, y] : PixelsOf(thin.Picture, RedPixel))
                for (int32_t sy = y - back; sy < y - back + width; ++sy)
                    for (int32_t sx = x - back; sx < x - back + width; ++sx)
                        if (sx >= 0 && sy >= 0 && sx < 14 && sy < 14)
                            stamped.insert({sx, sy});
            EXPECT_EQ(PixelsOf(wide.Picture, RedPixel), stamped)
                << line.a << "->" << line.b << " width " << width << wide.Text() << thin.Text();
        }
}

// ---- Ellipses --------------------------------------------------------------------------------

TEST(Canvas, EllipseOfAFourPixelBoxIsARoundDot)
{
    Board board(6, 6);
    board.Canvas.Ellipse({3 - 2, 3 - 2, 3 + 2, 3 + 2});
    EXPECT_EQ(board.Text(), R"(
......
..oo..
.o##o.
.o##o.
..oo..
......
)");
}

TEST(Canvas, EllipseTouchesEverySideOfItsBoxAndIsOutlinedAtItsEdge)
{
    for (int32_t w = 1; w <= 14; ++w)
        for (int32_t h = 1; h <= 14; ++h) {
            Board board(w + 2, h + 2);
            const TRect box{1, 1, 1 + w, 1 + h};
            board.Canvas.Ellipse(box);
            const auto painted = [&](int32_t x, int32_t y) {
                return x >= 0 && y >= 0 && x < w + 2 && y < h + 2 && board.Picture.Pixel(x, y) != Black;
            };
            bool left = false, right = false, top = false, bottom = false;
            for (int32_t y = 0; y < h + 2; ++y)
                for (int32_t x = 0; x < w + 2; ++x) {
                    if (!painted(x, y))
                        continue;
                    ASSERT_TRUE(box.Contains(x, y)) << w << "x" << h << " outside its box" << board.Text();
                    left |= x == box.Left, right |= x == box.Right - 1, top |= y == box.Top, bottom |= y == box.Bottom - 1;
                    const bool edge = !painted(x - 1, y) || !painted(x + 1, y) || !painted(x, y - 1) || !painted(x, y + 1);
                    ASSERT_EQ(board.Picture.Pixel(x, y), edge ? RedPixel : LimePixel)
                        << w << "x" << h << " at (" << x << "," << y << ")" << board.Text();
                    ASSERT_EQ(board.Picture.Pixel(x, y), board.Picture.Pixel(w + 1 - x, y)) << w << "x" << h << " mirrored";
                    ASSERT_EQ(board.Picture.Pixel(x, y), board.Picture.Pixel(x, h + 1 - y)) << w << "x" << h << " flipped";
                }
            EXPECT_TRUE(left && right && top && bottom) << w << "x" << h << " does not touch its box" << board.Text();
        }
}

TEST(Canvas, EllipsePenAndBrushEachDrawAloneAndReversedBoxesCount)
{
    const struct { const char* name; TPenStyle pen; TBrushStyle brush; TRect box; const char* picture; } cases[] = {
        {"clear pen fills all", psClear, bsSolid, {0, 0, 5, 4}, "\n.###.\n#####\n#####\n.###.\n"},
        {"clear brush outlines", psSolid, bsClear, {0, 0, 5, 4}, "\n.ooo.\no...o\no...o\n.ooo.\n"},
        {"reversed box", psSolid, bsSolid, {5, 4, 0, 0}, "\n.ooo.\no###o\no###o\n.ooo.\n"},
        {"no width", psSolid, bsSolid, {2, 0, 2, 4}, "\n.....\n.....\n.....\n.....\n"},
        {"one pixel wide", psSolid, bsSolid, {2, 0, 3, 4}, "\n..o..\n..o..\n..o..\n..o..\n"},
    };
    for (const auto& c : cases) {
        Board board(5, 4);
        board.Canvas.Pen().Style = c.pen;
        board.Canvas.Brush().Style = c.brush;
        board.Canvas.Ellipse(c.box);
        EXPECT_EQ(board.Text(), c.picture) << c.name;
    }
}

TEST(Canvas, EllipseIsTheSameShapeWhereverItLiesAndHoweverItIsClipped)
{
    // The reference is the raster routine itself, painting straight into a picture; the canvas
    // draws every shape from the spans of a shape it worked out before, moved into place. One
    // canvas draws all the cases: each shape at every place in turn, then the same size with
    // the next pen, so the canvas draws from shapes it keeps as well as from new ones.
    const struct { const char* name; TPoint at; TPoint origin; TRect clip; } places[] = {
        {"whole, at the corner", {0, 0}, {0, 0}, {0, 0, 40, 40}},
        {"whole, further in", {9, 5}, {0, 0}, {0, 0, 40, 40}},
        {"through the canvas origin", {-4, 3}, {11, 2}, {0, 0, 40, 40}},
        {"cut by the clip", {7, 6}, {0, 0}, {10, 9, 15, 40}},
        {"half off the surface", {-5, -3}, {0, 0}, {0, 0, 40, 40}},
    };
    const struct { int32_t w, h; } sizes[] = {{1, 1}, {4, 4}, {7, 6}, {2, 8}, {13, 3}, {12, 12}, {5, 9}, {20, 11}};
    Board board(40, 40);
    for (const auto& size : sizes)
        for (int32_t pen = 0; pen <= 3; ++pen)
            for (const auto& place : places) {
                Clear(board.Picture, Black);
                board.Canvas.Attach(&board.Picture, place.origin, place.clip);
                board.Canvas.Pen() = TPen{clRed, std::max(pen, 1), pen == 0 ? psClear : psSolid};
                const TRect box = TRect::FromSize(place.at.X, place.at.Y, size.w, size.h);
                board.Canvas.Ellipse(box);

                TBitmap expected(40, 40);
                Clear(expected, Black);
                const auto paint = [&](TPixel p) {
                    return [&expected, p](const TRect& r) {
                        for (int32_t y = r.Top; y < r.Bottom; ++y)
                            for (int32_t x = r.Left; x < r.Right; ++x)
                                expected.SetPixel(x, y, p);
                    };
                };
                const TBox64 onSurface{int64_t(box.Left) + place.origin.X, int64_t(box.Top) + place.origin.Y,
                                       int64_t(box.Right) + place.origin.X, int64_t(box.Bottom) + place.origin.Y};
                RasterEllipse(onSurface, pen, place.clip, paint(LimePixel), paint(RedPixel));
                ASSERT_EQ(board.Text(), "\n" + Sketch(expected, Legend))
                    << place.name << ", " << size.w << "x" << size.h << ", pen " << pen;
            }
}

TEST(Canvas, HugeEllipsesAreExactWhereTheyCrossTheSurface)
{
    const struct { const char* name; TRect box; std::function<bool(int32_t, int32_t)> outline; } cases[] = {
        {"tall", {0, INT32_MIN, 16, INT32_MAX}, [](int32_t x, int32_t) { return x == 0 || x == 15; }},
        {"wide", {INT32_MIN, 0, INT32_MAX, 16}, [](int32_t, int32_t y) { return y == 0 || y == 15; }},
    };
    for (const auto& c : cases) {
        Board board(16, 16);
        board.Canvas.Ellipse(c.box);
        for (int32_t y = 0; y < 16; ++y)
            for (int32_t x = 0; x < 16; ++x)
                ASSERT_EQ(board.Picture.Pixel(x, y), c.outline(x, y) ? RedPixel : LimePixel)
                    << c.name << " at (" << x << "," << y << ")" << board.Text();
    }
}

// ---- Polygons --------------------------------------------------------------------------------

TEST(Canvas, PolygonsWithoutAreaFillNothingAndTheirOutlineKeepsBothEnds)
{
    // The segments of a one-pixel-thick LED cell: bars and diagonals are polygons without area,
    // dots are one-pixel squares.
    const std::vector<TPoint> topBar = {{2, 1}, {2, 1}, {11, 1}, {11, 1}, {11, 1}, {2, 1}};
    const std::vector<TPoint> diagonal = {{6, 7}, {6, 7}, {3, 3}, {3, 3}, {3, 3}, {6, 7}};
    const std::vector<TPoint> dot = {{6, 7}, {6, 8}, {5, 8}, {5, 7}, {5, 7}, {5, 7}};
    const struct { const char* name; const std::vector<TPoint>& shape; bool lit; std::set<std::pair<int32_t, int32_t>> pixels; } cases[] = {
        {"unlit bar", topBar, false, {}},
        {"lit bar", topBar, true, {{2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1}, {11, 1}}},
        {"unlit diagonal", diagonal, false, {}},
        {"lit diagonal", diagonal, true, {{6, 7}, {5, 6}, {4, 5}, {4, 4}, {3, 3}}},
        {"unlit dot", dot, false, {{5, 7}}},
        {"lit dot", dot, true, {{5, 7}, {6, 7}, {5, 8}, {6, 8}}},
    };
    for (const auto& c : cases) {
        Board board(14, 17);
        board.Canvas.Pen() = TPen{clLime, 1, c.lit ? psSolid : psClear};
        board.Canvas.Polygon(c.shape);
        EXPECT_EQ(PixelsOf(board.Picture, LimePixel), c.pixels) << c.name << board.Text();
    }
}

TEST(Canvas, PolygonFillsByTheEvenOddRuleAndNeighboursShareNoPixel)
{
    Board board(10, 8);
    board.Canvas.Pen().Style = psClear;
    // A square with a square hole, drawn as one path that goes in and back out along a diagonal.
    const TPoint framed[] = {{0, 0}, {8, 0}, {8, 8}, {0, 8}, {0, 0}, {2, 2}, {2, 6}, {6, 6}, {6, 2}, {2, 2}};
    board.Canvas.Polygon(framed);
    board.Canvas.Brush().Color = clBlue;
    const TPoint neighbour[] = {{8, 0}, {10, 0}, {10, 8}, {8, 8}};   // shares the edge x = 8
    board.Canvas.Polygon(neighbour);
    EXPECT_EQ(board.Text(), R"(
########bb
########bb
##....##bb
##....##bb
##....##bb
##....##bb
########bb
########bb
)");
}

// ---- Brushes ---------------------------------------------------------------------------------

TEST(Canvas, PatternBrushIsAnchoredAtTheSurfaceOriginWhateverTheCanvasOrigin)
{
    const struct { const char* name; int32_t w, h; std::function<void(TCanvas&)> fill; } cases[] = {
        {"FillRect 8x8", 8, 8, [](TCanvas& c) { c.FillRect({-10, -10, 30, 30}); }},
        {"Polygon 8x8", 8, 8, [](TCanvas& c) { const TPoint p[] = {{-10, -10}, {30, -10}, {30, 30}, {-10, 30}}; c.Polygon(p); }},
        {"FillRect 3x2 repeats at its size", 3, 2, [](TCanvas& c) { c.FillRect({-10, -10, 30, 30}); }},
        {"larger than 8 uses 8x8", 12, 9, [](TCanvas& c) { c.FillRect({-10, -10, 30, 30}); }},
    };
    for (const auto& c : cases) {
        TBitmap pattern(c.w, c.h);
        FillDistinct(pattern);
        TBitmap surface(19, 13);
        TCanvas canvas;
        canvas.Attach(&surface, {3, 5}, surface.BoundsRect());
        canvas.Pen().Style = psClear;
        canvas.Brush() = TBrush{clLime, bsSolid, &pattern};
        c.fill(canvas);
        const int32_t tw = std::min(c.w, 8), th = std::min(c.h, 8);
        for (int32_t y = 0; y < 13; ++y)
            for (int32_t x = 0; x < 19; ++x)
                ASSERT_EQ(surface.Pixel(x, y), pattern.Pixel(x % tw, y % th)) << c.name << " at (" << x << "," << y << ")";
    }
}

TEST(Canvas, ColoursResolveWhenDrawnAndClNoneDrawsNothing)
{
    struct Scheme : IColorScheme {
        std::optional<TColor> SystemColor(int Index) const override
        {
            return Index == 15 ? std::optional<TColor>(0x00302010) : std::nullopt;
        }
    } scheme;
    Platform services = CurrentPlatform();
    services.Colors = &scheme;
    ScopedPlatform scoped(services);

    const struct { TColor color; TPixel pixel; } cases[] = {
        {clRed, 0xFF0000}, {0x00563412, 0x123456}, {clBtnFace, 0x102030}, {static_cast<TColor>(0x80000040), Black},
    };
    for (const auto& c : cases) {
        Board board(2, 1);
        Clear(board.Picture, 0xABCDEF);
        board.Canvas.Brush().Color = c.color;
        board.Canvas.FillRect({0, 0, 1, 1});
        board.Canvas.Pen().Color = c.color;
        board.Canvas.MoveTo(1, 0);
        board.Canvas.LineTo(2, 0);
        EXPECT_EQ(board.Picture.Pixel(0, 0), c.pixel) << "brush " << std::hex << c.color;
        EXPECT_EQ(board.Picture.Pixel(1, 0), c.pixel) << "pen " << std::hex << c.color;
    }

    Board none(6, 6);
    none.Canvas.Pen().Color = clNone;
    none.Canvas.Brush().Color = clNone;
    none.Canvas.FillRect({0, 0, 6, 6});
    none.Canvas.Rectangle({0, 0, 6, 6});
    none.Canvas.Ellipse({0, 0, 6, 6});
    EXPECT_TRUE(PixelsOf(none.Picture, Black).size() == 36u) << none.Text();
}

TEST(Canvas, RectangleOutlinesItsInsideEdgeAndFillsTheRest)
{
    const struct { const char* name; int32_t penWidth; TPenStyle pen; TRect rect; const char* picture; } cases[] = {
        {"one pixel pen", 1, psSolid, {1, 1, 6, 5}, "\n.......\n.ooooo.\n.o###o.\n.o###o.\n.ooooo.\n......."},
        {"two pixel pen", 2, psSolid, {0, 0, 7, 6}, "\nooooooo\nooooooo\noo###oo\noo###oo\nooooooo\nooooooo"},
        {"clear pen", 1, psClear, {1, 1, 6, 5}, "\n.......\n.#####.\n.#####.\n.#####.\n.#####.\n......."},
        {"too small for the pen", 2, psSolid, {1, 1, 4, 4}, "\n.......\n.ooo...\n.ooo...\n.ooo...\n.......\n......."},
    };
    for (const auto& c : cases) {
        Board board(7, 6);
        board.Canvas.Pen().Width = c.penWidth;
        board.Canvas.Pen().Style = c.pen;
        board.Canvas.Rectangle(c.rect);
        EXPECT_EQ(board.Text(), std::string(c.picture) + "\n") << c.name;
    }
}

// ---- Copies ----------------------------------------------------------------------------------

TEST(Canvas, DrawCopiesWithinOneSurfaceInEveryDirection)
{
    // A block inside the picture, whole rows (copied in one piece), and a column of a few pixels,
    // each copied within the picture and from another picture of the same size.
    const TRect blocks[] = {{3, 3, 9, 7}, {0, 2, 12, 7}, {4, 1, 6, 9}};
    const TPoint moves[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {2, 3}, {-3, -2}, {2, -1}, {0, 3}, {0, -2}};
    for (const bool withinOne : {true, false})
        for (const TRect& from : blocks)
            for (const TPoint move : moves) {
                TBitmap picture(12, 10), before(12, 10), other(12, 10);
                FillDistinct(picture);
                FillDistinct(before);
                FillDistinct(other);
                TBitmap& source = withinOne ? picture : other;
                picture.Canvas().Draw(from.Left + move.X, from.Top + move.Y, source.Canvas(), from);
                for (int32_t y = 0; y < 10; ++y)
                    for (int32_t x = 0; x < 12; ++x) {
                        const TPoint at{x - move.X, y - move.Y};
                        const bool moved = from.Translated(move.X, move.Y).Contains(x, y);
                        const TPixel expected = moved ? before.Pixel(at.X, at.Y) : before.Pixel(x, y);
                        ASSERT_EQ(picture.Pixel(x, y), expected) << (withinOne ? "within, " : "from another, ") << from
                                                                 << " move " << move << " at (" << x << "," << y << ")";
                    }
            }
}

TEST(Canvas, DrawReadsThroughTheSourceOriginAndLeavesPixelsWithoutSource)
{
    TBitmap source(5, 4);
    FillDistinct(source);
    TCanvas sourceCanvas;
    sourceCanvas.Attach(&source, {2, 1}, {0, 0, 1, 1});   // the source clip does not limit reading
    Board board(6, 6);
    board.Canvas.Draw(1, 1, sourceCanvas, {-4, -3, 1, 2});   // surface (-2, -2) .. (3, 3)
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 6; ++x) {
            const int32_t sx = x - 1 - 2, sy = y - 1 - 2;   // source surface pixel under (x, y)
            const bool copied = x >= 1 && x < 6 && y >= 1 && y < 6 && sx >= 0 && sy >= 0 && sx <= 2 && sy <= 2;
            ASSERT_EQ(board.Picture.Pixel(x, y), copied ? source.Pixel(sx, sy) : Black) << "(" << x << "," << y << ")";
        }
}

TEST(Canvas, CopyRectStretchesToThePixelUnderEachCentre)
{
    TBitmap source(6, 4);
    FillDistinct(source);
    const struct { const char* name; TRect dest, from; std::function<TPoint(int32_t, int32_t)> sourceOf; } cases[] = {
        {"same size", {1, 1, 4, 3}, {2, 1, 5, 3}, [](int32_t x, int32_t y) { return TPoint(x + 2, y + 1); }},
        {"doubled", {0, 0, 6, 4}, {0, 0, 3, 2}, [](int32_t x, int32_t y) { return TPoint(x / 2, y / 2); }},
        {"halved", {0, 0, 3, 2}, {0, 0, 6, 4}, [](int32_t x, int32_t y) { return TPoint(2 * x + 1, 2 * y + 1); }},
        {"tripled width", {0, 0, 6, 1}, {4, 2, 6, 3}, [](int32_t x, int32_t) { return TPoint(4 + x / 3, 2); }},
    };
    for (const auto& c : cases) {
        Board board(8, 6);
        board.Canvas.CopyRect(c.dest, source.Canvas(), c.from);
        for (int32_t y = 0; y < 6; ++y)
            for (int32_t x = 0; x < 8; ++x) {
                const TPoint s = c.sourceOf(x - c.dest.Left, y - c.dest.Top);
                const TPixel expected = c.dest.Contains(x, y) ? source.Pixel(s.X, s.Y) : Black;
                ASSERT_EQ(board.Picture.Pixel(x, y), expected) << c.name << " at (" << x << "," << y << ")";
            }
    }
}

TEST(Canvas, BrushCopyPaintsTheReplacedColourWithTheBrush)
{
    TBitmap source(4, 1);
    const TPixel row[] = {RedPixel, 0x123456, RedPixel, BluePixel};
    for (int32_t x = 0; x < 4; ++x)
        source.SetPixel(x, 0, row[x]);
    const struct { const char* name; TBrushStyle brush; TColor replace; const char* picture; } cases[] = {
        {"solid brush", bsSolid, clRed, "#?#b\n"},
        {"clear brush keeps the destination", bsClear, clRed, ".?.b\n"},
        {"clNone replaces nothing", bsSolid, clNone, "o?ob\n"},
    };
    for (const auto& c : cases) {
        Board board(4, 1);
        board.Canvas.Brush().Style = c.brush;
        board.Canvas.BrushCopy({0, 0, 4, 1}, source, {0, 0, 4, 1}, c.replace);
        EXPECT_EQ(Sketch(board.Picture, Legend), c.picture) << c.name;
    }
}

// ---- Text ------------------------------------------------------------------------------------

TEST(Canvas, TextGoesToTheFontEngineInSurfaceCoordinatesWithItsColourResolved)
{
    struct Recorder : IFontEngine {
        struct Call { TRect clip; int32_t x, y; std::string text; TFontSpec font; };
        std::vector<Call> calls;
        void DrawText(TBitmap&, const TRect& Clip, int32_t X, int32_t Y, const std::string& Text,
                      const TFontSpec& Font) override
        {
            calls.push_back({Clip, X, Y, Text, Font});
        }
        TSize TextExtent(const std::string& Text, const TFontSpec&) override { return {int32_t(Text.size()) * 6, 13}; }
    } engine;
    Platform services = CurrentPlatform();
    services.Fonts = &engine;
    services.Colors = nullptr;   // system colours resolve to black
    ScopedPlatform scoped(services);

    TBitmap picture(40, 20);
    TCanvas canvas;
    canvas.Attach(&picture, {5, 6}, {5, 6, 25, 16});
    canvas.Font().Color = clBtnText;
    canvas.TextOut(2, 3, "Hi");
    canvas.Font().Color = clNone;
    canvas.TextOut(2, 3, "unseen");
    ASSERT_EQ(engine.calls.size(), 1u);
    EXPECT_EQ(engine.calls[0].x, 7);
    EXPECT_EQ(engine.calls[0].y, 9);
    EXPECT_EQ(engine.calls[0].clip, TRect(5, 6, 25, 16));
    EXPECT_EQ(engine.calls[0].text, "Hi");
    EXPECT_EQ(engine.calls[0].font.Color, clBlack);
    EXPECT_EQ(canvas.TextExtent("abc"), (TSize{18, 13}));

    services.Fonts = nullptr;
    ScopedPlatform withoutFonts(services);
    EXPECT_THROW(canvas.TextOut(0, 0, "x"), Exception);
    EXPECT_THROW(canvas.TextExtent("x"), Exception);
}

// ---- Lock ------------------------------------------------------------------------------------

TEST(Canvas, LockIsReentrantAndKeepsOtherThreadsOutUntilFullyReleased)
{
    using namespace std::chrono_literals;
    TCanvas canvas;
    canvas.Lock();
    canvas.Lock();
    EXPECT_EQ(canvas.LockCount(), 2);

    std::atomic<bool> entered{false};
    bool strangerCouldUnlock = true;
    std::thread other([&] {
        try {
            canvas.Unlock();
        } catch (const Exception&) {
            strangerCouldUnlock = false;
        }
        canvas.Lock();
        entered = true;
        canvas.Unlock();
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(entered);
    canvas.Unlock();
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(entered) << "entered while the lock was still held once";
    canvas.Unlock();
    other.join();
    EXPECT_TRUE(entered);
    EXPECT_FALSE(strangerCouldUnlock);
    EXPECT_EQ(canvas.LockCount(), 0);
    EXPECT_THROW(canvas.Unlock(), Exception);
}
