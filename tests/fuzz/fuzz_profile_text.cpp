// An INI file's text: reading a key, writing it back, and reading what was written.
#include <string>

#include "platform/linux/ProfileText.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    TProfileText profile(text);
    (void)profile.Value("Skin", "skin");
    profile.SetValue("Skin", "skin", "-16777216");
    FUZZ_CHECK(profile.Value("Skin", "skin") == "-16777216");
    // A second write replaces the line the first one made or found.
    const size_t length = profile.Text().size();
    profile.SetValue("Skin", "skin", "1234567890");
    FUZZ_CHECK(profile.Value("Skin", "skin") == "1234567890");
    FUZZ_CHECK(profile.Text().size() == length + 1);
    return 0;
}
