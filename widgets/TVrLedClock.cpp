#include "widgets/TVrLedClock.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/core/Numeric.h"
#include "platform/gfx/Canvas.h"
#include "widgets/TVrTimer.h"

const std::array<TLedGlyph, 11> LedDigitGlyphs = {{
    {0x1E, 0x21, 0x21, 0x21, 0x21, 0x21, 0x21, 0x21, 0x1E},   // 0
    {0x01, 0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x01},   // 1
    {0x1E, 0x01, 0x01, 0x01, 0x1E, 0x20, 0x20, 0x20, 0x1E},   // 2
    {0x1E, 0x01, 0x01, 0x01, 0x1E, 0x01, 0x01, 0x01, 0x1E},   // 3
    {0x21, 0x21, 0x21, 0x21, 0x1E, 0x01, 0x01, 0x01, 0x01},   // 4
    {0x1E, 0x20, 0x20, 0x20, 0x1E, 0x01, 0x01, 0x01, 0x1E},   // 5
    {0x1E, 0x20, 0x20, 0x20, 0x1E, 0x21, 0x21, 0x21, 0x1E},   // 6
    {0x1E, 0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x01},   // 7
    {0x1E, 0x21, 0x21, 0x21, 0x1E, 0x21, 0x21, 0x21, 0x1E},   // 8
    {0x1E, 0x21, 0x21, 0x21, 0x1E, 0x01, 0x01, 0x01, 0x1E},   // 9
    {0x00, 0x00, 0x00, 0x04, 0x04, 0x00, 0x00, 0x00, 0x00},   // :
}};

namespace {

constexpr long double Pi = 3.141592653589793238462643383279502884L;

// The hour marks sit every 30 degrees, the second dots every 6.
constexpr int HourPositions = 12;
constexpr int SecondPositions = 60;
// Steps from the positive x axis to the first position: nine hours (six o'clock, since y grows
// downwards and the offsets are subtracted) and fifteen seconds (twelve o'clock).
constexpr int FirstHourMarkStep = 9;
constexpr int FirstSecondDotStep = 15;
// Space kept free between the hour marks and the edge of the widget.
constexpr int64_t FaceMargin = 10;
// Columns of a glyph row and the width, in dots, of a character cell and its height for
// centring.
constexpr int GlyphColumns = 6;
constexpr int64_t CellColumns = 5;
constexpr int64_t CellRows = 8;
// Beyond this a slant cannot take part in coordinate arithmetic without overflowing.
constexpr double LargestSlant = 4611686018427387904.0;   // 2^62

// The angle of step Step of Count around a full turn. It is formed in extended precision and
// then kept as a double, so both targets take the cosine and sine of the same value.
double StepAngle(int64_t Step, int Count)
{
    const volatile double angle = static_cast<double>(static_cast<long double>(Step) * 2 * Pi / Count);
    return angle;
}

// Factor times Length, rounded to the nearest pixel with halves to the even neighbour. The
// product is kept as a double, without any wider intermediate, so both targets round alike.
int64_t RoundedProduct(double Factor, int64_t Length)
{
    const volatile double product = Factor * static_cast<double>(Length);
    return Round(product);
}

// The offsets of position Step of Count from the centre of a circle of the given radius. They
// are subtracted from the centre, so the steps run clockwise on the screen; a negative radius
// mirrors the position through the centre.
std::pair<int64_t, int64_t> OffsetOnCircle(int64_t Radius, int64_t Step, int Count)
{
    const double angle = StepAngle(Step, Count);
    return {RoundedProduct(std::cos(angle), Radius), RoundedProduct(std::sin(angle), Radius)};
}

bool FitsCanvas(int64_t Value)
{
    return Value >= std::numeric_limits<int32_t>::min() && Value <= std::numeric_limits<int32_t>::max();
}

// The glyph of a character, or nullptr when it has none.
const TLedGlyph* GlyphOf(char Character)
{
    if (Character < '0' || Character > ':')
        return nullptr;
    return &LedDigitGlyphs[static_cast<size_t>(Character - '0')];
}

// A number written in decimal with at least two digits.
std::string TwoDigits(unsigned Value)
{
    std::string text = std::to_string(Value);
    return text.size() < 2 ? "0" + text : text;
}

}  // namespace

