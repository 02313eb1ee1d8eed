#include "platform/core/Numeric.h"

#include <cmath>

int64_t Round(double Value)
{
    double whole = std::floor(Value);
    const double rest = Value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<int64_t>(whole);
}

int32_t SolveForY(int32_t X, int32_t Z)
{
    if (Z == 0)
        return 0;
    return static_cast<int32_t>(std::trunc(static_cast<long double>(X) * 100.0L / static_cast<long double>(Z)));
}

int32_t SolveForX(int32_t Y, int32_t Z)
{
    // Each operation rounds to the 64-bit mantissa of the x87 extended format; volatile keeps
    // the compiler from fusing or reordering the two products.
    volatile long double percent = static_cast<long double>(Y) * 0.01L;
    volatile long double product = static_cast<long double>(Z) * percent;
    return static_cast<int32_t>(std::trunc(static_cast<long double>(product)));
}

namespace {

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// The digits from the start of Text to its end in Base; nothing for an empty run, a character
// that is no digit, or a magnitude above Limit.
std::optional<uint64_t> Magnitude(std::string_view Text, int Base, uint64_t Limit)
{
    if (Text.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : Text) {
        const int digit = DigitValue(c);
        if (digit >= Base)
            return std::nullopt;
        value = value * static_cast<uint64_t>(Base) + static_cast<uint64_t>(digit);
        if (value > Limit)
            return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view Text)
{
    while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t'))
        Text.remove_prefix(1);
    bool negative = false;
    if (!Text.empty() && (Text.front() == '+' || Text.front() == '-')) {
        negative = Text.front() == '-';
        Text.remove_prefix(1);
    }
    std::optional<uint64_t> magnitude;
    if (!Text.empty() && Text.front() == '$')
        magnitude = Magnitude(Text.substr(1), 16, 0xFFFFFFFFu);   // a 32-bit pattern
    else
        magnitude = Magnitude(Text, 10, negative ? 0x80000000u : 0x7FFFFFFFu);
    if (!magnitude)
        return std::nullopt;
    const uint32_t bits = static_cast<uint32_t>(*magnitude);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
}
