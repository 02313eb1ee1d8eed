#include "widgets/TLMDDateFormat.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "platform/ILocale.h"
#include "widgets/LMDText.h"

namespace {

constexpr std::array<const char*, 7> DefaultDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> DefaultMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The locale's item, or Default when it supplies none or nothing usable.
std::string ItemOrDefault(const std::string& Item, const char* Default)
{
    if (Item.empty() || LMDCharCount(Item) > TLMDDateFormat::MaxItemLength)
        return Default;
    return Item;
}

// The dates the calendar can write: 1 January of year 1 to 31 December 9999. A value outside
// (or not a number at all) is brought to the nearest end, so every value has a date to show.
TDateTime ClampToCalendar(TDateTime Value)
{
    constexpr TDateTime First = -693593.0;
    constexpr TDateTime Last = 2958465.0;
    if (std::isnan(Value))
        return 0.0;
    return Value < First ? First : (Value > Last ? Last : Value);
}

// Value in decimal with at least MinDigits digits, zeros in front.
std::string Number(long Value, int MinDigits)
{
    if (Value < 0) {
        char text[24];
        std::snprintf(text, sizeof text, "%0*ld", MinDigits, Value);
        return text;
    }
    // A date's numbers are small and never negative; writing them by hand spares the formatted
    // output, which costs more than the rest of the readout's text.
    char digits[24];
    size_t count = 0;
    auto rest = static_cast<unsigned long>(Value);
    do {
        digits[count++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    std::string text(MinDigits > int(count) ? size_t(MinDigits) - count : 0, '0');
    while (count > 0)
        text += digits[--count];
    return text;
}

// The length of the run of letter Letter (either case) that starts at Pattern[Pos].
size_t RunLength(const std::string& Pattern, size_t Pos, char Letter)
{
    size_t end = Pos;
    while (end < Pattern.size() && (Pattern[end] | 0x20) == Letter)
        ++end;
    return end - Pos;
}

}  // namespace

TLMDDateFormat::TLMDDateFormat(const ILocale* Locale) : FLocale(Locale)
{
    const std::string format = Locale ? Locale->ShortDateFormat() : std::string();
    if (format.empty() || LMDCharCount(format) > MaxItemLength) {
        // The default format comes with its own separator, whatever the locale says.
        FShortDateFormat = "m/d/yy";
        FDateSeparator = "/";
        return;
    }
    FShortDateFormat = format;
    FDateSeparator = ItemOrDefault(Locale->DateSeparator(), "/");
}

std::string TLMDDateFormat::ShortDayName(int Day) const
{
    if (Day < 0 || Day >= 7)
        return std::string();
    return ItemOrDefault(FLocale ? FLocale->ShortDayName(Day) : std::string(), DefaultDayNames[size_t(Day)]);
}

std::string TLMDDateFormat::ShortMonthName(int Month) const
{
    if (Month < 1 || Month > 12)
        return std::string();
    return ItemOrDefault(FLocale ? FLocale->ShortMonthName(Month) : std::string(), DefaultMonthNames[size_t(Month - 1)]);
}

std::string TLMDDateFormat::FormatShortDate(TDateTime Value) const
{
    Value = ClampToCalendar(Value);
    const TDateParts date = DecodeDate(Value);
    const std::string& pattern = FShortDateFormat;
    std::string text;
    size_t pos = 0;
    while (pos < pattern.size()) {
        const char c = pattern[pos];
        const char letter = static_cast<char>(c | 0x20);
        if (c == '\'' || c == '"') {
            // Quoted text runs to the matching quote, or to the end when there is none.
            const size_t close = pattern.find(c, pos + 1);
            const size_t end = close == std::string::npos ? pattern.size() : close;
            text.append(pattern, pos + 1, end - pos - 1);
            pos = close == std::string::npos ? end : end + 1;
        } else if (letter == 'd' || letter == 'm' || letter == 'y') {
            const size_t run = RunLength(pattern, pos, letter);
            if (letter == 'd')
                text += run >= 3 ? ShortDayName(DayOfWeek(Value) - 1) : Number(date.Day, static_cast<int>(run));
            else if (letter == 'm')
                text += run >= 3 ? ShortMonthName(date.Month) : Number(date.Month, static_cast<int>(run));
            else
                text += run >= 3 ? Number(date.Year, 4) : Number(date.Year % 100, 2);
            pos += run;
        } else if (c == '/') {
            text += FDateSeparator;
            ++pos;
        } else {
            text += c;
            ++pos;
        }
    }
    return text;
}

std::string TLMDDateFormat::WeekdayAndDate(TDateTime Value) const
{
    Value = ClampToCalendar(Value);
    return ShortDayName(DayOfWeek(Value) - 1) + " " + FormatShortDate(Value);
}
