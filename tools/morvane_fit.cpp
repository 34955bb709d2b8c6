// morvane-fit: fits a two-sided power distribution to an expert's judgements from the
// command line and prints the numbers the feedback window shows.
//
// Exit status: 0 with a fit, 1 when the judgements cannot be fitted (with the message the
// windows would show), 2 on a usage error.
#include <CLI/CLI.hpp>
#include <array>
#include <cmath>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "FloatErrors.h"
#include "JudgementSheet.h"
#include "MorvaneVersion.h"
#include "NumberText.h"
#include "PlotComputation.h"

namespace {

void PrintTable(const TPlotOutcome& outcome, const TAnalysisForm& record, int credibility) {
  const TFitFigures& f = outcome.Figures;
  const bool power = outcome.Mode == TFitMode::PowerParameter;
  std::cout << "Two-sided power fit, "
            << (power ? "power parameter n given" : "additional quantile x_s given") << "\n\n";
  const std::pair<const char*, Extended> rows[] = {
      {"Lower Bound (a)", f.LowerBound},
      {"Upper Bound (b)", f.UpperBound},
      {"Power Parameter n", f.Power},
      {"Mode Probability Q", f.ModeProbability},
      {f.AntiMode ? "anti-mode" : "mode", f.ModeValue},
      {"Median", f.Median},
      {"Mean", f.Mean},
      {"Standard Deviation", f.StdDev},
      {"Lower Credibility Limit", f.LowerCredibilityLimit},
      {"Upper Credibility Limit", f.UpperCredibilityLimit},
  };
  for (const auto& [label, value] : rows) {
    std::string line = "  " + std::string(label);
    line.resize(28, ' ');
    std::cout << line << FormatNumber(value) << "\n";
  }
  std::cout << "\n  " << 100 - credibility << "% Credibility Interval\n";
  if (!power) {
    const Extended u = record.UniformExtraQuantile;
    const Extended l = record.LimitExtraQuantile;
    std::cout << "  Boundaries for Additional Quantile that Guarantee TSP feasibility:\n"
              << "  Lower Bound x_s " << FormatNumber(u < l ? u : l) << "   Upper Bound x_s "
              << FormatNumber(u < l ? l : u) << "\n";
    std::cout << "  Powers n that fit x_s:";
    for (const Extended n : outcome.Powers)
      std::cout << " " << FormatNumber(n);
    std::cout << "\n";
  }
}

nlohmann::ordered_json Json(const TPlotOutcome& outcome, const TAnalysisForm& record) {
  const TFitFigures& f = outcome.Figures;
  // JSON numbers are doubles: a figure beyond their range cannot be written as one.
  auto d = [](Extended v) {
    const double rounded = static_cast<double>(v);
    if (!std::isfinite(rounded)) {
      throw EFitError(
          "The fit's numbers lie beyond 1.7e308, which JSON numbers cannot hold. Leave out "
          "--json to read them as number text, or express the quantity in a larger unit.");
    }
    return rounded;
  };
  nlohmann::ordered_json out = {
      {"a", d(f.LowerBound)},
      {"b", d(f.UpperBound)},
      {"n", d(f.Power)},
      {"q", d(f.ModeProbability)},
      {"m", d(f.ModeValue)},
      {"median", d(f.Median)},
      {"mean", d(f.Mean)},
      {"sd", d(f.StdDev)},
      {"lower_credibility_limit", d(f.LowerCredibilityLimit)},
      {"upper_credibility_limit", d(f.UpperCredibilityLimit)},
  };
  if (outcome.Mode == TFitMode::ExtraQuantile) {
    const Extended u = record.UniformExtraQuantile;
    const Extended l = record.LimitExtraQuantile;
    out["feasibility_lower"] = d(u < l ? u : l);
    out["feasibility_upper"] = d(u < l ? l : u);
    nlohmann::ordered_json powers = nlohmann::ordered_json::array();
    for (const Extended n : outcome.Powers)
      powers.push_back(d(n));
    out["powers"] = powers;
  }
  return out;
}

int Fail(const std::string& message, bool json) {
  if (json) {
    std::cout << nlohmann::json{{"error", message}}.dump() << "\n";
  } else {
    std::cerr << "morvane-fit: " << message << "\n";
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // The judgements as the input window would show them after typing the options in.
  TJudgementSheet judgements;
  int credibility = 10;
  bool json = false;

  CLI::App app{
      "Fits a two-sided power distribution to an expert's judgements and prints the numbers "
      "of the feedback window. Levels are whole percentages; every option defaults to the "
      "input window's initial value.",
      "morvane-fit"};
  app.set_version_flag("--version", std::string(app.get_name()) + " " + MORVANE_VERSION);
  app.add_option("--ap", judgements.Text(TNumberField::LowerQuantile), "lower quantile a_p")
      ->capture_default_str();
  app.add_option("--p", judgements.Level(TLevelField::Lower), "level p of a_p, in percent")
      ->capture_default_str();
  app.add_option("--m", judgements.Text(TNumberField::ModeValue), "most likely value m")
      ->capture_default_str();
  app.add_option("--br", judgements.Text(TNumberField::UpperQuantile), "upper quantile b_r")
      ->capture_default_str();
  app.add_option("--r", judgements.Level(TLevelField::Upper), "level r of b_r, in percent")
      ->capture_default_str();
  auto* power = app.add_option("--n", judgements.Text(TNumberField::Power), "power parameter n")
                    ->capture_default_str();
  auto* extra = app.add_option("--xs", judgements.Text(TNumberField::ExtraQuantile),
                               "additional quantile x_s, instead of n")
                    ->capture_default_str();
  auto* level =
      app.add_option("--s", judgements.Level(TLevelField::Extra), "level s of x_s, in percent")
          ->capture_default_str();
  app.add_option("--credibility", credibility,
                 "credibility level: percent of probability outside the interval")
      ->capture_default_str();
  app.add_flag("--json", json, "print one JSON object");
  power->excludes(extra);
  level->needs(extra);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    return status == 0 ? 0 : 2;
  }
  judgements.mode = extra->count() > 0 ? 1 : 0;

  TGTSPForm model;
  TAnalysisForm record(model);
  record.SetInputSource(&judgements);
  std::string refusal;
  const TMessageSink messages = [&](TMessageKind kind, std::string_view text) {
    if (IsNotFeasibleMessage(text)) {
      refusal = text;
      return;
    }
    std::cerr << (kind == TMessageKind::Error ? "Error: " : "Warning: ") << text << "\n";
  };
  try {
    const auto outcome = ComputePlot(record, model, credibility, messages, false);
    if (!outcome)
      return Fail(refusal, json);
    if (outcome->Figures.AntiMode)
      messages(TMessageKind::Warning, kAntiModeWarning);
    if (json) {
      std::cout << Json(*outcome, record).dump(2) << "\n";
    } else {
      PrintTable(*outcome, record, credibility);
    }
  } catch (const EFitError& e) {
    return Fail(e.what(), json);
  } catch (const EMathError& e) {
    return Fail(e.what(), json);
  }
  return 0;
}
