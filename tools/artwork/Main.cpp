// quorvel-artwork: draws the pictures the program carries with the program's own drawing code
// and writes them into a folder: the About page's banner (AboutBanner.jpg, 275 x 67), the
// program's icon at 16, 32 and 48 pixels (Quorvel.ico) and the preview picture of the saver
// (Preview.jpg, 160 x 166). The same build always writes the same files.
//
//   quorvel-artwork --out assets

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "tools/artwork/IconFile.h"
#include "tools/png/JpegFile.h"
#include "tools/snapshot/SaverSnapshot.h"
#include "widgets/TLMDLED.h"

namespace {

constexpr int JpegQuality = 92;
// The icon's transparent parts are drawn in this colour, which nothing else in it uses.
constexpr TPixel IconKey = 0x00FF00FF;
constexpr TColor LedRed = 0x000000FF;

void Fill(TCanvas& Canvas, const TRect& Rect, TColor Color)
{
    Canvas.Brush().Color = Color;
    Canvas.Brush().Style = bsSolid;
    Canvas.FillRect(Rect);
}

void Dot(TCanvas& Canvas, double X, double Y, double Diameter, TColor Color)
{
    const int32_t d = std::max(1, static_cast<int32_t>(std::lround(Diameter)));
    const int32_t left = static_cast<int32_t>(std::lround(X - d / 2.0));
    const int32_t top = static_cast<int32_t>(std::lround(Y - d / 2.0));
    Canvas.Brush().Color = Color;
    Canvas.Pen().Color = Color;
    Canvas.Ellipse({left, top, left + d, top + d});
}

// The product word in red LED cells on white, with the unlit segments showing faintly, as the
// saver's date readout draws its text.
void DrawBanner(TBitmap& Into)
{
    Into.SetSize(275, 67);
    TCanvas canvas(Into);
    Fill(canvas, {0, 0, 275, 67}, clWhite);
    TLMDLED led;
    led.SetHorzsize(15);
    led.SetVertsize(17);
    led.SetThickness(4);
    led.SetActiveColor(LedRed);
    led.SetInActiveColor(0x00EDEDF6);
    led.SetBackColor(clWhite);
    // The cells stand a little apart, so that the letters read as letters and not as one bar.
    const std::string word = "QUORVEL";
    const int32_t gap = 4;
    const int32_t count = static_cast<int32_t>(word.size());
    const int32_t width = led.GetWidth() * count + gap * (count - 1);
    const int32_t top = (67 - led.GetHeight()) / 2;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t left = (275 - width) / 2 + i * (led.GetWidth() + gap);
        led.PaintLED(&canvas, {left, top, left + led.GetWidth(), top + led.GetHeight()}, word.substr(i, 1), true, true);
    }
}

// A round clock face of LED dots: twelve hour dots, the quarters larger, on a black face with a
// grey rim, and a lit centre.
void DrawIcon(TBitmap& Into, int32_t Size)
{
    Into.SetSize(Size, Size);
    TCanvas canvas(Into);
    Fill(canvas, {0, 0, Size, Size}, static_cast<TColor>(0x00FF00FF));
    canvas.Brush().Color = clBlack;
    canvas.Pen().Color = 0x00606060;
    canvas.Ellipse({0, 0, Size, Size});
    const double centre = Size / 2.0;
    const double radius = Size * 0.36;
    for (int hour = 0; hour < 12; ++hour) {
        const double angle = hour * M_PI / 6;
        const double diameter = Size * (hour % 3 == 0 ? 0.13 : 0.08);
        Dot(canvas, centre + radius * std::sin(angle), centre - radius * std::cos(angle), diameter, LedRed);
    }
    Dot(canvas, centre, centre, Size * 0.12, LedRed);
}

// Averages each target pixel over the source pixels it covers.
void ScaleDown(const TBitmap& Source, const TRect& From, TBitmap& Into)
{
    for (int32_t y = 0; y < Into.Height(); ++y)
        for (int32_t x = 0; x < Into.Width(); ++x) {
            const int32_t x0 = From.Left + x * From.Width() / Into.Width();
            const int32_t x1 = std::max(x0 + 1, From.Left + (x + 1) * From.Width() / Into.Width());
            const int32_t y0 = From.Top + y * From.Height() / Into.Height();
            const int32_t y1 = std::max(y0 + 1, From.Top + (y + 1) * From.Height() / Into.Height());
            uint32_t r = 0, g = 0, b = 0, n = 0;
            for (int32_t sy = y0; sy < y1; ++sy)
                for (int32_t sx = x0; sx < x1; ++sx) {
                    const bool inside = sx >= 0 && sy >= 0 && sx < Source.Width() && sy < Source.Height();
                    const TPixel p = inside ? Source.Pixel(sx, sy) : 0;
                    r += (p >> 16) & 0xFF, g += (p >> 8) & 0xFF, b += p & 0xFF, ++n;
                }
            Into.SetPixel(x, y, ((r / n) << 16) | ((g / n) << 8) | (b / n));
        }
}

// The part of a picture that is not black.
TRect LitBounds(const TBitmap& Picture)
{
    TRect bounds{Picture.Width(), Picture.Height(), 0, 0};
    for (int32_t y = 0; y < Picture.Height(); ++y)
        for (int32_t x = 0; x < Picture.Width(); ++x)
            if (Picture.Pixel(x, y) != 0)
                bounds = {std::min(bounds.Left, x), std::min(bounds.Top, y), std::max(bounds.Right, x + 1),
                          std::max(bounds.Bottom, y + 1)};
    return bounds;
}

// The centred saver in lime, cut to the clock panel with a little black around it, scaled down.
void DrawPreview(TBitmap& Into)
{
    TSnapshotOptions options;
    options.Colour = "65280";
    TBitmap screen;
    RenderSaverSnapshot(options, screen);
    const TRect lit = LitBounds(screen);
    const int32_t height = lit.Height() + 16;
    const int32_t width = height * 160 / 166;
    const int32_t left = (lit.Left + lit.Right - width) / 2;
    const int32_t top = (lit.Top + lit.Bottom - height) / 2;
    Into.SetSize(160, 166);
    ScaleDown(screen, {left, top, left + width, top + height}, Into);
}

bool WriteAll(const std::string& Folder)
{
    TBitmap banner, preview, icon16, icon32, icon48;
    DrawBanner(banner);
    DrawPreview(preview);
    DrawIcon(icon16, 16);
    DrawIcon(icon32, 32);
    DrawIcon(icon48, 48);
    return WriteJpeg(Folder + "/AboutBanner.jpg", banner, JpegQuality) &&
           WriteJpeg(Folder + "/Preview.jpg", preview, JpegQuality) &&
           WriteIcon(Folder + "/Quorvel.ico", {&icon16, &icon32, &icon48}, IconKey);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || std::string(argv[1]) != "--out") {
        std::fputs("usage: quorvel-artwork --out FOLDER\n", stderr);
        return 2;
    }
    try {
        if (!WriteAll(argv[2])) {
            std::fprintf(stderr, "quorvel-artwork: cannot write into %s\n", argv[2]);
            return 1;
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "quorvel-artwork: %s\n", e.Message().c_str());
        return 1;
    }
    std::printf("AboutBanner.jpg, Preview.jpg and Quorvel.ico written to %s\n", argv[2]);
    return 0;
}
