#include "InputWindow.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include "ApplicationWindows.h"
#include "ChartExport.h"
#include "ChartPage.h"
#include "ChartWidget.h"
#include "Elicitation.h"
#include "ElicitationFileActions.h"
#include "ElicitationReport.h"

#include "ExpertList.h"
#include "FakeJudgements.h"
#include "FeedbackWindow.h"
#include "JudgementUndo.h"
#include "LinearPool.h"
#include "MessageService.h"
#include "ModelSnippets.h"
#include "NumberText.h"
#include "PlotComputation.h"
#include "PoolPage.h"
#include "QtTestSupport.h"
#include "QuantilePage.h"
#include "RadioGroup.h"
#include "SessionAutosave.h"
#include "SimpleControls.h"
#include "SpinEdit.h"
#include "ToolkitPrinters.h"

namespace {

using TWidgets = std::vector<const QWidget*>;

// The ten result panels: a, b, n, q, m, median, mean, standard deviation and the two
// credibility limits.
using TPanelTexts = std::array<std::string, 10>;

const TPanelTexts kDefaultFigures = {"2.68720904", "20.89052535", "7.00000000", "0.23692337",
                                     "7.00000000", "7.81406010",  "8.19721680", "1.66700095",
                                     "6.14054404", "11.47958066"};

const std::string kExtraQuantileCaption =
    "Two-Sider Power PDF with specified quantiles, a_p, x_s, b_r and parameter m";
const std::string kPowerCaption =
    "Two-Sider Power PDF with specified quantiles, a_p, b_r, parameter m and power parameter n";

// The figures the plot command must show for these judgements, computed without windows.
TPanelTexts ExpectedPanels(FakeJudgements window, int credibility = 10) {
  window.Credibility = Percent(credibility);
  const PlotOutcome outcome = ComputePlot(ReadJudgements(window), PlotOptions{false});
  if (!outcome.Fitted) {
    ADD_FAILURE() << "the reference judgements have no fit";
    return {};
  }
  const TFitFigures& f = outcome.Figures;
  return {FormatNumber(f.LowerBound),
          FormatNumber(f.UpperBound),
          FormatNumber(f.Power),
          FormatNumber(f.ModeProbability),
          FormatNumber(f.ModeValue),
          FormatNumber(f.Median),
          FormatNumber(f.Mean),
          FormatNumber(f.StdDev),
          FormatNumber(f.LowerCredibilityLimit),
          FormatNumber(f.UpperCredibilityLimit)};
}

// A message service that passes every message on to another one, which a test may change.
class TForwardingService final : public TMessageService {
 public:
  explicit TForwardingService(TMessageService* target) : Target(target) {}
  void Show(TMessageBoxKind kind, std::string_view text) override { Target->Show(kind, text); }
  void Beep() override { Target->Beep(); }
  TMessageService* Target;
};

// Both windows as the program creates them, the input window shown and active, and every
// message recorded instead of shown.
class InputWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Windows.emplace(Service);
    Main = Windows->Main();
    Feedback = Windows->Feedback();
    ASSERT_TRUE(ShowActive(*Main));
  }

  void TearDown() override { Windows.reset(); }

  void PressPlot() { QTest::mouseClick(Main->PlotButton, Qt::LeftButton); }

  void SelectMode(int index) {
    QRadioButton* item = Main->ModeSwitch->Item(index);
    QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, QPoint(6, item->height() / 2));
  }

  // Replaces the text of a field by typing, as a user does.
  static void Type(QWidget* field, const QString& text) {
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
      QTest::keyClick(field, Qt::Key_Backspace);
    } else {
      QTest::keyClicks(field, text);
    }
  }
  // A level typed and then left alone for the typing pause.
  static void Type(TSpinEdit* spin, const QString& text) {
    Type(spin->LineEdit(), text);
    spin->SettleTyping();
  }

  TPanelTexts Panels() const {
    const TPanel* panels[] = {Feedback->LowerBoundPanel,
                              Feedback->UpperBoundPanel,
                              Feedback->PowerPanel,
                              Feedback->ModeProbabilityPanel,
                              Feedback->ModePanel,
                              Feedback->MedianPanel,
                              Feedback->MeanPanel,
                              Feedback->StdDevPanel,
                              Feedback->LowerCredibilityPanel,
                              Feedback->UpperCredibilityPanel};
    TPanelTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      texts[i] = panels[i]->Caption().toStdString();
    }
    return texts;
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    // The first line: the refusal of an infeasible x_s names the bounds on a second.
    for (const TMessageRecord& r : Recorder.Records()) {
      texts.push_back(r.Title + ": " + r.Text.substr(0, r.Text.find('\n')));
    }
    return texts;
  }

  // The lines of the message line, where the refits the expert did not ask for speak.
  std::vector<std::string> Line() const {
    std::vector<std::string> lines;
    const QString caption = Main->MessageLine->Caption();
    if (!caption.isEmpty()) {
      for (const QString& line : caption.split(u'\n'))
        lines.push_back(line.toStdString());
    }
    return lines;
  }

  // Whether the control is shown in its window and enabled, as the mode switch sets both.
  static bool Shown(const QWidget* control) {
    return control->isVisibleTo(control->window()) && control->isEnabled();
  }

  // The points of every series, to tell whether a plot touched the charts.
  std::vector<std::vector<std::pair<double, double>>> SeriesPoints() const {
    std::vector<std::vector<std::pair<double, double>>> all;
    for (const TChartSeries* s : std::vector<const TChartSeries*>{
             Feedback->DensitySeries, Feedback->DensityMarksSeries, Feedback->ModeProbabilitySeries,
             Feedback->DistributionSeries, Feedback->ModeProbabilityLimitSeries,
             Feedback->ModeProbabilityMarksSeries, Feedback->LowerBoundSeries,
             Feedback->DistributionMarksSeries, Feedback->LowerBoundMarksSeries,
             Feedback->UpperBoundSeries, Feedback->UpperBoundMarksSeries}) {
      auto& points = all.emplace_back();
      for (int i = 0; i < s->PointCount(); ++i) {
        points.emplace_back(s->XValue(i), s->YValue(i));
      }
    }
    return all;
  }

  std::array<int, 11> SeriesCounts() const {
    return {Feedback->DensitySeries->PointCount(),
            Feedback->DensityMarksSeries->PointCount(),
            Feedback->ModeProbabilitySeries->PointCount(),
            Feedback->DistributionSeries->PointCount(),
            Feedback->ModeProbabilityLimitSeries->PointCount(),
            Feedback->ModeProbabilityMarksSeries->PointCount(),
            Feedback->LowerBoundSeries->PointCount(),
            Feedback->DistributionMarksSeries->PointCount(),
            Feedback->LowerBoundMarksSeries->PointCount(),
            Feedback->UpperBoundSeries->PointCount(),
            Feedback->UpperBoundMarksSeries->PointCount()};
  }

  // The fit the feedback window shows, from the document.
  const TwoSidedPower& ShownFit() const {
    return Windows->Document().Shown()->Fitted->Distribution;
  }
  // A level of the judgements the document holds, as the core reads it.
  Extended DocumentLevel(LevelField field) const {
    return Windows->Document().Typed().LevelOf(field).Fraction();
  }

  TMessageRecorder Recorder;
  TForwardingService Service{&Recorder};
  std::optional<ApplicationWindows> Windows;
  InputWindow* Main = nullptr;
  FeedbackWindow* Feedback = nullptr;
};

const std::string kNotFeasible = "Error: " + std::string(kNotFeasibleMessage);
const std::string kAdviseAbove = "Warning: " + std::string(kRecommendAbove);
const std::string kAdviseBelow = "Warning: " + std::string(kRecommendBelow);
const std::string kAntiMode = "Warning: " + std::string(kAntiModeWarning);

// [SECTION] Start

