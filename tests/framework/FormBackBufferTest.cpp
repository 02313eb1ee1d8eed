#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/framework/FrameworkFixture.h"

namespace {

// A headless window system that, like the real ones, hands out memory for back buffers, and
// records every size it was asked for.
class TStoringWindows : public THeadlessWindows {
public:
    using THeadlessWindows::THeadlessWindows;

    std::vector<std::pair<int32_t, int32_t>> Asked;
    const TPixel* Latest = nullptr;

    std::unique_ptr<IPixelStore> BackBufferStore(TNativeWindow) override { return std::make_unique<TStore>(*this); }

private:
    class TStore : public IPixelStore {
    public:
        explicit TStore(TStoringWindows& Owner) : FOwner(Owner) {}
        TPixel* Provide(int32_t Width, int32_t Height) override
        {
            FOwner.Asked.push_back({Width, Height});
            FMemory.assign(size_t(Width) * size_t(Height), 0);
            FOwner.Latest = FMemory.data();
            return FMemory.data();
        }

    private:
        TStoringWindows& FOwner;
        std::vector<TPixel> FMemory;
    };
};

}  // namespace

// The form draws straight into the memory its window system hands out, asks for it only once
// it has a window and only for the size it shows, and shows the same pixels as it would from
// memory of its own.
TEST(FormBackBuffer, LivesInTheMemoryTheWindowSystemHandsOut)
{
    THeadlessClock clock;
    TStoringWindows screen(clock, 320, 240);
    Platform services = CurrentPlatform();
    services.Clock = &clock;
    services.Windows = &screen;
    ScopedPlatform scope(services);
    TApplication app;

    auto* form = new TTestForm(nullptr, {0, 0, 100, 80});
    form->SetBounds(0, 0, 120, 90);   // before the window exists: nothing is asked for yet
    form->SetColor(clRed);
    form->Show();
    app.ProcessMessages();
    EXPECT_EQ(screen.Asked, (std::vector<std::pair<int32_t, int32_t>>{{120, 90}}));
    EXPECT_TRUE(form->BackBuffer().HasPixelStore());
    EXPECT_EQ(form->BackBuffer().Scanline(0), screen.Latest);
    EXPECT_EQ(screen.Pixels(form->Handle()).Pixel(119, 89), ColorToPixel(clRed));

    form->SetBounds(0, 0, 60, 50);
    app.ProcessMessages();
    EXPECT_EQ(screen.Asked.back(), (std::pair<int32_t, int32_t>{60, 50}));
    EXPECT_EQ(form->BackBuffer().Scanline(0), screen.Latest);
    delete form;
}
