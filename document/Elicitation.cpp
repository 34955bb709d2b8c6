#include "Elicitation.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "FloatErrors.h"

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

bool IsWeight(double weight) {
  return weight >= 0 && std::isfinite(weight);
}

}  // namespace

Elicitation::Elicitation() {
  Experts_.push_back(NewExpert(ExpertRecord{}));
  Weights_ = {1};
}

Elicitation::ExpertState Elicitation::NewExpert(const ExpertRecord& expert) {
  ExpertState state;
  state.Id = NextId_++;
  state.Name = expert.Name;
  state.Typed = expert.Typed;
  state.Notes = expert.Notes;
  return state;
}

void Elicitation::TakeJudgements(const TypedJudgements& typed) {
  // The credibility level is the feedback window's, set through SetCredibility.
  ExpertState& now = Now();
  const Level credibility = now.Typed.Credibility;
  now.Typed = typed;
  now.Typed.Credibility = credibility;
  now.Stale = now.Shown.has_value();
}

const PlotOutcome& Elicitation::Plot(const TypedJudgements& typed, const PlotOptions& options) {
  TakeJudgements(typed);
  ExpertState& now = Now();
  PlotOutcome outcome;
  if (const std::optional<Judgements> judgements = Read(now.Typed, outcome))
    outcome = ComputePlot(*judgements, options);
  if (!outcome.Fitted) {
    Refused_ = std::move(outcome);
    return Refused_;
  }
  now.Shown = std::move(outcome);
  now.Searched = now.Shown;
  now.Stale = false;
  return *now.Shown;
}

JudgementReview Elicitation::SwitchMode(const TypedJudgements& typed) {
  TakeJudgements(typed);
  JudgementReview review;
  const std::optional<Judgements> judgements = Read(Now().Typed, review);
  if (judgements && Now().Typed.Mode == FitMode::ExtraQuantile)
    review = ReviewExtraQuantile(*judgements);
  return review;
}

const PlotOutcome& Elicitation::ShowPower(Extended power) {
  ExpertState& now = Now();
  if (!now.Shown) {
    Refused_ = PlotOutcome{};
    Refused_.Messages.push_back({MessageKind::Error, "There is no fit to show at another power."});
    return Refused_;
  }
  // The power the search chose comes back with the search's own bits.
  PlotOutcome outcome = now.Searched && now.Searched->Fitted->Power() == power
                            ? *now.Searched
                            : ComputePlotAtPower(*now.Shown->Fitted, power);
  if (!outcome.Fitted) {
    Refused_ = std::move(outcome);
    return Refused_;
  }
  now.Shown = std::move(outcome);
  SetCredibility(now.Typed.Credibility);
  return *now.Shown;
}

void Elicitation::SetCredibility(Level level) {
  ExpertState& now = Now();
  now.Typed.Credibility = level;
  if (!now.Shown)
    return;
  Fit& fit = *now.Shown->Fitted;
  fit.Given.Typed.Credibility = level;
  std::tie(now.Shown->Figures.LowerCredibilityLimit, now.Shown->Figures.UpperCredibilityLimit) =
      CredibilityLimits(fit.Distribution, level);
}

void Elicitation::SetNotes(const ElicitationNotes& notes) {
  Now().Notes = notes;
}

const PlotOutcome& Elicitation::Open(const ExpertRecord& expert, const PlotOptions& options) {
  ExpertState& now = Now();
  now.Name = expert.Name;
  now.Notes = expert.Notes;
  now.Shown.reset();
  now.Searched.reset();
  now.Stale = false;
  now.Typed.Credibility = expert.Typed.Credibility;
  return Plot(expert.Typed, options);
}

// [SECTION] The experts

std::size_t Elicitation::IndexOfExpert(int id) const {
  for (std::size_t i = 0; i < Experts_.size(); ++i) {
    if (Experts_[i].Id == id)
      return i;
  }
  return Experts_.size();
}

const PlotOutcome* Elicitation::ShownOf(std::size_t index) const {
  if (index >= Experts_.size() || !Experts_[index].Shown)
    return nullptr;
  return &*Experts_[index].Shown;
}

