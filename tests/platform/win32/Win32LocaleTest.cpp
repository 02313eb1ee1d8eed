#include <windows.h>

#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32Services.h"

TEST(Win32Locale, DatePicturesBecomeShortDatePatterns)
{
    const struct { const char* picture; const char* pattern; } cases[] = {
        {"M/d/yyyy", "M/d/yyyy"},
        {"dd.MM.yyyy", "dd.MM.yyyy"},
        {"yyyy'\xE5\xB9\xB4'M'\xE6\x9C\x88'd'\xE6\x97\xA5'", "yyyy'\xE5\xB9\xB4'M'\xE6\x9C\x88'd'\xE6\x97\xA5'"},
        {"gg yy/MM/dd", " yy/MM/dd"},     // the era is left out
        {"d 'de' MMMM", "d 'de' MMMM"},
        {"dd''MM", "dd\"'\"MM"},          // a doubled quote is a quote
        {"d\"M", "d'\"'M"},
        {"d 'open", "d 'open'"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Win32ShortDatePattern(c.picture), c.pattern) << c.picture;
}

// The system's own data, which differs a little between system versions (German names with
// or without a full stop, the date with or without leading zeros); either form is accepted.
TEST(Win32Locale, NamedLocales)
{
    using TForms = std::set<std::string>;
    const struct { const char* row; LCID lcid; TForms tuesday; TForms march; TForms format; const char* separator; } cases[] = {
        {"English (United States)", MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT), {"Tue"},
         {"Mar"}, {"M/d/yyyy"}, "/"},
        {"German (Germany)", MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT), {"Di", "Di."},
         {"M\xC3\xA4r", "M\xC3\xA4rz"}, {"dd.MM.yyyy", "d.M.yyyy"}, "."},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<ILocale> locale = Win32LocaleFor(c.lcid);
        EXPECT_TRUE(c.tuesday.count(locale->ShortDayName(2))) << c.row << ": " << locale->ShortDayName(2);
        EXPECT_TRUE(c.march.count(locale->ShortMonthName(3))) << c.row << ": " << locale->ShortMonthName(3);
        EXPECT_TRUE(c.format.count(locale->ShortDateFormat())) << c.row << ": " << locale->ShortDateFormat();
        EXPECT_EQ(locale->DateSeparator(), c.separator) << c.row;
        EXPECT_EQ(locale->ShortDayName(-1), "") << c.row;
        EXPECT_EQ(locale->ShortMonthName(13), "") << c.row;
    }
    // Sunday is the system's seventh day and the pattern's first.
    EXPECT_EQ(Win32LocaleFor(cases[0].lcid)->ShortDayName(0), "Sun");
    EXPECT_EQ(Win32LocaleFor(cases[0].lcid)->ShortDayName(6), "Sat");
}

TEST(Win32Locale, TheBackendSuppliesTheUsersLocale)
{
    const ILocale* locale = Win32Locale();
    ASSERT_TRUE(locale);
    for (int day = 0; day < 7; ++day)
        EXPECT_FALSE(locale->ShortDayName(day).empty()) << "day " << day;
    EXPECT_FALSE(locale->ShortDateFormat().empty());
}
