#include "SeriesPointer.h"

#include <array>

namespace {

void CheckPointerSize(int size) {
  if (size < 1) {
    throw ChartException("Pointer size must be greater than zero");
  }
}

void Line(TChartCanvas& canvas, int x0, int y0, int x1, int y1) {
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}

}  // namespace

TSeriesPointer::TSeriesPointer() {
  pen_.SetOnChange([this] { Changed(); });
  brush_.SetOnChange([this] { Changed(); });
}

void TSeriesPointer::SetHorizSize(int v) {
  CheckPointerSize(v);
  Update(horizSize_, v);
}

void TSeriesPointer::SetVertSize(int v) {
  CheckPointerSize(v);
  Update(vertSize_, v);
}

void TSeriesPointer::Draw(TChartCanvas& canvas, int x, int y, TColor color,
                          TSeriesPointerStyle style) const {
  const TColor penColor = pen_.Color() == clDefault ? color : pen_.Color();
  const TColor brushColor = brush_.Color() == clDefault ? color : brush_.Color();
  canvas.SetPen(pen_.ToCanvas(penColor));
  canvas.SetBrush(TCanvasBrush{brushColor, brush_.Style()});

  const int left = x - horizSize_;
  const int right = x + horizSize_;
  const int top = y - vertSize_;
  const int bottom = y + vertSize_;
  // The line markers take the point's colour whatever the outline pen says.
  const auto linePen = [&] {
    TCanvasPen pen = pen_.ToCanvas(color);
    canvas.SetPen(pen);
  };
  switch (style) {
    case psRectangle:
      canvas.Rectangle(TRect{left, top, right + 1, bottom + 1});
      break;
    case psCircle:
      canvas.Ellipse(TRect{left, top, right, bottom});
      break;
    case psTriangle: {
      const std::array<TPoint, 3> p{{{left, bottom}, {right, bottom}, {x, top}}};
      canvas.Polygon(p);
      break;
    }
    case psDownTriangle: {
      const std::array<TPoint, 3> p{{{left, top}, {right, top}, {x, bottom}}};
      canvas.Polygon(p);
      break;
    }
    case psCross:
      linePen();
      Line(canvas, x, top, x, bottom + 1);
      Line(canvas, left, y, right + 1, y);
      break;
    case psDiagCross:
      linePen();
      Line(canvas, left, top, right + 1, bottom + 1);
      Line(canvas, left, bottom, right + 1, top - 1);
      break;
    case psStar:
      linePen();
      Line(canvas, x, top, x, bottom + 1);
      Line(canvas, left, y, right + 1, y);
      Line(canvas, left, top, right + 1, bottom + 1);
      Line(canvas, left, bottom, right + 1, top - 1);
      break;
    case psDiamond: {
      const std::array<TPoint, 4> p{{{left, y}, {x, top}, {right, y}, {x, bottom}}};
      canvas.Polygon(p);
      break;
    }
    case psSmallDot:
      canvas.SetPixel(x, y, color);
      break;
  }
}
