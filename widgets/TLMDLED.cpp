#include "widgets/TLMDLED.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

#include "platform/core/Numeric.h"
#include "platform/gfx/Canvas.h"
#include "widgets/VrDrawing.h"

namespace {

// The segment shapes. Every one is a closed hexagon so that all segments can be drawn alike;
// at a stroke unit of one pixel the half-thickness is 0 and bars and diagonals collapse into
// lines, which only the outline pen of a lit segment makes visible.

TLEDSegment HorizontalBar(int X, int Y, int L, int h)
{
    return {{{X, Y + h}, {X + h, Y}, {X + h + L, Y}, {X + L + 2 * h, Y + h}, {X + h + L, Y + 2 * h}, {X + h, Y + 2 * h}}};
}

TLEDSegment VerticalBar(int X, int Y, int w, int L)
{
    return {{{X + w, Y}, {X + 2 * w, Y + w}, {X + 2 * w, Y + w + L}, {X + w, Y + 2 * w + L}, {X, Y + w + L}, {X, Y + w}}};
}

int Sign(int v) { return (v > 0) - (v < 0); }

// A slanted stroke from (X, Y) to (X + EX, Y + EY). When one extent is 0 (a cell whose half
// width or bar length equals the stroke unit) the sign of that extent is 0 as well, and the
// shape degenerates into a straight line along the other axis: a lit one still shows as a
// stroke from the centre towards its corner, an unlit one has no area.
TLEDSegment Diagonal(int X, int Y, int EX, int EY, int D)
{
    const int dx = static_cast<int>(Round(Sign(EX) * D / 2.0));
    const int dy = static_cast<int>(Round(Sign(EY) * D / 2.0));
    return {{{X, Y}, {X + dx, Y}, {X + EX, Y + EY - dy}, {X + EX, Y + EY}, {X + EX - dx, Y + EY}, {X, Y + dy}}};
}

// A square dot whose top edge lies one pixel above Y. The last point repeats to fill the six.
TLEDSegment Dot(int X, int Y, int W, int E)
{
    return {{{X + W, Y - 1}, {X + W, Y + E - 1}, {X, Y + E - 1}, {X, Y - 1}, {X, Y - 1}, {X, Y - 1}}};
}

// The mask of every character code, built once from the list of lit characters; every code
// not listed (controls, blanks and all codes from 127 up) stays 0 and shows a blank cell.
// Letters appear in both cases with the same mask.
constexpr std::array<uint16_t, 256> BuildCharMasks()
{
    struct Row {
        const char* Characters;
        uint16_t Mask;
    };
    constexpr Row rows[] = {
        {"0", 0x1277},    {"1Ii", 0x0180},  {"2", 0x005D},    {"3", 0x006D},    {"4", 0x002E},
        {"5Ss", 0x006B},  {"6Gg", 0x007B},  {"7", 0x0025},    {"8", 0x007F},    {"9", 0x006F},
        {"Aa", 0x003F},   {"Bb", 0x01ED},   {"Cc[", 0x0053},  {"Dd", 0x01E5},   {"Ee", 0x005B},
        {"Ff", 0x001B},   {"Hh", 0x003E},   {"Jj", 0x0074},   {"Kk", 0x141A},   {"Ll", 0x0052},
        {"Mm", 0x0636},   {"Nn", 0x1236},   {"Oo", 0x0077},   {"Pp", 0x001F},   {"Qq", 0x1077},
        {"Rr", 0x101F},   {"Tt", 0x0181},   {"Uu", 0x0076},   {"Vv", 0x0C12},   {"Ww", 0x1836},
        {"Xx", 0x1E00},   {"Yy", 0x0700},   {"Zz", 0x0C41},   {"]", 0x0065},    {"\"", 0x0082},
        {"'", 0x0080},    {"(<", 0x1400},   {")>", 0x0A00},   {"*", 0x1F80},    {"+", 0x0188},
        {"-", 0x0008},    {"=", 0x0048},    {"_", 0x0040},    {"/", 0x0C00},    {"\\", 0x1200},
        {".", 0x8000},    {":", 0xA000},
    };
    std::array<uint16_t, 256> masks{};
    for (const Row& row : rows)
        for (const char* c = row.Characters; *c; ++c)
            masks[static_cast<unsigned char>(*c)] = row.Mask;
    return masks;
}

constexpr std::array<uint16_t, 256> CharMasks = BuildCharMasks();

// Segments 0 to 6 make the seven-segment digit; the others need room to be told apart.
constexpr uint16_t SevenSegmentBits = 0x007F;

int32_t ClampToInt32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Whether a cell at (x, y) can leave any pixel inside Clip. Lit outlines may reach past the cell
// by the pen's width, so the cell counts as that much larger. Cells far outside are skipped,
// which keeps very long texts cheap and their coordinates within range.
bool CellReachesClip(const TRect& Clip, int32_t PenWidth, int64_t x, int64_t y, int64_t Width, int64_t Height)
{
    const int64_t margin = std::clamp<int64_t>(PenWidth, 1, 1 << 20) + 1;
    return x - margin < Clip.Right && x + Width + margin > Clip.Left && y - margin < Clip.Bottom &&
           y + Height + margin > Clip.Top;
}

TLEDSegment Translated(const TLEDSegment& Segment, int32_t dx, int32_t dy)
{
    TLEDSegment moved;
    std::transform(Segment.begin(), Segment.end(), moved.begin(), [=](TPoint p) { return p.Translated(dx, dy); });
    return moved;
}

}  // namespace

