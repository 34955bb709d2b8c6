// What the plot command computes, apart from any window: the fit of the judgements in their
// mode, the figures of the result panels and the graph samples, with what to tell the
// expert as data. The windows present the outcome; the command-line fitter prints it.
#pragma once

#include <array>
#include <string>
#include <tuple>
#include <utility>

#include "Fit.h"
#include "GraphSamples.h"
#include "Judgements.h"

// The numbers of the ten result panels and the mode label.
struct TFitFigures {
  Extended LowerBound = 0;             // a
  Extended UpperBound = 0;             // b
  Extended Power = 0;                  // n
  Extended ModeProbability = 0;        // q
  Extended ModeValue = 0;              // m
  Extended Median = 0;                 //
  Extended Mean = 0;                   //
  Extended StdDev = 0;                 //
  Extended LowerCredibilityLimit = 0;  // the quantile at v/100 x 0.5
  Extended UpperCredibilityLimit = 0;  // the quantile at 1 - v/100 x 0.5
  bool AntiMode = false;               // n < 1: the mode label reads "anti-mode"
};

// The figures of a fit, the credibility limits at the judgements' credibility level.
TFitFigures FiguresOf(const Fit& fit);

struct PlotOutcome : FitOutcome {
  TFitFigures Figures;   // of the fit, when there is one
  TGraphSamples Graphs;  // every graph of the fit, when asked for
};

// The plot command's computation: the fit (FitJudgements), its figures and, when asked,
// its graphs. A fit whose graphs a chart cannot hold is refused like judgements that
// cannot be fitted. Arithmetic faults raise EMathError. Nothing is presented here.
struct PlotOptions {
  bool WithGraphs = true;
  TBoundsPath Path = TBoundsPath::Screened;
};
PlotOutcome ComputePlot(const Judgements& judgements, const PlotOptions& options = {});

// The judgements of a fit as one line: "a_p = 6.5, p = 10 %, m = 7.0, b_r = 10.5, r = 90 %,
// n = 7.0", with x_s and s in place of n in additional-quantile mode.
std::string DescribeJudgements(const TypedJudgements& judgements);

// The levels of the fitted quantiles the feedback window lists, in percent.
inline constexpr std::array<int, 9> kQuantileLevels{1, 5, 10, 25, 50, 75, 90, 95, 99};
// The fit's quantiles at kQuantileLevels.
std::array<Extended, 9> FittedQuantiles(const TwoSidedPower& fit);
// P(x1 < X <= x2); 0 when x2 <= x1.
Extended ProbabilityBetween(const TwoSidedPower& fit, Extended x1, Extended x2);

// The credibility limits of the distribution at credibility level v (percent outside the
// interval): the quantiles at v/100 x 0.5 and 1 - v/100 x 0.5.
std::pair<Extended, Extended> CredibilityLimits(const TwoSidedPower& fit, Level level);
