#include "Fit.h"

#include "FitCheck.h"
#include "NumberText.h"
#include "SolverRecord.h"

namespace {

// Number text without the blanks that pad it to ten characters.
std::string Trimmed(Extended value) {
  std::string text = FormatNumber(value);
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

SolverRecord RecordOf(const Judgements& judgements, TBoundsPath path) {
  SolverRecord record;
  record.SetBoundsPath(path);
  record.Load(judgements);
  return record;
}

// q-limit, the uniform bounds and both quantiles into the record, in the plot command's
// order, after refusing judgements they cannot be computed for.
FeasibilityBounds ComputeFeasibility(SolverRecord& record) {
  CheckJudgements(record, FitMode::ExtraQuantile);
  record.ModeProbabilityLimit = record.LimitModeProbability();
  record.UniformBounds();
  record.UniformExtraQuantile = record.UniformQuantile();
  record.LimitExtraQuantile = record.LimitQuantile();
  return {record.UniformExtraQuantile, record.LimitExtraQuantile, record.ModeProbabilityLimit};
}

std::optional<std::string_view> Recommendation(const SolverRecord& record) {
  const Extended mid = Checked((record.LowerQuantile + record.UpperQuantile) / 2);
  const Extended m = record.ModeValue;
  const Extended xs = record.ExtraQuantile;
  if (m <= mid && xs < m)
    return kRecommendAbove;
  if (m >= mid && xs > m)
    return kRecommendBelow;
  return std::nullopt;
}

// The fit of the record's judgements, found before; it holds a, b, q, n and q-limit.
Fit FitOf(const SolverRecord& record, const Judgements& judgements) {
  Fit fit;
  fit.Given = judgements;
  fit.Distribution =
      TwoSidedPower(record.LowerBound, record.ModeValue, record.UpperBound, record.Power);
  fit.ModeProbability = record.ModeProbability;
  fit.ModeProbabilityLimit = record.ModeProbabilityLimit;
  if (judgements.Mode() == FitMode::ExtraQuantile) {
    fit.Powers = record.LastPowerSearch().Powers;
    fit.SearchCurve = record.LastPowerSearch().Curve;
    fit.UnmetPowers = record.LastPowerSearch().Unmet;
  }
  return fit;
}

}  // namespace

BoundsSolution SolveBounds(const Judgements& judgements, Extended power, TBoundsPath path) {
  return SolveBoundsAt(judgements, {power}, path).front();
}

std::vector<BoundsSolution> SolveBoundsAt(const Judgements& judgements,
                                          const std::vector<Extended>& powers, TBoundsPath path,
                                          Extended hint) {
  TFloatScope scope;
  SolverRecord record = RecordOf(judgements, path);
  record.ModeProbability = hint;
  std::vector<BoundsSolution> solutions;
  solutions.reserve(powers.size());
  for (const Extended n : powers) {
    record.Power = n;
    record.SolveBounds();
    solutions.push_back(
        {record.LowerBound, record.UpperBound, record.ModeProbability, record.LastHalvings()});
  }
  return solutions;
}

bool FeasibilityBounds::Admit(Extended extraQuantile) const {
  TFloatScope scope;
  return Checked((extraQuantile - Uniform) * (extraQuantile - Limit)) < 0;
}

FeasibilityBounds ComputeFeasibilityBounds(const Judgements& judgements) {
  TFloatScope scope;
  SolverRecord record = RecordOf(judgements, TBoundsPath::Screened);
  return ComputeFeasibility(record);
}

std::optional<std::string_view> SideRecommendation(const Judgements& judgements) {
  TFloatScope scope;
  return Recommendation(RecordOf(judgements, TBoundsPath::Screened));
}

std::string NotFeasibleMessage(const FeasibilityBounds& bounds) {
  return std::string(kNotFeasibleMessage) + "\nx_s must lie strictly between " +
         Trimmed(bounds.Smaller()) + " and " + Trimmed(bounds.Larger()) + ".";
}

std::optional<std::string> JudgementReview::Refusal() const {
  for (const Message& message : Messages) {
    if (message.Kind == MessageKind::Error)
      return message.Text;
  }
  return std::nullopt;
}

FitOutcome FitJudgements(const Judgements& judgements, TBoundsPath path) {
  TFloatScope scope;
  FitOutcome outcome;
  const FitMode mode = judgements.Mode();
  SolverRecord record = RecordOf(judgements, path);
  try {
    CheckJudgements(record, mode);
    if (mode == FitMode::PowerParameter) {
      record.SolveBounds();
      if (Checked((1 - record.UpperLevel) * record.LowerLevel) != 0) {
        record.ModeProbabilityLimit = record.LimitModeProbability();
      }
    } else {
      if (const auto advice = Recommendation(record))
        outcome.Messages.push_back({MessageKind::Warning, std::string(*advice)});
      outcome.Feasibility = ComputeFeasibility(record);
      if (!outcome.Feasibility->Admit(record.ExtraQuantile)) {
        outcome.Messages.push_back({MessageKind::Error, NotFeasibleMessage(*outcome.Feasibility)});
        return outcome;
      }
      record.SearchPower();
    }
    CheckFit(record, mode);
  } catch (const EFitError& refusal) {
    outcome.Messages.push_back({MessageKind::Error, refusal.what()});
    return outcome;
  }
  outcome.Fitted = FitOf(record, judgements);
  return outcome;
}

JudgementReview ReviewExtraQuantile(const Judgements& judgements) {
  TFloatScope scope;
  JudgementReview review;
  SolverRecord record = RecordOf(judgements, TBoundsPath::Screened);
  try {
    // As in the plot command, judgements are refused before any advice is given on them.
    CheckJudgements(record, FitMode::ExtraQuantile);
    if (const auto advice = Recommendation(record))
      review.Messages.push_back({MessageKind::Warning, std::string(*advice)});
    review.Feasibility = ComputeFeasibility(record);
  } catch (const EFitError& refusal) {
    review.Messages.push_back({MessageKind::Error, refusal.what()});
  }
  return review;
}
