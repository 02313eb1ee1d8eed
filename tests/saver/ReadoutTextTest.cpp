#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "saver/FormatSize.h"
#include "saver/MemoryReadout.h"
#include "saver/ProcessLoad.h"
#include "saver/ProcessorClock.h"

TEST(ReadoutText, ProcessorClockFromTheCounterDifference)
{
    const struct { uint64_t cycles; uint32_t mhz; const char* text; } cases[] = {
        {1197000000ull, 2394, "2.39  GHz"},
        {2100000000ull, 4200, "4.20  GHz"},
        {0, 0, "0.00  GHz"},
        // Only the low 32 bits of the difference count: 2^32 + 1 197 000 000 reads as 2394.
        {(1ull << 32) + 1197000000ull, 2394, "2.39  GHz"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProcessorClockFromCycles(c.cycles), c.mhz) << c.cycles;
        EXPECT_EQ(ProcessorClockText(c.mhz), c.text) << c.cycles;
    }
}

TEST(ReadoutText, FormatSizeWithTheLocaleSeparators)
{
    const struct { double kb; const char* dec; const char* thou; const char* text; } cases[] = {
        {1048576, ".", ",", "1,024.00 MB"},
        {2097152, ".", ",", "2.00 GB"},
        {2001, ".", ",", "1.95 MB"},
        {2000, ".", ",", "2000 KB"},
        {0.5, ".", ",", "512 Bytes"},
        {1048576, ",", ".", "1.024,00 MB"},
        {8388608, ",", ".", "8,00 GB"},
        {1048576, ".", "", "1024.00 MB"},   // the C locale groups nothing
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatSize(c.kb, c.dec, c.thou), c.text) << c.kb << " with '" << c.dec << "' '" << c.thou << "'";
}

TEST(ReadoutText, FreeMemoryIsTheLargerOfTheTwoShares)
{
    const uint32_t mb = 1024 * 1024;
    TMemoryStatus a;
    a.dwMemoryLoad = 43;
    a.dwTotalPhys = 2000 * mb;
    a.dwAvailPhys = 1000 * mb;
    EXPECT_EQ(FreeMemoryPercent(a), 57);   // A = 50, B = 57

    TMemoryStatus b;
    b.dwMemoryLoad = 60;
    b.dwTotalPhys = 1000 * mb;
    b.dwAvailPhys = 457 * mb;
    EXPECT_EQ(FreeMemoryPercent(b), 45);   // A = 45.7, B = 40

    TMemoryStatus none;
    none.dwMemoryLoad = 30;
    EXPECT_EQ(FreeMemoryPercent(none), 70);   // no total: no share of available memory
}

// Counts of 4 GiB and more saturate the old record; the extended one then gives the share.
TEST(ReadoutText, FreeMemoryOfALargeMachineComesFromTheExtendedRecord)
{
    TMemoryStatus old;
    old.dwMemoryLoad = 75;
    old.dwTotalPhys = 0xFFFFFFFFu;
    old.dwAvailPhys = 0xFFFFFFFFu;
    TMemoryStatusEx wide;
    wide.ullTotalPhys = 24ull << 30;
    wide.ullAvailPhys = 6ull << 30;
    EXPECT_EQ(FreeMemoryPercent(old, &wide), 25);
    EXPECT_EQ(FreeMemoryPercent(old), 100);   // without the extended record nothing better is known
}

TEST(ReadoutText, TotalMemoryBarTakesAnyTotal)
{
    const int32_t most = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(TotalMemoryBarPosition(8388608), 8388608);
    EXPECT_EQ(TotalMemoryBarPosition(int64_t(1) << 31), most);   // 2 TiB: the bar shows full
    EXPECT_EQ(TotalMemoryBarPosition(int64_t(1) << 40), most);
}

TEST(ReadoutText, AddressInDottedForm)
{
    EXPECT_EQ(DottedAddress({192, 168, 0, 255}), "192.168.0.255");
    EXPECT_EQ(DottedAddress({0, 0, 0, 0}), "0.0.0.0");
}

TEST(ProcessLoadTest, LoadFromTwoTicks)
{
    const struct { const char* what; uint64_t t0, t1; uint32_t n0, n1; double load; } cases[] = {
        {"25 ms over 500 ms", 0, 250000, 1000, 1500, 5.0},
        {"two processors fully", 0, 10000000, 1000, 1500, 200.0},
        {"tick counter wraps", 0, 250000, 0xFFFFFF00u, 0xFFFFFF00u + 500u, 5.0},
        {"processor time wraps at 32 bits of 10 us", (0xFFFFFFFFull - 100) * 100, (0xFFFFFFFFull + 2400) * 100, 1000,
         1500, 5.0},
    };
    for (const auto& c : cases) {
        TProcessLoad load;
        EXPECT_EQ(load.Tick(c.t0, c.n0), 0.0) << c.what << ": the first tick has nothing to compare";
        EXPECT_DOUBLE_EQ(load.Tick(c.t1, c.n1), c.load) << c.what;
    }
}

TEST(ProcessLoadTest, TwoTicksInOneMillisecondKeepTheLoad)
{
    TProcessLoad load;
    load.Tick(0, 1000);
    load.Tick(250000, 1500);
    EXPECT_DOUBLE_EQ(load.Tick(260000, 1500), 5.0);
}
