// The settings of the feedback window's charts, in one place: the window builds its charts
// from them, and the chart demo, the chart benchmark and the tests build theirs alike. Each
// SetUp... function configures a chart and adds its series, in the order they are drawn,
// and hands them back; the caller feeds them (FeedSeries).
#pragma once

#include "Chart.h"
#include "CustomSeries.h"
#include "GraphSamples.h"

// The size of a chart in the feedback window at the window's designed size.
inline constexpr int kFeedbackChartWidth = 608;
inline constexpr int kFeedbackChartHeight = 326;

// [SECTION] The pieces every chart is made of

// Two-dimensional, no legend, white panel, unfilled back wall, a title band of one blank
// line, and the two axis titles.
void SetUpFeedbackChart(TChart& chart, const char* bottomTitle, const char* leftTitle);

// A line without markers or marks, its points kept in ascending x.
TLineSeries* AddCurve(TChart& chart, TColor color);

// The red diamond every marked point of the feedback charts wears.
void UseRedDiamonds(TCustomSeries& series);

// Green markers with value marks of the given style at the given arrow length.
TPointSeries* AddMarkers(TChart& chart, TSeriesMarksStyle style, int arrowLength);

// Replaces the series' points by the list, each with an empty label in the series' colour.
void FeedSeries(TChartSeries& series, const TPointList& points);

// [SECTION] The charts

// "PDF": the density over the support and its marked points (x values as marks); no bevel,
// a blue title font.
struct DensityChartSeries {
  TLineSeries* Line;
  TPointSeries* Marks;
};
DensityChartSeries SetUpDensityChart(TChart& chart);

// "CDF": the distribution function, its left axis fixed from -0.025 to 1.025 by 0.05.
struct DistributionChartSeries {
  TLineSeries* Line;
  TPointSeries* Marks;
};
DistributionChartSeries SetUpDistributionChart(TChart& chart);

// "Mode Probability": q against n, the blue reference line of its large-n limit with its
// value marks, and the marked points.
struct ModeProbabilityChartSeries {
  TLineSeries* Line;
  TLineSeries* Limit;
  TPointSeries* Marks;
};
ModeProbabilityChartSeries SetUpModeProbabilityChart(TChart& chart);

// "Lower Bound" and "Upper Bound": a or b against n and the marked points.
struct BoundChartSeries {
  TLineSeries* Line;
  TPointSeries* Marks;
};
BoundChartSeries SetUpLowerBoundChart(TChart& chart);
BoundChartSeries SetUpUpperBoundChart(TChart& chart);

// "Additional Quantile": F(x_s; n) against log10 n, the level s, and every power that fits
// labelled with its n, neighbours alternating between two series whose marks stand at
// different heights.
struct ExtraQuantileChartSeries {
  TLineSeries* Curve;
  TLineSeries* Level;
  TPointSeries* Roots;
  TPointSeries* RootsHigh;
};
ExtraQuantileChartSeries SetUpExtraQuantileChart(TChart& chart);
