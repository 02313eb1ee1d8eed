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

// The new section is made before the old one goes, so a refusal keeps what was there.
bool TWin32Surface::Resize(int32_t Width, int32_t Height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height;   // negative: rows run top-down, as in the program's bitmaps
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = bitmap ? CreateCompatibleDC(nullptr) : nullptr;
    if (!bitmap || !dc || !bits) {
        if (dc)
            DeleteDC(dc);
        if (bitmap)
            DeleteObject(bitmap);
        return false;
    }
    Release();
    FBitmap = bitmap;
    FDC = dc;
    FPreviousBitmap = SelectObject(FDC, FBitmap);
    FBits = static_cast<uint32_t*>(bits);
    FWidth = Width;
    FHeight = Height;
    FUnfilled = BoundsRect();
    return true;
}

uint32_t* TWin32Surface::Provide(int32_t Width, int32_t Height)
{
    // GDI may still be drawing from the section that goes.
    GdiFlush();
    return Resize(Width, Height) ? FBits : nullptr;
}

bool TWin32Surface::Holds(const TBitmap& Bitmap) const
{
    return FBits && !Bitmap.Empty() && Bitmap.Scanline(0) == FBits && Bitmap.Width() == FWidth &&
           Bitmap.Height() == FHeight;
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
    MarkFilled(r);
}

void TWin32Surface::MarkFilled(const TRect& Area)
{
    const TRect r = Area.Intersected(BoundsRect());
    if (!r.IsEmpty() && r.Intersected(FUnfilled) == FUnfilled)
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
