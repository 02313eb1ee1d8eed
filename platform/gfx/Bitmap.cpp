#include "platform/gfx/Bitmap.h"

#include <algorithm>

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
    FWidth = Width;
    FHeight = Height;
    FPixels.assign(static_cast<size_t>(Width) * Height, 0xFFFFFF);
    if (FCanvas)
        FCanvas->Attach(this);
}

TCanvas& TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(*this);
    return *FCanvas;
}
