#include "NumberText.h"

#include <locale.h>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr std::size_t kMinWidth = 10;

std::string PadLeft(std::string_view text) {
  std::string padded(text.size() < kMinWidth ? kMinWidth - text.size() : 0, ' ');
  padded += text;
  return padded;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// True when text is exactly [+-] digits [. digits] [(e|E) [+-] digits], with at least one
// digit before the exponent.
bool IsDecimalNumber(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-'))
    ++i;
  std::size_t digits = 0;
  while (i < n && IsDigit(text[i]))
    ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i]))
      ++i, ++digits;
  }
  if (digits == 0)
    return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
      ++i;
    std::size_t expDigits = 0;
    while (i < n && IsDigit(text[i]))
      ++i, ++expDigits;
    if (expDigits == 0)
      return false;
  }
  return i == n;
}

// Quotes what the user typed, shortened when it is long.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string shown = "\"";
  shown.append(text.substr(0, kShown));
  if (text.size() > kShown)
    shown += "...";
  return shown + "\"";
}

// strtold in the "C" locale, whatever the process locale is.
Extended StrToExtended(const std::string& text, bool& outOfRange) {
  static const std::unique_ptr<std::remove_pointer_t<locale_t>, decltype(&freelocale)> cLocale(
      newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr)), &freelocale);
  errno = 0;
  const Extended value = strtold_l(text.c_str(), nullptr, cLocale.get());
  outOfRange = errno == ERANGE && std::isinf(value);
  return value;
}

}  // namespace

std::string FormatNumber(Extended value) {
  if (std::isnan(value))
    return PadLeft("NaN");
  if (std::isinf(value))
    return PadLeft(value < 0 ? "-Infinity" : "Infinity");
  // The largest extended value has 4933 integer digits.
  std::array<char, 4960> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 8);
  return PadLeft(
      std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())));
}

Extended ReadNumberText(std::string_view fieldName, std::string_view text) {
  const std::string_view number = Trim(text);
  std::string field = "\"";
  field.append(fieldName).append("\"");
  if (number.empty()) {
    throw EInputError(field + " is empty: type a number, such as 6.5.");
  }
  if (!IsDecimalNumber(number)) {
    std::string dotted(number);
    for (char& c : dotted) {
      if (c == ',')
        c = '.';
    }
    if (number.find(',') != std::string_view::npos && IsDecimalNumber(dotted)) {
      throw EInputError(field + " reads " + Quoted(text) +
                        ", which is not a number: the decimal separator is \".\" (type " + dotted +
                        ").");
    }
    throw EInputError(field + " reads " + Quoted(text) +
                      ", which is not a number: type digits with an optional \".\" and "
                      "exponent, such as 6.5 or 1.2e3.");
  }
  bool outOfRange = false;
  const Extended value = StrToExtended(std::string(number), outOfRange);
  if (outOfRange) {
    throw EInputError(field + " reads " + Quoted(text) +
                      ", which is too large: numbers must lie between -1e4932 and 1e4932.");
  }
  return value;
}
