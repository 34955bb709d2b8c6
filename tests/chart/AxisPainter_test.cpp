#include "AxisPainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "AxisScale.h"
#include "Chart.h"
#include "ChartTestSupport.h"
#include "CustomSeries.h"

namespace {

using charttest::Lines;
using charttest::Texts;

// A chart whose plot rectangle is the whole panel until the axes take their bands, with
// one line series and only the axis under test shown.
class AxisPainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    charttest::MakePlain(chart, 100);
    chart.SetAxisVisible(true);
    series = chart.AddSeries<TLineSeries>();
  }
  void ShowOnly(TChartAxis& axis) {
    for (TChartAxis* a : {&chart.BottomAxis(), &chart.LeftAxis()}) {
      a->SetVisible(a == &axis);
    }
  }
  TChart chart;
  TLineSeries* series = nullptr;
  TRecordingCanvas canvas;
};

TEST_F(AxisPainterTest, FixedDistributionAxisLabelsOneDownToZero) {
  // A 240-pixel axis, with 10 pixels above and below for the half labels at its ends.
  chart.SetSize(300, 260);
  chart.SetMarginTop(4);
  chart.SetMarginBottom(4);
  ShowOnly(chart.LeftAxis());
  TChartAxis& axis = chart.LeftAxis();
  axis.SetAutomatic(false);
  axis.SetMinimum(-0.025);
  axis.SetMaximum(1.025);
  axis.SetIncrement(0.05);
  series->AddPoint(0, 0.5);

  for (int paint = 1; paint <= 2; ++paint) {
    canvas.Clear();
    chart.Draw(canvas);
    EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"1", "0.9", "0.8", "0.7", "0.6", "0.5",
                                                       "0.4", "0.3", "0.2", "0.1", "0"}));
    // The band fits the widest label drawn ("0.9" and a blank), from the first paint on.
    EXPECT_EQ(axis.LabelsPos(), 24) << "paint " << paint;
    EXPECT_EQ(chart.PlotRect().Left, 30) << "paint " << paint;
  }
  const std::vector<TCanvasCall> labels = canvas.Calls("TextOut");
  const int expected[][3] = {{0, 16, 9}, {5, 130, 123}, {10, 244, 237}};
  for (const auto& e : expected) {
    const TCanvasCall& label = labels[static_cast<std::size_t>(e[0])];
    EXPECT_EQ(axis.TickList()[static_cast<std::size_t>(e[0])], e[1]) << label.Text;
    EXPECT_EQ(label.Args, (std::vector<int>{24, e[2]})) << label.Text;
    EXPECT_EQ(label.AlignH, TTextAlignH::Right) << label.Text;
  }
  EXPECT_EQ(axis.TickList().size(), 11u);

  const std::vector<std::string> lines = Lines(canvas);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "30 10 -> 30 250"), lines.end()) << "axis line";
  EXPECT_NE(std::find(lines.begin(), lines.end(), "29 16 -> 25 16"), lines.end()) << "tick at 1";
  EXPECT_NE(std::find(lines.begin(), lines.end(), "30 130 -> 300 130"), lines.end()) << "grid";
}

TEST_F(AxisPainterTest, BottomAxisLabelsHangCentredUnderTheirTicks) {
  ShowOnly(chart.BottomAxis());
  chart.BottomAxis().SetLimits(0, 10);
  series->AddPoint(0, 0);
  chart.Draw(canvas);
  // "10" is 12 pixels wide: 8 labels fit in 100 pixels, so the step is 2. The labels at
  // the panel's edges would stick out of it: they are left out, their ticks stay.
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"8", "6", "4", "2"}));
  EXPECT_EQ(chart.BottomAxis().TickList(), (std::vector<int>{100, 80, 60, 40, 20, 0}));
  EXPECT_EQ(chart.PlotRect().Bottom, 80) << "label band 14, ticks 2 + 4";
  const TCanvasCall first = canvas.Calls("TextOut").front();
  EXPECT_EQ(first.Args, (std::vector<int>{80, 86}));
  EXPECT_EQ(first.AlignH, TTextAlignH::Center);
  EXPECT_EQ(first.AlignV, TTextAlignV::Top);

  const std::vector<TCanvasCall> lineCalls = canvas.Calls("LineTo");
  const auto axisLine = std::find_if(lineCalls.begin(), lineCalls.end(), [](const TCanvasCall& c) {
    return c.ToString() == "LineTo 0 80 -> 100 80";
  });
  ASSERT_NE(axisLine, lineCalls.end());
  EXPECT_EQ(axisLine->Pen, (TCanvasPen{clBlack, 2, psSolid}));
  const std::vector<std::string> lines = Lines(canvas);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "60 81 -> 60 85"), lines.end()) << "tick";
}

