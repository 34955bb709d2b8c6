// The power-parameter search and the uniform and large-n quantiles that bound a feasible
// additional quantile.
#include "PowerSearch.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "Bisection.h"
#include "FitCheck.h"
#include "SolverRecord.h"

namespace {

constexpr Extended kStartPower = 0.01L;

[[noreturn]] void NoPower() {
  throw EFitError(
      "No power parameter n between 0.0001 and 10000 puts probability s below x_s. Choose "
      "an additional quantile x_s strictly between the feasibility bounds, or another "
      "level s.");
}

[[noreturn]] void PowerNotMet() {
  throw EFitError(
      "The power-parameter search could not meet its tolerance for these judgements. "
      "Choose an additional quantile x_s strictly between the feasibility bounds, further "
      "from either bound.");
}

}  // namespace

void SolverRecord::UniformBounds() {
  TFloatScope scope;
  const Extended p = LowerLevel;
  const Extended r = UpperLevel;
  UniformLowerBound = Checked((r * LowerQuantile - p * UpperQuantile) / (r - p));
  UniformUpperBound = Checked(((1 - p) * UpperQuantile - (1 - r) * LowerQuantile) / (r - p));
}

Extended SolverRecord::UniformQuantile() const {
  TFloatScope scope;
  return Checked((UniformUpperBound - UniformLowerBound) * ExtraLevel + UniformLowerBound);
}

Extended SolverRecord::LimitQuantile() const {
  TFloatScope scope;
  const Extended qLimit = ModeProbabilityLimit;
  const Extended s = ExtraLevel;
  const Extended m = ModeValue;
  if (s <= qLimit) {
    return Checked(m - (Ln(s / qLimit) / Ln(LowerLevel / qLimit)) * (m - LowerQuantile));
  }
  return Checked(
      (Ln((1 - s) / (1 - qLimit)) / Ln((1 - UpperLevel) / (1 - qLimit))) * (UpperQuantile - m) + m);
}

Extended SolverRecord::TrialCdf() {
  SolveBounds();
  CopyFitToModel();
  lastTrialCdf_ = Cdf(Model, ExtraQuantile);
  return lastTrialCdf_;
}

int SolverRecord::BracketPower(TDirection direction) {
  TFloatScope scope;
  const Extended s = ExtraLevel;
  auto onStartingSide = [direction, s](Extended f) {
    return direction == TDirection::Up ? f < s : f > s;
  };
  Extended n = kStartPower;
  Power = n;
  Extended f = TrialCdf();
  int doublings = 0;
  while (onStartingSide(f)) {
    if (doublings == kMaxDoublings)
      NoPower();
    PowerLow = n;
    n = Checked(2 * n);
    Power = n;
    PowerHigh = n;
    ++doublings;
    try {
      f = TrialCdf();
    } catch (const EFitError&) {
      // The bounds lose their precision for a power this large before F reaches s.
      NoPower();
    }
  }
  return doublings;
}

void SolverRecord::BisectPower(TDirection direction) {
  TFloatScope scope;
  const Extended s = ExtraLevel;
  // Up: F <= s moves the low end; Down: F >= s does.
  auto movesLow = [direction, s](Extended f) {
    return direction == TDirection::Up ? f <= s : f >= s;
  };
  Bisect(
      PowerLow, PowerHigh,
      [&](Extended n, int) {
        Power = n;
        const Extended f = TrialCdf();
        if (std::fabs(f - s) <= kTolerance)
          return TBisectStep::Met;
        return movesLow(f) ? TBisectStep::Above : TBisectStep::Below;
      },
      [] { PowerNotMet(); });
}

int SolverRecord::BracketPowerUp() {
  return BracketPower(TDirection::Up);
}
int SolverRecord::BracketPowerDown() {
  return BracketPower(TDirection::Down);
}
void SolverRecord::BisectPowerUp() {
  BisectPower(TDirection::Up);
}
void SolverRecord::BisectPowerDown() {
  BisectPower(TDirection::Down);
}

