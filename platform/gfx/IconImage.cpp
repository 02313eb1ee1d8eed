#include "platform/gfx/IconImage.h"

#include <vector>

namespace {

uint32_t Read16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Read32(const uint8_t* p) { return Read16(p) | Read16(p + 2) << 16; }

uint32_t Blend(uint32_t Over, uint32_t Under, uint32_t Alpha)
{
    return (Over * Alpha + Under * (255 - Alpha) + 127) / 255;
}

// The picture of one directory entry: a bitmap header, then Side rows of blue, green, red and
// alpha, bottom row first.
bool DecodeImage(const uint8_t* Image, size_t Size, int32_t Side, TPixel Background, TBitmap& Into)
{
    if (Size < 40 || Read32(Image) < 40 || int32_t(Read32(Image + 4)) != Side || Read16(Image + 14) != 32)
        return false;
    const size_t header = Read32(Image);
    const size_t rows = size_t(Side) * Side * 4;
    if (header > Size || rows > Size - header)
        return false;
    std::vector<TPixel> pixels(size_t(Side) * Side);
    for (int32_t y = 0; y < Side; ++y)
        for (int32_t x = 0; x < Side; ++x) {
            const uint8_t* p = Image + header + (size_t(Side - 1 - y) * Side + x) * 4;
            const uint32_t a = p[3];
            pixels[size_t(y) * Side + x] = Blend(p[2], (Background >> 16) & 0xFF, a) << 16 |
                                           Blend(p[1], (Background >> 8) & 0xFF, a) << 8 |
                                           Blend(p[0], Background & 0xFF, a);
        }
    Into.SetSize(Side, Side);
    for (int32_t y = 0; y < Side; ++y)
        for (int32_t x = 0; x < Side; ++x)
            Into.SetPixel(x, y, pixels[size_t(y) * Side + x]);
    return true;
}

}  // namespace

bool DecodeIconImage(const uint8_t* Data, size_t Size, int32_t Side, TPixel Background, TBitmap& Into)
{
    if (!Data || Size < 6 || Read16(Data) != 0 || Read16(Data + 2) != 1 || Side <= 0 || Side > 256)
        return false;
    const size_t count = Read16(Data + 4);
    if (count * 16 > Size - 6)
        return false;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = Data + 6 + 16 * i;
        const int32_t width = entry[0] ? entry[0] : 256;
        const size_t bytes = Read32(entry + 8), offset = Read32(entry + 12);
        if (width != Side || offset > Size || bytes > Size - offset)
            continue;
        if (DecodeImage(Data + offset, bytes, Side, Background, Into))
            return true;
    }
    return false;
}
