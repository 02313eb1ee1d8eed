#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "platform/linux/LinuxSystemInfo.h"
#include "tests/support/TempDir.h"

namespace {

constexpr uint64_t KB = 1024;
constexpr uint64_t Max64 = ~uint64_t{0};

// A proc folder with the given meminfo text.
class LinuxProcFolder : public ::testing::Test {
protected:
    TTempDir Proc;

    TMemoryStatusEx StatusFrom(const std::string& MemInfo)
    {
        Proc.Write("meminfo", MemInfo);
        TMemoryStatusEx status;
        EXPECT_TRUE(TLinuxSystemInfo(Proc.Path()).MemoryStatusEx(status)) << MemInfo;
        return status;
    }
};

}  // namespace

TEST_F(LinuxProcFolder, MemoryFiguresFromMemInfo)
{
    const struct {
        const char* row;
        std::string memInfo;
        uint64_t totalPhys, availPhys, totalPage, availPage;
        uint32_t load;
    } cases[] = {
        {"available memory and swap",
         "MemTotal:        4000 kB\nMemFree:          100 kB\nMemAvailable:    1000 kB\nBuffers: 7 kB\n"
         "SwapTotal:       2000 kB\nSwapFree:        1500 kB\n",
         4000 * KB, 1000 * KB, 6000 * KB, 2500 * KB, 75},
        {"old kernel without an estimate: free memory and caches",
         "MemTotal: 4000 kB\nMemFree: 1000 kB\nBuffers: 200 kB\nCached: 800 kB\n", 4000 * KB, 2000 * KB, 4000 * KB, 2000 * KB, 50},
        {"more available than there is", "MemTotal: 4000 kB\nMemAvailable: 9000 kB\nSwapTotal: 10 kB\nSwapFree: 20 kB\n",
         4000 * KB, 4000 * KB, 4010 * KB, 4010 * KB, 0},
        {"counts too large for bytes stay at the largest count",
         "MemTotal: 18446744073709551615 kB\nMemAvailable: 18446744073709551615 kB\nSwapTotal: 18446744073709551615 kB\n"
         "SwapFree: 0 kB\n",
         Max64, Max64, Max64, Max64, 0},
    };
    for (const auto& c : cases) {
        const TMemoryStatusEx status = StatusFrom(c.memInfo);
        EXPECT_EQ(status.ullTotalPhys, c.totalPhys) << c.row;
        EXPECT_EQ(status.ullAvailPhys, c.availPhys) << c.row;
        EXPECT_EQ(status.ullTotalPageFile, c.totalPage) << c.row;
        EXPECT_EQ(status.ullAvailPageFile, c.availPage) << c.row;
        EXPECT_EQ(status.dwMemoryLoad, c.load) << c.row;
        EXPECT_EQ(status.ullAvailExtendedVirtual, 0u) << c.row;
    }
}

// When the file cannot be used the kernel's own counters answer, so the query still succeeds
// with the machine's real memory.
TEST_F(LinuxProcFolder, UnusableMemInfoFallsBackToTheKernelCounters)
{
    const struct { const char* row; const char* memInfo; } cases[] = {
        {"no file", nullptr},
        {"empty", ""},
        {"no total", "MemFree: 100 kB\nMemAvailable: 100 kB\n"},
        {"total of zero", "MemTotal: 0 kB\nMemAvailable: 0 kB\n"},
        {"number beyond 64 bits", "MemTotal: 99999999999999999999999 kB\nMemAvailable: 1 kB\n"},
        {"not a number", "MemTotal: lots\nMemAvailable: 1 kB\n"},
    };
    for (const auto& c : cases) {
        TTempDir proc;
        if (c.memInfo)
            proc.Write("meminfo", c.memInfo);
        TMemoryStatusEx status;
        ASSERT_TRUE(TLinuxSystemInfo(proc.Path()).MemoryStatusEx(status)) << c.row;
        EXPECT_GT(status.ullTotalPhys, 4 * KB) << c.row;
        EXPECT_LE(status.ullAvailPhys, status.ullTotalPhys) << c.row;
    }
}

