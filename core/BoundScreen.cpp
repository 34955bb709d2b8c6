// How the screen proves a halving of the bound solver.
//
// Notation. L = m - a_p, R = b_r - m, rho = R/L (exact reals). lP, lR and nu are the
// solver's own extended terms Ln(p), Ln(1 - r) and 1/n, taken as exact reals. For a mode
// probability q the reference values are
//   A(q) = exp((lP - ln q) nu),  B(q) = exp((lR - ln(1 - q)) nu),
//   X = 1 - A,  Y = 1 - B,  theta(q) = Y / (Y + rho X),
// which is (m - a)/(b - a) of the bounds a = a_p - L A/(1 - A), b = b_r + R B/(1 - B) in
// exact arithmetic (X = 1 when p = 0 and Y = 1 when r = 1: then a = a_p or b = b_r).
// X grows and Y falls with q, so theta falls, and theta(q) - q falls with slope below -1.
//
// Unit roundoffs: u = 2^-64 (extended), v = 2^-53 (double). The x87 ln (fyl2x with ln 2)
// and 2^f - 1 (f2xm1) are documented within 1 ulp of their results; ef = 2^-60 allows 16.
// The C library's log, log1p and expm1 in double are documented within 1 to 2 ulps;
// ed = 2^-50 allows 8. Every other operation is one correctly rounded IEEE operation.
//
// 1. The x87 evaluation at an extended midpoint q (BoundStep) against theta(q).
//    a. Exponent: u_c = fl(fl(lP - Ln q) nu) differs from u = (lP - ln q) nu by at most
//       2.01u|u| + 1.01 ef |ln q| nu, and |ln q| <= 1.001|lP| for p <= q <= 1. Exp forms
//       t = u_c log2 e with two roundings, splits t = k + f exactly, takes 2^f - 1 within
//       ef and adds 1; the scaling is exact (an underflow to a denormal or zero errs by
//       less than 2^-16000). So A_c = A e^tau (1 + sigma), |sigma| <= ef + 1.01u, and
//       |tau| <= 4.03u|u| + 1.02 ef |lP| nu, far below 0.01 inside the domain covered
//       (|lP| <= 691, nu <= 1e6). With A|u| <= 1/e (u <= 0) and A <= 1:
//         |A_c - A| <= dA = 1.02 (2.6u + ef (1 + 1.02|lP| nu)).
//       For B the argument of Ln is fl(1 - q), which adds 1.01u to the logarithm:
//         |B_c - B| <= dB = 1.02 (2.6u + ef (1 + 1.02|lR| nu) + 1.05u nu).
//       X_c = fl(1 - A_c) then lies within DX = 1.01 dA + 1.01u of X, Y_c within DY.
//    b. Structure: with S_a = L/X_c, S_b = R/Y_c, the steps a = a_p - L_c (A/(1 - A)),
//       b = R_c (B/(1 - B)) + b_r and theta = (m - a)/(b - a) give m - a = S_a (1 +- 4.01u)
//       +- u|a| and b - a = (S_a + S_b)(1 +- 4.01u) +- u(|a| + |b|) before their own
//       roundings, since b_r - a_p = L + R. With |a| <= |a_p| + S_a, |b| <= |b_r| + S_b and
//       S_a >= L, S_b >= R:
//         |theta_c - theta_ref(X_c, Y_c)| <= epsS = 1.05u (14 + |a_p|/L + (|a_p| + |b_r|)/(L + R)),
//       theta_ref(X, Y) = Y/(Y + rho X), rho exact.
//    c. Sensitivity: |d theta/dX| = rho Y/(Y + rho X)^2 <= min(rho/Y, 1/(4X)) and
//       |d theta/dY| = rho X/(Y + rho X)^2 <= min(1/(rho X), 1/(4Y)) for X, Y >= 0. Over the
//       box between (X, Y) and (X_c, Y_c) the mean value theorem gives
//         |theta_c - theta(q)| <= epsS + sup|d/dX| DX + sup|d/dY| DY.
//    d. No error: A_c < 1 once X > dA, and B_c < 1 once Y > dB; then 1 - A_c and 1 - B_c are
//       positive, and inside the domain covered nothing overflows, divides by zero or is
//       invalid. Since ln(q/p) >= (q - p)/q and |ln p - lP| <= 1.02 ef |lP|,
//         X >= z/(1 + z) with z = nu ((q - p)/q - 1.02 ef |lP|),
//       so X > dA holds whenever q - p >= q sA for the share sA formed in Prepare; likewise
//       Y > dB whenever r - q >= (1 - q) sB.
//
// 2. The double evaluation at a double z (Evaluate).
//    a. Exponent, far from p (z >= 2p): u_d = (double(lP) - log z) double(nu) lies within
//       Eu = 3.1v|u_d| + 1.05(v|lP| + ed|log z|) nu of u(z), which is then at least
//       0.69 nu in size.
//    b. Exponent, near p: that absolute error would swamp u(z), so the difference of
//       logarithms is never formed. With cP = lP - ln p, the x87's own error in ln p
//       (|cP| <= 1.02 ef |lP|), u(z) = (cP - ln(z/p)) nu. With p = pH + pL exactly (pH the
//       nearest double, pL the rest, exact in double), d = ((z - pH) - pL) fl(1/pH) lies
//       within 5.1v of (z - p)/p in relative terms (four roundings, and pH within v of p),
//       and for d > 0 log1p passes a relative error of d on to its result at most
//       unchanged, since ln(1 + d) >= d/(1 + d). So u_d = -log1p(d) double(nu) lies within
//       Eu = 1.05(8v + ed)|u_d| + 1.02 ef |lP| nu of u(z), small against u(z) however
//       close z is to p.
//    c. The upper side is the mirror image: ln((1 - z)/(1 - r)) =
//       log1p(((rH - z) + rL) fl(1/double(fl(1 - r)))) where 1 - z < 2(1 - r), the rounding
//       of fl(1 - r) going into cR: |cR| <= 1.02 ef |lR| + 1.01u; (double(lR) - log1p(-z))
//       double(nu) beyond.
//    d. X_d = -expm1(u_d) is within ed of 1 - e^u_d, so |X_d - X(z)| <= dX =
//       Amax Eu + 1.01 ed |X_d|, Amax an upper bound of e^u between u_d and u(z).
//       rho_d = double(R_c/L_c) is within 1.002v of rho, and the three roundings of
//       theta_d = Y_d/(Y_d + rho_d X_d) add at most 2.6v. With 1c, over the box
//       X >= X_d - dX > 0, Y >= Y_d - dY > 0:
//         |theta_d - theta(z)| <= Ed =
//           min(rho/Ylo, 1/(4Xlo)) dX + min(1/(rho Xlo), 1/(4Ylo)) dY + 3v.
//
// 3. The proof. Newton's method in double finds the root z* of theta_d(z) = z; at
//    qL = z* - w - delta and qR = z* + w + delta, w = T/|slope| the half-width of the band
//    where the x87 step meets the tolerance T, the double evaluation gives
//    gL = theta(qL) - qL > 0 and gR = qR - theta(qR) > 0 beyond Ed. No bound rests on w or
//    on z*: they only place qL and qR. For a midpoint q <= qL, theta falls, so
//      theta(q) - q >= gL + (qL - q),
//    and X(q) >= 0, Y(q) >= Y(qL) >= Ylo: by 1c the x87 value is off by at most
//      EL = epsS + rho DX/(Ylo - DY) + DY/(4(Ylo - DY)),
//    a bound that does not depend on q. So theta_c - q > T (T just above the tolerance,
//    beyond its rounding) whenever qL - q >= T + EL - gL: the x87 step would find
//    |theta - q| > tolerance and q < theta, that is Above, and (1d) raise nothing (and
//    for q <= qL only: where gL alone is large enough, the region ends at qL). For
//    q >= qR the mirror image gives Below, with X(q) >= X(qR) and
//      ER = epsS + DX/(4(Xlo - DX)) + DY/(rho (Xlo - DX)).
//    Every sum above is formed in double and rounded outwards by a margin of 2^-50 or
//    more, far above its rounding error, since all of its terms are at most 2.
//
// 4. Where it holds. The bound needs only what Covers checks. The fit check accepts whole
//    percent levels 0 <= p < r <= 100 %, judgements within 1e2000 with m at least 1e-2000
//    from a_p and b_r, and n from 0.0001 to 10000; the power search tries n from 0.01 to
//    1.8e17. All of that is covered except judgements where |a_p| or |a_p| + |b_r| exceeds
//    2^24 times the spread it is measured against (m a few ulps from a_p, say: there epsS
//    alone would swamp the tolerance) or where one spread exceeds the other 2^1000 times;
//    those, and everything the fit refuses, take the plain path from the start. Inside the
//    covered domain the proof may still fail (a root within a few ulps of p or r, n so
//    large that 1 - A cancels): the solver then takes the plain path too, and a midpoint
//    the screen cannot prove is evaluated in x87, so no input is ever decided on a guess.
#include "BoundScreen.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double kU = 0x1p-64;   // extended unit roundoff
constexpr double kV = 0x1p-53;   // double unit roundoff
constexpr double kEf = 0x1p-60;  // x87 fyl2x and f2xm1, 16 ulps
constexpr double kEd = 0x1p-50;  // log, log1p and expm1 in double, 8 ulps
constexpr double kOutward = 1 + 0x1p-40;

