#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/Color.h"
#include "platform/core/Numeric.h"
#include "platform/gfx/Canvas.h"
#include "tests/framework/FrameworkFixture.h"
#include "tests/support/GoldenImage.h"
#include "widgets/TVrLevelBar.h"

namespace {

// A level bar that counts its paints.
class TProbeBar : public TVrLevelBar {
public:
    using TVrLevelBar::TVrLevelBar;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TVrLevelBar::Paint();
    }
};

// The frame of the saver's bars: a black outline ring and a black spacing ring.
void MakeSaverBevel(TVrBevel& b)
{
    b.SetInnerStyle(bsNone);
    b.SetOuterStyle(bsNone);
    b.SetOuterOutline(osOuter);
    b.SetInnerWidth(2);
    b.SetInnerSpace(1);
    b.SetInnerColor(clBlack);
    b.SetInnerShadow(clBtnShadow);
    b.SetOuterShadow(clBtnShadow);
    b.SetInnerHighlight(clBtnHighlight);
    b.SetOuterHighlight(clBtnHighlight);
}

// A colour scheme whose button face a test can change while bars show it.
class TSwitchableScheme : public IColorScheme {
public:
    TColor Face = clSilver;
    std::optional<TColor> SystemColor(int Index) const override
    {
        return Index == (clBtnFace & 0xFF) ? std::optional<TColor>(Face) : std::nullopt;
    }
};

}  // namespace

// Level bars on a black form, as the saver's layout creates them.
class VrLevelBarTest : public FrameworkTest {
protected:
    TTestForm* Form = nullptr;

    void SetUp() override
    {
        Form = App.CreateForm<TTestForm>();
        Form->SetBounds(0, 0, 200, 160);
    }

    // A bar with the saver's stored settings: horizontal, 105 x 8, the two-ring frame.
    TProbeBar* SaverBar(int32_t MaxValue = 100, TPoint At = {10, 20})
    {
        return Stored(TRect::FromSize(At.X, At.Y, 105, 8), voHorizontal, [MaxValue](TVrLevelBar& bar) {
            bar.SetMaxValue(MaxValue);
        });
    }

    // A bar created through the loading protocol with the saver's frame and the given bounds,
    // orientation and further settings, on the form.
    TProbeBar* Stored(TRect Bounds, TVrOrientation Orientation, const std::function<void(TVrLevelBar&)>& More = {})
    {
        auto* bar = new TProbeBar(Form);
        bar->BeginLoading();
        bar->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        bar->SetOrientation(Orientation);
        MakeSaverBevel(bar->Bevel());
        if (More)
            More(*bar);
        bar->SetParent(Form);
        bar->Loaded();
        return bar;
    }

    // Shows the form with every paint it causes; paint counts start again from 0.
    void Show(TProbeBar& Bar)
    {
        ShowAndPaint(*Form);
        App.ProcessMessages();
        Bar.Paints = 0;
    }

    // What the screen shows in the control's rectangle.
    std::unique_ptr<TBitmap> Shown(const TControl& Control)
    {
        const TRect r = Control.BoundsRect();
        auto picture = std::make_unique<TBitmap>(r.Width(), r.Height());
        picture->Canvas().Draw(-r.Left, -r.Top, Screen.Pixels(Form->Handle()));
        return picture;
    }
};

// ---- Pictures ------------------------------------------------------------------------------

using VrLevelBarPicture = VrLevelBarTest;

TEST_F(VrLevelBarPicture, SaverBarsAtTheirPositions)
{
    const struct { int32_t max; int32_t position; const char* name; } cases[] = {
        {100, 0, "widgets/levelbar-saver-0"},
        {100, 37, "widgets/levelbar-saver-37"},
        {100, 100, "widgets/levelbar-saver-100"},
        {4000, 2394, "widgets/levelbar-bar3-2394"},
    };
    for (const auto& c : cases) {
        auto* bar = SaverBar(c.max);
        Show(*bar);
        bar->SetPosition(c.position);
        EXPECT_EQ(bar->BoundsRect(), TRect(10, 20, 115, 28)) << c.name;
        EXPECT_TRUE(MatchesGolden(*Shown(*bar), c.name)) << c.name;
        delete bar;
    }
}

