#include "platform/linux/LinuxLocale.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <array>
#include <cerrno>
#include <climits>
#include <map>
#include <memory>
#include <type_traits>

#include "platform/linux/LinuxServices.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Appends a character of the strftime format that stands for itself. Letters and quotes would
// mean something in the pattern, so they go in quotes of the other kind.
void AppendLiteral(std::string& Pattern, char c)
{
    if (IsAsciiLetter(c) || c == '\'') {
        Pattern += '"';
        Pattern += c;
        Pattern += '"';
    } else if (c == '"') {
        Pattern += "'\"'";
    } else {
        Pattern += c;
    }
}

// The pattern for one conversion; Unpadded is true for the "-" and "_" flags, Padded for "0".
std::string Conversion(char Letter, bool Unpadded, bool Padded)
{
    switch (Letter) {
    case 'd':
        return Unpadded ? "d" : "dd";
    case 'e':   // the day padded with a space; the readout leaves the space out
        return Padded ? "dd" : "d";
    case 'm':
        return Unpadded ? "m" : "mm";
    case 'y':
        return "yy";
    case 'Y':
    case 'G':
        return "yyyy";
    case 'b':
    case 'h':
        return "mmm";
    case 'B':
        return "mmmm";
    case 'a':
        return "ddd";
    case 'A':
        return "dddd";
    case 'D':
        return "mm/dd/yy";
    case 'F':
        return "yyyy-mm-dd";
    case 'n':
        return "\n";
    case 't':
        return "\t";
    case '%':
        return "%";
    default:   // times, week numbers and the like have no place in a date
        return "";
    }
}

// Converts text in the locale's character set to UTF-8; empty when it cannot be converted.
std::string ToUtf8(const char* Text, const char* Charset)
{
    if (!Text)
        return {};
    std::string in(Text);
    iconv_t cd = iconv_open("UTF-8", Charset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string out(in.size() * 4 + 4, '\0');
    char* src = in.data();
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    const size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1))
        return {};
    out.resize(out.size() - dstLeft);
    return out;
}

// The character set of the texts of Time's LC_TIME. The texts are written in the character
// set of the locale they come from, which need not be the one of the user's LC_CTYPE, so it
// is looked up under the LC_TIME locale's own name. When that fails, UTF-8 is assumed; a text
// that is not UTF-8 then fails to convert and counts as not supplied.
std::string CharsetOf(locale_t Time)
{
    const char* name = nl_langinfo_l(_NL_LOCALE_NAME(LC_TIME), Time);
    locale_t ctype = name && *name ? newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(0)) : static_cast<locale_t>(0);
    if (!ctype)
        return "UTF-8";
    std::string charset = nl_langinfo_l(CODESET, ctype);
    freelocale(ctype);
    return charset.empty() ? "UTF-8" : charset;
}

// A grouping of the C library (group sizes, the last one repeated unless it is CHAR_MAX) as
// the system's grouping text: "3;0" for groups of three throughout, "3;2;0" for three, then twos.
std::string GroupingText(const char* Grouping)
{
    std::string text;
    const char* g = Grouping ? Grouping : "";
    for (; *g && *g != CHAR_MAX; ++g) {
        if (!text.empty())
            text += ';';
        text += std::to_string(static_cast<int>(*g));
    }
    if (text.empty())
        return "0";
    if (*g != CHAR_MAX)
        text += ";0";
    return text;
}

// The first character that is not part of a conversion in a strftime format: the separator of
// "%d.%m.%Y" is ".". Empty when the format has none.
std::string SeparatorOf(std::string_view Format)
{
    for (size_t i = 0; i < Format.size(); ++i) {
        if (Format[i] == '%') {
            ++i;
            continue;
        }
        return std::string(1, Format[i]);
    }
    return {};
}

// A strftime time format as the system's time picture: "%H:%M:%S" is "HH:mm:ss", "%I:%M:%S %p"
// is "hh:mm:ss tt".
std::string TimePicture(std::string_view Format)
{
    std::string picture;
    for (size_t i = 0; i < Format.size(); ++i) {
        if (Format[i] != '%' || i + 1 >= Format.size()) {
            picture += Format[i];
            continue;
        }
        switch (Format[++i]) {
        case 'H': picture += "HH"; break;
        case 'k': picture += "H"; break;
        case 'I': picture += "hh"; break;
        case 'l': picture += "h"; break;
        case 'M': picture += "mm"; break;
        case 'S': picture += "ss"; break;
        case 'p': case 'P': picture += "tt"; break;
        case 'T': picture += "HH:mm:ss"; break;
        case 'R': picture += "HH:mm"; break;
        case 'r': picture += "hh:mm:ss tt"; break;
        default: break;
        }
    }
    return picture;
}

