// The solvers' working record, private to the core: the judgements as numbers, the
// solvers' results and working values, and the solvers that write them: the bound solver
// for a given power n, the power-parameter search from an additional quantile, and the
// limits that bound a feasible additional quantile. The value functions of Fit.h each make
// one of their own and hand out values; no code outside the core includes this, but the
// core's own tests, fuzz targets and benchmarks of the solvers.
#pragma once

#include "Bisection.h"
#include "ExtendedMath.h"
#include "Fit.h"
#include "Judgements.h"
#include "PowerSearch.h"
#include "TwoSidedPower.h"

class SolverRecord {
 public:
  // Levels are fractions, not percentages. Every field keeps its last value until its
  // writer runs again.
  Extended LowerBound = 0;            // a, solved lower support bound
  Extended UpperBound = 0;            // b, solved upper support bound
  Extended ModeProbability = 0;       // q of the solved fit
  Extended ModeProbabilityLimit = 0;  // q in the limit of large n (stored by the callers)
  Extended LowerQuantile = 0;         // a_p
  Extended ModeValue = 0;             // m
  Extended UpperQuantile = 0;         // b_r
  Extended Power = 0;                 // n
  Extended ExtraQuantile = 0;         // x_s
  Extended LowerLevel = 0;            // p
  Extended UpperLevel = 0;            // r
  Extended ExtraLevel = 0;            // s
  Extended LowerRatio = 0;            // A = (p/q)^(1/n) of the last solver step, when p > 0
  Extended UpperRatio = 0;            // B = ((1-r)/(1-q))^(1/n) of the last step, when r < 1
  Extended ModeFraction = 0;          // theta = (m-a)/(b-a) of the last solver step
  Extended UniformLowerBound = 0;     // lower bound of the fit with n = 1
  Extended UniformUpperBound = 0;     // upper bound of the fit with n = 1
  Extended UniformExtraQuantile = 0;  // s-quantile of the fit with n = 1
  Extended LimitExtraQuantile = 0;    // s-quantile in the limit of large n
  Extended PowerLow = 0;              // low end of the bracket on n
  Extended PowerHigh = 0;             // high end of the bracket on n
  TwoSidedPower Model;                // the fit of the last trial of a power search

  // Takes a_p, p, m, b_r, r and, by the mode, either n or x_s and s; the other mode's
  // judgements keep their values.
  void Load(const Judgements& judgements);

  // Bisects on q between p and r until the standardized mode of the bounds meets q;
  // writes a, b, q, A, B and theta. Raises EFitError when no q meets the tolerance.
  void SolveBounds();

  // After SolveBounds: Newton's method on theta(q) = q from the bisection's q, until a step
  // would move q by no more than rounding; writes a, b, q, A, B and theta. SolveBounds stops
  // anywhere within 1e-10 of the root, on a midpoint that stays put across a band of n and
  // then jumps; this takes q to the precision of extended, so that F(x_s) follows n
  // smoothly. Where a step fails or gains nothing, the fit of the step before stays.
  void PolishBounds();

  // How many times the last SolveBounds halved its interval before it met the tolerance.
  int LastHalvings() const { return lastHalvings_; }
  // How many of those halvings, and of the steps that restore what a failure leaves, the
  // last SolveBounds evaluated in x87; the others the screen decided (TBoundsPath).
  int LastX87Steps() const { return solvedTerms_.x87Steps; }

  // The x87 evaluation of one halving after the first at mode probability q, as both paths
  // of SolveBounds take it: writes q, A, B, a, b and theta and judges q against the
  // tolerance. Raises the errors such a halving raises.
  TBisectStep JudgeModeProbability(Extended q);

  // The path every later SolveBounds of this record takes (Screened at start).
  void SetBoundsPath(TBoundsPath path) { boundsPath_ = path; }
  TBoundsPath BoundsPath() const { return boundsPath_; }

  // Makes Model the fit: a, b, m and n in both powers.
  void CopyFitToModel();

  // ---- additional-quantile fit ----

  // The standardized mode of the large-n limit for mode probability x, p < x < r.
  Extended LimitModeMap(Extended x) const;
  // The fixed point of LimitModeMap (needs p > 0 and r < 1).
  Extended LimitModeProbability() const;
  // The bounds of the uniform fit (n = 1); m plays no part.
  void UniformBounds();
  Extended UniformQuantile() const;
  // The s-quantile in the large-n limit; reads ModeProbabilityLimit.
  Extended LimitQuantile() const;

