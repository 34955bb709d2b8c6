#include "Chart.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ChartTestSupport.h"
#include "CustomSeries.h"
#include "FeedbackChartSettings.h"
#include "Judgements.h"
#include "PlotComputation.h"

namespace {

using charttest::Find;
using charttest::Texts;

TEST(ChartLayoutTest, FeedbackSizedChartHasItsPlotRectangleInsideTheMargins) {
  TChart chart;
  chart.SetSize(608, 326);
  chart.SetAxisVisible(false);
  TRecordingCanvas canvas;
  chart.Draw(canvas);
  EXPECT_EQ(chart.PlotRect(), (TRect{18, 13, 590, 313}));
  EXPECT_EQ(canvas.Calls("BeginBuffer")[0].Args, (std::vector<int>{608, 326}));
  // The back wall frame lies on the plot rectangle's edges.
  EXPECT_EQ(canvas.Calls("Rectangle")[0].Args, (std::vector<int>{18, 13, 591, 314}));
}

TEST(ChartLayoutTest, TheLegendTakesItsRoomRightOfThePlotAndCutsALongName) {
  TChart chart;
  chart.SetSize(608, 326);
  chart.SetAxisVisible(false);
  auto* first = chart.AddSeries<TLineSeries>();
  first->AddPoint(0, 0);
  first->AddPoint(1, 1);
  auto* second = chart.AddSeries<TLineSeries>();
  second->AddPoint(0, 1);
  second->LinePen().SetWidth(2);
  TRecordingCanvas canvas;
  chart.Draw(canvas);
  EXPECT_FALSE(chart.Layout().Legend.Shown) << "no series has a legend text";
  EXPECT_EQ(chart.PlotRect().Right, 590);

  first->SetLegendText("Ada");
  second->SetLegendText(std::string(200, 'x'));
  canvas.Clear();
  chart.Draw(canvas);
  const TLegendLayout& legend = chart.Layout().Legend;
  ASSERT_TRUE(legend.Shown);
  ASSERT_EQ(legend.Entries.size(), 2u);
  const int charWidth = TRecordingCanvas::CharWidth(chart.Legend().Font().ToCanvas().Height);
  const int lineHeight = TRecordingCanvas::LineHeight(chart.Legend().Font().ToCanvas().Height);
  // The box stands where the plot ended, and the plot gives up its room and a gap of 8.
  EXPECT_EQ(legend.Box.Right, 590);
  EXPECT_EQ(legend.Box.Top, 13);
  EXPECT_EQ(chart.PlotRect().Right, legend.Box.Left - 8);
  EXPECT_EQ(legend.Box.Height(), 2 * 4 + 2 * (lineHeight + 2));
  // Half the plot's old width at most: the long name is cut, with "...".
  EXPECT_LE(legend.Box.Width(), (590 - 18) / 2);
  const std::string& cut = legend.Entries[1].Text;
  EXPECT_EQ(cut.substr(cut.size() - 3), "...");
  EXPECT_EQ(legend.Box.Width(), 4 + 20 + 4 + static_cast<int>(cut.size()) * charWidth + 4);
  for (std::size_t k = 0; k < legend.Entries.size(); ++k) {
    const TLegendEntry& entry = legend.Entries[k];
    EXPECT_EQ(entry.TextY, legend.Box.Top + 4 + static_cast<int>(k) * (lineHeight + 2)) << k;
    EXPECT_EQ(entry.TextX, entry.Symbol.Right + 4);
    EXPECT_LE(entry.TextX + static_cast<int>(entry.Text.size()) * charWidth, legend.Box.Right)
        << "the text stays inside the box";
  }
  EXPECT_EQ(legend.Entries[0].Text, "Ada");
  // Drawn last, over the series: the line samples in the series' pens, then the texts.
  const std::vector<TCanvasCall> texts = canvas.Calls("TextOut");
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[texts.size() - 2].Text, "Ada");
  const std::vector<TCanvasCall> lines = canvas.Calls("LineTo");
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines.back().Pen.Width, 2);
  EXPECT_EQ(lines.back().Args[1],
            (legend.Entries[1].Symbol.Top + legend.Entries[1].Symbol.Bottom) / 2);

  chart.Legend().SetVisible(false);
  chart.Draw(canvas);
  EXPECT_FALSE(chart.Layout().Legend.Shown);
  EXPECT_EQ(chart.PlotRect().Right, 590);
}

