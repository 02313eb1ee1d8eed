#include <gtest/gtest.h>

#include "platform/ICpuId.h"
#include "platform/ISystemInfo.h"
#include "platform/Platform.h"
#include "sysinfo/LMDSysInfo.h"

// These ask the machine the tests run on through the real backend, so they check only what
// holds on every x86 machine this program runs on.

TEST(HostMachine, ProcessorIdentifiesItself)
{
    const Platform host = BackendPlatform();
    ASSERT_NE(host.CpuId, nullptr);
    ASSERT_TRUE(host.CpuId->IdFlagToggles());
    EXPECT_TRUE(host.CpuId->IdFlagToggles()) << "the ID flag toggles again after the first test";

    const ScopedPlatform scope(host);
    const TLMDCPUInfoObject info;
    EXPECT_TRUE(info.ExistCPUInfo());
    EXPECT_EQ(info.IDString().size(), 12u) << info.IDString();
    EXPECT_NE(info.Family(), 0);
    EXPECT_TRUE(info.FPU());
    EXPECT_TRUE(info.TimeStampCoutner());
}

TEST(HostMachine, MemoryFiguresAreConsistent)
{
    const Platform host = BackendPlatform();
    ASSERT_NE(host.System, nullptr);
    TMemoryStatusEx status;
    ASSERT_TRUE(host.System->MemoryStatusEx(status));
    EXPECT_GT(status.ullTotalPhys, 0u);
    EXPECT_LE(status.ullAvailPhys, status.ullTotalPhys);
    EXPECT_LE(status.dwMemoryLoad, 100u);
    EXPECT_GT(status.ullTotalVirtual, 0u);
    EXPECT_LE(status.ullAvailVirtual, status.ullTotalVirtual);

    const TMemoryStatus old = host.System->MemoryStatus();
    EXPECT_GT(old.dwTotalPhys, 0u);
    EXPECT_LE(old.dwMemoryLoad, 100u);

    const ScopedPlatform scope(host);
    const TLMDSysInfo info;
    EXPECT_GT(info.MemPhysTotal(), 0);
}

TEST(HostMachine, ProcessorsAsThisProgramSeesThem)
{
    const Platform host = BackendPlatform();
    ASSERT_NE(host.System, nullptr);
    const TSystemInfoRecord record = host.System->SystemInfo();
    EXPECT_GE(record.NumberOfProcessors, 1u);
    // A 32-bit program is told of a Pentium-class processor, a 64-bit one of an x86-64.
    EXPECT_EQ(record.ProcessorType, sizeof(void*) == 8 ? PROCESSOR_TYPE_AMD_X8664 : PROCESSOR_TYPE_INTEL_PENTIUM);
    EXPECT_GT(host.System->Version().MajorVersion, 0u);
}
