#include "FitCheck.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "NumberText.h"

namespace {

std::string Percent(Extended level) {
  const long double percent = std::round(level * 100);
  return std::to_string(static_cast<long long>(percent)) + " %";
}

// A number as a message quotes it: ten significant digits, no padding.
std::string Number(Extended value) {
  std::array<char, 64> buffer;
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                 std::chars_format::general, 10)
                       .ptr;
  return std::string(buffer.data(), end);
}

// How far a fitted distribution function may miss an elicited level.
constexpr Extended kLevelSlack = 1e-9L;

// Beyond this power the variance cancels to fewer digits than the panels show.
constexpr Extended kLargestPower = 1e4L;

// Below this power the fit puts its probability within rounding of a_p and b_r (and far
// below it, 1/n overflows).
constexpr Extended kSmallestPower = 1e-4L;

// Closer than this, the squares the standard deviation takes of the support and of the
// standardized mode underflow to zero.
constexpr Extended kSmallestSpread = 1e-2000L;

// Beyond this size a square of the support, which the standard deviation takes,
// overflows extended precision.
constexpr Extended kLargestJudgement = 1e2000L;

bool Representable(Extended v) {
  return std::fabs(v) <= kLargestJudgement;
}

}  // namespace

void CheckJudgements(const SolverRecord& d, FitMode mode) {
  TFloatScope scope;
  const bool extra = mode == FitMode::ExtraQuantile;
  if (!Representable(d.LowerQuantile) || !Representable(d.ModeValue) ||
      !Representable(d.UpperQuantile) || (extra && !Representable(d.ExtraQuantile))) {
    throw EFitError(
        "The judgements must lie between -1e2000 and 1e2000. Express the quantity in a "
        "larger unit.");
  }
  if (!(d.LowerQuantile < d.ModeValue && d.ModeValue < d.UpperQuantile)) {
    throw EFitError("The judgements must satisfy a_p < m < b_r: a_p is " + Number(d.LowerQuantile) +
                    ", m is " + Number(d.ModeValue) + " and b_r is " + Number(d.UpperQuantile) +
                    ". Change the quantiles or the most likely value.");
  }
  if (!(d.ModeValue - d.LowerQuantile >= kSmallestSpread &&
        d.UpperQuantile - d.ModeValue >= kSmallestSpread)) {
    throw EFitError(
        "The most likely value m must lie at least 1e-2000 from a_p and from b_r. Express "
        "the quantity in a smaller unit.");
  }
  if (!(d.LowerLevel >= 0 && d.UpperLevel <= 1)) {
    throw EFitError("The quantile levels must lie between 0 % and 100 %: p is " +
                    Percent(d.LowerLevel) + " and r is " + Percent(d.UpperLevel) + ".");
  }
  if (!(d.LowerLevel < d.UpperLevel)) {
    throw EFitError("The quantile level p must be below r: p is " + Percent(d.LowerLevel) +
                    " and r is " + Percent(d.UpperLevel) + ". Lower p or raise r.");
  }
  if (mode == FitMode::PowerParameter) {
    if (!(d.Power >= kSmallestPower && d.Power <= kLargestPower)) {
      throw EFitError("The power parameter n must lie between 0.0001 and 10000: n is " +
                      Number(d.Power) + ".");
    }
    return;
  }
  if (!(d.LowerLevel > 0 && d.UpperLevel < 1)) {
    throw EFitError("An additional quantile needs 0 % < p and r < 100 %: p is " +
                    Percent(d.LowerLevel) + " and r is " + Percent(d.UpperLevel) +
                    ". Give a power parameter n instead.");
  }
  if (!(d.ExtraLevel > 0 && d.ExtraLevel < 1)) {
    throw EFitError("The quantile level s must lie between 0 % and 100 %: s is " +
                    Percent(d.ExtraLevel) + ".");
  }
}

void CheckFit(const SolverRecord& d, FitMode mode) {
  TFloatScope scope;
  const bool extra = mode == FitMode::ExtraQuantile;
  const Extended a = d.LowerBound;
  const Extended b = d.UpperBound;
  const Extended m = d.ModeValue;
  if (d.Power > kLargestPower) {
    throw EFitError("The fit needs a power parameter n of " + Number(d.Power) +
                    ", beyond 10000, where its figures lose their precision. " +
                    (extra ? "Choose an additional quantile x_s further from the limiting "
                             "feasibility bound, or another level s."
                           : "Choose a power parameter n of at most 10000."));
  }
  bool sound = std::isfinite(a) && std::isfinite(b) && a < m && m < b;
  if (sound) {
    const TwoSidedPower fit(a, m, b, d.Power);
    sound = std::fabs(Cdf(fit, d.LowerQuantile) - d.LowerLevel) <= kLevelSlack &&
            std::fabs(Cdf(fit, d.UpperQuantile) - d.UpperLevel) <= kLevelSlack;
  }
  if (!sound) {
    throw EFitError("The fit for n = " + Number(d.Power) +
                    " puts its probability within less than the precision of a number next to "
                    "a_p or b_r and does not give them back. " +
                    (extra ? "Choose an additional quantile x_s or a level s that the fit "
                             "meets with a power parameter n nearer to 1."
                           : "Choose a power parameter n nearer to 1."));
  }
}
