// What the plot command and the feasibility display compute, apart from any window: the
// fit in the window's mode, the figures of the result panels and the graph samples. The
// windows present the outcome; the command-line fitter prints it.
#pragma once

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

struct TPlotOutcome {
  TFitMode Mode = TFitMode::PowerParameter;
  TFitFigures Figures;
  TGraphSamples Graphs;
};

// The feasibility bounds of an additional quantile as the window shows them.
struct TFeasibilityBounds {
  Extended Smaller = 0;
  Extended Larger = 0;
};

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
std::optional<TPlotOutcome> ComputePlot(TAnalysisForm& record, TGTSPForm& model,
                                        int credibilityLevel, const TMessageSink& messages,
                                        bool withGraphs = true);
