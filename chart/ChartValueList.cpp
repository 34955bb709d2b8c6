#include "ChartValueList.h"

#include <cmath>

#include "ChartSeries.h"
#include "PropertyUpdate.h"

TChartValueList::TChartValueList(TChartSeries* owner, std::string name)
    : owner_(owner), name_(std::move(name)) {
  if (owner_ != nullptr) {
    owner_->RegisterValueList(this);
  }
}

double TChartValueList::ValueAt(int index) const {
  const double v = values_[static_cast<std::size_t>(index)];
  return multiplier_ == 1.0 ? v : v * multiplier_;
}

int TChartValueList::AddOrdered(double x) {
  int index = ValueCount();
  if (order_ != loNone && !values_.empty()) {
    // Scan from the end: values arriving in order cost one comparison.
    const bool ascending = order_ == loAscending;
    int i = ValueCount() - 1;
    const auto passes = [&](double v) { return ascending ? v > x : v < x; };
    while (i >= 0 && passes(values_[static_cast<std::size_t>(i)])) {
      --i;
    }
    index = i + 1;
  }
  values_.insert(values_.begin() + index, x);
  statsDirty_ = true;
  return index;
}

void TChartValueList::InsertAt(int index, double x) {
  values_.insert(values_.begin() + index, x);
  statsDirty_ = true;
}

void TChartValueList::SetValue(int index, double x) {
  values_[static_cast<std::size_t>(index)] = x;
  statsDirty_ = true;
}

void TChartValueList::Delete(int index) {
  values_.erase(values_.begin() + index);
  statsDirty_ = true;
}

void TChartValueList::RemoveAll() {
  std::vector<double>().swap(values_);
  statsDirty_ = true;
}

void TChartValueList::SetMultiplier(double multiplier) {
  UpdateProperty(multiplier_, multiplier, [this] {
    statsDirty_ = true;
    if (owner_ != nullptr) {
      owner_->NotifyLinked();
      owner_->Repaint();
    }
  });
}

void TChartValueList::RecalcStats() const {
  Stats s;
  bool first = true;
  for (int i = 0; i < ValueCount(); ++i) {
    const double v = ValueAt(i);
    // A stray NaN or infinity would otherwise become a limit of every automatic axis.
    if (!std::isfinite(v)) {
      continue;
    }
    if (first) {
      s.smallest = s.largest = s.sum = v;
      s.sumOfMagnitudes = std::fabs(v);
      first = false;
      continue;
    }
    if (v < s.smallest) {
      s.smallest = v;
    } else if (v > s.largest) {
      s.largest = v;
    }
    s.sum += v;
    s.sumOfMagnitudes += std::fabs(v);
  }
  stats_ = s;
  statsDirty_ = false;
}

double TChartValueList::Smallest() const {
  if (statsDirty_) {
    RecalcStats();
  }
  return stats_.smallest;
}

double TChartValueList::Largest() const {
  if (statsDirty_) {
    RecalcStats();
  }
  return stats_.largest;
}

double TChartValueList::Sum() const {
  if (statsDirty_) {
    RecalcStats();
  }
  return stats_.sum;
}

double TChartValueList::SumOfMagnitudes() const {
  if (statsDirty_) {
    RecalcStats();
  }
  return stats_.sumOfMagnitudes;
}
