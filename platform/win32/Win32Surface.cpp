#include "platform/win32/Win32Surface.h"

#include <cstring>

#include "platform/gfx/Bitmap.h"

TWin32Surface::~TWin32Surface() { Release(); }

void TWin32Surface::Release()
{
    if (FDC) {
        SelectObject(FDC, FPreviousBitmap);
        DeleteDC(FDC);
    }
    if (FBitmap)
        DeleteObject(FBitmap);
    FDC = nullptr;
    FBitmap = nullptr;
    FPreviousBitmap = nullptr;
    FBits = nullptr;
    FWidth = FHeight = 0;
    FUnfilled = {};
}

bool TWin32Surface::Resize(int32_t Width, int32_t Height)
{
    Release();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height;   // negative: rows run top-down, as in the program's bitmaps
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FDC = FBitmap ? CreateCompatibleDC(nullptr) : nullptr;
    if (!FBitmap || !FDC || !bits) {
        Release();
        return false;
    }
    FPreviousBitmap = SelectObject(FDC, FBitmap);
    FBits = static_cast<uint32_t*>(bits);
    FWidth = Width;
    FHeight = Height;
    FUnfilled = BoundsRect();
    return true;
}

void TWin32Surface::Store(const TBitmap& Source, const TRect& Area)
{
    if (Source.Empty())
        return;
    if ((Source.Width() != FWidth || Source.Height() != FHeight || !FBitmap) && !Resize(Source.Width(), Source.Height()))
        return;
    const TRect r = Area.Intersected(BoundsRect());
    if (r.IsEmpty())
        return;
    // GDI may still be drawing from the section; it must finish before the rows change.
    GdiFlush();
    const size_t rowBytes = sizeof(uint32_t) * static_cast<size_t>(r.Width());
    for (int32_t y = r.Top; y < r.Bottom; ++y)
        std::memcpy(FBits + static_cast<size_t>(y) * FWidth + r.Left, Source.Scanline(y) + r.Left, rowBytes);
    if (r.Intersected(FUnfilled) == FUnfilled)
        FUnfilled = {};
}

bool TWin32Surface::CopyTo(HDC Target, const TRect& Area) const
{
    if (!FDC)
        return false;
    const TRect r = Area.Intersected(BoundsRect());
    if (!r.IsEmpty())
        BitBlt(Target, r.Left, r.Top, r.Width(), r.Height(), FDC, r.Left, r.Top, SRCCOPY);
    return true;
}
