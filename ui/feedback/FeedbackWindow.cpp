#include "FeedbackWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStringList>
#include <QTabBar>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

#include "Accessibility.h"
#include "Appearance.h"
#include "ChartExport.h"
#include "ChartPage.h"
#include "ChartWidget.h"
#include "Elicitation.h"
#include "ErrorBoundary.h"
#include "FeedbackChartSettings.h"
#include "ModelSnippets.h"
#include "NumberPanel.h"
#include "NumberText.h"
#include "OverlayCharts.h"
#include "PlotComputation.h"
#include "PoolPage.h"
#include "QuantilePage.h"
#include "SimpleControls.h"
#include "SpinEdit.h"
#include "Translations.h"

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

QString Title() {
  return FeedbackWindow::tr("Feedback FORM for elicited Two-Sided Power Distribution");
}

// The axis titles of a chart set up by the plot work, in the windows' language.
void TranslateAxisTitles(TChart& chart) {
  for (TChartAxis* axis : {&chart.LeftAxis(), &chart.BottomAxis()}) {
    axis->Title().SetCaption(TranslatedSystemText(axis->Title().Caption()).toStdString());
  }
}

// Number text without its padding blanks.
QString Trimmed(const QString& text) {
  return text.trimmed();
}

}  // namespace

FeedbackWindow::FeedbackWindow(Elicitation& document, THandlerBoundary& boundary, QWidget* parent)
    : QWidget(parent), Document_(document), Boundary_(boundary) {
  setObjectName(QStringLiteral("FeedbackWindow"));
  setWindowTitle(Title());
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
  CreatePoolPage();
  NameControls();
  move(412, 98);
  resize(kClientWidth, kClientHeight);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  ArrangeAreas();
  // Handlers are connected last, so that building the window runs none of them.
  Boundary_.Connect(CredibilitySpin, &TSpinEdit::Changed, this,
                    [this] { ChangeCredibilityLevel(); });
}

void FeedbackWindow::CreateValueArea() {
  FiguresGroup = new TGroupBox(this);
  FiguresGroup->setObjectName(QStringLiteral("FiguresGroup"));
  // Seen only in the caption of the credibility area.
  FiguresGroup->SetCaptionFont(TFontSpec{TTextColour::Maroon, true});

  // Each label stands 4 pixels lower than its panel.
  struct TRow {
    const char* LabelName;
    const char* LabelText;
    TLabel** Label;
    const char* PanelName;
    TPanel** Panel;
  };
  const TRow left[] = {
      {"LowerBoundLabel", QT_TR_NOOP("Lower Bound (a)"), &LowerBoundLabel, "LowerBoundPanel",
       &LowerBoundPanel},
      {"UpperBoundLabel", QT_TR_NOOP("Upper Bound (b)"), &UpperBoundLabel, "UpperBoundPanel",
       &UpperBoundPanel},
      {"PowerLabel", QT_TR_NOOP("Power Parameter n"), &PowerLabel, "PowerPanel", &PowerPanel},
      {"ModeProbabilityLabel", QT_TR_NOOP("Mode Probability Q"), &ModeProbabilityLabel,
       "ModeProbabilityPanel", &ModeProbabilityPanel},
  };
  const TRow right[] = {
      {"ModeLabel", QT_TR_NOOP("Mode"), &ModeLabel, "ModePanel", &ModePanel},
      {"MedianLabel", QT_TR_NOOP("Median"), &MedianLabel, "MedianPanel", &MedianPanel},
      {"MeanLabel", QT_TR_NOOP("Mean"), &MeanLabel, "MeanPanel", &MeanPanel},
      {"StdDevLabel", QT_TR_NOOP("Standard Deviation"), &StdDevLabel, "StdDevPanel", &StdDevPanel},
  };
  const int tops[] = {13, 45, 77, 109};
  const auto place = [this](const TRow& row, int labelLeft, int panelLeft, int top) {
    *row.Label = Caption(FiguresGroup, row.LabelName, tr(row.LabelText), labelLeft, top + 4);
    *row.Panel = ResultPanel(FiguresGroup, row.PanelName, panelLeft, top);
  };
  for (int i = 0; i < 4; ++i) {
    place(left[i], 16, 160, tops[i]);
    place(right[i], 376, 512, tops[i]);
  }
  // Between PowerPanel and the right column's labels: two lines of at most 20 characters.
  OtherPowersLabel = Caption(FiguresGroup, "OtherPowersLabel", QString(), 256, 77);
  OtherPowersLabel->SetAutoSize(false);
  // Below PowerPanel's row, the other powers that fit, one a line, each a link to its fit.
  OtherPowersLabel->setGeometry(256, 75, 116, 62);
  OtherPowersLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  OtherPowersLabel->setTextFormat(Qt::RichText);
  OtherPowersLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                            Qt::LinksAccessibleByKeyboard);
  OtherPowersLabel->hide();
  connect(OtherPowersLabel, &QLabel::linkActivated, this, [this](const QString& link) {
    Boundary_.Run([this, link] { ShowPower(link.toULongLong()); });
  });
}

