#include <climits>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/core/Color.h"
#include "platform/core/Exception.h"
#include "platform/gfx/Canvas.h"
#include "platform/headless/HeadlessLocale.h"
#include "tests/framework/FrameworkFixture.h"
#include "tests/support/GoldenImage.h"
#include "widgets/TLMDClock.h"
#include "widgets/TLMDDateFormat.h"
#include "widgets/TLMDTimerPool.h"

namespace {

constexpr TColor Reddish = 0x003C3CF0;   // the lit colour of the saver-sized pictures
constexpr TColor MidGray = 0x00808080;   // an unlit colour that can be told from black

// Tuesday, 5 March 2024, at the given time of day.
TSystemTime March5(uint16_t Hour = 14, uint16_t Minute = 0, uint16_t Second = 0)
{
    return {2024, 3, 2, 5, Hour, Minute, Second, 0};
}

// A clock that counts its paints (each paint asks for its text once) and can run something
// in the middle of a paint.
class TProbeClock : public TLMDClock {
public:
    using TLMDClock::TLMDClock;
    std::string GetDigitalText() override
    {
        ++Paints;
        if (InsidePaint)
            InsidePaint(*this);
        return TLMDClock::GetDigitalText();
    }
    int Paints = 0;
    std::function<void(TProbeClock&)> InsidePaint;
};

// The renderer of the saver's date readout: 14 x 17 cells, lit segments only on black.
void MakeSaverSized(TLMDLED& Led)
{
    Led.SetHorzsize(9);
    Led.SetVertsize(5);
    Led.SetThickness(1);
    Led.SetActiveColor(Reddish);
    Led.SetInActiveColor(clBlack);
}

// Text as the renderer alone paints it, for comparing with what the clock shows.
std::unique_ptr<TBitmap> Rendered(std::string_view Text, bool Enabled = true, TColor Background = clBlack)
{
    TLMDLED led;
    MakeSaverSized(led);
    led.SetBackColor(Background);
    auto picture = std::make_unique<TBitmap>(static_cast<int32_t>(Text.size()) * led.GetWidth(), led.GetHeight());
    led.PaintLED(&picture->Canvas(), picture->BoundsRect(), Text, Enabled, true);
    return picture;
}

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
    if (!p)
        os << "pictures are equal";
    else if (p->X < 0)
        os << "sizes differ";
    else
        os << "first difference at " << *p;
    return os.str();
}

// A colour scheme whose button face a test can change while a readout shows it.
class TSwitchableScheme : public IColorScheme {
public:
    TColor Face = clSilver;
    std::optional<TColor> SystemColor(int Index) const override
    {
        return Index == (clBtnFace & 0xFF) ? std::optional<TColor>(Face) : std::nullopt;
    }
};

void SetGermanData(THeadlessLocale& Locale)
{
    Locale.SetShortDayNames({"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"});
    Locale.SetShortDateFormat("dd.MM.yyyy");
    Locale.SetDateSeparator(".");
}

}  // namespace

// The saver's date readout on a black form, with a scripted clock and locale.
class LMDClockTest : public FrameworkTest {
protected:
    THeadlessLocale Locale;
    ScopedPlatform LocaleScope{WithLocale()};
    TTestForm* Form = nullptr;
    TProbeClock* Clock2 = nullptr;

    void SetUp() override
    {
        Clock.SetLocalTime(March5());
        Form = App.CreateForm<TTestForm>();
        Form->SetBounds(0, 0, 240, 40);
        Clock2 = MakeClock(*Form);
    }

    // A clock set up as the saver's form sets it: date mode, digital only, opaque, saver-sized
    // cells in the saver's colours, left at 4 and top at 6, at the form's stored width.
    TProbeClock* MakeClock(TForm& Parent)
    {
        auto* clock = new TProbeClock(&Parent);
        clock->BeginLoading();
        clock->SetBounds(4, 6, 182, 17);
        clock->SetMode(cmDate);
        clock->SetDigitalOnly(true);
        clock->SetTransparent(false);
        MakeSaverSized(clock->Digital());
        clock->SetParent(&Parent);
        clock->Loaded();
        return clock;
    }

