// Axes: turn values into pixels and carry the scale's settings (range, labels, ticks,
// grid, title). Drawing is the axis painter's; the chart runs the layout steps.
#pragma once

#include <string>
#include <vector>

#include "AxisLayout.h"
#include "ChartCanvas.h"
#include "ChartPersistent.h"

class TChart;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

// The title of an axis: caption, direction and font.
class TChartAxisTitle : public TChartPersistent {
 public:
  explicit TChartAxisTitle(int angle);

  const std::string& Caption() const { return caption_; }  // lines split at "\r"
  void SetCaption(std::string v) { Update(caption_, std::move(v)); }
  int Angle() const { return angle_; }  // left axis 90, right axis 270, others 0
  void SetAngle(int v) { Update(angle_, v); }
  TChartFont& Font() { return font_; }  // Arial 8 points black
  const TChartFont& Font() const { return font_; }

 private:
  std::string caption_;
  int angle_;
  TChartFont font_{"Arial", 8, clBlack};
};

class TCustomChartAxis {
 public:
  // An axis of chart; horizontal axes run left to right; other side means the top or
  // right edge of the plot rectangle.
  TCustomChartAxis(TChart* chart, bool horizontal, bool otherSide);
  TCustomChartAxis(const TCustomChartAxis&) = delete;
  TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;
  virtual ~TCustomChartAxis() = default;

  // [SECTION] Range
  bool Automatic() const { return automatic_; }  // = true, both limits follow the series
  void SetAutomatic(bool v);
  bool AutomaticMinimum() const { return automaticMinimum_; }  // = true
  void SetAutomaticMinimum(bool v);
  bool AutomaticMaximum() const { return automaticMaximum_; }  // = true
  void SetAutomaticMaximum(bool v);
  double Minimum() const { return minimum_; }  // = 0, overwritten each paint while automatic
  // Raises AxisException "Axis Minimum Value must be <= Maximum" above Maximum.
  void SetMinimum(double v);
  double Maximum() const { return maximum_; }  // = 0
  // Raises AxisException "Axis Maximum Value must be >= Minimum" below Minimum.
  void SetMaximum(double v);
  double Increment() const { return increment_; }  // = 0, smallest label step (0: any)
  // Raises AxisException "Axis increment must be >= 0" below 0.
  void SetIncrement(double v);
  // Fixes the range: automatic off, a and b stored in order without checks, widened to
  // at least 1e-10.
  void SetLimits(double a, double b);

  // [SECTION] Labels
  int LabelsSeparation() const { return labelsSeparation_; }  // = 10, percent of a label
  // Raises AxisException "Labels Separation % must be greater than 0" below 0.
  void SetLabelsSeparation(int v);
  bool RoundFirstLabel() const { return roundFirstLabel_; }  // = true, on step multiples
  void SetRoundFirstLabel(bool v);
  bool Labels() const { return labels_; }  // = true
  void SetLabels(bool v);
  bool LabelsOnAxis() const { return labelsOnAxis_; }  // = true, also at the axis ends
  void SetLabelsOnAxis(bool v);
  TChartFont& LabelsFont() { return labelsFont_; }  // Arial 8 points black
  const TChartFont& LabelsFont() const { return labelsFont_; }
  int LabelsAngle() const { return labelsAngle_; }  // = 0 (no other angle is drawn)
  void SetLabelsAngle(int v);
  bool LabelsMultiLine() const { return labelsMultiLine_; }  // = false, a line per word
  void SetLabelsMultiLine(bool v);
  int LabelsSize() const { return labelsSize_; }  // = 0, fixed label band (0: measure)
  void SetLabelsSize(int v);
  TAxisLabelStyle LabelStyle() const { return labelStyle_; }  // = talAuto
  void SetLabelStyle(TAxisLabelStyle v);
  const std::string& AxisValuesFormat() const { return axisValuesFormat_; }  // "#,##0.###"
  void SetAxisValuesFormat(std::string v);

