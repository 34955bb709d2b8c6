// The chart's painting sequence: background, titles, axis layout, marker margins, back
// wall, axes, series.
#include <algorithm>

#include "Chart.h"
#include "ChartMath.h"

namespace {

TRect Shrunk(const TRect& r, int by) {
  return TRect{r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

}  // namespace

void TChart::Draw(TChartCanvas& canvas) {
  ++drawCount_;
  canvas.BeginBuffer(std::max(width_, 0), std::max(height_, 0));
  if (width_ > 0 && height_ > 0) {
    plotRect_ = TRect{MulDiv(marginLeft_, width_, 100) + borderWidth_,
                      MulDiv(marginTop_, height_, 100) + borderWidth_,
                      width_ - MulDiv(marginRight_, width_, 100) - borderWidth_,
                      height_ - MulDiv(marginBottom_, height_, 100) - borderWidth_};
    NormalizePlotRect();
    PaintChart(canvas);
  }
  canvas.EndBuffer();
}

void TChart::NormalizePlotRect() {
  TRect& r = plotRect_;
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  if (r.Right < r.Left) {
    r.Right = r.Left + 1;
  } else if (r.Right == r.Left) {
    r.Right = r.Left + width_;
  }
  if (r.Bottom < r.Top) {
    r.Bottom = r.Top + 1;
  } else if (r.Bottom == r.Top) {
    r.Bottom = r.Top + height_;
  }
}

void TChart::PaintChart(TChartCanvas& canvas) {
  PaintBackground(canvas);
  PaintTitle(canvas, title_, true);
  PaintTitle(canvas, foot_, false);
  LayoutAxes(canvas);
  ApplyMarkerMargins();
  PaintBackWall(canvas);
  if (axisVisible_) {
    if (OnBeforeDrawAxes) {
      OnBeforeDrawAxes(*this);
    }
    for (TCustomChartAxis* axis : axisList_) {
      if (axis->IsShown()) {
        axis->Draw(canvas, plotRect_);
      }
    }
  }
  if (OnBeforeDrawSeries) {
    OnBeforeDrawSeries(*this);
  }
  for (const auto& series : series_) {
    if (!series->Active()) {
      continue;
    }
    series->CalcFirstLastVisible();
    if (series->FirstVisiblePoint() >= 0) {
      series->DrawSeries(canvas);
    }
  }
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

void TChart::PaintTitle(TChartCanvas& canvas, TChartTitle& title, bool onTop) {
  const std::vector<std::string>& lines = title.Text();
  if (!title.Visible() || lines.empty()) {
    return;
  }
  canvas.SetFont(title.Font().ToCanvas());
  const int h = canvas.FontHeight();
  const int n = static_cast<int>(lines.size());

  TCanvasBrush brush{title.Color(), bsSolid};
  if (title.Color() == clDefault) {
    const TChartBrush& b = title.Brush();
    if (b.Style() != bsSolid) {
      brush = TCanvasBrush{b.Color(), b.Style()};
    } else if (b.Color() == clDefault) {
      brush = TCanvasBrush{clWhite, bsClear};
    } else {
      brush = TCanvasBrush{b.Color(), bsSolid};
    }
  }
  const TChartPen& frame = title.Frame();
  const int f = frame.Visible() && frame.Color() != clDefault ? frame.Width() : 0;

  TRect box{plotRect_.Left + f, 0, plotRect_.Right - f, 0};
  box.Top = onTop ? plotRect_.Top + f : plotRect_.Bottom - f - n * h;
  box.Bottom = box.Top + n * h;

  const int w = canvas.TextWidth("W");
  if (f > 0 || brush.Style != bsClear) {
    TRect drawn = box;
    if (title.AdjustFrame()) {
      int widest = 0;
      for (const std::string& line : lines) {
        widest = std::max(widest, canvas.TextWidth(line));
      }
      const int width = widest + w;
      if (title.Alignment() == taCenter) {
        drawn.Left = (box.Left + box.Right) / 2 - width / 2;
      } else if (title.Alignment() == taRightJustify) {
        drawn.Left = box.Right - width;
      }
      drawn.Right = drawn.Left + width;
    }
    canvas.SetPen(frame.ToCanvas());
    canvas.SetBrush(brush);
    canvas.Rectangle(drawn);
  }

  canvas.SetBackMode(TBackMode::Transparent);
  canvas.SetBrush(TCanvasBrush{clWhite, bsClear});
  int x = (box.Left + box.Right) / 2;
  TTextAlignH align = TTextAlignH::Center;
  if (title.Alignment() == taLeftJustify) {
    x = box.Left + w / 2;
    align = TTextAlignH::Left;
  } else if (title.Alignment() == taRightJustify) {
    x = box.Right - w / 2;
    align = TTextAlignH::Right;
  }
  canvas.SetTextAlign(align, TTextAlignV::Top);
  for (int k = 0; k < n; ++k) {
    canvas.TextOut(x, box.Top + k * h, lines[static_cast<std::size_t>(k)]);
  }
  canvas.SetTextAlign(TTextAlignH::Left, TTextAlignV::Top);

  if (onTop) {
    plotRect_.Top = box.Bottom + f + 5;
  } else {
    plotRect_.Bottom = box.Top - f - 5;
  }
  NormalizePlotRect();
}

// [SECTION] Axis layout and marker margins

void TChart::LayoutAxes(TChartCanvas& canvas) {
  for (TCustomChartAxis* axis : axisList_) {
    axis->CalcAutomaticLimits();
  }
  for (TCustomChartAxis* axis : {&bottomAxis_, &topAxis_, &leftAxis_, &rightAxis_}) {
    if (axis->IsShown()) {
      axis->CalcBands(canvas, plotRect_);
      NormalizePlotRect();
    }
  }
  for (TCustomChartAxis* axis : axisList_) {
    axis->CalcPositions(plotRect_);
  }
}

void TChart::ApplyMarkerMargins() {
  for (TCustomChartAxis* axis : {&topAxis_, &leftAxis_, &rightAxis_, &bottomAxis_}) {
    int start = 0;  // left or top
    int end = 0;    // right or bottom
    for (const auto& series : series_) {
      if (!series->Active() || !series->AssociatedToAxis(*axis)) {
        continue;
      }
      int a = 0;
      int b = 0;
      if (axis->Horizontal()) {
        series->HorizMargins(a, b);
      } else {
        series->VertMargins(a, b);
      }
      start = std::max(start, a);
      end = std::max(end, b);
    }
    // Only automatic ends move: the top of a vertical axis is its maximum.
    const bool startAuto = axis->Horizontal() ? axis->AutomaticMinimum() : axis->AutomaticMaximum();
    const bool endAuto = axis->Horizontal() ? axis->AutomaticMaximum() : axis->AutomaticMinimum();
    axis->ApplyMargins(startAuto ? start : 0, endAuto ? end : 0, plotRect_);
  }
}

// [SECTION] Back wall and canvas reset

void TChart::PaintBackWall(TChartCanvas& canvas) {
  TCanvasBrush brush{backWall_.Color(), backWall_.Brush().Style()};
  if (backWall_.Color() == clDefault && backWall_.Brush().Style() == bsSolid) {
    brush = TCanvasBrush{clWhite, bsClear};
  }
  canvas.SetPen(backWall_.Pen().ToCanvas());
  canvas.SetBrush(brush);
  canvas.Rectangle(TRect{plotRect_.Left, plotRect_.Top, plotRect_.Right + 1, plotRect_.Bottom + 1});
}

void TChart::ResetCanvas(TChartCanvas& canvas) {
  canvas.SetPen(TCanvasPen{clBlack, 1, psSolid});
  canvas.SetBrush(TCanvasBrush{clWhite, bsSolid});
  canvas.SetFont(TCanvasFont{"Arial", 13, clBlack, 0, 0});
  canvas.SetBackColor(clWhite);
  canvas.SetBackMode(TBackMode::Transparent);
}
