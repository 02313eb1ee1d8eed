#pragma once
#include <cstdint>

// Where the saver shows itself: covering the screen, as the system starts a screen saver;
// inside a window that a screen-saver daemon hands over; or in an ordinary window of its own,
// for trying it out. The entry point says which before it creates the window.
struct TSaverPlacement {
    enum class TKind : uint8_t { FullScreen, InWindow, OwnWindow };
    TKind Kind = TKind::FullScreen;
    uintptr_t Window = 0;   // InWindow: the system's handle of the window to draw in

    // The daemon owns the input in a window it handed over, and a window of the saver's own is
    // closed like any other: only the full-screen saver ends on a key, the pointer or a loss of
    // activation, and hides the pointer.
    bool EndsOnInput() const { return Kind == TKind::FullScreen; }
};

TSaverPlacement& SaverPlacement();
