#include "FeedbackWindow.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "ChartWidget.h"
#include "Elicitation.h"
#include "ErrorBoundary.h"
#include "FakeJudgements.h"
#include "MessageService.h"
#include "NumberText.h"
#include "QtTestSupport.h"
#include "SimpleControls.h"
#include "SpinEdit.h"

namespace {

std::string Text(const TPanel* panel) {
  return panel->Caption().toStdString();
}

class FeedbackWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Form = std::make_unique<FeedbackWindow>(Document, Boundary); }

  // The document's fit of the judgements for power n, not yet shown; its distribution.
  const TwoSidedPower& PlotFit(const char* power = "7.0") {
    FakeJudgements typed;
    typed.Type(NumberField::Power, power);
    EXPECT_TRUE(Document.Plot(typed).Fitted);
    return Document.Shown()->Fitted->Distribution;
  }

  void TypeLevel(const QString& text) {
    QLineEdit* field = Form->CredibilitySpin->LineEdit();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
      QTest::keyClick(field, Qt::Key_Backspace);
    } else {
      QTest::keyClicks(field, text);
    }
  }

  TMessageRecorder Recorder;
  THandlerBoundary Boundary{Recorder};
  Elicitation Document;
  std::unique_ptr<FeedbackWindow> Form;
};

// [SECTION] Layout

