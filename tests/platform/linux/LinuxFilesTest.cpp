#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "app/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/headless/HeadlessProcessInfo.h"
#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxKeyStore.h"
#include "platform/linux/LinuxProfileFiles.h"
#include "tests/support/TempDir.h"

namespace {

const char* const KeyFile = "hklm/Software/Kestrune/Screensaver.reg";
const std::string Header = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Screensaver]\n";

std::string IniText(int Value) { return "; colours\n[Skin]\nskin=" + std::to_string(Value) + "\n[Other]\nx=1\n"; }
std::string KeyText(int Value) { return Header + "\"Style\"=dword:0000000" + std::to_string(Value) + "\n\"Other\"=\"x\"\n"; }

// Both settings stores on disk, in a temporary folder, installed as the program's own.
class SettingsOnDisk : public ::testing::Test {
protected:
    SettingsOnDisk() : Process(Temp.File("bin/quorvel")), Store(Temp.File("hklm")), FScope(Services())
    {
        Temp.Write("bin/Quorvel.ini", IniText(1));
        Temp.Write(KeyFile, KeyText(1));
    }

    Platform Services()
    {
        Platform p = CurrentPlatform();
        p.Profiles = &Files;
        p.Process = &Process;
        p.Registry = &Store;
        return p;
    }

    TTempDir Temp;
    THeadlessProcessInfo Process;
    TLinuxProfileFiles Files;
    TLinuxKeyStore Store;

private:
    ScopedPlatform FScope;
};

// Runs Work in a child process and returns its exit status, or -1 when it did not exit.
template <typename F>
int InChild(F Work)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(Work());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST_F(SettingsOnDisk, AWriterKilledAtAnyMomentLeavesTheOldFileOrTheNewOne)
{
    std::mt19937 random(17);
    int kills = 0, changes = 0;
    int32_t shown = 1;
    for (int round = 0; round < 300; ++round) {
        // The child starts with the value the files do not hold, so every write changes them.
        const pid_t child = ::fork();
        if (child == 0) {
            for (int32_t value = 3 - shown;; value = 3 - value) {
                WriteClockColor(value);
                WriteStyle(value);
            }
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(random));
        kills += ::kill(child, SIGKILL) == 0;
        ::waitpid(child, nullptr, 0);
        const auto ini = Temp.Read("bin/Quorvel.ini");
        const auto key = Temp.Read(KeyFile);
        ASSERT_TRUE(ini == IniText(1) || ini == IniText(2)) << "round " << round << ": " << ini.value_or("(none)");
        ASSERT_TRUE(key == KeyText(1) || key == KeyText(2)) << "round " << round << ": " << key.value_or("(none)");
        const int32_t now = ini == IniText(1) ? 1 : 2;
        changes += now != shown;
        shown = now;
    }
    EXPECT_EQ(kills, 300);
    // Some kills must fall after a write, or the test would only ever see the first file.
    EXPECT_GT(changes, 0);
    std::printf("%d of 300 kills came after the profile file had changed\n", changes);
}

TEST_F(SettingsOnDisk, AFullDiskKeepsTheOldFileWholeAndIsReported)
{
    // The file-size limit stands in for a full disk: a write beyond it fails part of the way,
    // as one on a full disk does, without needing a file system of its own.
    const std::string others(4096, ';');
    Temp.Write("bin/Quorvel.ini", others + "\n" + IniText(1));
    Temp.Write(KeyFile, KeyText(1) + ";" + others + "\n");
    const std::string path = Temp.File("bin/Quorvel.ini");
    const int outcome = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        int result = 0;
        try {
            WriteClockColor(2);
            result |= 1;
        } catch (const Exception& e) {
            result |= e.Message() == "Unable to write to " + path ? 0 : 2;
        }
        try {
            WriteStyle(2);
            result |= 4;
        } catch (const Exception& e) {
            result |= e.Message() == "Failed to set data for 'Style'" ? 0 : 8;
        }
        return result;
    });
    EXPECT_EQ(outcome, 0) << "1/4: a write passed, 2/8: another message";
    EXPECT_TRUE(Temp.Read("bin/Quorvel.ini") == others + "\n" + IniText(1));
    EXPECT_TRUE(Temp.Read(KeyFile) == KeyText(1) + ";" + others + "\n");
    for (const char* folder : {"bin", "hklm/Software/Kestrune"})
        for (const auto& entry : std::filesystem::directory_iterator(Temp.File(folder)))
            EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path() << " was left";
}