TEST_F(InputWindowTest, OpensInPowerParameterModeWithNothingComputed) {
  EXPECT_EQ(Main->windowTitle(), "Untitled[*] - Morvane");
  EXPECT_FALSE(Main->isWindowModified());
  EXPECT_EQ(Main->ControlArea->size(),
            QSize(InputWindow::kClientWidth, InputWindow::kClientHeight));
  EXPECT_GT(Main->MenuBar->height(), 10);
  // The experts' row stands between the menu bar and the controls.
  const int top = Main->MenuBar->height() + Main->ExpertBar->height();
  EXPECT_EQ(Main->ExpertBar->y(), Main->MenuBar->height());
  EXPECT_EQ(Main->ControlArea->y(), top);
  EXPECT_EQ(Main->size(), QSize(InputWindow::kClientWidth, InputWindow::kClientHeight + top));
  EXPECT_TRUE(Recorder.Records().empty());
  EXPECT_FALSE(Feedback->isVisible());
  EXPECT_EQ(Panels()[0], "Panel1");
  EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 0);
  EXPECT_TRUE(Main->ModeSwitch->isEnabled());
  for (const QWidget* shown : TWidgets{Main->PowerLabel, Main->PowerEdit}) {
    EXPECT_TRUE(Shown(shown)) << shown->objectName().toStdString();
  }
  for (const QWidget* hidden : TWidgets{Main->ExtraQuantileLabel, Main->ExtraQuantileEdit,
                                        Main->ExtraLevelLabel, Main->ExtraLevelSpin}) {
    EXPECT_FALSE(hidden->isVisibleTo(Main)) << hidden->objectName().toStdString();
    EXPECT_FALSE(hidden->isEnabled()) << hidden->objectName().toStdString();
  }
  EXPECT_FALSE(Main->FeasibilityGroup->isVisibleTo(Main));
  EXPECT_TRUE(Shown(Main->AntiModeRemark));
  // The judgements as the solver reads them.
  EXPECT_EQ(Main->Typed().Text(NumberField::LowerQuantile), "6.5");
  EXPECT_EQ(Main->Typed().Text(NumberField::ModeValue), "7.0");
  EXPECT_EQ(Main->Typed().Text(NumberField::UpperQuantile), "10.5");
  EXPECT_EQ(Main->Typed().Text(NumberField::Power), "7.0");
  EXPECT_EQ(Main->Typed().Text(NumberField::ExtraQuantile), "9.588495255");
  // Each level ranges over 0 % to 100 % in tenths, coupled to no other.
  const int levels[] = {10, 90, 80};
  const TSpinEdit* spins[] = {Main->LowerLevelSpin, Main->UpperLevelSpin, Main->ExtraLevelSpin};
  const LevelField fields[] = {LevelField::Lower, LevelField::Upper, LevelField::Extra};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Main->Typed().LevelOf(fields[i]), Percent(levels[i])) << "level " << i;
    EXPECT_EQ(spins[i]->MinValue(), 0) << "level " << i;
    EXPECT_EQ(spins[i]->MaxValue(), 1000) << "level " << i;
  }
  EXPECT_EQ(Main->MessageLine->Caption(), "");
}

TEST_F(InputWindowTest, TabVisitsTheShownFieldsInTheDesignedOrder) {
  const QWidget* expected[] = {Main->LowerQuantileEdit, Main->LowerLevelSpin->LineEdit(),
                               Main->ModeValueEdit, Main->UpperQuantileEdit,
                               Main->UpperLevelSpin->LineEdit(), Main->PowerEdit,
                               Main->ModeSwitch->Item(0),
                               // The experts' row; Remove is off with one expert.
                               Windows->Experts().Choice, Windows->Experts().AddButton,
                               Windows->Experts().RenameButton, Main->PlotButton};
  ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() == Main->PlotButton; }));
  for (const QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
  EXPECT_TRUE(Recorder.Records().empty()) << "moving the focus computes nothing";
}

// [SECTION] The plot command

TEST_F(InputWindowTest, EveryControlTheKeyboardReachesHasAnAccessibleName) {
  // In both modes: the fields of each are named whether or not they are shown.
  EXPECT_EQ(UnnamedFocusableWidgets(*Main), std::vector<std::string>());
  SelectMode(1);
  EXPECT_EQ(UnnamedFocusableWidgets(*Main), std::vector<std::string>());
  // A field is named for the caption beside it, and a level says what it is the level of.
  const QAccessibleInterface* level =
      QAccessible::queryAccessibleInterface(Main->LowerLevelSpin->LineEdit());
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->text(QAccessible::Name), Main->LowerLevelLabel->Caption());
  EXPECT_FALSE(level->text(QAccessible::Description).isEmpty());
}

TEST_F(InputWindowTest, TheDefaultPlotShowsTheTenPanelsAndElevenSeries) {
  PressPlot();
  EXPECT_TRUE(Recorder.Records().empty());
  ASSERT_TRUE(Feedback->isVisible());
  EXPECT_EQ(Panels(), kDefaultFigures);
  EXPECT_EQ(Feedback->ModeLabel->Caption(), "mode");
  EXPECT_EQ(SeriesCounts(), (std::array<int, 11>{201, 5, 201, 201, 2, 5, 201, 5, 5, 201, 5}));
  // The document holds the fit shown.
  EXPECT_EQ(FormatNumber(ShownFit().Lower()), kDefaultFigures[0]);
  EXPECT_EQ(FormatNumber(ShownFit().Upper()), kDefaultFigures[1]);
  EXPECT_EQ(ShownFit().Mode(), 7);
  EXPECT_EQ(ShownFit().LeftPower(), 7);
  EXPECT_FALSE(Windows->Document().IsStale());
}

TEST_F(InputWindowTest, BelowPowerOneTheModeIsAnAntiModeWithOneWarning) {
  struct TCase {
    const char* Power;
    const char* Label;
    std::vector<std::string> Messages;
    int DensityPoints;
  };
  const TCase cases[] = {{"0.5", "anti-mode", {kAntiMode}, 199}, {"1", "mode", {}, 201}};
  for (const TCase& c : cases) {
    Recorder.Clear();
    Type(Main->PowerEdit, QString::fromLatin1(c.Power));
    PressPlot();
    EXPECT_EQ(Messages(), c.Messages) << "n = " << c.Power;
    EXPECT_EQ(Feedback->ModeLabel->Caption(), c.Label) << "n = " << c.Power;
    EXPECT_EQ(Feedback->DensitySeries->PointCount(), c.DensityPoints) << "n = " << c.Power;
    FakeJudgements judgements;
    judgements.Type(NumberField::Power, c.Power);
    EXPECT_EQ(Panels(), ExpectedPanels(judgements)) << "n = " << c.Power;
    EXPECT_TRUE(Feedback->isVisible());
  }
}

// Records, when the warning comes up, what an open feedback window shows behind it.
class TWarningSpy final : public TMessageService {
 public:
  explicit TWarningSpy(std::function<void()> atWarning) : AtWarning_(std::move(atWarning)) {}
  void Show(TMessageBoxKind kind, std::string_view) override {
    if (kind == TMessageBoxKind::Warning)
      AtWarning_();
  }
  void Beep() override {}

 private:
  std::function<void()> AtWarning_;
};

TEST_F(InputWindowTest, TheAntiModeWarningComesWithTheWholeFitInPlace) {
  PressPlot();
  ASSERT_TRUE(Feedback->isVisible());
  TPanelTexts behindWarning{};
  int densityPoints = 0;
  TWarningSpy spy([&] {
    behindWarning = Panels();
    densityPoints = Feedback->DensitySeries->PointCount();
  });
  Service.Target = &spy;
  Type(Main->PowerEdit, QStringLiteral("0.5"));
  PressPlot();
  Service.Target = &Recorder;
  FakeJudgements judgements;
  judgements.Type(NumberField::Power, "0.5");
  EXPECT_EQ(behindWarning, ExpectedPanels(judgements)) << "no panel of the earlier fit";
  EXPECT_EQ(densityPoints, 199) << "the charts already hold the new fit";
}

TEST_F(InputWindowTest, ATextThatIsNotANumberIsRefusedAndStaysInTheField) {
  PressPlot();
  const auto shown = SeriesPoints();
  Type(Main->LowerQuantileEdit, QStringLiteral("6,5"));
  PressPlot();
  ASSERT_EQ(Recorder.Records().size(), 1u);
  EXPECT_EQ(Recorder.Records()[0].Kind, TMessageBoxKind::Error);
  EXPECT_EQ(Recorder.Records()[0].Text.rfind("\"Lower Quantile (a_p)\" reads \"6,5\"", 0), 0u)
      << Recorder.Records()[0].Text;
  EXPECT_EQ(Main->LowerQuantileEdit->Text(), "6,5");
  EXPECT_EQ(Panels(), kDefaultFigures);
  EXPECT_EQ(SeriesPoints(), shown);
}

TEST_F(InputWindowTest, TheCredibilityLevelOfTheFeedbackWindowIsTheOnePlotted) {
  Feedback->CredibilitySpin->SetText(QStringLiteral("20"));
  EXPECT_FALSE(Feedback->isVisible()) << "a level change alone shows nothing";
  PressPlot();
  EXPECT_EQ(Feedback->CredibilityGroup->Caption(), " 80% Credibility Interval");
  EXPECT_EQ(Panels(), ExpectedPanels(FakeJudgements{}, 20));
  EXPECT_EQ(Panels()[8], FormatNumber(Quantile(ShownFit(), 0.1L)));
}

TEST_F(InputWindowTest, AClosedFeedbackWindowComesBackWithTheNextPlot) {
  PressPlot();
  ASSERT_TRUE(Feedback->isVisible());
  Feedback->close();
  EXPECT_FALSE(Feedback->isVisible());
  Type(Main->PowerEdit, QStringLiteral("3"));
  PressPlot();
  EXPECT_TRUE(Feedback->isVisible());
  EXPECT_EQ(Feedback->PowerPanel->Caption(), "3.00000000");
}

// [SECTION] The additional quantile

