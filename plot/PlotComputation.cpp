#include "PlotComputation.h"

#include <stdexcept>

#include "FitCheck.h"

namespace {

TFitMode ModeOf(const TAnalysisForm& record) {
  if (record.InputSource() == nullptr)
    throw std::logic_error("plot: no input window attached");
  return record.InputSource()->ModeIndex() == 0 ? TFitMode::PowerParameter
                                                : TFitMode::ExtraQuantile;
}

}  // namespace

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

std::optional<TPlotOutcome> ComputePlot(TAnalysisForm& record, TGTSPForm& model,
                                        int credibilityLevel, const TMessageSink& messages,
                                        bool withGraphs) {
  TFloatScope scope;
  record.ReadInputs();
  TPlotOutcome outcome;
  outcome.Mode = ModeOf(record);
  CheckJudgements(record, outcome.Mode);

  if (outcome.Mode == TFitMode::PowerParameter) {
    record.SolveBounds();
    if (Checked((1 - record.UpperLevel) * record.LowerLevel) != 0) {
      record.ModeProbabilityLimit = record.LimitModeProbability();
    }
  } else {
    if (const auto advice = SideRecommendation(record))
      messages(TMessageKind::Error, *advice);
    ComputeFeasibilityBounds(record);
    const Extended xs = record.ExtraQuantile;
    const bool feasible =
        Checked((xs - record.UniformExtraQuantile) * (xs - record.LimitExtraQuantile)) < 0;
    if (!feasible) {
      messages(TMessageKind::Error, kNotFeasibleMessage);
      return std::nullopt;
    }
    record.SearchPower();
  }
  CheckFit(record);

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
