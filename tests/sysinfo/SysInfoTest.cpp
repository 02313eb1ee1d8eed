#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/headless/HeadlessCpuId.h"
#include "platform/headless/HeadlessSystemInfo.h"
#include "sysinfo/LMDSysIn.h"
#include "sysinfo/LMDSysInfo.h"

namespace {

class SysInfo : public ::testing::Test {
protected:
    THeadlessCpuId Cpu;
    THeadlessSystemInfo Machine;
    ScopedPlatform Scope{Services()};
    TLMDSysInfo Info;

    Platform Services()
    {
        Platform p;
        p.CpuId = &Cpu;
        p.System = &Machine;
        return p;
    }

    void SetTotalPhys(uint64_t Bytes)
    {
        TMemoryStatusEx status;
        status.ullTotalPhys = Bytes;
        Machine.SetMemoryStatusEx(status);
    }
};

}  // namespace

TEST_F(SysInfo, MemoryFiguresAreKilobytesTruncated)
{
    const int64_t maxCount = std::numeric_limits<int64_t>::max();
    const struct { uint64_t bytes; int64_t kilobytes; } cases[] = {
        {536870912, 524288},
        {1073741823, 1048575},
        {1023, 0},
        {0, 0},
        {uint64_t{16} << 30, 16777216},                        // beyond what 32 bits can count
        {static_cast<uint64_t>(maxCount), maxCount / 1024},
        {static_cast<uint64_t>(maxCount) + 1, 0},              // no signed count: reported as none
        {~uint64_t{0}, 0},
    };
    for (const auto& c : cases) {
        SetTotalPhys(c.bytes);
        EXPECT_EQ(Info.MemPhysTotal(), c.kilobytes) << c.bytes << " bytes";
    }
}

