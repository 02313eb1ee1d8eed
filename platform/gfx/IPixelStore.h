#pragma once
#include <cstdint>

#include "platform/core/Color.h"

// Memory for the pixels of a bitmap that are kept somewhere other than the bitmap's own heap
// block. A backend hands one out for a window's back buffer when it can keep that buffer in
// memory the display reads directly, so that showing the buffer copies no pixels.
class IPixelStore {
public:
    virtual ~IPixelStore() = default;

    // Memory for Width x Height pixels (both above 0), rows top-down and without padding,
    // which stays valid until the next call that gives out memory, or the end of the store.
    // nullptr when no memory of that size can be had; the memory given out before then stays
    // valid, with its pixels as they were, and the bitmap holds that size in memory of its own.
    virtual TPixel* Provide(int32_t Width, int32_t Height) = 0;
};
