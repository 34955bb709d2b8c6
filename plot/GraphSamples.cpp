#include "GraphSamples.h"

#include <cmath>
#include <limits>

namespace {

// A chart holds doubles. A sample beyond their range would overflow in the conversion and
// end the plot with a bare arithmetic error; it is refused in words instead.
double ToChartValue(Extended v) {
  if (!(std::fabs(v) <= static_cast<Extended>(std::numeric_limits<double>::max()))) {
    throw EFitError(
        "The graphs of this fit need numbers beyond 1e308, more than a chart can draw. Express "
        "the quantity in a unit that brings the judgements and the distances between them "
        "nearer to 1.");
  }
  return static_cast<double>(v);
}

TPlotPoint ToPlot(SamplePoint p) {
  return {ToChartValue(p.X), ToChartValue(p.Y)};
}
TPlotPoint ToPlot(Extended x, Extended y) {
  return ToPlot(SamplePoint{x, y});
}

TPointList AllOf(const TGraphSamples::TSampleArray& samples) {
  TPointList points;
  points.reserve(samples.size());
  for (const SamplePoint& s : samples)
    points.push_back(ToPlot(s));
  return points;
}

template <typename Function>
void SampleGrid(const TwoSidedPower& d, TGraphSamples::TSampleArray& samples, Function f) {
  const auto grid = TGraphSamples::SupportGrid(d);
  for (std::size_t i = 0; i < grid.size(); ++i)
    samples[i] = {grid[i], f(grid[i])};
}

// The powers of the sweep, n = 0.05, 0.10, ... 10 (the integer times the step, not a
// running sum), then the probes of the sweep charts' markers. Beyond a fitted n above 10
// the sweep reaches further, to the first of 20, 50, 100, 200, ... at least 1.25 n.
constexpr int kSweepSteps = TGraphSamples::kSampleCount - 1;
constexpr Extended kProbes[] = {10.0L, 1.0L, 2.0L};

Extended SweepEnd(Extended fittedPower) {
  Extended end = 10;
  constexpr Extended kFactors[] = {2, 2.5L, 2};
  // 10000 is the largest power fitted: 20000 ends the sweep at the latest.
  for (int i = 0; i < 24 && end < Checked(fittedPower * 1.25L); ++i)
    end = Checked(end * kFactors[i % 3]);
  return end;
}

std::vector<Extended> SweepPowers(Extended end) {
  std::vector<Extended> powers;
  powers.reserve(kSweepSteps + std::size(kProbes));
  const Extended step = end == 10 ? 0.05L : Checked(end / kSweepSteps);
  for (int i = 1; i <= kSweepSteps; ++i)
    powers.push_back(Checked(i * step));
  for (const Extended n : kProbes)
    powers.push_back(n);
  return powers;
}

// One sweep chart's markers: the n -> 0 point, the probes at n = 10, 1, 2, and the fitted
// point. value() takes q, a or b from a solution. A probe that would stand on another's
// label at the scale of a longer sweep is left out: 1 and 2 beyond a sweep to 20, 10
// beyond one to 200.
template <typename Value>
TPointList SweepMarks(const std::vector<BoundsSolution>& solved, SamplePoint atZero, Value value,
                      const BoundsSolution& fitted, Extended fittedPower, Extended end) {
  TPointList marks{ToPlot(atZero)};
  for (std::size_t k = 0; k < std::size(kProbes); ++k) {
    if (end <= 20 || (kProbes[k] == 10 && end <= 200))
      marks.push_back(ToPlot(kProbes[k], value(solved[kSweepSteps + k])));
  }
  marks.push_back(ToPlot(fittedPower, value(fitted)));
  return marks;
}

void SampleDensity(const Fit& fit, TGraphSamples& g) {
  const TwoSidedPower& d = fit.Distribution;
  const Judgements& j = fit.Given;
  SampleGrid(d, g.PdfSamples, [&d](Extended x) { return Pdf(d, x); });
  // Below n = 1 the density is unbounded at the support ends, which the line leaves out.
  const bool withEnds = fit.Power() >= 1;
  g.DensityLine.clear();
  g.DensityLine.reserve(TGraphSamples::kSampleCount);
  for (int i = withEnds ? 0 : 1;
       i < (withEnds ? TGraphSamples::kSampleCount : TGraphSamples::kSampleCount - 1); ++i) {
    g.DensityLine.push_back(ToPlot(g.PdfSamples[static_cast<std::size_t>(i)]));
  }
  g.DensityMarks = {ToPlot(g.PdfSamples.front()), ToPlot(g.PdfSamples.back())};
  for (const Extended x : {j.LowerQuantile, j.ModeValue, j.UpperQuantile})
    g.DensityMarks.push_back(ToPlot(x, Pdf(d, x)));
  if (j.Mode() == FitMode::ExtraQuantile)
    g.DensityMarks.push_back(ToPlot(j.ExtraQuantile, Pdf(d, j.ExtraQuantile)));
}

void SampleDistribution(const Fit& fit, TGraphSamples& g) {
  const TwoSidedPower& d = fit.Distribution;
  const Judgements& j = fit.Given;
  SampleGrid(d, g.CdfSamples, [&d](Extended x) { return Cdf(d, x); });
  g.DistributionLine = AllOf(g.CdfSamples);
  g.DistributionMarks = {ToPlot(g.CdfSamples.front()), ToPlot(g.CdfSamples.back())};
  for (const Extended x : {j.LowerQuantile, j.ModeValue, j.UpperQuantile})
    g.DistributionMarks.push_back(ToPlot(x, Cdf(d, x)));
  if (j.Mode() == FitMode::ExtraQuantile)
    g.DistributionMarks.push_back(ToPlot(j.ExtraQuantile, Cdf(d, j.ExtraQuantile)));
}

void SweepPower(const Fit& fit, TBoundsPath path, TGraphSamples& g) {
  const Judgements& j = fit.Given;
  const Extended ap = j.LowerQuantile;
  const Extended br = j.UpperQuantile;
  g.ModeSweep[0] = {0, Checked((j.ModeValue - ap) / (br - ap))};
  g.LowerSweep[0] = {0, ap};
  g.UpperSweep[0] = {0, br};
  const Extended end = SweepEnd(fit.Power());
  const std::vector<Extended> powers = SweepPowers(end);
  const std::vector<BoundsSolution> solved = SolveBoundsAt(j, powers, path, fit.ModeProbability);
  for (int i = 1; i <= kSweepSteps; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const Extended n = powers[k - 1];
    const BoundsSolution& s = solved[k - 1];
    g.ModeSweep[k] = {n, s.ModeProbability};
    g.LowerSweep[k] = {n, s.LowerBound};
    g.UpperSweep[k] = {n, s.UpperBound};
  }

  const BoundsSolution fitted{fit.LowerBound(), fit.UpperBound(), fit.ModeProbability, 0};
  const Extended n = fit.Power();
  g.ModeLine = AllOf(g.ModeSweep);
  const Extended limit = TGraphSamples::ReferenceModeLimit(fit);
  g.ModeLimitLine = {ToPlot(0, limit), ToPlot(end, limit)};
  g.ModeMarks = SweepMarks(
      solved, g.ModeSweep[0], [](const BoundsSolution& s) { return s.ModeProbability; }, fitted, n,
      end);
  g.LowerLine = AllOf(g.LowerSweep);
  g.LowerMarks = SweepMarks(
      solved, g.LowerSweep[0], [](const BoundsSolution& s) { return s.LowerBound; }, fitted, n,
      end);
  g.UpperLine = AllOf(g.UpperSweep);
  g.UpperMarks = SweepMarks(
      solved, g.UpperSweep[0], [](const BoundsSolution& s) { return s.UpperBound; }, fitted, n,
      end);
}

void ScanExtraQuantile(const Fit& fit, TGraphSamples& g) {
  const Extended log10e = Checked(1 / Ln(10.0L));
  auto decade = [log10e](Extended n) { return Checked(Ln(n) * log10e); };
  g.ExtraQuantileLine.clear();
  for (const TPowerSample& sample : fit.SearchCurve)
    g.ExtraQuantileLine.push_back(ToPlot(decade(sample.Power), sample.Cdf));
  const Extended s = fit.Given.LevelOf(LevelField::Extra).Fraction();
  g.ExtraLevelLine = {ToPlot(decade(kSmallestSearchedPower), s),
                      ToPlot(decade(kLargestSearchedPower), s)};
  g.ExtraQuantileMarks.clear();
  for (const Extended n : fit.Powers)
    g.ExtraQuantileMarks.push_back(ToPlot(decade(n), s));
  g.ExtraQuantilePowers = fit.Powers;
}

}  // namespace

