#include "platform/linux/LinuxPixelStore.h"

#include <cairo-xlib.h>

#include "platform/linux/LinuxSharedImage.h"

namespace {

// An image whose rows are the bitmap's rows: 32 bits a pixel, no padding.
bool FitsBitmap(cairo_surface_t* Image, int32_t Width, int32_t Height)
{
    return cairo_surface_status(Image) == CAIRO_STATUS_SUCCESS && cairo_image_surface_get_data(Image) &&
           cairo_image_surface_get_width(Image) == Width && cairo_image_surface_get_height(Image) == Height &&
           cairo_image_surface_get_stride(Image) == Width * static_cast<int>(sizeof(TPixel));
}

}  // namespace

TLinuxBackBuffer::~TLinuxBackBuffer() { Replace(nullptr); }

void TLinuxBackBuffer::Replace(cairo_surface_t* NewImage, std::unique_ptr<TLinuxSharedImage> NewShared)
{
    if (Image)
        cairo_surface_destroy(Image);
    Image = NewImage;
    Shared = std::move(NewShared);
}

TLinuxPixelStore::TLinuxPixelStore(std::shared_ptr<TLinuxBackBuffer> Buffer) : FBuffer(std::move(Buffer)) {}

// The window shows nothing of a buffer that is gone.
TLinuxPixelStore::~TLinuxPixelStore() { FBuffer->Replace(nullptr); }

TPixel* TLinuxPixelStore::Provide(int32_t Width, int32_t Height)
{
    std::unique_ptr<TLinuxSharedImage> shared = MakeShared(Width, Height);
    cairo_surface_t* image = shared ? ImageOver(shared->Data(), Width, Height)
                                    : cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
    if (!FitsBitmap(image, Width, Height)) {
        cairo_surface_destroy(image);
        return nullptr;
    }
    FBuffer->Replace(image, std::move(shared));
    return reinterpret_cast<TPixel*>(cairo_image_surface_get_data(image));
}

cairo_surface_t* TLinuxPixelStore::ImageOver(unsigned char* Pixels, int32_t Width, int32_t Height)
{
    return cairo_image_surface_create_for_data(Pixels, CAIRO_FORMAT_RGB24, Width, Height,
                                               Width * static_cast<int>(sizeof(TPixel)));
}

std::unique_ptr<TLinuxSharedImage> TLinuxPixelStore::MakeShared(int32_t Width, int32_t Height) const
{
    cairo_surface_t* window = FBuffer->Window;
    if (!window)
        return nullptr;
    return TLinuxSharedImage::Make(cairo_xlib_surface_get_display(window), cairo_xlib_surface_get_visual(window),
                                   cairo_xlib_surface_get_depth(window), Width, Height);
}
