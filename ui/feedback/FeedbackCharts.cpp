#include "FeedbackCharts.h"

#include <QResizeEvent>

#include "Appearance.h"
#include "ChartWidget.h"
#include "SimpleControls.h"

TChartPage::TChartPage(QWidget* parent)
    : QWidget(parent), Chart_(new ChartWidget(this)), Caption_(new TPanel(this)) {
  ApplyFont(Caption_, TFontSpec{TTextColour::Maroon, true});
  Caption_->SetBevel(TBevel::Raised);
  // A caption longer than the page breaks onto a second line instead of being cut.
  Caption_->setWordWrap(true);
}

void TChartPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int width = event->size().width();
  const int height = event->size().height();
  const int chartHeight = qMax(0, height - kCaptionHeight);
  Chart_->setGeometry(0, 0, width, chartHeight);
  Caption_->setGeometry(0, chartHeight, width, qMin(height, kCaptionHeight));
}

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
