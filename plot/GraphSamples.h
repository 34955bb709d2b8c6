// The numbers behind the feedback window's five charts (and the additional-quantile one):
// the density and distribution function sampled over the support, the bound solver swept
// over n, and the marked points. A function of the fit alone; nothing here touches a
// window, so a plot can compute every chart before it shows any.
#pragma once

#include <array>
#include <vector>

#include "Fit.h"

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

struct TGraphSamples {
  static constexpr int kSampleCount = 201;
  using TSampleArray = std::array<SamplePoint, kSampleCount>;

  // The grid: 101 points from a to m, both included, and 100 more after m up to b.
  TSampleArray PdfSamples{};  // x on the support grid, density
  TSampleArray CdfSamples{};  // x on the same grid, distribution function
  // n = 0 (the limit, set without solving) and n = 0.05, 0.10, ... 10; for a fitted n
  // above 10, 200 equal steps to the first of 20, 50, 100, 200, ... at least 1.25 n.
  TSampleArray ModeSweep{};   // n, mode probability q(n)
  TSampleArray LowerSweep{};  // n, lower bound a(n)
  TSampleArray UpperSweep{};  // n, upper bound b(n)

  // The points of the eleven series.
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
  // Additional-quantile mode only, against log10 n over the range searched:
  TPointList ExtraQuantileLine;               // F(x_s; n) as the search scanned it
  TPointList ExtraLevelLine;                  // the level s
  TPointList ExtraQuantileMarks;              // (log10 n, s) at every power that fits
  std::vector<Extended> ExtraQuantilePowers;  // those powers, for the marks' labels

  // The mode probability the reference line shows: the fit's limit when p > 0 and r < 1;
  // otherwise the limit these levels have: 0 for p = 0, 1 for r = 1, (m - a_p)/(b_r - a_p)
  // for both.
  static Extended ReferenceModeLimit(const Fit& fit);

  // The x of the density's and distribution's grid: 100 equal steps from a to the mode,
  // then 100 from the mode to b.
  static std::array<Extended, kSampleCount> SupportGrid(const TwoSidedPower& d);
};

// Every graph of the fit. The sweep and the probes at n = 10, 1 and 2 solve the bounds of
// the fit's judgements in a working record of their own; the fitted point is the fit's.
// A sample beyond the range of a double, which a chart cannot hold, raises EFitError.
TGraphSamples SampleGraphs(const Fit& fit, TBoundsPath path = TBoundsPath::Screened);
