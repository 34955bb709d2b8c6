#include "SeriesMarks.h"

#include <gtest/gtest.h>

#include "ChartTestSupport.h"
#include "CustomSeries.h"

namespace {

using charttest::Texts;

// A 100 x 100 plot with both axes fixed at 0 .. 10, and a marked point series.
class SeriesMarksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    charttest::MakePlain(chart);
    charttest::FixAxes(chart);
    points = chart.AddSeries<TPointSeries>();
    points->Marks().SetVisible(true);
  }
  TChart chart;
  TPointSeries* points = nullptr;
  TRecordingCanvas canvas;
};

TEST_F(SeriesMarksTest, TextShowsTheChosenValueToThreeDecimals) {
  points->Marks().SetStyle(smsXValue);
  points->AddPoint(0.5, 2.5);
  points->AddPoint(1.23456, 7);
  chart.Draw(canvas);
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"0.5", "1.235"}));

  points->Marks().SetStyle(smsValue);
  canvas.Clear();
  chart.Draw(canvas);
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"2.5", "7"}));

  points->OnGetMarkText = [](TChartSeries&, int index, std::string& text) {
    text = index == 0 ? "" : text + "!";
  };
  canvas.Clear();
  chart.Draw(canvas);
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"7!"})) << "an empty text draws no mark";
}

TEST_F(SeriesMarksTest, MarksThatReadAlikeGetTheDigitsThatTellThemApart) {
  // To three decimals 5.00004 and 5.00006 both read "5": five significant digits tell them
  // apart, their zeros kept to show it. 7 and the two points at 3 keep their text.
  points->Marks().SetStyle(smsXValue);
  points->AddPoint(3, 1);
  points->AddPoint(3, 3);
  points->AddPoint(5.00004, 2);
  points->AddPoint(5.00006, 8);
  points->AddPoint(7, 5);
  chart.Draw(canvas);
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"3", "3", "5.0000", "5.0001", "7"}));

  // Nor does a mark read like an axis label half a step or more away: in whole numbers,
  // 107.6 would read "108" beside the label 108 of an axis stepping by 0.5; 108.9 may read
  // "109".
  points->ClearPoints();
  chart.SetSize(200, 100);
  chart.SetAxisVisible(true);
  chart.LeftAxis().SetVisible(false);
  chart.BottomAxis().SetLimits(107, 109);
  chart.BottomAxis().SetAxisValuesFormat("#,##0");
  points->AddPoint(107.6, 5);
  points->AddPoint(108.9, 8);
  canvas.Clear();
  chart.Draw(canvas);
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"108.5", "108", "107.5", "107.6", "109"}));
}

TEST_F(SeriesMarksTest, BoxStandsArrowLengthAboveItsPointWithABlackArrow) {
  points->Marks().SetStyle(smsValue);
  points->Marks().SetArrowLength(8);
  points->AddPoint(5, 5);  // pixel (50, 50)
  chart.Draw(canvas);
  // "5" is 6 pixels, "W" 6 more, the frame 1 on each side: 14 x 16.
  const std::vector<TCanvasCall> rects = canvas.Calls("Rectangle");
  ASSERT_EQ(rects.size(), 3u) << "back wall, marker, mark box";
  EXPECT_EQ(rects[2].Args, (std::vector<int>{43, 27, 57, 43}));
  EXPECT_EQ(rects[2].Args[3] - 1, 50 - 8) << "bottom row 8 pixels above the point";
  EXPECT_EQ(rects[2].Brush, (TCanvasBrush{0x80FFFF, bsSolid}));
  const std::vector<TCanvasCall> arrows = canvas.Calls("LineTo");
  ASSERT_EQ(arrows.size(), 1u);
  EXPECT_EQ(arrows[0].ToString(), "LineTo 50 50 -> 50 42");
  EXPECT_EQ(arrows[0].Pen.Color, clBlack) << "a white arrow on a white chart turns black";
  const TCanvasCall text = canvas.Calls("TextOut")[0];
  EXPECT_EQ(text.Args, (std::vector<int>{50, 28})) << "centred, one frame pixel down";
  EXPECT_EQ(text.AlignH, TTextAlignH::Center);

  const TSeriesMarkPosition& pos = *points->Marks().Positions().at(0);
  EXPECT_EQ(pos.ArrowStart, (TPoint{50, 50}));
  EXPECT_EQ(pos.ArrowEnd, (TPoint{50, 42}));
  EXPECT_EQ(pos.BoxLeftTop, (TPoint{43, 27}));
}

TEST_F(SeriesMarksTest, NoArrowLengthPutsTheBoxJustAboveItsMarker) {
  points->Marks().SetStyle(smsValue);
  points->AddPoint(5, 5);
  chart.Draw(canvas);
  const std::vector<TCanvasCall> rects = canvas.Calls("Rectangle");
  ASSERT_EQ(rects.size(), 3u);
  // The marker reaches VertSize above the point's row 50; the box's bottom row is above it.
  EXPECT_EQ(rects[2].Args[3] - 1, 50 - points->Pointer().VertSize() - 1);
  for (const TCanvasCall& line : canvas.Calls("LineTo")) {
    EXPECT_EQ(line.From, (TPoint{line.Args[0], line.Args[1]})) << "an arrow of no length";
  }
}

TEST_F(SeriesMarksTest, NullPointsAreNotMarkedAndClearingForgetsPositions) {
  points->Marks().SetStyle(smsValue);
  points->AddPoint(1, 1);
  points->AddNullXY(2, 2);
  points->AddPoint(3, 3);
  chart.Draw(canvas);
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(points->Marks().Positions().size(), 3u);
  EXPECT_FALSE(points->Marks().Positions()[1].has_value());
  points->ClearPoints();
  EXPECT_TRUE(points->Marks().Positions().empty());
}

TEST_F(SeriesMarksTest, MarksAreNotClippedUnlessAsked) {
  points->Marks().SetStyle(smsValue);
  points->AddPoint(5, 5);
  chart.Draw(canvas);
  EXPECT_EQ(canvas.Calls("TextOut")[0].Clips, 0);
  points->Marks().SetClip(true);
  canvas.Clear();
  chart.Draw(canvas);
  EXPECT_EQ(canvas.Calls("TextOut")[0].Clips, 1);
}

}  // namespace