    // Shows the form and lets every paint it causes happen; the clock's paint count starts
    // again from 0.
    void ShowForm()
    {
        ShowAndPaint(*Form);
        App.ProcessMessages();
        Clock2->Paints = 0;
    }

    // What the screen shows in the clock's rectangle.
    std::unique_ptr<TBitmap> Shown() { return ShownAt(Clock2->BoundsRect()); }
    std::unique_ptr<TBitmap> ShownAt(const TRect& r)
    {
        auto picture = std::make_unique<TBitmap>(r.Width(), r.Height());
        picture->Canvas().Draw(-r.Left, -r.Top, Screen.Pixels(Form->Handle()));
        return picture;
    }

private:
    Platform WithLocale()
    {
        Platform p = CurrentPlatform();
        p.Locale = &Locale;
        return p;
    }
};

// ---- Pictures ------------------------------------------------------------------------------

using LMDClockPicture = LMDClockTest;

// The readout sizes itself to its text at the first paint and fills its rectangle with the
// cells: 12 cells for the United States data, 13 for the German, 10 when disabled.
TEST_F(LMDClockPicture, DateReadoutsMatchGoldenPictures)
{
    const struct { const char* name; bool german; bool enabled; int32_t width; } cases[] = {
        {"widgets/date-us", false, true, 168},
        {"widgets/date-de", true, true, 182},
        {"widgets/date-disabled", false, false, 140},
    };
    for (const auto& c : cases) {
        if (c.german)
            SetGermanData(Locale);
        Clock2->SetEnabled(c.enabled);
        ShowForm();
        EXPECT_EQ(Clock2->BoundsRect(), TRect(4, 6, 4 + c.width, 6 + 17)) << c.name;
        EXPECT_TRUE(MatchesGolden(*Shown(), c.name)) << c.name;
        Form->Hide();
    }
}

// ---- Text ----------------------------------------------------------------------------------

using LMDClockText = LMDClockTest;

TEST_F(LMDClockText, WeekdayAndShortDateFromTheLocaleWithDefaultsForWhatIsMissing)
{
    const std::string longName(200, 'x');
    const struct { const char* row; std::function<void(THeadlessLocale&)> setup; std::string text; } cases[] = {
        {"United States data", [](THeadlessLocale&) {}, "Tue 3/5/2024"},
        {"German data", SetGermanData, "Di 05.03.2024"},
        {"nothing supplied", [](THeadlessLocale& l) { l.SupplyNothing(); }, "Tue 3/5/24"},
        {"no name for Tuesday only",
         [](THeadlessLocale& l) { SetGermanData(l); l.SetShortDayName(2, ""); }, "Tue 05.03.2024"},
        {"a weekday name too long to be real",
         [&](THeadlessLocale& l) { l.SetShortDayName(2, longName); }, "Tue 3/5/2024"},
        {"a format but no separator",
         [](THeadlessLocale& l) { l.SetShortDateFormat("d/M/yy"); l.SetDateSeparator(""); }, "Tue 5/3/24"},
        {"no format: the default keeps its own separator",
         [](THeadlessLocale& l) { l.SetShortDateFormat(""); l.SetDateSeparator("-"); }, "Tue 3/5/24"},
        {"a format too long to be real",
         [](THeadlessLocale& l) { l.SetShortDateFormat(std::string(100, 'd')); }, "Tue 3/5/24"},
        {"names and quoted text",
         [](THeadlessLocale& l) { l.SetShortDateFormat("ddd, 'day' d. MMM yyyy"); }, "Tue Tue, day 5. Mar 2024"},
        {"an unterminated quote runs to the end",
         [](THeadlessLocale& l) { l.SetShortDateFormat("d \"of M"); }, "Tue 5 of M"},
        {"odd characters stand for themselves",
         [](THeadlessLocale& l) { l.SetShortDateFormat("%d#$\\{}!"); }, "Tue %5#$\\{}!"},
        {"a separator of several characters",
         [](THeadlessLocale& l) { l.SetShortDateFormat("yyyy/mm/dd"); l.SetDateSeparator(" - "); }, "Tue 2024 - 03 - 05"},
        {"four letters or more give the full names",
         [](THeadlessLocale& l) { l.SetShortDateFormat("dddd d MMMM yyyy"); }, "Tue Tuesday 5 March 2024"},
        {"full names fall back to their own defaults",
         [](THeadlessLocale& l) { l.SupplyNothing(); l.SetShortDateFormat("DDDDD, mmmmm d"); }, "Tue Tuesday, March 5"},
        {"non-ASCII names are kept as they are",
         [](THeadlessLocale& l) { l.SetShortDayName(2, "m\xC3\xA1r"); l.SetShortDateFormat("yyyy. MM. dd."); },
         "m\xC3\xA1r 2024. 03. 05."},
    };
    for (const auto& c : cases) {
        THeadlessLocale fresh;
        Locale = fresh;
        c.setup(Locale);
        EXPECT_EQ(Clock2->GetDigitalText(), c.text) << c.row;
    }
}

