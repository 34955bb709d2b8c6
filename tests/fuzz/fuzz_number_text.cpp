// Number text under arbitrary bytes.
//
// Reading: any bytes are either read as a finite number (exactly when they are one
// decimal number with blanks around it) or refused with EInputError and a message that
// names the field. Writing: the first ten bytes, taken as an extended value of any sign,
// exponent and significand, and every number that was read, give a text of at least ten
// characters that reads back within the rounding of its last digit: eight decimals when
// they keep at least eight significant digits, else nine significant digits (in exponent
// form below 1e-4), so that every value other than zero shows eight digits or more.
// A number read is compared with GNU MPFR's correctly rounded conversion of the same
// text to 64 bits with the extended range and its subnormals: it must be the same value,
// and a number MPFR rounds to infinity or to zero (from nonzero digits) must be refused.
//
// Built with -DMORVANE_PLANTED_FAULT, the harness moves every value read from more than 19
// digits by one unit in the last place, as a reader that is not correctly rounded would,
// to show that the comparison reports it.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <string>
#include <string_view>

#include <mpfr.h>

#include "FloatErrors.h"
#include "FuzzCheck.h"
#include "NumberText.h"

namespace {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the fuzz target builds extended values from their 80-bit pattern");

constexpr std::string_view kField = "Most Likely Value (m)";
constexpr std::size_t kPanelWidth = 10;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// The syntax of a typed number, written out again on its own so that the reader is judged
// against its description rather than against itself: [+-] digits [. digits]
// [(e|E) [+-] digits], with at least one digit before the exponent.
bool IsOneDecimalNumber(std::string_view t) {
  std::size_t i = 0;
  auto skipDigits = [&t, &i] {
    const std::size_t start = i;
    while (i < t.size() && IsDigit(t[i]))
      ++i;
    return i - start;
  };
  if (i < t.size() && (t[i] == '+' || t[i] == '-'))
    ++i;
  std::size_t mantissaDigits = skipDigits();
  if (i < t.size() && t[i] == '.') {
    ++i;
    mantissaDigits += skipDigits();
  }
  if (mantissaDigits == 0)
    return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
      ++i;
    if (skipDigits() == 0)
      return false;
  }
  return i == t.size();
}

// The significant digits of a decimal mantissa: from its first digit other than 0.
std::size_t SignificantDigits(std::string_view mantissa) {
  std::size_t digits = 0;
  bool leading = true;
  for (const char c : mantissa) {
    if (!IsDigit(c))
      continue;
    leading = leading && c == '0';
    digits += leading ? 0 : 1;
  }
  return digits;
}

// A result-panel text, as its contract describes it, written out again on its own: an
// optional minus, then digits, a full stop and exactly eight decimals that keep at least
// eight significant digits (or read zero); or nine significant digits in fixed form
// between 1e-4 and 0.1; or d.dddddddd, "e-" and an exponent of at least two digits below
// 1e-4. Sets the power of ten of the last digit shown.
bool IsPanelNumber(std::string_view t, int& lastDigit) {
  if (!t.empty() && t.front() == '-')
    t.remove_prefix(1);
  const std::size_t point = t.find('.');
  if (point == 0 || point == std::string_view::npos)
    return false;
  const std::size_t e = t.find('e');
  const std::string_view mantissa = t.substr(0, e);
  for (std::size_t i = 0; i < mantissa.size(); ++i) {
    if (i != point && !IsDigit(mantissa[i]))
      return false;
  }
  const std::size_t decimals = mantissa.size() - point - 1;
  const std::size_t significant = SignificantDigits(mantissa);
  if (e == std::string_view::npos) {
    lastDigit = -static_cast<int>(decimals);
    if (decimals == 8)
      return significant >= 8 || significant == 0;
    // 0.0ddddddddd .. 0.0000ddddddddd: the leading zeros and nine digits.
    return mantissa.substr(0, 3) == "0.0" && significant == 9 && decimals >= 10 && decimals <= 12 &&
           mantissa[decimals - 9 + 2] != '0';
  }
  std::string_view exponent = t.substr(e + 1);
  if (point != 1 || decimals != 8 || mantissa.front() == '0' || exponent.size() < 3 ||
      exponent.front() != '-' || !std::all_of(exponent.begin() + 1, exponent.end(), IsDigit))
    return false;
  exponent.remove_prefix(1);
  int power = 0;
  for (const char c : exponent)
    power = power * 10 + (c - '0');
  lastDigit = -power - 8;
  return power > 4;
}

// An extended value of any sign, exponent and significand from 10 bytes. The explicit
// integer bit is set as arithmetic sets it, so that every value is one the core can hold.
long double ValueFromBits(const std::uint8_t* bytes) {
  std::uint64_t significand;
  std::uint16_t signAndExponent;
  std::memcpy(&significand, bytes, sizeof significand);
  std::memcpy(&signAndExponent, bytes + 8, sizeof signAndExponent);
  constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
  if ((signAndExponent & 0x7FFF) == 0) {
    significand &= ~kIntegerBit;
  } else {
    significand |= kIntegerBit;
  }
  unsigned char pattern[sizeof(long double)] = {};
  std::memcpy(pattern, &significand, sizeof significand);
  std::memcpy(pattern + 8, &signAndExponent, sizeof signAndExponent);
  long double value;
  std::memcpy(&value, pattern, sizeof value);
  return value;
}