// True when v is a finite extended value of an ordinary encoding (not an unnormal, which
// the x87 refuses as an invalid operand), from its bits alone; touches no flag.
bool OrdinaryFinite(const Extended& v) {
  unsigned char bytes[sizeof(Extended)];
  std::memcpy(bytes, &v, sizeof bytes);
  const unsigned exponent = (static_cast<unsigned>(bytes[9] & 0x7F) << 8) | bytes[8];
  const bool integerBit = (bytes[7] & 0x80) != 0;
  return exponent == 0 ? !integerBit : exponent != 0x7FFF && integerBit;
}

// The judgements in double, and the double evaluation of section 2.
struct TDoubleFit {
  bool hasA = false;
  bool hasB = false;
  double lP = 0;
  double lR = 0;
  double nu = 0;
  double rho = 0;
  // p = pHigh + pLow and r = rHigh + rLow exactly, the high parts the nearest doubles;
  // perP is 1/pHigh and perUpper 1/fl(1 - r), fl(1 - r) as the x87 step forms it.
  double pHigh = 0;
  double pLow = 0;
  double perP = 0;
  double rHigh = 0;
  double rLow = 0;
  double perUpper = 0;

  struct TValue {
    double g = 0;      // theta_d(z) - z
    double slope = 0;  // d/dz of theta_d(z) - z, for Newton's method only
    double error = 0;  // Ed, valid when ok
    double xLow = 1;   // X(z) >= xLow
    double yLow = 1;   // Y(z) >= yLow
    bool ok = false;   // the box of section 2 is positive and the bound holds
  };

