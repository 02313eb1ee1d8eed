#include "platform/linux/LinuxSystemInfo.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>

#include <langinfo.h>
#include <locale.h>
#include <pwd.h>
#include <time.h>

#include <cstdlib>
#include <mutex>
#include <vector>

#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "platform/linux/LinuxServices.h"

namespace {

// Proc files are small; reading stops here so that a strange file cannot make a query slow.
constexpr size_t MaxProcFileBytes = 1 << 20;

std::string ReadProcFile(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    std::string text;
    char chunk[4096];
    while (in && text.size() < MaxProcFileBytes) {
        in.read(chunk, sizeof chunk);
        text.append(chunk, static_cast<size_t>(in.gcount()));
    }
    return text;
}

uint64_t SaturatingProduct(uint64_t A, uint64_t B)
{
    if (A != 0 && B > std::numeric_limits<uint64_t>::max() / A)
        return std::numeric_limits<uint64_t>::max();
    return A * B;
}

uint64_t SaturatingSum(uint64_t A, uint64_t B)
{
    return B > std::numeric_limits<uint64_t>::max() - A ? std::numeric_limits<uint64_t>::max() : A + B;
}

uint32_t Narrowed(uint64_t Bytes)
{
    return Bytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(Bytes);
}

// The share of physical memory in use, in whole percent. Available memory beyond the total
// (which a consistent kernel never reports) counts as all of it.
uint32_t LoadPercent(uint64_t Total, uint64_t Available)
{
    if (Total == 0)
        return 0;
    if (Available > Total)
        Available = Total;
    const double used = static_cast<double>(Total - Available) / static_cast<double>(Total);
    return static_cast<uint32_t>(std::lround(used * 100.0));
}

// Fills in the figures that follow from physical memory and swap.
TMemoryStatusEx StatusOf(uint64_t TotalPhys, uint64_t AvailPhys, uint64_t TotalSwap, uint64_t FreeSwap)
{
    TMemoryStatusEx status;
    status.ullTotalPhys = TotalPhys;
    status.ullAvailPhys = AvailPhys < TotalPhys ? AvailPhys : TotalPhys;
    status.dwMemoryLoad = LoadPercent(TotalPhys, AvailPhys);
    // What can be committed: memory and swap together.
    status.ullTotalPageFile = SaturatingSum(TotalPhys, TotalSwap);
    status.ullAvailPageFile = SaturatingSum(status.ullAvailPhys, FreeSwap < TotalSwap ? FreeSwap : TotalSwap);
    return status;
}

// The user part of the address space of a process of this program's width, when no limit is set.
uint64_t UserAddressSpace()
{
    return sizeof(void*) == 8 ? uint64_t{1} << 47 : uint64_t{3} << 30;
}

uint32_t NumberOrZero(std::string_view Text)
{
    uint32_t value = 0;
    const auto result = std::from_chars(Text.data(), Text.data() + Text.size(), value);
    return result.ec == std::errc() ? value : 0;
}

// The processor-type number and architecture this program sees, by the architecture it was
// built for: a 64-bit x86 program sees an x86-64 processor, a 32-bit one the x86 generation
// the kernel names.
void SetArchitecture(TSystemInfoRecord& Record)
{
#if defined(__x86_64__)
    Record.ProcessorArchitecture = PROCESSOR_ARCH_AMD64;
    Record.ProcessorType = PROCESSOR_TYPE_AMD_X8664;
#elif defined(__i386__)
    utsname names{};
    uname(&names);
    const std::string_view machine = names.machine;
    Record.ProcessorArchitecture = PROCESSOR_ARCH_INTEL;
    Record.ProcessorType = machine == "i386"   ? PROCESSOR_TYPE_INTEL_386
                           : machine == "i486" ? PROCESSOR_TYPE_INTEL_486
                                               : PROCESSOR_TYPE_INTEL_PENTIUM;
#elif defined(__aarch64__)
    Record.ProcessorArchitecture = PROCESSOR_ARCH_ARM64;
#elif defined(__arm__)
    Record.ProcessorArchitecture = PROCESSOR_ARCH_ARM;
#else
    Record.ProcessorArchitecture = PROCESSOR_ARCH_UNKNOWN;
#endif
}

// The value of "Key<blanks or tabs>: value" on the first line that has Key, without the blanks.
std::optional<std::string_view> ProcFileField(std::string_view Text, std::string_view Key)
{
    size_t lineStart = 0;
    while (lineStart < Text.size()) {
        size_t lineEnd = Text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = Text.size();
        std::string_view line = Text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        std::string_view name = line.substr(0, colon);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
            name.remove_suffix(1);
        if (name != Key)
            continue;
        std::string_view value = line.substr(colon + 1);
        while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
            value.remove_prefix(1);
        return value;
    }
    return std::nullopt;
}

}  // namespace

