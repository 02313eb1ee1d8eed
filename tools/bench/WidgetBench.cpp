// Prints how long one full paint of each of the saver's instruments takes, next to the time of
// the memory copies that paint cannot avoid, measured as plain memcpy of the same sizes in the
// same run:
// - the LED clock face (433 x 409, 09:41:59, so the whole ring of 60 second dots, transparent
//   over black): the saved parent pixels copied into the buffer and the buffer copied out;
// - a level bar (105 x 8 at 37 of 100): its buffer filled and copied out;
// - the date readout (182 x 17, "Tue 3/5/2024"): its picture built off-screen and copied out.
//
// The bar and the readout keep their pictures and the clock its dot positions, so a paint with
// nothing changed since the last one costs less than a paint after a change. Each instrument is
// therefore measured twice: painted again as it is, and painted after every change of what it
// shows (the clock ticking between two seconds, the bar moving between two levels, the readout
// between two days), each paint with the change before it.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/Platform.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessWindows.h"
#include "widgets/TLMDClock.h"
#include "widgets/TVrLedClock.h"
#include "widgets/TVrLevelBar.h"

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

// The time of copying a buffer of Width x Height pixels in and out once, as plain memory
// copies, in microseconds.
double CopyMicroseconds(int32_t Width, int32_t Height, int Runs)
{
    const size_t bytes = size_t(Width) * size_t(Height) * sizeof(TPixel);
    std::vector<unsigned char> saved(bytes, 1), buffer(bytes, 2), shown(bytes, 3);
    const double spent = MedianMicroseconds(21, Runs, [&] {
        std::memcpy(buffer.data(), saved.data(), bytes);
        saved[bytes / 2] ^= buffer[bytes / 3];   // keeps the copies from being folded away
        std::memcpy(shown.data(), buffer.data(), bytes);
    });
    std::printf("  (check %u)\n", unsigned(shown[bytes / 2]));
    return spent;
}

void Report(const std::string& What, double Paint, int32_t Width, int32_t Height)
{
    const double copies = CopyMicroseconds(Width, Height, 5000);
    std::printf("%s: %.2f us; unavoidable copies of %d x %d pixels: %.2f us; ratio %.2f\n", What.c_str(), Paint, Width,
                Height, copies, Paint / copies);
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
    Report("LED clock paint, 433 x 409 at 09:41:59, transparent over black", paint, FaceWidth, FaceHeight);
    bool later = false;
    const double newSecond = MedianMicroseconds(21, 200, [&] {
        later = !later;
        clock.SetLocalTime({2024, 3, 2, 5, 9, 41, uint16_t(later ? 58 : 59), 0});
        face.OnTimerEvent(nullptr);
        face.PaintRequest(&surface, {0, 0}, surface.BoundsRect());
    });
    Report("LED clock tick and paint of a new second, 09:41:58 and 09:41:59 in turn", newSecond, FaceWidth,
           FaceHeight);

    TVrLevelBar bar(nullptr);
    bar.BeginLoading();
    bar.SetBounds(0, 0, 105, 8);
    bar.SetOrientation(voHorizontal);
    bar.Loaded();
    bar.SetPosition(37);
    TBitmap barSurface(105, 8);
    const auto paintBar = [&] { bar.PaintRequest(&barSurface, {0, 0}, barSurface.BoundsRect()); };
    const double barPaint = MedianMicroseconds(21, 5000, paintBar);
    Report("level bar paint, 105 x 8 at 37 of 100", barPaint, 105, 8);
    const double barMoved = MedianMicroseconds(21, 5000, [&] {
        bar.SetPosition(bar.Position() == 37 ? 74 : 37);
        paintBar();
    });
    Report("level bar paint of a new position, 37 and 74 of 100 in turn", barMoved, 105, 8);

    TLMDClock date(nullptr);
    date.SetMode(cmDate);
    date.SetDigitalOnly(true);
    date.Digital().SetHorzsize(9);
    date.Digital().SetVertsize(5);
    date.Digital().SetThickness(1);
    date.Digital().SetActiveColor(clRed);
    date.Digital().SetInActiveColor(clBlack);
    date.SetBounds(0, 0, 182, 17);
    TBitmap dateSurface(182, 17);
    const auto paintDate = [&] { date.PaintRequest(&dateSurface, {0, 0}, dateSurface.BoundsRect()); };
    paintDate();   // sizes itself to its text
    const TRect d = date.BoundsRect();
    const double datePaint = MedianMicroseconds(21, 2000, paintDate);
    Report("date readout paint, \"" + date.GetDigitalText() + "\"", datePaint, d.Width(), d.Height());
    bool nextDay = false;
    const double newDay = MedianMicroseconds(21, 2000, [&] {
        nextDay = !nextDay;
        clock.SetLocalTime({2024, 3, uint16_t(nextDay ? 3 : 2), uint16_t(nextDay ? 6 : 5), 9, 41, 59, 0});
        paintDate();
    });
    Report("date readout paint of a new day, 5 and 6 March 2024 in turn", newDay, d.Width(), d.Height());
    return 0;
}
