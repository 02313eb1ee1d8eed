// A key file of the Linux key store: finding "Style", setting it, and finding it again.
#include <string>

#include "platform/linux/RegFileText.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    TRegFileText key(text);
    (void)key.Find("Style");
    (void)key.Find("");
    const TRegFileText::Value dword{RegValueType::Dword, std::string("\x01\x00\x00\x80", 4)};
    key.Set("Style", dword);
    const auto back = key.Find("Style");
    FUZZ_CHECK(back && back->Type == dword.Type && back->Data == dword.Data);
    // The text written parses again to the same value.
    const auto again = TRegFileText(key.Text()).Find("Style");
    FUZZ_CHECK(again && again->Data == dword.Data);
    return 0;
}
