#include "sysinfo/LMDSysInfo.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/IDesktop.h"
#include "platform/IHostEnvironment.h"
#include "platform/ILocale.h"
#include "platform/Platform.h"
#include "sysinfo/LMDSysIn.h"

namespace {

// Locale texts longer than this are cut when they are written.
constexpr size_t LocaleTextLimit = 2048;
// The drive list is asked for with this limit on its length.
constexpr uint32_t DriveListLimit = 254;

// The locale item behind each locale property, by its index.
constexpr std::array<uint32_t, 28> LocaleItems = {
    LocaleItem::CalendarType, LocaleItem::CurrencyDigits, LocaleItem::CurrencyPosition, LocaleItem::Digits,
    LocaleItem::FirstDayOfWeek, LocaleItem::FirstWeekOfYear, LocaleItem::LeadingZero, LocaleItem::Measure,
    LocaleItem::NegativeCurrency, LocaleItem::NegativeNumber, LocaleItem::TimeClock, LocaleItem::MorningSymbol,
    LocaleItem::AfternoonSymbol, LocaleItem::Currency, LocaleItem::DateSeparator, LocaleItem::Decimal,
    LocaleItem::Grouping, LocaleItem::ListSeparator, LocaleItem::LongDate, LocaleItem::MonetaryDecimal,
    LocaleItem::MonetaryGrouping, LocaleItem::MonetaryThousand, LocaleItem::NegativeSign, LocaleItem::PositiveSign,
    LocaleItem::ShortDate, LocaleItem::Thousand, LocaleItem::TimeSeparator, LocaleItem::TimeFormat,
};

// The byte-count query behind each memory property, by its index.
int64_t MemoryBytes(int Index)
{
    switch (Index) {
    case 1: return LMDSIMemTotal();
    case 2: return LMDSIMemFree();
    case 3: return LMDSIMemVirtTotal();
    case 4: return LMDSIMemVirtFree();
    case 5: return LMDSIMemPageTotal();
    case 6: return LMDSIMemPageFree();
    case 7: return LMDSIMemVirtExtended();
    default: return 0;
    }
}

std::string Percent(int32_t Value) { return std::to_string(Value) + " %"; }

IDesktop* Desktop() { return CurrentPlatform().Desktop; }
IHostEnvironment* HostEnvironment() { return CurrentPlatform().Environment; }

// A numeric desktop setting; 0 when the platform does not answer.
int32_t NumberSetting(uint32_t GetAction)
{
    IDesktop* desktop = Desktop();
    int32_t value = 0;
    if (desktop)
        desktop->SystemParameters(GetAction, 0, &value, 0);
    return value;
}

// The locale item of a property index; an index outside the table asks for item 0.
uint32_t LocaleItemOf(int Index)
{
    return Index >= 0 && Index < static_cast<int>(LocaleItems.size()) ? LocaleItems[static_cast<size_t>(Index)] : 0;
}

// The Get and Set actions of the boolean desktop settings, by property index 4 to 8.
struct TSwitch {
    uint32_t Get;
    uint32_t Set;
};
constexpr TSwitch Switches[] = {
    {SystemParameter::GetBeep, SystemParameter::SetBeep},
    {SystemParameter::GetScreenSaveActive, SystemParameter::SetScreenSaveActive},
    {SystemParameter::GetFontSmoothing, SystemParameter::SetFontSmoothing},
    {SystemParameter::GetDragFullWindows, SystemParameter::SetDragFullWindows},
    {SystemParameter::GetSnapToDefaultButton, SystemParameter::SetSnapToDefaultButton},
};

// Whether the boolean setting of an index exists on this platform family at all.
bool SwitchAvailable(int Index)
{
    if (Index == 6 || Index == 7)
        return LMDSIWindowsExtension();
    if (Index == 8)
        return LMDSIWindowsNT();
    return true;
}

uint8_t LockKeyOf(int Index)
{
    constexpr uint8_t keys[] = {VirtualKeyNumLock, VirtualKeyCapsLock, VirtualKeyScrollLock};
    return keys[Index];
}

// Switches a lock key: on the NT family with a synthesized press and release of the key (the
// system then toggles it); elsewhere by writing the key's entry of the keyboard state.
void SetLockKey(uint8_t Key, bool On)
{
    IDesktop* desktop = Desktop();
    if (!desktop)
        return;
    constexpr uint8_t ScanCode = 0x45;
    if (LMDSIWindowsNT()) {
        desktop->KeyboardEvent(Key, ScanCode, KeyEventExtendedKey);
        desktop->KeyboardEvent(Key, ScanCode, KeyEventExtendedKey | KeyEventKeyUp);
        return;
    }
    TKeyboardState state{};
    if (!desktop->KeyboardState(state))
        return;
    state[Key] = On ? 1 : 0;
    desktop->SetKeyboardState(state);
}

bool WindowAnimationOn()
{
    IDesktop* desktop = Desktop();
    TAnimationInfo info;
    return desktop && desktop->SystemParameters(SystemParameter::GetAnimation, sizeof info, &info, 0) && info.MinAnimate != 0;
}

void ChangeWindowAnimation(bool Value)
{
    IDesktop* desktop = Desktop();
    TAnimationInfo info;
    if (!desktop)
        return;
    desktop->SystemParameters(SystemParameter::GetAnimation, sizeof info, &info, 0);
    info.MinAnimate = Value ? 1 : 0;
    desktop->SystemParameters(SystemParameter::SetAnimation, sizeof info, &info, SystemParameter::UpdateProfileAndBroadcast);
}

// The application-wide list, refilled and sorted.
const TLMDSIStrings& SortedShared(TLMDSIStrings& List, TLMDSIStrings Names)
{
    List = std::move(Names);
    std::sort(List.begin(), List.end());
    return List;
}

}  // namespace