// 12 x 39 with two-pixel ticks: twelve ticks, four lit, zones of 7, 3 and 2 ticks.
TEST_F(VrLevelBarPicture, VerticalBarsInBothStyles)
{
    const struct { TVrProgressStyle style; const char* name; } cases[] = {
        {psBottomLeft, "widgets/levelbar-vertical-bottomleft"},
        {psTopRight, "widgets/levelbar-vertical-topright"},
    };
    for (const auto& c : cases) {
        auto* bar = Stored({20, 10, 32, 49}, voVertical, [&c](TVrLevelBar& b) {
            b.SetTickHeight(2);
            b.SetStyle(c.style);
        });
        Show(*bar);
        bar->SetPosition(40);
        EXPECT_EQ(bar->TickCount(), 12) << c.name;
        EXPECT_EQ(bar->LitCount(), 4) << c.name;
        EXPECT_EQ(bar->BoundsRect(), TRect(20, 10, 32, 49)) << c.name;
        EXPECT_TRUE(MatchesGolden(*Shown(*bar), c.name)) << c.name;
        delete bar;
    }
}

// A bar keeps its picture from paint to paint and draws again only what a change needs. After
// any change it shows exactly what a bar given the final settings before its first paint shows.
TEST_F(VrLevelBarPicture, AfterEveryChangeTheBarShowsWhatANewBarShows)
{
    TSwitchableScheme scheme;
    Platform withScheme = CurrentPlatform();
    withScheme.Colors = &scheme;
    ScopedPlatform schemeScope(withScheme);
    using TStep = std::function<void(TVrLevelBar&)>;
    const TStep none = [](TVrLevelBar&) {};
    const struct { const char* change; TStep setup; TStep apply; } cases[] = {
        {"level up", none, [](TVrLevelBar& b) { b.SetPosition(80); }},
        {"level down", none, [](TVrLevelBar& b) { b.SetPosition(5); }},
        {"level to the maximum", none, [](TVrLevelBar& b) { b.SetPosition(100); }},
        {"level to the minimum", none, [](TVrLevelBar& b) { b.SetPosition(0); }},
        {"a zone colour", none, [](TVrLevelBar& b) { b.Palette2().SetLow(clWhite); }},
        {"the background", none, [](TVrLevelBar& b) { b.SetColor(clNavy); }},
        {"the frame", none, [](TVrLevelBar& b) { b.Bevel().SetOuterStyle(bsRaised); }},
        {"the zone sizes", none, [](TVrLevelBar& b) { b.SetPercent1(30); }},
        {"the spacing", none, [](TVrLevelBar& b) { b.SetSpacing(2); }},
        {"the filling side", none, [](TVrLevelBar& b) { b.SetStyle(psTopRight); }},
        {"the level of overlapping ticks",
         [](TVrLevelBar& b) { b.SetSpacing(-1); b.SetTickHeight(3); }, [](TVrLevelBar& b) { b.SetPosition(70); }},
        {"the system colour a zone shows",
         [](TVrLevelBar& b) { b.Palette1().SetHigh(clBtnFace); b.Palette1().SetLow(clBtnFace); },
         [&scheme](TVrLevelBar& b) { scheme.Face = clYellow; b.Invalidate(); }},
        // Each new level below is shown at once, so the later ones start from the pictures of
        // the bar fully lit and unlit that the earlier ones left, made for the look before.
        {"levels up and down", none,
         [](TVrLevelBar& b) { b.SetPosition(80); b.SetPosition(5); b.SetPosition(100); b.SetPosition(50); }},
        {"levels before and after a zone colour", none,
         [](TVrLevelBar& b) { b.SetPosition(80); b.Palette2().SetHigh(clWhite); b.SetPosition(90); b.SetPosition(10); }},
        {"levels before and after the system colour a zone shows",
         [](TVrLevelBar& b) { b.Palette1().SetHigh(clBtnFace); },
         [&scheme](TVrLevelBar& b) { b.SetPosition(80); scheme.Face = clYellow; b.SetPosition(20); b.SetPosition(60); }},
        {"levels before and after the frame", none,
         [](TVrLevelBar& b) { b.SetPosition(80); b.Bevel().SetOuterStyle(bsRaised); b.SetPosition(20); b.SetPosition(90); }},
        {"levels before and after the spacing", none,
         [](TVrLevelBar& b) { b.SetPosition(80); b.SetSpacing(2); b.SetPosition(20); b.SetPosition(60); }},
        {"transparent and back", [](TVrLevelBar& b) { b.SetColor(clNavy); },
         [this](TVrLevelBar& b) { b.SetTransparent(true); App.ProcessMessages(); b.SetTransparent(false); }},
        {"a level while transparent", [](TVrLevelBar& b) { b.SetColor(clNavy); },
         [this](TVrLevelBar& b) {
             b.SetTransparent(true);
             b.SetPosition(60);
             App.ProcessMessages();
             b.SetTransparent(false);
             b.SetPosition(70);
         }},
    };
    for (const auto& c : cases) {
        scheme.Face = clSilver;
        auto* kept = SaverBar();
        c.setup(*kept);
        Show(*kept);
        kept->SetPosition(37);
        c.apply(*kept);
        App.ProcessMessages();

        auto* fresh = new TProbeBar(Form);
        fresh->BeginLoading();
        fresh->SetBounds(10, 80, 105, 8);
        fresh->SetOrientation(voHorizontal);
        MakeSaverBevel(fresh->Bevel());
        fresh->Loaded();
        c.setup(*fresh);
        fresh->SetPosition(37);
        c.apply(*fresh);
        fresh->SetParent(Form);
        App.ProcessMessages();
        ASSERT_GT(fresh->Paints, 0) << c.change;

        ASSERT_EQ(kept->BoundsRect().Translated(0, 60), fresh->BoundsRect()) << c.change;
        const auto shownKept = Shown(*kept), shownFresh = Shown(*fresh);
        for (int32_t y = 0; y < shownKept->Height(); ++y)
            for (int32_t x = 0; x < shownKept->Width(); ++x)
                ASSERT_EQ(shownKept->Pixel(x, y), shownFresh->Pixel(x, y)) << c.change << " at " << TPoint{x, y};
        delete kept;
        delete fresh;
    }
}

