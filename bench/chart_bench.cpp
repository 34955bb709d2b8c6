// Painting one chart of the feedback window's size (608 x 326): a 201-point line, a 6-point
// marker series with value marks, and two labelled axes with titles, into the Qt
// off-screen buffer and on to a window image.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "Chart.h"
#include "CustomSeries.h"
#include "FeedbackChartSettings.h"
#include "QtCanvas.h"

namespace {

void EnsureApp() {
  static int argc = 1;
  static char name[] = "chart_bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  static QGuiApplication app(argc, argv);
}

// The density chart of the feedback window, filled with a fixed two-sided power density.
void SetUpDensityPage(TChart& chart) {
  chart.SetSize(kFeedbackChartWidth, kFeedbackChartHeight);
  const DensityChartSeries series = SetUpDensityChart(chart);
  TLineSeries* line = series.Line;
  TPointSeries* points = series.Marks;

  const double a = 5.9, m = 7.0, b = 11.6, n = 7.0;
  const auto pdf = [&](double x) {
    const double base = x <= m ? (x - a) / (m - a) : (b - x) / (b - m);
    return n / (b - a) * std::pow(base, n - 1);
  };
  for (int i = 0; i <= 200; ++i) {
    const double x = a + (b - a) * i / 200.0;
    line->AddPoint(x, pdf(x));
  }
  for (const double x : {a, 6.5, m, 9.0, 10.5, b}) {
    points->AddPoint(x, pdf(x));
  }
}

struct Bench {
  Bench() {
    EnsureApp();
    SetUpDensityPage(chart);
    canvas.SetWindowPainter(&windowPainter);
  }
  ~Bench() { canvas.SetWindowPainter(nullptr); }
  TChart chart;
  QImage buffer;
  QtCanvas canvas{buffer};
  QImage window{kFeedbackChartWidth, kFeedbackChartHeight, QImage::Format_ARGB32_Premultiplied};
  QPainter windowPainter{&window};
};

// A paint request after a change: the whole chart is drawn, then copied.
void BM_ChartPaint(benchmark::State& state) {
  Bench bench;
  for (auto _ : state) {
    bench.chart.Invalidate();
    bench.chart.Paint(bench.canvas);
    benchmark::DoNotOptimize(bench.buffer.constBits());
  }
  state.counters["draws"] = bench.chart.DrawCount();
}
BENCHMARK(BM_ChartPaint)->Unit(benchmark::kMicrosecond);

// A paint request with nothing changed: one buffer copy.
void BM_ChartPaintUnchanged(benchmark::State& state) {
  Bench bench;
  bench.chart.Paint(bench.canvas);
  for (auto _ : state) {
    bench.chart.Paint(bench.canvas);
    benchmark::DoNotOptimize(bench.window.constBits());
  }
  state.counters["draws"] = bench.chart.DrawCount();
}
BENCHMARK(BM_ChartPaintUnchanged)->Unit(benchmark::kMicrosecond);

}  // namespace
