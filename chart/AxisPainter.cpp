#include "AxisPainter.h"

#include <algorithm>
#include <cmath>

#include "AxisScale.h"
#include "Chart.h"
#include "ChartMath.h"
#include "TextLines.h"

namespace {

// Minor tick pixels between a and b: b - Round(j * (b - a) / (count + 1)), j = 1 .. count,
// from b towards a, kept only strictly inside the window (lo, hi). The work is bounded by
// the window's pixels however large count is: below a pixel's spacing every pixel between
// the two is hit anyway.
void AddMinorBetween(std::vector<int>& out, long long a, long long b, int count, int lo, int hi) {
  if (count <= 0 || a == b) {
    return;
  }
  const double gap = static_cast<double>(b - a);
  const double parts = count + 1.0;
  auto at = [&](long long j) {
    return b - static_cast<long long>(RoundHalfEven(static_cast<double>(j) * gap / parts));
  };
  const double step = gap / parts;
  if (std::fabs(step) >= 1.0) {
    // Only the j whose pixels can fall inside the window are visited.
    double j1 = (static_cast<double>(b) - hi) / step;
    double j2 = (static_cast<double>(b) - lo) / step;
    if (j1 > j2) {
      std::swap(j1, j2);
    }
    const long long first = std::max(1LL, static_cast<long long>(std::floor(j1)) - 1);
    const long long last = std::min<long long>(count, static_cast<long long>(std::ceil(j2)) + 1);
    for (long long j = first; j <= last; ++j) {
      const long long p = at(j);
      if (lo < p && p < hi) {
        out.push_back(static_cast<int>(p));
      }
    }
    return;
  }
  // Every pixel between a and b; the ends only where the rounding reaches them.
  const bool hitsB = at(1) == b;
  const bool hitsA = at(count) == a;
  const long long direction = a < b ? -1 : 1;
  const long long first =
      direction < 0 ? std::min<long long>(b, hi - 1LL) : std::max<long long>(b, lo + 1LL);
  const long long last =
      direction < 0 ? std::max<long long>(a, lo + 1LL) : std::min<long long>(a, hi - 1LL);
  for (long long p = first; direction < 0 ? p >= last : p <= last; p += direction) {
    if ((p == b && !hitsB) || (p == a && !hitsA)) {
      continue;
    }
    out.push_back(static_cast<int>(p));
  }
}

}  // namespace

void TCustomChartAxis::Draw(TChartCanvas& canvas, const TRect& plotRect) const {
  TAxisPainter(*this, canvas, plotRect).Paint();
}

TAxisPainter::TAxisPainter(const TCustomChartAxis& axis, TChartCanvas& canvas,
                           const TRect& plotRect)
    : axis_(axis),
      canvas_(canvas),
      plot_(plotRect),
      outward_(axis.Horizontal() == axis.OtherSide() ? -1 : 1) {}

TPoint TAxisPainter::At(int along, int across) const {
  return axis_.Horizontal() ? TPoint{along, across} : TPoint{across, along};
}

void TAxisPainter::Line(int along0, int across0, int along1, int across1) {
  const TPoint p0 = At(along0, across0);
  const TPoint p1 = At(along1, across1);
  canvas_.MoveTo(p0.X, p0.Y);
  canvas_.LineTo(p1.X, p1.Y);
}

void TAxisPainter::Paint() {
  const TCustomChartAxis& a = axis_;
  canvas_.SetFont(a.LabelsFont().ToCanvas());
  PaintTitle();
  PaintLabels();
  PaintAxisLine();
  if (a.Ticks().Visible()) {
    PaintTicks(a.TickList(), a.TickLength(), false);
  }
  if (a.Grid().Visible() && !a.TickList().empty()) {
    const TColor color = a.Grid().Color() == clDefault ? clGray : a.Grid().Color();
    canvas_.SetPen(a.Grid().ToCanvas(color));
    canvas_.SetBackMode(TBackMode::Transparent);
    std::vector<int> positions = a.TickList();
    if (a.GridCentered()) {
      positions.clear();
      for (std::size_t i = 1; i < a.TickList().size(); ++i) {
        positions.push_back(RoundToInt(0.5 * (a.TickList()[i - 1] + a.TickList()[i])));
      }
    }
    PaintGridLines(positions);
    canvas_.SetBackMode(TBackMode::Opaque);
  }
  if (a.TicksInner().Visible()) {
    PaintTicks(a.TickList(), a.TickInnerLength(), true);
  }
  PaintMinorTicks();
}

// [SECTION] Title and labels

void TAxisPainter::PaintTitle() {
  const TChartAxisTitle& title = axis_.Title();
  if (title.Caption().empty()) {
    return;
  }
  canvas_.SetFont(title.Font().ToCanvas(title.Angle()));
  canvas_.SetBrush(TCanvasBrush{clWhite, bsClear});
  canvas_.SetBackMode(TBackMode::Transparent);
  const int h = canvas_.FontHeight();
  const std::vector<std::string_view> lines = SplitLines(title.Caption());
  const int n = static_cast<int>(lines.size());
  const bool below = axis_.Horizontal() && !axis_.OtherSide();
  // The bottom axis hangs its title below TitlePos; the other sides stand it on TitlePos,
  // the last line nearest the plot.
  canvas_.SetTextAlign(TTextAlignH::Center, below ? TTextAlignV::Top : TTextAlignV::Bottom);
  for (int k = 0; k < n; ++k) {
    const int across =
        below ? axis_.TitlePos() + k * h : axis_.TitlePos() + outward_ * (n - 1 - k) * h;
    const TPoint p = At(axis_.AxisCenter(), across);
    canvas_.TextOut(p.X, p.Y, lines[static_cast<std::size_t>(k)]);
  }
  canvas_.SetTextAlign(TTextAlignH::Left, TTextAlignV::Top);
}

