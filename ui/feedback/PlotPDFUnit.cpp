#include "PlotPDFUnit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QResizeEvent>
#include <QScreen>
#include <QStringList>
#include <QVBoxLayout>
#include <utility>

#include "Appearance.h"
#include "ChartExport.h"
#include "ChartWidget.h"
#include "ErrorBoundary.h"
#include "FeedbackCharts.h"
#include "GTSPUnit.h"
#include "JudgementSheet.h"
#include "NumberPanel.h"
#include "PlotComputation.h"
#include "QuantilePage.h"
#include "SimpleControls.h"
#include "SpinEdit.h"

TPlotPDFForm* PlotPDFForm = nullptr;

namespace {

// Every result panel: 89 x 25 on a lowered bevel, "Panel1" until the first plot.
TPanel* ResultPanel(QWidget* parent, const char* name, int left, int top) {
  auto* panel = new TPanel(parent);
  panel->setObjectName(QLatin1String(name));
  panel->SetBevel(TBevel::Lowered);
  panel->SetCaption(QStringLiteral("Panel1"));
  panel->setGeometry(left, top, kResultPanelWidth, 25);
  return panel;
}

TLabel* Caption(QWidget* parent, const char* name, const QString& text, int left, int top) {
  auto* label = new TLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->move(left, top);
  return label;
}

const QString kTitle = QStringLiteral("Feedback FORM for elicited Two-Sided Power Distribution");

// Number text without its padding blanks.
QString Trimmed(const QString& text) {
  return text.trimmed();
}

}  // namespace

TPlotPDFForm::TPlotPDFForm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PlotPDFForm"));
  setWindowTitle(kTitle);
  ApplyFont(this, TFontSpec{});
  // Every step of a level field plots and shows this window: the keyboard stays where the
  // expert is typing.
  setAttribute(Qt::WA_ShowWithoutActivating);
  CreateValueArea();
  CreateCredibilityArea();
  CreateGraphArea();
  CreateCharts();
  CreateCopyCommands();
  CreateExtraQuantilePage();
  move(412, 98);
  resize(kClientWidth, kClientHeight);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  ArrangeAreas();
  // Handlers are connected last, so that building the window runs none of them.
  ConnectHandler(SpinEdit1, &TSpinEdit::Changed, this, [this] { SpinEdit1Change(); });
}

TPlotPDFForm::~TPlotPDFForm() {
  if (PlotPDFForm == this) {
    PlotPDFForm = nullptr;
  }
}

