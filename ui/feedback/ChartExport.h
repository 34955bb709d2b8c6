// Taking a chart out of the feedback window: as an image on the clipboard, as a PNG or SVG
// file, and its series as CSV. The chart's context menu offers all four. What is taken out
// is the chart itself, never the read-out that follows the mouse.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class ChartWidget;
class QWidget;

// The PNG scale taken unless another is chosen: two image pixels a screen pixel.
inline constexpr int kDefaultPngScale = 2;

// The chart at its present size, drawn anew at scale image pixels a screen pixel (1 to 8).
QImage ChartImage(ChartWidget& chart, int scale = kDefaultPngScale);
bool SaveChartPng(ChartWidget& chart, const QString& path, int scale = kDefaultPngScale);
// The chart as vector drawing: lines and shapes as paths, texts as SVG text, no raster.
bool SaveChartSvg(ChartWidget& chart, const QString& path);

// What a chart's series hold, for the columns of its CSV.
struct TChartColumns {
  std::string X;                    // the x column: "x", "n"
  std::string Y;                    // the y column: "density", "q"
  std::vector<std::string> Series;  // each series by its place: "curve", "marks"
};

// Every series of the chart, one row per point under the header "series,<X>,<Y>", with the
// columns and comment given to AddChartMenu ("x" and "y" and none without): the series'
// name from the columns (else its title, else "series 1", ...), then its x and y in the
// shortest text that reads back as the double the chart holds. Each line of the comment
// comes first, after "# ".
std::string ChartCsv(const ChartWidget& chart);
bool SaveChartCsv(const ChartWidget& chart, const QString& path);

// Gives the chart its context menu: copy the image, save it as PNG (at a scale asked for,
// 2 unless changed) or SVG, save the series as CSV under the columns given, with the lines
// that comment() returns at the time as its comment. The file names are asked for with the
// usual dialog.
void AddChartMenu(ChartWidget& chart, TChartColumns columns,
                  std::function<std::vector<std::string>()> comment);
