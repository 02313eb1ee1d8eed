#include "sysinfo/LMDSIInfo.h"

#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "platform/IClock.h"
#include "platform/IDesktop.h"
#include "platform/IKernel.h"
#include "platform/ITimeStampCounter.h"
#include "platform/IVersionResource.h"
#include "platform/Platform.h"
#include "sysinfo/LMDSIFormatDateTime.h"
#include "sysinfo/LMDSysIn.h"

namespace {

constexpr std::array<const char*, LMDSIInfoTypeCount> Captions = {
    "Username", "Windows directory", "Current directory", "Free space on current disk",
    "Disk size of current Disk", "System directory", "Registered owner", "Registered company", "Version",
    "Colordepth (in bits)", "Screensaver delay", "Memory size", "Free system resources",
    "Free GDI resources", "Free user resources", "Computername", "Major version", "Build", "Memory loaded",
    "Memory free", "Free memory pages", "Total memory pages", "Free virtual memory", "Total virtual memory",
    "Platform ID", "Platform", "Number of processors", "Processor", "Temp path", "DOS version", "NumLock",
    "CapsLock", "ScrollLock", "Date and time", "CompanyName", "ProductName", "Version", "Version", "Version",
    "Version", "Copyright", "LegalTrademark", "FileDescription", "Comments", "CPU Speed",
};

// The names of the version resource's string entries, by kind 0 to 6.
constexpr std::array<const char*, 7> VersionEntries = {
    "CompanyName", "ProductName", "ProductVersion", "LegalCopyright", "LegalTradeMarks", "FileDescription", "Comments",
};

std::string Divided32(uint32_t Value, uint32_t Divisor) { return std::to_string(Value / Divisor); }
std::string Divided64(int64_t Value, uint32_t Divisor) { return std::to_string(Value / static_cast<int64_t>(Divisor)); }
std::string OnOff(bool On) { return On ? "On" : "Off"; }

uint32_t MajorVersion()
{
    const ISystemInfo* system = CurrentPlatform().System;
    return system ? system->Version().MajorVersion : 0;
}

std::string CurrentDateTime(const std::string& Format)
{
    const IClock* clock = CurrentPlatform().Clock;
    const TDateTime now = clock ? SystemTimeToDateTime(clock->LocalTime()) : 0.0;
    return LMDSIFormatDateTime(Format, now, CurrentPlatform().Locale);
}

// The general floating-point form: the shortest text of up to 15 significant digits.
std::string CpuSpeedText(uint32_t Divisor)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", LMDSIGetCPUSpeed() / static_cast<double>(Divisor));
    return text;
}

// The item's value when it is a number divided by the divisor; nothing for a text item.
std::optional<std::string> NumberItem(int Item, uint32_t Divisor)
{
    switch (Item) {
    case itCurrentDiskFree32: return Divided64(LMDSICurrentDiskFree(), Divisor);
    case itCurrentDiskSize32: return Divided64(LMDSICurrentDiskSize(), Divisor);
    case itColorDepth: return Divided32(LMDSIColorDepth(), Divisor);
    case itScreenSaverDelay: return Divided32(static_cast<uint32_t>(LMDSIScreenSaverDelay()), Divisor);
    case itMemSize: return Divided64(LMDSIMemTotal(), Divisor);
    case itFreeSysRes: return Divided32(static_cast<uint32_t>(LMDSIFreeSysRes()), Divisor);
    case itFreeGDIRes: return Divided32(static_cast<uint32_t>(LMDSIFreeGDIRes()), Divisor);
    case itFreeUserRes: return Divided32(static_cast<uint32_t>(LMDSIFreeUserRes()), Divisor);
    case itMajorVerNr32: return Divided32(MajorVersion(), Divisor);
    case itBuildNr32: return Divided32(static_cast<uint32_t>(LMDSIBuildNumber()), Divisor);
    case itMemLoaded32: return Divided32(LMDSIMemLoaded(), Divisor);
    case itMemFree32: return Divided64(LMDSIMemFree(), Divisor);
    case itMemPageFree32: return Divided64(LMDSIMemPageFree(), Divisor);
    case itMemPageTotal32: return Divided64(LMDSIMemPageTotal(), Divisor);
    case itMemVirtFree32: return Divided64(LMDSIMemVirtFree(), Divisor);
    case itMemVirtTotal32: return Divided64(LMDSIMemVirtTotal(), Divisor);
    case itPlatformID32: return Divided32(LMDSIPlatformId(), Divisor);
    case itProcessorCont32: return Divided32(LMDSIProcessorCount(), Divisor);
    case itCPUSpeed: return CpuSpeedText(Divisor);
    default: return std::nullopt;
    }
}

