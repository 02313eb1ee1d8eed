#include "platform/headless/HeadlessKernel.h"

#include <cstdio>

bool THeadlessKernel::SetPriorityClass(uint32_t Class)
{
    char entry[32];
    std::snprintf(entry, sizeof entry, "class 0x%X", static_cast<unsigned>(Class));
    FLog.emplace_back(entry);
    if (FRaisingRefused && Class == PRIORITY_CLASS_REALTIME)
        return false;
    FClass = Class;
    return true;
}

bool THeadlessKernel::SetThreadPriority(int32_t Level)
{
    FLog.push_back("thread " + std::to_string(Level));
    if (FRaisingRefused && Level == THREAD_LEVEL_TIME_CRITICAL)
        return false;
    FLevel = Level;
    return true;
}

bool THeadlessKernel::ProcessTimes(TProcessTimes& Times) const
{
    if (!FTimesAvailable)
        return false;
    Times = FTimes;
    return true;
}

void THeadlessKernel::AddTimes(uint64_t Kernel, uint64_t User)
{
    FTimes.Kernel += Kernel;
    FTimes.User += User;
}

bool THeadlessKernel::ReleaseStartupPages()
{
    FLog.emplace_back("release start-up pages");
    return true;
}
