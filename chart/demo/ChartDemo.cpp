// Renders three charts set up like the feedback window's (density, distribution function,
// mode probability) through the chart widget and writes them as PNG files.
//   chart_demo [output folder]
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cmath>
#include <cstdio>

#include "ChartWidget.h"
#include "CustomSeries.h"

namespace {

// A two-sided power distribution with mode m and power n on [a, b].
struct Tsp {
  double a = 5.9;
  double m = 7.0;
  double b = 11.6;
  double n = 7.0;
  double Pdf(double x) const {
    if (x < a || x > b) {
      return 0.0;
    }
    const double base = x <= m ? (x - a) / (m - a) : (b - x) / (b - m);
    return n / (b - a) * std::pow(base, n - 1);
  }
  double Cdf(double x) const {
    if (x <= a) {
      return 0.0;
    }
    if (x >= b) {
      return 1.0;
    }
    const double q = (m - a) / (b - a);
    return x <= m ? q * std::pow((x - a) / (m - a), n)
                  : 1.0 - (1.0 - q) * std::pow((b - x) / (b - m), n);
  }
};

// The settings every feedback chart shares.
void SetUpChart(TChart& chart, const char* bottomTitle, const char* leftTitle) {
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  chart.SetColor(clWhite);
  chart.BackWall().Brush().SetColor(clWhite);
  chart.BackWall().Brush().SetStyle(bsClear);
  chart.Title().SetText({"  "});
  chart.BottomAxis().Title().SetCaption(bottomTitle);
  chart.LeftAxis().Title().SetCaption(leftTitle);
}

TLineSeries* AddLine(TChart& chart, TColor color) {
  auto* line = chart.AddSeries<TLineSeries>();
  line->SetSeriesColor(color);
  return line;
}

TPointSeries* AddMarkers(TChart& chart, TSeriesMarksStyle style, int arrowLength) {
  auto* points = chart.AddSeries<TPointSeries>();
  points->SetSeriesColor(clGreen);
  points->Pointer().SetStyle(psDiamond);
  points->Pointer().SetHorizSize(3);
  points->Pointer().SetVertSize(3);
  points->Pointer().Brush().SetColor(clRed);
  points->Marks().SetVisible(true);
  points->Marks().SetStyle(style);
  points->Marks().SetArrowLength(arrowLength);
  return points;
}

bool Save(ChartWidget& widget, const QDir& dir, const char* name) {
  const QString path = dir.filePath(name);
  const bool ok = widget.grab().save(path, "PNG");
  std::printf("%s %s\n", ok ? "wrote" : "could not write", path.toLocal8Bit().constData());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
  const Tsp tsp;
  const double marked[] = {tsp.a, 6.5, tsp.m, 10.5, tsp.b};
  bool ok = true;

  ChartWidget pdf;
  pdf.resize(608, 326);
  TChart& pdfChart = pdf.Chart();
  SetUpChart(pdfChart, "x", "Probability Density");
  pdfChart.SetBevelWidth(0);
  pdfChart.Title().Font().SetHeight(16);
  TLineSeries* density = AddLine(pdfChart, clRed);
  density->SetTitle("PDFSeries");
  TPointSeries* densityMarks = AddMarkers(pdfChart, smsXValue, 8);
  densityMarks->SetTitle("PDFPointSeries");
  for (int i = 0; i <= 200; ++i) {
    const double x = tsp.a + (tsp.b - tsp.a) * i / 200.0;
    density->AddPoint(x, tsp.Pdf(x));
  }
  for (const double x : marked) {
    densityMarks->AddPoint(x, tsp.Pdf(x));
  }
  ok = Save(pdf, dir, "chart-demo-pdf.png") && ok;

  ChartWidget cdf;
  cdf.resize(608, 326);
  TChart& cdfChart = cdf.Chart();
  SetUpChart(cdfChart, "x", "Cumulative Distribution Function");
  TChartAxis& left = cdfChart.LeftAxis();
  left.SetAutomatic(false);
  left.SetMinimum(-0.025);
  left.SetMaximum(1.025);
  left.SetIncrement(0.05);
  TLineSeries* distribution = AddLine(cdfChart, clRed);
  TPointSeries* distributionMarks = AddMarkers(cdfChart, smsXValue, 0);
  for (int i = 0; i <= 200; ++i) {
    const double x = tsp.a + (tsp.b - tsp.a) * i / 200.0;
    distribution->AddPoint(x, tsp.Cdf(x));
  }
  for (const double x : marked) {
    distributionMarks->AddPoint(x, tsp.Cdf(x));
  }
  ok = Save(cdf, dir, "chart-demo-cdf.png") && ok;

  ChartWidget mode;
  mode.resize(608, 326);
  TChart& modeChart = mode.Chart();
  SetUpChart(modeChart, "n", "Mode Probability q");
  TLineSeries* q = AddLine(modeChart, clRed);
  TLineSeries* limit = AddLine(modeChart, clBlue);
  limit->Pointer().SetVisible(true);
  limit->Pointer().SetStyle(psDiamond);
  limit->Pointer().SetHorizSize(3);
  limit->Pointer().SetVertSize(3);
  limit->Pointer().Brush().SetColor(clRed);
  limit->Marks().SetVisible(true);
  limit->Marks().SetStyle(smsValue);
  TPointSeries* special = AddMarkers(modeChart, smsValue, 0);
  const auto modeProbability = [](double n) { return 0.2 + 0.05 * std::log1p(n); };
  for (int i = 0; i <= 200; ++i) {
    const double n = 10.0 * i / 200.0;
    q->AddPoint(n, modeProbability(n));
  }
  limit->AddPoint(0.0, 0.35);
  limit->AddPoint(10.0, 0.35);
  for (const double n : {0.0, 1.0, 2.0, 7.0, 10.0}) {
    special->AddPoint(n, modeProbability(n));
  }
  ok = Save(mode, dir, "chart-demo-mode.png") && ok;
  return ok ? 0 : 1;
}
