#include "widgets/TLMDClock.h"

#include <algorithm>
#include <climits>

#include "framework/Form.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "widgets/LMDText.h"
#include "widgets/TLMDDateFormat.h"
#include "widgets/VrDrawing.h"

namespace {

// A size computed in 64 bits, brought into the range of a control's size.
int32_t Clamped(int64_t Value) { return static_cast<int32_t>(std::min<int64_t>(Value, INT32_MAX)); }

}  // namespace

TLMDClock::TLMDClock(TComponent* Owner) : TControl(Owner), FFixedTime(EncodeDate(1990, 1, 1))
{
    SetBounds(Left(), Top(), 30, 30);
    SetControlStyle(ControlStyle() & ~csOpaque);
    FBevel.SetOnChange([this](TLMDObject* Sender) { GetChange(Sender); });
    FDigital.SetOnChange([this](TLMDObject* Sender) { GetChange(Sender); });
    FClockTimer = std::make_unique<TLMDTimer>([this] { OnTimer(); }, 1000, true);
}

TLMDClock::~TLMDClock()
{
    // The timer goes first, so that no tick can reach a clock that is half taken apart.
    FClockTimer.reset();
    FDigital.SetOnChange(nullptr);
    FBevel.SetOnChange(nullptr);
}

void TLMDClock::SetMode(TLMDClockMode Value)
{
    if (Value == FMode)
        return;
    FMode = Value;
    Repaint();
}

bool TLMDClock::GetBoolean(int Index) const
{
    switch (Index) {
    case 0:
        return FDigitalOnly;
    case 1:
        return FDigitalShowSecs;
    case 2:
        return FUseCustomDateTime;
    default:
        return false;
    }
}

void TLMDClock::SetBoolean(int Index, bool Value)
{
    bool* slot = Index == 0 ? &FDigitalOnly : Index == 1 ? &FDigitalShowSecs : Index == 2 ? &FUseCustomDateTime : nullptr;
    if (!slot || *slot == Value)
        return;
    *slot = Value;
    FDefaultTimeFormat = FDigitalShowSecs ? "hh:nn:ss" : "hh:nn";
    GetChange(nullptr);
}

void TLMDClock::SetCustomDateTimeFormat(const std::string& Value)
{
    if (Value == FCustomDateTimeFormat)
        return;
    FCustomDateTimeFormat = Value;
    GetChange(nullptr);
}

TColor TLMDClock::GetFaceColors(int Index) const
{
    const TColor colors[] = {FColorSmallTick, FColorSmallTickShade, FColorBigTick, FColorBigTickShade, FDigitalColor};
    return Index >= 0 && Index < 5 ? colors[Index] : 0;
}

void TLMDClock::SetFaceColors(int Index, TColor Value)
{
    TColor* const slots[] = {&FColorSmallTick, &FColorSmallTickShade, &FColorBigTick, &FColorBigTickShade, &FDigitalColor};
    if (Index < 0 || Index >= 5 || *slots[Index] == Value)
        return;
    *slots[Index] = Value;
    GetChange(nullptr);
}

void TLMDClock::SetOptions(TLMDClockOptions Value)
{
    if (Value == FOptions)
        return;
    if (!Value.Contains(coShowDigital) && !Value.Contains(coShowAnalog))
        throw Exception("One clock style must be active!");
    FOptions = Value;
    GetChange(nullptr);
}

void TLMDClock::SetFixedTime(TDateTime Value)
{
    if (Value == FFixedTime)
        return;
    FFixedTime = Value;
    GetChange(nullptr);
}

void TLMDClock::SetTimeOffset(const TLMDTimeOffset& Value)
{
    if (Value == FTimeOffset)
        return;
    FTimeOffset = Value;
    GetChange(nullptr);
}

void TLMDClock::SetTransparent(bool Value)
{
    if (Value == Transparent())
        return;
    SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Repaint();
}

void TLMDClock::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    FClockTimer->SetEnabled(Value);
    Repaint();
}

TDateTime TLMDClock::GetTime()
{
    TDateTime time = FOptions.Contains(coFixed) ? FFixedTime : Now();
    if (FOptions.Contains(coOffset))
        time += FTimeOffset.Days + FTimeOffset.Hours / 24.0 + FTimeOffset.Minutes / 1440.0 + FTimeOffset.Seconds / 86400.0;
    return time;
}

