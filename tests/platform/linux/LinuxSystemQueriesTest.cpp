#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "platform/IDesktop.h"
#include "platform/IHostEnvironment.h"
#include "platform/IVersionResource.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/LinuxSystemInfo.h"

// The Linux answers to the system queries, asked of the machine the tests run on.

TEST(LinuxSystemQueries, NamesAndFolders)
{
    const TLinuxSystemInfo system;
    const auto user = system.UserName(63);
    ASSERT_TRUE(user);
    EXPECT_EQ(user->Buffer, getpwuid(geteuid())->pw_name);
    EXPECT_EQ(user->Length, user->Buffer.size() + 1) << "the terminator is counted";
    EXPECT_FALSE(system.UserName(static_cast<uint32_t>(user->Buffer.size())))
        << "a buffer without room for the terminator";
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    EXPECT_EQ(system.ComputerName(), std::string(host));
    EXPECT_EQ(system.WindowsDirectory(), "");
    EXPECT_EQ(system.TempPath().back(), '/');
    EXPECT_FALSE(system.FreeResources(TResourceKind::System));
}

TEST(LinuxSystemQueries, TimeZoneFromTheZoneData)
{
    const char* saved = std::getenv("TZ");
    const std::string old = saved ? saved : "";
    setenv("TZ", "EST5EDT", 1);
    const TTimeZone zone = TLinuxSystemInfo().TimeZone();
    EXPECT_EQ(zone.StandardName, "EST");
    EXPECT_EQ(zone.Bias, 300);
    if (saved)
        setenv("TZ", old.c_str(), 1);
    else
        unsetenv("TZ");
}

TEST(LinuxSystemQueries, EnvironmentAndTemporaryFiles)
{
    IHostEnvironment* environment = LinuxHostEnvironment();
    ASSERT_TRUE(environment->SetVariable("QUORVEL_TEST_VALUE", std::string(300, 'q')));
    EXPECT_EQ(environment->ExpandEnvironment("<%QUORVEL_TEST_VALUE%>"), "<" + std::string(300, 'q') + ">");
    EXPECT_EQ(environment->ExpandEnvironment("%QUORVEL_NOT_SET% 100%"), "%QUORVEL_NOT_SET% 100%");
    bool listed = false;
    for (const std::string& entry : environment->EnvironmentBlock())
        listed = listed || entry.rfind("QUORVEL_TEST_VALUE=", 0) == 0;
    EXPECT_TRUE(listed);
    unsetenv("QUORVEL_TEST_VALUE");

    const auto file = environment->CreateTempFile(TLinuxSystemInfo().TempPath(), "tmp");
    ASSERT_TRUE(file);
    EXPECT_EQ(access(file->c_str(), F_OK), 0) << *file;
    std::remove(file->c_str());
    EXPECT_FALSE(environment->CreateTempFile("/no/such/folder/", "tmp"));
}

TEST(LinuxSystemQueries, DrivesAreMountPoints)
{
    IHostEnvironment* environment = LinuxHostEnvironment();
    const std::string list = environment->LogicalDriveStrings(4096);
    EXPECT_EQ(list.rfind(std::string("/\0", 2), 0), 0u) << "the root comes first";
    EXPECT_NE(environment->DriveType("/"), DRIVE_TYPE_NO_ROOT_DIR);
    EXPECT_EQ(environment->DriveType("/no/such/folder"), DRIVE_TYPE_NO_ROOT_DIR);
    const auto space = environment->DiskSpace("/");
    ASSERT_TRUE(space);
    EXPECT_GT(space->Total, 0);
    EXPECT_LE(space->Free, space->Total);
    EXPECT_FALSE(environment->DiskSpace("/no/such/folder"));
    EXPECT_FALSE(environment->ClusterFigures(""));
    EXPECT_EQ(environment->LogicalDriveStrings(1), "") << "a list longer than the limit";
}

TEST(LinuxSystemQueries, VersionFiguresAreCompiledIn)
{
    const auto block = LinuxVersionResource()->Read();
    ASSERT_TRUE(block);
    const auto name = block->Value("\\StringFileInfo\\040904E4\\ProductName");
    ASSERT_TRUE(name);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(name->data())), "Quorvel");
    const auto fixed = block->Value("\\");
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->size(), 52u);
    EXPECT_FALSE(block->Value("\\StringFileInfo\\040904E4\\NoSuchEntry"));
}

// Only reads: the settings of the X server the tests run on are left as they are.
TEST(LinuxSystemQueries, DesktopFiguresOfTheXServer)
{
    IDesktop* desktop = LinuxDesktop();
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display";
    EXPECT_GT(desktop->ScreenWidth(), 0);
    EXPECT_GT(desktop->ScreenHeight(), 0);
    EXPECT_GT(desktop->ColorBits(), 0u);
    EXPECT_GT(desktop->ScreenPixelsPerInch(), 0);
    int32_t timeout = -1;
    EXPECT_TRUE(desktop->SystemParameters(SystemParameter::GetScreenSaveTimeout, 0, &timeout, 0));
    EXPECT_GE(timeout, 0);
    int32_t delay = -1;
    EXPECT_TRUE(desktop->SystemParameters(SystemParameter::GetKeyboardDelay, 0, &delay, 0));
    EXPECT_GE(delay, 0);
    EXPECT_LE(delay, 3);
    EXPECT_FALSE(desktop->SystemParameters(SystemParameter::GetFontSmoothing, 0, &delay, 0)) << "no such setting";
    EXPECT_FALSE(desktop->FontNames().empty());
}