TEST_F(AxisPainterTest, SideBySideLabelsKeepABlankBetweenThem) {
  // A long axis of two-digit labels, 12 pixels wide: step 1 puts them 15 pixels apart,
  // which their count allows (20 of at most 23), but that leaves 3 pixels between "11" and
  // "12", less than a blank (6). Step 2 leaves 18.
  chart.SetSize(300, 100);
  ShowOnly(chart.BottomAxis());
  chart.BottomAxis().SetLimits(10, 30);
  series->AddPoint(10, 0);
  chart.Draw(canvas);
  EXPECT_EQ(Texts(canvas),
            (std::vector<std::string>{"28", "26", "24", "22", "20", "18", "16", "14", "12"}));
  EXPECT_EQ(chart.BottomAxis().TickList(),
            (std::vector<int>{300, 270, 240, 210, 180, 150, 120, 90, 60, 30, 0}));
}

TEST_F(AxisPainterTest, ATinyRangeIsLabelledAsOneOfItsOwnSize) {
  // Points 1e-300 apart: the labels step as for a range of 1, in exponent form, and no
  // label stands for a value off the axis.
  chart.SetSize(300, 100);
  ShowOnly(chart.BottomAxis());
  series->AddPoint(1e-300, 0);
  series->AddPoint(2e-300, 0);
  chart.Draw(canvas);
  EXPECT_EQ(Texts(canvas),
            (std::vector<std::string>{"1.8E-300", "1.6E-300", "1.4E-300", "1.2E-300"}));
}

TEST_F(AxisPainterTest, GridIsDottedGreyOnATransparentBackground) {
  ShowOnly(chart.BottomAxis());
  chart.BottomAxis().SetLimits(0, 10);
  series->AddPoint(0, 0);
  chart.Draw(canvas);
  const std::vector<TCanvasCall> lineCalls = canvas.Calls("LineTo");
  const auto grid = std::find_if(lineCalls.begin(), lineCalls.end(), [](const TCanvasCall& c) {
    return c.ToString() == "LineTo 40 0 -> 40 80";
  });
  ASSERT_NE(grid, lineCalls.end());
  EXPECT_EQ(grid->Pen, (TCanvasPen{clGray, 1, psDot}));
  EXPECT_EQ(grid->BackMode, TBackMode::Transparent);
}

TEST_F(AxisPainterTest, MinorTicksFillEachGapAndStopAtTheAxisEnds) {
  ShowOnly(chart.BottomAxis());
  TChartAxis& axis = chart.BottomAxis();
  axis.SetLimits(0, 10);
  axis.SetIncrement(5);
  axis.SetLabelsSeparation(0);
  series->AddPoint(0, 0);
  chart.Draw(canvas);
  EXPECT_EQ(axis.TickList(), (std::vector<int>{100, 50, 0}));
  std::vector<std::string> minor;
  for (const std::string& line : Lines(canvas)) {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (std::sscanf(line.c_str(), "%d %d -> %d %d", &x0, &y0, &x1, &y1) == 4 && y1 - y0 == 2) {
      minor.push_back(line);
    }
  }
  // Between 100 and 50: 50 - Round(j * -50 / 4), where -12.5 rounds to -12 and -37.5 to -38.
  EXPECT_EQ(minor,
            (std::vector<std::string>{"62 81 -> 62 83", "75 81 -> 75 83", "88 81 -> 88 83",
                                      "12 81 -> 12 83", "25 81 -> 25 83", "38 81 -> 38 83"}));
}

TEST_F(AxisPainterTest, TitlesTurnOnTheLeftAndHangBelow) {
  chart.BottomAxis().Title().SetCaption("x");
  chart.LeftAxis().Title().SetCaption("Density");
  chart.BottomAxis().SetLabels(false);
  chart.LeftAxis().SetLabels(false);
  series->AddPoint(0, 0);
  chart.Draw(canvas);
  const std::vector<TCanvasCall> texts = canvas.Calls("TextOut");
  ASSERT_EQ(texts.size(), 2u);
  const TCanvasCall& bottom = texts[0];
  const TCanvasCall& left = texts[1];
  EXPECT_EQ(bottom.Text, "x");
  EXPECT_EQ(chart.BottomAxis().TitlePos(), 86);
  EXPECT_EQ(bottom.Args, (std::vector<int>{chart.BottomAxis().AxisCenter(), 86}));
  EXPECT_EQ(bottom.AlignV, TTextAlignV::Top);
  EXPECT_EQ(bottom.Font.Angle, 0);
  EXPECT_EQ(left.Text, "Density");
  EXPECT_EQ(chart.LeftAxis().TitlePos(), 14);
  EXPECT_EQ(left.Args, (std::vector<int>{14, chart.LeftAxis().AxisCenter()}));
  EXPECT_EQ(left.AlignH, TTextAlignH::Center);
  EXPECT_EQ(left.AlignV, TTextAlignV::Bottom) << "glyphs between the panel edge and TitlePos";
  EXPECT_EQ(left.Font.Angle, 90);
  EXPECT_EQ(chart.PlotRect(), (TRect{20, 0, 100, 80})) << "title 14 and ticks 6 each";
}

