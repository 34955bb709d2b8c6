#include "SolverRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "Bisection.h"
#include "BoundScreen.h"

namespace {

// The bytes that hold an extended value's sign, exponent and significand (the x87 format
// pads ten bytes to sixteen).
constexpr std::size_t kExtendedBytes = kExactPrimitives ? 10 : sizeof(Extended);

[[noreturn]] void BoundsNotSolved() {
  throw EFitError(
      "The bounds a and b could not be solved for these judgements: no mode probability "
      "between p and r meets them. Check that a_p < m < b_r and p < r. A power parameter n "
      "far from 1, or judgements of very different scale (m - a_p tiny against b_r - m, or "
      "the other way round), can also lose the precision the fit needs.");
}

}  // namespace

void SolverRecord::Load(const Judgements& judgements) {
  TFloatScope scope;
  LowerQuantile = judgements.LowerQuantile;
  LowerLevel = judgements.LevelOf(LevelField::Lower).Fraction();
  ModeValue = judgements.ModeValue;
  UpperQuantile = judgements.UpperQuantile;
  UpperLevel = judgements.LevelOf(LevelField::Upper).Fraction();
  if (judgements.Mode() == FitMode::PowerParameter) {
    Power = judgements.Power;
  } else {
    ExtraQuantile = judgements.ExtraQuantile;
    ExtraLevel = judgements.LevelOf(LevelField::Extra).Fraction();
  }
}

TBisectStep SolverRecord::BoundStep(Extended q, int halving, TBoundTerms& terms) {
  const Extended p = LowerLevel;
  const Extended r = UpperLevel;
  const Extended ap = LowerQuantile;
  const Extended m = ModeValue;
  const Extended br = UpperQuantile;
  ModeProbability = q;
  ++terms.x87Steps;

  // ln p, ln(1 - r) and 1/n are the same at every halving: they are formed once, at the
  // step of the first halving that first needs them, which leaves every value and every
  // arithmetic error exactly where the plain loop has it.
  Extended a = ap;
  if (p > 0) {
    if (!terms.haveLower) {
      terms.reciprocal = Checked(1 / Power);
      terms.haveReciprocal = true;
      terms.lnLower = Ln(p);
      terms.haveLower = true;
    }
    const Extended A = Checked(Exp((terms.lnLower - Ln(q)) * terms.reciprocal));
    // After the first halving, a ratio of exactly 1 means q has come within the precision
    // of p: the bounds run off to infinity before the fit is met.
    if (A == 1 && halving > 0)
      BoundsNotSolved();
    LowerRatio = A;
    a = Checked(ap - (m - ap) * (A / (1 - A)));
  }

  Extended b = br;
  if (r < 1) {
    if (!terms.haveUpper) {
      if (!terms.haveReciprocal)
        terms.reciprocal = Checked(1 / Power);
      terms.haveReciprocal = true;
      terms.lnUpper = Ln(1 - r);
      terms.haveUpper = true;
    }
    const Extended B = Checked(Exp((terms.lnUpper - Ln(1 - q)) * terms.reciprocal));
    if (B == 1 && halving > 0)
      BoundsNotSolved();
    UpperRatio = B;
    b = Checked((br - m) * (B / (1 - B)) + br);
  }

  const Extended theta = Checked((m - a) / (b - a));
  LowerBound = a;
  UpperBound = b;
  ModeFraction = theta;

  if (std::fabs(theta - q) <= kTolerance)
    return TBisectStep::Met;
  return q > theta ? TBisectStep::Below : TBisectStep::Above;
}

void SolverRecord::SolveBounds() {
  TFloatScope scope;
  if (boundsPath_ == TBoundsPath::Screened && SolveBoundsScreened())
    return;
  Extended lo = LowerLevel;
  Extended hi = UpperLevel;
  TBoundTerms terms;
  lastHalvings_ = Bisect(
      lo, hi, [&](Extended q, int halving) { return BoundStep(q, halving, terms); },
      BoundsNotSolved);
  KeepTerms(terms);
}

TBisectStep SolverRecord::JudgeModeProbability(Extended q) {
  TFloatScope scope;
  TBoundTerms terms;
  return BoundStep(q, 1, terms);
}

void SolverRecord::KeepTerms(TBoundTerms terms) {
  terms.p = LowerLevel;
  terms.r = UpperLevel;
  terms.n = Power;
  solvedTerms_ = terms;
}

