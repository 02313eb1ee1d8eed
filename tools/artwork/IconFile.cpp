#include "tools/artwork/IconFile.h"

#include <cstdint>
#include <fstream>

namespace {

void Put16(std::vector<uint8_t>& Out, uint32_t Value)
{
    Out.push_back(Value & 0xFF);
    Out.push_back((Value >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& Out, uint32_t Value)
{
    Put16(Out, Value & 0xFFFF);
    Put16(Out, Value >> 16);
}

// One icon image: a bitmap header whose height counts the colour rows and the mask rows, the
// colour rows bottom-up as blue, green, red, alpha, then the one-bit mask rows, each padded to
// four bytes. The mask repeats the transparency for readers that ignore alpha.
std::vector<uint8_t> IconImage(const TBitmap& Picture, TPixel Transparent)
{
    const int32_t w = Picture.Width(), h = Picture.Height();
    const int32_t maskStride = ((w + 31) / 32) * 4;
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(w));
    Put32(out, static_cast<uint32_t>(h * 2));
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    for (int32_t y = h - 1; y >= 0; --y)
        for (int32_t x = 0; x < w; ++x) {
            const TPixel p = Picture.Pixel(x, y);
            const bool clear = p == Transparent;
            out.push_back(clear ? 0 : p & 0xFF);
            out.push_back(clear ? 0 : (p >> 8) & 0xFF);
            out.push_back(clear ? 0 : (p >> 16) & 0xFF);
            out.push_back(clear ? 0 : 0xFF);
        }
    for (int32_t y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskStride), 0);
        for (int32_t x = 0; x < w; ++x)
            if (Picture.Pixel(x, y) == Transparent)
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

bool WriteIcon(const std::string& Path, const std::vector<const TBitmap*>& Pictures, TPixel Transparent)
{
    std::vector<uint8_t> header, images;
    Put16(header, 0);
    Put16(header, 1);
    Put16(header, static_cast<uint32_t>(Pictures.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(Pictures.size());
    for (const TBitmap* p : Pictures) {
        const std::vector<uint8_t> image = IconImage(*p, Transparent);
        header.push_back(static_cast<uint8_t>(p->Width() >= 256 ? 0 : p->Width()));
        header.push_back(static_cast<uint8_t>(p->Height() >= 256 ? 0 : p->Height()));
        header.push_back(0);
        header.push_back(0);
        Put16(header, 1);
        Put16(header, 32);
        Put32(header, static_cast<uint32_t>(image.size()));
        Put32(header, offset);
        offset += static_cast<uint32_t>(image.size());
        images.insert(images.end(), image.begin(), image.end());
    }
    std::ofstream file(Path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    file.write(reinterpret_cast<const char*>(images.data()), static_cast<std::streamsize>(images.size()));
    return static_cast<bool>(file);
}
