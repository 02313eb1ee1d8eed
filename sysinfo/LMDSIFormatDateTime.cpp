#include "sysinfo/LMDSIFormatDateTime.h"

#include <array>
#include <cctype>

#include "platform/ILocale.h"

namespace {

constexpr std::array<const char*, 7> ShortDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 7> LongDays = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> ShortMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 12> LongMonths = {"January", "February", "March", "April", "May", "June", "July",
                                                    "August", "September", "October", "November", "December"};

std::string Or(std::string Text, const char* Default) { return Text.empty() ? Default : Text; }

std::string Digits(long Value, int Count)
{
    std::string text = std::to_string(Value);
    while (static_cast<int>(text.size()) < Count)
        text.insert(text.begin(), '0');
    return text;
}

bool StartsWith(const std::string& Text, size_t Pos, const char* Prefix)
{
    for (size_t i = 0; Prefix[i]; ++i)
        if (Pos + i >= Text.size() || std::tolower(static_cast<unsigned char>(Text[Pos + i])) != Prefix[i])
            return false;
    return true;
}

class TWriter {
public:
    TWriter(TDateTime Value, const ILocale* Locale) : FValue(Value), FLocale(Locale), FDate(DecodeDate(Value)), FTime(DecodeTime(Value))
    {
        FWeekday = DayOfWeek(Value) - 1;
    }

    std::string Write(const std::string& Pattern, int Depth)
    {
        FTwelveHour = HasAmPm(Pattern);
        std::string out;
        bool afterHour = false;
        size_t pos = 0;
        while (pos < Pattern.size()) {
            const char c = Pattern[pos];
            const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (c == '\'' || c == '"') {
                const size_t close = Pattern.find(c, pos + 1);
                const size_t end = close == std::string::npos ? Pattern.size() : close;
                out += Pattern.substr(pos + 1, end - pos - 1);
                pos = close == std::string::npos ? end : end + 1;
                continue;
            }
            if (letter == 'a' && (StartsWith(Pattern, pos, "am/pm") || StartsWith(Pattern, pos, "a/p"))) {
                const bool full = StartsWith(Pattern, pos, "am/pm");
                const bool upper = std::isupper(static_cast<unsigned char>(c));
                const char* mark = FTime.Hour < 12 ? (full ? "am" : "a") : (full ? "pm" : "p");
                for (const char* m = mark; *m; ++m)
                    out += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*m))) : *m;
                pos += full ? 5 : 3;
                continue;
            }
            size_t run = 1;
            while (pos + run < Pattern.size() && std::tolower(static_cast<unsigned char>(Pattern[pos + run])) == letter)
                ++run;
            bool isHour = false;
            switch (letter) {
            case 'd': out += DayPart(run, Depth); break;
            case 'm': out += afterHour && run <= 2 ? Digits(FTime.Minute, static_cast<int>(run)) : MonthPart(run); break;
            case 'y': out += run <= 2 ? Digits(FDate.Year % 100, 2) : Digits(FDate.Year, 4); break;
            case 'h': out += Digits(Hour(), run >= 2 ? 2 : 1); isHour = true; break;
            case 'n': out += Digits(FTime.Minute, run >= 2 ? 2 : 1); break;
            case 's': out += Digits(FTime.Second, run >= 2 ? 2 : 1); break;
            case 'z': out += Digits(FTime.Millisecond, run >= 3 ? 3 : 1); break;
            case 't': out += run >= 2 ? LongTime() : Digits(FTime.Hour, 1) + ":" + Digits(FTime.Minute, 2); break;
            case 'c': out += ShortDate(Depth) + " " + LongTime(); break;
            case '/': out += FLocale ? Or(FLocale->DateSeparator(), "/") : "/"; run = 1; break;
            default: out += Pattern.substr(pos, run); break;
            }
            if (letter != ' ')
                afterHour = isHour || (afterHour && !std::isalpha(static_cast<unsigned char>(letter)));
            pos += run;
        }
        return out;
    }

private:
    static bool HasAmPm(const std::string& Pattern)
    {
        for (size_t pos = 0; pos < Pattern.size(); ++pos)
            if (StartsWith(Pattern, pos, "am/pm") || StartsWith(Pattern, pos, "a/p"))
                return true;
        return false;
    }

    long Hour() const
    {
        if (!FTwelveHour)
            return FTime.Hour;
        const long hour = FTime.Hour % 12;
        return hour == 0 ? 12 : hour;
    }

    std::string LongTime() const
    {
        return Digits(FTime.Hour, 2) + ":" + Digits(FTime.Minute, 2) + ":" + Digits(FTime.Second, 2);
    }

    // The locale's short date, written once: a short date that names itself again is written
    // with the default instead of without end.
    std::string ShortDate(int Depth)
    {
        const std::string format = FLocale && Depth == 0 ? FLocale->ShortDateFormat() : std::string();
        TWriter inner(FValue, FLocale);
        return inner.Write(format.empty() ? std::string("m/d/yyyy") : format, Depth + 1);
    }

    std::string DayPart(size_t Run, int Depth)
    {
        const int day = FWeekday;
        switch (Run) {
        case 1:
        case 2: return Digits(FDate.Day, static_cast<int>(Run));
        case 3: return Or(FLocale ? FLocale->ShortDayName(day) : "", ShortDays[static_cast<size_t>(day)]);
        case 4: return Or(FLocale ? FLocale->LongDayName(day) : "", LongDays[static_cast<size_t>(day)]);
        default: return ShortDate(Depth);
        }
    }

    std::string MonthPart(size_t Run)
    {
        const int month = FDate.Month;
        if (Run <= 2)
            return Digits(month, static_cast<int>(Run));
        if (Run == 3)
            return Or(FLocale ? FLocale->ShortMonthName(month) : "", ShortMonths[static_cast<size_t>(month - 1)]);
        return Or(FLocale ? FLocale->LongMonthName(month) : "", LongMonths[static_cast<size_t>(month - 1)]);
    }

    TDateTime FValue;
    const ILocale* FLocale;
    TDateParts FDate;
    TTimeParts FTime;
    int FWeekday = 0;
    bool FTwelveHour = false;
};

}  // namespace

std::string LMDSIFormatDateTime(const std::string& Pattern, TDateTime Value, const ILocale* Locale)
{
    TWriter writer(Value, Locale);
    return writer.Write(Pattern.empty() ? std::string("c") : Pattern, 0);
}
