#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "tests/support/GoldenImage.h"

// Pictures that pin down the look of every primitive at once; the exact rules that the program
// depends on are asserted pixel by pixel in CanvasTest.cpp.

namespace {

void Prepare(TBitmap& Picture, TColor Background)
{
    TCanvas& c = Picture.Canvas();
    c.Pen() = TPen{clBlack, 1, psSolid};
    c.Brush() = TBrush{Background, bsSolid, nullptr};
    c.FillRect(Picture.BoundsRect());
}

// The six-point outlines of a sixteen-segment LED cell of stroke T, bar length H and bar height V.
std::vector<std::vector<TPoint>> LedSegments(int32_t T, int32_t H, int32_t V)
{
    const auto roundHalfEven = [](double v) { return static_cast<int32_t>(std::nearbyint(v)); };
    const int32_t t = T / 2, C = (4 * T + H) / 2, R = roundHalfEven(1.5 * T);
    const auto hbar = [&](int32_t X, int32_t Y) {
        return std::vector<TPoint>{{X, Y + t}, {X + t, Y}, {X + t + H, Y}, {X + H + 2 * t, Y + t}, {X + t + H, Y + 2 * t}, {X + t, Y + 2 * t}};
    };
    const auto vbar = [&](int32_t X, int32_t Y) {
        return std::vector<TPoint>{{X + t, Y}, {X + 2 * t, Y + t}, {X + 2 * t, Y + t + V}, {X + t, Y + 2 * t + V}, {X, Y + t + V}, {X, Y + t}};
    };
    const auto diagonal = [&](int32_t X, int32_t Y, int32_t EX, int32_t EY) {
        const int32_t dx = roundHalfEven((EX > 0 ? 1 : -1) * T / 2.0), dy = roundHalfEven((EY > 0 ? 1 : -1) * T / 2.0);
        return std::vector<TPoint>{{X, Y}, {X + dx, Y}, {X + EX, Y + EY - dy}, {X + EX, Y + EY}, {X + EX - dx, Y + EY}, {X, Y + dy}};
    };
    const auto dot = [&](int32_t X, int32_t Y) {
        return std::vector<TPoint>{{X + T, Y - 1}, {X + T, Y + T - 1}, {X, Y + T - 1}, {X, Y - 1}, {X, Y - 1}, {X, Y - 1}};
    };
    return {hbar(2 * T, T), vbar(T, 2 * T), vbar(3 * T + H, 2 * T), hbar(2 * T, 3 * T + V), vbar(T, 4 * T + V),
            vbar(3 * T + H, 4 * T + V), hbar(2 * T, 5 * T + 2 * V), vbar(C, 2 * T), vbar(C, 4 * T + V),
            diagonal(C - t, 2 * T + V, T - H / 2, T - V), diagonal(C + R, 2 * T + V, H / 2 - T, T - V),
            diagonal(C - t, 5 * T + V, T - H / 2, V - T), diagonal(C + R, 5 * T + V, H / 2 - T, V - T),
            dot(C - 1, 3 * T + V), dot(C - 1, T), dot(C - 1, 5 * T + 2 * V)};
}

std::vector<TPoint> Moved(const std::vector<TPoint>& Points, int32_t dx, int32_t dy)
{
    std::vector<TPoint> moved;
    for (const TPoint& p : Points)
        moved.push_back(p.Translated(dx, dy));
    return moved;
}

// A one-pixel checkerboard of two colours, the unlit look of LED segments.
void Checkerboard(TBitmap& Pattern, TColor On, TColor Off)
{
    Pattern.SetSize(8, 8);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x)
            Pattern.SetPixel(x, y, ColorToPixel((x + y) % 2 == 0 ? On : Off));
}

}  // namespace

