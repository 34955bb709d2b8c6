#include "SeriesPainter.h"

#include <array>

#include "Chart.h"
#include "ChartSeries.h"
#include "CustomSeries.h"
#include "TextLines.h"

namespace {

void Line(TChartCanvas& canvas, int x0, int y0, int x1, int y1) {
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}

}  // namespace

void DrawPointer(TChartCanvas& canvas, const TSeriesPointer& pointer, int x, int y, TColor color,
                 TSeriesPointerStyle style) {
  const TChartPen& pen = pointer.Pen();
  const TColor penColor = pen.Color() == clDefault ? color : pen.Color();
  const TColor brushColor = pointer.Brush().Color() == clDefault ? color : pointer.Brush().Color();
  canvas.SetPen(pen.ToCanvas(penColor));
  canvas.SetBrush(TCanvasBrush{brushColor, pointer.Brush().Style()});

  const int left = x - pointer.HorizSize();
  const int right = x + pointer.HorizSize();
  const int top = y - pointer.VertSize();
  const int bottom = y + pointer.VertSize();
  // The line markers take the point's colour whatever the outline pen says.
  const auto linePen = [&] { canvas.SetPen(pen.ToCanvas(color)); };
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

TSeriesPainter::TSeriesPainter(TChartSeries& series, const TSeriesLayout& layout,
                               TChartCanvas& canvas, const TRect& plotRect, bool clip)
    : series_(series), layout_(layout), canvas_(canvas), plot_(plotRect), clip_(clip) {}

void TSeriesPainter::Paint() {
  if (series_.ParentChart() == nullptr || series_.FirstVisiblePoint() < 0) {
    return;
  }
  if (series_.BeforeDrawValues) {
    series_.BeforeDrawValues(series_);
  }
  if (clip_) {
    canvas_.ClipRectangle(TRect{plot_.Left + 1, plot_.Top + 1, plot_.Right, plot_.Bottom - 1});
  }
  if (const auto* custom = dynamic_cast<const TCustomSeries*>(&series_)) {
    for (int i = series_.FirstVisiblePoint(); i <= series_.LastVisiblePoint(); ++i) {
      PaintPoint(*custom, i);
    }
    FlushRun();
    for (const TPendingPointer& p : pointers_) {
      DrawPointer(canvas_, custom->Pointer(), p.X, p.Y, p.Color, custom->PointerStyle(p.Index));
    }
  }
  if (clip_) {
    canvas_.UnClipRectangle();
  }
  if (series_.Marks().Visible()) {
    PaintMarks();
  }
  if (series_.AfterDrawValues) {
    series_.AfterDrawValues(series_);
  }
}

// [SECTION] Lines and markers

void TSeriesPainter::Segment(const TCustomSeries& series, int x, int y, TColor color) {
  if ((x == prevX_ && y == prevY_) || color == clNone || !series.DrawLine()) {
    return;
  }
  const TCanvasPen pen = series.LinePen().ToCanvas(color);
  const TPoint from{prevX_, prevY_};
  if (run_.empty() || !(pen == runPen_) || !(run_.back() == from)) {
    FlushRun();
    runPen_ = pen;
    run_.push_back(from);
  }
  run_.push_back(TPoint{x, y});
}

void TSeriesPainter::FlushRun() {
  if (run_.size() >= 2) {
    canvas_.SetPen(runPen_);
    canvas_.SetBrush(TCanvasBrush{clWhite, bsClear});
    canvas_.Polyline(run_);
  }
  run_.clear();
}

void TSeriesPainter::Pointer(const TCustomSeries& /*series*/, int index, int x, int y,
                             TColor color) {
  pointers_.push_back(TPendingPointer{index, x, y, color});
}

void TSeriesPainter::PaintPoint(const TCustomSeries& series, int index) {
  const TColor color = series.PointColor(index);
  int x = 0;
  int y = 0;
  if (!series.PlacePoint(index, x, y)) {
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
  const bool pointer = series.Pointer().Visible();
  if (index == series.FirstVisiblePoint()) {
    if (index > 0 && series.EntryPoint(index, prevX_, prevY_)) {
      // The segment from the point before enters the plot rectangle at its edge.
      if (!series.IsNull(index - 1)) {
        Segment(series, x, y, color);
      }
    } else {
      prevX_ = x;
      prevY_ = y;
    }
    if (index == series.LastVisiblePoint() && pointer && color != clNone) {
      Pointer(series, index, x, y, color);
    }
  } else {
    Segment(series, x, y, color);
    if (pointer) {
      // The previous marker goes on top of both segments that meet at it.
      if (prevColor_ != clNone) {
        Pointer(series, index - 1, prevX_, prevY_, prevColor_);
      }
      if (index == series.LastVisiblePoint() && color != clNone) {
        Pointer(series, index, x, y, color);
      }
    }
  }
  prevX_ = x;
  prevY_ = y;
  prevColor_ = color;
  placedAny_ = true;
}

// [SECTION] Value marks

void TSeriesPainter::PaintMarks() {
  const TSeriesMarks& marks = series_.Marks();
  if (marks.Clip()) {
    canvas_.ClipRectangle(TRect{plot_.Left + 1, plot_.Top + 1, plot_.Right, plot_.Bottom - 1});
  }
  const TColor chartColor = series_.ParentChart()->Color();
  for (const TMarkLayout& mark : layout_.Marks) {
    const TSeriesMarkPosition& pos = mark.Position;
    canvas_.SetFont(marks.Font().ToCanvas());
    const int h = canvas_.FontHeight();
    if (marks.Arrow().Visible()) {
      // An arrow that would vanish against the point or the panel turns black (white on a
      // black panel).
      TColor color = marks.Arrow().Color();
      if (color == series_.PointColor(mark.Index) || color == chartColor) {
        color = chartColor == clBlack ? clWhite : clBlack;
      }
      canvas_.SetPen(marks.Arrow().ToCanvas(color));
      canvas_.SetBrush(TCanvasBrush{clWhite, bsClear});
      canvas_.MoveTo(pos.ArrowStart.X, pos.ArrowStart.Y);
      canvas_.LineTo(pos.ArrowEnd.X, pos.ArrowEnd.Y);
    }
    int textTop = pos.BoxLeftTop.Y;
    if (marks.Frame().Visible() || !marks.Transparent()) {
      canvas_.SetBrush(TCanvasBrush{marks.BackColor(), marks.Transparent() ? bsClear : bsSolid});
      canvas_.SetPen(marks.Frame().ToCanvas());
      canvas_.Rectangle(TRect{pos.BoxLeftTop.X, pos.BoxLeftTop.Y, pos.BoxLeftTop.X + pos.BoxWidth,
                              pos.BoxLeftTop.Y + pos.BoxHeight});
      if (marks.Frame().Visible()) {
        textTop += marks.Frame().Width();
      }
    }
    canvas_.SetBrush(TCanvasBrush{clWhite, bsClear});
    canvas_.SetBackMode(TBackMode::Transparent);
    canvas_.SetTextAlign(TTextAlignH::Center, TTextAlignV::Top);
    for (const std::string_view line : SplitLines(mark.Text)) {
      canvas_.TextOut(pos.BoxLeftTop.X + pos.BoxWidth / 2, textTop, line);
      textTop += h;
    }
    canvas_.SetTextAlign(TTextAlignH::Left, TTextAlignV::Top);
  }
  if (marks.Clip()) {
    canvas_.UnClipRectangle();
  }
}