TEST(ChartLayoutTest, TitleOfBlankLinesTakesItsRoom) {
  TChart chart;
  chart.SetSize(608, 326);
  chart.SetAxisVisible(false);
  TRecordingCanvas canvas;
  chart.Title().SetText({""});
  chart.Draw(canvas);
  EXPECT_EQ(chart.PlotRect().Top, 13 + 14 + 5) << "a line of the 8-point title font and 5";

  chart.Title().SetText({"  "});
  chart.Title().Font().SetHeight(16);
  chart.Draw(canvas);
  EXPECT_EQ(chart.PlotRect().Top, 13 + 19 + 5);

  chart.Title().SetText({});
  chart.Foot().SetText({"a", "b"});
  chart.Draw(canvas);
  EXPECT_EQ(chart.PlotRect().Top, 13) << "an empty title takes no room";
  EXPECT_EQ(chart.PlotRect().Bottom, 313 - 2 * 14 - 5);
}

TEST(ChartLayoutTest, FeedbackChartBandsAndTitleText) {
  TChart chart;
  chart.SetSize(608, 326);
  chart.SetColor(clWhite);
  chart.Title().SetText({"  "});
  chart.Title().Font().SetHeight(16);
  chart.BottomAxis().Title().SetCaption("x");
  chart.LeftAxis().Title().SetCaption("Probability Density");
  auto* line = chart.AddSeries<TLineSeries>();
  line->AddPoint(0, 0);
  line->AddPoint(10, 1);
  TRecordingCanvas canvas;
  chart.Draw(canvas);
  const TRect& plot = chart.PlotRect();
  // Bottom: title 14, labels 14, axis pen 2 and ticks 4.
  EXPECT_EQ(plot.Bottom, 313 - 14 - 14 - 6);
  EXPECT_EQ(chart.BottomAxis().TitlePos(), 299);
  EXPECT_EQ(chart.BottomAxis().LabelsPos(), 285);
  // Left: title 14, then the widest label drawn ("0.1" .. "0.9", the step 0.1) and a blank.
  EXPECT_EQ(chart.LeftAxis().TitlePos(), 18 + 14);
  EXPECT_EQ(chart.LeftAxis().LabelsPos(), 18 + 14 + 18 + 6);
  EXPECT_EQ(plot.Left, 18 + 14 + 24 + 6);
  EXPECT_EQ(plot.Top, 13 + 19 + 5);
  EXPECT_EQ(plot.Right, 590);
  const std::vector<std::string> texts = Texts(canvas);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "  ") << "the title is drawn first";
}

TEST(ChartPaintTest, PaintRequestsDrawOnlyAfterChanges) {
  TChart chart;
  TRecordingCanvas canvas;
  chart.Paint(canvas);
  chart.Paint(canvas);
  EXPECT_EQ(chart.DrawCount(), 1);
  EXPECT_EQ(canvas.Calls("CopyToWindow").size(), 2u);
  EXPECT_EQ(canvas.Calls("BeginBuffer").size(), 1u);

  auto* line = chart.AddSeries<TLineSeries>();
  for (int i = 0; i < 50; ++i) {
    line->AddPoint(i, i);
  }
  EXPECT_TRUE(chart.Dirty());
  chart.Paint(canvas);
  chart.Paint(canvas);
  EXPECT_EQ(chart.DrawCount(), 2) << "a run of adds costs one drawing";

  chart.SetSize(300, 200);
  chart.Paint(canvas);
  EXPECT_EQ(chart.DrawCount(), 3);
  EXPECT_EQ(canvas.Calls("BeginBuffer").back().Args, (std::vector<int>{300, 200}));
  EXPECT_EQ(canvas.Calls("CopyToWindow").back().Args, (std::vector<int>{0, 0}));
}

