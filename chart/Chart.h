// TChart: a two-dimensional chart. It owns its axes and series, lays out title, plot
// rectangle and axes in its client area, and paints through a canvas into an off-screen
// buffer that it copies to the window.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ChartAxis.h"
#include "ChartCanvas.h"
#include "ChartLayout.h"
#include "ChartParts.h"
#include "ChartSeries.h"
#include "ChartTypes.h"
#include "PropertyUpdate.h"

class TChart {
 public:
  // A chart of 400 by 250 pixels with its five axes and no series.
  TChart();
  TChart(const TChart&) = delete;
  TChart& operator=(const TChart&) = delete;
  // Frees every series still in the series list.
  ~TChart();

  // [SECTION] Series
  // Takes the series, gives it a free palette colour when its colour is clDefault,
  // appends it to the series list (the drawing order) and returns it.
  TChartSeries* AddSeries(std::unique_ptr<TChartSeries> series);
  // Creates a series of type S in the chart.
  template <class S>
  S* AddSeries() {
    return static_cast<S*>(AddSeries(std::make_unique<S>()));
  }
  // Takes the series out of the list and hands it back; empty when it is not in the chart.
  std::unique_ptr<TChartSeries> RemoveSeries(TChartSeries* series);
  int SeriesCount() const { return static_cast<int>(series_.size()); }
  TChartSeries* Series(int index) const { return series_[static_cast<std::size_t>(index)].get(); }
  // Whether any series is active.
  bool HasActiveSeries() const;

  // [SECTION] Axes, in list order: bottom, top, left, right, depth
  TChartAxis& BottomAxis() { return bottomAxis_; }
  const TChartAxis& BottomAxis() const { return bottomAxis_; }
  TChartAxis& TopAxis() { return topAxis_; }
  TChartAxis& LeftAxis() { return leftAxis_; }
  const TChartAxis& LeftAxis() const { return leftAxis_; }
  TChartAxis& RightAxis() { return rightAxis_; }
  TChartDepthAxis& DepthAxis() { return depthAxis_; }
  const std::array<TCustomChartAxis*, 5>& AxisList() const { return axisList_; }

  // [SECTION] Properties
  int Width() const { return width_; }  // client area, pixels
  int Height() const { return height_; }
  // Resizes the client area; the chart redraws at the new size.
  void SetSize(int width, int height);
  TColor Color() const { return color_; }  // = clBtnFace, panel background
  void SetColor(TColor v);
  bool View3D() const { return view3D_; }  // = true; drawn two-dimensional either way
  void SetView3D(bool v);
  int MarginLeft() const { return marginLeft_; }  // = 3, percent of the width
  void SetMarginLeft(int v);
  int MarginTop() const { return marginTop_; }  // = 4, percent of the height
  void SetMarginTop(int v);
  int MarginRight() const { return marginRight_; }  // = 3
  void SetMarginRight(int v);
  int MarginBottom() const { return marginBottom_; }  // = 4
  void SetMarginBottom(int v);
  bool AxisVisible() const { return axisVisible_; }  // = true, draw axes at all
  void SetAxisVisible(bool v);
  bool ClipPoints() const { return clipPoints_; }  // = true, clip points to the plot
  void SetClipPoints(bool v);
  TBevelCut BevelOuter() const { return bevelOuter_; }  // = bvRaised
  void SetBevelOuter(TBevelCut v);
  TBevelCut BevelInner() const { return bevelInner_; }  // = bvNone
  void SetBevelInner(TBevelCut v);
  int BevelWidth() const { return bevelWidth_; }  // = 1; 0 draws no bevel
  void SetBevelWidth(int v);
  int BorderWidth() const { return borderWidth_; }  // = 0
  void SetBorderWidth(int v);
  TChartTitle& Title() { return title_; }  // above the plot
  TChartTitle& Foot() { return foot_; }    // below the plot
  TChartWall& BackWall() { return backWall_; }
  TChartWall& LeftWall() { return leftWall_; }
  TChartWall& BottomWall() { return bottomWall_; }
  TChartLegend& Legend() { return legend_; }
  TChartGradient& Gradient() { return gradient_; }

  // [SECTION] Layout of the last drawing
  TRect PanelBounds() const { return TRect{0, 0, width_, height_}; }
  const TRect& PlotRect() const { return layout_.PlotRect; }
  // Everything the last drawing placed.
  const TChartLayout& Layout() const { return layout_; }