// ---------------------------------------------------------------------------------------
// [SECTION] Every power that fits
// ---------------------------------------------------------------------------------------

namespace {

// The scan's grid: 64 cells even in ln n over [0.0001, 10000], each a factor of about
// 1.33 in n.
constexpr int kGridCells = 64;
// A cell is halved at most this often (down to a factor of about 1.00007 in n).
constexpr int kMaxRefinements = 12;
// Every scan ends within this many trials, whatever the curve does.
constexpr int kMaxEvaluations = 4000;
// How much more sharply F may bend inside a cell than around it.
constexpr Extended kCurvatureSafety = 8;

struct TScanPoint {
  Extended u;  // ln n
  Extended n;
  std::optional<Extended> g;  // F - s, nothing where the fit cannot be solved
};

// -1, 0 or 1: the side of s that F lies on, 0 within the tolerance.
int SideOf(Extended g) {
  if (std::fabs(g) <= kTolerance)
    return 0;
  return g > 0 ? 1 : -1;
}

// The second divided difference of g over three points, or 0 if one is missing.
Extended Curvature(const TScanPoint& a, const TScanPoint& b, const TScanPoint& c) {
  if (!a.g || !b.g || !c.g)
    return 0;
  const Extended right = (*c.g - *b.g) / (c.u - b.u);
  const Extended left = (*b.g - *a.g) / (b.u - a.u);
  return std::fabs(2 * (right - left) / (c.u - a.u));
}

// Whether F - s could reach zero between points k and k + 1 of the scan although it lies
// on the same side of s at both.
//
// This is why the scan cannot miss a pair of roots. Two roots inside one cell [u0, u1] of
// width h (in u = ln n) mean that g = F - s leaves the side it has at both ends and comes
// back. If |g''| <= M over the cell, g stays within M h^2 / 8 of the chord through its
// ends, so it cannot reach zero while both |g(u0)| and |g(u1)| exceed M h^2 / 8. M is
// taken as kCurvatureSafety times the largest second difference of the points around the
// cell (two cells either side): g(n) is a composition of logarithms and exponentials of n
// with no pole in the range, so its curvature changes little from a cell to its
// neighbours. Every cell that fails the test is halved, and the test applied again to
// both halves, until it passes or the cell is 2^12 times narrower than the grid; a sign
// change that appears at a new point is bisected like any other. What is left are pairs of
// roots closer together than a factor of 1.00007 in n, which is a double root to the
// figures the panels show.
bool MayHideRoots(const std::vector<TScanPoint>& points, std::size_t k, Extended smallest) {
  const TScanPoint& left = points[k];
  const TScanPoint& right = points[k + 1];
  if (!left.g || !right.g)
    return false;
  const int side = SideOf(*left.g);
  if (side == 0 || SideOf(*right.g) != side)
    return false;
  const Extended h = right.u - left.u;
  if (h <= smallest)
    return false;
  Extended bend = 0;
  const std::size_t first = k >= 2 ? k - 2 : 0;
  for (std::size_t j = first; j <= k + 1 && j + 2 < points.size(); ++j)
    bend = std::max(bend, Curvature(points[j], points[j + 1], points[j + 2]));
  const Extended reach = kCurvatureSafety * bend * h * h / 8;
  return std::min(std::fabs(*left.g), std::fabs(*right.g)) <= reach;
}

// Bisects n between the ends of a cell on which F - s changes sign until |F - s| meets the
// tolerance; nothing when the midpoint stops moving or the fit cannot be solved first.
std::optional<Extended> BisectCell(const TPowerTrial& trial, Extended s, Extended low, int lowSide,
                                   Extended high, int& evaluations) {
  struct TLost {};
  try {
    Extended root = 0;
    Bisect(
        low, high,
        [&](Extended n, int) {
          ++evaluations;
          const std::optional<Extended> f = trial(n);
          if (!f)
            throw TLost{};
          const int side = SideOf(*f - s);
          root = n;
          if (side == 0)
            return TBisectStep::Met;
          return side == lowSide ? TBisectStep::Above : TBisectStep::Below;
        },
        [] { throw TLost{}; });
    return root;
  } catch (const TLost&) {
    return std::nullopt;
  }
}

}  // namespace

