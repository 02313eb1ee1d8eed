#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/DateTime.h"
#include "platform/gfx/Bitmap.h"
#include "widgets/TVrGraphicImageControl.h"

class TVrTimer;

enum class TVrHourFormat : uint8_t { hfmt24h, hfmt12h };

// The hour (0 .. 23), minute and second (0 .. 59) a clock shows. Nothing enforces the ranges:
// a value set by hand beyond them is shown as it is.
using TVrHoursInt = uint8_t;
using TVrMinutesInt = uint8_t;
using TVrSecondsInt = uint8_t;

using TVrHoursChangeEvent = std::function<void(TObject* Sender, uint16_t Hours)>;
using TVrMinutesChangeEvent = std::function<void(TObject* Sender, uint16_t Minutes)>;
using TVrSecondsChangeEvent = std::function<void(TObject* Sender, uint16_t Seconds)>;

// One dot-matrix glyph: nine rows of dots from top to bottom; in each row bit 5 is the
// leftmost of six columns and bit 0 the rightmost.
using TLedGlyph = std::array<uint8_t, 9>;

// The glyphs of '0' to '9' and ':', indexed by character code - 48. The digits are
// seven-segment figures made of dots, with the middle bar on row 4.
extern const std::array<TLedGlyph, 11> LedDigitGlyphs;

// A round clock face without hands: twelve hour marks on a circle, the time (hours and
// minutes) in dot-matrix digits inside it, and a ring of second dots inside the marks that
// grows clockwise from twelve o'clock by one dot per second of the current minute.
//
// The clock owns a timer that, while the clock is Active, reads the local time once a second
// on the main thread and repaints when the picture changes. It is a buffered widget; made
// transparent it draws only its dots over whatever its parent shows.
class TVrLedClock : public TVrGraphicImageControl {
public:
    explicit TVrLedClock(TComponent* Owner);
    // Frees the timer first, so that no tick can reach a clock being taken apart.
    ~TVrLedClock() override;

    // Thread mode of the owned timer (true) or a timer of the message loop (false).
    bool Threaded() const;
    void SetThreaded(bool Value);
    // Whether the clock follows the wall clock; switches the owned timer.
    bool Active() const { return FActive; }
    void SetActive(bool Value);

    bool SecondsIndicator() const { return FSecondsIndicator; }
    void SetSecondsIndicator(bool Value);
    bool HourMarks() const { return FHourMarks; }
    void SetHourMarks(bool Value);

    // An optional picture under the dots, stretched over the face. Pixels of the colour Color
    // let the parent show through on a transparent clock.
    const TBitmap& Background() const { return *FBackground; }
    // Copies Value; an empty picture removes the background.
    void SetBackground(const TBitmap& Value);

    // Fill and outline of the digit dots, the second dots and the hour marks.
    TColor HoursColor() const { return FHoursColor; }
    void SetHoursColor(TColor Value);
    TColor HoursOutline() const { return FHoursOutline; }
    void SetHoursOutline(TColor Value);
    TColor SecHandColor() const { return FSecHandColor; }
    void SetSecHandColor(TColor Value);
    TColor SecOutline() const { return FSecOutline; }
    void SetSecOutline(TColor Value);
    TColor TickColor() const { return FTickColor; }
    void SetTickColor(TColor Value);
    TColor TickOutline() const { return FTickOutline; }
    void SetTickOutline(TColor Value);

    // Half the box size of a second dot and of an hour mark. A tick width of 0 or less is
    // ignored.
    int32_t SecWidth() const { return FSecWidth; }
    void SetSecWidth(int32_t Value);
    int32_t TickWidth() const { return FTickWidth; }
    void SetTickWidth(int32_t Value);

    bool EnableAlarm() const { return FEnableAlarm; }
    void SetEnableAlarm(bool Value) { FEnableAlarm = Value; }
    // The date and second at which OnAlarm fires, when EnableAlarm is set.
    TDateTime AlarmTime() const { return FAlarmTime; }
    void SetAlarmTime(TDateTime Value) { FAlarmTime = Value; }

    TVrHoursInt Hours() const { return FHours; }
    void SetHours(TVrHoursInt Value);
    TVrMinutesInt Minutes() const { return FMinutes; }
    void SetMinutes(TVrMinutesInt Value);
    TVrSecondsInt Seconds() const { return FSeconds; }
    void SetSeconds(TVrSecondsInt Value);
    // Shows the time of day of Value (milliseconds dropped). A value that is no number is
    // ignored.
    void SetTime(TDateTime Value);
    // In 12-hour format the hours 13 to 23 show as 01 to 11; 0 and 12 stay as they are.
    TVrHourFormat HourFormat() const { return FHourFormat; }
    void SetHourFormat(TVrHourFormat Value);

