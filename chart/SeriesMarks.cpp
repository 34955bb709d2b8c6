#include "SeriesMarks.h"

#include <algorithm>
#include <cmath>

#include "Chart.h"
#include "ChartSeries.h"
#include "TextLines.h"

TSeriesMarks::TSeriesMarks() {
  arrow_.SetOnChange([this] { Changed(); });
  frame_.SetOnChange([this] { Changed(); });
  font_.SetOnChange([this] { Changed(); });
}

void TSeriesMarks::Draw(TChartSeries& series, TChartCanvas& canvas) {
  const TChart* chart = series.ParentChart();
  if (chart == nullptr || series.FirstVisiblePoint() < 0) {
    return;
  }
  if (clip_) {
    const TRect& plot = chart->PlotRect();
    canvas.ClipRectangle(TRect{plot.Left + 1, plot.Top + 1, plot.Right, plot.Bottom - 1});
  }
  for (int i = series.FirstVisiblePoint(); i <= series.LastVisiblePoint(); ++i) {
    if (series.IsNull(i)) {
      continue;
    }
    const std::string text = series.MarkText(i);
    if (!text.empty()) {
      DrawOne(series, canvas, i, text);
    }
  }
  if (clip_) {
    canvas.UnClipRectangle();
  }
}

void TSeriesMarks::DrawOne(TChartSeries& series, TChartCanvas& canvas, int index,
                           const std::string& text) {
  int x = 0;
  int y = 0;
  if (!series.PlacePoint(index, x, y)) {
    return;
  }
  canvas.SetFont(font_.ToCanvas());
  const std::vector<std::string_view> lines = SplitLines(text);
  const int h = canvas.FontHeight();
  int widest = 0;
  for (const std::string_view line : lines) {
    widest = std::max(widest, canvas.TextWidth(line));
  }
  const int frameWidth = frame_.Visible() ? frame_.Width() : 0;
  const int boxWidth = widest + canvas.TextWidth("W") + 2 * frameWidth;
  const int boxHeight = static_cast<int>(lines.size()) * h + 2 * frameWidth;

  TSeriesMarkPosition pos;
  pos.ArrowStart = pos.ArrowEnd = TPoint{x, y};
  pos.BoxLeftTop = TPoint{x - boxWidth / 2, y - boxHeight + 1};
  pos.BoxLeftTop.Y -= arrowLength_;
  pos.ArrowEnd.Y -= arrowLength_;
  pos.BoxWidth = boxWidth;
  pos.BoxHeight = boxHeight;
  const auto slot = static_cast<std::size_t>(index);
  if (slot < positions_.size() && positions_[slot] && positions_[slot]->CustomPosition) {
    pos = *positions_[slot];
  } else {
    if (slot >= positions_.size()) {
      positions_.resize(slot + 1);
    }
    positions_[slot] = pos;
  }

  if (arrow_.Visible()) {
    // An arrow that would vanish against the point or the panel turns black (white on a
    // black panel).
    const TColor chartColor = series.ParentChart()->Color();
    TColor color = arrow_.Color();
    if (color == series.PointColor(index) || color == chartColor) {
      color = chartColor == clBlack ? clWhite : clBlack;
    }
    canvas.SetPen(arrow_.ToCanvas(color));
    canvas.SetBrush(TCanvasBrush{clWhite, bsClear});
    canvas.MoveTo(pos.ArrowStart.X, pos.ArrowStart.Y);
    canvas.LineTo(pos.ArrowEnd.X, pos.ArrowEnd.Y);
  }
  int textTop = pos.BoxLeftTop.Y;
  if (frame_.Visible() || !transparent_) {
    canvas.SetBrush(TCanvasBrush{backColor_, transparent_ ? bsClear : bsSolid});
    canvas.SetPen(frame_.ToCanvas());
    canvas.Rectangle(TRect{pos.BoxLeftTop.X, pos.BoxLeftTop.Y, pos.BoxLeftTop.X + pos.BoxWidth,
                           pos.BoxLeftTop.Y + pos.BoxHeight});
    if (frame_.Visible()) {
      textTop += frame_.Width();
    }
  }
  canvas.SetBrush(TCanvasBrush{clWhite, bsClear});
  canvas.SetBackMode(TBackMode::Transparent);
  canvas.SetTextAlign(TTextAlignH::Center, TTextAlignV::Top);
  for (const std::string_view line : lines) {
    canvas.TextOut(pos.BoxLeftTop.X + pos.BoxWidth / 2, textTop, line);
    textTop += h;
  }
  canvas.SetTextAlign(TTextAlignH::Left, TTextAlignV::Top);
}
