#include "CustomSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ChartTestSupport.h"

namespace {

using charttest::Lines;

// A 100 x 100 plot with both axes fixed at 0 .. 10: value v is pixel 10 v across and
// 100 - 10 v down.
class SeriesPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    charttest::MakePlain(chart);
    charttest::FixAxes(chart);
  }
  TChart chart;
  TRecordingCanvas canvas;
};

TEST_F(SeriesPaintTest, OneVisiblePointDrawsNoLineButItsMarker) {
  auto* line = chart.AddSeries<TLineSeries>();
  line->AddPoint(5, 5);
  chart.Draw(canvas);
  EXPECT_TRUE(Lines(canvas).empty());
  EXPECT_EQ(canvas.Calls("Rectangle").size(), 1u) << "only the back wall";

  line->Pointer().SetVisible(true);
  canvas.Clear();
  chart.Draw(canvas);
  const std::vector<TCanvasCall> rects = canvas.Calls("Rectangle");
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[1].Args, (std::vector<int>{46, 46, 55, 55}));
}

TEST_F(SeriesPaintTest, PointSeriesDrawsEachMarkerOnce) {
  auto* points = chart.AddSeries<TPointSeries>();
  points->Pointer().SetStyle(psDiamond);
  points->Pointer().SetHorizSize(3);
  points->Pointer().SetVertSize(3);
  points->Pointer().Brush().SetColor(clRed);
  points->AddPoint(1, 1);
  points->AddPoint(2, 3);
  points->AddPoint(4, 2);
  chart.Draw(canvas);
  EXPECT_TRUE(Lines(canvas).empty());
  const std::vector<TCanvasCall> diamonds = canvas.Calls("Polygon");
  ASSERT_EQ(diamonds.size(), 3u);
  EXPECT_EQ(diamonds[0].Args, (std::vector<int>{7, 90, 10, 87, 13, 90, 10, 93}));
  EXPECT_EQ(diamonds[1].Args, (std::vector<int>{17, 70, 20, 67, 23, 70, 20, 73}));
  EXPECT_EQ(diamonds[2].Args, (std::vector<int>{37, 80, 40, 77, 43, 80, 40, 83}));
  EXPECT_EQ(diamonds[0].Brush, (TCanvasBrush{clRed, bsSolid}));
  EXPECT_EQ(diamonds[0].Pen, (TCanvasPen{clBlack, 1, psSolid}));
}

TEST_F(SeriesPaintTest, LineEnteringFromTheLeftStartsAtTheEdgeInsideTheClip) {
  auto* line = chart.AddSeries<TLineSeries>();
  line->AddPoint(-2, 0);
  line->AddPoint(2, 4);
  line->AddPoint(4, 4);
  chart.Draw(canvas);
  // The segment from (-2, 0) to (2, 4) crosses the left edge at value 2: pixel 80.
  EXPECT_EQ(Lines(canvas), (std::vector<std::string>{"0 80 -> 20 60", "20 60 -> 40 60"}));
  const int clip = charttest::Find(canvas, "ClipRectangle");
  ASSERT_GE(clip, 0);
  EXPECT_EQ(canvas.Calls()[static_cast<std::size_t>(clip)].Args, (std::vector<int>{1, 1, 100, 99}));
  EXPECT_GT(charttest::Find(canvas, "Polyline"), clip);
  EXPECT_GT(charttest::Find(canvas, "UnClipRectangle"), charttest::Find(canvas, "Polyline"));
  EXPECT_EQ(canvas.Calls("Polyline").size(), 1u) << "one path";
}

TEST_F(SeriesPaintTest, NullPointBreaksTheLineAndSegmentsTakeTheEndColour) {
  auto* line = chart.AddSeries<TLineSeries>();
  line->SetSeriesColor(clRed);
  line->AddPoint(1, 1);
  line->AddPoint(2, 2, "", clBlue);
  line->AddNullXY(3, 3);
  line->AddPoint(4, 4);
  line->AddPoint(5, 5);
  chart.Draw(canvas);
  const std::vector<TCanvasCall> segments = canvas.Calls("Polyline");
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(segments[0].ToString(), "Polyline 10 90 20 80");
  EXPECT_EQ(segments[0].Pen.Color, clBlue);
  EXPECT_EQ(segments[1].ToString(), "Polyline 40 60 50 50");
  EXPECT_EQ(segments[1].Pen.Color, clRed);
}

TEST_F(SeriesPaintTest, SamePixelDrawsNoSegmentButBothMarkers) {
  auto* line = chart.AddSeries<TLineSeries>();
  line->Pointer().SetVisible(true);
  line->AddPoint(1, 1);
  line->AddPoint(1.01, 1.01);
  chart.Draw(canvas);
  EXPECT_TRUE(Lines(canvas).empty());
  EXPECT_EQ(canvas.Calls("Rectangle").size(), 3u) << "back wall and two markers";
}

