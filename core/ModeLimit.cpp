// The limit of the mode probability for large n, which bounds a feasible additional
// quantile.
#include <cmath>

#include "Bisection.h"
#include "SolverRecord.h"

namespace {

[[noreturn]] void LimitNotFound() {
  throw EFitError(
      "The limit of the mode probability for large n could not be found for these "
      "judgements. Check that a_p < m < b_r and 0 < p < r < 1.");
}

}  // namespace

Extended SolverRecord::LimitModeMap(Extended x) const {
  TFloatScope scope;
  const Extended l1 = Checked(Ln(LowerLevel / x));
  const Extended l2 = Checked(Ln((1 - UpperLevel) / (1 - x)));
  const Extended left = ModeValue - LowerQuantile;
  return Checked((left * l2) / ((UpperQuantile - ModeValue) * l1 + left * l2));
}

Extended SolverRecord::LimitModeProbability() const {
  TFloatScope scope;
  Extended lo = LowerLevel;
  Extended hi = UpperLevel;
  Extended limit = 0;
  // The result is the midpoint, not the map's value at it.
  auto probe = [&](Extended x, int) {
    const Extended g = LimitModeMap(x);
    limit = x;
    if (std::fabs(g - x) <= kTolerance)
      return TBisectStep::Met;
    return x > g ? TBisectStep::Below : TBisectStep::Above;
  };
  Bisect(lo, hi, probe, LimitNotFound);
  return limit;
}
