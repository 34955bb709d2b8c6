// The checks a command makes around a fit: judgements the solvers cannot fit are refused
// before anything is solved, and a fit that does not give back its own quantiles is
// refused instead of being shown.
#pragma once

#include "SolverRecord.h"

// Raises EFitError, with a message that says what to change, unless a_p < m < b_r (all
// within 1e2000, m at least 1e-2000 from either), 0 <= p < r <= 1 and, in power-parameter
// mode, 0.0001 <= n <= 10000; in additional-quantile mode also 0 < p, r < 1 and
// 0 < s < 1.
void CheckJudgements(const SolverRecord& record, FitMode mode);

// Raises EFitError unless the record's fit has n <= 10000 and a < m < b, and puts
// probability p below a_p and r below b_r within 1e-9. The message names what the expert
// can change in `mode`: n for a given power, x_s and s for an additional quantile.
void CheckFit(const SolverRecord& record, FitMode mode);
