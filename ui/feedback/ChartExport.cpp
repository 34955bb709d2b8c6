#include "ChartExport.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "ChartWidget.h"

namespace {

std::string Number(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

// A title is quoted when it holds a comma or a quote.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) {
    return text;
  }
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  }
  return quoted + "\"";
}

void AskAndSave(ChartWidget& chart, const QString& filter, const QString& suffix,
                bool (*save)(const ChartWidget&, const QString&)) {
  QString path = QFileDialog::getSaveFileName(&chart, QStringLiteral("Save chart"),
                                              chart.objectName() + suffix, filter);
  if (path.isEmpty()) {
    return;
  }
  if (!path.endsWith(suffix, Qt::CaseInsensitive)) {
    path += suffix;
  }
  save(chart, path);
}

}  // namespace

QImage ChartImage(const ChartWidget& chart) {
  return const_cast<ChartWidget&>(chart).grab().toImage();
}

bool SaveChartPng(const ChartWidget& chart, const QString& path) {
  return ChartImage(chart).save(path, "PNG");
}

bool SaveChartSvg(const ChartWidget& chart, const QString& path) {
  const QImage image = ChartImage(chart);
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(image.size());
  svg.setViewBox(QRect(QPoint(0, 0), image.size()));
  svg.setTitle(chart.objectName());
  QPainter painter;
  if (!painter.begin(&svg)) {
    return false;
  }
  painter.drawImage(0, 0, image);
  return painter.end() && QFile::exists(path);
}

std::string ChartCsv(const ChartWidget& chart) {
  const TChart& c = chart.Chart();
  std::string csv = "series,x,y\n";
  for (int s = 0; s < c.SeriesCount(); ++s) {
    const TChartSeries& series = *c.Series(s);
    const std::string name =
        series.Title().empty() ? "series " + std::to_string(s + 1) : series.Title();
    for (int i = 0; i < series.PointCount(); ++i) {
      csv +=
          CsvField(name) + "," + Number(series.XValue(i)) + "," + Number(series.YValue(i)) + "\n";
    }
  }
  return csv;
}

bool SaveChartCsv(const ChartWidget& chart, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    return false;
  }
  const std::string csv = ChartCsv(chart);
  return file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size());
}

void AddChartMenu(ChartWidget& chart) {
  chart.setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* copy = new QAction(QStringLiteral("Copy Chart as Image"), &chart);
  copy->setObjectName(QStringLiteral("CopyChartImage"));
  QObject::connect(copy, &QAction::triggered, &chart,
                   [&chart] { QApplication::clipboard()->setImage(ChartImage(chart)); });
  auto* png = new QAction(QStringLiteral("Save Chart as PNG..."), &chart);
  png->setObjectName(QStringLiteral("SaveChartPng"));
  QObject::connect(png, &QAction::triggered, &chart, [&chart] {
    AskAndSave(chart, QStringLiteral("PNG image (*.png)"), QStringLiteral(".png"), SaveChartPng);
  });
  auto* svg = new QAction(QStringLiteral("Save Chart as SVG..."), &chart);
  svg->setObjectName(QStringLiteral("SaveChartSvg"));
  QObject::connect(svg, &QAction::triggered, &chart, [&chart] {
    AskAndSave(chart, QStringLiteral("SVG image (*.svg)"), QStringLiteral(".svg"), SaveChartSvg);
  });
  auto* csv = new QAction(QStringLiteral("Save Series as CSV..."), &chart);
  csv->setObjectName(QStringLiteral("SaveChartCsv"));
  QObject::connect(csv, &QAction::triggered, &chart, [&chart] {
    AskAndSave(chart, QStringLiteral("CSV table (*.csv)"), QStringLiteral(".csv"), SaveChartCsv);
  });
  chart.addActions({copy, png, svg, csv});
}
