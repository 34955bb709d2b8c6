// Number text: how the system writes a computed number and reads a typed one.
#pragma once

#include <string>
#include <string_view>

#include "ExtendedMath.h"

// The text of a result panel: fixed-point with exactly 8 decimals after a full stop,
// whatever the locale, no thousands separators, a leading minus sign for negative numbers,
// left-padded with blanks to at least 10 characters and never cut. A value that is not
// finite reads "Infinity", "-Infinity" or "NaN", padded likewise.
std::string FormatNumber(Extended value);

// Reads a typed number: blanks around it are accepted; the rest must be one whole decimal
// number (an optional sign, digits with an optional fraction after a ".", an optional
// exponent "e" or "E" with an optional sign and digits). The value is correctly rounded to
// extended. Any other text raises EInputError with a message that names the field (its
// caption, such as "Lower Quantile (a_p)") and says what is wrong.
Extended ReadNumberText(std::string_view fieldName, std::string_view text);