bool FeedbackWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    // Left unaccepted, the key goes to the window's shortcut.
    event->ignore();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void FeedbackWindow::CreateExtraQuantilePage() {
  ExtraQuantilePage = new QWidget(this);
  ExtraQuantilePage->setObjectName(QStringLiteral("ExtraQuantilePage"));
  ExtraQuantilePage->hide();
  ChartPage* page = ChartPage::FillTab(ExtraQuantilePage);
  ExtraQuantileChart = page->Chart();
  ExtraQuantileChart->setObjectName(QStringLiteral("ExtraQuantileChart"));
  ExtraQuantileCaption = page->Caption();
  ExtraQuantileCaption->setObjectName(QStringLiteral("ExtraQuantileCaption"));
  ExtraQuantileCaption->SetCaption(
      tr("Probability below x_s as a function of n, given quantiles a_p, b_r, parameter m and "
         "the level s; a mark at each n that fits"));

  const ExtraQuantileChartSeries series = SetUpExtraQuantileChart(ExtraQuantileChart->Chart());
  TranslateAxisTitles(ExtraQuantileChart->Chart());
  ExtraQuantileSeries = series.Curve;
  ExtraLevelSeries = series.Level;
  ExtraRootSeries = series.Roots;
  ExtraRootSeriesHigh = series.RootsHigh;
}

void FeedbackWindow::ShowExtraQuantilePage(bool shown) {
  const int index = Notebook->indexOf(ExtraQuantilePage);
  if (shown && index < 0) {
    // Among the chart pages, after the five that every fit has and before "Quantiles".
    constexpr int kAfterFixedChartPages = 5;
    Notebook->insertTab(kAfterFixedChartPages, ExtraQuantilePage, tr("Additional Quantile"));
  } else if (!shown && index >= 0) {
    Notebook->removeTab(index);
    ExtraQuantilePage->hide();
  }
}

void FeedbackWindow::ShowOtherPowers(const std::vector<Extended>& powers, Extended shown) {
  QStringList others;
  QStringList all;
  for (std::size_t k = 0; k < powers.size(); ++k) {
    const QString n = Trimmed(QString::fromStdString(FormatNumber(powers[k])));
    all << n;
    if (powers[k] != shown)
      others << QStringLiteral("<a href=\"%1\">%2</a>").arg(k).arg(n);
  }
  if (others.isEmpty()) {
    OtherPowersLabel->SetCaption(QString());
    OtherPowersLabel->setToolTip(QString());
    OtherPowersLabel->hide();
    return;
  }
  OtherPowersLabel->SetCaption(tr("also fits x_s:") + QStringLiteral("<br>") +
                               others.join(QStringLiteral("<br>")));
  OtherPowersLabel->setToolTip(tr("Every power n that fits x_s: %1. Click one to see its fit.")
                                   .arg(all.join(QStringLiteral(", "))));
  OtherPowersLabel->show();
}

void FeedbackWindow::ShowPower(std::size_t index) {
  const PlotOutcome* shown = Document_.Shown();
  if (shown == nullptr || index >= shown->Fitted->Powers.size()) {
    return;
  }
  const PlotOutcome& outcome = Document_.ShowPower(shown->Fitted->Powers[index]);
  if (const auto refusal = outcome.Refusal()) {
    Boundary_.ShowError(*refusal);
    return;
  }
  ShowFit();
}