  // Double n from 0.01 while Cdf(x_s) < s (Up) or > s (Down); return the doublings made.
  int BracketPowerUp();
  int BracketPowerDown();
  // Bisect n between PowerLow and PowerHigh until Cdf(x_s) is within the tolerance of s.
  void BisectPowerUp();
  void BisectPowerDown();

  // The power search of the plot command: finds every power in [0.0001, 10000] at which
  // the fit puts probability s below x_s (PowerSearch.h) and leaves the chosen one in the
  // record and its Model, as the last trial of a bisection does. Where the Down pair (m >
  // x_s) or else the Up pair finds a power that the scan confirms, that root keeps the
  // pair's bits and the pair's fit; every other root shows the polished fit (PolishBounds)
  // the scan located it with. No fitting power raises EFitError, naming any sign change whose
  // tolerance could not be met; so does a fit check that refuses every one. A search that
  // fails leaves the record as it was before it.
  void SearchPower();
  // Every power the last successful search found, and the curve it scanned.
  const TPowerSearchResult& LastPowerSearch() const { return lastSearch_; }

  // The most doublings of a bracket search: n then passes 1.8e17.
  static constexpr int kMaxDoublings = 64;

 private:
  enum class TDirection { Up, Down };
  int BracketPower(TDirection direction);
  void BisectPower(TDirection direction);
  // Solves the bounds at the current n and returns Cdf(x_s) of that fit.
  Extended TrialCdf();
  // The scan's trial, smooth in n: Cdf(x_s) of the fit polished (PolishBounds) where it
  // lies near s, of the first Newton step elsewhere.
  Extended ScanTrialCdf();
  // The pair search from n = 0.01 by doublings; true when it met the tolerance.
  bool SearchPowerByDoubling();
  void SearchEveryPower();

  // ln p, ln(1 - r) and 1/n, formed once per solve, when first needed.
  struct TBoundTerms {
    Extended lnLower = 0;
    Extended lnUpper = 0;
    Extended reciprocal = 0;
    bool haveReciprocal = false;
    bool haveLower = false;
    bool haveUpper = false;
    int x87Steps = 0;  // BoundStep calls of the solve
    // The p, r and n they were formed for (KeepTerms).
    Extended p = -1;
    Extended r = -1;
    Extended n = 0;
  };
  // One x87 evaluation of the bound solver at mode probability q: stores q, A, B, a, b and
  // theta and judges q.
  TBisectStep BoundStep(Extended q, int halving, TBoundTerms& terms);
  // SolveBounds on the screened path; false, with nothing changed, when the judgements lie
  // outside what the screen covers.
  bool SolveBoundsScreened();
  // Keeps the terms of a solve that met its tolerance, for PolishBounds.
  void KeepTerms(TBoundTerms terms);
  // One step of Newton's method on theta(q) = q from the fit the record holds: the next q,
  // and the derivatives of a and b in q at the fit. Raises an arithmetic error as Checked.
  struct TNewtonStep {
    Extended next = 0;
    Extended da = 0;
    Extended db = 0;
  };
  TNewtonStep NewtonStep() const;

  // The mode probabilities of the last few solves of the same judgements, against ln n,
  // from which the screen's double solve of the next one starts: a hint, which changes no
  // decision of the solve, only how soon the screen finds its root.
  struct TSolvedModes {
    static constexpr int kKept = 4;
    Extended judgements[5] = {};  // p, r, a_p, m, b_r
    int count = 0;
    double lnPower[kKept] = {};  // newest first
    double mode[kKept] = {};
    Extended lastPower = 0;  // n of the newest
    double lnPowerNow = 0;   // ln n of the solve under way
    bool repeated = false;   // the solve under way is at the newest n
  };
  // The mode probability the screen of a solve at the current n starts from.
  Extended ModeHint();
  // Keeps the mode probability of the solve just made.
  void KeepMode();

  Extended lastTrialCdf_ = 0;
  int lastHalvings_ = 0;
  TBoundsPath boundsPath_ = TBoundsPath::Screened;
  TBoundTerms solvedTerms_;
  TSolvedModes solvedModes_;
  TPowerSearchResult lastSearch_;
};