std::string TLMDClock::GetDigitalText()
{
    if (!FEnabled)
        return std::string(DisabledText);
    if (FMode == cmDate)
        return FDateText.WeekdayAndDate(CurrentPlatform().Locale, GetTime());
    // The time, stopwatch, countdown and alarm readouts are not built; they show nothing.
    return std::string();
}

bool TLMDClock::CorrectBounds() { return CorrectBounds(ShownText()); }

bool TLMDClock::CorrectBounds(std::string_view Text)
{
    if (!FDigitalOnly)
        return false;
    const int64_t extent = BevelExtent();
    const int32_t width = Clamped(static_cast<int64_t>(LMDCharCount(Text)) * FDigital.GetWidth() + 2 * extent);
    const int32_t height = Clamped(FDigital.GetHeight() + 2 * extent);
    if (width == Width() && height == Height())
        return false;
    SetBounds(Left(), Top(), width, height);
    return true;
}

void TLMDClock::OnTimer() { Repaint(); }

void TLMDClock::SetUseGlobalTimer(bool Value)
{
    if (Value == FUseGlobalTimer)
        return;
    FUseGlobalTimer = Value;
    FClockTimer->SetInterval(Value ? 500 : 1000);
    try {
        FClockTimer->SetUseGlobalTimer(Value);
    } catch (...) {
        // Without a timer from the pool the readout keeps a timer of its own, so it goes on
        // showing the date.
        FUseGlobalTimer = false;
        FClockTimer->SetUseGlobalTimer(false);
        FClockTimer->SetInterval(1000);
        throw;
    }
}

void TLMDClock::GetChange(TLMDObject*) { Repaint(); }

void TLMDClock::Loaded()
{
    TControl::Loaded();
    if (FEnabled)
        Repaint();
}

void TLMDClock::Repaint()
{
    if (FPainting)
        return;
    TControl::Repaint();
}

void TLMDClock::PaintRequest(TBitmap* Surface, TPoint Origin, const TRect& Clip)
{
    // Attaching the canvas again inside a paint would take it away from the paint under way.
    if (FPainting)
        return;
    TControl::PaintRequest(Surface, Origin, Clip);
}

bool TLMDClock::FormLoading() const
{
    const TForm* form = ParentForm();
    return Loading() || (form && form->Loading());
}

// No character is shorter than a byte, so a text of at most MaxCells bytes is shown whole.
std::string TLMDClock::ShownText()
{
    std::string text = GetDigitalText();
    if (text.size() > MaxCells)
        text = LMDLeftChars(text, MaxCells);
    return text;
}

void TLMDClock::Paint()
{
    if (!Visible() || FPainting || FormLoading())
        return;
    // The flag is up for the whole paint, the text and the fitting included, so that nothing
    // they cause can start a paint inside this one.
    struct TPaintingFlag {
        bool& Flag;
        explicit TPaintingFlag(bool& f) : Flag(f) { Flag = true; }
        ~TPaintingFlag() { Flag = false; }
    } painting(FPainting);
    const std::string text = ShownText();
    // A change of bounds brings a paint of its own, which draws the text at its new size.
    if (FDigitalOnly && CorrectBounds(text))
        return;
    if (Width() < 1 || Height() < 1)
        return;
    // The renderer takes the cell background before the picture is compared, so that a new
    // background counts as a change of the renderer.
    if (ShowsDigits())
        FDigital.SetColor(2, FDigitalColor);
    const TPictureState state = PictureState();
    const bool kept = FPictureKept && state == FPictureFor;
    if (kept && text == FPictureText) {
        // The renderer still counts the text's lines and cells, as painting it would.
        if (ShowsDigits())
            FDigital.PaintLED(nullptr, TRect{}, FPictureCells, FEnabled, false);
    } else if (!kept || !RedrawChangedCells(text)) {
        RenderPicture(text, state);
    }
    TPictureCopier(Canvas()).Copy(0, 0, FPicture);
}

