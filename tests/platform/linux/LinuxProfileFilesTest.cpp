#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/headless/HeadlessProcessInfo.h"
#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "platform/linux/LinuxProfileFiles.h"
#include "tests/support/TempDir.h"

namespace {

std::string WriteOutcome(int32_t Value)
{
    try {
        WriteClockColor(Value);
        return "written";
    } catch (const Exception& e) {
        return e.Message();
    }
}

// Bytes that are no text: every byte value, newlines and brackets among them, in a fixed
// scramble, starting and ending with bytes that are no line break.
std::string Garbage(size_t Size, unsigned Seed)
{
    std::string bytes = "\x01\x02";
    for (unsigned x = Seed; bytes.size() + 1 < Size;) {
        x = x * 1103515245u + 12345u;
        bytes += static_cast<char>(x >> 16);
    }
    return bytes + '\x03';
}

// The profile code on disk, with the executable in a temporary folder.
class LinuxProfileFiles : public ::testing::Test {
protected:
    LinuxProfileFiles() : Process(Temp.File("bin/quorvel")), FScope(Services())
    {
        std::filesystem::create_directories(Temp.File("bin"));
    }

    Platform Services()
    {
        Platform p = CurrentPlatform();
        p.Profiles = &Files;
        p.Process = &Process;
        return p;
    }

    TTempDir Temp;
    TLinuxProfileFiles Files;
    THeadlessProcessInfo Process;

private:
    ScopedPlatform FScope;
};

}  // namespace

TEST_F(LinuxProfileFiles, ReadsAnyFileAndWritesOnlyTheOneKey)
{
    const std::string bigLine(512 * 1024, 'x');
    const std::string junk = Garbage(4096, 7), junk2 = Garbage(777, 99);
    const struct { const char* what; std::optional<std::string> before; int32_t read; std::string after; } cases[] = {
        {"no file", std::nullopt, 255, "[Skin]\nskin=-1\n"},
        {"empty file", "", 255, "[Skin]\nskin=-1\n"},
        {"plain", "[Skin]\nskin=65280\n", 65280, "[Skin]\nskin=-1\n"},
        {"case, blanks, CR LF", "[ skin ]\r\n  SKIN = 0xFF00 \r\n", 65280, "[ skin ]\r\nSKIN=-1\r\n"},
        {"quoted value", "[Skin]\nskin=\"16711935\"\n", 16711935, "[Skin]\nskin=-1\n"},
        {"$ value", "[Skin]\nskin=$FF00\n", 65280, "[Skin]\nskin=-1\n"},
        {"no final line break", "[Skin]\nskin=12", 12, "[Skin]\nskin=-1"},
        {"text", "[Skin]\nskin=abc\n", 255, "[Skin]\nskin=-1\n"},
        {"empty value", "[Skin]\nskin=\n", 255, "[Skin]\nskin=-1\n"},
        {"beyond 32 bits", "[Skin]\nskin=4294967296\n", 255, "[Skin]\nskin=-1\n"},
        {"below 32 bits", "[Skin]\nskin=-2147483649\n", 255, "[Skin]\nskin=-1\n"},
        {"key without =", "[Skin]\nskin\n", 255, "[Skin]\nskin\nskin=-1\n"},
        {"key missing, next section follows", "[Skin]\nother=1\n\n[Next]\nskin=5\n", 255,
                                             "[Skin]\nother=1\nskin=-1\n\n[Next]\nskin=5\n"},
        {"key missing at the end without line break", "[Skin]\nother=1", 255, "[Skin]\nother=1\nskin=-1\n"},
        {"section missing", "; comment\n[A]\nx=1", 255, "; comment\n[A]\nx=1\n[Skin]\nskin=-1\n"},
        {"section missing, CR LF", "[A]\r\nx=1\r\n", 255, "[A]\r\nx=1\r\n[Skin]\r\nskin=-1\r\n"},
        {"key above every section", "skin=7\n[Skin]\n", 255, "skin=7\n[Skin]\nskin=-1\n"},
        {"two sections", "[Skin]\nskin=1\n[SKIN]\nskin=2\n", 1, "[Skin]\nskin=-1\n[SKIN]\nskin=2\n"},
        {"two keys", "[Skin]\nskin=1\nSkin=2\n", 1, "[Skin]\nskin=-1\nSkin=2\n"},
        {"byte-order mark", "\xEF\xBB\xBF[Skin]\nskin=9\n", 9, "\xEF\xBB\xBF[Skin]\nskin=-1\n"},
        {"512 KiB line", "[Skin]\n" + bigLine + "\nskin=9\n", 9, "[Skin]\n" + bigLine + "\nskin=-1\n"},
        {"512 KiB value", "[Skin]\nskin=" + std::string(512 * 1024, '1') + "\n", 255, "[Skin]\nskin=-1\n"},
        {"binary garbage", junk, 255, junk + "\n[Skin]\nskin=-1\n"},
        {"section inside garbage", junk + "\n[Skin]\nskin=5\n" + junk2, 5, junk + "\n[Skin]\nskin=-1\n" + junk2},
        {"null bytes", std::string("[Skin]\nskin=1\0" "2\n", 16), 255, "[Skin]\nskin=-1\n"},
    };
    const std::string path = Temp.File("bin/Quorvel.ini");
    for (const auto& c : cases) {
        std::filesystem::remove(path);
        if (c.before)
            Temp.Write("bin/Quorvel.ini", *c.before);
        EXPECT_EQ(ReadClockColor(), c.read) << c.what;
        EXPECT_EQ(WriteOutcome(-1), "written") << c.what;
        EXPECT_TRUE(Temp.Read("bin/Quorvel.ini") == c.after) << c.what << ": the file changed beyond the one key";
        EXPECT_EQ(ReadClockColor(), -1) << c.what;
    }
}

