#include "PlotComputation.h"

#include <stdexcept>

#include "FitCheck.h"
#include "NumberText.h"

namespace {

TFitMode ModeOf(const TAnalysisForm& record) {
  if (record.InputSource() == nullptr)
    throw std::logic_error("plot: no input window attached");
  return record.InputSource()->ModeIndex() == 0 ? TFitMode::PowerParameter
                                                : TFitMode::ExtraQuantile;
}

// Number text without the blanks that pad it to ten characters.
std::string Trimmed(Extended value) {
  std::string text = FormatNumber(value);
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

TFitJudgements JudgementsOf(const TJudgementSource& source) {
  TFitJudgements j;
  for (std::size_t i = 0; i < j.Texts.size(); ++i) {
    j.Texts[i] = source.NumberText(static_cast<TNumberField>(i));
  }
  for (std::size_t i = 0; i < j.Levels.size(); ++i) {
    j.Levels[i] = source.LevelValue(static_cast<TLevelField>(i));
  }
  return j;
}

}  // namespace

std::string DescribeJudgements(TFitMode mode, const TFitJudgements& j) {
  const auto text = [&j](TNumberField f) { return j.Texts[static_cast<std::size_t>(f)]; };
  const auto level = [&j](TLevelField f) {
    return std::to_string(j.Levels[static_cast<std::size_t>(f)]) + " %";
  };
  std::string line =
      "a_p = " + text(TNumberField::LowerQuantile) + ", p = " + level(TLevelField::Lower) +
      ", m = " + text(TNumberField::ModeValue) + ", b_r = " + text(TNumberField::UpperQuantile) +
      ", r = " + level(TLevelField::Upper);
  if (mode == TFitMode::PowerParameter) {
    line += ", n = " + text(TNumberField::Power);
  } else {
    line += ", x_s = " + text(TNumberField::ExtraQuantile) + ", s = " + level(TLevelField::Extra);
  }
  return line;
}

std::string NotFeasibleMessage(const TFeasibilityBounds& bounds) {
  return std::string(kNotFeasibleMessage) + "\nx_s must lie strictly between " +
         Trimmed(bounds.Smaller) + " and " + Trimmed(bounds.Larger) + ".";
}

bool IsNotFeasibleMessage(std::string_view text) {
  return text.substr(0, kNotFeasibleMessage.size()) == kNotFeasibleMessage;
}

std::array<Extended, 9> FittedQuantiles(const TGTSPForm& fit) {
  TFloatScope scope;
  std::array<Extended, 9> quantiles{};
  for (std::size_t i = 0; i < kQuantileLevels.size(); ++i) {
    quantiles[i] = fit.Quantile(Checked(static_cast<Extended>(kQuantileLevels[i]) / 100));
  }
  return quantiles;
}

Extended ProbabilityBetween(const TGTSPForm& fit, Extended x1, Extended x2) {
  TFloatScope scope;
  if (!(x1 < x2)) {
    return 0;
  }
  return Checked(fit.Cdf(x2) - fit.Cdf(x1));
}

std::optional<std::string_view> SideRecommendation(const TAnalysisForm& record) {
  TFloatScope scope;
  const Extended mid = Checked((record.LowerQuantile + record.UpperQuantile) / 2);
  const Extended m = record.ModeValue;
  const Extended xs = record.ExtraQuantile;
  if (m <= mid && xs < m)
    return kRecommendAbove;
  if (m >= mid && xs > m)
    return kRecommendBelow;
  return std::nullopt;
}

TFeasibilityBounds ComputeFeasibilityBounds(TAnalysisForm& record) {
  TFloatScope scope;
  CheckJudgements(record, TFitMode::ExtraQuantile);
  record.ModeProbabilityLimit = record.LimitModeProbability();
  record.UniformBounds();
  record.UniformExtraQuantile = record.UniformQuantile();
  record.LimitExtraQuantile = record.LimitQuantile();
  const Extended uniform = record.UniformExtraQuantile;
  const Extended limit = record.LimitExtraQuantile;
  return uniform < limit ? TFeasibilityBounds{uniform, limit} : TFeasibilityBounds{limit, uniform};
}

std::pair<Extended, Extended> CredibilityLimits(const TGTSPForm& model, int level) {
  TFloatScope scope;
  const Extended tail = Checked(static_cast<Extended>(level) / 100 * 0.5L);
  const Extended lower = model.Quantile(tail);
  const Extended upper = model.Quantile(Checked(1 - tail));
  return {lower, upper};
}

std::optional<TPlotOutcome> ComputePlot(
    TAnalysisForm& record, TGTSPForm& model, int credibilityLevel, const TMessageSink& messages,
    bool withGraphs, const std::function<void(const TFeasibilityBounds&)>& boundsComputed) {
  TFloatScope scope;
  record.ReadInputs();
  TPlotOutcome outcome;
  outcome.Mode = ModeOf(record);
  outcome.Judgements = JudgementsOf(*record.InputSource());
  CheckJudgements(record, outcome.Mode);

  if (outcome.Mode == TFitMode::PowerParameter) {
    record.SolveBounds();
    if (Checked((1 - record.UpperLevel) * record.LowerLevel) != 0) {
      record.ModeProbabilityLimit = record.LimitModeProbability();
    }
  } else {
    if (const auto advice = SideRecommendation(record))
      messages(TMessageKind::Error, *advice);
    const TFeasibilityBounds bounds = ComputeFeasibilityBounds(record);
    if (boundsComputed)
      boundsComputed(bounds);
    const Extended xs = record.ExtraQuantile;
    const bool feasible =
        Checked((xs - record.UniformExtraQuantile) * (xs - record.LimitExtraQuantile)) < 0;
    if (!feasible) {
      messages(TMessageKind::Error, NotFeasibleMessage(bounds));
      return std::nullopt;
    }
    record.SearchPower();
    outcome.Powers = record.LastPowerSearch().Powers;
  }
  CheckFit(record, outcome.Mode);

  TFitFigures& f = outcome.Figures;
  f.LowerBound = record.LowerBound;
  f.UpperBound = record.UpperBound;
  f.ModeProbability = record.ModeProbability;
  f.ModeValue = record.ModeValue;
  f.Power = record.Power;
  f.AntiMode = record.Power < 1;
  record.CopyFitToModel();
  std::tie(f.LowerCredibilityLimit, f.UpperCredibilityLimit) =
      CredibilityLimits(model, credibilityLevel);
  f.Median = model.Quantile(0.5L);
  f.Mean = model.Mean();
  f.StdDev = model.StdDev();

  if (withGraphs)
    outcome.Graphs.Compute(record, model, outcome.Mode);
  return outcome;
}
