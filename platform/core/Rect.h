#pragma once
#include <algorithm>
#include <cstdint>
#include <ostream>

// A point in pixels.
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}
    constexpr TPoint Translated(int32_t dx, int32_t dy) const { return {X + dx, Y + dy}; }
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle in pixels. Right and Bottom are exclusive, so (0, 0, 4, 4) covers 16 pixels.
// A rectangle whose Right is not above Left (or Bottom not below Top) covers no pixel.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int32_t l, int32_t t, int32_t r, int32_t b) : Left(l), Top(t), Right(r), Bottom(b) {}
    static constexpr TRect FromSize(int32_t l, int32_t t, int32_t w, int32_t h) { return {l, t, l + w, t + h}; }

    constexpr int32_t Width() const { return Right - Left; }
    constexpr int32_t Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr bool Contains(int32_t x, int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    constexpr bool Contains(TPoint p) const { return Contains(p.X, p.Y); }

    constexpr TRect Translated(int32_t dx, int32_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    constexpr TRect Shrunk(int32_t by) const { return {Left + by, Top + by, Right - by, Bottom - by}; }

    // The common part of two rectangles; empty (all zero) when they do not overlap.
    constexpr TRect Intersected(const TRect& o) const
    {
        TRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right), std::min(Bottom, o.Bottom)};
        return r.IsEmpty() ? TRect{} : r;
    }
    constexpr bool Intersects(const TRect& o) const { return !Intersected(o).IsEmpty(); }

    // The smallest rectangle holding both; an empty rectangle adds nothing.
    constexpr TRect United(const TRect& o) const
    {
        if (IsEmpty())
            return o;
        if (o.IsEmpty())
            return *this;
        return {std::min(Left, o.Left), std::min(Top, o.Top), std::max(Right, o.Right), std::max(Bottom, o.Bottom)};
    }

    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr int32_t WidthOf(const TRect& r) { return r.Right - r.Left; }
constexpr int32_t HeightOf(const TRect& r) { return r.Bottom - r.Top; }

std::ostream& operator<<(std::ostream& os, const TPoint& p);
std::ostream& operator<<(std::ostream& os, const TRect& r);
