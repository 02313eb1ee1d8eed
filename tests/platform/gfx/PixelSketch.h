#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/Bitmap.h"

// A bitmap as text, one character per pixel and one line per row (each line ends in '\n'),
// so that small pictures can be compared and printed readably. Colours missing from the legend
// show as '?'.
inline std::string Sketch(const TBitmap& Picture, const std::vector<std::pair<TPixel, char>>& Legend)
{
    std::string text;
    for (int32_t y = 0; y < Picture.Height(); ++y) {
        for (int32_t x = 0; x < Picture.Width(); ++x) {
            char c = '?';
            for (const auto& [pixel, symbol] : Legend)
                if (Picture.Pixel(x, y) == pixel)
                    c = symbol;
            text += c;
        }
        text += '\n';
    }
    return text;
}

// A bitmap of the given size filled with one pixel value.
inline void Clear(TBitmap& Picture, TPixel Value)
{
    for (int32_t y = 0; y < Picture.Height(); ++y)
        for (int32_t x = 0; x < Picture.Width(); ++x)
            Picture.SetPixel(x, y, Value);
}