bool SolverRecord::SolveBoundsScreened() {
  const Extended p = LowerLevel;
  const Extended r = UpperLevel;
  TBoundScreenInput in{p, r, LowerQuantile, ModeValue, UpperQuantile, Power};
  if (!TBoundScreen::Covers(in))
    return false;
  // Inside what the screen covers none of the three terms can fail, so forming them first
  // changes nothing. The logarithms of the levels are those of the last solve while the
  // levels stay.
  TBoundTerms terms;
  const TBoundTerms& last = solvedTerms_;
  if (p > 0 || r < 1) {
    terms.reciprocal = Checked(1 / Power);
    terms.haveReciprocal = true;
  }
  if (p > 0) {
    terms.lnLower = last.haveLower && last.p == p ? last.lnLower : Ln(p);
    terms.haveLower = true;
  }
  if (r < 1) {
    terms.lnUpper = last.haveUpper && last.r == r ? last.lnUpper : Ln(1 - r);
    terms.haveUpper = true;
  }
  in.lnLower = terms.lnLower;
  in.lnUpper = terms.lnUpper;
  in.reciprocal = terms.reciprocal;
  // The mode probabilities of the last solves, followed to this n, start the screen's
  // double solve: a sweep or a search moves them little from one fit to the next.
  TBoundScreen screen;
  if (!screen.Prepare(in, ModeHint()))
    return false;

  // A halving the screen decides stores nothing. Before the plain path would stop with an
  // error, the fields must hold what it leaves there: those of the halving before, which
  // is then evaluated in x87 after all (the screen has proved that it raises nothing). The
  // midpoints inside [0, 1] raise nothing either, so the proved halvings run unchecked.
  Extended lo = p;
  Extended hi = r;
  Extended pendingQ = 0;
  const int first = screen.Advance(lo, hi, pendingQ);
  bool pending = first > 0;
  int pendingHalving = first - 1;
  auto settle = [&] {
    if (pending) {
      pending = false;
      BoundStep(pendingQ, pendingHalving, terms);
    }
  };
  auto probe = [&](Extended q, int halving) {
    if (const std::optional<TBisectStep> step = screen.Decide(q)) {
      pending = true;
      pendingQ = q;
      pendingHalving = halving;
      return *step;
    }
    if (!pending)
      return BoundStep(q, halving, terms);
    try {
      const TBisectStep step = BoundStep(q, halving, terms);
      pending = false;
      return step;
    } catch (...) {
      settle();
      BoundStep(q, halving, terms);  // fails again, the same way, on top of those fields
      throw;
    }
  };
  auto fail = [&] {
    settle();
    BoundsNotSolved();
  };
  lastHalvings_ = Bisect(lo, hi, probe, fail, first);
  KeepTerms(terms);
  KeepMode();
  return true;
}

Extended SolverRecord::ModeHint() {
  // Every value here is finite (the screen covers the judgements and n), and the hint is
  // formed in double, which leaves the extended unit's flags alone.
  TSolvedModes& kept = solvedModes_;
  // Judgements and n are told apart by their bits, which costs no extended operation.
  const Extended* judgements[5] = {&LowerLevel, &UpperLevel, &LowerQuantile, &ModeValue,
                                   &UpperQuantile};
  bool same = true;
  for (int i = 0; i < 5; ++i)
    same = same && std::memcmp(judgements[i], &kept.judgements[i], kExtendedBytes) == 0;
  if (!same) {
    for (int i = 0; i < 5; ++i)
      std::memcpy(&kept.judgements[i], judgements[i], kExtendedBytes);
    kept.count = 0;
  }
  // The same n again, a repeated fit: its own mode probability.
  kept.repeated =
      same && kept.count > 0 && std::memcmp(&Power, &kept.lastPower, kExtendedBytes) == 0;
  if (kept.repeated)
    return ModeProbability;
  std::memcpy(&kept.lastPower, &Power, kExtendedBytes);
  const double x = std::log(static_cast<double>(Power));
  kept.lnPowerNow = x;
  // The polynomial through the kept solves (Newton's divided differences, newest first),
  // taken at x; the record's own mode probability where that leaves (p, r).
  const double* u = kept.lnPower;
  double d[TSolvedModes::kKept] = {};
  for (int i = 0; i < kept.count; ++i)
    d[i] = kept.mode[i];
  double hint = kept.count > 0 ? d[0] : -1;
  double product = 1;
  for (int order = 1; order < kept.count; ++order) {
    bool apart = true;
    for (int i = kept.count - 1; i >= order; --i) {
      const double span = u[i - order] - u[i];
      apart = apart && span != 0;
      d[i] = apart ? (d[i - 1] - d[i]) / span : 0;
    }
    if (!apart)
      break;
    product *= x - u[order - 1];
    hint += d[order] * product;
  }
  if (!(hint > static_cast<double>(LowerLevel) && hint < static_cast<double>(UpperLevel)))
    return ModeProbability;
  return hint;
}

