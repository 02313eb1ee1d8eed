#include <windows.h>

#include <lmcons.h>

#include <string>
#include <vector>

#include "platform/ISystemInfo.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"

namespace {

constexpr UINT SpiGetWindowsExtension = 92;

uint32_t Narrowed(SIZE_T Bytes)
{
    return Bytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(Bytes);
}

// Releases a loaded module when the query is done, however it ends.
class TModuleReference {
public:
    explicit TModuleReference(const wchar_t* Name) : FModule(LoadLibraryW(Name)) {}
    ~TModuleReference()
    {
        if (FModule)
            FreeLibrary(FModule);
    }
    TModuleReference(const TModuleReference&) = delete;
    TModuleReference& operator=(const TModuleReference&) = delete;
    HMODULE Module() const { return FModule; }

private:
    HMODULE FModule;
};

// The machine through the kernel's own queries.
class TWin32SystemInfo : public ISystemInfo {
public:
    TMemoryStatus MemoryStatus() const override;
    bool MemoryStatusEx(TMemoryStatusEx& Status) const override;
    TSystemInfoRecord SystemInfo() const override;
    TOSVersion Version() const override;
    bool WindowsExtension() const override;
    std::optional<TReportedName> UserName(uint32_t BufferSize) const override;
    std::optional<std::string> ComputerName() const override;
    std::string WindowsDirectory() const override { return Folder(GetWindowsDirectoryW); }
    std::string SystemDirectory() const override { return Folder(GetSystemDirectoryW); }
    std::string TempPath() const override;
    TTimeZone TimeZone() const override;
    uint16_t DefaultLanguageId() const override { return GetSystemDefaultLangID(); }
    std::string LanguageName(uint16_t LanguageId) const override;
    std::optional<int32_t> FreeResources(TResourceKind Kind) const override;

private:
    // A system folder into a buffer of MAX_PATH characters, cut to the length the system
    // reports; empty when it reports 0 or a length that does not fit.
    static std::string Folder(UINT(WINAPI* Query)(LPWSTR, UINT))
    {
        wchar_t buffer[MAX_PATH + 1] = {};
        const UINT length = Query(buffer, MAX_PATH);
        return length > 0 && length <= MAX_PATH ? Narrow(std::wstring(buffer, length)) : std::string();
    }
};

TMemoryStatus TWin32SystemInfo::MemoryStatus() const
{
    MEMORYSTATUS ms{};
    ms.dwLength = sizeof ms;
    GlobalMemoryStatus(&ms);
    TMemoryStatus status;
    status.dwMemoryLoad = ms.dwMemoryLoad;
    status.dwTotalPhys = Narrowed(ms.dwTotalPhys);
    status.dwAvailPhys = Narrowed(ms.dwAvailPhys);
    status.dwTotalPageFile = Narrowed(ms.dwTotalPageFile);
    status.dwAvailPageFile = Narrowed(ms.dwAvailPageFile);
    status.dwTotalVirtual = Narrowed(ms.dwTotalVirtual);
    status.dwAvailVirtual = Narrowed(ms.dwAvailVirtual);
    return status;
}

// The extended query is looked up at run time because the oldest systems lack it; it is
// missing there and the caller falls back to the old query.
bool TWin32SystemInfo::MemoryStatusEx(TMemoryStatusEx& Status) const
{
    using TGlobalMemoryStatusEx = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
    const TModuleReference kernel(L"kernel32.dll");
    if (!kernel.Module())
        return false;
    const FARPROC entry = GetProcAddress(kernel.Module(), "GlobalMemoryStatusEx");
    if (!entry)
        return false;
    const auto query = reinterpret_cast<TGlobalMemoryStatusEx>(reinterpret_cast<void (*)()>(entry));
    MEMORYSTATUSEX ex{};
    ex.dwLength = sizeof ex;
    if (!query(&ex))
        return false;
    Status.dwLength = ex.dwLength;
    Status.dwMemoryLoad = ex.dwMemoryLoad;
    Status.ullTotalPhys = ex.ullTotalPhys;
    Status.ullAvailPhys = ex.ullAvailPhys;
    Status.ullTotalPageFile = ex.ullTotalPageFile;
    Status.ullAvailPageFile = ex.ullAvailPageFile;
    Status.ullTotalVirtual = ex.ullTotalVirtual;
    Status.ullAvailVirtual = ex.ullAvailVirtual;
    Status.ullAvailExtendedVirtual = ex.ullAvailExtendedVirtual;
    return true;
}

TSystemInfoRecord TWin32SystemInfo::SystemInfo() const
{
    SYSTEM_INFO si{};
    GetSystemInfo(&si);
    TSystemInfoRecord record;
    record.ProcessorType = si.dwProcessorType;
    record.NumberOfProcessors = si.dwNumberOfProcessors;
    record.ProcessorArchitecture = si.wProcessorArchitecture;
    record.ProcessorLevel = si.wProcessorLevel;
    record.ProcessorRevision = si.wProcessorRevision;
    return record;
}

TOSVersion TWin32SystemInfo::Version() const
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    TOSVersion version;
    if (!GetVersionExA(&info))
        return version;
    version.PlatformId = info.dwPlatformId;
    version.MajorVersion = info.dwMajorVersion;
    version.MinorVersion = info.dwMinorVersion;
    version.BuildNumber = info.dwBuildNumber;
    version.VersionLowByte = LOBYTE(LOWORD(GetVersion()));
    return version;
}

