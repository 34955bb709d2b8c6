#include "MainUnit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
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

#include "AnalysisUnit.h"
#include "ApplicationWindows.h"
#include "ChartExport.h"
#include "ChartWidget.h"
#include "FakeJudgements.h"
#include "GTSPUnit.h"
#include "MessageService.h"
#include "NumberText.h"
#include "PlotComputation.h"
#include "PlotPDFUnit.h"
#include "QtTestSupport.h"
#include "QuantilePage.h"
#include "RadioGroup.h"
#include "SimpleControls.h"
#include "SpinEdit.h"
#include "ToolkitPrinters.h"

namespace {

using TWidgets = std::vector<const QWidget*>;

// The ten result panels in the order Panel1 to Panel8, Panel13, Panel14.
using TPanelTexts = std::array<std::string, 10>;

const TPanelTexts kDefaultFigures = {"2.68720904", "20.89052535", "7.00000000", "0.23692337",
                                     "7.00000000", "7.81406010",  "8.19721680", "1.66700095",
                                     "6.14054404", "11.47958066"};

const std::string kExtraQuantileCaption =
    "Two-Sider Power PDF with specified quantiles, a_p, x_s, b_r and parameter m";
const std::string kPowerCaption =
    "Two-Sider Power PDF with specified quantiles, a_p, b_r, parameter m and power parameter n";

// The figures the plot command must show for these judgements, computed without windows.
TPanelTexts ExpectedPanels(const FakeJudgements& window, int credibility = 10) {
  TGTSPForm model;
  TAnalysisForm record(model);
  record.SetInputSource(&window);
  const auto outcome = ComputePlot(
      record, model, credibility, [](TMessageKind, auto) {}, false);
  if (!outcome) {
    ADD_FAILURE() << "the reference judgements have no fit";
    return {};
  }
  const TFitFigures& f = outcome->Figures;
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

// Both windows as the program creates them, the input window shown and active, and every
// message recorded instead of shown.
class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Windows.emplace();
    Main = Windows->Main();
    Feedback = Windows->Feedback();
    ASSERT_TRUE(ShowActive(*Main));
  }

  void TearDown() override { Windows.reset(); }

  void PressPlot() { QTest::mouseClick(Main->BitBtn1, Qt::LeftButton); }

