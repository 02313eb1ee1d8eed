#pragma once
#include "platform/headless/HeadlessClock.h"

// A headless clock whose local time stands still while its tick count runs on with every
// pause. The saver pauses for half a second to measure the processor clock and for 10 ms in
// every pass of the moving clock; on this clock those pauses count as they would on a real
// machine, yet every reading of the time of day gives the time the picture is to show.
class TStoppedWallClock : public THeadlessClock {
public:
    void Sleep(uint32_t Milliseconds) override;
};
