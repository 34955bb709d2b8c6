// Charts set up for exact pixel checks on the recording canvas.
#pragma once

#include <string>
#include <vector>

#include "Chart.h"
#include "RecordingCanvas.h"

namespace charttest {

// A size x size chart whose plot rectangle is the whole panel: no margins, no bevel, no
// axes drawn, white. With FixAxes both axes run 0 .. 10, so a value v sits at pixel
// v * size / 10 across and size - v * size / 10 down.
inline void MakePlain(TChart& chart, int size = 100) {
  chart.SetSize(size, size);
  chart.SetMarginLeft(0);
  chart.SetMarginTop(0);
  chart.SetMarginRight(0);
  chart.SetMarginBottom(0);
  chart.SetBevelOuter(bvNone);
  chart.SetColor(clWhite);
  chart.SetAxisVisible(false);
}

inline void FixAxes(TChart& chart, double min = 0.0, double max = 10.0) {
  chart.BottomAxis().SetLimits(min, max);
  chart.LeftAxis().SetLimits(min, max);
}

// The texts drawn, in order.
inline std::vector<std::string> Texts(const TRecordingCanvas& canvas) {
  std::vector<std::string> out;
  for (const TCanvasCall& c : canvas.Calls("TextOut")) {
    out.push_back(c.Text);
  }
  return out;
}

// The lines drawn as "x0 y0 -> x1 y1", in order, each line of a polyline on its own.
inline std::vector<std::string> Lines(const TRecordingCanvas& canvas) {
  std::vector<std::string> out;
  for (const TCanvasCall& c : canvas.Calls()) {
    if (c.Op == "LineTo") {
      out.push_back(c.ToString().substr(7));
    } else if (c.Op == "Polyline") {
      for (std::size_t i = 2; i + 1 < c.Args.size(); i += 2) {
        out.push_back(std::to_string(c.Args[i - 2]) + " " + std::to_string(c.Args[i - 1]) + " -> " +
                      std::to_string(c.Args[i]) + " " + std::to_string(c.Args[i + 1]));
      }
    }
  }
  return out;
}

// Index of the first call of op at or after from, or -1.
inline int Find(const TRecordingCanvas& canvas, const std::string& op, int from = 0) {
  const auto& calls = canvas.Calls();
  for (int i = from; i < static_cast<int>(calls.size()); ++i) {
    if (calls[static_cast<std::size_t>(i)].Op == op) {
      return i;
    }
  }
  return -1;
}

}  // namespace charttest
