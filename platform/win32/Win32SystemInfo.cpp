#include <windows.h>

#include "platform/ISystemInfo.h"
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

}  // namespace

ISystemInfo* Win32SystemInfo()
{
    static TWin32SystemInfo system;
    return &system;
}
