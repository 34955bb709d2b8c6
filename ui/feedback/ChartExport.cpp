#include "ChartExport.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <charconv>

#include "ChartWidget.h"

namespace {

// The shortest text that reads back as the same double, whatever the process locale.
std::string Number(double v) {
  char text[40];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  return std::string(text, end);
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

// Asks for a file name ending in suffix; empty when the user cancels.
QString AskPath(ChartWidget& chart, const QString& filter, const QString& suffix) {
  QString path =
      QFileDialog::getSaveFileName(&chart, QCoreApplication::translate("ChartExport", "Save chart"),
                                   chart.objectName() + suffix, filter);
  if (!path.isEmpty() && !path.endsWith(suffix, Qt::CaseInsensitive)) {
    path += suffix;
  }
  return path;
}

constexpr int kLargestScale = 8;

// What AddChartMenu gave the chart for its CSV, kept as a child object of the chart.
class TCsvSettings : public QObject {
 public:
  using QObject::QObject;
  TChartColumns Columns;
  std::function<std::vector<std::string>()> Comment;
};
constexpr char kCsvSettingsName[] = "CsvSettings";

}  // namespace

QImage ChartImage(ChartWidget& chart, int scale) {
  scale = std::clamp(scale, 1, kLargestScale);
  QImage image(chart.size() * scale, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) {
    return image;
  }
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  QPainter painter(&image);
  chart.Render(painter);
  painter.end();
  return image;
}

bool SaveChartPng(ChartWidget& chart, const QString& path, int scale) {
  return ChartImage(chart, scale).save(path, "PNG");
}

bool SaveChartSvg(ChartWidget& chart, const QString& path) {
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(chart.size());
  svg.setViewBox(QRect(QPoint(0, 0), chart.size()));
  svg.setTitle(chart.objectName());
  QPainter painter;
  if (!painter.begin(&svg)) {
    return false;
  }
  chart.Render(painter);
  return painter.end() && QFile::exists(path);
}

std::string ChartCsv(const ChartWidget& chart) {
  const auto* settings =
      dynamic_cast<const TCsvSettings*>(chart.findChild<QObject*>(QLatin1String(kCsvSettingsName)));
  const TChartColumns columns =
      settings != nullptr ? settings->Columns : TChartColumns{"x", "y", {}};
  std::string csv;
  if (settings != nullptr && settings->Comment) {
    for (std::string line : settings->Comment()) {
      std::replace(line.begin(), line.end(), '\n', ' ');
      csv += "# " + line + "\n";
    }
  }
  const TChart& c = chart.Chart();
  csv += "series," + CsvField(columns.X) + "," + CsvField(columns.Y) + "\n";
  for (int s = 0; s < c.SeriesCount(); ++s) {
    const TChartSeries& series = *c.Series(s);
    const auto place = static_cast<std::size_t>(s);
    const std::string name = place < columns.Series.size() ? columns.Series[place]
                             : series.Title().empty()      ? "series " + std::to_string(s + 1)
                                                           : series.Title();
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

void AddChartMenu(ChartWidget& chart, TChartColumns columns,
                  std::function<std::vector<std::string>()> comment) {
  chart.setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* copy =
      new QAction(QCoreApplication::translate("ChartExport", "Copy Chart as Image"), &chart);
  copy->setObjectName(QStringLiteral("CopyChartImage"));
  QObject::connect(copy, &QAction::triggered, &chart, [&chart] {
    const int screen = std::max(1, qRound(chart.devicePixelRatioF()));
    QApplication::clipboard()->setImage(ChartImage(chart, screen));
  });
  auto* png =
      new QAction(QCoreApplication::translate("ChartExport", "Save Chart as PNG..."), &chart);
  png->setObjectName(QStringLiteral("SaveChartPng"));
  QObject::connect(png, &QAction::triggered, &chart, [&chart] {
    bool chosen = false;
    const int scale = QInputDialog::getInt(
        &chart, QCoreApplication::translate("ChartExport", "Save Chart as PNG"),
        QCoreApplication::translate("ChartExport", "Image pixels per screen pixel:"),
        kDefaultPngScale, 1, kLargestScale, 1, &chosen);
    if (!chosen) {
      return;
    }
    const QString path =
        AskPath(chart, QCoreApplication::translate("ChartExport", "PNG image (*.png)"),
                QStringLiteral(".png"));
    if (!path.isEmpty()) {
      SaveChartPng(chart, path, scale);
    }
  });
  auto* svg =
      new QAction(QCoreApplication::translate("ChartExport", "Save Chart as SVG..."), &chart);
  svg->setObjectName(QStringLiteral("SaveChartSvg"));
  QObject::connect(svg, &QAction::triggered, &chart, [&chart] {
    const QString path =
        AskPath(chart, QCoreApplication::translate("ChartExport", "SVG image (*.svg)"),
                QStringLiteral(".svg"));
    if (!path.isEmpty()) {
      SaveChartSvg(chart, path);
    }
  });
  auto* settings = new TCsvSettings(&chart);
  settings->setObjectName(QLatin1String(kCsvSettingsName));
  settings->Columns = std::move(columns);
  settings->Comment = std::move(comment);
  auto* csv =
      new QAction(QCoreApplication::translate("ChartExport", "Save Series as CSV..."), &chart);
  csv->setObjectName(QStringLiteral("SaveChartCsv"));
  QObject::connect(csv, &QAction::triggered, &chart, [&chart] {
    const QString path =
        AskPath(chart, QCoreApplication::translate("ChartExport", "CSV table (*.csv)"),
                QStringLiteral(".csv"));
    if (!path.isEmpty()) {
      SaveChartCsv(chart, path);
    }
  });
  chart.addActions({copy, png, svg, csv});
}
