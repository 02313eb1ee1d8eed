#include "tools/snapshot/StoppedWallClock.h"

// The tick count wraps at 2^32 as the system's counter does.
void TStoppedWallClock::Sleep(uint32_t Milliseconds) { SetTickCount(TickCount() + Milliseconds); }
