#include "FitCheck.h"

#include <cmath>
#include <string>

#include "NumberText.h"

namespace {

std::string Percent(Extended level) {
  const long double percent = std::round(level * 100);
  return std::to_string(static_cast<long long>(percent)) + " %";
}

std::string Number(Extended value) {
  std::string text = FormatNumber(value);
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? text : text.substr(first);
}

// How far a fitted distribution function may miss an elicited level.
constexpr Extended kLevelSlack = 1e-9L;

}  // namespace

void CheckJudgements(const TAnalysisForm& d, TFitMode mode) {
  TFloatScope scope;
  if (!(d.LowerQuantile < d.ModeValue && d.ModeValue < d.UpperQuantile)) {
    throw EFitError("The judgements must satisfy a_p < m < b_r: a_p is " + Number(d.LowerQuantile) +
                    ", m is " + Number(d.ModeValue) + " and b_r is " + Number(d.UpperQuantile) +
                    ". Change the quantiles or the most likely value.");
  }
  if (!(d.LowerLevel >= 0 && d.UpperLevel <= 1)) {
    throw EFitError("The quantile levels must lie between 0 % and 100 %: p is " +
                    Percent(d.LowerLevel) + " and r is " + Percent(d.UpperLevel) + ".");
  }
  if (!(d.LowerLevel < d.UpperLevel)) {
    throw EFitError("The quantile level p must be below r: p is " + Percent(d.LowerLevel) +
                    " and r is " + Percent(d.UpperLevel) + ". Lower p or raise r.");
  }
  if (mode == TFitMode::PowerParameter) {
    if (!(d.Power > 0)) {
      throw EFitError("The power parameter n must be greater than 0: n is " + Number(d.Power) +
                      ".");
    }
    return;
  }
  if (!(d.LowerLevel > 0 && d.UpperLevel < 1)) {
    throw EFitError("An additional quantile needs 0 % < p and r < 100 %: p is " +
                    Percent(d.LowerLevel) + " and r is " + Percent(d.UpperLevel) +
                    ". Give a power parameter n instead.");
  }
}

void CheckFit(const TAnalysisForm& d) {
  TFloatScope scope;
  const Extended a = d.LowerBound;
  const Extended b = d.UpperBound;
  const Extended m = d.ModeValue;
  bool sound = std::isfinite(a) && std::isfinite(b) && a < m && m < b;
  if (sound) {
    TGTSPForm fit;
    fit.LowerBound = a;
    fit.UpperBound = b;
    fit.ModeValue = m;
    fit.LeftPower = d.Power;
    fit.RightPower = d.Power;
    sound = std::fabs(fit.Cdf(d.LowerQuantile) - d.LowerLevel) <= kLevelSlack &&
            std::fabs(fit.Cdf(d.UpperQuantile) - d.UpperLevel) <= kLevelSlack;
  }
  if (!sound) {
    throw EFitError("The fit for n = " + Number(d.Power) +
                    " lost the precision it needs and does not give back the quantiles a_p "
                    "and b_r. Choose a power parameter n nearer to 1.");
  }
}
