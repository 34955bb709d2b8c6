// One column of numbers of a series (the X or the Y values), kept in its order.
#pragma once

#include <string>
#include <vector>

class TChartSeries;

enum TChartListOrder { loNone, loAscending, loDescending };

class TChartValueList {
 public:
  // A list named name, registered in owner's list of value lists when owner is given.
  TChartValueList(TChartSeries* owner, std::string name);
  TChartValueList(const TChartValueList&) = delete;
  TChartValueList& operator=(const TChartValueList&) = delete;

  // [SECTION] Values
  int ValueCount() const { return static_cast<int>(values_.size()); }
  // The value at index times Multiplier; index must lie in 0 .. ValueCount() - 1.
  double ValueAt(int index) const;
  // The value at index as stored.
  double Stored(int index) const { return values_[static_cast<std::size_t>(index)]; }
  // Stores x where Order puts it (after every equal value) and returns its index.
  int AddOrdered(double x);
  // Stores x at index, shifting later values; Order is not applied.
  void InsertAt(int index, double x);
  // Replaces the value at index.
  void SetValue(int index, double x);
  // Removes the value at index.
  void Delete(int index);
  // Discards all values and releases their storage.
  void RemoveAll();

  // [SECTION] Statistics of the values as read (times Multiplier), cached until a change.
  // Values that are not finite numbers are left out; an empty list gives 0.
  double Smallest() const;
  double Largest() const;
  double Sum() const;
  double SumOfMagnitudes() const;

  // [SECTION] Properties
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  TChartListOrder Order() const { return order_; }  // how AddOrdered places a value
  void SetOrder(TChartListOrder order) { order_ = order; }
  double Multiplier() const { return multiplier_; }  // = 1, factor applied when read
  void SetMultiplier(double multiplier);
  bool DateTime() const { return dateTime_; }  // dates (labels not specified further)
  void SetDateTime(bool v) { dateTime_ = v; }
  const std::string& ValueSource() const { return valueSource_; }
  void SetValueSource(std::string v) { valueSource_ = std::move(v); }
  // The value held while a point is being added, before it is stored.
  double TempValue() const { return tempValue_; }
  void SetTempValue(double v) { tempValue_ = v; }
  TChartSeries* Owner() const { return owner_; }

 private:
  void RecalcStats() const;

  TChartSeries* owner_;
  std::vector<double> values_;
  std::string name_;
  TChartListOrder order_ = loNone;
  double multiplier_ = 1.0;
  bool dateTime_ = false;
  std::string valueSource_;
  double tempValue_ = 0.0;

  struct Stats {
    double smallest = 0.0;
    double largest = 0.0;
    double sum = 0.0;
    double sumOfMagnitudes = 0.0;
  };
  mutable Stats stats_;
  mutable bool statsDirty_ = true;
};
