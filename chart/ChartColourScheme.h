// The colours a chart is shown in. The chart is designed in black ink on white paper with a
// grey grid; a window of another palette (a dark one) shows the same chart in its own
// paper, ink and grid colours, and every other colour lightened or darkened until it stands
// out from the paper. The scheme is a value the Qt widget fills from its palette; the
// engine and its tests never see it.
#pragma once

#include "ChartTypes.h"

struct TChartColourScheme {
  TColor Paper = clWhite;  // = clWhite, what the chart paints white: its panel and boxes
  TColor Ink = clBlack;    // = clBlack, what it paints black: axes, ticks and texts
  TColor Grid = clGray;    // = clGray, what it paints grey: the grid and shadows
  TColor Face = 0xF0F0F0;  // = the button face, of bevels and mark boxes
  friend bool operator==(const TChartColourScheme&, const TChartColourScheme&) = default;
};

// The relative luminance of an RGB colour (red in the low byte), 0 for black to 1 for white.
double RelativeLuminance(TColor rgb);
// The contrast ratio of two RGB colours, 1 (equal) to 21 (black on white).
double ContrastRatio(TColor first, TColor second);
// Whether text in black would be harder to read on the paper than text in white.
bool IsDarkPaper(TColor paper);
// `color` mixed step by step toward white on dark paper, toward black on light paper, until
// its contrast with the paper is at least minimumContrast or it has become white or black.
TColor ReadableOn(TColor color, TColor paper, double minimumContrast);

// The colour the chart shows for a colour it was designed with (system colours resolved):
// white, black and grey become the scheme's paper, ink and grid, the button face its face;
// on dark paper every other colour is made readable on it; on light paper it stays as it is.
// The designed scheme shows every colour as designed.
TColor SchemeColor(const TChartColourScheme& scheme, TColor color);
// The colour the chart shows for a fill it was designed with (a brush, a text cell): as
// SchemeColor for white, black, grey and the face; on dark paper every other fill is
// darkened until the ink reads on it (the yellow of mark boxes), so that texts drawn in ink
// on it stay readable.
TColor SchemeFill(const TChartColourScheme& scheme, TColor color);
