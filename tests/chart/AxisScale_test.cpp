#include "AxisScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ValueFormat.h"

namespace {

std::vector<double> LabelValues(double min, double max, double step, bool roundFirst = true) {
  std::vector<double> out;
  ForEachLabelValue(min, max, step, roundFirst, [&](double v) {
    out.push_back(v);
    return true;
  });
  return out;
}

TEST(NextNiceStepTest, FollowsTheOneTwoFiveSequence) {
  const double from[] = {0.05, 0.1, 0.2, 0.5, 1, 2, 5, 7, 20, 3};
  const double to[] = {0.1, 0.2, 0.5, 1, 2, 5, 10, 10, 50, 5};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(NextNiceStep(from[i]), to[i]) << "after " << from[i];
  }
}

TEST(NextNiceStepTest, OddInputsReturnAtOnce) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(NextNiceStep(inf), inf);
  EXPECT_TRUE(std::isnan(NextNiceStep(std::nan(""))));
  EXPECT_EQ(NextNiceStep(0), MinimumStep);
  EXPECT_EQ(NextNiceStep(-3), MinimumStep);
  EXPECT_NEAR(NextNiceStep(5e307) / 1e308, 1.0, 1e-12);
  EXPECT_GT(NextNiceStep(5e-320), 0.0) << "subnormal steps still move up";
}

TEST(LabelCapacityTest, RoomIsTheLabelPlusItsSeparation) {
  EXPECT_EQ(LabelCapacity(240, 14, 10), 16);  // 240 / (14 + 1)
  EXPECT_EQ(LabelCapacity(240, 14, 0), 17);   // 240 / 14 = 17.14
  EXPECT_EQ(LabelCapacity(0, 14, 10), 0);
  EXPECT_EQ(LabelCapacity(240, 0, 10), 1);
}

TEST(LabelStepTest, IncrementIsCoarsenedUntilTheLabelsFit) {
  // -0.025 .. 1.025 with 0.05 needs 21 labels; 16 fit, so 0.1 (10.5 rounds to 10).
  EXPECT_EQ(LabelStep(1.05, 0.05, 16, 10), 0.1);
  EXPECT_EQ(LabelStep(1.05, 0.05, 16, 0), 0.05) << "no separation keeps the start value";
  EXPECT_EQ(LabelStep(1.05, 0, 16, 10), 1.0) << "a range of at least 1 starts at 1";
  EXPECT_EQ(LabelStep(0.5, 0, 16, 10), 0.05);
  EXPECT_EQ(LabelStep(1000, 0, 10, 10), 100);
  EXPECT_EQ(LabelStep(1.05, 0.05, 0, 10), MinimumStep);
  EXPECT_EQ(LabelStep(0, 0, 16, 10), MinimumStep);
}

TEST(LabelStepTest, HugeAndNonFiniteRangesEndTheLoop) {
  EXPECT_NEAR(LabelStep(1e300, 0, 16, 10) / 1e299, 1.0, 1e-12);
  const double inf = std::numeric_limits<double>::infinity();
  const double step = LabelStep(inf, 0, 16, 10);
  EXPECT_FALSE(std::isfinite(step));
  EXPECT_GE(LabelStep(std::nan(""), 0, 16, 10), MinimumStep);
}

TEST(LabelValuesTest, FixedDistributionAxisGivesElevenLabelsFromOneDown) {
  const std::vector<double> values = LabelValues(-0.025, 1.025, 0.1);
  ASSERT_EQ(values.size(), 11u);
  EXPECT_EQ(values.front(), 1.0);
  EXPECT_GT(values.back(), 0.0) << "a tiny positive remainder";
  EXPECT_LT(values.back(), 1e-15);
  const char* texts[] = {"1", "0.9", "0.8", "0.7", "0.6", "0.5", "0.4", "0.3", "0.2", "0.1", "0"};
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(FormatFloat("#,##0.###", values[i]), texts[i]) << "label " << i;
  }
}

TEST(LabelValuesTest, FirstLabel) {
  EXPECT_EQ(LabelValues(-0.025, 1.025, 0.1, false).front(), 1.025);
  EXPECT_EQ(LabelValues(0.3, 7.5, 2).front(), 6.0);
  EXPECT_EQ(LabelValues(-7.5, -0.3, 2).front(), -2.0) << "whole multiple towards zero";
  EXPECT_EQ(LabelValues(-7.5, -0.3, 2).back(), -6.0);
}

TEST(LabelValuesTest, ZeroRangeAtZeroGivesOneLabel) {
  EXPECT_EQ(LabelValues(0, 0, MinimumStep), (std::vector<double>{0}));
}

TEST(LabelValuesTest, LoopsEndWhereSubtractionStopsOrTheRangeIsTooFine) {
  // At 1e6 subtracting 1e-12 no longer changes the value.
  EXPECT_EQ(LabelValues(1e6, 1e6, MinimumStep).size(), 1u);
  // At 1e4 every subtraction moves by one unit in the last place: bounded all the same.
  EXPECT_LE(LabelValues(1e4, 1e4, MinimumStep).size(), static_cast<std::size_t>(MaxLabelSteps) + 2);
  EXPECT_TRUE(LabelValues(0, 1, 1e-4).empty()) << "10000 steps draw no labels";
  const std::size_t fine = LabelValues(0, 1, 1.0001e-4).size();
  EXPECT_GE(fine, 9999u);
  EXPECT_LE(fine, 10001u);
  EXPECT_TRUE(LabelValues(0, 1, 0).empty());
  EXPECT_TRUE(LabelValues(std::nan(""), 1, 0.1).empty());
}

TEST(LabelValuesTest, VisitorCanStopTheLoop) {
  int seen = 0;
  ForEachLabelValue(0, 10, 1, true, [&](double) { return ++seen < 3; });
  EXPECT_EQ(seen, 3);
}

}  // namespace