TEST(ChartPaintTest, PaintingOrder) {
  TChart chart;
  chart.SetSize(200, 200);
  std::vector<std::string> events;
  TRecordingCanvas canvas;
  const auto mark = [&](const char* name) {
    return [&events, &canvas, name](TChart&) {
      events.push_back(std::string(name) + " " + std::to_string(canvas.Calls().size()));
    };
  };
  chart.OnBeforeDrawAxes = mark("axes");
  chart.OnBeforeDrawSeries = mark("series");
  chart.OnAfterDraw = mark("after");
  auto* points = chart.AddSeries<TPointSeries>();
  points->Marks().SetVisible(true);
  points->AddPoint(1, 1);
  points->AddPoint(2, 2);
  chart.Draw(canvas);

  const int background = Find(canvas, "FillRect");
  const int bevel = Find(canvas, "Frame3D");
  const int wall = Find(canvas, "Rectangle");
  const int firstLabel = Find(canvas, "TextOut");
  const int clip = Find(canvas, "ClipRectangle");
  const int marker = Find(canvas, "Rectangle", clip);
  const int unclip = Find(canvas, "UnClipRectangle");
  const int markText = Find(canvas, "TextOut", unclip);
  EXPECT_EQ(background, 2) << "after BeginBuffer and the brush";
  EXPECT_LT(background, bevel);
  EXPECT_LT(bevel, wall);
  EXPECT_LT(wall, firstLabel) << "axes after the back wall";
  EXPECT_LT(firstLabel, clip) << "axes before the series";
  EXPECT_LT(clip, marker);
  EXPECT_LT(marker, unclip);
  EXPECT_LT(unclip, markText) << "marks after the points, unclipped";
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0], "axes " + std::to_string(wall + 1));
  EXPECT_LT(std::stoi(events[1].substr(7)), clip + 1);
  EXPECT_EQ(canvas.Calls().back().Op, "EndBuffer");
  EXPECT_EQ(canvas.Calls().back().Pen, (TCanvasPen{clBlack, 1, psSolid})) << "reset at the end";
}

TEST(ChartPaintTest, HiddenAxesStillLeaveRoomForMarkers) {
  TChart chart;
  charttest::MakePlain(chart, 200);
  auto* points = chart.AddSeries<TPointSeries>();
  points->AddPoint(0, 0);
  points->AddPoint(1, 1);
  TRecordingCanvas canvas;
  chart.Draw(canvas);
  EXPECT_TRUE(Texts(canvas).empty());
  EXPECT_EQ(chart.BottomAxis().ValueToPixel(0), 5) << "pointer half size 4, plus 1";
  EXPECT_EQ(chart.BottomAxis().ValueToPixel(1), 195);
}

TEST(ChartPaintTest, EmptySeriesShowsBottomAndLeftAxesWithOneLabelEach) {
  TChart chart;
  chart.AddSeries<TLineSeries>();
  TRecordingCanvas canvas;
  chart.Draw(canvas);
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"0", "0"}));
  EXPECT_EQ(chart.BottomAxis().EffectiveMaximum(), 0);
  EXPECT_EQ(chart.LeftAxis().EffectiveMinimum(), 0);
  EXPECT_EQ(Find(canvas, "ClipRectangle"), -1);
  EXPECT_GE(Find(canvas, "FillRect"), 0);
}

TEST(ChartPaintTest, NoActiveSeriesShowsFourUnlabelledAxes) {
  TChart chart;
  chart.AddSeries<TLineSeries>()->SetActive(false);
  TRecordingCanvas canvas;
  chart.Draw(canvas);
  EXPECT_TRUE(Texts(canvas).empty());
  int axisLines = 0;
  for (const TCanvasCall& c : canvas.Calls("LineTo")) {
    axisLines += c.Pen.Width == 2 ? 1 : 0;
  }
  EXPECT_EQ(axisLines, 4);
}

TEST(ChartPaintTest, PanelFrame) {
  TChart chart;
  TRecordingCanvas canvas;
  chart.Draw(canvas);
  const std::vector<TCanvasCall> frames = canvas.Calls("Frame3D");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].Args, (std::vector<int>{0, 0, 400, 250, static_cast<int>(clBtnHighlight),
                                              static_cast<int>(clBtnShadow), 1}));
  EXPECT_EQ(canvas.Calls("FillRect")[0].Brush, (TCanvasBrush{clBtnFace, bsSolid}));
  chart.SetBevelWidth(0);
  canvas.Clear();
  chart.Draw(canvas);
  EXPECT_TRUE(canvas.Calls("Frame3D").empty());
}

