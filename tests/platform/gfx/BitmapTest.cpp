#include <climits>

#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"

TEST(Bitmap, StartsEmptyAndIsWhiteWhenSized)
{
    TBitmap picture;
    EXPECT_TRUE(picture.Empty());
    picture.SetSize(3, 2);
    EXPECT_FALSE(picture.Empty());
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(picture.Pixel(x, y), 0xFFFFFFu) << "(" << x << "," << y << ")";
}

TEST(Bitmap, SameSizeKeepsThePixelsAndAnyOtherSizeWhitensThem)
{
    const struct { const char* name; int32_t w, h; bool kept; } cases[] = {
        {"same size", 3, 2, true}, {"wider", 4, 2, false}, {"same pixel count", 2, 3, false},
    };
    for (const auto& c : cases) {
        TBitmap picture(3, 2);
        picture.SetPixel(1, 1, 0x123456);
        picture.SetSize(c.w, c.h);
        EXPECT_EQ(picture.Pixel(1, 1), c.kept ? 0x123456u : 0xFFFFFFu) << c.name;
    }
}

TEST(Bitmap, NegativeSizesCountAsZero)
{
    TBitmap picture(-5, 4);
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 4);
    EXPECT_EQ(BitmapRect(picture), TRect(0, 0, 0, 4));
}

// A pixel count past the address space must not wrap into a small buffer (which it would on the
// 32-bit target), and a failed resize keeps the old picture.
TEST(Bitmap, SizeTooLargeToHoldIsRefusedAndKeepsThePicture)
{
    TBitmap picture(2, 2);
    picture.SetPixel(0, 0, 0x123456);
    try {
        picture.SetSize(INT32_MAX, INT32_MAX);
        FAIL() << "a bitmap of 2147483647 x 2147483647 pixels was accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot create a bitmap of 2147483647 x 2147483647 pixels");
    }
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(picture.Pixel(0, 0), 0x123456u);
}