bool TWin32SystemInfo::WindowsExtension() const
{
    return SystemParametersInfoA(SpiGetWindowsExtension, 1, nullptr, 0) != 0;
}

// The name is read with the wide call and handed on as UTF-8; the length reported with it is
// that of the UTF-8 text with its terminator counted, as the system counts it.
std::optional<TReportedName> TWin32SystemInfo::UserName(uint32_t BufferSize) const
{
    wchar_t buffer[UNLEN + 1] = {};
    DWORD length = UNLEN + 1;
    if (!GetUserNameW(buffer, &length) || length == 0)
        return std::nullopt;
    const std::string name = Narrow(std::wstring(buffer, length - 1));
    if (name.size() >= BufferSize)
        return std::nullopt;
    return TReportedName{name, static_cast<uint32_t>(name.size() + 1)};
}

std::optional<std::string> TWin32SystemInfo::ComputerName() const
{
    wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(buffer, &length))
        return std::nullopt;
    return Narrow(std::wstring(buffer, length));
}

std::string TWin32SystemInfo::TempPath() const
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH, buffer);
    return length > 0 && length <= MAX_PATH ? Narrow(std::wstring(buffer, length)) : std::string();
}

TTimeZone TWin32SystemInfo::TimeZone() const
{
    TIME_ZONE_INFORMATION info{};
    TTimeZone zone;
    if (GetTimeZoneInformation(&info) == TIME_ZONE_ID_INVALID)
        return zone;
    zone.StandardName = Narrow(std::wstring(info.StandardName, wcsnlen(info.StandardName, 32)));
    zone.Bias = info.Bias;
    return zone;
}

std::string TWin32SystemInfo::LanguageName(uint16_t LanguageId) const
{
    wchar_t buffer[256] = {};
    const DWORD length = VerLanguageNameW(LanguageId, buffer, 255);
    return Narrow(std::wstring(buffer, wcsnlen(buffer, length < 255 ? length : 255)));
}

// The old resource library of the 9x family, loaded for the one query and released again.
std::optional<int32_t> TWin32SystemInfo::FreeResources(TResourceKind Kind) const
{
    using TQuery = int(WINAPI*)(int);
    const TModuleReference library(L"RSRC32.DLL");
    if (!library.Module())
        return std::nullopt;
    const FARPROC entry = GetProcAddress(library.Module(), "_MyGetFreeSystemResources32@4");
    if (!entry)
        return std::nullopt;
    const auto query = reinterpret_cast<TQuery>(reinterpret_cast<void (*)()>(entry));
    return query(static_cast<int>(Kind));
}

}  // namespace

ISystemInfo* Win32SystemInfo()
{
    static TWin32SystemInfo system;
    return &system;
}
