// A C library date format ("%d.%m.%Y") turned into the short date pattern, and that pattern
// taken apart as a readout does.
#include <string>

#include "platform/linux/LinuxLocale.h"
#include "tests/fuzz/FuzzInput.h"
#include "widgets/TLMDDateFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string format(reinterpret_cast<const char*>(Data), Size);
    const std::string pattern = LinuxShortDatePattern(format);
    TLMDDatePattern pieces;
    pieces.Parse(pattern, "/");
    for (const auto& piece : pieces.Pieces())
        (void)pieces.TextOf(piece);
    return 0;
}
