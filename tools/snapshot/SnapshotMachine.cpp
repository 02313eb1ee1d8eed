#include "tools/snapshot/SnapshotMachine.h"

#include <algorithm>

#include "platform/IRegistry.h"
#include "saver/MemoryReadout.h"
#include "sysinfo/LMDSysIn.h"

namespace {

const char* const StyleKeyPath = "Software\\Kestrune\\Screensaver";

std::string Line(const char* Name, const std::string& Value) { return "  " + std::string(Name) + ": " + Value + "\n"; }

std::string Gibibytes(uint64_t Bytes) { return std::to_string(Bytes >> 30) + " GiB"; }

}  // namespace

TSnapshotMachine::TSnapshotMachine(const TSnapshotOptions& Options)
    : FScreen(FClock, Options.Width, Options.Height), FScope(Services())
{
    FClock.SetLocalTime(Options.Time);
    SetUpProcessor();
    SetUpMemory();
    SetUpHost();
    StoreSettings(Options);
}

// Everything the saver asks of the system comes from here; the colour scheme, the font engine
// and the image decoder stay the backend's.
Platform TSnapshotMachine::Services()
{
    Platform p = CurrentPlatform();
    p.Clock = &FClock;
    p.Windows = &FScreen;
    p.Process = &FProcess;
    p.Kernel = &FKernel;
    p.TimeStampCounter = &FCounter;
    p.Sockets = &FSockets;
    p.System = &FSystem;
    p.CpuId = &FCpuId;
    p.Locale = &FLocale;
    p.Registry = &FRegistry;
    p.Profiles = &FProfiles;
    return p;
}

void TSnapshotMachine::SetUpProcessor()
{
    FCounter.RunWith(&FClock, CyclesPerMillisecond);
    FCpuId.SetIdFlagToggles(true);
    char vendor[12];
    std::copy_n(Vendor, sizeof vendor, vendor);
    FCpuId.SetVendor(vendor);
    TSystemInfoRecord record = FSystem.SystemInfo();
    record.ProcessorType = ProcessorType;
    record.NumberOfProcessors = ProcessorCount;
    FSystem.SetSystemInfo(record);
}

// A machine with more memory than the old 32-bit record can count, which reports its counts
// as saturated, so the free share comes from the extended record.
void TSnapshotMachine::SetUpMemory()
{
    TMemoryStatus old;
    old.dwMemoryLoad = MemoryLoad;
    old.dwTotalPhys = 0xFFFFFFFFu;
    old.dwAvailPhys = 0xFFFFFFFFu;
    FSystem.SetMemoryStatus(old);
    TMemoryStatusEx wide;
    wide.dwMemoryLoad = MemoryLoad;
    wide.ullTotalPhys = TotalMemoryBytes;
    wide.ullAvailPhys = AvailableMemoryBytes;
    FSystem.SetMemoryStatusEx(wide);
}

void TSnapshotMachine::SetUpHost()
{
    FSockets.SetHostName(HostName);
    FSockets.AddHost(HostName, {OfficialHostName, {HostAddress}});
}

// The motion is stored as the settings dialog stores it: moving when the picture is to show
// the clock after some passes of its motion, centred otherwise. The colour goes into the
// settings file beside the executable only when one is given.
void TSnapshotMachine::StoreSettings(const TSnapshotOptions& Options)
{
    FRegistry.SetDword(RegRoot::LocalMachine, StyleKeyPath, "Style", Options.MotionSteps > 0 ? 1 : 0);
    if (Options.Colour)
        FProfiles.SetString(FProcess.ExecutableDirectory() + "Quorvel.ini", "Skin", "skin", *Options.Colour);
}

std::string TSnapshotMachine::Figures() const
{
    TMemoryStatusEx wide;
    const bool extended = FSystem.MemoryStatusEx(wide);
    const int32_t free = FreeMemoryPercent(FSystem.MemoryStatus(), extended ? &wide : nullptr);
    const uint64_t load = ProcessTimePerTick / 100 / ReadoutTickMilliseconds;
    return "The machine the picture is taken on:\n" +
           Line("processor clock", std::to_string(CyclesPerMillisecond / 1000) + " MHz") +
           Line("processor vendor", Vendor) +
           Line("processor type", std::to_string(ProcessorType) + ", shown as " + LMDSIProcessorTypeStr()) +
           Line("processors", std::to_string(ProcessorCount)) +
           Line("load of the saver's own process", std::to_string(load) + " % of one processor") +
           Line("physical memory", Gibibytes(TotalMemoryBytes) + " with " + Gibibytes(AvailableMemoryBytes) +
                                       " available at load " + std::to_string(MemoryLoad) + " %, shown as " +
                                       std::to_string(free) + " % free") +
           Line("host name", std::string(HostName) + ", known to the name service as " + OfficialHostName) +
           Line("host address", DottedAddress(HostAddress)) +
           Line("dates", "weekday and short date as " + FLocale.ShortDateFormat() + ", in English") +
           Line("executable", std::string(ExecutablePath) + ", with the settings file beside it");
}
