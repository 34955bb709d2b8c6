// The chart's layout pass: plot rectangle, titles, axis bands and positions, room for
// point markers, axis labels, the visible points of each series and their value marks.
// Nothing is drawn here; the canvas is only asked for text extents.
#include <algorithm>

#include "Chart.h"
#include "ChartMath.h"
#include "CustomSeries.h"
#include "TextLines.h"

void TChart::ComputeLayout(TChartCanvas& canvas) {
  layout_ = TChartLayout{};
  layout_.PlotRect = TRect{MulDiv(marginLeft_, width_, 100) + borderWidth_,
                           MulDiv(marginTop_, height_, 100) + borderWidth_,
                           width_ - MulDiv(marginRight_, width_, 100) - borderWidth_,
                           height_ - MulDiv(marginBottom_, height_, 100) - borderWidth_};
  NormalizePlotRect();
  layout_.Title = LayoutTitle(canvas, title_, true);
  layout_.Foot = LayoutTitle(canvas, foot_, false);
  LayoutLegend(canvas);
  LayoutAxes(canvas);
  ApplyMarkerMargins();
  // Texts placed so far: a later one never covers an earlier one.
  std::vector<TRect> taken;
  if (layout_.Legend.Shown) {
    taken.push_back(layout_.Legend.Box);
  }
  const TRect panel = PanelBounds();
  if (axisVisible_) {
    for (TCustomChartAxis* axis : axisList_) {
      if (axis->IsShown()) {
        const TRect title = axis->TitleBox(canvas);
        if (title.Width() > 0) {
          taken.push_back(title);
        }
      }
    }
    for (TCustomChartAxis* axis : axisList_) {
      if (axis->IsShown()) {
        axis->CalcLabels(canvas, &taken, &panel);
      }
    }
  }
  for (const auto& series : series_) {
    if (series->Active()) {
      series->CalcFirstLastVisible();
    }
  }
  // Every marker of the chart stays uncovered by marks.
  for (const auto& series : series_) {
    const auto* custom = dynamic_cast<const TCustomSeries*>(series.get());
    if (!series->Active() || series->FirstVisiblePoint() < 0 || custom == nullptr ||
        !custom->Pointer().Visible()) {
      continue;
    }
    const int hs = custom->Pointer().HorizSize();
    const int vs = custom->Pointer().VertSize();
    for (int i = series->FirstVisiblePoint(); i <= series->LastVisiblePoint(); ++i) {
      int x = 0;
      int y = 0;
      if (!series->IsNull(i) && series->PlacePoint(i, x, y)) {
        taken.push_back(TRect{x - hs, y - vs, x + hs + 1, y + vs + 1});
      }
    }
  }
  for (const auto& series : series_) {
    if (series->Active() && series->FirstVisiblePoint() >= 0) {
      layout_.Series.push_back(TSeriesLayout{series.get(), LayoutMarks(canvas, *series, taken)});
    }
  }
}

