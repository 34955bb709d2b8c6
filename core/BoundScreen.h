// The bound solver's screen: which halvings of its bisection on q can be decided without
// the x87 evaluation, proved from a double-precision solve and a rigorous error bound.
// BoundScreen.cpp derives the bound.
#pragma once

#include <optional>

#include "Bisection.h"
#include "ExtendedMath.h"

// The judgements and the solver's own terms ln p, ln(1 - r) and 1/n, as the x87 steps use
// them (a term the judgements do not need is 0).
struct TBoundScreenInput {
  Extended p = 0;
  Extended r = 0;
  Extended ap = 0;
  Extended m = 0;
  Extended br = 0;
  Extended n = 0;
  Extended lnLower = 0;
  Extended lnUpper = 0;
  Extended reciprocal = 0;
};

class TBoundScreen {
 public:
  // True for judgements inside the domain the bound covers: finite, 0 <= p < r <= 1 (p and
  // 1 - r either 0 or at least 1e-300), a_p < m < b_r within 1e4000, m - a_p and b_r - m
  // at least 2^-16000, n in [1e-6, 1e30], (b_r - m)/(m - a_p) within 2^+-1000,
  // |a_p| <= 2^24 (m - a_p) and
  // |a_p| + |b_r| <= 2^24 (b_r - a_p). Inside it the x87 steps raise no arithmetic error
  // and the terms cannot fail. Costs no transcendental function and raises no flag.
  static bool Covers(const TBoundScreenInput& in);

  // Solves for the root in double and proves the two regions below and above it where
  // every halving is decided. False when the proof fails; the solver then takes the plain
  // path. Requires Covers(in) and the terms filled in.
  // A hint inside (p, r), the root of a neighbouring fit say, starts the double solve
  // there; it changes no decision, only how soon the root is found.
  bool Prepare(const TBoundScreenInput& in, Extended hint = -1);

  // The step the x87 evaluation at midpoint q would take, when it is proved to be Above or
  // Below and to raise no error (Met is never proved); nullopt otherwise. The edges of the
  // two regions, where the proof's margin is thinnest, are left to the x87 evaluation. A
  // few extended operations, no transcendental function, no flag raised.
  std::optional<TBisectStep> Decide(Extended q) const {
    if (left_ && q < leftEdge_ && q - p_ >= q * lowerShare_)
      return TBisectStep::Above;
    if (right_ && q > rightEdge_ && r_ - q >= (1 - q) * upperShare_)
      return TBisectStep::Below;
    return std::nullopt;
  }

  // Takes the halvings of the bisection of [lo, hi] from its first on for as long as Decide
  // proves them, stopping before a midpoint that equals an end or the halving budget.
  // Returns the number taken; lastMid is the midpoint of the last one.
  int Advance(Extended& lo, Extended& hi, Extended& lastMid) const {
    int halving = 0;
    for (;; ++halving) {
      const Extended mid = (lo + hi) / 2;
      if (halving > 0 && (mid == lo || mid == hi || halving >= kMaxHalvings))
        return halving;
      const std::optional<TBisectStep> step = Decide(mid);
      if (!step)
        return halving;
      (*step == TBisectStep::Above ? lo : hi) = mid;
      lastMid = mid;
    }
  }

 private:
  Extended p_ = 0;
  Extended r_ = 0;
  bool left_ = false;   // Above is proved for q <= leftEdge_ with q - p >= q * lowerShare_
  bool right_ = false;  // Below is proved for q >= rightEdge_ with r - q >= (1 - q) * upperShare_
  Extended leftEdge_ = 0;
  Extended rightEdge_ = 0;
  Extended lowerShare_ = 0;  // keeps q far enough from p that A < 1
  Extended upperShare_ = 0;  // keeps q far enough from r that B < 1
};