void TPlotPDFForm::CreateValueArea() {
  GroupBox1 = new TGroupBox(this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  // Seen only in the caption of the credibility area.
  GroupBox1->SetCaptionFont(TFontSpec{TTextColour::Maroon, true});

  // Each label stands 4 pixels lower than its panel.
  struct TRow {
    const char* LabelName;
    const char* LabelText;
    TLabel** Label;
    const char* PanelName;
    TPanel** Panel;
  };
  const TRow left[] = {
      {"Label10", "Lower Bound (a)", &Label10, "Panel1", &Panel1},
      {"Label11", "Upper Bound (b)", &Label11, "Panel2", &Panel2},
      {"Label9", "Power Parameter n", &Label9, "Panel3", &Panel3},
      {"Label12", "Mode Probability Q", &Label12, "Panel4", &Panel4},
  };
  const TRow right[] = {
      {"Label1", "Mode", &Label1, "Panel5", &Panel5},
      {"Label2", "Median", &Label2, "Panel6", &Panel6},
      {"Label5", "Mean", &Label5, "Panel7", &Panel7},
      {"Label6", "Standard Deviation", &Label6, "Panel8", &Panel8},
  };
  const int tops[] = {13, 45, 77, 109};
  const auto place = [this](const TRow& row, int labelLeft, int panelLeft, int top) {
    *row.Label =
        Caption(GroupBox1, row.LabelName, QString::fromLatin1(row.LabelText), labelLeft, top + 4);
    *row.Panel = ResultPanel(GroupBox1, row.PanelName, panelLeft, top);
  };
  for (int i = 0; i < 4; ++i) {
    place(left[i], 16, 160, tops[i]);
    place(right[i], 376, 512, tops[i]);
  }
  // Between Panel3 and the right column's labels: two lines of at most 20 characters.
  PowersLabel = Caption(GroupBox1, "PowersLabel", QString(), 256, 77);
  PowersLabel->SetAutoSize(false);
  PowersLabel->setGeometry(256, 75, 116, 30);
  PowersLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  PowersLabel->hide();
}

void TPlotPDFForm::CreateExtraQuantilePage() {
  ExtraQuantilePage = new QWidget(this);
  ExtraQuantilePage->setObjectName(QStringLiteral("ExtraQuantilePage"));
  ExtraQuantilePage->hide();
  auto* page = new TChartPage(ExtraQuantilePage);
  auto* fill = new QVBoxLayout(ExtraQuantilePage);
  fill->setContentsMargins(0, 0, 0, 0);
  fill->addWidget(page);
  ExtraQuantileChart = page->Chart();
  ExtraQuantileChart->setObjectName(QStringLiteral("ExtraQuantileChart"));
  ExtraQuantileCaption = page->Caption();
  ExtraQuantileCaption->setObjectName(QStringLiteral("ExtraQuantileCaption"));
  ExtraQuantileCaption->SetCaption(QStringLiteral(
      "Probability below x_s as a function of n, given quantiles a_p, b_r, parameter m and the "
      "level s; a mark at each n that fits"));

  TChart& chart = ExtraQuantileChart->Chart();
  SetUpFeedbackChart(chart, "log10 n", "Probability below x_s");
  ExtraQuantileSeries = AddCurve(chart, clRed);
  ExtraLevelSeries = AddCurve(chart, clBlue);
  ExtraRootSeries = AddMarkers(chart, smsLabel, 8);
  ExtraRootSeriesHigh = AddMarkers(chart, smsLabel, 30);
}

void TPlotPDFForm::ShowExtraQuantilePage(bool shown) {
  const int index = TabbedNotebook1->indexOf(ExtraQuantilePage);
  if (shown && index < 0) {
    // Among the chart pages, after the five that every fit has and before "Quantiles".
    constexpr int kAfterFixedChartPages = 5;
    TabbedNotebook1->insertTab(kAfterFixedChartPages, ExtraQuantilePage,
                               QStringLiteral("Additional Quantile"));
  } else if (!shown && index >= 0) {
    TabbedNotebook1->removeTab(index);
    ExtraQuantilePage->hide();
  }
}

void TPlotPDFForm::ShowOtherPowers(const std::vector<Extended>& powers, Extended shown) {
  QStringList others;
  for (const Extended n : powers) {
    if (n != shown)
      others << QString::number(static_cast<double>(n), 'g', 5);
  }
  if (others.isEmpty()) {
    PowersLabel->SetCaption(QString());
    PowersLabel->hide();
    return;
  }
  PowersLabel->SetCaption(QStringLiteral("also fits x_s:\n") + others.join(QStringLiteral(", ")));
  PowersLabel->show();
}

void TPlotPDFForm::CreateCredibilityArea() {
  GroupBox2 = new TGroupBox(QStringLiteral("90% Credibility Interval"), GroupBox1);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  GroupBox2->SetCaptionFont(TFontSpec{TTextColour::Maroon, true});
  Label7 = Caption(GroupBox2, "Label7", QStringLiteral("Lower Credibility Limit"), 8, 28);
  Panel13 = ResultPanel(GroupBox2, "Panel13", 160, 24);
  SpinEdit1 = new TSpinEdit(GroupBox2);
  SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
  ApplyFont(SpinEdit1, TFontSpec{TTextColour::Black});
  SpinEdit1->setGeometry(280, 27, 73, 22);
  SpinEdit1->SetMaxLength(50);
  SpinEdit1->SetMinValue(0);
  SpinEdit1->SetMaxValue(100);
  SpinEdit1->SetValue(10);
  SpinEdit1->setToolTip(QStringLiteral(
      "Credibility level: the percent of probability left outside the interval, half below "
      "its lower and half above its upper limit"));
  Label8 = Caption(GroupBox2, "Label8", QStringLiteral("Upper Credibility Limit"), 373, 28);
  Panel14 = ResultPanel(GroupBox2, "Panel14", 512, 24);
}

void TPlotPDFForm::CreateGraphArea() {
  TabbedNotebook1 = new TTabbedNotebook(this);
  TabbedNotebook1->setObjectName(QStringLiteral("TabbedNotebook1"));
  struct TPage {
    const char* Tab;
    const char* ChartName;
    ChartWidget** Chart;
    const char* PanelName;
    TPanel** Panel;
    const char* Text;
  };
  const TPage pages[] = {
      {"PDF", "PDFChart", &PDFChart, "Panel11", &Panel11,
       "Two-Sider Power density function with specified quantiles, a_p, b_r, mode m and power "
       "parameter n"},
      {"CDF", "CDFChart", &CDFChart, "Panel15", &Panel15,
       "Two-Sider Power CDF with specified quantiles, a_p, b_r, mode m and power parameter n"},
      {"Mode Probability", "ModeChart", &ModeChart, "Panel9", &Panel9,
       "Mode Probability q as a function of n, given quantiles a_p, b_r and parameter m "},
      {"Lower Bound", "Chart1", &Chart1, "Panel10", &Panel10,
       "Lower bound a as a function of n, given quantiles a_p, b_r and parameter m "},
      {"Upper Bound", "Chart2", &Chart2, "Panel12", &Panel12,
       "Upper bound b as a function of n, given quantiles a_p, b_r and parameter m "},
  };
  for (const TPage& p : pages) {
    QWidget* tab = TabbedNotebook1->AddPage(QString::fromLatin1(p.Tab));
    auto* page = new TChartPage(tab);
    auto* fill = new QVBoxLayout(tab);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(page);
    *p.Chart = page->Chart();
    (*p.Chart)->setObjectName(QLatin1String(p.ChartName));
    *p.Panel = page->Caption();
    (*p.Panel)->setObjectName(QLatin1String(p.PanelName));
    (*p.Panel)->SetCaption(QString::fromLatin1(p.Text));
  }
  // After the chart pages: the fit's quantiles and probabilities as numbers.
  QWidget* tab = TabbedNotebook1->AddPage(QStringLiteral("Quantiles"));
  QuantilePage = new TQuantilePage(tab);
  auto* fill = new QVBoxLayout(tab);
  fill->setContentsMargins(0, 0, 0, 0);
  fill->addWidget(QuantilePage);
  TabbedNotebook1->SetPageIndex(0);
}

void TPlotPDFForm::CreateCharts() {
  TChart& pdf = PDFChart->Chart();
  SetUpFeedbackChart(pdf, "x", "Probability Density");
  pdf.SetBevelWidth(0);
  TChartFont& titleFont = pdf.Title().Font();
  titleFont.SetName("Arial");
  titleFont.SetHeight(16);
  titleFont.SetStyle(0);
  titleFont.SetColor(clBlue);
  Series1 = AddCurve(pdf, clRed);
  Series1->SetTitle("PDFSeries");
  Series2 = AddMarkers(pdf, smsXValue, 8);
  Series2->SetTitle("PDFPointSeries");

  TChart& cdf = CDFChart->Chart();
  SetUpFeedbackChart(cdf, "x", "Cumulative Distribution Function");
  TChartAxis& probability = cdf.LeftAxis();
  probability.SetAutomatic(false);
  probability.SetAutomaticMinimum(false);
  probability.SetAutomaticMaximum(false);
  probability.SetLimits(-0.025, 1.025);
  probability.SetIncrement(0.05);
  Series4 = AddCurve(cdf, clRed);
  Series8 = AddMarkers(cdf, smsXValue, 0);

  TChart& mode = ModeChart->Chart();
  SetUpFeedbackChart(mode, "n", "Mode Probability q");
  Series3 = AddCurve(mode, clRed);
  Series5 = AddCurve(mode, clBlue);
  UseRedDiamonds(*Series5);
  Series5->Marks().SetVisible(true);
  Series5->Marks().SetStyle(smsValue);
  Series5->Marks().SetArrowLength(8);
  Series6 = AddMarkers(mode, smsValue, 0);

  TChart& lower = Chart1->Chart();
  SetUpFeedbackChart(lower, "n", "Lower Bound");
  Series7 = AddCurve(lower, clRed);
  Series9 = AddMarkers(lower, smsValue, 0);

  TChart& upper = Chart2->Chart();
  SetUpFeedbackChart(upper, "n", "Upper Bound");
  Series10 = AddCurve(upper, clRed);
  Series11 = AddMarkers(upper, smsValue, 0);
}

void TPlotPDFForm::CreateCopyCommands() {
  auto* copy = new QAction(QStringLiteral("Copy Judgements and Fit"), this);
  copy->setObjectName(QStringLiteral("CopyFit"));
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WindowShortcut);
  connect(copy, &QAction::triggered, this, [this] { CopyFit(); });
  addAction(copy);
  GroupBox1->setContextMenuPolicy(Qt::ActionsContextMenu);
  GroupBox1->addAction(copy);
  // A chart's CSV names its columns for what they hold and starts with the fit's judgements.
  const std::pair<ChartWidget*, TChartColumns> charts[] = {
      {PDFChart, {"x", "density", {"curve", "marks"}}},
      {CDFChart, {"x", "probability", {"curve", "marks"}}},
      {ModeChart, {"n", "q", {"curve", "limit", "marks"}}},
      {Chart1, {"n", "a", {"curve", "marks"}}},
      {Chart2, {"n", "b", {"curve", "marks"}}}};
  for (const auto& [chart, columns] : charts) {
    AddChartMenu(*chart, columns, [this] {
      return FitJudgements_.isEmpty() ? std::vector<std::string>()
                                      : std::vector<std::string>{FitJudgements_.toStdString()};
    });
  }
}

void TPlotPDFForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ArrangeAreas();
}

void TPlotPDFForm::ArrangeAreas() {
  const int w = width();
  const int valueHeight = qMin(height(), kValueAreaHeight);
  GroupBox1->setGeometry(0, 0, w, valueHeight);
  TabbedNotebook1->setGeometry(0, valueHeight, w, height() - valueHeight);
  // Two pixels of the value area's frame on each side, below and to the sides.
  constexpr int kFrame = 2;
  constexpr int kCredibilityHeight = 63;
  GroupBox2->setGeometry(kFrame, qMax(0, valueHeight - kFrame - kCredibilityHeight),
                         qMax(0, w - 2 * kFrame), kCredibilityHeight);
}

QString TPlotPDFForm::CredibilityCaption(int level) {
  // Computed wide: a typed level far beyond the range must not overflow.
  const long long outside = 100LL - level;
  return QStringLiteral("%1% Credibility Interval").arg(outside, 3, 10, QLatin1Char(' '));
}

void TPlotPDFForm::SpinEdit1Change() {
  const int level = SpinEdit1->Value();
  GroupBox2->SetCaption(CredibilityCaption(level));
  // Before the first plot there is no fit to take limits of (the window is not shown).
  if (!(SavedLower < SavedUpper)) {
    return;
  }
  // The graphs may have left a trial fit in the model: the limits belong to the fit shown.
  GTSPForm.LoadFit(SavedLower, SavedUpper, SavedMode, SavedPower);
  const auto [lower, upper] = CredibilityLimits(GTSPForm, level);
  ShowNumber(*Panel13, lower);
  ShowNumber(*Panel14, upper);
}

