#include "widgets/TVrLevelBar.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/core/Numeric.h"
#include "platform/gfx/Canvas.h"
#include "widgets/VrDrawing.h"

namespace {

// A coordinate or size worked out in 64 bits, brought into the 32-bit range. Values this far
// out lie beyond any surface, so saturating them changes nothing that is drawn.
int32_t Saturated(int64_t Value) { return static_cast<int32_t>(std::clamp<int64_t>(Value, INT32_MIN, INT32_MAX)); }

// How many whole times Divisor (above 0) goes into Value, 0 when Value is 0 or less. A division
// of 32-bit numbers takes a fraction of the time of one of 64-bit numbers, and a paint divides
// once or twice.
int64_t WholeTimes(int64_t Value, int64_t Divisor)
{
    if (Value <= 0)
        return 0;
    if (Value <= UINT32_MAX && Divisor <= UINT32_MAX)
        return static_cast<uint32_t>(Value) / static_cast<uint32_t>(Divisor);
    return Value / Divisor;
}

// The percentage of Done in Range for ranges wider than 32 bits (a minimum far below zero and
// a maximum far above it), computed the same way as SolveForY.
int32_t WidePercentage(int64_t Done, int64_t Range)
{
    return static_cast<int32_t>(std::trunc(static_cast<long double>(Done) * 100.0L / static_cast<long double>(Range)));
}

// DrawnShade for the colours of one picture, with each system colour looked up only once
// however many places use it: a look-up asks the platform's colour scheme, and the frame's
// layers share their shadow and highlight colours. The scheme does not change during a paint.
class TShadeLookup {
public:
    uint64_t operator()(TColor Color)
    {
        if (!IsSystemColor(Color))
            return DrawnShade(Color);
        for (size_t i = 0; i < FCount; ++i)
            if (FColors[i] == Color)
                return FShades[i];
        const uint64_t shade = DrawnShade(Color);
        if (FCount < FColors.size()) {
            FColors[FCount] = Color;
            FShades[FCount++] = shade;
        }
        return shade;
    }

private:
    // Only the first FCount entries are set; leaving the rest alone spares clearing them.
    std::array<TColor, 14> FColors;
    std::array<uint64_t, 14> FShades;
    size_t FCount = 0;
};

}  // namespace

TVrLevelBar::TVrLevelBar(TComponent* Owner) : TVrGraphicImageControl(Owner)
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 170, 20);
    SetParentColor(false);
    SetColor(clBlack);

    FPalette2.SetLow(clOlive);
    FPalette2.SetHigh(clYellow);
    FPalette3.SetLow(clMaroon);
    FPalette3.SetHigh(clRed);
    FBevel.SetInnerStyle(bsLowered);
    FBevel.SetInnerWidth(2);
    FBevel.SetInnerColor(clBlack);
    FBevelThickness = FBevel.Thickness();

    for (TVrPalette* palette : {&FPalette1, &FPalette2, &FPalette3})
        palette->SetOnChange([this](TVrPersistent* Sender) { PaletteModified(Sender); });
    FBevel.SetOnChange([this](TVrPersistent* Sender) { BevelChanged(Sender); });
}

TVrLevelBar::~TVrLevelBar()
{
    FBevel.SetOnChange(nullptr);
    for (TVrPalette* palette : {&FPalette1, &FPalette2, &FPalette3})
        palette->SetOnChange(nullptr);
}

// ---- Values ---------------------------------------------------------------------------------

void TVrLevelBar::SetMaxValue(int32_t Value)
{
    if (Value == FMaxValue || Value <= FMinValue)
        return;
    FMaxValue = Value;
    if (FPosition > Value)
        SetPosition(Value);
    else
        UpdateControlCanvas();
}

void TVrLevelBar::SetMinValue(int32_t Value)
{
    if (Value == FMinValue || Value >= FMaxValue)
        return;
    FMinValue = Value;
    if (FPosition < Value)
        SetPosition(Value);
    else
        UpdateControlCanvas();
}

void TVrLevelBar::SetPosition(int32_t Value)
{
    Value = std::min(std::max(Value, FMinValue), FMaxValue);
    if (Value == FPosition)
        return;
    FPosition = Value;
    UpdateControlCanvas();
    Changed();
}

// The sum is formed in 64 bits, so a step beyond the 32-bit range stops at the limit instead
// of wrapping round to the other end.
void TVrLevelBar::StepIt() { StepBy(FStep); }

void TVrLevelBar::StepBy(int32_t Delta) { SetPosition(Saturated(int64_t(FPosition) + Delta)); }

