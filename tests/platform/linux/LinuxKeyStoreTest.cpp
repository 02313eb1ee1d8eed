#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxKeyStore.h"
#include "tests/support/TempDir.h"

namespace {

const char* const KeyFile = "hklm/Software/Kestrune/Screensaver.reg";
const std::string Header = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Screensaver]\n";

template <typename F>
std::string Outcome(F Call)
{
    try {
        return std::to_string(Call());
    } catch (const Exception& e) {
        return e.Message();
    }
}

std::vector<std::string> FilesIn(const std::string& Folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// A key store in a temporary folder, installed as the program's registry.
class LinuxKeyStore : public ::testing::Test {
protected:
    LinuxKeyStore() : Store(Temp.File("hklm")), FScope(Services()) {}

    Platform Services()
    {
        Platform p = CurrentPlatform();
        p.Registry = &Store;
        return p;
    }

    TTempDir Temp;
    TLinuxKeyStore Store;

private:
    ScopedPlatform FScope;
};

}  // namespace

TEST_F(LinuxKeyStore, ReadStyleFollowsTheKeyFile)
{
    const std::string garbage("\x7F" "ELF\x01\x00\xFF\xFE[\n\"=\r\n\x00\x00", 16);
    const struct { const char* what; std::string file; std::string expected; } cases[] = {
        {"Style 0", Header + "\"Style\"=dword:00000000\n", "0"},
        {"Style 1", Header + "\"Style\"=dword:00000001\n", "1"},
        {"Style 2", Header + "\"Style\"=dword:00000002\n", "2"},
        {"Style -1", Header + "\"Style\"=dword:ffffffff\n", "-1"},
        {"short number", Header + "\"Style\"=dword:2\n", "2"},
        {"name in another case", Header + "\"STYLE\"=dword:00000000\n", "0"},
        {"CR LF lines and a comment", "; saved by hand\r\n" + Header + "\"Style\"=dword:00000000\r\n", "0"},
        {"no header, no key line", "\"Style\"=dword:00000000", "0"},
        {"byte-order mark", "\xEF\xBB\xBF" + Header + "\"Style\"=dword:00000000\n", "0"},
        {"number as hex(4)", Header + "\"Style\"=hex(4):02,00,00,00\n", "2"},
        {"hex list over two lines", Header + "\"Style\"=hex(4):03,00,\\\n  00,00\n", "3"},
        {"the later of two lines", Header + "\"Style\"=dword:00000000\n\"Style\"=dword:00000001\n", "1"},
        {"other values only", Header + "\"Name\"=\"text\"\n", "Failed to get data for 'Style'"},
        {"no values", Header, "Failed to get data for 'Style'"},
        {"empty file", "", "Failed to get data for 'Style'"},
        {"one-character string", Header + "\"Style\"=\"1\"\n", "Invalid data type for 'Style'"},
        {"two-character string", Header + "\"Style\"=\"12\"\n", "Failed to get data for 'Style'"},
        {"three-character string", Header + "\"Style\"=\"123\"\n", "Failed to get data for 'Style'"},
        {"8-byte number", Header + "\"Style\"=hex(b):01,00,00,00,00,00,00,00\n", "Failed to get data for 'Style'"},
        {"4 bytes of binary", Header + "\"Style\"=hex:01,00,00,00\n", "Invalid data type for 'Style'"},
        {"no hex digits", Header + "\"Style\"=dword:xyz\n", "Failed to get data for 'Style'"},
        {"nine hex digits", Header + "\"Style\"=dword:000000001\n", "Failed to get data for 'Style'"},
        {"unclosed name", Header + "\"Style=dword:00000001\n", "Failed to get data for 'Style'"},
        {"deletion mark", Header + "\"Style\"=-\n", "Failed to get data for 'Style'"},
        {"bad hex byte", Header + "\"Style\"=hex(4):1,2,300,4\n", "Failed to get data for 'Style'"},
        {"a stray line elsewhere", Header + "\"Style\"=dword:00000001\nStyle=1\n", "1"},
        {"binary garbage", garbage, "Failed to get data for 'Style'"},
    };
    for (const auto& c : cases) {
        Temp.Write(KeyFile, c.file);
        EXPECT_EQ(Outcome(ReadStyle), c.expected) << c.what;
    }
}

TEST_F(LinuxKeyStore, AKeyIsFoundInAnyCaseAndMayHaveSubkeysOnly)
{
    EXPECT_EQ(ReadStyle(), 1) << "no store folder at all";
    Temp.Write("hklm/Software/Kestrune/Screensaver/Sub.reg", Header);
    EXPECT_EQ(Outcome(ReadStyle), "Failed to get data for 'Style'") << "a key with a subkey and no values";
    Temp.Write("hklm/SOFTWARE/kestrune/SCREENSAVER.REG", Header + "\"Style\"=dword:00000000\n");
    std::filesystem::remove_all(Temp.File("hklm/Software"));
    EXPECT_EQ(ReadStyle(), 0);
}

