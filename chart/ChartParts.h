// The chart's titles, back wall, legend and gradient settings.
#pragma once

#include <string>
#include <vector>

#include "ChartPersistent.h"

// Text above (Title) or below (Foot) the plot, one entry per line.
class TChartTitle : public TChartPersistent {
 public:
  TChartTitle();

  const std::vector<std::string>& Text() const { return text_; }  // empty: no room taken
  void SetText(std::vector<std::string> lines) { Update(text_, std::move(lines)); }
  bool Visible() const { return visible_; }  // = true
  void SetVisible(bool v) { Update(visible_, v); }
  TAlignment Alignment() const { return alignment_; }  // = taCenter
  void SetAlignment(TAlignment v) { Update(alignment_, v); }
  TChartFont& Font() { return font_; }  // Arial 8 points blue
  const TChartFont& Font() const { return font_; }
  TColor Color() const { return color_; }  // = clDefault: the brush decides the fill
  void SetColor(TColor v) { Update(color_, v); }
  TChartBrush& Brush() { return brush_; }  // clDefault, solid
  const TChartBrush& Brush() const { return brush_; }
  TChartPen& Frame() { return frame_; }  // hidden
  const TChartPen& Frame() const { return frame_; }
  bool AdjustFrame() const { return adjustFrame_; }  // = true, box fits the text
  void SetAdjustFrame(bool v) { Update(adjustFrame_, v); }

 private:
  std::vector<std::string> text_;
  bool visible_ = true;
  TAlignment alignment_ = taCenter;
  TChartFont font_{"Arial", 8, clBlue};
  TColor color_ = clDefault;
  TChartBrush brush_{clDefault, bsSolid};
  TChartHiddenPen frame_;
  bool adjustFrame_ = true;
};

// A wall of the plot area; the back wall frames the plot rectangle.
class TChartWall : public TChartPersistent {
 public:
  TChartWall();

  TColor Color() const { return color_; }  // = clDefault
  void SetColor(TColor v) { Update(color_, v); }
  TChartBrush& Brush() { return brush_; }  // clDefault, clear: the wall is not filled
  const TChartBrush& Brush() const { return brush_; }
  TChartPen& Pen() { return pen_; }  // black, width 1
  const TChartPen& Pen() const { return pen_; }
  int Size() const { return size_; }  // = 0 (three-dimensional walls only)
  void SetSize(int v) { Update(size_, v); }
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool v) { Update(dark3D_, v); }

 private:
  TColor color_ = clDefault;
  TChartBrush brush_{clDefault, bsClear};
  TChartPen pen_;
  int size_ = 0;
  bool dark3D_ = true;
};

// The legend: a framed box right of the plot with a line for each active series that has
// a legend text (TChartSeries::LegendText); a chart without such a series draws none.
class TChartLegend : public TChartPersistent {
 public:
  TChartLegend();

  bool Visible() const { return visible_; }  // = true
  void SetVisible(bool v) { Update(visible_, v); }
  TChartFont& Font() { return font_; }  // Arial 8 points black
  const TChartFont& Font() const { return font_; }
  TChartPen& Frame() { return frame_; }  // black, width 1
  const TChartPen& Frame() const { return frame_; }
  TColor Color() const { return color_; }  // = clWhite, the box's fill
  void SetColor(TColor v) { Update(color_, v); }

 private:
  bool visible_ = true;
  TChartFont font_{"Arial", 8, clBlack};
  TChartPen frame_;
  TColor color_ = clWhite;
};

enum TGradientDirection {
  gdTopBottom,
  gdBottomTop,
  gdLeftRight,
  gdRightLeft,
  gdFromCenter,
  gdFromTopLeft,
  gdFromBottomLeft
};

// Held only; the background is always filled with the chart's colour.
class TChartGradient : public TChartPersistent {
 public:
  bool Visible() const { return visible_; }  // = false
  void SetVisible(bool v) { Update(visible_, v); }
  TGradientDirection Direction() const { return direction_; }
  void SetDirection(TGradientDirection v) { Update(direction_, v); }
  TColor StartColor() const { return startColor_; }
  void SetStartColor(TColor v) { Update(startColor_, v); }
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor v) { Update(endColor_, v); }

 private:
  bool visible_ = false;
  TGradientDirection direction_ = gdTopBottom;
  TColor startColor_ = clWhite;
  TColor endColor_ = clYellow;
};