// The text of a day is kept from one paint to the next; a change of the day or of any locale
// item the text is written from shows at the next paint all the same, and the text is then
// what the date conventions write afresh.
TEST_F(LMDClockText, EveryNewDayAndLocaleItemShowsAtTheNextText)
{
    using TLocaleStep = std::function<void(THeadlessLocale&)>;
    const TLocaleStep none = [](THeadlessLocale&) {};
    const struct { const char* row; TLocaleStep setup; std::function<void()> change; TLocaleStep localeChange; } cases[] = {
        {"later the same day", none, [&] { Clock.SetLocalTime(March5(23, 59, 59)); }, none},
        {"the next day", none, [&] { Clock.SetLocalTime({2024, 3, 3, 6, 0, 0, 0, 0}); }, none},
        {"the day's name", none, [] {}, [](THeadlessLocale& l) { l.SetShortDayName(2, "Tux"); }},
        {"another day's name", none, [] {}, [](THeadlessLocale& l) { l.SetShortDayName(3, "Wex"); }},
        {"the format", none, [] {}, [](THeadlessLocale& l) { l.SetShortDateFormat("dd.MM.yyyy"); }},
        {"the separator", none, [] {}, [](THeadlessLocale& l) { l.SetDateSeparator("-"); }},
        {"the month's name in a format that shows it", [](THeadlessLocale& l) { l.SetShortDateFormat("d MMM yyyy"); },
         [] {}, [](THeadlessLocale& l) { l.SetShortMonthName(3, "Mrz"); }},
        {"the month's name in quotes", [](THeadlessLocale& l) { l.SetShortDateFormat("'MMM' d"); }, [] {},
         [](THeadlessLocale& l) { l.SetShortMonthName(3, "Mrz"); }},
        {"a format that starts showing the month's name", [](THeadlessLocale& l) { l.SetShortMonthName(3, "Mrz"); },
         [] {}, [](THeadlessLocale& l) { l.SetShortDateFormat("d MMM"); }},
        {"the next month with its name", [](THeadlessLocale& l) { l.SetShortDateFormat("d MMM"); },
         [&] { Clock.SetLocalTime({2024, 4, 1, 1, 0, 0, 0, 0}); }, none},
    };
    for (const auto& c : cases) {
        Locale = THeadlessLocale();
        Clock.SetLocalTime(March5());
        c.setup(Locale);
        TLMDClock kept(Form);
        kept.SetMode(cmDate);
        kept.GetDigitalText();
        c.change();
        c.localeChange(Locale);
        EXPECT_EQ(kept.GetDigitalText(), TLMDDateFormat(&Locale).WeekdayAndDate(kept.GetTime())) << c.row;
    }
}

// The kept text belongs to the locale it was written from.
TEST_F(LMDClockText, ALocaleGoneShowsTheDefaultsAtTheNextText)
{
    EXPECT_EQ(Clock2->GetDigitalText(), "Tue 3/5/2024");
    Platform p = CurrentPlatform();
    p.Locale = nullptr;
    ScopedPlatform none(p);
    EXPECT_EQ(Clock2->GetDigitalText(), "Tue 3/5/24");
}

TEST_F(LMDClockText, WithoutAPlatformLocaleTheDefaultsApply)
{
    Platform p = CurrentPlatform();
    p.Locale = nullptr;
    ScopedPlatform none(p);
    EXPECT_EQ(Clock2->GetDigitalText(), "Tue 3/5/24");
}

