#pragma once
#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ILocale.h"

// Date conventions that a test writes. They start as United States English (Sun to Sat,
// Jan to Dec, Sunday to Saturday, January to December, "M/d/yyyy" with "/", and the items of
// the short date and its separator); SupplyNothing empties every item, as a locale without
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
    std::string LongDayName(int Day) const override;
    std::string LongMonthName(int Month) const override;
    std::optional<std::string> Item(uint32_t Type) const override;
    bool SetItem(uint32_t Type, const std::string& Text) override;

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
    void SetLongDayNames(const std::array<std::string, 7>& Names) { FLongDayNames = Names; }
    void SetLongMonthNames(const std::array<std::string, 12>& Names) { FLongMonthNames = Names; }
    void SupplyNothing();
    // Items by number: an item that was never set cannot be read, and a refused one can be
    // neither read nor written.
    void RefuseItem(uint32_t Type) { FRefusedItems.insert(Type); }
    // Every write, "0x1D=." for a date separator of ".".
    const std::vector<std::string>& ItemLog() const { return FItemLog; }

private:
    std::array<std::string, 7> FShortDayNames;
    std::array<std::string, 12> FShortMonthNames;
    std::array<std::string, 7> FLongDayNames;
    std::array<std::string, 12> FLongMonthNames;
    std::map<uint32_t, std::string> FItems;
    std::set<uint32_t> FRefusedItems;
    std::vector<std::string> FItemLog;
    std::string FShortDateFormat;
    std::string FDateSeparator;
    std::string FDecimalSeparator = ".";
    std::string FThousandSeparator = ",";
};
