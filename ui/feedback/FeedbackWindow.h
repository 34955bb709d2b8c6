// The feedback window: the fitted distribution as ten result panels, the credibility
// interval at its own credibility level, and five charts on five notebook pages.
//
// The window shows the elicitation document it is given: the input window has it show the
// fit the document holds (ShowFit), whether that fit is stale, and the captions of a mode,
// and brings it forward through Present; no other window reaches into its controls. Its
// own credibility level goes to the document, which gives back the credibility limits.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "CustomSeries.h"
#include "ExtendedMath.h"
#include "GraphSamples.h"
#include "Judgements.h"

class ChartWidget;
class QMenu;
class Elicitation;
class THandlerBoundary;
class TGroupBox;
class TLabel;
class TPanel;
class TSpinEdit;
class TTabbedNotebook;
class TQuantilePage;
class TPoolPage;

class FeedbackWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 616;
  static constexpr int kClientHeight = 604;
  static constexpr int kValueAreaHeight = 209;
  // The least size at which nothing is cut: the value area whole, and a chart page that
  // still holds its axes and caption.
  static constexpr int kMinimumWidth = 616;
  static constexpr int kMinimumHeight = 520;

  // Shows the document, and runs its handlers inside the boundary; both must outlive it.
  FeedbackWindow(Elicitation& document, THandlerBoundary& boundary, QWidget* parent = nullptr);

  // [SECTION] What the input window tells it

  // Shows the fit the document holds: the result panels, the mode label, the credibility
  // limits and the charts, in the plot command's order. The window itself is not shown.
  // With two or more experts, the density and distribution charts overlay every expert's
  // fit and their pool, named in a legend, and the "Pool" page shows the pool.
  void ShowFit();
  // Captions the density and distribution pages for the mode of the judgements.
  void ShowModeCaptions(FitMode mode);
  // The credibility level v: the percent of probability outside the interval.
  Level CredibilityLevel() const;
  // Sets the credibility level as its handler does, for a level that comes with opened
  // judgements.
  void SetCredibilityLevel(Level level);
  // Shows the window without making it modal and brings it to the front, leaving the
  // keyboard where it is. The first time, the window goes beside the input window (whose
  // frame is given) when its designed place would cover it and the screen has room, and
  // never off the screen.
  void Present(const QRect& inputWindowFrame = QRect());
  // Whether the document's fit is stale: while it is, the title says so and names the
  // judgements of the fit shown, and the panels are greyed.
  void ShowStaleness();
  bool IsStale() const;

  // The judgements and the fit as text, one "name<TAB>value" line each, as Ctrl+C and the
  // context menu of the value area copy it.
  QString FitAsText() const;
  // Copies FitAsText to the clipboard.
  void CopyFit() const;
  // The quantile function of the fit shown as code for the analyst's model, as "Copy as"
  // in the value area's context menu copies it (ModelSnippets.h); empty before the first
  // fit. Raises EFitError for a fit a double cannot hold.
  enum class FitCode { Python, R, Spreadsheet };
  QString FitAsCode(FitCode code) const;

  // [SECTION] Its own work

  // The caption of the credibility area at level v: 100 - v right-aligned in three
  // characters, then "% Credibility Interval".
  static QString CredibilityCaption(Level level);

  // Credibility level handler: re-captions the credibility area, gives the level to the
  // document and shows the two credibility limits of the fit shown, and nothing else.
  void ChangeCredibilityLevel();

  // Value area.
  TGroupBox* FiguresGroup = nullptr;
  TLabel* LowerBoundLabel = nullptr;  // "Lower Bound (a)"
  TPanel* LowerBoundPanel = nullptr;
  TLabel* UpperBoundLabel = nullptr;  // "Upper Bound (b)"
  TPanel* UpperBoundPanel = nullptr;
  TLabel* PowerLabel = nullptr;  // "Power Parameter n"
  TPanel* PowerPanel = nullptr;
  TLabel* OtherPowersLabel = nullptr;      // the other powers that fit x_s, beside PowerPanel
  TLabel* ModeProbabilityLabel = nullptr;  // "Mode Probability Q"
  TPanel* ModeProbabilityPanel = nullptr;
  TLabel* ModeLabel = nullptr;  // the mode label
  TPanel* ModePanel = nullptr;
  TLabel* MedianLabel = nullptr;  // "Median"
  TPanel* MedianPanel = nullptr;
  TLabel* MeanLabel = nullptr;  // "Mean"
  TPanel* MeanPanel = nullptr;
  TLabel* StdDevLabel = nullptr;  // "Standard Deviation"
  TPanel* StdDevPanel = nullptr;

  // Credibility area.
  TGroupBox* CredibilityGroup = nullptr;
  TLabel* LowerCredibilityLabel = nullptr;  // "Lower Credibility Limit"
  TPanel* LowerCredibilityPanel = nullptr;
  TSpinEdit* CredibilitySpin = nullptr;
  TLabel* UpperCredibilityLabel = nullptr;  // "Upper Credibility Limit"
  TPanel* UpperCredibilityPanel = nullptr;

  // Graph area.
  TTabbedNotebook* Notebook = nullptr;
  ChartWidget* DensityChart = nullptr;
  ChartWidget* DistributionChart = nullptr;
  ChartWidget* ModeProbabilityChart = nullptr;
  ChartWidget* LowerBoundChart = nullptr;    // lower bound against n
  ChartWidget* UpperBoundChart = nullptr;    // upper bound against n
  TPanel* DensityCaption = nullptr;          // caption of the density page
  TPanel* DistributionCaption = nullptr;     // caption of the distribution page
  TPanel* ModeProbabilityCaption = nullptr;  // caption of the mode probability page
  TPanel* LowerBoundCaption = nullptr;       // caption of the lower bound page
  TPanel* UpperBoundCaption = nullptr;       // caption of the upper bound page
  TQuantilePage* QuantilePage = nullptr;     // the "Quantiles" page
  // The "Pool" page, in the notebook only while there are two or more experts.
  TPoolPage* PoolPage = nullptr;
  // The "Additional Quantile" page, in the notebook only in additional-quantile mode.
  QWidget* ExtraQuantilePage = nullptr;
  ChartWidget* ExtraQuantileChart = nullptr;
  TPanel* ExtraQuantileCaption = nullptr;

  // Series, owned by their charts.
  TLineSeries* DensitySeries = nullptr;                // density line
  TPointSeries* DensityMarksSeries = nullptr;          // marked points on the density
  TLineSeries* DistributionSeries = nullptr;           // distribution line
  TPointSeries* DistributionMarksSeries = nullptr;     // marked points on the distribution
  TLineSeries* ModeProbabilitySeries = nullptr;        // q against n
  TLineSeries* ModeProbabilityLimitSeries = nullptr;   // q in the limit of large n
  TPointSeries* ModeProbabilityMarksSeries = nullptr;  // q at n = 0, 1, 2, 10 and the fitted n
  TLineSeries* LowerBoundSeries = nullptr;             // a against n
  TPointSeries* LowerBoundMarksSeries = nullptr;       // a at n = 0, 1, 2, 10 and the fitted n
  TLineSeries* UpperBoundSeries = nullptr;             // b against n
  TPointSeries* UpperBoundMarksSeries = nullptr;       // b at n = 0, 1, 2, 10 and the fitted n
  TLineSeries* ExtraQuantileSeries = nullptr;          // F(x_s; n) against log10 n
  TLineSeries* ExtraLevelSeries = nullptr;             // the level s
  // Every power that fits, labelled with its n; neighbours alternate between the two
  // series, whose marks stand at different heights so that close labels do not overlap.
  TPointSeries* ExtraRootSeries = nullptr;
  TPointSeries* ExtraRootSeriesHigh = nullptr;

 signals:
  // The expert changed a weight on the "Pool" page (PoolPage->EditedWeights()).
  void PoolWeightsEdited();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // The window's fields leave Ctrl+C to the window, which copies the fit.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateValueArea();
  void CreateCredibilityArea();
  void CreateGraphArea();
  void CreateCharts();
  // The accessible names and descriptions of the controls and charts.
  void NameControls();
  // The value area keeps its height at the top, the notebook takes the rest, and the
  // credibility area stays at the bottom of the value area.
  void ArrangeAreas();
  void CreateCopyCommands();
  void PlaceBeside(const QRect& inputWindowFrame);
  // Feed the series from the graphs of the fit shown.
  void FillCharts(const TGraphSamples& graphs);
  void FillExtraQuantileChart(const TGraphSamples& graphs);

  Elicitation& Document_;
  THandlerBoundary& Boundary_;
  bool Placed_ = false;
  QMenu* CopyAsMenu_ = nullptr;  // "Copy as": the fit as code, once there is one
  void CreateExtraQuantilePage();
  // Puts the "Additional Quantile" page into the notebook, or takes it out.
  void ShowExtraQuantilePage(bool shown);
  // The powers that fit x_s other than the one shown, each a link that shows its fit.
  void ShowOtherPowers(const std::vector<Extended>& powers, Extended shown);
  // Shows the fit at the index-th power that fits x_s; a refusal in a box.
  void ShowPower(std::size_t index);
  void CreatePoolPage();
  // The overlay of every expert's fit and their pool, or with one expert none.
  void ShowExperts();
  std::vector<TLineSeries*> DensityOverlay_;
  std::vector<TLineSeries*> DistributionOverlay_;
};
