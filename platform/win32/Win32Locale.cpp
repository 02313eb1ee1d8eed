#include "platform/win32/Win32Locale.h"

#include <windows.h>

#include "platform/win32/Win32Services.h"
#include "platform/win32/WideText.h"

namespace {

class TWin32Locale : public ILocale {
public:
    explicit TWin32Locale(LCID Lcid) : FLcid(Lcid) {}

    std::string ShortDayName(int Day) const override
    {
        // The system counts the days from Monday (name 1) to Sunday (name 7).
        if (Day < 0 || Day > 6)
            return {};
        return Text(LOCALE_SABBREVDAYNAME1 + (Day == 0 ? 6 : Day - 1));
    }
    std::string ShortMonthName(int Month) const override
    {
        return Month >= 1 && Month <= 12 ? Text(LOCALE_SABBREVMONTHNAME1 + Month - 1) : std::string();
    }
    std::string ShortDateFormat() const override { return Win32ShortDatePattern(Text(LOCALE_SSHORTDATE)); }
    std::string DateSeparator() const override { return Text(LOCALE_SDATE); }
    std::string DecimalSeparator() const override { return Text(LOCALE_SDECIMAL); }
    std::string ThousandSeparator() const override { return Text(LOCALE_STHOUSAND); }
    std::string LongDayName(int Day) const override
    {
        if (Day < 0 || Day > 6)
            return {};
        return Text(LOCALE_SDAYNAME1 + (Day == 0 ? 6 : Day - 1));
    }
    std::string LongMonthName(int Month) const override
    {
        return Month >= 1 && Month <= 12 ? Text(LOCALE_SMONTHNAME1 + Month - 1) : std::string();
    }
    std::optional<std::string> Item(uint32_t Type) const override
    {
        const int length = GetLocaleInfoW(FLcid, Type, nullptr, 0);
        if (length <= 0)
            return std::nullopt;
        std::wstring text(static_cast<size_t>(length), L'\0');
        if (GetLocaleInfoW(FLcid, Type, text.data(), length) <= 0)
            return std::nullopt;
        text.resize(wcsnlen(text.c_str(), text.size()));
        return Narrow(text);
    }
    bool SetItem(uint32_t Type, const std::string& Value) override
    {
        return SetLocaleInfoW(FLcid, Type, Widen(Value).c_str()) != 0;
    }

private:
    // The item's text, or an empty one when the system has none.
    std::string Text(LCTYPE Type) const
    {
        const int length = GetLocaleInfoW(FLcid, Type, nullptr, 0);
        if (length <= 1)
            return {};
        std::wstring text(static_cast<size_t>(length), L'\0');
        if (GetLocaleInfoW(FLcid, Type, text.data(), length) <= 0)
            return {};
        text.resize(wcsnlen(text.c_str(), text.size()));
        return Narrow(text);
    }

    LCID FLcid;
};

}  // namespace

std::string Win32ShortDatePattern(std::string_view Picture)
{
    // The pictures use the pattern's letters (d, M, y, either case), quote literal text with
    // single quotes and write a quote as two. Era letters (g) are left out; a double quote,
    // which the pattern would take as a quote, goes in single quotes.
    std::string pattern;
    size_t i = 0;
    while (i < Picture.size()) {
        const char c = Picture[i];
        if (c == '\'') {
            if (i + 1 < Picture.size() && Picture[i + 1] == '\'') {
                pattern += "\"'\"";
                i += 2;
                continue;
            }
            const size_t close = Picture.find('\'', i + 1);
            const size_t end = close == std::string_view::npos ? Picture.size() : close;
            pattern += '\'';
            pattern += Picture.substr(i + 1, end - i - 1);
            pattern += '\'';
            i = close == std::string_view::npos ? end : end + 1;
        } else if (c == 'g' || c == 'G') {
            ++i;
        } else if (c == '"') {
            pattern += "'\"'";
            ++i;
        } else {
            pattern += c;
            ++i;
        }
    }
    return pattern;
}

std::unique_ptr<ILocale> Win32LocaleFor(uint32_t Lcid) { return std::make_unique<TWin32Locale>(Lcid); }

ILocale* Win32Locale()
{
    static const std::unique_ptr<ILocale> locale = Win32LocaleFor(LOCALE_USER_DEFAULT);
    return locale.get();
}
