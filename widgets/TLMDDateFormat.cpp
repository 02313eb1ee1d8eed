#include "widgets/TLMDDateFormat.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "platform/ILocale.h"
#include "widgets/LMDText.h"

namespace {

constexpr std::array<std::string_view, 7> DefaultDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 12> DefaultMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Whether the locale supplies something usable for an item.
bool Usable(std::string_view Item) { return !Item.empty() && LMDCharCount(Item) <= TLMDDateFormat::MaxItemLength; }

// The locale's item, or Default when it supplies none or nothing usable. The result refers to
// one of the two.
std::string_view ItemOrDefault(std::string_view Item, std::string_view Default) { return Usable(Item) ? Item : Default; }

// The pattern and separator a date is written with, from the locale's format and separator: a
// format that is not usable gives way to the default, which comes with its own separator,
// whatever the locale says. The results refer to the arguments or to constant texts.
std::pair<std::string_view, std::string_view> PatternOf(std::string_view Format, std::string_view Separator)
{
    if (!Usable(Format))
        return {"m/d/yy", "/"};
    return {Format, ItemOrDefault(Separator, "/")};
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

// A text written piece by piece. The pieces of a date are a few characters each, so they go into
// a buffer on the stack and into the string in one piece at the end: growing a string for each
// of them costs more than their characters. A text too long for the buffer goes on in a string.
class TTextBuilder {
public:
    void Add(char c)
    {
        if (FLength < FBuffer.size())
            FBuffer[FLength++] = c;
        else
            AddLong(std::string_view(&c, 1));
    }
    void Add(std::string_view Piece)
    {
        if (Piece.size() > FBuffer.size() - FLength) {
            AddLong(Piece);
            return;
        }
        for (const char c : Piece)
            FBuffer[FLength++] = c;
    }
    void TakeInto(std::string& Text)
    {
        if (FLong)
            Text.swap(FLongText);
        else
            Text.assign(FBuffer.data(), FLength);
    }

private:
    // From the first piece that does not fit on, the whole text is in FLongText, and the buffer
    // counts as full so that every later piece goes there too.
    void AddLong(std::string_view Piece)
    {
        if (!FLong) {
            FLongText.assign(FBuffer.data(), FLength);
            FLength = FBuffer.size();
            FLong = true;
        }
        FLongText += Piece;
    }

    std::array<char, 64> FBuffer;
    size_t FLength = 0;
    bool FLong = false;
    std::string FLongText;
};

// Adds Value in decimal with at least MinDigits digits, zeros in front.
void AddNumber(TTextBuilder& Text, long Value, int MinDigits)
{
    if (Value < 0) {
        char text[24];
        std::snprintf(text, sizeof text, "%0*ld", MinDigits, Value);
        Text.Add(text);
        return;
    }
    // A date's numbers are small and never negative; writing them by hand spares the formatted
    // output, which costs more than the rest of the readout's text.
    char digits[24];
    int count = 0;
    auto rest = static_cast<unsigned long>(Value);
    do {
        digits[count++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    for (int zeros = MinDigits - count; zeros > 0; --zeros)
        Text.Add('0');
    while (count > 0)
        Text.Add(digits[--count]);
}

// The length of the run of letter Letter (either case) that starts at Pattern[Pos].
size_t RunLength(std::string_view Pattern, size_t Pos, char Letter)
{
    size_t end = Pos;
    while (end < Pattern.size() && (Pattern[end] | 0x20) == Letter)
        ++end;
    return end - Pos;
}

// Whether a short date format can show a month name: whether it holds a run of three or more
// m. A run inside quotes shows none, but counting it only means reading one name too many.
bool MayShowMonthNames(std::string_view Format)
{
    size_t run = 0;
    for (const char c : Format) {
        run = (c | 0x20) == 'm' ? run + 1 : 0;
        if (run >= 3)
            return true;
    }
    return false;
}

// Adds Date written with Pattern and Separator. DayName() and MonthName() give the names of the
// date's weekday and month; they are called only where the pattern shows a name.
template <class TDayName, class TMonthName>
void AddDate(TTextBuilder& Text, std::string_view Pattern, std::string_view Separator, const TDateParts& Date,
             TDayName DayName, TMonthName MonthName)
{
    size_t pos = 0;
    while (pos < Pattern.size()) {
        const char c = Pattern[pos];
        const char letter = static_cast<char>(c | 0x20);
        if (c == '\'' || c == '"') {
            // Quoted text runs to the matching quote, or to the end when there is none.
            const size_t close = Pattern.find(c, pos + 1);
            const size_t end = close == std::string_view::npos ? Pattern.size() : close;
            Text.Add(Pattern.substr(pos + 1, end - pos - 1));
            pos = close == std::string_view::npos ? end : end + 1;
        } else if (letter == 'd' || letter == 'm' || letter == 'y') {
            const size_t run = RunLength(Pattern, pos, letter);
            if (letter == 'd' && run >= 3)
                Text.Add(DayName());
            else if (letter == 'd')
                AddNumber(Text, Date.Day, static_cast<int>(run));
            else if (letter == 'm' && run >= 3)
                Text.Add(MonthName());
            else if (letter == 'm')
                AddNumber(Text, Date.Month, static_cast<int>(run));
            else if (run >= 3)
                AddNumber(Text, Date.Year, 4);
            else
                AddNumber(Text, Date.Year % 100, 2);
            pos += run;
        } else if (c == '/') {
            Text.Add(Separator);
            ++pos;
        } else {
            Text.Add(c);
            ++pos;
        }
    }
}

}  // namespace

TLMDDateFormat::TLMDDateFormat(const ILocale* Locale) : FLocale(Locale)
{
    const std::string format = Locale ? Locale->ShortDateFormat() : std::string();
    // The separator counts only with the locale's own format, so it is read only for one.
    const std::string separator = Locale && Usable(format) ? Locale->DateSeparator() : std::string();
    const auto [pattern, used] = PatternOf(format, separator);
    FShortDateFormat = pattern;
    FDateSeparator = used;
}

std::string TLMDDateFormat::ShortDayName(int Day) const
{
    if (Day < 0 || Day >= 7)
        return std::string();
    const std::string name = FLocale ? FLocale->ShortDayName(Day) : std::string();
    return std::string(ItemOrDefault(name, DefaultDayNames[size_t(Day)]));
}

std::string TLMDDateFormat::ShortMonthName(int Month) const
{
    if (Month < 1 || Month > 12)
        return std::string();
    const std::string name = FLocale ? FLocale->ShortMonthName(Month) : std::string();
    return std::string(ItemOrDefault(name, DefaultMonthNames[size_t(Month - 1)]));
}

std::string TLMDDateFormat::FormatShortDate(TDateTime Value) const
{
    Value = ClampToCalendar(Value);
    const TDateParts date = DecodeDate(Value);
    TTextBuilder builder;
    AddDate(builder, FShortDateFormat, FDateSeparator, date, [&] { return ShortDayName(DayOfWeek(Value) - 1); },
            [&] { return ShortMonthName(date.Month); });
    std::string text;
    builder.TakeInto(text);
    return text;
}

std::string TLMDDateFormat::WeekdayAndDate(TDateTime Value) const
{
    Value = ClampToCalendar(Value);
    std::string text = ShortDayName(DayOfWeek(Value) - 1);
    text += ' ';
    text += FormatShortDate(Value);
    return text;
}

// Two values of the same whole day have the same date and weekday, so the day number is all of
// the value that the text depends on. The items are read into a second set that keeps its room
// from call to call, and the month name only for a format that can show it.
const std::string& TLMDDateText::WeekdayAndDate(const ILocale* Locale, TDateTime Value)
{
    Value = ClampToCalendar(Value);
    const auto day = static_cast<int64_t>(std::trunc(Value));
    const int weekday = DayOfWeek(Value) - 1;
    const bool sameDay = FKept && Locale == FLocale && day == FDay;
    TItems& read = FRead;
    for (std::string* item : {&read.Format, &read.Separator, &read.DayName, &read.MonthName})
        item->clear();
    if (Locale) {
        read.Format = Locale->ShortDateFormat();
        read.Separator = Locale->DateSeparator();
        read.DayName = Locale->ShortDayName(weekday);
    }
    int month = 0;
    if (Locale && MayShowMonthNames(read.Format)) {
        month = sameDay && FMonth != 0 ? FMonth : DecodeDate(Value).Month;
        read.MonthName = Locale->ShortMonthName(month);
    }
    if (sameDay && read == FItems)
        return FText;
    // The text is written from the items just read, each put in its default where it is not
    // usable, exactly as TLMDDateFormat writes it when it reads them itself.
    FKept = false;
    const TDateParts date = DecodeDate(Value);
    const auto [pattern, separator] = PatternOf(read.Format, read.Separator);
    const std::string_view dayName = ItemOrDefault(read.DayName, DefaultDayNames[size_t(weekday)]);
    TTextBuilder builder;
    builder.Add(dayName);
    builder.Add(' ');
    AddDate(builder, pattern, separator, date, [dayName] { return dayName; },
            [&] { return ItemOrDefault(read.MonthName, DefaultMonthNames[size_t(date.Month - 1)]); });
    builder.TakeInto(FText);
    std::swap(FItems, FRead);
    FLocale = Locale;
    FDay = day;
    FMonth = month;
    FKept = true;
    return FText;
}
