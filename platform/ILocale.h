#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Locale items with the system's numbers.
namespace LocaleItem {
constexpr uint32_t ListSeparator = 0x0C;
constexpr uint32_t Measure = 0x0D;
constexpr uint32_t Decimal = 0x0E;
constexpr uint32_t Thousand = 0x0F;
constexpr uint32_t Grouping = 0x10;
constexpr uint32_t Digits = 0x11;
constexpr uint32_t LeadingZero = 0x12;
constexpr uint32_t Currency = 0x14;
constexpr uint32_t MonetaryDecimal = 0x16;
constexpr uint32_t MonetaryThousand = 0x17;
constexpr uint32_t MonetaryGrouping = 0x18;
constexpr uint32_t CurrencyDigits = 0x19;
constexpr uint32_t CurrencyPosition = 0x1B;
constexpr uint32_t NegativeCurrency = 0x1C;
constexpr uint32_t DateSeparator = 0x1D;
constexpr uint32_t TimeSeparator = 0x1E;
constexpr uint32_t ShortDate = 0x1F;
constexpr uint32_t LongDate = 0x20;
constexpr uint32_t TimeClock = 0x23;
constexpr uint32_t MorningSymbol = 0x28;
constexpr uint32_t AfternoonSymbol = 0x29;
constexpr uint32_t PositiveSign = 0x50;
constexpr uint32_t NegativeSign = 0x51;
constexpr uint32_t TimeFormat = 0x1003;
constexpr uint32_t CalendarType = 0x1009;
constexpr uint32_t FirstDayOfWeek = 0x100C;
constexpr uint32_t FirstWeekOfYear = 0x100D;
constexpr uint32_t NegativeNumber = 0x1010;
}  // namespace LocaleItem

// The user's date and number conventions, as far as the program shows dates and sizes. Texts are UTF-8. An empty
// text means the locale supplies nothing for that item; whoever uses it then falls back to
// its own default.
//
// The short date format is a pattern in which, letters in either case:
//   d      the day of the month without a leading zero    dd    with a leading zero
//   dddd   (or more d) the full weekday name
//   ddd    the abbreviated weekday name
//   m      the month without a leading zero                mm    with a leading zero
//   mmmm   (or more m) the full month name
//   mmm    the abbreviated month name
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
    // The full names, with the same numbering.
    virtual std::string LongDayName(int Day) const = 0;
    virtual std::string LongMonthName(int Month) const = 0;
    virtual std::string ShortDateFormat() const = 0;
    // What "/" in the short date format stands for.
    virtual std::string DateSeparator() const = 0;
    // The marks of the user's number format: between the whole part and the decimals, and
    // between groups of three digits. The thousands mark may be empty (no grouping).
    virtual std::string DecimalSeparator() const = 0;
    virtual std::string ThousandSeparator() const = 0;

    // A locale item by the system's item number (LocaleItem), as text; nothing when the system
    // has no such item or cannot answer.
    virtual std::optional<std::string> Item(uint32_t Type) const = 0;
    // Changes a locale item of the user; false when the system refuses or has no such setting.
    virtual bool SetItem(uint32_t Type, const std::string& Text) = 0;
};