TEST_F(InputWindowTest, EnteringTheAdditionalQuantileModeShowsItsBoundsAndPlotsNothing) {
  SelectMode(1);
  EXPECT_TRUE(Recorder.Records().empty());
  EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 1);
  EXPECT_EQ(Main->FeasibilityLowerPanel->Caption(), "9.30042943");
  EXPECT_EQ(Main->FeasibilityUpperPanel->Caption(), "10.00000000");
  for (const QWidget* shown :
       TWidgets{Main->FeasibilityGroup, Main->ExtraQuantileLabel, Main->ExtraQuantileEdit,
                Main->ExtraLevelLabel, Main->ExtraLevelSpin}) {
    EXPECT_TRUE(Shown(shown)) << shown->objectName().toStdString();
  }
  EXPECT_FALSE(Main->PowerEdit->isVisibleTo(Main));
  EXPECT_FALSE(Main->PowerLabel->isEnabled());
  EXPECT_FALSE(Feedback->isVisible());
  EXPECT_EQ(Feedback->DensityCaption->Caption().toStdString(), kExtraQuantileCaption);
  EXPECT_EQ(Feedback->DistributionCaption->Caption().toStdString(),
            "Two-Sider Power CDF with specified quantiles, a_p, x_s, b_r and parameter m");

  PressPlot();
  EXPECT_TRUE(Recorder.Records().empty());
  EXPECT_EQ(Feedback->PowerPanel->Caption(), "2.78206148");
  FakeJudgements judgements;
  judgements.Mode = FitMode::ExtraQuantile;
  EXPECT_EQ(Panels(), ExpectedPanels(judgements));
  EXPECT_EQ(SeriesCounts(), (std::array<int, 11>{201, 6, 201, 201, 2, 5, 201, 6, 5, 201, 5}));

  SelectMode(0);
  EXPECT_TRUE(Shown(Main->PowerEdit));
  EXPECT_FALSE(Main->FeasibilityGroup->isVisibleTo(Main));
  EXPECT_EQ(Feedback->DensityCaption->Caption().toStdString(), kPowerCaption);
  EXPECT_EQ(Feedback->PowerPanel->Caption(), "2.78206148") << "switching does not plot";
}

TEST_F(InputWindowTest, AnInfeasibleAdditionalQuantileLeavesTheFeedbackWindowUntouched) {
  PressPlot();
  SelectMode(1);
  const auto shown = SeriesPoints();
  struct TCase {
    const char* ExtraQuantile;
    std::vector<std::string> Messages;
  };
  // Below m (advised against first), and above the larger bound 10.
  const TCase cases[] = {{"4", {kAdviseAbove, kNotFeasible}}, {"10.5", {kNotFeasible}}};
  for (const TCase& c : cases) {
    Recorder.Clear();
    Type(Main->ExtraQuantileEdit, QString::fromLatin1(c.ExtraQuantile));
    PressPlot();
    EXPECT_EQ(Messages(), c.Messages) << "x_s = " << c.ExtraQuantile;
    EXPECT_EQ(Panels(), kDefaultFigures) << "x_s = " << c.ExtraQuantile;
    EXPECT_EQ(Feedback->ModeLabel->Caption(), "mode");
    EXPECT_EQ(SeriesPoints(), shown) << "x_s = " << c.ExtraQuantile;
  }
  // Every step of a level runs the command and refuses again, in the window's line.
  Recorder.Clear();
  QTest::keyClick(Main->LowerLevelSpin->LineEdit(), Qt::Key_Up);
  ASSERT_FALSE(Line().empty());
  EXPECT_EQ("Error: " + Line()[0], kNotFeasible);
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
  EXPECT_EQ(Panels(), kDefaultFigures);
}

TEST_F(InputWindowTest, NeverPlottedTheFeedbackWindowStaysHiddenAfterARefusal) {
  SelectMode(1);
  Type(Main->ExtraQuantileEdit, QStringLiteral("9"));
  PressPlot();
  // Between m and the smaller bound 9.30042943: no advice, but no fit either.
  EXPECT_EQ(Messages(), std::vector<std::string>{kNotFeasible});
  EXPECT_FALSE(Feedback->isVisible());
  EXPECT_EQ(Panels()[0], "Panel1");
}

TEST_F(InputWindowTest, AChangeOfSGivesTheRecommendationOnceAsAWarning) {
  struct TCase {
    const char* Mode;
    const char* ExtraQuantile;
    std::string Advice;
  };
  // m = 7 lies below the midpoint 8.5 of a_p and b_r; m = 9.5 above it.
  const TCase cases[] = {{"7.0", "6.8", kAdviseAbove}, {"9.5", "10", kAdviseBelow}};
  for (const TCase& c : cases) {
    Type(Main->ModeValueEdit, QString::fromLatin1(c.Mode));
    Main->ExtraQuantileEdit->SetText(QString::fromLatin1(c.ExtraQuantile));
    Recorder.Clear();
    SelectMode(1);
    EXPECT_EQ(Messages(), std::vector<std::string>{c.Advice}) << "m = " << c.Mode;
    Recorder.Clear();
    const int s = Main->ExtraLevelSpin->Value();
    QTest::keyClick(Main->ExtraLevelSpin->LineEdit(), Qt::Key_Down);
    // A step of s is a refit nobody asked for: its advice shows in the window, no box.
    EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
    const std::vector<std::string> messages = Line();
    const std::string advice = c.Advice.substr(std::string("Warning: ").size());
    ASSERT_GE(messages.size(), 1u) << "m = " << c.Mode;
    EXPECT_EQ(messages[0], advice) << "m = " << c.Mode;
    EXPECT_EQ(std::count(messages.begin(), messages.end(), advice), 1)
        << "one change of s, one advice; m = " << c.Mode;
    EXPECT_EQ(Main->ExtraLevelSpin->Value(), s - 10);
    SelectMode(0);
  }
}

TEST_F(InputWindowTest, TheBoundsFollowEveryChangeOfTheJudgementsAndSCapsNoLevel) {
  SelectMode(1);
  ASSERT_EQ(Main->FeasibilityUpperPanel->Caption(), "10.00000000");
  Recorder.Clear();
  Type(Main->UpperQuantileEdit, QStringLiteral("11"));
  FakeJudgements judgements;
  judgements.Mode = FitMode::ExtraQuantile;
  judgements.Type(NumberField::UpperQuantile, "11");
  EXPECT_EQ(Main->FeasibilityUpperPanel->Caption().toStdString(),
            FormatNumber(ComputeFeasibilityBounds(ReadJudgements(judgements)).Larger()))
      << "b_r alone changes the bounds";
  Type(Main->ModeValueEdit, QStringLiteral("12"));
  EXPECT_EQ(Main->FeasibilityUpperPanel->Caption(), "") << "no bounds for m beyond b_r";
  Type(Main->ModeValueEdit, QStringLiteral("7.0"));
  EXPECT_EQ(Main->FeasibilityUpperPanel->Caption().toStdString(),
            FormatNumber(ComputeFeasibilityBounds(ReadJudgements(judgements)).Larger()));
  EXPECT_TRUE(Recorder.Records().empty()) << "typing says nothing";
  Type(Main->ExtraLevelSpin, QStringLiteral("70"));
  judgements.LevelOf(LevelField::Extra) = Percent(70);
  EXPECT_EQ(Main->FeasibilityUpperPanel->Caption().toStdString(),
            FormatNumber(ComputeFeasibilityBounds(ReadJudgements(judgements)).Larger()));
  // s caps neither p nor r: in power-parameter mode it constrains nothing, and in the
  // additional-quantile mode the checks say when s leaves (p, r).
  SelectMode(0);
  Main->LowerLevelSpin->SetText(QStringLiteral("70"));
  QTest::keyClick(Main->LowerLevelSpin->LineEdit(), Qt::Key_Up);
  EXPECT_EQ(Main->LowerLevelSpin->Text(), "71");
  EXPECT_EQ(DocumentLevel(LevelField::Lower), 0.71L);
  // The ends of the range stop a step, and a step that changes nothing runs no handler.
  Main->UpperLevelSpin->SetText(QStringLiteral("100"));
  QSignalSpy r(Main->UpperLevelSpin, &TSpinEdit::Changed);
  QTest::keyClick(Main->UpperLevelSpin->LineEdit(), Qt::Key_Up);
  EXPECT_EQ(Main->UpperLevelSpin->Text(), "100");
  EXPECT_EQ(r.count(), 0);
  Main->UpperLevelSpin->SetText(QStringLiteral("90"));
  Main->LowerLevelSpin->SetText(QStringLiteral("10"));
  SelectMode(1);
  Recorder.Clear();
  Type(Main->ExtraLevelSpin, QStringLiteral("90"));
  EXPECT_TRUE(Recorder.Records().empty());
  EXPECT_EQ(Line(), std::vector<std::string>{"The quantile level s must lie strictly between p "
                                             "and r: p is 10 %, s is 90 % and r is 90 %. Choose "
                                             "s between them."});
}

// [SECTION] The levels

