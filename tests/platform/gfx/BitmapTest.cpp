#include <climits>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

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

namespace {

// Memory handed out from vectors of its own, which records what it was asked for and refuses
// sizes of more than Limit pixels.
class TFakePixelStore : public IPixelStore {
public:
    explicit TFakePixelStore(std::vector<std::pair<int32_t, int32_t>>& Asked, size_t Limit = SIZE_MAX) : FAsked(Asked), FLimit(Limit) {}
    TPixel* Provide(int32_t Width, int32_t Height) override
    {
        FAsked.push_back({Width, Height});
        const size_t count = size_t(Width) * size_t(Height);
        if (count > FLimit)
            return nullptr;
        FMemory.emplace_back(count, 0xABCDEF);
        return FMemory.back().data();
    }
    bool Holds(const TBitmap& Bitmap) const { return !FMemory.empty() && FMemory.back().data() == Bitmap.Scanline(0); }

private:
    std::vector<std::pair<int32_t, int32_t>>& FAsked;
    size_t FLimit;
    std::vector<std::vector<TPixel>> FMemory;
};

}  // namespace

// A store takes the bitmap's size and pixels at once, gives the memory of every later size,
// which starts white, and is not asked for an empty size. Going back to memory of its own
// keeps the pixels.
TEST(Bitmap, PixelStoreHoldsThePixels)
{
    std::vector<std::pair<int32_t, int32_t>> asked;
    auto owned = std::make_unique<TFakePixelStore>(asked);
    TFakePixelStore& store = *owned;
    TBitmap picture(3, 2);
    picture.SetPixel(2, 1, 0x123456);
    ASSERT_TRUE(picture.SetPixelStore(std::move(owned)));
    EXPECT_TRUE(store.Holds(picture));
    EXPECT_EQ(picture.Pixel(2, 1), 0x123456u);
    EXPECT_EQ(picture.Pixel(0, 0), 0xFFFFFFu);

    picture.SetSize(5, 4);
    EXPECT_TRUE(store.Holds(picture));
    EXPECT_EQ(picture.Pixel(4, 3), 0xFFFFFFu) << "a new size starts white";
    picture.SetSize(0, 4);
    EXPECT_TRUE(picture.Empty());
    EXPECT_TRUE(picture.HasPixelStore());
    picture.SetSize(2, 2);
    picture.SetPixel(1, 1, 0x654321);
    EXPECT_EQ(asked, (std::vector<std::pair<int32_t, int32_t>>{{3, 2}, {5, 4}, {2, 2}}));

    EXPECT_FALSE(picture.SetPixelStore(nullptr));
    EXPECT_FALSE(picture.HasPixelStore());
    EXPECT_EQ(picture.Pixel(1, 1), 0x654321u);
}

// A store that cannot hold a size is given up and the bitmap holds the pixels itself: at once,
// keeping the picture, or at a later size, which is white as always.
TEST(Bitmap, PixelStoreThatRefusesIsGivenUp)
{
    std::vector<std::pair<int32_t, int32_t>> asked;
    TBitmap picture(4, 4);
    picture.SetPixel(3, 3, 0x123456);
    EXPECT_FALSE(picture.SetPixelStore(std::make_unique<TFakePixelStore>(asked, 10)));
    EXPECT_FALSE(picture.HasPixelStore());
    EXPECT_EQ(picture.Pixel(3, 3), 0x123456u);

    ASSERT_TRUE(picture.SetPixelStore(std::make_unique<TFakePixelStore>(asked, 20)));
    picture.SetSize(5, 5);
    EXPECT_FALSE(picture.HasPixelStore());
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Pixel(4, 4), 0xFFFFFFu);
    picture.SetPixel(4, 4, 0x654321);
    EXPECT_EQ(picture.Pixel(4, 4), 0x654321u);
}
