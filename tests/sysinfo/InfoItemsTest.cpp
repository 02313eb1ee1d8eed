#include <string>

#include "sysinfo/LMDSIFormatDateTime.h"
#include "sysinfo/LMDSIInfo.h"
#include "tests/sysinfo/SysInfoFixture.h"

namespace {

class InfoItems : public SysInfoMachine {
protected:
    InfoItems()
    {
        TMemoryStatusEx status;
        status.dwMemoryLoad = 293;
        status.ullTotalPhys = 1073741823;
        status.ullAvailPhys = 2 * 1048576 + 5;
        status.ullTotalPageFile = 3 * 1048576;
        status.ullAvailPageFile = 4 * 1048576;
        status.ullTotalVirtual = 5 * 1048576;
        status.ullAvailVirtual = 6 * 1048576;
        Machine.SetMemoryStatusEx(status);
        Machine.SetVersion({PLATFORM_ID_WINDOWS_NT, 5, 1, 0x0A280A28, 5});
        TSystemInfoRecord record;
        record.ProcessorType = 586;
        record.NumberOfProcessors = 260;
        Machine.SetSystemInfo(record);
        Desktop.SetSetting(SystemParameter::GetScreenSaveTimeout, 900);
        Desktop.SetKeyState(VirtualKeyCapsLock, 1);
        Desktop.SetKeyState(VirtualKeyScrollLock, static_cast<int16_t>(0xFF81));
        Clock.SetLocalTime({2024, 3, 2, 5, 9, 41, 15, 250});
        Counter.RunWith(&Clock, 2400000);   // a 2.4 GHz clock
        Version.SetTranslation(0x0409, 0x04E4);
        Version.SetFileVersion(1, 2, 3, 4);
        const struct { const char* entry; const char* text; } entries[] = {
            {"CompanyName", "Kestrune"}, {"ProductName", "Quorvel"}, {"ProductVersion", "1.2.3"},
            {"LegalCopyright", "(C) Kestrune"}, {"LegalTradeMarks", "Quorvel (TM)"},
            {"FileDescription", "Screen saver"}, {"Comments", "LED clock"},
        };
        for (const auto& e : entries)
            Version.SetText(std::string("\\StringFileInfo\\040904E4\\") + e.entry, e.text);
        Environment.SetCurrentDirectory("c:\\work\\quorvel");
    }
};

}  // namespace

TEST_F(InfoItems, CaptionsInOrdinalOrder)
{
    const char* const captions[] = {
        "Username", "Windows directory", "Current directory", "Free space on current disk",
        "Disk size of current Disk", "System directory", "Registered owner", "Registered company", "Version",
        "Colordepth (in bits)", "Screensaver delay", "Memory size", "Free system resources", "Free GDI resources",
        "Free user resources", "Computername", "Major version", "Build", "Memory loaded", "Memory free",
        "Free memory pages", "Total memory pages", "Free virtual memory", "Total virtual memory", "Platform ID",
        "Platform", "Number of processors", "Processor", "Temp path", "DOS version", "NumLock", "CapsLock",
        "ScrollLock", "Date and time", "CompanyName", "ProductName", "Version", "Version", "Version", "Version",
        "Copyright", "LegalTrademark", "FileDescription", "Comments", "CPU Speed",
    };
    static_assert(sizeof captions / sizeof *captions == LMDSIInfoTypeCount);
    for (int item = 0; item < LMDSIInfoTypeCount; ++item)
        EXPECT_EQ(LMDSIInfoToString(item), captions[item]) << "item " << item;
    for (int item : {itProgVersion, itFileVersion, itFileVersionFull, itFileVersionBuild})
        EXPECT_EQ(LMDSIInfoToString(item), "Version") << "item " << item;
    for (int item : {45, 255, -1}) {
        EXPECT_EQ(LMDSIInfoToString(item), "") << "item " << item;
        EXPECT_EQ(GetSystemInfoString(item, 1, ""), "") << "item " << item;
    }
}

