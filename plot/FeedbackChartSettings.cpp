#include "FeedbackChartSettings.h"

namespace {

void KeepPlainOrder(TChartSeries& series) {
  for (TChartValueList* list : {&series.XValues(), &series.YValues()}) {
    list->SetMultiplier(1);
    list->SetDateTime(false);
  }
  series.XValues().SetOrder(loAscending);
  series.YValues().SetOrder(loNone);
}

}  // namespace

void SetUpFeedbackChart(TChart& chart, const char* bottomTitle, const char* leftTitle) {
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  chart.SetColor(clWhite);
  chart.BackWall().Brush().SetColor(clWhite);
  chart.BackWall().Brush().SetStyle(bsClear);
  chart.Title().SetText({"  "});
  chart.BottomAxis().Title().SetCaption(bottomTitle);
  chart.LeftAxis().Title().SetCaption(leftTitle);
}

TLineSeries* AddCurve(TChart& chart, TColor color) {
  auto* line = chart.AddSeries<TLineSeries>();
  KeepPlainOrder(*line);
  line->SetSeriesColor(color);
  line->Pointer().SetVisible(false);
  line->Pointer().SetInflateMargins(true);
  line->Marks().SetVisible(false);
  return line;
}

void UseRedDiamonds(TCustomSeries& series) {
  TSeriesPointer& pointer = series.Pointer();
  pointer.SetVisible(true);
  pointer.SetStyle(psDiamond);
  pointer.SetHorizSize(3);
  pointer.SetVertSize(3);
  pointer.Brush().SetColor(clRed);
  pointer.SetInflateMargins(true);
}

TPointSeries* AddMarkers(TChart& chart, TSeriesMarksStyle style, int arrowLength) {
  auto* points = chart.AddSeries<TPointSeries>();
  KeepPlainOrder(*points);
  points->SetSeriesColor(clGreen);
  UseRedDiamonds(*points);
  points->Marks().SetVisible(true);
  points->Marks().SetStyle(style);
  points->Marks().SetArrowLength(arrowLength);
  return points;
}

void FeedSeries(TChartSeries& series, const TPointList& points) {
  series.ClearPoints();
  for (const TPlotPoint& p : points) {
    series.AddPoint(p.X, p.Y, "", clDefault);
  }
}

DensityChartSeries SetUpDensityChart(TChart& chart) {
  SetUpFeedbackChart(chart, "x", "Probability Density");
  chart.SetBevelWidth(0);
  TChartFont& titleFont = chart.Title().Font();
  titleFont.SetName("Arial");
  titleFont.SetHeight(16);
  titleFont.SetStyle(0);
  titleFont.SetColor(clBlue);
  TLineSeries* line = AddCurve(chart, clRed);
  line->SetTitle("PDFSeries");
  TPointSeries* marks = AddMarkers(chart, smsXValue, 8);
  marks->SetTitle("PDFPointSeries");
  return {line, marks};
}

DistributionChartSeries SetUpDistributionChart(TChart& chart) {
  SetUpFeedbackChart(chart, "x", "Cumulative Distribution Function");
  TChartAxis& probability = chart.LeftAxis();
  probability.SetAutomatic(false);
  probability.SetAutomaticMinimum(false);
  probability.SetAutomaticMaximum(false);
  probability.SetLimits(-0.025, 1.025);
  probability.SetIncrement(0.05);
  TLineSeries* line = AddCurve(chart, clRed);
  TPointSeries* marks = AddMarkers(chart, smsXValue, 0);
  return {line, marks};
}

ModeProbabilityChartSeries SetUpModeProbabilityChart(TChart& chart) {
  SetUpFeedbackChart(chart, "n", "Mode Probability q");
  TLineSeries* line = AddCurve(chart, clRed);
  TLineSeries* limit = AddCurve(chart, clBlue);
  UseRedDiamonds(*limit);
  limit->Marks().SetVisible(true);
  limit->Marks().SetStyle(smsValue);
  limit->Marks().SetArrowLength(8);
  TPointSeries* marks = AddMarkers(chart, smsValue, 0);
  return {line, limit, marks};
}

BoundChartSeries SetUpLowerBoundChart(TChart& chart) {
  SetUpFeedbackChart(chart, "n", "Lower Bound");
  TLineSeries* line = AddCurve(chart, clRed);
  TPointSeries* marks = AddMarkers(chart, smsValue, 0);
  return {line, marks};
}

BoundChartSeries SetUpUpperBoundChart(TChart& chart) {
  SetUpFeedbackChart(chart, "n", "Upper Bound");
  TLineSeries* line = AddCurve(chart, clRed);
  TPointSeries* marks = AddMarkers(chart, smsValue, 0);
  return {line, marks};
}

ExtraQuantileChartSeries SetUpExtraQuantileChart(TChart& chart) {
  SetUpFeedbackChart(chart, "log10 n", "Probability below x_s");
  TLineSeries* curve = AddCurve(chart, clRed);
  TLineSeries* level = AddCurve(chart, clBlue);
  TPointSeries* roots = AddMarkers(chart, smsLabel, 8);
  TPointSeries* rootsHigh = AddMarkers(chart, smsLabel, 30);
  return {curve, level, roots, rootsHigh};
}
