#include "widgets/TLMDDateFormat.h"

#include <array>
#include <cmath>
#include <string_view>
#include <utility>

#include "platform/ILocale.h"
#include "widgets/LMDText.h"

namespace {

constexpr std::array<std::string_view, 7> DefaultDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 7> DefaultLongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> DefaultLongMonthNames = {"January", "February", "March", "April",
                                                                    "May", "June", "July", "August",
                                                                    "September", "October", "November", "December"};
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

// Adds Value in decimal with at least MinDigits digits, zeros in front. A date's numbers are
// small and never negative; writing them by hand spares the formatted output, which costs more
// than the rest of the readout's text.
void AddNumber(TTextBuilder& Text, unsigned long Value, int MinDigits)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + Value % 10);
        Value /= 10;
    } while (Value != 0);
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

// Adds Date written with Pattern. DayName() and MonthName() give the abbreviated names of the
// date's weekday and month, LongNames(false) and LongNames(true) the full weekday and month
// names; they are called only where the pattern shows a name.
template <class TDayName, class TMonthName, class TLongNames>
void AddDate(TTextBuilder& Text, const TLMDDatePattern& Pattern, const TDateParts& Date, TDayName DayName,
             TMonthName MonthName, TLongNames LongNames)
{
    for (const TLMDDatePattern::TPiece& piece : Pattern.Pieces()) {
        switch (piece.Kind) {
        case TLMDDatePattern::Text: Text.Add(Pattern.TextOf(piece)); break;
        case TLMDDatePattern::Day: AddNumber(Text, Date.Day, piece.Digits); break;
        case TLMDDatePattern::Month: AddNumber(Text, Date.Month, piece.Digits); break;
        case TLMDDatePattern::Year: AddNumber(Text, static_cast<unsigned long>(Date.Year), 4); break;
        case TLMDDatePattern::ShortYear: AddNumber(Text, static_cast<unsigned long>(Date.Year % 100), 2); break;
        case TLMDDatePattern::DayName: Text.Add(DayName()); break;
        case TLMDDatePattern::MonthName: Text.Add(MonthName()); break;
        case TLMDDatePattern::LongDayName: Text.Add(LongNames(false)); break;
        case TLMDDatePattern::LongMonthName: Text.Add(LongNames(true)); break;
        }
    }
}

}  // namespace

// Text that follows other text joins its piece, so "05.03.2024" has two runs of one character.
void TLMDDatePattern::AddText(std::string_view Text)
{
    if (Text.empty())
        return;
    if (FPieces.empty() || FPieces.back().Kind != TLMDDatePattern::Text)
        FPieces.push_back({TLMDDatePattern::Text, 0, static_cast<uint32_t>(FTexts.size()), 0});
    FTexts += Text;
    FPieces.back().Length += static_cast<uint32_t>(Text.size());
}

void TLMDDatePattern::Parse(std::string_view Format, std::string_view Separator)
{
    FPieces.clear();
    FTexts.clear();
    FShowsMonthName = false;
    FShowsLongNames = false;
    size_t pos = 0;
    while (pos < Format.size()) {
        const char c = Format[pos];
        const char letter = static_cast<char>(c | 0x20);
        if (c == '\'' || c == '"') {
            // Quoted text runs to the matching quote, or to the end when there is none.
            const size_t close = Format.find(c, pos + 1);
            const size_t end = close == std::string_view::npos ? Format.size() : close;
            AddText(Format.substr(pos + 1, end - pos - 1));
            pos = close == std::string_view::npos ? end : end + 1;
        } else if (letter == 'd' || letter == 'm' || letter == 'y') {
            const size_t run = RunLength(Format, pos, letter);
            const auto digits = static_cast<uint8_t>(run);
            if (letter == 'd')
                FPieces.push_back(run >= 4 ? TPiece{LongDayName} : run == 3 ? TPiece{DayName} : TPiece{Day, digits});
            else if (letter == 'm')
                FPieces.push_back(run >= 4 ? TPiece{LongMonthName} : run == 3 ? TPiece{MonthName} : TPiece{Month, digits});
            else
                FPieces.push_back(TPiece{run >= 3 ? Year : ShortYear});
            FShowsMonthName = FShowsMonthName || (letter == 'm' && run == 3);
            FShowsLongNames = FShowsLongNames || (letter != 'y' && run >= 4);
            pos += run;
        } else if (c == '/') {
            AddText(Separator);
            ++pos;
        } else {
            AddText(std::string_view(&Format[pos], 1));
            ++pos;
        }
    }
}

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

