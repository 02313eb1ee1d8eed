#include "framework/Region.h"

namespace {

// The parts of a that lie outside b, as at most four rectangles (above, below, left, right).
void AppendDifference(const TRect& a, const TRect& b, std::vector<TRect>& out)
{
    const TRect common = a.Intersected(b);
    if (common.IsEmpty()) {
        out.push_back(a);
        return;
    }
    const TRect pieces[] = {
        {a.Left, a.Top, a.Right, common.Top},
        {a.Left, common.Bottom, a.Right, a.Bottom},
        {a.Left, common.Top, common.Left, common.Bottom},
        {common.Right, common.Top, a.Right, common.Bottom},
    };
    for (const TRect& p : pieces)
        if (!p.IsEmpty())
            out.push_back(p);
}

}  // namespace

TRect TRegion::Bounds() const
{
    TRect r;
    for (const TRect& p : FRects)
        r = r.United(p);
    return r;
}

void TRegion::Add(const TRect& Rect)
{
    if (Rect.IsEmpty())
        return;
    // Only the part not yet in the region is added, so the pieces never overlap.
    std::vector<TRect> fresh{Rect};
    for (const TRect& have : FRects) {
        std::vector<TRect> rest;
        for (const TRect& f : fresh)
            AppendDifference(f, have, rest);
        fresh.swap(rest);
        if (fresh.empty())
            return;
    }
    FRects.insert(FRects.end(), fresh.begin(), fresh.end());
    if (FRects.size() > MaxRects) {
        const TRect all = Bounds();
        FRects.assign(1, all);
    }
}

void TRegion::Subtract(const TRect& Rect)
{
    if (Rect.IsEmpty() || FRects.empty())
        return;
    std::vector<TRect> rest;
    for (const TRect& p : FRects)
        AppendDifference(p, Rect, rest);
    FRects.swap(rest);
}

void TRegion::Intersect(const TRect& Rect)
{
    std::vector<TRect> kept;
    for (const TRect& p : FRects) {
        const TRect common = p.Intersected(Rect);
        if (!common.IsEmpty())
            kept.push_back(common);
    }
    FRects.swap(kept);
}

void TRegion::Offset(int32_t dx, int32_t dy)
{
    for (TRect& p : FRects)
        p = p.Translated(dx, dy);
}
