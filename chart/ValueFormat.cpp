#include "ValueFormat.h"

#include <locale.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// snprintf in the "C" locale, whatever the process locale is: a program whose locale writes
// a decimal comma would otherwise hand the pictures "0,5" to take apart.
__attribute__((format(printf, 3, 4))) int PrintC(char* buffer, std::size_t size, const char* format,
                                                 ...) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  const locale_t previous = uselocale(c);
  va_list arguments;
  va_start(arguments, format);
  const int written = std::vsnprintf(buffer, size, format, arguments);
  va_end(arguments);
  uselocale(previous);
  return written;
}

struct Picture {
  std::string prefix;
  std::string suffix;
  int minInteger = 0;   // '0' placeholders before the decimal point
  int minFraction = 0;  // '0' placeholders after it
  int maxFraction = 0;  // all placeholders after it
  bool thousands = false;
};

bool IsPlaceholder(char c) {
  return c == '0' || c == '#' || c == ',' || c == '.';
}

Picture ParsePicture(std::string_view text) {
  const auto section = text.find(';');
  if (section != std::string_view::npos) {
    text = text.substr(0, section);
  }
  Picture p;
  std::size_t first = 0;
  while (first < text.size() && !IsPlaceholder(text[first])) {
    ++first;
  }
  std::size_t last = first;
  while (last < text.size() && IsPlaceholder(text[last])) {
    ++last;
  }
  p.prefix = std::string(text.substr(0, first));
  p.suffix = std::string(text.substr(last));
  bool fraction = false;
  for (std::size_t i = first; i < last; ++i) {
    const char c = text[i];
    if (c == '.') {
      fraction = true;
    } else if (fraction) {
      if (c == '0' || c == '#') {
        ++p.maxFraction;
        if (c == '0') {
          p.minFraction = p.maxFraction;
        }
      }
    } else if (c == ',') {
      p.thousands = true;
    } else if (c == '0') {
      ++p.minInteger;
    }
  }
  return p;
}

std::string GroupThousands(const std::string& digits, char separator) {
  std::string out;
  const std::size_t n = digits.size();
  for (std::size_t i = 0; i < n; ++i) {
    out += digits[i];
    const std::size_t left = n - 1 - i;
    if (left > 0 && left % 3 == 0) {
      out += separator;
    }
  }
  return out;
}

// prefix + sign + body + suffix.
std::string Wrap(const Picture& p, std::string_view sign, std::string_view body) {
  std::string out;
  out.reserve(p.prefix.size() + sign.size() + body.size() + p.suffix.size());
  out.append(p.prefix).append(sign).append(body).append(p.suffix);
  return out;
}

}  // namespace

TFormatSettings& ChartFormatSettings() {
  static TFormatSettings settings;
  return settings;
}