// The texts of a locale object never change, and converting one opens a converter, which costs
// far more than the text is worth; the date readout asks for its texts on every paint. So every
// text is converted once, when the locale is made.
class TLinuxLocale : public ILocale {
public:
    // Takes over Locale and frees it once its texts are read.
    TLinuxLocale(locale_t Locale, const std::string& Charset)
    {
        const std::unique_ptr<std::remove_pointer_t<locale_t>, void (*)(locale_t)> owned(Locale, freelocale);
        const auto item = [&](nl_item Which) { return ToUtf8(nl_langinfo_l(Which, Locale), Charset.c_str()); };
        for (int day = 0; day < 7; ++day)
            FDayNames[static_cast<size_t>(day)] = item(static_cast<nl_item>(ABDAY_1 + day));
        for (int month = 0; month < 12; ++month)
            FMonthNames[static_cast<size_t>(month)] = item(static_cast<nl_item>(ABMON_1 + month));
        for (int day = 0; day < 7; ++day)
            FLongDayNames[static_cast<size_t>(day)] = item(static_cast<nl_item>(DAY_1 + day));
        for (int month = 0; month < 12; ++month)
            FLongMonthNames[static_cast<size_t>(month)] = item(static_cast<nl_item>(MON_1 + month));
        FShortDateFormat = LinuxShortDatePattern(item(D_FMT));
        FDecimalSeparator = item(RADIXCHAR);
        FThousandSeparator = item(THOUSEP);
        ReadItems(Locale, item);
    }

    std::string ShortDayName(int Day) const override
    {
        return Day >= 0 && Day < 7 ? FDayNames[static_cast<size_t>(Day)] : std::string();
    }
    std::string ShortMonthName(int Month) const override
    {
        return Month >= 1 && Month <= 12 ? FMonthNames[static_cast<size_t>(Month - 1)] : std::string();
    }
    std::string ShortDateFormat() const override { return FShortDateFormat; }
    // The pattern keeps the format's own separators as literal text, so "/" stays "/".
    std::string DateSeparator() const override { return "/"; }
    std::string DecimalSeparator() const override { return FDecimalSeparator; }
    std::string ThousandSeparator() const override { return FThousandSeparator; }
    std::string LongDayName(int Day) const override
    {
        return Day >= 0 && Day < 7 ? FLongDayNames[static_cast<size_t>(Day)] : std::string();
    }
    std::string LongMonthName(int Month) const override
    {
        return Month >= 1 && Month <= 12 ? FLongMonthNames[static_cast<size_t>(Month - 1)] : std::string();
    }
    std::optional<std::string> Item(uint32_t Type) const override
    {
        const auto found = FItems.find(Type);
        if (found == FItems.end())
            return std::nullopt;
        return found->second;
    }
    // The C library's locale data are read-only.
    bool SetItem(uint32_t, const std::string&) override { return false; }

private:
    // The items the C library's locale data answer, in the system's notation. The list
    // separator, the long date, leading zeros, decimal digits and the negative formats have no
    // counterpart there and are left out.
    template <class TItem>
    void ReadItems(locale_t Locale, const TItem& Text)
    {
        const auto number = [&](nl_item Which) { return static_cast<int>(*nl_langinfo_l(Which, Locale)); };
        const std::string timeFormat = Text(T_FMT);
        const int firstWeekday = number(_NL_TIME_FIRST_WEEKDAY);          // 1 = Sunday
        const int firstWeek = number(_NL_TIME_WEEK_1STWEEK);              // days the first week needs
        const int precedes = number(P_CS_PRECEDES), separated = number(P_SEP_BY_SPACE);
        FItems = {
            {LocaleItem::CalendarType, "1"},
            {LocaleItem::CurrencyDigits, std::to_string(number(FRAC_DIGITS) == CHAR_MAX ? 2 : number(FRAC_DIGITS))},
            {LocaleItem::CurrencyPosition, std::to_string((precedes ? 0 : 1) + (separated == 1 ? 2 : 0))},
            {LocaleItem::FirstDayOfWeek, std::to_string((firstWeekday + 5) % 7)},
            {LocaleItem::FirstWeekOfYear, firstWeek >= 7 ? "1" : firstWeek >= 4 ? "2" : "0"},
            {LocaleItem::Measure, number(_NL_MEASUREMENT_MEASUREMENT) == 2 ? "1" : "0"},
            {LocaleItem::TimeClock, timeFormat.find("%I") != std::string::npos || timeFormat.find("%r") != std::string::npos ? "0" : "1"},
            {LocaleItem::MorningSymbol, Text(AM_STR)},
            {LocaleItem::AfternoonSymbol, Text(PM_STR)},
            {LocaleItem::Currency, Text(CURRENCY_SYMBOL)},
            {LocaleItem::DateSeparator, SeparatorOf(Text(D_FMT))},
            {LocaleItem::Decimal, Text(RADIXCHAR)},
            {LocaleItem::Grouping, GroupingText(nl_langinfo_l(GROUPING, Locale))},
            {LocaleItem::MonetaryDecimal, Text(MON_DECIMAL_POINT)},
            {LocaleItem::MonetaryGrouping, GroupingText(nl_langinfo_l(MON_GROUPING, Locale))},
            {LocaleItem::MonetaryThousand, Text(MON_THOUSANDS_SEP)},
            {LocaleItem::NegativeSign, Text(NEGATIVE_SIGN)},
            {LocaleItem::PositiveSign, Text(POSITIVE_SIGN)},
            {LocaleItem::ShortDate, FShortDateFormat},
            {LocaleItem::Thousand, Text(THOUSEP)},
            {LocaleItem::TimeSeparator, SeparatorOf(timeFormat)},
            {LocaleItem::TimeFormat, TimePicture(timeFormat)},
        };
    }

