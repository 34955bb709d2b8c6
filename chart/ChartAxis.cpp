#include "ChartAxis.h"

#include <algorithm>
#include <cmath>

#include "AxisScale.h"
#include "Chart.h"
#include "ChartMath.h"
#include "TextLines.h"
#include "ValueFormat.h"

namespace {

// Pixels beyond this are not placed: the axis centre stands in.
constexpr double kMaxPixelOffset = 2147483647.0;

int DefaultTitleAngle(bool horizontal, bool otherSide) {
  if (horizontal) {
    return 0;
  }
  return otherSide ? 270 : 90;
}

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

// [SECTION] Construction and properties

TChartAxisTitle::TChartAxisTitle(int angle) : angle_(angle) {
  font_.SetOnChange([this] { Changed(); });
}

TCustomChartAxis::TCustomChartAxis(TChart* chart, bool horizontal, bool otherSide)
    : chart_(chart),
      horizontal_(horizontal),
      otherSide_(otherSide),
      title_(DefaultTitleAngle(horizontal, otherSide)) {
  for (TChartPersistent* part :
       std::initializer_list<TChartPersistent*>{&labelsFont_, &axis_, &ticks_, &ticksInner_,
                                                &minorTicks_, &grid_, &minorGrid_, &title_}) {
    part->SetOnChange([this] { Changed(); });
  }
}

TChartDepthAxis::TChartDepthAxis(TChart* chart) : TCustomChartAxis(chart, false, false) {
  visible_ = false;
}

void TCustomChartAxis::Changed() const {
  if (chart_ != nullptr) {
    chart_->Invalidate();
  }
}

template <class T>
void TCustomChartAxis::Update(T& field, const T& value) {
  if (!(field == value)) {
    field = value;
    Changed();
  }
}

bool TCustomChartAxis::Loading() const {
  return chart_ != nullptr && chart_->Loading();
}

void TCustomChartAxis::SetAutomatic(bool v) {
  Update(automatic_, v);
  if (!Loading()) {
    Update(automaticMinimum_, v);
    Update(automaticMaximum_, v);
  }
}

void TCustomChartAxis::SetAutomaticMinimum(bool v) {
  Update(automaticMinimum_, v);
  if (!v) {
    Update(automatic_, false);
  } else if (automaticMaximum_) {
    Update(automatic_, true);
  }
}

void TCustomChartAxis::SetAutomaticMaximum(bool v) {
  Update(automaticMaximum_, v);
  if (!v) {
    Update(automatic_, false);
  } else if (automaticMinimum_) {
    Update(automatic_, true);
  }
}

void TCustomChartAxis::SetMinimum(double v) {
  if (!Loading() && v > maximum_) {
    throw AxisException("Axis Minimum Value must be <= Maximum");
  }
  Update(minimum_, v);
}

void TCustomChartAxis::SetMaximum(double v) {
  if (!Loading() && v < minimum_) {
    throw AxisException("Axis Maximum Value must be >= Minimum");
  }
  Update(maximum_, v);
}

void TCustomChartAxis::SetIncrement(double v) {
  if (v < 0) {
    throw AxisException("Axis increment must be >= 0");
  }
  Update(increment_, v);
}

void TCustomChartAxis::SetLimits(double a, double b) {
  Update(automatic_, false);
  Update(automaticMinimum_, false);
  Update(automaticMaximum_, false);
  if (a > b) {
    std::swap(a, b);
  }
  if (b - a < 1e-10) {
    b = a + 1e-10;
  }
  Update(minimum_, a);
  Update(maximum_, b);
}

void TCustomChartAxis::SetLabelsSeparation(int v) {
  if (v < 0) {
    throw AxisException("Labels Separation % must be greater than 0");
  }
  Update(labelsSeparation_, v);
}

void TCustomChartAxis::SetRoundFirstLabel(bool v) {
  Update(roundFirstLabel_, v);
}
void TCustomChartAxis::SetLabels(bool v) {
  Update(labels_, v);
}
void TCustomChartAxis::SetLabelsOnAxis(bool v) {
  Update(labelsOnAxis_, v);
}
void TCustomChartAxis::SetLabelsAngle(int v) {
  Update(labelsAngle_, v);
}
void TCustomChartAxis::SetLabelsMultiLine(bool v) {
  Update(labelsMultiLine_, v);
}
void TCustomChartAxis::SetLabelsSize(int v) {
  Update(labelsSize_, v);
}
void TCustomChartAxis::SetLabelStyle(TAxisLabelStyle v) {
  Update(labelStyle_, v);
}
void TCustomChartAxis::SetAxisValuesFormat(std::string v) {
  Update(axisValuesFormat_, v);
}
void TCustomChartAxis::SetTickLength(int v) {
  Update(tickLength_, v);
}
void TCustomChartAxis::SetTickInnerLength(int v) {
  Update(tickInnerLength_, v);
}
void TCustomChartAxis::SetMinorTickLength(int v) {
  Update(minorTickLength_, v);
}
void TCustomChartAxis::SetMinorTickCount(int v) {
  Update(minorTickCount_, v);
}
void TCustomChartAxis::SetGridCentered(bool v) {
  Update(gridCentered_, v);
}
void TCustomChartAxis::SetTickOnLabelsOnly(bool v) {
  Update(tickOnLabelsOnly_, v);
}
void TCustomChartAxis::SetTitleSize(int v) {
  Update(titleSize_, v);
}
void TCustomChartAxis::SetInverted(bool v) {
  Update(inverted_, v);
}
void TCustomChartAxis::SetVisible(bool v) {
  Update(visible_, v);
}
void TCustomChartAxis::SetStartPosition(double v) {
  Update(startPosition_, v);
}
void TCustomChartAxis::SetEndPosition(double v) {
  Update(endPosition_, v);
}
void TCustomChartAxis::SetPositionPercent(double v) {
  Update(positionPercent_, v);
}

// [SECTION] Mapping

int TCustomChartAxis::ValueToPixel(double value) const {
  if (effectiveRange_ == 0.0) {
    return AxisCenter();
  }
  const double t = (value - effectiveMinimum_) * AxisSize() / effectiveRange_;
  if (!(std::fabs(t) < kMaxPixelOffset)) {
    return AxisCenter();
  }
  const long long offset = static_cast<long long>(RoundHalfEven(t));
  const bool fromStart = horizontal_ != inverted_;
  return ClampToInt(fromStart ? axisStart_ + offset : axisEnd_ - offset);
}

bool TCustomChartAxis::PlaceValue(double value, int& pixel) const {
  if (!std::isfinite(value)) {
    return false;
  }
  if (effectiveRange_ != 0.0) {
    const double t = (value - effectiveMinimum_) * AxisSize() / effectiveRange_;
    if (!(std::fabs(t) < kMaxPixelOffset)) {
      return false;
    }
  }
  pixel = ValueToPixel(value);
  return true;
}

double TCustomChartAxis::PixelToValue(int pixel) const {
  if (AxisSize() < 1) {
    return 0.0;
  }
  const int fromEdge = inverted_ ? axisEnd_ - pixel : pixel - axisStart_;
  const double d = static_cast<double>(fromEdge) * effectiveRange_ / AxisSize();
  return horizontal_ ? effectiveMinimum_ + d : effectiveMaximum_ - d;
}

std::string TCustomChartAxis::LabelText(double value, bool withEvent) const {
  std::string text = FormatFloat(axisValuesFormat_, value);
  if (withEvent && chart_ != nullptr && chart_->OnGetAxisLabel) {
    chart_->OnGetAxisLabel(const_cast<TCustomChartAxis&>(*this), nullptr, -1, text);
  }
  if (labelsMultiLine_) {
    std::replace(text.begin(), text.end(), ' ', LineSeparator);
  }
  return text;
}

// [SECTION] Layout

bool TCustomChartAxis::IsShown() const {
  if (chart_ == nullptr || !chart_->AxisVisible() || !visible_) {
    return false;
  }
  if (!chart_->HasActiveSeries()) {
    return true;
  }
  for (int i = 0; i < chart_->SeriesCount(); ++i) {
    const TChartSeries* s = chart_->Series(i);
    if (s->Active() && s->AssociatedToAxis(*this)) {
      return true;
    }
  }
  return false;
}

TAxisLabelStyle TCustomChartAxis::EffectiveLabelStyle() const {
  if (labelStyle_ != talAuto) {
    return labelStyle_;
  }
  bool associated = false;
  for (int i = 0; chart_ != nullptr && i < chart_->SeriesCount(); ++i) {
    const TChartSeries* s = chart_->Series(i);
    if (!s->Active() || !s->AssociatedToAxis(*this)) {
      continue;
    }
    associated = true;
    if (s->GetHorizAxis() == this && s->PointCount() > 0 && !s->PointLabel(0).empty()) {
      return talText;
    }
  }
  return associated ? talValue : talNone;
}

void TCustomChartAxis::CalcAutomaticLimits() {
  const bool autoMax = automatic_ || automaticMaximum_;
  const bool autoMin = automatic_ || automaticMinimum_;
  if ((autoMax || autoMin) && chart_ != nullptr) {
    bool anyActive = false;
    for (int i = 0; i < chart_->SeriesCount(); ++i) {
      const TChartSeries* s = chart_->Series(i);
      anyActive = anyActive || (s->Active() && s->AssociatedToAxis(*this));
    }
    bool first = true;
    double lo = 0.0;
    double hi = 0.0;
    for (int i = 0; i < chart_->SeriesCount(); ++i) {
      const TChartSeries* s = chart_->Series(i);
      if (s->PointCount() == 0 || !s->AssociatedToAxis(*this) || (anyActive && !s->Active())) {
        continue;
      }
      const double sMin = horizontal_ ? s->MinXValue() : s->MinYValue();
      const double sMax = horizontal_ ? s->MaxXValue() : s->MaxYValue();
      if (first) {
        lo = sMin;
        hi = sMax;
        first = false;
      } else {
        lo = sMin < lo ? sMin : lo;
        hi = sMax > hi ? sMax : hi;
      }
    }
    if (autoMax) {
      maximum_ = hi;
    }
    if (autoMin) {
      minimum_ = lo;
    }
  }
  effectiveMinimum_ = minimum_;
  effectiveMaximum_ = maximum_;
  effectiveRange_ = effectiveMaximum_ - effectiveMinimum_;
}

int TCustomChartAxis::CalcLabelCapacity(TChartCanvas& canvas) const {
  canvas.SetFont(labelsFont_.ToCanvas());
  int size = 0;
  const std::string top = LabelText(effectiveMaximum_);
  const std::string bottom = LabelText(effectiveMinimum_);
  if (horizontal_) {
    size = std::max(WidestLine(canvas, top), WidestLine(canvas, bottom));
  } else {
    size = canvas.FontHeight() * std::max(LineCount(top), LineCount(bottom));
  }
  return LabelCapacity(AxisSize(), size, labelsSeparation_);
}

double TCustomChartAxis::CalcLabelStep(TChartCanvas& canvas) const {
  return LabelStep(effectiveRange_, increment_, CalcLabelCapacity(canvas), labelsSeparation_);
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
    titlePos_ = shrink(band);
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
        double top = effectiveMaximum_;
        double bottom = effectiveMinimum_;
        if (roundFirstLabel_) {
          top = std::trunc(effectiveMaximum_ / step) * step;
          bottom = std::trunc(effectiveMinimum_ / step) * step;
        }
        canvas.SetFont(labelsFont_.ToCanvas());
        band = std::max(WidestLine(canvas, LabelText(top, false)),
                        WidestLine(canvas, LabelText(bottom, false))) +
               canvas.TextWidth(" ");
      }
    }
    labelsPos_ = shrink(band);
  }
  int tickBand = (axis_.Visible() ? axis_.Width() : 0) + (ticks_.Visible() ? tickLength_ : 0);
  if (minorTicks_.Visible() && minorTickLength_ > tickBand) {
    tickBand = minorTickLength_;
  }
  shrink(tickBand);

  if (positionPercent_ != 0.0) {
    const int offset = PixelOffset(positionPercent_ * 0.01 * acrossSize);
    const int inwards = (horizontal_ != otherSide_) ? -offset : offset;
    titlePos_ += inwards;
    labelsPos_ += inwards;
  }
}

void TCustomChartAxis::CalcPositions(const TRect& plotRect) {
  const int origin = horizontal_ ? plotRect.Left : plotRect.Top;
  const int length = horizontal_ ? plotRect.Width() : plotRect.Height();
  axisStart_ = origin + PixelOffset(length * 0.01 * startPosition_);
  axisEnd_ = origin + PixelOffset(length * 0.01 * endPosition_);
}

void TCustomChartAxis::ApplyMargins(int startMargin, int endMargin, const TRect& plotRect) {
  if (startMargin == 0 && endMargin == 0) {
    return;
  }
  const int oldStart = axisStart_;
  const int oldEnd = axisEnd_;
  axisStart_ += startMargin;
  axisEnd_ -= endMargin;
  // An axis too short for its margins keeps its limits rather than collapsing them.
  if (AxisSize() < 1) {
    axisStart_ = oldStart;
    axisEnd_ = oldEnd;
    return;
  }
  const double a = PixelToValue(oldStart);
  const double b = PixelToValue(oldEnd);
  effectiveMinimum_ = std::min(a, b);
  effectiveMaximum_ = std::max(a, b);
  effectiveRange_ = effectiveMaximum_ - effectiveMinimum_;
  CalcPositions(plotRect);
}
