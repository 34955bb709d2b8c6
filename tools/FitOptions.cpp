#include "FitOptions.h"

#include <limits>

#include "FloatErrors.h"
#include "NumberText.h"

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// "<what> is empty: <how>." or "<what> reads "<text>", which is not <kind>: <how>."
std::string Refusal(std::string_view what, std::string_view text, std::string_view kind,
                    std::string_view how) {
  std::string message(what);
  if (text.empty())
    return message + " is empty: " + std::string(how) + ".";
  return message + " reads " + QuotedText(text) + ", which is not " + std::string(kind) + ": " +
         std::string(how) + ".";
}

std::vector<std::string_view> SplitList(std::string_view text) {
  std::vector<std::string_view> items;
  while (true) {
    const std::size_t comma = text.find(',');
    items.push_back(text.substr(0, comma));
    if (comma == std::string_view::npos)
      return items;
    text.remove_prefix(comma + 1);
  }
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

// Reads one list item as a number, turning the number text's refusal into a usage error.
Extended ReadListNumber(std::string_view what, std::string_view item) {
  try {
    return ReadNumberText(what, item);
  } catch (const EInputError& e) {
    throw EUsageError(e.what());
  }
}

}  // namespace

int ReadWholeNumber(std::string_view what, std::string_view text) {
  constexpr std::string_view kHow = "type decimal digits with an optional sign, such as 10";
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '+' || text[0] == '-'))
    ++i;
  if (i == text.size())
    throw EUsageError(Refusal(what, text, "a whole number", kHow));
  // Accumulated as a negative number, which holds the int range's lower end too.
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i]))
      throw EUsageError(Refusal(what, text, "a whole number", kHow));
    value = value * 10 - (text[i] - '0');
    if (value < std::numeric_limits<int>::min())
      break;
  }
  if (!negative)
    value = -value;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    throw EUsageError(std::string(what) + " reads " + QuotedText(text) +
                      ", which is too large: a whole number must lie between -2147483648 "
                      "and 2147483647.");
  }
  return static_cast<int>(value);
}

std::uint64_t ReadCount(std::string_view what, std::string_view text, std::uint64_t limit) {
  constexpr std::string_view kHow = "type decimal digits, such as 1000";
  if (text.empty())
    throw EUsageError(Refusal(what, text, "a count", kHow));
  std::uint64_t value = 0;
  bool tooLarge = false;
  for (const char c : text) {
    if (!IsDigit(c))
      throw EUsageError(Refusal(what, text, "a count", kHow));
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (digit > limit || value > (limit - digit) / 10)
      tooLarge = true;
    else
      value = value * 10 + digit;
  }
  if (tooLarge) {
    throw EUsageError(std::string(what) + " reads " + QuotedText(text) +
                      ", which is too large: it must be at most " + std::to_string(limit) + ".");
  }
  return value;
}

Level ReadLevel(std::string_view what, std::string_view text) {
  try {
    return ReadLevelText(what, text);
  } catch (const EInputError& e) {
    throw EUsageError(e.what());
  }
}

Level ReadCredibilityLevel(std::string_view what, std::string_view text) {
  const Level level = ReadLevel(what, text);
  if (level < Level::FromPercent(0) || level > Level::FromPercent(100)) {
    throw EUsageError(std::string(what) + " reads " + QuotedText(text) +
                      ", which is not a credibility level: it is the percent of probability "
                      "outside the interval, from 0 to 100.");
  }
  return level;
}

std::vector<TQuantileLevel> ReadQuantileLevels(std::string_view text) {
  std::vector<TQuantileLevel> levels;
  for (const std::string_view raw : SplitList(text)) {
    const std::string_view item = TrimBlanks(raw);
    const Extended percent = ReadListNumber("--quantiles", item);
    if (!(percent >= 0 && percent <= 100)) {
      throw EUsageError("--quantiles reads " + QuotedText(item) +
                        ", which is not a level: levels are percentages from 0 to 100.");
    }
    levels.push_back({std::string(item), percent});
  }
  return levels;
}

std::vector<TProbePoint> ReadProbePoints(std::string_view text) {
  std::vector<TProbePoint> points;
  for (const std::string_view raw : SplitList(text)) {
    const std::string_view item = TrimBlanks(raw);
    points.push_back({std::string(item), ReadListNumber("--probe", item)});
  }
  return points;
}

std::vector<Extended> ReadPoolWeights(std::string_view text) {
  std::vector<Extended> weights;
  bool any = false;
  for (const std::string_view raw : SplitList(text)) {
    const std::string_view item = TrimBlanks(raw);
    const Extended weight = ReadListNumber("--weights", item);
    if (!(weight >= 0)) {
      throw EUsageError("--weights reads " + QuotedText(item) +
                        ", which is not a weight: weights are numbers of 0 or more.");
    }
    any = any || weight > 0;
    weights.push_back(weight);
  }
  if (!any)
    throw EUsageError("--weights gives every expert the weight 0: give one expert more.");
  return weights;
}

TDrawFormat ReadDrawFormat(std::string_view text) {
  if (text == "text")
    return TDrawFormat::Text;
  if (text == "f64")
    return TDrawFormat::Float64;
  if (text == "npy")
    return TDrawFormat::NumPy;
  throw EUsageError(Refusal("--format", text, "a format of the draws",
                            "type text, f64 (raw little-endian doubles) or npy (a NumPy file)"));
}
