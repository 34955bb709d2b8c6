// The bounded bisection every search loop of the core runs: halve an interval at its
// midpoint until a probe of the midpoint meets its tolerance. Free of the record; the
// probe and the failure are the caller's.
#pragma once

#include "ExtendedMath.h"

// The most halvings of any bisection of the core. An interval of extended reals closes
// long before this; the midpoint test usually ends a hopeless bisection first.
inline constexpr int kMaxHalvings = 400;

// What a probe found at a midpoint: the tolerance is met, or the root lies below the
// midpoint (it becomes the high end), or above it (it becomes the low end).
enum class TBisectStep { Met, Below, Above };

// Bisects [lo, hi]. Each halving forms the midpoint (lo + hi) / 2, checked for an
// arithmetic error; from the second halving on, a midpoint equal to an end, or the
// kMaxHalvings-th halving, calls fail() instead of the probe. probe(mid, halving) then
// judges the midpoint; lo and hi, which may be the caller's own fields, move as it says.
// Returns the halving whose probe met the tolerance (0 for the first midpoint). fail must
// not return; whatever the probe or fail throws passes through with lo and hi as they
// stand.
template <typename Probe, typename Fail>
int Bisect(Extended& lo, Extended& hi, Probe&& probe, Fail&& fail) {
  for (int halving = 0;; ++halving) {
    const Extended mid = Checked((lo + hi) / 2);
    if (halving > 0 && (mid == lo || mid == hi || halving >= kMaxHalvings))
      fail();
    switch (probe(mid, halving)) {
      case TBisectStep::Met:
        return halving;
      case TBisectStep::Below:
        hi = mid;
        break;
      case TBisectStep::Above:
        lo = mid;
        break;
    }
  }
}