  // [SECTION] Lines
  TChartPen& Axis() { return axis_; }  // axis line: black, solid, width 2
  const TChartPen& Axis() const { return axis_; }
  TChartPen& Ticks() { return ticks_; }  // outer ticks: dark grey
  const TChartPen& Ticks() const { return ticks_; }
  int TickLength() const { return tickLength_; }  // = 4
  void SetTickLength(int v);
  TChartPen& TicksInner() { return ticksInner_; }
  const TChartPen& TicksInner() const { return ticksInner_; }
  int TickInnerLength() const { return tickInnerLength_; }  // = 0
  void SetTickInnerLength(int v);
  TChartPen& MinorTicks() { return minorTicks_; }
  const TChartPen& MinorTicks() const { return minorTicks_; }
  int MinorTickLength() const { return minorTickLength_; }  // = 2
  void SetMinorTickLength(int v);
  int MinorTickCount() const { return minorTickCount_; }  // = 3, between two labels
  void SetMinorTickCount(int v);
  TChartPen& Grid() { return grid_; }  // grey, dotted
  const TChartPen& Grid() const { return grid_; }
  TChartPen& MinorGrid() { return minorGrid_; }  // invisible
  const TChartPen& MinorGrid() const { return minorGrid_; }
  bool GridCentered() const { return gridCentered_; }  // = false, grid between ticks
  void SetGridCentered(bool v);
  bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }  // = true
  void SetTickOnLabelsOnly(bool v);

  // [SECTION] Title and placement
  TChartAxisTitle& Title() { return title_; }
  const TChartAxisTitle& Title() const { return title_; }
  int TitleSize() const { return titleSize_; }  // = 0, fixed title band (0: measure)
  void SetTitleSize(int v);
  bool Inverted() const { return inverted_; }  // = false, values grow towards the start
  void SetInverted(bool v);
  bool Visible() const { return visible_; }  // = true
  void SetVisible(bool v);
  double StartPosition() const { return startPosition_; }  // = 0, percent of the plot
  void SetStartPosition(double v);
  double EndPosition() const { return endPosition_; }  // = 100
  void SetEndPosition(double v);
  double PositionPercent() const { return positionPercent_; }  // = 0, offset from the edge
  void SetPositionPercent(double v);
  // Held only; logarithmic and date-time scales are not drawn.
  bool Logarithmic() const { return logarithmic_; }
  void SetLogarithmic(bool v) { logarithmic_ = v; }
  double LogarithmicBase() const { return logarithmicBase_; }
  void SetLogarithmicBase(double v) { logarithmicBase_ = v; }
  const std::string& DateTimeFormat() const { return dateTimeFormat_; }
  void SetDateTimeFormat(std::string v) { dateTimeFormat_ = std::move(v); }
  bool ExactDateTime() const { return exactDateTime_; }
  void SetExactDateTime(bool v) { exactDateTime_ = v; }

  // [SECTION] Working state, recomputed at every paint
  bool Horizontal() const { return horizontal_; }
  bool OtherSide() const { return otherSide_; }
  // Everything below, as the last layout left it.
  const TAxisLayout& Layout() const { return layout_; }
  double EffectiveMinimum() const { return layout_.EffectiveMinimum; }
  double EffectiveMaximum() const { return layout_.EffectiveMaximum; }
  double EffectiveRange() const { return layout_.EffectiveRange; }
  int AxisStart() const { return layout_.AxisStart; }  // left or top pixel
  int AxisEnd() const { return layout_.AxisEnd; }      // right or bottom pixel
  int AxisSize() const { return layout_.AxisEnd - layout_.AxisStart; }
  int AxisCenter() const {
    return static_cast<int>((static_cast<long long>(layout_.AxisStart) + layout_.AxisEnd) / 2);
  }
  int AxisLinePos() const { return layout_.AxisLinePos; }  // the line's coordinate across
  int LabelsPos() const { return layout_.LabelsPos; }
  int TitlePos() const { return layout_.TitlePos; }
  // Major tick pixels of the last paint, in the order the labels were generated.
  const std::vector<int>& TickList() const { return layout_.TickList; }
  TChart* ParentChart() const { return chart_; }

  // [SECTION] Mapping
  // Pixel of a value along the axis; the axis centre for a zero range or a pixel beyond
  // the 32-bit range (or a value that is not a number).
  int ValueToPixel(double value) const;
  // Pixel of a value for drawing a point: false when the value is not finite or its pixel
  // would overflow, where ValueToPixel would fall back to the centre.
  bool PlaceValue(double value, int& pixel) const;
  // Value at a pixel; 0 on an axis shorter than one pixel.
  double PixelToValue(int pixel) const;
  // A label's text: the value in AxisValuesFormat (in more digits where the picture would
  // keep fewer than three significant ones), passed to the chart's OnGetAxisLabel
  // unless withEvent is false, split into lines at blanks when LabelsMultiLine.
  std::string LabelText(double value, bool withEvent = true) const;
  // The value as a label writes it, in at least `significant` significant digits.
  std::string ValueText(double value, int significant) const;

  // [SECTION] Layout steps, run by the chart at each paint
  // Whether the chart shows the axis.
  bool IsShown() const;
  // The label style in force once talAuto is resolved.
  TAxisLabelStyle EffectiveLabelStyle() const;
  // Limits from the associated series, where automatic; sets the effective limits.
  void CalcAutomaticLimits();
  // Takes the title, label and tick bands out of rect on the axis' side. A vertical axis
  // measures the labels it will draw on rect, with the marker margins given.
  void CalcBands(TChartCanvas& canvas, TRect& rect, int startMargin = 0, int endMargin = 0);
  // Axis start and end along the plot rectangle, and the axis line's place across it.
  void CalcPositions(const TRect& plotRect);
  // Widens the effective limits so that startMargin and endMargin pixels stay free.
  void ApplyMargins(int startMargin, int endMargin, const TRect& plotRect);
  // How many labels fit, measured in the labels font (which it selects).
  int CalcLabelCapacity(TChartCanvas& canvas) const;
  // The label step for the current axis length.
  double CalcLabelStep(TChartCanvas& canvas) const;
  // The label step for the axis as it now lies, and the labels with their ticks. A label
  // that would read like another, leave panel, or cover one of the taken boxes is left out;
  // the boxes of the labels kept are added to taken.
  void CalcLabels(TChartCanvas& canvas, std::vector<TRect>* taken = nullptr,
                  const TRect* panel = nullptr);
  // Where the title's text lies (empty without a caption).
  TRect TitleBox(TChartCanvas& canvas) const;
  // Draws title, labels, line, ticks, grid and minor ticks as the layout placed them.
  void Draw(TChartCanvas& canvas, const TRect& plotRect) const;

 protected:
  // Asks the chart to repaint.
  void Changed() const;

 private:
  template <class T>
  void Update(T& field, const T& value);
  // The label text of a value when labels are step apart.
  std::string StepLabelText(double value, double step, bool withEvent) const;
  // The event and the line split of a label text.
  std::string FinishLabel(std::string text, bool withEvent) const;
  // The widest (horizontal) or highest (vertical) label at step: all of them, or only the
  // two at the range's ends.
  int LabelSizeAt(TChartCanvas& canvas, double step, bool all) const;
  // The fewest pixels between the texts of two neighbouring labels at step, negative where
  // they overlap; INT_MAX with fewer than two labels.
  int NarrowestGapAt(TChartCanvas& canvas, double step) const;
  TRect LabelBox(TChartCanvas& canvas, int pixel, std::string_view text) const;
  bool Loading() const;

  TChart* chart_;
  bool horizontal_;
  bool otherSide_;

  bool automatic_ = true;
  bool automaticMinimum_ = true;
  bool automaticMaximum_ = true;
  double minimum_ = 0.0;
  double maximum_ = 0.0;
  double increment_ = 0.0;
  int labelsSeparation_ = 10;
  bool roundFirstLabel_ = true;
  bool labels_ = true;
  bool labelsOnAxis_ = true;
  TChartFont labelsFont_{"Arial", 8, clBlack};
  int labelsAngle_ = 0;
  bool labelsMultiLine_ = false;
  int labelsSize_ = 0;
  TAxisLabelStyle labelStyle_ = talAuto;
  std::string axisValuesFormat_ = "#,##0.###";
  TChartAxisPen axis_;
  TDarkGrayPen ticks_;
  int tickLength_ = 4;
  TDarkGrayPen ticksInner_;
  int tickInnerLength_ = 0;
  TDarkGrayPen minorTicks_;
  int minorTickLength_ = 2;
  int minorTickCount_ = 3;
  TDottedGrayPen grid_;
  TChartHiddenPen minorGrid_;
  bool gridCentered_ = false;
  bool tickOnLabelsOnly_ = true;
  TChartAxisTitle title_;
  int titleSize_ = 0;
  bool inverted_ = false;

 protected:
  bool visible_ = true;

 private:
  double startPosition_ = 0.0;
  double endPosition_ = 100.0;
  double positionPercent_ = 0.0;
  bool logarithmic_ = false;
  double logarithmicBase_ = 10.0;
  std::string dateTimeFormat_;
  bool exactDateTime_ = true;

  TAxisLayout layout_;
};

// The published axis: bottom, top, left and right.
class TChartAxis : public TCustomChartAxis {
 public:
  using TCustomChartAxis::TCustomChartAxis;
};

// The depth axis of three-dimensional charts: held, never shown.
class TChartDepthAxis : public TCustomChartAxis {
 public:
  explicit TChartDepthAxis(TChart* chart);
};
