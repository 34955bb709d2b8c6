// The layout steps of an axis: label capacity and step, the title, label and tick bands,
// the pixel positions, the room kept for point markers, and the labels of this paint.
#include <algorithm>
#include <climits>
#include <cmath>

#include "AxisScale.h"
#include "Chart.h"
#include "ChartAxis.h"
#include "ChartMath.h"
#include "TextLines.h"
#include "ValueFormat.h"

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

int TCustomChartAxis::LabelSizeAt(TChartCanvas& canvas, double step, bool all) const {
  const double lo = layout_.EffectiveMinimum;
  const double hi = layout_.EffectiveMaximum;
  int size = 0;
  const auto measure = [&](double v) {
    const std::string text = StepLabelText(v, step, false);
    size = std::max(size,
                    horizontal_ ? WidestLine(canvas, text) : canvas.FontHeight() * LineCount(text));
    return true;
  };
  if (all) {
    ForEachLabelValue(lo, hi, step, roundFirstLabel_, measure);
  } else {
    measure(FirstLabelValue(lo, hi, step, roundFirstLabel_));
    measure(roundFirstLabel_ ? std::trunc(lo / step) * step : lo);
  }
  return size;
}

int TCustomChartAxis::NarrowestGapAt(TChartCanvas& canvas, double step) const {
  int narrowest = INT_MAX;
  bool first = true;
  int previousLeft = 0;
  int previousRight = 0;
  ForEachLabelValue(
      layout_.EffectiveMinimum, layout_.EffectiveMaximum, step, roundFirstLabel_, [&](double v) {
        const int width = WidestLine(canvas, StepLabelText(v, step, false));
        const int left = ValueToPixel(v) - width / 2;
        const int right = left + width;
        if (!first) {
          const int gap = left < previousLeft ? previousLeft - right : left - previousRight;
          narrowest = std::min(narrowest, gap);
        }
        first = false;
        previousLeft = left;
        previousRight = right;
        return true;
      });
  return narrowest;
}

double TCustomChartAxis::CalcLabelStep(TChartCanvas& canvas) const {
  const double range = layout_.EffectiveRange;
  const int size = AxisSize();
  if (labelsSeparation_ <= 0 || !(range > 0.0) || !std::isfinite(range) || size < 1) {
    return LabelStep(range, increment_, CalcLabelCapacity(canvas), labelsSeparation_);
  }
  // The finest step of the sequence, never finer than Increment, whose labels (as this step
  // writes them) fit: from at most one label a pixel upwards.
  canvas.SetFont(labelsFont_.ToCanvas());
  double step = std::max(increment_, NiceStepAtMost(range / size));
  const int smallest = std::max(1, horizontal_ ? canvas.TextWidth("0") : canvas.FontHeight());
  const int most = LabelCapacity(size, smallest, labelsSeparation_);
  // Side by side, labels keep their separation and at least a blank between them, counted in
  // the pixels they are drawn at: the count of labels alone would let rounding bring them
  // within a pixel of each other, where "10", "11", "12" read as "101112".
  const int blank = canvas.TextWidth(" ");
  for (int round = 0; round < 4000 && std::isfinite(step); ++round) {
    const double n = RoundHalfEven(range / step);
    if (n <= most &&
        n <= LabelCapacity(size, LabelSizeAt(canvas, step, false), labelsSeparation_)) {
      if (!horizontal_) {
        break;
      }
      const int widest = LabelSizeAt(canvas, step, true);
      const int gap = std::max(blank, RoundToInt(labelsSeparation_ * 0.01 * widest));
      if (n <= LabelCapacity(size, widest, labelsSeparation_) &&
          NarrowestGapAt(canvas, step) >= gap) {
        break;
      }
    }
    step = NextNiceStep(step);
  }
  // No floor but a positive step: a range of 1e-300 has its labels as one of 1 has.
  return step > 0.0 ? step : MinimumStep;
}

