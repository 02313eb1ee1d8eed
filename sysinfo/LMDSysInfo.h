#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Rect.h"
#include "sysinfo/LMDCPUInfoObject.h"

using TLMDSIStrings = std::vector<std::string>;

// What a drive holds and how it is divided.
struct TLMDDriveInfo {
    int32_t DriveType = 0;
    int64_t TotalSize = 0;   // bytes
    int64_t FreeSize = 0;    // bytes
    int32_t SectorsPerCluster = 0;
    int32_t BytesPerSector = 0;
};

// Answers questions about the machine the program runs on. Every property asks the platform
// afresh when it is read; only the processor identification is taken once, when the object
// is created. Read-only facts accept a written value and discard it.
//
// Memory figures are kilobytes: the byte count divided by 1024, truncated.
class TLMDSysInfo {
public:
    TLMDSysInfo();
    ~TLMDSysInfo();
    TLMDSysInfo(const TLMDSysInfo&) = delete;
    TLMDSysInfo& operator=(const TLMDSysInfo&) = delete;

    // The indexed facts. An index outside an operation's range gives the empty string, 0 or
    // false, and a write to one is ignored.
    std::string GetInfoString(int Index) const;          // 0 .. 15
    int32_t GetInfoLongInt(int Index) const;             // 0, 7 .. 12
    int64_t GetInfoLongLongInt(int Index) const;         // 1 .. 7, kilobytes
    bool GetInfoBool(int Index) const;                   // 0 .. 9
    void SetInfoBool(int Index, bool Value);             // 0 .. 8
    std::string GetLocalInfo(int Index) const;           // 0 .. 27
    void SetLocalInfo(int Index, const std::string& Value);

    uint8_t GetProcessorNumber() const;
    uint8_t GetColorDepth() const;
    int32_t GetKeyboardDelay() const;
    void SetKeyboardDelay(int32_t Value);
    int32_t GetKeyboardSpeed() const;
    void SetKeyboardSpeed(int32_t Value);
    const TLMDSIStrings& GetEnvString();
    const TLMDSIStrings& GetFonts() const;
    const TLMDSIStrings& GetPrinters() const;
    int32_t FreeSys() const;
    int32_t FreeGDI() const;
    int32_t FreeUSR() const;

    std::string GetEnvironmentValue(const std::string& Name) const;
    bool SetEnvironmentValue(const std::string& Name, const std::string& Value);
    std::string GetFileName() const;
    void GetDriveList(TLMDSIStrings* List) const;
    TLMDDriveInfo GetDriveInfo(const std::string& Drive) const;
    std::string GetDriveTypeString(int32_t DriveType) const;
    bool SetDesktopWallpaper(const std::string& Path);
    TRect GetScreenRect() const;
    bool GetWorkRect(TRect& Rect) const;

    // Setters of the read-only facts: they accept the value and discard it.
    void Dummy(const std::string&) {}
    void DummyInt(int32_t) {}
    void DummyInt64(int64_t) {}
    void DummyByte(uint8_t) {}
    void DummyBool(bool) {}
    void DummyStrings(const TLMDSIStrings&) {}

