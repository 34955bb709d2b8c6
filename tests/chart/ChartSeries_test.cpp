#include "ChartSeries.h"

#include <gtest/gtest.h>

#include "Chart.h"
#include "ChartTestSupport.h"
#include "CustomSeries.h"

namespace {

TEST(ChartSeriesTest, PointsMoveWithTheirXValues) {
  TChart chart;
  auto* s = chart.AddSeries<TPointSeries>();
  EXPECT_EQ(s->AddPoint(3, 30, "three", clRed), 0);
  EXPECT_EQ(s->AddPoint(1, 10, "", clBlue), 0);
  EXPECT_EQ(s->AddPoint(2, 20, "two", clDefault), 1);
  ASSERT_EQ(s->PointCount(), 3);
  const double xs[] = {1, 2, 3};
  const double ys[] = {10, 20, 30};
  const TColor colors[] = {clBlue, s->SeriesColor(), clRed};
  const char* labels[] = {"", "two", "three"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(s->XValue(i), xs[i]) << "point " << i;
    EXPECT_EQ(s->YValue(i), ys[i]) << "point " << i;
    EXPECT_EQ(s->PointColor(i), colors[i]) << "point " << i;
    EXPECT_EQ(s->PointLabel(i), labels[i]) << "point " << i;
  }
  EXPECT_EQ(s->PointLabel(7), "");
  EXPECT_EQ(s->PointColor(7), s->SeriesColor());
}

TEST(ChartSeriesTest, RefusedPointChangesNothing) {
  TChart chart;
  auto* s = chart.AddSeries<TLineSeries>();
  s->AddPoint(1, 1);
  int afterAdds = 0;
  s->OnAfterAdd = [&](TChartSeries&, int) { ++afterAdds; };
  s->OnBeforeAdd = [](TChartSeries& series) { return series.XValues().TempValue() < 5; };
  EXPECT_EQ(s->AddPoint(9, 9), -1);
  EXPECT_EQ(s->PointCount(), 1);
  EXPECT_EQ(s->YValues().ValueCount(), 1);
  EXPECT_EQ(afterAdds, 0);
  EXPECT_EQ(s->AddPoint(2, 2), 1);
  EXPECT_EQ(afterAdds, 1);
}

TEST(ChartSeriesTest, ChangesAskTheChartToRepaint) {
  TChart chart;
  int requests = 0;
  chart.SetRepaintRequest([&] { ++requests; });
  auto* s = chart.AddSeries<TLineSeries>();
  requests = 0;

  int clears = 0;
  s->OnClearValues = [&](TChartSeries&) { ++clears; };
  s->ClearPoints();
  EXPECT_EQ(clears, 1) << "clearing an empty series still fires the event";
  EXPECT_EQ(requests, 1);

  s->AddPoint(1, 1);
  EXPECT_EQ(requests, 2);
  s->SetSeriesColor(s->SeriesColor());
  EXPECT_EQ(requests, 2) << "setting the same value is no change";
  s->Pointer().SetVisible(true);
  s->Marks().SetArrowLength(3);
  s->YValues().SetMultiplier(2);
  EXPECT_EQ(requests, 5);

  s->SetActive(false);
  requests = 0;
  s->AddPoint(2, 2);
  s->ClearPoints();
  EXPECT_EQ(requests, 0) << "an inactive series changes nothing on screen";
}

TEST(ChartSeriesTest, PointColours) {
  TChart chart;
  auto* s = chart.AddSeries<TLineSeries>();
  s->AddPoint(0, 0);
  s->AddPoint(1, 1, "", clNone);
  s->SetSeriesColor(clBlue);
  EXPECT_EQ(s->PointColor(0), clBlue) << "a default point follows the series colour";
  EXPECT_TRUE(s->IsNull(1));
  s->SetColorEachPoint(true);
  EXPECT_EQ(s->PointColor(0), clRed) << "palette colour of index 0";
  EXPECT_EQ(s->PointColor(1), clNone);
}

TEST(ChartSeriesTest, JoiningSeriesTakeFreePaletteColours) {
  TChart chart;
  chart.SetColor(clRed);
  auto* first = chart.AddSeries<TLineSeries>();
  auto own = std::make_unique<TLineSeries>();
  own->SetSeriesColor(clYellow);
  TChartSeries* fixed = chart.AddSeries(std::move(own));
  auto* next = chart.AddSeries<TLineSeries>();
  EXPECT_EQ(first->SeriesColor(), clGreen) << "red is the panel's colour";
  EXPECT_EQ(fixed->SeriesColor(), clYellow);
  EXPECT_EQ(next->SeriesColor(), clBlue) << "green and yellow are taken";
  EXPECT_EQ(chart.SeriesCount(), 3);
  EXPECT_EQ(chart.Series(1), fixed);
}

TEST(ChartSeriesTest, RemovedSeriesLeavesItsChart) {
  TChart chart;
  auto* s = chart.AddSeries<TLineSeries>();
  int requests = 0;
  chart.SetRepaintRequest([&] { ++requests; });
  std::unique_ptr<TChartSeries> taken = chart.RemoveSeries(s);
  ASSERT_EQ(taken.get(), s);
  EXPECT_EQ(chart.SeriesCount(), 0);
  EXPECT_EQ(s->ParentChart(), nullptr);
  EXPECT_EQ(s->GetHorizAxis(), nullptr);
  EXPECT_EQ(requests, 1);
  EXPECT_EQ(chart.RemoveSeries(s), nullptr);
  s->AddPoint(1, 1);  // no chart to ask
}

TEST(ChartSeriesTest, AxisAssociation) {
  TChart chart;
  auto* s = chart.AddSeries<TLineSeries>();
  EXPECT_TRUE(s->AssociatedToAxis(chart.BottomAxis()));
  EXPECT_TRUE(s->AssociatedToAxis(chart.LeftAxis()));
  EXPECT_FALSE(s->AssociatedToAxis(chart.TopAxis()));
  s->SetHorizAxis(aTopAxis);
  s->SetVertAxis(aBothVertAxis);
  EXPECT_EQ(s->GetHorizAxis(), &chart.TopAxis());
  EXPECT_FALSE(s->AssociatedToAxis(chart.BottomAxis()));
  EXPECT_TRUE(s->AssociatedToAxis(chart.RightAxis()));
  EXPECT_FALSE(s->AssociatedToAxis(chart.DepthAxis()));
}

TEST(ChartSeriesTest, VisibleRangeKeepsTheFirstPointBeyondTheAxisEnd) {
  TChart chart;
  charttest::MakePlain(chart);
  charttest::FixAxes(chart);
  auto* s = chart.AddSeries<TLineSeries>();
  for (const double x : {-2.0, 1.0, 5.0, 12.0, 15.0}) {
    s->AddPoint(x, 1);
  }
  TRecordingCanvas canvas;
  chart.Draw(canvas);
  EXPECT_EQ(s->FirstVisiblePoint(), 1);
  EXPECT_EQ(s->LastVisiblePoint(), 3);

  s->ClearPoints();
  s->AddPoint(-3, 1);
  s->AddPoint(-1, 1);
  chart.Draw(canvas);
  EXPECT_EQ(s->FirstVisiblePoint(), -1);
  EXPECT_EQ(s->LastVisiblePoint(), -1);

  s->ClearPoints();
  s->XValues().SetOrder(loNone);
  s->AddPoint(50, 1);
  s->AddPoint(-50, 1);
  chart.Draw(canvas);
  EXPECT_EQ(s->FirstVisiblePoint(), 0) << "an unordered series is drawn whole";
  EXPECT_EQ(s->LastVisiblePoint(), 1);
}

}  // namespace
