#include "Elicitation.h"

#include <gtest/gtest.h>

#include "FakeJudgements.h"
#include "NumberText.h"

namespace {

TEST(ElicitationTest, AFitShownStaysShownAndStaleUntilTheNextFit) {
  Elicitation document;
  FakeJudgements typed;
  typed.Type(NumberField::Power, "abc");
  EXPECT_FALSE(document.Plot(typed).Fitted);
  EXPECT_FALSE(document.IsStale()) << "nothing is stale before a first fit";
  EXPECT_EQ(document.Shown(), nullptr);

  typed.Type(NumberField::Power, "7.0");
  ASSERT_TRUE(document.Plot(typed).Fitted);
  const TwoSidedPower first = document.Shown()->Fitted->Distribution;
  EXPECT_FALSE(document.IsStale());

  typed.Mode = FitMode::ExtraQuantile;
  typed.Type(NumberField::ExtraQuantile, "20");
  const PlotOutcome& refused = document.Plot(typed);
  EXPECT_FALSE(refused.Fitted);
  ASSERT_TRUE(refused.Refusal());
  EXPECT_TRUE(refused.Feasibility);
  EXPECT_TRUE(document.IsStale());
  ASSERT_NE(document.Shown(), nullptr);
  EXPECT_EQ(document.Shown()->Fitted->Distribution, first) << "the fit shown is kept";
  EXPECT_EQ(document.Typed(), typed) << "the judgements are what was typed";

  typed.Type(NumberField::ExtraQuantile, "9.588495255");
  ASSERT_TRUE(document.Plot(typed).Fitted);
  EXPECT_FALSE(document.IsStale());
  EXPECT_NE(document.Shown()->Fitted->Distribution, first);
}

TEST(ElicitationTest, TheCredibilityLevelMovesOnlyTheCredibilityLimits) {
  Elicitation document;
  document.SetCredibility(Percent(20));
  const FakeJudgements typed;  // credibility 10 as typed: the document's level is kept
  ASSERT_TRUE(document.Plot(typed).Fitted);
  const PlotOutcome shown = *document.Shown();
  EXPECT_EQ(shown.Fitted->Given.Credibility(), Percent(20));
  EXPECT_EQ(FormatNumber(shown.Figures.LowerCredibilityLimit),
            FormatNumber(Quantile(shown.Fitted->Distribution, 0.1L)));

  document.SetCredibility(Percent(10));
  const TFitFigures& f = document.Shown()->Figures;
  EXPECT_EQ(FormatNumber(f.LowerCredibilityLimit), "6.14054404");
  EXPECT_EQ(FormatNumber(f.UpperCredibilityLimit), "11.47958066");
  EXPECT_EQ(f.Median, shown.Figures.Median);
  EXPECT_FALSE(document.IsStale());
}

TEST(ElicitationTest, ASwitchOfModeReviewsTheAdditionalQuantile) {
  Elicitation document;
  FakeJudgements typed;
  ASSERT_TRUE(document.Plot(typed).Fitted);
  typed.Mode = FitMode::ExtraQuantile;
  typed.Type(NumberField::ExtraQuantile, "6.8");
  const JudgementReview review = document.SwitchMode(typed);
  EXPECT_TRUE(document.IsStale());
  ASSERT_TRUE(review.Feasibility);
  EXPECT_EQ(FormatNumber(review.Feasibility->Smaller()), "9.30042943");
  ASSERT_EQ(review.Messages.size(), 1u);
  EXPECT_EQ(review.Messages[0].Kind, MessageKind::Warning);
  EXPECT_FALSE(review.Refusal());

  typed.Mode = FitMode::PowerParameter;
  typed.Type(NumberField::Power, "7,0");
  const JudgementReview back = document.SwitchMode(typed);
  ASSERT_TRUE(back.Refusal()) << "a text that is not a number is refused in words";
  EXPECT_NE(back.Refusal()->find("Power Parameter n"), std::string::npos);
  EXPECT_FALSE(back.Feasibility);
}

TEST(ElicitationTest, OpeningAnExpertTakesItWholeAndForgetsTheFitShown) {
  Elicitation document;
  ASSERT_TRUE(document.Plot(FakeJudgements()).Fitted);
  ExpertRecord saved{"B", FakeJudgements(), {}};
  saved.Notes.Quantity = "Delay";
  saved.Typed.Credibility = Percent(20);
  saved.Typed.Type(NumberField::Power, "abc");
  EXPECT_FALSE(document.Open(saved).Fitted);
  EXPECT_EQ(document.Shown(), nullptr) << "the fit of the session before is not the file's";
  EXPECT_FALSE(document.IsStale());
  EXPECT_EQ(document.Record(), saved) << "the credibility level is the file's";

  saved.Typed.Type(NumberField::Power, "7.0");
  ASSERT_TRUE(document.Open(saved).Fitted);
  EXPECT_EQ(document.Shown()->Fitted->Given.Credibility(), Percent(20));
  ElicitationNotes notes = document.Notes();
  notes.Overall = "revised";
  document.SetNotes(notes);
  EXPECT_EQ(document.Notes().Overall, "revised");
  EXPECT_FALSE(document.IsStale()) << "a note changes no fit";
}

TEST(ElicitationTest, EachExpertKeepsItsJudgementsAndFitWhileAnotherIsShown) {
  Elicitation document;
  ASSERT_TRUE(document.Plot(FakeJudgements()).Fitted);
  const Extended firstMean = document.Shown()->Figures.Mean;
  ExpertRecord second{"B", FakeJudgements(), {}};
  second.Typed.Type(NumberField::ModeValue, "8");
  ASSERT_TRUE(document.InsertExpert(1, second, 2));
  EXPECT_EQ(document.CurrentExpert(), 0u) << "inserted after it, the current expert stays";
  ASSERT_NE(document.ShownOf(1), nullptr) << "an inserted expert is fitted for the pool";
  ASSERT_TRUE(document.SwitchExpert(1));
  EXPECT_EQ(document.Typed().Text(NumberField::ModeValue), "8");
  TypedJudgements changed = document.Typed();
  changed.Type(NumberField::Power, "abc");
  EXPECT_FALSE(document.Plot(changed).Fitted);
  EXPECT_TRUE(document.IsStale());

  ASSERT_TRUE(document.SwitchExpert(0));
  EXPECT_FALSE(document.IsStale());
  EXPECT_EQ(document.Shown()->Figures.Mean, firstMean) << "its own fit, untouched";
  EXPECT_EQ(document.ShownOf(1)->Fitted->Given.Typed.Text(NumberField::ModeValue), "8");
  EXPECT_EQ(document.CurrentFits()[1], nullptr) << "a stale fit is not the file's";
  const ElicitationRecord whole = document.WholeRecord();
  ASSERT_EQ(whole.Experts.size(), 2u);
  EXPECT_EQ(whole.Experts[1].Typed.Text(NumberField::Power), "abc");
  EXPECT_EQ(whole.Weights, (std::vector<double>{1, 2}));

  EXPECT_FALSE(document.SetWeights({0, 0})) << "not all 0";
  EXPECT_FALSE(document.SetWeights({1})) << "one for each expert";
  const int id = document.ExpertId(0);
  ASSERT_TRUE(document.RemoveExpert(0));
  EXPECT_EQ(document.CurrentExpert(), 0u);
  EXPECT_EQ(document.Typed().Text(NumberField::Power), "abc") << "the one after became current";
  EXPECT_FALSE(document.RemoveExpert(0)) << "never the last expert";
  EXPECT_EQ(document.IndexOfExpert(id), document.ExpertCount());
  ASSERT_TRUE(document.InsertExpert(0, {"", FakeJudgements(), {}}, 1, id));
  EXPECT_EQ(document.IndexOfExpert(id), 0u) << "put back under its own number";
  EXPECT_FALSE(document.InsertExpert(0, {}, 1, id)) << "a number in use";
}

}  // namespace