TEST_F(LMDClockText, FixedTimeAndOffsetChangeTheDateShown)
{
    const struct { const char* row; TLMDClockOptions options; TLMDTimeOffset offset; std::string text; } cases[] = {
        {"the local time", {coShowAnalog}, {}, "Tue 3/5/2024"},
        {"one day on", {coShowAnalog, coOffset}, {1, 0, 0, 0}, "Wed 3/6/2024"},
        {"ten hours on crosses midnight", {coShowAnalog, coOffset}, {0, 10, 0, 0}, "Wed 3/6/2024"},
        {"minutes and seconds back", {coShowAnalog, coOffset}, {0, -14, 0, -1}, "Mon 3/4/2024"},
        {"the fixed time", {coShowAnalog, coFixed}, {1, 0, 0, 0}, "Mon 1/1/1990"},
        {"the fixed time one day on", {coShowAnalog, coFixed, coOffset}, {1, 0, 0, 0}, "Tue 1/2/1990"},
        {"beyond the last date", {coShowAnalog, coOffset}, {INT32_MAX, 0, 0, 0}, "Fri 12/31/9999"},
        {"before the first date", {coShowAnalog, coOffset}, {INT32_MIN, INT32_MIN, 0, 0}, "Mon 1/1/0001"},
    };
    for (const auto& c : cases) {
        Clock2->SetOptions(c.options);
        Clock2->SetTimeOffset(c.offset);
        EXPECT_EQ(Clock2->GetDigitalText(), c.text) << c.row;
    }
}

TEST_F(LMDClockText, FixedTimeStopsTheDateFromChanging)
{
    Clock2->SetOptions({coShowAnalog, coFixed});
    Clock2->SetFixedTime(EncodeDate(2024, 2, 29));
    const std::string before = Clock2->GetDigitalText();
    Clock.Advance(3 * 86400 * 1000u);
    EXPECT_EQ(before, "Thu 2/29/2024");
    EXPECT_EQ(Clock2->GetDigitalText(), before);
}

TEST_F(LMDClockText, RefusesToHideBothClockStyles)
{
    try {
        Clock2->SetOptions({co24Hour});
        FAIL() << "clearing both styles was accepted";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "One clock style must be active!");
    }
    EXPECT_EQ(Clock2->Options(), (TLMDClockOptions{coShowAnalog, co24Hour}));
}

// ---- Size ----------------------------------------------------------------------------------

using LMDClockSize = LMDClockTest;

// One cell per character, whatever the character: letters without segments, broken bytes and
// control codes all count, and the readout stops at its longest.
TEST_F(LMDClockSize, OneCellPerCharacter)
{
    const std::string eightyX(80, 'x');
    const struct { const char* row; std::function<void(THeadlessLocale&)> setup; int32_t cells; } cases[] = {
        {"accented letter", [](THeadlessLocale& l) { l.SetShortDayName(2, "s\xC3\xA1" "b"); }, 12},
        {"letter outside the basic plane", [](THeadlessLocale& l) { l.SetShortDayName(2, "\xF0\x9F\x95\x90"); }, 10},
        {"broken bytes", [](THeadlessLocale& l) { l.SetShortDayName(2, "\xE0\xFF" "b"); }, 12},
        {"control codes", [](THeadlessLocale& l) { l.SetShortDayName(2, "T\r\nu"); }, 13},
        {"at most 255 cells",
         [&](THeadlessLocale& l) {
             l.SetShortDayName(2, eightyX);
             l.SetShortDateFormat("ddd/ddd/ddd/ddd/ddd/ddd/ddd/ddd/ddd/ddd/");
         },
         255},
    };
    for (const auto& c : cases) {
        THeadlessLocale fresh;
        Locale = fresh;
        c.setup(Locale);
        ShowForm();
        EXPECT_EQ(Clock2->BoundsRect(), TRect::FromSize(4, 6, c.cells * 14, 17)) << c.row;
        Form->Hide();
    }
}

