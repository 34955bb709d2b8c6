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

// The fit the plot command found, found again from the judgements the window shows.
void Refit(TAnalysisForm& record, TFitMode mode) {
  record.ReadInputs();
  if (mode == TFitMode::PowerParameter) {
    record.SolveBounds();
  } else {
    record.SearchPower();
  }
}

// One sweep chart's markers: the n -> 0 point, the probes at n = 10, 1, 2, and the
// fitted point after a re-fit. value() reads q, a or b from the record.
template <typename Value>
TPointList SweepMarks(TAnalysisForm& record, TFitMode mode, SamplePoint atZero, Value value) {
  TPointList marks{ToPlot(atZero)};
  for (const Extended n : {10.0L, 1.0L, 2.0L}) {
    record.Power = n;
    record.SolveBounds();
    marks.push_back(ToPlot(n, value(record)));
  }
  Refit(record, mode);
  marks.push_back(ToPlot(record.Power, value(record)));
  return marks;
}

}  // namespace

void TGraphSamples::Compute(TAnalysisForm& record, TGTSPForm& model, TFitMode mode) {
  TFloatScope scope;
  SamplePdf(model);
  PdfChartPoints(record, model, mode);
  SampleCdf(model);
  CdfChartPoints(record, model, mode);
  SweepPower(record);
  ModeChartPoints(record, mode);
  LowerBoundChartPoints(record, mode);
  UpperBoundChartPoints(record, mode);
}

namespace {

template <typename Function>
void SampleGrid(const TGTSPForm& model, TGraphSamples::TSampleArray& samples, Function f) {
  const Extended a = model.LowerBound;
  const Extended m = model.ModeValue;
  const Extended left = Checked((m - a) / 100);
  const Extended right = Checked((model.UpperBound - m) / 100);
  for (int i = 0; i < TGraphSamples::kSampleCount; ++i) {
    const Extended x = Checked(i <= 100 ? i * left + a : (i - 100) * right + m);
    samples[static_cast<std::size_t>(i)] = {x, f(x)};
  }
}

}  // namespace

void TGraphSamples::SamplePdf(const TGTSPForm& model) {
  TFloatScope scope;
  SampleGrid(model, PdfSamples, [&model](Extended x) { return model.Pdf(x); });
}

void TGraphSamples::SampleCdf(const TGTSPForm& model) {
  TFloatScope scope;
  SampleGrid(model, CdfSamples, [&model](Extended x) { return model.Cdf(x); });
}

void TGraphSamples::SweepPower(TAnalysisForm& record) {
  TFloatScope scope;
  const Extended ap = record.LowerQuantile;
  const Extended br = record.UpperQuantile;
  ModeSweep[0] = {0, Checked((record.ModeValue - ap) / (br - ap))};
  LowerSweep[0] = {0, ap};
  UpperSweep[0] = {0, br};
  for (int i = 1; i < kSampleCount; ++i) {
    // The integer times the step, not a running sum.
    const Extended n = Checked(i * 0.05L);
    record.Power = n;
    record.SolveBounds();
    const auto k = static_cast<std::size_t>(i);
    ModeSweep[k] = {n, record.ModeProbability};
    LowerSweep[k] = {n, record.LowerBound};
    UpperSweep[k] = {n, record.UpperBound};
  }
}

void TGraphSamples::PdfChartPoints(const TAnalysisForm& record, const TGTSPForm& model,
                                   TFitMode mode) {
  TFloatScope scope;
  // Below n = 1 the density is unbounded at the support ends, which the line leaves out.
  const bool withEnds = record.Power >= 1;
  DensityLine.clear();
  DensityLine.reserve(kSampleCount);
  for (int i = withEnds ? 0 : 1; i < (withEnds ? kSampleCount : kSampleCount - 1); ++i) {
    DensityLine.push_back(ToPlot(PdfSamples[static_cast<std::size_t>(i)]));
  }
  DensityMarks = {ToPlot(PdfSamples.front()), ToPlot(PdfSamples.back())};
  for (const Extended x : {record.LowerQuantile, record.ModeValue, record.UpperQuantile}) {
    DensityMarks.push_back(ToPlot(x, model.Pdf(x)));
  }
  if (mode == TFitMode::ExtraQuantile) {
    DensityMarks.push_back(ToPlot(record.ExtraQuantile, model.Pdf(record.ExtraQuantile)));
  }
}

void TGraphSamples::CdfChartPoints(const TAnalysisForm& record, const TGTSPForm& model,
                                   TFitMode mode) {
  TFloatScope scope;
  DistributionLine = AllOf(CdfSamples);
  DistributionMarks = {ToPlot(CdfSamples.front()), ToPlot(CdfSamples.back())};
  for (const Extended x : {record.LowerQuantile, record.ModeValue, record.UpperQuantile}) {
    DistributionMarks.push_back(ToPlot(x, model.Cdf(x)));
  }
  if (mode == TFitMode::ExtraQuantile) {
    DistributionMarks.push_back(ToPlot(record.ExtraQuantile, model.Cdf(record.ExtraQuantile)));
  }
}

void TGraphSamples::ModeChartPoints(TAnalysisForm& record, TFitMode mode) {
  TFloatScope scope;
  ModeLine = AllOf(ModeSweep);
  const Extended limit = ReferenceModeLimit(record);
  ModeLimitLine = {ToPlot(0, limit), ToPlot(10, limit)};
  ModeMarks = SweepMarks(record, mode, ModeSweep[0],
                         [](const TAnalysisForm& r) { return r.ModeProbability; });
}

void TGraphSamples::LowerBoundChartPoints(TAnalysisForm& record, TFitMode mode) {
  TFloatScope scope;
  LowerLine = AllOf(LowerSweep);
  LowerMarks =
      SweepMarks(record, mode, LowerSweep[0], [](const TAnalysisForm& r) { return r.LowerBound; });
}

void TGraphSamples::UpperBoundChartPoints(TAnalysisForm& record, TFitMode mode) {
  TFloatScope scope;
  UpperLine = AllOf(UpperSweep);
  UpperMarks =
      SweepMarks(record, mode, UpperSweep[0], [](const TAnalysisForm& r) { return r.UpperBound; });
}

Extended TGraphSamples::ReferenceModeLimit(const TAnalysisForm& record) {
  TFloatScope scope;
  const bool atZero = !(record.LowerLevel > 0);
  const bool atOne = !(record.UpperLevel < 1);
  if (!atZero && !atOne)
    return record.ModeProbabilityLimit;
  // With p = 0 and r = 1 the bounds are a_p and b_r for every n.
  if (atZero && atOne) {
    const Extended ap = record.LowerQuantile;
    return Checked((record.ModeValue - ap) / (record.UpperQuantile - ap));
  }
  // With a fixed at a_p, b grows without bound as n does, and q falls to 0; with b fixed
  // at b_r, a falls without bound and q rises to 1.
  return atZero ? 0 : 1;
}
