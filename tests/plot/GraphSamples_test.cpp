#include "GraphSamples.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "FakeJudgements.h"
#include "PlotComputation.h"

namespace {

struct GraphsFixture : ::testing::Test {
  FakeJudgements window;
  // The fit of the last Graphs().
  std::optional<Fit> fit;
  TGraphSamples Graphs() {
    const PlotOutcome outcome = ComputePlot(ReadJudgements(window));
    EXPECT_TRUE(outcome.Fitted);
    fit = outcome.Fitted;
    return outcome.Fitted ? outcome.Graphs : TGraphSamples{};
  }
};

TEST_F(GraphsFixture, PointCountsOfTheElevenSeries) {
  TGraphSamples g = Graphs();
  EXPECT_EQ(g.DensityLine.size(), 201u);
  EXPECT_EQ(g.DensityMarks.size(), 5u);
  EXPECT_EQ(g.DistributionLine.size(), 201u);
  EXPECT_EQ(g.DistributionMarks.size(), 5u);
  for (const TPointList* line : {&g.ModeLine, &g.LowerLine, &g.UpperLine}) {
    EXPECT_EQ(line->size(), 201u);
  }
  EXPECT_EQ(g.ModeLimitLine.size(), 2u);
  for (const TPointList* marks : {&g.ModeMarks, &g.LowerMarks, &g.UpperMarks}) {
    EXPECT_EQ(marks->size(), 5u);
  }
  window.Mode = FitMode::ExtraQuantile;
  g = Graphs();
  EXPECT_EQ(g.DensityMarks.size(), 6u);
  EXPECT_EQ(g.DistributionMarks.size(), 6u);
  EXPECT_EQ(g.DensityMarks.back().X, 9.588495255);
}

TEST_F(GraphsFixture, DensityBelowPowerOneLeavesOutTheSupportEnds) {
  window.Type(NumberField::Power, "0.5");
  const TGraphSamples g = Graphs();
  ASSERT_EQ(g.DensityLine.size(), 199u);
  EXPECT_EQ(g.DensityLine.front().X, static_cast<double>(g.PdfSamples[1].X));
  EXPECT_EQ(g.DensityMarks[0].X, static_cast<double>(g.PdfSamples[0].X)) << "a is still marked";
  EXPECT_EQ(g.DensityMarks[0].Y, 0);
}

TEST_F(GraphsFixture, DensityAtPowerOneFallsToZeroAtTheEnds) {
  window.Type(NumberField::Power, "1");
  const TGraphSamples g = Graphs();
  ASSERT_EQ(g.DensityLine.size(), 201u);
  EXPECT_EQ(g.DensityLine.front().Y, 0);
  EXPECT_EQ(g.DensityLine.back().Y, 0);
  EXPECT_NEAR(g.DensityLine[50].Y, 0.2, 1e-15);
}

TEST_F(GraphsFixture, SupportGrid) {
  const TGraphSamples g = Graphs();
  const TwoSidedPower& d = fit->Distribution;
  EXPECT_EQ(g.PdfSamples[0].X, d.Lower());
  EXPECT_NEAR(static_cast<double>(g.PdfSamples[100].X), 7, 1e-15);
  // The last point is b but for the rounding of its formula, as the first is a exactly.
  EXPECT_NEAR(static_cast<double>(g.PdfSamples[200].X), static_cast<double>(d.Upper()), 1e-14);
  const Extended left = g.PdfSamples[1].X - g.PdfSamples[0].X;
  const Extended right = g.PdfSamples[200].X - g.PdfSamples[199].X;
  EXPECT_NEAR(static_cast<double>(left), static_cast<double>((7 - d.Lower()) / 100), 1e-15);
  EXPECT_NEAR(static_cast<double>(right), static_cast<double>((d.Upper() - 7) / 100), 1e-15);
  EXPECT_EQ(g.CdfSamples[0].Y, 0);
  EXPECT_EQ(g.CdfSamples[0].X, g.PdfSamples[0].X);
  for (std::size_t i = 1; i < g.CdfSamples.size(); ++i) {
    ASSERT_GE(g.CdfSamples[i].Y, g.CdfSamples[i - 1].Y) << "index " << i;
  }
}

TEST_F(GraphsFixture, SweepOverPower) {
  const TGraphSamples g = Graphs();
  EXPECT_EQ(g.ModeSweep[0].X, 0);
  EXPECT_EQ(g.ModeSweep[0].Y, 0.125L) << "(m - a_p)/(b_r - a_p)";
  EXPECT_EQ(g.LowerSweep[0].Y, 6.5L);
  EXPECT_EQ(g.UpperSweep[0].Y, 10.5L);
  EXPECT_EQ(g.ModeSweep[3].X, 3 * 0.05L) << "not a running sum";
  EXPECT_EQ(g.ModeSweep[200].X, 200 * 0.05L);
  EXPECT_EQ(g.ModeSweep[140].X, 7);
  EXPECT_EQ(g.LowerSweep[140].Y, fit->LowerBound()) << "the sweep at n = 7 is the fit";
  // Probes at n = 10, 1, 2 after the n -> 0 point, then the fitted point.
  const TPointList& marks = g.LowerMarks;
  EXPECT_EQ(marks[0], (TPlotPoint{0, 6.5}));
  EXPECT_EQ(marks[1].X, 10);
  EXPECT_EQ(marks[1].Y, g.LowerLine.back().Y) << "the probe at 10 ends the line";
  EXPECT_EQ(marks[2].X, 1);
  EXPECT_NEAR(marks[2].Y, 6, 1e-15);
  EXPECT_EQ(marks[3].X, 2);
  EXPECT_EQ(marks[4].X, 7);
  EXPECT_EQ(marks[4].Y, static_cast<double>(fit->LowerBound()));
}

TEST_F(GraphsFixture, FittedPowerBeyondTenExtendsTheSweepPastIt) {
  window.Type(NumberField::Power, "25");
  TGraphSamples g = Graphs();
  EXPECT_EQ(g.UpperMarks.back().X, 25);
  EXPECT_EQ(g.UpperLine.back().X, 50) << "the first of 20, 50, ... at least 1.25 n";
  EXPECT_EQ(g.ModeLimitLine.back().X, 50);
  ASSERT_EQ(g.UpperMarks.size(), 3u) << "the probes at 1 and 2 would sit on the label at 0";
  EXPECT_EQ(g.UpperMarks[1].X, 10);
  // At n = 9000 the curve reaches 20000 in steps of 100, and passes through the fit.
  window.Type(NumberField::Power, "9000");
  g = Graphs();
  EXPECT_EQ(g.UpperLine.size(), 201u);
  EXPECT_EQ(g.UpperLine.back().X, 20000);
  EXPECT_EQ(g.UpperSweep[90].X, 9000);
  EXPECT_EQ(g.UpperSweep[90].Y, fit->UpperBound());
  EXPECT_EQ(g.ModeMarks.size(), 2u) << "only n -> 0 and the fitted n, far apart";
}

TEST_F(GraphsFixture, ReferenceLineShowsTheLimitOfTheLevels) {
  struct Case {
    int p;
    int r;
    double limit;
  };
  for (const Case c :
       {Case{10, 90, 0.2443538641}, Case{0, 90, 0}, Case{10, 100, 1}, Case{0, 100, 0.125}}) {
    window.LevelOf(LevelField::Lower) = Percent(c.p);
    window.LevelOf(LevelField::Upper) = Percent(c.r);
    const TGraphSamples g = Graphs();
    ASSERT_EQ(g.ModeLimitLine.size(), 2u);
    EXPECT_NEAR(g.ModeLimitLine[0].Y, c.limit, 1e-10) << "p " << c.p << " r " << c.r;
    EXPECT_EQ(g.ModeLimitLine[0].X, 0);
    EXPECT_EQ(g.ModeLimitLine[1].X, 10);
  }
}

TEST_F(GraphsFixture, GraphsBeyondTheRangeOfAChartAreRefusedInWords) {
  // Both fit in extended precision, but a chart holds doubles: judgements near 1e400 put the
  // support grid beyond them, and judgements a few 1e-2000 apart a density near 1e2000.
  const std::array<std::array<const char*, 3>, 2> judgements = {
      {{"6.5e400", "7e400", "10.5e400"}, {"4.5e-2000", "6.1e-2000", "9.3e-2000"}}};
  for (const auto& j : judgements) {
    window.Type(NumberField::LowerQuantile, j[0]);
    window.Type(NumberField::ModeValue, j[1]);
    window.Type(NumberField::UpperQuantile, j[2]);
    const Judgements read = ReadJudgements(window);
    EXPECT_TRUE(ComputePlot(read, PlotOptions{false}).Fitted) << "a_p = " << j[0];
    const PlotOutcome outcome = ComputePlot(read);
    EXPECT_FALSE(outcome.Fitted) << "graphs for a_p = " << j[0];
    ASSERT_TRUE(outcome.Refusal()) << "a_p = " << j[0];
    EXPECT_NE(outcome.Refusal()->find("chart"), std::string::npos) << *outcome.Refusal();
    EXPECT_THROW(SampleGraphs(*ComputePlot(read, PlotOptions{false}).Fitted), EFitError);
  }
}

TEST_F(GraphsFixture, ModeProbabilityRisesTowardsTheLimit) {
  // At the default judgements q(n) climbs from (m - a_p)/(b_r - a_p) towards the reference
  // line without reaching it.
  const TGraphSamples g = Graphs();
  for (std::size_t i = 1; i < g.ModeSweep.size(); ++i) {
    EXPECT_GT(g.ModeSweep[i].Y, g.ModeSweep[i - 1].Y) << "index " << i;
  }
  EXPECT_LT(g.ModeSweep[200].Y, g.ModeLimitLine[0].Y);
}

}  // namespace
