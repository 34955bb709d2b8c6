// The linear pool of several experts' fits: the mixture that gives each expert's
// distribution its weight, as an elicitation of several experts combines them. An
// immutable value; its functions are free functions of it, as those of TwoSidedPower are.
#pragma once

#include <vector>

#include "ExtendedMath.h"
#include "TwoSidedPower.h"

class LinearPool {
 public:
  // The experts' distributions with a weight each, in order; no weights: equal weights.
  // The weights are kept divided by their sum. Raises EFitError for no expert, a number of
  // weights other than that of the experts, or weights that are not finite, negative or
  // all zero.
  explicit LinearPool(std::vector<TwoSidedPower> experts, std::vector<Extended> weights = {});

  const std::vector<TwoSidedPower>& Experts() const { return Experts_; }
  // The weights, summing to 1 within rounding.
  const std::vector<Extended>& Weights() const { return Weights_; }
  // The support: from the lowest lower bound to the highest upper bound of the experts
  // that have weight.
  Extended Lower() const { return Lower_; }
  Extended Upper() const { return Upper_; }

 private:
  std::vector<TwoSidedPower> Experts_;
  std::vector<Extended> Weights_;
  Extended Lower_ = 0;
  Extended Upper_ = 0;
};

// The weighted sums of the experts' densities and distribution functions.
Extended Pdf(const LinearPool& pool, Extended x);
Extended Cdf(const LinearPool& pool, Extended x);
// The smallest x with Cdf(x) >= u, found by inverting Cdf to 1e-13 of the support's width:
// Newton steps where they stay inside the bracket that holds the root, halvings otherwise,
// 400 steps at most. Lower() for u <= 0, Upper() for u >= 1. Where the density vanishes
// (at an expert's bound, with a power above 1) Cdf is flat to its rounding over a wider
// stretch, and the quantile is the smallest x whose Cdf, as computed, reaches u.
Extended Quantile(const LinearPool& pool, Extended u);
Extended Mean(const LinearPool& pool);
// From the experts' variances and the spread of their means about the pool's mean.
Extended StdDev(const LinearPool& pool);
