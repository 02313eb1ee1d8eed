#pragma once
#include <cstdint>
#include <memory>

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include "platform/core/Rect.h"

// Pixels in memory shared with the X server, 32 bits a pixel in rows without padding, which
// the server copies onto a window without their travelling through the connection. Only a
// server on the same machine that offers the shared-memory extension can have them.
class TLinuxSharedImage {
public:
    // An image for windows of Visual and Depth; nothing when the server cannot share memory
    // with this process, the window's pixels are of another format, or the memory cannot be had.
    static std::unique_ptr<TLinuxSharedImage> Make(Display* Display, Visual* Visual, int Depth, int32_t Width,
                                                   int32_t Height);
    ~TLinuxSharedImage();
    TLinuxSharedImage(const TLinuxSharedImage&) = delete;
    TLinuxSharedImage& operator=(const TLinuxSharedImage&) = delete;

    unsigned char* Data() const { return reinterpret_cast<unsigned char*>(FImage->data); }
    int32_t Width() const { return FImage->width; }
    int32_t Height() const { return FImage->height; }

    // Copies Area onto the same place of Window and returns once the server has read it, so
    // the pixels may change right away.
    void Put(Drawable Window, GC Context, const TRect& Area) const;

private:
    explicit TLinuxSharedImage(Display* Display);
    bool Create(Visual* Visual, int32_t Width, int32_t Height);

    Display* FDisplay;
    XImage* FImage = nullptr;
    XShmSegmentInfo FSegment{};
    bool FAttached = false;
};