// When the text gets longer, the tick that notices draws nothing and only resizes the
// readout to the right; the paint that the new bounds bring draws the new text.
TEST_F(LMDClockSize, ALongerTextWidensTheReadoutAtTheNextPaint)
{
    Clock.SetLocalTime({2024, 3, 6, 9, 23, 59, 59, 0});   // Sat 3/9/2024, one second to midnight
    ShowForm();
    ASSERT_EQ(Clock2->Width(), 12 * 14);
    const auto before = Shown();

    Clock.Advance(1000);
    Clock2->OnTimer();
    EXPECT_EQ(Clock2->BoundsRect(), TRect::FromSize(4, 6, 13 * 14, 17));
    EXPECT_TRUE(Form->PaintPending()) << "the new bounds ask for a paint";
    EXPECT_EQ(Describe(FirstDifference(*before, *Rendered("Sat 3/9/2024"))), "pictures are equal");
    EXPECT_EQ(Describe(FirstDifference(*ShownAt(TRect::FromSize(4, 6, 12 * 14, 17)), *before)), "pictures are equal")
        << "the resizing paint draws nothing";

    App.ProcessMessages();
    EXPECT_EQ(Describe(FirstDifference(*Shown(), *Rendered("Sun 3/10/2024"))), "pictures are equal");
}

// ---- Painting ------------------------------------------------------------------------------

using LMDClockPaint = LMDClockTest;

// Each effective change repaints at once, exactly once, without waiting for the loop;
// a change to a value it already has paints nothing.
TEST_F(LMDClockPaint, EveryEffectiveChangeRepaintsOnceAtOnce)
{
    const struct { const char* row; std::function<void(TLMDClock&)> change; int paints; } cases[] = {
        {"same lit colour twice", [](TLMDClock& c) { c.Digital().SetColor(0, clLime); c.Digital().SetColor(0, clLime); }, 1},
        {"lit colour unchanged", [](TLMDClock& c) { c.Digital().SetColor(0, Reddish); }, 0},
        {"background colour", [](TLMDClock& c) { c.SetDigitalColor(clNavy); }, 1},
        {"mode unchanged", [](TLMDClock& c) { c.SetMode(cmDate); }, 0},
        {"fixed time", [](TLMDClock& c) { c.SetFixedTime(0); }, 1},
        {"showing the fixed time", [](TLMDClock& c) { c.SetOptions({coShowAnalog, coFixed}); }, 1},
    };
    for (const auto& c : cases) {
        ShowForm();
        c.change(*Clock2);
        EXPECT_EQ(Clock2->Paints, c.paints) << c.row;
        EXPECT_FALSE(Form->PaintPending()) << c.row;
        Form->Hide();
        delete Clock2;
        Clock2 = MakeClock(*Form);
    }
}

// The new background reaches the renderer inside the paint, which notifies the clock again;
// that and any other paint asked for inside a paint draw nothing, and the paint under way
// still finishes its picture.
TEST_F(LMDClockPaint, APaintAskedForInsideAPaintDrawsNothing)
{
    const struct { const char* row; std::function<void(TProbeClock&)> inside; } cases[] = {
        {"nothing else", nullptr},
        {"repaint", [](TProbeClock& c) { c.Repaint(); }},
        {"renderer change", [](TProbeClock& c) { c.Digital().SetColor(0, Reddish + 1); c.Digital().SetColor(0, Reddish); }},
        {"form update", [](TProbeClock& c) { c.Invalidate(); c.ParentForm()->Update(); }},
    };
    for (const auto& c : cases) {
        ShowForm();
        Clock2->InsidePaint = c.inside;
        Clock2->SetDigitalColor(clNavy);
        EXPECT_EQ(Clock2->Paints, 1) << c.row;
        EXPECT_FALSE(Clock2->Painting()) << c.row;
        EXPECT_EQ(Describe(FirstDifference(*Shown(), *Rendered("Tue 3/5/2024", true, clNavy))), "pictures are equal") << c.row;
        Clock2->InsidePaint = nullptr;
        Form->Hide();
        delete Clock2;
        Clock2 = MakeClock(*Form);
    }
}

