// The feedback window: the fitted distribution as ten result panels, the credibility
// interval at its own credibility level, and five charts on five notebook pages.
//
// The window computes nothing but the credibility limits at its own level: the plot command
// hands it a whole fit through ShowFit and brings it forward through Present; no other
// window reaches into its controls.
#pragma once

#include <QString>
#include <QWidget>

#include "CustomSeries.h"
#include "ExtendedMath.h"
#include "GraphSamples.h"
#include "Judgements.h"

class ChartWidget;
class TGroupBox;
class TLabel;
class TPanel;
class TSpinEdit;
class TTabbedNotebook;
struct TPlotOutcome;

class TPlotPDFForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 616;
  static constexpr int kClientHeight = 604;
  static constexpr int kValueAreaHeight = 209;

  explicit TPlotPDFForm(QWidget* parent = nullptr);
  ~TPlotPDFForm() override;

  // [SECTION] What the input window tells it

  // Shows a fit: the result panels, the mode label, the credibility limits, the saved fit
  // and the five charts, in the plot command's order. The window itself is not shown.
  void ShowFit(TPlotOutcome outcome);
  // Captions the density and distribution pages for the mode of the judgements.
  void ShowModeCaptions(TFitMode mode);
  // The credibility level v: the percent of probability outside the interval.
  int CredibilityLevel() const;
  // Shows the window without making it modal and brings it to the front.
  void Present();

  // [SECTION] Its own work

  // The caption of the credibility area at level v: 100 - v right-aligned in three
  // characters, then "% Credibility Interval".
  static QString CredibilityCaption(int level);

  // Credibility level handler: re-captions the credibility area and recomputes the two
  // credibility limits of the saved fit, and nothing else.
  void SpinEdit1Change();

  // Feed the series from Samples.
  void FillPdfChart();
  void FillCdfChart();
  void FillModeChart();
  void FillLowerBoundChart();
  void FillUpperBoundChart();

  // The fit the panels show, written by the plot command; the credibility handler loads
  // it back into the distribution model before it evaluates the limits.
  Extended SavedLower = 0;
  Extended SavedUpper = 0;
  Extended SavedMode = 0;
  Extended SavedPower = 0;

  // The sample arrays and the point lists the charts are fed from.
  TGraphSamples Samples;

  // Value area.
  TGroupBox* GroupBox1 = nullptr;
  TLabel* Label10 = nullptr;  // "Lower Bound (a)"
  TPanel* Panel1 = nullptr;
  TLabel* Label11 = nullptr;  // "Upper Bound (b)"
  TPanel* Panel2 = nullptr;
  TLabel* Label9 = nullptr;  // "Power Parameter n"
  TPanel* Panel3 = nullptr;
  TLabel* Label12 = nullptr;  // "Mode Probability Q"
  TPanel* Panel4 = nullptr;
  TLabel* Label1 = nullptr;  // the mode label
  TPanel* Panel5 = nullptr;
  TLabel* Label2 = nullptr;  // "Median"
  TPanel* Panel6 = nullptr;
  TLabel* Label5 = nullptr;  // "Mean"
  TPanel* Panel7 = nullptr;
  TLabel* Label6 = nullptr;  // "Standard Deviation"
  TPanel* Panel8 = nullptr;

  // Credibility area.
  TGroupBox* GroupBox2 = nullptr;
  TLabel* Label7 = nullptr;  // "Lower Credibility Limit"
  TPanel* Panel13 = nullptr;
  TSpinEdit* SpinEdit1 = nullptr;
  TLabel* Label8 = nullptr;  // "Upper Credibility Limit"
  TPanel* Panel14 = nullptr;

  // Graph area.
  TTabbedNotebook* TabbedNotebook1 = nullptr;
  ChartWidget* PDFChart = nullptr;
  ChartWidget* CDFChart = nullptr;
  ChartWidget* ModeChart = nullptr;
  ChartWidget* Chart1 = nullptr;  // lower bound against n
  ChartWidget* Chart2 = nullptr;  // upper bound against n
  TPanel* Panel11 = nullptr;      // caption of the density page
  TPanel* Panel15 = nullptr;      // caption of the distribution page
  TPanel* Panel9 = nullptr;       // caption of the mode probability page
  TPanel* Panel10 = nullptr;      // caption of the lower bound page
  TPanel* Panel12 = nullptr;      // caption of the upper bound page

  // Series, owned by their charts.
  TLineSeries* Series1 = nullptr;    // density line
  TPointSeries* Series2 = nullptr;   // marked points on the density
  TLineSeries* Series4 = nullptr;    // distribution line
  TPointSeries* Series8 = nullptr;   // marked points on the distribution
  TLineSeries* Series3 = nullptr;    // q against n
  TLineSeries* Series5 = nullptr;    // q in the limit of large n
  TPointSeries* Series6 = nullptr;   // q at n = 0, 1, 2, 10 and the fitted n
  TLineSeries* Series7 = nullptr;    // a against n
  TPointSeries* Series9 = nullptr;   // a at n = 0, 1, 2, 10 and the fitted n
  TLineSeries* Series10 = nullptr;   // b against n
  TPointSeries* Series11 = nullptr;  // b at n = 0, 1, 2, 10 and the fitted n

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateValueArea();
  void CreateCredibilityArea();
  void CreateGraphArea();
  void CreateCharts();
  // The value area keeps its height at the top, the notebook takes the rest, and the
  // credibility area stays at the bottom of the value area.
  void ArrangeAreas();
};

// The feedback window of the process, set when it is created.
extern TPlotPDFForm* PlotPDFForm;
