#include <algorithm>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/IFontEngine.h"
#include "tests/support/GoldenImage.h"

namespace {

IFontEngine& Engine()
{
    IFontEngine* engine = CurrentPlatform().Fonts;
    if (!engine)
        throw std::runtime_error("the backend has no font engine");
    return *engine;
}

// The labels' font: 11 pixels, ANSI, regular.
TFontSpec LabelFont(TColor Color, uint8_t Style = 0)
{
    TFontSpec font;
    font.Name = "Tw Cen MT";
    font.Height = 11;
    font.Charset = AnsiCharset;
    font.Style = Style;
    font.Color = Color;
    return font;
}

void Fill(TBitmap& Bitmap, TPixel Pixel)
{
    for (int32_t y = 0; y < Bitmap.Height(); ++y)
        for (int32_t x = 0; x < Bitmap.Width(); ++x)
            Bitmap.SetPixel(x, y, Pixel);
}

// Every pixel different from its neighbours, so a pixel written with any value shows.
TPixel Pattern(int32_t x, int32_t y) { return TPixel(x * 0x010307 + y * 0x070103) & 0xFFFFFF; }

// The smallest rectangle holding every pixel that is not Background.
TRect InkOf(const TBitmap& Bitmap, TPixel Background = 0)
{
    TRect ink;
    for (int32_t y = 0; y < Bitmap.Height(); ++y)
        for (int32_t x = 0; x < Bitmap.Width(); ++x)
            if (Bitmap.Pixel(x, y) != Background)
                ink = ink.United({x, y, x + 1, y + 1});
    return ink;
}

TBitmap& Drawn(TBitmap& Bitmap, const std::string& Text, const TFontSpec& Font, int32_t X = 2, int32_t Y = 2)
{
    Fill(Bitmap, 0);
    Engine().DrawText(Bitmap, BitmapRect(Bitmap), X, Y, Text, Font);
    return Bitmap;
}

}   // namespace

// Labels as the saver draws them: regular and bold, several colours, and a clip that ends in the
// middle of a word. Each rasteriser has its own picture.
TEST(TextEngine, DrawsLabelsLikeTheGoldenPicture)
{
    TBitmap picture(120, 40);
    Fill(picture, 0);
    const TRect all = BitmapRect(picture);
    Engine().DrawText(picture, all, 2, 0, "Total CPU Load", LabelFont(clFuchsia));
    Engine().DrawText(picture, all, 2, 13, "Host Name: ", LabelFont(clAqua, fsBold));
    Engine().DrawText(picture, all, 70, 13, "42 %", LabelFont(clYellow));
    Engine().DrawText(picture, {0, 26, 61, 40}, 2, 26, "Processor Frequence", LabelFont(clLime));
    EXPECT_TRUE(MatchesGolden(picture, "gfx/text-" + Engine().RasterizerName()));
}

TEST(TextEngine, LeavesEveryPixelOutsideTheClipAlone)
{
    const struct { const char* name; TRect clip; int32_t x, y; } cases[] = {
        {"clip cuts the text on all sides", {10, 5, 50, 12}, 4, 2},
        {"clip reaches past the bitmap", {30, 10, 500, 500}, 20, 8},
        {"text starts left of and above the clip", {0, 0, 60, 20}, -15, -4},
        {"clip of one pixel", {12, 8, 13, 9}, 2, 2},
    };
    for (const auto& c : cases) {
        TBitmap before(80, 24), after(80, 24);
        for (int32_t y = 0; y < 24; ++y) {
            for (int32_t x = 0; x < 80; ++x) {
                before.SetPixel(x, y, Pattern(x, y));
                after.SetPixel(x, y, Pattern(x, y));
            }
        }
        Engine().DrawText(after, c.clip, c.x, c.y, "MWMWMWMWMWMWMWMWMW", LabelFont(clWhite, fsBold | fsUnderline));

        const TRect inside = c.clip.Intersected(BitmapRect(after));
        int changed = 0;
        for (int32_t y = 0; y < 24; ++y) {
            for (int32_t x = 0; x < 80; ++x) {
                if (after.Pixel(x, y) == before.Pixel(x, y))
                    continue;
                ++changed;
                ASSERT_TRUE(inside.Contains(x, y)) << c.name << ": pixel " << TPoint(x, y) << " outside " << inside;
            }
        }
        if (inside.Width() > 1) {
            EXPECT_GT(changed, 0) << c.name << ": nothing drawn inside the clip";
        }
    }
}

