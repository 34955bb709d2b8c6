// The power-parameter search and the uniform and large-n quantiles that bound a feasible
// additional quantile.
#include <cmath>

#include "AnalysisUnit.h"
#include "Bisection.h"

namespace {

constexpr Extended kStartPower = 0.01L;

[[noreturn]] void NoPower() {
  throw EFitError(
      "No power parameter n between 0.01 and 1.8e17 puts probability s below x_s. Choose "
      "an additional quantile x_s strictly between the feasibility bounds, or another "
      "level s.");
}

[[noreturn]] void PowerNotMet() {
  throw EFitError(
      "The power-parameter search could not meet its tolerance for these judgements. "
      "Choose an additional quantile x_s strictly between the feasibility bounds, further "
      "from either bound.");
}

}  // namespace

void TAnalysisForm::UniformBounds() {
  TFloatScope scope;
  const Extended p = LowerLevel;
  const Extended r = UpperLevel;
  UniformLowerBound = Checked((r * LowerQuantile - p * UpperQuantile) / (r - p));
  UniformUpperBound = Checked(((1 - p) * UpperQuantile - (1 - r) * LowerQuantile) / (r - p));
}

Extended TAnalysisForm::UniformQuantile() const {
  TFloatScope scope;
  return Checked((UniformUpperBound - UniformLowerBound) * ExtraLevel + UniformLowerBound);
}

Extended TAnalysisForm::LimitQuantile() const {
  TFloatScope scope;
  const Extended qLimit = ModeProbabilityLimit;
  const Extended s = ExtraLevel;
  const Extended m = ModeValue;
  if (s <= qLimit) {
    return Checked(m - (Ln(s / qLimit) / Ln(LowerLevel / qLimit)) * (m - LowerQuantile));
  }
  return Checked(
      (Ln((1 - s) / (1 - qLimit)) / Ln((1 - UpperLevel) / (1 - qLimit))) * (UpperQuantile - m) + m);
}

Extended TAnalysisForm::TrialCdf() {
  SolveBounds();
  CopyFitToModel();
  lastTrialCdf_ = model_->Cdf(ExtraQuantile);
  return lastTrialCdf_;
}

int TAnalysisForm::BracketPower(TDirection direction) {
  TFloatScope scope;
  const Extended s = ExtraLevel;
  auto onStartingSide = [direction, s](Extended f) {
    return direction == TDirection::Up ? f < s : f > s;
  };
  Extended n = kStartPower;
  Power = n;
  Extended f = TrialCdf();
  int doublings = 0;
  while (onStartingSide(f)) {
    if (doublings == kMaxDoublings)
      NoPower();
    PowerLow = n;
    n = Checked(2 * n);
    Power = n;
    PowerHigh = n;
    ++doublings;
    try {
      f = TrialCdf();
    } catch (const EFitError&) {
      // The bounds lose their precision for a power this large before F reaches s.
      NoPower();
    }
  }
  return doublings;
}

void TAnalysisForm::BisectPower(TDirection direction) {
  TFloatScope scope;
  const Extended s = ExtraLevel;
  // Up: F <= s moves the low end; Down: F >= s does.
  auto movesLow = [direction, s](Extended f) {
    return direction == TDirection::Up ? f <= s : f >= s;
  };
  Extended n = Checked((PowerLow + PowerHigh) / 2);
  Power = n;
  Extended f = TrialCdf();
  for (int halving = 1; std::fabs(f - s) > kTolerance; ++halving) {
    if (movesLow(f)) {
      PowerLow = n;
    } else {
      PowerHigh = n;
    }
    n = Checked((PowerLow + PowerHigh) / 2);
    if (n == PowerLow || n == PowerHigh || halving >= kMaxHalvings)
      PowerNotMet();
    Power = n;
    f = TrialCdf();
  }
}

int TAnalysisForm::BracketPowerUp() {
  return BracketPower(TDirection::Up);
}
int TAnalysisForm::BracketPowerDown() {
  return BracketPower(TDirection::Down);
}
void TAnalysisForm::BisectPowerUp() {
  BisectPower(TDirection::Up);
}
void TAnalysisForm::BisectPowerDown() {
  BisectPower(TDirection::Down);
}

void TAnalysisForm::SearchPower() {
  TFloatScope scope;
  const TDirection pair = ModeValue > ExtraQuantile ? TDirection::Down : TDirection::Up;
  const TDirection other = pair == TDirection::Up ? TDirection::Down : TDirection::Up;
  if (BracketPower(pair) > 0) {
    BisectPower(pair);
    return;
  }
  // F(x_s) at n = 0.01 already lies at or past s. Either it meets s there, or F moves
  // back across s as n grows, which the other pair follows; the stale ends of an earlier
  // search are never used.
  if (std::fabs(lastTrialCdf_ - ExtraLevel) <= kTolerance)
    return;
  if (BracketPower(other) > 0) {
    BisectPower(other);
    return;
  }
  NoPower();
}
