#include "platform/gfx/Raster.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// ---- Exact wide arithmetic ----------------------------------------------------------------
// Coordinates are up to 33 bits wide once an origin is added, so a product of two of them needs
// up to 67 bits. The 32-bit Windows compiler has no 128-bit integer type; these few operations
// stand in for it.

struct U128 {
    uint64_t Hi = 0;
    uint64_t Lo = 0;
};

U128 MulWide(uint64_t a, uint64_t b)
{
    const uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32, b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const uint64_t mid = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (p00 & 0xFFFFFFFFu) | (mid << 32)};
}

// Quotient and remainder of n / d for any d > 0. The quotient must fit in 64 bits.
uint64_t DivMod(U128 n, uint64_t d, uint64_t& remainder)
{
    if (n.Hi == 0) {
        remainder = n.Lo % d;
        return n.Lo / d;
    }
    uint64_t q = 0, r = 0;
    for (int i = 127; i >= 0; --i) {
        const uint64_t bit = i >= 64 ? (n.Hi >> (i - 64)) & 1 : (n.Lo >> i) & 1;
        const bool carry = (r >> 63) != 0;   // r doubled does not fit: it is certainly >= d
        r = (r << 1) | bit;
        if (carry || r >= d) {
            r -= d;
            if (i < 64)
                q |= uint64_t(1) << i;
        }
    }
    remainder = r;
    return q;
}

uint64_t Magnitude(int64_t v) { return v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v); }

// A signed 128-bit value in two's complement.
struct I128 {
    uint64_t Hi = 0;
    uint64_t Lo = 0;
};

bool IsNegative(I128 v) { return (v.Hi >> 63) != 0; }

I128 Negated(I128 v)
{
    v.Lo = ~v.Lo + 1;
    v.Hi = ~v.Hi + (v.Lo == 0 ? 1 : 0);
    return v;
}

I128 Wide(int64_t v) { return {v < 0 ? ~uint64_t(0) : 0, static_cast<uint64_t>(v)}; }

I128 Product(int64_t a, int64_t b)
{
    const U128 m = MulWide(Magnitude(a), Magnitude(b));
    const I128 p{m.Hi, m.Lo};
    return (a < 0) != (b < 0) ? Negated(p) : p;
}

I128 operator+(I128 a, I128 b)
{
    I128 r;
    r.Lo = a.Lo + b.Lo;
    r.Hi = a.Hi + b.Hi + (r.Lo < a.Lo ? 1 : 0);
    return r;
}

// n / d rounded down, for d > 0; the quotient must fit in 63 bits.
int64_t FloorDiv(I128 n, int64_t d)
{
    uint64_t r = 0;
    if (!IsNegative(n))
        return static_cast<int64_t>(DivMod({n.Hi, n.Lo}, static_cast<uint64_t>(d), r));
    const I128 m = Negated(n);
    const int64_t q = static_cast<int64_t>(DivMod({m.Hi, m.Lo}, static_cast<uint64_t>(d), r));
    return -q - (r != 0 ? 1 : 0);
}

// n / d rounded up, for d > 0.
int64_t CeilDiv(I128 n, int64_t d) { return -FloorDiv(Negated(n), d); }