TPowerScan ScanPowers(const TPowerTrial& trial, Extended s, std::optional<Extended> known) {
  TFloatScope scope;
  TPowerScan scan;
  auto evaluate = [&](Extended u, Extended n) {
    ++scan.Evaluations;
    const std::optional<Extended> f = trial(n);
    return TScanPoint{u, n, f ? std::optional<Extended>(*f - s) : std::nullopt};
  };

  const Extended uLow = Ln(kSmallestSearchedPower);
  const Extended uHigh = Ln(kLargestSearchedPower);
  const Extended width = (uHigh - uLow) / kGridCells;
  std::vector<TScanPoint> points;
  points.reserve(2 * kGridCells);
  for (int i = 0; i <= kGridCells; ++i) {
    const Extended u = i == kGridCells ? uHigh : uLow + i * width;
    const Extended n = i == 0            ? kSmallestSearchedPower
                       : i == kGridCells ? kLargestSearchedPower
                                         : Exp(u);
    points.push_back(evaluate(u, n));
  }

  const Extended smallest = width / (1 << kMaxRefinements);
  for (int pass = 0; pass < kMaxRefinements && scan.Evaluations < kMaxEvaluations; ++pass) {
    std::vector<TScanPoint> refined;
    refined.reserve(points.size() * 2);
    bool split = false;
    for (std::size_t k = 0; k < points.size(); ++k) {
      refined.push_back(points[k]);
      if (k + 1 < points.size() && scan.Evaluations < kMaxEvaluations &&
          MayHideRoots(points, k, smallest)) {
        const Extended u = (points[k].u + points[k + 1].u) / 2;
        refined.push_back(evaluate(u, Exp(u)));
        split = true;
      }
    }
    points = std::move(refined);
    if (!split)
      break;
  }

  for (const TScanPoint& p : points) {
    if (p.g)
      scan.Curve.push_back({p.n, *p.g + s});
  }

  // Roots on scan points: one for each run of points within the tolerance of s.
  // Roots between them: one for each cell whose ends lie on opposite sides of s.
  for (std::size_t k = 0; k < points.size(); ++k) {
    const TScanPoint& p = points[k];
    if (!p.g)
      continue;
    const int side = SideOf(*p.g);
    const Extended before = k > 0 ? points[k - 1].n : p.n;
    if (side == 0) {
      if (k > 0 && points[k - 1].g && SideOf(*points[k - 1].g) == 0)
        continue;
      std::size_t last = k;
      while (last + 1 < points.size() && points[last + 1].g && SideOf(*points[last + 1].g) == 0)
        ++last;
      const Extended after = last + 1 < points.size() ? points[last + 1].n : points[last].n;
      scan.Roots.push_back({p.n, before, after});
      continue;
    }
    if (k + 1 >= points.size() || !points[k + 1].g)
      continue;
    const int nextSide = SideOf(*points[k + 1].g);
    if (nextSide == 0 || nextSide == side)
      continue;
    const Extended low = p.n;
    const Extended high = points[k + 1].n;
    if (known && low <= *known && *known <= high) {
      scan.Roots.push_back({*known, low, high});
      continue;
    }
    const std::optional<Extended> root = BisectCell(trial, s, low, side, high, scan.Evaluations);
    if (root) {
      scan.Roots.push_back({*root, low, high});
    } else {
      ++scan.Unmet;
    }
  }

  // A known power the cells did not place (F touches s there without crossing it) is a
  // root of its own, unless a root on a scan point already stands for it.
  if (known && kSmallestSearchedPower <= *known && *known <= kLargestSearchedPower) {
    auto holds = [&](const TPowerRoot& r) { return r.CellLow <= *known && *known <= r.CellHigh; };
    auto it = std::find_if(scan.Roots.begin(), scan.Roots.end(), holds);
    if (it == scan.Roots.end()) {
      scan.Roots.push_back({*known, *known, *known});
    } else {
      it->Power = *known;
    }
  }
  std::sort(scan.Roots.begin(), scan.Roots.end(),
            [](const TPowerRoot& x, const TPowerRoot& y) { return x.Power < y.Power; });
  return scan;
}

