// Prints how long one full paint of each of the saver's instruments takes, next to the time of
// the memory copies that paint cannot avoid, measured as plain memcpy of the same sizes in the
// same run, batch for batch beside the paints:
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

// The mean time of one Step in a batch of Runs, in microseconds.
double BatchMicroseconds(int Runs, const std::function<void()>& Step)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Runs; ++i)
        Step();
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / Runs;
}

double Median(std::vector<double> Values)
{
    std::nth_element(Values.begin(), Values.begin() + Values.size() / 2, Values.end());
    return Values[Values.size() / 2];
}

// Times Paint against the copies it cannot avoid, a buffer of Width x Height pixels copied in
// and out once as plain memory copies. The two are timed batch by batch in turn, so that a
// slower spell of the machine weighs on both alike; the figures are the medians of the two
// times and of the ratios of the batches.
void Compare(const std::string& What, int Runs, int32_t Width, int32_t Height, const std::function<void()>& Paint)
{
    const size_t bytes = size_t(Width) * size_t(Height) * sizeof(TPixel);
    std::vector<unsigned char> saved(bytes, 1), buffer(bytes, 2), shown(bytes, 3);
    const std::function<void()> copy = [&] {
        std::memcpy(buffer.data(), saved.data(), bytes);
        saved[bytes / 2] ^= buffer[bytes / 3];   // keeps the copies from being folded away
        std::memcpy(shown.data(), buffer.data(), bytes);
    };
    Paint();   // the first run sizes buffers and warms caches
    copy();
    std::vector<double> paints, copies, ratios;
    for (int b = 0; b < 31; ++b) {
        paints.push_back(BatchMicroseconds(Runs, Paint));
        copies.push_back(BatchMicroseconds(Runs, copy));
        ratios.push_back(paints.back() / copies.back());
    }
    std::printf("%s: %.2f us; unavoidable copies of %d x %d pixels: %.2f us; ratio %.2f  (check %u)\n", What.c_str(),
                Median(paints), Width, Height, Median(copies), Median(ratios), unsigned(shown[bytes / 2]));
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
    Compare("LED clock paint, 433 x 409 at 09:41:59, transparent over black", 200, FaceWidth, FaceHeight,
            [&] { face.PaintRequest(&surface, {0, 0}, surface.BoundsRect()); });
    bool later = false;
    Compare("LED clock tick and paint of a new second, 09:41:58 and 09:41:59 in turn", 200, FaceWidth, FaceHeight, [&] {
        later = !later;
        clock.SetLocalTime({2024, 3, 2, 5, 9, 41, uint16_t(later ? 58 : 59), 0});
        face.OnTimerEvent(nullptr);
        face.PaintRequest(&surface, {0, 0}, surface.BoundsRect());
    });

    TVrLevelBar bar(nullptr);
    bar.BeginLoading();
    bar.SetBounds(0, 0, 105, 8);
    bar.SetOrientation(voHorizontal);
    bar.Loaded();
    bar.SetPosition(37);
    TBitmap barSurface(105, 8);
    const auto paintBar = [&] { bar.PaintRequest(&barSurface, {0, 0}, barSurface.BoundsRect()); };
    Compare("level bar paint, 105 x 8 at 37 of 100", 5000, 105, 8, paintBar);
    Compare("level bar paint of a new position, 37 and 74 of 100 in turn", 5000, 105, 8, [&] {
        bar.SetPosition(bar.Position() == 37 ? 74 : 37);
        paintBar();
    });

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
    Compare("date readout paint, \"" + date.GetDigitalText() + "\"", 2000, d.Width(), d.Height(), paintDate);
    bool nextDay = false;
    Compare("date readout paint of a new day, 5 and 6 March 2024 in turn", 2000, d.Width(), d.Height(), [&] {
        nextDay = !nextDay;
        clock.SetLocalTime({2024, 3, uint16_t(nextDay ? 3 : 2), uint16_t(nextDay ? 6 : 5), 9, 41, 59, 0});
        paintDate();
    });
    return 0;
}
