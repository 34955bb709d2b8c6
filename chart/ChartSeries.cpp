#include "ChartSeries.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "AxisLayout.h"
#include "Chart.h"
#include "ChartAxis.h"
#include "PropertyUpdate.h"
#include "ValueFormat.h"

// [SECTION] Construction

TChartSeries::TChartSeries() {
  xValues_.SetOrder(loAscending);
  marks_.SetOnChange([this] { Repaint(); });
}

TChartSeries::~TChartSeries() = default;

void TChartSeries::AttachTo(TChart* chart) {
  parent_ = chart;
  ResolveAxes();
}

void TChartSeries::ResolveAxes() {
  if (parent_ == nullptr) {
    horizAxisObj_ = nullptr;
    vertAxisObj_ = nullptr;
    return;
  }
  horizAxisObj_ = horizAxis_ == aTopAxis ? &parent_->TopAxis() : &parent_->BottomAxis();
  vertAxisObj_ = vertAxis_ == aRightAxis ? &parent_->RightAxis() : &parent_->LeftAxis();
}

void TChartSeries::Repaint() {
  if (parent_ != nullptr) {
    parent_->Invalidate();
  }
}

// [SECTION] Points

int TChartSeries::AddPoint(double x, double y, std::string_view label, TColor color) {
  xValues_.SetTempValue(x);
  yValues_.SetTempValue(y);
  if (OnBeforeAdd && !OnBeforeAdd(*this)) {
    return -1;
  }
  const int index = xValues_.AddOrdered(x);
  yValues_.InsertAt(index, y);
  colors_.insert(colors_.begin() + index, color);
  labels_.insert(labels_.begin() + index,
                 label.empty() ? std::nullopt : std::optional<std::string>(std::string(label)));
  if (OnAfterAdd) {
    OnAfterAdd(*this, index);
  }
  NotifyLinked();
  if (active_) {
    Repaint();
  }
  return index;
}

int TChartSeries::AddY(double y, std::string_view label, TColor color) {
  return AddPoint(PointCount(), y, label, color);
}

void TChartSeries::ClearPoints() {
  for (TChartValueList* list : valueLists_) {
    list->RemoveAll();
  }
  std::vector<TColor>().swap(colors_);
  std::vector<std::optional<std::string>>().swap(labels_);
  marks_.Positions().clear();
  if (OnClearValues) {
    OnClearValues(*this);
  }
  NotifyLinked();
  if (active_ && parent_ != nullptr && !parent_->Destroying()) {
    Repaint();
  }
}

TColor TChartSeries::PointColor(int index) const {
  if (index < 0 || index >= static_cast<int>(colors_.size())) {
    return seriesColor_;
  }
  const TColor c = colors_[static_cast<std::size_t>(index)];
  if (c != clDefault) {
    return c;
  }
  return colorEachPoint_ ? PaletteColor(index) : seriesColor_;
}

std::string TChartSeries::PointLabel(int index) const {
  if (index < 0 || index >= static_cast<int>(labels_.size())) {
    return {};
  }
  const auto& label = labels_[static_cast<std::size_t>(index)];
  return label ? *label : std::string();
}

// [SECTION] Properties

namespace {

std::string JoinWords(const std::string& a, const std::string& b) {
  std::string out;
  out.reserve(a.size() + 1 + b.size());
  out.append(a).append(1, ' ').append(b);
  return out;
}

}  // namespace

void TChartSeries::SetActive(bool v) {
  UpdateProperty(active_, v, [this] { Repaint(); });
}

void TChartSeries::SetSeriesColor(TColor v) {
  UpdateProperty(seriesColor_, v, [this] { Repaint(); });
}

void TChartSeries::SetColorEachPoint(bool v) {
  UpdateProperty(colorEachPoint_, v, [this] { Repaint(); });
}

void TChartSeries::SetTitle(std::string v) {
  UpdateProperty(title_, v, [this] { Repaint(); });
}

void TChartSeries::SetValueFormat(std::string v) {
  UpdateProperty(valueFormat_, v, [this] { Repaint(); });
}

