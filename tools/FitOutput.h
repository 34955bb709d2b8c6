// One fit of the command-line fitter and the ways it is written: the table of the
// feedback window's numbers, one JSON object, one CSV row.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "FitOptions.h"
#include "GTSPUnit.h"
#include "PlotComputation.h"
#include "PowerSearch.h"

// The figures of one fit with what the request asked for besides.
struct TFitResult {
  TPlotOutcome Outcome;
  // The feasibility bounds of x_s, in additional-quantile mode.
  Extended FeasibilityLower = 0;
  Extended FeasibilityUpper = 0;
  // Quantile at each level of the request, and P(X <= x) at each probe, in order.
  std::vector<Extended> Quantiles;
  std::vector<Extended> Probabilities;
  // Sign changes of F(x_s) - s whose tolerance the search could not meet, with their
  // brackets, in additional-quantile mode.
  std::vector<TPowerRoot> UnmetPowers;
  // The advisory messages the windows would show, in order.
  std::vector<std::string> Warnings;
  // The fitted distribution.
  TGTSPForm Model;
};

// Fits the request as the plot command would. An infeasible additional quantile and
// judgements that cannot be fitted raise EFitError with the windows' message; arithmetic
// faults raise EMathError.
TFitResult FitRequest(const TFitRequest& request);

// The table: the ten result panels as number text, the credibility interval's caption,
// the feasibility bounds in additional-quantile mode, then each quantile and probability.
void WriteTable(std::ostream& out, const TFitRequest& request, const TFitResult& result);

// What the refusal of a figure beyond a double advises by default.
inline constexpr std::string_view kJsonRemedy =
    "Leave out --json to read them as number text, or express the quantity in another unit.";

// The figures as one JSON object, as doubles. A figure that a double cannot hold (beyond
// 1.7e308, or not zero but rounding to zero) raises EFitError with a message that ends
// with `remedy`.
nlohmann::ordered_json FitJson(const TFitRequest& request, const TFitResult& result,
                               std::string_view remedy = kJsonRemedy);

// Text of a JSON value for messages and output: invalid UTF-8 cannot occur in what this
// tool writes, and would be replaced rather than abort.
std::string JsonText(const nlohmann::ordered_json& value, int indent = -1);

// The JSON object of a refusal.
nlohmann::ordered_json ErrorJson(const std::string& message);