// The readout's own timer repaints it once a second, straight onto the screen: at midnight
// the new date appears with the tick, without a paint cycle of the form.
TEST_F(LMDClockPaint, RepaintsOnceASecondFromItsTimer)
{
    Clock.SetLocalTime({2024, 3, 2, 5, 23, 59, 58, 0});
    ShowForm();
    const struct { uint32_t advance; int paints; const char* text; } steps[] = {
        {999, 0, "Tue 3/5/2024"}, {1, 1, "Tue 3/5/2024"}, {1000, 2, "Wed 3/6/2024"},
        {2500, 3, "Wed 3/6/2024"},   // ticks that fall due while none is handled come as one
    };
    for (const auto& s : steps) {
        Clock.Advance(s.advance);
        App.ProcessMessages();
        EXPECT_EQ(Clock2->Paints, s.paints) << "after " << s.advance << " ms more";
        EXPECT_EQ(Describe(FirstDifference(*Shown(), *Rendered(s.text))), "pictures are equal") << "after " << s.advance << " ms more";
    }
}

TEST_F(LMDClockPaint, ADisabledReadoutStopsItsTimerAndShowsNotAvailable)
{
    ShowForm();
    Clock2->SetEnabled(false);
    App.ProcessMessages();
    EXPECT_FALSE(Clock2->ClockTimer().Running());
    EXPECT_EQ(Clock2->Width(), 10 * 14);
    EXPECT_EQ(Describe(FirstDifference(*Shown(), *Rendered("--- NA ---", false))), "pictures are equal");
    Clock2->Paints = 0;
    Clock.Advance(5000);
    App.ProcessMessages();
    EXPECT_EQ(Clock2->Paints, 0);

    Clock2->SetEnabled(true);
    App.ProcessMessages();
    EXPECT_TRUE(Clock2->ClockTimer().Running());
    EXPECT_EQ(Describe(FirstDifference(*Shown(), *Rendered("Tue 3/5/2024"))), "pictures are equal");
}

TEST_F(LMDClockPaint, TicksWhileLoadingDrawNothingAndLoadingEndsWithAPaint)
{
    ShowForm();
    Clock2->BeginLoading();
    Clock.Advance(3000);
    App.ProcessMessages();
    EXPECT_EQ(Clock2->Paints, 0);
    Clock2->Loaded();
    EXPECT_EQ(Clock2->Paints, 1);
}

TEST_F(LMDClockPaint, ConstructionValues)
{
    TLMDClock clock(nullptr);
    EXPECT_EQ(clock.BoundsRect(), TRect(0, 0, 30, 30));
    EXPECT_TRUE(clock.Transparent());
    EXPECT_FALSE(clock.Opaque());
    EXPECT_EQ(clock.Mode(), cmNormal);
    EXPECT_FALSE(clock.DigitalOnly());
    EXPECT_EQ(clock.Options(), (TLMDClockOptions{coShowAnalog, co24Hour}));
    EXPECT_EQ(clock.FixedTime(), EncodeDate(1990, 1, 1));
    EXPECT_EQ(clock.TimeOffset(), TLMDTimeOffset{});
    EXPECT_EQ(clock.DigitalColor(), clBlack);
    EXPECT_TRUE(clock.Enabled());
    EXPECT_EQ(clock.ClockTimer().Interval(), 1000);
    EXPECT_TRUE(clock.ClockTimer().Enabled());
    EXPECT_EQ(clock.DefaultTimeFormat(), "hh:nn:ss");
    clock.SetDigitalShowSecs(false);
    EXPECT_EQ(clock.DefaultTimeFormat(), "hh:nn");
}