  // One side's X (or Y) at exponent e: -expm1(e), its error bound dx given the bound Ee of
  // the exponent, and false when Ee is too large for the bound to hold.
  static bool Side(double e, double exponentError, double& x, double& dx) {
    x = -std::expm1(e);
    if (!(exponentError <= 1e-3))
      return false;
    const double eMax = 1.0011 * (1 - x + 1.01 * kEd * std::fabs(x)) * (1 + 4 * kV);
    dx = (eMax * exponentError + 1.01 * kEd * std::fabs(x)) * kOutward;
    return true;
  }

  // With bound false only g and slope are formed.
  TValue Evaluate(double z, bool bound = true) const {
    TValue out;
    double x = 1, dx = 0, xSlope = 0;
    if (hasA) {
      // Near p the logarithm of the ratio, where it is far from 1 the cheaper logarithm.
      const double d = ((z - pHigh) - pLow) * perP;
      double ud = 0, eu = 0;
      if (d < 1) {
        ud = -std::log1p(d) * nu;
        eu = (1.05 * (8 * kV + kEd) * std::fabs(ud) + 1.02 * kEf * std::fabs(lP) * nu) * kOutward;
      } else {
        const double logZ = std::log(z);
        ud = (lP - logZ) * nu;
        eu = (3.1 * kV * std::fabs(ud) + 1.05 * (kV * std::fabs(lP) + kEd * std::fabs(logZ)) * nu) *
             kOutward;
      }
      if (!Side(ud, eu, x, dx) && bound)
        return out;
      xSlope = (1 - x) * nu / z;
    }
    double y = 1, dy = 0, ySlope = 0;
    if (hasB) {
      const double e = ((rHigh - z) + rLow) * perUpper;
      double vd = 0, ev = 0;
      if (e < 1) {
        vd = -std::log1p(e) * nu;
        ev = (1.05 * (8 * kV + kEd) * std::fabs(vd) +
              (1.02 * kEf * std::fabs(lR) + 1.01 * kU) * nu) *
             kOutward;
      } else {
        const double log1Z = std::log1p(-z);
        vd = (lR - log1Z) * nu;
        ev =
            (3.1 * kV * std::fabs(vd) + 1.05 * (kV * std::fabs(lR) + kEd * std::fabs(log1Z)) * nu) *
            kOutward;
      }
      if (!Side(vd, ev, y, dy) && bound)
        return out;
      ySlope = -(1 - y) * nu / (1 - z);
    }
    const double den = y + rho * x;
    out.g = y / den - z;
    out.slope = rho * (ySlope * x - y * xSlope) / (den * den) - 1;
    if (!bound)
      return out;
    out.xLow = x - dx;
    out.yLow = y - dy;
    if (!(out.xLow > 0 && out.yLow > 0 && std::isfinite(out.g)))
      return out;
    const double rhoUp = rho * (1 + 0x1p-50);
    const double rhoDown = rho * (1 - 0x1p-50);
    const double byX = std::fmin(rhoUp / out.yLow, 0.25 / out.xLow);
    const double byY = std::fmin(1 / (rhoDown * out.xLow), 0.25 / out.yLow);
    out.error = (byX * dx + byY * dy + 3 * kV) * kOutward;
    out.ok = std::isfinite(out.error);
    return out;
  }
};

}  // namespace

