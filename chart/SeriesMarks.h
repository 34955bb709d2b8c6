// Value marks: a small framed text box above each point, joined to it by an arrow.
#pragma once

#include <optional>
#include <vector>

#include "ChartCanvas.h"
#include "ChartPersistent.h"

enum TSeriesMarksStyle {
  smsValue,
  smsPercent,
  smsLabel,
  smsLabelPercent,
  smsLabelValue,
  smsLegend,
  smsPercentTotal,
  smsLabelPercentTotal,
  smsXValue
};

// Where the mark of one point was drawn.
struct TSeriesMarkPosition {
  TPoint ArrowStart;
  TPoint ArrowEnd;
  TPoint BoxLeftTop;
  int BoxWidth = 0;
  int BoxHeight = 0;
  bool CustomPosition = false;  // placed by hand: drawn where it is
  friend bool operator==(const TSeriesMarkPosition&, const TSeriesMarkPosition&) = default;
};

class TSeriesMarks : public TChartPersistent {
 public:
  TSeriesMarks();

  bool Visible() const { return visible_; }  // = false
  void SetVisible(bool v) { Update(visible_, v); }
  TSeriesMarksStyle Style() const { return style_; }  // = smsLabel, what the text shows
  void SetStyle(TSeriesMarksStyle v) { Update(style_, v); }
  int ArrowLength() const { return arrowLength_; }  // = 8, pixels between point and box
  void SetArrowLength(int v) { Update(arrowLength_, v); }
  TChartArrowPen& Arrow() { return arrow_; }  // white, width 1
  const TChartArrowPen& Arrow() const { return arrow_; }
  TChartPen& Frame() { return frame_; }  // box outline: black, width 1
  const TChartPen& Frame() const { return frame_; }
  TColor BackColor() const { return backColor_; }  // = 0x80FFFF, box fill
  void SetBackColor(TColor v) { Update(backColor_, v); }
  bool Transparent() const { return transparent_; }  // = false; true leaves the box unfilled
  void SetTransparent(bool v) { Update(transparent_, v); }
  TChartFont& Font() { return font_; }  // Arial 8 points black
  const TChartFont& Font() const { return font_; }
  bool Clip() const { return clip_; }  // = false; true clips marks to the plot rectangle
  void SetClip(bool v) { Update(clip_, v); }

  // Remembered boxes, one optional entry per point index; emptied by ClearPoints.
  std::vector<std::optional<TSeriesMarkPosition>>& Positions() { return positions_; }
  const std::vector<std::optional<TSeriesMarkPosition>>& Positions() const { return positions_; }

 private:
  bool visible_ = false;
  TSeriesMarksStyle style_ = smsLabel;
  int arrowLength_ = 8;
  TChartArrowPen arrow_;
  TChartPen frame_;
  TColor backColor_ = 0x80FFFF;
  bool transparent_ = false;
  TChartFont font_{"Arial", 8, clBlack};
  bool clip_ = false;
  std::vector<std::optional<TSeriesMarkPosition>> positions_;
};