TColor TLMDLED::GetColor(int Index) const
{
    const TColor* slot = const_cast<TLMDLED*>(this)->ColorSlot(Index);
    return slot ? *slot : 0;
}

void TLMDLED::SetColor(int Index, TColor Value)
{
    TColor* slot = ColorSlot(Index);   // nullptr for an index the renderer does not have
    if (!slot || *slot == Value)
        return;
    *slot = Value;
    CreateBmp();
    Change();
}

uint8_t TLMDLED::GetByte(int Index) const
{
    const uint8_t* slot = const_cast<TLMDLED*>(this)->ByteSlot(Index);
    return slot ? *slot : 0;
}

void TLMDLED::SetByte(int Index, uint8_t Value)
{
    uint8_t* slot = ByteSlot(Index);
    if (!slot || *slot == Value)
        return;
    *slot = Value;
    CreateBmp();
    Change();
}

// The cell image shows no lit segment, so it stays as it is.
void TLMDLED::SetEnabled(bool Value)
{
    if (Value == FDisabledDigits)
        return;
    FDisabledDigits = Value;
    ++FPictureGeneration;
    Change();
}

void TLMDLED::EndFlash()
{
    FFlashing = false;
    ++FPictureGeneration;
    Change();
}

TColor* TLMDLED::ColorSlot(int Index)
{
    switch (Index) {
    case 0: return &FActiveColor;
    case 1: return &FInActiveColor;
    case 2: return &FBackColor;
    default: return nullptr;
    }
}

uint8_t* TLMDLED::ByteSlot(int Index)
{
    switch (Index) {
    case 1: return &FHorzsize;
    case 2: return &FThickness;
    case 3: return &FVertsize;
    default: return nullptr;
    }
}

void TLMDLED::CreateBmp()
{
    ++FPictureGeneration;
    ForgetLitCells();
    ComputeSegments();
    FCellImage.SetSize(GetWidth(), GetHeight());
    TCanvas& canvas = FCellImage.Canvas();
    canvas.Brush() = TBrush{FBackColor, bsSolid, nullptr};
    canvas.FillRect(FCellImage.BoundsRect());
    DrawUnlitSegments(canvas);
}