  void SelectMode(int index) {
    QRadioButton* item = Main->RadioGroup1->Item(index);
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
    const TPanel* panels[] = {
        Feedback->Panel1, Feedback->Panel2, Feedback->Panel3, Feedback->Panel4,  Feedback->Panel5,
        Feedback->Panel6, Feedback->Panel7, Feedback->Panel8, Feedback->Panel13, Feedback->Panel14};
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

  // Whether the control is shown in its window and enabled, as the mode switch sets both.
  static bool Shown(const QWidget* control) {
    return control->isVisibleTo(control->window()) && control->isEnabled();
  }

  // The points of every series, to tell whether a plot touched the charts.
  std::vector<std::vector<std::pair<double, double>>> SeriesPoints() const {
    std::vector<std::vector<std::pair<double, double>>> all;
    for (const TChartSeries* s : std::vector<const TChartSeries*>{
             Feedback->Series1, Feedback->Series2, Feedback->Series3, Feedback->Series4,
             Feedback->Series5, Feedback->Series6, Feedback->Series7, Feedback->Series8,
             Feedback->Series9, Feedback->Series10, Feedback->Series11}) {
      auto& points = all.emplace_back();
      for (int i = 0; i < s->PointCount(); ++i) {
        points.emplace_back(s->XValue(i), s->YValue(i));
      }
    }
    return all;
  }

  std::array<int, 11> SeriesCounts() const {
    return {Feedback->Series1->PointCount(), Feedback->Series2->PointCount(),
            Feedback->Series3->PointCount(), Feedback->Series4->PointCount(),
            Feedback->Series5->PointCount(), Feedback->Series6->PointCount(),
            Feedback->Series7->PointCount(), Feedback->Series8->PointCount(),
            Feedback->Series9->PointCount(), Feedback->Series10->PointCount(),
            Feedback->Series11->PointCount()};
  }

  TMessageRecorder Recorder;
  TScopedMessageService Scope{Recorder};
  std::optional<TApplicationWindows> Windows;
  TMainForm* Main = nullptr;
  TPlotPDFForm* Feedback = nullptr;
};

const std::string kNotFeasible = "Error: " + std::string(kNotFeasibleMessage);
const std::string kAdviseAbove = "Error: " + std::string(kRecommendAbove);
const std::string kAdviseBelow = "Error: " + std::string(kRecommendBelow);
const std::string kAntiMode = "Warning: " + std::string(kAntiModeWarning);

// [SECTION] Start

TEST_F(MainFormTest, OpensInPowerParameterModeWithNothingComputed) {
  EXPECT_EQ(Main->windowTitle(), "Morvane");
  EXPECT_EQ(Main->size(), QSize(TMainForm::kClientWidth, TMainForm::kClientHeight));
  EXPECT_TRUE(Recorder.Records().empty());
  EXPECT_FALSE(Feedback->isVisible());
  EXPECT_EQ(Panels()[0], "Panel1");
  EXPECT_EQ(Main->ModeIndex(), 0);
  EXPECT_TRUE(Main->RadioGroup1->isEnabled());
  for (const QWidget* shown : TWidgets{Main->Label8, Main->Edit5}) {
    EXPECT_TRUE(Shown(shown)) << shown->objectName().toStdString();
  }
  for (const QWidget* hidden : TWidgets{Main->Label6, Main->Edit4, Main->Label7, Main->SpinEdit3}) {
    EXPECT_FALSE(hidden->isVisibleTo(Main)) << hidden->objectName().toStdString();
    EXPECT_FALSE(hidden->isEnabled()) << hidden->objectName().toStdString();
  }
  EXPECT_FALSE(Main->GroupBox3->isVisibleTo(Main));
  EXPECT_TRUE(Shown(Main->Label9));
  // The judgements as the solver reads them.
  EXPECT_EQ(Main->NumberText(TNumberField::LowerQuantile), "6.5");
  EXPECT_EQ(Main->NumberText(TNumberField::ModeValue), "7.0");
  EXPECT_EQ(Main->NumberText(TNumberField::UpperQuantile), "10.5");
  EXPECT_EQ(Main->NumberText(TNumberField::Power), "7.0");
  EXPECT_EQ(Main->NumberText(TNumberField::ExtraQuantile), "9.588495255");
  const std::array<std::array<int, 3>, 3> levels = {{{10, 0, 80}, {90, 80, 100}, {80, 10, 90}}};
  const TSpinEdit* spins[] = {Main->SpinEdit1, Main->SpinEdit2, Main->SpinEdit3};
  const TLevelField fields[] = {TLevelField::Lower, TLevelField::Upper, TLevelField::Extra};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Main->LevelValue(fields[i]), levels[i][0]) << "level " << i;
    EXPECT_EQ(spins[i]->MinValue(), levels[i][1]) << "level " << i;
    EXPECT_EQ(spins[i]->MaxValue(), levels[i][2]) << "level " << i;
  }
}

TEST_F(MainFormTest, TabVisitsTheShownFieldsInTheDesignedOrder) {
  const QWidget* expected[] = {Main->Edit1,
                               Main->SpinEdit1->LineEdit(),
                               Main->Edit2,
                               Main->Edit3,
                               Main->SpinEdit2->LineEdit(),
                               Main->Edit5,
                               Main->RadioGroup1->Item(0),
                               Main->BitBtn1};
  ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() == Main->BitBtn1; }));
  for (const QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
  EXPECT_TRUE(Recorder.Records().empty()) << "moving the focus computes nothing";
}

// [SECTION] The plot command

TEST_F(MainFormTest, TheDefaultPlotShowsTheTenPanelsAndElevenSeries) {
  PressPlot();
  EXPECT_TRUE(Recorder.Records().empty());
  ASSERT_TRUE(Feedback->isVisible());
  EXPECT_EQ(Panels(), kDefaultFigures);
  EXPECT_EQ(Feedback->Label1->Caption(), "mode");
  EXPECT_EQ(SeriesCounts(), (std::array<int, 11>{201, 5, 201, 201, 2, 5, 201, 5, 5, 201, 5}));
  // The saved fit is the fit shown, and the model holds it.
  EXPECT_EQ(FormatNumber(Feedback->SavedLower), kDefaultFigures[0]);
  EXPECT_EQ(FormatNumber(Feedback->SavedUpper), kDefaultFigures[1]);
  EXPECT_EQ(Feedback->SavedMode, 7);
  EXPECT_EQ(Feedback->SavedPower, 7);
  EXPECT_EQ(GTSPForm.LowerBound, Feedback->SavedLower);
}

