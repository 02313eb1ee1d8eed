#pragma once
#include <cstdint>

#include "platform/IClock.h"

// A date and time as a count of days since 30 December 1899: the integer part is the date,
// the fraction the time of day. Days before that date are negative, with the time of day
// still counted forwards from midnight by the fraction's absolute value.
using TDateTime = double;

struct TTimeParts {
    uint16_t Hour = 0;
    uint16_t Minute = 0;
    uint16_t Second = 0;
    uint16_t Millisecond = 0;
    friend bool operator==(const TTimeParts&, const TTimeParts&) = default;
};

struct TDateParts {
    int32_t Year = 1899;
    uint16_t Month = 12;
    uint16_t Day = 30;
    friend bool operator==(const TDateParts&, const TDateParts&) = default;
};

// Valid calendar dates only (years 1 to 9999); anything else is an Exception.
TDateTime EncodeDate(int32_t Year, int Month, int Day);
// Valid times only (hour below 24 and so on); anything else is an Exception.
TDateTime EncodeTime(int Hour, int Minute, int Second, int Millisecond);

// The time of day, to the nearest millisecond.
TTimeParts DecodeTime(TDateTime Value);
TDateParts DecodeDate(TDateTime Value);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime Value);

TDateTime SystemTimeToDateTime(const TSystemTime& Time);

// The current local date and time, from the platform's clock.
TDateTime Now();
TDateTime Date();
TDateTime Time();
