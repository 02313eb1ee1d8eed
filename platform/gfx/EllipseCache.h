#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "platform/gfx/Raster.h"

// The row spans of the last few ellipse shapes a canvas drew. Pictures made of many dots of one
// size (a clock face, a dot-matrix digit) draw the same shape again and again at other places,
// and a shape depends only on its box's size and the pen, so its rows are worked out once and
// then only moved. Boxes taller or wider than MaxSide are not kept: their rows would take more
// memory than working them out costs time, and a canvas draws the rows of such a box inside its
// clip only.
class TEllipseCache {
public:
    static constexpr int64_t MaxSide = 1024;

    // Whether a box of this size is kept.
    static bool Keeps(int64_t Width, int64_t Height)
    {
        return Width > 0 && Height > 0 && Width <= MaxSide && Height <= MaxSide;
    }

    // The spans of a box of Width x Height drawn with PenWidth (0 for no pen), one per row from
    // the top; only for sizes that Keeps accepts. The reference holds until the next call.
    const std::vector<TEllipseSpan>& Spans(int64_t Width, int64_t Height, int64_t PenWidth);

private:
    struct TEntry {
        int64_t Width = 0;
        int64_t Height = 0;
        int64_t PenWidth = 0;
        std::vector<TEllipseSpan> Rows;
    };
    static constexpr size_t EntryCount = 4;

    std::array<TEntry, EntryCount> FEntries;
    size_t FNextToReplace = 0;
};