void TPlotPDFForm::ShowFit(TPlotOutcome outcome) {
  const TFitFigures& f = outcome.Figures;
  FitMode_ = outcome.Mode;
  FitJudgements_ = QString::fromStdString(DescribeJudgements(outcome.Mode, outcome.Judgements));
  JudgementTexts_ = outcome.Judgements.Texts;
  JudgementLevels_ = outcome.Judgements.Levels;
  HasFit_ = true;
  Stale_ = false;
  ShowStaleness();
  ShowNumber(*Panel1, f.LowerBound);
  ShowNumber(*Panel2, f.UpperBound);
  ShowNumber(*Panel4, f.ModeProbability);
  ShowNumber(*Panel5, f.ModeValue);
  ShowNumber(*Panel3, f.Power);
  ShowOtherPowers(outcome.Powers, f.Power);
  Label1->SetCaption(f.AntiMode ? QStringLiteral("anti-mode") : QStringLiteral("mode"));
  ShowNumber(*Panel13, f.LowerCredibilityLimit);
  ShowNumber(*Panel14, f.UpperCredibilityLimit);
  SavedLower = f.LowerBound;
  SavedUpper = f.UpperBound;
  SavedMode = f.ModeValue;
  SavedPower = f.Power;
  ShowNumber(*Panel6, f.Median);
  ShowNumber(*Panel7, f.Mean);
  ShowNumber(*Panel8, f.StdDev);

  Samples = std::move(outcome.Graphs);
  FillPdfChart();
  FillCdfChart();
  FillModeChart();
  FillLowerBoundChart();
  FillUpperBoundChart();
  ShowExtraQuantilePage(outcome.Mode == TFitMode::ExtraQuantile);
  if (outcome.Mode == TFitMode::ExtraQuantile)
    FillExtraQuantileChart();

  TGTSPForm fit;
  fit.LoadFit(SavedLower, SavedUpper, SavedMode, SavedPower);
  const auto text = [this](TNumberField field) {
    return QString::fromStdString(JudgementTexts_[static_cast<std::size_t>(field)]);
  };
  QuantilePage->ShowFit(fit, text(TNumberField::LowerQuantile), text(TNumberField::UpperQuantile));
}