TEST(TextEngine, DrawsNothingWithAnEmptyClipOrFarOffPosition)
{
    const struct { const char* name; TRect clip; int32_t x, y; } cases[] = {
        {"empty clip", {10, 10, 10, 20}, 0, 0},
        {"clip outside the bitmap", {100, 0, 200, 20}, 100, 0},
        {"text far to the right", {0, 0, 40, 20}, 2000000000, 0},
        {"text far to the left", {0, 0, 40, 20}, -2000000000, 0},
        {"text far below", {0, 0, 40, 20}, 0, 2147483647},
    };
    for (const auto& c : cases) {
        TBitmap bitmap(40, 20);
        Fill(bitmap, 0);
        Engine().DrawText(bitmap, c.clip, c.x, c.y, "Label", LabelFont(clWhite));
        EXPECT_TRUE(InkOf(bitmap).IsEmpty()) << c.name;
    }
}

// Text lies in the box TextExtent gives when drawn at the box's top-left corner: the position is
// the top of the line cell, not the baseline, and the extent is in pixels of the em size.
TEST(TextEngine, InkStaysInsideTheExtentAtTheDrawingPosition)
{
    // Smoothing may spill a pixel sideways, and an italic slant leans out of the advance.
    const struct { const char* name; int32_t height; uint8_t style; int32_t spill; } cases[] = {
        {"label", 11, 0, 1}, {"bold", 11, fsBold, 1}, {"italic", 11, fsItalic, 3}, {"large", 30, 0, 1},
    };
    for (const auto& c : cases) {
        TFontSpec font = LabelFont(clWhite, c.style);
        font.Height = c.height;
        const std::string text = "Hjgqy|";
        const TSize extent = Engine().TextExtent(text, font);
        EXPECT_GE(extent.Height, c.height) << c.name;
        EXPECT_LE(extent.Height, c.height * 2) << c.name;

        TBitmap bitmap(200, 80);
        const TRect ink = InkOf(Drawn(bitmap, text, font, 10, 10));
        const TRect box{10 - c.spill, 10, 10 + extent.Width + c.spill, 10 + extent.Height};
        EXPECT_FALSE(ink.IsEmpty()) << c.name;
        EXPECT_EQ(ink.Intersected(box), ink) << c.name << ": ink " << ink << " extent box " << box;
        // The capital's top lies in the upper part of the cell, not above it or at its foot.
        EXPECT_LE(ink.Top - 10, extent.Height / 2) << c.name;
    }
}

TEST(TextEngine, ExtentGrowsWithTheTextAndTheEmSize)
{
    const TFontSpec label = LabelFont(clWhite);
    TFontSpec twice = label;
    twice.Height = 22;
    const TSize empty = Engine().TextExtent("", label);
    const TSize one = Engine().TextExtent("Total CPU Load", label);
    const TSize both = Engine().TextExtent("Total CPU LoadTotal CPU Load", label);
    const TSize large = Engine().TextExtent("Total CPU Load", twice);

    EXPECT_EQ(empty.Width, 0);
    EXPECT_EQ(empty.Height, one.Height);
    EXPECT_GT(one.Width, 30);
    EXPECT_LT(one.Width, 100);
    EXPECT_NEAR(both.Width, 2 * one.Width, 2);
    EXPECT_NEAR(large.Height, 2 * one.Height, 3);
    EXPECT_NEAR(large.Width, 2 * one.Width, one.Width / 5);
}

