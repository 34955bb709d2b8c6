#include "PlotComputation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "FakeJudgements.h"
#include "NumberText.h"

namespace {

struct PlotFixture : ::testing::Test {
  FakeJudgements window;
  std::vector<Message> messages;
  // The last plot that fitted, for Model().
  std::optional<PlotOutcome> last;

  // The plot of the judgements as typed, its messages in `messages`; nothing when it did
  // not fit.
  std::optional<PlotOutcome> Plot(int credibility = 10, bool graphs = true) {
    window.Credibility = Percent(credibility);
    PlotOutcome outcome = ComputePlot(ReadJudgements(window), PlotOptions{graphs});
    messages = outcome.Messages;
    if (!outcome.Fitted)
      return std::nullopt;
    last = outcome;
    return outcome;
  }
  const TwoSidedPower& Model() const { return last->Fitted->Distribution; }
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
  // The distribution is the fit, with n in both powers.
  EXPECT_EQ(Model().Lower(), f.LowerBound);
  EXPECT_EQ(Model().LeftPower(), 7);
  EXPECT_EQ(Model().RightPower(), 7);
  EXPECT_TRUE(TenDigits(outcome->Fitted->ModeProbabilityLimit, 0.2443538641L));
}

TEST_F(PlotFixture, GraphsLeaveTheFitAsItWasFound) {
  for (const FitMode mode : {FitMode::PowerParameter, FitMode::ExtraQuantile}) {
    window.Mode = mode;
    const auto withGraphs = Plot();
    const auto without = Plot(10, false);
    ASSERT_TRUE(withGraphs && without);
    const TFitFigures& f = withGraphs->Figures;
    const TFitFigures& g = without->Figures;
    const Extended shown[] = {f.LowerBound, f.UpperBound, f.Power, f.ModeProbability, f.Median};
    const Extended alone[] = {g.LowerBound, g.UpperBound, g.Power, g.ModeProbability, g.Median};
    for (std::size_t i = 0; i < std::size(shown); ++i)
      EXPECT_EQ(shown[i], alone[i]) << "figure " << i;
    EXPECT_EQ(withGraphs->Fitted->Distribution, without->Fitted->Distribution);
  }
}

TEST_F(PlotFixture, ModeLabelFollowsThePower) {
  window.Type(NumberField::Power, "0.5");
  ASSERT_TRUE(Plot());
  EXPECT_TRUE(Plot()->Figures.AntiMode);
  window.Type(NumberField::Power, "1");
  EXPECT_FALSE(Plot()->Figures.AntiMode) << "n = 1 is a mode";
}

TEST_F(PlotFixture, AdditionalQuantileAtTheInitialJudgements) {
  window.Mode = FitMode::ExtraQuantile;
  const auto outcome = Plot();
  ASSERT_TRUE(outcome);
  EXPECT_TRUE(messages.empty()) << messages.front().Text;
  EXPECT_TRUE(TenDigits(outcome->Figures.Power, 2.782061481L));
  ASSERT_TRUE(outcome->Feasibility);
  EXPECT_EQ(Text(outcome->Feasibility->Limit), "9.30042943");
  EXPECT_EQ(Text(outcome->Feasibility->Uniform), "10.00000000");
}

TEST_F(PlotFixture, InfeasibleQuantileIsRefusedWithItsBounds) {
  window.Mode = FitMode::ExtraQuantile;
  for (const char* xs : {"10", "9.2", "12"}) {
    window.Type(NumberField::ExtraQuantile, xs);
    const PlotOutcome outcome = ComputePlot(ReadJudgements(window));
    EXPECT_FALSE(outcome.Fitted) << "x_s = " << xs;
    ASSERT_FALSE(outcome.Messages.empty());
    EXPECT_TRUE(outcome.Messages.back().Text.starts_with(
        "Additional Quantile Specification not Feasible\n"))
        << outcome.Messages.back().Text;
    EXPECT_EQ(outcome.Messages.back().Kind, MessageKind::Error);
    EXPECT_EQ(outcome.Refusal(), outcome.Messages.back().Text);
    ASSERT_TRUE(outcome.Feasibility) << "the bounds are known before the refusal";
    EXPECT_EQ(Text(outcome.Feasibility->Smaller()), "9.30042943");
  }
}

TEST_F(PlotFixture, SideRecommendation) {
  Judgements j;
  j.Typed.Mode = FitMode::ExtraQuantile;
  j.LowerQuantile = 6.5L;
  j.UpperQuantile = 10.5L;  // midpoint 8.5
  j.ModeValue = 7;
  j.ExtraQuantile = 6.8L;
  EXPECT_EQ(SideRecommendation(j), kRecommendAbove);
  j.ExtraQuantile = 9.6L;
  EXPECT_FALSE(SideRecommendation(j));
  j.ModeValue = 9;
  EXPECT_EQ(SideRecommendation(j), kRecommendBelow);
  j.ExtraQuantile = 9;
  EXPECT_FALSE(SideRecommendation(j)) << "x_s = m advises nothing";
  j.ModeValue = 8.5L;
  j.ExtraQuantile = 8;
  EXPECT_EQ(SideRecommendation(j), kRecommendAbove) << "at the midpoint x_s decides";
  j.ExtraQuantile = 9;
  EXPECT_EQ(SideRecommendation(j), kRecommendBelow);
}

TEST_F(PlotFixture, RecommendationComesBeforeTheRefusal) {
  window.Mode = FitMode::ExtraQuantile;
  window.Type(NumberField::ExtraQuantile, "6.8");
  EXPECT_FALSE(Plot());
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], (Message{MessageKind::Warning, std::string(kRecommendAbove)}))
      << "advice, not a refusal";
  EXPECT_EQ(messages[1].Text, std::string(kNotFeasibleMessage) +
                                  "\nx_s must lie strictly between 9.30042943 and 10.00000000.")
      << "the second line names the bounds";
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
    EXPECT_EQ(outcome->Figures.LowerCredibilityLimit, Quantile(Model(), c.lowerU)) << c.level;
    EXPECT_EQ(outcome->Figures.UpperCredibilityLimit, Quantile(Model(), c.upperU)) << c.level;
  }
  auto outcome = Plot(0, false);
  EXPECT_EQ(outcome->Figures.LowerCredibilityLimit, Model().Lower()) << "exactly a";
  EXPECT_NEAR(static_cast<double>(outcome->Figures.UpperCredibilityLimit),
              static_cast<double>(Model().Upper()), 1e-14);
  for (int level : {250, -20}) {
    outcome = Plot(level, false);
    EXPECT_EQ(outcome->Figures.LowerCredibilityLimit, Model().Lower()) << level;
    EXPECT_EQ(outcome->Figures.UpperCredibilityLimit, Model().Lower()) << level;
  }
}

