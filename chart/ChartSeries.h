// A series: the points of one curve or set of markers, held in two value lists (X and Y)
// with a colour and an optional label per point.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ChartCanvas.h"
#include "ChartTypes.h"
#include "ChartValueList.h"
#include "SeriesMarks.h"

class TChart;
class TCustomChartAxis;

// Points whose pixels lie beyond this, either way, are not drawn.
inline constexpr int MaxCanvasPixel = 32766;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

class TChartSeries {
 public:
  TChartSeries();
  TChartSeries(const TChartSeries&) = delete;
  TChartSeries& operator=(const TChartSeries&) = delete;
  // A series in a chart belongs to the chart, which frees it.
  virtual ~TChartSeries();

  // [SECTION] Points
  // Adds a point (X kept in XValues' order, the rest moving with it) and returns its index,
  // or -1 when OnBeforeAdd refused it.
  int AddPoint(double x, double y, std::string_view label = {}, TColor color = clDefault);
  // Adds y with the point count as X.
  int AddY(double y, std::string_view label = {}, TColor color = clDefault);
  // Adds a null point: it keeps its place and values but is neither drawn nor marked.
  int AddNullXY(double x, double y) { return AddPoint(x, y, {}, clNone); }
  // Empties the series and forgets its mark positions.
  void ClearPoints();
  int PointCount() const { return xValues_.ValueCount(); }
  // The colour a point is drawn in: its own, else the series colour (or the palette colour
  // of its index when ColorEachPoint); clNone marks a null point.
  TColor PointColor(int index) const;
  bool IsNull(int index) const { return PointColor(index) == clNone; }
  // The point's label, or empty.
  std::string PointLabel(int index) const;
  double XValue(int index) const { return xValues_.ValueAt(index); }
  double YValue(int index) const { return yValues_.ValueAt(index); }
  double MinXValue() const { return xValues_.Smallest(); }
  double MaxXValue() const { return xValues_.Largest(); }
  double MinYValue() const { return yValues_.Smallest(); }
  double MaxYValue() const { return yValues_.Largest(); }
  TChartValueList& XValues() { return xValues_; }  // ascending by default
  const TChartValueList& XValues() const { return xValues_; }
  TChartValueList& YValues() { return yValues_; }  // unordered by default
  const TChartValueList& YValues() const { return yValues_; }
  // XValues first, YValues second.
  const std::vector<TChartValueList*>& ValueLists() const { return valueLists_; }

  // [SECTION] Properties
  bool Active() const { return active_; }  // = true; inactive series are not drawn
  void SetActive(bool v);
  TColor SeriesColor() const { return seriesColor_; }  // = clDefault until it joins a chart
  void SetSeriesColor(TColor v);
  bool ColorEachPoint() const { return colorEachPoint_; }  // = false
  void SetColorEachPoint(bool v);
  const std::string& Title() const { return title_; }
  void SetTitle(std::string v);
  const std::string& ValueFormat() const { return valueFormat_; }  // = "#,##0.###"
  void SetValueFormat(std::string v);
  const std::string& PercentFormat() const { return percentFormat_; }  // = "##0.## %"
  void SetPercentFormat(std::string v);
  bool ShowInLegend() const { return showInLegend_; }  // = true
  void SetShowInLegend(bool v);
  // The series' line in the chart's legend; empty (the default): none.
  const std::string& LegendText() const { return legendText_; }
  void SetLegendText(std::string v);
  THorizAxis HorizAxis() const { return horizAxis_; }  // = aBottomAxis
  void SetHorizAxis(THorizAxis v);
  TVertAxis VertAxis() const { return vertAxis_; }  // = aLeftAxis
  void SetVertAxis(TVertAxis v);
  TSeriesMarks& Marks() { return marks_; }
  const TSeriesMarks& Marks() const { return marks_; }

  // The chart the series belongs to (joined by TChart::AddSeries), or none.
  TChart* ParentChart() const { return parent_; }
  // The axes the series is drawn against, resolved when it joins a chart.
  TCustomChartAxis* GetHorizAxis() const { return horizAxisObj_; }
  TCustomChartAxis* GetVertAxis() const { return vertAxisObj_; }
  // Whether axis is one of the series' axes, or of a direction it uses both of.
  bool AssociatedToAxis(const TCustomChartAxis& axis) const;

  // [SECTION] Painting
  // First and last index to draw, -1 when nothing is visible; set by CalcFirstLastVisible.
  int FirstVisiblePoint() const { return firstVisible_; }
  int LastVisiblePoint() const { return lastVisible_; }
  // Finds the visible index range against the horizontal axis' values at the plot
  // rectangle's left and right edges.
  void CalcFirstLastVisible();
  // Pixel margins the series needs at the axis ends (markers), left/right and top/bottom.
  virtual void HorizMargins(int& left, int& right) const;
  virtual void VertMargins(int& top, int& bottom) const;
  // Pixel of a point for drawing: false when it cannot be placed (a value that is not
  // finite, or a pixel outside -32766 .. 32766).
  bool PlacePoint(int index, int& x, int& y) const;
  // Pixel position of a point on its axes.
  int CalcXPos(int index) const;
  int CalcYPos(int index) const;
  // The texts of the marks of points first .. last (empty for a null point), after
  // OnGetMarkText. Marks that show a value alone (smsValue, smsXValue, smsLabel without a
  // label) and would read alike for different values are written in as many more
  // significant digits as tell those values apart.
  std::vector<std::string> MarkTexts(int first, int last) const;

  // Asks the parent chart to repaint; nothing without a chart.
  void Repaint();
  // Tells dependent series of a change (there are none yet).
  void NotifyLinked() {}

  // [SECTION] Events, called only when assigned
  std::function<bool(TChartSeries&)> OnBeforeAdd;  // false refuses the point
  std::function<void(TChartSeries&, int)> OnAfterAdd;
  std::function<void(TChartSeries&)> OnClearValues;
  std::function<void(TChartSeries&, int, std::string&)> OnGetMarkText;
  std::function<void(TChartSeries&)> BeforeDrawValues;
  std::function<void(TChartSeries&)> AfterDrawValues;

 protected:
  // Whether the segment to the first point beyond the axis end is kept.
  virtual bool DrawBetweenPoints() const { return true; }

 private:
  friend class TChart;
  friend class TChartValueList;
  void RegisterValueList(TChartValueList* list) { valueLists_.push_back(list); }
  // Joins or leaves a chart; only TChart calls it.
  void AttachTo(TChart* chart);
  void ResolveAxes();
  // The text of the mark of a point before OnGetMarkText: its value as the style reads it,
  // or in at least `significant` significant digits when that is above 0.
  std::string MarkTextBeforeEvent(int index, int significant) const;

  std::vector<TChartValueList*> valueLists_;
  TChartValueList xValues_{this, "X"};
  TChartValueList yValues_{this, "Y"};
  std::vector<TColor> colors_;
  std::vector<std::optional<std::string>> labels_;

  bool active_ = true;
  TColor seriesColor_ = clDefault;
  bool colorEachPoint_ = false;
  std::string title_;
  std::string valueFormat_ = "#,##0.###";
  std::string percentFormat_ = "##0.## %";
  bool showInLegend_ = true;
  std::string legendText_;
  THorizAxis horizAxis_ = aBottomAxis;
  TVertAxis vertAxis_ = aLeftAxis;
  TSeriesMarks marks_;

  TChart* parent_ = nullptr;
  TCustomChartAxis* horizAxisObj_ = nullptr;
  TCustomChartAxis* vertAxisObj_ = nullptr;
  int firstVisible_ = -1;
  int lastVisible_ = -1;
};
