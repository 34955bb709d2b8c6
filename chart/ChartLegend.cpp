// The chart's legend: a framed box right of the plot, one line for each active series that
// has a legend text, its line's colour and weight before its text. The layout takes the
// box's room from the plot rectangle before the axes are placed, so that no curve, axis
// label or value mark lies under it.
#include <algorithm>

#include "Chart.h"
#include "CustomSeries.h"

namespace {

constexpr int kPadding = 4;       // inside the frame, around the lines
constexpr int kSymbolWidth = 20;  // the sample of the series' line
constexpr int kSymbolGap = 4;     // between the sample and the text
constexpr int kPlotGap = 8;       // between the plot rectangle and the box
constexpr int kLineGap = 2;       // between two lines
constexpr const char* kEllipsis = "...";

// The text cut at the end, with an ellipsis, to at most `room` pixels; whole when it fits.
std::string Fitted(TChartCanvas& canvas, const std::string& text, int room) {
  if (canvas.TextWidth(text) <= room)
    return text;
  std::string cut = text;
  // One character less each time: bounded by the text's length.
  while (!cut.empty()) {
    cut.pop_back();
    // Never in the middle of a UTF-8 sequence.
    while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0x80)
      cut.pop_back();
    if (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0xC0)
      cut.pop_back();
    std::string shown = cut;
    shown += kEllipsis;
    if (canvas.TextWidth(shown) <= room)
      return shown;
  }
  return kEllipsis;
}

}  // namespace

void TChart::LayoutLegend(TChartCanvas& canvas) {
  TLegendLayout& legend = layout_.Legend;
  if (!legend_.Visible())
    return;
  std::vector<const TChartSeries*> listed;
  for (const auto& series : series_) {
    if (series->Active() && series->ShowInLegend() && !series->LegendText().empty())
      listed.push_back(series.get());
  }
  if (listed.empty())
    return;
  canvas.SetFont(legend_.Font().ToCanvas());
  const int lineHeight = canvas.FontHeight() + kLineGap;
  TRect& plot = layout_.PlotRect;
  // At most half the plot's width, and as many lines as its height holds.
  const int textRoom = std::max(0, plot.Width() / 2 - 2 * kPadding - kSymbolWidth - kSymbolGap);
  const int lines = std::min(static_cast<int>(listed.size()),
                             std::max(0, (plot.Height() - 2 * kPadding) / lineHeight));
  if (lines == 0 || textRoom == 0)
    return;
  int textWidth = 0;
  for (int k = 0; k < lines; ++k) {
    TLegendEntry entry;
    entry.Series = listed[static_cast<std::size_t>(k)];
    entry.Text = Fitted(canvas, entry.Series->LegendText(), textRoom);
    textWidth = std::max(textWidth, canvas.TextWidth(entry.Text));
    legend.Entries.push_back(std::move(entry));
  }
  const int width = 2 * kPadding + kSymbolWidth + kSymbolGap + textWidth;
  legend.Shown = true;
  legend.Box =
      TRect{plot.Right - width, plot.Top, plot.Right, plot.Top + 2 * kPadding + lines * lineHeight};
  for (int k = 0; k < lines; ++k) {
    TLegendEntry& entry = legend.Entries[static_cast<std::size_t>(k)];
    const int top = legend.Box.Top + kPadding + k * lineHeight;
    entry.Symbol = TRect{legend.Box.Left + kPadding, top, legend.Box.Left + kPadding + kSymbolWidth,
                         top + lineHeight - kLineGap};
    entry.TextX = entry.Symbol.Right + kSymbolGap;
    entry.TextY = top;
  }
  plot.Right = legend.Box.Left - kPlotGap;
  NormalizePlotRect();
}

void TChart::PaintLegend(TChartCanvas& canvas) {
  const TLegendLayout& legend = layout_.Legend;
  if (!legend.Shown)
    return;
  canvas.SetPen(legend_.Frame().ToCanvas());
  canvas.SetBrush(TCanvasBrush{legend_.Color(), bsSolid});
  canvas.Rectangle(legend.Box);
  canvas.SetFont(legend_.Font().ToCanvas());
  canvas.SetBackMode(TBackMode::Transparent);
  canvas.SetTextAlign(TTextAlignH::Left, TTextAlignV::Top);
  for (const TLegendEntry& entry : legend.Entries) {
    const auto* custom = dynamic_cast<const TCustomSeries*>(entry.Series);
    canvas.SetPen(custom != nullptr ? custom->LinePen().ToCanvas(entry.Series->SeriesColor())
                                    : TCanvasPen{entry.Series->SeriesColor(), 1, psSolid});
    const int middle = (entry.Symbol.Top + entry.Symbol.Bottom) / 2;
    canvas.MoveTo(entry.Symbol.Left, middle);
    canvas.LineTo(entry.Symbol.Right, middle);
    canvas.TextOut(entry.TextX, entry.TextY, entry.Text);
  }
}