void FeedbackWindow::CreateCredibilityArea() {
  CredibilityGroup = new TGroupBox(tr("90% Credibility Interval"), FiguresGroup);
  CredibilityGroup->setObjectName(QStringLiteral("CredibilityGroup"));
  CredibilityGroup->SetCaptionFont(TFontSpec{TTextColour::Maroon, true});
  LowerCredibilityLabel =
      Caption(CredibilityGroup, "LowerCredibilityLabel", tr("Lower Credibility Limit"), 8, 28);
  LowerCredibilityPanel = ResultPanel(CredibilityGroup, "LowerCredibilityPanel", 160, 24);
  CredibilitySpin = new TSpinEdit(CredibilityGroup);
  CredibilitySpin->setObjectName(QStringLiteral("CredibilitySpin"));
  ApplyFont(CredibilitySpin, TFontSpec{TTextColour::Black});
  CredibilitySpin->setGeometry(280, 27, 73, 22);
  CredibilitySpin->SetMaxLength(50);
  CredibilitySpin->SetDecimals(1);
  CredibilitySpin->SetMinValue(0);
  CredibilitySpin->SetMaxValue(1000);
  CredibilitySpin->SetValue(static_cast<int>(kInitialCredibility.Tenths()));
  CredibilitySpin->setToolTip(
      tr("Credibility level: the percent of probability left outside the interval, half below "
         "its lower and half above its upper limit"));
  UpperCredibilityLabel =
      Caption(CredibilityGroup, "UpperCredibilityLabel", tr("Upper Credibility Limit"), 373, 28);
  UpperCredibilityPanel = ResultPanel(CredibilityGroup, "UpperCredibilityPanel", 512, 24);
}

void FeedbackWindow::CreateGraphArea() {
  Notebook = new TTabbedNotebook(this);
  Notebook->setObjectName(QStringLiteral("Notebook"));
  struct TPage {
    const char* Tab;
    const char* ChartName;
    ChartWidget** Chart;
    const char* PanelName;
    TPanel** Panel;
    const char* Text;
  };
  const TPage pages[] = {
      {QT_TR_NOOP("PDF"), "DensityChart", &DensityChart, "DensityCaption", &DensityCaption,
       QT_TR_NOOP("Two-Sider Power density function with specified quantiles, a_p, b_r, mode m and "
                  "power parameter n")},
      {QT_TR_NOOP("CDF"), "DistributionChart", &DistributionChart, "DistributionCaption",
       &DistributionCaption,
       QT_TR_NOOP(
           "Two-Sider Power CDF with specified quantiles, a_p, b_r, mode m and power parameter n")},
      {QT_TR_NOOP("Mode Probability"), "ModeProbabilityChart", &ModeProbabilityChart,
       "ModeProbabilityCaption", &ModeProbabilityCaption,
       QT_TR_NOOP(
           "Mode Probability q as a function of n, given quantiles a_p, b_r and parameter m ")},
      {QT_TR_NOOP("Lower Bound"), "LowerBoundChart", &LowerBoundChart, "LowerBoundCaption",
       &LowerBoundCaption,
       QT_TR_NOOP("Lower bound a as a function of n, given quantiles a_p, b_r and parameter m ")},
      {QT_TR_NOOP("Upper Bound"), "UpperBoundChart", &UpperBoundChart, "UpperBoundCaption",
       &UpperBoundCaption,
       QT_TR_NOOP("Upper bound b as a function of n, given quantiles a_p, b_r and parameter m ")},
  };
  for (const TPage& p : pages) {
    QWidget* tab = Notebook->AddPage(tr(p.Tab));
    ChartPage* page = ChartPage::FillTab(tab);
    *p.Chart = page->Chart();
    (*p.Chart)->setObjectName(QLatin1String(p.ChartName));
    *p.Panel = page->Caption();
    (*p.Panel)->setObjectName(QLatin1String(p.PanelName));
    (*p.Panel)->SetCaption(tr(p.Text));
  }
  // After the chart pages: the fit's quantiles and probabilities as numbers.
  QWidget* tab = Notebook->AddPage(tr("Quantiles"));
  QuantilePage = new TQuantilePage(Boundary_, tab);
  auto* fill = new QVBoxLayout(tab);
  fill->setContentsMargins(0, 0, 0, 0);
  fill->addWidget(QuantilePage);
  Notebook->SetPageIndex(0);
}

