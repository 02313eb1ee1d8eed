#include "platform/core/DateTime.h"

#include <algorithm>
#include <cmath>

#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/core/Numeric.h"

namespace {

constexpr int64_t kMsPerDay = 86400000;
// Days from 1 January of year 1 to 30 December 1899, the day counted as 0.
constexpr int64_t kEpochOffset = 693594;

bool IsLeapYear(int32_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int32_t y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// Days since 1 January of year 1 (that day being day 1).
int64_t DayNumber(int32_t y, int m, int d)
{
    int64_t days = d;
    for (int i = 1; i < m; ++i)
        days += DaysInMonth(y, i);
    const int64_t p = y - 1;
    return days + p * 365 + p / 4 - p / 100 + p / 400;
}

// Milliseconds since midnight of a value's own day.
int64_t MillisecondOfDay(TDateTime Value)
{
    double whole = 0;
    const double fraction = std::fabs(std::modf(Value, &whole));
    return std::min<int64_t>(Round(fraction * kMsPerDay), kMsPerDay - 1);
}

}  // namespace

TDateTime EncodeDate(int32_t Year, int Month, int Day)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
        throw Exception("Invalid argument to date encode");
    return static_cast<double>(DayNumber(Year, Month, Day) - kEpochOffset);
}

TDateTime EncodeTime(int Hour, int Minute, int Second, int Millisecond)
{
    if (Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59 || Millisecond < 0 ||
        Millisecond > 999)
        throw Exception("Invalid argument to time encode");
    const int64_t ms = ((Hour * 60LL + Minute) * 60 + Second) * 1000 + Millisecond;
    return static_cast<double>(ms) / kMsPerDay;
}

TTimeParts DecodeTime(TDateTime Value)
{
    int64_t ms = MillisecondOfDay(Value);
    TTimeParts t;
    t.Millisecond = ms % 1000;
    ms /= 1000;
    t.Second = ms % 60;
    ms /= 60;
    t.Minute = ms % 60;
    t.Hour = static_cast<uint16_t>(ms / 60);
    return t;
}

TDateParts DecodeDate(TDateTime Value)
{
    int64_t n = static_cast<int64_t>(std::trunc(Value)) + kEpochOffset;   // day 1 = 1 January of year 1
    TDateParts d;
    if (n < 1)
        return {1, 1, 1};
    // Walk 400-, 100-, 4- and 1-year cycles, then the months.
    int64_t y = 1;
    n -= 1;
    y += 400 * (n / 146097);
    n %= 146097;
    int64_t c = std::min<int64_t>(n / 36524, 3);
    y += 100 * c;
    n -= c * 36524;
    y += 4 * (n / 1461);
    n %= 1461;
    int64_t k = std::min<int64_t>(n / 365, 3);
    y += k;
    n -= k * 365;
    d.Year = static_cast<int32_t>(y);
    int m = 1;
    while (n >= DaysInMonth(d.Year, m)) {
        n -= DaysInMonth(d.Year, m);
        ++m;
    }
    d.Month = static_cast<uint16_t>(m);
    d.Day = static_cast<uint16_t>(n + 1);
    return d;
}

int DayOfWeek(TDateTime Value)
{
    // Day 0 (30 December 1899) was a Saturday.
    const int64_t day = static_cast<int64_t>(std::trunc(Value));
    return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}

TDateTime SystemTimeToDateTime(const TSystemTime& Time)
{
    const TDateTime date = EncodeDate(Time.Year, Time.Month, Time.Day);
    const TDateTime time = EncodeTime(Time.Hour, Time.Minute, Time.Second, Time.Milliseconds);
    return date >= 0 ? date + time : date - time;
}

TDateTime Now()
{
    const IClock* clock = CurrentPlatform().Clock;
    return clock ? SystemTimeToDateTime(clock->LocalTime()) : 0.0;
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time()
{
    double whole = 0;
    return std::fabs(std::modf(Now(), &whole));
}
