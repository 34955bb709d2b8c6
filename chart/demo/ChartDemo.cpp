// Renders three charts with the feedback window's own settings (density, distribution
// function, mode probability) through the chart widget and writes them as PNG files.
//   chart_demo [output folder]
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cmath>
#include <cstdio>

#include "ChartWidget.h"
#include "CustomSeries.h"
#include "FeedbackChartSettings.h"

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
  pdf.resize(kFeedbackChartWidth, kFeedbackChartHeight);
  const DensityChartSeries density = SetUpDensityChart(pdf.Chart());
  for (int i = 0; i <= 200; ++i) {
    const double x = tsp.a + (tsp.b - tsp.a) * i / 200.0;
    density.Line->AddPoint(x, tsp.Pdf(x));
  }
  for (const double x : marked) {
    density.Marks->AddPoint(x, tsp.Pdf(x));
  }
  ok = Save(pdf, dir, "chart-demo-pdf.png") && ok;

  ChartWidget cdf;
  cdf.resize(kFeedbackChartWidth, kFeedbackChartHeight);
  const DistributionChartSeries distribution = SetUpDistributionChart(cdf.Chart());
  for (int i = 0; i <= 200; ++i) {
    const double x = tsp.a + (tsp.b - tsp.a) * i / 200.0;
    distribution.Line->AddPoint(x, tsp.Cdf(x));
  }
  for (const double x : marked) {
    distribution.Marks->AddPoint(x, tsp.Cdf(x));
  }
  ok = Save(cdf, dir, "chart-demo-cdf.png") && ok;

  ChartWidget mode;
  mode.resize(kFeedbackChartWidth, kFeedbackChartHeight);
  const ModeProbabilityChartSeries q = SetUpModeProbabilityChart(mode.Chart());
  const auto modeProbability = [](double n) { return 0.2 + 0.05 * std::log1p(n); };
  for (int i = 0; i <= 200; ++i) {
    const double n = 10.0 * i / 200.0;
    q.Line->AddPoint(n, modeProbability(n));
  }
  q.Limit->AddPoint(0.0, 0.35);
  q.Limit->AddPoint(10.0, 0.35);
  for (const double n : {0.0, 1.0, 2.0, 7.0, 10.0}) {
    q.Marks->AddPoint(n, modeProbability(n));
  }
  ok = Save(mode, dir, "chart-demo-mode.png") && ok;
  return ok ? 0 : 1;
}