void FeedbackWindow::CreateCharts() {
  const DensityChartSeries density = SetUpDensityChart(DensityChart->Chart());
  DensitySeries = density.Line;
  DensityMarksSeries = density.Marks;
  const DistributionChartSeries distribution = SetUpDistributionChart(DistributionChart->Chart());
  DistributionSeries = distribution.Line;
  DistributionMarksSeries = distribution.Marks;
  const ModeProbabilityChartSeries mode = SetUpModeProbabilityChart(ModeProbabilityChart->Chart());
  ModeProbabilitySeries = mode.Line;
  ModeProbabilityLimitSeries = mode.Limit;
  ModeProbabilityMarksSeries = mode.Marks;
  const BoundChartSeries lower = SetUpLowerBoundChart(LowerBoundChart->Chart());
  LowerBoundSeries = lower.Line;
  LowerBoundMarksSeries = lower.Marks;
  const BoundChartSeries upper = SetUpUpperBoundChart(UpperBoundChart->Chart());
  UpperBoundSeries = upper.Line;
  UpperBoundMarksSeries = upper.Marks;
  for (ChartWidget* chart :
       {DensityChart, DistributionChart, ModeProbabilityChart, LowerBoundChart, UpperBoundChart}) {
    TranslateAxisTitles(chart->Chart());
  }
}

void FeedbackWindow::NameControls() {
  const std::pair<QWidget*, const TLabel*> panels[] = {
      {LowerBoundPanel, LowerBoundLabel},
      {UpperBoundPanel, UpperBoundLabel},
      {PowerPanel, PowerLabel},
      {ModeProbabilityPanel, ModeProbabilityLabel},
      {ModePanel, ModeLabel},
      {MedianPanel, MedianLabel},
      {MeanPanel, MeanLabel},
      {StdDevPanel, StdDevLabel},
      {LowerCredibilityPanel, LowerCredibilityLabel},
      {UpperCredibilityPanel, UpperCredibilityLabel}};
  for (const auto& [panel, label] : panels) {
    SetAccessibleTexts(panel, label->Caption());
  }
  SetAccessibleTexts(CredibilitySpin, tr("Credibility level"), CredibilitySpin->toolTip());
  SetAccessibleTexts(OtherPowersLabel, tr("Other powers n that fit x_s"),
                     tr("Each is a link that shows the fit of that power"));
  SetAccessibleTexts(Notebook, tr("Graph pages"));
  // The charts' descriptions, the ranges they show, follow each drawing.
  const std::pair<ChartWidget*, QString> charts[] = {
      {DensityChart, tr("Density chart")},
      {DistributionChart, tr("Distribution function chart")},
      {ModeProbabilityChart, tr("Mode probability chart")},
      {LowerBoundChart, tr("Lower bound chart")},
      {UpperBoundChart, tr("Upper bound chart")},
      {ExtraQuantileChart, tr("Additional quantile chart")}};
  for (const auto& [chart, name] : charts) {
    SetAccessibleTexts(chart, name, chart->Description());
    // The page that scrolls the chart when the window is small.
    for (QWidget* up = chart->parentWidget(); up != nullptr; up = up->parentWidget()) {
      if (auto* scroll = qobject_cast<QScrollArea*>(up)) {
        SetAccessibleTexts(scroll, name);
        break;
      }
    }
  }
}

