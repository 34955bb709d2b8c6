// The layout steps of an axis: label capacity and step, the title, label and tick bands,
// the pixel positions, the room kept for point markers, and the labels of this paint.
#include <algorithm>
#include <cmath>

#include "AxisScale.h"
#include "Chart.h"
#include "ChartAxis.h"
#include "ChartMath.h"
#include "TextLines.h"

namespace {

int WidestLine(TChartCanvas& canvas, std::string_view text) {
  int widest = 0;
  for (const std::string_view line : SplitLines(text)) {
    widest = std::max(widest, canvas.TextWidth(line));
  }
  return widest;
}

int LineCount(std::string_view text) {
  return 1 + static_cast<int>(std::count(text.begin(), text.end(), LineSeparator));
}

}  // namespace

int TCustomChartAxis::CalcLabelCapacity(TChartCanvas& canvas) const {
  canvas.SetFont(labelsFont_.ToCanvas());
  int size = 0;
  const std::string top = LabelText(layout_.EffectiveMaximum);
  const std::string bottom = LabelText(layout_.EffectiveMinimum);
  if (horizontal_) {
    size = std::max(WidestLine(canvas, top), WidestLine(canvas, bottom));
  } else {
    size = canvas.FontHeight() * std::max(LineCount(top), LineCount(bottom));
  }
  return LabelCapacity(AxisSize(), size, labelsSeparation_);
}

double TCustomChartAxis::CalcLabelStep(TChartCanvas& canvas) const {
  return LabelStep(layout_.EffectiveRange, increment_, CalcLabelCapacity(canvas),
                   labelsSeparation_);
}

void TCustomChartAxis::CalcBands(TChartCanvas& canvas, TRect& rect) {
  // Takes band pixels off rect on the axis' side and returns the new edge.
  const auto shrink = [&](int band) {
    if (horizontal_) {
      return otherSide_ ? (rect.Top += band) : (rect.Bottom -= band);
    }
    return otherSide_ ? (rect.Right -= band) : (rect.Left += band);
  };
  const int acrossSize = horizontal_ ? rect.Height() : rect.Width();

  if (!title_.Caption().empty()) {
    int band = titleSize_;
    if (band == 0) {
      const int angle = title_.Angle();
      canvas.SetFont(title_.Font().ToCanvas(angle));
      const bool along = horizontal_ ? (angle == 0 || angle == 180) : (angle == 90 || angle == 270);
      band = along ? canvas.FontHeight() * LineCount(title_.Caption())
                   : WidestLine(canvas, title_.Caption());
    }
    layout_.TitlePos = shrink(band);
  }
  if (labels_) {
    int band = labelsSize_;
    if (band == 0) {
      canvas.SetFont(labelsFont_.ToCanvas());
      if (horizontal_) {
        band = canvas.FontHeight();
      } else {
        // Measured with the step of the previous paint's axis length.
        const double step = CalcLabelStep(canvas);
        double top = layout_.EffectiveMaximum;
        double bottom = layout_.EffectiveMinimum;
        if (roundFirstLabel_) {
          top = std::trunc(layout_.EffectiveMaximum / step) * step;
          bottom = std::trunc(layout_.EffectiveMinimum / step) * step;
        }
        canvas.SetFont(labelsFont_.ToCanvas());
        band = std::max(WidestLine(canvas, LabelText(top, false)),
                        WidestLine(canvas, LabelText(bottom, false))) +
               canvas.TextWidth(" ");
      }
    }
    layout_.LabelsPos = shrink(band);
  }
  int tickBand = (axis_.Visible() ? axis_.Width() : 0) + (ticks_.Visible() ? tickLength_ : 0);
  if (minorTicks_.Visible() && minorTickLength_ > tickBand) {
    tickBand = minorTickLength_;
  }
  shrink(tickBand);

  if (positionPercent_ != 0.0) {
    const int offset = PixelOffset(positionPercent_ * 0.01 * acrossSize);
    const int inwards = (horizontal_ != otherSide_) ? -offset : offset;
    layout_.TitlePos += inwards;
    layout_.LabelsPos += inwards;
  }
}

void TCustomChartAxis::CalcPositions(const TRect& plotRect) {
  const int origin = horizontal_ ? plotRect.Left : plotRect.Top;
  const int length = horizontal_ ? plotRect.Width() : plotRect.Height();
  layout_.AxisStart = origin + PixelOffset(length * 0.01 * startPosition_);
  layout_.AxisEnd = origin + PixelOffset(length * 0.01 * endPosition_);
  // The line lies on the plot's edge on the axis' side, moved outwards by PositionPercent.
  int edge = horizontal_ ? (otherSide_ ? plotRect.Top : plotRect.Bottom)
                         : (otherSide_ ? plotRect.Right : plotRect.Left);
  if (positionPercent_ != 0.0) {
    const int outward = horizontal_ == otherSide_ ? -1 : 1;
    const int across = horizontal_ ? plotRect.Height() : plotRect.Width();
    edge -= outward * PixelOffset(positionPercent_ * 0.01 * across);
  }
  layout_.AxisLinePos = edge;
}

void TCustomChartAxis::ApplyMargins(int startMargin, int endMargin, const TRect& plotRect) {
  if (startMargin == 0 && endMargin == 0) {
    return;
  }
  const int oldStart = layout_.AxisStart;
  const int oldEnd = layout_.AxisEnd;
  layout_.AxisStart += startMargin;
  layout_.AxisEnd -= endMargin;
  // An axis too short for its margins keeps its limits rather than collapsing them.
  if (AxisSize() < 1) {
    layout_.AxisStart = oldStart;
    layout_.AxisEnd = oldEnd;
    return;
  }
  const double a = PixelToValue(oldStart);
  const double b = PixelToValue(oldEnd);
  layout_.EffectiveMinimum = std::min(a, b);
  layout_.EffectiveMaximum = std::max(a, b);
  layout_.EffectiveRange = layout_.EffectiveMaximum - layout_.EffectiveMinimum;
  CalcPositions(plotRect);
}

void TCustomChartAxis::CalcLabels(TChartCanvas& canvas) {
  layout_.Step = CalcLabelStep(canvas);
  layout_.Labels.clear();
  layout_.TickList.clear();
  if (EffectiveLabelStyle() == talNone) {
    return;
  }
  // A label far off the panel, as an axis stretched far beyond the plot puts them, can never
  // be seen: it is neither drawn nor ticked.
  const long long extent = chart_ ? (horizontal_ ? chart_->Width() : chart_->Height()) : 0;
  auto offPanel = [&](int p) { return chart_ && (p < -extent || p > 2 * extent); };
  ForEachLabelValue(
      EffectiveMinimum(), EffectiveMaximum(), layout_.Step, roundFirstLabel_, [&](double v) {
        const int p = ValueToPixel(v);
        if (!labelsOnAxis_ && !(AxisStart() < p && p < AxisEnd())) {
          return true;
        }
        if (offPanel(p)) {
          return true;
        }
        const bool records = !tickOnLabelsOnly_ || labels_;
        if (records && static_cast<int>(layout_.TickList.size()) >= TickListCapacity) {
          return false;  // the tick list is full: no more labels
        }
        if (!tickOnLabelsOnly_) {
          layout_.TickList.push_back(p);
        }
        if (labels_) {
          if (tickOnLabelsOnly_) {
            layout_.TickList.push_back(p);
          }
          layout_.Labels.push_back(TAxisLabel{v, p, LabelText(v)});
        }
        return true;
      });
}
