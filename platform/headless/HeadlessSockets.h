#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/ISockets.h"

// A socket library and name service that a test scripts. It starts as a library that loads,
// on a host named "headless" that the name service does not know. It counts start-ups and
// clean-ups and keeps the names it was asked to look up.
class THeadlessSockets : public ISockets {
public:
    bool Startup(uint16_t Version) override;
    void Cleanup() override { ++FCleanups; }
    bool HostName(char* Buffer, size_t Length) override;
    bool LookUp(const std::string& Name, THostEntry& Entry) override;

    void SetStartupSucceeds(bool Value) { FStartupSucceeds = Value; }
    // The local host's name; HostName fails when it does not fit the caller's buffer.
    void SetHostName(const std::string& Name) { FHostName = Name; }
    // Makes HostName fail whatever the buffer.
    void SetHostNameFails(bool Value) { FHostNameFails = Value; }
    void AddHost(const std::string& Name, const THostEntry& Entry) { FHosts[Name] = Entry; }

    int Startups() const { return FStartups; }
    int Cleanups() const { return FCleanups; }
    uint16_t StartupVersion() const { return FStartupVersion; }
    const std::vector<std::string>& LookedUp() const { return FLookedUp; }

private:
    bool FStartupSucceeds = true;
    std::string FHostName = "headless";
    bool FHostNameFails = false;
    std::map<std::string, THostEntry> FHosts;
    int FStartups = 0;
    int FCleanups = 0;
    uint16_t FStartupVersion = 0;
    std::vector<std::string> FLookedUp;
};