// Smoothed edges blend the font colour into the background; on black every drawn pixel is a
// shade of the colour, and full coverage gives the colour itself.
TEST(TextEngine, DrawsInTheFontColour)
{
    const struct { TColor color; TPixel pixel; } cases[] = {
        {clFuchsia, 0xFF00FF}, {clLime, 0x00FF00}, {clRed, 0xFF0000}, {clWhite, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        TBitmap bitmap(120, 24);
        Drawn(bitmap, "HIIIHEEEE", LabelFont(c.color, fsBold));
        bool full = false;
        for (int32_t y = 0; y < bitmap.Height(); ++y)
            for (int32_t x = 0; x < bitmap.Width(); ++x) {
                const TPixel p = bitmap.Pixel(x, y);
                ASSERT_EQ(p & ~c.pixel, 0u) << std::hex << c.pixel << ": pixel " << p << " at " << TPoint(x, y);
                full = full || p == c.pixel;
            }
        EXPECT_TRUE(full) << std::hex << c.pixel << ": no pixel in the full colour";
    }
}

namespace {

// The longest run of drawn pixels in any row.
int32_t LongestRun(const TBitmap& Bitmap)
{
    int32_t longest = 0;
    for (int32_t y = 0; y < Bitmap.Height(); ++y) {
        int32_t run = 0;
        for (int32_t x = 0; x < Bitmap.Width(); ++x) {
            run = Bitmap.Pixel(x, y) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

}   // namespace

// Bold and italic change the letters; underline and strike-out add a line through the gaps
// between them, which shows as a run of drawn pixels nearly as wide as the text.
TEST(TextEngine, StyleBitsChangeThePicture)
{
    const std::string text = "Host Name";
    TBitmap regular(120, 24);
    Drawn(regular, text, LabelFont(clWhite));
    const int32_t width = InkOf(regular).Width();
    EXPECT_LT(LongestRun(regular), width / 2);
    const struct { const char* name; uint8_t style; bool line; } cases[] = {
        {"bold", fsBold, false}, {"italic", fsItalic, false}, {"underline", fsUnderline, true},
        {"strike-out", fsStrikeOut, true},
    };
    for (const auto& c : cases) {
        TBitmap styled(120, 24);
        EXPECT_FALSE(SamePixels(Drawn(styled, text, LabelFont(clWhite, c.style)), regular)) << c.name;
        EXPECT_EQ(LongestRun(styled) >= width * 9 / 10, c.line) << c.name << ": longest run " << LongestRun(styled);
    }
}

// A face that is not installed is drawn with the fallback face, the same as naming it.
TEST(TextEngine, UnknownFaceFallsBackToLeagueSpartan)
{
    TFontSpec fallback = LabelFont(clWhite);
    fallback.Name = "League Spartan";
    TBitmap expected(120, 24);
    Drawn(expected, "Processor Type: ", fallback);
    for (const char* name : {"No Such Face 7Q", ""}) {
        TFontSpec font = fallback;
        font.Name = name;
        TBitmap actual(120, 24);
        EXPECT_TRUE(SamePixels(Drawn(actual, "Processor Type: ", font), expected)) << "'" << name << "'";
    }
}

// Odd text and odd heights draw something sensible in one line and never leave the clip.
TEST(TextEngine, OddTextAndHeightsStayInOneLineInsideTheClip)
{
    const struct { const char* name; std::string text; int32_t height; } cases[] = {
        {"bytes that are not UTF-8", "ab\xff\xfe\xc3(cd", 11},
        {"embedded NUL", std::string("ab\0cd", 5), 11},
        {"line breaks", "one\ntwo\r\nthree", 11},
        {"tabs and controls", "a\tb\x01\x7f" "c", 11},
        {"accents and symbols", "\xc3\xa9t\xc3\xa9 \xe2\x82\xac 5\xc2\xb0", 11},
        {"long text", std::string(20000, 'W'), 11},
        {"height 0", "Label", 0},
        {"negative height", "Label", -11},
        {"huge height", "Label", 1000000},
    };
    const TRect clip{4, 4, 116, 36};
    for (const auto& c : cases) {
        TFontSpec font = LabelFont(clWhite);
        font.Height = c.height;
        const TSize extent = Engine().TextExtent(c.text, font);
        EXPECT_GE(extent.Width, 0) << c.name;
        EXPECT_GT(extent.Height, 0) << c.name;
        const TSize oneLine = Engine().TextExtent("x", font);
        EXPECT_EQ(extent.Height, oneLine.Height) << c.name << ": not one line";

        TBitmap bitmap(120, 40);
        Fill(bitmap, 0);
        Engine().DrawText(bitmap, clip, 6, 6, c.text, font);
        const TRect ink = InkOf(bitmap);
        EXPECT_EQ(ink.Intersected(clip), ink) << c.name << ": ink " << ink;
    }
}
