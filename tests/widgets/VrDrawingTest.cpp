#include <climits>
#include <cstdint>
#include <optional>

#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "widgets/VrDrawing.h"

namespace {

// A picture whose every pixel differs from every other, so that a pixel copied from the wrong
// place or left out shows.
void Number(TBitmap& Picture, uint32_t First)
{
    for (int32_t y = 0; y < Picture.Height(); ++y)
        for (int32_t x = 0; x < Picture.Width(); ++x)
            Picture.SetPixel(x, y, (First + uint32_t(y) * 1000u + uint32_t(x)) & 0x00FFFFFFu);
}

std::optional<TPoint> FirstDifference(const TBitmap& a, const TBitmap& b)
{
    for (int32_t y = 0; y < a.Height(); ++y)
        for (int32_t x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return TPoint{x, y};
    return std::nullopt;
}

constexpr int32_t W = 100, H = 24;

// Where a picture lands: the canvas's origin and clip, and the point it is copied to.
struct TPlace {
    const char* Name;
    TPoint Origin;
    TRect Clip;
    TPoint At;
};

// Copies a numbered picture of Size onto two equal numbered W x H surfaces, one through the
// copier (CopyOurs) and one through the canvas's block copy (DrawTheirs), each by a canvas
// with the place's origin and clip, and tells where the two surfaces first differ.
template <typename TCopyOurs, typename TDrawTheirs>
std::optional<TPoint> CompareWithBlockCopy(TSize Size, const TPlace& Place, TCopyOurs CopyOurs, TDrawTheirs DrawTheirs)
{
    TBitmap source(Size.Width, Size.Height);
    Number(source, 0x500000);
    TBitmap copied(W, H), drawn(W, H);
    Number(copied, 7);
    Number(drawn, 7);
    TCanvas ours, theirs;
    ours.Attach(&copied, Place.Origin, Place.Clip);
    theirs.Attach(&drawn, Place.Origin, Place.Clip);
    CopyOurs(TPictureCopier(ours), source);
    DrawTheirs(theirs, source);
    return FirstDifference(copied, drawn);
}

}  // namespace

// The copy of its own gives exactly the pixels of the canvas's block copy for pictures of every
// width, narrow ones copied in blocks and wide ones row by row, wherever they land: inside,
// across each edge, outside, through a canvas with an origin and a narrow clip, and where canvas
// coordinates reach the ends of the 32-bit range.
TEST(PictureCopier, GivesThePixelsOfTheCanvasBlockCopy)
{
    const TSize sources[] = {{1, 1}, {3, 5}, {4, 4}, {5, 2}, {8, 2}, {9, 3}, {14, 17}, {17, 2}, {64, 3}, {65, 3}, {90, 30}};
    const TPlace places[] = {
        {"inside", {0, 0}, {0, 0, W, H}, {3, 2}},
        {"across the left and top edges", {0, 0}, {0, 0, W, H}, {-2, -3}},
        {"across the right and bottom edges", {0, 0}, {0, 0, W, H}, {W - 2, H - 1}},
        {"outside", {0, 0}, {0, 0, W, H}, {W + 5, 1}},
        {"through an origin and a narrow clip", {7, 3}, {9, 4, 90, 15}, {-1, 0}},
        {"with an empty clip", {0, 0}, {5, 5, 5, 9}, {2, 2}},
        {"far along in canvas coordinates", {-INT32_MAX, 0}, {0, 0, W, H}, {INT32_MAX - 2, 1}},
        {"far back in canvas coordinates", {INT32_MAX - 1, 0}, {0, 0, W, H}, {INT32_MIN + 5, 1}},
    };
    for (const TSize& size : sources)
        for (const TPlace& p : places) {
            const auto difference = CompareWithBlockCopy(
                size, p, [&](TPictureCopier Copier, TBitmap& Source) { Copier.Copy(p.At.X, p.At.Y, Source); },
                [&](TCanvas& Canvas, TBitmap& Source) { Canvas.Draw(p.At.X, p.At.Y, Source); });
            EXPECT_FALSE(difference) << size.Width << " x " << size.Height << " " << p.Name << ": first difference at "
                                     << difference.value_or(TPoint{});
        }
}

// A part of a picture lands as the canvas's block copy of the same part puts it, also where the
// part reaches beyond the picture, whose missing pixels leave the surface as it was.
TEST(PictureCopier, GivesThePixelsOfTheCanvasBlockCopyOfAPart)
{
    const TSize sources[] = {{14, 17}, {105, 8}, {40, 30}};
    const TRect parts[] = {{2, 1, 9, 5}, {0, 0, 105, 8}, {-3, -2, 6, 4}, {10, 3, 120, 40}, {5, 5, 5, 9}, {8, 6, 4, 2}};
    const TPlace places[] = {
        {"inside", {0, 0}, {0, 0, W, H}, {3, 2}},
        {"across the left and top edges", {0, 0}, {0, 0, W, H}, {-4, -3}},
        {"through an origin and a narrow clip", {7, 3}, {9, 4, 90, 15}, {-1, 0}},
        {"far along in canvas coordinates", {-INT32_MAX, 0}, {0, 0, W, H}, {INT32_MAX - 2, 1}},
    };
    for (const TSize& size : sources)
        for (const TRect& part : parts)
            for (const TPlace& p : places) {
                const auto difference = CompareWithBlockCopy(
                    size, p,
                    [&](TPictureCopier Copier, TBitmap& Source) { Copier.Copy(p.At.X, p.At.Y, Source, part); },
                    [&](TCanvas& Canvas, TBitmap& Source) { Canvas.Draw(p.At.X, p.At.Y, Source.Canvas(), part); });
                EXPECT_FALSE(difference) << size.Width << " x " << size.Height << ", part " << part << ", " << p.Name
                                         << ": first difference at " << difference.value_or(TPoint{});
            }
}

// A canvas without a surface draws nothing, and a picture copied onto itself takes the canvas's
// copy, which reads every pixel before it overwrites it.
TEST(PictureCopier, NoSurfaceAndTheSurfaceItself)
{
    TBitmap source(6, 6);
    Number(source, 1);
    TCanvas detached;
    TPictureCopier(detached).Copy(0, 0, source);

    TBitmap ours(6, 6), theirs(6, 6);
    Number(ours, 1);
    Number(theirs, 1);
    TPictureCopier(ours.Canvas()).Copy(2, 1, ours);
    theirs.Canvas().Draw(2, 1, theirs);
    EXPECT_FALSE(FirstDifference(ours, theirs));
}