TEST_F(SysInfo, EachMemoryPropertyReadsItsOwnField)
{
    TMemoryStatusEx status;
    status.ullTotalPhys = 1 * 1024;
    status.ullAvailPhys = 2 * 1024;
    status.ullTotalPageFile = 3 * 1024;
    status.ullAvailPageFile = 4 * 1024;
    status.ullTotalVirtual = 5 * 1024;
    status.ullAvailVirtual = 6 * 1024;
    status.ullAvailExtendedVirtual = 7 * 1024;
    Machine.SetMemoryStatusEx(status);

    using Getter = int64_t (TLMDSysInfo::*)() const;
    const struct { const char* property; Getter get; int index; int64_t kilobytes; } cases[] = {
        {"MemPhysTotal", &TLMDSysInfo::MemPhysTotal, 1, 1},
        {"MemPhysFree", &TLMDSysInfo::MemPhysFree, 2, 2},
        {"MemVirtTotal", &TLMDSysInfo::MemVirtTotal, 3, 5},
        {"MemVirtFree", &TLMDSysInfo::MemVirtFree, 4, 6},
        {"MemPageTotal", &TLMDSysInfo::MemPageTotal, 5, 3},
        {"MemPageFree", &TLMDSysInfo::MemPageFree, 6, 4},
        {"MemVirtExtended", &TLMDSysInfo::MemVirtExtended, 7, 7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ((Info.*c.get)(), c.kilobytes) << c.property;
        EXPECT_EQ(Info.GetInfoLongLongInt(c.index), c.kilobytes) << c.property << " by index " << c.index;
    }
    for (int index : {-1, 0, 8, 100})
        EXPECT_EQ(Info.GetInfoLongLongInt(index), 0) << "index " << index;
}

// The old query counts in 32 bits and knows no extended virtual memory; its figures are
// widened without a sign.
TEST_F(SysInfo, WithoutTheExtendedQueryTheOldFiguresAreUsed)
{
    TMemoryStatus old;
    old.dwMemoryLoad = 37;
    old.dwTotalPhys = 0xFFFFFFFF;
    old.dwAvailPhys = 0x80000000;
    old.dwTotalVirtual = 2147352576;
    Machine.SetMemoryStatus(old);
    TMemoryStatusEx extended;
    extended.ullTotalPhys = uint64_t{8} << 30;
    extended.ullAvailExtendedVirtual = 1024 * 1024;
    Machine.SetMemoryStatusEx(extended);

    Machine.SetMemoryStatusExAvailable(false);
    EXPECT_EQ(Info.MemPhysTotal(), 4194303);
    EXPECT_EQ(Info.MemPhysFree(), 2097152);
    EXPECT_EQ(Info.MemVirtTotal(), 2097024);
    EXPECT_EQ(Info.MemVirtExtended(), 0);
    EXPECT_EQ(LMDSIMemLoaded(), 37);

    // Wherever the extended query answers it is used, whatever version the system reports.
    Machine.SetVersion({PLATFORM_ID_WINDOWS_NT, 6, 1, 7601, 6});
    Machine.SetMemoryStatusExAvailable(true);
    EXPECT_EQ(Info.MemPhysTotal(), 8388608);
    EXPECT_EQ(Info.MemVirtExtended(), 1024);
}

TEST_F(SysInfo, EveryReadAsksAgain)
{
    SetTotalPhys(uint64_t{1} << 30);
    EXPECT_EQ(Info.MemPhysTotal(), 1048576);
    SetTotalPhys(uint64_t{2} << 30);
    EXPECT_EQ(Info.MemPhysTotal(), 2097152);

    TSystemInfoRecord record;
    record.NumberOfProcessors = 2;
    Machine.SetSystemInfo(record);
    EXPECT_EQ(Info.ProcessorNumber(), 2);
    record.NumberOfProcessors = 8;
    Machine.SetSystemInfo(record);
    EXPECT_EQ(Info.ProcessorNumber(), 8);
}

TEST_F(SysInfo, MemoryLoadIsTheLowByteOfThePercentage)
{
    const struct { uint32_t load; uint8_t percent; } cases[] = {{0, 0}, {37, 37}, {100, 100}, {101, 101}, {256 + 37, 37}};
    for (const auto& c : cases) {
        TMemoryStatusEx status;
        status.dwMemoryLoad = c.load;
        Machine.SetMemoryStatusEx(status);
        EXPECT_EQ(LMDSIMemLoaded(), c.percent) << "load " << c.load;
    }
}

TEST_F(SysInfo, ProcessorTypeText)
{
    const struct { uint32_t type; const char* text; } cases[] = {
        {386, "Intel 386"}, {486, "Intel 486"}, {586, "Intel Pentium"},
        {2000, "Mips R2000"}, {3000, "Mips R3000"}, {4000, "Mips R4000"}, {21064, "Alpha 21064"},
        {21164, "21164"}, {8664, "8664"}, {0, "0"}, {686, "686"}, {4294967295u, "4294967295"},
    };
    for (const auto& c : cases) {
        TSystemInfoRecord record;
        record.ProcessorType = c.type;
        Machine.SetSystemInfo(record);
        EXPECT_EQ(Info.ProcessorType(), c.text) << "type " << c.type;
        EXPECT_EQ(Info.GetInfoString(13), c.text) << "type " << c.type << " by index";
    }
}

TEST_F(SysInfo, ProcessorNumberIsTheLowByteOfTheCount)
{
    const struct { uint32_t count; uint8_t number; } cases[] = {{0, 0}, {1, 1}, {4, 4}, {255, 255}, {256, 0}, {257, 1}};
    for (const auto& c : cases) {
        TSystemInfoRecord record;
        record.NumberOfProcessors = c.count;
        Machine.SetSystemInfo(record);
        EXPECT_EQ(Info.ProcessorNumber(), c.number) << c.count << " processors";
    }
}

TEST_F(SysInfo, IndicesOutsideTheirRangesGiveNeutralValues)
{
    TSystemInfoRecord record;
    record.ProcessorType = 586;
    Machine.SetSystemInfo(record);
    for (int index : {-1, 16, 100})
        EXPECT_EQ(Info.GetInfoString(index), "") << "GetInfoString(" << index << ")";
    for (int index : {-1, 1, 3, 6, 13})
        EXPECT_EQ(Info.GetInfoLongInt(index), 0) << "GetInfoLongInt(" << index << ")";
    for (int index : {-1, 10, 100})
        EXPECT_FALSE(Info.GetInfoBool(index)) << "GetInfoBool(" << index << ")";
    const bool plus = Info.GetInfoBool(9);
    Info.SetInfoBool(9, !plus);
    Info.SetInfoBool(100, true);
    EXPECT_EQ(Info.GetInfoBool(9), plus) << "PlusAvailable cannot be written";
}

TEST_F(SysInfo, ReadOnlyFactsDiscardWrites)
{
    SetTotalPhys(uint64_t{1} << 30);
    Info.SetMemPhysTotal(5);
    Info.SetProcessorType("Z80");
    Info.SetProcessorNumber(99);
    EXPECT_EQ(Info.MemPhysTotal(), 1048576);
    EXPECT_EQ(Info.ProcessorType(), "Intel Pentium");
    EXPECT_EQ(Info.ProcessorNumber(), 1);
}

TEST_F(SysInfo, ProcessorIsIdentifiedOnceWhenTheComponentIsCreated)
{
    Cpu.SetIdFlagToggles(true);
    Cpu.SetVendor({'A', 'u', 't', 'h', 'e', 'n', 't', 'i', 'c', 'A', 'M', 'D'});
    const TLMDSysInfo created;
    Cpu.SetVendor({'G', 'e', 'n', 'u', 'i', 'n', 'e', 'I', 'n', 't', 'e', 'l'});
    EXPECT_EQ(created.ProcessorInfo().IDString(), "AuthenticAMD");
    EXPECT_EQ(Info.ProcessorInfo().IDString(), "");  // created before the processor had CPUID
}

TEST(SysInfoWithoutService, AMachineThatAnswersNothingGivesNeutralValues)
{
    const ScopedPlatform none{Platform{}};
    const TLMDSysInfo info;
    EXPECT_EQ(info.MemPhysTotal(), 0);
    EXPECT_EQ(info.ProcessorType(), "0");
    EXPECT_EQ(info.ProcessorNumber(), 0);
    EXPECT_EQ(info.ProcessorInfo().IDString(), "");
    EXPECT_EQ(LMDSIMemLoaded(), 0);
}

TEST(PlatformFlags, DecidedByFamilyAndVersion)
{
    struct Flags { bool w95, extension, nt, w2000, xp; };
    const struct {
        const char* row;
        TOSVersion version;
        bool extensionAnswer;
        Flags flags;
    } cases[] = {
        {"95 with extensions", {PLATFORM_ID_WINDOWS, 4, 0, 950, 4}, true, {true, true, false, false, false}},
        {"98 without extensions", {PLATFORM_ID_WINDOWS, 4, 10, 1998, 4}, false, {true, false, false, false, false}},
        {"9x reporting 5.0", {PLATFORM_ID_WINDOWS, 5, 0, 0, 5}, false, {true, false, false, false, false}},
        {"Win32s", {PLATFORM_ID_WIN32S, 3, 10, 0, 3}, false, {false, true, false, false, false}},
        {"NT 4.0", {PLATFORM_ID_WINDOWS_NT, 4, 0, 1381, 4}, false, {false, true, true, false, false}},
        {"NT 5.0", {PLATFORM_ID_WINDOWS_NT, 5, 0, 2195, 5}, false, {false, true, true, true, false}},
        {"NT 5.1", {PLATFORM_ID_WINDOWS_NT, 5, 1, 2600, 5}, false, {false, true, true, false, true}},
        {"NT 5.2", {PLATFORM_ID_WINDOWS_NT, 5, 2, 3790, 5}, false, {false, true, true, false, false}},
        {"NT 6.1", {PLATFORM_ID_WINDOWS_NT, 6, 1, 7601, 6}, false, {false, true, true, false, false}},
        {"another host at version 5.1", {PLATFORM_ID_OTHER, 5, 1, 0, 5}, false, {false, true, false, false, false}},
    };
    for (const auto& c : cases) {
        THeadlessSystemInfo machine;
        machine.SetVersion(c.version);
        machine.SetWindowsExtension(c.extensionAnswer);
        const TLMDSIPlatformFlags f = LMDSIPlatformFlagsOf(&machine);
        EXPECT_EQ(f.Windows95, c.flags.w95) << c.row;
        EXPECT_EQ(f.WindowsExtension, c.flags.extension) << c.row;
        EXPECT_EQ(f.WindowsNT, c.flags.nt) << c.row;
        EXPECT_EQ(f.Windows2000, c.flags.w2000) << c.row;
        EXPECT_EQ(f.WindowsXP, c.flags.xp) << c.row;
    }
    const TLMDSIPlatformFlags unknown = LMDSIPlatformFlagsOf(nullptr);
    EXPECT_FALSE(unknown.Windows95 || unknown.WindowsExtension || unknown.WindowsNT || unknown.Windows2000 || unknown.WindowsXP);
}
