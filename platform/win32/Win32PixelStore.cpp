#include "platform/win32/Win32PixelStore.h"

#include "platform/win32/Win32Surface.h"

TWin32PixelStore::TWin32PixelStore(std::shared_ptr<TWin32Surface> Surface) : FSurface(std::move(Surface)) {}

TPixel* TWin32PixelStore::Provide(int32_t Width, int32_t Height) { return FSurface->Provide(Width, Height); }