TEST_F(InputWindowTest, PAtZeroForcesThePowerParameterModeAndDisablesTheSwitch) {
  PressPlot();
  SelectMode(1);
  Type(Main->LowerLevelSpin, QStringLiteral("1"));
  EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 1);
  Recorder.Clear();
  QTest::keyClick(Main->LowerLevelSpin->LineEdit(), Qt::Key_Down);
  EXPECT_EQ(Main->LowerLevelSpin->Text(), "0");
  EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 0);
  EXPECT_FALSE(Main->ModeSwitch->isEnabled());
  EXPECT_FALSE(Main->ModeSwitch->Item(1)->isEnabled());
  EXPECT_TRUE(Shown(Main->PowerEdit));
  EXPECT_FALSE(Main->FeasibilityGroup->isVisibleTo(Main));
  EXPECT_FALSE(Main->ExtraQuantileEdit->isVisibleTo(Main));
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
  // Plotted in the power-parameter mode; with p = 0 the limit of q for large n is 0, not the
  // limit of an earlier fit.
  FakeJudgements judgements;
  judgements.LevelOf(LevelField::Lower) = Percent(0);
  EXPECT_EQ(Panels(), ExpectedPanels(judgements));
  ASSERT_EQ(Feedback->ModeProbabilityLimitSeries->PointCount(), 2);
  EXPECT_EQ(Feedback->ModeProbabilityLimitSeries->YValue(0), 0);

  // r changes keep the switch disabled while p = 0; p = 1 enables it again.
  QTest::keyClick(Main->UpperLevelSpin->LineEdit(), Qt::Key_Down);
  EXPECT_FALSE(Main->ModeSwitch->isEnabled());
  QTest::keyClick(Main->LowerLevelSpin->LineEdit(), Qt::Key_Up);
  EXPECT_TRUE(Main->ModeSwitch->isEnabled());
  EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 0) << "enabling does not change the mode";
}

TEST_F(InputWindowTest, RAtHundredActsLikePAtZeroAndAnEmptyOrMalformedLevelIsRefused) {
  SelectMode(1);
  Type(Main->UpperLevelSpin, QStringLiteral("99"));
  QTest::keyClick(Main->UpperLevelSpin->LineEdit(), Qt::Key_Up);
  EXPECT_EQ(Main->UpperLevelSpin->Text(), "100");
  EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 0);
  EXPECT_FALSE(Main->ModeSwitch->isEnabled());
  EXPECT_EQ(Feedback->ModeProbabilityLimitSeries->YValue(0), 1) << "with r = 100 q tends to 1";
  Type(Main->UpperLevelSpin, QStringLiteral("90"));
  EXPECT_TRUE(Main->ModeSwitch->isEnabled());

  // An empty or malformed level is refused in the window's words, never fitted as 0.
  SelectMode(1);
  PressPlot();
  ASSERT_FALSE(Feedback->IsStale());
  const TPanelTexts shown = Panels();
  const std::pair<QString, std::string> refused[] = {
      {QString(), "Quantile Level (p) is empty: type a percentage in steps of 0.1, such as 2.5."},
      {QStringLiteral("2.55"),
       "Quantile Level (p) reads \"2.55\", which goes beyond a tenth: levels go in steps of "
       "0.1, such as 2.5."}};
  for (const auto& [text, refusal] : refused) {
    Recorder.Clear();
    Type(Main->LowerLevelSpin, text);
    EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
    EXPECT_EQ(Line(), std::vector<std::string>{refusal});
    EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 1) << "nothing was read as p = 0";
    EXPECT_EQ(Panels(), shown);
    // Asked for by Plot, the refusal comes in a box, once.
    PressPlot();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: " + refusal});
  }
  // A level in tenths is fitted as typed.
  SelectMode(0);
  Type(Main->LowerLevelSpin, QStringLiteral("2.5"));
  EXPECT_EQ(Line(), std::vector<std::string>{});
  EXPECT_EQ(DocumentLevel(LevelField::Lower), 0.025L);
  EXPECT_NEAR(static_cast<double>(Cdf(ShownFit(), 6.5L)), 0.025, 1e-12);
  QTest::keyClick(Main->LowerLevelSpin->LineEdit(), Qt::Key_Up);
  EXPECT_EQ(Main->LowerLevelSpin->Text(), "3.5") << "the arrows step whole percents";
}

TEST_F(InputWindowTest, ALevelTypedBeyondItsRangeIsUsedThenRewrittenOnLeavingAndSaysSo) {
  QSignalSpy changes(Main->LowerLevelSpin, &TSpinEdit::Changed);
  Type(Main->LowerLevelSpin, QStringLiteral("85"));
  EXPECT_EQ(DocumentLevel(LevelField::Lower), 0.85L) << "p may exceed the hidden s";
  FakeJudgements judgements;
  judgements.LevelOf(LevelField::Lower) = Percent(85);
  EXPECT_EQ(Panels(), ExpectedPanels(judgements));
  Type(Main->UpperLevelSpin, QStringLiteral("150"));
  EXPECT_EQ(DocumentLevel(LevelField::Upper), 1.5L);
  ASSERT_EQ(Line().size(), 1u);
  EXPECT_EQ(Line()[0].rfind("The quantile levels must lie between 0 % and 100 %", 0), 0u)
      << Line()[0];
  const int typed = changes.count();

  Main->LowerQuantileEdit->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Main->UpperLevelSpin->Text(), "100");
  EXPECT_EQ(DocumentLevel(LevelField::Upper), 1.0L);
  EXPECT_EQ(changes.count(), typed) << "p is left alone";
  EXPECT_EQ(Line(), std::vector<std::string>{"Quantile Level (r) read \"150\", outside 0 % to "
                                             "100 %: it now reads 100 %."});
  judgements.LevelOf(LevelField::Upper) = Percent(100);
  EXPECT_EQ(Panels(), ExpectedPanels(judgements));
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
}

// [SECTION] Failures leave the windows whole

TEST_F(InputWindowTest, AFailingModeSwitchStillShowsTheFieldsOfTheSelectedMode) {
  Type(Main->LowerQuantileEdit, QStringLiteral("abc"));
  SelectMode(1);
  ASSERT_EQ(Recorder.Records().size(), 1u);
  EXPECT_EQ(Recorder.Records()[0].Kind, TMessageBoxKind::Error);
  EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 1);
  EXPECT_TRUE(Shown(Main->ExtraQuantileEdit));
  EXPECT_TRUE(Shown(Main->ExtraLevelSpin));
  EXPECT_TRUE(Shown(Main->FeasibilityGroup));
  EXPECT_FALSE(Main->PowerEdit->isVisibleTo(Main));
  EXPECT_EQ(Feedback->DensityCaption->Caption().toStdString(), kExtraQuantileCaption);
  // No bounds of other judgements, and never the design text.
  EXPECT_EQ(Main->FeasibilityLowerPanel->Caption(), "");
  EXPECT_EQ(Main->FeasibilityUpperPanel->Caption(), "");

  Recorder.Clear();
  SelectMode(0);
  EXPECT_EQ(Recorder.Records().size(), 1u);
  EXPECT_TRUE(Shown(Main->PowerEdit));
  EXPECT_FALSE(Main->FeasibilityGroup->isVisibleTo(Main));
  EXPECT_EQ(Feedback->DensityCaption->Caption().toStdString(), kPowerCaption);
}

TEST_F(InputWindowTest, AFailingForcedSwitchIsShownOnceAndLeavesTheSwitchDisabled) {
  SelectMode(1);
  Type(Main->ModeValueEdit, QStringLiteral("seven"));
  Type(Main->LowerLevelSpin, QStringLiteral("1"));
  Recorder.Clear();
  QTest::keyClick(Main->LowerLevelSpin->LineEdit(), Qt::Key_Down);
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
  ASSERT_EQ(Line().size(), 1u) << "the error ends the level handler too";
  EXPECT_EQ(Line()[0].rfind("\"Most Likely Value (m)\"", 0), 0u) << Line()[0];
  EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 0);
  EXPECT_TRUE(Shown(Main->PowerEdit));
  EXPECT_FALSE(Main->ModeSwitch->isEnabled());
  EXPECT_FALSE(Feedback->isVisible());
}

TEST_F(InputWindowTest, AnAdditionalLevelTypedBeyondItsRangeIsRefusedInWords) {
  SelectMode(1);
  for (const char* level : {"0", "100", "10", "95.5"}) {
    Type(Main->ExtraLevelSpin, QString::fromLatin1(level));
    const std::vector<std::string> line = Line();
    ASSERT_EQ(line.size(), 1u) << "the level handler ends at the refusal; s = " << level;
    EXPECT_EQ(line[0].rfind("The quantile level s", 0), 0u) << line[0];
    EXPECT_NE(line[0].find("s is " + std::string(level) + " %"), std::string::npos) << line[0];
    EXPECT_EQ(Main->FeasibilityLowerPanel->Caption(), "") << level;
    EXPECT_EQ(Main->FeasibilityUpperPanel->Caption(), "") << level;
  }
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
}

