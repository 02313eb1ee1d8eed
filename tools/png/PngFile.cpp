#include "tools/png/PngFile.h"

#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>
#include <stb_image_write.h>

bool ReadPng(const std::string& Path, TBitmap& Into)
{
    int w = 0, h = 0, channels = 0;
    unsigned char* data = stbi_load(Path.c_str(), &w, &h, &channels, 3);
    if (!data)
        return false;
    Into.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = data + (static_cast<size_t>(y) * w + x) * 3;
            Into.SetPixel(x, y, (TPixel(p[0]) << 16) | (TPixel(p[1]) << 8) | p[2]);
        }
    stbi_image_free(data);
    return true;
}

bool WritePng(const std::string& Path, const TBitmap& Picture)
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
    return stbi_write_png(Path.c_str(), Picture.Width(), Picture.Height(), 3, rgb.data(), Picture.Width() * 3) != 0;
}
