#pragma once
#include <string>

// A size given in kilobytes as a short text with a unit:
//   more than 2000 (or less than -1000) KB: megabytes, or gigabytes when the megabytes are
//     still beyond those bounds, with exactly two decimals and thousands grouping
//     ("1,024.00 MB", "2.00 GB");
//   1 to 2000 KB: the whole kilobytes ("2000 KB");
//   below 1 KB: the whole bytes ("512 Bytes").
// The grouped numbers carry at most 15 significant digits; digits beyond them read 0.
// DecimalSeparator and ThousandSeparator are the locale's texts for the two marks; an empty
// thousands separator leaves the digits ungrouped, and an empty decimal separator is taken as
// a point so that the decimals never run into the whole part. A value that is not a number
// gives "NAN"; infinities give "INF GB" and "-INF GB".
std::string FormatSize(double Kilobytes, const std::string& DecimalSeparator, const std::string& ThousandSeparator);