TEST_F(InputWindowTest, JudgementsBeyondTheirRangeAreRefusedBeforeAnyAdviceOnX_s) {
  // Their midpoint would overflow the side recommendation.
  Type(Main->LowerQuantileEdit, QStringLiteral("1e4932"));
  Type(Main->ModeValueEdit, QStringLiteral("1.05e4932"));
  Type(Main->UpperQuantileEdit, QStringLiteral("1.1e4932"));
  const std::string refusal = "Error: The judgements must lie between -1e2000 and 1e2000.";
  SelectMode(1);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].rfind(refusal, 0), 0u) << Messages()[0];
  EXPECT_EQ(Main->FeasibilityLowerPanel->Caption(), "");
  Recorder.Clear();
  QTest::keyClick(Main->ExtraLevelSpin->LineEdit(), Qt::Key_Down);
  ASSERT_EQ(Line().size(), 1u) << "the level handler ends at the refusal";
  EXPECT_EQ(("Error: " + Line()[0]).rfind(refusal, 0), 0u) << Line()[0];
  EXPECT_TRUE(Recorder.Records().empty());
}

TEST_F(InputWindowTest, LevelsThatMeetAreRefusedWithoutTouchingTheFeedbackWindow) {
  PressPlot();
  Type(Main->LowerLevelSpin, QStringLiteral("80"));
  Type(Main->UpperLevelSpin, QStringLiteral("80"));
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
  ASSERT_EQ(Line().size(), 1u);
  EXPECT_EQ(Line()[0].rfind("The quantile level p must be below r: p is 80 % and r is 80 %", 0), 0u)
      << Line()[0];
  EXPECT_EQ(Panels(), ExpectedPanels([] {
              FakeJudgements j;
              j.LevelOf(LevelField::Lower) = Percent(80);
              return j;
            }()))
      << "the last fit shown is that of p = 80, r = 90";
}

// [SECTION] Working with the expert