void TPlotPDFForm::MarkStale() {
  if (!HasFit_ || Stale_) {
    return;
  }
  Stale_ = true;
  ShowStaleness();
}

void TPlotPDFForm::ShowStaleness() {
  setWindowTitle(Stale_ ? kTitle + QStringLiteral(" - previous judgements: ") + FitJudgements_
                        : kTitle);
  // Greyed, not disabled: the panels can still be read, and the level still be changed.
  for (TPanel* panel :
       {Panel1, Panel2, Panel3, Panel4, Panel5, Panel6, Panel7, Panel8, Panel13, Panel14}) {
    panel->setEnabled(!Stale_);
  }
  for (ChartWidget* chart : {PDFChart, CDFChart, ModeChart, Chart1, Chart2, ExtraQuantileChart}) {
    chart->setToolTip(Stale_ ? QStringLiteral("Fit of the previous judgements: ") + FitJudgements_
                             : QString());
  }
  QuantilePage->setEnabled(!Stale_);
}

QString TPlotPDFForm::FitAsText() const {
  QString text;
  const auto line = [&text](const QString& name, const QString& value) {
    text += name + QLatin1Char('\t') + value + QLatin1Char('\n');
  };
  if (HasFit_) {
    const auto number = [this](TNumberField field) {
      return QString::fromStdString(JudgementTexts_[static_cast<std::size_t>(field)]);
    };
    const auto level = [this](TLevelField field) {
      return QString::number(JudgementLevels_[static_cast<std::size_t>(field)]);
    };
    const auto caption = [](TNumberField field) {
      const std::string_view c = FieldCaption(field);
      return QString::fromLatin1(c.data(), static_cast<qsizetype>(c.size()));
    };
    line(caption(TNumberField::LowerQuantile), number(TNumberField::LowerQuantile));
    line(QStringLiteral("Quantile Level (p)"), level(TLevelField::Lower));
    line(caption(TNumberField::ModeValue), number(TNumberField::ModeValue));
    line(caption(TNumberField::UpperQuantile), number(TNumberField::UpperQuantile));
    line(QStringLiteral("Quantile Level (r)"), level(TLevelField::Upper));
    if (FitMode_ == TFitMode::PowerParameter) {
      line(caption(TNumberField::Power), number(TNumberField::Power));
    } else {
      line(caption(TNumberField::ExtraQuantile), number(TNumberField::ExtraQuantile));
      line(QStringLiteral("Quantile Level (s)"), level(TLevelField::Extra));
    }
  }
  const std::pair<const TLabel*, const TPanel*> rows[] = {
      {Label10, Panel1}, {Label11, Panel2}, {Label9, Panel3}, {Label12, Panel4}, {Label1, Panel5},
      {Label2, Panel6},  {Label5, Panel7},  {Label6, Panel8}, {Label7, Panel13}, {Label8, Panel14}};
  for (const auto& [label, panel] : rows) {
    line(label->Caption(), Trimmed(panel->Caption()));
  }
  line(QStringLiteral("Credibility Level (percent outside)"), QString::number(CredibilityLevel()));
  return text;
}

void TPlotPDFForm::CopyFit() const {
  QApplication::clipboard()->setText(FitAsText());
}

