// Where an axis lies in one paint: its limits in force, its pixels along and across the
// plot, its label step and the labels with their pixels and texts. The chart works this
// out before anything is drawn; the axis painter only reads it.
#pragma once

#include <string>
#include <vector>

#include "ChartTypes.h"

// One label of an axis: its value, the pixel of its tick along the axis, and its text.
struct TAxisLabel {
  double Value = 0.0;
  int Pixel = 0;
  std::string Text;
  TRect Box;  // where its text lies
};

struct TAxisLayout {
  double EffectiveMinimum = 0.0;
  double EffectiveMaximum = 0.0;
  double EffectiveRange = 0.0;
  int AxisStart = 0;    // left or top pixel
  int AxisEnd = 0;      // right or bottom pixel
  int AxisLinePos = 0;  // the line's coordinate across the axis
  int LabelsPos = 0;
  int TitlePos = 0;
  double Step = 0.0;  // the label step
  // The labels to draw, from the top of the range downwards.
  std::vector<TAxisLabel> Labels;
  // Major tick pixels, in the order the labels were generated.
  std::vector<int> TickList;
};
