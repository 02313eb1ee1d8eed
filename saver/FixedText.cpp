#include "saver/FixedText.h"

#include <charconv>

std::string FixedText(double Value, int Decimals)
{
    // A double in fixed notation needs at most 309 whole digits, plus sign, point and decimals.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, Value, std::chars_format::fixed, Decimals);
    if (result.ec != std::errc())
        return {};
    return std::string(buffer, result.ptr);
}
