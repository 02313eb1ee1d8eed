#pragma once
#include <vector>

#include "platform/core/Rect.h"

// A set of pixels kept as rectangles that do not overlap. Used for the areas of a window that
// need painting and for what is left of an area once the parts covered by others are cut out.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& Rect) { Add(Rect); }

    bool IsEmpty() const { return FRects.empty(); }
    const std::vector<TRect>& Rects() const { return FRects; }
    // The smallest rectangle holding every pixel of the region.
    TRect Bounds() const;

    void Add(const TRect& Rect);
    void Subtract(const TRect& Rect);
    void Intersect(const TRect& Rect);
    void Offset(int32_t dx, int32_t dy);
    void Clear() { FRects.clear(); }

private:
    // Past this many pieces the region is kept as its bounding rectangle: painting a few
    // pixels twice costs less than tracking a ragged outline.
    static constexpr size_t MaxRects = 16;
    std::vector<TRect> FRects;
};