void TAxisPainter::PaintLabels() {
  if (axis_.EffectiveLabelStyle() == talNone) {
    return;
  }
  canvas_.SetFont(axis_.LabelsFont().ToCanvas());
  canvas_.SetBrush(TCanvasBrush{clWhite, bsClear});
  canvas_.SetBackMode(TBackMode::Transparent);
  for (const TAxisLabel& label : axis_.Layout().Labels) {
    PaintLabel(label.Pixel, label.Text);
  }
  canvas_.SetTextAlign(TTextAlignH::Left, TTextAlignV::Top);
}

void TAxisPainter::PaintLabel(int pixel, const std::string& text) {
  const int h = canvas_.FontHeight();
  const std::vector<std::string_view> lines = SplitLines(text);
  const int pos = axis_.LabelsPos();
  if (axis_.Horizontal()) {
    // Centred on the tick; the bottom axis hangs from LabelsPos, the top one stands on it.
    const bool below = !axis_.OtherSide();
    canvas_.SetTextAlign(TTextAlignH::Center, below ? TTextAlignV::Top : TTextAlignV::Bottom);
    const int n = static_cast<int>(lines.size());
    for (int k = 0; k < n; ++k) {
      const int y = below ? pos + k * h : pos - (n - 1 - k) * h;
      canvas_.TextOut(pixel, y, lines[static_cast<std::size_t>(k)]);
    }
    return;
  }
  // Right-aligned on the left axis, left-aligned on the right one; one-line labels are
  // centred on the tick.
  canvas_.SetTextAlign(axis_.OtherSide() ? TTextAlignH::Left : TTextAlignH::Right,
                       TTextAlignV::Top);
  int y = pixel - h / 2;
  for (const std::string_view line : lines) {
    canvas_.TextOut(pos, y, line);
    y += h;
  }
}

// [SECTION] Lines

void TAxisPainter::PaintAxisLine() {
  if (!axis_.Axis().Visible()) {
    return;
  }
  canvas_.SetPen(axis_.Axis().ToCanvas());
  Line(axis_.AxisStart(), axis_.AxisLinePos(), axis_.AxisEnd(), axis_.AxisLinePos());
}

void TAxisPainter::PaintTicks(const std::vector<int>& positions, int length, bool inwards) {
  if (length <= 0 || positions.empty()) {
    return;
  }
  const TChartPen& pen = inwards ? axis_.TicksInner() : axis_.Ticks();
  canvas_.SetPen(pen.ToCanvas());
  const int dir = inwards ? -outward_ : outward_;
  const int from = axis_.AxisLinePos() + dir;
  for (const int p : positions) {
    Line(p, from, p, from + dir * length);
  }
}

void TAxisPainter::PaintGridLines(const std::vector<int>& positions) {
  const int from = axis_.Horizontal() ? plot_.Top : plot_.Left;
  const int to = axis_.Horizontal() ? plot_.Bottom : plot_.Right;
  for (const int p : positions) {
    Line(p, from, p, to);
  }
}

void TAxisPainter::PaintMinorTicks() {
  const std::vector<int>& ticks = axis_.TickList();
  const int count = axis_.MinorTickCount();
  const bool ticksShown = axis_.MinorTicks().Visible() && axis_.MinorTickLength() > 0;
  const bool gridShown = axis_.MinorGrid().Visible();
  if (ticks.empty() || count <= 0 || (!ticksShown && !gridShown)) {
    return;
  }
  std::vector<int> minor;
  // Drawn only strictly inside the axis, and only where the panel can show them.
  int lo = axis_.AxisStart();
  int hi = axis_.AxisEnd();
  if (const TChart* chart = axis_.ParentChart()) {
    const int extent = axis_.Horizontal() ? chart->Width() : chart->Height();
    lo = std::max(lo, -1);
    hi = std::min(hi, std::max(extent, 0) + 1);
  }
  for (std::size_t i = 1; i < ticks.size(); ++i) {
    AddMinorBetween(minor, ticks[i - 1], ticks[i], count, lo, hi);
  }
  if (ticks.size() >= 2) {
    // The spacing of the first pair, continued beyond both ends of the list.
    const long long d = static_cast<long long>(ticks[1]) - ticks[0];
    AddMinorBetween(minor, ticks.front() - d, ticks.front(), count, lo, hi);
    AddMinorBetween(minor, ticks.back(), ticks.back() + d, count, lo, hi);
  }
  if (ticksShown) {
    canvas_.SetPen(axis_.MinorTicks().ToCanvas());
    const int from = axis_.AxisLinePos() + outward_;
    for (const int p : minor) {
      Line(p, from, p, from + outward_ * axis_.MinorTickLength());
    }
  }
  if (gridShown) {
    canvas_.SetPen(axis_.MinorGrid().ToCanvas());
    PaintGridLines(minor);
  }
}
