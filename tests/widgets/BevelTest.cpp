#include <chrono>
#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/gfx/Canvas.h"
#include "tests/support/GoldenImage.h"
#include "widgets/TVrBevel.h"
#include "widgets/TVrPalette.h"
#include "widgets/VrDrawing.h"

namespace {

// The picture as rows of letters: T for red (the top colour in these tests), B for blue (the
// bottom colour), k for black, . for white and ? for anything else.
std::string Letters(const TBitmap& b)
{
    std::string s;
    for (int32_t y = 0; y < b.Height(); ++y) {
        for (int32_t x = 0; x < b.Width(); ++x) {
            const TPixel p = b.Pixel(x, y);
            s += p == ColorToPixel(clRed) ? 'T' : p == ColorToPixel(clBlue) ? 'B' : p == ColorToPixel(clBlack) ? 'k'
                 : p == ColorToPixel(clWhite) ? '.' : '?';
        }
        s += '\n';
    }
    return s;
}

// The level bars' frame: one black outline ring and one black spacing ring.
void MakeLevelBarBevel(TVrBevel& b)
{
    b.SetInnerStyle(bsNone);
    b.SetOuterStyle(bsNone);
    b.SetOuterOutline(osOuter);
    b.SetInnerWidth(2);
    b.SetInnerSpace(1);
    b.SetInnerColor(clBlack);
}

}  // namespace

TEST(DrawFrame3D, DrawsRingsWithTheCornersOfTheBottomColour)
{
    const struct { int width; TRect after; const char* picture; } cases[] = {
        {1, {1, 1, 5, 4},
         "TTTTTB\n"
         "T....B\n"
         "T....B\n"
         "T....B\n"
         "BBBBBB\n"},
        {2, {2, 2, 4, 3},
         "TTTTTB\n"
         "TTTTBB\n"
         "TT..BB\n"
         "TBBBBB\n"
         "BBBBBB\n"},
        {0, {0, 0, 6, 5}, "......\n......\n......\n......\n......\n"},
        {-3, {0, 0, 6, 5}, "......\n......\n......\n......\n......\n"},
    };
    for (const auto& c : cases) {
        TBitmap b(6, 5);
        TRect r{0, 0, 6, 5};
        DrawFrame3D(b.Canvas(), r, clRed, clBlue, c.width);
        EXPECT_EQ(Letters(b), c.picture) << "width " << c.width;
        EXPECT_EQ(r, c.after) << "width " << c.width;
    }
}

TEST(DrawFrame3D, HugeWidthFinishesAndKeepsTheRectangleInRange)
{
    TBitmap b(6, 5);
    TRect r{0, 0, 6, 5};
    const auto start = std::chrono::steady_clock::now();
    DrawFrame3D(b.Canvas(), r, clRed, clBlue, INT_MAX);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(r, TRect(INT_MAX, INT_MAX, 6 - INT_MAX, 5 - INT_MAX));

    TRect far{INT_MAX - 2, 0, INT_MAX, 5};
    DrawFrame3D(b.Canvas(), far, clRed, clBlue, 10);
    EXPECT_EQ(far.Left, INT_MAX) << "saturated, not wrapped round";
}

TEST(TVrBevel, VisibleAreaShrinksByTheThicknessOfTheDrawnLayers)
{
    const struct { const char* name; void (*setup)(TVrBevel&); int32_t shrink; } cases[] = {
        {"as constructed", [](TVrBevel&) {}, 4},
        {"level bars", MakeLevelBarBevel, 2},
        {"hidden", [](TVrBevel& b) { b.SetVisible(false); }, 0},
        {"every layer",
         [](TVrBevel& b) {
             b.SetBorderWidth(3);
             b.SetOuterSpace(2);
             b.SetInnerOutline(osInner);
             b.SetOuterWidth(2);
         },
         11},
        {"negative sizes take no room",
         [](TVrBevel& b) {
             b.SetBorderWidth(-5);
             b.SetOuterSpace(-5);
             b.SetInnerSpace(-5);
             b.SetOuterWidth(-5);
             b.SetInnerWidth(-5);
         },
         1},
    };
    for (const auto& c : cases) {
        TVrBevel bevel;
        c.setup(bevel);
        TRect area{0, 0, 105, 8};
        bevel.GetVisibleArea(area);
        EXPECT_EQ(area, TRect(0, 0, 105, 8).Shrunk(c.shrink)) << c.name;

        // Painting consumes exactly what GetVisibleArea removes.
        TBitmap b(105, 8);
        TRect painted{0, 0, 105, 8};
        bevel.Paint(b.Canvas(), painted);
        EXPECT_EQ(painted, area) << c.name;
    }
}

TEST(TVrBevel, HugeSizesSaturateInsteadOfWrapping)
{
    TVrBevel bevel;
    bevel.SetBorderWidth(INT_MAX);
    bevel.SetInnerSpace(INT_MAX);
    TRect area{0, 0, 10, 10};
    bevel.GetVisibleArea(area);
    EXPECT_EQ(area, TRect(INT_MAX, INT_MAX, INT_MIN, INT_MIN));
}