std::optional<uint64_t> TLinuxSystemInfo::ProcFileNumber(std::string_view Text, std::string_view Key)
{
    const auto value = ProcFileField(Text, Key);
    if (!value)
        return std::nullopt;
    uint64_t number = 0;
    const auto result = std::from_chars(value->data(), value->data() + value->size(), number);
    if (result.ec != std::errc())
        return std::nullopt;
    return number;
}

TOSVersion TLinuxSystemInfo::KernelVersionOf(std::string_view Release)
{
    uint32_t parts[3] = {};
    size_t start = 0;
    for (int i = 0; i < 3 && start <= Release.size(); ++i) {
        size_t end = start;
        while (end < Release.size() && Release[end] >= '0' && Release[end] <= '9')
            ++end;
        parts[i] = NumberOrZero(Release.substr(start, end - start));
        if (end >= Release.size() || Release[end] != '.')
            break;
        start = end + 1;
    }
    TOSVersion version;
    version.PlatformId = PLATFORM_ID_OTHER;
    version.MajorVersion = parts[0];
    version.MinorVersion = parts[1];
    version.BuildNumber = parts[2];
    version.VersionLowByte = static_cast<uint8_t>(parts[0] & 0xFF);
    return version;
}

// The kernel's estimate of memory available without swapping is the figure that matches
// "available" best; kernels too old to give it get free memory plus the caches.
std::optional<TMemoryStatusEx> TLinuxSystemInfo::FromMemInfo() const
{
    const std::string text = ReadProcFile(FProcFolder + "/meminfo");
    const auto total = ProcFileNumber(text, "MemTotal");
    if (!total || *total == 0)
        return std::nullopt;
    auto available = ProcFileNumber(text, "MemAvailable");
    if (!available) {
        const auto free = ProcFileNumber(text, "MemFree");
        if (!free)
            return std::nullopt;
        available = SaturatingSum(SaturatingSum(*free, ProcFileNumber(text, "Buffers").value_or(0)),
                                  ProcFileNumber(text, "Cached").value_or(0));
    }
    return StatusOf(SaturatingProduct(*total, 1024), SaturatingProduct(*available, 1024),
                    SaturatingProduct(ProcFileNumber(text, "SwapTotal").value_or(0), 1024),
                    SaturatingProduct(ProcFileNumber(text, "SwapFree").value_or(0), 1024));
}

std::optional<TMemoryStatusEx> TLinuxSystemInfo::FromSysinfoCall() const
{
    struct sysinfo info {};
    if (sysinfo(&info) != 0 || info.totalram == 0)
        return std::nullopt;
    const uint64_t unit = info.mem_unit ? info.mem_unit : 1;
    return StatusOf(SaturatingProduct(info.totalram, unit),
                    SaturatingProduct(SaturatingSum(info.freeram, info.bufferram), unit),
                    SaturatingProduct(info.totalswap, unit), SaturatingProduct(info.freeswap, unit));
}

void TLinuxSystemInfo::AddAddressSpace(TMemoryStatusEx& Status) const
{
    uint64_t total = UserAddressSpace();
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < total)
        total = limit.rlim_cur;
    const uint64_t used = SaturatingProduct(ProcFileNumber(ReadProcFile(FProcFolder + "/self/status"), "VmSize").value_or(0), 1024);
    Status.ullTotalVirtual = total;
    Status.ullAvailVirtual = used < total ? total - used : 0;
    Status.ullAvailExtendedVirtual = 0;
}

