#include "AnalysisUnit.h"

#include <gtest/gtest.h>

#include "FakeJudgements.h"
#include "FitCheck.h"

namespace {

// In every fit the distribution gives back the elicited levels.
void ExpectQuantilesMet(const TAnalysisForm& record) {
  TGTSPForm fit;
  fit.LoadFit(record.LowerBound, record.UpperBound, record.ModeValue, record.Power);
  EXPECT_NEAR(static_cast<double>(fit.Cdf(record.LowerQuantile)),
              static_cast<double>(record.LowerLevel), 1e-9);
  EXPECT_NEAR(static_cast<double>(fit.Cdf(record.UpperQuantile)),
              static_cast<double>(record.UpperLevel), 1e-9);
}

TEST(ReadInputsTest, ReadsTheWindowsInitialJudgements) {
  Elicitation e;
  e.record.ReadInputs();
  EXPECT_EQ(e.record.LowerQuantile, 6.5L);
  EXPECT_EQ(e.record.LowerLevel, 0.1L) << "10 / 100 in one rounded division";
  EXPECT_EQ(e.record.ModeValue, 7);
  EXPECT_EQ(e.record.UpperQuantile, 10.5L);
  EXPECT_EQ(e.record.UpperLevel, 0.9L);
  EXPECT_EQ(e.record.Power, 7);
  EXPECT_EQ(e.record.ExtraQuantile, 0) << "the other mode's judgements are not read";
  EXPECT_EQ(e.record.ExtraLevel, 0);
}

TEST(ReadInputsTest, AdditionalQuantileModeLeavesThePowerAlone) {
  Elicitation e;
  e.record.Power = 3;
  e.window.mode = 1;
  e.record.ReadInputs();
  EXPECT_EQ(e.record.Power, 3);
  EXPECT_EQ(e.record.ExtraQuantile, 9.588495255L);
  EXPECT_EQ(e.record.ExtraLevel, 0.8L);
}

TEST(ReadInputsTest, RefusedTextChangesNothing) {
  Elicitation e;
  e.record.ReadInputs();
  e.window.Type(TNumberField::LowerQuantile, "5");
  e.window.Level(TLevelField::Lower) = 20;
  e.window.Type(TNumberField::UpperQuantile, "10,5");
  try {
    e.record.ReadInputs();
    FAIL() << "10,5 was accepted";
  } catch (const EInputError& error) {
    EXPECT_NE(std::string(error.what()).find("Upper Quantile (b_r)"), std::string::npos);
  }
  EXPECT_EQ(e.record.LowerQuantile, 6.5L);
  EXPECT_EQ(e.record.LowerLevel, 0.1L);
  EXPECT_EQ(e.record.UpperQuantile, 10.5L);
}

TEST(ReadInputsTest, ValuesOutsideTheSpinRangesAreReadAsGiven) {
  Elicitation e;
  e.window.Level(TLevelField::Lower) = 85;
  e.window.Level(TLevelField::Upper) = -3;
  e.record.ReadInputs();
  EXPECT_EQ(e.record.LowerLevel, 0.85L);
  EXPECT_EQ(e.record.UpperLevel, -0.03L);
}

TEST(ReadInputsTest, NeedsAnInputWindow) {
  TGTSPForm model;
  TAnalysisForm record(model);
  EXPECT_THROW(record.ReadInputs(), std::logic_error);
}

TEST(SolveBoundsTest, DefaultJudgements) {
  Elicitation e;
  e.FitPower();
  EXPECT_EQ(e.record.LastHalvings(), 32);
  EXPECT_TRUE(TenDigits(e.record.ModeProbability, 0.2369233652L));
  EXPECT_TRUE(TenDigits(e.record.LowerBound, 2.687209043L));
  EXPECT_TRUE(TenDigits(e.record.UpperBound, 20.89052535L));
  EXPECT_LE(std::fabs(e.record.ModeFraction - e.record.ModeProbability), 1e-10L);
  ExpectQuantilesMet(e.record);
}

TEST(SolveBoundsTest, DefaultFitIsBitForBit) {
  if (!kExactPrimitives)
    GTEST_SKIP() << "no x87 unit: the primitives are the library's";
  Elicitation e;
  e.FitPower();
  EXPECT_EQ(e.record.ModeProbability, 0xf.29c09e4ccccccccp-6L);
  EXPECT_EQ(e.record.LowerBound, 0xa.bfb3ba319416428p-2L);
  EXPECT_EQ(e.record.UpperBound, 0xa.71fcbc187860d38p+1L);
}

TEST(SolveBoundsTest, PowerOneIsTheUniformFit) {
  Elicitation e;
  e.window.Type(TNumberField::Power, "1");
  e.FitPower();
  EXPECT_EQ(e.record.LastHalvings(), 2);
  EXPECT_NEAR(static_cast<double>(e.record.ModeProbability), 0.2, 1e-18);
  EXPECT_NEAR(static_cast<double>(e.record.LowerBound), 6, 1e-17);
  EXPECT_NEAR(static_cast<double>(e.record.UpperBound), 11, 1e-17);
}

TEST(SolveBoundsTest, PowerBelowOne) {
  Elicitation e;
  e.window.Type(TNumberField::Power, "0.5");
  e.FitPower();
  EXPECT_TRUE(TenDigits(e.record.ModeProbability, 0.1738249899L));
  EXPECT_TRUE(TenDigits(e.record.LowerBound, 6.252660472L));
  EXPECT_TRUE(TenDigits(e.record.UpperBound, 10.55203957L));
  ExpectQuantilesMet(e.record);
}

TEST(SolveBoundsTest, LevelsAtTheEnds) {
  Elicitation e;
  e.window.Level(TLevelField::Lower) = 0;
  e.FitPower();
  EXPECT_EQ(e.record.LowerBound, 6.5L) << "p = 0 puts a at a_p exactly";
  EXPECT_TRUE(TenDigits(e.record.ModeProbability, 0.03797562006L));
  EXPECT_TRUE(TenDigits(e.record.UpperBound, 19.66634194L));
  ExpectQuantilesMet(e.record);

  e.window.Level(TLevelField::Lower) = 10;
  e.window.Level(TLevelField::Upper) = 100;
  e.FitPower();
  EXPECT_EQ(e.record.UpperBound, 10.5L) << "r = 1 puts b at b_r exactly";
  EXPECT_TRUE(TenDigits(e.record.ModeProbability, 0.4312238296L));
  EXPECT_TRUE(TenDigits(e.record.LowerBound, 4.346436996L));
  ExpectQuantilesMet(e.record);

  for (const char* n : {"7", "0.3", "40"}) {
    e.window.Level(TLevelField::Lower) = 0;
    e.window.Type(TNumberField::Power, n);
    e.FitPower();
    EXPECT_EQ(e.record.LowerBound, 6.5L);
    EXPECT_EQ(e.record.UpperBound, 10.5L);
    EXPECT_EQ(e.record.ModeProbability, 0.125L) << "n = " << n;
    EXPECT_EQ(e.record.LastHalvings(), 2);
  }
}

TEST(SolveBoundsTest, EqualLevelsFailAtTheDivisionAndKeepTheBounds) {
  Elicitation e;
  e.FitPower();
  const long double a = e.record.LowerBound;
  const long double b = e.record.UpperBound;
  e.window.Level(TLevelField::Lower) = 80;
  e.window.Level(TLevelField::Upper) = 80;
  e.record.ReadInputs();
  EXPECT_THROW(e.record.SolveBounds(), EZeroDivide);
  EXPECT_EQ(e.record.ModeProbability, 0.8L);
  EXPECT_EQ(e.record.LowerRatio, 1);
  EXPECT_EQ(e.record.LowerBound, a);
  EXPECT_EQ(e.record.UpperBound, b);
}

TEST(SolveBoundsTest, ZeroPowerFailsAfterStoringTheModeProbability) {
  Elicitation e;
  e.window.Type(TNumberField::Power, "0");
  e.record.ReadInputs();
  EXPECT_THROW(e.record.SolveBounds(), EZeroDivide);
  EXPECT_EQ(e.record.ModeProbability, 0.5L);
}

TEST(SolveBoundsTest, JudgementsOutOfOrderEndWithoutHanging) {
  // Reversed or misplaced quantiles need not have a fit; the solver must still end.
  const char* cases[][3] = {{"7", "6.5", "10.5"},
                            {"6.5", "11", "10.5"},
                            {"10.5", "7", "6.5"},
                            {"6.5", "6.5", "10.5"},
                            {"6.5", "10.5", "10.5"}};
  for (const auto& c : cases) {
    Elicitation e;
    e.window.Type(TNumberField::LowerQuantile, c[0]);
    e.window.Type(TNumberField::ModeValue, c[1]);
    e.window.Type(TNumberField::UpperQuantile, c[2]);
    e.record.ReadInputs();
    try {
      e.record.SolveBounds();
    } catch (const EFitError&) {
    } catch (const EMathError&) {
    }
    EXPECT_THROW(CheckJudgements(e.record, TFitMode::PowerParameter), EFitError)
        << c[0] << " " << c[1] << " " << c[2];
  }
}

TEST(SolveBoundsTest, UnmetToleranceIsReportedInWords) {
  Elicitation e;
  e.window.Type(TNumberField::ModeValue, "11");
  e.record.ReadInputs();
  try {
    e.record.SolveBounds();
    FAIL() << "m above b_r was fitted";
  } catch (const EFitError& error) {
    EXPECT_NE(std::string(error.what()).find("a_p < m < b_r"), std::string::npos);
  }
}

TEST(SolveBoundsTest, FitBeyondTheRangesPrecisionIsReportedInWords) {
  // m - a_p is tiny against b_r - m: the fit's q lies within the precision of p.
  for (const char* br : {"1e90", "1e40"}) {
    Elicitation e;
    e.window.Type(TNumberField::LowerQuantile, "0");
    e.window.Type(TNumberField::ModeValue, "906");
    e.window.Type(TNumberField::UpperQuantile, br);
    e.record.ReadInputs();
    EXPECT_THROW(e.record.SolveBounds(), EFitError) << "b_r = " << br;
  }
}

TEST(CopyFitToModelTest, LoadsTheFitWithEqualPowers) {
  Elicitation e;
  e.FitPower();
  e.record.CopyFitToModel();
  EXPECT_EQ(e.model.LowerBound, e.record.LowerBound);
  EXPECT_EQ(e.model.UpperBound, e.record.UpperBound);
  EXPECT_EQ(e.model.ModeValue, 7);
  EXPECT_EQ(e.model.LeftPower, 7);
  EXPECT_EQ(e.model.RightPower, 7);
}

TEST(FitCheckTest, RefusesJudgementsOutsideTheSolversDomain) {
  Elicitation e;
  e.record.ReadInputs();
  EXPECT_NO_THROW(CheckJudgements(e.record, TFitMode::PowerParameter));
  e.record.Power = 0;
  EXPECT_THROW(CheckJudgements(e.record, TFitMode::PowerParameter), EFitError);
  e.record.Power = -2;
  EXPECT_THROW(CheckJudgements(e.record, TFitMode::PowerParameter), EFitError);
  e.record.ExtraLevel = 0.8L;
  EXPECT_NO_THROW(CheckJudgements(e.record, TFitMode::ExtraQuantile)) << "n is not used there";
  e.record.LowerLevel = e.record.UpperLevel = 0.8L;
  EXPECT_THROW(CheckJudgements(e.record, TFitMode::ExtraQuantile), EFitError);
  e.record.LowerLevel = 0;
  e.record.Power = 2;
  EXPECT_NO_THROW(CheckJudgements(e.record, TFitMode::PowerParameter));
  EXPECT_THROW(CheckJudgements(e.record, TFitMode::ExtraQuantile), EFitError);
  e.record.UpperLevel = 1.5L;
  EXPECT_THROW(CheckJudgements(e.record, TFitMode::PowerParameter), EFitError);
}

TEST(FitCheckTest, RefusesWhatWouldEndInABareArithmeticError) {
  // A power so small that 1/n overflows; a support so narrow that its square underflows;
  // a mode so close to a_p that the standardized mode underflows.
  struct Case {
    const char* ap;
    const char* m;
    const char* br;
    const char* n;
    int p;
  };
  const Case cases[] = {{"6.5", "7.0", "10.5", "9.9e-4951", 10},
                        {"6.5", "7.0", "10.5", "0.00009", 10},
                        {"6.5e-2500", "7e-2500", "10.5e-2500", "7", 10},
                        {"5.67e-4940", "7.24e-4940", "1e300", "7", 0}};
  for (const Case& c : cases) {
    Elicitation e;
    e.window.Type(TNumberField::LowerQuantile, c.ap);
    e.window.Type(TNumberField::ModeValue, c.m);
    e.window.Type(TNumberField::UpperQuantile, c.br);
    e.window.Type(TNumberField::Power, c.n);
    e.window.Level(TLevelField::Lower) = c.p;
    e.record.ReadInputs();
    EXPECT_THROW(CheckJudgements(e.record, TFitMode::PowerParameter), EFitError)
        << c.ap << " " << c.m << " " << c.br << " n " << c.n;
  }
  Elicitation e;
  e.window.Type(TNumberField::Power, "0.0001");
  e.record.ReadInputs();
  EXPECT_NO_THROW(CheckJudgements(e.record, TFitMode::PowerParameter)) << "the smallest power";
}

TEST(FitCheckTest, AdditionalQuantileLevelMustLieInsideTheUnitInterval) {
  Elicitation e;
  e.window.mode = 1;
  e.record.ReadInputs();
  e.record.Power = 7;
  EXPECT_NO_THROW(CheckJudgements(e.record, TFitMode::ExtraQuantile));
  for (const long double s : {0.0L, 1.0L, -0.2L, 1.3L}) {
    e.record.ExtraLevel = s;
    EXPECT_THROW(CheckJudgements(e.record, TFitMode::ExtraQuantile), EFitError) << s;
    EXPECT_NO_THROW(CheckJudgements(e.record, TFitMode::PowerParameter)) << "s is not read";
  }
}

TEST(FitCheckTest, RefusesAFitThatLostItsPrecision) {
  Elicitation e;
  e.FitPower();
  EXPECT_NO_THROW(CheckFit(e.record));
  e.record.LowerBound = 6.6L;  // above a_p: Cdf(a_p) is 0, not p
  EXPECT_THROW(CheckFit(e.record), EFitError);
}

}  // namespace
