// Prints how long one full paint of the saver's LED clock face takes (433 x 409, 09:41:59, so
// the whole ring of 60 second dots, transparent over black), next to the time of the memory
// copies no paint of a buffered transparent widget can avoid: the saved parent pixels copied
// into the buffer and the buffer copied out to the surface, each once, measured as plain
// memcpy of the same sizes in the same run.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/Platform.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessWindows.h"
#include "widgets/TVrLedClock.h"

namespace {

constexpr int32_t FaceWidth = 433;
constexpr int32_t FaceHeight = 409;

// The saver's clock: its sizes and offsets, fuchsia, transparent.
void MakeSaverClock(TVrLedClock& Clock)
{
    Clock.BeginLoading();
    Clock.SetBounds(0, 0, FaceWidth, FaceHeight);
    Clock.SetLedSize(6);
    Clock.SetSpacing(20);
    Clock.SetTextOffsetX(20);
    Clock.SetTextOffsetY(-75);
    Clock.SetTextAngle(0);
    Clock.SetTransparent(true);
    Clock.SetHoursColor(clFuchsia);
    Clock.SetHoursOutline(clFuchsia);
    Clock.SetSecHandColor(clFuchsia);
    Clock.SetSecOutline(clFuchsia);
    Clock.SetTickColor(clFuchsia);
    Clock.SetTickOutline(clFuchsia);
    Clock.Loaded();
    Clock.OnTimerEvent(nullptr);
}

// The median over Batches of the mean time of one Step in a batch of Runs, in microseconds.
double MedianMicroseconds(int Batches, int Runs, const std::function<void()>& Step)
{
    Step();   // the first run sizes buffers and warms caches
    std::vector<double> means;
    for (int b = 0; b < Batches; ++b) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < Runs; ++i)
            Step();
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
        means.push_back(spent.count() / Runs);
    }
    std::nth_element(means.begin(), means.begin() + Batches / 2, means.end());
    return means[static_cast<size_t>(Batches / 2)];
}

}  // namespace

int main()
{
    THeadlessClock clock;
    clock.SetLocalTime({2024, 3, 2, 5, 9, 41, 59, 0});
    THeadlessWindows screen(clock, 1024, 768);
    Platform services = CurrentPlatform();
    services.Clock = &clock;
    services.Windows = &screen;
    ScopedPlatform scope(services);
    TApplication app;

    TVrLedClock face(nullptr);
    MakeSaverClock(face);
    // The parent's surface under the clock: black, as the saver's back panel leaves it.
    TBitmap surface(FaceWidth, FaceHeight);
    surface.Canvas().Brush().Color = clBlack;
    surface.Canvas().FillRect(surface.BoundsRect());

    // One paint as the parent asks for it: the clock copies the parent's pixels, draws the
    // face into its buffer and copies the buffer onto the surface.
    const double paint = MedianMicroseconds(21, 200, [&] { face.PaintRequest(&surface, {0, 0}, surface.BoundsRect()); });

    // The copies in and out of a buffer of the same size, as plain memory copies.
    const size_t bytes = size_t(FaceWidth) * FaceHeight * sizeof(TPixel);
    std::vector<unsigned char> saved(bytes, 1), buffer(bytes, 2), shown(bytes, 3);
    const double copies = MedianMicroseconds(21, 200, [&] {
        std::memcpy(buffer.data(), saved.data(), bytes);
        saved[bytes / 2] ^= buffer[bytes / 3];   // keeps the copies from being folded away
        std::memcpy(shown.data(), buffer.data(), bytes);
    });

    std::printf("LED clock paint, %d x %d at 09:41:59, transparent over black: %.2f us\n", FaceWidth, FaceHeight, paint);
    std::printf("unavoidable copies, buffer in and out once (2 x memcpy of %zu bytes): %.2f us\n", bytes, copies);
    std::printf("ratio paint / copies: %.2f (check %u)\n", paint / copies, unsigned(shown[bytes / 2] + surface.Pixel(0, 0)));
    return 0;
}
