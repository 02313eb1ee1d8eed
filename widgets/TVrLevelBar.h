#pragma once
#include <array>
#include <cstdint>

#include "framework/Object.h"
#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "widgets/TVrBevel.h"
#include "widgets/TVrGraphicImageControl.h"
#include "widgets/TVrPalette.h"

enum TVrOrientation : uint8_t { voVertical, voHorizontal };
// psBottomLeft fills from the bottom (vertical) or the left (horizontal), psTopRight from the
// top or the right.
enum TVrProgressStyle : uint8_t { psBottomLeft, psTopRight };

// A share of the ticks in per cent, 0 .. 100.
using TVrPercentInt = uint8_t;

// A segmented level meter: a row (or column) of thin ticks inside a frame, showing Position
// between MinValue and MaxValue. The ticks fall into three colour zones from the low end
// (Percent1 and Percent2 of the ticks, the third zone takes the rest); the ticks up to the
// level take their zone's High colour, the others its Low colour, and the gaps between ticks
// keep the background Color.
//
// Every paint snaps the bar's length to a whole number of ticks, so the last tick ends exactly
// at the inner edge of the frame. Every change that alters the picture repaints at once;
// setting a value the bar already has costs nothing.
class TVrLevelBar : public TVrGraphicImageControl {
public:
    explicit TVrLevelBar(TComponent* Owner);
    ~TVrLevelBar() override;

    int32_t MaxValue() const { return FMaxValue; }
    int32_t MinValue() const { return FMinValue; }
    int32_t Position() const { return FPosition; }
    // Refused (the old value stays) when equal to the current value or not above MinValue.
    void SetMaxValue(int32_t Value);
    // Refused when equal to the current value or not below MaxValue.
    void SetMinValue(int32_t Value);
    // Clamped to [MinValue, MaxValue]; a change repaints and then notifies.
    void SetPosition(int32_t Value);

    int Percent1() const { return FPercent1; }
    int Percent2() const { return FPercent2; }
    // Brought into 0 .. 100, and outside loading lowered so that Percent1 + Percent2 <= 100.
    void SetPercent1(int Value);
    // Refused when outside 0 .. 100 or when Percent1 + Value would pass 100.
    void SetPercent2(int Value);

    TVrOrientation Orientation() const { return FOrientation; }
    // Outside loading a change of direction also swaps Width and Height.
    void SetOrientation(TVrOrientation Value);
    TVrProgressStyle Style() const { return FStyle; }
    void SetStyle(TVrProgressStyle Value);
    int32_t Spacing() const { return FSpacing; }
    void SetSpacing(int32_t Value);
    int32_t TickHeight() const { return FTickHeight; }
    // Refused when 0 or less.
    void SetTickHeight(int32_t Value);
    int32_t Step() const { return FStep; }
    void SetStep(int32_t Value) { FStep = Value; }

    // The owned colour pairs and frame. Changing them in place repaints; the setters copy the
    // given object's values into the owned one.
    TVrPalette& Palette1() { return FPalette1; }
    TVrPalette& Palette2() { return FPalette2; }
    TVrPalette& Palette3() { return FPalette3; }
    TVrBevel& Bevel() { return FBevel; }
    void SetPalette1(const TVrPalette& Value) { FPalette1.Assign(Value); }
    void SetPalette2(const TVrPalette& Value) { FPalette2.Assign(Value); }
    void SetPalette3(const TVrPalette& Value) { FPalette3.Assign(Value); }
    void SetBevel(const TVrBevel& Value) { FBevel.Assign(Value); }

    // Moves the level by Step, or by Delta; the result is clamped like any position, so a
    // step past either end stops there.
    void StepIt();
    void StepBy(int32_t Delta);

    // How far Position lies between the limits, in whole per cent (truncated), 0 .. 100.
    int32_t GetPercentDone() const;

    // Called after every change of Position: OnChange, then OnMinValue when the level is at
    // the minimum, then OnMaxValue when it is at the maximum.
    TNotifyEvent OnChange;
    TNotifyEvent OnMinValue;
    TNotifyEvent OnMaxValue;

    // The layout the last paint worked out. Ticks are numbered from the low end (where
    // filling starts), 1 .. TickCount.
    int64_t TickStep() const { return FTickStep; }
    TRect PaintArea() const { return FPaintArea; }
    int32_t TickCount() const { return FTickCount; }
    int32_t LitCount() const { return FLitCount; }
    // The last tick of zone 1 and of zone 2; the ticks after Zone2End form zone 3.
    int32_t Zone1End() const { return FZone1End; }
    int32_t Zone2End() const { return FZone2End; }
    TRect TickRect(int32_t N) const;
    TColor TickColor(int32_t N) const;

protected:
    void Paint() override;
    virtual void Changed();