// A new level is shown by copying the ticks between the old and the new level from pictures of
// the bar fully lit and fully unlit. At every level in turn the bar shows exactly what a bar
// drawn afresh at that level shows, whatever its direction, filling side, ticks and frame.
TEST_F(VrLevelBarPicture, EveryLevelInTurnShowsWhatAFreshBarShows)
{
    using TStep = std::function<void(TVrLevelBar&)>;
    const TStep none = [](TVrLevelBar&) {};
    const struct { const char* bar; TSize size; TVrOrientation orientation; TStep setup; } bars[] = {
        {"the saver's bar", {105, 8}, voHorizontal, none},
        {"filling from the right", {105, 8}, voHorizontal, [](TVrLevelBar& b) { b.SetStyle(psTopRight); }},
        {"vertical, from the bottom", {12, 39}, voVertical, [](TVrLevelBar& b) { b.SetTickHeight(2); }},
        {"vertical, from the top", {12, 39}, voVertical,
         [](TVrLevelBar& b) { b.SetTickHeight(2); b.SetStyle(psTopRight); }},
        {"ticks without gaps", {105, 8}, voHorizontal, [](TVrLevelBar& b) { b.SetSpacing(0); b.SetTickHeight(3); }},
        {"wide gaps", {60, 10}, voHorizontal, [](TVrLevelBar& b) { b.SetSpacing(3); b.SetTickHeight(2); }},
        {"a raised frame in system colours", {105, 12}, voHorizontal,
         [](TVrLevelBar& b) { b.Bevel().SetOuterStyle(bsRaised); b.Bevel().SetOuterWidth(2); }},
        {"three ticks", {20, 8}, voHorizontal, [](TVrLevelBar& b) { b.SetTickHeight(4); b.SetSpacing(2); }},
        {"overlapping ticks", {105, 8}, voHorizontal, [](TVrLevelBar& b) { b.SetSpacing(-1); b.SetTickHeight(3); }},
    };
    const int32_t levels[] = {37, 74, 0, 100, 99, 1, 50, 51, 13};
    Form->SetBounds(0, 0, 200, 160);
    for (const auto& c : bars) {
        auto* kept = Stored(TRect::FromSize(10, 20, c.size.Width, c.size.Height), c.orientation, c.setup);
        Show(*kept);
        for (const int32_t level : levels) {
            kept->SetPosition(level);
            App.ProcessMessages();
            auto* fresh = new TProbeBar(Form);
            fresh->BeginLoading();
            fresh->SetBounds(10, 100, c.size.Width, c.size.Height);
            fresh->SetOrientation(c.orientation);
            MakeSaverBevel(fresh->Bevel());
            c.setup(*fresh);
            fresh->SetPosition(level);
            fresh->Loaded();
            fresh->SetParent(Form);
            App.ProcessMessages();
            ASSERT_GT(fresh->Paints, 0) << c.bar << " at " << level;
            ASSERT_EQ(kept->BoundsRect().Translated(0, 80), fresh->BoundsRect()) << c.bar << " at " << level;
            const auto shownKept = Shown(*kept), shownFresh = Shown(*fresh);
            for (int32_t y = 0; y < shownKept->Height(); ++y)
                for (int32_t x = 0; x < shownKept->Width(); ++x)
                    ASSERT_EQ(shownKept->Pixel(x, y), shownFresh->Pixel(x, y))
                        << c.bar << " at " << level << ", pixel " << TPoint{x, y};
            delete fresh;
        }
        delete kept;
    }
}