TEST_F(MainFormTest, BelowPowerOneTheModeIsAnAntiModeWithOneWarning) {
  struct TCase {
    const char* Power;
    const char* Label;
    std::vector<std::string> Messages;
    int DensityPoints;
  };
  const TCase cases[] = {{"0.5", "anti-mode", {kAntiMode}, 199}, {"1", "mode", {}, 201}};
  for (const TCase& c : cases) {
    Recorder.Clear();
    Type(Main->Edit5, QString::fromLatin1(c.Power));
    PressPlot();
    EXPECT_EQ(Messages(), c.Messages) << "n = " << c.Power;
    EXPECT_EQ(Feedback->Label1->Caption(), c.Label) << "n = " << c.Power;
    EXPECT_EQ(Feedback->Series1->PointCount(), c.DensityPoints) << "n = " << c.Power;
    FakeJudgements judgements;
    judgements.Text(TNumberField::Power) = c.Power;
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

TEST_F(MainFormTest, TheAntiModeWarningComesWithTheWholeFitInPlace) {
  PressPlot();
  ASSERT_TRUE(Feedback->isVisible());
  TPanelTexts behindWarning{};
  int densityPoints = 0;
  TWarningSpy spy([&] {
    behindWarning = Panels();
    densityPoints = Feedback->Series1->PointCount();
  });
  TScopedMessageService scope(spy);
  Type(Main->Edit5, QStringLiteral("0.5"));
  PressPlot();
  FakeJudgements judgements;
  judgements.Text(TNumberField::Power) = "0.5";
  EXPECT_EQ(behindWarning, ExpectedPanels(judgements)) << "no panel of the earlier fit";
  EXPECT_EQ(densityPoints, 199) << "the charts already hold the new fit";
}

TEST_F(MainFormTest, ATextThatIsNotANumberIsRefusedAndStaysInTheField) {
  PressPlot();
  const auto shown = SeriesPoints();
  Type(Main->Edit1, QStringLiteral("6,5"));
  PressPlot();
  ASSERT_EQ(Recorder.Records().size(), 1u);
  EXPECT_EQ(Recorder.Records()[0].Kind, TMessageBoxKind::Error);
  EXPECT_EQ(Recorder.Records()[0].Text.rfind("\"Lower Quantile (a_p)\" reads \"6,5\"", 0), 0u)
      << Recorder.Records()[0].Text;
  EXPECT_EQ(Main->Edit1->Text(), "6,5");
  EXPECT_EQ(Panels(), kDefaultFigures);
  EXPECT_EQ(SeriesPoints(), shown);
}

TEST_F(MainFormTest, TheCredibilityLevelOfTheFeedbackWindowIsTheOnePlotted) {
  Feedback->SpinEdit1->SetText(QStringLiteral("20"));
  EXPECT_FALSE(Feedback->isVisible()) << "a level change alone shows nothing";
  PressPlot();
  EXPECT_EQ(Feedback->GroupBox2->Caption(), " 80% Credibility Interval");
  EXPECT_EQ(Panels(), ExpectedPanels(FakeJudgements{}, 20));
  EXPECT_EQ(Panels()[8], FormatNumber(GTSPForm.Quantile(0.1L)));
}

TEST_F(MainFormTest, AClosedFeedbackWindowComesBackWithTheNextPlot) {
  PressPlot();
  ASSERT_TRUE(Feedback->isVisible());
  Feedback->close();
  EXPECT_FALSE(Feedback->isVisible());
  Type(Main->Edit5, QStringLiteral("3"));
  PressPlot();
  EXPECT_TRUE(Feedback->isVisible());
  EXPECT_EQ(Feedback->Panel3->Caption(), "3.00000000");
}

// [SECTION] The additional quantile

TEST_F(MainFormTest, EnteringTheAdditionalQuantileModeShowsItsBoundsAndPlotsNothing) {
  SelectMode(1);
  EXPECT_TRUE(Recorder.Records().empty());
  EXPECT_EQ(Main->ModeIndex(), 1);
  EXPECT_EQ(Main->Panel6->Caption(), "9.30042943");
  EXPECT_EQ(Main->Panel7->Caption(), "10.00000000");
  for (const QWidget* shown :
       TWidgets{Main->GroupBox3, Main->Label6, Main->Edit4, Main->Label7, Main->SpinEdit3}) {
    EXPECT_TRUE(Shown(shown)) << shown->objectName().toStdString();
  }
  EXPECT_FALSE(Main->Edit5->isVisibleTo(Main));
  EXPECT_FALSE(Main->Label8->isEnabled());
  EXPECT_FALSE(Feedback->isVisible());
  EXPECT_EQ(Feedback->Panel11->Caption().toStdString(), kExtraQuantileCaption);
  EXPECT_EQ(Feedback->Panel15->Caption().toStdString(),
            "Two-Sider Power CDF with specified quantiles, a_p, x_s, b_r and parameter m");

  PressPlot();
  EXPECT_TRUE(Recorder.Records().empty());
  EXPECT_EQ(Feedback->Panel3->Caption(), "2.78206148");
  FakeJudgements judgements;
  judgements.mode = 1;
  EXPECT_EQ(Panels(), ExpectedPanels(judgements));
  EXPECT_EQ(SeriesCounts(), (std::array<int, 11>{201, 6, 201, 201, 2, 5, 201, 6, 5, 201, 5}));

  SelectMode(0);
  EXPECT_TRUE(Shown(Main->Edit5));
  EXPECT_FALSE(Main->GroupBox3->isVisibleTo(Main));
  EXPECT_EQ(Feedback->Panel11->Caption().toStdString(), kPowerCaption);
  EXPECT_EQ(Feedback->Panel3->Caption(), "2.78206148") << "switching does not plot";
}

TEST_F(MainFormTest, AnInfeasibleAdditionalQuantileLeavesTheFeedbackWindowUntouched) {
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
    Type(Main->Edit4, QString::fromLatin1(c.ExtraQuantile));
    PressPlot();
    EXPECT_EQ(Messages(), c.Messages) << "x_s = " << c.ExtraQuantile;
    EXPECT_EQ(Panels(), kDefaultFigures) << "x_s = " << c.ExtraQuantile;
    EXPECT_EQ(Feedback->Label1->Caption(), "mode");
    EXPECT_EQ(SeriesPoints(), shown) << "x_s = " << c.ExtraQuantile;
  }
  // Every step of a level runs the command and refuses again.
  Recorder.Clear();
  QTest::keyClick(Main->SpinEdit1->LineEdit(), Qt::Key_Up);
  EXPECT_EQ(Messages(), std::vector<std::string>{kNotFeasible});
  EXPECT_EQ(Panels(), kDefaultFigures);
}

TEST_F(MainFormTest, NeverPlottedTheFeedbackWindowStaysHiddenAfterARefusal) {
  SelectMode(1);
  Type(Main->Edit4, QStringLiteral("9"));
  PressPlot();
  // Between m and the smaller bound 9.30042943: no advice, but no fit either.
  EXPECT_EQ(Messages(), std::vector<std::string>{kNotFeasible});
  EXPECT_FALSE(Feedback->isVisible());
  EXPECT_EQ(Panels()[0], "Panel1");
}

TEST_F(MainFormTest, AChangeOfSGivesTheRecommendationTwice) {
  struct TCase {
    const char* Mode;
    const char* ExtraQuantile;
    std::string Advice;
  };
  // m = 7 lies below the midpoint 8.5 of a_p and b_r; m = 9.5 above it.
  const TCase cases[] = {{"7.0", "6.8", kAdviseAbove}, {"9.5", "10", kAdviseBelow}};
  for (const TCase& c : cases) {
    Type(Main->Edit2, QString::fromLatin1(c.Mode));
    Main->Edit4->SetText(QString::fromLatin1(c.ExtraQuantile));
    Recorder.Clear();
    SelectMode(1);
    EXPECT_EQ(Messages(), std::vector<std::string>{c.Advice}) << "m = " << c.Mode;
    Recorder.Clear();
    const int s = Main->SpinEdit3->Value();
    QTest::keyClick(Main->SpinEdit3->LineEdit(), Qt::Key_Down);
    const std::vector<std::string> messages = Messages();
    ASSERT_GE(messages.size(), 2u) << "m = " << c.Mode;
    EXPECT_EQ(messages[0], c.Advice) << "from the level handler, m = " << c.Mode;
    EXPECT_EQ(messages[1], c.Advice) << "from the plot command, m = " << c.Mode;
    EXPECT_EQ(Main->SpinEdit3->Value(), s - 1);
    SelectMode(0);
  }
}

TEST_F(MainFormTest, TheBoundsFollowAChangeOfSOnly) {
  SelectMode(1);
  Type(Main->Edit3, QStringLiteral("11"));
  EXPECT_EQ(Main->Panel7->Caption(), "10.00000000") << "b_r alone changes no bound";
  Type(Main->SpinEdit3, QStringLiteral("70"));
  EXPECT_NE(Main->Panel7->Caption(), "10.00000000");
  EXPECT_EQ(Main->SpinEdit1->MaxValue(), 70);
  EXPECT_EQ(Main->SpinEdit2->MinValue(), 70);
  // p cannot be stepped above s, nor r below it, in either mode.
  for (int mode : {1, 0}) {
    SelectMode(mode);
    Main->SpinEdit1->SetText(QStringLiteral("70"));
    QSignalSpy p(Main->SpinEdit1, &TSpinEdit::Changed);
    QTest::keyClick(Main->SpinEdit1->LineEdit(), Qt::Key_Up);
    EXPECT_EQ(Main->SpinEdit1->Text(), "70") << "mode " << mode;
    EXPECT_EQ(p.count(), 0) << "no handler at the maximum, mode " << mode;
    Main->SpinEdit2->SetText(QStringLiteral("70"));
    QTest::keyClick(Main->SpinEdit2->LineEdit(), Qt::Key_Down);
    EXPECT_EQ(Main->SpinEdit2->Text(), "70") << "mode " << mode;
    Main->SpinEdit1->SetText(QStringLiteral("10"));
    Main->SpinEdit2->SetText(QStringLiteral("90"));
  }
}

// [SECTION] The levels

TEST_F(MainFormTest, PAtZeroForcesThePowerParameterModeAndDisablesTheSwitch) {
  PressPlot();
  SelectMode(1);
  Type(Main->SpinEdit1, QStringLiteral("1"));
  EXPECT_EQ(Main->ModeIndex(), 1);
  Recorder.Clear();
  QTest::keyClick(Main->SpinEdit1->LineEdit(), Qt::Key_Down);
  EXPECT_EQ(Main->SpinEdit1->Text(), "0");
  EXPECT_EQ(Main->ModeIndex(), 0);
  EXPECT_FALSE(Main->RadioGroup1->isEnabled());
  EXPECT_FALSE(Main->RadioGroup1->Item(1)->isEnabled());
  EXPECT_TRUE(Shown(Main->Edit5));
  EXPECT_FALSE(Main->GroupBox3->isVisibleTo(Main));
  EXPECT_FALSE(Main->Edit4->isVisibleTo(Main));
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
  // Plotted in the power-parameter mode; with p = 0 the limit of q for large n is 0, not the
  // limit of an earlier fit.
  FakeJudgements judgements;
  judgements.Level(TLevelField::Lower) = 0;
  EXPECT_EQ(Panels(), ExpectedPanels(judgements));
  ASSERT_EQ(Feedback->Series5->PointCount(), 2);
  EXPECT_EQ(Feedback->Series5->YValue(0), 0);

  // r changes keep the switch disabled while p = 0; p = 1 enables it again.
  QTest::keyClick(Main->SpinEdit2->LineEdit(), Qt::Key_Down);
  EXPECT_FALSE(Main->RadioGroup1->isEnabled());
  QTest::keyClick(Main->SpinEdit1->LineEdit(), Qt::Key_Up);
  EXPECT_TRUE(Main->RadioGroup1->isEnabled());
  EXPECT_EQ(Main->ModeIndex(), 0) << "enabling does not change the mode";
}

TEST_F(MainFormTest, RAtHundredOrAnEmptyPActLikePAtZero) {
  SelectMode(1);
  Type(Main->SpinEdit2, QStringLiteral("99"));
  QTest::keyClick(Main->SpinEdit2->LineEdit(), Qt::Key_Up);
  EXPECT_EQ(Main->SpinEdit2->Text(), "100");
  EXPECT_EQ(Main->ModeIndex(), 0);
  EXPECT_FALSE(Main->RadioGroup1->isEnabled());
  EXPECT_EQ(Feedback->Series5->YValue(0), 1) << "with r = 100 q tends to 1";
  Type(Main->SpinEdit2, QStringLiteral("90"));
  EXPECT_TRUE(Main->RadioGroup1->isEnabled());

  SelectMode(1);
  Type(Main->SpinEdit1, QString());
  EXPECT_EQ(Main->LevelValue(TLevelField::Lower), 0);
  EXPECT_EQ(Main->ModeIndex(), 0);
  EXPECT_FALSE(Main->RadioGroup1->isEnabled());
}

TEST_F(MainFormTest, ALevelTypedBeyondItsRangeIsUsedThenRewrittenOnLeaving) {
  QSignalSpy changes(Main->SpinEdit1, &TSpinEdit::Changed);
  Type(Main->SpinEdit1, QStringLiteral("85"));
  EXPECT_EQ(Main->SpinEdit1->Text(), "85");
  EXPECT_EQ(AnalysisForm.LowerLevel, 0.85L);
  FakeJudgements judgements;
  judgements.Level(TLevelField::Lower) = 85;
  EXPECT_EQ(Panels(), ExpectedPanels(judgements));
  const int typed = changes.count();

  Main->Edit1->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Main->SpinEdit1->Text(), "80");
  EXPECT_EQ(changes.count(), typed + 1) << "the rewrite runs the handler again";
  EXPECT_EQ(AnalysisForm.LowerLevel, 0.80L);
  judgements.Level(TLevelField::Lower) = 80;
  EXPECT_EQ(Panels(), ExpectedPanels(judgements));
  EXPECT_EQ(Main->SpinEdit3->MinValue(), 80);
}