    std::array<std::string, 7> FDayNames;
    std::array<std::string, 12> FMonthNames;
    std::array<std::string, 7> FLongDayNames;
    std::array<std::string, 12> FLongMonthNames;
    std::map<uint32_t, std::string> FItems;
    std::string FShortDateFormat;
    std::string FDecimalSeparator;
    std::string FThousandSeparator;
};

}  // namespace

std::string LinuxShortDatePattern(std::string_view StrftimeFormat)
{
    std::string pattern;
    size_t i = 0;
    while (i < StrftimeFormat.size()) {
        const char c = StrftimeFormat[i++];
        if (c != '%') {
            AppendLiteral(pattern, c);
            continue;
        }
        // %[flags][width][E|O]conversion
        bool unpadded = false;
        bool padded = false;
        for (; i < StrftimeFormat.size(); ++i) {
            const char f = StrftimeFormat[i];
            if (f == '-' || f == '_')
                unpadded = true;
            else if (f == '0')
                padded = true;
            else if (f != '^' && f != '#')
                break;
        }
        while (i < StrftimeFormat.size() && StrftimeFormat[i] >= '0' && StrftimeFormat[i] <= '9')
            ++i;
        if (i < StrftimeFormat.size() && (StrftimeFormat[i] == 'E' || StrftimeFormat[i] == 'O'))
            ++i;
        if (i < StrftimeFormat.size())
            pattern += Conversion(StrftimeFormat[i++], unpadded, padded);
    }
    return pattern;
}

std::unique_ptr<ILocale> LinuxLocaleNamed(const std::string& Name)
{
    // With an empty name each category follows its own setting of the environment.
    locale_t locale = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK | LC_MONETARY_MASK | LC_MEASUREMENT_MASK, Name.c_str(), static_cast<locale_t>(0));
    if (!locale)
        return nullptr;
    return std::make_unique<TLinuxLocale>(locale, CharsetOf(locale));
}

ILocale* LinuxLocale()
{
    // The user's LC_TIME; when it names a locale that is not installed, the C library would
    // run in the C locale, and so does the readout.
    static const std::unique_ptr<ILocale> locale = [] {
        std::unique_ptr<ILocale> user = LinuxLocaleNamed("");
        return user ? std::move(user) : LinuxLocaleNamed("C");
    }();
    return locale.get();
}
