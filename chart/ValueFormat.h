// Number pictures for axis labels and value marks, such as "#,##0.###".
#pragma once

#include <string>
#include <string_view>

// Separators written by FormatFloat.
struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
};

// The separators in force; the defaults are a full stop and a comma.
TFormatSettings& ChartFormatSettings();

// Formats value by a picture: '0' is a digit always written, '#' a digit written when
// needed, ',' anywhere in the integer part groups thousands by three, '.' starts the
// fraction; other characters are copied before or after the number. "#,##0.###" rounds to
// at most three decimals, drops trailing zeros and a bare separator, writes at least one
// integer digit and a leading "-" for negative values. A value that rounds to zero has no
// sign. Values not finite read "NAN", "INF" and "-INF"; magnitudes of 1e15 and above are
// written in exponent form ("1E300").
std::string FormatFloat(std::string_view picture, double value);
