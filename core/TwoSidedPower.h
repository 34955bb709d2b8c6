// The two-sided power distribution in its generalized form: a power of its own on each
// side of the mode m, on the support [a, b]. An immutable value; its functions are free
// functions of it.
#pragma once

#include "ExtendedMath.h"

class TwoSidedPower {
 public:
  // All zero: no distribution yet. Its functions raise arithmetic errors.
  constexpr TwoSidedPower() = default;
  // Support [lower, upper], mode m and the power n on both sides: a fit.
  constexpr TwoSidedPower(Extended lower, Extended mode, Extended upper, Extended power)
      : TwoSidedPower(lower, mode, upper, power, power) {}
  // A power of its own on each side: leftPower on [lower, mode], rightPower on [mode, upper].
  constexpr TwoSidedPower(Extended lower, Extended mode, Extended upper, Extended leftPower,
                          Extended rightPower)
      : Lower_(lower), Mode_(mode), Upper_(upper), LeftPower_(leftPower), RightPower_(rightPower) {}

  constexpr Extended Lower() const { return Lower_; }  // a, lower end of the support
  constexpr Extended Mode() const { return Mode_; }    // m (an anti-mode for powers below 1)
  constexpr Extended Upper() const { return Upper_; }  // b, upper end of the support
  constexpr Extended LeftPower() const { return LeftPower_; }    // n1, on [a, m]
  constexpr Extended RightPower() const { return RightPower_; }  // n2, on [m, b]

  friend constexpr bool operator==(const TwoSidedPower&, const TwoSidedPower&) = default;

 private:
  Extended Lower_ = 0;
  Extended Mode_ = 0;
  Extended Upper_ = 0;
  Extended LeftPower_ = 0;
  Extended RightPower_ = 0;
};

// The functions rely on, and do not check, a < b and positive powers; outside them a
// function raises an arithmetic error.

// Density at x, per unit of x; 0 at and outside the support ends.
Extended Pdf(const TwoSidedPower& d, Extended x);
// Probability of a value <= x.
Extended Cdf(const TwoSidedPower& d, Extended x);
// The x with Cdf(x) = u for 0 <= u <= 1; exactly a for u = 0 and for u outside [0, 1].
Extended Quantile(const TwoSidedPower& d, Extended u);
Extended Mean(const TwoSidedPower& d);
Extended StdDev(const TwoSidedPower& d);
// The probability below the mode, formed from the shape: (mu n2)/((1 - mu) n1 + mu n2) with
// mu = (m - a)/(b - a); with equal powers it is mu.
Extended ModeProbability(const TwoSidedPower& d);