uint64_t ISqrt(uint64_t v)
{
    uint64_t root = 0;
    uint64_t bit = uint64_t(1) << 62;
    while (bit > v)
        bit >>= 2;
    while (bit != 0) {
        if (v >= root + bit) {
            v -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return root;
}

// ---- Output ------------------------------------------------------------------------------

// Hands on the pixels x = Left .. Right (inclusive) of row y, cut to the clip.
void EmitRow(int64_t y, int64_t Left, int64_t Right, const TRect& Clip, const TRectSink& Out)
{
    if (y < Clip.Top || y >= Clip.Bottom)
        return;
    const int64_t l = std::max<int64_t>(Left, Clip.Left);
    const int64_t r = std::min<int64_t>(Right + 1, Clip.Right);
    if (l < r)
        Out(TRect(static_cast<int32_t>(l), static_cast<int32_t>(y), static_cast<int32_t>(r), static_cast<int32_t>(y + 1)));
}

// ---- Ellipse -----------------------------------------------------------------------------

// An inclusive run of pixels in one row; Left > Right when the row has none.
struct TRun {
    int64_t Left = 0;
    int64_t Right = -1;
    bool Empty() const { return Left > Right; }
};

// The rows of the ellipse inscribed in a box. In doubled coordinates relative to the box centre
// a pixel centre is (X, Y) = (2x + 1 - (L + R), 2y + 1 - (T + B)), and it lies in the ellipse when
// X² H² + Y² W² <= W² H² with W and H the box's width and height. For a row that gives
// |X| <= sqrt(W² (H² - Y²) / H²), and X always has the parity of W + 1.
//
// A thin ellipse has rows (or columns) near its ends where no pixel centre lies inside, so each
// row also keeps its middle pixel (two for an even width) and the middle row (two for an even
// height) spans the whole width: the shape reaches all four sides of its box.
class EllipseRows {
public:
    explicit EllipseRows(const TBox64& Box) : FBox(Box), FW(Box.Right - Box.Left), FH(Box.Bottom - Box.Top) {}

    // Sides below 2^32 keep every square below 2^64, which the exact arithmetic relies on.
    bool Empty() const { return FW <= 0 || FH <= 0 || FW > int64_t(UINT32_MAX) || FH > int64_t(UINT32_MAX); }

    TRun Row(int64_t y) const
    {
        if (Empty() || y < FBox.Top || y >= FBox.Bottom)
            return {};
        const uint64_t h = static_cast<uint64_t>(FH), w = static_cast<uint64_t>(FW);
        const uint64_t dy = Magnitude(2 * y + 1 - (FBox.Top + FBox.Bottom));
        const uint64_t middleReach = (w & 1) != 0 ? 0 : 1;
        uint64_t reach = w - 1;   // the middle rows span the box
        if (dy > 1) {
            const uint64_t rest = h * h - dy * dy;   // |Y| < H, so this is positive
            uint64_t remainder = 0;
            reach = ISqrt(DivMod(MulWide(w * w, rest), h * h, remainder));
            if ((reach & 1) != middleReach)
                reach = reach == 0 ? 0 : reach - 1;
            reach = std::max(reach, middleReach);
        }
        const int64_t centre2 = FBox.Left + FBox.Right - 1;   // has the parity of reach
        return {(centre2 - static_cast<int64_t>(reach)) / 2, (centre2 + static_cast<int64_t>(reach)) / 2};
    }

private:
    TBox64 FBox;
    int64_t FW;
    int64_t FH;
};

// The pixels of a row that have all four neighbours in the shape: the row shrunk by one at each
// end and cut to the rows above and below.
TRun InnerRun(const EllipseRows& Shape, int64_t y)
{
    const TRun here = Shape.Row(y), above = Shape.Row(y - 1), below = Shape.Row(y + 1);
    if (here.Empty() || above.Empty() || below.Empty())
        return {};
    return {std::max({here.Left + 1, above.Left, below.Left}), std::min({here.Right - 1, above.Right, below.Right})};
}

// ---- Polygon -----------------------------------------------------------------------------

struct TEdge {
    TPoint64 Upper;   // the end with the smaller y
    TPoint64 Lower;
};

// The first pixel whose centre lies at or right of the point where the edge crosses the centre
// line of row y. In doubled coordinates the crossing is
// X = 2 x0 + (2y + 1 - 2 y0) (x1 - x0) / (y1 - y0), and pixel x qualifies when 2x + 1 >= X.
int64_t CrossingPixel(const TEdge& e, int64_t y)
{
    const int64_t dy = e.Lower.Y - e.Upper.Y;
    const I128 n = Product(2 * e.Upper.X - 1, dy) + Product(2 * y + 1 - 2 * e.Upper.Y, e.Lower.X - e.Upper.X);
    return CeilDiv(n, 2 * dy);
}

}  // namespace

// ---- Lines -------------------------------------------------------------------------------

namespace {

// Offsets below this keep every product of the line arithmetic inside 63 bits, so plain integer
// division gives the same result as the wide arithmetic.
constexpr int64_t NarrowLimit = int64_t(1) << 30;

// n / d rounded up, for d > 0, in plain 64-bit arithmetic.
int64_t CeilDivNarrow(int64_t n, int64_t d)
{
    const int64_t q = n / d;   // rounded towards zero, which is up for a negative n
    return n % d > 0 ? q + 1 : q;
}

// A block of pixels covered by a line, in the line's own axes: the major positions
// MajorFirst .. MajorLast and the minor positions MinorFirst .. MinorLast, all inclusive.
// Neighbouring major positions with the same minor run join into one block, so a straight
// line is handed on as one rectangle instead of one per pixel.
class TLineBlocks {
public:
    TLineBlocks(bool XMajor, const TRect& Clip, const TRectSink& Out) : FXMajor(XMajor), FClip(Clip), FOut(Out) {}

    void Add(int64_t Major, int64_t MinorFirst, int64_t MinorLast)
    {
        if (FOpen && Major == FMajorLast + 1 && MinorFirst == FMinorFirst && MinorLast == FMinorLast) {
            FMajorLast = Major;
            return;
        }
        Flush();
        FOpen = true;
        FMajorFirst = FMajorLast = Major;
        FMinorFirst = MinorFirst;
        FMinorLast = MinorLast;
    }

    // Hands on the open block. The major positions always lie inside the clip; the minor run is
    // cut to it here.
    void Flush()
    {
        if (!FOpen)
            return;
        FOpen = false;
        const int64_t minorLo = FXMajor ? FClip.Top : FClip.Left, minorHi = FXMajor ? FClip.Bottom : FClip.Right;
        const int64_t first = std::max(FMinorFirst, minorLo), end = std::min(FMinorLast + 1, minorHi);
        if (first >= end)
            return;
        const auto a = static_cast<int32_t>(FMajorFirst), b = static_cast<int32_t>(FMajorLast + 1);
        const auto c = static_cast<int32_t>(first), d = static_cast<int32_t>(end);
        FOut(FXMajor ? TRect(a, c, b, d) : TRect(c, a, d, b));
    }

private:
    bool FXMajor;
    const TRect& FClip;
    const TRectSink& FOut;
    bool FOpen = false;
    int64_t FMajorFirst = 0;
    int64_t FMajorLast = 0;
    int64_t FMinorFirst = 0;
    int64_t FMinorLast = 0;
};

}  // namespace

void RasterLine(TPoint64 From, TPoint64 To, int64_t PenWidth, const TRect& Clip, const TRectSink& Out)
{
    const int64_t width = std::max<int64_t>(PenWidth, 1);
    const int64_t reachBack = (width - 1) / 2;   // how far a stamp reaches above and left
    const int64_t dx = To.X - From.X, dy = To.Y - From.Y;
    if ((dx == 0 && dy == 0) || Clip.IsEmpty())
        return;

    // Work along the major axis M with the minor axis m; pixel i (0 <= i < n) sits at major
    // M0 + step * i and at the minor position nearest the exact line, a tie going down.
    const bool xMajor = Magnitude(dx) >= Magnitude(dy);
    const int64_t major0 = xMajor ? From.X : From.Y, minor0 = xMajor ? From.Y : From.X;
    const int64_t dMajor = xMajor ? dx : dy, dMinor = xMajor ? dy : dx;
    const int64_t n = static_cast<int64_t>(Magnitude(dMajor));
    const int64_t step = dMajor > 0 ? 1 : -1;
    const bool narrow = n < NarrowLimit;
    const auto minorAt = [&](int64_t i) {
        if (dMinor == 0)
            return minor0;
        if (narrow)
            return minor0 + CeilDivNarrow(2 * i * dMinor - n, 2 * n);
        return minor0 + CeilDiv(Product(2 * i, dMinor) + Wide(-n), 2 * n);
    };

    const int64_t clipMajorLo = xMajor ? Clip.Left : Clip.Top, clipMajorHi = xMajor ? Clip.Right : Clip.Bottom;
    const int64_t lastMajor = major0 + step * (n - 1);
    const int64_t firstCovered = std::max(std::min(major0, lastMajor) - reachBack, clipMajorLo);
    const int64_t lastCovered = std::min(std::max(major0, lastMajor) - reachBack + width - 1, clipMajorHi - 1);

    TLineBlocks blocks(xMajor, Clip, Out);
    for (int64_t c = firstCovered; c <= lastCovered; ++c) {
        // The stamps that reach position c belong to the pixels whose major position lies in
        // [c + reachBack - (width - 1), c + reachBack].
        const int64_t lo = c + reachBack - (width - 1), hi = c + reachBack;
        int64_t iFirst = step > 0 ? lo - major0 : major0 - hi;
        int64_t iLast = step > 0 ? hi - major0 : major0 - lo;
        iFirst = std::max<int64_t>(iFirst, 0);
        iLast = std::min(iLast, n - 1);
        if (iFirst > iLast)
            continue;
        // The minor position changes monotonically along the line, so the stamps of the pixels
        // iFirst .. iLast join into one run.
        const int64_t a = minorAt(iFirst), b = iLast == iFirst ? a : minorAt(iLast);
        blocks.Add(c, std::min(a, b) - reachBack, std::max(a, b) - reachBack + width - 1);
    }
    blocks.Flush();
}

// ---- Ellipses ----------------------------------------------------------------------------

namespace {

// The ellipse of a box that is already the right way round, and the one whose edge a wide pen
// leaves as inside.
struct TEllipsePair {
    EllipseRows Shape;
    EllipseRows Inner;
    int64_t PenWidth;

    TEllipsePair(const TBox64& Box, int64_t Pen)
        : Shape(Box), Inner(Shrunk(Box, std::max<int64_t>(Pen, 1) - 1)), PenWidth(Pen)
    {
    }

    static TBox64 Shrunk(const TBox64& Box, int64_t By)
    {
        return {Box.Left + By, Box.Top + By, Box.Right - By, Box.Bottom - By};
    }

    // Row y split into outline and fill. Without a pen the whole row is fill; a row with no
    // pixel of the inner shape is all outline.
    TEllipseSpan Row(int64_t y) const
    {
        const TRun run = Shape.Row(y);
        if (run.Empty())
            return {};
        if (PenWidth <= 0)
            return {run.Left, run.Right, run.Left, run.Right};
        const TRun inside = Inner.Empty() ? TRun{} : InnerRun(Inner, y);
        return {run.Left, run.Right, std::max(inside.Left, run.Left + 1), std::min(inside.Right, run.Right - 1)};
    }
};

}  // namespace

TBox64 RightWayRound(const TBox64& Box)
{
    return {std::min(Box.Left, Box.Right), std::min(Box.Top, Box.Bottom), std::max(Box.Left, Box.Right),
            std::max(Box.Top, Box.Bottom)};
}

void RasterEllipse(const TBox64& Box, int64_t PenWidth, const TRect& Clip, const TRectSink& Fill,
                   const TRectSink& Outline)
{
    const TBox64 box = RightWayRound(Box);
    const TEllipsePair ellipse(box, PenWidth);
    if (ellipse.Shape.Empty() || Clip.IsEmpty())
        return;
    const int64_t firstRow = std::max<int64_t>(box.Top, Clip.Top), lastRow = std::min<int64_t>(box.Bottom, Clip.Bottom);
    for (int64_t y = firstRow; y < lastRow; ++y) {
        const TEllipseSpan span = ellipse.Row(y);
        if (span.Left > span.Right)
            continue;
        if (span.FillLeft > span.FillRight) {
            EmitRow(y, span.Left, span.Right, Clip, Outline);
            continue;
        }
        if (span.FillLeft > span.Left)
            EmitRow(y, span.Left, span.FillLeft - 1, Clip, Outline);
        EmitRow(y, span.FillLeft, span.FillRight, Clip, Fill);
        if (span.FillRight < span.Right)
            EmitRow(y, span.FillRight + 1, span.Right, Clip, Outline);
    }
}

void EllipseSpans(int64_t Width, int64_t Height, int64_t PenWidth, std::vector<TEllipseSpan>& Out)
{
    Out.clear();
    const TEllipsePair ellipse(TBox64{0, 0, Width, Height}, PenWidth);
    if (ellipse.Shape.Empty())
        return;
    Out.reserve(static_cast<size_t>(Height));
    for (int64_t y = 0; y < Height; ++y)
        Out.push_back(ellipse.Row(y));
}

// ---- Polygons ----------------------------------------------------------------------------

void RasterPolygon(std::span<const TPoint64> Points, const TRect& Clip, const TRectSink& Out)
{
    // A polygon of a few points, the usual case, keeps its edges and crossings on the stack.
    constexpr size_t FewPoints = 16;
    std::array<TEdge, FewPoints> fewEdges;
    std::array<int64_t, FewPoints> fewCrossings;
    std::vector<TEdge> manyEdges;
    std::vector<int64_t> manyCrossings;
    if (Points.size() > FewPoints) {
        manyEdges.resize(Points.size());
        manyCrossings.resize(Points.size());
    }
    const std::span<TEdge> edgeStore =
        Points.size() > FewPoints ? std::span<TEdge>(manyEdges) : std::span<TEdge>(fewEdges);
    const std::span<int64_t> crossingStore =
        Points.size() > FewPoints ? std::span<int64_t>(manyCrossings) : std::span<int64_t>(fewCrossings);

    size_t edgeCount = 0;
    int64_t top = INT64_MAX, bottom = INT64_MIN;
    for (size_t i = 0; i < Points.size(); ++i) {
        const TPoint64 a = Points[i], b = Points[(i + 1) % Points.size()];
        if (a.Y == b.Y)
            continue;   // a horizontal edge never crosses a row's centre line
        edgeStore[edgeCount++] = a.Y < b.Y ? TEdge{a, b} : TEdge{b, a};
        top = std::min({top, a.Y, b.Y});
        bottom = std::max({bottom, a.Y, b.Y});
    }
    const std::span<const TEdge> edges = edgeStore.first(edgeCount);
    if (edges.empty())
        return;

    const int64_t firstRow = std::max<int64_t>(top, Clip.Top), lastRow = std::min<int64_t>(bottom, Clip.Bottom);
    for (int64_t y = firstRow; y < lastRow; ++y) {
        // The centre line y + 0.5 of the row meets the edges that start at or above y and end
        // below it; it never passes through a vertex, so every crossing is counted once.
        size_t count = 0;
        for (const TEdge& e : edges)
            if (e.Upper.Y <= y && y < e.Lower.Y)
                crossingStore[count++] = CrossingPixel(e, y);
        const std::span<int64_t> crossings = crossingStore.first(count);
        std::sort(crossings.begin(), crossings.end());
        for (size_t k = 0; k + 1 < crossings.size(); k += 2)
            EmitRow(y, crossings[k], crossings[k + 1] - 1, Clip, Out);
    }
}

// ---- Stretching --------------------------------------------------------------------------

int64_t StretchSourceIndex(int64_t DestIndex, int64_t DestSize, int64_t SourceSize)
{
    // The centre of destination pixel k, (k + 0.5) / DestSize of the way along, falls into
    // source pixel floor((2k + 1) * SourceSize / (2 * DestSize)).
    return FloorDiv(Product(2 * DestIndex + 1, SourceSize), 2 * DestSize);
}