TEST_F(InfoItems, EveryValueUndivided)
{
    const char* const values[] = {
        "Tester", "C:\\WINDOWS", "c:\\work\\quorvel", "42949672960", "107374182400", "C:\\WINDOWS\\system32",
        "(Unknown)", "(Unknown)", "5.1", "32", "15", "1073741823", "100", "100", "100", "TESTBOX", "5", "2600",
        "37", "2097157", "4194304", "3145728", "6291456", "5242880", "2", "Windows NT", "4", "Intel Pentium",
        "C:\\TEMP\\", "Win32", "Off", "On", "Off", "3/5/2024 09:41:15", "Kestrune", "Quorvel", "1.2.3", "1.2",
        "1.2.3.4", "1.2 (Build 3.4)", "(C) Kestrune", "Quorvel (TM)", "Screen saver", "LED clock", "2400",
    };
    static_assert(sizeof values / sizeof *values == LMDSIInfoTypeCount);
    for (int item = 0; item < LMDSIInfoTypeCount; ++item)
        EXPECT_EQ(GetSystemInfoString(item, 1, ""), values[item]) << LMDSIInfoToString(item) << " (item " << item << ")";
}

TEST_F(InfoItems, DivisorDividesTheNumbersAndZeroCountsAsOne)
{
    const struct { int item; uint32_t divisor; const char* value; } cases[] = {
        {itMemSize, 0, "1073741823"},
        {itMemSize, 1, "1073741823"},
        {itMemSize, 1024, "1048575"},
        {itMemSize, 1048576, "1023"},
        {itMemSize, 4294967295u, "0"},
        {itMemFree32, 1048576, "2"},
        {itCurrentDiskSize32, 1073741824, "100"},
        {itColorDepth, 8, "4"},
        {itScreenSaverDelay, 2, "7"},
        {itFreeSysRes, 3, "33"},
        {itBuildNr32, 0, "2600"},
        {itMemLoaded32, 10, "3"},
        {itProcessorCont32, 3, "1"},
        {itPlatformID32, 2, "1"},
        {itCPUSpeed, 1000, "2.4"},
        {itCPUSpeed, 0, "2400"},
        {itCPUSpeed, 7, "342.857142857143"},
        {itUser, 1000, "Tester"},              // texts are not divided
        {itDOSVersion, 0, "Win32"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetSystemInfoString(c.item, c.divisor, ""), c.value) << LMDSIInfoToString(c.item) << " / " << c.divisor;
}

TEST_F(InfoItems, FreeResourceItemsAskTheLibraryOnEveryFamily)
{
    Machine.SetFreeResources(11, 22, 33);
    EXPECT_EQ(GetSystemInfoString(itFreeSysRes, 1, ""), "11") << "the NT family too";
    EXPECT_EQ(GetSystemInfoString(itFreeGDIRes, 1, ""), "22");
    EXPECT_EQ(GetSystemInfoString(itFreeUserRes, 1, ""), "33");
}

TEST_F(InfoItems, DateAndTimeFollowTheFormat)
{
    const struct { const char* format; const char* text; } cases[] = {
        {"", "3/5/2024 09:41:15"},
        {"c", "3/5/2024 09:41:15"},
        {"yyyy-mm-dd hh:nn:ss.zzz", "2024-03-05 09:41:15.250"},
        {"dddd, d mmmm yyyy", "Tuesday, 5 March 2024"},
        {"ddd dd mmm yy", "Tue 05 Mar 24"},
        {"h:mm AM/PM", "9:41 AM"},
        {"hh:mm", "09:41"},
        {"ddddd", "3/5/2024"},
        {"tt", "09:41:15"},
        {"'d' \"m\" d/m", "d m 5/3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetSystemInfoString(itCurrentDateTime, 1, c.format), c.text) << c.format;

    Locale.SetShortDateFormat("dd.MM.yyyy");
    Locale.SetDateSeparator(".");
    Locale.SetLongDayNames({"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"});
    EXPECT_EQ(GetSystemInfoString(itCurrentDateTime, 1, ""), "05.03.2024 09:41:15");
    EXPECT_EQ(GetSystemInfoString(itCurrentDateTime, 1, "dddd d/m"), "Dienstag 5.3");
    Locale.SetShortDateFormat("ddddd");
    EXPECT_EQ(GetSystemInfoString(itCurrentDateTime, 1, "ddddd"), "3.5.2024") << "a format naming itself ends";
}

TEST_F(InfoItems, VersionEntriesUnderTheTranslationsPrefix)
{
    Version.SetTranslation(0x0407, 0x04B0);
    EXPECT_EQ(LMDSIVersionInfo(viName), "") << "nothing under 040704B0 yet";
    Version.SetText("\\StringFileInfo\\040704B0\\ProductName", "Quorvel (de)");
    EXPECT_EQ(LMDSIVersionInfo(viName), "Quorvel (de)");
    Version.SetValue("\\VarFileInfo\\Translation", {0x07});
    EXPECT_EQ(LMDSIVersionInfo(viName), "Quorvel") << "a broken translation table gives the US English prefix";
    EXPECT_EQ(LMDSIVersionInfo(10), "");
    EXPECT_EQ(LMDSIVersionInfo(-1), "");
    EXPECT_EQ(Version.Held(), 0) << "every copy of the resource is released";
    EXPECT_GT(Version.Reads(), 0);
}

TEST_F(InfoItems, WithoutAResourceEveryEntryIsEmpty)
{
    Version.SetPresent(false);
    for (int kind = viCompany; kind <= viFileVersionBuild; ++kind)
        EXPECT_EQ(LMDSIVersionInfo(kind), "") << "kind " << kind;

    THeadlessVersionResource stringsOnly;
    stringsOnly.SetText("\\StringFileInfo\\040904E4\\Comments", "no fixed part");
    Platform p = Services();
    p.VersionResource = &stringsOnly;
    const ScopedPlatform scope(p);
    EXPECT_EQ(LMDSIVersionInfo(viComments), "no fixed part");
    EXPECT_EQ(LMDSIVersionInfo(viFileVersionFull), "");
}

TEST_F(InfoItems, ClockMeasurementRunsAtTheHighestPriorityAndRestoresIt)
{
    Kernel.SetClass(PRIORITY_CLASS_HIGH);
    Kernel.SetLevel(THREAD_LEVEL_ABOVE_NORMAL);
    EXPECT_DOUBLE_EQ(LMDSIGetCPUSpeed(), 2400.0);
    EXPECT_EQ(Kernel.Log(), (std::vector<std::string>{"class 0x100", "thread 15", "thread 1", "class 0x80"}));
    EXPECT_EQ(Clock.TickCount(), 510u) << "10 ms to settle, then 500 ms counted";

    Counter.RunWith(&Clock, 10000000);   // 5e9 cycles in half a second: only the low 32 bits count
    EXPECT_DOUBLE_EQ(LMDSIGetCPUSpeed(), static_cast<uint32_t>(5000000000ull) / 500000.0);
    Counter.RunWith(nullptr, 0);
    EXPECT_EQ(GetSystemInfoString(itCPUSpeed, 1, ""), "0");
}

TEST(InfoItemsWithoutServices, NeutralTexts)
{
    const ScopedPlatform none{Platform{}};
    EXPECT_EQ(GetSystemInfoString(itUser, 1, ""), "(Unknown)");
    EXPECT_EQ(GetSystemInfoString(itMemSize, 0, ""), "0");
    EXPECT_EQ(GetSystemInfoString(itFreeSysRes, 0, ""), "100");
    EXPECT_EQ(GetSystemInfoString(itCurrentDiskFree32, 0, ""), "0");
    EXPECT_EQ(GetSystemInfoString(itProgName, 0, ""), "");
    EXPECT_EQ(GetSystemInfoString(itCPUSpeed, 0, ""), "0");
    EXPECT_EQ(GetSystemInfoString(itDOSVersion, 0, ""), "Win32");
}
