#include "platform/headless/HeadlessLocale.h"

#include <cstdio>

THeadlessLocale::THeadlessLocale()
    : FShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
      FShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
      FLongDayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
      FLongMonthNames{"January", "February", "March", "April", "May", "June", "July", "August", "September",
                      "October", "November", "December"},
      FItems{{LocaleItem::ShortDate, "M/d/yyyy"}, {LocaleItem::DateSeparator, "/"}},
      FShortDateFormat("M/d/yyyy"),
      FDateSeparator("/")
{
}

std::string THeadlessLocale::LongDayName(int Day) const
{
    return Day >= 0 && Day < 7 ? FLongDayNames[Day] : std::string();
}

std::string THeadlessLocale::LongMonthName(int Month) const
{
    return Month >= 1 && Month <= 12 ? FLongMonthNames[Month - 1] : std::string();
}

std::optional<std::string> THeadlessLocale::Item(uint32_t Type) const
{
    const auto found = FItems.find(Type);
    if (found == FItems.end() || FRefusedItems.count(Type))
        return std::nullopt;
    return found->second;
}

bool THeadlessLocale::SetItem(uint32_t Type, const std::string& Text)
{
    char type[16];
    std::snprintf(type, sizeof type, "0x%X=", Type);
    FItemLog.push_back(type + Text);
    if (FRefusedItems.count(Type))
        return false;
    FItems[Type] = Text;
    return true;
}

std::string THeadlessLocale::ShortDayName(int Day) const
{
    return Day >= 0 && Day < 7 ? FShortDayNames[Day] : std::string();
}

std::string THeadlessLocale::ShortMonthName(int Month) const
{
    return Month >= 1 && Month <= 12 ? FShortMonthNames[Month - 1] : std::string();
}

void THeadlessLocale::SetShortDayName(int Day, const std::string& Name)
{
    if (Day >= 0 && Day < 7)
        FShortDayNames[Day] = Name;
}

void THeadlessLocale::SetShortMonthName(int Month, const std::string& Name)
{
    if (Month >= 1 && Month <= 12)
        FShortMonthNames[Month - 1] = Name;
}

void THeadlessLocale::SupplyNothing()
{
    FShortDayNames = {};
    FShortMonthNames = {};
    FLongDayNames = {};
    FLongMonthNames = {};
    FShortDateFormat.clear();
    FDateSeparator.clear();
    FDecimalSeparator.clear();
    FThousandSeparator.clear();
}
