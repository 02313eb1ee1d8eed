#include <windows.h>

#include <lmcons.h>

#include <string>

#include <gtest/gtest.h>

#include "QuorvelVersion.h"
#include "platform/IDesktop.h"
#include "platform/IHostEnvironment.h"
#include "platform/IVersionResource.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Services.h"
#include "sysinfo/LMDSIInfo.h"
#include "sysinfo/LMDSysInfo.h"

// The Windows answers to the system queries. These run in the test's own Wine prefix, so the
// settings they change are those of that prefix, never of a person's desktop.

TEST(Win32SystemQueries, UserAndFolders)
{
    wchar_t name[UNLEN + 1] = {};
    DWORD length = UNLEN + 1;
    ASSERT_TRUE(GetUserNameW(name, &length));
    const ScopedPlatform host(BackendPlatform());
    TLMDSysInfo info;
    EXPECT_EQ(info.CurrentUser().size(), length - 1);
    EXPECT_FALSE(info.WinPath().empty());
    EXPECT_EQ(info.TempPath().back(), '\\');
    EXPECT_EQ(info.Platform(), "Windows NT");
    EXPECT_EQ(info.FreeSysRes(), "0 %");
}

TEST(Win32SystemQueries, EveryExecutableCarriesTheVersionResource)
{
    const ScopedPlatform host(BackendPlatform());
    EXPECT_EQ(LMDSIVersionInfo(viName), QUORVEL_PRODUCT_NAME);
    EXPECT_EQ(LMDSIVersionInfo(viCompany), QUORVEL_COMPANY_NAME);
    EXPECT_EQ(LMDSIVersionInfo(viFileVersionFull), QUORVEL_VERSION_TEXT);
    EXPECT_EQ(LMDSIVersionInfo(viTrademark), QUORVEL_TRADEMARKS);
}

TEST(Win32SystemQueries, DrivesAndEnvironment)
{
    IHostEnvironment* environment = Win32HostEnvironment();
    EXPECT_EQ(environment->DriveRootOf("c:\\windows"), "C:\\");
    EXPECT_EQ(environment->DriveType("C:\\"), DRIVE_TYPE_FIXED);
    EXPECT_EQ(environment->DriveType("Q:\\no\\such\\folder\\"), DRIVE_TYPE_NO_ROOT_DIR);
    EXPECT_TRUE(environment->DiskSpace("C:\\"));
    ASSERT_TRUE(environment->SetVariable("QUORVEL_TEST_VALUE", std::string(300, 'q')));
    EXPECT_EQ(environment->ExpandEnvironment("%QUORVEL_TEST_VALUE%"), std::string(300, 'q')) << "beyond 256 characters";
    EXPECT_EQ(environment->ExpandEnvironment("QUORVEL_TEST_VALUE"), "QUORVEL_TEST_VALUE");
}

TEST(Win32SystemQueries, KeyboardDelayRoundTripsInTheTestPrefix)
{
    IDesktop* desktop = Win32Desktop();
    int32_t before = -1;
    ASSERT_TRUE(desktop->SystemParameters(SystemParameter::GetKeyboardDelay, 0, &before, 0));
    const int32_t other = before == 2 ? 1 : 2;
    ASSERT_TRUE(desktop->SystemParameters(SystemParameter::SetKeyboardDelay, static_cast<uint32_t>(other), nullptr, 0));
    int32_t after = -1;
    desktop->SystemParameters(SystemParameter::GetKeyboardDelay, 0, &after, 0);
    EXPECT_EQ(after, other);
    desktop->SystemParameters(SystemParameter::SetKeyboardDelay, static_cast<uint32_t>(before), nullptr, 0);
    EXPECT_GT(desktop->ScreenWidth(), 0);
    EXPECT_GT(desktop->ColorBits(), 0u);
}