// The picture keeps its size and pixels from paint to paint; a new picture starts white and
// with the pen, brush and font of a new canvas, as a freshly made image would.
void TLMDClock::RenderPicture(std::string_view Text, const TPictureState& State)
{
    FPictureKept = false;
    FPicture.SetSize(Width(), Height());
    TCanvas& canvas = FPicture.Canvas();
    canvas.Pen() = TPen{};
    canvas.Brush() = TBrush{};
    canvas.Font() = TFontSpec{};
    canvas.MoveTo(0, 0);
    canvas.FillRect(FPicture.BoundsRect());
    FPictureCellsApart = PaintPicture(canvas, Text);
    FPictureFor = State;
    FPictureText = Text;
    FPictureCells = LMDCellText(Text);
    // A flashing renderer shows another picture at every paint.
    FPictureKept = !FDigital.Flashing();
}

// The cells lie where the text's length puts them, so a text of the same length has every cell
// in the same place. The canvas keeps the pen the kept cells were drawn with.
bool TLMDClock::RedrawChangedCells(std::string_view Text)
{
    if (!ShowsDigits() || !FPictureCellsApart)
        return false;
    std::string cells = LMDCellText(Text);
    if (cells.size() != FPictureCells.size())
        return false;
    const TPoint at = DigitalOrigin(static_cast<int32_t>(cells.size()));
    const TRect area =
        TRect::FromSize(at.X, at.Y, static_cast<int32_t>(cells.size()) * FDigital.GetWidth(), FDigital.GetHeight());
    if (!FDigital.PaintChangedCells(FPicture.Canvas(), area, FPictureCells, cells, FEnabled))
        return false;
    FPictureText = Text;
    FPictureCells = std::move(cells);
    return true;
}

TLMDClock::TPictureState TLMDClock::PictureState() const
{
    TPictureState s;
    s.Width = Width();
    s.Height = Height();
    s.DigitalOnly = FDigitalOnly;
    s.Options = FOptions.Bits();
    s.Enabled = FEnabled;
    // A readout of nothing but digits never draws its background colour: its picture is the
    // frame and the cells on a white image.
    s.Background = FDigitalOnly ? 0 : DrawnShade(Color());
    const TLMDBevel& b = FBevel;
    s.Bevel = {b.StyleOuter(), b.StyleInner(), b.WidthOuter(), b.WidthInner(), b.BorderWidth()};
    // The rings draw in the button colours and the border in its own; a colour counts only
    // where it is drawn.
    const bool rings = b.StyleOuter() != bvNone || b.StyleInner() != bvNone;
    s.BevelShades = {b.BorderWidth() > 0 ? DrawnShade(b.BorderColor()) : 0, rings ? DrawnShade(clBtnHighlight) : 0,
                     rings ? DrawnShade(clBtnShadow) : 0};
    s.Renderer = FDigital.PictureGeneration();
    s.LitShade = DrawnShade(FDigital.ActiveColor());
    return s;
}

bool TLMDClock::PaintPicture(TCanvas& Canvas, std::string_view Text)
{
    const auto cells = static_cast<int32_t>(LMDCharCount(Text));
    if (FDigitalOnly) {
        TRect client{0, 0, Width(), Height()};
        FBevel.Paint(Canvas, client);
        return PaintDigital(Canvas, DigitalOrigin(cells), Text);
    }
    // Without the analogue face the picture is the background and, with coShowDigital, the
    // readout in its middle.
    Canvas.Brush().Color = Color();
    Canvas.Brush().Style = bsSolid;
    Canvas.FillRect({0, 0, Width(), Height()});
    if (FOptions.Contains(coShowDigital))
        return PaintDigital(Canvas, DigitalOrigin(cells), Text);
    return false;
}

TPoint TLMDClock::DigitalOrigin(int32_t Cells) const
{
    if (FDigitalOnly)
        return {BevelExtent(), BevelExtent()};
    return {(Width() - Cells * FDigital.GetWidth()) / 2, (Height() - FDigital.GetHeight()) / 2};
}

bool TLMDClock::PaintDigital(TCanvas& Canvas, TPoint At, std::string_view Text)
{
    // Setting the background notifies this clock, which is painting and so draws nothing more.
    FDigital.SetColor(2, FDigitalColor);
    const auto cells = static_cast<int32_t>(LMDCharCount(Text));
    const TRect area = TRect::FromSize(At.X, At.Y, cells * FDigital.GetWidth(), FDigital.GetHeight());
    return FDigital.PaintLED(&Canvas, area, LMDCellText(Text), FEnabled, true);
}
