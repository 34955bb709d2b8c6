#include <gtest/gtest.h>

#include "AnalysisUnit.h"
#include "FakeJudgements.h"

namespace {

// Reads the judgements in additional-quantile mode and computes the feasibility bounds in
// the order the plot command does.
void FeasibilityBounds(Elicitation& e) {
  e.window.mode = 1;
  e.record.ReadInputs();
  e.record.ModeProbabilityLimit = e.record.LimitModeProbability();
  e.record.UniformBounds();
  e.record.UniformExtraQuantile = e.record.UniformQuantile();
  e.record.LimitExtraQuantile = e.record.LimitQuantile();
}

long double CdfAtExtraQuantile(const Elicitation& e) {
  return e.model.Cdf(e.record.ExtraQuantile);
}

TEST(FeasibilityLimitsTest, DefaultJudgements) {
  Elicitation e;
  e.record.ReadInputs();
  EXPECT_TRUE(TenDigits(e.record.LimitModeMap(0.5L), 0.125L));
  FeasibilityBounds(e);
  EXPECT_TRUE(TenDigits(e.record.ModeProbabilityLimit, 0.2443538641L));
  EXPECT_NEAR(static_cast<double>(e.record.UniformLowerBound), 6, 1e-17);
  EXPECT_NEAR(static_cast<double>(e.record.UniformUpperBound), 11, 1e-17);
  EXPECT_NEAR(static_cast<double>(e.record.UniformExtraQuantile), 10, 1e-17);
  EXPECT_TRUE(TenDigits(e.record.LimitExtraQuantile, 9.300429428L));
}

TEST(FeasibilityLimitsTest, LevelAtTheLimitTakesTheLowerFormulaAndGivesTheMode) {
  Elicitation e;
  FeasibilityBounds(e);
  e.record.ExtraLevel = e.record.ModeProbabilityLimit;
  EXPECT_NEAR(static_cast<double>(e.record.LimitQuantile()), 7, 1e-17);
}

TEST(FeasibilityLimitsTest, LevelsAtTheEndsFail) {
  Elicitation e;
  e.window.Level(TLevelField::Lower) = 0;
  e.record.ReadInputs();
  EXPECT_THROW(e.record.LimitModeProbability(), EZeroDivide);
  e.window.Level(TLevelField::Lower) = 90;
  e.record.ReadInputs();
  EXPECT_THROW(e.record.UniformBounds(), EZeroDivide);
}

TEST(FeasibilityLimitsTest, LevelEqualToPOrRClosesTheInterval) {
  Elicitation e;
  e.window.Level(TLevelField::Extra) = 10;
  FeasibilityBounds(e);
  EXPECT_NEAR(static_cast<double>(e.record.UniformExtraQuantile), 6.5, 1e-15);
  EXPECT_NEAR(static_cast<double>(e.record.LimitExtraQuantile), 6.5, 1e-15);
}

TEST(FeasibilityLimitsTest, MisplacedModeEndsWithAMessage) {
  Elicitation e;
  e.window.Type(TNumberField::ModeValue, "12");
  e.record.ReadInputs();
  EXPECT_THROW(e.record.LimitModeProbability(), EFitError);
}

TEST(PowerSearchTest, DefaultBracketAndBisection) {
  Elicitation e;
  FeasibilityBounds(e);
  EXPECT_EQ(e.record.BracketPowerUp(), 9);
  EXPECT_EQ(e.record.PowerLow, 0.01L * 256) << "0.01 doubled 8 times, in extended";
  EXPECT_EQ(e.record.PowerHigh, 0.01L * 512);
  EXPECT_EQ(e.record.Power, e.record.PowerHigh);
  e.record.BisectPowerUp();
  EXPECT_TRUE(TenDigits(e.record.Power, 2.782061481L));
  EXPECT_TRUE(TenDigits(e.record.LowerBound, 5.034288470L));
  EXPECT_TRUE(TenDigits(e.record.UpperBound, 13.72162898L));
  EXPECT_TRUE(TenDigits(e.record.ModeProbability, 0.2262731071L));
  EXPECT_LE(std::fabs(CdfAtExtraQuantile(e) - 0.8L), 1e-10L);
  EXPECT_EQ(e.model.LeftPower, e.record.Power) << "the model holds the last trial";
}

TEST(PowerSearchTest, CdfOnEitherSideOfTheBracket) {
  Elicitation e;
  FeasibilityBounds(e);
  e.record.Power = 0.01L * 256;
  e.record.SolveBounds();
  e.record.CopyFitToModel();
  EXPECT_NEAR(static_cast<double>(CdfAtExtraQuantile(e)), 0.7968, 5e-5);
  e.record.Power = 0.01L * 512;
  e.record.SolveBounds();
  e.record.CopyFitToModel();
  EXPECT_NEAR(static_cast<double>(CdfAtExtraQuantile(e)), 0.8154, 5e-5);
}

TEST(PowerSearchTest, SearchPowerReproducesThePairsResultBitForBit) {
  Elicitation pair;
  FeasibilityBounds(pair);
  pair.record.BracketPowerUp();
  pair.record.BisectPowerUp();
  Elicitation search;
  FeasibilityBounds(search);
  search.record.SearchPower();
  EXPECT_EQ(search.record.Power, pair.record.Power);
  EXPECT_EQ(search.record.LowerBound, pair.record.LowerBound);
  EXPECT_EQ(search.record.UpperBound, pair.record.UpperBound);
}

TEST(PowerSearchTest, BelowTheModeUsesTheDownPair) {
  Elicitation e;
  e.window.Type(TNumberField::ModeValue, "9");
  e.window.Type(TNumberField::ExtraQuantile, "8");
  e.window.Level(TLevelField::Extra) = 30;
  FeasibilityBounds(e);
  const long double lo = std::min(e.record.UniformExtraQuantile, e.record.LimitExtraQuantile);
  const long double hi = std::max(e.record.UniformExtraQuantile, e.record.LimitExtraQuantile);
  ASSERT_LT(lo, 8);
  ASSERT_GT(hi, 8);
  e.record.SearchPower();
  EXPECT_LE(std::fabs(CdfAtExtraQuantile(e) - 0.3L), 1e-10L);
  EXPECT_GT(e.record.Power, 0);
}

TEST(PowerSearchTest, NoDoublingFollowsFInTheDirectionItMoves) {
  // x_s below m, inside the feasibility bounds, but F(x_s) at n = 0.01 is already below s:
  // the Down pair's bracket makes no doubling.
  Elicitation e;
  e.window.Type(TNumberField::ModeValue, "7.2");
  e.window.Type(TNumberField::ExtraQuantile, "6.98");
  e.window.Level(TLevelField::Extra) = 20;
  FeasibilityBounds(e);
  ASSERT_LT(e.record.LimitExtraQuantile, 6.98L);
  ASSERT_GT(e.record.UniformExtraQuantile, 6.98L);
  ASSERT_EQ(e.record.BracketPowerDown(), 0);

  // Stale ends of an earlier search must play no part.
  e.record.PowerLow = 0;
  e.record.PowerHigh = 0;
  e.record.SearchPower();
  EXPECT_LE(std::fabs(CdfAtExtraQuantile(e) - 0.2L), 1e-10L);
  EXPECT_GT(e.record.Power, 1);
  EXPECT_LT(e.record.Power, 2);
}

TEST(PowerSearchTest, NoPowerParameterIsReportedInWords) {
  // m above the midpoint and x_s above m, outside the feasibility bounds: F(x_s) stays
  // above s for every power.
  Elicitation e;
  e.window.Type(TNumberField::ModeValue, "9");
  e.window.Type(TNumberField::ExtraQuantile, "9.5");
  e.window.Level(TLevelField::Extra) = 50;
  FeasibilityBounds(e);
  try {
    e.record.SearchPower();
    FAIL() << "found n = " << e.record.Power;
  } catch (const EFitError& error) {
    EXPECT_NE(std::string(error.what()).find("No power parameter"), std::string::npos)
        << error.what();
  }
}

TEST(PowerSearchTest, QuantileBeyondEveryFitEndsWithAMessage) {
  Elicitation e;
  e.window.Type(TNumberField::ExtraQuantile, "40");
  FeasibilityBounds(e);
  try {
    e.record.SearchPower();
    FAIL() << "found n = " << e.record.Power;
  } catch (const EFitError& error) {
    EXPECT_NE(std::string(error.what()).find("feasibility bounds"), std::string::npos);
  }
}

}  // namespace