namespace {

std::string FormatPicture(const Picture& p, double value) {
  const TFormatSettings& fs = ChartFormatSettings();
  if (std::isnan(value)) {
    return Wrap(p, "", "NAN");
  }
  if (std::isinf(value)) {
    return Wrap(p, value < 0 ? "-" : "", "INF");
  }
  char buffer[400];
  if (std::fabs(value) >= 1e15) {
    PrintC(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    // "1E+300" -> "1E300"
    const auto plus = text.find("E+");
    if (plus != std::string::npos) {
      text.erase(plus + 1, 1);
    }
    const auto point = text.find('.');
    if (point != std::string::npos) {
      text[point] = fs.DecimalSeparator;
    }
    return Wrap(p, "", text);
  }
  PrintC(buffer, sizeof buffer, "%.*f", p.maxFraction, std::fabs(value));
  std::string text = buffer;
  std::string integer = text;
  std::string fraction;
  const auto point = text.find('.');
  if (point != std::string::npos) {
    integer = text.substr(0, point);
    fraction = text.substr(point + 1);
  }
  while (static_cast<int>(fraction.size()) > p.minFraction && !fraction.empty() &&
         fraction.back() == '0') {
    fraction.pop_back();
  }
  // Leading zeros beyond the picture's minimum are dropped ("#.##" writes .5).
  while (integer.size() > 1 && integer.front() == '0') {
    integer.erase(0, 1);
  }
  if (integer == "0" && p.minInteger == 0) {
    integer.clear();
  }
  while (static_cast<int>(integer.size()) < p.minInteger) {
    integer.insert(0, 1, '0');
  }
  const bool zero = integer.find_first_not_of('0') == std::string::npos &&
                    fraction.find_first_not_of('0') == std::string::npos;
  std::string number = p.thousands ? GroupThousands(integer, fs.ThousandSeparator) : integer;
  if (!fraction.empty()) {
    number += fs.DecimalSeparator;
    number += fraction;
  }
  if (number.empty()) {
    number.push_back('0');
  }
  return Wrap(p, (value < 0 && !zero) ? "-" : "", number);
}

// value as mantissa and exponent with the mantissa's trailing zeros dropped unless kept:
// "1.5E-7".
std::string ExponentText(double value, int decimals, bool keepZeros = false) {
  char buffer[64];
  PrintC(buffer, sizeof buffer, "%.*E", std::clamp(decimals, 0, 17), std::fabs(value));
  std::string text = buffer;
  const auto e = text.find('E');
  std::string mantissa = text.substr(0, e);
  const int exponent = std::atoi(text.c_str() + e + 1);
  if (!keepZeros && mantissa.find('.') != std::string::npos) {
    while (mantissa.back() == '0') {
      mantissa.pop_back();
    }
    if (mantissa.back() == '.') {
      mantissa.pop_back();
    }
  }
  const auto point = mantissa.find('.');
  if (point != std::string::npos) {
    mantissa[point] = ChartFormatSettings().DecimalSeparator;
  }
  return (value < 0 ? "-" : "") + mantissa + "E" + std::to_string(exponent);
}

// The power of ten of the leading digit of a finite non-zero value.
int LeadingDigit(double value) {
  char buffer[64];
  PrintC(buffer, sizeof buffer, "%.15E", std::fabs(value));
  return std::atoi(std::strchr(buffer, 'E') + 1);
}

}  // namespace

std::string FormatFloat(std::string_view picture, double value) {
  return FormatPicture(ParsePicture(picture), value);
}

int StepLastDigit(double step) {
  if (!(step > 0.0) || !std::isfinite(step)) {
    return 0;
  }
  // The step's digits, up to 12 of them: a step of the 1-2-5 sequence far from 1 is reached
  // by hundreds of multiplications by 10 or 0.1, whose rounding reaches the 14th digit.
  char buffer[64];
  PrintC(buffer, sizeof buffer, "%.11E", step);
  std::string text = buffer;
  const auto e = text.find('E');
  const int exponent = std::atoi(text.c_str() + e + 1);
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  // Zeros end the digits.
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
  }
  return exponent - static_cast<int>(digits.size()) + 1;
}

std::string FormatForStep(std::string_view picture, double value, double step, double magnitude) {
  Picture p = ParsePicture(picture);
  if (!std::isfinite(value) || !(step > 0.0) || !std::isfinite(step)) {
    return FormatPicture(p, value);
  }
  const int last = StepLastDigit(step);
  if (std::fabs(value) < step * 1e-6) {
    value = 0.0;
  }
  if (last < -5 || std::fabs(magnitude) >= 1e9) {
    if (value == 0.0) {
      return p.prefix + "0" + p.suffix;
    }
    return p.prefix + ExponentText(value, LeadingDigit(value) - last) + p.suffix;
  }
  p.maxFraction = std::max(p.maxFraction, -last);
  return FormatPicture(p, value);
}

namespace {

// The picture's text of value unless it keeps fewer than `kept` significant digits: then in
// `significant` digits, fixed above 1e-4, in exponent form below, their trailing zeros
// dropped unless kept.
std::string FormatKeeping(const Picture& p, double value, int kept, int significant,
                          bool keepZeros) {
  const std::string text = FormatPicture(p, value);
  if (!std::isfinite(value) || value == 0.0 || std::fabs(value) >= 1e15) {
    return text;
  }
  const int lead = LeadingDigit(value);
  // The picture keeps digits down to 10^-maxFraction.
  if (lead + p.maxFraction + 1 >= kept) {
    return text;
  }
  if (std::fabs(value) >= 1e-4) {
    Picture more = p;
    more.maxFraction = significant - 1 - lead;
    if (keepZeros) {
      more.minFraction = more.maxFraction;
    }
    return FormatPicture(more, value);
  }
  return p.prefix + ExponentText(value, significant - 1, keepZeros) + p.suffix;
}

}  // namespace

std::string FormatReadable(std::string_view picture, double value, int significant) {
  return FormatKeeping(ParsePicture(picture), value, 3, significant, false);
}

std::string FormatSignificant(std::string_view picture, double value, int significant) {
  return FormatKeeping(ParsePicture(picture), value, significant, significant, true);
}
