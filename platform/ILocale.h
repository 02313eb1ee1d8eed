#pragma once
#include <string>

// The user's date and number conventions, as far as the program shows dates and sizes. Texts are UTF-8. An empty
// text means the locale supplies nothing for that item; whoever uses it then falls back to
// its own default.
//
// The short date format is a pattern in which, letters in either case:
//   d      the day of the month without a leading zero    dd    with a leading zero
//   ddd    (or more d) the abbreviated weekday name
//   m      the month without a leading zero                mm    with a leading zero
//   mmm    (or more m) the abbreviated month name
//   y, yy  the year in two digits                          yyy   (or more y) the whole year
//   /      the date separator
//   '...' and "..." copy the text between the quotes as it is
// Every other character stands for itself. "M/d/yyyy" with separator "/" writes 5 March 2024
// as 3/5/2024, "dd.MM.yyyy" writes it as 05.03.2024.
class ILocale {
public:
    virtual ~ILocale() = default;
    // Day 0 is Sunday, 6 Saturday; any other day gives an empty text.
    virtual std::string ShortDayName(int Day) const = 0;
    // Month 1 is January, 12 December; any other month gives an empty text.
    virtual std::string ShortMonthName(int Month) const = 0;
    virtual std::string ShortDateFormat() const = 0;
    // What "/" in the short date format stands for.
    virtual std::string DateSeparator() const = 0;
    // The marks of the user's number format: between the whole part and the decimals, and
    // between groups of three digits. The thousands mark may be empty (no grouping).
    virtual std::string DecimalSeparator() const = 0;
    virtual std::string ThousandSeparator() const = 0;
};
