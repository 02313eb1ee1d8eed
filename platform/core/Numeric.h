#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// Rounds to the nearest integer; a value exactly halfway goes to the even neighbour
// (0.5 gives 0, 1.5 gives 2, 2.5 gives 2, -0.5 gives 0).
int64_t Round(double Value);

// The percentage of X in Z: 0 when Z is 0, otherwise X * 100 / Z truncated towards zero.
// Computed in floating point so that X * 100 cannot overflow.
int32_t SolveForY(int32_t X, int32_t Z);

// Y per cent of Z, truncated towards zero, computed as Z * (Y * 0.01) in extended precision.
// The nearest extended value to 0.01 lies slightly below one hundredth, so where Y * Z is a
// multiple of 100 the result can be one less than the exact quotient (60 % of 50 gives 29);
// level bars count their zones with exactly this arithmetic.
int32_t SolveForX(int32_t Y, int32_t Z);

// Reads a text as a 32-bit integer: leading blanks, an optional sign, then decimal digits in
// the signed 32-bit range or "$" and hexadecimal digits of at most 32 bits, taken as the
// pattern they spell ("$FFFFFFFF" is -1, "-$FF" is -255). Nothing when the text is empty, has
// any other character (trailing blanks included) or does not fit.
std::optional<int32_t> TryStrToInt(std::string_view Text);
