#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/core/Rect.h"

class TBitmap;

// The pixels a window last showed, kept in a device-independent section so that the window can
// show them again whenever the system asks it to repaint, without the program drawing anything.
// The section has the layout of the program's bitmaps (32 bits, top-down, no padding), so
// storing an area is a copy of rows.
class TWin32Surface {
public:
    TWin32Surface() = default;
    ~TWin32Surface();
    TWin32Surface(const TWin32Surface&) = delete;
    TWin32Surface& operator=(const TWin32Surface&) = delete;

    // Copies Area of Source into the kept pixels, making the section Source's size first when
    // it has another. When the system cannot give a section of that size nothing is kept.
    void Store(const TBitmap& Source, const TRect& Area);
    // Copies Area of the kept pixels to Target at the same place; false when nothing is kept.
    bool CopyTo(HDC Target, const TRect& Area) const;

    bool Empty() const { return FBitmap == nullptr; }
    TRect BoundsRect() const { return {0, 0, FWidth, FHeight}; }
    // The part of the section that no Store has filled since it was made, as one rectangle
    // that holds all of it.
    TRect Unfilled() const { return FUnfilled; }

private:
    bool Resize(int32_t Width, int32_t Height);
    void Release();

    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FPreviousBitmap = nullptr;
    uint32_t* FBits = nullptr;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    TRect FUnfilled;
};
