#pragma once
#include <cstdint>
#include <memory>

#include <cairo.h>

#include "platform/gfx/IPixelStore.h"

// The back buffer of a native window, as the window and the store its pixels live in share
// it. Image is the buffer itself, an image surface that lies in memory shared with a local X
// server where it can, so the window shows it without copying it. Window is the window's own
// surface while the window has one, to make images like it; the window sets and clears it.
struct TLinuxBackBuffer {
    cairo_surface_t* Image = nullptr;
    cairo_surface_t* Window = nullptr;

    TLinuxBackBuffer() = default;
    ~TLinuxBackBuffer();
    TLinuxBackBuffer(const TLinuxBackBuffer&) = delete;
    TLinuxBackBuffer& operator=(const TLinuxBackBuffer&) = delete;
    // Makes Image the given surface (or none), releasing the one before.
    void Replace(cairo_surface_t* NewImage);
};

// The memory of a window's back buffer: an image like the window's surface, in shared memory
// where the X server offers it, else an ordinary image. It may outlive its window, and then
// gives out ordinary images.
class TLinuxPixelStore : public IPixelStore {
public:
    explicit TLinuxPixelStore(std::shared_ptr<TLinuxBackBuffer> Buffer);
    ~TLinuxPixelStore() override;
    TLinuxPixelStore(const TLinuxPixelStore&) = delete;
    TLinuxPixelStore& operator=(const TLinuxPixelStore&) = delete;

    TPixel* Provide(int32_t Width, int32_t Height) override;

private:
    cairo_surface_t* MakeImage(int32_t Width, int32_t Height) const;

    std::shared_ptr<TLinuxBackBuffer> FBuffer;
};