TEST_F(AxisPainterTest, ZeroRangeAtZeroDrawsOneLabelAtTheCentre) {
  ShowOnly(chart.LeftAxis());
  series->AddPoint(1, 0);
  series->AddPoint(2, 0);
  chart.Draw(canvas);
  ASSERT_EQ(Texts(canvas), (std::vector<std::string>{"0"}));
  EXPECT_EQ(chart.LeftAxis().TickList(), (std::vector<int>{chart.LeftAxis().AxisCenter()}));
}

TEST_F(AxisPainterTest, MoreMinorTicksThanPixelsDrawEachPixelOnce) {
  ShowOnly(chart.BottomAxis());
  TChartAxis& axis = chart.BottomAxis();
  axis.SetLimits(0, 10);
  axis.SetIncrement(5);
  axis.SetLabelsSeparation(0);
  axis.SetMinorTickCount(2000000000);
  series->AddPoint(0, 0);
  chart.Draw(canvas);
  std::vector<int> minor;
  for (const std::string& line : Lines(canvas)) {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (std::sscanf(line.c_str(), "%d %d -> %d %d", &x0, &y0, &x1, &y1) == 4 && y1 - y0 == 2) {
      minor.push_back(x0);
    }
  }
  // Every pixel strictly inside the axis, the middle label's pixel from both of its gaps.
  ASSERT_EQ(minor.size(), 100u);
  std::sort(minor.begin(), minor.end());
  EXPECT_EQ(minor.front(), 1);
  EXPECT_EQ(minor.back(), 99);
  EXPECT_EQ(std::count(minor.begin(), minor.end(), 50), 2);
}

TEST_F(AxisPainterTest, PositionsFarOffThePlotDoNotOverflow) {
  chart.LeftAxis().SetPositionPercent(1e300);
  chart.BottomAxis().SetEndPosition(std::numeric_limits<double>::infinity());
  chart.BottomAxis().SetStartPosition(-1e300);
  series->AddPoint(0, 0);
  series->AddPoint(1, 1);
  chart.Draw(canvas);
  EXPECT_LE(chart.BottomAxis().AxisEnd(), chart.PlotRect().Left + (1 << 28));
  EXPECT_GE(chart.BottomAxis().AxisStart(), chart.PlotRect().Left - (1 << 28));
}

TEST_F(AxisPainterTest, TickListStopsLabelsWhenFull) {
  // A zero range at 10000 has its one label once (the loop would step down by 1e-12 for
  // thousands of values on the same pixel).
  ShowOnly(chart.LeftAxis());
  chart.SetMarginTop(10);
  chart.SetMarginBottom(10);
  series->AddPoint(1, 1e4);
  series->AddPoint(2, 1e4);
  chart.Draw(canvas);
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"10,000"}));
  EXPECT_EQ(chart.LeftAxis().TickList().size(), 1u);
  // Without label fitting a step finer than the pixels fills the list: 2500 values, one a
  // pixel on a 3000-pixel axis.
  chart.SetSize(100, 3000);
  chart.LeftAxis().SetLimits(0, 1);
  chart.LeftAxis().SetIncrement(0.0004);
  chart.LeftAxis().SetLabelsSeparation(0);
  chart.Draw(canvas);
  EXPECT_EQ(chart.LeftAxis().TickList().size(), static_cast<std::size_t>(TickListCapacity));
}

TEST_F(AxisPainterTest, LabelsOffTheAxisEndsCanBeLeftOut) {
  ShowOnly(chart.BottomAxis());
  chart.BottomAxis().SetLimits(0, 10);
  chart.BottomAxis().SetLabelsOnAxis(false);
  series->AddPoint(0, 0);
  chart.Draw(canvas);
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"8", "6", "4", "2"}));
}

}  // namespace
