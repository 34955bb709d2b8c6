#include "GTSPUnit.h"

#include <gtest/gtest.h>

#include "FakeJudgements.h"

namespace {

TGTSPForm Model(long double a, long double m, long double b, long double n1, long double n2) {
  TGTSPForm d;
  d.LowerBound = a;
  d.ModeValue = m;
  d.UpperBound = b;
  d.LeftPower = n1;
  d.RightPower = n2;
  return d;
}

// The default fit of the input window.
TGTSPForm DefaultFit() {
  return Model(2.687209043L, 7, 20.89052535L, 7, 7);
}

TEST(GTSPFormTest, SupportEndsAndOutside) {
  for (const TGTSPForm& d : {DefaultFit(), Model(0, 3, 10, 0.5L, 0.5L), Model(0, 3, 10, 1, 1)}) {
    EXPECT_EQ(d.Pdf(d.LowerBound), 0) << "n = " << d.LeftPower;
    EXPECT_EQ(d.Pdf(d.UpperBound), 0) << "n = " << d.LeftPower;
    EXPECT_EQ(d.Cdf(d.LowerBound), 0);
    EXPECT_EQ(d.Cdf(d.UpperBound), 1);
    EXPECT_EQ(d.Cdf(d.LowerBound - 1e6L), 0);
    EXPECT_EQ(d.Cdf(d.UpperBound + 1e-6L), 1);
    EXPECT_EQ(d.Pdf(d.UpperBound + 5), 0);
  }
}

TEST(GTSPFormTest, ModeTakesTheLeftBranch) {
  const TGTSPForm d = Model(0, 3, 10, 2, 4);
  const long double mu = 0.3L;
  const long double pi = (mu * 4) / ((1 - mu) * 2 + mu * 4);
  EXPECT_EQ(d.Cdf(3), pi) << "Cdf(m) is exactly the mode probability";
  EXPECT_TRUE(TenDigits(d.Pdf(3), ((pi / mu) * 2) / 10));
}

TEST(GTSPFormTest, QuantileEndsAreExact) {
  const TGTSPForm d = DefaultFit();
  EXPECT_EQ(d.Quantile(0), d.LowerBound);
  EXPECT_EQ(d.Quantile(-0.25L), d.LowerBound);
  EXPECT_EQ(d.Quantile(1.25L), d.LowerBound);
  EXPECT_EQ(d.Quantile(1), (d.UpperBound - d.LowerBound) + d.LowerBound);
  EXPECT_NEAR(static_cast<double>(d.Quantile(d.Cdf(7))), 7.0, 1e-15);
}

TEST(GTSPFormTest, EqualPowersOfOneAreUniform) {
  const TGTSPForm d = Model(6, 7, 11, 1, 1);
  for (long double x : {6.5L, 7.0L, 8.25L, 10.9L}) {
    EXPECT_NEAR(static_cast<double>(d.Pdf(x)), 0.2, 1e-18) << "x = " << static_cast<double>(x);
    EXPECT_NEAR(static_cast<double>(d.Cdf(x)), static_cast<double>((x - 6) / 5), 1e-18);
  }
}

TEST(GTSPFormTest, PowersBelowOneMakeAnAntiMode) {
  const TGTSPForm d = Model(0, 3, 10, 0.5L, 0.5L);
  EXPECT_TRUE(TenDigits(d.Pdf(3), 0.05L));
  EXPECT_TRUE(TenDigits(d.Pdf(1), 0.08660254038L));
  EXPECT_TRUE(TenDigits(d.Cdf(1), 0.1732050808L));
  EXPECT_TRUE(TenDigits(d.Mean(), 5.666666667L));
  EXPECT_TRUE(TenDigits(d.StdDev(), 3.552776692L));
  EXPECT_GT(d.Pdf(1), d.Pdf(3));
  EXPECT_GT(d.Pdf(9), d.Pdf(3));
}

TEST(GTSPFormTest, UnequalPowers) {
  const TGTSPForm d = Model(0, 3, 10, 2, 4);
  EXPECT_TRUE(TenDigits(d.Pdf(3), 4.0L / 13));
  EXPECT_TRUE(TenDigits(d.Cdf(3), 6.0L / 13));
  EXPECT_TRUE(TenDigits(d.Cdf(1.5L), 3.0L / 26));
  EXPECT_TRUE(TenDigits(d.Cdf(6), 0.9425880242L));
  EXPECT_TRUE(TenDigits(d.Quantile(0.5L), 3.128494963L));
  EXPECT_TRUE(TenDigits(d.Mean(), 214.0L / 65));
  EXPECT_TRUE(TenDigits(d.StdDev(), 1.538128169L));
}

TEST(GTSPFormTest, DefaultFitFigures) {
  const TGTSPForm d = DefaultFit();
  EXPECT_TRUE(TenDigits(d.Pdf(7), 0.3845453148L));
  EXPECT_TRUE(TenDigits(d.Cdf(6.5L), 0.09999999999L));
  EXPECT_TRUE(TenDigits(d.Cdf(10.5L), 0.9000000000L));
  EXPECT_TRUE(TenDigits(d.Quantile(0.5L), 7.814060100L));
  EXPECT_TRUE(TenDigits(d.Mean(), 8.197216799L));
  EXPECT_TRUE(TenDigits(d.StdDev(), 1.667000949L));
}

TEST(GTSPFormTest, RoundTripsQuantileThroughCdf) {
  const TGTSPForm d = Model(0, 3, 10, 2, 4);
  for (int i = 1; i < 100; ++i) {
    const long double u = i / 100.0L;
    EXPECT_NEAR(static_cast<double>(d.Cdf(d.Quantile(u))), static_cast<double>(u), 1e-17)
        << "u = " << i << " %";
  }
}

TEST(GTSPFormTest, DegenerateSupportRaisesAndKeepsFields) {
  TGTSPForm d = Model(5, 6, 5, 2, 2);
  EXPECT_THROW(d.Pdf(6), EZeroDivide);
  EXPECT_THROW(d.Cdf(6), EZeroDivide);
  EXPECT_THROW(d.Quantile(0.5L), EZeroDivide);
  EXPECT_THROW(d.Mean(), EZeroDivide);
  d.ModeValue = 5;
  EXPECT_THROW(d.Mean(), EInvalidOp) << "0/0 for the standardized mode";
  EXPECT_EQ(d.LowerBound, 5);
  EXPECT_EQ(d.UpperBound, 5);
  // The error leaves the unit usable for the next command.
  d.UpperBound = 6;
  d.ModeValue = 5.5L;
  EXPECT_EQ(d.Mean(), 5.5L);
}

TEST(GTSPFormTest, StdDevNeedsThePositiveStandardizedMode) {
  const TGTSPForm d = Model(0, 0, 10, 2, 2);
  EXPECT_THROW(d.StdDev(), EZeroDivide) << "ln of a zero standardized mode";
}

}  // namespace
