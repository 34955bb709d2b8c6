// The elicitation: the judgements as the expert last gave them, the fit the feedback
// window shows, and whether that fit still answers them. The input window changes it only
// through the operations below, the feedback window shows what it holds and sets its
// credibility level; it knows no window.
#pragma once

#include <optional>

#include <string>

#include "ElicitationFile.h"
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
  // What the analyst noted beside the judgements; empty at first.
  const ElicitationNotes& Notes() const { return Notes_; }
  // The expert's part of the elicitation as a file keeps it: the name, the judgements of
  // the last operation (the credibility level included) and the notes.
  ExpertRecord Record() const { return {Name_, Typed_, Notes_}; }

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

 private:
  void TakeJudgements(const TypedJudgements& typed);

  std::string Name_;
  TypedJudgements Typed_;
  ElicitationNotes Notes_;
  std::optional<PlotOutcome> Shown_;
  // The last plot that fitted, at the power its search chose.
  std::optional<PlotOutcome> Searched_;
  PlotOutcome Refused_;
  bool Stale_ = false;
};
