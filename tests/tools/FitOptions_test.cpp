#include "FitOptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "FitOutput.h"
#include "FitSample.h"
#include "FloatErrors.h"

namespace {

using ::testing::HasSubstr;

std::string UsageRefusal(std::string_view text) {
  try {
    ReadWholeNumber("--p", text);
  } catch (const EUsageError& e) {
    return e.what();
  }
  return "(accepted)";
}

TEST(ReadWholeNumberTest, ReadsDecimalIntegersAsTheSpinEditsDo) {
  EXPECT_EQ(ReadWholeNumber("--p", "10"), 10);
  EXPECT_EQ(ReadWholeNumber("--p", "010"), 10) << "not octal";
  EXPECT_EQ(ReadWholeNumber("--p", "08"), 8);
  EXPECT_EQ(ReadWholeNumber("--p", "+5"), 5);
  EXPECT_EQ(ReadWholeNumber("--p", "-5"), -5);
  EXPECT_EQ(ReadWholeNumber("--p", "2147483647"), 2147483647);
  EXPECT_EQ(ReadWholeNumber("--p", "-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ReadWholeNumber("--p", "-000000000000000000000001"), -1);
  for (const char* text : {"0x10", "0X5A", " 5", "5 ", "5.0", "1e2", "+", "-", "--5", "٣"})
    EXPECT_THAT(UsageRefusal(text), HasSubstr("which is not a whole number")) << text;
  EXPECT_EQ(UsageRefusal(""),
            "--p is empty: type decimal digits with an optional sign, such as 10.");
  EXPECT_EQ(UsageRefusal("0x10"),
            "--p reads \"0x10\", which is not a whole number: type decimal digits with an "
            "optional sign, such as 10.");
  for (const char* text : {"2147483648", "-2147483649", "99999999999999999999999999"})
    EXPECT_THAT(UsageRefusal(text), HasSubstr("which is too large")) << text;
}

TEST(ReadWholeNumberTest, CountsAndCredibilityAreRangeCheckedBeforeUse) {
  EXPECT_EQ(ReadCount("--seed", "18446744073709551615", UINT64_MAX), UINT64_MAX);
  EXPECT_THROW(ReadCount("--seed", "18446744073709551616", UINT64_MAX), EUsageError);
  EXPECT_THROW(ReadCount("--sample", "1001", 1000), EUsageError);
  EXPECT_THROW(ReadCount("--sample", "-1", 1000), EUsageError);
  EXPECT_THROW(ReadCount("--sample", "", 1000), EUsageError);
  EXPECT_EQ(ReadDrawFormat("f64"), TDrawFormat::Float64);
  EXPECT_EQ(ReadDrawFormat("npy"), TDrawFormat::NumPy);
  EXPECT_THROW(ReadDrawFormat("F64"), EUsageError);
  EXPECT_EQ(ReadCredibilityLevel("--credibility", "0"), 0);
  EXPECT_EQ(ReadCredibilityLevel("--credibility", "100"), 100);
  for (const char* text : {"-2147483648", "-1", "101", "150"}) {
    EXPECT_THROW(ReadCredibilityLevel("--credibility", text), EUsageError) << text;
  }
}

TEST(ReadListsTest, QuantileLevelsAndProbesKeepTheirTexts) {
  const auto levels = ReadQuantileLevels("1, 5,50 ,2.5,100");
  ASSERT_EQ(levels.size(), 5u);
  EXPECT_EQ(levels[1].Text, "5");
  EXPECT_EQ(levels[3].Percent, 2.5L);
  for (const char* text : {"", "1,,5", "-1", "100.5", "abc", "1e5000"})
    EXPECT_THROW(ReadQuantileLevels(text), EUsageError) << text;
  const auto probes = ReadProbePoints("6.5,1e3");
  ASSERT_EQ(probes.size(), 2u);
  EXPECT_EQ(probes[1].Text, "1e3");
  EXPECT_EQ(probes[1].Value, 1000);
  EXPECT_THROW(ReadProbePoints("6,5x"), EUsageError);
}

TFitRequest DefaultRequest() {
  TFitRequest request;
  request.Quantiles = ReadQuantileLevels("1,5,50,95,99,0,100");
  request.Probes = ReadProbePoints("6.5,7,10.5,0,1e9");
  return request;
}

TEST(FitRequestTest, QuantilesAndProbabilitiesAreThoseOfTheFittedDistribution) {
  for (const FitMode mode : {FitMode::PowerParameter, FitMode::ExtraQuantile}) {
    TFitRequest request = DefaultRequest();
    request.SetMode(mode);
    const TFitResult result = FitRequest(request);
    const TFitFigures& f = result.Outcome.Figures;
    const TwoSidedPower model(f.LowerBound, f.ModeValue, f.UpperBound, f.Power);
    ASSERT_EQ(result.Quantiles.size(), 7u);
    const Extended levels[] = {1, 5, 50, 95, 99, 0, 100};
    for (std::size_t i = 0; i < 7; ++i)
      EXPECT_EQ(result.Quantiles[i], Quantile(model, levels[i] / 100)) << levels[i];
    EXPECT_EQ(result.Quantiles[2], f.Median);
    EXPECT_EQ(result.Quantiles[5], f.LowerBound);
    const Extended points[] = {6.5L, 7, 10.5L, 0, 1e9L};
    for (std::size_t i = 0; i < 5; ++i)
      EXPECT_EQ(result.Probabilities[i], Cdf(model, points[i])) << points[i];
    EXPECT_NEAR(static_cast<double>(result.Probabilities[0]), 0.10, 1e-9);
    EXPECT_EQ(result.Probabilities[4], 1);

    const nlohmann::ordered_json json = FitJson(request, result);
    EXPECT_EQ(json["quantiles"]["50"].get<double>(), static_cast<double>(f.Median));
    EXPECT_EQ(json["probabilities"]["10.5"].get<double>(),
              static_cast<double>(result.Probabilities[2]));
    std::ostringstream table;
    WriteTable(table, request, result);
    EXPECT_THAT(table.str(), HasSubstr("\n  Quantile 95%"));
    EXPECT_THAT(table.str(), HasSubstr("\n  P(X <= 6.5)               0.10000000\n"));
  }
}

TEST(FitRequestTest, JsonRefusesFiguresADoubleCannotHold) {
  TFitRequest request;
  request.Type(NumberField::LowerQuantile, "1e-330");
  request.Type(NumberField::ModeValue, "2e-330");
  request.Type(NumberField::UpperQuantile, "3e-330");
  const TFitResult tiny = FitRequest(request);
  try {
    FitJson(request, tiny);
    FAIL() << "figures below the double range were written";
  } catch (const EFitError& e) {
    EXPECT_THAT(e.what(), HasSubstr("below 4.9e-324 in size but not zero"));
  }
  request.Type(NumberField::LowerQuantile, "1e309");
  request.Type(NumberField::ModeValue, "2e309");
  request.Type(NumberField::UpperQuantile, "3e309");
  EXPECT_THROW(FitJson(request, FitRequest(request)), EFitError);
  // A probability below the smallest double is written as 0.
  TFitRequest far;
  far.Type(NumberField::Power, "100");
  far.Probes = ReadProbePoints("-49.34");
  const TFitResult farFit = FitRequest(far);
  ASSERT_GT(farFit.Probabilities[0], 0);
  EXPECT_EQ(FitJson(far, farFit)["probabilities"]["-49.34"].get<double>(), 0);
  // A message with any bytes still makes valid JSON.
  EXPECT_EQ(JsonText(ErrorJson("\xff")), "{\"error\":\"\xEF\xBF\xBD\"}");
}

TEST(DrawGeneratorTest, FollowsTheWrittenGenerator) {
  // xoshiro256** seeded by splitmix64 from 1, worked out apart from this code.
  TDrawGenerator generator(1);
  EXPECT_EQ(generator.Next(), 0xb3f2af6d0fc710c5ULL);
  EXPECT_EQ(generator.Next(), 0x853b559647364ceaULL);
  EXPECT_EQ(generator.Next(), 0x92f89756082a4514ULL);
  EXPECT_EQ(OpenUnitInterval(0), 0x1p-54L);
  EXPECT_EQ(OpenUnitInterval(UINT64_MAX), 1 - 0x1p-54L);
  // (2k + 1) / 2^54 for the top 53 bits k: 54 significant bits, exact in extended.
  EXPECT_EQ(OpenUnitInterval(0xb3f2af6d0fc710c5ULL), 0x1.67e55eda1f8e2p-1L + 0x1p-54L);
  EXPECT_EQ(DrawText(0.1L), "1.0000000000000000e-01");
  EXPECT_EQ(DrawText(-7.814060099876630049L), "-7.8140600998766300e+00");
  EXPECT_EQ(DrawText(1e300L * 1e300L), "1.0000000000000000e+600");
}

TEST(DrawGeneratorTest, DrawsFollowTheFitAndRepeatWithTheSeed) {
  const TFitResult result = FitRequest(TFitRequest{});
  constexpr std::uint64_t kDraws = 100'000;
  std::ostringstream first;
  WriteSample(first, result.Model, kDraws, 42);
  std::ostringstream again;
  WriteSample(again, result.Model, kDraws, 42);
  EXPECT_EQ(first.str(), again.str());
  std::ostringstream other;
  WriteSample(other, result.Model, 10, 43);
  EXPECT_NE(first.str().substr(0, other.str().size()), other.str());

  std::vector<long double> draws;
  std::istringstream lines(first.str());
  for (std::string line; std::getline(lines, line);) {
    draws.push_back(std::stold(line));
  }
  ASSERT_EQ(draws.size(), kDraws);
  long double sum = 0;
  for (const long double x : draws)
    sum += x;
  const long double sd = StdDev(result.Model);
  // Four standard errors: a fault, not chance, lies beyond.
  EXPECT_NEAR(static_cast<double>(sum / kDraws), static_cast<double>(Mean(result.Model)),
              static_cast<double>(4 * sd / std::sqrt(static_cast<long double>(kDraws))));
  std::sort(draws.begin(), draws.end());
  long double ks = 0;
  for (std::size_t i = 0; i < draws.size(); ++i) {
    const long double f = Cdf(result.Model, draws[i]);
    ks = std::max({ks, f - static_cast<long double>(i) / kDraws,
                   static_cast<long double>(i + 1) / kDraws - f});
  }
  // The Kolmogorov-Smirnov statistic's 0.1 % critical value is 1.95 / sqrt(N).
  EXPECT_LT(ks, 1.95L / std::sqrt(static_cast<long double>(kDraws)));
}

// The draws as one Quantile of the model after another, up to the first that raises an error.
struct TReferenceDraws {
  std::vector<Extended> Values;
  bool Raised = false;
};

TReferenceDraws ReferenceDraws(const TwoSidedPower& model, std::uint64_t count,
                               std::uint64_t seed) {
  TReferenceDraws draws;
  TDrawGenerator generator(seed);
  try {
    for (std::uint64_t i = 0; i < count; ++i)
      draws.Values.push_back(Quantile(model, OpenUnitInterval(generator.Next())));
  } catch (const EMathError&) {
    draws.Raised = true;
  }
  return draws;
}

std::string Written(const TwoSidedPower& model, std::uint64_t count, TDrawFormat format) {
  std::ostringstream out;
  WriteSample(out, model, count, 42, format);
  return out.str();
}

bool SameBits(Extended a, Extended b) {
  // The 80 bits of the value; the padding of a long double is not part of it.
  return std::memcmp(&a, &b, 10) == 0;
}

TwoSidedPower Model(Extended a, Extended m, Extended b, Extended n1, Extended n2) {
  return TwoSidedPower(a, m, b, n1, n2);
}

TEST(DrawGeneratorTest, TheDrawsQuantileHasTheModelsBits) {
  struct TCase {
    const char* Name;
    TwoSidedPower Model;
    std::vector<Extended> Levels;
  };
  std::vector<TCase> cases = {
      {"default fit", FitRequest(TFitRequest{}).Model, {0, 1, -0.5L, 2, std::nanl("")}},
      {"antimode", Model(-3, -2.5L, 4, 0.4L, 0.4L), {0x1p-54L, 1 - 0x1p-54L}},
      {"uneven powers", Model(1e-300L, 2e-300L, 1e-299L, 3, 0.2L), {}},
      {"subnormal z", Model(0, 0.5L, 1, 0.005L, 1), {}},
      {"huge z", Model(0, 0x1p-101L, 0x1p-100L, 1, -0.0035L), {}},
  };
  // Exp's argument crosses -16381 / log2 e, where the draws' exponential hands over to Exp
  // itself and the values turn subnormal: u / pi near 2^-81.905 for a left power of 0.005;
  // and +16383 / log2 e, where it overflows: (1 - u) / (1 - pi) near 2^-57.34 for a right
  // power of -0.0035.
  for (int j = 0; j < 3000; ++j) {
    cases[3].Levels.push_back(0.995L * 0x1.1p-82L * (1 + j * 1e-5L));
    cases[4].Levels.push_back(1 - 1.0035L * 0x1p-57L * 0.7579L * (1 + j * 1e-4L));
  }
  for (TCase& c : cases) {
    const TwoSidedPower& d = c.Model;
    const Extended mu = (d.Mode() - d.Lower()) / (d.Upper() - d.Lower());
    const Extended pi = (mu * d.RightPower()) / ((1 - mu) * d.LeftPower() + mu * d.RightPower());
    Extended u = pi;
    for (int i = 0; i < 64; ++i) {
      c.Levels.push_back(u);
      u = std::nextafter(u, 1.0L);
    }
    TDrawGenerator generator(7);
    for (int i = 0; i < 20'000; ++i)
      c.Levels.push_back(OpenUnitInterval(generator.Next()));

    // Where the model raises an error, the draws' quantile leaves the flag for the test
    // that covers a block.
    const TDrawQuantile quantile(d);
    int raised = 0;
    int differing = 0;
    for (const Extended level : c.Levels) {
      std::optional<Extended> expected;
      try {
        expected = Quantile(d, level);
      } catch (const EMathError&) {
        ++raised;
      }
      // As a block of draws does, the test of the flags starts clean.
      fpu::ClearFlags();
      std::optional<Extended> value;
      try {
        value = Checked(quantile(level));
      } catch (const EMathError&) {
      }
      const bool same = expected && value ? SameBits(*value, *expected) : !expected && !value;
      if (!same && ++differing <= 3) {
        ADD_FAILURE() << c.Name << ": u = " << DrawText(level) << " gives "
                      << (value ? DrawText(*value) : "an error") << ", the model "
                      << (expected ? DrawText(*expected) : "an error");
      }
    }
    EXPECT_EQ(differing, 0) << c.Name;
    if (c.Name == std::string("huge z")) {
      EXPECT_GT(raised, 0) << "the levels do not reach the overflow";
    }
  }
}

TEST(DrawGeneratorTest, EveryFormatWritesTheModelsDrawsInTheirOrder) {
  const TwoSidedPower model = FitRequest(TFitRequest{}).Model;
  // Four blocks of the writing and part of a fifth.
  constexpr std::uint64_t kDraws = 4 * 65'536 + 1'000;
  const TReferenceDraws reference = ReferenceDraws(model, kDraws, 42);
  ASSERT_FALSE(reference.Raised);
  std::string text;
  std::string doubles;
  for (const Extended value : reference.Values) {
    text += DrawText(value) + "\n";
    const auto bits = std::bit_cast<std::uint64_t>(static_cast<double>(value));
    for (int i = 0; i < 8; ++i)
      doubles += static_cast<char>(bits >> (8 * i));
  }
  EXPECT_EQ(Written(model, kDraws, TDrawFormat::Text), text);
  EXPECT_EQ(Written(model, kDraws, TDrawFormat::Float64), doubles);
  EXPECT_EQ(Written(model, kDraws, TDrawFormat::NumPy), NumPyHeader(kDraws) + doubles);
  EXPECT_EQ(Written(model, 0, TDrawFormat::NumPy), NumPyHeader(0));
  // The dictionary is padded so that the data start at byte 128.
  EXPECT_EQ(NumPyHeader(3), std::string("\x93NUMPY\x01\x00\x76\x00", 10) +
                                "{'descr': '<f8', 'fortran_order': False, 'shape': (3,), }" +
                                std::string(60, ' ') + "\n");
}

TEST(DrawGeneratorTest, ADrawThatRaisesAnErrorEndsTheWritingWhereTheModelWould) {
  // A negative right power: Exp's argument overflows where 1 - u < 2^-16.4, once in some
  // 80,000 draws; the support is small enough for every other draw to fit a double.
  const TwoSidedPower model = Model(0, 0x1p-16001L, 0x1p-16000L, 1, -1e-3L);
  constexpr std::uint64_t kDraws = 400'000;
  const TReferenceDraws reference = ReferenceDraws(model, kDraws, 42);
  ASSERT_TRUE(reference.Raised);
  ASSERT_GT(reference.Values.size(), 65'536U) << "the error lies in the first block";
  std::string text;
  for (const Extended value : reference.Values)
    text += DrawText(value) + "\n";
  for (const TDrawFormat format : {TDrawFormat::Text, TDrawFormat::Float64}) {
    std::ostringstream out;
    EXPECT_THROW(WriteSample(out, model, kDraws, 42, format), EOverflow);
    EXPECT_EQ(out.str().size(),
              format == TDrawFormat::Text ? text.size() : 8 * reference.Values.size());
    if (format == TDrawFormat::Text) {
      EXPECT_EQ(out.str(), text);
    }
  }
  // A support beyond the doubles: the binary formats refuse it before writing anything.
  const TwoSidedPower huge = Model(0, 1e308L, 1e309L, 2, 2);
  for (const TDrawFormat format : {TDrawFormat::Float64, TDrawFormat::NumPy}) {
    std::ostringstream out;
    EXPECT_THROW(WriteSample(out, huge, 10, 1, format), EFitError);
    EXPECT_EQ(out.str(), "");
  }
  const std::string hugeText = Written(huge, 10, TDrawFormat::Text);
  EXPECT_EQ(std::count(hugeText.begin(), hugeText.end(), '\n'), 10);
}

}  // namespace
