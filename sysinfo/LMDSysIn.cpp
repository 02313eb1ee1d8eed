#include "sysinfo/LMDSysIn.h"

#include <limits>

#include "platform/Platform.h"

namespace {

const ISystemInfo* System() { return CurrentPlatform().System; }

TMemoryStatusEx Widened(const TMemoryStatus& Old)
{
    TMemoryStatusEx status;
    status.dwMemoryLoad = Old.dwMemoryLoad;
    status.ullTotalPhys = Old.dwTotalPhys;
    status.ullAvailPhys = Old.dwAvailPhys;
    status.ullTotalPageFile = Old.dwTotalPageFile;
    status.ullAvailPageFile = Old.dwAvailPageFile;
    status.ullTotalVirtual = Old.dwTotalVirtual;
    status.ullAvailVirtual = Old.dwAvailVirtual;
    status.ullAvailExtendedVirtual = 0;
    return status;
}

// Byte counts are handed on as signed numbers; one that does not fit is no count at all.
int64_t SignedCount(uint64_t Bytes)
{
    return Bytes <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) ? static_cast<int64_t>(Bytes) : 0;
}

std::string ProcessorTypeText(uint32_t Type)
{
    switch (Type) {
    case 386: return "Intel 386";
    case 486: return "Intel 486";
    case 586: return "Intel Pentium";
    case 2000:
    case 3000:
    case 4000: return "Mips R" + std::to_string(Type);
    case 21064: return "Alpha 21064";
    default: return std::to_string(Type);
    }
}

TSystemInfoRecord SystemInfoRecord()
{
    const ISystemInfo* system = System();
    return system ? system->SystemInfo() : TSystemInfoRecord{};
}

}  // namespace

TLMDSIPlatformFlags LMDSIPlatformFlagsOf(const ISystemInfo* System)
{
    TLMDSIPlatformFlags flags;
    if (!System)
        return flags;
    const TOSVersion version = System->Version();
    flags.Windows95 = version.PlatformId == PLATFORM_ID_WINDOWS;
    if (flags.Windows95) {
        flags.WindowsExtension = System->WindowsExtension();
        return flags;
    }
    // Version 5.0 and 5.1 name particular NT releases; another kind of host whose own version
    // happens to read 5.0 or 5.1 is neither.
    flags.WindowsNT = version.PlatformId == PLATFORM_ID_WINDOWS_NT;
    flags.Windows2000 = flags.WindowsNT && version.VersionLowByte == 5 && version.MinorVersion == 0;
    flags.WindowsXP = flags.WindowsNT && version.VersionLowByte == 5 && version.MinorVersion == 1;
    flags.WindowsExtension = true;
    return flags;
}

const TLMDSIPlatformFlags& LMDSIPlatformFlags()
{
    static const TLMDSIPlatformFlags flags = LMDSIPlatformFlagsOf(System());
    return flags;
}

// The extended query is asked first wherever the platform has it: the old one cannot report
// more than 4 GB and so understates every machine with more memory than that.
TMemoryStatusEx LMDSIMemoryStatus()
{
    const ISystemInfo* system = System();
    if (!system)
        return {};
    TMemoryStatusEx status;
    status.dwLength = sizeof(TMemoryStatusEx);
    if (system->MemoryStatusEx(status))
        return status;
    return Widened(system->MemoryStatus());
}

int64_t LMDSIMemTotal() { return SignedCount(LMDSIMemoryStatus().ullTotalPhys); }
int64_t LMDSIMemFree() { return SignedCount(LMDSIMemoryStatus().ullAvailPhys); }
int64_t LMDSIMemPageTotal() { return SignedCount(LMDSIMemoryStatus().ullTotalPageFile); }
int64_t LMDSIMemPageFree() { return SignedCount(LMDSIMemoryStatus().ullAvailPageFile); }
int64_t LMDSIMemVirtTotal() { return SignedCount(LMDSIMemoryStatus().ullTotalVirtual); }
int64_t LMDSIMemVirtFree() { return SignedCount(LMDSIMemoryStatus().ullAvailVirtual); }
int64_t LMDSIMemVirtExtended() { return SignedCount(LMDSIMemoryStatus().ullAvailExtendedVirtual); }

uint8_t LMDSIMemLoaded()
{
    const uint32_t load = LMDSIMemoryStatus().dwMemoryLoad;
    return load <= 100 ? static_cast<uint8_t>(load) : 0;
}

std::string LMDSIProcessorTypeStr() { return ProcessorTypeText(SystemInfoRecord().ProcessorType); }

uint8_t LMDSIProcessorCount() { return static_cast<uint8_t>(SystemInfoRecord().NumberOfProcessors & 0xFF); }
