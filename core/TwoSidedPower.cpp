#include "TwoSidedPower.h"

namespace {

// The shape of the distribution: the standardized mode mu and the probability pi below
// it. With equal powers pi equals mu mathematically; it is still formed by the formula.
struct TShape {
  Extended range;  // b - a
  Extended mu;
  Extended pi;
};

TShape ShapeOf(const TwoSidedPower& d) {
  const Extended range = d.Upper() - d.Lower();
  const Extended mu = Checked((d.Mode() - d.Lower()) / range);
  const Extended pi =
      Checked((mu * d.RightPower()) / ((1 - mu) * d.LeftPower() + mu * d.RightPower()));
  return {range, mu, pi};
}

// Standardized mean of the left branch (E1) and of the right branch (E2).
struct TBranchMeans {
  Extended e1;
  Extended e2;
};

TBranchMeans BranchMeans(const TwoSidedPower& d, Extended mu) {
  const Extended n1 = d.LeftPower();
  const Extended n2 = d.RightPower();
  return {(n1 * mu) / (n1 + 1), (n2 * mu + 1) / (n2 + 1)};
}

}  // namespace

Extended Pdf(const TwoSidedPower& d, Extended x) {
  TFloatScope scope;
  const TShape s = ShapeOf(d);
  const Extended y = Checked((x - d.Lower()) / s.range);
  if (y <= 0 || y >= 1)
    return 0;
  Extended f;
  if (y <= s.mu) {
    f = Exp((d.LeftPower() - 1) * Ln(y / s.mu)) * ((s.pi / s.mu) * d.LeftPower());
  } else {
    f = Exp((d.RightPower() - 1) * Ln((1 - y) / (1 - s.mu))) *
        (((1 - s.pi) / (1 - s.mu)) * d.RightPower());
  }
  return Checked(f / s.range);
}

Extended Cdf(const TwoSidedPower& d, Extended x) {
  TFloatScope scope;
  const TShape s = ShapeOf(d);
  const Extended y = Checked((x - d.Lower()) / s.range);
  if (y <= 0)
    return 0;
  if (y >= 1)
    return 1;
  if (y <= s.mu)
    return Checked(Exp(d.LeftPower() * Ln(y / s.mu)) * s.pi);
  return Checked(1 - Exp(d.RightPower() * Ln((1 - y) / (1 - s.mu))) * (1 - s.pi));
}

Extended Quantile(const TwoSidedPower& d, Extended u) {
  TFloatScope scope;
  const TShape shape = ShapeOf(d);
  Extended z = 0;
  if (u == 0 || u == 1) {
    z = u;
  } else if (u > 0 && u < 1) {
    // The logarithm is divided by the power, not multiplied by its reciprocal.
    if (u <= shape.pi) {
      z = Exp(Ln(u / shape.pi) / d.LeftPower()) * shape.mu;
    } else {
      z = 1 - Exp(Ln((1 - u) / (1 - shape.pi)) / d.RightPower()) * (1 - shape.mu);
    }
  }
  return Checked(shape.range * z + d.Lower());
}

Extended Mean(const TwoSidedPower& d) {
  TFloatScope scope;
  const TShape s = ShapeOf(d);
  const TBranchMeans e = BranchMeans(d, s.mu);
  return Checked(s.range * (s.pi * e.e1 + (1 - s.pi) * e.e2) + d.Lower());
}

Extended StdDev(const TwoSidedPower& d) {
  TFloatScope scope;
  const TShape s = ShapeOf(d);
  const TBranchMeans e = BranchMeans(d, s.mu);
  const Extended ey = s.pi * e.e1 + (1 - s.pi) * e.e2;
  const Extended mu2 = Square(s.mu);
  const Extended n1 = d.LeftPower();
  const Extended n2 = d.RightPower();
  // Second moments of the two branches; n + 1 stays in numerator and denominator.
  const Extended s1 = (mu2 * ((n1 + 1) * n1)) / ((n1 + 2) * (n1 + 1));
  const Extended s2 = (mu2 * ((n2 + 1) * n2) + (2 * n2) * s.mu + 2) / ((n2 + 2) * (n2 + 1));
  const Extended ey2 = s.pi * s1 + (1 - s.pi) * s2;
  const Extended variance = (ey2 - Exp(2 * Ln(ey < 0 ? -ey : ey))) * Square(s.range);
  return Checked(SquareRoot(variance));
}

Extended ModeProbability(const TwoSidedPower& d) {
  TFloatScope scope;
  return ShapeOf(d).pi;
}