TEST_F(InputWindowTest, LevelsTypedDigitByDigitAreFittedOnceTheNumberStands) {
  Type(Main->LowerLevelSpin, QStringLiteral("80"));
  Recorder.Clear();
  // With p at 80, "90" typed key by key into r: the "9" alone is refused in the line.
  QLineEdit* r = Main->UpperLevelSpin->LineEdit();
  r->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(r, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(r, Qt::Key_9);
  QTest::qWait(InputWindow::kTypingPauseMs + 200);
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
  QTest::keyClick(r, Qt::Key_0);
  ASSERT_TRUE(WaitFor([&] { return DocumentLevel(LevelField::Upper) == 0.9L; }));
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
  EXPECT_EQ(DocumentLevel(LevelField::Lower), 0.8L);
  EXPECT_TRUE(Feedback->isVisible());
  EXPECT_EQ(Main->UpperLevelSpin->Text(), "90") << "no keystroke lost";
  FakeJudgements judgements;
  judgements.LevelOf(LevelField::Lower) = Percent(80);
  EXPECT_EQ(Panels(), ExpectedPanels(judgements));
  // The arrows stay immediate.
  QTest::keyClick(r, Qt::Key_Down);
  EXPECT_EQ(DocumentLevel(LevelField::Upper), 0.89L);
  // Below n = 1 a plot asked for warns in a box; stepping p warns in the line, never a box.
  Type(Main->PowerEdit, QStringLiteral("0.5"));
  PressPlot();
  EXPECT_EQ(Messages(), std::vector<std::string>{kAntiMode});
  Recorder.Clear();
  for (int step = 0; step < 3; ++step) {
    QTest::keyClick(Main->LowerLevelSpin->LineEdit(), Qt::Key_Down);
    EXPECT_EQ(Line(), std::vector<std::string>{std::string(kAntiModeWarning)}) << step;
  }
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
  EXPECT_EQ(DocumentLevel(LevelField::Lower), 0.77L);
}

TEST_F(InputWindowTest, EnterPlotsFromAnyFieldAndKeepsTheKeyboard) {
  for (QWidget* field :
       std::vector<QWidget*>{Main->LowerQuantileEdit, Main->LowerLevelSpin->LineEdit(),
                             Main->PowerEdit, Main->PlotButton, Main->ModeSwitch->Item(0)}) {
    Feedback->hide();
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(Feedback->isVisible()) << field->objectName().toStdString();
    EXPECT_TRUE(field->hasFocus()) << field->objectName().toStdString();
    EXPECT_EQ(QApplication::activeWindow(), Main) << field->objectName().toStdString();
  }
  EXPECT_EQ(Panels(), kDefaultFigures);
  EXPECT_TRUE(Recorder.Records().empty());
}

TEST_F(InputWindowTest,
       TheFeedbackWindowIsFirstPlacedOnTheScreenBesideTheInputWindowWhenThereIsRoom) {
  const QRect screen = QApplication::primaryScreen()->availableGeometry();
  PressPlot();
  ASSERT_TRUE(Feedback->isVisible());
  EXPECT_TRUE(screen.contains(Feedback->pos())) << Feedback->x() << ", " << Feedback->y();
  const QRect input = Main->frameGeometry();
  const QRect right(QPoint(input.right() + 1, input.top()), Feedback->frameGeometry().size());
  if (screen.contains(right)) {
    EXPECT_FALSE(Feedback->frameGeometry().intersects(input));
  }
  // Later plots leave it where the expert put it.
  Feedback->move(screen.topLeft() + QPoint(5, 7));
  PressPlot();
  EXPECT_EQ(Feedback->pos(), screen.topLeft() + QPoint(5, 7));
}

TEST_F(InputWindowTest, AStaleFitIsMarkedUntilTheNextPlot) {
  PressPlot();
  const QString title = Feedback->windowTitle();
  EXPECT_FALSE(Feedback->IsStale());
  SelectMode(1);
  EXPECT_TRUE(Feedback->IsStale()) << "the captions name x_s, the panels the n = 7 fit";
  EXPECT_EQ(Feedback->windowTitle(),
            title +
                " - previous judgements: a_p = 6.5, p = 10 %, m = 7.0, b_r = 10.5, r = 90 %, "
                "n = 7.0");
  EXPECT_FALSE(Feedback->LowerBoundPanel->isEnabled()) << "greyed";
  EXPECT_TRUE(Feedback->DensityChart->IsStale()) << "the charts are greyed too";
  // The hover read-out says so.
  Feedback->Notebook->setCurrentIndex(0);
  ChartWidget& pdf = *Feedback->DensityChart;
  pdf.repaint();
  int x = 0;
  int y = 0;
  ASSERT_TRUE(Feedback->DensitySeries->PlacePoint(100, x, y));
  QMouseEvent move(QEvent::MouseMove, QPointF(x, y), pdf.mapToGlobal(QPointF(x, y)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&pdf, &move);
  EXPECT_TRUE(Feedback->DensityChart->ReadOut().startsWith("stale fit: "))
      << Feedback->DensityChart->ReadOut().toStdString();
  PressPlot();
  EXPECT_FALSE(Feedback->DensityChart->IsStale());
  EXPECT_FALSE(Feedback->IsStale());
  EXPECT_EQ(Feedback->windowTitle(), title);
  EXPECT_TRUE(Feedback->LowerBoundPanel->isEnabled());
  // A failed plot marks the fit shown as well.
  Main->ExtraQuantileEdit->SetText(QStringLiteral("10.5"));
  PressPlot();
  EXPECT_TRUE(Feedback->IsStale());
  EXPECT_TRUE(Feedback->windowTitle().endsWith("x_s = 9.588495255, s = 80 %"))
      << Feedback->windowTitle().toStdString();
}

TEST_F(InputWindowTest, EachPlotShowsTheFeasibilityBoundsItComputedAndTheRefusalNamesThem) {
  SelectMode(1);
  ASSERT_EQ(Main->FeasibilityLowerPanel->Caption(), "9.30042943");
  Main->UpperQuantileEdit->SetText(QStringLiteral("11"));
  Main->ExtraQuantileEdit->SetText(QStringLiteral("12"));
  PressPlot();
  FakeJudgements judgements;
  judgements.Mode = FitMode::ExtraQuantile;
  judgements.Type(NumberField::UpperQuantile, "11");
  const FeasibilityBounds bounds = ComputeFeasibilityBounds(ReadJudgements(judgements));
  EXPECT_EQ(Main->FeasibilityLowerPanel->Caption().toStdString(), FormatNumber(bounds.Smaller()));
  EXPECT_EQ(Main->FeasibilityUpperPanel->Caption().toStdString(), FormatNumber(bounds.Larger()));
  ASSERT_EQ(Recorder.Records().size(), 1u);
  const std::string text = Recorder.Records()[0].Text;
  EXPECT_EQ(text, "Additional Quantile Specification not Feasible\nx_s must lie strictly between " +
                      Main->FeasibilityLowerPanel->Caption().trimmed().toStdString() + " and " +
                      Main->FeasibilityUpperPanel->Caption().trimmed().toStdString() + ".");
}

TEST_F(InputWindowTest, SeveralFittingPowersAreListedCopiedAndEachCanBeShown) {
  Type(Main->LowerQuantileEdit, QStringLiteral("0"));
  Type(Main->LowerLevelSpin, QStringLiteral("1"));
  Type(Main->ModeValueEdit, QStringLiteral("0.4530521749235884"));
  Type(Main->UpperQuantileEdit, QStringLiteral("1"));
  Type(Main->UpperLevelSpin, QStringLiteral("93"));
  Main->ExtraQuantileEdit->SetText(QStringLiteral("0.521738"));
  SelectMode(1);
  Type(Main->ExtraLevelSpin, QStringLiteral("49"));
  Recorder.Clear();
  PressPlot();
  const PlotOutcome* searched = Windows->Document().Shown();
  ASSERT_NE(searched, nullptr) << Messages().front();
  const std::vector<Extended> powers = searched->Fitted->Powers;
  ASSERT_GE(powers.size(), 2u);
  const TPanelTexts first = Panels();
  EXPECT_TRUE(Feedback->OtherPowersLabel->isVisibleTo(Feedback));
  const QString copied = Feedback->FitAsText();
  QStringList listed;
  for (const Extended n : powers)
    listed << QString::fromStdString(FormatNumber(n)).trimmed();
  EXPECT_TRUE(copied.contains("Powers n that fit x_s\t" + listed.join(", ")))
      << copied.toStdString();
  // Each other power shows its own fit, which meets all three quantiles.
  const Extended chosen = searched->Fitted->Power();
  for (std::size_t k = 0; k < powers.size(); ++k) {
    if (powers[k] == chosen)
      continue;
    emit Feedback->OtherPowersLabel->linkActivated(QString::number(k));
    EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
    EXPECT_EQ(ShownFit().LeftPower(), powers[k]);
    EXPECT_EQ(Feedback->PowerPanel->Caption().toStdString(), FormatNumber(powers[k]));
    EXPECT_NEAR(static_cast<double>(Cdf(ShownFit(), 0.521738L)), 0.49, 1e-9) << k;
    EXPECT_NEAR(static_cast<double>(Cdf(ShownFit(), 1)), 0.93, 1e-9) << k;
    EXPECT_NE(Panels(), first);
  }
  // Back at the power the search chose, with its own bits.
  const auto back = std::find(powers.begin(), powers.end(), chosen) - powers.begin();
  emit Feedback->OtherPowersLabel->linkActivated(QString::number(back));
  EXPECT_EQ(Panels(), first);
}

TEST_F(InputWindowTest, BothWindowsStopAtTheirMinimumSizeAndTheCredibilityLevelIsExplained) {
  Main->resize(200, 100);
  EXPECT_TRUE(WaitFor([&] {
    return Main->size() ==
           QSize(InputWindow::kClientWidth,
                 InputWindow::kClientHeight + Main->MenuBar->height() + Main->ExpertBar->height());
  }));
  EXPECT_EQ(Feedback->minimumSize(),
            QSize(FeedbackWindow::kMinimumWidth, FeedbackWindow::kMinimumHeight));
  EXPECT_TRUE(Feedback->CredibilitySpin->toolTip().contains("percent of probability left outside"));
  // At its smallest the feedback window scrolls its charts rather than shrink them away.
  PressPlot();
  Feedback->resize(FeedbackWindow::kMinimumWidth, FeedbackWindow::kMinimumHeight);
  QApplication::processEvents();
  EXPECT_GE(Feedback->DensityChart->height(), ChartPage::kMinimumChartHeight);
  EXPECT_GE(Feedback->DensityChart->width(), ChartPage::kMinimumWidth);
}

TEST_F(InputWindowTest, TheQuantilesPageShowsTheFitAsNumbers) {
  PressPlot();
  const TQuantilePage& page = *Feedback->QuantilePage;
  EXPECT_EQ(page.QuantilePanels[4]->Caption(), Feedback->MedianPanel->Caption()) << "the median";
  EXPECT_EQ(page.QuantilePanels[0]->Caption().toStdString(),
            FormatNumber(Quantile(ShownFit(), 0.01L)));
  // The fields start at the judgements, which the fit gives back.
  EXPECT_EQ(page.XEdit->Text(), "10.5");
  EXPECT_EQ(page.AtMostPanel->Caption(), "0.90000000");
  EXPECT_EQ(page.BetweenPanel->Caption(), "0.80000000");
  page.X1Edit->SetText(QStringLiteral("11"));
  EXPECT_EQ(page.BetweenPanel->Caption(), "0.00000000") << "an empty interval";
  page.XEdit->SetText(QStringLiteral("abc"));
  EXPECT_EQ(page.AtMostPanel->Caption(), "");
  EXPECT_FALSE(page.AtMostPanel->toolTip().isEmpty());
  EXPECT_TRUE(Recorder.Records().empty()) << "no message box while typing";
  // The next fit refreshes the page and keeps what the expert typed.
  Type(Main->PowerEdit, QStringLiteral("2"));
  PressPlot();
  EXPECT_EQ(page.QuantilePanels[4]->Caption(), Feedback->MedianPanel->Caption());
  EXPECT_EQ(page.X1Edit->Text(), "11");
  // The fields the expert left alone follow each new fit.
  Type(Main->UpperQuantileEdit, QStringLiteral("12"));
  PressPlot();
  EXPECT_EQ(page.X1Edit->Text(), "11");
  EXPECT_EQ(page.X2Edit->Text(), "12");
}

TEST_F(InputWindowTest, TheFitAndEachChartCanBeTakenOut) {
  PressPlot();
  ASSERT_TRUE(ShowActive(*Feedback));
  QApplication::clipboard()->clear();
  QTest::keyClick(Feedback, Qt::Key_C, Qt::ControlModifier);
  const QString copied = QApplication::clipboard()->text();
  EXPECT_EQ(copied, Feedback->FitAsText());
  // Wherever the focus is in the window: in the credibility level, in a Quantiles field.
  for (QWidget* field : std::initializer_list<QWidget*>{Feedback->CredibilitySpin->LineEdit(),
                                                        Feedback->QuantilePage->X1Edit}) {
    field->setFocus(Qt::TabFocusReason);
    QApplication::clipboard()->clear();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), copied) << field->objectName().toStdString();
  }
  const QStringList lines = copied.split(u'\n', Qt::SkipEmptyParts);
  EXPECT_EQ(lines.front(), "Lower Quantile (a_p)\t6.5");
  EXPECT_TRUE(lines.contains("Quantile Level (p)\t10"));
  EXPECT_TRUE(lines.contains("Lower Bound (a)\t2.68720904"));
  EXPECT_TRUE(lines.contains("Upper Credibility Limit\t11.47958066"));
  for (const QString& line : lines) {
    EXPECT_EQ(line.count(u'\t'), 1) << line.toStdString();
  }
  EXPECT_EQ(Feedback->FiguresGroup->contextMenuPolicy(), Qt::ActionsContextMenu);
  // "Copy as": each item copies its own form of the fit shown.
  const QList<QAction*> menu = Feedback->FiguresGroup->actions();
  ASSERT_EQ(menu.size(), 2);
  ASSERT_NE(menu[1]->menu(), nullptr);
  EXPECT_TRUE(menu[1]->isEnabled());
  const std::string snippets[] = {PythonQuantileSnippet(ShownFit()), RQuantileSnippet(ShownFit()),
                                  SpreadsheetQuantileFormula(ShownFit())};
  ASSERT_EQ(menu[1]->menu()->actions().size(), 3);
  for (int i = 0; i < 3; ++i) {
    menu[1]->menu()->actions()[i]->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), snippets[i]) << "item " << i;
  }

  ChartWidget& pdf = *Feedback->DensityChart;
  EXPECT_EQ(pdf.actions().size(), 4);
  // Columns named for what they hold, under the judgements of the fit.
  const std::string csv = ChartCsv(pdf);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 1 + 201 + 5);
  EXPECT_EQ(csv.rfind("# a_p = 6.5, p = 10 %, m = 7.0, b_r = 10.5, r = 90 %, n = 7.0\n"
                      "series,x,density\ncurve,",
                      0),
            0u)
      << csv.substr(0, 200);
  EXPECT_NE(csv.find("\nmarks,10.5,"), std::string::npos);
  // Images without the read-out that follows the mouse: at twice the size by default, and
  // in vector form, texts as texts.
  pdf.repaint();
  int x = 0;
  int y = 0;
  ASSERT_TRUE(Feedback->DensitySeries->PlacePoint(100, x, y));
  QMouseEvent move(QEvent::MouseMove, QPointF(x, y), pdf.mapToGlobal(QPointF(x, y)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&pdf, &move);
  ASSERT_FALSE(pdf.ReadOut().isEmpty()) << "the pointer shows a read-out";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(SaveChartPng(pdf, dir.filePath("pdf.png")));
  const QImage png(dir.filePath("pdf.png"));
  EXPECT_EQ(png.size(), pdf.size() * 2);
  const QImage shown = pdf.grab().toImage();
  const QImage once = ChartImage(pdf, 1);
  EXPECT_NE(shown.convertToFormat(QImage::Format_RGB32), once.convertToFormat(QImage::Format_RGB32))
      << "the screen shows the read-out";
  EXPECT_EQ(once.convertToFormat(QImage::Format_RGB32),
            pdf.Buffer().convertToFormat(QImage::Format_RGB32))
      << "the image is the chart as drawn, without the read-out";
  ASSERT_TRUE(SaveChartSvg(pdf, dir.filePath("pdf.svg")));
  QFile svg(dir.filePath("pdf.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray vector = svg.readAll();
  EXPECT_TRUE(vector.contains("<svg"));
  EXPECT_TRUE(vector.contains(">Probability Density</text>")) << "the axis title as text";
  EXPECT_TRUE(vector.contains(">20.891</text>")) << "a mark as text";
  EXPECT_FALSE(vector.contains("<image")) << "no raster inside";
  ASSERT_TRUE(SaveChartCsv(pdf, dir.filePath("pdf.csv")));
  EXPECT_EQ(QFileInfo(dir.filePath("pdf.csv")).size(), static_cast<qint64>(csv.size()));
}

}  // namespace

// [SECTION] Undo and redo

TEST_F(InputWindowTest, UndoTakesBackEachCommittedChangeAndRefitsWithoutABox) {
  JudgementUndo& undo = Windows->Undo();
  PressPlot();
  ASSERT_EQ(Panels(), kDefaultFigures);
  // Keystrokes are no change; the plot they end in is one.
  Type(Main->LowerQuantileEdit, "6.");
  EXPECT_EQ(undo.Stack().count(), 0);
  Type(Main->LowerQuantileEdit, "6");
  PressPlot();
  // A level step, and p = 0, whose forced return to the power-parameter mode is part of it.
  SelectMode(1);
  Main->UpperLevelSpin->StepUp();
  Type(Main->LowerLevelSpin, "0");
  EXPECT_EQ(undo.Stack().count(), 4);
  EXPECT_EQ(undo.Stack().undoText(), "Change Judgements");
  EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 0);
  Recorder.Clear();

  // Back over p = 0: the additional-quantile mode returns with its fields and bounds.
  Main->LowerLevelSpin->LineEdit()->setFocus();
  QTest::keyClick(Main->LowerLevelSpin->LineEdit(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 1);
  EXPECT_TRUE(Main->ModeSwitch->isEnabled());
  EXPECT_TRUE(Shown(Main->ExtraQuantileEdit));
  EXPECT_EQ(Main->LowerLevelSpin->Text(), "10");
  EXPECT_EQ(Main->UpperLevelSpin->Text(), "91");
  EXPECT_FALSE(Main->FeasibilityLowerPanel->Caption().isEmpty());
  undo.Undo();
  undo.Undo();
  EXPECT_EQ(undo.Stack().undoText(), "Change Lower Quantile (a_p)");
  EXPECT_EQ(Main->ModeSwitch->ItemIndex(), 0);
  EXPECT_FALSE(Shown(Main->ExtraQuantileEdit));
  EXPECT_EQ(Main->UpperLevelSpin->Text(), "90");
  EXPECT_EQ(Main->LowerQuantileEdit->Text(), "6");
  FakeJudgements changed;
  changed.Type(NumberField::LowerQuantile, "6");
  EXPECT_EQ(Panels(), ExpectedPanels(changed));
  undo.Undo();
  EXPECT_EQ(Main->LowerQuantileEdit->Text(), "6.5");
  EXPECT_EQ(Panels(), kDefaultFigures);
  EXPECT_EQ(Windows->Document().Typed(), Main->Typed());
  EXPECT_FALSE(undo.UndoAction()->isEnabled());
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();

  undo.Redo();
  EXPECT_EQ(Main->LowerQuantileEdit->Text(), "6");
  EXPECT_EQ(Panels(), ExpectedPanels(changed));
  // A change made after undoing replaces what could be redone.
  Type(Main->ModeValueEdit, "7.5");
  QTest::keyClick(Main->ModeValueEdit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Main->ModeValueEdit->Text(), "7.0");
  EXPECT_EQ(undo.Stack().count(), 2);
  EXPECT_EQ(undo.Stack().redoText(), "Change Most Likely Value (m)");
}

TEST_F(InputWindowTest, ExpertsAreAddedSwitchedAndRemovedAndUndoFindsTheirOwnChanges) {
  JudgementUndo& undo = Windows->Undo();
  ExpertList& experts = Windows->Experts();
  const Elicitation& document = Windows->Document();
  PressPlot();
  EXPECT_FALSE(experts.RemoveButton->isEnabled()) << "never the last expert";
  Type(Main->LowerQuantileEdit, "6");
  PressPlot();
  experts.AddExpert();
  ASSERT_EQ(document.ExpertCount(), 2u);
  EXPECT_EQ(document.CurrentExpert(), 1u);
  EXPECT_EQ(experts.Choice->currentText(), "Expert 2");
  EXPECT_EQ(Main->LowerQuantileEdit->Text(), "6.5") << "a new expert starts afresh";
  EXPECT_TRUE(experts.RemoveButton->isEnabled());
  EXPECT_EQ(Feedback->Notebook->tabText(Feedback->Notebook->count() - 1), "Pool");
  const TChart& density = Feedback->DensityChart->Chart();
  int named = 0;
  for (int i = 0; i < density.SeriesCount(); ++i) {
    named += density.Series(i)->Active() && !density.Series(i)->LegendText().empty() ? 1 : 0;
  }
  EXPECT_EQ(named, 3) << "both experts and their pool, in the legend";
  EXPECT_FALSE(Feedback->DensitySeries->Active());
  Type(Main->ModeValueEdit, "7.5");
  PressPlot();

  // Switching shows the other expert's judgements and its own fit.
  experts.ShowExpert(0);
  EXPECT_EQ(Main->LowerQuantileEdit->Text(), "6");
  EXPECT_EQ(Main->ModeValueEdit->Text(), "7.0");
  EXPECT_EQ(document.ShownOf(1)->Fitted->Given.Typed.Text(NumberField::ModeValue), "7.5");
  // Undo takes back the second expert's change, and shows that expert to do it.
  undo.Undo();
  EXPECT_EQ(document.CurrentExpert(), 1u);
  EXPECT_EQ(experts.Choice->currentIndex(), 1);
  EXPECT_EQ(Main->ModeValueEdit->Text(), "7.0");
  undo.Undo();
  EXPECT_EQ(document.ExpertCount(), 1u) << "the expert added is taken back";
  EXPECT_EQ(Main->LowerQuantileEdit->Text(), "6");
  EXPECT_EQ(Feedback->Notebook->tabText(Feedback->Notebook->count() - 1), "Quantiles");
  undo.Redo();
  undo.Redo();
  EXPECT_EQ(document.ExpertCount(), 2u);
  EXPECT_EQ(Main->ModeValueEdit->Text(), "7.5") << "the redone change finds its expert again";

  experts.RemoveExpert();
  EXPECT_EQ(document.ExpertCount(), 1u);
  EXPECT_EQ(Main->LowerQuantileEdit->Text(), "6");
  undo.Undo();
  EXPECT_EQ(document.ExpertCount(), 2u);
  EXPECT_EQ(document.CurrentExpert(), 1u);
  EXPECT_EQ(Main->ModeValueEdit->Text(), "7.5");

  // The weights: a change is a command; every weight 0 is refused with a word, not taken.
  TPoolPage& pool = *Feedback->PoolPage;
  ASSERT_EQ(pool.WeightSpins.size(), 2u);
  pool.WeightSpins[0]->setValue(3);
  EXPECT_EQ(document.Weights(), (std::vector<double>{3, 1}));
  EXPECT_EQ(undo.Stack().undoText(), "Change Pool Weights");
  pool.WeightSpins[1]->setValue(0);
  pool.WeightSpins[0]->setValue(0);
  EXPECT_EQ(document.Weights(), (std::vector<double>{3, 0}));
  EXPECT_EQ(pool.WeightSpins[0]->value(), 3);
  EXPECT_FALSE(pool.PoolNote->Caption().isEmpty());
  // The keys undo from the feedback window too.
  Feedback->activateWindow();
  Feedback->Notebook->setFocus();
  QTest::keyClick(Feedback->Notebook, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(document.Weights(), (std::vector<double>{3, 1}));
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
}

TEST_F(InputWindowTest, AnUndoThatCannotFitKeepsItsMessageAndOpensNoBox) {
  JudgementUndo& undo = Windows->Undo();
  Type(Main->ModeValueEdit, "12");
  PressPlot();
  ASSERT_EQ(Messages().size(), 1u);
  Type(Main->ModeValueEdit, "7.0");
  PressPlot();
  Recorder.Clear();
  undo.Undo();
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
  ASSERT_EQ(undo.LastRefitMessages().size(), 1u);
  EXPECT_TRUE(Windows->Document().IsStale());
  EXPECT_EQ(Main->ModeValueEdit->Text(), "12");
}

// [SECTION] The elicitation as a file

TEST_F(InputWindowTest, ASavedElicitationOpensAgainWithItsFitNotesAndName) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  ElicitationFileActions& files = Windows->Files();
  files.AskUnsaved = [](const QString& name) {
    ADD_FAILURE() << "asked about " << name.toStdString() << " with nothing unsaved";
    return ElicitationFileActions::UnsavedAnswer::Cancel;
  };
  Type(Main->LowerQuantileEdit, "6");
  PressPlot();
  ElicitationNotes notes;
  notes.Quantity = "Peak flow";
  notes.RationaleOf(NumberField::LowerQuantile) = "the driest year on record";
  Windows->Undo().ChangeNotes(notes);
  EXPECT_TRUE(Main->isWindowModified());
  const QString path = folder.filePath(QStringLiteral("flow.morvane"));
  ASSERT_TRUE(files.SaveTo(path)) << Messages().front();
  EXPECT_FALSE(Main->isWindowModified());
  EXPECT_EQ(Main->windowTitle(), "flow.morvane[*] - Morvane");
  EXPECT_EQ(files.RecentFiles().value(0), QFileInfo(path).absoluteFilePath());

  ASSERT_TRUE(files.New());
  EXPECT_EQ(Main->Typed(), TypedJudgements{});
  EXPECT_EQ(Windows->Document().Notes(), ElicitationNotes{});
  EXPECT_EQ(Main->windowTitle(), "Untitled[*] - Morvane");
  ASSERT_TRUE(files.Open(path));
  EXPECT_EQ(Main->LowerQuantileEdit->Text(), "6");
  EXPECT_EQ(Windows->Document().Notes(), notes);
  FakeJudgements changed;
  changed.Type(NumberField::LowerQuantile, "6");
  EXPECT_EQ(Panels(), ExpectedPanels(changed));
  EXPECT_FALSE(Main->isWindowModified());
  EXPECT_FALSE(Windows->Undo().UndoAction()->isEnabled());
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
}

TEST_F(InputWindowTest, ABadFileOrACancelledQuestionLeavesTheSessionAsItWas) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  ElicitationFileActions& files = Windows->Files();
  int asked = 0;
  ElicitationFileActions::UnsavedAnswer answer = ElicitationFileActions::UnsavedAnswer::Cancel;
  files.AskUnsaved = [&](const QString& name) {
    ++asked;
    EXPECT_EQ(name, "Untitled");
    return answer;
  };
  // Typed and never committed: still a change to ask about.
  Type(Main->ModeValueEdit, "7.5");
  EXPECT_FALSE(files.New());
  EXPECT_FALSE(Main->close());
  EXPECT_TRUE(Main->isVisible());
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Main->ModeValueEdit->Text(), "7.5");
  EXPECT_TRUE(Main->isWindowModified());

  const QString path = folder.filePath(QStringLiteral("notes.morvane"));
  QFile bad(path);
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("{\"format\": \"morvane-elicitation\", \"version\": 99}\n");
  bad.close();
  answer = ElicitationFileActions::UnsavedAnswer::Discard;
  EXPECT_FALSE(files.Open(path));
  ASSERT_EQ(Recorder.Records().size(), 1u);
  EXPECT_EQ(Recorder.Records()[0].Kind, TMessageBoxKind::Error);
  EXPECT_TRUE(Recorder.Records()[0].Text.starts_with(
      "Cannot open " + QDir::toNativeSeparators(path).toStdString() + ":\n"))
      << Recorder.Records()[0].Text;
  EXPECT_GT(Recorder.Records()[0].Text.size(), path.size() + 15);
  EXPECT_EQ(Main->ModeValueEdit->Text(), "7.5");
  EXPECT_TRUE(Main->isWindowModified());
  EXPECT_EQ(files.FilePath(), QString());
}