void FeedbackWindow::CreateCopyCommands() {
  auto* copy = new QAction(tr("Copy Judgements and Fit"), this);
  copy->setObjectName(QStringLiteral("CopyFit"));
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WindowShortcut);
  connect(copy, &QAction::triggered, this, [this] { CopyFit(); });
  addAction(copy);
  // A line edit takes Ctrl+C for itself before any window shortcut: these do not.
  for (QWidget* field :
       std::initializer_list<QWidget*>{CredibilitySpin->LineEdit(), QuantilePage->XEdit,
                                       QuantilePage->X1Edit, QuantilePage->X2Edit}) {
    field->installEventFilter(this);
  }
  FiguresGroup->setContextMenuPolicy(Qt::ActionsContextMenu);
  FiguresGroup->addAction(copy);
  auto* copyAs = new QMenu(tr("Copy as"), this);
  copyAs->setObjectName(QStringLiteral("CopyAsMenu"));
  const std::pair<const char*, FitCode> codes[] = {
      {QT_TR_NOOP("Python (NumPy) Function"), FitCode::Python},
      {QT_TR_NOOP("R Function"), FitCode::R},
      {QT_TR_NOOP("Spreadsheet Formula"), FitCode::Spreadsheet}};
  for (const auto& [text, code] : codes) {
    QAction* action = copyAs->addAction(tr(text));
    Boundary_.Connect(action, &QAction::triggered, this,
                      [this, code = code] { QApplication::clipboard()->setText(FitAsCode(code)); });
  }
  copyAs->menuAction()->setEnabled(false);
  FiguresGroup->addAction(copyAs->menuAction());
  CopyAsMenu_ = copyAs;
  // A chart's CSV names its columns for what they hold and starts with the fit's judgements.
  const std::pair<ChartWidget*, TChartColumns> charts[] = {
      {DensityChart, {"x", "density", {"curve", "marks"}}},
      {DistributionChart, {"x", "probability", {"curve", "marks"}}},
      {ModeProbabilityChart, {"n", "q", {"curve", "limit", "marks"}}},
      {LowerBoundChart, {"n", "a", {"curve", "marks"}}},
      {UpperBoundChart, {"n", "b", {"curve", "marks"}}}};
  for (const auto& [chart, columns] : charts) {
    AddChartMenu(*chart, columns, [this] {
      const PlotOutcome* shown = Document_.Shown();
      return shown == nullptr || !shown->Fitted
                 ? std::vector<std::string>()
                 : std::vector<std::string>{DescribeJudgements(shown->Fitted->Given.Typed)};
    });
  }
}

void FeedbackWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ArrangeAreas();
}

void FeedbackWindow::ArrangeAreas() {
  const int w = width();
  const int valueHeight = qMin(height(), kValueAreaHeight);
  FiguresGroup->setGeometry(0, 0, w, valueHeight);
  Notebook->setGeometry(0, valueHeight, w, height() - valueHeight);
  // Two pixels of the value area's frame on each side, below and to the sides.
  constexpr int kFrame = 2;
  constexpr int kCredibilityHeight = 63;
  CredibilityGroup->setGeometry(kFrame, qMax(0, valueHeight - kFrame - kCredibilityHeight),
                                qMax(0, w - 2 * kFrame), kCredibilityHeight);
}

QString FeedbackWindow::CredibilityCaption(Level level) {
  // Computed wide: a typed level far beyond the range must not overflow.
  const Level inside = Level::FromTenths(1000 - level.Tenths());
  return tr("%1% Credibility Interval")
      .arg(QString::fromStdString(inside.Text()), 3, QLatin1Char(' '));
}

void FeedbackWindow::SetCredibilityLevel(Level level) {
  {
    const QSignalBlocker quiet(CredibilitySpin);
    CredibilitySpin->SetText(QString::fromStdString(level.Text()));
  }
  ChangeCredibilityLevel();
}

void FeedbackWindow::ChangeCredibilityLevel() {
  const std::optional<int> tenths = CredibilitySpin->ReadValue();
  if (!tenths) {
    // Not a level: the limits stay those of the last one, and the caption says why.
    CredibilityGroup->SetCaption(
        tr("Credibility Interval: type a percentage in steps of 0.1, such as 2.5"));
    return;
  }
  const Level level = Level::FromTenths(*tenths);
  CredibilityGroup->SetCaption(CredibilityCaption(level));
  Document_.SetCredibility(level);
  // Before the first plot there is no fit to take limits of (the window is not shown).
  if (const PlotOutcome* shown = Document_.Shown()) {
    ShowNumber(*LowerCredibilityPanel, shown->Figures.LowerCredibilityLimit);
    ShowNumber(*UpperCredibilityPanel, shown->Figures.UpperCredibilityLimit);
  }
}

