#include "FitOutput.h"

#include <cmath>
#include <string_view>

#include "FloatErrors.h"
#include "NumberText.h"

namespace {

// The width of a table label, as the feedback window's panels line up.
constexpr std::size_t kLabelWidth = 28;

void WriteRow(std::ostream& out, std::string_view label, Extended value) {
  std::string line = "  " + std::string(label);
  if (line.size() < kLabelWidth)
    line.resize(kLabelWidth, ' ');
  else
    line += ' ';
  out << line << FormatNumber(value) << "\n";
}

// JSON numbers are doubles: a figure a double cannot hold cannot be written as one.
double JsonDouble(Extended value, std::string_view remedy) {
  const double rounded = static_cast<double>(value);
  if (!std::isfinite(rounded)) {
    throw EFitError("The fit's numbers lie beyond 1.7e308, which JSON numbers cannot hold. " +
                    std::string(remedy));
  }
  if (rounded == 0 && value != 0) {
    throw EFitError(
        "The fit's numbers include one below 4.9e-324 in size but not zero, which JSON "
        "numbers cannot hold. " +
        std::string(remedy));
  }
  return rounded;
}

// A probability is written as 0 where it lies below the smallest double: its size is then
// far below the precision of any level.
double JsonProbability(Extended value, std::string_view remedy) {
  const double rounded = static_cast<double>(value);
  return rounded == 0 ? 0 : JsonDouble(value, remedy);
}

}  // namespace

TFitResult FitRequest(const TFitRequest& request) {
  TJudgementSheet judgements = request.Sheet;
  judgements.mode = static_cast<int>(request.Mode);
  TGTSPForm model;
  TAnalysisForm record(model);
  record.SetInputSource(&judgements);
  TFitResult result;
  bool refused = false;
  const TMessageSink messages = [&](TMessageKind, std::string_view text) {
    if (text == kNotFeasibleMessage) {
      refused = true;
      return;
    }
    result.Warnings.emplace_back(text);
  };
  std::optional<TPlotOutcome> outcome =
      ComputePlot(record, model, request.Credibility, messages, false);
  if (!outcome || refused)
    throw EFitError(std::string(kNotFeasibleMessage));
  result.Outcome = std::move(*outcome);
  const TFitFigures& f = result.Outcome.Figures;
  if (f.AntiMode)
    result.Warnings.emplace_back(kAntiModeWarning);
  if (result.Outcome.Mode == TFitMode::ExtraQuantile) {
    const Extended u = record.UniformExtraQuantile;
    const Extended l = record.LimitExtraQuantile;
    result.FeasibilityLower = u < l ? u : l;
    result.FeasibilityUpper = u < l ? l : u;
    result.UnmetPowers = record.LastPowerSearch().Unmet;
  }
  // The fit shown, whatever the search last tried.
  result.Model.LoadFit(f.LowerBound, f.UpperBound, f.ModeValue, f.Power);
  for (const TQuantileLevel& level : request.Quantiles)
    result.Quantiles.push_back(result.Model.Quantile(level.Percent / 100));
  for (const TProbePoint& probe : request.Probes)
    result.Probabilities.push_back(result.Model.Cdf(probe.Value));
  return result;
}