    // Works out the tick layout for the current size and snaps the bar's length to it.
    void CalcPaintParams();
    void DrawHori();
    void DrawVert();

private:
    // Everything the picture in the buffer depends on apart from the number of lit ticks,
    // colours taken as the pixels they give now (a system colour can change without any
    // property changing). The members have no initial values: FillPictureState sets every one, and
    // clearing the whole state first, at every paint, would cost more than filling it.
    struct TLook {
        int32_t BufferWidth;
        int32_t BufferHeight;
        int32_t Width;
        int32_t Height;
        TRect PaintArea;
        int64_t TickStep;
        int32_t TickHeight;
        int32_t Spacing;
        int32_t TickCount;
        int32_t Zone1End;
        int32_t Zone2End;
        TVrOrientation Orientation;
        TVrProgressStyle Style;
        // The background, then Low and High of each palette.
        std::array<uint64_t, 7> Shades;
        // The frame's widths, styles and visibility, and its colours.
        std::array<int64_t, 10> BevelLayout;
        std::array<uint64_t, 7> BevelShades;
        friend bool operator==(const TLook&, const TLook&) = default;
    };
    // A paint whose look and lit count equal those the buffer was drawn for finds the picture
    // already there.
    struct TPictureState {
        TLook Look;
        int32_t LitCount;
    };

    // Sets every member of State to what the picture depends on now.
    void FillPictureState(TPictureState& State) const;
    // Whether ticks of this look cover pixels of their own, which no other tick draws on: then
    // a tick can be drawn again, or copied, without regard to its neighbours.
    static bool TicksApart(const TLook& Look) { return Look.Spacing >= 0; }
    void DrawPicture();
    // Turns the picture in the buffer, drawn for LitBefore lit ticks, into the one for LitNow,
    // by copying the ticks between the two from the picture of the bar fully lit or fully
    // unlit in the look the buffer shows.
    void ShowLevelBetween(int32_t LitBefore, int32_t LitNow);
    // Draws the pictures of the bar fully lit and fully unlit from the buffer's picture, which
    // shows Lit lit ticks.
    void MakeLevelPictures(int32_t Lit);
    // The rectangle from the first to the last of the ticks numbered First .. Last, the gaps
    // between them included.
    TRect TicksSpan(int32_t First, int32_t Last) const;

    void PaletteModified(TVrPersistent* Sender);
    void BevelChanged(TVrPersistent* Sender);
    void SnapLength();
    void CountLitTicksAndZones();
    // The number of lit ticks for a level of Percent per cent.
    int32_t LitTicksAt(int32_t Percent);
    void FillTick(int32_t N);
    // Fills tick N on Canvas in its zone's colour for a lit or an unlit tick.
    void FillTick(TCanvas& Canvas, int32_t N, bool Lit) const;
    const TVrPalette& ZoneOf(int32_t N) const;

    int32_t FMaxValue = 100;
    int32_t FMinValue = 0;
    int32_t FPosition = 0;
    TVrPercentInt FPercent1 = 60;
    TVrPercentInt FPercent2 = 25;
    TVrOrientation FOrientation = voVertical;
    int32_t FSpacing = 1;
    int32_t FTickHeight = 1;
    TVrProgressStyle FStyle = psBottomLeft;
    int32_t FStep = 10;

    // The frame's thickness as the widget's size last accounted for it, so that a new frame
    // can be fitted around the same inner area.
    int64_t FBevelThickness = 0;

    int64_t FTickStep = 0;
    TRect FPaintArea;
    int32_t FTickCount = 0;
    int32_t FLitCount = 0;
    int32_t FZone1End = 0;
    int32_t FZone2End = 0;
    // The level, its limits and the tick count the lit count was taken for, and the tick count
    // and zone sizes the zone ends were taken for.
    bool FLitCounted = false;
    std::array<int32_t, 4> FLitCountedFor{};
    bool FZonesCounted = false;
    std::array<int32_t, 3> FZonesCountedFor{};
    // The lit count of each whole percentage for the tick count FLitTableTicks; -1 where it has
    // not been taken yet.
    std::array<int32_t, 101> FLitAtPercent{};
    int32_t FLitTableTicks = -1;

    // The state the buffer was last drawn for, FStates[FShownState], when it holds a complete
    // picture. A paint works out the state of the moment in the other one, and when it draws,
    // that one becomes the shown state; taking turns spares copying the state at every paint.
    bool FPictureShown = false;
    std::array<TPictureState, 2> FStates{};
    int FShownState = 0;
    // The bar with every tick lit and with none lit, in the look the buffer shows, while
    // FLevelPicturesKept: they are made from the buffer's picture, and every drawing of a new
    // look forgets them. Outside the ticks both equal the buffer's picture.
    bool FLevelPicturesKept = false;
    TBitmap FAllLit;
    TBitmap FNoneLit;

    // Destroyed in reverse order: the frame first, then the colour pairs.
    TVrPalette FPalette1;
    TVrPalette FPalette2;
    TVrPalette FPalette3;
    TVrBevel FBevel;
};
