// The numbers behind the feedback window's five charts: the density and distribution
// function sampled over the support, the bound solver swept over n, and the marked points.
// Computing them changes the solver (the sweeps write trial powers and fit again); nothing
// here touches a window, so a plot can compute every chart before it shows any.
#pragma once

#include <array>
#include <vector>

#include "AnalysisUnit.h"
#include "GTSPUnit.h"
#include "Judgements.h"

// One graph sample.
struct SamplePoint {
  Extended X = 0;
  Extended Y = 0;
};

// A point as a chart holds it.
struct TPlotPoint {
  double X = 0;
  double Y = 0;
  friend bool operator==(const TPlotPoint&, const TPlotPoint&) = default;
};
using TPointList = std::vector<TPlotPoint>;

class TGraphSamples {
 public:
  static constexpr int kSampleCount = 201;
  using TSampleArray = std::array<SamplePoint, kSampleCount>;

  TSampleArray PdfSamples{};  // x on the support grid, density
  TSampleArray CdfSamples{};  // x on the same grid, distribution function
  TSampleArray ModeSweep{};   // n, mode probability q(n)
  TSampleArray LowerSweep{};  // n, lower bound a(n)
  TSampleArray UpperSweep{};  // n, upper bound b(n)

  // The points of the eleven series, in the order they are added.
  TPointList DensityLine;        // density over the support (199 points when n < 1)
  TPointList DensityMarks;       // a, b, a_p, m, b_r (and x_s) on the density
  TPointList DistributionLine;   // distribution function over the support
  TPointList DistributionMarks;  // a, b, a_p, m, b_r (and x_s) on the distribution
  TPointList ModeLine;           // q against n
  TPointList ModeLimitLine;      // q in the limit of large n, over the sweep's range
  TPointList ModeMarks;          // q at n = 0, 10, 1, 2 and the fitted n
  TPointList LowerLine;          // a against n
  TPointList LowerMarks;         // a at n = 0, 10, 1, 2 and the fitted n
  TPointList UpperLine;          // b against n
  TPointList UpperMarks;         // b at n = 0, 10, 1, 2 and the fitted n

  // Everything, in the plot command's order. On entry the model and the record hold the
  // fit (and the record its judgements and q-limit); on return the record holds the same
  // fit again, found afresh from the judgements.
  void Compute(TAnalysisForm& record, TGTSPForm& model, TFitMode mode);

  // The grid: 101 points from a to m, both included, and 100 more after m up to b.
  void SamplePdf(const TGTSPForm& model);
  void SampleCdf(const TGTSPForm& model);
  // n = 0 (the limit, set without solving) and n = 0.05, 0.10, ... 10.
  void SweepPower(TAnalysisForm& record);

  void PdfChartPoints(const TAnalysisForm& record, const TGTSPForm& model, TFitMode mode);
  void CdfChartPoints(const TAnalysisForm& record, const TGTSPForm& model, TFitMode mode);
  void ModeChartPoints(TAnalysisForm& record, TFitMode mode);
  void LowerBoundChartPoints(TAnalysisForm& record, TFitMode mode);
  void UpperBoundChartPoints(TAnalysisForm& record, TFitMode mode);

  // The mode probability the reference line shows: the record's limit when p > 0 and
  // r < 1 (the plot computes it then); otherwise the limit these levels have, which the
  // record does not hold: 0 for p = 0, 1 for r = 1, (m - a_p)/(b_r - a_p) for both.
  static Extended ReferenceModeLimit(const TAnalysisForm& record);
};