void WriteTable(std::ostream& out, const TFitRequest& request, const TFitResult& result) {
  const TFitFigures& f = result.Outcome.Figures;
  const bool power = result.Outcome.Mode == TFitMode::PowerParameter;
  out << "Two-sided power fit, "
      << (power ? "power parameter n given" : "additional quantile x_s given") << "\n\n";
  WriteRow(out, "Lower Bound (a)", f.LowerBound);
  WriteRow(out, "Upper Bound (b)", f.UpperBound);
  WriteRow(out, "Power Parameter n", f.Power);
  WriteRow(out, "Mode Probability Q", f.ModeProbability);
  WriteRow(out, f.AntiMode ? "anti-mode" : "mode", f.ModeValue);
  WriteRow(out, "Median", f.Median);
  WriteRow(out, "Mean", f.Mean);
  WriteRow(out, "Standard Deviation", f.StdDev);
  WriteRow(out, "Lower Credibility Limit", f.LowerCredibilityLimit);
  WriteRow(out, "Upper Credibility Limit", f.UpperCredibilityLimit);
  // Wide, in case a caller lets a level beyond 0 to 100 through.
  out << "\n  " << 100LL - request.Credibility << "% Credibility Interval\n";
  if (!power) {
    out << "  Boundaries for Additional Quantile that Guarantee TSP feasibility:\n"
        << "  Lower Bound x_s " << FormatNumber(result.FeasibilityLower) << "   Upper Bound x_s "
        << FormatNumber(result.FeasibilityUpper) << "\n";
    out << "  Powers n that fit x_s:";
    for (const Extended n : result.Outcome.Powers)
      out << " " << FormatNumber(n);
    out << "\n";
    if (!result.UnmetPowers.empty()) {
      // A bracket narrower than the number text shows is one number.
      out << "  F(x_s) also crosses s, not met to the tolerance, at n:";
      for (const TPowerRoot& root : result.UnmetPowers) {
        const std::string low = FormatNumber(root.CellLow);
        const std::string high = FormatNumber(root.CellHigh);
        out << " " << (low == high ? low : "[" + low + ", " + high + "]");
      }
      out << "\n";
    }
  }
  if (!request.Quantiles.empty() || !request.Probes.empty())
    out << "\n";
  for (std::size_t i = 0; i < request.Quantiles.size(); ++i)
    WriteRow(out, "Quantile " + request.Quantiles[i].Text + "%", result.Quantiles[i]);
  for (std::size_t i = 0; i < request.Probes.size(); ++i)
    WriteRow(out, "P(X <= " + request.Probes[i].Text + ")", result.Probabilities[i]);
}

nlohmann::ordered_json FitJson(const TFitRequest& request, const TFitResult& result,
                               std::string_view remedy) {
  const TFitFigures& f = result.Outcome.Figures;
  const auto JsonNumber = [remedy](Extended value) { return JsonDouble(value, remedy); };
  nlohmann::ordered_json out = {
      {"a", JsonNumber(f.LowerBound)},
      {"b", JsonNumber(f.UpperBound)},
      {"n", JsonNumber(f.Power)},
      {"q", JsonNumber(f.ModeProbability)},
      {"m", JsonNumber(f.ModeValue)},
      {"median", JsonNumber(f.Median)},
      {"mean", JsonNumber(f.Mean)},
      {"sd", JsonNumber(f.StdDev)},
      {"lower_credibility_limit", JsonNumber(f.LowerCredibilityLimit)},
      {"upper_credibility_limit", JsonNumber(f.UpperCredibilityLimit)},
  };
  if (result.Outcome.Mode == TFitMode::ExtraQuantile) {
    out["feasibility_lower"] = JsonNumber(result.FeasibilityLower);
    out["feasibility_upper"] = JsonNumber(result.FeasibilityUpper);
    nlohmann::ordered_json powers = nlohmann::ordered_json::array();
    for (const Extended n : result.Outcome.Powers)
      powers.push_back(JsonNumber(n));
    out["powers"] = std::move(powers);
    if (!result.UnmetPowers.empty()) {
      nlohmann::ordered_json unmet = nlohmann::ordered_json::array();
      for (const TPowerRoot& root : result.UnmetPowers)
        unmet.push_back({JsonNumber(root.CellLow), JsonNumber(root.CellHigh)});
      out["unmet_powers"] = std::move(unmet);
    }
  }
  if (!request.Quantiles.empty()) {
    nlohmann::ordered_json quantiles = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < request.Quantiles.size(); ++i)
      quantiles[request.Quantiles[i].Text] = JsonNumber(result.Quantiles[i]);
    out["quantiles"] = std::move(quantiles);
  }
  if (!request.Probes.empty()) {
    nlohmann::ordered_json probabilities = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < request.Probes.size(); ++i)
      probabilities[request.Probes[i].Text] = JsonProbability(result.Probabilities[i], remedy);
    out["probabilities"] = std::move(probabilities);
  }
  return out;
}

std::string JsonText(const nlohmann::ordered_json& value, int indent) {
  return value.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

nlohmann::ordered_json ErrorJson(const std::string& message) {
  return nlohmann::ordered_json{{"error", message}};
}