TEST(ChartPaintTest, TinyChartsStillPaint) {
  TChart chart;
  auto* line = chart.AddSeries<TPointSeries>();
  line->AddPoint(0, 0);
  line->AddPoint(1, 1);
  line->Marks().SetVisible(true);
  TRecordingCanvas canvas;
  for (const int size : {1, 3, 12}) {
    chart.SetSize(size, size);
    chart.Draw(canvas);
    EXPECT_GE(chart.PlotRect().Width(), 1) << size;
    EXPECT_GE(chart.PlotRect().Height(), 1) << size;
  }
  canvas.Clear();
  chart.SetSize(0, 0);
  chart.Draw(canvas);
  chart.SetSize(-5, 40);
  chart.Draw(canvas);
  EXPECT_EQ(canvas.Log(), (std::vector<std::string>{"BeginBuffer 0 0", "EndBuffer",
                                                    "BeginBuffer 0 40", "EndBuffer"}));
}

TEST(ChartPaintTest, AnyValuePaints) {
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {std::nan(""), inf, -inf, 1e300, -1e300, 1e308, -1e308, 5e-324};
  for (const double a : values) {
    for (const double b : values) {
      TChart chart;
      chart.SetSize(608, 326);
      auto* line = chart.AddSeries<TLineSeries>();
      auto* points = chart.AddSeries<TPointSeries>();
      points->Marks().SetVisible(true);
      points->Marks().SetStyle(smsXValue);
      for (auto* s : std::initializer_list<TChartSeries*>{line, points}) {
        s->AddPoint(a, b);
        s->AddPoint(0, 1);
        s->AddPoint(b, a);
      }
      TRecordingCanvas canvas;
      chart.Draw(canvas);
      chart.Draw(canvas);  // the second paint measures with the first one's axis lengths
      for (const TCanvasCall& c : canvas.Calls()) {
        if (c.Op == "LineTo" || c.Op == "Polygon" || c.Op == "Rectangle") {
          for (const int v : c.Args) {
            ASSERT_LE(std::abs(v), 32766) << a << ", " << b << ": " << c.ToString();
          }
        }
      }
    }
  }
}

}  // namespace

// [SECTION] The five feedback charts for many judgement sets

