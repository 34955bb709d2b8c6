// The power-parameter search and the uniform and large-n quantiles that bound a feasible
// additional quantile.
#include "PowerSearch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "Bisection.h"
#include "FitCheck.h"
#include "SolverRecord.h"

namespace {

constexpr Extended kStartPower = 0.01L;

// The bound solver stops anywhere within 1e-10 of its root, which leaves a sawtooth in
// F(x_s; n): 1e-9 to 5e-9 in the fits the search was seen to fail on, and up to F itself
// where x_s lies within rounding of a bound. The scan's trial takes the first Newton step
// of PolishBounds to first order in a and b, which costs no logarithm. Where that step
// moves F by less than an eighth of this band and F lies beyond the band from s, the rest
// of Newton's method, quadratically smaller, cannot change the side F lies on, and the
// first-order F serves; elsewhere, where signs and the tolerance are decided, the fully
// polished one, which follows n to about 1e-16.
constexpr Extended kPolishBand = 1e-3L;

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

// The bracket of a sign change, with as many digits as tell its ends apart.
std::string BracketText(const TPowerRoot& root) {
  std::array<char, 64> low{};
  std::array<char, 64> high{};
  for (int digits = 10; digits <= 21; ++digits) {
    std::snprintf(low.data(), low.size(), "%.*Lg", digits, root.CellLow);
    std::snprintf(high.data(), high.size(), "%.*Lg", digits, root.CellHigh);
    if (std::string_view(low.data()) != std::string_view(high.data()))
      break;
  }
  return std::string("between n = ") + low.data() + " and " + high.data();
}

// Every sign change the scan found is named, also where none could be met.
[[noreturn]] void PowerNotMet(const std::vector<TPowerRoot>& unmet) {
  std::string where;
  for (std::size_t k = 0; k < unmet.size(); ++k)
    where += (k == 0 ? "" : k + 1 == unmet.size() ? " and " : ", ") + BracketText(unmet[k]);
  throw EFitError("F(x_s) crosses s " + where +
                  ", but the power-parameter search could not meet its tolerance there: the "
                  "bounds a and b cannot be solved for these powers, or F(x_s) moves by more "
                  "than the tolerance from one power to the next. Choose an additional "
                  "quantile x_s further from either feasibility bound, or another level s.");
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

Extended SolverRecord::ScanTrialCdf() {
  const Extended plain = TrialCdf();
  try {
    const TNewtonStep step = NewtonStep();
    const Extended dq = step.next - ModeProbability;
    Model = TwoSidedPower(Checked(LowerBound + step.da * dq), ModeValue,
                          Checked(UpperBound + step.db * dq), Power);
    const Extended corrected = Checked(Cdf(Model, ExtraQuantile));
    if (std::fabs(corrected - ExtraLevel) > kPolishBand &&
        std::fabs(corrected - plain) <= kPolishBand / 8) {
      lastTrialCdf_ = corrected;
      return corrected;
    }
  } catch (const EMathError&) {
  }
  PolishBounds();
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
// How closely a sign change is located: its bisection goes on after |F - s| meets the
// tolerance until the bracket is 2^-40 of n wide, beyond the figures n is shown with.
// The tolerance alone leaves n loose where F is flat in n: near n = 7000, F can stay within
// 1e-10 of s over 5 % of n.
constexpr Extended kLocated = 0x1p-40L;
// A power already met to the tolerance, by the pair search or on a scan point, stands for
// a sign change within 2^-20 (about 1e-6) of it. Powers the pair search meets lie a median
// 1e-9 from their sign change, at most 3e-7 in 300 random fits, and so keep their bits;
// where a flat F let the pair meet the tolerance far from it, the sign change is located.
constexpr Extended kStands = 0x1p-20L;

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

// -1, 0 or 1: the exact sign of g, which decides where F - s changes sign.
int SignOf(Extended g) {
  return g > 0 ? 1 : (g < 0 ? -1 : 0);
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

// Whether F - s, which is g at n, changes sign within a factor 1 + kStands of n, below n or
// above it as asked.
template <typename Excess>
bool CrossesNear(const Excess& excess, Extended n, Extended g, bool below, bool above) {
  if (g == 0)
    return true;
  for (const bool up : {false, true}) {
    if (!(up ? above : below))
      continue;
    const std::optional<Extended> h = excess(up ? n * (1 + kStands) : n * (1 - kStands));
    if (h && SignOf(*h) != SignOf(g))
      return true;
  }
  return false;
}

// Bisects n between the ends of a cell on which F - s changes sign, lowSign its sign at
// low, until the bracket is kLocated of n wide and |F - s| meets the tolerance at the
// midpoint, or F - s is zero there. Where the midpoint stops moving first, or the fit cannot
// be solved inside the bracket, the root is met if the last midpoint meets the tolerance
// within kStands of the other end; otherwise it is kept, not met, with its bracket.
template <typename Excess>
TPowerRoot LocateRoot(const Excess& excess, Extended low, int lowSign, Extended high) {
  struct TEnded {};
  Extended lo = low;
  Extended hi = high;
  Extended last = 0;
  std::optional<Extended> lastExcess;
  try {
    Bisect(
        lo, hi,
        [&](Extended n, int) {
          const std::optional<Extended> g = excess(n);
          if (!g)
            throw TEnded{};
          last = n;
          lastExcess = g;
          if (*g == 0 || (std::fabs(*g) <= kTolerance && hi - lo <= kLocated * n))
            return TBisectStep::Met;
          return SignOf(*g) == lowSign ? TBisectStep::Above : TBisectStep::Below;
        },
        [] { throw TEnded{}; });
    return {last, low, high, true};
  } catch (const TEnded&) {
  }
  if (lastExcess && std::fabs(*lastExcess) <= kTolerance && hi - lo <= kStands * last)
    return {last, low, high, true};
  return {(lo + hi) / 2, lo, hi, false};
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
  // The ends and the middle are exact: n = 1 is the uniform fit, which an x_s on the
  // uniform feasibility bound meets exactly.
  for (int i = 0; i <= kGridCells; ++i) {
    const bool middle = 2 * i == kGridCells;
    const Extended u = i == kGridCells ? uHigh : middle ? 0 : uLow + i * width;
    const Extended n = i == 0            ? kSmallestSearchedPower
                       : i == kGridCells ? kLargestSearchedPower
                       : middle          ? 1
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

  const auto excess = [&](Extended n) -> std::optional<Extended> {
    ++scan.Evaluations;
    const std::optional<Extended> f = trial(n);
    return f ? std::optional<Extended>(*f - s) : std::nullopt;
  };
  const auto add = [&](TPowerRoot root) {
    if (!root.Met)
      ++scan.Unmet;
    scan.Roots.push_back(root);
  };

  // The known power plays a part only where it meets the tolerance.
  std::optional<Extended> knownExcess;
  bool knownCrosses = false;
  if (known && kSmallestSearchedPower <= *known && *known <= kLargestSearchedPower) {
    knownExcess = excess(*known);
    if (knownExcess && std::fabs(*knownExcess) <= kTolerance) {
      knownCrosses = CrossesNear(excess, *known, *knownExcess, true, true);
    } else {
      knownExcess.reset();
    }
  }
  const auto takeKnown = [&](Extended low, Extended high) {
    if (!knownExcess || scan.KnownKept || !(low <= *known && *known <= high))
      return false;
    scan.Roots.push_back({*known, low, high, true});
    scan.KnownKept = true;
    return true;
  };

  // rooted[k]: point k stands for a root, or the cell from k to k + 1 holds one.
  std::vector<bool> rooted(points.size(), false);
  const auto nAt = [&](std::size_t k) { return points[k].n; };
  const std::size_t last = points.size() - 1;

  // F exactly s on a scan point.
  for (std::size_t k = 0; k < points.size(); ++k) {
    if (!points[k].g || *points[k].g != 0)
      continue;
    rooted[k] = true;
    const Extended before = nAt(k > 0 ? k - 1 : k);
    const Extended after = nAt(k < last ? k + 1 : k);
    if (!(knownCrosses && takeKnown(before, after)))
      scan.Roots.push_back({nAt(k), before, after, true});
  }

  // A sign change between two points: the known power or a point that meets the
  // tolerance stands for it if it lies close enough, else it is located.
  std::vector<bool> standing(points.size(), false);
  for (std::size_t k = 0; k < last; ++k) {
    const TScanPoint& a = points[k];
    const TScanPoint& b = points[k + 1];
    if (!a.g || !b.g || SignOf(*a.g) * SignOf(*b.g) != -1)
      continue;
    rooted[k] = true;
    if (knownCrosses && takeKnown(a.n, b.n))
      continue;
    const bool lowFirst = std::fabs(*a.g) <= std::fabs(*b.g);
    bool stood = false;
    for (const std::size_t j : {lowFirst ? k : k + 1, lowFirst ? k + 1 : k}) {
      const Extended g = *points[j].g;
      if (standing[j] || std::fabs(g) > kTolerance)
        continue;
      const bool towardHigh = j == k;
      if (CrossesNear(excess, points[j].n, g, !towardHigh, towardHigh)) {
        standing[j] = true;
        scan.Roots.push_back({points[j].n, a.n, b.n, true});
        stood = true;
        break;
      }
    }
    if (!stood)
      add(LocateRoot(excess, a.n, SignOf(*a.g), b.n));
  }

  // F touches s within the tolerance without crossing it: one root for each run of points
  // within the tolerance that no root lies in or beside, at its point nearest s.
  for (std::size_t k = 0; k < points.size(); ++k) {
    if (!points[k].g || SideOf(*points[k].g) != 0)
      continue;
    std::size_t end = k;
    while (end < last && points[end + 1].g && SideOf(*points[end + 1].g) == 0)
      ++end;
    bool near = false;
    std::size_t best = k;
    for (std::size_t j = k > 0 ? k - 1 : k; j <= end; ++j)
      near = near || rooted[j];
    for (std::size_t j = k; j <= end; ++j) {
      if (std::fabs(*points[j].g) < std::fabs(*points[best].g))
        best = j;
    }
    const Extended before = nAt(k > 0 ? k - 1 : k);
    const Extended after = nAt(end < last ? end + 1 : end);
    if (!near && !takeKnown(before, after))
      scan.Roots.push_back({nAt(best), before, after, true});
    k = end;
  }

  // A known power that no root's bracket holds is a root of its own where F comes within
  // the tolerance of s between two scan points beyond it on one side, or changes sign
  // twice between them.
  if (knownExcess && !scan.KnownKept) {
    auto holds = [&](const TPowerRoot& r) { return r.CellLow <= *known && *known <= r.CellHigh; };
    bool apart = false;
    for (std::size_t k = 0; k < last; ++k) {
      if (nAt(k) <= *known && *known <= nAt(k + 1) && points[k].g && points[k + 1].g) {
        const int side = SideOf(*points[k].g);
        apart = side != 0 && SideOf(*points[k + 1].g) == side;
        break;
      }
    }
    if ((knownCrosses || apart) && std::none_of(scan.Roots.begin(), scan.Roots.end(), holds))
      takeKnown(*known, *known);
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

  // The scan sees F through polished bounds wherever it lies near s (kPolishBand): the
  // sawtooth is far above the tolerance and can step F over s without meeting it.
  const TPowerTrial trial = [this](Extended n) -> std::optional<Extended> {
    Power = n;
    try {
      return ScanTrialCdf();
    } catch (const EFitError&) {
      return std::nullopt;
    } catch (const EMathError&) {
      return std::nullopt;
    }
  };
  const TPowerScan scan = ScanPowers(trial, ExtraLevel, known);
  std::vector<TPowerRoot> met;
  std::vector<TPowerRoot> unmet;
  for (const TPowerRoot& r : scan.Roots)
    (r.Met ? met : unmet).push_back(r);
  if (met.empty()) {
    if (!unmet.empty())
      PowerNotMet(unmet);
    NoPower();
  }

  // The smallest root at or above 1, then the others upwards; then those below 1,
  // downwards.
  std::vector<TPowerRoot> order;
  for (const TPowerRoot& r : met) {
    if (r.Power >= 1)
      order.push_back(r);
  }
  for (auto r = met.rbegin(); r != met.rend(); ++r) {
    if (r->Power < 1)
      order.push_back(*r);
  }
  std::exception_ptr firstRefusal;
  for (const TPowerRoot& r : order) {
    // The pair's power shows the pair's fit; every other root the fit the scan met it with.
    const bool pairs = scan.KnownKept && known && r.Power == *known;
    Power = r.Power;
    if (pairs) {
      TrialCdf();
    } else {
      ScanTrialCdf();
    }
    try {
      CheckFit(*this, FitMode::ExtraQuantile);
    } catch (const EFitError&) {
      if (!firstRefusal)
        firstRefusal = std::current_exception();
      continue;
    }
    PowerLow = pairs ? knownLow : r.CellLow;
    PowerHigh = pairs ? knownHigh : r.CellHigh;
    lastSearch_.Powers.clear();
    for (const TPowerRoot& root : met)
      lastSearch_.Powers.push_back(root.Power);
    lastSearch_.Curve = scan.Curve;
    lastSearch_.Chosen = r.Power;
    lastSearch_.Unmet = unmet;
    return;
  }
  std::rethrow_exception(firstRefusal);
}