bool TBoundScreen::Covers(const TBoundScreenInput& in) {
  if (!kExactPrimitives)
    return false;
  // Read from the bits: a comparison, or a library test that compares, would raise the
  // invalid-operation flag on a NaN or an unnormal and change the error the plain path
  // reports.
  for (const Extended* v : {&in.p, &in.r, &in.ap, &in.m, &in.br, &in.n}) {
    if (!OrdinaryFinite(*v))
      return false;
  }
  constexpr Extended kLargest = 1e4000L;
  constexpr Extended kSmallestLevel = 1e-300L;
  if (!(in.p >= 0 && in.p < in.r && in.r <= 1))
    return false;
  if (!(in.p == 0 || in.p >= kSmallestLevel) || !(in.r == 1 || 1 - in.r >= kSmallestLevel))
    return false;
  if (!(in.ap < in.m && in.m < in.br))
    return false;
  if (!(std::fabs(in.ap) <= kLargest && std::fabs(in.m) <= kLargest &&
        std::fabs(in.br) <= kLargest))
    return false;
  if (!(in.n >= 1e-6L && in.n <= 1e30L))
    return false;
  // Inside these bounds the products below cannot overflow. Below the smallest spread the
  // bounds' products come near the subnormal range, whose absolute rounding the relative
  // error bound does not cover.
  const Extended left = in.m - in.ap;
  const Extended right = in.br - in.m;
  constexpr Extended kSpan = 0x1p1000L;
  constexpr Extended kMeasure = 0x1p24L;
  constexpr Extended kSmallestSpread = 0x1p-16000L;
  return left >= kSmallestSpread && right >= kSmallestSpread && right <= left * kSpan &&
         left <= right * kSpan && std::fabs(in.ap) <= left * kMeasure &&
         std::fabs(in.ap) + std::fabs(in.br) <= (left + right) * kMeasure;
}