// [SECTION] Failures leave the windows whole

TEST_F(MainFormTest, AFailingModeSwitchStillShowsTheFieldsOfTheSelectedMode) {
  Type(Main->Edit1, QStringLiteral("abc"));
  SelectMode(1);
  ASSERT_EQ(Recorder.Records().size(), 1u);
  EXPECT_EQ(Recorder.Records()[0].Kind, TMessageBoxKind::Error);
  EXPECT_EQ(Main->ModeIndex(), 1);
  EXPECT_TRUE(Shown(Main->Edit4));
  EXPECT_TRUE(Shown(Main->SpinEdit3));
  EXPECT_TRUE(Shown(Main->GroupBox3));
  EXPECT_FALSE(Main->Edit5->isVisibleTo(Main));
  EXPECT_EQ(Feedback->Panel11->Caption().toStdString(), kExtraQuantileCaption);
  // No bounds of other judgements, and never the design text.
  EXPECT_EQ(Main->Panel6->Caption(), "");
  EXPECT_EQ(Main->Panel7->Caption(), "");

  Recorder.Clear();
  SelectMode(0);
  EXPECT_EQ(Recorder.Records().size(), 1u);
  EXPECT_TRUE(Shown(Main->Edit5));
  EXPECT_FALSE(Main->GroupBox3->isVisibleTo(Main));
  EXPECT_EQ(Feedback->Panel11->Caption().toStdString(), kPowerCaption);
}

