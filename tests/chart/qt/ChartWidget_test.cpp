#include "ChartWidget.h"

#include <gtest/gtest.h>

#include <QTest>

#include "CustomSeries.h"
#include "FeedbackChartSettings.h"
#include "QtTestApp.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

// Lets queued paint events run until the chart is clean (bounded).
void SettlePaints(const TChart& chart) {
  for (int i = 0; i < 100 && chart.Dirty(); ++i) {
    QTest::qWait(5);
  }
}

TEST(ChartWidgetTest, ChangesScheduleOnePaintAndUnchangedPaintsOnlyCopy) {
  ChartWidget widget;
  widget.resize(300, 200);
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  TChart& chart = widget.Chart();
  SettlePaints(chart);
  ASSERT_FALSE(chart.Dirty());
  const int drawn = chart.DrawCount();
  ASSERT_GE(drawn, 1);

  auto* line = chart.AddSeries<TLineSeries>();
  for (int i = 0; i < 100; ++i) {
    line->AddPoint(i, i * i);
  }
  EXPECT_TRUE(chart.Dirty());
  SettlePaints(chart);
  EXPECT_FALSE(chart.Dirty());
  EXPECT_EQ(chart.DrawCount(), drawn + 1) << "a run of adds is painted once";

  widget.repaint();
  widget.repaint();
  EXPECT_EQ(chart.DrawCount(), drawn + 1) << "nothing changed: the buffer is only copied";

  widget.resize(320, 180);
  SettlePaints(chart);
  EXPECT_EQ(chart.Width(), 320);
  EXPECT_EQ(chart.Height(), 180);
  widget.repaint();
  EXPECT_EQ(widget.Buffer().size(), QSize(320, 180));
}

TEST(ChartWidgetTest, DensityChartPixels) {
  ChartWidget widget;
  widget.resize(608, 326);
  TChart& chart = widget.Chart();
  const DensityChartSeries density = SetUpDensityChart(chart);
  TLineSeries* line = density.Line;
  TPointSeries* points = density.Marks;
  for (int i = 0; i <= 200; ++i) {
    const double x = i / 20.0;
    line->AddPoint(x, x * (10 - x));
  }
  points->AddPoint(2, 16);
  points->AddPoint(5, 25);

  const QImage image = widget.grab().toImage();
  ASSERT_EQ(image.size(), QSize(608, 326));
  const auto at = [&](int x, int y) { return image.pixel(x, y) | 0xFF000000u; };
  EXPECT_EQ(at(2, 2), kWhite) << "white panel, no bevel";
  const TRect& plot = chart.PlotRect();
  EXPECT_EQ(at(plot.Right, (plot.Top + plot.Bottom) / 2), kBlack) << "back wall frame";
  EXPECT_EQ(at(plot.Left + 3, plot.Top + 3), kWhite) << "the wall is not filled";
  // The first marker: red inside, black on its left tip.
  const int x = points->CalcXPos(0);
  const int y = points->CalcYPos(0);
  EXPECT_EQ(at(x, y), kRed);
  EXPECT_EQ(at(x - 3, y), kBlack);
  // A vertex of the line away from the markers is red.
  EXPECT_EQ(at(line->CalcXPos(140), line->CalcYPos(140)), kRed);
  // Labels to the left of the plot and a mark box above the marker.
  int dark = 0;
  for (int py = plot.Top; py < plot.Bottom; ++py) {
    for (int px = chart.LeftAxis().TitlePos(); px < chart.LeftAxis().LabelsPos(); ++px) {
      dark += qGray(image.pixel(px, py)) < 128 ? 1 : 0;
    }
  }
  EXPECT_GT(dark, 10);
  const TSeriesMarkPosition& box = *points->Marks().Positions().at(0);
  EXPECT_EQ(box.BoxLeftTop.Y + box.BoxHeight - 1, y - 8);
  EXPECT_EQ(at(box.BoxLeftTop.X + 1, box.BoxLeftTop.Y + box.BoxHeight / 2), qRgb(255, 255, 128))
      << "pale yellow mark box";
  EXPECT_EQ(at(box.BoxLeftTop.X, box.BoxLeftTop.Y + box.BoxHeight / 2), kBlack) << "its frame";
  EXPECT_EQ(at(x, y - 5), kBlack) << "the arrow";
}

}  // namespace

namespace {

TEST(ChartWidgetTest, MouseReadsTheNearestPointAndBuffersFollowThePixelRatio) {
  ChartWidget widget;
  widget.resize(300, 200);
  TChart& chart = widget.Chart();
  auto* line = chart.AddSeries<TLineSeries>();
  line->AddPoint(1, 10);
  line->AddPoint(2, 0.000123456);
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  SettlePaints(chart);
  int x = 0;
  int y = 0;
  ASSERT_TRUE(line->PlacePoint(1, x, y));
  QTest::mouseMove(&widget, QPoint(x - 3, y - 3));
  EXPECT_EQ(widget.ReadOut(), QStringLiteral("2, 0.00012346"));
  EXPECT_EQ(widget.DrawnTexts().empty(), false);
  EXPECT_EQ(widget.Buffer().devicePixelRatio(), widget.devicePixelRatioF());
  EXPECT_EQ(widget.Buffer().size(), QSize(300, 200) * widget.devicePixelRatioF());
}

}  // namespace
