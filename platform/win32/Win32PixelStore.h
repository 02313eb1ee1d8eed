#pragma once
#include <cstdint>
#include <memory>

#include "platform/gfx/IPixelStore.h"

class TWin32Surface;

// The memory of a window's back buffer: a device-independent section that the window shows
// with one block transfer, without copying the buffer into a section of its own first. The
// window holds the same surface, so the memory stays valid for as long as either needs it.
class TWin32PixelStore : public IPixelStore {
public:
    explicit TWin32PixelStore(std::shared_ptr<TWin32Surface> Surface);

    TPixel* Provide(int32_t Width, int32_t Height) override;

private:
    std::shared_ptr<TWin32Surface> FSurface;
};
