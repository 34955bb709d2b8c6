// Fitting as values: judgements in, a fit or what to tell the expert out. Every function
// here makes its own working record of the solvers, so that nothing is shared between two
// calls and a call changes nothing outside its result.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ExtendedMath.h"
#include "Judgements.h"
#include "Message.h"
#include "PowerSearch.h"
#include "TwoSidedPower.h"

// How the bound solver judges its midpoints. Screened decides every halving it can prove in
// double precision and evaluates the others in x87 exactly as Plain does; both give the
// same results, halving counts and errors, bit for bit. Plain is kept for comparison.
enum class TBoundsPath { Screened, Plain };

// [SECTION] Messages

inline constexpr std::string_view kNotFeasibleMessage =
    "Additional Quantile Specification not Feasible";
inline constexpr std::string_view kAntiModeWarning =
    "Your Estimate m is an anti-mode which is not consistent with a most likely estimate";
inline constexpr std::string_view kRecommendAbove =
    "It is recommended to elicit and additional quantile x_s > m with quantile level 0.80";
inline constexpr std::string_view kRecommendBelow =
    "It is recommended to elicit and additional quantile x_s < m with quantile level 0.20";

// [SECTION] The bound solver

// The fit of the judgements' quantiles for one power n.
struct BoundsSolution {
  Extended LowerBound = 0;       // a
  Extended UpperBound = 0;       // b
  Extended ModeProbability = 0;  // q
  int Halvings = 0;              // the halving whose midpoint met the tolerance
};

// The bounds for the power n, the levels p and r and the quantiles a_p, m, b_r of the
// judgements. Raises EFitError when no mode probability meets the tolerance, and the
// arithmetic errors of the steps (p = r, n = 0) as they arise.
BoundsSolution SolveBounds(const Judgements& judgements, Extended power,
                           TBoundsPath path = TBoundsPath::Screened);

// The bounds at each power in turn. The solves share one working record, so that each
// starts the screen's double solve from the root of the one before (the first from
// `hint`), which changes no bit of any result, only how soon it is found.
std::vector<BoundsSolution> SolveBoundsAt(const Judgements& judgements,
                                          const std::vector<Extended>& powers,
                                          TBoundsPath path = TBoundsPath::Screened,
                                          Extended hint = 0);

// [SECTION] An additional quantile

// The two quantiles at level s that bound a feasible additional quantile: that of the
// uniform fit (n = 1) and that of the limit of large n, with the limit's mode probability.
struct FeasibilityBounds {
  Extended Uniform = 0;
  Extended Limit = 0;
  Extended ModeProbabilityLimit = 0;

  Extended Smaller() const { return Uniform < Limit ? Uniform : Limit; }
  Extended Larger() const { return Uniform < Limit ? Limit : Uniform; }
  // x_s lies strictly between them: (x_s - Uniform)(x_s - Limit) < 0.
  bool Admit(Extended extraQuantile) const;
};

// The feasibility bounds for the judgements' a_p, p, m, b_r, r and s, after refusing with
// EFitError judgements they cannot be computed for (those CheckJudgements refuses in
// additional-quantile mode).
FeasibilityBounds ComputeFeasibilityBounds(const Judgements& judgements);

// The advice on the side of x_s, if any: m <= (a_p + b_r)/2 with x_s < m advises x_s > m;
// m >= the midpoint with x_s > m advises x_s < m.
std::optional<std::string_view> SideRecommendation(const Judgements& judgements);

// The refusal of an infeasible x_s: kNotFeasibleMessage, then a line naming the bounds.
std::string NotFeasibleMessage(const FeasibilityBounds& bounds);

// [SECTION] The fit

struct Fit {
  Judgements Given;              // what it was found from
  TwoSidedPower Distribution;    // a, m, b and n on both sides
  Extended ModeProbability = 0;  // q, as the bound solver met it
  // q in the limit of large n, computed when 0 < p and r < 1, else 0.
  Extended ModeProbabilityLimit = 0;
  // Additional-quantile mode: every power in [0.0001, 10000] that puts probability s below
  // x_s, ascending (n is one of them), and F(x_s; n) as the search scanned it.
  std::vector<Extended> Powers;
  std::vector<TPowerSample> SearchCurve;
  // Sign changes of F(x_s) - s whose tolerance the search could not meet, with their
  // brackets; none is among Powers.
  std::vector<TPowerRoot> UnmetPowers;

  Extended LowerBound() const { return Distribution.Lower(); }
  Extended UpperBound() const { return Distribution.Upper(); }
  Extended ModeValue() const { return Distribution.Mode(); }
  Extended Power() const { return Distribution.LeftPower(); }
  // n < 1: m is the least likely value.
  bool AntiMode() const { return Power() < 1; }
};

// What the checks of a set of judgements found before or instead of a fit.
struct JudgementReview {
  // Additional-quantile mode: the bounds of x_s, once computed.
  std::optional<FeasibilityBounds> Feasibility;
  // What to tell the expert, in order: the advice on the side of x_s (a warning), then the
  // refusal (an error) when there is no fit.
  std::vector<Message> Messages;

  // The text of the refusal, if any.
  std::optional<std::string> Refusal() const;
};

struct FitOutcome : JudgementReview {
  std::optional<Fit> Fitted;  // nothing when the judgements were refused
};

// The fit of the judgements in their mode, as the plot command finds it: the judgements are
// checked; in power-parameter mode the bounds are solved for n (and q's large-n limit when
// 0 < p and r < 1); in additional-quantile mode the side of x_s is advised on, the
// feasibility bounds are computed, an x_s outside them is refused, and the power search
// finds n; the fit is checked. Judgements that cannot be fitted give a refusal; arithmetic
// faults raise EMathError.
FitOutcome FitJudgements(const Judgements& judgements, TBoundsPath path = TBoundsPath::Screened);

// The review a change of mode or of s gives in additional-quantile mode: the judgements are
// checked, the side of x_s advised on and the feasibility bounds computed.
JudgementReview ReviewExtraQuantile(const Judgements& judgements);
