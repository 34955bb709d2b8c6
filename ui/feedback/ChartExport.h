// Taking a chart out of the feedback window: as an image on the clipboard, as a PNG or SVG
// file, and its series as CSV. The chart's context menu offers all four.
#pragma once

#include <QImage>
#include <QString>
#include <string>

class ChartWidget;
class QWidget;

// The chart as it shows, at its present size.
QImage ChartImage(const ChartWidget& chart);
bool SaveChartPng(const ChartWidget& chart, const QString& path);
// The SVG holds the chart's picture at its present size.
bool SaveChartSvg(const ChartWidget& chart, const QString& path);
// Every series of the chart, one row per point: series,x,y (the series' title, or its
// place "series 1", when it has none). Values with 17 significant digits, so that they
// read back as the doubles the chart holds.
std::string ChartCsv(const ChartWidget& chart);
bool SaveChartCsv(const ChartWidget& chart, const QString& path);

// Gives the chart its context menu: copy the image, save it as PNG or SVG, save the series
// as CSV. The file names are asked for with the usual dialog.
void AddChartMenu(ChartWidget& chart);
