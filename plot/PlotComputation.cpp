#include "PlotComputation.h"

std::string DescribeJudgements(const TypedJudgements& j) {
  const auto text = [&j](NumberField f) { return j.Text(f); };
  const auto level = [&j](LevelField f) { return j.LevelOf(f).Text() + " %"; };
  std::string line = "a_p = " + text(NumberField::LowerQuantile) +
                     ", p = " + level(LevelField::Lower) + ", m = " + text(NumberField::ModeValue) +
                     ", b_r = " + text(NumberField::UpperQuantile) +
                     ", r = " + level(LevelField::Upper);
  if (j.Mode == FitMode::PowerParameter) {
    line += ", n = " + text(NumberField::Power);
  } else {
    line += ", x_s = " + text(NumberField::ExtraQuantile) + ", s = " + level(LevelField::Extra);
  }
  return line;
}

std::array<Extended, 9> FittedQuantiles(const TwoSidedPower& fit) {
  TFloatScope scope;
  std::array<Extended, 9> quantiles{};
  for (std::size_t i = 0; i < kQuantileLevels.size(); ++i) {
    quantiles[i] = Quantile(fit, Checked(static_cast<Extended>(kQuantileLevels[i]) / 100));
  }
  return quantiles;
}

Extended ProbabilityBetween(const TwoSidedPower& fit, Extended x1, Extended x2) {
  TFloatScope scope;
  if (!(x1 < x2)) {
    return 0;
  }
  return Checked(Cdf(fit, x2) - Cdf(fit, x1));
}

std::pair<Extended, Extended> CredibilityLimits(const TwoSidedPower& fit, Level level) {
  TFloatScope scope;
  const Extended tail = Checked(level.Fraction() * 0.5L);
  const Extended lower = Quantile(fit, tail);
  const Extended upper = Quantile(fit, Checked(1 - tail));
  return {lower, upper};
}

TFitFigures FiguresOf(const Fit& fit) {
  TFloatScope scope;
  const TwoSidedPower& d = fit.Distribution;
  TFitFigures f;
  f.LowerBound = fit.LowerBound();
  f.UpperBound = fit.UpperBound();
  f.ModeProbability = fit.ModeProbability;
  f.ModeValue = fit.ModeValue();
  f.Power = fit.Power();
  f.AntiMode = fit.AntiMode();
  std::tie(f.LowerCredibilityLimit, f.UpperCredibilityLimit) =
      CredibilityLimits(d, fit.Given.Credibility());
  f.Median = Quantile(d, 0.5L);
  f.Mean = Mean(d);
  f.StdDev = StdDev(d);
  return f;
}

PlotOutcome ComputePlot(const Judgements& judgements, const PlotOptions& options) {
  TFloatScope scope;
  PlotOutcome outcome;
  static_cast<FitOutcome&>(outcome) = FitJudgements(judgements, options.Path);
  if (!outcome.Fitted)
    return outcome;
  outcome.Figures = FiguresOf(*outcome.Fitted);
  if (options.WithGraphs) {
    try {
      outcome.Graphs = SampleGraphs(*outcome.Fitted, options.Path);
    } catch (const EFitError& refusal) {
      outcome.Messages.push_back({MessageKind::Error, refusal.what()});
      outcome.Fitted.reset();
    }
  }
  return outcome;
}
