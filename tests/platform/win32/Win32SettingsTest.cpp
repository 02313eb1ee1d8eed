#include <windows.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/SettingsStore.h"
#include "platform/IProcessInfo.h"
#include "platform/IRegistry.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/headless/HeadlessProcessInfo.h"
#include "platform/win32/Win32Services.h"
#include "tests/support/TempDir.h"

namespace {

const wchar_t* const VendorKey = L"Software\\Kestrune";
const wchar_t* const StyleKey = L"Software\\Kestrune\\Screensaver";

template <typename F>
std::string Outcome(F Call)
{
    try {
        return std::to_string(Call());
    } catch (const Exception& e) {
        return e.Message();
    }
}

std::string Lower(std::string Text)
{
    for (char& c : Text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return Text;
}

bool KeyExists(const wchar_t* Path)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Stores a raw value under the settings key, bypassing the code under test.
void PutStyle(DWORD Type, std::vector<BYTE> Data)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, StyleKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, L"Style", 0, Type, Data.data(), static_cast<DWORD>(Data.size())), ERROR_SUCCESS);
    RegCloseKey(key);
}

// The real registry's settings key, removed after each test. A machine that already has the
// key keeps it: the tests are skipped there rather than overwrite someone's settings.
class Win32Registry : public ::testing::Test {
protected:
    Win32Registry() : FScope(Services()) {}

    void SetUp() override
    {
        if (KeyExists(StyleKey))
            GTEST_SKIP() << "this machine has its own settings key; it is left alone";
        FVendorKeyWasThere = KeyExists(VendorKey);
    }

    void TearDown() override
    {
        if (IsSkipped())
            return;
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, StyleKey);
        if (!FVendorKeyWasThere)
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, VendorKey);
    }

    static Platform Services()
    {
        Platform p = CurrentPlatform();
        p.Registry = ::Win32Registry();
        return p;
    }

private:
    ScopedPlatform FScope;
    bool FVendorKeyWasThere = false;
};

// The system's profile functions, with the executable in a temporary folder.
class Win32ProfileFiles : public ::testing::Test {
protected:
    Win32ProfileFiles() : Process(Temp.File("bin\\quorvel.scr")), FScope(Services()) { Temp.Write("bin\\keep", ""); }

    Platform Services()
    {
        Platform p = CurrentPlatform();
        p.Profiles = ::Win32ProfileFiles();
        p.Process = &Process;
        return p;
    }

    TTempDir Temp;
    THeadlessProcessInfo Process;

private:
    ScopedPlatform FScope;
};

}  // namespace

TEST_F(Win32Registry, ReadStyleFollowsTheStoredValue)
{
    const struct { const char* what; std::function<void()> setup; std::string expected; } cases[] = {
        {"no key", [] {}, "1"},
        {"Style 0", [] { PutStyle(REG_DWORD, {0, 0, 0, 0}); }, "0"},
        {"Style 1", [] { PutStyle(REG_DWORD, {1, 0, 0, 0}); }, "1"},
        {"Style 2", [] { PutStyle(REG_DWORD, {2, 0, 0, 0}); }, "2"},
        {"Style -1", [] { PutStyle(REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}); }, "-1"},
        {"key without Style", [] { PutStyle(REG_DWORD, {}); RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, StyleKey, L"Style"); },
         "Failed to get data for 'Style'"},
        {"string \"1\"", [] { PutStyle(REG_SZ, {'1', 0, 0, 0}); }, "Invalid data type for 'Style'"},
        {"8 bytes", [] { PutStyle(REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0}); }, "Failed to get data for 'Style'"},
        {"64-bit number", [] { PutStyle(REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}); }, "Failed to get data for 'Style'"},
        {"4 bytes of binary", [] { PutStyle(REG_BINARY, {1, 0, 0, 0}); }, "Invalid data type for 'Style'"},
    };
    for (const auto& c : cases) {
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, StyleKey);
        c.setup();
        EXPECT_EQ(Outcome(ReadStyle), c.expected) << c.what;
    }
}

TEST_F(Win32Registry, WriteStyleCreatesTheKeyWithANumber)
{
    for (int32_t value : {0, 1, -1}) {
        WriteStyle(value);
        DWORD type = 0, data = 0, size = sizeof data;
        ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, StyleKey, L"Style", RRF_RT_ANY, &type, &data, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << value;
        EXPECT_EQ(static_cast<int32_t>(data), value);
        EXPECT_EQ(ReadStyle(), value);
    }
}

TEST_F(Win32ProfileFiles, ReadsAndWritesSkinBesideTheExecutable)
{
    const struct { const char* what; const char* file; int32_t expected; } cases[] = {
        {"no file", nullptr, 255},
        {"red", "[Skin]\r\nskin=255\r\n", 255},
        {"another case and blanks", "[SKIN]\r\n Skin = 65280 \r\n", 65280},
        {"0x prefix", "[Skin]\r\nskin=0xFF00\r\n", 65280},
        {"$ prefix", "[Skin]\r\nskin=$FF00\r\n", 65280},
        {"magenta", "[Skin]\r\nskin=16711935\r\n", 16711935},
        {"text", "[Skin]\r\nskin=abc\r\n", 255},
        {"empty", "[Skin]\r\nskin=\r\n", 255},
        {"beyond 32 bits", "[Skin]\r\nskin=4294967296\r\n", 255},
        {"other section", "[Other]\r\nskin=1\r\n", 255},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(Temp.File("bin\\Quorvel.ini"));
        if (c.file)
            Temp.Write("bin\\Quorvel.ini", c.file);
        EXPECT_EQ(ReadClockColor(), c.expected) << c.what;
        WriteClockColor(-1);
        EXPECT_EQ(ReadClockColor(), -1) << c.what;
        EXPECT_NE(Lower(Temp.Read("bin\\Quorvel.ini").value_or("")).find("skin=-1"), std::string::npos) << c.what;
    }
}

TEST_F(Win32ProfileFiles, TheFileBesideTheExecutableIsUsedWhateverTheCurrentDirectory)
{
    Temp.Write("elsewhere\\Quorvel.ini", "[Skin]\r\nskin=1\r\n");
    TCurrentDirectory cwd(Temp.File("elsewhere"));
    EXPECT_EQ(ReadClockColor(), 255);
    WriteClockColor(65280);
    EXPECT_EQ(ReadClockColor(), 65280);
    EXPECT_NE(Temp.Read("bin\\Quorvel.ini").value_or("").find("skin=65280"), std::string::npos);
    EXPECT_EQ(Temp.Read("elsewhere\\Quorvel.ini"), "[Skin]\r\nskin=1\r\n");
}

TEST_F(Win32ProfileFiles, AFileThatCannotBeWrittenIsReported)
{
    Process.SetExecutablePath(Temp.File("missing\\quorvel.scr"));
    std::string message;
    try {
        WriteClockColor(7);
    } catch (const Exception& e) {
        message = e.Message();
    }
    EXPECT_EQ(message, "Unable to write to " + Temp.File("missing\\Quorvel.ini"));
    EXPECT_EQ(ReadClockColor(), 255);
}

TEST(Win32ProcessInfo, NamesTheFolderOfTheRunningProgram)
{
    IProcessInfo* process = ::Win32ProcessInfo();
    const std::string folder = process->ExecutableDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(process->ExecutablePath(), folder + "test_platform_win32.exe");
    TTempDir temp;
    TCurrentDirectory cwd(temp.Path());
    EXPECT_EQ(process->ExecutableDirectory(), folder);
}