// ---- Layout --------------------------------------------------------------------------------

using VrLevelBarLayout = VrLevelBarTest;

TEST_F(VrLevelBarLayout, SaverBarAt37MatchesTheWorkedExample)
{
    auto* bar = SaverBar();
    Show(*bar);
    bar->SetPosition(37);
    EXPECT_EQ(bar->PaintArea(), TRect(2, 2, 103, 6));
    EXPECT_EQ(bar->TickStep(), 2);
    EXPECT_EQ(bar->TickCount(), 51);
    EXPECT_EQ(bar->Width(), 105);
    EXPECT_EQ(bar->Zone1End(), 30);
    EXPECT_EQ(bar->Zone2End(), 42);
    EXPECT_EQ(bar->LitCount(), 18);

    // Each tick's rectangle and colour, and on the screen the tick column in that colour with a
    // black gap column after it.
    const auto shown = Shown(*bar);
    for (int32_t n = 1; n <= 51; ++n) {
        const TColor expected = n <= 18 ? clLime : n <= 30 ? clGreen : n <= 42 ? clOlive : clMaroon;
        EXPECT_EQ(bar->TickRect(n), TRect(2 * n, 2, 2 * n + 1, 6)) << "tick " << n;
        EXPECT_EQ(bar->TickColor(n), expected) << "tick " << n;
        for (int32_t y = 0; y < 8; ++y) {
            const bool inside = y >= 2 && y < 6;
            EXPECT_EQ(shown->Pixel(2 * n, y), ColorToPixel(inside ? expected : clBlack)) << "tick " << n << " y " << y;
            EXPECT_EQ(shown->Pixel(2 * n + 1, y), ColorToPixel(clBlack)) << "gap after tick " << n << " y " << y;
        }
    }
    EXPECT_EQ(bar->TickRect(0), TRect()) << "no tick 0";
    EXPECT_EQ(bar->TickRect(52), TRect()) << "no tick after the last";
}

TEST_F(VrLevelBarLayout, LitCountFollowsTheTruncatingPercentage)
{
    const struct { int32_t max; int32_t position; int32_t percent; int32_t lit; } cases[] = {
        {100, 0, 0, 0},       {100, 1, 1, 0},    {100, 2, 2, 1},    {100, 25, 25, 12},
        {100, 50, 50, 25},    {100, 75, 75, 38}, {100, 99, 99, 50}, {100, 100, 100, 51},
        {4000, 2394, 59, 30},   // bar 3: exactly the first zone is lit
        {10000000, 9999999, 99, 50},
    };
    auto* bar = SaverBar();
    Show(*bar);
    for (const auto& c : cases) {
        bar->SetMaxValue(c.max);
        bar->SetPosition(c.position);
        bar->Repaint();
        EXPECT_EQ(bar->GetPercentDone(), c.percent) << c.position << " of " << c.max;
        EXPECT_EQ(bar->LitCount(), c.lit) << c.position << " of " << c.max;
    }
}

TEST_F(VrLevelBarLayout, ZoneBoundariesUseTheTruncatingPercentage)
{
    // 103 pixels hold 50 ticks; 60 % of 50 is 29 in this arithmetic, not 30.
    auto* bar = Stored({10, 20, 113, 28}, voHorizontal);
    Show(*bar);
    EXPECT_EQ(bar->TickCount(), 50);
    EXPECT_EQ(bar->Zone1End(), 29);
    EXPECT_EQ(bar->Zone2End(), 41);
    bar->SetPosition(100);
    EXPECT_EQ(bar->LitCount(), 50) << "a full bar lights every tick";
    EXPECT_EQ(bar->TickColor(29), clLime);
    EXPECT_EQ(bar->TickColor(30), clYellow);
    EXPECT_EQ(bar->TickColor(42), clRed);
}

