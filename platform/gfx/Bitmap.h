#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/Color.h"
#include "platform/core/Rect.h"

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

    TPixel* Scanline(int32_t y) { return FPixels.data() + static_cast<size_t>(y) * FWidth; }
    const TPixel* Scanline(int32_t y) const { return FPixels.data() + static_cast<size_t>(y) * FWidth; }
    TPixel Pixel(int32_t x, int32_t y) const { return Scanline(y)[x]; }
    void SetPixel(int32_t x, int32_t y, TPixel p) { Scanline(y)[x] = p; }

    // The drawing surface of this bitmap; it lives as long as the bitmap.
    TCanvas& Canvas();

private:
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    std::vector<TPixel> FPixels;
    std::unique_ptr<TCanvas> FCanvas;
};

// The rectangle (0, 0, width, height) of a bitmap.
inline TRect BitmapRect(const TBitmap& Bitmap) { return {0, 0, Bitmap.Width(), Bitmap.Height()}; }
