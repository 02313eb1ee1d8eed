#pragma once
#include "platform/core/Color.h"

// The classic default colour scheme of the desktop the program was first written for. Used
// where the platform has no system colours of its own (Linux, the headless backend), so that
// dialogs look as they were designed.
class TClassicColorScheme : public IColorScheme {
public:
    std::optional<TColor> SystemColor(int Index) const override;
};
