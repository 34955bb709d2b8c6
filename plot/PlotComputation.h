// What the plot command and the feasibility display compute, apart from any window: the
// fit in the window's mode, the figures of the result panels and the graph samples. The
// windows present the outcome; the command-line fitter prints it.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "AnalysisUnit.h"
#include "GTSPUnit.h"
#include "GraphSamples.h"
#include "Judgements.h"

// The texts of the plot command's messages.
inline constexpr std::string_view kNotFeasibleMessage =
    "Additional Quantile Specification not Feasible";
inline constexpr std::string_view kAntiModeWarning =
    "Your Estimate m is an anti-mode which is not consistent with a most likely estimate";
inline constexpr std::string_view kRecommendAbove =
    "It is recommended to elicit and additional quantile x_s > m with quantile level 0.80";
inline constexpr std::string_view kRecommendBelow =
    "It is recommended to elicit and additional quantile x_s < m with quantile level 0.20";

// The numbers of the ten result panels and the mode label.
struct TFitFigures {
  Extended LowerBound = 0;             // Panel1, a
  Extended UpperBound = 0;             // Panel2, b
  Extended Power = 0;                  // Panel3, n
  Extended ModeProbability = 0;        // Panel4, q
  Extended ModeValue = 0;              // Panel5, m
  Extended Median = 0;                 // Panel6
  Extended Mean = 0;                   // Panel7
  Extended StdDev = 0;                 // Panel8
  Extended LowerCredibilityLimit = 0;  // Panel13
  Extended UpperCredibilityLimit = 0;  // Panel14
  bool AntiMode = false;               // n < 1: the mode label reads "anti-mode"
};

// The judgements a fit was found from, as the input window held them.
struct TFitJudgements {
  std::array<std::string, 5> Texts;  // a_p, m, b_r, n, x_s, in the order of TNumberField
  std::array<int, 3> Levels{};       // p, r, s in percent, in the order of TLevelField
};

struct TPlotOutcome {
  TFitMode Mode = TFitMode::PowerParameter;
  TFitJudgements Judgements;
  TFitFigures Figures;
  TGraphSamples Graphs;
  // Additional-quantile mode: every power that fits x_s, ascending; Figures.Power is one.
  std::vector<Extended> Powers;
};

// The judgements of a fit as one line: "a_p = 6.5, p = 10 %, m = 7.0, b_r = 10.5, r = 90 %,
// n = 7.0", with x_s and s in place of n in additional-quantile mode.
std::string DescribeJudgements(TFitMode mode, const TFitJudgements& judgements);

// The feasibility bounds of an additional quantile as the window shows them.
struct TFeasibilityBounds {
  Extended Smaller = 0;
  Extended Larger = 0;
};

// The refusal of an infeasible x_s: kNotFeasibleMessage, then a line naming the bounds.
std::string NotFeasibleMessage(const TFeasibilityBounds& bounds);
bool IsNotFeasibleMessage(std::string_view text);

// The levels of the fitted quantiles the feedback window lists, in percent.
inline constexpr std::array<int, 9> kQuantileLevels{1, 5, 10, 25, 50, 75, 90, 95, 99};
// The fit's quantiles at kQuantileLevels.
std::array<Extended, 9> FittedQuantiles(const TGTSPForm& fit);
// P(x1 < X <= x2); 0 when x2 <= x1.
Extended ProbabilityBetween(const TGTSPForm& fit, Extended x1, Extended x2);

// The side recommendation for the record's x_s, if any: m <= (a_p + b_r)/2 with x_s < m
// advises x_s > m; m >= the midpoint with x_s > m advises x_s < m.
std::optional<std::string_view> SideRecommendation(const TAnalysisForm& record);

// Computes q-limit, the uniform bounds and both feasibility bounds into the record, in the
// plot command's order, after refusing judgements they cannot be computed for.
TFeasibilityBounds ComputeFeasibilityBounds(TAnalysisForm& record);

// The credibility limits of the model's distribution at credibility level v (percent
// outside the interval): the quantiles at v/100 x 0.5 and 1 - v/100 x 0.5.
std::pair<Extended, Extended> CredibilityLimits(const TGTSPForm& model, int level);

// The plot command's computation: reads the judgements, fits them in the window's mode,
// loads the model and computes the figures and, when asked, every graph. Advisory and
// refusal messages go to `messages` as they arise; an infeasible additional quantile
// returns nothing. Judgements that cannot be fitted raise EFitError, arithmetic faults
// EMathError. Nothing is presented here.
// In additional-quantile mode `boundsComputed`, when given, receives the feasibility bounds
// as soon as they are computed, before the feasibility test.
std::optional<TPlotOutcome> ComputePlot(
    TAnalysisForm& record, TGTSPForm& model, int credibilityLevel, const TMessageSink& messages,
    bool withGraphs = true,
    const std::function<void(const TFeasibilityBounds&)>& boundsComputed = {});
