// Draws one axis through the canvas, as its layout placed it: title, labels, line, ticks, grid and
// minor ticks. One painter serves all four sides: positions are worked out along and across the
// axis and turned into canvas points by the side.
#pragma once

#include "ChartAxis.h"
#include "ChartCanvas.h"

class TAxisPainter {
 public:
  TAxisPainter(const TCustomChartAxis& axis, TChartCanvas& canvas, const TRect& plotRect);

  // Draws the axis as the chart's painting order asks.
  void Paint();

 private:
  // A canvas point from a position along the axis and one across it.
  TPoint At(int along, int across) const;
  void Line(int along0, int across0, int along1, int across1);
  void PaintTitle();
  void PaintLabels();
  void PaintLabel(int pixel, const std::string& text);
  void PaintAxisLine();
  // Ticks at positions, starting one pixel off the axis line and running outwards
  // (or inwards into the plot) for length pixels.
  void PaintTicks(const std::vector<int>& positions, int length, bool inwards);
  void PaintGridLines(const std::vector<int>& positions);
  void PaintMinorTicks();

  const TCustomChartAxis& axis_;
  TChartCanvas& canvas_;
  TRect plot_;
  int outward_;  // +1 when outwards is the growing pixel direction, -1 otherwise
};