namespace {

// The input window's values, changed by the set.
// The judgements as typed, the levels at their initial values.
using TJudgementSet = TypedJudgements;

std::string Number(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

// Where the recording canvas put a text: its fixed metric, alignment and direction.
TRect TextBox(const TCanvasCall& c) {
  const int along = static_cast<int>(c.Text.size()) * TRecordingCanvas::CharWidth(c.Font.Height);
  const int across = TRecordingCanvas::LineHeight(c.Font.Height);
  const int x = c.Args[0];
  const int y = c.Args[1];
  const int shift = c.AlignH == TTextAlignH::Left     ? 0
                    : c.AlignH == TTextAlignH::Center ? along / 2
                                                      : along;
  if (c.Font.Angle == 90) {  // upwards: along runs to -y, the top of the text faces -x
    const int left = c.AlignV == TTextAlignV::Top ? x : x - across;
    return TRect{left, y - along + shift, left + across, y + shift};
  }
  const int top = c.AlignV == TTextAlignV::Top ? y : y - across;
  return TRect{x - shift, top, x - shift + along, top + across};
}

// Draws the five pages of a fit and reports every overlap, text off the chart and label read
// twice on an axis.
std::vector<std::string> Defects(const TGraphSamples& g) {
  std::vector<std::string> out;
  // The feedback window's own charts at its designed size.
  TChart pages[5];
  for (TChart& page : pages) {
    page.SetSize(kFeedbackChartWidth, kFeedbackChartHeight);
  }
  const DensityChartSeries density = SetUpDensityChart(pages[0]);
  FeedSeries(*density.Line, g.DensityLine);
  FeedSeries(*density.Marks, g.DensityMarks);
  const DistributionChartSeries distribution = SetUpDistributionChart(pages[1]);
  FeedSeries(*distribution.Line, g.DistributionLine);
  FeedSeries(*distribution.Marks, g.DistributionMarks);
  const ModeProbabilityChartSeries mode = SetUpModeProbabilityChart(pages[2]);
  FeedSeries(*mode.Line, g.ModeLine);
  FeedSeries(*mode.Limit, g.ModeLimitLine);
  FeedSeries(*mode.Marks, g.ModeMarks);
  const BoundChartSeries lower = SetUpLowerBoundChart(pages[3]);
  FeedSeries(*lower.Line, g.LowerLine);
  FeedSeries(*lower.Marks, g.LowerMarks);
  const BoundChartSeries upper = SetUpUpperBoundChart(pages[4]);
  FeedSeries(*upper.Line, g.UpperLine);
  FeedSeries(*upper.Marks, g.UpperMarks);
  const char* names[] = {"PDF", "CDF", "Mode Probability", "Lower Bound", "Upper Bound"};
  for (int k = 0; k < 5; ++k) {
    TRecordingCanvas canvas;
    pages[k].Draw(canvas);
    std::vector<std::pair<TRect, std::string>> texts;
    for (const TCanvasCall& c : canvas.Calls("TextOut")) {
      if (c.Text.find_first_not_of(' ') != std::string::npos) {
        texts.emplace_back(TextBox(c), c.Text);
      }
    }
    const TRect panel = pages[k].PanelBounds();
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const TRect& a = texts[i].first;
      if (a.Left < panel.Left || a.Top < panel.Top || a.Right > panel.Right ||
          a.Bottom > panel.Bottom) {
        out.push_back(std::string(names[k]) + ": \"" + texts[i].second + "\" leaves the chart");
      }
      for (std::size_t j = 0; j < i; ++j) {
        if (Overlaps(a, texts[j].first)) {
          out.push_back(std::string(names[k]) + ": \"" + texts[i].second + "\" covers \"" +
                        texts[j].second + "\"");
        }
      }
    }
    for (const TChartAxis* axis : {&pages[k].BottomAxis(), &pages[k].LeftAxis()}) {
      std::set<std::string> seen;
      for (const TAxisLabel& label : axis->Layout().Labels) {
        if (!seen.insert(label.Text).second) {
          out.push_back(std::string(names[k]) + ": two labels read \"" + label.Text + "\"");
        }
      }
    }
  }
  return out;
}

}  // namespace

TEST(FeedbackChartsTest, TextsNeverOverlapLeaveTheChartOrRepeatAtAnyScale) {
  struct TShape {
    double ap, m, br;
  };
  // Around the input window's values, negative, narrow and wide.
  const TShape shapes[] = {{6.5, 7.0, 10.5},
                           {-10.5, -7.0, -6.5},
                           {1000, 1000.001, 1000.003},
                           {1, 2, 1000000},
                           {-3, 0.5, 4}};
  const double scales[] = {1e-9, 1e-3, 1, 1e6, 1e12};
  const double powers[] = {0.0001, 0.5, 1, 2, 7, 10000};
  int fitted = 0;
  int tried = 0;
  for (const TShape& shape : shapes) {
    for (const double scale : scales) {
      for (int mode = 0; mode < 2; ++mode) {
        for (const double n : mode == 0 ? std::vector<double>(std::begin(powers), std::end(powers))
                                        : std::vector<double>{0}) {
          TJudgementSet set;
          set.Texts = {Number(shape.ap * scale), Number(shape.m * scale), Number(shape.br * scale),
                       Number(n), Number((shape.m + 0.75 * (shape.br - shape.m)) * scale)};
          set.Mode = mode == 0 ? FitMode::PowerParameter : FitMode::ExtraQuantile;
          ++tried;
          std::optional<PlotOutcome> outcome;
          try {
            outcome = ComputePlot(ReadJudgements(set));
          } catch (const std::exception&) {
            continue;  // judgements the windows refuse
          }
          if (!outcome->Fitted) {
            continue;
          }
          ++fitted;
          const std::string what = "a_p " + set.Texts[0] + ", m " + set.Texts[1] + ", b_r " +
                                   set.Texts[2] +
                                   (mode == 0 ? ", n " + set.Texts[3] : ", x_s " + set.Texts[4]);
          for (const std::string& defect : Defects(outcome->Graphs)) {
            ADD_FAILURE() << what << ": " << defect;
          }
        }
      }
    }
  }
  EXPECT_GT(fitted, tried / 2) << fitted << " of " << tried << " sets fit";
}
