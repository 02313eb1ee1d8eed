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

// The percentage of Done in Range for ranges wider than 32 bits (a minimum far below zero and
// a maximum far above it), computed the same way as SolveForY.
int32_t WidePercentage(int64_t Done, int64_t Range)
{
    return static_cast<int32_t>(std::trunc(static_cast<long double>(Done) * 100.0L / static_cast<long double>(Range)));
}

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

int32_t TVrLevelBar::GetPercentDone() const
{
    const int64_t done = int64_t(FPosition) - FMinValue;
    const int64_t range = int64_t(FMaxValue) - FMinValue;
    if (range > INT32_MAX)
        return WidePercentage(done, range);
    return SolveForY(static_cast<int32_t>(done), static_cast<int32_t>(range));
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
// level are filled again.
void TVrLevelBar::Paint()
{
    CalcPaintParams();
    const TPictureState state = PictureState();
    const bool kept = FPictureShown && !Transparent();
    if (!kept || !(state == FShown)) {
        const bool levelOnly = kept && OnlyLevelDiffers(FShown, state);
        FPictureShown = false;   // until the drawing below is complete
        if (levelOnly)
            DrawTicksBetween(FShown.LitCount, state.LitCount);
        else
            DrawPicture();
        FShown = state;
        FPictureShown = true;
    }
    TVrGraphicImageControl::Paint();
}

void TVrLevelBar::DrawPicture()
{
    ClearBitmapCanvas();
    TRect frame = ClientRect();
    FBevel.Paint(GetBitmapCanvas(), frame);
    if (FOrientation == voHorizontal)
        DrawHori();
    else
        DrawVert();
}

void TVrLevelBar::DrawTicksBetween(int32_t LitBefore, int32_t LitNow)
{
    for (int32_t n = std::min(LitBefore, LitNow) + 1; n <= std::max(LitBefore, LitNow); ++n)
        FillTick(n);
}

TVrLevelBar::TPictureState TVrLevelBar::PictureState() const
{
    TPictureState s;
    s.BufferWidth = BufferBitmap().Width();
    s.BufferHeight = BufferBitmap().Height();
    s.Width = Width();
    s.Height = Height();
    s.PaintArea = FPaintArea;
    s.TickStep = FTickStep;
    s.TickHeight = FTickHeight;
    s.Spacing = FSpacing;
    s.TickCount = FTickCount;
    s.LitCount = FLitCount;
    s.Zone1End = FZone1End;
    s.Zone2End = FZone2End;
    s.Orientation = FOrientation;
    s.Style = FStyle;
    s.Shades = {DrawnShade(Color()),
                DrawnShade(FPalette1.GetColors(0)), DrawnShade(FPalette1.GetColors(1)),
                DrawnShade(FPalette2.GetColors(0)), DrawnShade(FPalette2.GetColors(1)),
                DrawnShade(FPalette3.GetColors(0)), DrawnShade(FPalette3.GetColors(1))};
    const TVrBevel& b = FBevel;
    s.BevelLayout = {b.BorderWidth(), b.InnerWidth(), b.InnerStyle(), b.InnerOutline(), b.InnerSpace(),
                     b.OuterWidth(),  b.OuterStyle(), b.OuterOutline(), b.OuterSpace(), b.Visible()};
    // A colour counts only where its layer is drawn; the layout above tells which ones are.
    const auto drawn = [](bool Drawn, TColor Color) { return Drawn ? DrawnShade(Color) : 0; };
    const bool inner = b.InnerStyle() != bsNone && b.InnerWidth() > 0;
    const bool outer = b.OuterStyle() != bsNone && b.OuterWidth() > 0;
    s.BevelShades = {drawn(b.BorderWidth() > 0, b.BorderColor()), drawn(inner, b.InnerShadow()),
                     drawn(inner, b.InnerHighlight()),           drawn(b.InnerSpace() > 0, b.InnerColor()),
                     drawn(outer, b.OuterShadow()),              drawn(outer, b.OuterHighlight()),
                     drawn(b.OuterSpace() > 0, b.OuterColor())};
    return s;
}

bool TVrLevelBar::OnlyLevelDiffers(const TPictureState& Old, const TPictureState& New)
{
    if (New.Spacing < 0)
        return false;
    TPictureState same = New;
    same.LitCount = Old.LitCount;
    return same == Old;
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
    const int64_t count = std::max<int64_t>((end - start + FSpacing) / FTickStep, 0);
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
// new level leaves the zones as they are.
void TVrLevelBar::CountLitTicksAndZones()
{
    const std::array<int32_t, 4> litFor{FPosition, FMinValue, FMaxValue, FTickCount};
    if (!FLitCounted || litFor != FLitCountedFor) {
        FLitCount = SolveForX(GetPercentDone(), FTickCount);
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
    const TVrPalette& zone = N <= FZone1End ? FPalette1 : N <= FZone2End ? FPalette2 : FPalette3;
    return zone.GetColors(N <= FLitCount ? 1 : 0);
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

void TVrLevelBar::FillTick(int32_t N)
{
    TCanvas& canvas = GetBitmapCanvas();
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = TickColor(N);
    canvas.FillRect(TickRect(N));
}