// The processor is identified here, once, so ProcessorInfo is complete as soon as the
// object exists.
TLMDSysInfo::TLMDSysInfo() : FProcessorInfo(std::make_unique<TLMDCPUInfoObject>()) {}

// The members go in reverse order: the processor information first, then the environment list.
TLMDSysInfo::~TLMDSysInfo() = default;

std::string TLMDSysInfo::GetInfoString(int Index) const
{
    switch (Index) {
    case 0: return LMDSIUserName();
    case 1: return LMDSIRegisteredCompany();
    case 2: return LMDSIRegisteredOwner();
    case 3: return LMDSIVersionText();
    case 4: return LMDSIWindowsDirectory();
    case 5: return LMDSISystemDirectory();
    case 6: return Percent(FreeGDI());
    case 7: return Percent(FreeUSR());
    case 8: return Percent(FreeSys());
    case 9: return Percent(LMDSIMemLoaded());
    case 10: return LMDSIPlatformName();
    case 11: return LMDSITempPath();
    case 12: return LMDSIComputerName();
    case 13: return LMDSIProcessorTypeStr();
    case 14: return LMDSIDefaultLanguageName();
    case 15: return LMDSITimeZoneName();
    default: return {};
    }
}

int32_t TLMDSysInfo::GetInfoLongInt(int Index) const
{
    const ISystemInfo* system = CurrentPlatform().System;
    const IDesktop* desktop = Desktop();
    switch (Index) {
    case 0: return LMDSIBuildNumber();
    case 7: return LMDSIScreenSaverDelay();
    case 8: return system ? system->DefaultLanguageId() : 0;
    case 9: return system ? system->TimeZone().Bias : 0;
    case 10: return desktop ? desktop->ScreenWidth() : 0;
    case 11: return desktop ? desktop->ScreenHeight() : 0;
    case 12: return desktop ? desktop->ScreenPixelsPerInch() : 0;
    default: return 0;
    }
}

