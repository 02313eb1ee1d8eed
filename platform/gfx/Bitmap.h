#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "platform/gfx/IPixelStore.h"

class TCanvas;

// An owned off-screen picture: 32-bit pixels (0x00RRGGBB), top-down, one row after the other
// with no padding. A bitmap starts empty (no size); a freshly sized one is white.
class TBitmap {
public:
    TBitmap();
    TBitmap(int32_t Width, int32_t Height);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    bool Empty() const { return FWidth <= 0 || FHeight <= 0; }
    TRect BoundsRect() const { return {0, 0, FWidth, FHeight}; }

    // Setting the size it already has keeps the pixels; any other size gives a white picture.
    // Negative sizes count as 0. A size whose pixels cannot be held raises Exception and leaves
    // the bitmap as it was.
    void SetSize(int32_t Width, int32_t Height);
    void SetWidth(int32_t Width) { SetSize(Width, FHeight); }
    void SetHeight(int32_t Height) { SetSize(FWidth, Height); }

    TPixel* Scanline(int32_t y) { return FData + static_cast<size_t>(y) * FWidth; }
    const TPixel* Scanline(int32_t y) const { return FData + static_cast<size_t>(y) * FWidth; }
    TPixel Pixel(int32_t x, int32_t y) const { return Scanline(y)[x]; }
    void SetPixel(int32_t x, int32_t y, TPixel p) { Scanline(y)[x] = p; }

    // The drawing surface of this bitmap; it lives as long as the bitmap.
    TCanvas& Canvas();

    // Keeps the pixels in Store from now on, with the size and pixels the bitmap has, and says
    // whether the store took them. A store that cannot hold them is forgotten, and the bitmap
    // keeps its pixels in memory of its own, as it also does after nullptr.
    bool SetPixelStore(std::unique_ptr<IPixelStore> Store);
    bool HasPixelStore() const { return FStore != nullptr; }

private:
    void Adopt(int32_t Width, int32_t Height, TPixel* Data);

    int32_t FWidth = 0;
    int32_t FHeight = 0;
    std::vector<TPixel> FPixels;   // the pixels, unless a store holds them
    std::unique_ptr<IPixelStore> FStore;
    TPixel* FData = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
};

// The rectangle (0, 0, width, height) of a bitmap.
inline TRect BitmapRect(const TBitmap& Bitmap) { return {0, 0, Bitmap.Width(), Bitmap.Height()}; }
