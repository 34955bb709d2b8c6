// The two-sided power distribution in its generalized form: a power of its own on each
// side of the mode m, on the support [a, b].
#pragma once

#include "ExtendedMath.h"

class TGTSPForm {
 public:
  Extended LowerBound = 0;  // a, lower end of the support
  Extended ModeValue = 0;   // m, the mode (an anti-mode when the powers are below 1)
  Extended UpperBound = 0;  // b, upper end of the support
  Extended LeftPower = 0;   // n1, power of the branch on [a, m]
  Extended RightPower = 0;  // n2, power of the branch on [m, b]

  // Takes a fit: support [a, b], mode m and the power n on both sides.
  void LoadFit(Extended a, Extended b, Extended m, Extended n) {
    LowerBound = a;
    UpperBound = b;
    ModeValue = m;
    LeftPower = n;
    RightPower = n;
  }

  // Density at x, per unit of x; 0 at and outside the support ends.
  Extended Pdf(Extended x) const;
  // Probability of a value <= x.
  Extended Cdf(Extended x) const;
  // The x with Cdf(x) = u for 0 <= u <= 1; exactly a for u = 0 and for u outside [0, 1].
  Extended Quantile(Extended u) const;
  Extended Mean() const;
  Extended StdDev() const;

  // The functions rely on, and do not check, a < b and positive powers; outside them an
  // operation raises an arithmetic error and the fields keep their values.
};

// The distribution model of the process.
extern TGTSPForm& GTSPForm;
