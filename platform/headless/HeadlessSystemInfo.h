#pragma once
#include <optional>
#include <string>

#include "platform/ISystemInfo.h"

// A machine whose memory, processors and version a test sets. It starts as a single-processor
// NT 5.1 machine with 512 MB of memory that answers both memory queries, run by
// user Tester on machine TESTBOX in US English, without the old resource library.
class THeadlessSystemInfo : public ISystemInfo {
public:
    THeadlessSystemInfo();

    TMemoryStatus MemoryStatus() const override { return FMemoryStatus; }
    bool MemoryStatusEx(TMemoryStatusEx& Status) const override;
    TSystemInfoRecord SystemInfo() const override { return FSystemInfo; }
    TOSVersion Version() const override { return FVersion; }
    bool WindowsExtension() const override { return FWindowsExtension; }
    std::optional<TReportedName> UserName(uint32_t BufferSize) const override;
    std::optional<std::string> ComputerName() const override { return FComputerName; }
    std::string WindowsDirectory() const override { return FWindowsDirectory; }
    std::string SystemDirectory() const override { return FSystemDirectory; }
    std::string TempPath() const override { return FTempPath; }
    TTimeZone TimeZone() const override { return FTimeZone; }
    uint16_t DefaultLanguageId() const override { return FLanguageId; }
    std::string LanguageName(uint16_t LanguageId) const override;
    std::optional<int32_t> FreeResources(TResourceKind Kind) const override;

    void SetMemoryStatus(const TMemoryStatus& Value) { FMemoryStatus = Value; }
    void SetMemoryStatusEx(const TMemoryStatusEx& Value) { FMemoryStatusEx = Value; }
    // Whether the extended memory query exists and succeeds; when false it reports failure.
    void SetMemoryStatusExAvailable(bool Value) { FMemoryStatusExAvailable = Value; }
    void SetSystemInfo(const TSystemInfoRecord& Value) { FSystemInfo = Value; }
    void SetVersion(const TOSVersion& Value) { FVersion = Value; }
    void SetWindowsExtension(bool Value) { FWindowsExtension = Value; }
    // The user name and the length the system reports with it; nothing makes the query fail.
    void SetUserName(std::optional<TReportedName> Value) { FUserName = std::move(Value); }
    void SetComputerName(std::optional<std::string> Value) { FComputerName = std::move(Value); }
    void SetDirectories(const std::string& Windows, const std::string& System, const std::string& Temp)
    {
        FWindowsDirectory = Windows;
        FSystemDirectory = System;
        FTempPath = Temp;
    }
    void SetTimeZone(const TTimeZone& Value) { FTimeZone = Value; }
    void SetDefaultLanguage(uint16_t Id, const std::string& Name)
    {
        FLanguageId = Id;
        FLanguageName = Name;
    }
    // The free percentages of the resource library, system, GDI and user; the library is not
    // there until they are set.
    void SetFreeResources(int32_t System, int32_t Gdi, int32_t User)
    {
        FResources[0] = System;
        FResources[1] = Gdi;
        FResources[2] = User;
        FResourceLibrary = true;
    }
    void RemoveResourceLibrary() { FResourceLibrary = false; }

private:
    TMemoryStatus FMemoryStatus;
    TMemoryStatusEx FMemoryStatusEx;
    bool FMemoryStatusExAvailable = true;
    TSystemInfoRecord FSystemInfo;
    TOSVersion FVersion;
    bool FWindowsExtension = false;
    std::optional<TReportedName> FUserName = TReportedName{"Tester", 7};
    std::optional<std::string> FComputerName = "TESTBOX";
    std::string FWindowsDirectory = "C:\\WINDOWS";
    std::string FSystemDirectory = "C:\\WINDOWS\\system32";
    std::string FTempPath = "C:\\TEMP\\";
    TTimeZone FTimeZone{"W. Europe Standard Time", -60};
    uint16_t FLanguageId = 0x0409;
    std::string FLanguageName = "English (United States)";
    bool FResourceLibrary = false;
    int32_t FResources[3] = {};
};