// C++ integer division truncates toward zero, as a kilobyte count of a byte count should.
int64_t TLMDSysInfo::GetInfoLongLongInt(int Index) const { return MemoryBytes(Index) / 1024; }

bool TLMDSysInfo::GetInfoBool(int Index) const
{
    if (Index >= 0 && Index <= 2)
        return LMDSIKeyOn(LockKeyOf(Index));
    if (Index == 3)
        return WindowAnimationOn();
    if (Index >= 4 && Index <= 8)
        return SwitchAvailable(Index) && NumberSetting(Switches[Index - 4].Get) != 0;
    if (Index == 9)
        return LMDSIWindowsExtension();
    return false;
}

// A setting that already has the value is left alone, without any call that would change it.
void TLMDSysInfo::SetInfoBool(int Index, bool Value)
{
    if (Index < 0 || Index > 8 || GetInfoBool(Index) == Value)
        return;
    if (Index <= 2) {
        SetLockKey(LockKeyOf(Index), Value);
    } else if (Index == 3) {
        ChangeWindowAnimation(Value);
    } else if (SwitchAvailable(Index) && Desktop()) {
        Desktop()->SystemParameters(Switches[Index - 4].Set, Value ? 1 : 0, nullptr, SystemParameter::UpdateProfileAndBroadcast);
    }
}

std::string TLMDSysInfo::GetLocalInfo(int Index) const
{
    const ILocale* locale = CurrentPlatform().Locale;
    const std::optional<std::string> text = locale ? locale->Item(LocaleItemOf(Index)) : std::nullopt;
    return text ? *text : "Hallo";
}

// Texts beyond the limit are cut to it, as the system's buffer for them would hold them.
void TLMDSysInfo::SetLocalInfo(int Index, const std::string& Value)
{
    ILocale* locale = CurrentPlatform().Locale;
    if (locale)
        locale->SetItem(LocaleItemOf(Index), Value.substr(0, LocaleTextLimit));
}

uint8_t TLMDSysInfo::GetProcessorNumber() const { return LMDSIProcessorCount(); }
uint8_t TLMDSysInfo::GetColorDepth() const { return LMDSIColorDepth(); }
int32_t TLMDSysInfo::GetKeyboardDelay() const { return NumberSetting(SystemParameter::GetKeyboardDelay); }
int32_t TLMDSysInfo::GetKeyboardSpeed() const { return NumberSetting(SystemParameter::GetKeyboardSpeed); }

void TLMDSysInfo::SetKeyboardDelay(int32_t Value)
{
    if (Value == GetKeyboardDelay() || !Desktop())
        return;
    Desktop()->SystemParameters(SystemParameter::SetKeyboardDelay, static_cast<uint32_t>(Value), nullptr,
                                SystemParameter::UpdateProfileAndBroadcast);
}

void TLMDSysInfo::SetKeyboardSpeed(int32_t Value)
{
    if (Value == GetKeyboardSpeed() || !Desktop())
        return;
    Desktop()->SystemParameters(SystemParameter::SetKeyboardSpeed, static_cast<uint32_t>(Value), nullptr,
                                SystemParameter::UpdateProfileAndBroadcast);
}

const TLMDSIStrings& TLMDSysInfo::GetEnvString()
{
    const IHostEnvironment* environment = HostEnvironment();
    FEnvironment = environment ? environment->EnvironmentBlock() : TLMDSIStrings{};
    return FEnvironment;
}

const TLMDSIStrings& TLMDSysInfo::GetFonts() const
{
    static TLMDSIStrings fonts;
    const IDesktop* desktop = Desktop();
    return SortedShared(fonts, desktop ? desktop->FontNames() : TLMDSIStrings{});
}

const TLMDSIStrings& TLMDSysInfo::GetPrinters() const
{
    static TLMDSIStrings printers;
    const IDesktop* desktop = Desktop();
    return SortedShared(printers, desktop ? desktop->PrinterNames() : TLMDSIStrings{});
}