void FeedbackWindow::ShowFit() {
  const PlotOutcome* shown = Document_.Shown();
  if (shown == nullptr) {
    return;
  }
  const Fit& fit = *shown->Fitted;
  const TFitFigures& f = shown->Figures;
  const FitMode mode = fit.Given.Mode();
  CopyAsMenu_->menuAction()->setEnabled(true);
  ShowStaleness();
  ShowNumber(*LowerBoundPanel, f.LowerBound);
  ShowNumber(*UpperBoundPanel, f.UpperBound);
  ShowNumber(*ModeProbabilityPanel, f.ModeProbability);
  ShowNumber(*ModePanel, f.ModeValue);
  ShowNumber(*PowerPanel, f.Power);
  ShowOtherPowers(fit.Powers, f.Power);
  ModeLabel->SetCaption(f.AntiMode ? tr("anti-mode") : tr("mode"));
  ShowNumber(*LowerCredibilityPanel, f.LowerCredibilityLimit);
  ShowNumber(*UpperCredibilityPanel, f.UpperCredibilityLimit);
  ShowNumber(*MedianPanel, f.Median);
  ShowNumber(*MeanPanel, f.Mean);
  ShowNumber(*StdDevPanel, f.StdDev);

  FillCharts(shown->Graphs);
  ShowExtraQuantilePage(mode == FitMode::ExtraQuantile);
  if (mode == FitMode::ExtraQuantile)
    FillExtraQuantileChart(shown->Graphs);

  const auto text = [&fit](NumberField field) {
    return QString::fromStdString(fit.Given.Typed.Text(field));
  };
  QuantilePage->ShowFit(fit.Distribution, text(NumberField::LowerQuantile),
                        text(NumberField::UpperQuantile));
  ShowExperts();
}

void FeedbackWindow::CreatePoolPage() {
  PoolPage = new TPoolPage(this);
  PoolPage->hide();
  connect(PoolPage, &TPoolPage::WeightsEdited, this, &FeedbackWindow::PoolWeightsEdited);
}

void FeedbackWindow::ShowExperts() {
  const std::size_t count = Document_.ExpertCount();
  const int poolIndex = Notebook->indexOf(PoolPage);
  if (count < 2) {
    ShowOverlay(DensityChart->Chart(), *DensitySeries, DensityOverlay_, {});
    ShowOverlay(DistributionChart->Chart(), *DistributionSeries, DistributionOverlay_, {});
    if (poolIndex >= 0) {
      Notebook->removeTab(poolIndex);
      PoolPage->hide();
    }
    return;
  }
  std::vector<const TwoSidedPower*> fits;
  QStringList names;
  for (std::size_t i = 0; i < count; ++i) {
    const PlotOutcome* shown = Document_.ShownOf(i);
    fits.push_back(shown != nullptr ? &shown->Fitted->Distribution : nullptr);
    const std::string& name = Document_.ExpertName(i);
    names << (name.empty() ? tr("Expert %1").arg(i + 1) : QString::fromStdString(name));
  }
  const TExpertOverlay overlay = ComputeExpertOverlay(fits, Document_.Weights());
  std::vector<TNamedCurve> density;
  std::vector<TNamedCurve> distribution;
  for (std::size_t i = 0; i < count; ++i) {
    if (overlay.Experts[i].Density.empty()) {
      continue;
    }
    const std::string name = names[static_cast<qsizetype>(i)].toStdString();
    density.push_back({name, overlay.Experts[i].Density, ExpertSeriesColour(i), 1});
    distribution.push_back({name, overlay.Experts[i].Distribution, ExpertSeriesColour(i), 1});
  }
  if (overlay.Pool) {
    const std::string pool = tr("Pool").toStdString();
    density.push_back({pool, overlay.PoolCurves.Density, kPoolSeriesColour, 2});
    distribution.push_back({pool, overlay.PoolCurves.Distribution, kPoolSeriesColour, 2});
  }
  ShowOverlay(DensityChart->Chart(), *DensitySeries, DensityOverlay_, density);
  ShowOverlay(DistributionChart->Chart(), *DistributionSeries, DistributionOverlay_, distribution);
  PoolPage->ShowPool(names, Document_.Weights(), overlay);
  if (poolIndex < 0) {
    Notebook->addTab(PoolPage, tr("Pool"));
  }
}