    // The properties, each bound to its getter and index.
    const TLMDSIStrings& AllFonts() const { return GetFonts(); }
    void SetAllFonts(const TLMDSIStrings& Value) { DummyStrings(Value); }
    const TLMDSIStrings& AllPrinters() const { return GetPrinters(); }
    void SetAllPrinters(const TLMDSIStrings& Value) { DummyStrings(Value); }
    std::string CurrentUser() const { return GetInfoString(0); }
    void SetCurrentUser(const std::string& Value) { Dummy(Value); }
    std::string RegisteredCompany() const { return GetInfoString(1); }
    void SetRegisteredCompany(const std::string& Value) { Dummy(Value); }
    std::string RegisteredOwner() const { return GetInfoString(2); }
    void SetRegisteredOwner(const std::string& Value) { Dummy(Value); }
    int32_t ScreenSaverDelay() const { return GetInfoLongInt(7); }
    void SetScreenSaverDelay(int32_t Value) { DummyInt(Value); }
    std::string VersionWIN() const { return GetInfoString(3); }
    void SetVersionWIN(const std::string& Value) { Dummy(Value); }
    std::string WinPath() const { return GetInfoString(4); }
    void SetWinPath(const std::string& Value) { Dummy(Value); }
    std::string WinSysPath() const { return GetInfoString(5); }
    void SetWinSysPath(const std::string& Value) { Dummy(Value); }
    const TLMDSIStrings& Environment() { return GetEnvString(); }
    void SetEnvironment(const TLMDSIStrings& Value) { DummyStrings(Value); }
    std::string FreeGdiRes() const { return GetInfoString(6); }
    void SetFreeGdiRes(const std::string& Value) { Dummy(Value); }
    std::string FreeUsrRes() const { return GetInfoString(7); }
    void SetFreeUsrRes(const std::string& Value) { Dummy(Value); }
    std::string FreeSysRes() const { return GetInfoString(8); }
    void SetFreeSysRes(const std::string& Value) { Dummy(Value); }
    int32_t BuildNumber() const { return GetInfoLongInt(0); }
    void SetBuildNumber(int32_t Value) { DummyInt(Value); }
    int64_t MemPhysTotal() const { return GetInfoLongLongInt(1); }
    void SetMemPhysTotal(int64_t Value) { DummyInt64(Value); }
    int64_t MemPhysFree() const { return GetInfoLongLongInt(2); }
    void SetMemPhysFree(int64_t Value) { DummyInt64(Value); }
    int64_t MemVirtTotal() const { return GetInfoLongLongInt(3); }
    void SetMemVirtTotal(int64_t Value) { DummyInt64(Value); }
    int64_t MemVirtFree() const { return GetInfoLongLongInt(4); }
    void SetMemVirtFree(int64_t Value) { DummyInt64(Value); }
    int64_t MemVirtExtended() const { return GetInfoLongLongInt(7); }
    void SetMemVirtExtended(int64_t Value) { DummyInt64(Value); }
    int64_t MemPageTotal() const { return GetInfoLongLongInt(5); }
    void SetMemPageTotal(int64_t Value) { DummyInt64(Value); }
    int64_t MemPageFree() const { return GetInfoLongLongInt(6); }
    void SetMemPageFree(int64_t Value) { DummyInt64(Value); }
    std::string MemoryLoaded() const { return GetInfoString(9); }
    void SetMemoryLoaded(const std::string& Value) { Dummy(Value); }
    std::string Platform() const { return GetInfoString(10); }
    void SetPlatform(const std::string& Value) { Dummy(Value); }
    std::string TempPath() const { return GetInfoString(11); }
    void SetTempPath(const std::string& Value) { Dummy(Value); }
    std::string Computername() const { return GetInfoString(12); }
    void SetComputername(const std::string& Value) { Dummy(Value); }
    uint8_t ProcessorNumber() const { return GetProcessorNumber(); }
    void SetProcessorNumber(uint8_t Value) { DummyByte(Value); }
    std::string ProcessorType() const { return GetInfoString(13); }
    void SetProcessorType(const std::string& Value) { Dummy(Value); }
    const TLMDCPUInfoObject& ProcessorInfo() const { return *FProcessorInfo; }
    uint8_t ColorDepth() const { return GetColorDepth(); }
    void SetColorDepth(uint8_t Value) { DummyByte(Value); }
    std::string DefaultLanguageString() const { return GetInfoString(14); }
    void SetDefaultLanguageString(const std::string& Value) { Dummy(Value); }
    std::string TimeZone() const { return GetInfoString(15); }
    void SetTimeZone(const std::string& Value) { Dummy(Value); }
    int32_t TimeZoneDiff() const { return GetInfoLongInt(9); }
    void SetTimeZoneDiff(int32_t Value) { DummyInt(Value); }
    bool PlusAvailable() const { return GetInfoBool(9); }
    void SetPlusAvailable(bool Value) { DummyBool(Value); }
    int32_t ScreenWidth() const { return GetInfoLongInt(10); }
    void SetScreenWidth(int32_t Value) { DummyInt(Value); }
    int32_t ScreenHeight() const { return GetInfoLongInt(11); }
    void SetScreenHeight(int32_t Value) { DummyInt(Value); }
    int32_t ScreenPPi() const { return GetInfoLongInt(12); }
    void SetScreenPPi(int32_t Value) { DummyInt(Value); }
    std::string LocaleCalendarType() const { return GetLocalInfo(0); }
    void SetLocaleCalendarType(const std::string& Value) { SetLocalInfo(0, Value); }
    std::string LocaleCurrencyDigits() const { return GetLocalInfo(1); }
    void SetLocaleCurrencyDigits(const std::string& Value) { SetLocalInfo(1, Value); }
    std::string LocaleICurrency() const { return GetLocalInfo(2); }
    void SetLocaleICurrency(const std::string& Value) { SetLocalInfo(2, Value); }
    std::string LocaleDigits() const { return GetLocalInfo(3); }
    void SetLocaleDigits(const std::string& Value) { SetLocalInfo(3, Value); }
    std::string LocaleFirstDayOfWeek() const { return GetLocalInfo(4); }
    void SetLocaleFirstDayOfWeek(const std::string& Value) { SetLocalInfo(4, Value); }
    std::string LocaleFirstWeekOfYear() const { return GetLocalInfo(5); }
    void SetLocaleFirstWeekOfYear(const std::string& Value) { SetLocalInfo(5, Value); }
    std::string LocaleZero() const { return GetLocalInfo(6); }
    void SetLocaleZero(const std::string& Value) { SetLocalInfo(6, Value); }
    std::string LocaleMeasureSystem() const { return GetLocalInfo(7); }
    void SetLocaleMeasureSystem(const std::string& Value) { SetLocalInfo(7, Value); }
    std::string LocaleNegativeCurrencyFormat() const { return GetLocalInfo(8); }
    void SetLocaleNegativeCurrencyFormat(const std::string& Value) { SetLocalInfo(8, Value); }
    std::string LocaleNegativeNumberFormat() const { return GetLocalInfo(9); }
    void SetLocaleNegativeNumberFormat(const std::string& Value) { SetLocalInfo(9, Value); }
    std::string LocaleTime() const { return GetLocalInfo(10); }
    void SetLocaleTime(const std::string& Value) { SetLocalInfo(10, Value); }
    std::string LocaleMorningSymbol() const { return GetLocalInfo(11); }
    void SetLocaleMorningSymbol(const std::string& Value) { SetLocalInfo(11, Value); }
    std::string LocaleAfternoonSymbol() const { return GetLocalInfo(12); }
    void SetLocaleAfternoonSymbol(const std::string& Value) { SetLocalInfo(12, Value); }
    std::string LocaleCurrencySymbol() const { return GetLocalInfo(13); }
    void SetLocaleCurrencySymbol(const std::string& Value) { SetLocalInfo(13, Value); }
    std::string LocaleDateSeparator() const { return GetLocalInfo(14); }
    void SetLocaleDateSeparator(const std::string& Value) { SetLocalInfo(14, Value); }
    std::string LocaleDecimalSeparator() const { return GetLocalInfo(15); }
    void SetLocaleDecimalSeparator(const std::string& Value) { SetLocalInfo(15, Value); }
    std::string LocaleNumericGrouping() const { return GetLocalInfo(16); }
    void SetLocaleNumericGrouping(const std::string& Value) { SetLocalInfo(16, Value); }
    std::string LocaleListSeparator() const { return GetLocalInfo(17); }
    void SetLocaleListSeparator(const std::string& Value) { SetLocalInfo(17, Value); }
    std::string LocaleLongDateFormat() const { return GetLocalInfo(18); }
    void SetLocaleLongDateFormat(const std::string& Value) { SetLocalInfo(18, Value); }
    std::string LocaleMonthDecimalSeparator() const { return GetLocalInfo(19); }
    void SetLocaleMonthDecimalSeparator(const std::string& Value) { SetLocalInfo(19, Value); }
    std::string LocaleCurrencyGrouping() const { return GetLocalInfo(20); }
    void SetLocaleCurrencyGrouping(const std::string& Value) { SetLocalInfo(20, Value); }
    std::string LocaleThousandSeparator() const { return GetLocalInfo(21); }
    void SetLocaleThousandSeparator(const std::string& Value) { SetLocalInfo(21, Value); }
    std::string LocaleNegativeSign() const { return GetLocalInfo(22); }
    void SetLocaleNegativeSign(const std::string& Value) { SetLocalInfo(22, Value); }
    std::string LocalePositiveSign() const { return GetLocalInfo(23); }
    void SetLocalePositiveSign(const std::string& Value) { SetLocalInfo(23, Value); }
    std::string LocaleShortDateFormat() const { return GetLocalInfo(24); }
    void SetLocaleShortDateFormat(const std::string& Value) { SetLocalInfo(24, Value); }
    std::string LocaleThousand() const { return GetLocalInfo(25); }
    void SetLocaleThousand(const std::string& Value) { SetLocalInfo(25, Value); }
    std::string LocaleTimeSeparator() const { return GetLocalInfo(26); }
    void SetLocaleTimeSeparator(const std::string& Value) { SetLocalInfo(26, Value); }
    std::string LocaleShortTimeFormat() const { return GetLocalInfo(27); }
    void SetLocaleShortTimeFormat(const std::string& Value) { SetLocalInfo(27, Value); }
    bool NumLockState() const { return GetInfoBool(0); }
    void SetNumLockState(bool Value) { SetInfoBool(0, Value); }
    bool CapsLockState() const { return GetInfoBool(1); }
    void SetCapsLockState(bool Value) { SetInfoBool(1, Value); }
    bool ScrollLockState() const { return GetInfoBool(2); }
    void SetScrollLockState(bool Value) { SetInfoBool(2, Value); }
    int32_t DefaultLanguageID() const { return GetInfoLongInt(8); }
    int32_t KeyboardDelay() const { return GetKeyboardDelay(); }
    int32_t KeyboardSpeed() const { return GetKeyboardSpeed(); }
    bool WindowAnimation() const { return GetInfoBool(3); }
    void SetWindowAnimation(bool Value) { SetInfoBool(3, Value); }
    bool WarningBeep() const { return GetInfoBool(4); }
    void SetWarningBeep(bool Value) { SetInfoBool(4, Value); }
    bool ScreenSaveActive() const { return GetInfoBool(5); }
    void SetScreenSaveActive(bool Value) { SetInfoBool(5, Value); }
    bool FontSmoothing() const { return GetInfoBool(6); }
    void SetFontSmoothing(bool Value) { SetInfoBool(6, Value); }
    bool DragFullWindows() const { return GetInfoBool(7); }
    void SetDragFullWindows(bool Value) { SetInfoBool(7, Value); }
    bool SnapToDefaultButton() const { return GetInfoBool(8); }
    void SetSnapToDefaultButton(bool Value) { SetInfoBool(8, Value); }

private:
    TLMDSIStrings FEnvironment;
    std::unique_ptr<TLMDCPUInfoObject> FProcessorInfo;
};
