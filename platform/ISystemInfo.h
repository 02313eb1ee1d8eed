#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Memory figures in the old form whose counts are 32-bit byte counts (32 bytes). A count that
// does not fit is reported as 0xFFFFFFFF.
struct TMemoryStatus {
    uint32_t dwLength = 32;
    uint32_t dwMemoryLoad = 0;      // percent of physical memory in use
    uint32_t dwTotalPhys = 0;
    uint32_t dwAvailPhys = 0;
    uint32_t dwTotalPageFile = 0;
    uint32_t dwAvailPageFile = 0;
    uint32_t dwTotalVirtual = 0;
    uint32_t dwAvailVirtual = 0;
};
static_assert(sizeof(TMemoryStatus) == 32, "the old memory status record is 32 bytes");

// Memory figures in the extended form with 64-bit byte counts (64 bytes).
struct TMemoryStatusEx {
    uint32_t dwLength = 64;
    uint32_t dwMemoryLoad = 0;      // percent of physical memory in use
    uint64_t ullTotalPhys = 0;
    uint64_t ullAvailPhys = 0;
    uint64_t ullTotalPageFile = 0;  // the commit limit: physical memory plus page file
    uint64_t ullAvailPageFile = 0;
    uint64_t ullTotalVirtual = 0;   // the user-mode address space of the calling process
    uint64_t ullAvailVirtual = 0;
    uint64_t ullAvailExtendedVirtual = 0;
};
static_assert(sizeof(TMemoryStatusEx) == 64, "the extended memory status record is 64 bytes");

// Processor type numbers of the system-information record.
constexpr uint32_t PROCESSOR_TYPE_INTEL_386 = 386;
constexpr uint32_t PROCESSOR_TYPE_INTEL_486 = 486;
constexpr uint32_t PROCESSOR_TYPE_INTEL_PENTIUM = 586;
constexpr uint32_t PROCESSOR_TYPE_AMD_X8664 = 8664;

// Processor architecture numbers of the system-information record.
constexpr uint16_t PROCESSOR_ARCH_INTEL = 0;
constexpr uint16_t PROCESSOR_ARCH_ARM = 5;
constexpr uint16_t PROCESSOR_ARCH_AMD64 = 9;
constexpr uint16_t PROCESSOR_ARCH_ARM64 = 12;
constexpr uint16_t PROCESSOR_ARCH_UNKNOWN = 0xFFFF;

// The processor part of the system-information record.
struct TSystemInfoRecord {
    uint32_t ProcessorType = 0;        // 386, 486, 586, 8664, ... as the system reports it
    uint32_t NumberOfProcessors = 0;   // logical processors in the system
    uint16_t ProcessorArchitecture = PROCESSOR_ARCH_UNKNOWN;
    uint16_t ProcessorLevel = 0;       // on x86: the processor family
    uint16_t ProcessorRevision = 0;    // on x86 from the Pentium on: model * 256 + stepping
};

// Platform identifiers of the version record.
constexpr uint32_t PLATFORM_ID_WIN32S = 0;
constexpr uint32_t PLATFORM_ID_WINDOWS = 1;     // the Windows 9x family
constexpr uint32_t PLATFORM_ID_WINDOWS_NT = 2;  // the NT family
constexpr uint32_t PLATFORM_ID_OTHER = 0x100;   // a host of another kind (Linux)

// The operating system's version.
struct TOSVersion {
    uint32_t PlatformId = PLATFORM_ID_OTHER;
    uint32_t MajorVersion = 0;
    uint32_t MinorVersion = 0;
    uint32_t BuildNumber = 0;
    // The low byte of the packed version number, which is the major version.
    uint8_t VersionLowByte = 0;
};

// The user name as the system reports it: the text in the caller's buffer and the length the
// system gives, which counts the terminating NUL.
struct TReportedName {
    std::string Buffer;
    uint32_t Length = 0;
};

// The time zone: the name of its standard time and its distance from UTC in minutes
// (UTC = local time + Bias).
struct TTimeZone {
    std::string StandardName;
    int32_t Bias = 0;
};

// Kinds of the free-resource figures of the old resource library.
enum class TResourceKind : uint32_t { System = 0, Gdi = 1, User = 2 };

// Facts about the machine: memory, processors and the operating system's version. The real
// backends ask the system on every call; the headless backend answers what a test set.
class ISystemInfo {
public:
    virtual ~ISystemInfo() = default;
    // The memory figures in the old 32-bit form. This query cannot fail.
    virtual TMemoryStatus MemoryStatus() const = 0;
    // The memory figures in the extended 64-bit form. False when the host has no such query
    // or it failed; Status is then unspecified.
    virtual bool MemoryStatusEx(TMemoryStatusEx& Status) const = 0;
    virtual TSystemInfoRecord SystemInfo() const = 0;
    virtual TOSVersion Version() const = 0;
    // Whether the desktop extensions of the 9x family are installed. Only asked on that
    // family; other hosts answer false.
    virtual bool WindowsExtension() const = 0;

    // The user the program runs as, in a buffer of BufferSize characters; nothing when the
    // system cannot tell or the name does not fit.
    virtual std::optional<TReportedName> UserName(uint32_t BufferSize) const = 0;
    // The machine's name; nothing when the system cannot tell.
    virtual std::optional<std::string> ComputerName() const = 0;
    // The system's folders; empty when the system has no such folder.
    virtual std::string WindowsDirectory() const = 0;
    virtual std::string SystemDirectory() const = 0;
    // The folder for temporary files, ending with the path separator.
    virtual std::string TempPath() const = 0;
    virtual TTimeZone TimeZone() const = 0;
    // The language of the system's defaults as a language identifier, and the name of one.
    virtual uint16_t DefaultLanguageId() const = 0;
    virtual std::string LanguageName(uint16_t LanguageId) const = 0;
    // The free share in percent of a kind of the old resource library's resources; nothing when
    // the library or its entry is not there.
    virtual std::optional<int32_t> FreeResources(TResourceKind Kind) const = 0;
};
