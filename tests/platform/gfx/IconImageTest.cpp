#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gfx/IconImage.h"

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

// An icon file with one 2 x 2 picture of 32 bits: top row opaque red and fully transparent,
// bottom row half-transparent white and opaque blue (stored bottom row first).
std::vector<uint8_t> TwoByTwoIcon()
{
    std::vector<uint8_t> file;
    Put16(file, 0), Put16(file, 1), Put16(file, 1);
    file.insert(file.end(), {2, 2, 0, 0});
    Put16(file, 1), Put16(file, 32), Put32(file, 40 + 16 + 8), Put32(file, 22);
    Put32(file, 40), Put32(file, 2), Put32(file, 4), Put16(file, 1), Put16(file, 32);
    for (int i = 0; i < 6; ++i)
        Put32(file, 0);
    file.insert(file.end(), {255, 255, 255, 128, 255, 0, 0, 255});   // bottom row: white/2, blue
    file.insert(file.end(), {0, 0, 255, 255, 9, 9, 9, 0});           // top row: red, clear
    file.insert(file.end(), 8, 0);                                    // the mask rows
    return file;
}

TEST(IconImage, ReadsThePictureOfTheSizeAskedForOverTheBackground)
{
    const std::vector<uint8_t> file = TwoByTwoIcon();
    TBitmap picture;
    ASSERT_TRUE(DecodeIconImage(file.data(), file.size(), 2, 0x000000, picture));
    EXPECT_EQ(picture.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(picture.Pixel(1, 0), 0x000000u) << "transparent shows the background";
    EXPECT_EQ(picture.Pixel(0, 1), 0x808080u) << "half transparent white over black";
    EXPECT_EQ(picture.Pixel(1, 1), 0x0000FFu);
}

TEST(IconImage, RefusesMissingSizesAndDamagedFiles)
{
    const std::vector<uint8_t> good = TwoByTwoIcon();
    std::vector<uint8_t> manyEntries = good;
    manyEntries[4] = 0xFF, manyEntries[5] = 0xFF;
    std::vector<uint8_t> farOffset = good;
    farOffset[18] = 0xFF, farOffset[19] = 0xFF, farOffset[20] = 0xFF;
    const struct { const char* name; std::vector<uint8_t> bytes; int32_t side; } cases[] = {
        {"no picture of that size", good, 48},
        {"empty", {}, 2},
        {"cut in the directory", {good.begin(), good.begin() + 10}, 2},
        {"cut in the pixels", {good.begin(), good.end() - 12}, 2},
        {"more entries than bytes", manyEntries, 2},
        {"picture beyond the end", farOffset, 2},
        {"not an icon", {'G', 'I', 'F', '8', '9', 'a', 0, 0}, 2},
    };
    for (const auto& c : cases) {
        TBitmap picture(1, 1);
        EXPECT_FALSE(DecodeIconImage(c.bytes.data(), c.bytes.size(), c.side, 0, picture)) << c.name;
        EXPECT_EQ(picture.Width(), 1) << c.name << ": the bitmap is left as it was";
    }
}

}  // namespace
