#include "SoakTyping.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>
#include <utility>

namespace {

constexpr std::array<const char*, kFieldCount> kSymbols = {"a_p", "m", "b_r", "n", "x_s"};

constexpr std::array<const char*, kFieldCount> kInitialTexts = {"6.5", "7.0", "10.5", "7.0",
                                                                "9.588495255"};

// Where sensible judgements lie, before the frame's size and offset.
constexpr std::array<std::array<long double, 2>, kFieldCount> kSensible = {
    {{3, 7.5}, {6, 9.5}, {8.5, 14}, {0.05, 50}, {6, 12}}};

// Sizes from denormal to the largest extended value, and offsets that leave few digits
// for the spread.
const std::vector<std::pair<int, long double>> kFrames = {
    {0, 0},     {0, 0},   {0, 0},    {0, 0},     {0, 0},    {0, 0},     {0, 0},
    {0, 0},     {0, 0},   {0, 0},    {0, 0},     {0, 1e6L}, {0, 1e10L}, {0, -1e12L},
    {3, 0},     {-3, 0},  {-8, 0},   {12, 0},    {300, 0},  {-300, 0},  {2000, 0},
    {-2000, 0}, {0, -20}, {4932, 0}, {-4940, 0}, {9, 1e8L},
};

const std::vector<std::string> kOddNumbers = {"6,5",        "",        "abc",
                                              "1e4000",     "-1e4000", "0",
                                              "-0",         "-3.5",    "-1",
                                              "1e300",      "-1e300",  "1e-300",
                                              "1e2001",     "1e2000",  "-1e2000",
                                              " 7 ",        "+7.",     ".5",
                                              "7.",         "1e",      "--1",
                                              "nan",        "inf",     "0x10",
                                              "7.0.0",      "1e-9",    "12345678901234567890",
                                              "0.00000001", "1e4932",  "1.2e4932",
                                              "9.9e-4951",  "\t8",     "1 000",
                                              "7e+0",       "-",       "+",
                                              "."};

const std::vector<std::string> kOddPowers = {
    "0",    "-1",          "1",           "0.5",  "1e-9",          "10000",  "10000.00000001",
    "1e4",  "0.999999999", "1.000000001", "0.01", "9999.99999999", "1e-300", "2",
    "1e-8", "50",          "100",         "1000", "9.9e-4951",     "1e-4000"};

const std::vector<std::string> kOddLevels = {
    "",   "-",   "+",  "85",  "0",   "100", "1.5", ".",    "abc",  "99999999999", "-0",   "007",
    "50", "5e1", "-5", "101", "200", "80",  "2.5", "97.5", "2.55", "0.1",         "99.9", "1,5"};

const std::vector<std::string> kOddCredibilityLevels = {
    "",  "-",  "0",  "100", "150", "250", "-30",        "abc",
    "5", "95", "99", "1",   "+",   "200", "2147483647", "99999999999"};

std::string Fixed(long double value, int decimals) {
  std::array<char, 128> buffer;
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                 std::chars_format::fixed, decimals)
                       .ptr;
  return std::string(buffer.data(), end);
}

std::string General(long double value, int digits) {
  std::array<char, 128> buffer;
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                 std::chars_format::general, digits)
                       .ptr;
  return std::string(buffer.data(), end);
}

std::optional<long double> Seen(const TFieldsSeen& seen, int field) {
  return ReadNumber(seen.Texts[static_cast<std::size_t>(field)]);
}

}  // namespace

const char* FieldSymbol(int field) {
  return kSymbols[static_cast<std::size_t>(field)];
}