bool FeedbackWindow::IsStale() const {
  return Document_.IsStale();
}

void FeedbackWindow::ShowStaleness() {
  const bool stale = Document_.IsStale();
  const PlotOutcome* shown = Document_.Shown();
  const QString judgements =
      stale && shown != nullptr
          ? QString::fromStdString(DescribeJudgements(shown->Fitted->Given.Typed))
          : QString();
  setWindowTitle(stale ? Title() + tr(" - previous judgements: ") + judgements : Title());
  // Greyed, not disabled: the panels can still be read, and the level still be changed.
  for (TPanel* panel :
       {LowerBoundPanel, UpperBoundPanel, PowerPanel, ModeProbabilityPanel, ModePanel, MedianPanel,
        MeanPanel, StdDevPanel, LowerCredibilityPanel, UpperCredibilityPanel}) {
    panel->setEnabled(!stale);
  }
  for (ChartWidget* chart : {DensityChart, DistributionChart, ModeProbabilityChart, LowerBoundChart,
                             UpperBoundChart, ExtraQuantileChart}) {
    chart->setToolTip(stale ? tr("Fit of the previous judgements: ") + judgements : QString());
    chart->SetStale(stale);
  }
  QuantilePage->setEnabled(!stale);
}

QString FeedbackWindow::FitAsText() const {
  QString text;
  const auto line = [&text](const QString& name, const QString& value) {
    text += name + QLatin1Char('\t') + value + QLatin1Char('\n');
  };
  if (const PlotOutcome* shown = Document_.Shown()) {
    const TypedJudgements& typed = shown->Fitted->Given.Typed;
    const auto number = [&typed](NumberField field) {
      return QString::fromStdString(typed.Text(field));
    };
    const auto level = [&typed](LevelField field) {
      return QString::fromStdString(typed.LevelOf(field).Text());
    };
    const auto caption = [](NumberField field) {
      return TranslatedSystemText(FieldCaption(field));
    };
    line(caption(NumberField::LowerQuantile), number(NumberField::LowerQuantile));
    line(tr("Quantile Level (p)"), level(LevelField::Lower));
    line(caption(NumberField::ModeValue), number(NumberField::ModeValue));
    line(caption(NumberField::UpperQuantile), number(NumberField::UpperQuantile));
    line(tr("Quantile Level (r)"), level(LevelField::Upper));
    if (typed.Mode == FitMode::PowerParameter) {
      line(caption(NumberField::Power), number(NumberField::Power));
    } else {
      line(caption(NumberField::ExtraQuantile), number(NumberField::ExtraQuantile));
      line(tr("Quantile Level (s)"), level(LevelField::Extra));
    }
  }
  const std::pair<const TLabel*, const TPanel*> rows[] = {
      {LowerBoundLabel, LowerBoundPanel},
      {UpperBoundLabel, UpperBoundPanel},
      {PowerLabel, PowerPanel},
      {ModeProbabilityLabel, ModeProbabilityPanel},
      {ModeLabel, ModePanel},
      {MedianLabel, MedianPanel},
      {MeanLabel, MeanPanel},
      {StdDevLabel, StdDevPanel},
      {LowerCredibilityLabel, LowerCredibilityPanel},
      {UpperCredibilityLabel, UpperCredibilityPanel}};
  for (const auto& [label, panel] : rows) {
    line(label->Caption(), Trimmed(panel->Caption()));
  }
  if (const PlotOutcome* shown = Document_.Shown();
      shown != nullptr && shown->Fitted->Powers.size() > 1) {
    QStringList powers;
    for (const Extended n : shown->Fitted->Powers)
      powers << Trimmed(QString::fromStdString(FormatNumber(n)));
    line(tr("Powers n that fit x_s"), powers.join(QStringLiteral(", ")));
  }
  line(tr("Credibility Level (percent outside)"),
       QString::fromStdString(CredibilityLevel().Text()));
  return text;
}

