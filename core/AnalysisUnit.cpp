#include "AnalysisUnit.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "NumberText.h"

namespace {

// Bisections on a level interval end long before this; the midpoint test below usually
// ends a hopeless one first.
constexpr int kMaxHalvings = 400;

Extended Level(int percent) {
  return Checked(static_cast<Extended>(percent) / 100);
}

[[noreturn]] void BoundsNotSolved() {
  throw EFitError(
      "The bounds a and b could not be solved for these judgements: no mode probability "
      "between p and r meets them. Check that a_p < m < b_r and p < r. A power parameter n "
      "far from 1, or judgements of very different scale (m - a_p tiny against b_r - m, or "
      "the other way round), can also lose the precision the fit needs.");
}

}  // namespace

void TAnalysisForm::ReadInputs() {
  if (source_ == nullptr)
    throw std::logic_error("ReadInputs: no input window attached");
  TFloatScope scope;
  const TJudgementSource& in = *source_;
  auto number = [&in](TNumberField field) {
    return ReadNumberText(in.NumberCaption(field), in.NumberText(field));
  };
  // Every text is read before any field changes, so a refused text changes nothing.
  const Extended ap = number(TNumberField::LowerQuantile);
  const Extended p = Level(in.LevelValue(TLevelField::Lower));
  const Extended m = number(TNumberField::ModeValue);
  const Extended br = number(TNumberField::UpperQuantile);
  const Extended r = Level(in.LevelValue(TLevelField::Upper));
  const bool powerMode = in.ModeIndex() == 0;
  const Extended n = powerMode ? number(TNumberField::Power) : 0;
  const Extended xs = powerMode ? 0 : number(TNumberField::ExtraQuantile);
  const Extended s = powerMode ? 0 : Level(in.LevelValue(TLevelField::Extra));

  LowerQuantile = ap;
  LowerLevel = p;
  ModeValue = m;
  UpperQuantile = br;
  UpperLevel = r;
  if (powerMode) {
    Power = n;
  } else {
    ExtraQuantile = xs;
    ExtraLevel = s;
  }
}

void TAnalysisForm::SolveBounds() {
  TFloatScope scope;
  const Extended p = LowerLevel;
  const Extended r = UpperLevel;
  const Extended ap = LowerQuantile;
  const Extended m = ModeValue;
  const Extended br = UpperQuantile;
  Extended lo = p;
  Extended hi = r;
  // ln p, ln(1 - r) and 1/n are the same at every halving: they are formed once, at the
  // step of the first halving that first needs them, which leaves every value and every
  // arithmetic error exactly where the plain loop has it.
  Extended lnLower = 0;
  Extended lnUpper = 0;
  Extended reciprocal = 0;
  bool haveReciprocal = false;

  for (int halving = 0;; ++halving) {
    const Extended q = Checked((lo + hi) / 2);
    if (halving > 0 && (q == lo || q == hi || halving >= kMaxHalvings))
      BoundsNotSolved();
    ModeProbability = q;

    Extended a = ap;
    if (p > 0) {
      if (halving == 0) {
        reciprocal = Checked(1 / Power);
        haveReciprocal = true;
        lnLower = Ln(p);
      }
      const Extended A = Checked(Exp((lnLower - Ln(q)) * reciprocal));
      // After the first halving, a ratio of exactly 1 means q has come within the precision
      // of p: the bounds run off to infinity before the fit is met.
      if (A == 1 && halving > 0)
        BoundsNotSolved();
      LowerRatio = A;
      a = Checked(ap - (m - ap) * (A / (1 - A)));
    }

    Extended b = br;
    if (r < 1) {
      if (halving == 0) {
        if (!haveReciprocal)
          reciprocal = Checked(1 / Power);
        lnUpper = Ln(1 - r);
      }
      const Extended B = Checked(Exp((lnUpper - Ln(1 - q)) * reciprocal));
      if (B == 1 && halving > 0)
        BoundsNotSolved();
      UpperRatio = B;
      b = Checked((br - m) * (B / (1 - B)) + br);
    }

    const Extended theta = Checked((m - a) / (b - a));
    LowerBound = a;
    UpperBound = b;
    ModeFraction = theta;

    if (std::fabs(theta - q) <= kTolerance) {
      lastHalvings_ = halving;
      return;
    }
    if (q > theta) {
      hi = q;
    } else {
      lo = q;
    }
  }
}

void TAnalysisForm::CopyFitToModel() {
  model_->LoadFit(LowerBound, UpperBound, ModeValue, Power);
}

namespace {
TAnalysisForm record(GTSPForm);
}  // namespace

TAnalysisForm& AnalysisForm = record;