TEST_F(MainFormTest, AFailingForcedSwitchIsShownOnceAndLeavesTheSwitchDisabled) {
  SelectMode(1);
  Type(Main->Edit2, QStringLiteral("seven"));
  Type(Main->SpinEdit1, QStringLiteral("1"));
  Recorder.Clear();
  QTest::keyClick(Main->SpinEdit1->LineEdit(), Qt::Key_Down);
  ASSERT_EQ(Recorder.Records().size(), 1u) << "the error ends the level handler too";
  EXPECT_EQ(Recorder.Records()[0].Text.rfind("\"Most Likely Value (m)\"", 0), 0u)
      << Recorder.Records()[0].Text;
  EXPECT_EQ(Main->ModeIndex(), 0);
  EXPECT_TRUE(Shown(Main->Edit5));
  EXPECT_FALSE(Main->RadioGroup1->isEnabled());
  EXPECT_FALSE(Feedback->isVisible());
}

TEST_F(MainFormTest, AnAdditionalLevelTypedBeyondItsRangeIsRefusedInWords) {
  SelectMode(1);
  Type(Main->SpinEdit3, QStringLiteral("0"));
  Type(Main->SpinEdit3, QStringLiteral("10"));
  QTest::keyClick(Main->SpinEdit3->LineEdit(), Qt::Key_0);
  Main->SpinEdit3->SettleTyping();
  EXPECT_EQ(Main->SpinEdit3->Text(), "100");
  for (const TMessageRecord& r : Recorder.Records()) {
    EXPECT_NE(r.Kind, TMessageBoxKind::MathError) << r.Text;
  }
  const std::vector<std::string> messages = Messages();
  const auto said = [&messages](const std::string& level) {
    return std::count_if(messages.begin(), messages.end(), [&level](const std::string& m) {
      return m.rfind("Error: The quantile level s", 0) == 0 &&
             m.find("s is " + level + " %") != std::string::npos;
    });
  };
  EXPECT_EQ(said("0"), 1) << "the level handler ends at the refusal";
  EXPECT_EQ(said("100"), 1);
  EXPECT_EQ(Main->Panel6->Caption(), "");
  EXPECT_EQ(Main->Panel7->Caption(), "");
}