std::string TextItem(int Item, const std::string& Format)
{
    switch (Item) {
    case itUser: return LMDSIUserName();
    case itWinDir: return LMDSIWindowsDirectory();
    case itCurrentDir32: return LMDSICurrentDirectory();
    case itSystemDir: return LMDSISystemDirectory();
    case itReg_Owner32: return LMDSIRegisteredOwner();
    case itReg_Company32: return LMDSIRegisteredCompany();
    case itVersion: return LMDSIVersionText();
    case itComputerName32: return LMDSIComputerName();
    case itPlatform32: return LMDSIPlatformName();
    case itProcessor32: return LMDSIProcessorTypeStr();
    case itTempPath32: return LMDSITempPath();
    case itDOSVersion: return "Win32";
    case itNumLock: return OnOff(LMDSIKeyOn(VirtualKeyNumLock));
    case itCapsLock: return OnOff(LMDSIKeyOn(VirtualKeyCapsLock));
    case itScroll: return OnOff(LMDSIKeyOn(VirtualKeyScrollLock));
    case itCurrentDateTime: return CurrentDateTime(Format);
    case itProgCompany: return LMDSIVersionInfo(viCompany);
    case itProgName: return LMDSIVersionInfo(viName);
    case itProgVersion: return LMDSIVersionInfo(viVersion);
    case itFileVersion: return LMDSIVersionInfo(viFileVersion);
    case itFileVersionFull: return LMDSIVersionInfo(viFileVersionFull);
    case itFileVersionBuild: return LMDSIVersionInfo(viFileVersionBuild);
    case itProgCopyright: return LMDSIVersionInfo(viCopyright);
    case itProgTrademark: return LMDSIVersionInfo(viTrademark);
    case itProgDescription: return LMDSIVersionInfo(viDescription);
    case itProgComments: return LMDSIVersionInfo(viComments);
    default: return {};
    }
}

uint32_t LittleEndianWord(const std::vector<uint8_t>& Bytes, size_t At)
{
    return uint32_t{Bytes[At]} | uint32_t{Bytes[At + 1]} << 8 | uint32_t{Bytes[At + 2]} << 16 | uint32_t{Bytes[At + 3]} << 24;
}

std::string Hex4(uint32_t Value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", Value & 0xFFFF);
    return text;
}

// Where the string entries lie: under the first language and code page of the translation
// table, or under US English in the Windows Latin-1 code page when there is no table.
std::string StringTablePrefix(const IVersionBlock& Block)
{
    const auto translation = Block.Value("\\VarFileInfo\\Translation");
    if (!translation || translation->size() < 4)
        return "\\StringFileInfo\\040904E4\\";
    const uint32_t words = LittleEndianWord(*translation, 0);
    return "\\StringFileInfo\\" + Hex4(words) + Hex4(words >> 16) + "\\";
}

// The file version as major.minor or with release and build, from the fixed information's two
// words of the file version (bytes 8 to 15).
std::string FileVersionText(const IVersionBlock& Block, int Kind)
{
    const auto fixed = Block.Value("\\");
    if (!fixed || fixed->size() < 16)
        return {};
    const uint32_t high = LittleEndianWord(*fixed, 8);
    const uint32_t low = LittleEndianWord(*fixed, 12);
    const std::string major = std::to_string(high >> 16), minor = std::to_string(high & 0xFFFF);
    const std::string release = std::to_string(low >> 16), build = std::to_string(low & 0xFFFF);
    if (Kind == viFileVersion)
        return major + "." + minor;
    if (Kind == viFileVersionFull)
        return major + "." + minor + "." + release + "." + build;
    return major + "." + minor + " (Build " + release + "." + build + ")";
}

}  // namespace

std::string LMDSIInfoToString(int Item)
{
    return Item >= 0 && Item < LMDSIInfoTypeCount ? Captions[static_cast<size_t>(Item)] : "";
}

std::string GetSystemInfoString(int Item, uint32_t Divisor, const std::string& Format)
{
    if (Item < 0 || Item >= LMDSIInfoTypeCount)
        return {};
    const uint32_t divisor = Divisor == 0 ? 1 : Divisor;
    if (const std::optional<std::string> number = NumberItem(Item, divisor))
        return *number;
    return TextItem(Item, Format);
}

// The copy of the resource is released by its owner when the function returns, whichever way.
std::string LMDSIVersionInfo(int Kind)
{
    const IVersionResource* resource = CurrentPlatform().VersionResource;
    if (!resource || Kind < viCompany || Kind > viFileVersionBuild)
        return {};
    const std::unique_ptr<IVersionBlock> block = resource->Read();
    if (!block)
        return {};
    if (Kind >= viFileVersion)
        return FileVersionText(*block, Kind);
    const auto text = block->Value(StringTablePrefix(*block) + VersionEntries[static_cast<size_t>(Kind)]);
    if (!text)
        return {};
    const std::string value(text->begin(), text->end());
    return value.substr(0, value.find('\0'));
}

// Only the low 32 bits of the counter difference take part; a clock faster than 8.5 GHz would
// wrap within the half second, which no processor this runs on reaches.
double LMDSIGetCPUSpeed()
{
    const Platform& platform = CurrentPlatform();
    if (!platform.Kernel || !platform.Clock || !platform.TimeStampCounter)
        return 0.0;
    const uint32_t priorityClass = platform.Kernel->PriorityClass();
    const int32_t threadLevel = platform.Kernel->ThreadPriority();
    platform.Kernel->SetPriorityClass(PRIORITY_CLASS_REALTIME);
    platform.Kernel->SetThreadPriority(THREAD_LEVEL_TIME_CRITICAL);
    platform.Clock->Sleep(10);
    const uint64_t start = platform.TimeStampCounter->Read();
    platform.Clock->Sleep(500);
    const uint64_t end = platform.TimeStampCounter->Read();
    platform.Kernel->SetThreadPriority(threadLevel);
    platform.Kernel->SetPriorityClass(priorityClass);
    return static_cast<uint32_t>(end - start) / 500000.0;
}