TEST_F(VrLevelBarLayout, TicksStartAtTheLowEndOfEachDirection)
{
    // The saver bar (51 ticks) and a 12 x 19 vertical bar (8 ticks in (2, 2)-(10, 17)).
    const struct { TVrOrientation orientation; TVrProgressStyle style; int32_t n; TRect rect; } cases[] = {
        {voHorizontal, psBottomLeft, 1, {2, 2, 3, 6}},   {voHorizontal, psBottomLeft, 51, {102, 2, 103, 6}},
        {voHorizontal, psTopRight, 1, {102, 2, 103, 6}}, {voHorizontal, psTopRight, 51, {2, 2, 3, 6}},
        {voVertical, psBottomLeft, 1, {2, 16, 10, 17}},  {voVertical, psBottomLeft, 8, {2, 2, 10, 3}},
        {voVertical, psTopRight, 1, {2, 2, 10, 3}},      {voVertical, psTopRight, 8, {2, 16, 10, 17}},
    };
    for (const auto& c : cases) {
        const TRect bounds = c.orientation == voHorizontal ? TRect(10, 20, 115, 28) : TRect(10, 20, 22, 39);
        auto* bar = Stored(bounds, c.orientation, [&c](TVrLevelBar& b) { b.SetStyle(c.style); });
        Show(*bar);
        bar->SetPosition(50);
        EXPECT_EQ(bar->TickRect(c.n), c.rect) << (c.orientation == voHorizontal ? "horizontal" : "vertical")
                                              << (c.style == psBottomLeft ? " bottom-left" : " top-right")
                                              << " tick " << c.n;
        delete bar;
    }
}

// The length snaps to whole ticks at the next paint; it never grows, and sizes that cannot
// hold a tick or a frame are drawn without ticks.
TEST_F(VrLevelBarLayout, LengthSnapsToWholeTicks)
{
    const struct {
        const char* name;
        TVrOrientation orientation;
        int32_t length;
        int32_t spacing;
        int32_t tickHeight;
        int32_t ticks;
        int32_t snapped;
    } cases[] = {
        {"already fits", voHorizontal, 105, 1, 1, 51, 105},
        {"one pixel too long", voHorizontal, 106, 1, 1, 51, 105},
        {"vertical", voVertical, 20, 1, 1, 8, 19},
        {"room for one tick", voHorizontal, 5, 1, 1, 1, 5},
        {"shorter than one tick", voHorizontal, 4, 1, 1, 0, 3},
        {"frame thicker than the bar", voHorizontal, 2, 1, 1, 0, 2},
        {"ticks overlap", voHorizontal, 105, -1, 2, 100, 105},
        {"ticks never advance", voHorizontal, 105, -1, 1, 0, 105},
        {"huge spacing", voHorizontal, 105, INT_MAX, 1, 1, 5},
        {"most negative spacing", voHorizontal, 105, INT_MIN, 1, 0, 105},
        {"huge tick", voHorizontal, 105, 1, INT_MAX, 0, 3},
    };
    for (const auto& c : cases) {
        const TRect bounds = c.orientation == voHorizontal ? TRect::FromSize(10, 20, c.length, 8)
                                                           : TRect::FromSize(10, 20, 8, c.length);
        auto* bar = Stored(bounds, c.orientation, [&c](TVrLevelBar& b) {
            b.SetSpacing(c.spacing);
            b.SetTickHeight(c.tickHeight);
        });
        Show(*bar);
        bar->SetPosition(100);
        EXPECT_EQ(bar->TickCount(), c.ticks) << c.name;
        EXPECT_EQ(c.orientation == voHorizontal ? bar->Width() : bar->Height(), c.snapped) << c.name;
        EXPECT_EQ(c.orientation == voHorizontal ? bar->Height() : bar->Width(), 8) << c.name;
        delete bar;
    }
}

TEST_F(VrLevelBarLayout, TurningTheBarSwapsItsSidesAndFillsFromTheBottom)
{
    auto* bar = SaverBar();
    Show(*bar);
    bar->SetPosition(50);
    bar->SetOrientation(voVertical);
    EXPECT_EQ(bar->BoundsRect(), TRect(10, 20, 18, 125));
    bar->Repaint();
    EXPECT_EQ(bar->TickCount(), 51);
    EXPECT_EQ(bar->TickRect(1), TRect(2, 102, 6, 103)) << "the low end is at the bottom";
    EXPECT_EQ(Shown(*bar)->Pixel(3, 102), ColorToPixel(clLime));
    EXPECT_EQ(Shown(*bar)->Pixel(3, 2), ColorToPixel(clMaroon));
}

