// Mapping between values and pixels along an axis, and the text of a label.
#include <algorithm>
#include <cmath>

#include "Chart.h"
#include "ChartAxis.h"
#include "ChartMath.h"
#include "TextLines.h"
#include "ValueFormat.h"

namespace {

// Pixels beyond this are not placed: the axis centre stands in.
constexpr double kMaxPixelOffset = 2147483647.0;

}  // namespace

int TCustomChartAxis::ValueToPixel(double value) const {
  if (layout_.EffectiveRange == 0.0) {
    return AxisCenter();
  }
  const double t = (value - layout_.EffectiveMinimum) * AxisSize() / layout_.EffectiveRange;
  if (!(std::fabs(t) < kMaxPixelOffset)) {
    return AxisCenter();
  }
  const long long offset = static_cast<long long>(RoundHalfEven(t));
  const bool fromStart = horizontal_ != inverted_;
  return ClampToInt(fromStart ? layout_.AxisStart + offset : layout_.AxisEnd - offset);
}

bool TCustomChartAxis::PlaceValue(double value, int& pixel) const {
  if (!std::isfinite(value)) {
    return false;
  }
  if (layout_.EffectiveRange != 0.0) {
    const double t = (value - layout_.EffectiveMinimum) * AxisSize() / layout_.EffectiveRange;
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
  const int fromEdge = inverted_ ? layout_.AxisEnd - pixel : pixel - layout_.AxisStart;
  const double d = static_cast<double>(fromEdge) * layout_.EffectiveRange / AxisSize();
  return horizontal_ ? layout_.EffectiveMinimum + d : layout_.EffectiveMaximum - d;
}

std::string TCustomChartAxis::LabelText(double value, bool withEvent) const {
  return FinishLabel(FormatReadable(axisValuesFormat_, value), withEvent);
}

std::string TCustomChartAxis::ValueText(double value, int significant) const {
  return FinishLabel(FormatSignificant(axisValuesFormat_, value, significant), true);
}

std::string TCustomChartAxis::FinishLabel(std::string text, bool withEvent) const {
  if (withEvent && chart_ != nullptr && chart_->OnGetAxisLabel) {
    chart_->OnGetAxisLabel(const_cast<TCustomChartAxis&>(*this), nullptr, -1, text);
  }
  if (labelsMultiLine_) {
    std::replace(text.begin(), text.end(), ' ', LineSeparator);
  }
  return text;
}
