#include <string>
#include <vector>

#include "sysinfo/LMDSysInfo.h"
#include "tests/sysinfo/SysInfoFixture.h"

namespace {

class FurtherQueries : public SysInfoMachine {
protected:
    TLMDSysInfo Info;

    // Whether the desktop log holds a call of Action.
    bool Called(uint32_t Action) const
    {
        const std::string prefix = "spi " + std::to_string(Action) + " ";
        for (const std::string& line : Desktop.Log())
            if (line.rfind(prefix, 0) == 0)
                return true;
        return false;
    }
};

const char* const NtKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const NineXKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

}  // namespace

TEST_F(FurtherQueries, StringItemsOfTheDefaultMachine)
{
    Registry.SetString(RegRoot::LocalMachine, NtKey, "RegisteredOwner", "Ada Lovelace");
    Registry.SetString(RegRoot::LocalMachine, NtKey, "RegisteredOrganization", "Analytical Engines Ltd");
    TMemoryStatusEx status;
    status.dwMemoryLoad = 37;
    Machine.SetMemoryStatusEx(status);

    const struct { int index; const char* text; } cases[] = {
        {0, "Tester"}, {1, "Analytical Engines Ltd"}, {2, "Ada Lovelace"}, {3, "5.1"}, {4, "C:\\WINDOWS"},
        {5, "C:\\WINDOWS\\system32"}, {6, "0 %"}, {7, "0 %"}, {8, "0 %"}, {9, "37 %"}, {10, "Windows NT"},
        {11, "C:\\TEMP\\"}, {12, "TESTBOX"}, {13, "Intel Pentium"}, {14, "English (United States)"},
        {15, "W. Europe Standard Time"}, {16, ""}, {-1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Info.GetInfoString(c.index), c.text) << "GetInfoString(" << c.index << ")";
}

TEST_F(FurtherQueries, UserNameIsTheReportedLengthLessTheTerminator)
{
    const struct { const char* row; std::optional<TReportedName> reported; const char* name; } cases[] = {
        {"five letters reported as six", TReportedName{"Alice", 6}, "Alice"},
        {"a length without the terminator loses a letter", TReportedName{"Alice", 5}, "Alic"},
        {"a length of 0", TReportedName{"Alice", 0}, ""},
        {"a length beyond the text", TReportedName{"Bob", 40}, "Bob"},
        {"the query fails", std::nullopt, "(Unknown)"},
        {"a name too long for the buffer", TReportedName{std::string(63, 'x'), 64}, "(Unknown)"},
    };
    for (const auto& c : cases) {
        Machine.SetUserName(c.reported);
        EXPECT_EQ(Info.CurrentUser(), c.name) << c.row;
    }
}

TEST_F(FurtherQueries, RegistrationFollowsTheFamilyAndFallsBack)
{
    Registry.SetString(RegRoot::LocalMachine, NineXKey, "RegisteredOwner", "Nine X Owner");
    Registry.SetString(RegRoot::LocalMachine, NtKey, "RegisteredOwner", "NT Owner");
    EXPECT_EQ(Info.RegisteredOwner(), "NT Owner");
    EXPECT_EQ(Info.RegisteredCompany(), "") << "a value the key does not hold";
    UseNineX();
    EXPECT_EQ(Info.RegisteredOwner(), "Nine X Owner");
    Registry.SetDword(RegRoot::LocalMachine, NineXKey, "RegisteredOrganization", 7);
    EXPECT_EQ(Info.RegisteredCompany(), "") << "a value that is no text";

    THeadlessRegistry empty;
    Platform p = Services();
    p.Registry = &empty;
    const ScopedPlatform noKey(p);
    EXPECT_EQ(Info.RegisteredOwner(), "(Unknown)");
    EXPECT_EQ(Info.RegisteredCompany(), "(Unknown)");
}

TEST_F(FurtherQueries, NamesAndPlatformFallBackToUnknown)
{
    Machine.SetComputerName(std::nullopt);
    EXPECT_EQ(Info.Computername(), "(Unknown)");
    const struct { uint32_t id; const char* name; } platforms[] = {
        {0, "Win32s"}, {1, "Windows 95"}, {2, "Windows NT"}, {3, "(Unknown)"}, {PLATFORM_ID_OTHER, "(Unknown)"}};
    for (const auto& c : platforms) {
        Machine.SetVersion({c.id, 4, 0, 950, 4});
        EXPECT_EQ(Info.Platform(), c.name) << "platform " << c.id;
    }
    Machine.SetDirectories("", "", "");
    EXPECT_EQ(Info.WinPath(), "");
    EXPECT_EQ(Info.TempPath(), "");
    Machine.SetDefaultLanguage(0x0407, std::string("Deutsch (Deutschland)\0garbage", 30));
    EXPECT_EQ(Info.DefaultLanguageString(), "Deutsch (Deutschland)") << "cut at the first NUL";
}

TEST_F(FurtherQueries, FreeResourcesByFamily)
{
    EXPECT_EQ(Info.FreeSysRes(), "0 %") << "the NT family";
    EXPECT_EQ(Info.FreeGdiRes(), "0 %");
    UseNineX();
    EXPECT_EQ(Info.FreeSysRes(), "100 %") << "no resource library";
    EXPECT_EQ(Info.FreeUsrRes(), "100 %");
    Machine.SetFreeResources(71, 82, 93);
    EXPECT_EQ(Info.FreeSysRes(), "71 %");
    EXPECT_EQ(Info.FreeGdiRes(), "82 %");
    EXPECT_EQ(Info.FreeUsrRes(), "93 %");
    EXPECT_EQ(Info.FreeSys(), 71);
}

TEST_F(FurtherQueries, MemoryLoadedIsTheLowByteAsAPercentage)
{
    const struct { uint32_t load; const char* text; } cases[] = {{0, "0 %"}, {37, "37 %"}, {100, "100 %"}, {293, "37 %"}};
    for (const auto& c : cases) {
        TMemoryStatusEx status;
        status.dwMemoryLoad = c.load;
        Machine.SetMemoryStatusEx(status);
        EXPECT_EQ(Info.MemoryLoaded(), c.text) << "load " << c.load;
    }
}

TEST_F(FurtherQueries, IntegerItems)
{
    Machine.SetVersion({PLATFORM_ID_WINDOWS, 4, 10, 0x040A0A22, 4});
    Machine.SetTimeZone({"Eastern Standard Time", 300});
    Desktop.SetSetting(SystemParameter::GetScreenSaveTimeout, 90);
    Desktop.SetScreen(1280, 1024);
    Desktop.SetPixelsPerInch(120);
    const struct { int index; int32_t value; } cases[] = {
        {0, 0x0A22}, {7, 1}, {8, 0x0409}, {9, 300}, {10, 1280}, {11, 1024}, {12, 120},
        {1, 0}, {6, 0}, {13, 0}, {-1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Info.GetInfoLongInt(c.index), c.value) << "GetInfoLongInt(" << c.index << ")";
    EXPECT_EQ(Info.GetScreenRect(), TRect(0, 0, 1280, 1024));
    for (const auto& [seconds, minutes] : {std::pair{59, 0}, {600, 10}, {-90, -1}}) {
        Desktop.SetSetting(SystemParameter::GetScreenSaveTimeout, seconds);
        EXPECT_EQ(Info.ScreenSaverDelay(), minutes) << seconds << " s";
    }
}

TEST_F(FurtherQueries, LockKeyIsOnOnlyWhenTheLowByteIsOne)
{
    const struct { int16_t state; bool on; } cases[] = {
        {0x0000, false}, {0x0001, true}, {static_cast<int16_t>(0xFF81), false}, {static_cast<int16_t>(0xFF80), false},
    };
    const struct { int index; uint8_t key; } keys[] = {{0, 0x90}, {1, 0x14}, {2, 0x91}};
    for (const auto& k : keys)
        for (const auto& c : cases) {
            Desktop.SetKeyState(k.key, c.state);
            EXPECT_EQ(Info.GetInfoBool(k.index), c.on) << "index " << k.index << " state " << c.state;
        }
}

TEST_F(FurtherQueries, LockKeysAreSwitchedByKeyEventsOnNTAndByTheKeyboardStateElsewhere)
{
    Info.SetNumLockState(false);
    EXPECT_TRUE(Desktop.Log().empty()) << "already off";
    Info.SetNumLockState(true);
    EXPECT_EQ(Desktop.Log(), (std::vector<std::string>{"key 0x90 0x45 1", "key 0x90 0x45 3"}));
    EXPECT_TRUE(Info.NumLockState());

    UseNineX();
    Desktop.ClearLog();
    Info.SetCapsLockState(true);
    EXPECT_EQ(Desktop.Log(), std::vector<std::string>{"keyboard state"});
    EXPECT_TRUE(Info.CapsLockState());
    Info.SetCapsLockState(false);
    EXPECT_FALSE(Info.CapsLockState());
    EXPECT_TRUE(Info.NumLockState()) << "the other keys keep their state";
}

TEST_F(FurtherQueries, DesktopSwitchesReadAndWriteTheirSettings)
{
    using namespace SystemParameter;
    const struct { int index; uint32_t get; uint32_t set; } cases[] = {
        {4, GetBeep, SetBeep}, {5, GetScreenSaveActive, SetScreenSaveActive}, {6, GetFontSmoothing, SetFontSmoothing},
        {7, GetDragFullWindows, SetDragFullWindows}, {8, GetSnapToDefaultButton, SetSnapToDefaultButton},
    };
    for (const auto& c : cases) {
        Desktop.ClearLog();
        EXPECT_FALSE(Info.GetInfoBool(c.index)) << c.index;
        Info.SetInfoBool(c.index, false);
        EXPECT_FALSE(Called(c.set)) << "an unchanged value makes no change, index " << c.index;
        Info.SetInfoBool(c.index, true);
        EXPECT_EQ(Desktop.Log().back(), "spi " + std::to_string(c.set) + " 1 3") << c.index;
        EXPECT_TRUE(Info.GetInfoBool(c.index)) << c.index;
        EXPECT_EQ(Desktop.Setting(c.get), 1) << c.index;
    }
}

TEST_F(FurtherQueries, SwitchesAFamilyLacksReadFalseAndAreNeverWritten)
{
    using namespace SystemParameter;
    Desktop.SetSetting(GetFontSmoothing, 1);
    Desktop.SetSetting(GetDragFullWindows, 1);
    Desktop.SetSetting(GetSnapToDefaultButton, 1);
    Flags = {true, false, false, false, false};   // 9x without the desktop extensions
    EXPECT_FALSE(Info.FontSmoothing());
    EXPECT_FALSE(Info.DragFullWindows());
    EXPECT_FALSE(Info.SnapToDefaultButton());
    EXPECT_FALSE(Info.PlusAvailable());
    Info.SetFontSmoothing(true);
    Info.SetSnapToDefaultButton(true);
    EXPECT_TRUE(Desktop.Log().empty());
    UseOtherHost();
    EXPECT_TRUE(Info.PlusAvailable());
    EXPECT_TRUE(Info.FontSmoothing());
    EXPECT_FALSE(Info.SnapToDefaultButton()) << "only the NT family has it";
}

TEST_F(FurtherQueries, WindowAnimationGoesThroughItsRecord)
{
    EXPECT_FALSE(Info.WindowAnimation());
    Info.SetWindowAnimation(true);
    EXPECT_EQ(Desktop.Log().back(), "spi 73 8 3");
    EXPECT_TRUE(Info.WindowAnimation());
    Desktop.ClearLog();
    Info.SetWindowAnimation(true);
    EXPECT_EQ(Desktop.Log(), std::vector<std::string>{"spi 72 8 0"}) << "only the read";
}

TEST_F(FurtherQueries, KeyboardDelayAndSpeedChangeOnlyWhenDifferent)
{
    Desktop.SetSetting(SystemParameter::GetKeyboardDelay, 1);
    Desktop.SetSetting(SystemParameter::GetKeyboardSpeed, 31);
    EXPECT_EQ(Info.KeyboardDelay(), 1);
    EXPECT_EQ(Info.KeyboardSpeed(), 31);
    Desktop.ClearLog();
    Info.SetKeyboardDelay(1);
    Info.SetKeyboardSpeed(31);
    EXPECT_FALSE(Called(SystemParameter::SetKeyboardDelay) || Called(SystemParameter::SetKeyboardSpeed));
    Info.SetKeyboardDelay(3);
    Info.SetKeyboardSpeed(0);
    EXPECT_EQ(Info.KeyboardDelay(), 3);
    EXPECT_EQ(Info.KeyboardSpeed(), 0);
    EXPECT_TRUE(Called(SystemParameter::SetKeyboardDelay) && Called(SystemParameter::SetKeyboardSpeed));
}

TEST_F(FurtherQueries, ColorDepthIsTheLowByteOfPlanesTimesBits)
{
    for (const auto& [bits, depth] : {std::pair{32u, 32}, {24u, 24}, {288u, 32}, {256u, 0}}) {
        Desktop.SetColorBits(bits);
        EXPECT_EQ(Info.ColorDepth(), depth) << bits;
    }
}

TEST_F(FurtherQueries, FontsAndPrintersAreOneSharedSortedList)
{
    Desktop.SetFontNames({"Verdana", "Arial", "Tahoma"});
    Desktop.SetPrinterNames({"Laser", "Ink"});
    const TLMDSIStrings& fonts = Info.AllFonts();
    EXPECT_EQ(fonts, (TLMDSIStrings{"Arial", "Tahoma", "Verdana"}));
    const TLMDSysInfo other;
    EXPECT_EQ(&other.AllFonts(), &fonts) << "one list for the whole program";
    EXPECT_EQ(Info.AllPrinters(), (TLMDSIStrings{"Ink", "Laser"}));
}

TEST_F(FurtherQueries, Environment)
{
    Environment.SetVariable("PATH", "C:\\WINDOWS;C:\\BIN");
    Environment.SetVariable("TEMP", "C:\\TEMP");
    EXPECT_EQ(Info.Environment(), (TLMDSIStrings{"PATH=C:\\WINDOWS;C:\\BIN", "TEMP=C:\\TEMP"}));
    const struct { const char* name; std::string value; } cases[] = {
        {"%PATH%", "C:\\WINDOWS;C:\\BIN"},
        {"PATH", ""},                  // no percent signs: the expansion equals the input
        {"%UNDEFINED%", ""},
        {"%TEMP%\\x", "C:\\TEMP\\x"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Info.GetEnvironmentValue(c.name), c.value) << c.name;

    // An expansion beyond 256 characters is given whole, not cut to a buffer.
    const std::string longValue(300, 'v');
    EXPECT_TRUE(Info.SetEnvironmentValue("LONG", longValue));
    EXPECT_EQ(Info.GetEnvironmentValue("%LONG%"), longValue);
    EXPECT_FALSE(Info.SetEnvironmentValue("", "x"));
}

TEST_F(FurtherQueries, TemporaryFileNames)
{
    EXPECT_EQ(Info.GetFileName(), "C:\\TEMP\\tmp1.tmp");
    Environment.SetTempFilesFail(true);
    EXPECT_EQ(Info.GetFileName(), "");
}

TEST_F(FurtherQueries, DriveListAndDriveInfo)
{
    THeadlessHostEnvironment::TDrive cd;
    cd.Type = DRIVE_TYPE_CDROM;
    cd.SpaceKnown = false;
    Environment.SetDrive("D:\\", cd);
    TLMDSIStrings list{"stale"};
    Info.GetDriveList(&list);
    EXPECT_EQ(list, (TLMDSIStrings{"C:\\", "D:\\"}));
    Info.GetDriveList(nullptr);

    const TLMDDriveInfo c = Info.GetDriveInfo("C:\\");
    EXPECT_EQ(c.DriveType, 3);
    EXPECT_EQ(c.TotalSize, int64_t{100} << 30);
    EXPECT_EQ(c.FreeSize, int64_t{40} << 30);
    EXPECT_EQ(c.SectorsPerCluster, 8);
    EXPECT_EQ(c.BytesPerSector, 512);

    const TLMDDriveInfo empty = Info.GetDriveInfo("D:\\");
    EXPECT_EQ(empty.DriveType, 5);
    EXPECT_EQ(empty.TotalSize, 0) << "a drive without a medium";

    for (const char* root : {"Q:\\", "", "not a drive"}) {
        const TLMDDriveInfo none = Info.GetDriveInfo(root);
        EXPECT_EQ(none.DriveType, 1) << root;
        EXPECT_EQ(none.TotalSize, 0) << root;
        EXPECT_EQ(none.SectorsPerCluster, 0) << root;
    }

    for (int i = 0; i < 60; ++i)
        Environment.SetDrive(std::string(1, static_cast<char>('E' + i % 20)) + std::to_string(i) + ":\\", {});
    Info.GetDriveList(&list);
    EXPECT_TRUE(list.empty()) << "a list longer than its limit is not given";
}

TEST_F(FurtherQueries, DriveTypeNames)
{
    const struct { int32_t type; const char* name; } cases[] = {
        {0, "(Unknown)"}, {1, "no root directory"}, {2, "removable"}, {3, "fixed drive"},
        {4, "remote (network) drive"}, {5, "CD-ROM"}, {6, "ramdisk"}, {7, "(Unknown)"}, {-1, "(Unknown)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Info.GetDriveTypeString(c.type), c.name) << c.type;
}

TEST_F(FurtherQueries, WallpaperAndWorkArea)
{
    EXPECT_TRUE(Info.SetDesktopWallpaper("C:\\pictures\\sky.bmp"));
    EXPECT_EQ(Desktop.Wallpaper(), "C:\\pictures\\sky.bmp");
    EXPECT_EQ(Desktop.Log().back(), "spi 20 0 3");
    Desktop.Refuse(SystemParameter::SetDeskWallpaper);
    EXPECT_FALSE(Info.SetDesktopWallpaper("x.bmp"));

    Desktop.SetWorkArea({0, 30, 1024, 768});
    TRect area;
    EXPECT_TRUE(Info.GetWorkRect(area));
    EXPECT_EQ(area, TRect(0, 30, 1024, 768));
    Desktop.Refuse(SystemParameter::GetWorkArea);
    EXPECT_FALSE(Info.GetWorkRect(area));
}

TEST_F(FurtherQueries, LocaleItemsByIndex)
{
    const uint32_t types[] = {0x1009, 0x19, 0x1B, 0x11, 0x100C, 0x100D, 0x12, 0x0D, 0x1C, 0x1010, 0x23, 0x28, 0x29, 0x14,
                              0x1D, 0x0E, 0x10, 0x0C, 0x20, 0x16, 0x18, 0x17, 0x51, 0x50, 0x1F, 0x0F, 0x1E, 0x1003};
    for (uint32_t type : types)
        Locale.SetItem(type, "item " + std::to_string(type));
    for (int index = 0; index < 28; ++index)
        EXPECT_EQ(Info.GetLocalInfo(index), "item " + std::to_string(types[index])) << "index " << index;
    EXPECT_EQ(Info.LocaleThousandSeparator(), "item 23") << "the monetary separator";
    EXPECT_EQ(Info.LocaleThousand(), "item 15") << "the numeric separator";

    EXPECT_EQ(Info.GetLocalInfo(28), "Hallo") << "an index outside asks for item 0, which has nothing";
    Locale.SetItem(0, "zero");
    EXPECT_EQ(Info.GetLocalInfo(-1), "zero");
    Locale.RefuseItem(0x1D);
    EXPECT_EQ(Info.LocaleDateSeparator(), "Hallo");
}

TEST_F(FurtherQueries, LocaleTextsAreWrittenCutToTheirLimit)
{
    Info.SetLocaleDateSeparator(".");
    EXPECT_EQ(Locale.ItemLog().back(), "0x1D=.");
    EXPECT_EQ(Info.LocaleDateSeparator(), ".");
    Info.SetLocaleLongDateFormat(std::string(3000, 'd'));
    EXPECT_EQ(Info.LocaleLongDateFormat(), std::string(2048, 'd'));
}

TEST(FurtherQueriesWithoutServices, EveryQueryGivesItsNeutralValue)
{
    const ScopedPlatform none{Platform{}};
    TLMDSysInfo info;
    EXPECT_EQ(info.CurrentUser(), "(Unknown)");
    EXPECT_EQ(info.Computername(), "(Unknown)");
    EXPECT_EQ(info.RegisteredOwner(), "(Unknown)");
    EXPECT_EQ(info.WinPath(), "");
    EXPECT_EQ(info.ScreenSaverDelay(), 0);
    EXPECT_FALSE(info.NumLockState());
    info.SetNumLockState(true);
    EXPECT_EQ(info.LocaleDateSeparator(), "Hallo");
    EXPECT_EQ(info.GetFileName(), "");
    EXPECT_TRUE(info.Environment().empty());
    EXPECT_EQ(info.GetDriveInfo("C:\\").DriveType, 0);
    TRect area;
    EXPECT_FALSE(info.GetWorkRect(area));
}
