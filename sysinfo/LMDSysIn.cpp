#include "sysinfo/LMDSysIn.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "platform/IDesktop.h"
#include "platform/IHostEnvironment.h"
#include "platform/IRegistry.h"
#include "platform/Platform.h"

namespace {

const ISystemInfo* System() { return CurrentPlatform().System; }

const char* const Unknown = "(Unknown)";
constexpr uint32_t UserNameBuffer = 63;
constexpr size_t LanguageNameBuffer = 255;

const TLMDSIPlatformFlags* OverriddenFlags = nullptr;

// UTF-16LE text (as the registry keeps strings) up to its first NUL, as UTF-8. An unpaired
// surrogate becomes U+FFFD.
std::string Utf8OfUtf16(const std::vector<uint8_t>& Bytes)
{
    std::string out;
    const size_t units = Bytes.size() / 2;
    auto unit = [&](size_t i) { return static_cast<uint32_t>(Bytes[2 * i] | (Bytes[2 * i + 1] << 8)); };
    for (size_t i = 0; i < units; ++i) {
        uint32_t c = unit(i);
        if (c == 0)
            break;
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(++i) - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// A string value of the system's registration key; "(Unknown)" when the key cannot be opened,
// empty when it has no such string.
std::string RegistrationValue(const char* Name)
{
    IRegistry* registry = CurrentPlatform().Registry;
    if (!registry)
        return Unknown;
    const std::string path = std::string("SOFTWARE\\Microsoft\\") + (LMDSIWindowsNT() ? "Windows NT" : "Windows") + "\\CurrentVersion";
    const std::unique_ptr<IRegistryKey> key = registry->OpenKey(RegRoot::LocalMachine, path, KEY_READ_MASK, false);
    if (!key)
        return Unknown;
    const RegQueryResult size = key->QueryValue(Name, nullptr, 0);
    if (size.Type != RegValueType::String && size.Type != RegValueType::ExpandString)
        return {};
    std::vector<uint8_t> bytes(size.Size);
    if (bytes.empty() || !key->QueryValue(Name, bytes.data(), static_cast<uint32_t>(bytes.size())).Ok)
        return {};
    return Utf8OfUtf16(bytes);
}

IDesktop* Desktop() { return CurrentPlatform().Desktop; }
IHostEnvironment* Environment() { return CurrentPlatform().Environment; }

std::optional<TDiskSpace> CurrentDiskSpace()
{
    IHostEnvironment* environment = Environment();
    if (!environment)
        return std::nullopt;
    return environment->DiskSpace(environment->DriveRootOf(environment->CurrentDirectory()));
}

// A library figure: 100 when the library or its entry is missing, which is what a machine
// without the old resource library had free.
int32_t FreeResources(TResourceKind Kind)
{
    const ISystemInfo* system = System();
    const std::optional<int32_t> free = system ? system->FreeResources(Kind) : std::nullopt;
    return free ? *free : 100;
}

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
    return OverriddenFlags ? *OverriddenFlags : flags;
}

void LMDSIOverridePlatformFlags(const TLMDSIPlatformFlags* Flags) { OverriddenFlags = Flags; }

// The extended query is asked first wherever the platform has it, whatever the version flags
// say: the old one cannot report more than 4 GB and so understates every machine with more
// memory than that.
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

uint8_t LMDSIMemLoaded() { return static_cast<uint8_t>(LMDSIMemoryStatus().dwMemoryLoad & 0xFF); }

std::string LMDSIProcessorTypeStr() { return ProcessorTypeText(SystemInfoRecord().ProcessorType); }

uint8_t LMDSIProcessorCount() { return static_cast<uint8_t>(SystemInfoRecord().NumberOfProcessors & 0xFF); }

// The platform counts the terminating NUL in the length it reports, so the name is one
// character shorter; a length beyond the buffer is cut to what the buffer holds.
std::string LMDSIUserName()
{
    const ISystemInfo* system = System();
    const std::optional<TReportedName> name = system ? system->UserName(UserNameBuffer) : std::nullopt;
    if (!name)
        return Unknown;
    const size_t length = name->Length > 0 ? name->Length - 1 : 0;
    return name->Buffer.substr(0, std::min<size_t>(length, UserNameBuffer));
}

std::string LMDSIComputerName()
{
    const ISystemInfo* system = System();
    const std::optional<std::string> name = system ? system->ComputerName() : std::nullopt;
    return name ? *name : Unknown;
}

std::string LMDSIRegisteredOwner() { return RegistrationValue("RegisteredOwner"); }
std::string LMDSIRegisteredCompany() { return RegistrationValue("RegisteredOrganization"); }

std::string LMDSIVersionText()
{
    const ISystemInfo* system = System();
    const TOSVersion version = system ? system->Version() : TOSVersion{};
    return std::to_string(version.MajorVersion) + "." + std::to_string(version.MinorVersion);
}

int32_t LMDSIBuildNumber()
{
    const ISystemInfo* system = System();
    return system ? static_cast<int32_t>(system->Version().BuildNumber & 0xFFFF) : 0;
}

uint32_t LMDSIPlatformId()
{
    const ISystemInfo* system = System();
    return system ? system->Version().PlatformId : PLATFORM_ID_OTHER;
}

std::string LMDSIPlatformName()
{
    switch (LMDSIPlatformId()) {
    case PLATFORM_ID_WIN32S: return "Win32s";
    case PLATFORM_ID_WINDOWS: return "Windows 95";
    case PLATFORM_ID_WINDOWS_NT: return "Windows NT";
    default: return Unknown;
    }
}

std::string LMDSIWindowsDirectory()
{
    const ISystemInfo* system = System();
    return system ? system->WindowsDirectory() : std::string();
}

std::string LMDSISystemDirectory()
{
    const ISystemInfo* system = System();
    return system ? system->SystemDirectory() : std::string();
}

std::string LMDSITempPath()
{
    const ISystemInfo* system = System();
    return system ? system->TempPath() : std::string();
}

std::string LMDSICurrentDirectory()
{
    const IHostEnvironment* environment = Environment();
    return environment ? environment->CurrentDirectory() : std::string();
}

// The name is read into a buffer of 255 characters and taken up to its first NUL.
std::string LMDSIDefaultLanguageName()
{
    const ISystemInfo* system = System();
    if (!system)
        return {};
    std::string name = system->LanguageName(system->DefaultLanguageId());
    name = name.substr(0, name.find('\0'));
    return name.substr(0, LanguageNameBuffer - 1);
}

std::string LMDSITimeZoneName()
{
    const ISystemInfo* system = System();
    return system ? system->TimeZone().StandardName : std::string();
}

int32_t LMDSIScreenSaverDelay()
{
    IDesktop* desktop = Desktop();
    int32_t seconds = 0;
    if (desktop)
        desktop->SystemParameters(SystemParameter::GetScreenSaveTimeout, 0, &seconds, 0);
    return seconds / 60;
}

uint8_t LMDSIColorDepth()
{
    const IDesktop* desktop = Desktop();
    return desktop ? static_cast<uint8_t>(desktop->ColorBits() & 0xFF) : 0;
}

bool LMDSIKeyOn(uint8_t VirtualKey)
{
    const IDesktop* desktop = Desktop();
    return desktop && (desktop->KeyState(VirtualKey) & 0xFF) == 1;
}

int32_t LMDSIFreeSysRes() { return FreeResources(TResourceKind::System); }
int32_t LMDSIFreeGDIRes() { return FreeResources(TResourceKind::Gdi); }
int32_t LMDSIFreeUserRes() { return FreeResources(TResourceKind::User); }

int64_t LMDSICurrentDiskSize()
{
    const std::optional<TDiskSpace> space = CurrentDiskSpace();
    return space ? space->Total : 0;
}

int64_t LMDSICurrentDiskFree()
{
    const std::optional<TDiskSpace> space = CurrentDiskSpace();
    return space ? space->Free : 0;
}
