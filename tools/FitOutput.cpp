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
  TFitResult result;
  PlotOutcome& outcome = result.Outcome;
  try {
    outcome = ComputePlot(ReadJudgements(request.Sheet), PlotOptions{false});
  } catch (const EInputError& refusal) {
    outcome.Messages.push_back({MessageKind::Error, refusal.what()});
  }
  for (const Message& message : outcome.Messages) {
    if (message.Kind == MessageKind::Warning)
      result.Warnings.push_back(message.Text);
  }
  if (!outcome.Fitted)
    return result;
  if (outcome.Figures.AntiMode)
    result.Warnings.emplace_back(kAntiModeWarning);
  result.Model = outcome.Fitted->Distribution;
  for (const TQuantileLevel& level : request.Quantiles)
    result.Quantiles.push_back(Quantile(result.Model, level.Percent / 100));
  for (const TProbePoint& probe : request.Probes)
    result.Probabilities.push_back(Cdf(result.Model, probe.Value));
  return result;
}

void WriteTable(std::ostream& out, const TFitRequest& request, const TFitResult& result) {
  const TFitFigures& f = result.Outcome.Figures;
  const Fit& fit = *result.Outcome.Fitted;
  const bool power = fit.Given.Mode() == FitMode::PowerParameter;
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
  out << "\n  " << 100LL - request.Credibility() << "% Credibility Interval\n";
  if (!power) {
    const FeasibilityBounds& bounds = *result.Outcome.Feasibility;
    out << "  Boundaries for Additional Quantile that Guarantee TSP feasibility:\n"
        << "  Lower Bound x_s " << FormatNumber(bounds.Smaller()) << "   Upper Bound x_s "
        << FormatNumber(bounds.Larger()) << "\n";
    out << "  Powers n that fit x_s:";
    for (const Extended n : fit.Powers)
      out << " " << FormatNumber(n);
    out << "\n";
    if (!fit.UnmetPowers.empty()) {
      // A bracket narrower than the number text shows is one number.
      out << "  F(x_s) also crosses s, not met to the tolerance, at n:";
      for (const TPowerRoot& root : fit.UnmetPowers) {
        const std::string low = FormatNumber(root.CellLow);
        const std::string high = FormatNumber(root.CellHigh);
        out << " " << (low == high ? low : "[" + low + ", " + high + "]");
      }
      out << "\n";
    }
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

TFigureValues FigureValues(const TFitResult& result, std::string_view remedy) {
  TFigureValues values;
  const auto number = [remedy](Extended value) { return JsonDouble(value, remedy); };
  const std::optional<FeasibilityBounds>& bounds = result.Outcome.Feasibility;
  if (!result.Fitted()) {
    // The refusal is what the row says; bounds a double cannot hold are left unsaid.
    if (bounds) {
      try {
        const double lower = number(bounds->Smaller());
        const double upper = number(bounds->Larger());
        values.Figures[10] = lower;
        values.Figures[11] = upper;
      } catch (const EFitError&) {
      }
    }
    return values;
  }
  const TFitFigures& f = result.Outcome.Figures;
  const Extended figures[] = {
      f.LowerBound, f.UpperBound, f.Power,  f.ModeProbability,       f.ModeValue,
      f.Median,     f.Mean,       f.StdDev, f.LowerCredibilityLimit, f.UpperCredibilityLimit};
  for (std::size_t i = 0; i < std::size(figures); ++i)
    values.Figures[i] = number(figures[i]);
  if (bounds) {
    values.Figures[10] = number(bounds->Smaller());
    values.Figures[11] = number(bounds->Larger());
    values.Powers.emplace();
    for (const Extended n : result.Outcome.Fitted->Powers)
      values.Powers->push_back(number(n));
    for (const TPowerRoot& root : result.Outcome.Fitted->UnmetPowers)
      values.UnmetPowers.push_back({number(root.CellLow), number(root.CellHigh)});
  }
  for (const Extended q : result.Quantiles)
    values.Quantiles.push_back(number(q));
  for (const Extended p : result.Probabilities)
    values.Probabilities.push_back(JsonProbability(p, remedy));
  return values;
}

nlohmann::ordered_json FitJson(const TFitRequest& request, const TFitResult& result,
                               std::string_view remedy) {
  const TFigureValues values = FigureValues(result, remedy);
  nlohmann::ordered_json out = nlohmann::ordered_json::object();
  if (!result.Fitted())
    out["error"] = result.Refusal();
  for (std::size_t i = 0; i < kFigureKeys.size(); ++i) {
    if (values.Figures[i])
      out[std::string(kFigureKeys[i])] = *values.Figures[i];
  }
  if (values.Powers)
    out["powers"] = *values.Powers;
  if (!values.UnmetPowers.empty()) {
    nlohmann::ordered_json unmet = nlohmann::ordered_json::array();
    for (const auto& [low, high] : values.UnmetPowers)
      unmet.push_back({low, high});
    out["unmet_powers"] = std::move(unmet);
  }
  if (!values.Quantiles.empty()) {
    nlohmann::ordered_json quantiles = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < request.Quantiles.size(); ++i)
      quantiles[request.Quantiles[i].Text] = values.Quantiles[i];
    out["quantiles"] = std::move(quantiles);
  }
  if (!values.Probabilities.empty()) {
    nlohmann::ordered_json probabilities = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < request.Probes.size(); ++i)
      probabilities[request.Probes[i].Text] = values.Probabilities[i];
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
