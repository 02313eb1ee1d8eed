#pragma once
#include <array>
#include <string>

#include "platform/ILocale.h"

// Date conventions that a test writes. They start as United States English (Sun to Sat,
// Jan to Dec, "M/d/yyyy" with "/"); SupplyNothing empties every item, as a locale without
// date data would leave them.
class THeadlessLocale : public ILocale {
public:
    THeadlessLocale();

    std::string ShortDayName(int Day) const override;
    std::string ShortMonthName(int Month) const override;
    std::string ShortDateFormat() const override { return FShortDateFormat; }
    std::string DateSeparator() const override { return FDateSeparator; }
    std::string DecimalSeparator() const override { return FDecimalSeparator; }
    std::string ThousandSeparator() const override { return FThousandSeparator; }

    // Day 0 is Sunday; a day outside 0 to 6 is ignored.
    void SetShortDayName(int Day, const std::string& Name);
    void SetShortDayNames(const std::array<std::string, 7>& Names) { FShortDayNames = Names; }
    // Month 1 is January; a month outside 1 to 12 is ignored.
    void SetShortMonthName(int Month, const std::string& Name);
    void SetShortDateFormat(const std::string& Format) { FShortDateFormat = Format; }
    void SetDateSeparator(const std::string& Separator) { FDateSeparator = Separator; }
    void SetNumberSeparators(const std::string& Decimal, const std::string& Thousand)
    {
        FDecimalSeparator = Decimal;
        FThousandSeparator = Thousand;
    }
    void SupplyNothing();

private:
    std::array<std::string, 7> FShortDayNames;
    std::array<std::string, 12> FShortMonthNames;
    std::string FShortDateFormat;
    std::string FDateSeparator;
    std::string FDecimalSeparator = ".";
    std::string FThousandSeparator = ",";
};
