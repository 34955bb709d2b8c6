// Draws one series from the points it hands out and the marks the layout placed: the line
// through the visible points, their markers, then the value marks. The state carried from
// one point to the next lives here, for one paint only.
#pragma once

#include <vector>

#include "ChartCanvas.h"
#include "ChartLayout.h"
#include "SeriesPointer.h"

class TChartSeries;
class TCustomSeries;

// Draws a marker of style at (x, y) for a point of colour color.
void DrawPointer(TChartCanvas& canvas, const TSeriesPointer& pointer, int x, int y, TColor color,
                 TSeriesPointerStyle style);

class TSeriesPainter {
 public:
  // series is held for its drawing events (BeforeDrawValues, AfterDrawValues).
  TSeriesPainter(TChartSeries& series, const TSeriesLayout& layout, TChartCanvas& canvas,
                 const TRect& plotRect, bool clip);

  // The events, the clipped points, then the marks.
  void Paint();

 private:
  void PaintPoint(const TCustomSeries& series, int index);
  void Segment(const TCustomSeries& series, int x, int y, TColor color);
  void Pointer(const TCustomSeries& series, int index, int x, int y, TColor color);
  void PaintMarks();
  // Draws the line run gathered so far.
  void FlushRun();

  TChartSeries& series_;
  const TSeriesLayout& layout_;
  TChartCanvas& canvas_;
  TRect plot_;
  bool clip_;

  // Carried from one point to the next.
  int prevX_ = 0;
  int prevY_ = 0;
  TColor prevColor_ = clNone;
  bool placedAny_ = false;
  // The line drawn as runs of one colour, each one path; markers wait until the lines are
  // drawn, so each lies on top of both lines that meet at it.
  std::vector<TPoint> run_;
  TCanvasPen runPen_;
  struct TPendingPointer {
    int Index, X, Y;
    TColor Color;
  };
  std::vector<TPendingPointer> pointers_;
};
