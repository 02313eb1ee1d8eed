#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/core/DateTime.h"

class ILocale;

// The date conventions a readout writes with: the locale's abbreviated weekday and month
// names, short date format and date separator, each replaced by a default where the locale
// supplies none. The pattern of the short date format is described with ILocale.
//
// An item longer than MaxItemLength characters counts as not supplied: no locale has names or
// formats that long, so such an item is broken data, and taking it would let one item fill a
// readout without bound.
//
// The format and separator are read when the object is made; a weekday or month name is read
// from the locale when it is asked for, since a date needs only one or two of the nineteen.
// The locale must outlive the object.
class TLMDDateFormat {
public:
    static constexpr size_t MaxItemLength = 80;

    // Without a locale every item takes its default: "Sun" to "Sat", "Jan" to "Dec", and
    // "m/d/yy" with "/" as separator.
    explicit TLMDDateFormat(const ILocale* Locale);

    // Day 0 is Sunday; a day outside 0 to 6 gives an empty text, and so does a month outside
    // 1 to 12.
    std::string ShortDayName(int Day) const;
    std::string ShortMonthName(int Month) const;
    const std::string& ShortDateFormat() const { return FShortDateFormat; }
    const std::string& DateSeparator() const { return FDateSeparator; }

    // The date of Value written with the short date format.
    std::string FormatShortDate(TDateTime Value) const;
    // The abbreviated weekday name of Value, a space and its short date: "Tue 3/5/2024".
    std::string WeekdayAndDate(TDateTime Value) const;

private:
    const ILocale* FLocale;
    std::string FShortDateFormat;
    std::string FDateSeparator;
};

// The readout's text of a date, kept from one call to the next: WeekdayAndDate writes it anew
// only when the day, the locale or one of the locale's items it was written from changed. The
// items are read from the locale at every call, so a new setting shows at once; what is saved
// is the writing, which costs several times the reading.
class TLMDDateText {
public:
    // The text TLMDDateFormat(Locale).WeekdayAndDate(Value) gives; it stays valid until the
    // next call.
    const std::string& WeekdayAndDate(const ILocale* Locale, TDateTime Value);

private:
    // Every item of the locale that the text of one day can take: the format, the separator,
    // and the names of the day's weekday and month (left empty for a format that shows no
    // month name).
    struct TItems {
        std::string Format;
        std::string Separator;
        std::string DayName;
        std::string MonthName;
        friend bool operator==(const TItems&, const TItems&) = default;
    };

    bool FKept = false;
    const ILocale* FLocale = nullptr;
    int64_t FDay = 0;
    int FMonth = 0;   // 0 when the month name was not read
    TItems FItems;
    TItems FRead;   // the items of the call under way
    std::string FText;
};
