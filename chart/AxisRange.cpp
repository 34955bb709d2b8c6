// Which axes a chart shows, the label style in force, and the automatic limits that follow
// the series.
#include "Chart.h"
#include "ChartAxis.h"

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
  layout_.EffectiveMinimum = minimum_;
  layout_.EffectiveMaximum = maximum_;
  layout_.EffectiveRange = layout_.EffectiveMaximum - layout_.EffectiveMinimum;
}