std::optional<long double> ReadNumber(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  std::size_t last = text.find_last_not_of(" \t");
  if (first == std::string::npos) {
    return std::nullopt;
  }
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  long double value = 0;
  const auto result = std::from_chars(begin, end, value);
  if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string TExpertTyping::Judgement(int field, const TFieldsSeen& seen) {
  if (Random_.Chance(3)) {
    const auto& [exponent, offset] = Random_.Pick(kFrames);
    Frame_ = {exponent, offset};
  }
  const int roll = Random_.Below(100);
  if (roll < 30) {
    return Mend(field, seen);
  }
  if (roll < 48) {
    return Sensible(field, seen);
  }
  if (roll < 57) {
    return kInitialTexts[static_cast<std::size_t>(field)];
  }
  if (roll < 69) {
    return NearMiss(field, seen);
  }
  if (roll < 75) {
    return Reversed(field, seen);
  }
  return Random_.Pick(field == kPower && Random_.Chance(50) ? kOddPowers : kOddNumbers);
}

std::optional<int> TExpertTyping::BrokenField(const TFieldsSeen& seen) {
  const int fourth = seen.ExtraQuantileMode ? kExtraQuantile : kPower;
  for (const int field : {int{kLowerQuantile}, int{kModeValue}, int{kUpperQuantile}, fourth}) {
    if (!Seen(seen, field)) {
      return field;
    }
  }
  const long double ap = *Seen(seen, kLowerQuantile);
  const long double m = *Seen(seen, kModeValue);
  const long double br = *Seen(seen, kUpperQuantile);
  if (!(ap < br)) {
    return kUpperQuantile;
  }
  if (!(ap < m && m < br)) {
    return kModeValue;
  }
  if (fourth == kPower && !(*Seen(seen, kPower) > 0)) {
    return kPower;
  }
  return std::nullopt;
}

std::string TExpertTyping::Mend(int field, const TFieldsSeen& seen) {
  const auto ap = Seen(seen, kLowerQuantile);
  const auto m = Seen(seen, kModeValue);
  const auto br = Seen(seen, kUpperQuantile);
  const int digits = Random_.Chance(70) ? 21 : 10;
  if (field == kLowerQuantile && m && br && *m < *br) {
    return General(*m - (*br - *m) * Random_.Uniform(0.05L, 2), digits);
  }
  if (field == kModeValue && ap && br && *ap < *br) {
    return General(*ap + (*br - *ap) * Random_.Uniform(0.02L, 0.98L), digits);
  }
  if (field == kUpperQuantile && ap && m && *ap < *m) {
    return General(*m + (*m - *ap) * Random_.Uniform(0.05L, 2), digits);
  }
  return Sensible(field, seen);
}

std::string TExpertTyping::Sensible(int field, const TFieldsSeen& seen) {
  if (field == kPower) {
    const long double n = std::exp(Random_.Uniform(std::log(0.05L), std::log(50.0L)));
    return Fixed(n, Random_.Between(1, 6));
  }
  const auto smaller = ReadNumber(seen.SmallerBound);
  const auto larger = ReadNumber(seen.LargerBound);
  if (field == kExtraQuantile && seen.ExtraQuantileMode && smaller && larger) {
    // Between the feasibility bounds, on one of them as shown, or a hair beside it.
    const int roll = Random_.Below(100);
    if (roll < 55) {
      return General(Random_.Uniform(*smaller, *larger), Random_.Pick(std::vector<int>{6, 10, 19}));
    }
    const long double bound = Random_.Chance(50) ? *smaller : *larger;
    if (roll < 75) {
      return General(bound, 21);
    }
    const long double nudge =
        std::fabs(bound) * 1e-12L + Random_.Pick(std::vector<long double>{1e-9L, 1e-6L, 1e-3L});
    return General(Random_.Chance(50) ? bound + nudge : bound - nudge, 21);
  }
  const auto& range = kSensible[static_cast<std::size_t>(field)];
  const long double base = Random_.Uniform(range[0], range[1]);
  const long double value = (Frame_.Offset + base) * std::pow(10.0L, Frame_.Exponent);
  return General(value, Random_.Pick(std::vector<int>{3, 6, 10, 21}));
}

std::string TExpertTyping::NearMiss(int field, const TFieldsSeen& seen) {
  if (field == kPower) {
    return Random_.Pick(kOddPowers);
  }
  // The text of another of a_p, m and b_r, or a hair beside it.
  int other = Random_.Below(3);
  if (other == field) {
    other = (other + 1) % 3;
  }
  const std::string& text = seen.Texts[static_cast<std::size_t>(other)];
  const auto value = ReadNumber(text);
  if (!value || Random_.Chance(30)) {
    return text;
  }
  const long double step = Random_.Chance(50)
                               ? std::fabs(*value) * 1e-12L
                               : Random_.Pick(std::vector<long double>{1e-9L, 1e-8L, 1e-4L});
  return General(Random_.Chance(50) ? *value + step : *value - step, 21);
}

std::string TExpertTyping::Reversed(int field, const TFieldsSeen& seen) {
  // a_p above b_r, b_r below a_p, m or x_s outside both, n below 0.
  const long double ap = Seen(seen, kLowerQuantile).value_or(6.5L);
  const long double br = Seen(seen, kUpperQuantile).value_or(10.5L);
  const long double width = std::fabs(br - ap) + 1;
  switch (field) {
    case kLowerQuantile:
      return General(br + Random_.Uniform(0, width), 10);
    case kUpperQuantile:
      return General(ap - Random_.Uniform(0, width), 10);
    case kPower:
      return Fixed(-Random_.Uniform(0, 5), 3);
    default:
      return General(
          Random_.Chance(50) ? ap - Random_.Uniform(0, width) : br + Random_.Uniform(0, width), 10);
  }
}

std::string TExpertTyping::Level(int minimum, int maximum) {
  const int roll = Random_.Below(100);
  if (roll < 45) {
    return std::to_string(minimum <= maximum ? Random_.Between(minimum, maximum) : minimum);
  }
  if (roll < 60) {
    return std::to_string(Random_.Chance(50) ? maximum + Random_.Between(1, 60)
                                             : minimum - Random_.Between(1, 20));
  }
  return Random_.Pick(kOddLevels);
}

std::optional<std::pair<int, std::string>> TExpertTyping::MendLevels(
    const std::array<std::string, 3>& levels, bool extraQuantileMode) {
  std::array<std::optional<int>, 3> value;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    int v = 0;
    const char* end = levels[i].data() + levels[i].size();
    const auto result = std::from_chars(levels[i].data(), end, v);
    if (result.ec == std::errc() && result.ptr == end) {
      value[i] = v;
    }
  }
  const auto& [p, r, s] = value;
  if (!p || *p <= 0 || *p >= 50) {
    return std::pair{0, std::to_string(Random_.Between(1, 45))};
  }
  if (!r || *r >= 100 || *r <= *p + 1) {
    return std::pair{1, std::to_string(Random_.Between(std::max(*p + 2, 55), 99))};
  }
  if (extraQuantileMode && (!s || *s <= *p || *s >= *r)) {
    return std::pair{2, std::to_string(Random_.Between(*p + 1, *r - 1))};
  }
  return std::nullopt;
}

std::string TExpertTyping::CredibilityLevel() {
  return Random_.Chance(50) ? std::to_string(Random_.Between(0, 100))
                            : Random_.Pick(kOddCredibilityLevels);
}
