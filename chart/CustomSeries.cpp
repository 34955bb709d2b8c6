#include "CustomSeries.h"

#include <cmath>

#include "Chart.h"
#include "ChartAxis.h"

TCustomSeries::TCustomSeries() {
  pointer_.SetOnChange([this] { Repaint(); });
  linePen_.SetOnChange([this] { Repaint(); });
}

TLineSeries::TLineSeries() {
  Pointer().SetVisible(false);
}

TPointSeries::TPointSeries() {
  SetDrawLine(false);
  Marks().SetArrowLength(0);
}

void TCustomSeries::HorizMargins(int& left, int& right) const {
  left = right = 0;
  if (pointer_.Visible() && pointer_.InflateMargins()) {
    left = right = pointer_.HorizSize() + 1;
  }
}

void TCustomSeries::VertMargins(int& top, int& bottom) const {
  top = bottom = 0;
  if (pointer_.Visible() && pointer_.InflateMargins()) {
    top = bottom = pointer_.VertSize() + 1;
  }
}

void TCustomSeries::PrepareDraw() {
  prevColor_ = clNone;
  placedAny_ = false;
}

bool TCustomSeries::EntryPixel(int index, int& x, int& y) const {
  const TCustomChartAxis& h = *GetHorizAxis();
  const TRect& plot = ParentChart()->PlotRect();
  x = h.Inverted() ? plot.Right : plot.Left;
  const double x0 = XValue(index - 1);
  const double x1 = XValue(index);
  if (x1 == x0) {
    int px = 0;
    return PlacePoint(index - 1, px, y);
  }
  const double y0 = YValue(index - 1);
  const double y1 = YValue(index);
  const double value = y0 + (y1 - y0) * (h.PixelToValue(x) - x0) / (x1 - x0);
  return GetVertAxis()->PlaceValue(value, y) && y >= -MaxCanvasPixel && y <= MaxCanvasPixel;
}

void TCustomSeries::DrawSegment(TChartCanvas& canvas, int x, int y, TColor color) {
  if ((x == prevX_ && y == prevY_) || color == clNone || !drawLine_) {
    return;
  }
  canvas.SetPen(linePen_.ToCanvas(color));
  canvas.SetBrush(TCanvasBrush{clWhite, bsClear});
  canvas.MoveTo(prevX_, prevY_);
  canvas.LineTo(x, y);
}

void TCustomSeries::DrawPointer(TChartCanvas& canvas, int index, int x, int y, TColor color) {
  const TSeriesPointerStyle style =
      OnGetPointerStyle ? OnGetPointerStyle(*this, index) : pointer_.Style();
  pointer_.Draw(canvas, x, y, color, style);
}

void TCustomSeries::PaintPoint(TChartCanvas& canvas, int index) {
  const TColor color = PointColor(index);
  int x = 0;
  int y = 0;
  if (!PlacePoint(index, x, y)) {
    // Not drawn; the line goes on from the last placed point. Before any point is placed
    // there is no position to go on from.
    if (placedAny_) {
      prevColor_ = color;
    }
    return;
  }
  if (prevColor_ == clNone) {
    prevX_ = x;
    prevY_ = y;
  }
  if (index == FirstVisiblePoint()) {
    if (index > 0 && EntryPixel(index, prevX_, prevY_)) {
      // The segment from the point before enters the plot rectangle at its edge.
      if (!IsNull(index - 1)) {
        DrawSegment(canvas, x, y, color);
      }
    } else {
      prevX_ = x;
      prevY_ = y;
    }
    if (index == LastVisiblePoint() && pointer_.Visible() && color != clNone) {
      DrawPointer(canvas, index, x, y, color);
    }
  } else {
    DrawSegment(canvas, x, y, color);
    if (pointer_.Visible()) {
      // The previous marker goes on top of both segments that meet at it.
      if (prevColor_ != clNone) {
        DrawPointer(canvas, index - 1, prevX_, prevY_, prevColor_);
      }
      if (index == LastVisiblePoint() && color != clNone) {
        DrawPointer(canvas, index, x, y, color);
      }
    }
  }
  prevX_ = x;
  prevY_ = y;
  prevColor_ = color;
  placedAny_ = true;
}