void TCustomChartAxis::CalcBands(TChartCanvas& canvas, TRect& rect, int startMargin,
                                 int endMargin) {
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
        // The widest label this paint draws: the axis is placed on the rectangle as it now
        // stands (its length along a vertical axis is final once the horizontal bands are
        // taken), its labels worked out, and the layout put back.
        const TAxisLayout kept = layout_;
        CalcPositions(rect);
        ApplyMargins(startMargin, endMargin, rect);
        CalcLabels(canvas);
        canvas.SetFont(labelsFont_.ToCanvas());
        int widest = 0;
        for (const TAxisLabel& label : layout_.Labels) {
          widest = std::max(widest, WidestLine(canvas, label.Text));
        }
        layout_ = kept;
        band = widest + canvas.TextWidth(" ");
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

std::string TCustomChartAxis::StepLabelText(double value, double step, bool withEvent) const {
  if (layout_.EffectiveRange == 0.0) {
    return LabelText(value, withEvent);  // one label: no step to tell it from another
  }
  const double magnitude =
      std::max(std::fabs(layout_.EffectiveMinimum), std::fabs(layout_.EffectiveMaximum));
  return FinishLabel(FormatForStep(axisValuesFormat_, value, step, magnitude), withEvent);
}

TRect TCustomChartAxis::LabelBox(TChartCanvas& canvas, int pixel, std::string_view text) const {
  const int h = canvas.FontHeight();
  const std::vector<std::string_view> lines = SplitLines(text);
  const int height = h * static_cast<int>(lines.size());
  const int width = WidestLine(canvas, text);
  const int pos = layout_.LabelsPos;
  if (horizontal_) {
    const int top = otherSide_ ? pos - height : pos;
    const int left = pixel - width / 2;
    return TRect{left, top, left + width, top + height};
  }
  const int top = pixel - h / 2;
  return otherSide_ ? TRect{pos, top, pos + width, top + height}
                    : TRect{pos - width, top, pos, top + height};
}

TRect TCustomChartAxis::TitleBox(TChartCanvas& canvas) const {
  if (title_.Caption().empty()) {
    return TRect{};
  }
  canvas.SetFont(title_.Font().ToCanvas(title_.Angle()));
  const int along = WidestLine(canvas, title_.Caption());
  const int across = canvas.FontHeight() * LineCount(title_.Caption());
  const int c = AxisCenter();
  const int pos = layout_.TitlePos;
  if (horizontal_) {
    return otherSide_ ? TRect{c - along / 2, pos - across, c + along / 2, pos}
                      : TRect{c - along / 2, pos, c + along / 2, pos + across};
  }
  return otherSide_ ? TRect{pos, c - along / 2, pos + across, c + along / 2}
                    : TRect{pos - across, c - along / 2, pos, c + along / 2};
}

void TCustomChartAxis::CalcLabels(TChartCanvas& canvas, std::vector<TRect>* taken,
                                  const TRect* panel) {
  layout_.Step = CalcLabelStep(canvas);
  layout_.Labels.clear();
  layout_.TickList.clear();
  if (EffectiveLabelStyle() == talNone) {
    return;
  }
  canvas.SetFont(labelsFont_.ToCanvas());
  // A label far off the panel, as an axis stretched far beyond the plot puts them, can never
  // be seen: it is neither drawn nor ticked.
  const long long extent = chart_ ? (horizontal_ ? chart_->Width() : chart_->Height()) : 0;
  auto offPanel = [&](int p) { return chart_ && (p < -extent || p > 2 * extent); };
  // A zero range has its one value once.
  const bool once = layout_.EffectiveMinimum == layout_.EffectiveMaximum;
  ForEachLabelValue(
      layout_.EffectiveMinimum, layout_.EffectiveMaximum, layout_.Step, roundFirstLabel_,
      [&](double v) {
        const int p = ValueToPixel(v);
        if (!labelsOnAxis_ && !(AxisStart() < p && p < AxisEnd())) {
          return !once;
        }
        if (offPanel(p)) {
          return !once;
        }
        const bool records = !tickOnLabelsOnly_ || labels_;
        if (records && static_cast<int>(layout_.TickList.size()) >= TickListCapacity) {
          return false;  // the tick list is full: no more labels
        }
        if (!layout_.TickList.empty() && layout_.TickList.back() == p) {
          return !once;  // a second value on the same pixel adds nothing
        }
        if (!tickOnLabelsOnly_) {
          layout_.TickList.push_back(p);
        }
        if (labels_) {
          if (tickOnLabelsOnly_) {
            layout_.TickList.push_back(p);
          }
          std::string text = StepLabelText(v, layout_.Step, true);
          const bool repeated = std::any_of(layout_.Labels.begin(), layout_.Labels.end(),
                                            [&](const TAxisLabel& l) { return l.Text == text; });
          const TRect box = LabelBox(canvas, p, text);
          // A label that would read like another, leave the panel or cover a text placed
          // before it is left out; its tick stays.
          bool free = !repeated;
          if (free && panel != nullptr) {
            free = box.Left >= panel->Left && box.Top >= panel->Top && box.Right <= panel->Right &&
                   box.Bottom <= panel->Bottom;
          }
          if (free && taken != nullptr) {
            free = std::none_of(taken->begin(), taken->end(),
                                [&](const TRect& r) { return Overlaps(r, box); });
          }
          if (free) {
            layout_.Labels.push_back(TAxisLabel{v, p, std::move(text), box});
            if (taken != nullptr) {
              taken->push_back(box);
            }
          }
        }
        return !once;
      });
}
