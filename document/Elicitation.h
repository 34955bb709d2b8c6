// The elicitation: for each of its experts, the judgements as the expert last gave them,
// the last fit, and whether that fit still answers them; which expert the windows work on
// (the current one), and the weights of the experts in their linear pool. The input window
// changes it only through the operations below, which act on the current expert unless they
// name another; the feedback window shows what it holds and sets its credibility level. It
// knows no window.
#pragma once

#include <optional>

#include <string>
#include <vector>

#include "ElicitationFile.h"
#include "Fit.h"
#include "Judgements.h"
#include "PlotComputation.h"

class Elicitation {
 public:
  // One expert, unnamed, with the input window's initial judgements and no fit.
  Elicitation();

  // The judgements of the last operation; the input window's initial ones at first.
  const TypedJudgements& Typed() const { return Now().Typed; }
  // The last plot that fitted, with its figures and graphs; nothing before the first.
  const PlotOutcome* Shown() const { return ShownOf(Current_); }
  // From a plot that did not fit, or a change of mode, until the next plot that fits, the
  // fit shown belongs to earlier judgements. Never before a first fit.
  bool IsStale() const { return Now().Stale; }
  // What the analyst noted beside the judgements; empty at first.
  const ElicitationNotes& Notes() const { return Now().Notes; }
  // The expert's part of the elicitation as a file keeps it: the name, the judgements of
  // the last operation (the credibility level included) and the notes.
  ExpertRecord Record() const { return {Now().Name, Now().Typed, Now().Notes}; }

  // [SECTION] Operations

  // Plots the judgements: takes them, and makes the outcome the fit shown when it fits
  // (its graphs included, when asked for). A text that is not a number is a refusal like
  // any other. The outcome stays valid until the next operation.
  const PlotOutcome& Plot(const TypedJudgements& typed, const PlotOptions& options = {});
  // A change of mode: takes the judgements, and the fit shown no longer answers them. In
  // additional-quantile mode the review advises on the side of x_s and holds the
  // feasibility bounds; in either mode it holds the refusal of a text that is not a number.
  JudgementReview SwitchMode(const TypedJudgements& typed);
  // Shows the fit shown at another of the powers that fit its x_s: the judgements stay, and
  // so does whether the fit is stale. The outcome, refused or not, stays valid until the
  // next operation; a refusal leaves the fit shown as it was.
  const PlotOutcome& ShowPower(Extended power);
  // The credibility level: the fit shown takes its credibility limits at it; nothing else
  // changes.
  void SetCredibility(Level level);
  // The notes: nothing else changes, and the fit shown stays as it is.
  void SetNotes(const ElicitationNotes& notes);
  // Opens an expert's part of a saved elicitation: takes its name, notes and judgements
  // (the credibility level included), forgets the fit shown and plots the judgements, as
  // Plot does. The outcome stays valid until the next operation.
  const PlotOutcome& Open(const ExpertRecord& expert, const PlotOptions& options = {});

  // [SECTION] The experts

  std::size_t ExpertCount() const { return Experts_.size(); }
  std::size_t CurrentExpert() const { return Current_; }
  // An expert's own number, which stays its own while others come and go; never reused.
  int ExpertId(std::size_t index) const { return Experts_.at(index).Id; }
  // The index of the expert with that number, or ExpertCount() when there is none.
  std::size_t IndexOfExpert(int id) const;
  const std::string& ExpertName(std::size_t index) const { return Experts_.at(index).Name; }
  // An expert's last plot that fitted, stale or not; nullptr before its first.
  const PlotOutcome* ShownOf(std::size_t index) const;
  // One weight for each expert, 0 or more and not all 0: 1 each at first.
  const std::vector<double>& Weights() const { return Weights_; }
  // The whole elicitation as a file keeps it: every expert, and the weights when there are
  // several experts.
  ElicitationRecord WholeRecord() const;
  // For each expert in order, its fit shown unless it is stale (the file's fits).
  std::vector<const PlotOutcome*> CurrentFits() const;

  // Takes the weights; false, and nothing changes, unless they are one for each expert,
  // finite, 0 or more and not all 0.
  bool SetWeights(const std::vector<double>& weights);
  // Inserts an expert at index (at most ExpertCount()) with the given part and weight, and
  // fits its judgements without graphs (an arithmetic fault leaves it without a fit); the
  // current expert stays the current one. The expert takes the number `id` when it is 0 or
  // more (an expert taken out and put back), a new one otherwise. False for an index beyond
  // the end, a weight that is not finite and 0 or more, or a number in use.
  bool InsertExpert(std::size_t index, const ExpertRecord& expert, double weight = 1, int id = -1);
  // Takes an expert out with its weight; the current one stays current when it remains,
  // else the one after it (the one before, at the end) becomes current. False for the last
  // expert, or for an index beyond the end; weights that would all be 0 become 1 each.
  bool RemoveExpert(std::size_t index);
  bool RenameExpert(std::size_t index, const std::string& name);
  // Makes another expert the current one; its judgements, notes and fit are as they were
  // left. False for an index beyond the end.
  bool SwitchExpert(std::size_t index);
  // Opens a whole saved elicitation: takes its experts and weights (equal when it has none),
  // fits every expert's judgements without graphs, and makes the first expert current,
  // fitted as Plot does. The outcome, the first expert's, stays valid until the next
  // operation. A record without experts leaves one with the initial judgements.
  const PlotOutcome& OpenAll(const ElicitationRecord& record, const PlotOptions& options = {});

 private:
  // Everything the elicitation holds of one expert.
  struct ExpertState {
    int Id = 0;
    std::string Name;
    TypedJudgements Typed;
    ElicitationNotes Notes;
    std::optional<PlotOutcome> Shown;
    // The last plot that fitted, at the power its search chose.
    std::optional<PlotOutcome> Searched;
    bool Stale = false;
  };

  void TakeJudgements(const TypedJudgements& typed);
  ExpertState& Now() { return Experts_[Current_]; }
  const ExpertState& Now() const { return Experts_[Current_]; }
  ExpertState NewExpert(const ExpertRecord& expert);
  // Fits the index-th expert's judgements without graphs, as they stand.
  void FitQuietly(std::size_t index, TBoundsPath path);

  std::vector<ExpertState> Experts_;
  std::size_t Current_ = 0;
  std::vector<double> Weights_;
  int NextId_ = 0;
  PlotOutcome Refused_;
};