TEST_F(InputWindowTest, TheSessionIsKeptAfterEachChangeAndOfferedBackAfterACrash) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString kept = folder.filePath(QStringLiteral("session.morvane"));
  {
    SessionAutosave autosave(*Windows, kept);
    Type(Main->UpperQuantileEdit, "11");
    PressPlot();
    EXPECT_TRUE(autosave.Found());
    // Undone back to the file's judgements, the session needs no keeping.
    Windows->Undo().Undo();
    EXPECT_FALSE(autosave.Found());
    Windows->Undo().Redo();
    Main->UpperLevelSpin->StepDown();
    ASSERT_TRUE(autosave.Found());
  }
  // A second start finds what the first one kept, as if it had crashed.
  TMessageRecorder otherMessages;
  ApplicationWindows restarted(otherMessages);
  SessionAutosave autosave(restarted, kept);
  int asked = 0;
  autosave.AskRestore = [&] { return ++asked == 1; };
  ASSERT_TRUE(autosave.OfferRestore());
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(restarted.Main()->Typed(), Main->Typed());
  EXPECT_TRUE(restarted.Main()->isWindowModified());
  EXPECT_TRUE(otherMessages.Records().empty());
  EXPECT_TRUE(autosave.Found()) << "a restored session is kept until it is saved";
  // Declined, the kept session is gone.
  EXPECT_FALSE(autosave.OfferRestore());
  EXPECT_FALSE(autosave.Found());
}