TEST_F(LinuxProcFolder, OldFormCountsSaturateAt32Bits)
{
    Proc.Write("meminfo", "MemTotal: 8388608 kB\nMemAvailable: 1048576 kB\n");
    const TMemoryStatus old = TLinuxSystemInfo(Proc.Path()).MemoryStatus();
    EXPECT_EQ(old.dwTotalPhys, 0xFFFFFFFFu);
    EXPECT_EQ(old.dwAvailPhys, 1073741824u);
    EXPECT_EQ(old.dwMemoryLoad, 88u);
}

TEST_F(LinuxProcFolder, AvailableAddressSpaceIsWhatTheProcessDoesNotUse)
{
    Proc.Write("meminfo", "MemTotal: 4000 kB\nMemAvailable: 1000 kB\n");
    Proc.Write("self/status", "Name:\ttest\nVmPeak:\t  999999 kB\nVmSize:\t  102400 kB\n");
    TMemoryStatusEx status;
    ASSERT_TRUE(TLinuxSystemInfo(Proc.Path()).MemoryStatusEx(status));
    EXPECT_GT(status.ullTotalVirtual, 102400 * KB);
    EXPECT_EQ(status.ullTotalVirtual - status.ullAvailVirtual, 102400 * KB);

    Proc.Write("self/status", "VmSize:\t18446744073709551615 kB\n");
    ASSERT_TRUE(TLinuxSystemInfo(Proc.Path()).MemoryStatusEx(status));
    EXPECT_EQ(status.ullAvailVirtual, 0u) << "a size beyond the address space leaves nothing";
}

TEST_F(LinuxProcFolder, ProcessorLevelFromTheFirstProcessorListed)
{
    Proc.Write("cpuinfo", "processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 158\n"
                          "model name\t: Some CPU\nstepping\t: 10\n\nprocessor\t: 1\ncpu family\t: 7\n");
    const TSystemInfoRecord record = TLinuxSystemInfo(Proc.Path()).SystemInfo();
    EXPECT_EQ(record.ProcessorLevel, 6);
    EXPECT_EQ(record.ProcessorRevision, 158 * 256 + 10);
    EXPECT_GE(record.NumberOfProcessors, 1u);

    Proc.Write("cpuinfo", "cpu family\t: 99999\nmodel\t: 300\nstepping\t: x\n");
    const TSystemInfoRecord odd = TLinuxSystemInfo(Proc.Path()).SystemInfo();
    EXPECT_EQ(odd.ProcessorLevel, 0) << "a family beyond 16 bits";
    EXPECT_EQ(odd.ProcessorRevision, 0) << "a model beyond 8 bits and no stepping";
}

TEST(LinuxProcFile, NumberOfAKey)
{
    const std::string text = "MemTotal:  100 kB\nMemTotalX: 5 kB\ncpu family\t: 6\nbad: x\nneg: -1\nlast: 7";
    const struct { const char* key; std::optional<uint64_t> number; } cases[] = {
        {"MemTotal", 100}, {"MemTotalX", 5}, {"cpu family", 6}, {"Mem", std::nullopt},
        {"bad", std::nullopt}, {"neg", std::nullopt}, {"last", 7}, {"missing", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TLinuxSystemInfo::ProcFileNumber(text, c.key), c.number) << c.key;
}

TEST(LinuxKernelVersion, ReleaseTextGivesMajorMinorAndBuild)
{
    const struct { const char* release; uint32_t major, minor, build; } cases[] = {
        {"6.1.0-18-amd64", 6, 1, 0},
        {"5.15.133.1-microsoft-standard-WSL2", 5, 15, 133},
        {"4.19", 4, 19, 0},
        {"3", 3, 0, 0},
        {"", 0, 0, 0},
        {"abc", 0, 0, 0},
        {"99999999999.1.2", 0, 1, 2},
    };
    for (const auto& c : cases) {
        const TOSVersion v = TLinuxSystemInfo::KernelVersionOf(c.release);
        EXPECT_EQ(v.PlatformId, PLATFORM_ID_OTHER) << c.release;
        EXPECT_EQ(v.MajorVersion, c.major) << c.release;
        EXPECT_EQ(v.MinorVersion, c.minor) << c.release;
        EXPECT_EQ(v.BuildNumber, c.build) << c.release;
        EXPECT_EQ(v.VersionLowByte, c.major & 0xFF) << c.release;
    }
}
