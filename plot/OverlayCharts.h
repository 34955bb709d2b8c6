// The overlay of several experts' curves on the feedback window's density and
// distribution charts: their colours, in one place, and the series that show them. No Qt.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Chart.h"
#include "CustomSeries.h"
#include "GraphSamples.h"

// Colours that stay apart from one another and from the red diamonds of the marked points
// (after Okabe and Ito's palette for colour-blind readers): the experts' curves take them
// in turn. The pool's curve is drawn in kPoolSeriesColour, twice as thick.
// Each is written blue, green, red from the high byte down: 0xB27200 is #0072B2.
inline constexpr std::array<TColor, 6> kExpertSeriesColours{
    0xB27200 /* blue */,         0x009FE6 /* orange */,   0xA779CC /* reddish purple */,
    0x739E00 /* bluish green */, 0xE9B456 /* sky blue */, 0x005ED5 /* vermilion */};
inline constexpr TColor kPoolSeriesColour = clBlack;
// The index-th expert's colour, the list begun again after its last.
TColor ExpertSeriesColour(std::size_t index);

// One curve of the overlay: its name in the legend, its points, colour and line weight.
struct TNamedCurve {
  std::string Name;
  TPointList Points;
  TColor Colour = clBlack;
  int Width = 1;
};

// Shows the curves on the chart in place of its single-fit line: one line series each,
// added or taken away as needed and kept in `overlay`, named in the chart's legend.
// Without curves the overlay goes, the legend too, and the single-fit line shows again.
void ShowOverlay(TChart& chart, TLineSeries& single, std::vector<TLineSeries*>& overlay,
                 const std::vector<TNamedCurve>& curves);
