#include "platform/core/DocumentAddress.h"

#include <algorithm>
#include <cctype>

namespace {

std::string LowerAscii(std::string Text)
{
    std::transform(Text.begin(), Text.end(), Text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return Text;
}

bool IsControl(unsigned char C) { return C < 0x20 || C == 0x7F; }

}  // namespace

bool IsOpenableAddress(const std::string& Address)
{
    if (std::any_of(Address.begin(), Address.end(), [](char c) { return IsControl(static_cast<unsigned char>(c)); }))
        return false;
    const size_t colon = Address.find(':');
    if (colon == std::string::npos || colon + 1 >= Address.size())
        return false;
    const std::string scheme = LowerAscii(Address.substr(0, colon));
    return scheme == "http" || scheme == "https" || scheme == "mailto" || scheme == "file";
}
