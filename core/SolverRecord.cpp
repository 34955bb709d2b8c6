#include "SolverRecord.h"

#include <cmath>
#include <optional>

#include "Bisection.h"
#include "BoundScreen.h"

namespace {

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
  // changes nothing.
  TBoundTerms terms;
  if (p > 0 || r < 1) {
    terms.reciprocal = Checked(1 / Power);
    terms.haveReciprocal = true;
  }
  if (p > 0) {
    terms.lnLower = Ln(p);
    terms.haveLower = true;
  }
  if (r < 1) {
    terms.lnUpper = Ln(1 - r);
    terms.haveUpper = true;
  }
  in.lnLower = terms.lnLower;
  in.lnUpper = terms.lnUpper;
  in.reciprocal = terms.reciprocal;
  // The mode probability the record holds, that of the last fit as a rule, starts the
  // screen's double solve: a sweep or a search moves it little from one fit to the next.
  TBoundScreen screen;
  if (!screen.Prepare(in, ModeProbability))
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
  return true;
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
