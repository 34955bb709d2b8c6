#include "Elicitation.h"

#include <utility>

namespace {

// The judgements read, or the refusal of the first text that is not a number.
std::optional<Judgements> Read(const TypedJudgements& typed, JudgementReview& review) {
  try {
    return ReadJudgements(typed);
  } catch (const EInputError& refusal) {
    review.Messages.push_back({MessageKind::Error, refusal.what()});
    return std::nullopt;
  }
}

}  // namespace

void Elicitation::TakeJudgements(const TypedJudgements& typed) {
  // The credibility level is the feedback window's, set through SetCredibility.
  const Level credibility = Typed_.Credibility;
  Typed_ = typed;
  Typed_.Credibility = credibility;
  Stale_ = Shown_.has_value();
}

const PlotOutcome& Elicitation::Plot(const TypedJudgements& typed, const PlotOptions& options) {
  TakeJudgements(typed);
  PlotOutcome outcome;
  if (const std::optional<Judgements> judgements = Read(Typed_, outcome))
    outcome = ComputePlot(*judgements, options);
  if (!outcome.Fitted) {
    Refused_ = std::move(outcome);
    return Refused_;
  }
  Shown_ = std::move(outcome);
  Stale_ = false;
  return *Shown_;
}

JudgementReview Elicitation::SwitchMode(const TypedJudgements& typed) {
  TakeJudgements(typed);
  JudgementReview review;
  const std::optional<Judgements> judgements = Read(Typed_, review);
  if (judgements && Typed_.Mode == FitMode::ExtraQuantile)
    review = ReviewExtraQuantile(*judgements);
  return review;
}

void Elicitation::SetCredibility(Level level) {
  Typed_.Credibility = level;
  if (!Shown_)
    return;
  Fit& fit = *Shown_->Fitted;
  fit.Given.Typed.Credibility = level;
  std::tie(Shown_->Figures.LowerCredibilityLimit, Shown_->Figures.UpperCredibilityLimit) =
      CredibilityLimits(fit.Distribution, level);
}
