#include "platform/headless/HeadlessSockets.h"

#include <cstring>

bool THeadlessSockets::Startup(uint16_t Version)
{
    ++FStartups;
    FStartupVersion = Version;
    return FStartupSucceeds;
}

bool THeadlessSockets::HostName(char* Buffer, size_t Length)
{
    if (FHostNameFails || FHostName.size() >= Length)
        return false;
    std::memcpy(Buffer, FHostName.c_str(), FHostName.size() + 1);
    return true;
}

bool THeadlessSockets::LookUp(const std::string& Name, THostEntry& Entry)
{
    FLookedUp.push_back(Name);
    const auto found = FHosts.find(Name);
    if (found == FHosts.end())
        return false;
    Entry = found->second;
    return true;
}
