#pragma once
#include <cstdint>
#include <memory>

#include <cairo.h>

#include "platform/gfx/IPixelStore.h"

class TLinuxSharedImage;

// The back buffer of a native window, as the window and the store its pixels live in share
// it. Image is the buffer itself, an image surface whose pixels lie in memory shared with a
// local X server where it can (then Shared holds that memory), so the window shows them
// without copying them. Window is the window's own surface while the window has one, to make
// images for it; the window sets and clears it.
struct TLinuxBackBuffer {
    cairo_surface_t* Image = nullptr;
    std::unique_ptr<TLinuxSharedImage> Shared;
    cairo_surface_t* Window = nullptr;

    TLinuxBackBuffer() = default;
    ~TLinuxBackBuffer();
    TLinuxBackBuffer(const TLinuxBackBuffer&) = delete;
    TLinuxBackBuffer& operator=(const TLinuxBackBuffer&) = delete;
    // Makes Image the given surface (or none) over the given shared memory (or none),
    // releasing the ones before.
    void Replace(cairo_surface_t* NewImage, std::unique_ptr<TLinuxSharedImage> NewShared = nullptr);
};

// The memory of a window's back buffer: an image in memory shared with the X server where the
// server offers it, else an ordinary image. It may outlive its window, and then
// gives out ordinary images.
class TLinuxPixelStore : public IPixelStore {
public:
    explicit TLinuxPixelStore(std::shared_ptr<TLinuxBackBuffer> Buffer);
    ~TLinuxPixelStore() override;
    TLinuxPixelStore(const TLinuxPixelStore&) = delete;
    TLinuxPixelStore& operator=(const TLinuxPixelStore&) = delete;

    TPixel* Provide(int32_t Width, int32_t Height) override;

private:
    static cairo_surface_t* ImageOver(unsigned char* Pixels, int32_t Width, int32_t Height);
    std::unique_ptr<TLinuxSharedImage> MakeShared(int32_t Width, int32_t Height) const;

    std::shared_ptr<TLinuxBackBuffer> FBuffer;
};
