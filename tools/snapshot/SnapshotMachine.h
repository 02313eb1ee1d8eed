#pragma once
#include <cstdint>
#include <string>

#include "platform/ISockets.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessCpuId.h"
#include "platform/headless/HeadlessKernel.h"
#include "platform/headless/HeadlessLocale.h"
#include "platform/headless/HeadlessProcessInfo.h"
#include "platform/headless/HeadlessProfileFiles.h"
#include "platform/headless/HeadlessRegistry.h"
#include "platform/headless/HeadlessSockets.h"
#include "platform/headless/HeadlessSystemInfo.h"
#include "platform/headless/HeadlessTimeStampCounter.h"
#include "platform/headless/HeadlessWindows.h"
#include "tools/snapshot/SnapshotOptions.h"
#include "tools/snapshot/StoppedWallClock.h"

// The machine a snapshot is taken on: the headless platform services in place of this
// machine's, for as long as the object lives, with fixed figures for everything the saver's
// readouts show, a screen of the size asked for, the time asked for, and the two settings
// stored as the saver's settings store finds them. Text is drawn by the backend's font engine,
// the one thing taken from the machine itself.
class TSnapshotMachine {
public:
    // The fixed figures.
    static constexpr uint64_t CyclesPerMillisecond = 2394000;        // a 2394 MHz processor
    static constexpr uint64_t TotalMemoryBytes = uint64_t(8) << 30;  // 8 GiB
    static constexpr uint64_t AvailableMemoryBytes = uint64_t(3) << 30;
    static constexpr uint32_t MemoryLoad = 62;                       // percent in use
    static constexpr uint32_t ProcessorType = 586;
    static constexpr uint32_t ProcessorCount = 4;
    static constexpr const char* Vendor = "GenuineIntel";
    static constexpr const char* HostName = "snapshot";
    static constexpr const char* OfficialHostName = "snapshot.example.net";
    static constexpr TIPv4Address HostAddress{192, 0, 2, 17};
    static constexpr const char* ExecutablePath = "/opt/quorvel/quorvel";
    // The processor time the saver's process uses between two ticks of its readout timer,
    // half a second apart, in units of 100 ns: 215 ms, a load of 43 %.
    static constexpr uint64_t ProcessTimePerTick = 2150000;
    static constexpr uint32_t ReadoutTickMilliseconds = 500;

    explicit TSnapshotMachine(const TSnapshotOptions& Options);
    TSnapshotMachine(const TSnapshotMachine&) = delete;
    TSnapshotMachine& operator=(const TSnapshotMachine&) = delete;

    // The figures as --help lists them, one per line, as this machine answers them.
    std::string Figures() const;

    TStoppedWallClock& Clock() { return FClock; }
    THeadlessWindows& Screen() { return FScreen; }
    THeadlessKernel& Kernel() { return FKernel; }

private:
    Platform Services();
    void SetUpProcessor();
    void SetUpMemory();
    void SetUpHost();
    void StoreSettings(const TSnapshotOptions& Options);

    TStoppedWallClock FClock;
    THeadlessWindows FScreen;
    THeadlessProcessInfo FProcess{ExecutablePath};
    THeadlessKernel FKernel;
    THeadlessTimeStampCounter FCounter;
    THeadlessSockets FSockets;
    THeadlessSystemInfo FSystem;
    THeadlessCpuId FCpuId;
    THeadlessLocale FLocale;
    THeadlessRegistry FRegistry;
    THeadlessProfileFiles FProfiles;
    ScopedPlatform FScope;   // last, so that every service it puts in place exists
};