  // [SECTION] Repainting
  // Marks the buffer dirty and asks the platform to repaint, when auto-repaint is on.
  void Invalidate();
  // The platform's repaint hook (the widget schedules an update).
  void SetRepaintRequest(std::function<void()> request) { repaintRequest_ = std::move(request); }
  bool AutoRepaint() const { return autoRepaint_; }  // = true once constructed
  void SetAutoRepaint(bool v) { autoRepaint_ = v; }
  // Whether the buffer must be drawn again before it is copied.
  bool Dirty() const { return dirty_; }
  // Paint request: draws into the buffer when dirty, then copies the buffer to the window.
  void Paint(TChartCanvas& canvas);
  // Draws the whole chart into the buffer, whatever its state.
  void Draw(TChartCanvas& canvas);
  // How many times the chart has been drawn.
  int DrawCount() const { return drawCount_; }
  // While loading stored settings, axis limits are not checked against each other and
  // Automatic does not switch its two halves.
  void BeginLoading() { loading_ = true; }
  void EndLoading() { loading_ = false; }
  bool Loading() const { return loading_; }
  // Whether the chart is being destroyed.
  bool Destroying() const { return destroying_; }

  // [SECTION] Events, called only when assigned
  std::function<void(TChart&)> OnBeforeDrawAxes;
  std::function<void(TChart&)> OnBeforeDrawSeries;
  std::function<void(TChart&)> OnAfterDraw;
  // (axis, series or none, point index or -1, label text in and out)
  std::function<void(TCustomChartAxis&, TChartSeries*, int, std::string&)> OnGetAxisLabel;

 private:
  template <class T>
  void Update(T& field, const T& value) {
    UpdateProperty(field, value, [this] { Invalidate(); });
  }
  // The layout pass, before anything but the background is drawn.
  void ComputeLayout(TChartCanvas& canvas);
  void NormalizePlotRect();
  TTitleLayout LayoutTitle(TChartCanvas& canvas, const TChartTitle& title, bool onTop);
  void LayoutAxes(TChartCanvas& canvas);
  // The legend's box and lines (ChartLegend.cpp); the plot rectangle gives up their room.
  void LayoutLegend(TChartCanvas& canvas);
  // The pixels the series' markers want kept free at the axis' automatic ends.
  void MarkerMargins(const TCustomChartAxis& axis, int& start, int& end) const;
  void ApplyMarkerMargins();
  std::vector<TMarkLayout> LayoutMarks(TChartCanvas& canvas, TChartSeries& series,
                                       std::vector<TRect>& taken);
  // Painting, from the layout.
  void PaintChart(TChartCanvas& canvas);
  void PaintBackground(TChartCanvas& canvas);
  void PaintTitle(TChartCanvas& canvas, const TChartTitle& title, const TTitleLayout& layout);
  void PaintBackWall(TChartCanvas& canvas);
  void PaintLegend(TChartCanvas& canvas);
  void ResetCanvas(TChartCanvas& canvas);

  // Repaint state first: the parts below may report changes while they are built.
  std::function<void()> repaintRequest_;
  bool autoRepaint_ = false;
  bool dirty_ = true;
  bool loading_ = false;
  bool destroying_ = false;
  int drawCount_ = 0;
  TChartLayout layout_;

  int width_ = 400;
  int height_ = 250;
  TColor color_ = clBtnFace;
  bool view3D_ = true;
  int marginLeft_ = 3;
  int marginTop_ = 4;
  int marginRight_ = 3;
  int marginBottom_ = 4;
  bool axisVisible_ = true;
  bool clipPoints_ = true;
  TBevelCut bevelOuter_ = bvRaised;
  TBevelCut bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TChartTitle title_;
  TChartTitle foot_;
  TChartWall backWall_;
  TChartWall leftWall_;
  TChartWall bottomWall_;
  TChartLegend legend_;
  TChartGradient gradient_;

  TChartAxis bottomAxis_{this, true, false};
  TChartAxis topAxis_{this, true, true};
  TChartAxis leftAxis_{this, false, false};
  TChartAxis rightAxis_{this, false, true};
  TChartDepthAxis depthAxis_{this};
  std::array<TCustomChartAxis*, 5> axisList_{&bottomAxis_, &topAxis_, &leftAxis_, &rightAxis_,
                                             &depthAxis_};
  std::vector<std::unique_ptr<TChartSeries>> series_;
};
