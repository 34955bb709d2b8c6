// The pieces of the feedback window's graph area: a notebook page holding one chart above
// its caption panel, the settings the five charts share, and the two kinds of series they
// hold (a red curve, and green markers with value marks).
#pragma once

#include <QWidget>

#include "Chart.h"
#include "CustomSeries.h"
#include "GraphSamples.h"

class ChartWidget;
class TPanel;

// A chart filling the page above a caption panel of fixed height, in maroon bold on a
// raised bevel.
class TChartPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kCaptionHeight = 41;

  explicit TChartPage(QWidget* parent = nullptr);

  ChartWidget* Chart() const { return Chart_; }
  TPanel* Caption() const { return Caption_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  ChartWidget* Chart_ = nullptr;
  TPanel* Caption_ = nullptr;
};

// Two-dimensional, no legend, white panel, unfilled back wall, a title band of one blank
// line, and the two axis titles.
void SetUpFeedbackChart(TChart& chart, const char* bottomTitle, const char* leftTitle);

// A line without markers or marks.
TLineSeries* AddCurve(TChart& chart, TColor color);

// The red diamond every marked point of the feedback charts wears.
void UseRedDiamonds(TCustomSeries& series);

// Green markers with value marks of the given style at the given arrow length.
TPointSeries* AddMarkers(TChart& chart, TSeriesMarksStyle style, int arrowLength);

// Replaces the series' points by the list, each with an empty label in the series' colour.
void FeedSeries(TChartSeries& series, const TPointList& points);
