#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/linux/LinuxLocale.h"
#include "platform/linux/LinuxServices.h"

TEST(LinuxLocale, StrftimeDateFormatsBecomeShortDatePatterns)
{
    const struct { const char* format; const char* pattern; } cases[] = {
        {"%m/%d/%y", "mm/dd/yy"},
        {"%d.%m.%Y", "dd.mm.yyyy"},
        {"%Y-%m-%d", "yyyy-mm-dd"},
        {"%e.%-m.%Y", "d.m.yyyy"},
        {"%_d/%0e/%Om/%Ey", "d/dd/mm/yy"},
        {"%D", "mm/dd/yy"},
        {"%F", "yyyy-mm-dd"},
        {"%a %b %Y", "ddd mmm yyyy"},
        {"%A %d %B", "dddd dd mmmm"},
        {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5", "yyyy\xE5\xB9\xB4mm\xE6\x9C\x88" "dd\xE6\x97\xA5"},
        {"%d de %Y", "dd \"d\"\"e\" yyyy"},   // literal letters are quoted
        {"'%d\"", "\"'\"dd'\"'"},              // and so are quotes
        {"%d %H:%M 100%%", "dd : 100%"},         // times have no place in a date
        {"%", ""},
        {"%-", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinuxShortDatePattern(c.format), c.pattern) << c.format;
}

TEST(LinuxLocale, TheCLocale)
{
    const std::unique_ptr<ILocale> locale = LinuxLocaleNamed("C");
    ASSERT_TRUE(locale);
    const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(locale->ShortDayName(day), days[day]) << "day " << day;
    EXPECT_EQ(locale->ShortDayName(7), "");
    EXPECT_EQ(locale->ShortMonthName(3), "Mar");
    EXPECT_EQ(locale->ShortMonthName(0), "");
    EXPECT_EQ(locale->ShortDateFormat(), "mm/dd/yy");
    EXPECT_EQ(locale->DateSeparator(), "/");
    EXPECT_EQ(locale->LongDayName(2), "Tuesday");
    EXPECT_EQ(locale->LongMonthName(12), "December");
    EXPECT_EQ(locale->LongMonthName(13), "");
}

TEST(LinuxLocale, ItemsOfTheCLocale)
{
    const std::unique_ptr<ILocale> locale = LinuxLocaleNamed("C");
    ASSERT_TRUE(locale);
    const struct { uint32_t type; std::optional<std::string> text; } cases[] = {
        {LocaleItem::ShortDate, "mm/dd/yy"}, {LocaleItem::DateSeparator, "/"}, {LocaleItem::Decimal, "."},
        {LocaleItem::TimeFormat, "HH:mm:ss"}, {LocaleItem::TimeSeparator, ":"}, {LocaleItem::TimeClock, "1"},
        {LocaleItem::MorningSymbol, "AM"}, {LocaleItem::CalendarType, "1"}, {LocaleItem::Grouping, "0"},
        {LocaleItem::ListSeparator, std::nullopt}, {LocaleItem::LongDate, std::nullopt}, {0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(locale->Item(c.type), c.text) << "item 0x" << std::hex << c.type;
    EXPECT_FALSE(locale->SetItem(LocaleItem::DateSeparator, "."));
}

// Other locales, where this machine has them; names come as UTF-8 whatever the locale's own
// character set.
TEST(LinuxLocale, OtherInstalledLocales)
{
    const struct { const char* name; const char* tuesday; const char* march; const char* format; } cases[] = {
        {"de_DE.UTF-8", "Di", "M\xC3\xA4r", "dd.mm.yyyy"},
        {"de_DE.ISO-8859-1", "Di", "M\xC3\xA4r", "dd.mm.yyyy"},
        {"en_US.UTF-8", "Tue", "Mar", "mm/dd/yyyy"},
    };
    int tried = 0;
    for (const auto& c : cases) {
        const std::unique_ptr<ILocale> locale = LinuxLocaleNamed(c.name);
        if (!locale)
            continue;
        ++tried;
        EXPECT_EQ(locale->ShortDayName(2), c.tuesday) << c.name;
        EXPECT_EQ(locale->ShortMonthName(3), c.march) << c.name;
        EXPECT_EQ(locale->ShortDateFormat(), c.format) << c.name;
    }
    if (tried == 0)
        GTEST_SKIP() << "none of these locales is installed";
}

TEST(LinuxLocale, ALocaleThatIsNotInstalledIsNone)
{
    EXPECT_FALSE(LinuxLocaleNamed("xx_YY.no-such-charset"));
}

TEST(LinuxLocale, TheBackendSuppliesTheUsersLocale)
{
    const ILocale* locale = LinuxLocale();
    ASSERT_TRUE(locale);
    for (int day = 0; day < 7; ++day)
        EXPECT_FALSE(locale->ShortDayName(day).empty()) << "day " << day;
    EXPECT_FALSE(locale->ShortDateFormat().empty());
}