TEST_F(FeedbackWindowTest, OpensHiddenAtItsDesignedSizeWithThePdfPageSelected) {
  EXPECT_FALSE(Form->isVisible());
  EXPECT_EQ(Form->windowTitle(), "Feedback FORM for elicited Two-Sided Power Distribution");
  EXPECT_EQ(Form->size(), QSize(616, 604));
  EXPECT_EQ(Form->FiguresGroup->geometry(), QRect(0, 0, 616, 209));
  EXPECT_EQ(Form->CredibilityGroup->geometry(), QRect(2, 144, 612, 63));
  EXPECT_EQ(Form->Notebook->geometry(), QRect(0, 209, 616, 395));
  EXPECT_EQ(Form->CredibilityGroup->Caption(), "90% Credibility Interval");
  EXPECT_EQ(Form->ModeLabel->Caption(), "Mode");
  for (const TPanel* panel :
       {Form->LowerBoundPanel, Form->UpperBoundPanel, Form->PowerPanel, Form->ModeProbabilityPanel,
        Form->ModePanel, Form->MedianPanel, Form->MeanPanel, Form->StdDevPanel,
        Form->LowerCredibilityPanel, Form->UpperCredibilityPanel}) {
    EXPECT_EQ(Text(panel), "Panel1") << panel->objectName().toStdString();
    EXPECT_EQ(panel->Bevel(), TBevel::Lowered) << panel->objectName().toStdString();
    EXPECT_EQ(panel->size(), QSize(89, 25)) << panel->objectName().toStdString();
  }
  const char* tabs[] = {"PDF",         "CDF",         "Mode Probability",
                        "Lower Bound", "Upper Bound", "Quantiles"};
  ASSERT_EQ(Form->Notebook->PageCount(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(Form->Notebook->tabText(i), tabs[i]);
  }
  EXPECT_EQ(Form->Notebook->PageIndex(), 0);
  EXPECT_EQ(Text(Form->DensityCaption),
            "Two-Sider Power density function with specified quantiles, a_p, b_r, mode m and "
            "power parameter n");
  EXPECT_EQ(Text(Form->DistributionCaption),
            "Two-Sider Power CDF with specified quantiles, a_p, b_r, mode m and power parameter n");
  EXPECT_EQ(Text(Form->ModeProbabilityCaption),
            "Mode Probability q as a function of n, given quantiles a_p, b_r and parameter m ");
  EXPECT_EQ(Text(Form->LowerBoundCaption),
            "Lower bound a as a function of n, given quantiles a_p, b_r and parameter m ");
  EXPECT_EQ(Text(Form->UpperBoundCaption).back(), ' ');
}

TEST_F(FeedbackWindowTest, OnResizingTheValueAreaKeepsItsHeightAndTheChartsTakeTheRest) {
  ASSERT_TRUE(ShowActive(*Form));
  // Asked for less than its minimum, the window stops there, where nothing is cut.
  Form->resize(400, 300);
  ASSERT_TRUE(WaitFor([&] {
    return Form->size() == QSize(FeedbackWindow::kMinimumWidth, FeedbackWindow::kMinimumHeight);
  })) << Form->width()
      << " x " << Form->height();
  const struct {
    int Width, Height;
  } sizes[] = {
      {900, 800}, {616, 604}, {FeedbackWindow::kMinimumWidth, FeedbackWindow::kMinimumHeight}};
  for (const auto& size : sizes) {
    Form->resize(size.Width, size.Height);
    ASSERT_TRUE(WaitFor([&] { return Form->size() == QSize(size.Width, size.Height); }));
    const std::string at = std::to_string(size.Width) + " x " + std::to_string(size.Height);
    EXPECT_EQ(Form->FiguresGroup->geometry(), QRect(0, 0, size.Width, 209)) << at;
    EXPECT_EQ(Form->Notebook->geometry(), QRect(0, 209, size.Width, size.Height - 209)) << at;
    EXPECT_EQ(Form->CredibilityGroup->geometry(), QRect(2, 144, size.Width - 4, 63)) << at;
    // Every page: the chart fills the page above its 41-pixel caption panel.
    for (const ChartWidget* chart :
         {Form->DensityChart, Form->DistributionChart, Form->ModeProbabilityChart,
          Form->LowerBoundChart, Form->UpperBoundChart}) {
      const QWidget* page = chart->parentWidget();
      const TPanel* caption = page->findChild<TPanel*>();
      ASSERT_NE(caption, nullptr);
      // The page stands in a scroll area on its tab.
      QWidget* tab = page->parentWidget();
      while (tab != nullptr && Form->Notebook->indexOf(tab) < 0)
        tab = tab->parentWidget();
      ASSERT_NE(tab, nullptr);
      Form->Notebook->setCurrentWidget(tab);
      ASSERT_TRUE(WaitFor([&] { return chart->height() + 41 == page->height(); })) << at;
      EXPECT_EQ(chart->geometry(), QRect(0, 0, page->width(), page->height() - 41)) << at;
      EXPECT_EQ(caption->geometry(), QRect(0, page->height() - 41, page->width(), 41)) << at;
      EXPECT_EQ(chart->Chart().Width(), chart->width()) << at;
    }
  }
  Form->Notebook->SetPageIndex(0);
}

TEST_F(FeedbackWindowTest, ClosingOnlyHidesTheWindow) {
  const QPointer<FeedbackWindow> alive(Form.get());
  Form->show();
  ASSERT_TRUE(WaitFor([&] { return Form->isVisible(); }));
  EXPECT_TRUE(Form->close());
  EXPECT_FALSE(Form->isVisible());
  EXPECT_FALSE(alive.isNull());
  Form->show();
  EXPECT_TRUE(Form->isVisible());
}

// [SECTION] Charts and series

TEST_F(FeedbackWindowTest, TheFiveChartsAreTwoDimensionalWhiteAndTitled) {
  struct TCase {
    ChartWidget* Widget;
    const char* Bottom;
    const char* Left;
  };
  const TCase cases[] = {{Form->DensityChart, "x", "Probability Density"},
                         {Form->DistributionChart, "x", "Cumulative Distribution Function"},
                         {Form->ModeProbabilityChart, "n", "Mode Probability q"},
                         {Form->LowerBoundChart, "n", "Lower Bound"},
                         {Form->UpperBoundChart, "n", "Upper Bound"}};
  for (const TCase& c : cases) {
    TChart& chart = c.Widget->Chart();
    const std::string name = c.Widget->objectName().toStdString();
    EXPECT_FALSE(chart.View3D()) << name;
    EXPECT_FALSE(chart.Legend().Visible()) << name;
    EXPECT_EQ(chart.Color(), clWhite) << name;
    EXPECT_EQ(chart.BackWall().Brush().Color(), clWhite) << name;
    EXPECT_EQ(chart.BackWall().Brush().Style(), bsClear) << name;
    EXPECT_EQ(chart.Title().Text(), std::vector<std::string>{"  "}) << name;
    EXPECT_EQ(chart.BottomAxis().Title().Caption(), c.Bottom) << name;
    EXPECT_EQ(chart.LeftAxis().Title().Caption(), c.Left) << name;
    EXPECT_EQ(chart.BevelWidth(), c.Widget == Form->DensityChart ? 0 : 1) << name;
    EXPECT_EQ(chart.LeftAxis().Automatic(), c.Widget != Form->DistributionChart) << name;
    EXPECT_TRUE(chart.BottomAxis().Automatic()) << name;
  }
  TChartFont& title = Form->DensityChart->Chart().Title().Font();
  EXPECT_EQ(title.Name(), "Arial");
  EXPECT_EQ(title.Height(), 16);
  EXPECT_EQ(title.Style(), 0u);
  EXPECT_EQ(title.Color(), clBlue);
  TChartAxis& probability = Form->DistributionChart->Chart().LeftAxis();
  EXPECT_FALSE(probability.AutomaticMinimum());
  EXPECT_FALSE(probability.AutomaticMaximum());
  EXPECT_EQ(probability.Minimum(), -0.025);
  EXPECT_EQ(probability.Maximum(), 1.025);
  EXPECT_EQ(probability.Increment(), 0.05);
}

TEST_F(FeedbackWindowTest, EveryControlAndChartHasAnAccessibleName) {
  PlotFit();
  Form->ShowFit();
  Form->show();
  QApplication::processEvents();
  EXPECT_EQ(UnnamedFocusableWidgets(*Form), std::vector<std::string>());
  // A chart is named for what it shows, and described by its axes' ranges once drawn.
  for (int i = 0; i < Form->Notebook->PageCount(); ++i) {
    Form->Notebook->SetPageIndex(i);
    QApplication::processEvents();
    for (const ChartWidget* chart : Form->Notebook->Page(i)->findChildren<ChartWidget*>()) {
      const QAccessibleInterface* face =
          QAccessible::queryAccessibleInterface(const_cast<ChartWidget*>(chart));
      ASSERT_NE(face, nullptr);
      EXPECT_FALSE(face->text(QAccessible::Name).isEmpty()) << chart->objectName().toStdString();
      const QString left = QString::fromStdString(chart->Chart().LeftAxis().Title().Caption());
      EXPECT_TRUE(face->text(QAccessible::Description).startsWith(left + QStringLiteral(" from ")))
          << chart->objectName().toStdString() << ": "
          << face->text(QAccessible::Description).toStdString();
    }
  }
}

TEST_F(FeedbackWindowTest, TheElevenSeriesAreCurvesAndMarkedPointsAsDesigned) {
  struct TCase {
    const char* Name;
    TCustomSeries* Series;
    ChartWidget* Chart;
    bool Line;
    TColor Color;
    bool Pointer;
    bool Marks;
    TSeriesMarksStyle Style;
    int Arrow;
  };
  const TCase cases[] = {
      {"DensitySeries", Form->DensitySeries, Form->DensityChart, true, clRed, false, false,
       smsLabel, 0},
      {"DensityMarksSeries", Form->DensityMarksSeries, Form->DensityChart, false, clGreen, true,
       true, smsXValue, 8},
      {"DistributionSeries", Form->DistributionSeries, Form->DistributionChart, true, clRed, false,
       false, smsLabel, 0},
      {"DistributionMarksSeries", Form->DistributionMarksSeries, Form->DistributionChart, false,
       clGreen, true, true, smsXValue, 0},
      {"ModeProbabilitySeries", Form->ModeProbabilitySeries, Form->ModeProbabilityChart, true,
       clRed, false, false, smsLabel, 0},
      {"ModeProbabilityLimitSeries", Form->ModeProbabilityLimitSeries, Form->ModeProbabilityChart,
       true, clBlue, true, true, smsValue, 8},
      {"ModeProbabilityMarksSeries", Form->ModeProbabilityMarksSeries, Form->ModeProbabilityChart,
       false, clGreen, true, true, smsValue, 0},
      {"LowerBoundSeries", Form->LowerBoundSeries, Form->LowerBoundChart, true, clRed, false, false,
       smsLabel, 0},
      {"LowerBoundMarksSeries", Form->LowerBoundMarksSeries, Form->LowerBoundChart, false, clGreen,
       true, true, smsValue, 0},
      {"UpperBoundSeries", Form->UpperBoundSeries, Form->UpperBoundChart, true, clRed, false, false,
       smsLabel, 0},
      {"UpperBoundMarksSeries", Form->UpperBoundMarksSeries, Form->UpperBoundChart, false, clGreen,
       true, true, smsValue, 0},
  };
  for (const TCase& c : cases) {
    const TCustomSeries& s = *c.Series;
    EXPECT_EQ(s.ParentChart(), &c.Chart->Chart()) << c.Name;
    EXPECT_EQ(s.DrawLine(), c.Line) << c.Name;
    EXPECT_EQ(s.SeriesColor(), c.Color) << c.Name;
    EXPECT_EQ(s.XValues().Order(), loAscending) << c.Name;
    EXPECT_EQ(s.YValues().Order(), loNone) << c.Name;
    EXPECT_EQ(s.Pointer().Visible(), c.Pointer) << c.Name;
    EXPECT_EQ(s.Marks().Visible(), c.Marks) << c.Name;
    if (c.Pointer) {
      EXPECT_EQ(s.Pointer().Style(), psDiamond) << c.Name;
      EXPECT_EQ(s.Pointer().HorizSize(), 3) << c.Name;
      EXPECT_EQ(s.Pointer().VertSize(), 3) << c.Name;
      EXPECT_EQ(s.Pointer().Brush().Color(), clRed) << c.Name;
    }
    if (c.Marks) {
      EXPECT_EQ(s.Marks().Style(), c.Style) << c.Name;
      EXPECT_EQ(s.Marks().ArrowLength(), c.Arrow) << c.Name;
    }
  }
  EXPECT_EQ(Form->DensitySeries->Title(), "PDFSeries");
  EXPECT_EQ(Form->DensityMarksSeries->Title(), "PDFPointSeries");
  EXPECT_EQ(Form->ModeProbabilitySeries->Title(), "");
}

TEST_F(FeedbackWindowTest, FillingReplacesEachSeriesByItsPointList) {
  for (const FitMode mode : {FitMode::PowerParameter, FitMode::ExtraQuantile}) {
    FakeJudgements typed;
    typed.Mode = mode;
    ASSERT_TRUE(Document.Plot(typed).Fitted);
    // Twice: a second filling must replace the points, not add to them.
    for (int round = 0; round < 2; ++round) {
      Form->ShowFit();
    }
    const TGraphSamples& g = Document.Shown()->Graphs;
    const std::pair<const TChartSeries*, const TPointList*> fed[] = {
        {Form->DensitySeries, &g.DensityLine},
        {Form->DensityMarksSeries, &g.DensityMarks},
        {Form->DistributionSeries, &g.DistributionLine},
        {Form->DistributionMarksSeries, &g.DistributionMarks},
        {Form->ModeProbabilitySeries, &g.ModeLine},
        {Form->ModeProbabilityLimitSeries, &g.ModeLimitLine},
        {Form->ModeProbabilityMarksSeries, &g.ModeMarks},
        {Form->LowerBoundSeries, &g.LowerLine},
        {Form->LowerBoundMarksSeries, &g.LowerMarks},
        {Form->UpperBoundSeries, &g.UpperLine},
        {Form->UpperBoundMarksSeries, &g.UpperMarks}};
    for (const auto& [series, list] : fed) {
      // The series keeps its points in ascending X; compare as sorted lists.
      TPointList expected = *list;
      std::stable_sort(expected.begin(), expected.end(),
                       [](const TPlotPoint& a, const TPlotPoint& b) { return a.X < b.X; });
      TPointList held;
      for (int i = 0; i < series->PointCount(); ++i) {
        held.push_back({series->XValue(i), series->YValue(i)});
        EXPECT_EQ(series->PointColor(i), series->SeriesColor());
        EXPECT_EQ(series->PointLabel(i), "");
      }
      EXPECT_EQ(held, expected) << "mode " << static_cast<int>(mode) << ", series with "
                                << list->size() << " points";
    }
  }
}

// [SECTION] Credibility interval

TEST_F(FeedbackWindowTest, TheCaptionNamesTheLevelInsideTheInterval) {
  const std::pair<long long, const char*> cases[] = {
      {100, " 90% Credibility Interval"},    {0, "100% Credibility Interval"},
      {1000, "  0% Credibility Interval"},   {1500, "-50% Credibility Interval"},
      {-9000, "1000% Credibility Interval"}, {INT_MIN * 10LL, "2147483748% Credibility Interval"},
      {25, "97.5% Credibility Interval"},    {1005, "-0.5% Credibility Interval"}};
  for (const auto& [tenths, caption] : cases) {
    EXPECT_EQ(FeedbackWindow::CredibilityCaption(Level::FromTenths(tenths)), caption)
        << "tenths " << tenths;
  }
}

TEST_F(FeedbackWindowTest, BeforeAnyFitALevelChangeOnlyReCaptions) {
  TypeLevel(QStringLiteral("20"));
  EXPECT_EQ(Form->CredibilityGroup->Caption(), " 80% Credibility Interval");
  EXPECT_EQ(Text(Form->LowerCredibilityPanel), "Panel1");
  EXPECT_EQ(Document.Shown(), nullptr);
  EXPECT_EQ(Document.Typed().Credibility, Percent(20)) << "the level is the document's";
  EXPECT_TRUE(Recorder.Records().empty());
}

TEST_F(FeedbackWindowTest, ALevelChangeGivesTheLimitsOfTheFitShown) {
  const TwoSidedPower fit = PlotFit();
  const Extended a = fit.Lower();
  struct TCase {
    const char* Typed;
    Extended Lower;
    Extended Upper;
  };
  const TCase cases[] = {
      {"10", Quantile(fit, 0.05L), Quantile(fit, 0.95L)},
      {"0", a, Quantile(fit, 1)},
      {"100", Quantile(fit, 0.5L), Quantile(fit, 0.5L)},
      {"150", Quantile(fit, 0.75L), Quantile(fit, 0.25L)},
      {"250", a, a},
      {"2.5", Quantile(fit, 0.0125L), Quantile(fit, 1 - 0.0125L)},
      // Not a level: the limits stay those of the last one (33), never those of 0.
      {"-", Quantile(fit, Level::FromPercent(33).Fraction() * 0.5L),
       Quantile(fit, 1 - Level::FromPercent(33).Fraction() * 0.5L)},
      {"", Quantile(fit, Level::FromPercent(33).Fraction() * 0.5L),
       Quantile(fit, 1 - Level::FromPercent(33).Fraction() * 0.5L)},
  };
  for (const TCase& c : cases) {
    // From a level that differs, so that every case is a change.
    Form->CredibilitySpin->SetText(QStringLiteral("33"));
    TypeLevel(QString::fromLatin1(c.Typed));
    EXPECT_EQ(Text(Form->LowerCredibilityPanel), FormatNumber(c.Lower))
        << "level \"" << c.Typed << '"';
    EXPECT_EQ(Text(Form->UpperCredibilityPanel), FormatNumber(c.Upper))
        << "level \"" << c.Typed << '"';
    // The fit shown is still the one plotted.
    EXPECT_EQ(Document.Shown()->Fitted->Distribution, fit);
  }
  // Nothing but the two limits is written.
  for (const TPanel* panel :
       {Form->LowerBoundPanel, Form->UpperBoundPanel, Form->PowerPanel, Form->ModeProbabilityPanel,
        Form->ModePanel, Form->MedianPanel, Form->MeanPanel, Form->StdDevPanel}) {
    EXPECT_EQ(Text(panel), "Panel1") << panel->objectName().toStdString();
  }
  EXPECT_EQ(Form->ModeLabel->Caption(), "Mode");
  EXPECT_TRUE(Recorder.Records().empty());
}

TEST_F(FeedbackWindowTest, LeavingTheLevelBeyondItsRangeBringsItBackAndRecomputes) {
  const TwoSidedPower fit = PlotFit();
  ASSERT_TRUE(ShowActive(*Form));
  Form->CredibilitySpin->setFocus(Qt::MouseFocusReason);
  TypeLevel(QStringLiteral("150"));
  EXPECT_EQ(Form->CredibilityGroup->Caption(), "-50% Credibility Interval");
  Form->LowerBoundPanel->setFocusPolicy(Qt::StrongFocus);
  Form->LowerBoundPanel->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Form->CredibilitySpin->Text(), "100");
  EXPECT_EQ(Form->CredibilityGroup->Caption(), "  0% Credibility Interval");
  EXPECT_EQ(Text(Form->LowerCredibilityPanel), FormatNumber(Quantile(fit, 0.5L)));
}

}  // namespace
