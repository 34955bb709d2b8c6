#include "LinearPool.h"

#include <cmath>
#include <utility>

#include "FloatErrors.h"

LinearPool::LinearPool(std::vector<TwoSidedPower> experts, std::vector<Extended> weights)
    : Experts_(std::move(experts)), Weights_(std::move(weights)) {
  if (Experts_.empty())
    throw EFitError("A pool needs at least one expert.");
  if (Weights_.empty())
    Weights_.assign(Experts_.size(), 1);
  if (Weights_.size() != Experts_.size())
    throw EFitError("A pool needs one weight for each expert.");
  Extended sum = 0;
  for (const Extended weight : Weights_) {
    if (!(weight >= 0) || !std::isfinite(weight))
      throw EFitError("The weights of a pool must be numbers of 0 or more.");
    sum += weight;
  }
  if (!(sum > 0) || !std::isfinite(sum))
    throw EFitError("The weights of a pool must not all be 0.");
  bool first = true;
  for (std::size_t i = 0; i < Experts_.size(); ++i) {
    Weights_[i] /= sum;
    if (Weights_[i] == 0)
      continue;
    const TwoSidedPower& expert = Experts_[i];
    Lower_ = first || expert.Lower() < Lower_ ? expert.Lower() : Lower_;
    Upper_ = first || expert.Upper() > Upper_ ? expert.Upper() : Upper_;
    first = false;
  }
}

Extended Pdf(const LinearPool& pool, Extended x) {
  Extended density = 0;
  for (std::size_t i = 0; i < pool.Experts().size(); ++i) {
    if (pool.Weights()[i] != 0)
      density += pool.Weights()[i] * Pdf(pool.Experts()[i], x);
  }
  return density;
}

Extended Cdf(const LinearPool& pool, Extended x) {
  if (x >= pool.Upper())
    return 1;
  Extended probability = 0;
  for (std::size_t i = 0; i < pool.Experts().size(); ++i) {
    if (pool.Weights()[i] != 0)
      probability += pool.Weights()[i] * Cdf(pool.Experts()[i], x);
  }
  return probability;
}

Extended Quantile(const LinearPool& pool, Extended u) {
  if (!(u > 0))
    return pool.Lower();
  if (u >= 1)
    return pool.Upper();
  // Cdf(low) < u <= Cdf(high) throughout.
  Extended low = pool.Lower();
  Extended high = pool.Upper();
  const Extended tolerance = 1e-13L * (high - low);
  // The start: the experts' quantiles at u, weighted, which lies inside the support.
  Extended x = 0;
  for (std::size_t i = 0; i < pool.Experts().size(); ++i)
    x += pool.Weights()[i] * Quantile(pool.Experts()[i], u);
  x = std::fmin(std::fmax(x, low), high);
  for (int step = 0; step < 400; ++step) {
    const Extended gap = Cdf(pool, x) - u;
    if (gap >= 0)
      high = x;
    else
      low = x;
    if (high - low <= tolerance)
      return high;
    const Extended density = Pdf(pool, x);
    if (density > 0 && std::isfinite(density)) {
      const Extended next = x - gap / density;
      if (next >= low && next <= high) {
        if (std::fabs(next - x) <= tolerance)
          return next;
        x = next;
        continue;
      }
    }
    const Extended middle = low + (high - low) / 2;
    if (middle == low || middle == high)
      return high;
    x = middle;
  }
  return x;
}

Extended Mean(const LinearPool& pool) {
  Extended mean = 0;
  for (std::size_t i = 0; i < pool.Experts().size(); ++i) {
    if (pool.Weights()[i] != 0)
      mean += pool.Weights()[i] * Mean(pool.Experts()[i]);
  }
  return mean;
}

Extended StdDev(const LinearPool& pool) {
  const Extended mean = Mean(pool);
  Extended variance = 0;
  for (std::size_t i = 0; i < pool.Experts().size(); ++i) {
    if (pool.Weights()[i] == 0)
      continue;
    const TwoSidedPower& expert = pool.Experts()[i];
    const Extended spread = Mean(expert) - mean;
    variance += pool.Weights()[i] * (Square(StdDev(expert)) + spread * spread);
  }
  return SquareRoot(variance);
}