// Within the 32-bit range the truncated quotient in whole numbers is exactly what SolveForY
// gives: Done * 100 is exact in floating point, and the one rounding of its division moves the
// quotient (at most 100) by less than 100 parts in 2^53, while a quotient that is not whole lies
// at least 1 / Range, more than 2^-31, away from the next whole number. The level never lies
// outside its limits, so Done is never negative.
int32_t TVrLevelBar::GetPercentDone() const
{
    const int64_t done = int64_t(FPosition) - FMinValue;
    const int64_t range = int64_t(FMaxValue) - FMinValue;
    if (range > INT32_MAX)
        return WidePercentage(done, range);
    if (range == 0)
        return 0;
    return static_cast<int32_t>(WholeTimes(done * 100, range));
}

void TVrLevelBar::Changed()
{
    if (OnChange)
        OnChange(this);
    if (FPosition == FMinValue && OnMinValue)
        OnMinValue(this);
    if (FPosition == FMaxValue && OnMaxValue)
        OnMaxValue(this);
}

// ---- Appearance -----------------------------------------------------------------------------

// Zone 1 gives way to zone 2: outside loading it is lowered so that the two fit into the
// ticks. While a stored layout loads, Percent2 may not have its final value yet, so the value
// is kept as given.
void TVrLevelBar::SetPercent1(int Value)
{
    Value = std::clamp(Value, 0, 100);
    if (!Loading() && Value + FPercent2 > 100)
        Value = 100 - FPercent2;
    if (Value == FPercent1)
        return;
    FPercent1 = static_cast<TVrPercentInt>(Value);
    UpdateControlCanvas();
}

void TVrLevelBar::SetPercent2(int Value)
{
    if (Value == FPercent2 || Value < 0 || Value > 100 || Value + FPercent1 > 100)
        return;
    FPercent2 = static_cast<TVrPercentInt>(Value);
    UpdateControlCanvas();
}

// Turning the bar keeps its top-left corner and swaps its width and height, so a horizontal
// bar becomes a vertical one of the same size. A stored layout already has the final size.
void TVrLevelBar::SetOrientation(TVrOrientation Value)
{
    if (Value == FOrientation)
        return;
    FOrientation = Value;
    if (!Loading())
        SetBounds(Left(), Top(), Height(), Width());
    UpdateControlCanvas();
}

void TVrLevelBar::SetStyle(TVrProgressStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    UpdateControlCanvas();
}

void TVrLevelBar::SetSpacing(int32_t Value)
{
    if (Value == FSpacing)
        return;
    FSpacing = Value;
    UpdateControlCanvas();
}

void TVrLevelBar::SetTickHeight(int32_t Value)
{
    if (Value == FTickHeight || Value <= 0)
        return;
    FTickHeight = Value;
    UpdateControlCanvas();
}

void TVrLevelBar::PaletteModified(TVrPersistent*) { UpdateControlCanvas(); }

// A new frame keeps the area inside it: the widget grows or shrinks around that area by the
// change of thickness on every side, with its top-left corner in place. While a stored layout
// loads, the stored size already fits the stored frame.
void TVrLevelBar::BevelChanged(TVrPersistent*)
{
    const int64_t previous = FBevelThickness;
    FBevelThickness = FBevel.Thickness();
    if (!Loading()) {
        const int64_t growth = 2 * (FBevelThickness - previous);
        SetBounds(Left(), Top(), Saturated(Width() + growth), Saturated(Height() + growth));
    }
    UpdateControlCanvas();
}

// ---- Painting -------------------------------------------------------------------------------

// The buffer keeps its picture from paint to paint. When nothing it depends on changed, it is
// presented as it is; when only the level moved, only the ticks between the old and the new
// level are copied in from the pictures of the bar fully lit and fully unlit.
void TVrLevelBar::Paint()
{
    CalcPaintParams();
    const TPictureState& shown = FStates[FShownState];
    TPictureState& state = FStates[1 - FShownState];
    FillPictureState(state);
    const bool sameLook = FPictureShown && !Transparent() && state.Look == shown.Look;
    if (!sameLook || state.LitCount != shown.LitCount) {
        FPictureShown = false;   // until the drawing below is complete
        if (sameLook && TicksApart(state.Look))
            ShowLevelBetween(shown.LitCount, state.LitCount);
        else
            DrawPicture();
        FShownState = 1 - FShownState;
        // A picture drawn over the parent's pixels is no picture of the bar once it turns
        // opaque again.
        FPictureShown = !Transparent();
    }
    TVrGraphicImageControl::Paint();
}

void TVrLevelBar::DrawPicture()
{
    FLevelPicturesKept = false;   // they show the bar as it was before
    ClearBitmapCanvas();
    TRect frame = ClientRect();
    FBevel.Paint(GetBitmapCanvas(), frame);
    if (FOrientation == voHorizontal)
        DrawHori();
    else
        DrawVert();
}