int32_t TLMDSysInfo::FreeSys() const { return LMDSIWindowsNT() ? 0 : LMDSIFreeSysRes(); }
int32_t TLMDSysInfo::FreeGDI() const { return LMDSIWindowsNT() ? 0 : LMDSIFreeGDIRes(); }
int32_t TLMDSysInfo::FreeUSR() const { return LMDSIWindowsNT() ? 0 : LMDSIFreeUserRes(); }

// A name without percent signs expands to itself and so gives the empty text; a variable that
// is not defined stays unexpanded and gives it too. The expansion is taken whole, however long
// it is: a value cut to a buffer would pass for the variable's value.
std::string TLMDSysInfo::GetEnvironmentValue(const std::string& Name) const
{
    const IHostEnvironment* environment = HostEnvironment();
    if (!environment)
        return {};
    const std::string expansion = environment->ExpandEnvironment(Name);
    return expansion != Name ? expansion : std::string();
}

bool TLMDSysInfo::SetEnvironmentValue(const std::string& Name, const std::string& Value)
{
    IHostEnvironment* environment = HostEnvironment();
    return environment && environment->SetVariable(Name, Value);
}

std::string TLMDSysInfo::GetFileName() const
{
    IHostEnvironment* environment = HostEnvironment();
    if (!environment)
        return {};
    const std::optional<std::string> name = environment->CreateTempFile(LMDSITempPath(), "tmp");
    return name ? *name : std::string();
}

// The list holds the roots one after another, each ended by a NUL.
void TLMDSysInfo::GetDriveList(TLMDSIStrings* List) const
{
    if (!List)
        return;
    List->clear();
    const IHostEnvironment* environment = HostEnvironment();
    if (!environment)
        return;
    const std::string roots = environment->LogicalDriveStrings(DriveListLimit);
    size_t start = 0;
    while (start < roots.size()) {
        const size_t end = std::min(roots.find('\0', start), roots.size());
        if (end == start)
            break;
        List->push_back(roots.substr(start, end - start));
        start = end + 1;
    }
}

TLMDDriveInfo TLMDSysInfo::GetDriveInfo(const std::string& Drive) const
{
    TLMDDriveInfo info;
    const IHostEnvironment* environment = HostEnvironment();
    if (!environment)
        return info;
    info.DriveType = static_cast<int32_t>(environment->DriveType(Drive));
    if (info.DriveType <= 1)
        return info;
    const std::string root = environment->DriveRootOf(Drive);
    if (const auto space = environment->DiskSpace(root)) {
        info.TotalSize = space->Total;
        info.FreeSize = space->Free;
    }
    if (const auto clusters = environment->ClusterFigures(root)) {
        info.SectorsPerCluster = static_cast<int32_t>(clusters->SectorsPerCluster);
        info.BytesPerSector = static_cast<int32_t>(clusters->BytesPerSector);
    }
    return info;
}

std::string TLMDSysInfo::GetDriveTypeString(int32_t DriveType) const
{
    switch (DriveType) {
    case 1: return "no root directory";
    case 2: return "removable";
    case 3: return "fixed drive";
    case 4: return "remote (network) drive";
    case 5: return "CD-ROM";
    case 6: return "ramdisk";
    default: return "(Unknown)";
    }
}

bool TLMDSysInfo::SetDesktopWallpaper(const std::string& Path)
{
    IDesktop* desktop = Desktop();
    std::string buffer = Path;
    return desktop && desktop->SystemParameters(SystemParameter::SetDeskWallpaper, 0, buffer.data(),
                                                SystemParameter::UpdateProfileAndBroadcast);
}

TRect TLMDSysInfo::GetScreenRect() const { return {0, 0, GetInfoLongInt(10), GetInfoLongInt(11)}; }

bool TLMDSysInfo::GetWorkRect(TRect& Rect) const
{
    IDesktop* desktop = Desktop();
    return desktop && desktop->SystemParameters(SystemParameter::GetWorkArea, 0, &Rect, 0);
}
