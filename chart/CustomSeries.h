// Line and point series: points joined by straight segments, a marker at each point, or
// both.
#pragma once

#include <functional>

#include "ChartSeries.h"
#include "SeriesPointer.h"

class TCustomSeries : public TChartSeries {
 public:
  TCustomSeries();

  TSeriesPointer& Pointer() { return pointer_; }
  const TSeriesPointer& Pointer() const { return pointer_; }
  // The connecting line: black, solid, width 1; drawn in each segment's end point colour.
  TChartPen& LinePen() { return linePen_; }
  const TChartPen& LinePen() const { return linePen_; }
  // Held only: stairs and three-dimensional lines are not drawn.
  bool Stairs() const { return stairs_; }
  void SetStairs(bool v) { stairs_ = v; }
  bool InvertedStairs() const { return invertedStairs_; }
  void SetInvertedStairs(bool v) { invertedStairs_ = v; }
  int LineHeight() const { return lineHeight_; }
  void SetLineHeight(int v) { lineHeight_ = v; }
  TBrushStyle LineBrush() const { return lineBrush_; }
  void SetLineBrush(TBrushStyle v) { lineBrush_ = v; }
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool v) { dark3D_ = v; }
  // Whether points are joined by lines.
  bool DrawLine() const { return drawLine_; }

  void HorizMargins(int& left, int& right) const override;
  void VertMargins(int& top, int& bottom) const override;
  // The pixel where the segment from the point before index enters the plot rectangle at
  // its left edge (right edge on an inverted axis); false when it cannot be placed.
  bool EntryPoint(int index, int& x, int& y) const;
  // The marker style of a point: OnGetPointerStyle's answer, else Pointer's style.
  TSeriesPointerStyle PointerStyle(int index) const;

  // Per-point marker style, called only when assigned.
  std::function<TSeriesPointerStyle(TCustomSeries&, int)> OnGetPointerStyle;

 protected:
  void SetDrawLine(bool v) { drawLine_ = v; }

 private:
  TSeriesPointer pointer_;
  TChartPen linePen_;
  bool stairs_ = false;
  bool invertedStairs_ = false;
  int lineHeight_ = 0;
  TBrushStyle lineBrush_ = bsSolid;
  bool dark3D_ = true;
  bool drawLine_ = true;
};

// Points joined by lines, no markers.
class TLineSeries : public TCustomSeries {
 public:
  TLineSeries();
};

// A marker at each point, no lines; marks sit on their points.
class TPointSeries : public TCustomSeries {
 public:
  TPointSeries();
};