// Ticks that do not overlap each cover pixels of their own, and a tick's pixels take one
// colour when lit and another when not. So the picture for any lit count is the fully lit
// picture over the lit ticks and the fully unlit one everywhere else, and the pixels between
// two levels, gaps included, come from one of the two in a single block.
void TVrLevelBar::ShowLevelBetween(int32_t LitBefore, int32_t LitNow)
{
    if (!FLevelPicturesKept)
        MakeLevelPictures(LitBefore);
    TBitmap& source = LitNow > LitBefore ? FAllLit : FNoneLit;
    const TRect span = TicksSpan(std::min(LitBefore, LitNow) + 1, std::max(LitBefore, LitNow));
    TPictureCopier(GetBitmapCanvas()).Copy(span.Left, span.Top, source, span);
}

void TVrLevelBar::MakeLevelPictures(int32_t Lit)
{
    FLevelPicturesKept = false;
    const TBitmap& buffer = BufferBitmap();
    for (TBitmap* picture : {&FAllLit, &FNoneLit}) {
        picture->SetSize(buffer.Width(), buffer.Height());
        picture->Canvas().Draw(0, 0, buffer);
    }
    for (int32_t n = Lit + 1; n <= FTickCount; ++n)
        FillTick(FAllLit.Canvas(), n, true);
    for (int32_t n = 1; n <= Lit; ++n)
        FillTick(FNoneLit.Canvas(), n, false);
    FLevelPicturesKept = true;
}

