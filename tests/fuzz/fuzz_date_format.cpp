// The date readout's text from a locale's items: the short date format, the separator, a
// weekday and a month name, for a date the input chooses.
#include <cstring>
#include <string>

#include "platform/headless/HeadlessLocale.h"
#include "tests/fuzz/FuzzInput.h"
#include "widgets/LMDText.h"
#include "widgets/TLMDDateFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TFuzzInput input(Data, Size);
    THeadlessLocale locale;
    locale.SetShortDateFormat(input.Next());
    locale.SetDateSeparator(input.Next());
    const std::string dayName = input.Next(), monthName = input.Next();
    // A day between 1 January 1900 and 31 December 9999.
    const uint32_t day = 2 + (static_cast<uint32_t>(input.NextByte()) << 16 | input.NextByte() << 8 | input.NextByte()) % 2958464;
    for (int d = 0; d < 7; ++d)
        locale.SetShortDayName(d, dayName);
    for (int m = 1; m <= 12; ++m)
        locale.SetShortMonthName(m, monthName);
    const TDateTime value = day + 0.5;
    const std::string once = TLMDDateFormat(&locale).WeekdayAndDate(value);
    TLMDDateText kept;
    FUZZ_CHECK(kept.WeekdayAndDate(&locale, value) == once);
    FUZZ_CHECK(kept.WeekdayAndDate(&locale, value) == once);
    (void)LMDCellText(once);
    return 0;
}