TEST_F(VrLevelBarLayout, NewFrameKeepsTheAreaInsideIt)
{
    auto* bar = SaverBar();
    Show(*bar);
    TVrBevel thicker;
    MakeSaverBevel(thicker);
    thicker.SetInnerStyle(bsLowered);   // two more rings
    bar->SetBevel(thicker);
    EXPECT_EQ(bar->BoundsRect(), TRect(10, 20, 10 + 109, 20 + 12));
    EXPECT_EQ(bar->PaintArea(), TRect(4, 4, 105, 8));
    EXPECT_EQ(bar->TickCount(), 51);

    bar->Bevel().SetVisible(false);
    EXPECT_EQ(bar->BoundsRect(), TRect(10, 20, 10 + 101, 20 + 4));

    // A bar that has never painted keeps its inner area too: 170 x 20 with the constructed
    // frame of thickness 5 becomes 160 x 10 without it.
    TVrLevelBar fresh(Form);
    fresh.Bevel().SetVisible(false);
    EXPECT_EQ(fresh.BoundsRect(), TRect(0, 0, 160, 10));

    // While a layout loads, the stored size already fits the stored frame.
    auto* loaded = SaverBar(100, {10, 40});
    EXPECT_EQ(loaded->BoundsRect(), TRect(10, 40, 115, 48));
}

// ---- Values and notifications --------------------------------------------------------------

using VrLevelBarValues = VrLevelBarTest;

TEST_F(VrLevelBarValues, ConstructionValues)
{
    TVrLevelBar bar(Form);
    EXPECT_EQ(bar.BoundsRect(), TRect(0, 0, 170, 20));
    EXPECT_EQ(bar.Color(), clBlack);
    EXPECT_FALSE(bar.ParentColor());
    EXPECT_TRUE(bar.Opaque());
    EXPECT_FALSE(bar.Transparent());
    EXPECT_EQ(bar.Orientation(), voVertical);
    EXPECT_EQ(bar.Style(), psBottomLeft);
    EXPECT_EQ(bar.MinValue(), 0);
    EXPECT_EQ(bar.MaxValue(), 100);
    EXPECT_EQ(bar.Percent1(), 60);
    EXPECT_EQ(bar.Percent2(), 25);
    EXPECT_EQ(bar.Step(), 10);
    EXPECT_EQ(bar.Palette1().Low(), clGreen);
    EXPECT_EQ(bar.Palette1().High(), clLime);
    EXPECT_EQ(bar.Palette2().Low(), clOlive);
    EXPECT_EQ(bar.Palette2().High(), clYellow);
    EXPECT_EQ(bar.Palette3().Low(), clMaroon);
    EXPECT_EQ(bar.Palette3().High(), clRed);
    EXPECT_EQ(bar.Bevel().InnerStyle(), bsLowered);
    EXPECT_EQ(bar.Bevel().InnerWidth(), 2);
    EXPECT_EQ(bar.Bevel().InnerColor(), clBlack);
    EXPECT_EQ(bar.Bevel().Thickness(), 5);
}

TEST_F(VrLevelBarValues, LimitsAndPositionRefuseOrClamp)
{
    const struct {
        const char* name;
        std::function<void(TVrLevelBar&)> act;
        int32_t min, max, position;
    } cases[] = {
        {"above the maximum", [](TVrLevelBar& b) { b.SetPosition(150); }, 0, 100, 100},
        {"below the minimum", [](TVrLevelBar& b) { b.SetPosition(-5); }, 0, 100, 0},
        {"maximum equal to the minimum", [](TVrLevelBar& b) { b.SetMaxValue(0); }, 0, 100, 50},
        {"maximum below the minimum", [](TVrLevelBar& b) { b.SetMaxValue(-3); }, 0, 100, 50},
        {"minimum equal to the maximum", [](TVrLevelBar& b) { b.SetMinValue(100); }, 0, 100, 50},
        {"minimum above the maximum", [](TVrLevelBar& b) { b.SetMinValue(120); }, 0, 100, 50},
        {"maximum below the position", [](TVrLevelBar& b) { b.SetMaxValue(30); }, 0, 30, 30},
        {"minimum above the position", [](TVrLevelBar& b) { b.SetMinValue(70); }, 70, 100, 70},
        {"maximum above the position", [](TVrLevelBar& b) { b.SetMaxValue(4000); }, 0, 4000, 50},
        {"step", [](TVrLevelBar& b) { b.StepIt(); }, 0, 100, 60},
        {"step past the end", [](TVrLevelBar& b) { b.StepBy(70); }, 0, 100, 100},
        {"step past the 32-bit range",
         [](TVrLevelBar& b) {
             b.SetMaxValue(INT_MAX);
             b.StepBy(INT_MAX);
         },
         0, INT_MAX, INT_MAX},
        {"step back past the 32-bit range",
         [](TVrLevelBar& b) {
             b.SetMinValue(INT_MIN);
             b.StepBy(INT_MIN);
             b.StepBy(INT_MIN);
         },
         INT_MIN, 100, INT_MIN},
    };
    for (const auto& c : cases) {
        TVrLevelBar bar(Form);
        bar.SetPosition(50);
        c.act(bar);
        EXPECT_EQ(bar.MinValue(), c.min) << c.name;
        EXPECT_EQ(bar.MaxValue(), c.max) << c.name;
        EXPECT_EQ(bar.Position(), c.position) << c.name;
    }
}

