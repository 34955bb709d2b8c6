#include "ExpertOverlay.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "FloatErrors.h"

namespace {

constexpr int kPoolSteps = 400;

// A point a chart can hold, or none.
void AddIfDrawable(TPointList& points, Extended x, Extended y) {
  constexpr Extended kLargest = std::numeric_limits<double>::max();
  if (std::fabs(x) <= kLargest && std::fabs(y) <= kLargest)
    points.push_back({static_cast<double>(x), static_cast<double>(y)});
}

TOverlayCurves SampleExpert(const TwoSidedPower& fit) {
  TOverlayCurves curves;
  for (const Extended x : TGraphSamples::SupportGrid(fit)) {
    AddIfDrawable(curves.Density, x, Pdf(fit, x));
    AddIfDrawable(curves.Distribution, x, Cdf(fit, x));
  }
  return curves;
}

TOverlayCurves SamplePool(const LinearPool& pool) {
  std::vector<Extended> grid;
  const Extended lower = pool.Lower();
  const Extended step = Checked((pool.Upper() - lower) / kPoolSteps);
  for (int i = 0; i <= kPoolSteps; ++i)
    grid.push_back(i == kPoolSteps ? pool.Upper() : Checked(i * step + lower));
  for (const TwoSidedPower& expert : pool.Experts())
    grid.insert(grid.end(), {expert.Lower(), expert.Mode(), expert.Upper()});
  std::sort(grid.begin(), grid.end());
  grid.erase(std::unique(grid.begin(), grid.end()), grid.end());
  TOverlayCurves curves;
  for (const Extended x : grid) {
    if (x < lower || x > pool.Upper())
      continue;
    AddIfDrawable(curves.Density, x, Pdf(pool, x));
    AddIfDrawable(curves.Distribution, x, Cdf(pool, x));
  }
  return curves;
}

}  // namespace

TExpertOverlay ComputeExpertOverlay(const std::vector<const TwoSidedPower*>& fits,
                                    const std::vector<double>& weights) {
  TFloatScope scope;
  TExpertOverlay overlay;
  std::vector<TwoSidedPower> pooled;
  std::vector<Extended> pooledWeights;
  for (std::size_t i = 0; i < fits.size(); ++i) {
    overlay.Experts.push_back(fits[i] != nullptr ? SampleExpert(*fits[i]) : TOverlayCurves{});
    if (fits[i] != nullptr) {
      pooled.push_back(*fits[i]);
      pooledWeights.push_back(i < weights.size() ? weights[i] : 1);
    }
  }
  try {
    overlay.Pool.emplace(std::move(pooled), std::move(pooledWeights));
  } catch (const EFitError& refusal) {
    overlay.PoolRefusal = refusal.what();
    return overlay;
  }
  const LinearPool& pool = *overlay.Pool;
  overlay.PoolCurves = SamplePool(pool);
  TPoolFigures& figures = overlay.PoolFigures;
  figures.Lower = pool.Lower();
  figures.Upper = pool.Upper();
  figures.Mean = Mean(pool);
  figures.StdDev = StdDev(pool);
  for (std::size_t k = 0; k < kQuantileLevels.size(); ++k)
    figures.Quantiles[k] = Quantile(pool, static_cast<Extended>(kQuantileLevels[k]) / 100);
  return overlay;
}
