#include "platform/headless/HeadlessSystemInfo.h"

THeadlessSystemInfo::THeadlessSystemInfo()
{
    const uint64_t mb = 1024 * 1024;
    FMemoryStatusEx.dwMemoryLoad = 50;
    FMemoryStatusEx.ullTotalPhys = 512 * mb;
    FMemoryStatusEx.ullAvailPhys = 256 * mb;
    FMemoryStatusEx.ullTotalPageFile = 1024 * mb;
    FMemoryStatusEx.ullAvailPageFile = 768 * mb;
    FMemoryStatusEx.ullTotalVirtual = 2048 * mb;
    FMemoryStatusEx.ullAvailVirtual = 2000 * mb;

    FMemoryStatus.dwMemoryLoad = FMemoryStatusEx.dwMemoryLoad;
    FMemoryStatus.dwTotalPhys = static_cast<uint32_t>(FMemoryStatusEx.ullTotalPhys);
    FMemoryStatus.dwAvailPhys = static_cast<uint32_t>(FMemoryStatusEx.ullAvailPhys);
    FMemoryStatus.dwTotalPageFile = static_cast<uint32_t>(FMemoryStatusEx.ullTotalPageFile);
    FMemoryStatus.dwAvailPageFile = static_cast<uint32_t>(FMemoryStatusEx.ullAvailPageFile);
    FMemoryStatus.dwTotalVirtual = static_cast<uint32_t>(FMemoryStatusEx.ullTotalVirtual);
    FMemoryStatus.dwAvailVirtual = static_cast<uint32_t>(FMemoryStatusEx.ullAvailVirtual);

    FSystemInfo.ProcessorType = PROCESSOR_TYPE_INTEL_PENTIUM;
    FSystemInfo.NumberOfProcessors = 1;
    FSystemInfo.ProcessorArchitecture = PROCESSOR_ARCH_INTEL;
    FSystemInfo.ProcessorLevel = 6;

    FVersion = {PLATFORM_ID_WINDOWS_NT, 5, 1, 2600, 5};
}

bool THeadlessSystemInfo::MemoryStatusEx(TMemoryStatusEx& Status) const
{
    if (!FMemoryStatusExAvailable)
        return false;
    Status = FMemoryStatusEx;
    return true;
}

// The name is cut to the buffer as the system would write it, with the NUL counted.
std::optional<TReportedName> THeadlessSystemInfo::UserName(uint32_t BufferSize) const
{
    if (!FUserName || FUserName->Buffer.size() >= BufferSize)
        return std::nullopt;
    return FUserName;
}

std::string THeadlessSystemInfo::LanguageName(uint16_t LanguageId) const
{
    return LanguageId == FLanguageId ? FLanguageName : "Language Neutral";
}

std::optional<int32_t> THeadlessSystemInfo::FreeResources(TResourceKind Kind) const
{
    if (!FResourceLibrary)
        return std::nullopt;
    return FResources[static_cast<uint32_t>(Kind)];
}
