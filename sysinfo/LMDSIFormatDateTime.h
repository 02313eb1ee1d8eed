#pragma once
#include <string>

#include "platform/core/DateTime.h"

class ILocale;

// Writes Value with a date-time pattern whose letters, in either case, mean:
//   d dd         the day of the month without and with a leading zero
//   ddd dddd     the abbreviated and the full weekday name
//   ddddd        the date in the short date format
//   m mm         the month without and with a leading zero, or the minute right after an hour
//   mmm mmmm     the abbreviated and the full month name
//   yy yyyy      the year in two and in four digits
//   h hh         the hour (0 to 23, or 1 to 12 with an am/pm mark) without and with a leading zero
//   n nn         the minute; s ss the second; z zzz the millisecond
//   am/pm a/p    the mark of the morning or the afternoon, in the case written
//   t tt         the time as h:nn and as hh:nn:ss
//   c            the short date and the time as hh:nn:ss; also what an empty pattern means
//   / :          the date separator and the time separator ":"
//   '...' "..."  the text between the quotes as it is
// Every other character stands for itself. Names and the short date come from Locale, or from
// United States English where it has none.
std::string LMDSIFormatDateTime(const std::string& Pattern, TDateTime Value, const ILocale* Locale);