TEST_F(MainFormTest, JudgementsBeyondTheirRangeAreRefusedBeforeAnyAdviceOnX_s) {
  // Their midpoint would overflow the side recommendation.
  Type(Main->Edit1, QStringLiteral("1e4932"));
  Type(Main->Edit2, QStringLiteral("1.05e4932"));
  Type(Main->Edit3, QStringLiteral("1.1e4932"));
  const std::string refusal = "Error: The judgements must lie between -1e2000 and 1e2000.";
  SelectMode(1);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].rfind(refusal, 0), 0u) << Messages()[0];
  EXPECT_EQ(Main->Panel6->Caption(), "");
  Recorder.Clear();
  QTest::keyClick(Main->SpinEdit3->LineEdit(), Qt::Key_Down);
  ASSERT_EQ(Messages().size(), 1u) << "the level handler ends at the refusal";
  EXPECT_EQ(Messages()[0].rfind(refusal, 0), 0u) << Messages()[0];
}

TEST_F(MainFormTest, LevelsThatMeetAreRefusedWithoutTouchingTheFeedbackWindow) {
  PressPlot();
  Type(Main->SpinEdit1, QStringLiteral("80"));
  Type(Main->SpinEdit2, QStringLiteral("80"));
  ASSERT_FALSE(Recorder.Records().empty());
  EXPECT_EQ(Recorder.Records().back().Kind, TMessageBoxKind::Error);
  EXPECT_EQ(Panels(), ExpectedPanels([] {
              FakeJudgements j;
              j.Level(TLevelField::Lower) = 80;
              return j;
            }()))
      << "the last fit shown is that of p = 80, r = 90";
}

