// The chart's painting sequence: background, layout, titles, back wall, axes, series, legend. Every
// position comes from the layout; painting changes nothing of the chart.
#include <algorithm>

#include "Chart.h"
#include "SeriesPainter.h"

namespace {

TRect Shrunk(const TRect& r, int by) {
  return TRect{r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

}  // namespace

void TChart::Draw(TChartCanvas& canvas) {
  ++drawCount_;
  canvas.BeginBuffer(std::max(width_, 0), std::max(height_, 0));
  if (width_ > 0 && height_ > 0) {
    PaintBackground(canvas);
    ComputeLayout(canvas);
    PaintChart(canvas);
  }
  canvas.EndBuffer();
}

void TChart::PaintChart(TChartCanvas& canvas) {
  PaintTitle(canvas, title_, layout_.Title);
  PaintTitle(canvas, foot_, layout_.Foot);
  PaintBackWall(canvas);
  if (axisVisible_) {
    if (OnBeforeDrawAxes) {
      OnBeforeDrawAxes(*this);
    }
    for (TCustomChartAxis* axis : axisList_) {
      if (axis->IsShown()) {
        axis->Draw(canvas, layout_.PlotRect);
      }
    }
  }
  if (OnBeforeDrawSeries) {
    OnBeforeDrawSeries(*this);
  }
  for (const TSeriesLayout& series : layout_.Series) {
    // The series' own events may be called, so the painter holds it as the chart does.
    TSeriesPainter(*const_cast<TChartSeries*>(series.Series), series, canvas, layout_.PlotRect,
                   clipPoints_)
        .Paint();
  }
  PaintLegend(canvas);
  ResetCanvas(canvas);
  if (OnAfterDraw) {
    OnAfterDraw(*this);
  }
}

// [SECTION] Background and titles

void TChart::PaintBackground(TChartCanvas& canvas) {
  const TRect bounds = PanelBounds();
  canvas.SetBrush(TCanvasBrush{color_, bsSolid});
  canvas.FillRect(bounds);
  TRect r = bounds;
  const auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone || bevelWidth_ <= 0) {
      return;
    }
    const bool raised = cut == bvRaised;
    canvas.Frame3D(r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
                   bevelWidth_);
    r = Shrunk(r, bevelWidth_);
  };
  bevel(bevelOuter_);
  if (borderWidth_ > 0) {
    canvas.Frame3D(r, color_, color_, borderWidth_);
    r = Shrunk(r, borderWidth_);
  }
  bevel(bevelInner_);
}

void TChart::PaintTitle(TChartCanvas& canvas, const TChartTitle& title,
                        const TTitleLayout& layout) {
  if (!layout.Shown) {
    return;
  }
  canvas.SetFont(title.Font().ToCanvas());
  if (layout.Boxed) {
    canvas.SetPen(title.Frame().ToCanvas());
    canvas.SetBrush(layout.Brush);
    canvas.Rectangle(layout.BoxDrawn);
  }
  canvas.SetBackMode(TBackMode::Transparent);
  canvas.SetBrush(TCanvasBrush{clWhite, bsClear});
  canvas.SetTextAlign(layout.Align, TTextAlignV::Top);
  const std::vector<std::string>& lines = title.Text();
  for (std::size_t k = 0; k < lines.size(); ++k) {
    canvas.TextOut(layout.TextX, layout.Box.Top + static_cast<int>(k) * layout.LineHeight,
                   lines[k]);
  }
  canvas.SetTextAlign(TTextAlignH::Left, TTextAlignV::Top);
}

// [SECTION] Back wall and canvas reset

void TChart::PaintBackWall(TChartCanvas& canvas) {
  TCanvasBrush brush{backWall_.Color(), backWall_.Brush().Style()};
  if (backWall_.Color() == clDefault && backWall_.Brush().Style() == bsSolid) {
    brush = TCanvasBrush{clWhite, bsClear};
  }
  const TRect& plot = layout_.PlotRect;
  canvas.SetPen(backWall_.Pen().ToCanvas());
  canvas.SetBrush(brush);
  canvas.Rectangle(TRect{plot.Left, plot.Top, plot.Right + 1, plot.Bottom + 1});
}

void TChart::ResetCanvas(TChartCanvas& canvas) {
  canvas.SetPen(TCanvasPen{clBlack, 1, psSolid});
  canvas.SetBrush(TCanvasBrush{clWhite, bsSolid});
  canvas.SetFont(TCanvasFont{"Arial", 13, clBlack, 0, 0});
  canvas.SetBackColor(clWhite);
  canvas.SetBackMode(TBackMode::Transparent);
}
