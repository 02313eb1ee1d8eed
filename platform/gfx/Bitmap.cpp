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
    if (FStore && count == 0) {
        Adopt(Width, Height, nullptr);   // the store keeps its memory for a later size
        return;
    }
    if (FStore) {
        if (TPixel* data = FStore->Provide(Width, Height)) {
            std::fill_n(data, static_cast<size_t>(count), TPixel(0xFFFFFF));
            Adopt(Width, Height, data);
            return;
        }
    }
    std::vector<TPixel> pixels;
    try {
        pixels.assign(static_cast<size_t>(count), 0xFFFFFF);
    } catch (const std::bad_alloc&) {
        throw refuse();
    }
    // A store that cannot hold this size is given up: the bitmap holds its pixels itself, and
    // the memory the store gave out before is no longer needed.
    FPixels.swap(pixels);
    FStore.reset();
    Adopt(Width, Height, FPixels.data());
}

bool TBitmap::SetPixelStore(std::unique_ptr<IPixelStore> Store)
{
    const size_t count = static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight);
    TPixel* stored = nullptr;
    if (Store && count > 0) {
        stored = Store->Provide(FWidth, FHeight);
        if (stored)
            std::copy_n(FData, count, stored);
        else
            Store.reset();
    }
    if (Store) {
        std::vector<TPixel>().swap(FPixels);
        FStore = std::move(Store);
        Adopt(FWidth, FHeight, stored);
        return true;
    }
    if (FStore) {
        // Back to memory of its own, with the pixels the store held.
        std::vector<TPixel> pixels(FData, FData + count);
        FPixels.swap(pixels);
        FStore.reset();
        Adopt(FWidth, FHeight, FPixels.data());
    }
    return false;
}

void TBitmap::Adopt(int32_t Width, int32_t Height, TPixel* Data)
{
    FWidth = Width;
    FHeight = Height;
    FData = Data;
    if (FCanvas)
        FCanvas->Attach(this);
}

TCanvas& TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(*this);
    return *FCanvas;
}
