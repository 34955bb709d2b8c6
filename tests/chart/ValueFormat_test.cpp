#include "ValueFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include <cmath>
#include <limits>

namespace {

struct Case {
  double value;
  const char* text;
};

TEST(FormatFloatTest, AxisPictureRoundsToThreeDecimalsAndDropsTrailingZeros) {
  const Case cases[] = {
      {1.0, "1"},
      {0.9, "0.9"},
      {1.025, "1.025"},
      {0.05, "0.05"},
      {-2.5, "-2.5"},
      {12000.5, "12,000.5"},
      {1234567, "1,234,567"},
      {1.23456, "1.235"},
      {1e-4, "0"},
      {-1e-4, "0"},
      {2.7755575615628914e-17, "0"},
      {999.9999, "1,000"},
      {0.0, "0"},
      {-1000, "-1,000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFloat("#,##0.###", c.value), c.text) << "value " << c.value;
  }
}

TEST(FormatFloatTest, ValuesThatAreNotFiniteOrHugeStayShort) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FormatFloat("#,##0.###", std::nan("")), "NAN");
  EXPECT_EQ(FormatFloat("#,##0.###", inf), "INF");
  EXPECT_EQ(FormatFloat("#,##0.###", -inf), "-INF");
  EXPECT_EQ(FormatFloat("#,##0.###", 1e300), "1E300");
  EXPECT_EQ(FormatFloat("#,##0.###", -2.5e20), "-2.5E20");
}

TEST(FormatFloatTest, OtherPictures) {
  EXPECT_EQ(FormatFloat("##0.## %", 12.5), "12.5 %");
  EXPECT_EQ(FormatFloat("0.00", 0.5), "0.50");
  EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
  EXPECT_EQ(FormatFloat("000", 7), "007");
}

TEST(FormatFloatTest, IgnoresTheProcessLocale) {
  // A program's locale (Qt takes it from the environment) may write a decimal comma.
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) {
    GTEST_SKIP() << "no locale with a decimal comma installed";
  }
  EXPECT_EQ(FormatFloat("#,##0.###", 20.5), "20.5");
  EXPECT_EQ(FormatForStep("#,##0.###", 1.5e-7, 5e-8, 9e-7), "1.5E-7");
  EXPECT_EQ(FormatReadable("#,##0.###", 0.0001234), "0.0001234");
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(FormatFloatTest, SeparatorsFollowTheSettings) {
  TFormatSettings& fs = ChartFormatSettings();
  const TFormatSettings saved = fs;
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  EXPECT_EQ(FormatFloat("#,##0.###", 12000.5), "12.000,5");
  fs = saved;
}

}  // namespace