// Places the sixteen segments for the current sizes. The bars sit one stroke unit in from the
// cell's edges, the centre column lies halfway across, and the diagonals run from the ends of
// the centre column towards the four corners between the bars.
void TLMDLED::ComputeSegments()
{
    const int T = FThickness, H = FHorzsize, V = FVertsize;
    const int t = T / 2;
    const int C = (4 * T + H) / 2;
    const int R = static_cast<int>(Round(1.5 * T));
    FSegments[0] = HorizontalBar(2 * T, T, H, t);
    FSegments[1] = VerticalBar(T, 2 * T, t, V);
    FSegments[2] = VerticalBar(3 * T + H, 2 * T, t, V);
    FSegments[3] = HorizontalBar(2 * T, 3 * T + V, H, t);
    FSegments[4] = VerticalBar(T, 4 * T + V, t, V);
    FSegments[5] = VerticalBar(3 * T + H, 4 * T + V, t, V);
    FSegments[6] = HorizontalBar(2 * T, 5 * T + 2 * V, H, t);
    FSegments[7] = VerticalBar(C, 2 * T, t, V);
    FSegments[8] = VerticalBar(C, 4 * T + V, t, V);
    FSegments[9] = Diagonal(C - t, 2 * T + V, T - H / 2, T - V, T);
    FSegments[10] = Diagonal(C + R, 2 * T + V, H / 2 - T, T - V, T);
    FSegments[11] = Diagonal(C - t, 5 * T + V, T - H / 2, V - T, T);
    FSegments[12] = Diagonal(C + R, 5 * T + V, H / 2 - T, V - T, T);
    FSegments[13] = Dot(C - 1, 3 * T + V, T, T);
    FSegments[14] = Dot(C - 1, T, T, T);
    FSegments[15] = Dot(C - 1, 5 * T + 2 * V, T, T);
}

// Fills every segment, without outline, with the checkerboard of the unlit and background
// colours. The pattern is anchored at the cell's top-left pixel, so each cell copied from this
// image shows the same checkerboard wherever it lands.
void TLMDLED::DrawUnlitSegments(TCanvas& Canvas)
{
    Canvas.Pen().Style = psClear;
    Canvas.Brush() = TBrush{FInActiveColor, bsSolid, &UnlitPattern(FBackColor, FInActiveColor)};
    for (const TLEDSegment& segment : FSegments)
        Canvas.Polygon(segment);
    // The pattern is shared; the cell's canvas must not keep pointing at it.
    Canvas.Brush() = TBrush{FBackColor, bsSolid, nullptr};
    Canvas.Pen().Style = psSolid;
}

bool TLMDLED::PaintLED(TCanvas* Canvas, const TRect& Rect, std::string_view Text, bool Enabled, bool Draw)
{
    Draw = Draw && Canvas;
    bool litCopies = false;
    if (Draw) {
        if (FCellImage.Empty())
            CreateBmp();
        TakeLitPen(*Canvas);
        litCopies = FitLitCellsTo(*Canvas);
    }
    std::optional<TPictureCopier> copier;
    if (Draw)
        copier.emplace(*Canvas);
    const uint16_t litSegments = LitSegments(Enabled);

    // Counted wide so that no text, however long, wraps a count; stored saturated.
    int64_t lines = 1, column = 0, widest = 1;
    bool copiesOnly = Draw;
    for (const char ch : Text) {
        const unsigned char code = static_cast<unsigned char>(ch);
        if (code == 13) {
            ++lines;
            column = 0;
            continue;
        }
        if (code < 32)
            continue;
        if (Draw) {
            const int64_t x = int64_t{Rect.Left} + column * GetWidth();
            const int64_t y = int64_t{Rect.Top} + (lines - 1) * GetHeight();
            if (CellReachesClip(copier->Clip(), Canvas->Pen().Width, x, y, GetWidth(), GetHeight())) {
                const uint16_t mask = CharMask(code) & litSegments;
                if (!DrawCell(*copier, *Canvas, static_cast<int32_t>(x), static_cast<int32_t>(y), mask,
                              CellPicture(code, mask, litCopies)))
                    copiesOnly = false;
            }
        }
        ++column;
        widest = std::max(widest, column);
    }
    FLineCount = ClampToInt32(lines);
    FColumnCount = ClampToInt32(widest);
    if (FFlashing)
        FFlashPhase = !FFlashPhase;
    return copiesOnly;
}

