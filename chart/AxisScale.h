// The arithmetic of an axis scale: label capacity, the 1-2-5 label step and the label
// values. Pure functions, free of axes and canvases.
#pragma once

#include <functional>

// The smallest label step.
inline constexpr double MinimumStep = 1e-12;
// Major tick positions an axis records in one paint; labels stop once it is full.
inline constexpr int TickListCapacity = 2000;
// No labels at all when the range would need this many steps or more.
inline constexpr double MaxLabelSteps = 10000;

// The next number of the sequence ... 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50 ... above x, for x
// on the sequence (0.05 -> 0.1, 3 -> 5, 7 -> 10). A value that is not finite is returned
// unchanged; one that is not positive gives MinimumStep.
double NextNiceStep(double x);

// The largest number of the sequence at or below x, for x positive and finite; MinimumStep
// otherwise.
double NiceStepAtMost(double x);

// How many labels of labelSize pixels, with separationPercent of extra room each, fit on
// an axis of axisSize pixels; 1 when labelSize is not positive.
int LabelCapacity(int axisSize, int labelSize, int separationPercent);

// The label step for a range and a capacity: increment (or 1, or MinimumStep for ranges
// below 1) coarsened along the 1-2-5 sequence until at most capacity steps span the range.
// With separationPercent 0 the start value is kept.
double LabelStep(double range, double increment, int capacity, int separationPercent);

// The first label value: maximum when the range is empty or roundFirst is off, else the
// largest whole multiple of step towards zero from maximum.
double FirstLabelValue(double minimum, double maximum, double step, bool roundFirst);

// Calls visit for each label value from the top of the range downwards, each obtained by
// repeated subtraction of step, until the value passes below the minimum (less 1e-12, or
// less a millionth of a step where that is less) or visit returns
// false. Nothing when step is not positive or the range needs MaxLabelSteps steps or more.
// Stops as soon as a subtraction no longer lowers the value.
void ForEachLabelValue(double minimum, double maximum, double step, bool roundFirst,
                       const std::function<bool(double)>& visit);
