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
  Searched_ = Shown_;
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

const PlotOutcome& Elicitation::ShowPower(Extended power) {
  if (!Shown_) {
    Refused_ = PlotOutcome{};
    Refused_.Messages.push_back({MessageKind::Error, "There is no fit to show at another power."});
    return Refused_;
  }
  // The power the search chose comes back with the search's own bits.
  PlotOutcome outcome = Searched_ && Searched_->Fitted->Power() == power
                            ? *Searched_
                            : ComputePlotAtPower(*Shown_->Fitted, power);
  if (!outcome.Fitted) {
    Refused_ = std::move(outcome);
    return Refused_;
  }
  Shown_ = std::move(outcome);
  SetCredibility(Typed_.Credibility);
  return *Shown_;
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

void Elicitation::SetNotes(const ElicitationNotes& notes) {
  Notes_ = notes;
}

const PlotOutcome& Elicitation::Open(const ExpertRecord& expert, const PlotOptions& options) {
  Name_ = expert.Name;
  Notes_ = expert.Notes;
  Shown_.reset();
  Stale_ = false;
  Typed_.Credibility = expert.Typed.Credibility;
  return Plot(expert.Typed, options);
}
