#include "OverlayCharts.h"

#include "FeedbackChartSettings.h"

TColor ExpertSeriesColour(std::size_t index) {
  return kExpertSeriesColours[index % kExpertSeriesColours.size()];
}

void ShowOverlay(TChart& chart, TLineSeries& single, std::vector<TLineSeries*>& overlay,
                 const std::vector<TNamedCurve>& curves) {
  while (overlay.size() > curves.size()) {
    chart.RemoveSeries(overlay.back());
    overlay.pop_back();
  }
  while (overlay.size() < curves.size())
    overlay.push_back(AddCurve(chart, clBlack));
  for (std::size_t i = 0; i < curves.size(); ++i) {
    TLineSeries& series = *overlay[i];
    series.SetSeriesColor(curves[i].Colour);
    series.LinePen().SetWidth(curves[i].Width);
    series.SetLegendText(curves[i].Name);
    FeedSeries(series, curves[i].Points);
  }
  single.SetActive(curves.empty());
  chart.Legend().SetVisible(!curves.empty());
}
