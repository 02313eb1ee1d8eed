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

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<int32_t> ParseHex(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(d);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<int32_t> ParseDecimal(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view Text)
{
    if (!Text.empty() && Text[0] == '$')
        return ParseHex(Text.substr(1));
    return ParseDecimal(Text);
}
