#include <gtest/gtest.h>

#include "platform/core/Numeric.h"

TEST(Numeric, RoundSendsHalvesToTheEvenNeighbour)
{
    const struct { double in; int64_t out; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {0.49999999, 0}, {0.50000001, 1}, {-0.6, -1}, {182.0, 182}, {1e12 + 0.5, 1000000000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Round(c.in), c.out) << c.in;
}

TEST(Numeric, SolveForXTruncatesInExtendedPrecision)
{
    const struct { int32_t y, z, out; } cases[] = {
        {60, 51, 30}, {25, 51, 12}, {60, 50, 29}, {100, 51, 51}, {60, 10, 5}, {20, 5, 0},
        {0, 51, 0}, {1, 51, 0}, {2, 51, 1}, {50, 51, 25}, {75, 51, 38}, {99, 51, 50}, {59, 51, 30},
        {37, 51, 18}, {100, 0, 0}, {100, 2147483647, 2147483647},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SolveForX(c.y, c.z), c.out) << c.y << " % of " << c.z;
}

TEST(Numeric, SolveForYIsATruncatedPercentage)
{
    const struct { int32_t x, z, out; } cases[] = {
        {5, 0, 0}, {1, 3, 33}, {37, 100, 37}, {2394, 4000, 59}, {200, 100, 200},
        {2147483647, 2147483647, 100}, {-1, 3, -33},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SolveForY(c.x, c.z), c.out) << c.x << " of " << c.z;
}