// Along the bar the ticks follow one another in the order of their numbers, one way or the
// other; across it every tick fills the same rows or columns.
TRect TVrLevelBar::TicksSpan(int32_t First, int32_t Last) const
{
    if (First > Last)
        return {};
    const TRect a = TickRect(First), b = TickRect(Last);
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

void TVrLevelBar::FillPictureState(TPictureState& s) const
{
    s.LitCount = FLitCount;
    TLook& l = s.Look;
    l.BufferWidth = BufferBitmap().Width();
    l.BufferHeight = BufferBitmap().Height();
    l.Width = Width();
    l.Height = Height();
    l.PaintArea = FPaintArea;
    l.TickStep = FTickStep;
    l.TickHeight = FTickHeight;
    l.Spacing = FSpacing;
    l.TickCount = FTickCount;
    l.Zone1End = FZone1End;
    l.Zone2End = FZone2End;
    l.Orientation = FOrientation;
    l.Style = FStyle;
    TShadeLookup shade;
    l.Shades = {shade(Color()),
                shade(FPalette1.GetColors(0)), shade(FPalette1.GetColors(1)),
                shade(FPalette2.GetColors(0)), shade(FPalette2.GetColors(1)),
                shade(FPalette3.GetColors(0)), shade(FPalette3.GetColors(1))};
    const TVrBevel& b = FBevel;
    l.BevelLayout = {b.BorderWidth(), b.InnerWidth(), b.InnerStyle(), b.InnerOutline(), b.InnerSpace(),
                     b.OuterWidth(),  b.OuterStyle(), b.OuterOutline(), b.OuterSpace(), b.Visible()};
    // A colour counts only where its layer is drawn; the layout above tells which ones are.
    const auto drawn = [&shade](bool Drawn, TColor Color) { return Drawn ? shade(Color) : 0; };
    const bool inner = b.InnerStyle() != bsNone && b.InnerWidth() > 0;
    const bool outer = b.OuterStyle() != bsNone && b.OuterWidth() > 0;
    l.BevelShades = {drawn(b.BorderWidth() > 0, b.BorderColor()), drawn(inner, b.InnerShadow()),
                     drawn(inner, b.InnerHighlight()),           drawn(b.InnerSpace() > 0, b.InnerColor()),
                     drawn(outer, b.OuterShadow()),              drawn(outer, b.OuterHighlight()),
                     drawn(b.OuterSpace() > 0, b.OuterColor())};
}

void TVrLevelBar::CalcPaintParams()
{
    FTickStep = int64_t(FTickHeight) + FSpacing;
    FPaintArea = ClientRect();
    FBevel.GetVisibleArea(FPaintArea);
    SnapLength();
    CountLitTicksAndZones();
}

// As many ticks as fit along the bar, each TickHeight long and Spacing apart, with no gap
// after the last one. The bar then takes the length those ticks need, so the frame closes
// right behind the last tick. A bar whose ticks overlap so far that each starts before the
// previous one (TickStep 0 or less) cannot be drawn and has no ticks. The length only ever
// shrinks: a frame too thick for the bar leaves the bar as long as it is, rather than growing
// it to fit the frame twice over.
void TVrLevelBar::SnapLength()
{
    const bool horizontal = FOrientation == voHorizontal;
    const int64_t start = horizontal ? FPaintArea.Left : FPaintArea.Top;
    const int64_t end = horizontal ? FPaintArea.Right : FPaintArea.Bottom;
    FTickCount = 0;
    if (FTickStep <= 0)
        return;
    const int64_t count = WholeTimes(end - start + FSpacing, FTickStep);
    FTickCount = Saturated(count);
    const int64_t ticksEnd = start + count * FTickStep - FSpacing;
    const int64_t snapped = ticksEnd + start;
    if (snapped >= (horizontal ? Width() : Height()))
        return;
    if (horizontal) {
        SetWidth(Saturated(snapped));
        FPaintArea.Right = Saturated(ticksEnd);
    } else {
        SetHeight(Saturated(snapped));
        FPaintArea.Bottom = Saturated(ticksEnd);
    }
}

// Both the level and the zone boundaries are shares of the tick count in the truncating
// percentage arithmetic, so 60 % of 50 ticks is 29, and a full bar lights every tick.
// The shares are taken in extended precision, which costs more than the rest of a paint, so each
// count is kept with the values it came from and taken again only when one of those changed: a
// new level leaves the zones as they are, and the lit count of each percentage is kept.
void TVrLevelBar::CountLitTicksAndZones()
{
    const std::array<int32_t, 4> litFor{FPosition, FMinValue, FMaxValue, FTickCount};
    if (!FLitCounted || litFor != FLitCountedFor) {
        FLitCount = LitTicksAt(GetPercentDone());
        FLitCounted = true;
        FLitCountedFor = litFor;
    }
    const std::array<int32_t, 3> zonesFor{FTickCount, FPercent1, FPercent2};
    if (!FZonesCounted || zonesFor != FZonesCountedFor) {
        FZone1End = SolveForX(FPercent1, FTickCount);
        FZone2End = Saturated(int64_t(FZone1End) + SolveForX(FPercent2, FTickCount));
        FZonesCounted = true;
        FZonesCountedFor = zonesFor;
    }
}

int32_t TVrLevelBar::LitTicksAt(int32_t Percent)
{
    if (Percent < 0 || Percent > 100)
        return SolveForX(Percent, FTickCount);
    if (FLitTableTicks != FTickCount) {
        FLitAtPercent.fill(-1);
        FLitTableTicks = FTickCount;
    }
    int32_t& lit = FLitAtPercent[static_cast<size_t>(Percent)];
    if (lit < 0)
        lit = SolveForX(Percent, FTickCount);
    return lit;
}

// Along the bar, tick N lies N - 1 steps from the low end: from the left or the right for a
// horizontal bar, from the bottom or the top for a vertical one. Across the bar it fills the
// area inside the frame. A number outside 1 .. TickCount has no rectangle.
TRect TVrLevelBar::TickRect(int32_t N) const
{
    if (N < 1 || N > FTickCount)
        return {};
    const int64_t fromLow = (int64_t(N) - 1) * FTickStep;
    const TRect& a = FPaintArea;
    if (FOrientation == voHorizontal) {
        const int64_t left = FStyle == psBottomLeft ? a.Left + fromLow : a.Right - FTickHeight - fromLow;
        return {Saturated(left), a.Top, Saturated(left + FTickHeight), a.Bottom};
    }
    // A vertical bar counts its steps from the top; the low end is at the bottom unless the
    // bar fills from the top.
    const int64_t fromTop = (int64_t(FTickCount) - N) * FTickStep;
    const int64_t top = FStyle == psBottomLeft ? a.Top + fromTop : a.Bottom - FTickHeight - fromTop;
    return {a.Left, Saturated(top), a.Right, Saturated(top + FTickHeight)};
}

TColor TVrLevelBar::TickColor(int32_t N) const
{
    if (N < 1 || N > FTickCount)
        return clNone;
    return ZoneOf(N).GetColors(N <= FLitCount ? 1 : 0);
}

const TVrPalette& TVrLevelBar::ZoneOf(int32_t N) const
{
    return N <= FZone1End ? FPalette1 : N <= FZone2End ? FPalette2 : FPalette3;
}

// A horizontal bar draws from its low end on, the lit ticks first.
void TVrLevelBar::DrawHori()
{
    for (int64_t n = 1; n <= FTickCount; ++n)
        FillTick(static_cast<int32_t>(n));
}

// A vertical bar draws from the high end to the low end, the unlit ticks first.
void TVrLevelBar::DrawVert()
{
    for (int32_t n = FTickCount; n >= 1; --n)
        FillTick(n);
}

void TVrLevelBar::FillTick(int32_t N) { FillTick(GetBitmapCanvas(), N, N <= FLitCount); }

void TVrLevelBar::FillTick(TCanvas& Canvas, int32_t N, bool Lit) const
{
    if (N < 1 || N > FTickCount)
        return;
    Canvas.Brush().Style = bsSolid;
    Canvas.Brush().Color = ZoneOf(N).GetColors(Lit ? 1 : 0);
    Canvas.FillRect(TickRect(N));
}
