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
// A fixed text with fewer significant digits than this is written with more.
constexpr int kFixedSignificant = 8;

// The digits of a fixed-point text from its first one other than 0.
int SignificantDigits(std::string_view text) {
  int digits = 0;
  bool leading = true;
  for (const char c : text) {
    if (c < '0' || c > '9')
      continue;
    leading = leading && c == '0';
    digits += leading ? 0 : 1;
  }
  return digits;
}

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

// The length of the well-formed UTF-8 character at the start of text (shortest form, no
// surrogates, at most U+10FFFF), or 0 when its first byte does not start one.
std::size_t Utf8CharacterLength(std::string_view text) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80)
    return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high)
    return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF)
      return 0;
  }
  return length;
}

void AppendByteEscape(std::string& out, unsigned char byte) {
  constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

// Escapes text character by character, stopping after maxCharacters; returns whether all
// of text was taken.
bool AppendEscaped(std::string& out, std::string_view text, std::size_t maxCharacters) {
  std::size_t characters = 0;
  while (!text.empty()) {
    if (characters == maxCharacters)
      return false;
    ++characters;
    const std::size_t length = Utf8CharacterLength(text);
    const auto lead = static_cast<unsigned char>(text.front());
    if (length == 0 || lead < 0x20 || lead == 0x7F) {
      AppendByteEscape(out, lead);
      text.remove_prefix(1);
      continue;
    }
    if (lead == '\\')
      out += '\\';
    out.append(text.substr(0, length));
    text.remove_prefix(length);
  }
  return true;
}

// True when the mantissa of a decimal number has a digit other than 0.
bool HasNonzeroDigit(std::string_view number) {
  for (const char c : number) {
    if (c == 'e' || c == 'E')
      return false;
    if (c >= '1' && c <= '9')
      return true;
  }
  return false;
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

std::string Quoted(std::string_view text) {
  return QuotedText(text);
}

}  // namespace

std::string FormatNumber(Extended value) {
  if (std::isnan(value))
    return PadLeft("NaN");
  if (std::isinf(value))
    return PadLeft(value < 0 ? "-Infinity" : "Infinity");
  // The largest extended value has 4933 integer digits.
  std::array<char, 4960> buffer;
  const auto text = [&buffer](Extended v, std::chars_format format, int precision) {
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, format, precision);
    return std::string(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  };
  const std::string fixed = text(value, std::chars_format::fixed, 8);
  if (value == 0 || SignificantDigits(fixed) >= kFixedSignificant)
    return PadLeft(fixed);
  // Nine significant digits, as "%#.9Lg" writes them in the C locale: fixed down to 1e-4,
  // below that in exponent form. The exponent is the one of the rounded value.
  const std::string scientific = text(value, std::chars_format::scientific, 8);
  int exponent = 0;
  const std::size_t e = scientific.find('e');
  const char* first = scientific.data() + e + 1;
  std::from_chars(*first == '+' ? first + 1 : first, scientific.data() + scientific.size(),
                  exponent);
  if (exponent >= -4)
    return PadLeft(text(value, std::chars_format::fixed, 8 - exponent));
  return PadLeft(scientific);
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
  if (value == 0 && HasNonzeroDigit(number)) {
    throw EInputError(field + " reads " + Quoted(text) +
                      ", which is too small: a number other than 0 must be at least 3.6e-4951 "
                      "in size (type 0 for zero).");
  }
  return value;
}

std::string EscapedText(std::string_view text) {
  std::string out;
  AppendEscaped(out, text, text.size());
  return out;
}

std::string QuotedText(std::string_view text, std::size_t maxCharacters) {
  std::string out = "\"";
  const bool whole = AppendEscaped(out, text, maxCharacters);
  out += '"';
  if (!whole)
    out += "...";
  return out;
}