TEST_F(InputWindowTest, TheReportHoldsTheJudgementsTheirReasonsAndTheFigures) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  SelectMode(1);
  PressPlot();
  ASSERT_TRUE(Windows->Document().Shown() != nullptr);
  const std::vector<Extended> powers = Windows->Document().Shown()->Fitted->Powers;
  ElicitationNotes notes;
  notes.Quantity = "Peak flow";
  notes.Unit = "m3/s";
  notes.Expert = "A. Hydrologist";
  notes.RationaleOf(NumberField::ExtraQuantile) = "the flood of the wet decade";
  Windows->Undo().ChangeNotes(notes);
  const QString path = folder.filePath(QStringLiteral("flow.pdf"));
  ASSERT_TRUE(Windows->Files().ExportReport(path)) << Messages().front();
  QFile pdf(path);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  pdf.close();
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  if (!text.waitForFinished(30000) || text.exitStatus() != QProcess::NormalExit ||
      text.exitCode() != 0) {
    GTEST_SKIP() << "pdftotext (poppler-utils, which scripts/setup installs) did not run";
  }
  const std::string words = text.readAllStandardOutput().toStdString();
  const FakeJudgements typed = Main->Typed();
  const PlotOutcome expected = ComputePlot(ReadJudgements(typed), PlotOptions{false});
  std::vector<std::string> wanted = {
      "Peak flow",
      "m3/s",
      "A. Hydrologist",
      "the flood of the wet decade",
      "9.588495255",
      "s = 80 %",
      FormatNumber(expected.Figures.Median),
      FormatNumber(expected.Figures.UpperCredibilityLimit),
      FormatNumber(FittedQuantiles(expected.Fitted->Distribution)[8])};
  for (const Extended n : powers) {
    wanted.push_back(FormatNumber(n));
  }
  for (std::string piece : wanted) {
    piece.erase(0, piece.find_first_not_of(' '));
    EXPECT_NE(words.find(piece), std::string::npos) << piece << " is not in\n" << words;
  }
}

TEST_F(InputWindowTest, TheReportOfSeveralExpertsEndsWithTheirPool) {
  const std::string today = "2026-01-02";
  ElicitationRecord record;
  const std::array<std::pair<const char*, const char*>, 3> experts{
      {{"Ada Quarry", "10.5"}, {"Bo Weir", "12.0"}, {"Cy Sluice", "14.5"}}};
  for (const auto& [name, upper] : experts) {
    ExpertRecord expert;
    expert.Name = name;
    expert.Typed.Type(NumberField::UpperQuantile, upper);
    record.Experts.push_back(expert);
  }
  record.Weights = {2, 1, 1};
  const QStringList parts = ElicitationReportHtml(record, today);
  ASSERT_EQ(parts.size(), 4) << "each expert's part and the pool's";
  std::vector<TwoSidedPower> fits;
  for (std::size_t i = 0; i < experts.size(); ++i) {
    const PlotOutcome outcome =
        ComputePlot(ReadJudgements(record.Experts[i].Typed), PlotOptions{true});
    ASSERT_TRUE(outcome.Fitted.has_value());
    fits.push_back(outcome.Fitted->Distribution);
    EXPECT_EQ(parts[static_cast<qsizetype>(i)],
              ElicitationReportHtml(record.Experts[i], outcome, today));
    EXPECT_TRUE(parts[3].contains(QString::fromUtf8(experts[i].first)));
  }
  const LinearPool pool(fits, {2, 1, 1});
  std::vector<Extended> wanted(pool.Weights().begin(), pool.Weights().end());
  wanted.push_back(Mean(pool));
  for (const Extended value : wanted) {
    const QString text = QString::fromStdString(FormatNumber(value)).trimmed();
    EXPECT_TRUE(parts[3].contains(QStringLiteral("<td>%1</td>").arg(text)))
        << text.toStdString() << " is not in\n"
        << parts[3].toStdString();
  }
  // One expert: the report of that expert alone, as it always was.
  const ElicitationRecord single{{record.Experts[1]}};
  const PlotOutcome alone = ComputePlot(ReadJudgements(single.Experts[0].Typed), PlotOptions{true});
  EXPECT_EQ(ElicitationReportHtml(single, today),
            QStringList{ElicitationReportHtml(single.Experts[0], alone, today)});
}