// [SECTION] Working with the expert

TEST_F(MainFormTest, LevelsTypedDigitByDigitAreFittedOnceTheNumberStands) {
  Type(Main->SpinEdit1, QStringLiteral("80"));
  Recorder.Clear();
  // With p at 80, "90" typed key by key into r: the "9" alone is never fitted.
  QLineEdit* r = Main->SpinEdit2->LineEdit();
  r->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(r, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(r, Qt::Key_9);
  QTest::qWait(TMainForm::kTypingPauseMs + 200);
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
  QTest::keyClick(r, Qt::Key_0);
  ASSERT_TRUE(WaitFor([&] { return AnalysisForm.UpperLevel == 0.9L; }));
  EXPECT_TRUE(Recorder.Records().empty()) << Messages().front();
  EXPECT_EQ(AnalysisForm.LowerLevel, 0.8L);
  EXPECT_TRUE(Feedback->isVisible());
  EXPECT_EQ(Main->SpinEdit2->Text(), "90") << "no keystroke lost";
  FakeJudgements judgements;
  judgements.Level(TLevelField::Lower) = 80;
  EXPECT_EQ(Panels(), ExpectedPanels(judgements));
  // The arrows stay immediate.
  QTest::keyClick(r, Qt::Key_Down);
  EXPECT_EQ(AnalysisForm.UpperLevel, 0.89L);
}

TEST_F(MainFormTest, EnterPlotsFromAnyFieldAndKeepsTheKeyboard) {
  for (QWidget* field : std::vector<QWidget*>{Main->Edit1, Main->SpinEdit1->LineEdit(), Main->Edit5,
                                              Main->BitBtn1, Main->RadioGroup1->Item(0)}) {
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

TEST_F(MainFormTest, TheFeedbackWindowIsFirstPlacedOnTheScreenBesideTheInputWindowWhenThereIsRoom) {
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

TEST_F(MainFormTest, AStaleFitIsMarkedUntilTheNextPlot) {
  PressPlot();
  const QString title = Feedback->windowTitle();
  EXPECT_FALSE(Feedback->IsStale());
  SelectMode(1);
  EXPECT_TRUE(Feedback->IsStale()) << "the captions name x_s, the panels the n = 7 fit";
  EXPECT_EQ(Feedback->windowTitle(),
            title +
                " - previous judgements: a_p = 6.5, p = 10 %, m = 7.0, b_r = 10.5, r = 90 %, "
                "n = 7.0");
  EXPECT_FALSE(Feedback->Panel1->isEnabled()) << "greyed";
  PressPlot();
  EXPECT_FALSE(Feedback->IsStale());
  EXPECT_EQ(Feedback->windowTitle(), title);
  EXPECT_TRUE(Feedback->Panel1->isEnabled());
  // A failed plot marks the fit shown as well.
  Main->Edit4->SetText(QStringLiteral("10.5"));
  PressPlot();
  EXPECT_TRUE(Feedback->IsStale());
  EXPECT_TRUE(Feedback->windowTitle().endsWith("x_s = 9.588495255, s = 80 %"))
      << Feedback->windowTitle().toStdString();
}

TEST_F(MainFormTest, EachPlotShowsTheFeasibilityBoundsItComputedAndTheRefusalNamesThem) {
  SelectMode(1);
  ASSERT_EQ(Main->Panel6->Caption(), "9.30042943");
  Main->Edit3->SetText(QStringLiteral("11"));
  Main->Edit4->SetText(QStringLiteral("12"));
  PressPlot();
  TGTSPForm model;
  TAnalysisForm record(model);
  FakeJudgements judgements;
  judgements.mode = 1;
  judgements.Type(TNumberField::UpperQuantile, "11");
  record.SetInputSource(&judgements);
  record.ReadInputs();
  const TFeasibilityBounds bounds = ComputeFeasibilityBounds(record);
  EXPECT_EQ(Main->Panel6->Caption().toStdString(), FormatNumber(bounds.Smaller));
  EXPECT_EQ(Main->Panel7->Caption().toStdString(), FormatNumber(bounds.Larger));
  ASSERT_EQ(Recorder.Records().size(), 1u);
  const std::string text = Recorder.Records()[0].Text;
  EXPECT_EQ(text, "Additional Quantile Specification not Feasible\nx_s must lie strictly between " +
                      Main->Panel6->Caption().trimmed().toStdString() + " and " +
                      Main->Panel7->Caption().trimmed().toStdString() + ".");
}

TEST_F(MainFormTest, BothWindowsStopAtTheirMinimumSizeAndTheCredibilityLevelIsExplained) {
  Main->resize(200, 100);
  EXPECT_TRUE(WaitFor(
      [&] { return Main->size() == QSize(TMainForm::kClientWidth, TMainForm::kClientHeight); }));
  EXPECT_EQ(Feedback->minimumSize(),
            QSize(TPlotPDFForm::kMinimumWidth, TPlotPDFForm::kMinimumHeight));
  EXPECT_TRUE(Feedback->SpinEdit1->toolTip().contains("percent of probability left outside"));
}

TEST_F(MainFormTest, TheQuantilesPageShowsTheFitAsNumbers) {
  PressPlot();
  const TQuantilePage& page = *Feedback->QuantilePage;
  EXPECT_EQ(page.QuantilePanels[4]->Caption(), Feedback->Panel6->Caption()) << "the median";
  EXPECT_EQ(page.QuantilePanels[0]->Caption().toStdString(),
            FormatNumber(GTSPForm.Quantile(0.01L)));
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
  Type(Main->Edit5, QStringLiteral("2"));
  PressPlot();
  EXPECT_EQ(page.QuantilePanels[4]->Caption(), Feedback->Panel6->Caption());
  EXPECT_EQ(page.X1Edit->Text(), "11");
}

TEST_F(MainFormTest, TheFitAndEachChartCanBeTakenOut) {
  PressPlot();
  ASSERT_TRUE(ShowActive(*Feedback));
  QApplication::clipboard()->clear();
  QTest::keyClick(Feedback, Qt::Key_C, Qt::ControlModifier);
  const QString copied = QApplication::clipboard()->text();
  EXPECT_EQ(copied, Feedback->FitAsText());
  const QStringList lines = copied.split(u'\n', Qt::SkipEmptyParts);
  EXPECT_EQ(lines.front(), "Lower Quantile (a_p)\t6.5");
  EXPECT_TRUE(lines.contains("Quantile Level (p)\t10"));
  EXPECT_TRUE(lines.contains("Lower Bound (a)\t2.68720904"));
  EXPECT_TRUE(lines.contains("Upper Credibility Limit\t11.47958066"));
  for (const QString& line : lines) {
    EXPECT_EQ(line.count(u'\t'), 1) << line.toStdString();
  }
  EXPECT_EQ(Feedback->GroupBox1->contextMenuPolicy(), Qt::ActionsContextMenu);

  ChartWidget& pdf = *Feedback->PDFChart;
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
  ASSERT_TRUE(Feedback->Series1->PlacePoint(100, x, y));
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