bool TLinuxSystemInfo::MemoryStatusEx(TMemoryStatusEx& Status) const
{
    auto status = FromMemInfo();
    if (!status)
        status = FromSysinfoCall();
    if (!status)
        return false;
    AddAddressSpace(*status);
    Status = *status;
    return true;
}

TMemoryStatus TLinuxSystemInfo::MemoryStatus() const
{
    TMemoryStatusEx wide;
    TMemoryStatus status;
    if (!MemoryStatusEx(wide))
        return status;
    status.dwMemoryLoad = wide.dwMemoryLoad;
    status.dwTotalPhys = Narrowed(wide.ullTotalPhys);
    status.dwAvailPhys = Narrowed(wide.ullAvailPhys);
    status.dwTotalPageFile = Narrowed(wide.ullTotalPageFile);
    status.dwAvailPageFile = Narrowed(wide.ullAvailPageFile);
    status.dwTotalVirtual = Narrowed(wide.ullTotalVirtual);
    status.dwAvailVirtual = Narrowed(wide.ullAvailVirtual);
    return status;
}

// The processor count is the number of processors online; the level and revision are those of
// the first processor listed, as family and model * 256 + stepping.
TSystemInfoRecord TLinuxSystemInfo::SystemInfo() const
{
    TSystemInfoRecord record;
    SetArchitecture(record);
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    record.NumberOfProcessors = online > 0 ? static_cast<uint32_t>(online) : 0;

    const std::string cpuinfo = ReadProcFile(FProcFolder + "/cpuinfo");
    const uint64_t family = ProcFileNumber(cpuinfo, "cpu family").value_or(0);
    const uint64_t model = ProcFileNumber(cpuinfo, "model").value_or(0);
    const uint64_t stepping = ProcFileNumber(cpuinfo, "stepping").value_or(0);
    record.ProcessorLevel = static_cast<uint16_t>(family <= 0xFFFF ? family : 0);
    record.ProcessorRevision = static_cast<uint16_t>(((model <= 0xFF ? model : 0) << 8) | (stepping <= 0xFF ? stepping : 0));
    return record;
}

TOSVersion TLinuxSystemInfo::Version() const
{
    utsname names{};
    if (uname(&names) != 0)
        return TOSVersion{};
    return KernelVersionOf(names.release);
}

// The name of the effective user in the password database, else the login name; the reported
// length counts a terminating NUL as the system's own call does.
std::optional<TReportedName> TLinuxSystemInfo::UserName(uint32_t BufferSize) const
{
    std::string name;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        name = found->pw_name;
    else if (const char* login = getlogin())
        name = login;
    if (name.empty() || name.size() >= BufferSize)
        return std::nullopt;
    return TReportedName{name, static_cast<uint32_t>(name.size() + 1)};
}

std::optional<std::string> TLinuxSystemInfo::ComputerName() const
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0 || !name[0])
        return std::nullopt;
    return std::string(name);
}

std::string TLinuxSystemInfo::TempPath() const
{
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder && *folder ? folder : "/tmp";
    if (path.back() != '/')
        path += '/';
    return path;
}

// The C library's zone data for TZ (or the system's zone): the standard time's abbreviation
// and its distance west of UTC, which the library counts in seconds.
TTimeZone TLinuxSystemInfo::TimeZone() const
{
    static std::mutex zoneData;
    const std::lock_guard<std::mutex> lock(zoneData);
    tzset();
    TTimeZone zone;
    zone.StandardName = tzname[0] ? tzname[0] : "";
    zone.Bias = static_cast<int32_t>(timezone / 60);
    return zone;
}

std::string TLinuxSystemInfo::LanguageName(uint16_t) const
{
    locale_t locale = newlocale(LC_IDENTIFICATION_MASK, "", static_cast<locale_t>(0));
    if (!locale)
        return {};
    const std::string language = nl_langinfo_l(_NL_IDENTIFICATION_LANGUAGE, locale);
    const std::string territory = nl_langinfo_l(_NL_IDENTIFICATION_TERRITORY, locale);
    freelocale(locale);
    if (language.empty())
        return {};
    return territory.empty() || territory == "ISO" ? language : language + " (" + territory + ")";
}

ISystemInfo* LinuxSystemInfo()
{
    static TLinuxSystemInfo system;
    return &system;
}