TEST_F(SeriesPaintTest, MarkerLiesOnTopOfBothItsSegments) {
  auto* line = chart.AddSeries<TLineSeries>();
  line->Pointer().SetVisible(true);
  line->AddPoint(1, 1);
  line->AddPoint(2, 2);
  line->AddPoint(3, 1);
  chart.Draw(canvas);
  std::vector<std::string> order;
  for (const TCanvasCall& c : canvas.Calls()) {
    if (c.Op == "Polyline" || (c.Op == "Rectangle" && c.Args[0] != 0)) {
      order.push_back(c.ToString());
    }
  }
  // The line is one path; every marker is drawn after it.
  EXPECT_EQ(order, (std::vector<std::string>{"Polyline 10 90 20 80 30 90", "Rectangle 6 86 15 95",
                                             "Rectangle 16 76 25 85", "Rectangle 26 86 35 95"}));
}

TEST_F(SeriesPaintTest, PointBeyondAFixedMaximumIsStillPainted) {
  auto* line = chart.AddSeries<TLineSeries>();
  line->AddPoint(8, 5);
  line->AddPoint(12, 5);
  line->AddPoint(14, 5);
  chart.Draw(canvas);
  EXPECT_EQ(Lines(canvas), (std::vector<std::string>{"80 50 -> 120 50"}));
}

TEST_F(SeriesPaintTest, NothingVisibleDrawsNothing) {
  auto* line = chart.AddSeries<TLineSeries>();
  line->Marks().SetVisible(true);
  bool before = false;
  line->BeforeDrawValues = [&](TChartSeries&) { before = true; };
  line->AddPoint(-3, 5);
  line->AddPoint(-1, 5);
  chart.Draw(canvas);
  EXPECT_FALSE(before);
  EXPECT_EQ(charttest::Find(canvas, "ClipRectangle"), -1);
  EXPECT_TRUE(canvas.Calls("TextOut").empty()) << "no marks either";
}

TEST_F(SeriesPaintTest, ExtremeValuesNeverReachTheCanvas) {
  const double inf = std::numeric_limits<double>::infinity();
  auto* line = chart.AddSeries<TLineSeries>();
  line->Pointer().SetVisible(true);
  line->Marks().SetVisible(true);
  line->Marks().Arrow().SetVisible(false);
  for (const double y : {1.0, 1e6, std::nan(""), 2.0, inf, -inf, 1e300, -1e300, 3.0}) {
    line->AddPoint(line->PointCount() + 1, y);
  }
  chart.Draw(canvas);
  for (const TCanvasCall& c : canvas.Calls()) {
    for (const int a : c.Args) {
      if (c.Op != "SetPixel" && c.Op != "Frame3D" && c.Op != "SetBackColor") {
        EXPECT_LE(std::abs(a), 32766) << c.ToString();
      }
    }
  }
  // Points 1, 4 and 9 are placed; the line goes on from each placed point to the next.
  EXPECT_EQ(Lines(canvas), (std::vector<std::string>{"10 90 -> 40 80", "40 80 -> 90 70"}));
  EXPECT_EQ(canvas.Calls("TextOut").size(), 3u) << "marks only where points are placed";
}

TEST(CustomSeriesTest, PointerSizeMustBePositive) {
  TPointSeries points;
  try {
    points.Pointer().SetHorizSize(0);
    ADD_FAILURE() << "no ChartException";
  } catch (const ChartException& e) {
    EXPECT_STREQ(e.what(), "Pointer size must be greater than zero");
  }
  EXPECT_THROW(points.Pointer().SetVertSize(-1), ChartException);
  EXPECT_EQ(points.Pointer().HorizSize(), 4);
  EXPECT_EQ(points.Pointer().VertSize(), 4);
}

TEST(CustomSeriesTest, MarginsComeFromVisibleInflatingPointers) {
  TLineSeries line;
  int a = -1, b = -1;
  line.HorizMargins(a, b);
  EXPECT_EQ(a + b, 0) << "hidden pointer";
  TPointSeries points;
  points.Pointer().SetHorizSize(3);
  points.HorizMargins(a, b);
  EXPECT_EQ(a, 4);
  EXPECT_EQ(b, 4);
  points.VertMargins(a, b);
  EXPECT_EQ(a, 5);
  points.Pointer().SetInflateMargins(false);
  points.VertMargins(a, b);
  EXPECT_EQ(a, 0);
}

}  // namespace
