#include "AxisScale.h"

#include <algorithm>
#include <cmath>

#include "ChartMath.h"

namespace {

// Label steps kept below 2^31 steps per range, as a whole count fits an integer.
constexpr double kMaxStepCount = 2147483647.0;
// Three rounds per decade: stepping from MinimumStep past the largest double takes under a
// thousand rounds.
constexpr int kMaxStepRounds = 4000;
// Decimal scalings of NextNiceStep: enough for the subnormal doubles.
constexpr int kMaxScalings = 400;

}  // namespace

double NextNiceStep(double x) {
  if (!std::isfinite(x)) {
    return x;
  }
  if (!(x > 0.0)) {
    return MinimumStep;
  }
  // Bring x into [1, 10) by the same multiplications the recursive definition does, then
  // undo them in the same order, so results are bit-identical to it.
  int up = 0;    // times x was multiplied by 0.1
  int down = 0;  // times x was multiplied by 10
  while (x >= 10.0 && up < kMaxScalings) {
    x *= 0.1;
    ++up;
  }
  while (x < 1.0 && down < kMaxScalings) {
    x *= 10.0;
    ++down;
  }
  double result = x < 2.0 ? 2.0 : (x < 5.0 ? 5.0 : 10.0);
  for (int i = 0; i < down; ++i) {
    result = 0.1 * result;
  }
  for (int i = 0; i < up; ++i) {
    result = 10.0 * result;
  }
  return result;
}

double NiceStepAtMost(double x) {
  if (!(x > 0.0) || !std::isfinite(x)) {
    return MinimumStep;
  }
  const double base = std::pow(10.0, std::floor(std::log10(x)));
  for (const double k : {5.0, 2.0, 1.0}) {
    if (k * base <= x * (1 + 1e-12)) {
      return k * base;
    }
  }
  return 0.1 * 5.0 * base;
}

int LabelCapacity(int axisSize, int labelSize, int separationPercent) {
  if (labelSize <= 0) {
    return 1;
  }
  double room = labelSize;
  if (separationPercent > 0) {
    room += RoundHalfEven(separationPercent * 0.01 * labelSize);
  }
  return RoundToInt(axisSize / room);
}

double LabelStep(double range, double increment, int capacity, int separationPercent) {
  if (capacity < 1) {
    return MinimumStep;
  }
  double step = increment > 0.0 ? increment : (std::fabs(range) >= 1.0 ? 1.0 : MinimumStep);
  if (separationPercent > 0) {
    double n = capacity + 1.0;
    for (int round = 0; round < kMaxStepRounds && std::isfinite(step); ++round) {
      const double q = range / step;
      if (std::fabs(q) < kMaxStepCount) {
        n = RoundHalfEven(q);
        if (n > capacity) {
          step = NextNiceStep(step);
        }
      } else {
        step = NextNiceStep(step);
      }
      if (n <= capacity) {
        break;
      }
    }
  }
  return step > MinimumStep ? step : MinimumStep;
}

double FirstLabelValue(double minimum, double maximum, double step, bool roundFirst) {
  if (minimum == maximum || !roundFirst) {
    return maximum;
  }
  return std::trunc(maximum / step) * step;
}

void ForEachLabelValue(double minimum, double maximum, double step, bool roundFirst,
                       const std::function<bool(double)>& visit) {
  if (!(step > 0.0) || !(std::fabs((maximum - minimum) / step) < MaxLabelSteps)) {
    return;
  }
  double value = FirstLabelValue(minimum, maximum, step, roundFirst);
  while (value > maximum) {
    const double next = value - step;
    if (!(next < value)) {
      return;
    }
    value = next;
  }
  // The labels go a little below the minimum, so that one that subtraction left a hair under
  // it is drawn: by 1e-12 (and a relative 1e-12), or by a millionth of a step where that is
  // less, so that a label value many steps away from a range of 1e-300 is not.
  const double bound = std::max((minimum - 1e-12) / 1.000000000001, minimum - step * 1e-6);
  // A range under MaxLabelSteps steps yields at most that many values, plus the ends.
  for (int count = 0; value >= bound && count <= MaxLabelSteps + 1; ++count) {
    if (!visit(value)) {
      return;
    }
    const double next = value - step;
    if (!(next < value)) {
      return;
    }
    value = next;
  }
}