void TPlotPDFForm::ShowModeCaptions(TFitMode mode) {
  ShowExtraQuantilePage(mode == TFitMode::ExtraQuantile);
  if (mode == TFitMode::ExtraQuantile) {
    Panel11->SetCaption(QStringLiteral(
        "Two-Sider Power PDF with specified quantiles, a_p, x_s, b_r and parameter m"));
    Panel15->SetCaption(QStringLiteral(
        "Two-Sider Power CDF with specified quantiles, a_p, x_s, b_r and parameter m"));
  } else {
    Panel11->SetCaption(QStringLiteral(
        "Two-Sider Power PDF with specified quantiles, a_p, b_r, parameter m and power "
        "parameter n"));
    Panel15->SetCaption(QStringLiteral(
        "Two-Sider Power CDF with specified quantiles, a_p, b_r, parameter m and power "
        "parameter n"));
  }
}

int TPlotPDFForm::CredibilityLevel() const {
  return SpinEdit1->Value();
}

void TPlotPDFForm::Present(const QRect& inputWindowFrame) {
  if (!Placed_) {
    Placed_ = true;
    PlaceBeside(inputWindowFrame);
  }
  show();
  raise();
}

void TPlotPDFForm::PlaceBeside(const QRect& input) {
  const QScreen* screen = QApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  const QRect room = screen->availableGeometry();
  // The frame around the client area, as the window system will draw it.
  const QSize outer = frameGeometry().size().expandedTo(size() + QSize(8, 34));
  QRect place(pos(), outer);
  if (input.isValid() && place.intersects(input)) {
    const QRect right(QPoint(input.right() + 1, input.top()), outer);
    const QRect left(QPoint(input.left() - outer.width(), input.top()), outer);
    if (room.contains(right)) {
      place = right;
    } else if (room.contains(left)) {
      place = left;
    } else {
      // No room beside it: as far right as the screen allows, which covers the least of
      // the input window's level column.
      place.moveLeft(room.right() + 1 - outer.width());
    }
  }
  // Never off the screen: as much of the window as fits, its top left corner always.
  place.moveLeft(
      qBound(room.left(), place.left(), qMax(room.left(), room.right() + 1 - outer.width())));
  place.moveTop(
      qBound(room.top(), place.top(), qMax(room.top(), room.bottom() + 1 - outer.height())));
  move(place.topLeft());
}

void TPlotPDFForm::FillPdfChart() {
  FeedSeries(*Series1, Samples.DensityLine);
  FeedSeries(*Series2, Samples.DensityMarks);
}

void TPlotPDFForm::FillCdfChart() {
  FeedSeries(*Series4, Samples.DistributionLine);
  FeedSeries(*Series8, Samples.DistributionMarks);
}

void TPlotPDFForm::FillModeChart() {
  FeedSeries(*Series3, Samples.ModeLine);
  FeedSeries(*Series5, Samples.ModeLimitLine);
  FeedSeries(*Series6, Samples.ModeMarks);
}

void TPlotPDFForm::FillLowerBoundChart() {
  FeedSeries(*Series7, Samples.LowerLine);
  FeedSeries(*Series9, Samples.LowerMarks);
}

void TPlotPDFForm::FillUpperBoundChart() {
  FeedSeries(*Series10, Samples.UpperLine);
  FeedSeries(*Series11, Samples.UpperMarks);
}

void TPlotPDFForm::FillExtraQuantileChart() {
  FeedSeries(*ExtraQuantileSeries, Samples.ExtraQuantileLine);
  FeedSeries(*ExtraLevelSeries, Samples.ExtraLevelLine);
  ExtraRootSeries->ClearPoints();
  ExtraRootSeriesHigh->ClearPoints();
  const TPointList& marks = Samples.ExtraQuantileMarks;
  for (std::size_t k = 0; k < marks.size() && k < Samples.ExtraQuantilePowers.size(); ++k) {
    const double n = static_cast<double>(Samples.ExtraQuantilePowers[k]);
    const std::string label = QString::number(n, 'g', 5).toStdString();
    TPointSeries& series = k % 2 == 0 ? *ExtraRootSeries : *ExtraRootSeriesHigh;
    series.AddPoint(marks[k].X, marks[k].Y, label, clDefault);
  }
}
