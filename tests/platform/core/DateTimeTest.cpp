#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exception.h"
#include "platform/headless/HeadlessClock.h"

TEST(DateTime, DatesCountDaysFromTheLastDaysOf1899)
{
    const struct { int32_t y; int m, d; double days; int weekday; } cases[] = {
        {1899, 12, 30, 0, 7}, {1899, 12, 29, -1, 6}, {1900, 1, 1, 2, 2}, {1900, 3, 1, 61, 5},
        {2000, 2, 29, 36585, 3}, {2024, 3, 5, 45356, 3}, {1, 1, 1, -693593, 2}, {9999, 12, 31, 2958465, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.days) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(DecodeDate(c.days), (TDateParts{c.y, static_cast<uint16_t>(c.m), static_cast<uint16_t>(c.d)}))
            << c.days;
        EXPECT_EQ(DayOfWeek(c.days), c.weekday) << c.days;
    }
}

TEST(DateTime, TimeOfDaySplitsToTheNearestMillisecond)
{
    const struct { double value; TTimeParts parts; } cases[] = {
        {0.0, {0, 0, 0, 0}},
        {0.5, {12, 0, 0, 0}},
        {45356 + EncodeTime(9, 41, 15, 0), {9, 41, 15, 0}},
        {EncodeTime(23, 59, 59, 999), {23, 59, 59, 999}},
        {-1.25, {6, 0, 0, 0}},                          // before the epoch the fraction still counts forwards
        {0.99999999999, {23, 59, 59, 999}},             // never rounds up into the next day
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeTime(c.value), c.parts) << c.value;
}

TEST(DateTime, InvalidFieldsAreRefused)
{
    EXPECT_THROW(EncodeDate(2023, 2, 29), Exception);
    EXPECT_THROW(EncodeDate(2024, 13, 1), Exception);
    EXPECT_THROW(EncodeDate(0, 1, 1), Exception);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), Exception);
}

TEST(DateTime, NowComesFromThePlatformClock)
{
    THeadlessClock clock;
    clock.SetLocalTime({2024, 3, 2, 5, 9, 41, 15, 250});
    Platform p = CurrentPlatform();
    p.Clock = &clock;
    ScopedPlatform installed(p);

    EXPECT_EQ(DecodeDate(Now()), (TDateParts{2024, 3, 5}));
    EXPECT_EQ(DecodeTime(Now()), (TTimeParts{9, 41, 15, 250}));
    clock.Advance(14 * 3600 * 1000 + 18 * 60 * 1000 + 45 * 1000 - 250);   // to midnight
    EXPECT_EQ(DecodeDate(Now()), (TDateParts{2024, 3, 6}));
    EXPECT_EQ(DecodeTime(Now()), (TTimeParts{0, 0, 0, 0}));
    EXPECT_EQ(Date(), EncodeDate(2024, 3, 6));
}