QString FeedbackWindow::FitAsCode(FitCode code) const {
  const PlotOutcome* shown = Document_.Shown();
  if (shown == nullptr) {
    return QString();
  }
  const TwoSidedPower& model = shown->Fitted->Distribution;
  switch (code) {
    case FitCode::Python:
      return QString::fromStdString(PythonQuantileSnippet(model));
    case FitCode::R:
      return QString::fromStdString(RQuantileSnippet(model));
    case FitCode::Spreadsheet:
      return QString::fromStdString(SpreadsheetQuantileFormula(model));
  }
  return QString();
}

void FeedbackWindow::CopyFit() const {
  QApplication::clipboard()->setText(FitAsText());
}

void FeedbackWindow::ShowModeCaptions(FitMode mode) {
  ShowExtraQuantilePage(mode == FitMode::ExtraQuantile);
  if (mode == FitMode::ExtraQuantile) {
    DensityCaption->SetCaption(
        tr("Two-Sider Power PDF with specified quantiles, a_p, x_s, b_r and parameter m"));
    DistributionCaption->SetCaption(
        tr("Two-Sider Power CDF with specified quantiles, a_p, x_s, b_r and parameter m"));
  } else {
    DensityCaption->SetCaption(
        tr("Two-Sider Power PDF with specified quantiles, a_p, b_r, parameter m and power "
           "parameter n"));
    DistributionCaption->SetCaption(
        tr("Two-Sider Power CDF with specified quantiles, a_p, b_r, parameter m and power "
           "parameter n"));
  }
}

Level FeedbackWindow::CredibilityLevel() const {
  return Document_.Typed().Credibility;
}

void FeedbackWindow::Present(const QRect& inputWindowFrame) {
  if (!Placed_) {
    Placed_ = true;
    PlaceBeside(inputWindowFrame);
  }
  show();
  raise();
}

void FeedbackWindow::PlaceBeside(const QRect& input) {
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

void FeedbackWindow::FillCharts(const TGraphSamples& graphs) {
  FeedSeries(*DensitySeries, graphs.DensityLine);
  FeedSeries(*DensityMarksSeries, graphs.DensityMarks);
  FeedSeries(*DistributionSeries, graphs.DistributionLine);
  FeedSeries(*DistributionMarksSeries, graphs.DistributionMarks);
  FeedSeries(*ModeProbabilitySeries, graphs.ModeLine);
  FeedSeries(*ModeProbabilityLimitSeries, graphs.ModeLimitLine);
  FeedSeries(*ModeProbabilityMarksSeries, graphs.ModeMarks);
  FeedSeries(*LowerBoundSeries, graphs.LowerLine);
  FeedSeries(*LowerBoundMarksSeries, graphs.LowerMarks);
  FeedSeries(*UpperBoundSeries, graphs.UpperLine);
  FeedSeries(*UpperBoundMarksSeries, graphs.UpperMarks);
}

void FeedbackWindow::FillExtraQuantileChart(const TGraphSamples& graphs) {
  FeedSeries(*ExtraQuantileSeries, graphs.ExtraQuantileLine);
  FeedSeries(*ExtraLevelSeries, graphs.ExtraLevelLine);
  ExtraRootSeries->ClearPoints();
  ExtraRootSeriesHigh->ClearPoints();
  const TPointList& marks = graphs.ExtraQuantileMarks;
  for (std::size_t k = 0; k < marks.size() && k < graphs.ExtraQuantilePowers.size(); ++k) {
    const double n = static_cast<double>(graphs.ExtraQuantilePowers[k]);
    const std::string label = QString::number(n, 'g', 5).toStdString();
    TPointSeries& series = k % 2 == 0 ? *ExtraRootSeries : *ExtraRootSeriesHigh;
    series.AddPoint(marks[k].X, marks[k].Y, label, clDefault);
  }
}
