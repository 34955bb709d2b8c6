// The marker drawn at each point of a series.
#pragma once

#include "ChartCanvas.h"
#include "ChartPersistent.h"

enum TSeriesPointerStyle {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot
};

class TSeriesPointer : public TChartPersistent {
 public:
  TSeriesPointer();

  bool Visible() const { return visible_; }  // = true
  void SetVisible(bool v) { Update(visible_, v); }
  TSeriesPointerStyle Style() const { return style_; }  // = psRectangle
  void SetStyle(TSeriesPointerStyle v) { Update(style_, v); }
  int HorizSize() const { return horizSize_; }  // = 4, half width in pixels
  // Raises ChartException "Pointer size must be greater than zero" below 1.
  void SetHorizSize(int v);
  int VertSize() const { return vertSize_; }  // = 4, half height in pixels
  void SetVertSize(int v);
  bool InflateMargins() const { return inflateMargins_; }  // = true, room at automatic ends
  void SetInflateMargins(bool v) { Update(inflateMargins_, v); }
  TChartPen& Pen() { return pen_; }  // outline: black, width 1
  const TChartPen& Pen() const { return pen_; }
  TChartBrush& Brush() { return brush_; }  // fill: clDefault (the point's colour), solid
  const TChartBrush& Brush() const { return brush_; }
  bool Dark3D() const { return dark3D_; }  // three-dimensional markers only
  void SetDark3D(bool v) { Update(dark3D_, v); }
  bool Draw3D() const { return draw3D_; }
  void SetDraw3D(bool v) { Update(draw3D_, v); }

 private:
  bool visible_ = true;
  TSeriesPointerStyle style_ = psRectangle;
  int horizSize_ = 4;
  int vertSize_ = 4;
  bool inflateMargins_ = true;
  TChartPen pen_;
  TChartBrush brush_;
  bool dark3D_ = true;
  bool draw3D_ = true;
};
