#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/DateTime.h"

class ILocale;

// The date conventions a readout writes with: the locale's abbreviated and full weekday and
// month names, short date format and date separator, each replaced by a default where the locale
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
    // The full names, "Sunday" to "Saturday" and "January" to "December" where the locale has none.
    std::string LongDayName(int Day) const;
    std::string LongMonthName(int Month) const;
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

// A short date format taken apart into the pieces a date is written from: runs of text that
// stand for themselves (quoted text, the separator, other characters), the day, month and year
// numbers and the names.
class TLMDDatePattern {
public:
    enum TKind : uint8_t { Text, Day, Month, Year, ShortYear, DayName, MonthName, LongDayName, LongMonthName };
    struct TPiece {
        TKind Kind = Text;
        // The least number of digits of a number.
        uint8_t Digits = 0;
        // Where a run of text lies among the characters the pattern keeps.
        uint32_t Start = 0;
        uint32_t Length = 0;
    };

    // Takes Format apart, with Separator standing for "/". Both are taken as given; the
    // defaults for items a locale does not supply are the caller's.
    void Parse(std::string_view Format, std::string_view Separator);
    bool ShowsMonthName() const { return FShowsMonthName; }
    // Whether the pattern shows a full weekday or month name ("dddd", "mmmm").
    bool ShowsLongNames() const { return FShowsLongNames; }
    const std::vector<TPiece>& Pieces() const { return FPieces; }
    std::string_view TextOf(const TPiece& Piece) const { return std::string_view(FTexts).substr(Piece.Start, Piece.Length); }

private:
    void AddText(std::string_view Text);

    std::vector<TPiece> FPieces;
    std::string FTexts;
    bool FShowsMonthName = false;
    bool FShowsLongNames = false;
};

// The readout's text of a date, kept from one call to the next: WeekdayAndDate writes it anew
// only when the day, the locale or one of the locale's items it was written from changed, and
// takes the format apart again only when the format or the separator changed. The items are
// read from the locale at every call, so a new setting shows at once; what is saved is the
// writing, which costs several times the reading.
class TLMDDateText {
public:
    // The text TLMDDateFormat(Locale).WeekdayAndDate(Value) gives; it stays valid until the
    // next call.
    const std::string& WeekdayAndDate(const ILocale* Locale, TDateTime Value);

private:
    // The locale, format and separator the pattern was taken from, while FPatternKept.
    bool FPatternKept = false;
    const ILocale* FPatternLocale = nullptr;
    std::string FFormat;
    std::string FSeparator;
    TLMDDatePattern FPattern;
    // The day and the names the text was written for, while FTextKept; the month name is read
    // only for a pattern that shows it, FMonth is 0 when it was not.
    bool FTextKept = false;
    int64_t FDay = 0;
    std::string FDayName;
    int FMonth = 0;
    std::string FMonthName;
    // The full names, read only for a pattern that shows them.
    std::string FLongNames;
    std::string FText;
};
