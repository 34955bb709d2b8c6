#include "PlotComputation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeJudgements.h"
#include "NumberText.h"

namespace {

struct Message {
  TMessageKind kind;
  std::string text;
};

struct PlotFixture : ::testing::Test {
  Elicitation e;
  std::vector<Message> messages;
  TMessageSink sink = [this](TMessageKind kind, std::string_view text) {
    messages.push_back({kind, std::string(text)});
  };

  std::optional<TPlotOutcome> Plot(int credibility = 10, bool graphs = true) {
    return ComputePlot(e.record, e.model, credibility, sink, graphs);
  }
};

std::string Text(Extended v) {
  return FormatNumber(v);
}

TEST_F(PlotFixture, DefaultPlotShowsTheTenPanels) {
  const auto outcome = Plot();
  ASSERT_TRUE(outcome);
  EXPECT_TRUE(messages.empty());
  const TFitFigures& f = outcome->Figures;
  EXPECT_EQ(Text(f.LowerBound), "2.68720904");
  EXPECT_EQ(Text(f.UpperBound), "20.89052535");
  EXPECT_EQ(Text(f.Power), "7.00000000");
  EXPECT_EQ(Text(f.ModeProbability), "0.23692337");
  EXPECT_EQ(Text(f.ModeValue), "7.00000000");
  EXPECT_EQ(Text(f.Median), "7.81406010");
  EXPECT_EQ(Text(f.Mean), "8.19721680");
  EXPECT_EQ(Text(f.StdDev), "1.66700095");
  EXPECT_EQ(Text(f.LowerCredibilityLimit), "6.14054404");
  EXPECT_EQ(Text(f.UpperCredibilityLimit), "11.47958066");
  EXPECT_FALSE(f.AntiMode);
  // The model holds the fit, with n in both powers.
  EXPECT_EQ(e.model.LowerBound, f.LowerBound);
  EXPECT_EQ(e.model.LeftPower, 7);
  EXPECT_EQ(e.model.RightPower, 7);
  EXPECT_TRUE(TenDigits(e.record.ModeProbabilityLimit, 0.2443538641L));
}

TEST_F(PlotFixture, GraphsLeaveTheRecordHoldingTheFitShown) {
  for (int mode : {0, 1}) {
    e.window.mode = mode;
    const auto outcome = Plot();
    ASSERT_TRUE(outcome) << "mode " << mode;
    EXPECT_EQ(e.record.Power, outcome->Figures.Power) << "mode " << mode;
    EXPECT_EQ(e.record.LowerBound, outcome->Figures.LowerBound);
    EXPECT_EQ(e.record.UpperBound, outcome->Figures.UpperBound);
    EXPECT_EQ(e.record.ModeProbability, outcome->Figures.ModeProbability);
  }
}

TEST_F(PlotFixture, ModeLabelFollowsThePower) {
  e.window.Type(TNumberField::Power, "0.5");
  ASSERT_TRUE(Plot());
  EXPECT_TRUE(Plot()->Figures.AntiMode);
  e.window.Type(TNumberField::Power, "1");
  EXPECT_FALSE(Plot()->Figures.AntiMode) << "n = 1 is a mode";
}

TEST_F(PlotFixture, AdditionalQuantileAtTheInitialJudgements) {
  e.window.mode = 1;
  const auto outcome = Plot();
  ASSERT_TRUE(outcome);
  EXPECT_TRUE(messages.empty()) << messages.front().text;
  EXPECT_TRUE(TenDigits(outcome->Figures.Power, 2.782061481L));
  EXPECT_EQ(Text(e.record.LimitExtraQuantile), "9.30042943");
  EXPECT_EQ(Text(e.record.UniformExtraQuantile), "10.00000000");
}

TEST_F(PlotFixture, InfeasibleQuantileIsRefusedAndChangesNoModel) {
  ASSERT_TRUE(Plot());
  const TGTSPForm before = e.model;
  e.window.mode = 1;
  for (const char* xs : {"10", "9.2", "12"}) {
    messages.clear();
    e.window.Type(TNumberField::ExtraQuantile, xs);
    EXPECT_FALSE(Plot()) << "x_s = " << xs;
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, "Additional Quantile Specification not Feasible");
    EXPECT_EQ(messages.back().kind, TMessageKind::Error);
    EXPECT_EQ(e.model.LowerBound, before.LowerBound);
    EXPECT_EQ(e.model.LeftPower, before.LeftPower);
  }
}