// The readout keeps its picture from paint to paint. After any change it shows exactly what a
// readout given the final settings before its first paint shows, and its renderer has counted
// the lines and cells of the text shown, as a paint that draws does.
TEST_F(LMDClockPaint, AfterEveryChangeTheReadoutShowsWhatANewReadoutShows)
{
    TSwitchableScheme scheme;
    Platform withScheme = CurrentPlatform();
    withScheme.Colors = &scheme;
    ScopedPlatform schemeScope(withScheme);
    Form->SetBounds(0, 0, 240, 80);
    using TStep = std::function<void(TLMDClock&)>;
    const TStep none = [](TLMDClock&) {};
    const struct { const char* change; TStep setup; TStep apply; } cases[] = {
        {"a new day", none, [&](TLMDClock& c) { Clock.SetLocalTime({2024, 3, 3, 6, 14, 0, 0, 0}); c.OnTimer(); }},
        {"a longer date", none, [&](TLMDClock& c) { Clock.SetLocalTime({2024, 3, 0, 10, 9, 0, 0, 0}); c.OnTimer(); }},
        // Tue 12/31/2024 to Wed 1/1/2025: two cells fewer, and none of the old ones may stay.
        {"a shorter date", [&](TLMDClock&) { Clock.SetLocalTime({2024, 12, 2, 31, 14, 0, 0, 0}); },
         [&](TLMDClock& c) { Clock.SetLocalTime({2025, 1, 3, 1, 14, 0, 0, 0}); c.OnTimer(); }},
        {"the lit colour", none, [](TLMDClock& c) { c.Digital().SetColor(0, clLime); }},
        {"the unlit colour", none, [](TLMDClock& c) { c.Digital().SetColor(1, MidGray); }},
        {"the cell background", none, [](TLMDClock& c) { c.SetDigitalColor(clNavy); }},
        {"the cell size", none, [](TLMDClock& c) { c.Digital().SetHorzsize(11); }},
        {"disabled", none, [](TLMDClock& c) { c.SetEnabled(false); }},
        {"disabled with the digits lit",
         [](TLMDClock& c) { c.SetEnabled(false); }, [](TLMDClock& c) { c.Digital().SetEnabled(false); }},
        {"a frame", none, [](TLMDClock& c) { c.Bevel().SetBorderWidth(2); c.Bevel().SetBorderColor(clWhite); }},
        {"the system colour of the lit segments",
         [](TLMDClock& c) { c.Digital().SetColor(0, clBtnFace); }, [&](TLMDClock& c) { scheme.Face = clYellow; c.Repaint(); }},
        {"a measurement between paints", none, [](TLMDClock& c) { c.Digital().CalcBoundsRect("1\r23", 0); c.Repaint(); }},
        // A text of the same length is drawn cell by cell over the kept picture.
        {"two new days", none,
         [&](TLMDClock& c) {
             Clock.SetLocalTime({2024, 3, 3, 6, 14, 0, 0, 0});
             c.OnTimer();
             Clock.SetLocalTime({2024, 3, 4, 7, 14, 0, 0, 0});
             c.OnTimer();
         }},
        {"a new day after the lit colour", none,
         [&](TLMDClock& c) {
             c.Digital().SetColor(0, clLime);
             Clock.SetLocalTime({2024, 3, 3, 6, 14, 0, 0, 0});
             c.OnTimer();
         }},
        {"a new day in a frame", [](TLMDClock& c) { c.Bevel().SetBorderWidth(2); c.Bevel().SetBorderColor(clWhite); },
         [&](TLMDClock& c) { Clock.SetLocalTime({2024, 3, 3, 6, 14, 0, 0, 0}); c.OnTimer(); }},
        {"a new day in the middle of the face",
         [](TLMDClock& c) { c.SetDigitalOnly(false); c.SetOptions({coShowDigital, co24Hour}); },
         [&](TLMDClock& c) { Clock.SetLocalTime({2024, 3, 3, 6, 14, 0, 0, 0}); c.OnTimer(); }},
        {"the background of a readout in the middle of the face",
         [](TLMDClock& c) { c.SetDigitalOnly(false); c.SetOptions({coShowDigital, co24Hour}); },
         [](TLMDClock& c) { c.SetColor(clNavy); c.Repaint(); }},
        {"the locale's day name", none, [&](TLMDClock& c) { Locale.SetShortDayName(2, "T:e"); c.Repaint(); }},
        {"the locale's date format", none, [&](TLMDClock& c) { SetGermanData(Locale); c.Repaint(); }},
    };
    for (const auto& c : cases) {
        scheme.Face = clSilver;
        Locale = THeadlessLocale();
        Clock.SetLocalTime(March5());
        c.setup(*Clock2);
        ShowForm();
        c.apply(*Clock2);
        App.ProcessMessages();

        auto* fresh = new TProbeClock(Form);
        fresh->BeginLoading();
        fresh->SetBounds(4, 40, 182, 17);
        fresh->SetMode(cmDate);
        fresh->SetDigitalOnly(true);
        fresh->SetTransparent(false);
        MakeSaverSized(fresh->Digital());
        fresh->Loaded();
        c.setup(*fresh);
        c.apply(*fresh);
        fresh->SetParent(Form);
        // The first paint fits the readout to its text, and the new bounds bring the paint
        // that draws it.
        Form->InvalidateArea(TRect::FromSize(0, 40, 240, 40));
        App.ProcessMessages();
        App.ProcessMessages();

        ASSERT_EQ(Clock2->BoundsRect().Translated(0, 34), fresh->BoundsRect()) << c.change;
        EXPECT_EQ(Describe(FirstDifference(*Shown(), *ShownAt(fresh->BoundsRect()))), "pictures are equal") << c.change;
        EXPECT_EQ(Clock2->Digital().ColumnCount(), fresh->Digital().ColumnCount()) << c.change;
        EXPECT_EQ(Clock2->Digital().LineCount(), fresh->Digital().LineCount()) << c.change;
        delete fresh;
        Form->Hide();
        delete Clock2;
        Clock2 = MakeClock(*Form);
    }
}