std::string TLMDDateFormat::LongDayName(int Day) const
{
    if (Day < 0 || Day >= 7)
        return std::string();
    const std::string name = FLocale ? FLocale->LongDayName(Day) : std::string();
    return std::string(ItemOrDefault(name, DefaultLongDayNames[size_t(Day)]));
}

std::string TLMDDateFormat::LongMonthName(int Month) const
{
    if (Month < 1 || Month > 12)
        return std::string();
    const std::string name = FLocale ? FLocale->LongMonthName(Month) : std::string();
    return std::string(ItemOrDefault(name, DefaultLongMonthNames[size_t(Month - 1)]));
}

std::string TLMDDateFormat::FormatShortDate(TDateTime Value) const
{
    Value = ClampToCalendar(Value);
    const TDateParts date = DecodeDate(Value);
    TLMDDatePattern pattern;
    pattern.Parse(FShortDateFormat, FDateSeparator);
    TTextBuilder builder;
    AddDate(builder, pattern, date, [&] { return ShortDayName(DayOfWeek(Value) - 1); },
            [&] { return ShortMonthName(date.Month); },
            [&](bool Month) { return Month ? LongMonthName(date.Month) : LongDayName(DayOfWeek(Value) - 1); });
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
// the value that the text depends on.
const std::string& TLMDDateText::WeekdayAndDate(const ILocale* Locale, TDateTime Value)
{
    Value = ClampToCalendar(Value);
    const auto day = static_cast<int64_t>(std::trunc(Value));
    const int weekday = DayOfWeek(Value) - 1;

    // The pattern is taken apart again only for a new format or separator; the separator counts
    // only with the locale's own format, exactly as TLMDDateFormat takes them.
    std::string format = Locale ? Locale->ShortDateFormat() : std::string();
    std::string separator = Locale && Usable(format) ? Locale->DateSeparator() : std::string();
    const bool samePattern = FPatternKept && Locale == FPatternLocale && format == FFormat && separator == FSeparator;
    if (!samePattern) {
        FPatternKept = false;
        FTextKept = false;
        FFormat = std::move(format);
        FSeparator = std::move(separator);
        const auto [pattern, used] = PatternOf(FFormat, FSeparator);
        FPattern.Parse(pattern, used);
        FPatternLocale = Locale;
        FPatternKept = true;
    }

    // The names of the day, read at every call; the month's only where the pattern shows it.
    std::string dayName = Locale ? Locale->ShortDayName(weekday) : std::string();
    const bool sameDay = FTextKept && day == FDay;
    int month = 0;
    std::string monthName;
    if (FPattern.ShowsMonthName()) {
        month = sameDay && FMonth != 0 ? FMonth : DecodeDate(Value).Month;
        monthName = Locale ? Locale->ShortMonthName(month) : std::string();
    }
    // The full names, joined by a NUL, which no name holds.
    std::string longNames;
    if (FPattern.ShowsLongNames() && Locale)
        longNames = Locale->LongDayName(weekday) + '\0' + Locale->LongMonthName(DecodeDate(Value).Month);
    if (sameDay && dayName == FDayName && monthName == FMonthName && longNames == FLongNames)
        return FText;

    FTextKept = false;
    const TDateParts date = DecodeDate(Value);
    const std::string_view shownDayName = ItemOrDefault(dayName, DefaultDayNames[size_t(weekday)]);
    TTextBuilder builder;
    builder.Add(shownDayName);
    builder.Add(' ');
    const size_t split = longNames.find('\0');
    const std::string_view longDay = split == std::string::npos ? std::string_view() : std::string_view(longNames).substr(0, split);
    const std::string_view longMonth = split == std::string::npos ? std::string_view() : std::string_view(longNames).substr(split + 1);
    AddDate(builder, FPattern, date, [shownDayName] { return shownDayName; },
            [&] { return ItemOrDefault(monthName, DefaultMonthNames[size_t(date.Month - 1)]); },
            [&](bool Month) {
                return Month ? ItemOrDefault(longMonth, DefaultLongMonthNames[size_t(date.Month - 1)])
                             : ItemOrDefault(longDay, DefaultLongDayNames[size_t(weekday)]);
            });
    builder.TakeInto(FText);
    FDay = day;
    FDayName = std::move(dayName);
    FMonth = month;
    FMonthName = std::move(monthName);
    FLongNames = std::move(longNames);
    FTextKept = true;
    return FText;
}