bool TBoundScreen::Prepare(const TBoundScreenInput& in, Extended hint) {
  left_ = right_ = false;
  p_ = in.p;
  r_ = in.r;
  TDoubleFit fit;
  fit.hasA = in.p > 0;
  fit.hasB = in.r < 1;
  fit.lP = static_cast<double>(in.lnLower);
  fit.lR = static_cast<double>(in.lnUpper);
  fit.nu = static_cast<double>(in.reciprocal);
  fit.pHigh = static_cast<double>(in.p);
  fit.pLow = static_cast<double>(in.p - fit.pHigh);
  fit.perP = fit.hasA ? 1 / fit.pHigh : 0;
  fit.rHigh = static_cast<double>(in.r);
  fit.rLow = static_cast<double>(in.r - fit.rHigh);
  fit.perUpper = fit.hasB ? 1 / static_cast<double>(1 - in.r) : 0;
  const Extended left = in.m - in.ap;
  const Extended right = in.br - in.m;
  fit.rho = static_cast<double>(right / left);
  const double kappaA = in.ap == 0 ? 0 : static_cast<double>(std::fabs(in.ap) / left);
  const double kappa = static_cast<double>((std::fabs(in.ap) + std::fabs(in.br)) / (left + right));
  const double epsS = 1.05 * kU * (14 + 1.01 * kappaA + 1.01 * kappa) * kOutward;
  const double nu = fit.nu;

  // Section 1a: the x87 errors of A and B, the same for every q.
  double dA = 0, dX = 0, dB = 0, dY = 0;
  if (fit.hasA) {
    dA = 1.02 * (2.6 * kU + kEf * (1 + 1.02 * std::fabs(fit.lP) * nu)) * kOutward + 0x1p-1000;
    dX = (1.01 * dA + 1.01 * kU) * kOutward;
  }
  if (fit.hasB) {
    dB = 1.02 * (2.6 * kU + kEf * (1 + 1.02 * std::fabs(fit.lR) * nu) + 1.05 * kU * nu) * kOutward +
         0x1p-1000;
    dY = (1.01 * dB + 1.01 * kU) * kOutward;
  }

  // Newton's method on theta_d(z) - z, kept inside a bracket; no proof rests on it. It
  // starts from the hint when that lies inside (p, r), and stops once |g| is far below
  // the tolerance, or takes one more step and stops once |g| is small enough (1e-6) that
  // quadratic convergence puts that step near or below it; the root then lies close to z,
  // and the proof below finds out how close.
  const double pd = static_cast<double>(in.p);
  const double rd = static_cast<double>(in.r);
  double lo = pd;
  double hi = rd;
  // The hint is tested from its bits first: a comparison with a NaN would raise a flag.
  const bool useHint = OrdinaryFinite(hint) && hint > in.p && hint < in.r;
  double z = useHint ? static_cast<double>(hint) : 0.5 * (lo + hi);
  double slope = -1;
  for (int step = 0;; ++step) {
    const TDoubleFit::TValue at = fit.Evaluate(z, false);
    if (!std::isfinite(at.g) || !std::isfinite(at.slope) || step == 60)
      return false;
    slope = at.slope;
    if (std::fabs(at.g) <= 1e-13)
      break;
    if (at.g > 0) {
      lo = z;
    } else {
      hi = z;
    }
    const double next = z - at.g / at.slope;
    const bool inside = next > lo && next < hi;
    const double middle = 0.5 * (lo + hi);
    // Where the step leaves the bracket with g this small, or the bracket has no double
    // inside it (a slope so steep that adjacent doubles straddle the root), z is as close
    // as double resolves.
    const bool closed = !(middle > lo && middle < hi);
    if (std::fabs(at.g) <= 1e-6 || closed) {
      if (inside)
        z = next;
      break;
    }
    z = inside ? next : middle;
  }

  // Section 3. The x87 step is Met only where |theta(q) - q| <= T, a band of half-width
  // about T/|slope| around the root; the two sides are proved a margin delta beyond it.
  // Every midpoint between them is evaluated in x87, and nearly all of them meet the
  // tolerance. Where an evaluation fails its bound the margin grows sixteenfold; where the
  // errors leave the sides short of the band by more than an eighth of it, it grows by
  // twice the shortfall at that slope; a shorter shortfall, like the last attempt, takes
  // the sides as far as they are proved: an eighth of the band more left to the x87 steps
  // costs less than two more evaluations here.
  const double steep = std::fmax(-slope, 1.0);
  const double halfBand = static_cast<double>(kTolerance) / steep;
  double delta = halfBand * 0x1p-8 + std::fabs(z) * 0x1p-50;
  const double tolerance = static_cast<double>(kTolerance) * (1 + 0x1p-50);
  constexpr int kAttempts = 6;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    const double qL = z - halfBand - delta;
    const double qR = z + halfBand + delta;
    if (!(static_cast<Extended>(qL) > in.p && static_cast<Extended>(qR) < in.r))
      return false;
    const TDoubleFit::TValue atL = fit.Evaluate(qL);
    const TDoubleFit::TValue atR = fit.Evaluate(qR);
    const double gL = atL.g - atL.error - 4 * kV;
    const double gR = -atR.g - atR.error - 4 * kV;
    if (!(atL.ok && atR.ok && gL > 0 && gR > 0)) {
      delta *= 16;
      continue;
    }
    const double yLow = atL.yLow - dY;
    const double xLow = atR.xLow - dX;
    if (!(yLow > 0 && xLow > 0))
      return false;
    const double eL = (epsS + fit.rho * (1 + 0x1p-50) * dX / yLow + 0.25 * dY / yLow) * kOutward;
    const double eR = (epsS + 0.25 * dX / xLow + dY / (fit.rho * (1 - 0x1p-50) * xLow)) * kOutward;
    // The bound on theta(q) - q holds from qL down and from qR up only.
    const double dL = std::fmax(tolerance + eL - gL + 0x1p-50, 0.0);
    const double dR = std::fmax(tolerance + eR - gR + 0x1p-50, 0.0);
    if (!(std::isfinite(dL) && std::isfinite(dR)))
      return false;
    if ((dL > 0 || dR > 0) && attempt < kAttempts && !(std::fmax(dL, dR) <= halfBand / 8)) {
      delta += 2 * std::fmax(dL, dR) / steep;
      continue;
    }
    // qL - dL rounds by at most 2^-54 inside [0, 1]; qL itself is exact.
    leftEdge_ = static_cast<Extended>(dL > 0 ? qL - dL - 0x1p-52 : qL);
    rightEdge_ = static_cast<Extended>(dR > 0 ? qR + dR + 0x1p-52 : qR);

    // Section 1d: the shares that keep A and B below 1.
    lowerShare_ = 0;
    if (fit.hasA) {
      const double xNeed = dA * (1 + 0x1p-20);
      const double zNeed = xNeed / (1 - xNeed) * kOutward;
      const double share =
          (zNeed / (nu * (1 - 2 * kV)) + 1.02 * kEf * std::fabs(fit.lP)) * kOutward;
      if (!(share < 1))
        return false;
      lowerShare_ = share;
    }
    upperShare_ = 0;
    if (fit.hasB) {
      const double yNeed = dB * (1 + 0x1p-20);
      const double zNeed = yNeed / (1 - yNeed) * kOutward;
      const double share =
          (zNeed / (nu * (1 - 2 * kV)) + 1.03 * kEf * std::fabs(fit.lR) + 1.05 * kU) * kOutward;
      if (!(share < 1))
        return false;
      upperShare_ = share;
    }
    left_ = true;
    right_ = true;
    return true;
  }
  return false;
}
