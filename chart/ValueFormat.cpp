#include "ValueFormat.h"

#include <cmath>
#include <cstdio>

namespace {

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

std::string FormatFloat(std::string_view picture, double value) {
  const Picture p = ParsePicture(picture);
  const TFormatSettings& fs = ChartFormatSettings();
  if (std::isnan(value)) {
    return Wrap(p, "", "NAN");
  }
  if (std::isinf(value)) {
    return Wrap(p, value < 0 ? "-" : "", "INF");
  }
  char buffer[400];
  if (std::fabs(value) >= 1e15) {
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
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
  std::snprintf(buffer, sizeof buffer, "%.*f", p.maxFraction, std::fabs(value));
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
