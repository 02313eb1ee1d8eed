#include "platform/gfx/Bitmap.h"

#include <algorithm>
#include <limits>
#include <new>

#include "platform/core/Exception.h"
#include "platform/gfx/Canvas.h"

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int32_t Width, int32_t Height) { SetSize(Width, Height); }

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int32_t Width, int32_t Height)
{
    Width = std::max(Width, 0);
    Height = std::max(Height, 0);
    if (Width == FWidth && Height == FHeight)
        return;
    // The pixel count is formed in 64 bits: on a 32-bit target the product can pass the range
    // of size_t and would otherwise wrap into a small buffer that every later write overruns.
    const uint64_t count = uint64_t(Width) * uint64_t(Height);
    const auto refuse = [&] {
        return Exception::Fmt("Cannot create a bitmap of %d x %d pixels",
                              {std::to_string(Width), std::to_string(Height)});
    };
    if (count > std::numeric_limits<size_t>::max() / sizeof(TPixel) || count > FPixels.max_size())
        throw refuse();
    std::vector<TPixel> pixels;
    try {
        pixels.assign(static_cast<size_t>(count), 0xFFFFFF);
    } catch (const std::bad_alloc&) {
        throw refuse();
    }
    FPixels.swap(pixels);
    FWidth = Width;
    FHeight = Height;
    if (FCanvas)
        FCanvas->Attach(this);
}

TCanvas& TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(*this);
    return *FCanvas;
}