// Every cell of both texts lies where its position in the text puts it, so a cell whose
// character stayed the same already shows it. The changed cells are checked before any is
// drawn, so that a refusal leaves the picture as it was.
bool TLMDLED::PaintChangedCells(TCanvas& Canvas, const TRect& Rect, std::string_view Before, std::string_view Text,
                                bool Enabled)
{
    if (FFlashing || FCellImage.Empty() || Before.size() != Text.size())
        return false;
    TakeLitPen(Canvas);
    const bool litCopies = FitLitCellsTo(Canvas);
    const uint16_t litSegments = LitSegments(Enabled);
    const auto pictureOf = [&](char c) {
        const auto code = static_cast<unsigned char>(c);
        return CellPicture(code, CharMask(code) & litSegments, litCopies);
    };
    for (size_t i = 0; i < Text.size(); ++i) {
        // A control code takes no cell of its own, and 13 starts a new line, so the cells after
        // one do not lie where their place in the text puts them.
        if (static_cast<unsigned char>(Text[i]) < 32 || static_cast<unsigned char>(Before[i]) < 32)
            return false;
        if (Text[i] != Before[i] && !pictureOf(Text[i]))
            return false;
    }
    TPictureCopier copier(Canvas);
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == Before[i])
            continue;
        const int64_t x = int64_t{Rect.Left} + static_cast<int64_t>(i) * GetWidth();
        if (CellReachesClip(copier.Clip(), Canvas.Pen().Width, x, Rect.Top, GetWidth(), GetHeight()))
            copier.Copy(static_cast<int32_t>(x), Rect.Top, *pictureOf(Text[i]));
    }
    FLineCount = 1;
    FColumnCount = ClampToInt32(std::max<int64_t>(1, static_cast<int64_t>(Text.size())));
    return true;
}

// The pen keeps the width the canvas has; a width of 1 gives the one-pixel strokes of a cell
// with no half-thickness.
void TLMDLED::TakeLitPen(TCanvas& Canvas) const
{
    Canvas.Pen().Color = FActiveColor;
    Canvas.Pen().Style = psSolid;
    Canvas.Brush() = TBrush{FActiveColor, bsSolid, nullptr};
}

// A disabled owner shows its characters unlit when DisabledDigits is set, and so does the dark
// phase of flashing; cells too small to tell the other segments apart show only the seven of a
// digit.
uint16_t TLMDLED::LitSegments(bool Enabled) const
{
    const bool showLit = !FDisabledDigits || Enabled;
    const bool dark = FFlashing && !FFlashPhase;
    const bool big = FVertsize > 3 && FHorzsize > 3;
    if (!showLit || dark)
        return 0;
    return big ? 0xFFFF : SevenSegmentBits;
}

// A lit character is the cell image with some segments drawn over it, the same picture wherever
// the character appears, so it is drawn once and then copied like the unlit cell.
bool TLMDLED::DrawCell(TPictureCopier& Copier, TCanvas& Canvas, int32_t x, int32_t y, uint16_t Mask,
                       const TBitmap* Picture)
{
    if (Picture) {
        Copier.Copy(x, y, *Picture);
        return true;
    }
    if (!FCellImage.Empty())
        Copier.Copy(x, y, FCellImage);
    for (int n = 0; n < SegmentCount; ++n)
        if (Mask & (1u << n))
            Canvas.Polygon(Translated(FSegments[n], x, y));
    return Mask == 0;
}

// A text repeats few characters, so each code remembers the lit cell it was last shown with,
// which spares searching the kept cells for it at every cell of every paint.
const TBitmap* TLMDLED::CellPicture(unsigned char Code, uint16_t Mask, bool LitCopies)
{
    if (Mask == 0)
        return FCellImage.Empty() ? nullptr : &FCellImage;
    if (!LitCopies)
        return nullptr;
    TCodeCell& known = FCodeCells[Code];
    if (!known.Known || known.Mask != Mask)
        known = {true, Mask, LitCell(Mask)};
    return known.Picture;
}

// The kept cells are drawn with the pen and brush TakeLitPen gives the canvas; a canvas with
// any other pen or brush draws the segments itself.
bool TLMDLED::FitLitCellsTo(TCanvas& Canvas)
{
    const TPen& pen = Canvas.Pen();
    const TBrush& brush = Canvas.Brush();
    const bool usual = pen.Style == psSolid && pen.Color == FActiveColor && brush.Style == bsSolid &&
                       brush.Color == FActiveColor && brush.Pattern == nullptr;
    if (FCellImage.Empty() || !usual)
        return false;
    const int32_t penWidth = std::max(pen.Width, 1);
    const uint64_t shade = DrawnShade(FActiveColor);
    if (penWidth != FLitPenWidth || shade != FLitShade) {
        ForgetLitCells();
        FLitPenWidth = penWidth;
        FLitShade = shade;
    }
    return true;
}

