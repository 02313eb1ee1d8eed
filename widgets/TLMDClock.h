#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "framework/Control.h"
#include "platform/core/DateTime.h"
#include "platform/gfx/Bitmap.h"
#include "widgets/TLMDBevel.h"
#include "widgets/TLMDDateFormat.h"
#include "widgets/TLMDLED.h"
#include "widgets/TLMDTimer.h"

enum TLMDClockMode : uint8_t { cmNormal, cmDate, cmStopwatch, cmCountdown, cmAlarm };

enum TLMDClockOption : uint8_t { coShowDigital, coShowAnalog, coEnableAlarm, co24Hour, coFixed, coOffset, coShowSecCircle };

// A set of clock options.
class TLMDClockOptions {
public:
    constexpr TLMDClockOptions() = default;
    constexpr TLMDClockOptions(std::initializer_list<TLMDClockOption> Items)
    {
        for (TLMDClockOption o : Items)
            FBits = static_cast<uint8_t>(FBits | Bit(o));
    }
    constexpr bool Contains(TLMDClockOption Option) const { return (FBits & Bit(Option)) != 0; }
    constexpr TLMDClockOptions With(TLMDClockOption Option) const { return FromBits(FBits | Bit(Option)); }
    constexpr TLMDClockOptions Without(TLMDClockOption Option) const { return FromBits(FBits & ~Bit(Option)); }
    constexpr uint8_t Bits() const { return FBits; }
    friend constexpr bool operator==(TLMDClockOptions, TLMDClockOptions) = default;

private:
    static constexpr unsigned Bit(TLMDClockOption Option) { return 1u << Option; }
    static constexpr TLMDClockOptions FromBits(unsigned Bits)
    {
        TLMDClockOptions set;
        set.FBits = static_cast<uint8_t>(Bits);
        return set;
    }
    uint8_t FBits = 0;
};

// What coOffset adds to the time the clock shows.
struct TLMDTimeOffset {
    int32_t Days = 0;
    int32_t Hours = 0;
    int32_t Minutes = 0;
    int32_t Seconds = 0;
    friend bool operator==(const TLMDTimeOffset&, const TLMDTimeOffset&) = default;
};

// A clock widget drawn in LED cells by its own renderer (Digital). With Mode cmDate it shows
// the locale's abbreviated weekday and short date, "Tue 3/5/2024"; with DigitalOnly it draws
// nothing but that readout and keeps its own size equal to the size of its text, growing or
// shrinking to the right. It refreshes itself once a second from a timer of the message loop.
// A disabled clock shows "--- NA ---".
//
// Every paint has the picture in an off-screen image of the widget's size and copies it to the
// screen in one block, so the digits never flicker. The image is kept from paint to paint and
// drawn again only when the text or anything else it shows changed; when only the text changed,
// only the cells whose character changed are drawn again.
class TLMDClock : public TControl {
public:
    static constexpr std::string_view DisabledText = "--- NA ---";
    // The longest readout shown; characters beyond it are left off.
    static constexpr size_t MaxCells = 255;

    explicit TLMDClock(TComponent* Owner);
    ~TLMDClock() override;

    TLMDClockMode Mode() const { return FMode; }
    void SetMode(TLMDClockMode Value);

    // Booleans by index: 0 DigitalOnly, 1 DigitalShowSecs, 2 UseCustomDateTime. Any other
    // index reads false and writes nothing.
    bool GetBoolean(int Index) const;
    void SetBoolean(int Index, bool Value);
    bool DigitalOnly() const { return FDigitalOnly; }
    void SetDigitalOnly(bool Value) { SetBoolean(0, Value); }
    bool DigitalShowSecs() const { return FDigitalShowSecs; }
    void SetDigitalShowSecs(bool Value) { SetBoolean(1, Value); }
    bool UseCustomDateTime() const { return FUseCustomDateTime; }
    void SetUseCustomDateTime(bool Value) { SetBoolean(2, Value); }
    // "hh:nn:ss", or "hh:nn" without DigitalShowSecs.
    const std::string& DefaultTimeFormat() const { return FDefaultTimeFormat; }
    const std::string& CustomDateTimeFormat() const { return FCustomDateTimeFormat; }
    void SetCustomDateTimeFormat(const std::string& Value);

    // Colours by index: 0 ColorSmallTick, 1 ColorSmallTickShade, 2 ColorBigTick,
    // 3 ColorBigTickShade, 4 DigitalColor (the background of the LED cells). Any other index
    // reads 0 and writes nothing.
    TColor GetFaceColors(int Index) const;
    void SetFaceColors(int Index, TColor Value);
    TColor DigitalColor() const { return FDigitalColor; }
    void SetDigitalColor(TColor Value) { SetFaceColors(4, Value); }

    // The renderer of the readout; every effective change of it repaints the clock at once.
    TLMDLED& Digital() { return FDigital; }
    void SetDigital(const TLMDLED& Value) { FDigital.Assign(Value); }

    // Clearing both coShowDigital and coShowAnalog is refused with an Exception.
    TLMDClockOptions Options() const { return FOptions; }
    void SetOptions(TLMDClockOptions Value);
    // The time shown instead of the clock's while coFixed is set.
    TDateTime FixedTime() const { return FFixedTime; }
    void SetFixedTime(TDateTime Value);
    // Added to the time while coOffset is set.
    const TLMDTimeOffset& TimeOffset() const { return FTimeOffset; }
    void SetTimeOffset(const TLMDTimeOffset& Value);