TEST(CanvasPictures, Ellipses)
{
    TBitmap picture(200, 200);
    Prepare(picture, clBlack);
    TCanvas& c = picture.Canvas();
    c.Pen().Color = clRed;
    c.Brush().Color = clLime;
    // Every box from 1 x 1 to 10 x 10.
    for (int32_t h = 1; h <= 10; ++h)
        for (int32_t w = 1; w <= 10; ++w)
            c.Ellipse(TRect::FromSize(2 + (w - 1) * 12, 2 + (h - 1) * 12, w, h));
    // The clock's dots: hour marks and second dots (4 x 4), LED dots of size 6 and 3.
    c.Ellipse({124, 4, 128, 8});
    c.Ellipse({134, 4, 141, 10});
    c.Ellipse({146, 4, 150, 7});
    // Larger shapes, a wide pen, outline only, fill only, a thin sliver.
    c.Ellipse({124, 16, 165, 57});
    c.Ellipse({124, 62, 196, 92});
    c.Pen().Width = 3;
    c.Ellipse({124, 96, 164, 120});
    c.Pen().Width = 1;
    c.Brush().Style = bsClear;
    c.Ellipse({168, 96, 196, 124});
    c.Brush().Style = bsSolid;
    c.Pen().Style = psClear;
    c.Ellipse({124, 128, 150, 150});
    c.Pen().Style = psSolid;
    c.Ellipse({154, 128, 196, 132});
    c.Ellipse({170, 16, 174, 57});
    // Ellipses cut by the clip: only the part inside (2, 124) - (120, 196) shows.
    c.SetClipRect({2, 124, 120, 196});
    c.Brush().Color = clYellow;
    c.Ellipse({-20, 110, 80, 230});
    c.Ellipse({70, 140, 150, 180});
    EXPECT_TRUE(MatchesGolden(picture, "gfx/canvas-ellipses"));
}

TEST(CanvasPictures, Lines)
{
    TBitmap picture(200, 110);
    Prepare(picture, clBlack);
    TCanvas& c = picture.Canvas();
    // A star of segments from the centre to every tenth pixel around a square, each ending one
    // pixel short, so that every slope class (flat, steep, diagonal, ties) shows.
    std::vector<TPoint> ends;
    for (int32_t t = 0; t < 9; ++t) {
        ends.push_back({5 + 10 * t, 5});
        ends.push_back({95, 5 + 10 * t});
        ends.push_back({95 - 10 * t, 95});
        ends.push_back({5, 95 - 10 * t});
    }
    for (size_t k = 0; k < ends.size(); ++k) {
        c.Pen().Color = k % 2 == 0 ? clAqua : clYellow;
        c.MoveTo(50, 50);
        c.LineTo(ends[k].X, ends[k].Y);
    }
    // Wide pens.
    c.Pen().Color = clFuchsia;
    for (int32_t w = 1; w <= 5; ++w) {
        c.Pen().Width = w;
        c.MoveTo(105, 8 + (w - 1) * 10);
        c.LineTo(150, 4 + (w - 1) * 12);
    }
    c.Pen().Width = 4;
    const TPoint zigzag[] = {{160, 10}, {190, 20}, {165, 40}, {195, 55}};
    c.Polyline(zigzag);
    c.Pen().Width = 1;
    // Ring frames as the level bars draw them: top-left colour, then bottom-right colour.
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t l = 105 + k, t = 70 + k, r = 194 - k, b = 104 - k;
        c.Pen().Color = clWhite;
        const TPoint top[] = {{l, b}, {l, t}, {r, t}};
        c.Polyline(top);
        c.Pen().Color = clGray;
        const TPoint bottom[] = {{r, t}, {r, b}, {l - 1, b}};
        c.Polyline(bottom);
    }
    c.Pen().Color = clRed;
    c.Brush().Color = clNavy;
    c.Rectangle({112, 77, 140, 98});
    c.Pen().Width = 2;
    c.Rectangle({146, 77, 188, 98});
    EXPECT_TRUE(MatchesGolden(picture, "gfx/canvas-lines"));
}