void SolverRecord::KeepMode() {
  TSolvedModes& kept = solvedModes_;
  if (kept.repeated)
    return;
  for (int i = TSolvedModes::kKept - 1; i > 0; --i) {
    kept.lnPower[i] = kept.lnPower[i - 1];
    kept.mode[i] = kept.mode[i - 1];
  }
  kept.lnPower[0] = kept.lnPowerNow;
  kept.mode[0] = static_cast<double>(ModeProbability);
  kept.count = std::min(kept.count + 1, TSolvedModes::kKept);
}

SolverRecord::TNewtonStep SolverRecord::NewtonStep() const {
  const Extended q = ModeProbability;
  const Extended a = LowerBound;
  const Extended b = UpperBound;
  const Extended m = ModeValue;
  // With a = a_p - L A/(1 - A), b = b_r + R B/(1 - B) and A, B powers 1/n of p/q and
  // (1 - r)/(1 - q): da/dq = (a_p - a)/(n q (1 - A)), db/dq = (b - b_r)/(n (1 - q)(1 - B)),
  // and theta = (m - a)/(b - a) has d theta/dq = -(a'(b - m) + b'(m - a))/(b - a)^2 < 0.
  // The flags are sticky: the one test at the end sees an error of any operation before it.
  const Extended nu = 1 / Power;
  const Extended da = LowerLevel > 0 ? (LowerQuantile - a) * nu / (q * (1 - LowerRatio)) : 0;
  const Extended db = UpperLevel < 1 ? (b - UpperQuantile) * nu / ((1 - q) * (1 - UpperRatio)) : 0;
  const Extended width = b - a;
  const Extended slope = 1 + (da * (b - m) + db * (m - a)) / (width * width);
  return {Checked(q + (ModeFraction - q) / slope), da, db};
}

void SolverRecord::PolishBounds() {
  TFloatScope scope;
  // Newton's method converges quadratically from the bisection's |theta - q| <= 1e-10, so
  // one or two steps are the rule and four the most.
  constexpr int kPolishSteps = 4;
  // A step this small (a few dozen ulps of q) is rounding, and is not taken.
  constexpr Extended kSettled = 0x1p-58L;
  const Extended p = LowerLevel;
  const Extended r = UpperLevel;
  struct TFit {
    Extended q, A, B, a, b, theta;
  };
  const auto current = [this] {
    return TFit{ModeProbability, LowerRatio, UpperRatio, LowerBound, UpperBound, ModeFraction};
  };
  const auto restore = [this](const TFit& f) {
    ModeProbability = f.q;
    LowerRatio = f.A;
    UpperRatio = f.B;
    LowerBound = f.a;
    UpperBound = f.b;
    ModeFraction = f.theta;
  };
  TFit best = current();
  // The terms of the solve that left the fit, where they are its own.
  TBoundTerms terms;
  if (solvedTerms_.p == p && solvedTerms_.r == r && solvedTerms_.n == Power)
    terms = solvedTerms_;
  try {
    for (int step = 0; step < kPolishSteps; ++step) {
      const Extended q = best.q;
      const Extended next = NewtonStep().next;
      if (!(next > p && next < r) || std::fabs(next - q) <= kSettled * q)
        break;
      BoundStep(next, 1, terms);
      if (!(std::fabs(ModeFraction - next) < std::fabs(best.theta - q)))
        break;
      best = current();
    }
  } catch (const EFitError&) {
  } catch (const EMathError&) {
  }
  restore(best);
}

void SolverRecord::CopyFitToModel() {
  Model = TwoSidedPower(LowerBound, ModeValue, UpperBound, Power);
}