    // A transparent clock is drawn over its parent's pixels; an opaque one covers every pixel
    // of its rectangle itself, so its parent leaves that rectangle out.
    bool Transparent() const { return !Opaque(); }
    void SetTransparent(bool Value);
    // Whether ClockTimer takes its ticks from the program-wide timer pool (every 500 ms) or is a
    // timer of its own (every 1000 ms). Raises "Not enough timers available!" when the pool
    // cannot be had.
    bool UseGlobalTimer() const { return FUseGlobalTimer; }
    void SetUseGlobalTimer(bool Value);

    // A disabled clock shows DisabledText and its timer stops.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);

    TLMDTimer& ClockTimer() { return *FClockTimer; }
    bool Painting() const { return FPainting; }
    // The frame around the picture; every effective change of it repaints the clock at once.
    TLMDBevel& Bevel() { return FBevel; }
    void SetBevel(const TLMDBevel& Value) { FBevel.Assign(Value); }
    int32_t BevelExtent() const { return FBevel.Extent(); }

    // The time the clock shows: the local time, or FixedTime with coFixed, plus TimeOffset
    // with coOffset.
    virtual TDateTime GetTime();
    // The text of the readout.
    virtual std::string GetDigitalText();

    // With DigitalOnly, fits the widget to its text, keeping its left and top; true when the
    // bounds changed, and the repaint that this brings draws the new text.
    bool CorrectBounds();
    // The once-a-second tick of ClockTimer.
    void OnTimer();
    // A sub-object changed: the clock repaints at once.
    void GetChange(TLMDObject* Source);

    void Loaded() override;
    // Shows the current state at once; asked for while a paint is in progress it does nothing,
    // so a change made by the paint itself cannot start a second paint inside the first.
    void Repaint() override;
    void PaintRequest(TBitmap* Surface, TPoint Origin, const TRect& Clip) override;

protected:
    void Paint() override;

private:
    // Everything the picture depends on besides its text, colours as they draw now. A paint
    // whose state and text equal those the kept picture was drawn for finds it already made.
    struct TPictureState {
        int32_t Width = 0;
        int32_t Height = 0;
        bool DigitalOnly = false;
        uint8_t Options = 0;
        bool Enabled = false;
        uint64_t Background = 0;
        std::array<int32_t, 5> Bevel{};
        std::array<uint64_t, 3> BevelShades{};
        uint64_t Renderer = 0;
        uint64_t LitShade = 0;
        friend bool operator==(const TPictureState&, const TPictureState&) = default;
    };

    bool FormLoading() const;
    bool ShowsDigits() const { return FDigitalOnly || FOptions.Contains(coShowDigital); }
    TPictureState PictureState() const;
    // Draws the picture of Text into FPicture, as on a new white image.
    void RenderPicture(std::string_view Text, const TPictureState& State);
    // Turns the kept picture, still drawn for the state of this paint, into the picture of Text
    // by drawing only the cells whose character changed; false, with the picture as it was,
    // where that cannot give exactly what RenderPicture would draw.
    bool RedrawChangedCells(std::string_view Text);
    // The readout as shown: GetDigitalText, cut to MaxCells characters.
    std::string ShownText();
    bool CorrectBounds(std::string_view Text);
    // Where the readout's first cell lies for a text of Cells characters.
    TPoint DigitalOrigin(int32_t Cells) const;
    // Both return what the renderer's PaintLED returned, or false when no cells were drawn.
    bool PaintDigital(TCanvas& Canvas, TPoint At, std::string_view Text);
    bool PaintPicture(TCanvas& Canvas, std::string_view Text);

    TLMDClockMode FMode = cmNormal;
    bool FDigitalOnly = false;
    bool FDigitalShowSecs = true;
    bool FUseCustomDateTime = false;
    bool FUseGlobalTimer = false;
    std::string FDefaultTimeFormat = "hh:nn:ss";
    std::string FCustomDateTimeFormat = "hh:nn:ss";
    TColor FColorSmallTick = clWhite;
    TColor FColorSmallTickShade = clBtnFace;
    TColor FColorBigTick = clTeal;
    TColor FColorBigTickShade = clAqua;
    TColor FDigitalColor = clBlack;
    TLMDClockOptions FOptions{coShowAnalog, co24Hour};
    TDateTime FFixedTime;
    TLMDTimeOffset FTimeOffset;
    bool FEnabled = true;
    bool FPainting = false;
    TLMDBevel FBevel;
    TLMDLED FDigital;
    std::unique_ptr<TLMDTimer> FClockTimer;
    // The date text of the last paint, written again only for a new day or new locale items.
    TLMDDateText FDateText;

    // The picture of the last paint, kept with what it was drawn from while it is complete:
    // the state, the text and the renderer's cells of that text, and whether every cell was
    // copied whole, so that each covers only its own rectangle.
    TBitmap FPicture;
    bool FPictureKept = false;
    TPictureState FPictureFor;
    std::string FPictureText;
    std::string FPictureCells;
    bool FPictureCellsApart = false;
};