ElicitationRecord Elicitation::WholeRecord() const {
  ElicitationRecord record;
  for (const ExpertState& expert : Experts_)
    record.Experts.push_back({expert.Name, expert.Typed, expert.Notes});
  if (Experts_.size() > 1)
    record.Weights = Weights_;
  return record;
}

std::vector<const PlotOutcome*> Elicitation::CurrentFits() const {
  std::vector<const PlotOutcome*> fits;
  for (const ExpertState& expert : Experts_)
    fits.push_back(expert.Shown && !expert.Stale ? &*expert.Shown : nullptr);
  return fits;
}

bool Elicitation::SetWeights(const std::vector<double>& weights) {
  if (weights.size() != Experts_.size())
    return false;
  double sum = 0;
  for (const double weight : weights) {
    if (!IsWeight(weight))
      return false;
    sum += weight;
  }
  if (!(sum > 0) || !std::isfinite(sum))
    return false;
  Weights_ = weights;
  return true;
}

bool Elicitation::InsertExpert(std::size_t index, const ExpertRecord& expert, double weight,
                               int id) {
  if (index > Experts_.size() || !IsWeight(weight) ||
      (id >= 0 && IndexOfExpert(id) != Experts_.size()))
    return false;
  ExpertState state = NewExpert(expert);
  if (id >= 0) {
    state.Id = id;
    NextId_ = std::max(NextId_, id + 1);
  }
  Experts_.insert(Experts_.begin() + static_cast<std::ptrdiff_t>(index), std::move(state));
  Weights_.insert(Weights_.begin() + static_cast<std::ptrdiff_t>(index), weight);
  if (index <= Current_ && Experts_.size() > 1)
    ++Current_;
  FitQuietly(index, TBoundsPath::Screened);
  return true;
}

void Elicitation::FitQuietly(std::size_t index, TBoundsPath path) {
  const std::size_t current = Current_;
  Current_ = index;
  try {
    Plot(Experts_[index].Typed, PlotOptions{false, path});
  } catch (const EMathError&) {
    Experts_[index].Stale = false;
  }
  Current_ = current;
}

bool Elicitation::RemoveExpert(std::size_t index) {
  if (Experts_.size() <= 1 || index >= Experts_.size())
    return false;
  Experts_.erase(Experts_.begin() + static_cast<std::ptrdiff_t>(index));
  Weights_.erase(Weights_.begin() + static_cast<std::ptrdiff_t>(index));
  if (index < Current_ || Current_ == Experts_.size())
    --Current_;
  double sum = 0;
  for (const double weight : Weights_)
    sum += weight;
  if (!(sum > 0))
    Weights_.assign(Weights_.size(), 1);
  return true;
}

bool Elicitation::RenameExpert(std::size_t index, const std::string& name) {
  if (index >= Experts_.size())
    return false;
  Experts_[index].Name = name;
  return true;
}

bool Elicitation::SwitchExpert(std::size_t index) {
  if (index >= Experts_.size())
    return false;
  Current_ = index;
  return true;
}

const PlotOutcome& Elicitation::OpenAll(const ElicitationRecord& record,
                                        const PlotOptions& options) {
  std::vector<ExpertState> experts;
  for (const ExpertRecord& expert : record.Experts)
    experts.push_back(NewExpert(expert));
  if (experts.empty())
    experts.push_back(NewExpert(ExpertRecord{}));
  Experts_ = std::move(experts);
  Weights_.assign(Experts_.size(), 1);
  if (record.Weights.size() == Experts_.size())
    SetWeights(record.Weights);
  // Every expert but the first is fitted for the pool and the overlay; its graphs come
  // when it is shown.
  // when it is shown. An arithmetic fault leaves that expert without a fit; the first
  // expert's own is reported, as Plot reports it.
  for (std::size_t i = Experts_.size(); i-- > 1;) {
    Current_ = i;
    try {
      Plot(Experts_[i].Typed, PlotOptions{false, options.Path});
    } catch (const EMathError&) {
      Experts_[i].Stale = false;
    }
  }
  Current_ = 0;
  return Plot(Experts_[0].Typed, options);
}