    // Size of one digit dot, the gap between digits, the shift of the time text (negative
    // moves it up and left) and its slant in degrees (positive leans to the right).
    int32_t LedSize() const { return FLedSize; }
    void SetLedSize(int32_t Value);
    int32_t Spacing() const { return FSpacing; }
    void SetSpacing(int32_t Value);
    int32_t TextOffsetX() const { return FTextOffsetX; }
    void SetTextOffsetX(int32_t Value);
    int32_t TextOffsetY() const { return FTextOffsetY; }
    void SetTextOffsetY(int32_t Value);
    int32_t TextAngle() const { return FTextAngle; }
    void SetTextAngle(int32_t Value);

    // The once-a-second tick: reads the local time, repaints when the picture changed and
    // raises the change events and the alarm. Sender is not used.
    void OnTimerEvent(TObject* Sender);
    // With the layout complete, an active clock reads the real time at once instead of
    // showing the stored one until the first tick.
    void Loaded() override;

    // How far row Row of the digits moves left for a slant of Angle degrees and dots of
    // LedSize pixels. A slant that is no finite number, or too large to take part in pixel
    // arithmetic, counts as 0.
    static int64_t LedRowSlant(int32_t Angle, int Row, int32_t LedSize);

    const TVrTimer& OwnedTimer() const { return *FOwnedTimer; }

    TNotifyEvent OnAlarm;
    TVrHoursChangeEvent OnHoursChanged;
    TVrMinutesChangeEvent OnMinutesChanged;
    TVrSecondsChangeEvent OnSecondsChanged;

protected:
    virtual void HoursChanged();
    virtual void MinutesChanged();
    virtual void SecondsChanged();
    void DoAlarm();

    void Paint() override;
    // The time text, hours and minutes, centred on the face and moved by the text offsets.
    void DrawLeds();
    // One character whose rightmost dot column starts LedSize pixels left of X, with its top
    // row at Y. A character without a glyph draws nothing.
    void PaintLed(int64_t X, int64_t Y, char Character);

private:
    // Centre of the face and the radius of the hour marks, in pixels.
    struct TFaceGeometry {
        int64_t CenterX = 0;
        int64_t CenterY = 0;
        int64_t Radius = 0;
        friend bool operator==(const TFaceGeometry&, const TFaceGeometry&) = default;
    };

    // The centre of a dot, in coordinates wide enough for any setting.
    struct TDotCentre {
        int64_t X = 0;
        int64_t Y = 0;
    };

    // The centres of the hour marks and of all sixty second dots for one face and one radius of
    // the ring. Each centre takes a cosine and a sine, and the face only changes with the
    // widget's size or the dot sizes, so the centres are kept until then.
    struct TDotPlaces {
        bool Valid = false;
        TFaceGeometry Face;
        int64_t RingRadius = 0;
        std::array<TDotCentre, 12> HourMarks;
        std::array<TDotCentre, 60> Seconds;
    };

    // How far each of the nine glyph rows moves left, kept for one angle and dot size.
    struct TRowSlants {
        bool Valid = false;
        int32_t Angle = 0;
        int32_t LedSize = 0;
        std::array<int64_t, 9> Rows;
    };

    bool AlarmDue(TDateTime Now) const;
    std::string TimeText() const;
    TFaceGeometry Geometry() const;
    // The centres of the dots on the face, worked out anew only when the face changed.
    const TDotPlaces& DotPlaces(const TFaceGeometry& Face);
    // The slant of every glyph row, worked out anew only when the angle or dot size changed.
    const TRowSlants& RowSlants();
    void DrawBackground();
    void DrawHourMarks(const TFaceGeometry& Face);
    void DrawSecondsRing(const TFaceGeometry& Face);
    // Adds the ellipse inscribed in the box (Left, Top) - (Right, Bottom) to the dots that
    // DrawDots draws next. A box beyond the range of canvas coordinates lies far outside the
    // face and is left out.
    void AddDot(int64_t Left, int64_t Top, int64_t Right, int64_t Bottom);
    // Draws the added dots in the order they were added, with the buffer's pen and brush.
    void DrawDots();

    TVrTimer* FOwnedTimer = nullptr;   // owned as a component of this clock
    TDotPlaces FDotPlaces;
    TRowSlants FRowSlants;
    std::vector<TRect> FDots;   // keeps its room from paint to paint
    std::unique_ptr<TBitmap> FBackground;
    bool FActive = false;
    bool FSecondsIndicator = true;
    bool FHourMarks = true;
    TColor FHoursColor = clRed;
    TColor FHoursOutline = clRed;
    TColor FSecHandColor = clRed;
    TColor FSecOutline = clRed;
    TColor FTickColor = clRed;
    TColor FTickOutline = clRed;
    int32_t FSecWidth = 2;
    int32_t FTickWidth = 2;
    bool FEnableAlarm = false;
    TDateTime FAlarmTime = 0.0;
    TVrHoursInt FHours = 0;
    TVrMinutesInt FMinutes = 0;
    TVrSecondsInt FSeconds = 0;
    TVrHourFormat FHourFormat = TVrHourFormat::hfmt24h;
    int32_t FLedSize = 3;
    int32_t FSpacing = 8;
    int32_t FTextOffsetX = 0;
    int32_t FTextOffsetY = 0;
    int32_t FTextAngle = 10;
};