TEST_F(VrLevelBarValues, PercentDoneOverTheWholeRange)
{
    const struct { int32_t min, max, position, percent; } cases[] = {
        {0, 100, 37, 37},          {0, 4000, 2394, 59},         {0, 3, 1, 33},   {-10, 10, -10, 0},
        {-10, 10, 10, 100},        {INT_MIN, INT_MAX, 0, 50},   {INT_MIN, INT_MAX, INT_MAX, 100},
        {INT_MIN, INT_MAX, INT_MIN, 0},
    };
    for (const auto& c : cases) {
        TVrLevelBar bar(Form);
        bar.SetMaxValue(c.max);
        bar.SetMinValue(c.min);
        bar.SetPosition(c.position);
        EXPECT_EQ(bar.GetPercentDone(), c.percent) << c.position << " in " << c.min << " .. " << c.max;
    }
}

// The share is taken in whole numbers wherever the range fits in 32 bits; it must truncate
// exactly as the floating-point percentage does, also where the quotient lies a hair below or
// above a whole per cent.
TEST_F(VrLevelBarValues, PercentDoneTruncatesLikeTheFloatingPointPercentage)
{
    const int32_t ranges[] = {1, 3, 7, 100, 101, 4000, 999'999'937, INT_MAX - 1, INT_MAX};
    for (const int32_t range : ranges) {
        TVrLevelBar bar(Form);
        bar.SetMaxValue(range);
        std::vector<int64_t> positions = {0, 1, range / 3, range / 2, int64_t(range) - 1, range};
        for (int64_t percent = 1; percent < 100; ++percent) {
            const int64_t boundary = int64_t(range) * percent / 100;
            for (int64_t p = boundary - 1; p <= boundary + 1; ++p)
                positions.push_back(p);
        }
        for (const int64_t p : positions) {
            if (p < 0 || p > range)
                continue;
            bar.SetPosition(static_cast<int32_t>(p));
            ASSERT_EQ(bar.GetPercentDone(), SolveForY(static_cast<int32_t>(p), range)) << p << " of " << range;
        }
    }
}

TEST_F(VrLevelBarValues, ZoneSizesAndTickHeightRefuseOrClamp)
{
    const struct {
        const char* name;
        bool loading;
        std::function<void(TVrLevelBar&)> act;
        int percent1, percent2;
        int32_t tickHeight;
    } cases[] = {
        {"zone 2 that fits", false, [](TVrLevelBar& b) { b.SetPercent2(40); }, 60, 40, 1},
        {"zone 2 too large", false, [](TVrLevelBar& b) { b.SetPercent2(41); }, 60, 25, 1},
        {"zone 2 negative", false, [](TVrLevelBar& b) { b.SetPercent2(-1); }, 60, 25, 1},
        {"zone 1 too large is lowered", false, [](TVrLevelBar& b) { b.SetPercent1(90); }, 75, 25, 1},
        {"zone 1 far too large", false, [](TVrLevelBar& b) { b.SetPercent1(300); }, 75, 25, 1},
        {"zone 1 negative", false, [](TVrLevelBar& b) { b.SetPercent1(-5); }, 0, 25, 1},
        {"zone 1 while loading", true, [](TVrLevelBar& b) { b.SetPercent1(90); }, 90, 25, 1},
        {"zone 1 beyond 100 while loading", true, [](TVrLevelBar& b) { b.SetPercent1(300); }, 100, 25, 1},
        {"tick height", false, [](TVrLevelBar& b) { b.SetTickHeight(3); }, 60, 25, 3},
        {"tick height 0", false, [](TVrLevelBar& b) { b.SetTickHeight(0); }, 60, 25, 1},
        {"negative tick height", false, [](TVrLevelBar& b) { b.SetTickHeight(-2); }, 60, 25, 1},
    };
    for (const auto& c : cases) {
        TVrLevelBar bar(Form);
        if (c.loading)
            bar.BeginLoading();
        c.act(bar);
        EXPECT_EQ(bar.Percent1(), c.percent1) << c.name;
        EXPECT_EQ(bar.Percent2(), c.percent2) << c.name;
        EXPECT_EQ(bar.TickHeight(), c.tickHeight) << c.name;
    }
}