TEST(CanvasPictures, Polygons)
{
    TBitmap picture(200, 90);
    Prepare(picture, clBlack);
    TCanvas& c = picture.Canvas();

    // LED cells: all segments unlit (checkerboard, no outline), then the lit ones of "8" and
    // "X" filled and outlined in the lit colour; once with stroke 2, once with stroke 1.
    TBitmap unlit;
    Checkerboard(unlit, clGreen, clBlack);
    const struct { int32_t T, H, V, x; uint16_t mask; } cells[] = {
        {2, 9, 7, 4, 0x007F}, {2, 9, 7, 26, 0x1E00}, {2, 9, 7, 48, 0xA000}, {1, 9, 5, 74, 0x007F}, {1, 9, 5, 90, 0x1E00},
        {1, 9, 5, 106, 0xA000}, {3, 12, 9, 124, 0x1277},
    };
    for (const auto& cell : cells) {
        const auto segments = LedSegments(cell.T, cell.H, cell.V);
        c.Pen().Style = psClear;
        c.Brush() = TBrush{clGreen, bsSolid, &unlit};
        for (const auto& s : segments)
            c.Polygon(Moved(s, cell.x, 4));
        c.Pen() = TPen{clLime, 1, psSolid};
        c.Brush() = TBrush{clLime, bsSolid, nullptr};
        for (int n = 0; n < 16; ++n)
            if (cell.mask & (1 << n))
                c.Polygon(Moved(segments[n], cell.x, 4));
    }

    // A pentagram (even-odd leaves its centre open), a concave arrow and thin triangles.
    c.Pen().Color = clWhite;
    c.Brush().Color = clRed;
    const TPoint star[] = {{30, 44}, {42, 84}, {10, 58}, {50, 58}, {18, 84}};
    c.Polygon(star);
    const TPoint arrow[] = {{60, 50}, {90, 50}, {90, 42}, {110, 64}, {90, 86}, {90, 78}, {60, 78}, {72, 64}};
    c.Brush().Color = clBlue;
    c.Polygon(arrow);
    c.Pen().Style = psClear;
    c.Brush().Color = clYellow;
    const TPoint sliver[] = {{120, 46}, {196, 50}, {120, 48}};
    c.Polygon(sliver);
    const TPoint fan[] = {{120, 56}, {196, 70}, {150, 86}};
    c.Polygon(fan);
    c.Brush().Color = clAqua;
    const TPoint neighbour[] = {{120, 56}, {150, 86}, {120, 86}};   // shares the edge with the fan
    c.Polygon(neighbour);
    EXPECT_TRUE(MatchesGolden(picture, "gfx/canvas-polygons"));
}

TEST(CanvasPictures, Copies)
{
    TBitmap source(8, 6);
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 8; ++x)
            source.SetPixel(x, y, (x == 0 || y == 0) ? 0xFF00FF : (0x200000u * x) | (0x002800u * y) | 0x40);

    TBitmap picture(120, 60);
    Prepare(picture, clBlack);
    TCanvas& c = picture.Canvas();
    c.Draw(2, 2, source);
    c.CopyRect({14, 2, 30, 14}, source.Canvas(), {0, 0, 8, 6});   // doubled
    c.CopyRect({34, 2, 58, 8}, source.Canvas(), {0, 0, 8, 6});    // wide and squashed
    c.CopyRect({62, 2, 67, 6}, source.Canvas(), {0, 0, 8, 6});    // shrunk
    c.CopyRect({70, 2, 118, 26}, source.Canvas(), {3, 2, 7, 5});  // a part, enlarged
    // The magenta border replaced by a patterned brush anchored at the picture's corner.
    TBitmap pattern;
    Checkerboard(pattern, clWhite, clGray);
    c.Brush() = TBrush{clWhite, bsSolid, &pattern};
    c.BrushCopy({2, 30, 34, 54}, source, {0, 0, 8, 6}, clFuchsia);
    c.Brush().Style = bsClear;
    c.BrushCopy({40, 30, 72, 54}, source, {0, 0, 8, 6}, clFuchsia);
    // A block moved down and right over itself: the moved copy must not smear.
    c.Draw(76, 12, c, {70, 2, 100, 20});
    EXPECT_TRUE(MatchesGolden(picture, "gfx/canvas-copies"));
}