void CheckWriting(long double value) {
  const std::string text = FormatNumber(value);
  FUZZ_EXPECT(text.size() >= kPanelWidth) << "\"" << text << "\" for " << Digits(value);
  const std::string_view shown = Trimmed(text);
  FUZZ_EXPECT(text.size() == std::max(kPanelWidth, shown.size()) && text.back() != ' ')
      << "padding of \"" << text << "\"";
  if (std::isnan(value)) {
    FUZZ_EXPECT(shown == "NaN") << "\"" << text << "\"";
    return;
  }
  if (std::isinf(value)) {
    FUZZ_EXPECT(shown == (value < 0 ? "-Infinity" : "Infinity")) << "\"" << text << "\"";
    return;
  }
  int lastDigit = 0;
  FUZZ_EXPECT(IsPanelNumber(shown, lastDigit)) << "\"" << text << "\" for " << Digits(value);
  FUZZ_EXPECT(value == 0 || SignificantDigits(shown.substr(0, shown.find('e'))) >= 8)
      << "\"" << text << "\" shows fewer than eight digits of " << Digits(value);
  long double back = 0;
  try {
    back = ReadNumberText(kField, text);
  } catch (const std::exception& e) {
    FUZZ_EXPECT(false) << "the text \"" << text << "\" of " << Digits(value)
                       << " does not read back: " << e.what();
  }
  // The text is exact to half a unit of its last digit; reading it back rounds once more.
  const long double slack =
      0.5L * std::pow(10.0L, lastDigit) * (1 + 1e-9L) + std::fabs(value) * 0x1p-62L;
  FUZZ_EXPECT(std::fabs(back - value) <= slack)
      << "\"" << text << "\" reads back as " << Digits(back) << ", not " << Digits(value);
  if (value < -0.5e-8L)
    FUZZ_EXPECT(shown.front() == '-') << "\"" << text << "\" for " << Digits(value);
}

// MPFR misreads an exponent beyond the range of its own exponent type (4.2.0 reads
// ".5e-<29 digits>" as infinity). With more than 15 exponent digits, which no input can
// offset with its digits, the value is zero or infinite by the exponent's sign alone.
// number is one decimal number.
bool HugeExponentValue(std::string_view number, long double& value) {
  const std::size_t e = number.find_first_of("eE");
  if (e == std::string_view::npos)
    return false;
  std::string_view exponent = number.substr(e + 1);
  const bool negativeExponent = exponent.front() == '-';
  if (exponent.front() == '+' || exponent.front() == '-')
    exponent.remove_prefix(1);
  const std::size_t first = exponent.find_first_not_of('0');
  if (first == std::string_view::npos || exponent.size() - first <= 15)
    return false;
  const std::string_view mantissa = number.substr(0, e);
  const bool zero = mantissa.find_first_of("123456789") == std::string_view::npos;
  value = zero || negativeExponent ? 0.0L : std::numeric_limits<long double>::infinity();
  if (mantissa.front() == '-')
    value = -value;
  return true;
}

// What MPFR reads from the text: the correctly rounded extended value, infinity beyond the
// range, or zero.
long double MpfrValue(std::string_view number) {
  if (long double value = 0; HugeExponentValue(number, value))
    return value;
  // Extended: 64-bit significands, exponents of normal values down to 2^-16382 and
  // subnormals down to 2^-16445 (MPFR counts exponents for significands in [1/2, 1)).
  mpfr_set_emin(-16444);
  mpfr_set_emax(16384);
  mpfr_t value;
  mpfr_init2(value, 64);
  const std::string text(number);
  const int rounding = mpfr_strtofr(value, text.c_str(), nullptr, 10, MPFR_RNDN);
  mpfr_subnormalize(value, rounding, MPFR_RNDN);
  const long double result = mpfr_get_ld(value, MPFR_RNDN);
  mpfr_clear(value);
  return result;
}

#ifdef MORVANE_PLANTED_FAULT
std::size_t DigitCount(std::string_view number) {
  std::size_t digits = 0;
  for (const char c : number) {
    if (c == 'e' || c == 'E')
      break;
    digits += IsDigit(c) ? 1 : 0;
  }
  return digits;
}
#endif

void CheckReading(std::string_view typed) {
  long double value = 0;
  try {
    value = ReadNumberText(kField, typed);
  } catch (const EInputError& e) {
    const std::string_view message = e.what();
    FUZZ_EXPECT(message.find(kField) != std::string_view::npos)
        << "a refusal that does not name the field: \"" << message << "\"";
    // Only text that is not one number, or a number beyond the extended range, is refused.
    const std::string_view number = Trimmed(typed);
    if (IsOneDecimalNumber(number)) {
      const long double exact = MpfrValue(number);
      FUZZ_EXPECT((message.find("too large") != std::string_view::npos && std::isinf(exact)) ||
                  (message.find("too small") != std::string_view::npos && exact == 0))
          << "a number refused: \"" << message << "\", MPFR reads " << Digits(exact);
    }
    return;
  } catch (const std::exception& e) {
    FUZZ_EXPECT(false) << "unexpected exception: " << e.what();
  }
  FUZZ_EXPECT(std::isfinite(value)) << "read as " << Digits(value);
  FUZZ_EXPECT(IsOneDecimalNumber(Trimmed(typed))) << "accepted as " << Digits(value);
#ifdef MORVANE_PLANTED_FAULT
  if (DigitCount(Trimmed(typed)) > 19 && value != 0)
    value = std::nextafter(value, 0.0L);
#endif
  const long double exact = MpfrValue(Trimmed(typed));
  FUZZ_EXPECT(value == exact && std::signbit(value) == std::signbit(exact))
      << "\"" << std::string(Trimmed(typed)).substr(0, 80) << "\" reads as " << Digits(value)
      << ", MPFR as " << Digits(exact);
  CheckWriting(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckReading(std::string_view(reinterpret_cast<const char*>(data), size));
  if (size >= 10)
    CheckWriting(ValueFromBits(data));
  return 0;
}