// A frame makes the readout larger by its extent on every side, with the cells inside it.
TEST_F(LMDClockSize, AFrameSurroundsTheCells)
{
    Clock2->Bevel().SetBorderWidth(2);
    Clock2->Bevel().SetBorderColor(clWhite);
    ShowForm();
    EXPECT_EQ(Clock2->BoundsRect(), TRect::FromSize(4, 6, 12 * 14 + 4, 17 + 4));
    EXPECT_EQ(Describe(FirstDifference(*ShownAt(TRect::FromSize(6, 8, 12 * 14, 17)), *Rendered("Tue 3/5/2024"))),
              "pictures are equal");
    EXPECT_EQ(Shown()->Pixel(0, 0), Shown()->Pixel(12 * 14 + 3, 17 + 3)) << "the frame is drawn";
    EXPECT_NE(Shown()->Pixel(0, 0), Shown()->Pixel(2, 2)) << "the frame is drawn";
}

// With the program-wide pool the readout repaints every 500 ms; back on its own timer, every
// second again.
TEST_F(LMDClockPaint, TheGlobalTimerTicksEveryHalfSecond)
{
    ShowForm();
    Clock2->SetUseGlobalTimer(true);
    EXPECT_TRUE(Clock2->UseGlobalTimer());
    EXPECT_EQ(Clock2->ClockTimer().Interval(), 500);
    EXPECT_EQ(TLMDTimerPool::Program().Count(), 1u);
    Clock2->Paints = 0;
    for (int step = 0; step < 4; ++step) {
        Clock.Advance(250);
        App.ProcessMessages();
    }
    EXPECT_EQ(Clock2->Paints, 2) << "two ticks in a second";

    Clock2->SetUseGlobalTimer(false);
    EXPECT_EQ(Clock2->ClockTimer().Interval(), 1000);
    EXPECT_EQ(TLMDTimerPool::Program().Count(), 0u);
    Clock2->Paints = 0;
    Clock.Advance(1000);
    App.ProcessMessages();
    EXPECT_EQ(Clock2->Paints, 1);
}

TEST_F(LMDClockPaint, APoolWithoutATimerIsAnErrorAndTheReadoutKeepsItsOwn)
{
    ShowForm();
    Screen.SetTimersRefused(true);
    try {
        Clock2->SetUseGlobalTimer(true);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Not enough timers available!");
    }
    Screen.SetTimersRefused(false);
    EXPECT_FALSE(Clock2->UseGlobalTimer());
    EXPECT_FALSE(Clock2->ClockTimer().UseGlobalTimer());
    EXPECT_EQ(Clock2->ClockTimer().Interval(), 1000);
    EXPECT_EQ(TLMDTimerPool::Program().Count(), 0u);
}

TEST(LMDTimerPool, PooledIntervalsAreWholeTicks)
{
    const struct { uint16_t interval; uint16_t pooled; } cases[] = {
        {1, 50}, {50, 50}, {51, 100}, {500, 500}, {1000, 1000}, {65535, 65500},
    };
    for (const auto& c : cases) {
        TLMDTimer timer(nullptr, c.interval, false);
        timer.SetUseGlobalTimer(true);
        EXPECT_EQ(timer.EffectiveInterval(), c.pooled) << c.interval;
    }
}
