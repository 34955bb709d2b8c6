#include "TwoSidedPower.h"

#include <gtest/gtest.h>

#include "FakeJudgements.h"

namespace {

TwoSidedPower Model(long double a, long double m, long double b, long double n1, long double n2) {
  return TwoSidedPower(a, m, b, n1, n2);
}

// The default fit of the input window.
TwoSidedPower DefaultFit() {
  return Model(2.687209043L, 7, 20.89052535L, 7, 7);
}

TEST(TwoSidedPowerTest, SupportEndsAndOutside) {
  for (const TwoSidedPower& d :
       {DefaultFit(), Model(0, 3, 10, 0.5L, 0.5L), Model(0, 3, 10, 1, 1)}) {
    EXPECT_EQ(Pdf(d, d.Lower()), 0) << "n = " << d.LeftPower();
    EXPECT_EQ(Pdf(d, d.Upper()), 0) << "n = " << d.LeftPower();
    EXPECT_EQ(Cdf(d, d.Lower()), 0);
    EXPECT_EQ(Cdf(d, d.Upper()), 1);
    EXPECT_EQ(Cdf(d, d.Lower() - 1e6L), 0);
    EXPECT_EQ(Cdf(d, d.Upper() + 1e-6L), 1);
    EXPECT_EQ(Pdf(d, d.Upper() + 5), 0);
  }
}

TEST(TwoSidedPowerTest, ModeTakesTheLeftBranch) {
  const TwoSidedPower d = Model(0, 3, 10, 2, 4);
  const long double mu = 0.3L;
  const long double pi = (mu * 4) / ((1 - mu) * 2 + mu * 4);
  EXPECT_EQ(Cdf(d, 3), pi) << "Cdf(m) is exactly the mode probability";
  EXPECT_EQ(ModeProbability(d), pi);
  EXPECT_TRUE(TenDigits(Pdf(d, 3), ((pi / mu) * 2) / 10));
}

TEST(TwoSidedPowerTest, QuantileEndsAreExact) {
  const TwoSidedPower d = DefaultFit();
  EXPECT_EQ(Quantile(d, 0), d.Lower());
  EXPECT_EQ(Quantile(d, -0.25L), d.Lower());
  EXPECT_EQ(Quantile(d, 1.25L), d.Lower());
  EXPECT_EQ(Quantile(d, 1), (d.Upper() - d.Lower()) + d.Lower());
  EXPECT_NEAR(static_cast<double>(Quantile(d, Cdf(d, 7))), 7.0, 1e-15);
}

TEST(TwoSidedPowerTest, EqualPowersOfOneAreUniform) {
  const TwoSidedPower d = Model(6, 7, 11, 1, 1);
  for (long double x : {6.5L, 7.0L, 8.25L, 10.9L}) {
    EXPECT_NEAR(static_cast<double>(Pdf(d, x)), 0.2, 1e-18) << "x = " << static_cast<double>(x);
    EXPECT_NEAR(static_cast<double>(Cdf(d, x)), static_cast<double>((x - 6) / 5), 1e-18);
  }
}

TEST(TwoSidedPowerTest, PowersBelowOneMakeAnAntiMode) {
  const TwoSidedPower d = Model(0, 3, 10, 0.5L, 0.5L);
  EXPECT_TRUE(TenDigits(Pdf(d, 3), 0.05L));
  EXPECT_TRUE(TenDigits(Pdf(d, 1), 0.08660254038L));
  EXPECT_TRUE(TenDigits(Cdf(d, 1), 0.1732050808L));
  EXPECT_TRUE(TenDigits(Mean(d), 5.666666667L));
  EXPECT_TRUE(TenDigits(StdDev(d), 3.552776692L));
  EXPECT_GT(Pdf(d, 1), Pdf(d, 3));
  EXPECT_GT(Pdf(d, 9), Pdf(d, 3));
}

TEST(TwoSidedPowerTest, UnequalPowers) {
  const TwoSidedPower d = Model(0, 3, 10, 2, 4);
  EXPECT_TRUE(TenDigits(Pdf(d, 3), 4.0L / 13));
  EXPECT_TRUE(TenDigits(Cdf(d, 3), 6.0L / 13));
  EXPECT_TRUE(TenDigits(Cdf(d, 1.5L), 3.0L / 26));
  EXPECT_TRUE(TenDigits(Cdf(d, 6), 0.9425880242L));
  EXPECT_TRUE(TenDigits(Quantile(d, 0.5L), 3.128494963L));
  EXPECT_TRUE(TenDigits(Mean(d), 214.0L / 65));
  EXPECT_TRUE(TenDigits(StdDev(d), 1.538128169L));
}

TEST(TwoSidedPowerTest, DefaultFitFigures) {
  const TwoSidedPower d = DefaultFit();
  EXPECT_TRUE(TenDigits(Pdf(d, 7), 0.3845453148L));
  EXPECT_TRUE(TenDigits(Cdf(d, 6.5L), 0.09999999999L));
  EXPECT_TRUE(TenDigits(Cdf(d, 10.5L), 0.9000000000L));
  EXPECT_TRUE(TenDigits(Quantile(d, 0.5L), 7.814060100L));
  EXPECT_TRUE(TenDigits(Mean(d), 8.197216799L));
  EXPECT_TRUE(TenDigits(StdDev(d), 1.667000949L));
}

TEST(TwoSidedPowerTest, RoundTripsQuantileThroughCdf) {
  const TwoSidedPower d = Model(0, 3, 10, 2, 4);
  for (int i = 1; i < 100; ++i) {
    const long double u = i / 100.0L;
    EXPECT_NEAR(static_cast<double>(Cdf(d, Quantile(d, u))), static_cast<double>(u), 1e-17)
        << "u = " << i << " %";
  }
}

TEST(TwoSidedPowerTest, DegenerateSupportRaises) {
  const TwoSidedPower d = Model(5, 6, 5, 2, 2);
  EXPECT_THROW(Pdf(d, 6), EZeroDivide);
  EXPECT_THROW(Cdf(d, 6), EZeroDivide);
  EXPECT_THROW(Quantile(d, 0.5L), EZeroDivide);
  EXPECT_THROW(Mean(d), EZeroDivide);
  EXPECT_THROW(Mean(Model(5, 5, 5, 2, 2)), EInvalidOp) << "0/0 for the standardized mode";
  // The error leaves the functions usable for the next command.
  EXPECT_EQ(Mean(Model(5, 5.5L, 6, 2, 2)), 5.5L);
}

TEST(TwoSidedPowerTest, StdDevNeedsThePositiveStandardizedMode) {
  const TwoSidedPower d = Model(0, 0, 10, 2, 2);
  EXPECT_THROW(StdDev(d), EZeroDivide) << "ln of a zero standardized mode";
}

}  // namespace
