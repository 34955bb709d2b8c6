#include "ChartAxis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Chart.h"
#include "ChartTestSupport.h"
#include "CustomSeries.h"

namespace {

template <class F>
void ExpectAxisError(F&& set, const char* message) {
  try {
    set();
    ADD_FAILURE() << "no AxisException, expected \"" << message << "\"";
  } catch (const AxisException& e) {
    EXPECT_STREQ(e.what(), message);
  }
}

TEST(ChartAxisTest, RejectedValuesKeepTheOldOne) {
  TChart chart;
  TChartAxis& axis = chart.LeftAxis();
  axis.SetIncrement(0.5);
  ExpectAxisError([&] { axis.SetIncrement(-1); }, "Axis increment must be >= 0");
  EXPECT_EQ(axis.Increment(), 0.5);

  axis.SetMaximum(10);
  axis.SetMinimum(2);
  ExpectAxisError([&] { axis.SetMinimum(11); }, "Axis Minimum Value must be <= Maximum");
  EXPECT_EQ(axis.Minimum(), 2);
  ExpectAxisError([&] { axis.SetMaximum(1); }, "Axis Maximum Value must be >= Minimum");
  EXPECT_EQ(axis.Maximum(), 10);

  ExpectAxisError([&] { axis.SetLabelsSeparation(-1); },
                  "Labels Separation % must be greater than 0");
  EXPECT_EQ(axis.LabelsSeparation(), 10);
  axis.SetLabelsSeparation(0);
  EXPECT_EQ(axis.LabelsSeparation(), 0);

  chart.BeginLoading();
  axis.SetMinimum(20);
  chart.EndLoading();
  EXPECT_EQ(axis.Minimum(), 20) << "limits are not checked while loading";
}

TEST(ChartAxisTest, SetLimitsFixesTheRangeInOrder) {
  TChart chart;
  TChartAxis& axis = chart.BottomAxis();
  axis.SetLimits(5, 2);
  EXPECT_EQ(axis.Minimum(), 2);
  EXPECT_EQ(axis.Maximum(), 5);
  EXPECT_FALSE(axis.Automatic());
  EXPECT_FALSE(axis.AutomaticMinimum());
  EXPECT_FALSE(axis.AutomaticMaximum());
  axis.SetLimits(1, 1);
  EXPECT_EQ(axis.Maximum(), 1 + 1e-10);
}

TEST(ChartAxisTest, AutomaticSwitchesMoveTogether) {
  TChart chart;
  TChartAxis& axis = chart.LeftAxis();
  axis.SetAutomatic(false);
  EXPECT_FALSE(axis.AutomaticMinimum());
  EXPECT_FALSE(axis.AutomaticMaximum());
  axis.SetAutomaticMinimum(true);
  EXPECT_FALSE(axis.Automatic()) << "the maximum is still fixed";
  axis.SetAutomaticMaximum(true);
  EXPECT_TRUE(axis.Automatic());
  axis.SetAutomaticMaximum(false);
  EXPECT_FALSE(axis.Automatic());
  EXPECT_TRUE(axis.AutomaticMinimum());

  TChart loading;
  loading.BeginLoading();
  loading.LeftAxis().SetAutomatic(false);
  EXPECT_TRUE(loading.LeftAxis().AutomaticMinimum());
  EXPECT_TRUE(loading.LeftAxis().AutomaticMaximum());
}

TEST(ChartAxisTest, ChangedPropertiesRepaint) {
  TChart chart;
  int requests = 0;
  chart.SetRepaintRequest([&] { ++requests; });
  TChartAxis& axis = chart.BottomAxis();
  axis.SetIncrement(0);
  axis.SetVisible(true);
  EXPECT_EQ(requests, 0);
  axis.SetIncrement(1);
  axis.Grid().SetVisible(false);
  axis.Title().SetCaption("x");
  axis.LabelsFont().SetHeight(16);
  EXPECT_EQ(requests, 4);
}

// A horizontal and a vertical axis laid out on the plot rectangle (100, 50) - (300, 250).
class AxisMappingTest : public ::testing::Test {
 protected:
  void Layout(TCustomChartAxis& axis, double min, double max) {
    axis.SetLimits(min, max);
    axis.CalcAutomaticLimits();
    axis.CalcPositions(TRect{100, 50, 300, 250});
  }
  TChart chart;
};

TEST_F(AxisMappingTest, ValuesToPixelsAndBack) {
  TChartAxis& h = chart.BottomAxis();
  TChartAxis& v = chart.LeftAxis();
  Layout(h, 0, 10);
  Layout(v, 0, 10);
  EXPECT_EQ(h.AxisStart(), 100);
  EXPECT_EQ(h.AxisEnd(), 300);
  EXPECT_EQ(h.ValueToPixel(0), 100);
  EXPECT_EQ(h.ValueToPixel(2.5), 150);
  EXPECT_EQ(h.ValueToPixel(-5), 0);
  EXPECT_EQ(v.ValueToPixel(0), 250);
  EXPECT_EQ(v.ValueToPixel(2.5), 200);
  EXPECT_EQ(h.PixelToValue(150), 2.5);
  EXPECT_EQ(v.PixelToValue(200), 2.5);
  EXPECT_EQ(h.ValueToPixel(0.125), 102) << "2.5 pixels round to even";
  EXPECT_EQ(h.ValueToPixel(0.375), 108) << "7.5 pixels round to even";

  h.SetInverted(true);
  v.SetInverted(true);
  EXPECT_EQ(h.ValueToPixel(2.5), 250);
  EXPECT_EQ(v.ValueToPixel(2.5), 100);
  EXPECT_EQ(h.PixelToValue(250), 2.5);
}

TEST_F(AxisMappingTest, UnplaceableValuesGoToTheCentre) {
  TChartAxis& h = chart.BottomAxis();
  Layout(h, 0, 10);
  const double inf = std::numeric_limits<double>::infinity();
  for (const double value : {1e300, -1e300, inf, std::nan("")}) {
    EXPECT_EQ(h.ValueToPixel(value), 200) << value;
    int pixel = 0;
    EXPECT_FALSE(h.PlaceValue(value, pixel)) << value;
  }
  int pixel = 0;
  EXPECT_TRUE(h.PlaceValue(5, pixel));
  EXPECT_EQ(pixel, 200);

  h.SetMaximum(0);
  h.CalcAutomaticLimits();
  EXPECT_EQ(h.ValueToPixel(123), 200) << "zero range";
  EXPECT_TRUE(h.PlaceValue(123, pixel));

  h.CalcPositions(TRect{100, 50, 100, 250});
  EXPECT_EQ(h.PixelToValue(100), 0) << "zero-length axis";
}

TEST(ChartAxisLimitsTest, AutomaticLimitsFollowTheCountedSeries) {
  TChart chart;
  TChartAxis& h = chart.BottomAxis();
  h.CalcAutomaticLimits();
  EXPECT_EQ(h.EffectiveMinimum(), 0);
  EXPECT_EQ(h.EffectiveMaximum(), 0);

  auto* a = chart.AddSeries<TLineSeries>();
  auto* b = chart.AddSeries<TLineSeries>();
  a->AddPoint(1, 0);
  a->AddPoint(4, 0);
  b->AddPoint(-2, 0);
  b->AddPoint(3, 0);
  h.CalcAutomaticLimits();
  EXPECT_EQ(h.Minimum(), -2);
  EXPECT_EQ(h.Maximum(), 4);
  EXPECT_EQ(h.EffectiveRange(), 6);

  b->SetActive(false);
  h.CalcAutomaticLimits();
  EXPECT_EQ(h.Minimum(), 1) << "inactive series count only when no active one does";
  a->SetActive(false);
  h.CalcAutomaticLimits();
  EXPECT_EQ(h.Minimum(), -2);
  EXPECT_EQ(h.Maximum(), 4);

  h.SetAutomaticMaximum(false);
  h.SetMaximum(10);
  a->SetActive(true);
  h.CalcAutomaticLimits();
  EXPECT_EQ(h.Minimum(), 1);
  EXPECT_EQ(h.Maximum(), 10) << "a fixed end keeps its value";
}

TEST(ChartAxisLimitsTest, MarkersWidenAutomaticEndsByTheirHalfSizePlusOne) {
  TChart chart;
  charttest::MakePlain(chart, 200);
  auto* s = chart.AddSeries<TPointSeries>();
  s->Pointer().SetHorizSize(3);
  s->Pointer().SetVertSize(3);
  s->AddPoint(0, 0);
  s->AddPoint(1, 1);
  TRecordingCanvas canvas;
  chart.Draw(canvas);
  const TChartAxis& h = chart.BottomAxis();
  const TChartAxis& v = chart.LeftAxis();
  EXPECT_EQ(h.ValueToPixel(0), h.AxisStart() + 4);
  EXPECT_EQ(h.ValueToPixel(1), h.AxisEnd() - 4);
  EXPECT_EQ(v.ValueToPixel(1), v.AxisStart() + 4);
  EXPECT_EQ(v.ValueToPixel(0), v.AxisEnd() - 4);
  EXPECT_EQ(h.Minimum(), 0) << "the stored limits stay unwidened";
  EXPECT_EQ(h.Maximum(), 1);
  EXPECT_LT(h.EffectiveMinimum(), 0);

  chart.LeftAxis().SetLimits(0, 1);
  chart.Draw(canvas);
  EXPECT_EQ(v.ValueToPixel(1), v.AxisStart()) << "fixed ends take no margin";
  EXPECT_EQ(v.ValueToPixel(0), v.AxisEnd());
}

TEST(ChartAxisShownTest, AxesShowForTheirSeries) {
  TChart chart;
  EXPECT_TRUE(chart.TopAxis().IsShown()) << "no series: all four side axes";
  EXPECT_TRUE(chart.RightAxis().IsShown());
  EXPECT_FALSE(chart.DepthAxis().IsShown());
  auto* s = chart.AddSeries<TLineSeries>();
  EXPECT_TRUE(chart.BottomAxis().IsShown());
  EXPECT_TRUE(chart.LeftAxis().IsShown());
  EXPECT_FALSE(chart.TopAxis().IsShown());
  EXPECT_FALSE(chart.RightAxis().IsShown());
  s->SetActive(false);
  EXPECT_TRUE(chart.TopAxis().IsShown()) << "all series inactive: four side axes";
  chart.SetAxisVisible(false);
  EXPECT_FALSE(chart.BottomAxis().IsShown());
}

TEST(ChartAxisLabelTest, LabelTextUsesFormatEventAndLines) {
  TChart chart;
  TChartAxis& axis = chart.BottomAxis();
  EXPECT_EQ(axis.LabelText(12000.5), "12,000.5");
  chart.OnGetAxisLabel = [](TCustomChartAxis&, TChartSeries*, int, std::string& text) {
    text = "about " + text;
  };
  EXPECT_EQ(axis.LabelText(1), "about 1");
  EXPECT_EQ(axis.LabelText(1, false), "1");
  axis.SetLabelsMultiLine(true);
  EXPECT_EQ(axis.LabelText(1), "about\r1");
}

TEST(ChartAxisLabelTest, CapacityOfTheFixedDistributionAxis) {
  // 240 pixels long, labels 14 pixels high (11 + 3 on the recording canvas).
  TChart chart;
  TChartAxis& axis = chart.LeftAxis();
  axis.SetAutomatic(false);
  axis.SetMinimum(-0.025);
  axis.SetMaximum(1.025);
  axis.SetIncrement(0.05);
  axis.CalcAutomaticLimits();
  axis.CalcPositions(TRect{0, 10, 100, 250});
  TRecordingCanvas canvas;
  EXPECT_EQ(axis.CalcLabelCapacity(canvas), 16);
  EXPECT_EQ(axis.CalcLabelStep(canvas), 0.1);
}

}  // namespace