const TBitmap* TLMDLED::LitCell(uint16_t Mask)
{
    const auto found = std::find(FLitMasks.begin(), FLitMasks.end(), Mask);
    if (found != FLitMasks.end())
        return &FLitCells[static_cast<size_t>(found - FLitMasks.begin())]->Picture;
    if (std::find(FSpillingMasks.begin(), FSpillingMasks.end(), Mask) != FSpillingMasks.end())
        return nullptr;
    if (!LitStaysInCell(Mask, FLitPenWidth)) {
        FSpillingMasks.push_back(Mask);
        return nullptr;
    }
    auto cell = std::make_unique<TLitCell>();
    cell->Mask = Mask;
    cell->Picture.SetSize(FCellImage.Width(), FCellImage.Height());
    TCanvas& c = cell->Picture.Canvas();
    c.Draw(0, 0, FCellImage);
    c.Pen() = TPen{FActiveColor, FLitPenWidth, psSolid};
    c.Brush() = TBrush{FActiveColor, bsSolid, nullptr};
    for (int n = 0; n < SegmentCount; ++n)
        if (Mask & (1u << n))
            c.Polygon(FSegments[n]);
    FLitCells.push_back(std::move(cell));
    FLitMasks.push_back(Mask);
    return &FLitCells.back()->Picture;
}

// A segment's fill stays inside the box of its points, and its outline reaches past them by the
// part of the pen's square that lies above and left of a line pixel, or below and right of it.
bool TLMDLED::LitStaysInCell(uint16_t Mask, int32_t PenWidth) const
{
    const int32_t before = (PenWidth - 1) / 2, after = PenWidth - 1 - before;
    for (int n = 0; n < SegmentCount; ++n) {
        if ((Mask & (1u << n)) == 0)
            continue;
        for (const TPoint& p : FSegments[n])
            if (p.X - before < 0 || p.Y - before < 0 || p.X + after >= FCellImage.Width() ||
                p.Y + after >= FCellImage.Height())
                return false;
    }
    return true;
}

void TLMDLED::ForgetLitCells()
{
    FCodeCells.fill(TCodeCell{});
    FLitCells.clear();
    FLitMasks.clear();
    FSpillingMasks.clear();
}

TRect TLMDLED::CalcBoundsRect(std::string_view Text, int32_t Border)
{
    PaintLED(nullptr, TRect{}, Text, false, false);
    const int64_t right = int64_t{GetWidth()} * FColumnCount + 2 * int64_t{Border} + 1;
    const int64_t bottom = int64_t{GetHeight()} * FLineCount + 2 * int64_t{Border};
    return {0, 0, ClampToInt32(right), ClampToInt32(bottom)};
}

uint16_t TLMDLED::CharMask(unsigned char Code) { return CharMasks[Code]; }

void TLMDLED::Assign(const TLMDObject& Source)
{
    if (&Source == this)
        return;
    const auto* other = dynamic_cast<const TLMDLED*>(&Source);
    if (!other) {
        TLMDObject::Assign(Source);
        return;
    }
    FHorzsize = other->FHorzsize;
    FVertsize = other->FVertsize;
    FThickness = other->FThickness;
    FDisabledDigits = other->FDisabledDigits;
    FActiveColor = other->FActiveColor;
    FInActiveColor = other->FInActiveColor;
    CreateBmp();
    Change();
}

const TBitmap& UnlitPattern(TColor BackColor, TColor UnlitColor)
{
    static TBitmap pattern(8, 8);
    static std::optional<std::pair<TColor, TColor>> drawnFor;
    const std::pair<TColor, TColor> pair{BackColor, UnlitColor};
    if (drawnFor == pair)
        return pattern;
    const TPixel back = ColorToPixel(BackColor);
    const TPixel unlit = ColorToPixel(UnlitColor);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x)
            pattern.SetPixel(x, y, (x + y) % 2 == 0 ? unlit : back);
    drawnFor = pair;
    return pattern;
}