TEST_F(PlotFixture, LevelAtAnEndShowsTheLimitOfItsLevels) {
  window.LevelOf(LevelField::Lower) = Percent(0);
  const auto outcome = Plot();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->Fitted->ModeProbabilityLimit, 0) << "not computed for p = 0";
  EXPECT_EQ(outcome->Graphs.ModeLimitLine.front().Y, 0) << "the line shows the true limit";
}

TEST_F(PlotFixture, EqualLevelsAreRefusedBeforeSolving) {
  window.LevelOf(LevelField::Lower) = Percent(80);
  window.LevelOf(LevelField::Upper) = Percent(80);
  EXPECT_FALSE(Plot()) << "p = r was plotted";
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].Text.find("p must be below r"), std::string::npos) << messages[0].Text;
}

TEST_F(PlotFixture, AnAdditionalLevelBeyondItsRangeIsRefusedInWords) {
  window.Mode = FitMode::ExtraQuantile;
  for (const int s : {0, -5, 100, 150}) {
    window.LevelOf(LevelField::Extra) = Percent(s);
    const std::string said = "s is " + std::to_string(s) + " %";
    try {
      ComputeFeasibilityBounds(ReadJudgements(window));
      ADD_FAILURE() << "bounds for s = " << s;
    } catch (const EFitError& error) {
      EXPECT_NE(std::string(error.what()).find(said), std::string::npos) << error.what();
    } catch (const std::exception& other) {
      ADD_FAILURE() << "s = " << s << ": " << other.what();
    }
    EXPECT_FALSE(Plot()) << "plotted s = " << s;
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].Text.find(said), std::string::npos) << messages[0].Text;
  }
}

TEST_F(PlotFixture, NumberTextsAreRefusedBeforeAnythingIsComputed) {
  window.Type(NumberField::ModeValue, "7,5");
  EXPECT_THROW(ReadJudgements(window), EInputError);
  // The texts of the other mode are not read.
  window.Type(NumberField::ModeValue, "7.0");
  window.Type(NumberField::ExtraQuantile, "abc");
  EXPECT_NO_THROW(ReadJudgements(window));
  window.Mode = FitMode::ExtraQuantile;
  EXPECT_THROW(ReadJudgements(window), EInputError);
}

}  // namespace
