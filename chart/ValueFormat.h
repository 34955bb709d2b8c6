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

// Where the decimals of a step end: the power of ten of its last digit (0.05 -> -2,
// 2000000 -> 6), reading at most 12 significant digits; steps that are not positive and
// finite give 0.
int StepLastDigit(double step);

// The text of an axis label, the labels standing step apart on an axis whose limits reach
// magnitude: the picture's text, with as many more decimals as the step needs so that no two
// labels read the same; in exponent form ("1.5E-7", "2.5E12") when the step needs more than
// five decimals or the magnitude reaches a thousand million, so the digits stay few. A value
// within a millionth of a step of zero reads "0".
std::string FormatForStep(std::string_view picture, double value, double step, double magnitude);

// The value in the picture, unless the picture's rounding keeps fewer than three of its
// significant digits: then in significant digits, fixed above 1e-4 ("0.01235"), in exponent
// form below ("1.235E-7").
std::string FormatReadable(std::string_view picture, double value, int significant = 4);

// The value with at least `significant` significant digits (up to 17): the picture's text
// where it keeps that many, else in exactly that many, trailing zeros kept, fixed above 1e-4
// ("5.0000", "99.9996"), in exponent form below ("9.0000E-7"). Magnitudes of 1e15 and above
// keep the picture's 15.
std::string FormatSignificant(std::string_view picture, double value, int significant);
