// Colour and integer text: the stored colour ("0x" and "$" hexadecimal, signs, overflow), the
// integer conversion beneath it and colour names.
#include <string>

#include "app/SettingsStore.h"
#include "platform/core/ColorNames.h"
#include "platform/core/Numeric.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    (void)ClockColorFromText(text, 255);
    if (const auto number = TryStrToInt(text))
        FUZZ_CHECK(TryStrToInt(std::to_string(*number)) == number);
    if (const auto color = StringToColor(text))
        FUZZ_CHECK(StringToColor(ColorToString(*color)) == color);
    return 0;
}
