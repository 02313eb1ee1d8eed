#pragma once
#include <cstdint>
#include <functional>

// The two settings as the saver window reads them. The settings store belongs to the program's
// entry point, a layer above the window, so the entry point hands its readers over here before
// it creates the window. Until it does, the window runs with the stored defaults: a moving
// clock in red.
struct TSaverSettings {
    std::function<int32_t()> ReadStyle = [] { return 1; };
    std::function<int32_t()> ReadClockColor = [] { return 255; };
};

TSaverSettings& SaverSettings();
