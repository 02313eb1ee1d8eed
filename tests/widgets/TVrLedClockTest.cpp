#include <chrono>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/DateTime.h"
#include "platform/gfx/Canvas.h"
#include "tests/framework/FrameworkFixture.h"
#include "tests/support/GoldenImage.h"
#include "widgets/TVrLedClock.h"
#include "widgets/TVrTimer.h"

namespace {

// Tuesday, 5 March 2024, at the given time of day.
TSystemTime March5(uint16_t Hour, uint16_t Minute, uint16_t Second, uint16_t Millisecond = 0)
{
    return {2024, 3, 2, 5, Hour, Minute, Second, Millisecond};
}

// A clock that counts its paints and can write them into a shared log.
class TProbeClock : public TVrLedClock {
public:
    using TVrLedClock::TVrLedClock;
    int Paints = 0;
    std::vector<std::string>* Log = nullptr;

protected:
    void Paint() override
    {
        ++Paints;
        if (Log)
            Log->push_back("paint");
        TVrLedClock::Paint();
    }
};

// A dot the face should show: the box its ellipse is inscribed in, and its colours.
struct TExpectedDot {
    TRect Box;
    TColor Fill;
    TColor Outline;
    std::string What;
};

// A colour no dot of the tests has: what DrawnAlone leaves where a dot lights nothing.
constexpr TPixel Unlit = 0x00123456;

// The pixels one dot lights on its own, drawn with the canvas the clock draws with.
std::unique_ptr<TBitmap> DrawnAlone(const TExpectedDot& Dot, int32_t Width, int32_t Height)
{
    auto picture = std::make_unique<TBitmap>(Width, Height);
    TCanvas& c = picture->Canvas();
    c.Brush().Color = PixelToColor(Unlit);
    c.FillRect(picture->BoundsRect());
    c.Pen().Color = Dot.Outline;
    c.Brush().Color = Dot.Fill;
    c.Ellipse(Dot.Box);
    return picture;
}

// What is wrong with one dot on the face: nothing, a pixel of the wrong colour, or a dot that
// lights no pixel at all (which would make the check empty).
std::optional<std::string> DotFault(const TBitmap& Face, const TExpectedDot& Dot)
{
    const auto alone = DrawnAlone(Dot, Face.Width(), Face.Height());
    bool lit = false;
    for (int32_t y = 0; y < Face.Height(); ++y)
        for (int32_t x = 0; x < Face.Width(); ++x) {
            const TPixel want = alone->Pixel(x, y);
            if (want == Unlit)
                continue;
            lit = true;
            if (Face.Pixel(x, y) != want) {
                std::ostringstream os;
                os << "pixel " << TPoint{x, y} << " is " << std::hex << Face.Pixel(x, y) << ", want " << want;
                return os.str();
            }
        }
    if (!lit)
        return "lights nothing";
    return std::nullopt;
}

// Every pixel each dot lights on its own has the dot's colour on the face.
void ExpectLit(const TBitmap& Face, const std::vector<TExpectedDot>& Dots)
{
    for (const TExpectedDot& dot : Dots)
        if (const auto fault = DotFault(Face, dot))
            ADD_FAILURE() << dot.What << " in " << dot.Box << ": " << *fault;
}

// The face shows these dots on black and nothing else.
void ExpectOnly(const TBitmap& Face, const std::vector<TExpectedDot>& Dots)
{
    ExpectLit(Face, Dots);
    TBitmap expected(Face.Width(), Face.Height());
    TCanvas& c = expected.Canvas();
    c.Brush().Color = clBlack;
    c.FillRect(expected.BoundsRect());
    for (const TExpectedDot& dot : Dots) {
        c.Pen().Color = dot.Outline;
        c.Brush().Color = dot.Fill;
        c.Ellipse(dot.Box);
    }
    for (int32_t y = 0; y < Face.Height(); ++y)
        for (int32_t x = 0; x < Face.Width(); ++x)
            if (Face.Pixel(x, y) != expected.Pixel(x, y)) {
                ADD_FAILURE() << "the face lights more than the expected dots: first at " << TPoint{x, y};
                return;
            }
}

// A character of the time text: where its anchor lies and its rows as the glyph table gives
// them.
struct TExpectedChar {
    int32_t Anchor;
    char Character;
    std::vector<uint8_t> Rows;
};

// The dots of a text, each in a box LedSize + 1 wide and LedSize high; row i starts at
// Top + (LedSize + 1) * i and moves left by Slants[i].
std::vector<TExpectedDot> LedDots(const std::vector<TExpectedChar>& Text, int32_t Top, int32_t LedSize,
                                  const std::vector<int32_t>& Slants, TColor Fill, TColor Outline)
{
    std::vector<TExpectedDot> dots;
    for (const TExpectedChar& ch : Text)
        for (int32_t i = 0; i < 9; ++i)
            for (int32_t j = 0; j < 6; ++j)
                if (ch.Rows[static_cast<size_t>(i)] & (1 << j)) {
                    const int32_t left = ch.Anchor - LedSize - (LedSize + 1) * j - Slants[static_cast<size_t>(i)];
                    const int32_t top = Top + (LedSize + 1) * i;
                    std::ostringstream what;
                    what << "'" << ch.Character << "' at " << ch.Anchor << ", row " << i << ", column bit " << j;
                    dots.push_back({{left, top, left + LedSize + 1, top + LedSize}, Fill, Outline, what.str()});
                }
    return dots;
}

std::vector<TExpectedDot> DotsAround(const std::vector<TPoint>& Centres, int32_t HalfSize, TColor Fill,
                                     TColor Outline, const std::string& Kind, int FirstIndex = 0)
{
    std::vector<TExpectedDot> dots;
    for (size_t n = 0; n < Centres.size(); ++n) {
        const TPoint p = Centres[n];
        dots.push_back({{p.X - HalfSize, p.Y - HalfSize, p.X + HalfSize, p.Y + HalfSize}, Fill, Outline,
                        Kind + " " + std::to_string(FirstIndex + static_cast<int>(n))});
    }
    return dots;
}

std::vector<TExpectedDot> Joined(std::initializer_list<std::vector<TExpectedDot>> Parts)
{
    std::vector<TExpectedDot> all;
    for (const auto& part : Parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::unique_ptr<TBitmap> CopyOf(const TBitmap& Picture)
{
    auto copy = std::make_unique<TBitmap>(Picture.Width(), Picture.Height());
    copy->Canvas().Draw(0, 0, Picture);
    return copy;
}

// Six colours that tell every kind of dot, and its fill from its outline, apart.
struct TFaceColours {
    TColor Hours = clRed, HoursOutline = clYellow;
    TColor Sec = clBlue, SecOutline = clAqua;
    TColor Tick = clLime, TickOutline = clWhite;
};

void Colour(TVrLedClock& Clock, const TFaceColours& c)
{
    Clock.SetHoursColor(c.Hours);
    Clock.SetHoursOutline(c.HoursOutline);
    Clock.SetSecHandColor(c.Sec);
    Clock.SetSecOutline(c.SecOutline);
    Clock.SetTickColor(c.Tick);
    Clock.SetTickOutline(c.TickOutline);
}

// The glyph rows of the characters the tests show.
const std::vector<uint8_t> Rows0{0x1E, 0x21, 0x21, 0x21, 0x21, 0x21, 0x21, 0x21, 0x1E};
const std::vector<uint8_t> Rows1{0x01, 0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x01};
const std::vector<uint8_t> Rows4{0x21, 0x21, 0x21, 0x21, 0x1E, 0x01, 0x01, 0x01, 0x01};
const std::vector<uint8_t> Rows8{0x1E, 0x21, 0x21, 0x21, 0x1E, 0x21, 0x21, 0x21, 0x1E};
const std::vector<uint8_t> Rows9{0x1E, 0x21, 0x21, 0x21, 0x1E, 0x01, 0x01, 0x01, 0x1E};
const std::vector<uint8_t> RowsColon{0x00, 0x00, 0x00, 0x04, 0x04, 0x00, 0x00, 0x00, 0x00};

// The saver's face at 09:41: centre (216, 204), hour marks on radius 182, second dots on 176,
// the text's anchors at 136, 191, 219 (the colon), 263 and 318 and its top at 101.
const std::vector<TPoint> SaverHourMarks{{216, 386}, {125, 362}, {58, 295},  {34, 204},  {58, 113},  {125, 46},
                                         {216, 22},  {307, 46},  {374, 113}, {398, 204}, {374, 295}, {307, 362}};
const std::vector<TPoint> SaverSecondDots{{216, 28},  {234, 29},  {253, 32},  {270, 37},  {288, 43},  {304, 52},
                                          {319, 62},  {334, 73},  {347, 86},  {358, 101}, {368, 116}, {377, 132},
                                          {383, 150}, {388, 167}, {391, 186}, {392, 204}};
const std::vector<TExpectedChar> SaverText0941{
    {136, '0', Rows0}, {191, '9', Rows9}, {219, ':', RowsColon}, {263, '4', Rows4}, {318, '1', Rows1}};

}  // namespace

// Clocks on a black form of the saver clock's size, with the wall clock scripted.
class VrLedClock : public FrameworkTest {
protected:
    TTestForm* Form = nullptr;

    void SetUp() override
    {
        Clock.SetLocalTime(March5(9, 41, 15));
        Form = App.CreateForm<TTestForm>();
        Form->SetBounds(0, 0, 433, 409);
        ShowAndPaint(*Form);
    }

    // The saver's clock as its window's layout builds it: transparent on black, fuchsia, the
    // saver's sizes and offsets. It is left inactive, so the test drives its ticks.
    TProbeClock* SaverClock()
    {
        auto* c = new TProbeClock(Form);
        c->BeginLoading();
        c->SetBounds(0, 0, 433, 409);
        c->SetThreaded(true);
        c->SetHourFormat(TVrHourFormat::hfmt24h);
        c->SetLedSize(6);
        c->SetSpacing(20);
        c->SetTextOffsetX(20);
        c->SetTextOffsetY(-75);
        c->SetTextAngle(0);
        c->SetTransparent(true);
        Colour(*c, {clFuchsia, clFuchsia, clFuchsia, clFuchsia, clFuchsia, clFuchsia});
        c->SetHours(11);
        c->SetMinutes(10);
        c->SetSeconds(50);
        c->SetParent(Form);
        c->Loaded();
        return c;
    }

    // Moves the wall clock, ticks once and runs what the tick asked for.
    void TickAt(TVrLedClock& C, const TSystemTime& Time)
    {
        Clock.SetLocalTime(Time);
        C.OnTimerEvent(nullptr);
        App.ProcessMessages();
    }

    const TBitmap& Face() { return Screen.Pixels(Form->Handle()); }
};

TEST_F(VrLedClock, ConstructionGivesTheDocumentedValuesAndLoadsTheTime)
{
    auto clock = std::make_unique<TVrLedClock>(nullptr);
    const TVrLedClock& c = *clock;
    EXPECT_TRUE(c.Threaded());
    EXPECT_FALSE(c.Active());
    EXPECT_TRUE(c.SecondsIndicator());
    EXPECT_TRUE(c.HourMarks());
    EXPECT_TRUE(c.Background().Empty());
    for (TColor colour : {c.HoursColor(), c.HoursOutline(), c.SecHandColor(), c.SecOutline(), c.TickColor(), c.TickOutline()})
        EXPECT_EQ(colour, clRed);
    EXPECT_EQ(c.SecWidth(), 2);
    EXPECT_EQ(c.TickWidth(), 2);
    EXPECT_FALSE(c.EnableAlarm());
    EXPECT_EQ(c.AlarmTime(), 0.0);
    EXPECT_EQ(c.HourFormat(), TVrHourFormat::hfmt24h);
    EXPECT_EQ(c.LedSize(), 3);
    EXPECT_EQ(c.Spacing(), 8);
    EXPECT_EQ(c.TextOffsetX(), 0);
    EXPECT_EQ(c.TextOffsetY(), 0);
    EXPECT_EQ(c.TextAngle(), 10);
    EXPECT_FALSE(c.Transparent());
    EXPECT_TRUE(c.Opaque());
    EXPECT_EQ(c.Color(), clBlack);
    EXPECT_FALSE(c.ParentColor());
    EXPECT_EQ(c.BoundsRect(), (TRect{0, 0, 200, 200}));
    EXPECT_EQ(c.Version(), "1.3");
    // The time was read once at construction.
    EXPECT_EQ(c.Hours(), 9);
    EXPECT_EQ(c.Minutes(), 41);
    EXPECT_EQ(c.Seconds(), 15);

    const TVrTimer& timer = c.OwnedTimer();
    EXPECT_EQ(timer.Owner(), clock.get());
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_EQ(timer.TimerType(), TVrTimerType::ttThread);
    EXPECT_TRUE(timer.SyncEvent());
    EXPECT_TRUE(static_cast<bool>(timer.OnTimer()));
}

TEST_F(VrLedClock, ActiveAndThreadedDriveTheOwnedTimer)
{
    auto clock = std::make_unique<TVrLedClock>(nullptr);
    clock->SetThreaded(false);
    EXPECT_EQ(clock->OwnedTimer().TimerType(), TVrTimerType::ttSystem);
    EXPECT_FALSE(clock->Threaded());
    clock->SetActive(true);
    EXPECT_TRUE(clock->OwnedTimer().Enabled());
    clock->SetThreaded(true);
    EXPECT_EQ(clock->OwnedTimer().TimerType(), TVrTimerType::ttThread);
    clock->SetActive(false);
    EXPECT_FALSE(clock->OwnedTimer().Enabled());
}

// The saver's face at 09:41:15 lights exactly the hour marks, the second dots 0 to 15 and the
// 69 digit dots of the worked example, in their own colours.
TEST_F(VrLedClock, SaverFaceLightsTheWorkedExampleDots)
{
    TProbeClock* c = SaverClock();
    const TFaceColours colours;
    Colour(*c, colours);
    TickAt(*c, March5(9, 41, 15));

    const auto digits = LedDots(SaverText0941, 101, 6, std::vector<int32_t>(9, 0), colours.Hours, colours.HoursOutline);
    ASSERT_EQ(digits.size(), 69u) << "09:41 has 69 digit dots";
    ExpectOnly(Face(), Joined({DotsAround(SaverHourMarks, 2, colours.Tick, colours.TickOutline, "hour mark"),
                               DotsAround(SaverSecondDots, 2, colours.Sec, colours.SecOutline, "second dot"), digits}));

    // The '1' lights its boxes right up to both sides: seven pixels, 312 to 318, across the
    // middle of each of its dots.
    const int32_t one[] = {0, 1, 2, 3, 5, 6, 7, 8};
    for (int32_t i : one) {
        const int32_t y = 101 + 7 * i + 3;
        EXPECT_NE(Face().Pixel(312, y), ColorToPixel(clBlack)) << "row " << i;
        EXPECT_NE(Face().Pixel(318, y), ColorToPixel(clBlack)) << "row " << i;
        EXPECT_EQ(Face().Pixel(311, y), ColorToPixel(clBlack)) << "row " << i;
        EXPECT_EQ(Face().Pixel(319, y), ColorToPixel(clBlack)) << "row " << i;
    }

    TickAt(*c, March5(9, 41, 45));
    ExpectLit(Face(), DotsAround({{216, 380}}, 2, colours.Sec, colours.SecOutline, "second dot", 30));
    ExpectLit(Face(), DotsAround({{40, 204}}, 2, colours.Sec, colours.SecOutline, "second dot", 45));
}

// The construction values: 200 x 200, dots of 3 pixels, text slanted by 10 degrees. The first
// character's anchor is (52, 84) and the rows move left by 0, 1, 1, 2, 2, 3, 3, 4, 4 pixels.
TEST_F(VrLedClock, ConstructionFaceSlantsItsDigits)
{
    auto* c = new TProbeClock(Form);
    c->SetHourMarks(false);
    c->SetSecondsIndicator(false);
    c->SetParent(Form);
    TickAt(*c, March5(8, 8, 0));

    const std::vector<TExpectedChar> text{
        {52, '0', Rows0}, {80, '8', Rows8}, {97, ':', RowsColon}, {118, '0', Rows0}, {146, '8', Rows8}};
    ExpectOnly(Face(), LedDots(text, 84, 3, {0, 1, 1, 2, 2, 3, 3, 4, 4}, clRed, clRed));
}

TEST_F(VrLedClock, RowSlantFollowsTheAngleAndTreatsAnUnusableSlantAsZero)
{
    const struct {
        int32_t angle;
        int row;
        int32_t ledSize;
        int64_t slant;
    } cases[] = {
        {0, 8, 6, 0},        {10, 8, 3, 4},    {-10, 8, 3, -4},  {10, 3, -3, -2},   {45, 8, 6, 48},
        {180, 8, 6, 0},      {360, 8, 6, 0},   {10, 0, 6, 0},
        // tan(90 degrees) is about 1.6e16: times 8 rows of INT32_MAX pixels it leaves the
        // range of pixel arithmetic.
        {90, 8, INT32_MAX, 0}, {-90, 8, INT32_MIN, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TVrLedClock::LedRowSlant(c.angle, c.row, c.ledSize), c.slant)
            << "angle " << c.angle << ", row " << c.row << ", LED size " << c.ledSize;
}

TEST_F(VrLedClock, SaverFaceMatchesTheGoldenImages)
{
    TProbeClock* c = SaverClock();
    const struct {
        uint16_t second;
        const char* golden;
    } cases[] = {
        {0, "widgets/ledclock-0941-00"},    // one second dot, at twelve o'clock
        {15, "widgets/ledclock-0941-15"},   // a quarter of the ring
        {59, "widgets/ledclock-0941-59"},   // the whole ring of 60 dots
    };
    for (const auto& row : cases) {
        TickAt(*c, March5(9, 41, row.second));
        EXPECT_TRUE(MatchesGolden(Face(), row.golden)) << row.golden;
    }
}

TEST_F(VrLedClock, RepaintsOnlyWhenTheShownTimeChanges)
{
    const struct {
        const char* name;
        bool ring;
        TSystemTime from, to;
        int paints;
    } cases[] = {
        {"same second", true, March5(9, 41, 15), March5(9, 41, 15), 0},
        {"next second with the ring", true, March5(9, 41, 15), March5(9, 41, 16), 1},
        {"next second without the ring", false, March5(9, 41, 15), March5(9, 41, 16), 0},
        {"next minute without the ring", false, March5(9, 41, 59), March5(9, 42, 0), 1},
        {"two seconds at once", true, March5(9, 41, 15), March5(9, 41, 17), 1},
        {"only the hour (clock set forward)", false, March5(9, 41, 15), March5(10, 41, 15), 1},
        {"only the milliseconds", true, March5(9, 41, 15, 0), March5(9, 41, 15, 900), 0},
    };
    TProbeClock* c = SaverClock();
    for (const auto& row : cases) {
        c->SetSecondsIndicator(row.ring);
        TickAt(*c, row.from);
        c->Paints = 0;
        TickAt(*c, row.to);
        EXPECT_EQ(c->Paints, row.paints) << row.name;
    }
}

TEST_F(VrLedClock, TickRepaintsThenReportsChangesInOrder)
{
    TProbeClock* c = SaverClock();
    std::vector<std::string> log;
    c->Log = &log;
    c->OnHoursChanged = [&](TObject* s, uint16_t v) { log.push_back((s == c ? "hours " : "?") + std::to_string(v)); };
    c->OnMinutesChanged = [&](TObject*, uint16_t v) { log.push_back("minutes " + std::to_string(v)); };
    c->OnSecondsChanged = [&](TObject*, uint16_t v) { log.push_back("seconds " + std::to_string(v)); };
    c->OnAlarm = [&](TObject* s) { log.push_back(s == c ? "alarm" : "?"); };
    c->SetEnableAlarm(true);
    c->SetAlarmTime(EncodeDate(2024, 3, 5) + EncodeTime(10, 0, 0, 0));
    TickAt(*c, March5(9, 59, 59));
    log.clear();

    TickAt(*c, March5(10, 0, 0));
    EXPECT_EQ(log, (std::vector<std::string>{"paint", "hours 10", "minutes 0", "seconds 0", "alarm"}));

    log.clear();
    TickAt(*c, March5(10, 0, 1));
    EXPECT_EQ(log, (std::vector<std::string>{"paint", "seconds 1"}));
}

TEST_F(VrLedClock, AlarmFiresOnlyOnTheExactSecondOfItsDate)
{
    const TDateTime march5 = EncodeDate(2024, 3, 5);
    const struct {
        const char* name;
        bool enabled;
        TDateTime alarm;
        std::vector<uint16_t> tickSeconds;   // ticks at 09:41:ss
        int alarms;
    } cases[] = {
        {"ticks pass the alarm's second", true, march5 + EncodeTime(9, 41, 20, 0), {19, 20, 21}, 1},
        {"the alarm's second is skipped", true, march5 + EncodeTime(9, 41, 20, 0), {19, 21}, 0},
        {"milliseconds of the alarm do not count", true, march5 + EncodeTime(9, 41, 20, 700), {19, 20, 21}, 1},
        {"alarm not enabled", false, march5 + EncodeTime(9, 41, 20, 0), {19, 20, 21}, 0},
        {"alarm on the next day", true, march5 + 1 + EncodeTime(9, 41, 20, 0), {19, 20, 21}, 0},
        {"alarm on the day before", true, march5 - 1 + EncodeTime(9, 41, 20, 0), {19, 20, 21}, 0},
        {"alarm time that is no number", true, std::numeric_limits<double>::quiet_NaN(), {0, 19, 20}, 0},
    };
    for (const auto& row : cases) {
        auto clock = std::make_unique<TVrLedClock>(nullptr);
        int alarms = 0;
        clock->OnAlarm = [&](TObject*) { ++alarms; };
        clock->SetEnableAlarm(row.enabled);
        clock->SetAlarmTime(row.alarm);
        for (uint16_t s : row.tickSeconds)
            TickAt(*clock, March5(9, 41, s));
        EXPECT_EQ(alarms, row.alarms) << row.name;
    }
}

// In 12-hour format the face shows what a 24-hour face shows for the mapped hour.
TEST_F(VrLedClock, TwelveHourFormatMapsTheAfternoonHours)
{
    const struct {
        uint8_t hour, minute, shown;
    } cases[] = {{13, 5, 1}, {0, 5, 0}, {12, 30, 12}, {23, 59, 11}, {1, 0, 1}};
    TProbeClock* c = SaverClock();
    for (const auto& row : cases) {
        const std::string name = std::to_string(row.hour) + ":" + std::to_string(row.minute);
        c->SetHourFormat(TVrHourFormat::hfmt12h);
        c->SetTime(EncodeTime(row.hour, row.minute, 0, 0));
        App.ProcessMessages();
        const auto twelve = CopyOf(Face());
        c->SetHourFormat(TVrHourFormat::hfmt24h);
        c->SetTime(EncodeTime(row.shown, row.minute, 0, 0));
        App.ProcessMessages();
        EXPECT_TRUE(SamePixels(*twelve, Face())) << name << " should show hour " << int(row.shown);
        if (row.hour != row.shown) {
            c->SetTime(EncodeTime(row.hour, row.minute, 0, 0));
            App.ProcessMessages();
            EXPECT_FALSE(SamePixels(*twelve, Face())) << name << " in 24-hour format shows the hour as it is";
        }
    }
}

// When the face is too small for the ring, the radius is zero or negative: the marks and dots
// meet at the centre or appear mirrored through it.
TEST_F(VrLedClock, TooSmallFaceDrawsAtTheCentreOrMirrored)
{
    const struct {
        int32_t size;
        TPoint sixOClock, twelveOClock, firstSecondDot;
    } cases[] = {
        {44, {22, 22}, {22, 22}, {22, 28}},   // r = 0, R = -6
        {30, {15, 8}, {15, 22}, {15, 28}},    // r = -7, R = -13
    };
    for (const auto& row : cases) {
        auto* c = new TProbeClock(Form);
        c->SetBounds(0, 0, row.size, row.size);
        c->SetTextOffsetY(10000);   // the digits out of the way
        Colour(*c, {clRed, clRed, clAqua, clAqua, clLime, clLime});
        c->SetParent(Form);
        TickAt(*c, March5(9, 41, 0));
        const std::string name = std::to_string(row.size) + " x " + std::to_string(row.size);
        ExpectLit(Face(), DotsAround({row.firstSecondDot}, 2, clAqua, clAqua, name + ", second dot"));
        c->SetSecondsIndicator(false);
        App.ProcessMessages();
        ExpectLit(Face(), DotsAround({row.sixOClock}, 2, clLime, clLime, name + ", six o'clock mark"));
        ExpectLit(Face(), DotsAround({row.twelveOClock}, 2, clLime, clLime, name + ", twelve o'clock mark"));
        delete c;
        Form->Repaint();
    }
}

TEST_F(VrLedClock, TimeSetByHandIsReplacedAtTheNextTick)
{
    const struct {
        const char* name;
        std::function<void(TVrLedClock&)> set;
    } cases[] = {
        {"Hours", [](TVrLedClock& c) { c.SetHours(5); }},
        {"Minutes", [](TVrLedClock& c) { c.SetMinutes(7); }},
        {"Seconds", [](TVrLedClock& c) { c.SetSeconds(3); }},
    };
    TProbeClock* c = SaverClock();
    TickAt(*c, March5(9, 41, 15));
    const auto real = CopyOf(Face());
    for (const auto& row : cases) {
        row.set(*c);
        App.ProcessMessages();
        EXPECT_FALSE(SamePixels(*real, Face())) << row.name << " set by hand is shown";
        TickAt(*c, March5(9, 41, 15));
        EXPECT_EQ(c->Hours() * 10000 + c->Minutes() * 100 + c->Seconds(), 94115) << row.name;
        EXPECT_TRUE(SamePixels(*real, Face())) << row.name << ": the face shows the real time again";
    }
}

TEST_F(VrLedClock, LoadedReadsTheRealTimeOnlyWhenActive)
{
    for (bool active : {false, true}) {
        auto clock = std::make_unique<TVrLedClock>(nullptr);
        clock->BeginLoading();
        clock->SetActive(active);
        clock->SetTime(EncodeTime(11, 10, 50, 0));
        Clock.SetLocalTime(March5(9, 41, 15));
        clock->Loaded();
        const int shown = clock->Hours() * 10000 + clock->Minutes() * 100 + clock->Seconds();
        EXPECT_EQ(shown, active ? 94115 : 111050) << (active ? "active" : "inactive");
    }
}

// The owned timer's worker hands a tick to the main thread about once a second.
TEST_F(VrLedClock, ActiveClockFollowsTheWallClockThroughItsTimer)
{
    TProbeClock* c = SaverClock();
    TickAt(*c, March5(9, 41, 15));
    c->SetActive(true);
    Clock.SetLocalTime(March5(10, 2, 3));
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (c->Seconds() != 3 && std::chrono::steady_clock::now() < end) {
        App.ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(c->Hours() * 10000 + c->Minutes() * 100 + c->Seconds(), 100203);
    delete c;   // stops the worker; must neither hang nor tick into the freed clock
    App.ProcessMessages();
}

TEST_F(VrLedClock, SettersRepaintOnlyOnAChange)
{
    using TSet = std::function<void(TVrLedClock&, bool)>;
    const struct {
        const char* name;
        TSet set;   // true: a new value, false: the value it has
    } cases[] = {
        {"HoursColor", [](TVrLedClock& c, bool n) { c.SetHoursColor(n ? clBlue : c.HoursColor()); }},
        {"HoursOutline", [](TVrLedClock& c, bool n) { c.SetHoursOutline(n ? clBlue : c.HoursOutline()); }},
        {"SecHandColor", [](TVrLedClock& c, bool n) { c.SetSecHandColor(n ? clBlue : c.SecHandColor()); }},
        {"SecOutline", [](TVrLedClock& c, bool n) { c.SetSecOutline(n ? clBlue : c.SecOutline()); }},
        {"TickColor", [](TVrLedClock& c, bool n) { c.SetTickColor(n ? clBlue : c.TickColor()); }},
        {"TickOutline", [](TVrLedClock& c, bool n) { c.SetTickOutline(n ? clBlue : c.TickOutline()); }},
        {"SecWidth", [](TVrLedClock& c, bool n) { c.SetSecWidth(n ? 3 : c.SecWidth()); }},
        {"TickWidth", [](TVrLedClock& c, bool n) { c.SetTickWidth(n ? 3 : c.TickWidth()); }},
        {"LedSize", [](TVrLedClock& c, bool n) { c.SetLedSize(n ? 5 : c.LedSize()); }},
        {"Spacing", [](TVrLedClock& c, bool n) { c.SetSpacing(n ? 18 : c.Spacing()); }},
        {"TextOffsetX", [](TVrLedClock& c, bool n) { c.SetTextOffsetX(n ? 10 : c.TextOffsetX()); }},
        {"TextOffsetY", [](TVrLedClock& c, bool n) { c.SetTextOffsetY(n ? -70 : c.TextOffsetY()); }},
        {"TextAngle", [](TVrLedClock& c, bool n) { c.SetTextAngle(n ? 5 : c.TextAngle()); }},
        {"SecondsIndicator", [](TVrLedClock& c, bool n) { c.SetSecondsIndicator(n != c.SecondsIndicator()); }},
        {"HourMarks", [](TVrLedClock& c, bool n) { c.SetHourMarks(n != c.HourMarks()); }},
        {"HourFormat", [](TVrLedClock& c, bool n) {
             c.SetHourFormat(n ? TVrHourFormat::hfmt12h : c.HourFormat());
         }},
        {"Hours", [](TVrLedClock& c, bool n) { c.SetHours(n ? 3 : c.Hours()); }},
        {"Minutes", [](TVrLedClock& c, bool n) { c.SetMinutes(n ? 3 : c.Minutes()); }},
        {"Seconds", [](TVrLedClock& c, bool n) { c.SetSeconds(n ? 3 : c.Seconds()); }},
        {"Time", [](TVrLedClock& c, bool n) {
             c.SetTime(EncodeTime(n ? 1 : c.Hours(), c.Minutes(), c.Seconds(), 999));
         }},
    };
    for (const auto& row : cases) {
        TProbeClock* c = SaverClock();
        TickAt(*c, March5(9, 41, 15));
        c->Paints = 0;
        row.set(*c, false);
        App.ProcessMessages();
        EXPECT_EQ(c->Paints, 0) << row.name << " set to the value it has";
        row.set(*c, true);
        App.ProcessMessages();
        EXPECT_EQ(c->Paints, 1) << row.name << " set to a new value";
        delete c;
    }
}

TEST_F(VrLedClock, TickWidthOfZeroOrLessIsIgnored)
{
    TProbeClock* c = SaverClock();
    for (int32_t width : {0, -1, INT32_MIN}) {
        c->SetTickWidth(width);
        EXPECT_EQ(c->TickWidth(), 2) << width;
    }
}

// The picture is stretched over the face; its pixels of the colour Color take the brush,
// which lets the parent's black show through on a transparent clock.
TEST_F(VrLedClock, BackgroundIsStretchedWithColorReplaced)
{
    TBitmap picture(2, 1);
    picture.SetPixel(0, 0, ColorToPixel(clRed));
    picture.SetPixel(1, 0, ColorToPixel(clBlue));
    const struct {
        bool transparent;
        TColor right;
    } cases[] = {{false, clBlue}, {true, clBlack}};
    for (const auto& row : cases) {
        auto* c = new TProbeClock(Form);
        c->SetHourMarks(false);
        c->SetSecondsIndicator(false);
        c->SetTextOffsetY(10000);
        c->SetColor(clBlue);
        c->SetTransparent(row.transparent);
        c->SetBackground(picture);
        c->SetParent(Form);
        App.ProcessMessages();
        const char* name = row.transparent ? "transparent" : "opaque";
        EXPECT_EQ(Face().Pixel(50, 100), ColorToPixel(clRed)) << name;
        EXPECT_EQ(Face().Pixel(99, 100), ColorToPixel(clRed)) << name;
        EXPECT_EQ(Face().Pixel(100, 100), ColorToPixel(row.right)) << name;
        EXPECT_EQ(Face().Pixel(199, 199), ColorToPixel(row.right)) << name;
        delete c;
        Form->Repaint();
    }
}

TEST_F(VrLedClock, BackgroundIsACopy)
{
    auto* c = new TProbeClock(Form);
    c->SetHourMarks(false);
    c->SetSecondsIndicator(false);
    c->SetTextOffsetY(10000);
    c->SetParent(Form);
    TBitmap picture(1, 1);
    picture.SetPixel(0, 0, ColorToPixel(clRed));
    c->SetBackground(picture);
    App.ProcessMessages();
    picture.SetPixel(0, 0, ColorToPixel(clLime));
    c->SetBackground(c->Background());   // its own picture again
    App.ProcessMessages();
    EXPECT_EQ(Face().Pixel(100, 100), ColorToPixel(clRed)) << "a later change of the source does not show";
    c->SetBackground(TBitmap());
    App.ProcessMessages();
    EXPECT_TRUE(c->Background().Empty());
    EXPECT_EQ(Face().Pixel(100, 100), ColorToPixel(clBlack)) << "an empty picture removes the background";
}

// Settings far outside what the saver uses are drawn as computed, and a paint with them
// ends normally.
TEST_F(VrLedClock, AbsurdSettingsPaintWithoutFailing)
{
    const struct {
        const char* name;
        std::function<void(TVrLedClock&)> set;
    } cases[] = {
        {"LedSize -1", [](TVrLedClock& c) { c.SetLedSize(-1); }},
        {"LedSize -6", [](TVrLedClock& c) { c.SetLedSize(-6); }},
        {"LedSize INT32_MIN", [](TVrLedClock& c) { c.SetLedSize(INT32_MIN); }},
        {"LedSize INT32_MAX", [](TVrLedClock& c) { c.SetLedSize(INT32_MAX); }},
        {"LedSize 1000", [](TVrLedClock& c) { c.SetLedSize(1000); }},
        {"LedSize 100000000", [](TVrLedClock& c) { c.SetLedSize(100000000); }},
        {"Spacing INT32_MIN", [](TVrLedClock& c) { c.SetSpacing(INT32_MIN); }},
        {"Spacing INT32_MAX", [](TVrLedClock& c) { c.SetSpacing(INT32_MAX); }},
        {"TextOffsetX INT32_MAX", [](TVrLedClock& c) { c.SetTextOffsetX(INT32_MAX); }},
        {"TextOffsetY INT32_MIN", [](TVrLedClock& c) { c.SetTextOffsetY(INT32_MIN); }},
        {"SecWidth -2", [](TVrLedClock& c) { c.SetSecWidth(-2); }},
        {"SecWidth INT32_MIN", [](TVrLedClock& c) { c.SetSecWidth(INT32_MIN); }},
        {"SecWidth INT32_MAX", [](TVrLedClock& c) { c.SetSecWidth(INT32_MAX); }},
        {"TickWidth 500000000", [](TVrLedClock& c) { c.SetTickWidth(500000000); }},
        {"TickWidth INT32_MAX", [](TVrLedClock& c) { c.SetTickWidth(INT32_MAX); }},
        {"Hours 255", [](TVrLedClock& c) { c.SetHours(255); }},
        {"Hours 255 in 12-hour format", [](TVrLedClock& c) {
             c.SetHourFormat(TVrHourFormat::hfmt12h);
             c.SetHours(255);
         }},
        {"Minutes 255", [](TVrLedClock& c) { c.SetMinutes(255); }},
        {"Seconds 255", [](TVrLedClock& c) { c.SetSeconds(255); }},
        {"TextAngle 90", [](TVrLedClock& c) { c.SetTextAngle(90); }},
        {"TextAngle -270", [](TVrLedClock& c) { c.SetTextAngle(-270); }},
        {"TextAngle INT32_MIN", [](TVrLedClock& c) { c.SetTextAngle(INT32_MIN); }},
        {"TextAngle 90, LedSize INT32_MAX", [](TVrLedClock& c) {
             c.SetTextAngle(90);
             c.SetLedSize(INT32_MAX);
         }},
        {"size 0 x 0", [](TVrLedClock& c) { c.SetBounds(0, 0, 0, 0); }},
        {"size 1 x 1", [](TVrLedClock& c) { c.SetBounds(0, 0, 1, 1); }},
    };
    for (const auto& row : cases) {
        TProbeClock* c = SaverClock();
        TickAt(*c, March5(9, 41, 15));
        c->Paints = 0;
        EXPECT_NO_THROW({
            row.set(*c);
            c->Invalidate();
            App.ProcessMessages();
        }) << row.name;
        EXPECT_GE(c->Paints, c->Width() > 0 ? 1 : 0) << row.name;
        delete c;
    }
}

// With the angle a multiple of 180 degrees the digits stand upright.
TEST_F(VrLedClock, HalfTurnAnglesDrawUprightDigits)
{
    TProbeClock* c = SaverClock();
    TickAt(*c, March5(9, 41, 15));
    const auto upright = CopyOf(Face());
    for (int32_t angle : {180, -180, 360, 1800}) {
        c->SetTextAngle(angle);
        App.ProcessMessages();
        EXPECT_TRUE(SamePixels(*upright, Face())) << "angle " << angle;
    }
}
