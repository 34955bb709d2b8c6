// The axis's settings: construction and the property setters with their checks.
#include "ChartAxis.h"

#include <utility>

#include "Chart.h"
#include "PropertyUpdate.h"

namespace {

int DefaultTitleAngle(bool horizontal, bool otherSide) {
  if (horizontal) {
    return 0;
  }
  return otherSide ? 270 : 90;
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
  UpdateProperty(field, value, [this] { Changed(); });
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
