#include "saver/FormatSize.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace {

constexpr int SignificantDigits = 15;
constexpr int Decimals = 2;

// The bounds beyond which a count moves on to the next larger unit.
bool BeyondUnit(double Value) { return Value < -1000 || Value > 2000; }

// The decimal digits of a magnitude split at the decimal point, without separators.
struct TDigits {
    std::string Whole;
    std::string Fraction;
};

std::string Printed(double Value, std::chars_format Format, int Precision)
{
    // A double in fixed notation needs at most 309 whole digits, plus the point and decimals.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, Value, Format, Precision);
    return std::string(buffer, result.ptr);
}

// The digits of Magnitude (not negative, finite) rounded once, at the second decimal or at the
// fifteenth significant digit, whichever comes first.
TDigits DigitsOf(double Magnitude)
{
    const std::string fixed = Printed(Magnitude, std::chars_format::fixed, Decimals);
    const size_t point = fixed.find('.');
    if (point + Decimals <= static_cast<size_t>(SignificantDigits))
        return {fixed.substr(0, point), fixed.substr(point + 1)};

    // Too many whole digits: round to fifteen significant digits and pad with zeros. The
    // mantissa reads "d.dddddddddddddde+XX".
    const std::string scientific = Printed(Magnitude, std::chars_format::scientific, SignificantDigits - 1);
    const size_t e = scientific.find('e');
    const std::string mantissa = scientific.substr(0, 1) + scientific.substr(2, e - 2);
    const int exponent = std::stoi(scientific.substr(e + 1));
    const size_t wholeCount = static_cast<size_t>(exponent) + 1;
    TDigits digits;
    if (wholeCount >= mantissa.size()) {
        digits.Whole = mantissa + std::string(wholeCount - mantissa.size(), '0');
    } else {
        digits.Whole = mantissa.substr(0, wholeCount);
        digits.Fraction = mantissa.substr(wholeCount);
    }
    digits.Fraction.resize(Decimals, '0');
    return digits;
}

std::string Grouped(std::string_view Whole, const std::string& ThousandSeparator)
{
    std::string text;
    for (size_t i = 0; i < Whole.size(); ++i) {
        if (i > 0 && (Whole.size() - i) % 3 == 0)
            text += ThousandSeparator;
        text += Whole[i];
    }
    return text;
}

std::string NumberText(double Value, const std::string& DecimalSeparator, const std::string& ThousandSeparator)
{
    const char* sign = std::signbit(Value) ? "-" : "";
    if (std::isinf(Value))
        return std::string(sign) + "INF";
    const TDigits digits = DigitsOf(std::fabs(Value));
    const bool zero = digits.Whole.find_first_not_of('0') == std::string::npos &&
                      digits.Fraction.find_first_not_of('0') == std::string::npos;
    return std::string(zero ? "" : sign) + Grouped(digits.Whole, ThousandSeparator) + DecimalSeparator + digits.Fraction;
}

}  // namespace

std::string FormatSize(double Kilobytes, const std::string& DecimalSeparator, const std::string& ThousandSeparator)
{
    if (std::isnan(Kilobytes))
        return "NAN";
    const std::string point = DecimalSeparator.empty() ? "." : DecimalSeparator;
    double v = Kilobytes;
    if (BeyondUnit(v)) {
        v /= 1024;
        const char* unit = " MB";
        if (BeyondUnit(v)) {
            v /= 1024;
            unit = " GB";
        }
        return NumberText(v, point, ThousandSeparator) + unit;
    }
    // From here on -1000 <= v <= 2000, so the truncated counts fit easily.
    if (v >= 1)
        return std::to_string(static_cast<int32_t>(v)) + " KB";
    return std::to_string(static_cast<int32_t>(v * 1024)) + " Bytes";
}