// ASCII text as UTF-16 with its byte-order mark.
std::string Utf16(const std::string& Text, bool BigEndian)
{
    std::string out = BigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : Text)
        out += BigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

TEST_F(LinuxProfileFiles, AUtf16FileIsReadAndWrittenInItsOwnEncoding)
{
    for (const bool big : {false, true}) {
        Temp.Write("bin/Quorvel.ini", Utf16("[Other]\r\nx=1\r\n[Skin]\r\nskin=65280\r\n", big));
        EXPECT_EQ(ReadClockColor(), 65280) << big;
        WriteClockColor(-1);
        EXPECT_TRUE(Temp.Read("bin/Quorvel.ini") == Utf16("[Other]\r\nx=1\r\n[Skin]\r\nskin=-1\r\n", big)) << big;
        EXPECT_EQ(ReadClockColor(), -1) << big;
    }
    // A surrogate without its partner cannot be read, and the file is not rewritten.
    const std::string broken = Utf16("[Skin]\nskin=5\n", false) + std::string("\x00\xD8", 2);
    Temp.Write("bin/Quorvel.ini", broken);
    EXPECT_EQ(ReadClockColor(), 255);
    EXPECT_EQ(WriteOutcome(1), "Unable to write to " + Temp.File("bin/Quorvel.ini"));
    EXPECT_TRUE(Temp.Read("bin/Quorvel.ini") == broken);
}

TEST_F(LinuxProfileFiles, TheFileBesideTheExecutableIsUsedWhateverTheCurrentDirectory)
{
    Temp.Write("elsewhere/Quorvel.ini", "[Skin]\nskin=1\n");
    TCurrentDirectory cwd(Temp.File("elsewhere"));
    EXPECT_EQ(ReadClockColor(), 255);
    WriteClockColor(65280);
    EXPECT_EQ(ReadClockColor(), 65280);
    EXPECT_EQ(Temp.Read("bin/Quorvel.ini"), "[Skin]\nskin=65280\n");
    EXPECT_EQ(Temp.Read("elsewhere/Quorvel.ini"), "[Skin]\nskin=1\n");
}

