#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ISystemInfo.h"

// The user's and machine's names come from the C library (the password database, the host
// name), the temporary folder from TMPDIR (else /tmp), the time zone from the C library's zone
// data. Memory, processors and version as the Linux kernel reports them: memory from
// <proc>/meminfo (with the sysinfo call when that file cannot be read), the process's
// address space from <proc>/self/status and the address-space limit, the processor level from
// <proc>/cpuinfo, the processor count from sysconf and the version from uname. The proc
// folder is a parameter so tests can hand it prepared files.
class TLinuxSystemInfo : public ISystemInfo {
public:
    explicit TLinuxSystemInfo(std::string ProcFolder = "/proc") : FProcFolder(std::move(ProcFolder)) {}

    TMemoryStatus MemoryStatus() const override;
    bool MemoryStatusEx(TMemoryStatusEx& Status) const override;
    TSystemInfoRecord SystemInfo() const override;
    TOSVersion Version() const override;
    bool WindowsExtension() const override { return false; }
    std::optional<TReportedName> UserName(uint32_t BufferSize) const override;
    std::optional<std::string> ComputerName() const override;
    // Linux has no system folders of that kind: both are empty.
    std::string WindowsDirectory() const override { return {}; }
    std::string SystemDirectory() const override { return {}; }
    std::string TempPath() const override;
    TTimeZone TimeZone() const override;
    // Language identifiers are not Linux's: the identifier is 0 and the name is that of the
    // user's language and territory from the locale data ("English (United States)").
    uint16_t DefaultLanguageId() const override { return 0; }
    std::string LanguageName(uint16_t LanguageId) const override;
    // Linux has no such library.
    std::optional<int32_t> FreeResources(TResourceKind) const override { return std::nullopt; }

    // The value of a "Key: number [kB]" line of a proc file, if the text has such a line
    // whose number fits 64 bits.
    static std::optional<uint64_t> ProcFileNumber(std::string_view Text, std::string_view Key);
    // The major, minor and build numbers of a kernel release text such as "6.1.0-18-amd64";
    // a missing or oversized part reads as 0.
    static TOSVersion KernelVersionOf(std::string_view Release);

private:
    std::string FProcFolder;

    std::optional<TMemoryStatusEx> FromMemInfo() const;
    std::optional<TMemoryStatusEx> FromSysinfoCall() const;
    void AddAddressSpace(TMemoryStatusEx& Status) const;
};