TEST_F(VrLevelBarValues, TurningWhileLoadingKeepsTheStoredSize)
{
    TVrLevelBar bar(Form);
    bar.BeginLoading();
    bar.SetBounds(192, 208, 105, 8);
    bar.SetOrientation(voHorizontal);
    EXPECT_EQ(bar.BoundsRect(), TRect(192, 208, 297, 216));
}

// Each row starts from the saver bar at position 50, shown, and counts the notifications and
// the paints one change causes. Only a change of the picture paints.
TEST_F(VrLevelBarValues, ChangesNotifyAndRepaintOnlyWhenSomethingChanged)
{
    const struct {
        const char* name;
        std::function<void(TVrLevelBar&)> act;
        const char* events;
        int paints;
    } cases[] = {
        {"new position", [](TVrLevelBar& b) { b.SetPosition(37); }, "change ", 1},
        {"same position", [](TVrLevelBar& b) { b.SetPosition(50); }, "", 0},
        {"to the maximum", [](TVrLevelBar& b) { b.SetPosition(150); }, "change max ", 1},
        {"to the minimum", [](TVrLevelBar& b) { b.SetPosition(-1); }, "change min ", 1},
        {"step by nothing", [](TVrLevelBar& b) { b.StepBy(0); }, "", 0},
        {"maximum below the position", [](TVrLevelBar& b) { b.SetMaxValue(30); }, "change max ", 1},
        {"minimum above the position", [](TVrLevelBar& b) { b.SetMinValue(60); }, "change min ", 1},
        {"maximum above the position", [](TVrLevelBar& b) { b.SetMaxValue(200); }, "", 1},
        {"refused maximum", [](TVrLevelBar& b) { b.SetMaxValue(0); }, "", 0},
        {"same maximum", [](TVrLevelBar& b) { b.SetMaxValue(100); }, "", 0},
        {"zone size", [](TVrLevelBar& b) { b.SetPercent1(50); }, "", 1},
        {"same zone size", [](TVrLevelBar& b) { b.SetPercent1(60); }, "", 0},
        {"zone 1 lowered to what it is", [](TVrLevelBar& b) { b.SetPercent1(75); b.SetPercent1(90); }, "", 1},
        {"refused zone 2", [](TVrLevelBar& b) { b.SetPercent2(50); }, "", 0},
        {"style", [](TVrLevelBar& b) { b.SetStyle(psTopRight); }, "", 1},
        {"same spacing", [](TVrLevelBar& b) { b.SetSpacing(1); }, "", 0},
        {"refused tick height", [](TVrLevelBar& b) { b.SetTickHeight(0); }, "", 0},
        {"palette colour", [](TVrLevelBar& b) { b.Palette2().SetHigh(clWhite); }, "", 1},
        {"same palette colour", [](TVrLevelBar& b) { b.Palette2().SetHigh(clYellow); }, "", 0},
        {"palette assigned",
         [](TVrLevelBar& b) {
             TVrPalette p;
             p.SetLow(clNavy);
             p.SetHigh(clBlue);
             b.SetPalette3(p);
         },
         "", 1},
    };
    for (const auto& c : cases) {
        auto* bar = SaverBar();
        bar->SetPosition(50);
        Show(*bar);
        std::string events;
        bar->OnChange = [&](TObject*) { events += "change "; };
        bar->OnMinValue = [&](TObject*) { events += "min "; };
        bar->OnMaxValue = [&](TObject*) { events += "max "; };
        c.act(*bar);
        EXPECT_EQ(events, c.events) << c.name;
        EXPECT_EQ(bar->Paints, c.paints) << c.name;
        delete bar;
    }
}

TEST_F(VrLevelBarValues, AssignedSubObjectsStayOwned)
{
    TVrLevelBar bar(Form);
    TVrPalette palette;
    palette.SetLow(clNavy);
    bar.SetPalette1(palette);
    palette.SetLow(clTeal);
    EXPECT_EQ(bar.Palette1().Low(), clNavy) << "the bar copied the values, not the object";

    TVrBevel bevel;
    MakeSaverBevel(bevel);
    bar.SetBevel(bevel);
    bevel.SetBorderWidth(4);
    EXPECT_EQ(bar.Bevel().Thickness(), 2);
}
