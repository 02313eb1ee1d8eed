#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/core/Rect.h"

class TBitmap;

// The pixels a window last showed, kept in a device-independent section so that the window can
// show them again whenever the system asks it to repaint, without the program drawing anything.
// The section has the layout of the program's bitmaps (32 bits, top-down, no padding), so
// storing an area is a copy of rows. A surface can also be the memory of the program's back
// buffer itself (see TWin32PixelStore), which the window then shows as it is.
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
    // A section of Width x Height pixels (both above 0) whose memory a bitmap can keep its
    // pixels in; nullptr when the system cannot give one, and the section before is kept.
    uint32_t* Provide(int32_t Width, int32_t Height);
    // Whether Bitmap keeps its pixels in this section.
    bool Holds(const TBitmap& Bitmap) const;
    // Counts Area as shown from the section, as Store does for what it copies.
    void MarkFilled(const TRect& Area);

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
