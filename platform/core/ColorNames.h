#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/Color.h"

// The 52 named colours in their fixed order; the colour chooser lists the first sixteen.
struct TColorName {
    std::string_view Name;
    TColor Value;
};
constexpr int ColorNameCount = 52;
const TColorName& ColorNameAt(int Index);

// The name of a colour that has one ("clRed"), else nothing. Where two names share a value the
// first in the table wins.
std::optional<std::string_view> ColorToIdent(TColor Color);
// The colour of a name, compared without regard to case; nothing for an unknown name.
std::optional<TColor> IdentToColor(std::string_view Name);

// A colour's name, or its value as text when it has none ("$00123456" style hexadecimal).
std::string ColorToString(TColor Color);
// A name, or an integer in decimal or in hexadecimal after "$". Nothing when the text is
// neither or the number does not fit in 32 bits.
std::optional<TColor> StringToColor(std::string_view Text);
