// The search for every power parameter n at which the fit puts probability s below an
// additional quantile x_s, and the choice of the one the fit shows.
//
// F(x_s; n) need not be monotone in n: two or three powers can fit the same x_s. The
// search scans n over [0.0001, 10000] on a grid even in ln n, refines the grid wherever
// F - s could come back to zero between two points, and locates every sign change of F - s
// to 2^-40 of n, where it meets the tolerance of the core; a power met elsewhere stands for
// a sign change within 2^-20 of it. A sign change whose tolerance cannot be met is kept
// with its bracket. SolverRecord::SearchPower then chooses the
// smallest power at or above 1 (m stays a most likely value), else the largest below 1,
// skipping any the fit check refuses while another fits.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "ExtendedMath.h"

// The range of powers searched; the fit check refuses powers outside it.
inline constexpr Extended kSmallestSearchedPower = 1e-4L;
inline constexpr Extended kLargestSearchedPower = 1e4L;

// One scanned point: the power and F(x_s) of the fit for it.
struct TPowerSample {
  Extended Power = 0;
  Extended Cdf = 0;
};

// One power at which F - s changes sign, or comes within the tolerance of zero.
struct TPowerRoot {
  Extended Power = 0;
  // The scan cell the root was met in (the points around it for a root on a grid point).
  // For a root not met, the narrowest bracket of its sign change that was found.
  Extended CellLow = 0;
  Extended CellHigh = 0;
  // False where |F - s| could not be brought within the tolerance: Power is then the
  // middle of the bracket.
  bool Met = true;
};

struct TPowerScan {
  std::vector<TPowerRoot> Roots;    // ascending, met or not
  std::vector<TPowerSample> Curve;  // every point evaluated before bisecting, ascending
  int Unmet = 0;                    // roots whose tolerance could not be met
  int Evaluations = 0;              // calls of the trial function
  bool KnownKept = false;           // the known power stands for a root
};

// F(x_s) of the fit for power n, or nothing where the bounds cannot be solved for n.
using TPowerTrial = std::function<std::optional<Extended>(Extended n)>;

// Scans n over [kSmallestSearchedPower, kLargestSearchedPower] for every root of F - s.
// `known`, if given, is a power another search met to the tolerance. Where the trial
// confirms it (|F - s| within the tolerance, and a sign change within 2^-20 of it) it
// stands for that root, so its bits are kept; otherwise the root is located afresh. The
// trial should be smooth in n to well below the tolerance.
TPowerScan ScanPowers(const TPowerTrial& trial, Extended s,
                      std::optional<Extended> known = std::nullopt);

// What the last successful SearchPower found: every fitting power, ascending, and the
// scanned curve of F(x_s; n), for the windows to show.
struct TPowerSearchResult {
  std::vector<Extended> Powers;
  std::vector<TPowerSample> Curve;
  Extended Chosen = 0;
  // Sign changes of F - s whose tolerance could not be met, with their brackets.
  std::vector<TPowerRoot> Unmet;
};
