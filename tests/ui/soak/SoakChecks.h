// What the soak test checks after every action: the windows' invariants, each returning a
// description of what it found wrong (nothing when all is well).
#pragma once

#include <string>
#include <vector>

#include "MessageService.h"

class Elicitation;
class InputWindow;
class FeedbackWindow;

using TProblems = std::vector<std::string>;

// The messages one action gave, records[first] onwards: an Error says something and quotes
// no "nan" or "inf" of its own; the advice on the side of x_s is a Warning; the anti-mode
// Warning comes with the mode label "anti-mode";
// the arithmetic-error report carries one of the three arithmetic texts (anything else there
// is an exception no handler meant to raise) and, when strict, does not come at all.
TProblems CheckMessages(const std::vector<TMessageRecord>& records, std::size_t first,
                        const FeedbackWindow& feedback, bool strict);

// The fields of the selected mode are the ones shown and enabled: the n field and its label
// in the power-parameter mode; x_s, s, their labels and the feasibility bounds in the
// additional-quantile mode. The feedback window's first two page captions name the mode once
// the mode switch has run.
TProblems CheckModeFields(const InputWindow& main, const FeedbackWindow& feedback);

// In the additional-quantile mode the feasibility panels are both empty (a refresh failed) or
// both numbers, the smaller one first.
TProblems CheckFeasibilityPanels(const InputWindow& main);

// How often CheckShownFit could recompute the figures from the panels' own texts.
struct TShownFitTally {
  int Recomputed = 0;
  // The panels round the fit too coarsely to pin its figures down (n, or a gap between a, m
  // and b, within the rounding of 8 decimals).
  int NotPinnedDown = 0;
};

// Before the first fit the feedback window is hidden and its panels show their design text.
// Once it shows a fit, every panel belongs to that one fit:
// - the panels of a, b, n and m are the document's fit, the mode label follows its n, and the
//   charts' marked ends and fitted points are its a, b and n;
// - the median, mean and standard deviation, and the credibility limits at the window's
//   credibility level, recomputed from the panels of a, b, m and n, agree with their panels
//   within what the rounding to 8 decimals allows;
// - recomputed from the document's fit, they are exactly the texts shown.
TProblems CheckShownFit(const FeedbackWindow& feedback, const Elicitation& document,
                        TShownFitTally& tally);
