#include "platform/headless/HeadlessLocale.h"

THeadlessLocale::THeadlessLocale()
    : FShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
      FShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
      FShortDateFormat("M/d/yyyy"),
      FDateSeparator("/")
{
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
    FShortDateFormat.clear();
    FDateSeparator.clear();
    FDecimalSeparator.clear();
    FThousandSeparator.clear();
}
