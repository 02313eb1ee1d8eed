#include "platform/headless/HeadlessTimeStampCounter.h"

uint64_t THeadlessTimeStampCounter::Read() const
{
    if (FOnRead)
        FOnRead();
    if (!FClock)
        return FStart;
    return FStart + FCyclesPerMillisecond * FClock->TickCount();
}

void THeadlessTimeStampCounter::RunWith(const IClock* Clock, uint64_t CyclesPerMillisecond)
{
    FClock = Clock;
    FCyclesPerMillisecond = CyclesPerMillisecond;
}