TVrLedClock::TVrLedClock(TComponent* Owner)
    : TVrGraphicImageControl(Owner), FBackground(std::make_unique<TBitmap>())
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 200, 200);
    SetColor(clBlack);
    SetParentColor(false);
    FOwnedTimer = new TVrTimer(this);
    FOwnedTimer->SetEnabled(false);
    FOwnedTimer->SetOnTimer([this](TObject* Sender) { OnTimerEvent(Sender); });
    // Loads the current time; without a parent yet nothing is painted.
    OnTimerEvent(this);
}

TVrLedClock::~TVrLedClock()
{
    delete FOwnedTimer;
    FOwnedTimer = nullptr;
}

// ---- Properties ----------------------------------------------------------------------------

bool TVrLedClock::Threaded() const { return FOwnedTimer->TimerType() == TVrTimerType::ttThread; }

void TVrLedClock::SetThreaded(bool Value)
{
    FOwnedTimer->SetTimerType(Value ? TVrTimerType::ttThread : TVrTimerType::ttSystem);
}

void TVrLedClock::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    FActive = Value;
    FOwnedTimer->SetEnabled(Value);
}

void TVrLedClock::SetSecondsIndicator(bool Value)
{
    if (Value == FSecondsIndicator)
        return;
    FSecondsIndicator = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetHourMarks(bool Value)
{
    if (Value == FHourMarks)
        return;
    FHourMarks = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetBackground(const TBitmap& Value)
{
    if (&Value != FBackground.get()) {
        FBackground->SetSize(Value.Width(), Value.Height());
        if (!Value.Empty())
            FBackground->Canvas().Draw(0, 0, Value);
    }
    UpdateControlCanvas();
}

void TVrLedClock::SetHoursColor(TColor Value)
{
    if (Value == FHoursColor)
        return;
    FHoursColor = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetHoursOutline(TColor Value)
{
    if (Value == FHoursOutline)
        return;
    FHoursOutline = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetSecHandColor(TColor Value)
{
    if (Value == FSecHandColor)
        return;
    FSecHandColor = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetSecOutline(TColor Value)
{
    if (Value == FSecOutline)
        return;
    FSecOutline = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetTickColor(TColor Value)
{
    if (Value == FTickColor)
        return;
    FTickColor = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetTickOutline(TColor Value)
{
    if (Value == FTickOutline)
        return;
    FTickOutline = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetSecWidth(int32_t Value)
{
    if (Value == FSecWidth)
        return;
    FSecWidth = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetTickWidth(int32_t Value)
{
    if (Value <= 0 || Value == FTickWidth)
        return;
    FTickWidth = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetHours(TVrHoursInt Value)
{
    if (Value == FHours)
        return;
    FHours = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetMinutes(TVrMinutesInt Value)
{
    if (Value == FMinutes)
        return;
    FMinutes = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetSeconds(TVrSecondsInt Value)
{
    if (Value == FSeconds)
        return;
    FSeconds = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetTime(TDateTime Value)
{
    if (!std::isfinite(Value))
        return;
    const TTimeParts time = DecodeTime(Value);
    SetHours(static_cast<TVrHoursInt>(time.Hour));
    SetMinutes(static_cast<TVrMinutesInt>(time.Minute));
    SetSeconds(static_cast<TVrSecondsInt>(time.Second));
}

void TVrLedClock::SetHourFormat(TVrHourFormat Value)
{
    if (Value == FHourFormat)
        return;
    FHourFormat = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetLedSize(int32_t Value)
{
    if (Value == FLedSize)
        return;
    FLedSize = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetSpacing(int32_t Value)
{
    if (Value == FSpacing)
        return;
    FSpacing = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetTextOffsetX(int32_t Value)
{
    if (Value == FTextOffsetX)
        return;
    FTextOffsetX = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetTextOffsetY(int32_t Value)
{
    if (Value == FTextOffsetY)
        return;
    FTextOffsetY = Value;
    UpdateControlCanvas();
}

void TVrLedClock::SetTextAngle(int32_t Value)
{
    if (Value == FTextAngle)
        return;
    FTextAngle = Value;
    UpdateControlCanvas();
}

// ---- Ticking -------------------------------------------------------------------------------

void TVrLedClock::OnTimerEvent(TObject*)
{
    const TVrHoursInt oldHours = FHours;
    const TVrMinutesInt oldMinutes = FMinutes;
    const TVrSecondsInt oldSeconds = FSeconds;

    // One reading serves both the time of day and the alarm's date, so the two agree even at
    // midnight.
    const TDateTime now = Now();
    const TTimeParts time = DecodeTime(now);
    FHours = static_cast<TVrHoursInt>(time.Hour);
    FMinutes = static_cast<TVrMinutesInt>(time.Minute);
    FSeconds = static_cast<TVrSecondsInt>(time.Second);
    const bool alarm = AlarmDue(now);

    const bool hoursChanged = FHours != oldHours;
    const bool minutesChanged = FMinutes != oldMinutes;
    const bool secondsChanged = FSeconds != oldSeconds;
    // The hour counts too: when the time is set forward by whole hours, or an hour set by hand
    // is replaced, the face must not keep showing the old hour until the next minute.
    if ((FSecondsIndicator && secondsChanged) || minutesChanged || hoursChanged)
        UpdateControlCanvas();
    if (hoursChanged)
        HoursChanged();
    if (minutesChanged)
        MinutesChanged();
    if (secondsChanged)
        SecondsChanged();
    if (alarm)
        DoAlarm();
}

// The alarm is due on the tick whose second is the alarm's second on the alarm's date; a
// second the ticks skip gives no alarm.
bool TVrLedClock::AlarmDue(TDateTime Now) const
{
    if (!FEnableAlarm || !std::isfinite(FAlarmTime) || std::trunc(FAlarmTime) != std::trunc(Now))
        return false;
    const TTimeParts alarm = DecodeTime(FAlarmTime);
    return alarm.Hour == FHours && alarm.Minute == FMinutes && alarm.Second == FSeconds;
}

void TVrLedClock::Loaded()
{
    TVrGraphicImageControl::Loaded();
    if (FActive)
        OnTimerEvent(this);
}

void TVrLedClock::HoursChanged()
{
    if (OnHoursChanged)
        OnHoursChanged(this, FHours);
}

void TVrLedClock::MinutesChanged()
{
    if (OnMinutesChanged)
        OnMinutesChanged(this, FMinutes);
}

void TVrLedClock::SecondsChanged()
{
    if (OnSecondsChanged)
        OnSecondsChanged(this, FSeconds);
}

void TVrLedClock::DoAlarm()
{
    if (OnAlarm)
        OnAlarm(this);
}

// ---- Painting ------------------------------------------------------------------------------

void TVrLedClock::Paint()
{
    ClearBitmapCanvas();
    // Every dot stays inside its box, so the boxes tell the presentation what changed.
    TrackDrawing();
    DrawBackground();
    TCanvas& canvas = GetBitmapCanvas();
    canvas.Pen().Style = psSolid;
    canvas.Pen().Width = 1;
    canvas.Brush().Style = bsSolid;
    const TFaceGeometry face = Geometry();
    if (FHourMarks)
        DrawHourMarks(face);
    DrawLeds();
    if (FSecondsIndicator)
        DrawSecondsRing(face);
    TVrGraphicImageControl::Paint();   // present the buffer
}

// Stretches the picture over the face. Its pixels of the colour Color take the brush: on a
// transparent clock the brush is clear and the parent shows through them.
void TVrLedClock::DrawBackground()
{
    if (FBackground->Empty())
        return;
    TCanvas& canvas = GetBitmapCanvas();
    canvas.Brush().Style = Transparent() ? bsClear : bsSolid;
    canvas.Brush().Color = Color();
    canvas.BrushCopy(ClientRect(), *FBackground, BitmapRect(*FBackground), Color());
    NoteDrawn(ClientRect());
}

// The radius leaves room for the margin, the hour marks and the ring of second dots inside
// them. On a face too small for that it is zero or negative.
TVrLedClock::TFaceGeometry TVrLedClock::Geometry() const
{
    const int64_t cx = Width() / 2;
    const int64_t cy = Height() / 2;
    const int64_t radius = std::min(cx, cy) - FaceMargin - 2 * (2 * int64_t(FSecWidth) + FTickWidth);
    return {cx, cy, radius};
}

const TVrLedClock::TDotPlaces& TVrLedClock::DotPlaces(const TFaceGeometry& Face)
{
    const int64_t ringRadius = Face.Radius - 2 * int64_t(FSecWidth) - FTickWidth;
    TDotPlaces& places = FDotPlaces;
    if (places.Valid && places.Face == Face && places.RingRadius == ringRadius)
        return places;
    const auto centre = [&](int64_t Radius, int64_t Step, int Count) {
        const auto [dx, dy] = OffsetOnCircle(Radius, Step, Count);
        return TDotCentre{Face.CenterX - dx, Face.CenterY - dy};
    };
    for (int k = 0; k < HourPositions; ++k)
        places.HourMarks[static_cast<size_t>(k)] = centre(Face.Radius, k + FirstHourMarkStep, HourPositions);
    for (int i = 0; i < SecondPositions; ++i)
        places.Seconds[static_cast<size_t>(i)] = centre(ringRadius, i + FirstSecondDotStep, SecondPositions);
    places.Valid = true;
    places.Face = Face;
    places.RingRadius = ringRadius;
    return places;
}

void TVrLedClock::DrawHourMarks(const TFaceGeometry& Face)
{
    TCanvas& canvas = GetBitmapCanvas();
    canvas.Pen().Color = FTickOutline;
    canvas.Brush().Color = FTickColor;
    const int64_t w = FTickWidth;
    for (const TDotCentre& p : DotPlaces(Face).HourMarks)
        AddDot(p.X - w, p.Y - w, p.X + w, p.Y + w);
    DrawDots();
}

// One dot for every second of the minute so far and one for the second shown, starting at
// twelve o'clock. A second beyond 59, set by hand, goes round the ring again; its angle is a
// whole turn larger, which need not give the same rounding, so its dot is worked out anew.
void TVrLedClock::DrawSecondsRing(const TFaceGeometry& Face)
{
    TCanvas& canvas = GetBitmapCanvas();
    canvas.Pen().Color = FSecOutline;
    canvas.Brush().Color = FSecHandColor;
    const int64_t w = FSecWidth;
    const TDotPlaces& places = DotPlaces(Face);
    for (int i = 0; i <= FSeconds; ++i) {
        TDotCentre p;
        if (i < SecondPositions) {
            p = places.Seconds[static_cast<size_t>(i)];
        } else {
            const auto [dx, dy] = OffsetOnCircle(places.RingRadius, i + FirstSecondDotStep, SecondPositions);
            p = {Face.CenterX - dx, Face.CenterY - dy};
        }
        AddDot(p.X - w, p.Y - w, p.X + w, p.Y + w);
    }
    DrawDots();
}

// "hh:mm", with the hours 13 to 23 counted from 1 again in 12-hour format.
std::string TVrLedClock::TimeText() const
{
    unsigned hours = FHours;
    if (FHourFormat == TVrHourFormat::hfmt12h && hours > 12)
        hours -= 12;
    return TwoDigits(hours) + ":" + TwoDigits(FMinutes);
}

void TVrLedClock::DrawLeds()
{
    const int64_t pitch = int64_t(FLedSize) + 1;
    const int64_t cell = CellColumns * pitch;
    const int64_t spacing = FSpacing;
    int64_t x = (Width() - CellColumns * (cell + spacing - 1)) / 2 + cell + FTextOffsetX;
    const int64_t y = (Height() - CellRows * pitch) / 2 + FTextOffsetY;
    const std::string text = TimeText();
    for (size_t n = 0; n < text.size(); ++n) {
        // A colon is narrower than a digit: it sits half a cell after the digit before it.
        if (text[n] == ':')
            PaintLed(x + cell / 2 - FLedSize, y, text[n]);
        else
            PaintLed(x, y, text[n]);
        if (n + 1 < text.size())
            x += text[n + 1] == ':' ? cell / 2 : spacing + cell;
    }
}

// Each dot's box is one pixel wider than high. Rows further down move left by their slant,
// so a positive angle leans the character to the right.
void TVrLedClock::PaintLed(int64_t X, int64_t Y, char Character)
{
    const TLedGlyph* glyph = GlyphOf(Character);
    if (!glyph)
        return;
    TCanvas& canvas = GetBitmapCanvas();
    canvas.Brush().Color = FHoursColor;
    canvas.Pen().Color = FHoursOutline;
    canvas.Pen().Width = 1;
    const int64_t size = FLedSize;
    const int64_t pitch = size + 1;
    const TRowSlants& slants = RowSlants();
    for (size_t i = 0; i < glyph->size(); ++i) {
        const int64_t top = Y + pitch * static_cast<int64_t>(i);
        for (int j = 0; j < GlyphColumns; ++j) {
            if (((*glyph)[i] & (1u << j)) == 0)
                continue;
            const int64_t left = X - size - pitch * j - slants.Rows[i];
            AddDot(left, top, left + pitch, top + size);
        }
    }
    DrawDots();
}

const TVrLedClock::TRowSlants& TVrLedClock::RowSlants()
{
    TRowSlants& slants = FRowSlants;
    if (slants.Valid && slants.Angle == FTextAngle && slants.LedSize == FLedSize)
        return slants;
    for (size_t i = 0; i < slants.Rows.size(); ++i)
        slants.Rows[i] = LedRowSlant(FTextAngle, static_cast<int>(i), FLedSize);
    slants.Valid = true;
    slants.Angle = FTextAngle;
    slants.LedSize = FLedSize;
    return slants;
}

int64_t TVrLedClock::LedRowSlant(int32_t Angle, int Row, int32_t LedSize)
{
    const double radians = static_cast<double>(static_cast<long double>(Angle) * Pi / 180);
    const volatile double slant = std::tan(radians) * Row * LedSize;
    if (!std::isfinite(slant) || std::fabs(slant) >= LargestSlant)
        return 0;
    return Round(slant);
}

void TVrLedClock::AddDot(int64_t Left, int64_t Top, int64_t Right, int64_t Bottom)
{
    if (!FitsCanvas(Left) || !FitsCanvas(Top) || !FitsCanvas(Right) || !FitsCanvas(Bottom))
        return;
    const TRect box{static_cast<int32_t>(Left), static_cast<int32_t>(Top), static_cast<int32_t>(Right),
                    static_cast<int32_t>(Bottom)};
    FDots.push_back(box);
    NoteDrawn(TRect{std::min(box.Left, box.Right), std::min(box.Top, box.Bottom), std::max(box.Left, box.Right),
                    std::max(box.Top, box.Bottom)});
}

void TVrLedClock::DrawDots()
{
    GetBitmapCanvas().Ellipses(FDots);
    FDots.clear();
}
