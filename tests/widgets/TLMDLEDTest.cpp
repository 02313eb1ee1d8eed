#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/gfx/Canvas.h"
#include "tests/support/GoldenImage.h"
#include "widgets/TLMDLED.h"

namespace {

constexpr TColor Reddish = 0x003C3CF0;    // the lit colour of the saver-sized pictures
constexpr TColor MidGray = 0x00808080;    // an unlit colour that can be told from black

// A renderer that counts how often its cell image is rebuilt.
class CountingLED : public TLMDLED {
public:
    void CreateBmp() override
    {
        ++Builds;
        TLMDLED::CreateBmp();
    }
    int Builds = 0;
};

// The renderer as the date readout of the saver sets it up.
void MakeSaverSized(TLMDLED& Led, TColor Active = Reddish, TColor InActive = clBlack)
{
    Led.SetHorzsize(9);
    Led.SetVertsize(5);
    Led.SetThickness(1);
    Led.SetActiveColor(Active);
    Led.SetInActiveColor(InActive);
    Led.SetBackColor(clBlack);
}

// Text painted the way the date readout paints it: into a fresh (white) bitmap exactly as large
// as its cells, with the first cell at the top-left corner.
std::unique_ptr<TBitmap> Painted(TLMDLED& Led, std::string_view Text, bool Enabled = true)
{
    Led.CalcBoundsRect(Text, 0);
    auto picture = std::make_unique<TBitmap>(Led.ColumnCount() * Led.GetWidth(), Led.LineCount() * Led.GetHeight());
    Led.PaintLED(&picture->Canvas(), picture->BoundsRect(), Text, Enabled, true);
    return picture;
}

// The first pixel where two pictures differ, or nothing when they are equal.
std::optional<TPoint> FirstDifference(const TBitmap& a, const TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return TPoint{-1, -1};
    for (int32_t y = 0; y < a.Height(); ++y)
        for (int32_t x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return TPoint{x, y};
    return std::nullopt;
}

std::string Describe(const std::optional<TPoint>& p)
{
    std::ostringstream os;
    if (p)
        os << "first difference at " << *p;
    else
        os << "pictures are equal";
    return os.str();
}

// The pixels of a picture that are not Background.
std::set<std::pair<int32_t, int32_t>> PixelsOtherThan(const TBitmap& Picture, TPixel Background)
{
    std::set<std::pair<int32_t, int32_t>> found;
    for (int32_t y = 0; y < Picture.Height(); ++y)
        for (int32_t x = 0; x < Picture.Width(); ++x)
            if (Picture.Pixel(x, y) != Background)
                found.insert({x, y});
    return found;
}

}  // namespace

// ---- Geometry ------------------------------------------------------------------------------

TEST(TLMDLEDGeometry, ConstructionValues)
{
    const TLMDLED led;
    EXPECT_EQ(led.ActiveColor(), clLime);
    EXPECT_EQ(led.InActiveColor(), clGreen);
    EXPECT_EQ(led.BackColor(), clBlack);
    EXPECT_EQ(led.Horzsize(), 9);
    EXPECT_EQ(led.Thickness(), 2);
    EXPECT_EQ(led.Vertsize(), 7);
    EXPECT_TRUE(led.DisabledDigits());
    EXPECT_FALSE(led.Flashing());
    EXPECT_TRUE(led.CellImage().Empty()) << "the cell is rendered on first use";
}

TEST(TLMDLEDGeometry, CellSizeFollowsTheSizes)
{
    const struct { uint8_t h, v, t; int32_t width, height; } cases[] = {
        {9, 7, 2, 19, 28},   {9, 5, 1, 14, 17},   {0, 0, 0, 0, 0},
        {0, 9, 0, 0, 18},    {255, 255, 255, 1530, 2295},
    };
    for (const auto& c : cases) {
        TLMDLED led;
        led.SetHorzsize(c.h);
        led.SetVertsize(c.v);
        led.SetThickness(c.t);
        led.CreateBmp();
        const std::string row = "H=" + std::to_string(c.h) + " V=" + std::to_string(c.v) + " T=" + std::to_string(c.t);
        EXPECT_EQ(led.GetWidth(), c.width) << row;
        EXPECT_EQ(led.GetHeight(), c.height) << row;
        EXPECT_EQ(led.CellImage().Width(), c.width) << row;
        EXPECT_EQ(led.CellImage().Height(), c.height) << row;
    }
}

// The worked shapes at a stroke unit of 2, and two at 3, where the halves round to the even
// neighbour: 1.5 x 3 = 4.5 gives 4 and -1.5 gives -2.
TEST(TLMDLEDGeometry, SegmentShapes)
{
    const struct { uint8_t t; int segment; TLEDSegment points; } cases[] = {
        {2, 0, {{{4, 3}, {5, 2}, {14, 2}, {15, 3}, {14, 4}, {5, 4}}}},
        {2, 9, {{{7, 11}, {6, 11}, {5, 7}, {5, 6}, {6, 6}, {7, 10}}}},
        {2, 10, {{{11, 11}, {12, 11}, {13, 7}, {13, 6}, {12, 6}, {11, 10}}}},
        {2, 13, {{{9, 12}, {9, 14}, {7, 14}, {7, 12}, {7, 12}, {7, 12}}}},
        {3, 9, {{{9, 13}, {7, 13}, {8, 11}, {8, 9}, {10, 9}, {9, 11}}}},
        {3, 10, {{{14, 13}, {16, 13}, {15, 11}, {15, 9}, {13, 9}, {14, 11}}}},
    };
    for (const auto& c : cases) {
        TLMDLED led;   // Horzsize 9, Vertsize 7
        led.SetThickness(c.t);
        led.CreateBmp();
        for (size_t i = 0; i < 6; ++i)
            EXPECT_EQ(led.Segments()[c.segment][i], c.points[i]) << "T=" << int(c.t) << " segment " << c.segment << " point " << i;
    }
}

// At a stroke unit of 1 every bar and diagonal is a line between two end points: all six
// points lie on those two, and both occur.
TEST(TLMDLEDGeometry, SegmentsAtThicknessOneAreLines)
{
    TLMDLED led;
    MakeSaverSized(led);
    const struct { int segment; TPoint from, to; } cases[] = {
        {0, {2, 1}, {11, 1}},  {1, {1, 2}, {1, 7}},   {7, {6, 2}, {6, 7}},
        {9, {6, 7}, {3, 3}},   {10, {8, 7}, {11, 3}}, {12, {8, 10}, {11, 14}},
    };
    for (const auto& c : cases) {
        const TLEDSegment& s = led.Segments()[c.segment];
        bool hasFrom = false, hasTo = false;
        for (const TPoint& p : s) {
            EXPECT_TRUE(p == c.from || p == c.to) << "segment " << c.segment << " has point " << p;
            hasFrom = hasFrom || p == c.from;
            hasTo = hasTo || p == c.to;
        }
        EXPECT_TRUE(hasFrom && hasTo) << "segment " << c.segment;
    }
    // The centre dot spans the corners (5,7) and (6,8).
    const TLEDSegment& dot = led.Segments()[13];
    EXPECT_EQ(dot[0], TPoint(6, 7));
    EXPECT_EQ(dot[1], TPoint(6, 8));
    EXPECT_EQ(dot[2], TPoint(5, 8));
    EXPECT_EQ(dot[3], TPoint(5, 7));
}

// A diagonal with no horizontal or vertical extent (Horzsize div 2 equal to Thickness, or
// Vertsize equal to Thickness) still gets a shape of its own: a straight line from its start
// along the other axis, the same whatever sizes the renderer had before.
TEST(TLMDLEDGeometry, DiagonalsWithoutExtentDependOnlyOnTheCurrentSizes)
{
    const struct { uint8_t h, v, t; } cases[] = {{4, 7, 2}, {9, 2, 2}, {2, 1, 1}};
    for (const auto& c : cases) {
        const std::string row = "H=" + std::to_string(c.h) + " V=" + std::to_string(c.v) + " T=" + std::to_string(c.t);
        TLMDLED fresh, reused;
        reused.CreateBmp();   // diagonals computed for the construction sizes first
        for (TLMDLED* led : {&fresh, &reused}) {
            led->SetHorzsize(c.h);
            led->SetVertsize(c.v);
            led->SetThickness(c.t);
        }
        for (int n = 9; n <= 12; ++n) {
            EXPECT_EQ(fresh.Segments()[n], reused.Segments()[n]) << row << " segment " << n;
            const TLEDSegment& s = fresh.Segments()[n];
            bool vertical = true, horizontal = true;
            for (const TPoint& p : s) {
                vertical = vertical && p.X == s[0].X;
                horizontal = horizontal && p.Y == s[0].Y;
            }
            EXPECT_TRUE(vertical || horizontal) << row << " segment " << n << " should be a straight line";
        }
    }
}

// ---- Character masks -----------------------------------------------------------------------

TEST(TLMDLEDMasks, EveryCodeHasItsMaskAndAllOthersAreBlank)
{
    const struct { const char* characters; uint16_t mask; } lit[] = {
        {"0", 0x1277},   {"1Ii", 0x0180}, {"2", 0x005D},   {"3", 0x006D},   {"4", 0x002E},   {"5Ss", 0x006B},
        {"6Gg", 0x007B}, {"7", 0x0025},   {"8", 0x007F},   {"9", 0x006F},   {"Aa", 0x003F},  {"Bb", 0x01ED},
        {"Cc[", 0x0053}, {"Dd", 0x01E5},  {"Ee", 0x005B},  {"Ff", 0x001B},  {"Hh", 0x003E},  {"Jj", 0x0074},
        {"Kk", 0x141A},  {"Ll", 0x0052},  {"Mm", 0x0636},  {"Nn", 0x1236},  {"Oo", 0x0077},  {"Pp", 0x001F},
        {"Qq", 0x1077},  {"Rr", 0x101F},  {"Tt", 0x0181},  {"Uu", 0x0076},  {"Vv", 0x0C12},  {"Ww", 0x1836},
        {"Xx", 0x1E00},  {"Yy", 0x0700},  {"Zz", 0x0C41},  {"]", 0x0065},   {"\"", 0x0082},  {"'", 0x0080},
        {"(<", 0x1400},  {")>", 0x0A00},  {"*", 0x1F80},   {"+", 0x0188},   {"-", 0x0008},   {"=", 0x0048},
        {"_", 0x0040},   {"/", 0x0C00},   {"\\", 0x1200},  {".", 0x8000},   {":", 0xA000},
    };
    uint16_t expected[256] = {};
    for (const auto& row : lit)
        for (const char* c = row.characters; *c; ++c)
            expected[static_cast<unsigned char>(*c)] = row.mask;
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(TLMDLED::CharMask(static_cast<unsigned char>(code)), expected[code]) << "code " << code;
}

// ---- Setters and notifications -------------------------------------------------------------

TEST(TLMDLEDSetters, OnlyAChangedValueRebuildsAndNotifies)
{
    const struct { const char* name; bool isColor; int index; int32_t other; } cases[] = {
        {"ActiveColor", true, 0, clRed},  {"InActiveColor", true, 1, clRed}, {"BackColor", true, 2, clRed},
        {"Horzsize", false, 1, 4},        {"Thickness", false, 2, 1},        {"Vertsize", false, 3, 5},
    };
    for (const auto& c : cases) {
        CountingLED led;
        int changes = 0;
        led.SetOnChange([&](TLMDObject* Sender) {
            EXPECT_EQ(Sender, &led);
            ++changes;
        });
        const auto set = [&](int32_t value) {
            if (c.isColor)
                led.SetColor(c.index, value);
            else
                led.SetByte(c.index, static_cast<uint8_t>(value));
        };
        const auto get = [&]() -> int32_t { return c.isColor ? led.GetColor(c.index) : led.GetByte(c.index); };

        set(get());
        EXPECT_EQ(led.Builds, 0) << c.name << " set to its own value";
        EXPECT_EQ(changes, 0) << c.name << " set to its own value";
        set(c.other);
        EXPECT_EQ(get(), c.other) << c.name;
        EXPECT_EQ(led.Builds, 1) << c.name << " changed";
        EXPECT_EQ(changes, 1) << c.name << " changed";
        set(c.other);
        EXPECT_EQ(led.Builds, 1) << c.name << " set again";
        EXPECT_EQ(changes, 1) << c.name << " set again";
    }
}

TEST(TLMDLEDSetters, IndexesOutsideTheFamiliesDoNothing)
{
    CountingLED led;
    int changes = 0;
    led.SetOnChange([&](TLMDObject*) { ++changes; });
    for (int index : {-1, 3, 1000})
        led.SetColor(index, clRed);
    for (int index : {-1, 0, 4})
        led.SetByte(index, 3);
    EXPECT_EQ(led.Builds, 0);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(led.GetColor(3), 0);
    EXPECT_EQ(led.GetByte(0), 0);
    EXPECT_EQ(led.GetByte(4), 0);
}

TEST(TLMDLEDSetters, SetEnabledNotifiesWithoutRebuilding)
{
    CountingLED led;
    int changes = 0;
    led.SetOnChange([&](TLMDObject*) { ++changes; });
    led.SetEnabled(true);
    EXPECT_EQ(changes, 0) << "unchanged value";
    led.SetEnabled(false);
    EXPECT_FALSE(led.DisabledDigits());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(led.Builds, 0);
}

TEST(TLMDLEDSetters, AssignCopiesEverythingButTheBackground)
{
    TLMDLED source;
    source.SetHorzsize(11);
    source.SetVertsize(4);
    source.SetThickness(3);
    source.SetEnabled(false);
    source.SetActiveColor(clRed);
    source.SetInActiveColor(clMaroon);
    source.SetBackColor(clNavy);

    CountingLED led;
    led.SetBackColor(clWhite);
    led.Builds = 0;
    int changes = 0;
    led.SetOnChange([&](TLMDObject*) { ++changes; });
    led.Assign(source);
    EXPECT_EQ(led.Horzsize(), 11);
    EXPECT_EQ(led.Vertsize(), 4);
    EXPECT_EQ(led.Thickness(), 3);
    EXPECT_FALSE(led.DisabledDigits());
    EXPECT_EQ(led.ActiveColor(), clRed);
    EXPECT_EQ(led.InActiveColor(), clMaroon);
    EXPECT_EQ(led.BackColor(), clWhite) << "the background is the owner's";
    EXPECT_EQ(led.Builds, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(led.CellImage().Width(), 11 + 5 * 3);

    led.Assign(led);
    EXPECT_EQ(led.Builds, 1) << "assigning to itself";
    EXPECT_EQ(changes, 1) << "assigning to itself";
}

TEST(TLMDLEDSetters, AssignRefusesOtherObjects)
{
    TLMDLED led;
    const TLMDObject other;
    try {
        led.Assign(other);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TLMDObject to a TLMDLED");
    }
}

// ---- Measuring -----------------------------------------------------------------------------

TEST(TLMDLEDMeasure, LinesAndColumnsOfATextAreCountedByByte)
{
    const struct { const char* name; std::string text; int32_t lines, columns; } cases[] = {
        {"empty", "", 1, 1},
        {"two lines", "12\r3456", 2, 4},
        {"widest line first", "123456\r1", 2, 6},
        {"only returns", "\r\r", 3, 1},
        {"line feed takes no cell", "a\nb", 1, 2},
        {"other controls take no cell", std::string("\x01\t\x1f" "a\0b", 6), 1, 2},
        {"blanks take cells", " \x7f\xff", 1, 3},
        {"UTF-8 e acute is two cells", "\xc3\xa9", 1, 2},
        {"CR LF", "ab\r\ncd\r\n", 3, 2},
    };
    for (const auto& c : cases) {
        TLMDLED led;
        led.CalcBoundsRect(c.text, 0);
        EXPECT_EQ(led.LineCount(), c.lines) << c.name;
        EXPECT_EQ(led.ColumnCount(), c.columns) << c.name;
    }
}

TEST(TLMDLEDMeasure, BoundsHoldTheCellsBorderAndOneExtraColumn)
{
    const struct { const char* name; bool saverSized; std::string text; int32_t border; TRect bounds; } cases[] = {
        {"two lines, border 2", false, "12\r3456", 2, {0, 0, 81, 60}},
        {"empty text is one cell", false, "", 0, {0, 0, 20, 28}},
        {"German date", true, "Di 05.03.2024", 0, {0, 0, 183, 17}},
        {"US date with border", true, "Tue 3/5/2024", 3, {0, 0, 175, 23}},
    };
    for (const auto& c : cases) {
        TLMDLED led;
        if (c.saverSized)
            MakeSaverSized(led);
        EXPECT_EQ(led.CalcBoundsRect(c.text, c.border), c.bounds) << c.name;
    }
}

// Counts wider than a byte must neither wrap to small numbers nor overflow the rectangle.
TEST(TLMDLEDMeasure, LongTextsKeepTheirTrueSize)
{
    TLMDLED led;
    EXPECT_EQ(led.CalcBoundsRect(std::string(300, '8'), 0), TRect(0, 0, 300 * 19 + 1, 28));
    EXPECT_EQ(led.ColumnCount(), 300);
    EXPECT_EQ(led.CalcBoundsRect(std::string(300, '\r'), 0), TRect(0, 0, 20, 301 * 28));
    EXPECT_EQ(led.LineCount(), 301);

    // 1530-pixel cells: two million of them reach far beyond a 32-bit coordinate.
    led.SetHorzsize(255);
    led.SetThickness(255);
    led.SetVertsize(255);
    const TRect huge = led.CalcBoundsRect(std::string(2'000'000, '8'), 0);
    EXPECT_EQ(huge.Right, INT32_MAX) << "saturates instead of wrapping";
    EXPECT_EQ(led.ColumnCount(), 2'000'000);
}

// ---- Painting ------------------------------------------------------------------------------

TEST(TLMDLEDPaint, UnlitPatternIsOneSharedCheckerboard)
{
    const TBitmap& first = UnlitPattern(clBlack, clGreen);
    const TBitmap& second = UnlitPattern(clNavy, clYellow);
    EXPECT_EQ(&first, &second) << "one pattern for the whole program";
    ASSERT_EQ(second.Width(), 8);
    ASSERT_EQ(second.Height(), 8);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x)
            EXPECT_EQ(second.Pixel(x, y), ColorToPixel((x + y) % 2 == 0 ? clYellow : clNavy)) << x << "," << y;
}

// The cell keeps its own copy of the unlit look, so another renderer asking for a different
// colour pair later does not change it.
TEST(TLMDLEDPaint, UnlitSegmentsAreACheckerboardThatStaysWithTheCell)
{
    TLMDLED led;   // lime on green on black
    led.CreateBmp();
    TLMDLED other;
    other.SetInActiveColor(clRed);
    other.SetBackColor(clWhite);

    const TBitmap& cell = led.CellImage();
    int unlit = 0;
    for (int32_t y = 0; y < cell.Height(); ++y)
        for (int32_t x = 0; x < cell.Width(); ++x) {
            const TPixel p = cell.Pixel(x, y);
            if (p == ColorToPixel(clBlack))
                continue;
            ++unlit;
            EXPECT_EQ(p, ColorToPixel(clGreen)) << x << "," << y;
            EXPECT_EQ((x + y) % 2, 0) << x << "," << y << " lies on an odd square";
        }
    EXPECT_GT(unlit, 50) << "the segments should show";
}

// The one-pixel rules of the saver's cell. The unlit colour differs from black here so that
// unlit segments could be seen if they covered any pixel.
TEST(TLMDLEDPaint, ThicknessOnePixels)
{
    const TPixel lit = ColorToPixel(Reddish), unlit = ColorToPixel(MidGray), back = ColorToPixel(clBlack);
    const struct { const char* what; const char* text; int32_t x, y; TPixel expected; } cases[] = {
        {"lit top bar, left end", "8", 2, 1, lit},
        {"lit top bar, right end", "8", 11, 1, lit},
        {"lit top bar, middle", "8", 6, 1, lit},
        {"left of the top bar", "8", 1, 1, back},
        {"right of the top bar", "8", 12, 1, back},
        {"below the top bar", "7", 6, 2, back},
        {"lit upper left bar, ends", "8", 1, 2, lit},
        {"lit upper left bar, lower end", "8", 1, 7, lit},
        {"unlit top bar", "-", 6, 1, back},
        {"unlit top bar at an even square", "-", 3, 1, back},
        {"lit centre dot", ":", 5, 7, lit},
        {"lit centre dot", ":", 6, 7, lit},
        {"lit centre dot", ":", 5, 8, lit},
        {"lit centre dot", ":", 6, 8, lit},
        {"lit bottom dot", ":", 6, 15, lit},
        {"right of the lit centre dot", ":", 7, 7, back},
        {"unlit centre dot", " ", 5, 7, unlit},
        {"beside the unlit centre dot", " ", 6, 7, back},
        {"below the unlit centre dot", " ", 5, 8, back},
        {"lit diagonal end at the corner", "X", 3, 3, lit},
        {"lit diagonal end at the centre", "X", 6, 7, lit},
    };
    for (const auto& c : cases) {
        TLMDLED led;
        MakeSaverSized(led, Reddish, MidGray);
        const auto picture = Painted(led, c.text);
        EXPECT_EQ(picture->Pixel(c.x, c.y), c.expected) << c.what << " in '" << c.text << "' at " << c.x << "," << c.y;
    }
}

// The renderer draws each lit character once and copies it afterwards. Whatever the sizes, pen
// width, place and clip, and however the pen and the lit colour change between paints, the text
// looks as the cell image with the character's segments drawn over it at each cell.
TEST(TLMDLEDPaint, LitCharactersAreTheirSegmentsDrawnOverTheCell)
{
    struct TLook { uint8_t horz, vert, thick; };
    const TLook looks[] = {{9, 5, 1}, {9, 7, 2}, {12, 9, 3}, {3, 3, 1}};
    const struct { int32_t pen; TColor lit; TPoint at; TRect clip; } paints[] = {
        {1, Reddish, {0, 0}, {0, 0, 400, 60}},
        {1, Reddish, {7, 3}, {20, 5, 90, 30}},
        {2, Reddish, {3, 2}, {0, 0, 400, 60}},
        {1, clLime, {3, 2}, {0, 0, 400, 60}},
        {6, clLime, {3, 2}, {0, 0, 400, 60}},   // an outline that reaches into the next cell
        {1, clLime, {-5, -4}, {0, 0, 400, 60}},
    };
    const std::string text = "8:.MWK0 1XZ*";
    for (const TLook& look : looks) {
        TLMDLED led;
        led.SetHorzsize(look.horz);
        led.SetVertsize(look.vert);
        led.SetThickness(look.thick);
        led.SetInActiveColor(MidGray);
        for (const auto& p : paints) {
            led.SetActiveColor(p.lit);
            TBitmap picture(400, 60), expected(400, 60);
            for (TBitmap* b : {&picture, &expected}) {
                b->Canvas().Brush().Color = clBlack;
                b->Canvas().FillRect(b->BoundsRect());
                b->Canvas().SetClipRect(p.clip);
                b->Canvas().Pen().Width = p.pen;
            }
            led.PaintLED(&picture.Canvas(), TRect::FromSize(p.at.X, p.at.Y, 0, 0), text, true, true);

            TCanvas& c = expected.Canvas();
            c.Pen() = TPen{p.lit, p.pen, psSolid};
            c.Brush() = TBrush{p.lit, bsSolid, nullptr};
            const bool big = look.horz > 3 && look.vert > 3;
            for (size_t i = 0; i < text.size(); ++i) {
                const int32_t x = p.at.X + static_cast<int32_t>(i) * led.GetWidth(), y = p.at.Y;
                c.Draw(x, y, led.CellImage());
                const uint16_t mask = TLMDLED::CharMask(static_cast<unsigned char>(text[i])) & (big ? 0xFFFF : 0x007F);
                for (int n = 0; n < TLMDLED::SegmentCount; ++n) {
                    if ((mask & (1u << n)) == 0)
                        continue;
                    TLEDSegment moved = led.Segments()[static_cast<size_t>(n)];
                    for (TPoint& q : moved)
                        q = q.Translated(x, y);
                    c.Polygon(moved);
                }
            }
            ASSERT_EQ(Describe(FirstDifference(picture, expected)), "pictures are equal")
                << int(look.horz) << "/" << int(look.vert) << "/" << int(look.thick) << ", pen " << p.pen << " at "
                << p.at;
        }
    }
}

// With no width, unlit bars and diagonals leave no trace; of the dots only the centre one
// lands on an unlit square of the checkerboard.
TEST(TLMDLEDPaint, UnlitSaverCellShowsOnlyTheCentreDot)
{
    TLMDLED led;
    MakeSaverSized(led, Reddish, MidGray);
    const auto picture = Painted(led, " ");
    const std::set<std::pair<int32_t, int32_t>> expected = {{5, 7}};
    EXPECT_EQ(PixelsOtherThan(*picture, ColorToPixel(clBlack)), expected);
}

// Cells with short bars light only the seven-segment part, so these pairs look alike there;
// at the construction sizes they must differ, or the comparison would prove nothing.
TEST(TLMDLEDPaint, SmallCellsLightOnlyTheSevenSegments)
{
    const struct { const char* a; const char* b; } pairs[] = {
        {"1", " "}, {".", " "}, {":", " "}, {"*", " "}, {"0", "O"}, {"+", "-"}, {"X", " "},
    };
    const struct { uint8_t h, v; } smallSizes[] = {{3, 7}, {9, 3}};
    for (const auto& p : pairs) {
        TLMDLED big;
        EXPECT_TRUE(FirstDifference(*Painted(big, p.a), *Painted(big, p.b))) << p.a << " vs " << p.b << " at 9 x 7";
        for (const auto& s : smallSizes) {
            TLMDLED small;
            small.SetHorzsize(s.h);
            small.SetVertsize(s.v);
            const auto diff = FirstDifference(*Painted(small, p.a), *Painted(small, p.b));
            EXPECT_FALSE(diff) << p.a << " vs " << p.b << " at H=" << int(s.h) << " V=" << int(s.v) << ": " << Describe(diff);
        }
    }
}

TEST(TLMDLEDPaint, DisabledDigitsHideTheLitSegmentsOfADisabledOwner)
{
    const struct { bool disabledDigits, enabled, lit; } cases[] = {
        {true, true, true}, {true, false, false}, {false, true, true}, {false, false, true},
    };
    for (const auto& c : cases) {
        TLMDLED led;
        led.SetEnabled(c.disabledDigits);
        const auto picture = Painted(led, "8", c.enabled);
        const auto unlit = FirstDifference(*picture, *Painted(led, " "));
        EXPECT_EQ(unlit.has_value(), c.lit) << "DisabledDigits " << c.disabledDigits << ", Enabled " << c.enabled;
    }
}

TEST(TLMDLEDPaint, FlashingAlternatesUnlitAndNormal)
{
    TLMDLED led;
    int changes = 0;
    led.SetOnChange([&](TLMDObject*) { ++changes; });
    const auto normal = Painted(led, "8");
    const auto blank = Painted(led, " ");

    led.BeginFlash();
    EXPECT_EQ(changes, 0) << "BeginFlash repaints nothing";
    const auto paint = [&]() {
        auto picture = std::make_unique<TBitmap>(19, 28);
        led.PaintLED(&picture->Canvas(), picture->BoundsRect(), "8", true, true);
        return picture;
    };
    const std::pair<const char*, const TBitmap*> expected[] = {
        {"first paint", blank.get()}, {"second paint", normal.get()}, {"third paint", blank.get()},
    };
    for (const auto& [what, picture] : expected)
        EXPECT_FALSE(FirstDifference(*paint(), *picture)) << what;

    led.CalcBoundsRect("8", 0);   // measuring flips the phase as well
    EXPECT_FALSE(FirstDifference(*paint(), *blank)) << "paint after a measurement";

    led.EndFlash();
    EXPECT_EQ(changes, 1) << "EndFlash notifies";
    EXPECT_FALSE(FirstDifference(*paint(), *normal)) << "after EndFlash";
    EXPECT_FALSE(FirstDifference(*paint(), *normal)) << "after EndFlash, again";
}

// Layout of the cells: each line starts again at Rect.Left, Rect's far corner plays no part,
// and only carriage returns and printable codes move the pen.
TEST(TLMDLEDPaint, TextIsLaidOutCellByCell)
{
    TLMDLED led;
    const auto pieces = [&](std::vector<std::pair<TPoint, std::string>> parts) {
        auto picture = std::make_unique<TBitmap>(500, 64);
        for (const auto& [at, text] : parts)
            led.PaintLED(&picture->Canvas(), TRect(at.X, at.Y, at.X, at.Y), text, true, true);
        return picture;
    };
    const struct { const char* name; std::string text; std::vector<std::pair<TPoint, std::string>> same; } cases[] = {
        {"carriage return", "12\r3456", {{{3, 2}, "12"}, {{3, 30}, "3456"}}},
        {"line feed and other controls", "1\n\t2\x1f" "3", {{{3, 2}, "123"}}},
        {"codes from 127 up are blanks", "\x7f\xc3\xa9" "8", {{{3, 2}, "   8"}}},
        {"unmapped printable codes are blanks", "!?@~", {{{3, 2}, "    "}}},
        {"lower case", "abcdefghijklmnopqrstuvwxyz", {{{3, 2}, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}}},
    };
    for (const auto& c : cases) {
        const auto whole = pieces({{{3, 2}, c.text}});
        const auto diff = FirstDifference(*whole, *pieces(c.same));
        EXPECT_FALSE(diff) << c.name << ": " << Describe(diff);
    }
}

TEST(TLMDLEDPaint, EmptyTextPaintsNothing)
{
    TLMDLED led;
    TBitmap picture(30, 30);
    led.PaintLED(&picture.Canvas(), picture.BoundsRect(), "", true, true);
    EXPECT_TRUE(PixelsOtherThan(picture, 0xFFFFFF).empty());
    EXPECT_EQ(led.LineCount(), 1);
    EXPECT_EQ(led.ColumnCount(), 1);
}

// Any size and any byte paint without fault, also far outside the canvas.
TEST(TLMDLEDPaint, OddSizesAndPositionsAreSafe)
{
    std::string everyCode;
    for (int code = 1; code < 256; ++code)
        everyCode += static_cast<char>(code);
    const struct { uint8_t h, v, t; } sizes[] = {
        {0, 0, 0}, {0, 9, 0}, {9, 0, 0}, {1, 1, 1}, {0, 0, 1}, {4, 7, 2}, {9, 2, 2}, {255, 255, 255}, {255, 0, 255},
    };
    const TPoint origins[] = {{-5, -5}, {INT32_MAX - 3, 0}, {0, INT32_MIN}, {INT32_MIN, INT32_MAX}};
    for (const auto& s : sizes)
        for (const TPoint& at : origins) {
            TLMDLED led;
            led.SetHorzsize(s.h);
            led.SetVertsize(s.v);
            led.SetThickness(s.t);
            led.SetEnabled(false);
            TBitmap picture(40, 40);
            led.PaintLED(&picture.Canvas(), TRect(at.X, at.Y, at.X, at.Y), everyCode, true, true);
            // Codes 32 to 255 take a cell each, all on the line after the carriage return.
            EXPECT_EQ(led.ColumnCount(), 224) << "H=" << int(s.h) << " V=" << int(s.v) << " T=" << int(s.t);
        }
}

TEST(TLMDLEDPaint, LongTextOnASmallCanvas)
{
    TLMDLED led;
    MakeSaverSized(led);
    TBitmap picture(28, 17);
    led.PaintLED(&picture.Canvas(), picture.BoundsRect(), std::string(3'000'000, '8'), true, true);
    EXPECT_EQ(led.ColumnCount(), 3'000'000);
    EXPECT_FALSE(FirstDifference(picture, *Painted(led, "88")));
}

// ---- Changed cells -------------------------------------------------------------------------

namespace {

// A renderer's sizes, pen and owner state for the tests of painting only the changed cells.
struct TCellSetup {
    const char* name;
    uint8_t h, v, t;
    int32_t pen;
    bool enabled, disabledDigits;
};

void Configure(TLMDLED& Led, const TCellSetup& Setup)
{
    Led.SetHorzsize(Setup.h);
    Led.SetVertsize(Setup.v);
    Led.SetThickness(Setup.t);
    Led.SetActiveColor(Reddish);
    Led.SetInActiveColor(MidGray);
    Led.SetEnabled(Setup.disabledDigits);
}

// A surface numbered pixel by pixel, with a canvas that sees it through an origin and a clip.
struct TPlacedCanvas {
    TBitmap Surface{90, 40};
    TCanvas Canvas;
    TPlacedCanvas(TPoint Origin, const TRect& Clip, int32_t Pen)
    {
        for (int32_t y = 0; y < Surface.Height(); ++y)
            for (int32_t x = 0; x < Surface.Width(); ++x)
                Surface.SetPixel(x, y, uint32_t(y * 90 + x) * 0x010101u & 0xFFFFFFu);
        Canvas.Attach(&Surface, Origin, Clip);
        Canvas.Pen().Width = Pen;
    }
};

}  // namespace

// A picture of one text turned into that of another by painting only the changed cells is
// exactly a fresh paint of the other text, for every kind of cell, pen and owner state, and
// wherever the text lies on the canvas, clipped or not.
TEST(TLMDLEDChangedCells, GiveThePictureOfAFreshPaint)
{
    const TCellSetup setups[] = {
        {"saver cells", 9, 5, 1, 1, true, true},
        {"construction cells", 9, 7, 2, 1, true, true},
        {"small cells showing seven segments", 3, 3, 2, 1, true, true},
        {"thick strokes", 12, 9, 3, 1, true, true},
        {"a wider pen", 9, 7, 2, 3, true, true},
        {"a disabled owner", 9, 5, 1, 1, false, true},
        {"a disabled owner with lit digits", 9, 5, 1, 1, false, false},
    };
    const struct { const char* before; const char* after; } texts[] = {
        {"Tue 3/5/2024", "Wed 3/6/2024"}, {"8888", "    "}, {"    ", "KXMW"}, {"12:59", "13:00"},
        {"abc", "abc"},                    {"\x7f" "a", "b\xc3"},
    };
    const struct { const char* place; TPoint origin; TRect clip; TPoint at; } places[] = {
        {"on the whole surface", {0, 0}, {0, 0, 90, 40}, {0, 0}},
        {"across the left and top edges", {0, 0}, {0, 0, 90, 40}, {-7, -3}},
        {"through an origin and a narrow clip", {5, 4}, {12, 6, 50, 30}, {2, 1}},
    };
    for (const auto& setup : setups)
        for (const auto& t : texts)
            for (const auto& p : places) {
                TLMDLED led;
                Configure(led, setup);
                const TRect at(p.at.X, p.at.Y, p.at.X, p.at.Y);
                TPlacedCanvas kept(p.origin, p.clip, setup.pen), fresh(p.origin, p.clip, setup.pen);
                const std::string row = std::string(setup.name) + ", " + t.before + " to " + t.after + ", " + p.place;
                ASSERT_TRUE(led.PaintLED(&kept.Canvas, at, t.before, setup.enabled, true)) << row;
                ASSERT_TRUE(led.PaintChangedCells(kept.Canvas, at, t.before, t.after, setup.enabled)) << row;
                const int32_t columns = led.ColumnCount(), lines = led.LineCount();
                led.PaintLED(&fresh.Canvas, at, t.after, setup.enabled, true);
                EXPECT_EQ(Describe(FirstDifference(kept.Surface, fresh.Surface)), "pictures are equal") << row;
                EXPECT_EQ(columns, led.ColumnCount()) << row;
                EXPECT_EQ(lines, led.LineCount()) << row;
            }
}

// Where the cells of the two texts do not lie alike, or a changed cell cannot be copied whole,
// nothing is drawn and the caller paints the whole text.
TEST(TLMDLEDChangedCells, RefuseWhatCellByCellCannotGive)
{
    constexpr int32_t HugePen = 40;   // every lit outline reaches past its cell
    const struct { const char* row; const char* before; const char* after; int32_t pen; bool flashing; } cases[] = {
        {"a longer text", "12", "123", 1, false},
        {"a shorter text", "123", "12", 1, false},
        {"a line break", "1\r2", "1\r3", 1, false},
        {"a skipped control code", "1\t2", "3\t2", 1, false},
        {"a lit cell that reaches past its cell", "   ", " 8 ", HugePen, false},
        {"a flashing renderer", "12", "13", 1, true},
    };
    for (const auto& c : cases) {
        TLMDLED led;
        MakeSaverSized(led);
        TBitmap picture(60, 40);
        picture.Canvas().Pen().Width = c.pen;
        led.PaintLED(&picture.Canvas(), picture.BoundsRect(), c.before, true, true);
        TBitmap before(60, 40);
        before.Canvas().Draw(0, 0, picture);
        if (c.flashing)
            led.BeginFlash();
        EXPECT_FALSE(led.PaintChangedCells(picture.Canvas(), picture.BoundsRect(), c.before, c.after, true)) << c.row;
        EXPECT_FALSE(FirstDifference(picture, before)) << c.row << ": nothing is drawn";
    }
}

// A paint reports whether every cell it drew is a copy of a whole cell, which is what painting
// only the changed cells later relies on.
TEST(TLMDLEDChangedCells, APaintTellsWhetherEveryCellWasCopiedWhole)
{
    const struct { const char* row; const char* text; int32_t pen; bool draw; bool copiesOnly; } cases[] = {
        {"lit and unlit cells", "8 :", 1, true, true},
        {"unlit cells under a huge pen", "   ", 40, true, true},
        {"a lit cell under a huge pen", " 8 ", 40, true, false},
        {"a measurement", "8", 1, false, false},
    };
    for (const auto& c : cases) {
        TLMDLED led;
        MakeSaverSized(led);
        TBitmap picture(60, 20);
        picture.Canvas().Pen().Width = c.pen;
        EXPECT_EQ(led.PaintLED(&picture.Canvas(), picture.BoundsRect(), c.text, true, c.draw), c.copiesOnly) << c.row;
    }
}

// ---- Pictures ------------------------------------------------------------------------------

TEST(TLMDLEDPictures, RepresentativeCharacters)
{
    // A digit with its slash, all seven bars, letters with diagonals, the centre column, the
    // dots and a blank.
    const std::string row = "08KX1:. ";
    TLMDLED saver;
    MakeSaverSized(saver);
    EXPECT_TRUE(MatchesGolden(*Painted(saver, row), "widgets/led-cells-saver"));
    TLMDLED construction;
    EXPECT_TRUE(MatchesGolden(*Painted(construction, row), "widgets/led-cells-construction"));
}

TEST(TLMDLEDPictures, DateReadouts)
{
    TLMDLED led;
    MakeSaverSized(led);
    EXPECT_TRUE(MatchesGolden(*Painted(led, "Tue 3/5/2024"), "widgets/led-date-us"));
    EXPECT_TRUE(MatchesGolden(*Painted(led, "Di 05.03.2024"), "widgets/led-date-de"));
}
