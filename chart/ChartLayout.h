// Where everything of one paint of a chart goes: the plot rectangle, the titles and the
// value marks of each series. The chart works it out in one pass before it draws, together
// with each axis' own layout (AxisLayout.h); the painters only read it.
#pragma once

#include <string>
#include <vector>

#include "ChartCanvas.h"
#include "SeriesMarks.h"

class TChartSeries;

// A title above or below the plot.
struct TTitleLayout {
  bool Shown = false;
  TRect Box;           // the room the lines take
  bool Boxed = false;  // whether a box is drawn behind the lines
  TRect BoxDrawn;      // the box, fitted to the text when AdjustFrame is set
  TCanvasBrush Brush;  // its fill
  int TextX = 0;       // where each line is anchored along the box
  TTextAlignH Align = TTextAlignH::Center;
  int LineHeight = 0;
};

// The value mark of one point: its text and where its box and arrow lie.
struct TMarkLayout {
  int Index = 0;
  std::string Text;
  TSeriesMarkPosition Position;
};

// The marks of one series, in point order.
struct TSeriesLayout {
  const TChartSeries* Series = nullptr;
  std::vector<TMarkLayout> Marks;
};

// One line of the legend: the sample of the series' line across the middle of Symbol, its
// text with its top left corner at (TextX, TextY).
struct TLegendEntry {
  const TChartSeries* Series = nullptr;
  std::string Text;  // the legend text, cut with "..." where it would pass half the plot
  TRect Symbol;
  int TextX = 0;
  int TextY = 0;
};

// The legend: its box at the top right of the room the plot had, which the plot rectangle
// gives up. As many lines as the plot's height holds.
struct TLegendLayout {
  bool Shown = false;
  TRect Box;
  std::vector<TLegendEntry> Entries;
};

struct TChartLayout {
  TRect PlotRect;
  TTitleLayout Title;
  TTitleLayout Foot;
  TLegendLayout Legend;
  // The active series with visible points, in drawing order.
  std::vector<TSeriesLayout> Series;
};