TEST_F(PlotFixture, SideRecommendation) {
  e.record.LowerQuantile = 6.5L;
  e.record.UpperQuantile = 10.5L;  // midpoint 8.5
  e.record.ModeValue = 7;
  e.record.ExtraQuantile = 6.8L;
  EXPECT_EQ(SideRecommendation(e.record), kRecommendAbove);
  e.record.ExtraQuantile = 9.6L;
  EXPECT_FALSE(SideRecommendation(e.record));
  e.record.ModeValue = 9;
  EXPECT_EQ(SideRecommendation(e.record), kRecommendBelow);
  e.record.ExtraQuantile = 9;
  EXPECT_FALSE(SideRecommendation(e.record)) << "x_s = m advises nothing";
  e.record.ModeValue = 8.5L;
  e.record.ExtraQuantile = 8;
  EXPECT_EQ(SideRecommendation(e.record), kRecommendAbove) << "at the midpoint x_s decides";
  e.record.ExtraQuantile = 9;
  EXPECT_EQ(SideRecommendation(e.record), kRecommendBelow);
}

TEST_F(PlotFixture, RecommendationComesBeforeTheRefusal) {
  e.window.mode = 1;
  e.window.Type(TNumberField::ExtraQuantile, "6.8");
  EXPECT_FALSE(Plot());
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, kRecommendAbove);
  EXPECT_EQ(messages[1].text, kNotFeasibleMessage);
}

TEST_F(PlotFixture, CredibilityLevels) {
  struct Case {
    int level;
    Extended lowerU;
    Extended upperU;
  };
  ASSERT_TRUE(Plot(10, false));
  for (const Case c : {Case{20, 0.1L, 0.9L}, Case{100, 0.5L, 0.5L}, Case{150, 0.75L, 0.25L}}) {
    const auto outcome = Plot(c.level, false);
    EXPECT_EQ(outcome->Figures.LowerCredibilityLimit, e.model.Quantile(c.lowerU)) << c.level;
    EXPECT_EQ(outcome->Figures.UpperCredibilityLimit, e.model.Quantile(c.upperU)) << c.level;
  }
  auto outcome = Plot(0, false);
  EXPECT_EQ(outcome->Figures.LowerCredibilityLimit, e.model.LowerBound) << "exactly a";
  EXPECT_NEAR(static_cast<double>(outcome->Figures.UpperCredibilityLimit),
              static_cast<double>(e.model.UpperBound), 1e-14);
  for (int level : {250, -20}) {
    outcome = Plot(level, false);
    EXPECT_EQ(outcome->Figures.LowerCredibilityLimit, e.model.LowerBound) << level;
    EXPECT_EQ(outcome->Figures.UpperCredibilityLimit, e.model.LowerBound) << level;
  }
}

TEST_F(PlotFixture, LevelAtAnEndKeepsTheLimitOfTheLastPlot) {
  ASSERT_TRUE(Plot());
  const Extended limit = e.record.ModeProbabilityLimit;
  e.window.Level(TLevelField::Lower) = 0;
  const auto outcome = Plot();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(e.record.ModeProbabilityLimit, limit);
  EXPECT_EQ(outcome->Graphs.ModeLimitLine.front().Y, 0) << "the line shows the true limit";
}

TEST_F(PlotFixture, EqualLevelsAreRefusedBeforeSolving) {
  ASSERT_TRUE(Plot());
  const Extended a = e.record.LowerBound;
  e.window.Level(TLevelField::Lower) = 80;
  e.window.Level(TLevelField::Upper) = 80;
  try {
    Plot();
    FAIL() << "p = r was plotted";
  } catch (const EFitError& error) {
    EXPECT_NE(std::string(error.what()).find("p must be below r"), std::string::npos);
  }
  EXPECT_EQ(e.record.LowerBound, a);
}

TEST_F(PlotFixture, AnAdditionalLevelBeyondItsRangeIsRefusedInWords) {
  e.window.mode = 1;
  for (const int s : {0, -5, 100, 150}) {
    e.window.Level(TLevelField::Extra) = s;
    const std::string said = "s is " + std::to_string(s) + " %";
    e.record.ReadInputs();
    try {
      ComputeFeasibilityBounds(e.record);
      ADD_FAILURE() << "bounds for s = " << s;
    } catch (const EFitError& error) {
      EXPECT_NE(std::string(error.what()).find(said), std::string::npos) << error.what();
    } catch (const std::exception& other) {
      ADD_FAILURE() << "s = " << s << ": " << other.what();
    }
    try {
      Plot();
      ADD_FAILURE() << "plotted s = " << s;
    } catch (const EFitError& error) {
      EXPECT_NE(std::string(error.what()).find(said), std::string::npos) << error.what();
    } catch (const std::exception& other) {
      ADD_FAILURE() << "s = " << s << ": " << other.what();
    }
  }
}

TEST_F(PlotFixture, NumberTextsAreRefusedBeforeAnythingChanges) {
  ASSERT_TRUE(Plot());
  const Extended ap = e.record.LowerQuantile;
  e.window.Type(TNumberField::ModeValue, "7,5");
  EXPECT_THROW(Plot(), EInputError);
  EXPECT_EQ(e.record.LowerQuantile, ap);
  EXPECT_EQ(e.record.ModeValue, 7);
}

}  // namespace