TEST_F(LinuxKeyStore, AKeyFileThatIsNoFileCannotBeRead)
{
    std::filesystem::create_directories(Temp.File(KeyFile));
    EXPECT_EQ(Outcome(ReadStyle), "Failed to get data for 'Style'");
    std::filesystem::remove(Temp.File(KeyFile));
    ASSERT_EQ(::mkfifo(Temp.File(KeyFile).c_str(), 0644), 0);
    EXPECT_EQ(Outcome(ReadStyle), "Failed to get data for 'Style'") << "a pipe must not block the read";
    EXPECT_EQ(Outcome([] { WriteStyle(0); return 0; }), "Failed to set data for 'Style'");
}

TEST_F(LinuxKeyStore, WriteStyleCreatesTheKeyFileReadableByAll)
{
    const mode_t saved = ::umask(022);
    WriteStyle(0);
    ::umask(saved);
    EXPECT_EQ(Temp.Read(KeyFile), Header + "\"Style\"=dword:00000000\n");
    EXPECT_EQ(ReadStyle(), 0);
    struct stat info;
    ASSERT_EQ(::stat(Temp.File(KeyFile).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    EXPECT_EQ(FilesIn(Temp.File("hklm/Software/Kestrune")), std::vector<std::string>{"Screensaver.reg"}) << "a temporary file was left";
}

TEST_F(LinuxKeyStore, WriteStyleChangesOnlyTheStyleLine)
{
    const std::string others = "; kept\n\"Name\"=\"t\\\"ext\"\n\"Data\"=hex:01,\\\n  02\n";
    const struct { const char* what; std::string before, after; } cases[] = {
        {"other values around", Header + "\"A\"=dword:00000005\n\"Style\"=dword:00000001\n" + others,
                                Header + "\"A\"=dword:00000005\n\"Style\"=dword:00000000\n" + others},
        {"CR LF and no final line break", "\"Style\"=dword:00000001\r\n\"B\"=\"x\"\r\n\"style\"=dword:00000001",
                                          "\"Style\"=dword:00000000\r\n\"B\"=\"x\"\r\n"},
        {"no Style yet, no final line break", Header + "\"A\"=\"x\"", Header + "\"A\"=\"x\"\n\"Style\"=dword:00000000\n"},
        {"Style of another type", Header + "\"Style\"=\"1\"\n" + others, Header + "\"Style\"=dword:00000000\n" + others},
    };
    for (const auto& c : cases) {
        Temp.Write(KeyFile, c.before);
        WriteStyle(0);
        EXPECT_EQ(Temp.Read(KeyFile), c.after) << c.what;
        EXPECT_EQ(ReadStyle(), 0) << c.what;
    }
}

TEST_F(LinuxKeyStore, AStrayLineIsPassedOverAndKeptAndOnlyAMalformedStyleFails)
{
    const std::string stray = "this line is no value\n";
    const struct { const char* what; std::string before; const char* read; std::string after; } cases[] = {
        {"stray line after Style", Header + "\"Style\"=dword:00000000\n" + stray, "0",
                                   Header + "\"Style\"=dword:00000001\n" + stray},
        {"stray line before the header", stray + Header + "\"Style\"=dword:00000000\n", "0",
                                         stray + Header + "\"Style\"=dword:00000001\n"},
        {"another value malformed", Header + "\"A\"=dword:xyz\n\"Style\"=dword:00000000\n", "0",
                                    Header + "\"A\"=dword:xyz\n\"Style\"=dword:00000001\n"},
        {"Style malformed", Header + "\"Style\"=dword:0000000g\n" + stray, "Failed to get data for 'Style'",
                            Header + "\"Style\"=dword:00000001\n" + stray},
        {"Style number too long", Header + "\"Style\"=dword:000000001\n", "Failed to get data for 'Style'",
                                  Header + "\"Style\"=dword:00000001\n"},
        {"list open at the end", Header + "\"A\"=hex:01,\\\n", "Failed to get data for 'Style'",
                                 Header + "\"A\"=hex:01,\\\n\n\"Style\"=dword:00000001\n"},
        {"list line ending in two backslashes", Header + "\"A\"=hex:01,\\\\\n", "Failed to get data for 'Style'",
                                                Header + "\"A\"=hex:01,\\\\\n\n\"Style\"=dword:00000001\n"},
    };
    for (const auto& c : cases) {
        Temp.Write(KeyFile, c.before);
        EXPECT_EQ(Outcome(ReadStyle), c.read) << c.what;
        WriteStyle(1);
        EXPECT_EQ(Temp.Read(KeyFile), c.after) << c.what;
        EXPECT_EQ(ReadStyle(), 1) << c.what;
    }
}

TEST_F(LinuxKeyStore, AKeyFileLargerThanAnySettingsFileIsRefusedWhole)
{
    const std::string style = "\"Style\"=dword:00000000\n";
    const std::string atLimit = Header + style + std::string(MaxSettingsFileBytes - Header.size() - style.size(), '\n');
    Temp.Write(KeyFile, atLimit);
    EXPECT_EQ(ReadStyle(), 0);
    Temp.Write(KeyFile, atLimit + "\n");
    EXPECT_EQ(Outcome(ReadStyle), "Failed to get data for 'Style'");
    EXPECT_EQ(Outcome([] { WriteStyle(1); return 0; }), "Failed to set data for 'Style'");
    EXPECT_TRUE(Temp.Read(KeyFile) == atLimit + "\n") << "the large file was changed";
}

TEST_F(LinuxKeyStore, AKeyFileWithoutWritePermissionIsNotWrittenEvenByTheSuperuser)
{
    const std::string before = Header + "\"Style\"=dword:00000001\n";
    Temp.Write(KeyFile, before);
    ASSERT_EQ(::chmod(Temp.File(KeyFile).c_str(), 0444), 0);
    EXPECT_EQ(Outcome([] { WriteStyle(0); return 0; }), "Failed to set data for 'Style'");
    EXPECT_EQ(Temp.Read(KeyFile), before);
    EXPECT_EQ(ReadStyle(), 1);
}

TEST_F(LinuxKeyStore, AStoreThatCannotBeCreatedIsNotOpened)
{
    Temp.Write("blocked", "a file where the store's folder would be");
    TLinuxKeyStore blocked(Temp.File("blocked/hklm"));
    Platform p = CurrentPlatform();
    p.Registry = &blocked;
    ScopedPlatform scope(p);
    EXPECT_NO_THROW(WriteStyle(0));
    EXPECT_EQ(ReadStyle(), 1);
}

TEST_F(LinuxKeyStore, PathsThatLeaveTheStoreAreRefused)
{
    Temp.Write("outside.reg", Header + "\"Style\"=dword:00000000\n");
    for (const char* path : {"..\\outside", "Software\\..\\..\\outside", "", "Software\\\\Kestrune", "a/b", "."})
        EXPECT_EQ(Store.OpenKey(RegRoot::LocalMachine, path, KEY_ALL_ACCESS_MASK, true), nullptr) << path;
    EXPECT_FALSE(std::filesystem::exists(Temp.File("a")));
}

TEST_F(LinuxKeyStore, ValuesOfEveryTypeComeBackAsStored)
{
    const auto utf16 = [](std::u16string text) {
        std::string bytes;
        for (char16_t c : text + u'\0')
            bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        return bytes;
    };
    const struct { const char* name; RegValueType type; std::string data; } cases[] = {
        {"Text", RegValueType::String, utf16(u"caf\u00e9 \"quoted\" back\\slash \U0001F600")},
        {"", RegValueType::String, utf16(u"the unnamed value")},
        {"Two lines", RegValueType::String, utf16(u"one\ntwo")},
        {"Odd string", RegValueType::String, std::string("\x41\x00\x42", 3)},
        {"Path", RegValueType::ExpandString, utf16(u"%SystemRoot%")},
        {"List", RegValueType::MultiString, utf16(std::u16string(u"a\0b\0", 4))},
        {"Bytes", RegValueType::Binary, std::string("\x00\xFF\n\r\"", 5)},
        {"Empty", RegValueType::Binary, ""},
        {"Wide", RegValueType::Qword, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},
        {"Short number", RegValueType::Dword, std::string("\x01\x02", 2)},
        {"Odd type", static_cast<RegValueType>(0x12345), "xyz"},
        {"Quote \" and \\", RegValueType::Dword, std::string("\x07\x00\x00\x80", 4)},
    };
    auto key = Store.OpenKey(RegRoot::LocalMachine, "Software\\Test", KEY_ALL_ACCESS_MASK, true);
    ASSERT_NE(key, nullptr);
    for (const auto& c : cases)
        ASSERT_TRUE(key->SetValue(c.name, c.type, c.data.data(), static_cast<uint32_t>(c.data.size()))) << c.name;
    key = Store.OpenKey(RegRoot::LocalMachine, "Software\\Test", KEY_READ_MASK, false);
    ASSERT_NE(key, nullptr);
    for (const auto& c : cases) {
        char buffer[256] = {};
        const RegQueryResult result = key->QueryValue(c.name, buffer, sizeof buffer);
        EXPECT_TRUE(result.Ok) << c.name;
        EXPECT_EQ(result.Type, c.type) << c.name;
        EXPECT_EQ(std::string(buffer, result.Size), c.data) << c.name;
        const RegQueryResult small = key->QueryValue(c.name, buffer, 0);
        EXPECT_EQ(small.Ok, c.data.empty()) << c.name << " in a buffer of no bytes";
        EXPECT_EQ(small.Size, c.data.size()) << c.name << " in a buffer of no bytes";
    }
}

TEST_F(LinuxKeyStore, AKeyOpenedForReadingCannotBeWritten)
{
    Temp.Write(KeyFile, Header + "\"Style\"=dword:00000001\n");
    auto key = Store.OpenKey(RegRoot::LocalMachine, "Software\\Kestrune\\Screensaver", KEY_READ_MASK, false);
    ASSERT_NE(key, nullptr);
    const char zero[4] = {};
    EXPECT_FALSE(key->SetValue("Style", RegValueType::Dword, zero, 4));
    EXPECT_EQ(ReadStyle(), 1);
}
