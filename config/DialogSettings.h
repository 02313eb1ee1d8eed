#pragma once
#include <cstdint>
#include <functional>

// The two settings as the settings dialog reads and writes them. The settings store belongs to
// the program's entry point, a layer above the dialog, so the entry point hands its functions
// over here before it creates the dialog.
struct TDialogSettings {
    std::function<int32_t()> ReadStyle = [] { return 1; };
    // False when nothing could be saved because the settings could not be opened or created;
    // raises when they opened but the value could not be stored.
    std::function<bool(int32_t)> WriteStyle = [](int32_t) { return false; };
    // Raises "Unable to write to <path>" when the colour cannot be written.
    std::function<void(int32_t)> WriteClockColor = [](int32_t) {};
};

TDialogSettings& DialogSettings();