TGraphSamples SampleGraphs(const Fit& fit, TBoundsPath path) {
  TFloatScope scope;
  TGraphSamples g;
  SampleDensity(fit, g);
  SampleDistribution(fit, g);
  SweepPower(fit, path, g);
  if (fit.Given.Mode() == FitMode::ExtraQuantile)
    ScanExtraQuantile(fit, g);
  return g;
}

Extended TGraphSamples::ReferenceModeLimit(const Fit& fit) {
  TFloatScope scope;
  const Judgements& j = fit.Given;
  const bool atZero = !(j.LevelOf(LevelField::Lower).Fraction() > 0);
  const bool atOne = !(j.LevelOf(LevelField::Upper).Fraction() < 1);
  if (!atZero && !atOne)
    return fit.ModeProbabilityLimit;
  // With p = 0 and r = 1 the bounds are a_p and b_r for every n.
  if (atZero && atOne) {
    const Extended ap = j.LowerQuantile;
    return Checked((j.ModeValue - ap) / (j.UpperQuantile - ap));
  }
  // With a fixed at a_p, b grows without bound as n does, and q falls to 0; with b fixed
  // at b_r, a falls without bound and q rises to 1.
  return atZero ? 0 : 1;
}

std::array<Extended, TGraphSamples::kSampleCount> TGraphSamples::SupportGrid(
    const TwoSidedPower& d) {
  const Extended a = d.Lower();
  const Extended m = d.Mode();
  const Extended left = Checked((m - a) / 100);
  const Extended right = Checked((d.Upper() - m) / 100);
  std::array<Extended, kSampleCount> grid{};
  for (int i = 0; i < kSampleCount; ++i)
    grid[static_cast<std::size_t>(i)] = Checked(i <= 100 ? i * left + a : (i - 100) * right + m);
  return grid;
}