bool SolverRecord::SearchPowerByDoubling() {
  const TDirection pair = ModeValue > ExtraQuantile ? TDirection::Down : TDirection::Up;
  const TDirection other = pair == TDirection::Up ? TDirection::Down : TDirection::Up;
  if (BracketPower(pair) > 0) {
    BisectPower(pair);
    return true;
  }
  // F(x_s) at n = 0.01 already lies at or past s. Either it meets s there, or F moves
  // back across s as n grows, which the other pair follows; the stale ends of an earlier
  // search are never used.
  if (std::fabs(lastTrialCdf_ - ExtraLevel) <= kTolerance)
    return true;
  if (BracketPower(other) > 0) {
    BisectPower(other);
    return true;
  }
  return false;
}

void SolverRecord::SearchPower() {
  TFloatScope scope;
  const SolverRecord recordBefore = *this;
  try {
    SearchEveryPower();
  } catch (...) {
    *this = recordBefore;
    throw;
  }
}

void SolverRecord::SearchEveryPower() {
  // The pair search first: where it meets a root, that root keeps its bits.
  std::optional<Extended> known;
  Extended knownLow = 0;
  Extended knownHigh = 0;
  try {
    if (SearchPowerByDoubling()) {
      known = Power;
      knownLow = PowerLow;
      knownHigh = PowerHigh;
    }
  } catch (const EFitError&) {
  } catch (const EMathError&) {
  }

  const TPowerTrial trial = [this](Extended n) -> std::optional<Extended> {
    Power = n;
    try {
      return TrialCdf();
    } catch (const EFitError&) {
      return std::nullopt;
    } catch (const EMathError&) {
      return std::nullopt;
    }
  };
  const TPowerScan scan = ScanPowers(trial, ExtraLevel, known);
  if (scan.Roots.empty()) {
    if (scan.Unmet > 0)
      PowerNotMet();
    NoPower();
  }

  // The smallest root at or above 1, then the others upwards; then those below 1,
  // downwards.
  std::vector<TPowerRoot> order;
  for (const TPowerRoot& r : scan.Roots) {
    if (r.Power >= 1)
      order.push_back(r);
  }
  for (auto r = scan.Roots.rbegin(); r != scan.Roots.rend(); ++r) {
    if (r->Power < 1)
      order.push_back(*r);
  }
  std::exception_ptr firstRefusal;
  for (const TPowerRoot& r : order) {
    Power = r.Power;
    TrialCdf();
    try {
      CheckFit(*this, FitMode::ExtraQuantile);
    } catch (const EFitError&) {
      if (!firstRefusal)
        firstRefusal = std::current_exception();
      continue;
    }
    const bool pairs = known && r.Power == *known;
    PowerLow = pairs ? knownLow : r.CellLow;
    PowerHigh = pairs ? knownHigh : r.CellHigh;
    lastSearch_.Powers.clear();
    for (const TPowerRoot& root : scan.Roots)
      lastSearch_.Powers.push_back(root.Power);
    lastSearch_.Curve = scan.Curve;
    lastSearch_.Chosen = r.Power;
    return;
  }
  std::rethrow_exception(firstRefusal);
}
