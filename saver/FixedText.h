#pragma once
#include <string>

// Value in fixed-point notation with Decimals decimals, rounded to the nearest (an exact half
// to the even neighbour), always with a point as the decimal separator, whatever locale the
// process runs in, and the same on every platform: FixedText(2.394, 2) gives "2.39".
// Infinities give "inf" and "-inf", a value that is not a number "nan".
std::string FixedText(double Value, int Decimals);
