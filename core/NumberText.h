// Number text: how the system writes a computed number and reads a typed one.
#pragma once

#include <string>
#include <string_view>

#include "ExtendedMath.h"

// The text of a figure, wherever one is shown: fixed-point with exactly 8 decimals after a
// full stop, whatever the locale, no thousands separators, a leading minus sign for negative
// numbers, left-padded with blanks to at least 10 characters and never cut. Where those
// 8 decimals would keep fewer than 8 significant digits (below 0.1 in size), the value is
// written with 9 significant digits instead, as C's "%#.9Lg" does: fixed down to 1e-4
// ("0.0123456789"), in exponent form below ("-6.63245553e-07"). Zero reads 0.00000000. A
// value that is not finite reads "Infinity", "-Infinity" or "NaN", padded likewise.
std::string FormatNumber(Extended value);

// Reads a typed number: blanks around it are accepted; the rest must be one whole decimal
// number (an optional sign, digits with an optional fraction after a ".", an optional
// exponent "e" or "E" with an optional sign and digits). The value is correctly rounded to
// extended. Any other text raises EInputError with a message that names the field (its
// caption, such as "Lower Quantile (a_p)") and says what is wrong. A number beyond
// +-1.19e4932, or one that is not zero but rounds to 0 (below half of 3.6e-4951, the
// smallest extended value), is refused likewise rather than read as infinity or zero.
Extended ReadNumberText(std::string_view fieldName, std::string_view text);

// User text made safe to print inside a message: whole UTF-8 characters are kept, every
// byte that does not belong to one is shown as \xHH, control characters as \xHH and a
// backslash as \\, so the result is valid UTF-8 (and valid inside JSON) for any input.
std::string EscapedText(std::string_view text);

// EscapedText of the first `maxCharacters` characters of text, in double quotes, with
// "..." after the closing quote when text is longer. A character is never cut.
std::string QuotedText(std::string_view text, std::size_t maxCharacters = 40);
