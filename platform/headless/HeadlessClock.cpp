#include "platform/headless/HeadlessClock.h"

namespace {

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

void NextDay(TSystemTime& t)
{
    t.DayOfWeek = (t.DayOfWeek + 1) % 7;
    if (++t.Day <= DaysInMonth(t.Year, t.Month))
        return;
    t.Day = 1;
    if (++t.Month <= 12)
        return;
    t.Month = 1;
    ++t.Year;
}

}  // namespace

TSystemTime THeadlessClock::LocalTime() const
{
    std::lock_guard lock(FMutex);
    return FTime;
}

void THeadlessClock::SetLocalTime(const TSystemTime& Time)
{
    std::lock_guard lock(FMutex);
    FTime = Time;
}

void THeadlessClock::Advance(uint32_t Milliseconds)
{
    FTicks += Milliseconds;
    std::lock_guard lock(FMutex);
    uint64_t ms = FTime.Milliseconds + static_cast<uint64_t>(Milliseconds);
    FTime.Milliseconds = ms % 1000;
    uint64_t s = FTime.Second + ms / 1000;
    FTime.Second = s % 60;
    uint64_t m = FTime.Minute + s / 60;
    FTime.Minute = m % 60;
    uint64_t h = FTime.Hour + m / 60;
    FTime.Hour = h % 24;
    for (uint64_t d = h / 24; d > 0; --d)
        NextDay(FTime);
}