TEST_F(LinuxProfileFiles, AnUnknownExecutableDirectoryNeverFallsBackToTheCurrentOne)
{
    Process.SetExecutablePath("quorvel");
    Temp.Write("elsewhere/Quorvel.ini", "[Skin]\nskin=1\n");
    TCurrentDirectory cwd(Temp.File("elsewhere"));
    EXPECT_EQ(ReadClockColor(), 255);
    EXPECT_EQ(WriteOutcome(7), "Unable to write to Quorvel.ini");
    EXPECT_EQ(Temp.Read("elsewhere/Quorvel.ini"), "[Skin]\nskin=1\n");
}

TEST_F(LinuxProfileFiles, WhatCannotBeWrittenIsReportedAndLeftAlone)
{
    Process.SetExecutablePath(Temp.File("missing/quorvel"));
    EXPECT_EQ(WriteOutcome(7), "Unable to write to " + Temp.File("missing/Quorvel.ini"));

    Process.SetExecutablePath(Temp.File("bin/quorvel"));
    std::filesystem::create_directories(Temp.File("bin/Quorvel.ini"));
    EXPECT_EQ(ReadClockColor(), 255) << "a folder in the file's place";
    EXPECT_EQ(WriteOutcome(7), "Unable to write to " + Temp.File("bin/Quorvel.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(Temp.File("bin/Quorvel.ini")));

    std::filesystem::remove(Temp.File("bin/Quorvel.ini"));
    ASSERT_EQ(::mkfifo(Temp.File("bin/Quorvel.ini").c_str(), 0644), 0);
    EXPECT_EQ(ReadClockColor(), 255) << "a pipe must not block the read";
    EXPECT_EQ(WriteOutcome(7), "Unable to write to " + Temp.File("bin/Quorvel.ini"));
}

TEST_F(LinuxProfileFiles, AFileWithoutWritePermissionIsNotWrittenEvenByTheSuperuser)
{
    const std::string path = Temp.File("bin/Quorvel.ini");
    for (const mode_t mode : {0444, 0400, 0}) {
        Temp.Write("bin/Quorvel.ini", "[Skin]\nskin=1\n");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        EXPECT_EQ(WriteOutcome(2), "Unable to write to " + path) << std::oct << mode;
        ::chmod(path.c_str(), 0644);
        EXPECT_EQ(Temp.Read("bin/Quorvel.ini"), "[Skin]\nskin=1\n") << std::oct << mode;
    }
}

TEST_F(LinuxProfileFiles, AWriteReplacesTheFileWholeAndKeepsItsPermissionsAndLink)
{
    Temp.Write("real/settings.ini", "[Skin]\nskin=1\n");
    ::chmod(Temp.File("real/settings.ini").c_str(), 0640);
    std::filesystem::create_symlink(Temp.File("real/settings.ini"), Temp.File("bin/Quorvel.ini"));
    WriteClockColor(2);
    EXPECT_TRUE(std::filesystem::is_symlink(Temp.File("bin/Quorvel.ini")));
    EXPECT_EQ(Temp.Read("real/settings.ini"), "[Skin]\nskin=2\n");
    struct stat info;
    ASSERT_EQ(::stat(Temp.File("real/settings.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Temp.File("real")))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"settings.ini"}) << "a temporary file was left";
}

TEST_F(LinuxProfileFiles, AFileLargerThanAnySettingsFileIsRefusedWhole)
{
    // Blank lines up to the limit still read; one byte more and the file is neither read nor
    // rewritten.
    const std::string path = Temp.File("bin/Quorvel.ini");
    const std::string atLimit = "[Skin]\nskin=7\n" + std::string(MaxSettingsFileBytes - 14, '\n');
    Temp.Write("bin/Quorvel.ini", atLimit);
    EXPECT_EQ(ReadClockColor(), 7);
    Temp.Write("bin/Quorvel.ini", atLimit + "\n");
    EXPECT_EQ(ReadClockColor(), 255);
    EXPECT_EQ(WriteOutcome(1), "Unable to write to " + path);
    EXPECT_TRUE(Temp.Read("bin/Quorvel.ini") == atLimit + "\n") << "the large file was changed";
}

TEST_F(LinuxProfileFiles, ALinkIsFollowedOnlyWhereTheWriterOrRootOwnsItAndItsFolder)
{
    // Another user: the one the system keeps for nobody.
    const uid_t other = 65534;
    Temp.Write("probe", "");
    if (::lchown(Temp.File("probe").c_str(), other, other) != 0)
        GTEST_SKIP() << "only the superuser can make files of another user";
    namespace fs = std::filesystem;
    const std::string ini = Temp.File("bin/Quorvel.ini");
    const struct { const char* what; std::string link, target; uid_t linkOwner, folderOwner; bool followed; } cases[] = {
        {"own link", ini, Temp.File("real/settings.ini"), 0, 0, true},
        {"own relative link", ini, "../real/settings.ini", 0, 0, true},
        {"link of another user", ini, Temp.File("real/settings.ini"), other, 0, false},
        {"own link in another user's folder", ini, Temp.File("real/settings.ini"), 0, other, false},
        {"folder on the way is another user's link", Temp.File("bin"), Temp.File("real"), other, 0, false},
    };
    for (const auto& c : cases) {
        fs::remove_all(Temp.File("bin"));
        fs::remove_all(Temp.File("real"));
        Temp.Write("real/settings.ini", "[Skin]\nskin=1\n");
        Temp.Write("real/Quorvel.ini", "[Skin]\nskin=1\n");
        fs::create_directories(fs::path(c.link).parent_path());
        fs::create_symlink(c.target, c.link);
        ASSERT_EQ(::lchown(c.link.c_str(), c.linkOwner, c.linkOwner), 0);
        ASSERT_EQ(::chown(fs::path(c.link).parent_path().c_str(), c.folderOwner, c.folderOwner), 0);
        EXPECT_EQ(WriteOutcome(2), c.followed ? "written" : "Unable to write to " + ini) << c.what;
        const char* const changed = c.followed ? "[Skin]\nskin=2\n" : "[Skin]\nskin=1\n";
        EXPECT_EQ(Temp.Read(c.link == ini ? "real/settings.ini" : "real/Quorvel.ini"), changed) << c.what;
        EXPECT_TRUE(fs::is_symlink(c.link)) << c.what;
        ::chown(fs::path(c.link).parent_path().c_str(), 0, 0);
    }

    fs::remove_all(Temp.File("bin"));
    fs::create_directories(Temp.File("bin"));
    fs::create_symlink(ini, ini);
    EXPECT_EQ(WriteOutcome(2), "Unable to write to " + ini) << "a link to itself";
}

TEST_F(LinuxProfileFiles, EntriesThatWouldSpillIntoOtherLinesAreRefused)
{
    const std::string path = Temp.File("bin/Quorvel.ini");
    const struct { const char* section; const char* key; const char* value; } cases[] = {
        {"Skin", "skin", "1\n[Other]"}, {"Skin", "skin", "1\r"}, {"Skin]", "skin", "1"}, {"Skin", "sk=in", "1"},
        {"Skin", "", "1"}, {"", "skin", "1"}, {"Skin", "[skin", "1"},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(Files.WriteString(path, c.section, c.key, c.value)) << c.section << "/" << c.key << "/" << c.value;
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(Files.WriteString("relative.ini", "Skin", "skin", "1"));
}

TEST(LinuxProcessInfo, NamesTheFolderOfTheRunningProgram)
{
    TLinuxProcessInfo process;
    const std::string folder = process.ExecutableDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(process.ExecutablePath(), folder + "test_platform_linux");
    TTempDir temp;
    TCurrentDirectory cwd(temp.Path());
    EXPECT_EQ(process.ExecutableDirectory(), folder);
}