void TChartSeries::SetPercentFormat(std::string v) {
  UpdateProperty(percentFormat_, v, [this] { Repaint(); });
}

void TChartSeries::SetLegendText(std::string v) {
  UpdateProperty(legendText_, v, [this] { Repaint(); });
}

void TChartSeries::SetShowInLegend(bool v) {
  UpdateProperty(showInLegend_, v, [this] { Repaint(); });
}

void TChartSeries::SetHorizAxis(THorizAxis v) {
  UpdateProperty(horizAxis_, v, [this] {
    ResolveAxes();
    Repaint();
  });
}

void TChartSeries::SetVertAxis(TVertAxis v) {
  UpdateProperty(vertAxis_, v, [this] {
    ResolveAxes();
    Repaint();
  });
}

bool TChartSeries::AssociatedToAxis(const TCustomChartAxis& axis) const {
  if (&axis == horizAxisObj_ || &axis == vertAxisObj_) {
    return true;
  }
  if (parent_ == nullptr) {
    return false;
  }
  const bool horizontalSide = &axis == &parent_->BottomAxis() || &axis == &parent_->TopAxis();
  const bool verticalSide = &axis == &parent_->LeftAxis() || &axis == &parent_->RightAxis();
  return (horizAxis_ == aBothHorizAxis && horizontalSide) ||
         (vertAxis_ == aBothVertAxis && verticalSide);
}

// [SECTION] Painting

void TChartSeries::CalcFirstLastVisible() {
  firstVisible_ = -1;
  lastVisible_ = -1;
  const int last = PointCount() - 1;
  if (last < 0) {
    return;
  }
  if (xValues_.Order() == loNone || horizAxisObj_ == nullptr || parent_ == nullptr) {
    firstVisible_ = 0;
    lastVisible_ = last;
    return;
  }
  const TRect& plot = parent_->PlotRect();
  int leftEdge = plot.Left;
  int rightEdge = plot.Right;
  if (horizAxisObj_->Inverted()) {
    std::swap(leftEdge, rightEdge);
  }
  const double min = horizAxisObj_->PixelToValue(leftEdge);
  const double max = horizAxisObj_->PixelToValue(rightEdge);
  int first = 0;
  while (first <= last && !(XValue(first) >= min)) {
    ++first;
  }
  if (first > last) {
    return;
  }
  firstVisible_ = first;
  if (!(XValue(last) > max)) {
    lastVisible_ = last;
    return;
  }
  int i = first;
  while (i < last && !(XValue(i) >= max)) {
    ++i;
  }
  if (!DrawBetweenPoints() && XValue(i) > max && i > first) {
    --i;
  }
  lastVisible_ = i;
}

void TChartSeries::HorizMargins(int& left, int& right) const {
  left = right = 0;
}

void TChartSeries::VertMargins(int& top, int& bottom) const {
  top = bottom = 0;
}

bool TChartSeries::PlacePoint(int index, int& x, int& y) const {
  return horizAxisObj_ != nullptr && vertAxisObj_ != nullptr &&
         horizAxisObj_->PlaceValue(XValue(index), x) &&
         vertAxisObj_->PlaceValue(YValue(index), y) && x >= -MaxCanvasPixel &&
         x <= MaxCanvasPixel && y >= -MaxCanvasPixel && y <= MaxCanvasPixel;
}

int TChartSeries::CalcXPos(int index) const {
  return horizAxisObj_ == nullptr ? 0 : horizAxisObj_->ValueToPixel(XValue(index));
}

int TChartSeries::CalcYPos(int index) const {
  return vertAxisObj_ == nullptr ? 0 : vertAxisObj_->ValueToPixel(YValue(index));
}

