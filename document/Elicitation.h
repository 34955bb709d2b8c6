// The elicitation: the judgements as the expert last gave them, the fit the feedback
// window shows, and whether that fit still answers them. The input window changes it only
// through the operations below, the feedback window shows what it holds and sets its
// credibility level; it knows no window.
#pragma once

#include <optional>

#include "Fit.h"
#include "Judgements.h"
#include "PlotComputation.h"

class Elicitation {
 public:
  // The judgements of the last operation; the input window's initial ones at first.
  const TypedJudgements& Typed() const { return Typed_; }
  // The last plot that fitted, with its figures and graphs; nothing before the first.
  const PlotOutcome* Shown() const { return Shown_ ? &*Shown_ : nullptr; }
  // From a plot that did not fit, or a change of mode, until the next plot that fits, the
  // fit shown belongs to earlier judgements. Never before a first fit.
  bool IsStale() const { return Stale_; }

  // [SECTION] Operations

  // Plots the judgements: takes them, and makes the outcome the fit shown when it fits
  // (its graphs included, when asked for). A text that is not a number is a refusal like
  // any other. The outcome stays valid until the next operation.
  const PlotOutcome& Plot(const TypedJudgements& typed, const PlotOptions& options = {});
  // A change of mode: takes the judgements, and the fit shown no longer answers them. In
  // additional-quantile mode the review advises on the side of x_s and holds the
  // feasibility bounds; in either mode it holds the refusal of a text that is not a number.
  JudgementReview SwitchMode(const TypedJudgements& typed);
  // The credibility level: the fit shown takes its credibility limits at it; nothing else
  // changes.
  void SetCredibility(Level level);

 private:
  void TakeJudgements(const TypedJudgements& typed);

  TypedJudgements Typed_;
  std::optional<PlotOutcome> Shown_;
  PlotOutcome Refused_;
  bool Stale_ = false;
};