TEST(TVrBevel, LevelBarFrameIsTwoBlackRings)
{
    TVrBevel bevel;
    MakeLevelBarBevel(bevel);
    TBitmap b(8, 6);
    TRect r = b.BoundsRect();
    bevel.Paint(b.Canvas(), r);
    EXPECT_EQ(r, TRect(2, 2, 6, 4));
    EXPECT_EQ(Letters(b),
              "kkkkkkkk\n"
              "kkkkkkkk\n"
              "kk....kk\n"
              "kk....kk\n"
              "kkkkkkkk\n"
              "kkkkkkkk\n");
}

// Every one of the nine layers in a colour of its own, so the golden picture shows their order.
TEST(TVrBevel, PaintsTheLayersFromTheOutsideIn)
{
    TVrBevel bevel;
    bevel.SetBorderWidth(2);
    bevel.SetBorderColor(clGray);
    bevel.SetOuterOutline(osInner);
    bevel.SetOuterStyle(bsRaised);
    bevel.SetOuterWidth(2);
    bevel.SetOuterHighlight(clWhite);
    bevel.SetOuterShadow(clNavy);
    bevel.SetOuterSpace(1);
    bevel.SetOuterColor(clTeal);
    bevel.SetInnerOutline(osOuter);
    bevel.SetInnerStyle(bsLowered);
    bevel.SetInnerHighlight(clYellow);
    bevel.SetInnerShadow(clMaroon);
    bevel.SetInnerSpace(2);
    bevel.SetInnerColor(clLime);
    TBitmap b(24, 22);
    b.Canvas().Brush().Color = clFuchsia;
    b.Canvas().FillRect(b.BoundsRect());
    TRect r = b.BoundsRect();
    bevel.Paint(b.Canvas(), r);
    EXPECT_EQ(r, TRect(10, 10, 14, 12));
    EXPECT_TRUE(MatchesGolden(b, "widgets/bevel_layers"));
}

TEST(TVrBevel, SettersNotifyOnlyOnChangeAndAssignCopiesEverythingWithOneNotification)
{
    TVrBevel bevel;
    int changes = 0;
    bevel.SetOnChange([&](TVrPersistent* Sender) {
        EXPECT_EQ(Sender, &bevel);
        ++changes;
    });
    bevel.SetOuterOutline(osOuter);
    EXPECT_EQ(changes, 0) << "unchanged value";
    bevel.SetOuterOutline(osNone);
    EXPECT_EQ(changes, 1);

    TVrBevel source;
    MakeLevelBarBevel(source);
    source.SetBorderWidth(1);
    source.SetBorderColor(clRed);
    source.SetInnerShadow(clGreen);
    source.SetInnerHighlight(clOlive);
    source.SetInnerOutline(osInner);
    source.SetOuterShadow(clNavy);
    source.SetOuterHighlight(clPurple);
    source.SetOuterWidth(3);
    source.SetOuterSpace(4);
    source.SetOuterColor(clTeal);
    source.SetVisible(false);
    changes = 0;
    bevel.Assign(source);
    EXPECT_EQ(changes, 1);
    const auto props = [](const TVrBevel& b) {
        return std::vector<int64_t>{b.BorderWidth(), b.BorderColor(), b.InnerShadow(), b.InnerHighlight(),
                                    b.InnerWidth(), b.InnerStyle(), b.InnerOutline(), b.InnerSpace(),
                                    b.InnerColor(), b.OuterShadow(), b.OuterHighlight(), b.OuterWidth(),
                                    b.OuterStyle(), b.OuterOutline(), b.OuterSpace(), b.OuterColor(),
                                    b.Visible()};
    };
    EXPECT_EQ(props(bevel), props(source));

    bevel.Assign(bevel);
    EXPECT_EQ(changes, 2) << "an assignment is one notification even when nothing changed";

    TVrPalette palette;
    EXPECT_THROW(bevel.Assign(palette), Exception);
    EXPECT_EQ(props(bevel), props(source)) << "a refused source changes nothing";
}

TEST(TVrPalette, GetColorsGivesLowForUnlitAndHighForLit)
{
    TVrPalette palette;
    const struct { int index; TColor color; } cases[] = {{-1, clGreen}, {0, clGreen}, {1, clLime}, {7, clLime}};
    for (const auto& c : cases)
        EXPECT_EQ(palette.GetColors(c.index), c.color) << "index " << c.index;

    TVrPalette other;
    other.SetLow(clMaroon);
    other.SetHigh(clRed);
    int changes = 0;
    palette.SetOnChange([&](TVrPersistent*) { ++changes; });
    palette.Assign(other);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(palette.GetColors(0), clMaroon);
    EXPECT_EQ(palette.GetColors(1), clRed);
}

TEST(TVrPersistent, BracketsHoldNotificationsBackAndNeverCountBelowZero)
{
    TVrPalette palette;
    int changes = 0;
    palette.SetOnChange([&](TVrPersistent*) { ++changes; });
    palette.BeginUpdate();
    palette.BeginUpdate();
    palette.SetLow(clRed);
    palette.EndUpdate();
    EXPECT_EQ(changes, 0) << "one bracket still open";
    palette.EndUpdate();
    EXPECT_EQ(changes, 1);
    palette.EndUpdate();
    EXPECT_EQ(palette.UpdateCount(), 0);
    EXPECT_EQ(changes, 2) << "an unmatched EndUpdate still notifies";
    palette.SetHigh(clBlue);
    EXPECT_EQ(changes, 3) << "no bracket is left open";
}