std::string TChartSeries::MarkTextBeforeEvent(int index, int significant) const {
  const auto readable = [&](double v) {
    return significant > 0 ? FormatSignificant(valueFormat_, v, significant)
                           : FormatReadable(valueFormat_, v);
  };
  const auto yText = [&] { return readable(YValue(index)); };
  switch (marks_.Style()) {
    case smsValue:
      return yText();
    case smsXValue:
      if (horizAxisObj_ == nullptr) {
        return readable(XValue(index));
      }
      return significant > 0 ? horizAxisObj_->ValueText(XValue(index), significant)
                             : horizAxisObj_->LabelText(XValue(index));
    case smsLabel: {
      const std::string label = PointLabel(index);
      return label.empty() ? yText() : label;
    }
    case smsPercent:
    case smsPercentTotal: {
      const double total = yValues_.SumOfMagnitudes();
      return FormatFloat(percentFormat_, total == 0.0 ? 0.0 : 100.0 * YValue(index) / total);
    }
    case smsLabelPercent:
    case smsLabelPercentTotal: {
      const double total = yValues_.SumOfMagnitudes();
      const std::string percent =
          FormatFloat(percentFormat_, total == 0.0 ? 0.0 : 100.0 * YValue(index) / total);
      const std::string label = PointLabel(index);
      return label.empty() ? percent : JoinWords(label, percent);
    }
    case smsLabelValue: {
      const std::string label = PointLabel(index);
      return label.empty() ? yText() : JoinWords(label, yText());
    }
    case smsLegend:
      return title_;
  }
  return std::string();
}

std::vector<std::string> TChartSeries::MarkTexts(int first, int last) const {
  first = std::max(first, 0);
  last = std::min(last, PointCount() - 1);
  const int count = std::max(0, last - first + 1);
  std::vector<std::string> texts(static_cast<std::size_t>(count));
  // The value a mark reads, when it reads one alone.
  const TSeriesMarksStyle style = marks_.Style();
  std::vector<std::optional<double>> shown(texts.size());
  for (int k = 0; k < count; ++k) {
    const int i = first + k;
    if (IsNull(i)) {
      continue;
    }
    texts[static_cast<std::size_t>(k)] = MarkTextBeforeEvent(i, 0);
    if (style == smsXValue) {
      shown[static_cast<std::size_t>(k)] = XValue(i);
    } else if (style == smsValue || (style == smsLabel && PointLabel(i).empty())) {
      shown[static_cast<std::size_t>(k)] = YValue(i);
    }
  }
  // The labels of the axis along which the marks read their values, as this paint placed
  // them: a mark must not read like a label it lies half a step or more from either.
  const TCustomChartAxis* along = style == smsXValue ? horizAxisObj_ : vertAxisObj_;
  const std::vector<TAxisLabel> noLabels;
  const std::vector<TAxisLabel>& labels = along != nullptr ? along->Layout().Labels : noLabels;
  const double halfStep = along != nullptr ? along->Layout().Step / 2 : 0.0;
  // Marks that read alike for different values read in more digits, one more a round, until
  // every two of them differ or doubles have no more digits to give.
  constexpr int kMostSignificant = 17;
  for (int significant = 2; significant <= kMostSignificant; ++significant) {
    std::map<std::string, std::vector<std::size_t>> alike;
    for (std::size_t k = 0; k < texts.size(); ++k) {
      if (shown[k]) {
        alike[texts[k]].push_back(k);
      }
    }
    std::vector<std::size_t> confused;
    for (const auto& group : alike) {
      const std::string& text = group.first;
      const std::vector<std::size_t>& marks = group.second;
      const double value = *shown[marks.front()];
      const bool marksDiffer = std::any_of(marks.begin(), marks.end(),
                                           [&](std::size_t k) { return *shown[k] != value; });
      for (const std::size_t k : marks) {
        const bool likeALabel = std::any_of(labels.begin(), labels.end(), [&](const TAxisLabel& l) {
          return l.Text == text && !(std::fabs(*shown[k] - l.Value) < halfStep);
        });
        if (marksDiffer || likeALabel) {
          confused.push_back(k);
        }
      }
    }
    if (confused.empty()) {
      break;
    }
    for (const std::size_t k : confused) {
      texts[k] = MarkTextBeforeEvent(first + static_cast<int>(k), significant);
    }
  }
  if (OnGetMarkText) {
    for (int k = 0; k < count; ++k) {
      if (!IsNull(first + k)) {
        OnGetMarkText(const_cast<TChartSeries&>(*this), first + k,
                      texts[static_cast<std::size_t>(k)]);
      }
    }
  }
  return texts;
}