void TChart::NormalizePlotRect() {
  TRect& r = layout_.PlotRect;
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

// [SECTION] Titles

TTitleLayout TChart::LayoutTitle(TChartCanvas& canvas, const TChartTitle& title, bool onTop) {
  TTitleLayout out;
  const std::vector<std::string>& lines = title.Text();
  if (!title.Visible() || lines.empty()) {
    return out;
  }
  out.Shown = true;
  canvas.SetFont(title.Font().ToCanvas());
  const int h = canvas.FontHeight();
  const int n = static_cast<int>(lines.size());
  out.LineHeight = h;

  out.Brush = TCanvasBrush{title.Color(), bsSolid};
  if (title.Color() == clDefault) {
    const TChartBrush& b = title.Brush();
    if (b.Style() != bsSolid) {
      out.Brush = TCanvasBrush{b.Color(), b.Style()};
    } else if (b.Color() == clDefault) {
      out.Brush = TCanvasBrush{clWhite, bsClear};
    } else {
      out.Brush = TCanvasBrush{b.Color(), bsSolid};
    }
  }
  const TChartPen& frame = title.Frame();
  const int f = frame.Visible() && frame.Color() != clDefault ? frame.Width() : 0;

  const TRect& plot = layout_.PlotRect;
  TRect& box = out.Box;
  box = TRect{plot.Left + f, 0, plot.Right - f, 0};
  box.Top = onTop ? plot.Top + f : plot.Bottom - f - n * h;
  box.Bottom = box.Top + n * h;

  const int w = canvas.TextWidth("W");
  out.Boxed = f > 0 || out.Brush.Style != bsClear;
  if (out.Boxed) {
    out.BoxDrawn = box;
    if (title.AdjustFrame()) {
      int widest = 0;
      for (const std::string& line : lines) {
        widest = std::max(widest, canvas.TextWidth(line));
      }
      const int width = widest + w;
      if (title.Alignment() == taCenter) {
        out.BoxDrawn.Left = (box.Left + box.Right) / 2 - width / 2;
      } else if (title.Alignment() == taRightJustify) {
        out.BoxDrawn.Left = box.Right - width;
      }
      out.BoxDrawn.Right = out.BoxDrawn.Left + width;
    }
  }
  out.TextX = (box.Left + box.Right) / 2;
  out.Align = TTextAlignH::Center;
  if (title.Alignment() == taLeftJustify) {
    out.TextX = box.Left + w / 2;
    out.Align = TTextAlignH::Left;
  } else if (title.Alignment() == taRightJustify) {
    out.TextX = box.Right - w / 2;
    out.Align = TTextAlignH::Right;
  }

  if (onTop) {
    layout_.PlotRect.Top = box.Bottom + f + 5;
  } else {
    layout_.PlotRect.Bottom = box.Top - f - 5;
  }
  NormalizePlotRect();
  return out;
}

// [SECTION] Axis layout and marker margins

void TChart::LayoutAxes(TChartCanvas& canvas) {
  for (TCustomChartAxis* axis : axisList_) {
    axis->CalcAutomaticLimits();
  }
  for (TCustomChartAxis* axis : {&bottomAxis_, &topAxis_, &leftAxis_, &rightAxis_}) {
    if (axis->IsShown()) {
      int start = 0;
      int end = 0;
      MarkerMargins(*axis, start, end);
      axis->CalcBands(canvas, layout_.PlotRect, start, end);
      NormalizePlotRect();
    }
  }
  for (TCustomChartAxis* axis : axisList_) {
    axis->CalcPositions(layout_.PlotRect);
  }
}

void TChart::MarkerMargins(const TCustomChartAxis& axis, int& start, int& end) const {
  start = 0;  // left or top
  end = 0;    // right or bottom
  for (const auto& series : series_) {
    if (!series->Active() || !series->AssociatedToAxis(axis)) {
      continue;
    }
    int a = 0;
    int b = 0;
    if (axis.Horizontal()) {
      series->HorizMargins(a, b);
    } else {
      series->VertMargins(a, b);
    }
    start = std::max(start, a);
    end = std::max(end, b);
  }
  // Only automatic ends move: the top of a vertical axis is its maximum.
  const bool startAuto = axis.Horizontal() ? axis.AutomaticMinimum() : axis.AutomaticMaximum();
  const bool endAuto = axis.Horizontal() ? axis.AutomaticMaximum() : axis.AutomaticMinimum();
  start = startAuto ? start : 0;
  end = endAuto ? end : 0;
}

void TChart::ApplyMarkerMargins() {
  for (TCustomChartAxis* axis : {&topAxis_, &leftAxis_, &rightAxis_, &bottomAxis_}) {
    int start = 0;
    int end = 0;
    MarkerMargins(*axis, start, end);
    axis->ApplyMargins(start, end, layout_.PlotRect);
  }
}

// [SECTION] Value marks

namespace {

// The point of rect nearest to p.
TPoint NearestOn(const TRect& rect, TPoint p) {
  return TPoint{std::clamp(p.X, rect.Left, rect.Right - 1),
                std::clamp(p.Y, rect.Top, rect.Bottom - 1)};
}

}  // namespace

std::vector<TMarkLayout> TChart::LayoutMarks(TChartCanvas& canvas, TChartSeries& series,
                                             std::vector<TRect>& taken) {
  std::vector<TMarkLayout> out;
  TSeriesMarks& marks = series.Marks();
  if (!marks.Visible()) {
    return out;
  }
  const auto* custom = dynamic_cast<const TCustomSeries*>(&series);
  const bool pointer = custom != nullptr && custom->Pointer().Visible();
  const int hs = pointer ? custom->Pointer().HorizSize() : 0;
  const int vs = pointer ? custom->Pointer().VertSize() : 0;
  const TRect panel = PanelBounds();
  const int first = series.FirstVisiblePoint();
  if (first < 0) {
    return out;  // no point visible
  }
  std::vector<std::string> texts = series.MarkTexts(first, series.LastVisiblePoint());
  for (int i = first; i <= series.LastVisiblePoint(); ++i) {
    if (series.IsNull(i)) {
      continue;
    }
    std::string text = std::move(texts[static_cast<std::size_t>(i - first)]);
    int x = 0;
    int y = 0;
    if (text.empty() || !series.PlacePoint(i, x, y)) {
      continue;
    }
    canvas.SetFont(marks.Font().ToCanvas());
    const int h = canvas.FontHeight();
    const std::vector<std::string_view> lines = SplitLines(text);
    int widest = 0;
    for (const std::string_view line : lines) {
      widest = std::max(widest, canvas.TextWidth(line));
    }
    const int frameWidth = marks.Frame().Visible() ? marks.Frame().Width() : 0;
    const int boxWidth = widest + canvas.TextWidth("W") + 2 * frameWidth;
    const int boxHeight = static_cast<int>(lines.size()) * h + 2 * frameWidth;

    TSeriesMarkPosition pos;
    pos.ArrowStart = pos.ArrowEnd = TPoint{x, y};
    pos.BoxLeftTop = TPoint{x - boxWidth / 2, y - boxHeight + 1};
    pos.BoxLeftTop.Y -= marks.ArrowLength();
    pos.ArrowEnd.Y -= marks.ArrowLength();
    pos.BoxWidth = boxWidth;
    pos.BoxHeight = boxHeight;
    auto& positions = marks.Positions();
    const auto slot = static_cast<std::size_t>(i);
    if (slot < positions.size() && positions[slot] && positions[slot]->CustomPosition) {
      pos = *positions[slot];
    } else {
      // The box stands clear of its own marker, inside the panel, off every text and marker
      // placed before it: above its point first, then higher, below, left and right; a mark
      // that finds no such place is left out.
      const int lift = std::max(0, vs + 1 - marks.ArrowLength());
      const TPoint first{pos.BoxLeftTop.X, pos.BoxLeftTop.Y - lift};
      const int gap = 2;
      const TPoint candidates[] = {
          first,
          {first.X, first.Y - (boxHeight + gap)},
          {first.X, first.Y - 2 * (boxHeight + gap)},
          {first.X, y + vs + 1 + marks.ArrowLength()},
          {first.X, y + vs + 1 + marks.ArrowLength() + boxHeight + gap},
          {x - hs - gap - boxWidth, y - boxHeight / 2},
          {x + hs + gap + 1, y - boxHeight / 2},
          {x - hs - gap - boxWidth, first.Y},
          {x + hs + gap + 1, first.Y},
          {x - hs - gap - boxWidth, y + vs + 1},
          {x + hs + gap + 1, y + vs + 1},
      };
      bool placed = false;
      for (TPoint c : candidates) {
        // Pushed back inside the panel across, where it would stick out.
        c.X = std::max(panel.Left, std::min(c.X, panel.Right - boxWidth));
        c.Y = std::max(panel.Top, std::min(c.Y, panel.Bottom - boxHeight));
        const TRect box{c.X, c.Y, c.X + boxWidth, c.Y + boxHeight};
        const bool inside = box.Left >= panel.Left && box.Top >= panel.Top &&
                            box.Right <= panel.Right && box.Bottom <= panel.Bottom;
        if (!inside || std::any_of(taken.begin(), taken.end(),
                                   [&](const TRect& r) { return Overlaps(r, box); })) {
          continue;
        }
        pos.BoxLeftTop = c;
        // Where the box is not straight above its point, the arrow runs to its nearest edge.
        if (!(c == first)) {
          pos.ArrowEnd = NearestOn(box, pos.ArrowStart);
        }
        taken.push_back(box);
        placed = true;
        break;
      }
      if (!placed) {
        continue;
      }
      if (slot >= positions.size()) {
        positions.resize(slot + 1);
      }
      positions[slot] = pos;
    }
    out.push_back(TMarkLayout{i, std::move(text), pos});
  }
  return out;
}
