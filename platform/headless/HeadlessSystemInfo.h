#pragma once
#include "platform/ISystemInfo.h"

// A machine whose memory, processors and version a test sets. It starts as a single-processor
// NT 5.1 machine with 512 MB of memory that answers both memory queries.
class THeadlessSystemInfo : public ISystemInfo {
public:
    THeadlessSystemInfo();

    TMemoryStatus MemoryStatus() const override { return FMemoryStatus; }
    bool MemoryStatusEx(TMemoryStatusEx& Status) const override;
    TSystemInfoRecord SystemInfo() const override { return FSystemInfo; }
    TOSVersion Version() const override { return FVersion; }
    bool WindowsExtension() const override { return FWindowsExtension; }

    void SetMemoryStatus(const TMemoryStatus& Value) { FMemoryStatus = Value; }
    void SetMemoryStatusEx(const TMemoryStatusEx& Value) { FMemoryStatusEx = Value; }
    // Whether the extended memory query exists and succeeds; when false it reports failure.
    void SetMemoryStatusExAvailable(bool Value) { FMemoryStatusExAvailable = Value; }
    void SetSystemInfo(const TSystemInfoRecord& Value) { FSystemInfo = Value; }
    void SetVersion(const TOSVersion& Value) { FVersion = Value; }
    void SetWindowsExtension(bool Value) { FWindowsExtension = Value; }

private:
    TMemoryStatus FMemoryStatus;
    TMemoryStatusEx FMemoryStatusEx;
    bool FMemoryStatusExAvailable = true;
    TSystemInfoRecord FSystemInfo;
    TOSVersion FVersion;
    bool FWindowsExtension = false;
};
