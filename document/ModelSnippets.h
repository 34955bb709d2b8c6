// The fitted distribution as code for the analyst's own model: the quantile function as a
// Python (numpy) function, an R function and a spreadsheet formula, each with the fit's
// numbers written to 21 significant digits, so that each gives back the fit's quantiles to
// the precision of a double. The windows' "Copy as..." copies these texts.
#pragma once

#include <string>
#include <string_view>

#include "TwoSidedPower.h"

// A Python function q(u), after "import numpy as np": the quantile at u in [0, 1], for a
// number or an array of any shape, vectorised.
std::string PythonQuantileSnippet(const TwoSidedPower& model);

// An R function q(u): the quantile at each element of u in [0, 1], vectorised.
std::string RQuantileSnippet(const TwoSidedPower& model);

// A spreadsheet formula for the quantile at the level in `cell` (such as A1, a number from 0
// to 1), with "=" first, "," between arguments and "." in numbers, as spreadsheets in
// English read them; the mode probability and the standardized mode are written out as
// numbers, so that the formula needs no other cell.
std::string SpreadsheetQuantileFormula(const TwoSidedPower& model, std::string_view cell = "A1");

// Each of the three raises EFitError for a distribution whose numbers a double cannot hold
// (beyond 1.7e308, or not zero but below 2.2e-308), which the analyst's model could not
// compute with.
