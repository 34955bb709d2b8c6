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

bool TCustomSeries::EntryPoint(int index, int& x, int& y) const {
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

TSeriesPointerStyle TCustomSeries::PointerStyle(int index) const {
  return OnGetPointerStyle ? OnGetPointerStyle(const_cast<TCustomSeries&>(*this), index)
                           : pointer_.Style();
}
