#include "tools/png/JpegFile.h"

#include <vector>

#include <stb_image_write.h>

bool WriteJpeg(const std::string& Path, const TBitmap& Picture, int Quality)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(Picture.Width()) * Picture.Height() * 3);
    size_t i = 0;
    for (int32_t y = 0; y < Picture.Height(); ++y)
        for (int32_t x = 0; x < Picture.Width(); ++x) {
            const TPixel p = Picture.Pixel(x, y);
            rgb[i++] = (p >> 16) & 0xFF;
            rgb[i++] = (p >> 8) & 0xFF;
            rgb[i++] = p & 0xFF;
        }
    return stbi_write_jpg(Path.c_str(), Picture.Width(), Picture.Height(), 3, rgb.data(), Quality) != 0;
}
