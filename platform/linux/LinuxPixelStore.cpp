#include "platform/linux/LinuxPixelStore.h"

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

void TLinuxBackBuffer::Replace(cairo_surface_t* NewImage)
{
    if (Image)
        cairo_surface_destroy(Image);
    Image = NewImage;
}

TLinuxPixelStore::TLinuxPixelStore(std::shared_ptr<TLinuxBackBuffer> Buffer) : FBuffer(std::move(Buffer)) {}

// The window shows nothing of a buffer that is gone.
TLinuxPixelStore::~TLinuxPixelStore() { FBuffer->Replace(nullptr); }

TPixel* TLinuxPixelStore::Provide(int32_t Width, int32_t Height)
{
    cairo_surface_t* image = MakeImage(Width, Height);
    if (!image)
        return nullptr;
    FBuffer->Replace(image);
    return reinterpret_cast<TPixel*>(cairo_image_surface_get_data(image));
}

cairo_surface_t* TLinuxPixelStore::MakeImage(int32_t Width, int32_t Height) const
{
    if (FBuffer->Window) {
        cairo_surface_t* image = cairo_surface_create_similar_image(FBuffer->Window, CAIRO_FORMAT_RGB24, Width, Height);
        if (FitsBitmap(image, Width, Height))
            return image;
        cairo_surface_destroy(image);
    }
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
    if (FitsBitmap(image, Width, Height))
        return image;
    cairo_surface_destroy(image);
    return nullptr;
}
