// One fit of the command-line fitter and the ways it is written: the table of the
// feedback window's numbers, one JSON object, one CSV row.
#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "FitOptions.h"
#include "PlotComputation.h"
#include "PowerSearch.h"
#include "TwoSidedPower.h"

// The figures of one fit with what the request asked for besides, or the refusal of the
// judgements with what the checks found before it (the feasibility bounds of x_s).
struct TFitResult {
  PlotOutcome Outcome;  // without graphs
  // Quantile at each level of the request, and P(X <= x) at each probe, in order.
  std::vector<Extended> Quantiles;
  std::vector<Extended> Probabilities;
  // Sign changes of F(x_s) - s whose tolerance the search could not meet, with their
  // brackets, in additional-quantile mode.
  std::vector<TPowerRoot> UnmetPowers;
  // The advisory messages the windows would show, in order.
  std::vector<std::string> Warnings;
  // The fitted distribution.
  TwoSidedPower Model;

  bool Fitted() const { return Outcome.Fitted.has_value(); }
  // The windows' message for judgements that cannot be fitted.
  std::string Refusal() const { return Outcome.Refusal().value_or(std::string()); }
};

// Fits the request as the plot command would. Judgements that cannot be fitted (an
// infeasible additional quantile, a text that is not a number) give a result without a fit
// whose Refusal() is the windows' message; arithmetic faults raise EMathError.
TFitResult FitRequest(const TFitRequest& request);

// The table: the ten result panels as number text, the credibility interval's caption,
// the feasibility bounds in additional-quantile mode, then each quantile and probability.
// Requires a fit.
void WriteTable(std::ostream& out, const TFitRequest& request, const TFitResult& result);

// What the refusal of a figure beyond a double advises by default.
inline constexpr std::string_view kJsonRemedy =
    "Leave out --json to read them as number text, or express the quantity in another unit.";

// The figures of a result as doubles, the JSON object and the CSV row are written from:
// each figure of kFigureKeys that the result has (the feasibility bounds in
// additional-quantile mode, fitted or refused), the powers that fit x_s, the quantiles and
// the probabilities. A figure of a fit that a double cannot hold (beyond 1.7e308, or not
// zero but rounding to zero) raises EFitError with a message that ends with `remedy`; the
// bounds of a refusal that a double cannot hold are left out.
inline constexpr std::array<std::string_view, 12> kFigureKeys{"a",
                                                              "b",
                                                              "n",
                                                              "q",
                                                              "m",
                                                              "median",
                                                              "mean",
                                                              "sd",
                                                              "lower_credibility_limit",
                                                              "upper_credibility_limit",
                                                              "feasibility_lower",
                                                              "feasibility_upper"};
struct TFigureValues {
  std::array<std::optional<double>, kFigureKeys.size()> Figures;
  std::optional<std::vector<double>> Powers;  // additional-quantile fits
  // Sign changes the search could not meet, as their brackets [low, high].
  std::vector<std::array<double, 2>> UnmetPowers;
  std::vector<double> Quantiles;      // fits
  std::vector<double> Probabilities;  // fits
};
TFigureValues FigureValues(const TFitResult& result, std::string_view remedy = kJsonRemedy);

// The figures as one JSON object, as doubles; a refusal as {"error": message} with the
// feasibility bounds after it. Raises as FigureValues does.
nlohmann::ordered_json FitJson(const TFitRequest& request, const TFitResult& result,
                               std::string_view remedy = kJsonRemedy);

// Text of a JSON value for messages and output: invalid UTF-8 cannot occur in what this
// tool writes, and would be replaced rather than abort.
std::string JsonText(const nlohmann::ordered_json& value, int indent = -1);

// The JSON object of a refusal.
nlohmann::ordered_json ErrorJson(const std::string& message);
