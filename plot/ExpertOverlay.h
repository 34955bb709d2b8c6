// The density and distribution function of several experts' fits on one chart, and of
// their linear pool: what the feedback window overlays once an elicitation has two or more
// experts. A function of the fits and the weights alone; no window.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "GraphSamples.h"
#include "LinearPool.h"
#include "PlotComputation.h"

// One curve pair as a chart holds it.
struct TOverlayCurves {
  TPointList Density;       // over the distribution's support
  TPointList Distribution;  // on the same grid
};

// The pool's figures, as the feedback window lists them for a single fit.
struct TPoolFigures {
  Extended Lower = 0;  // the pool's support
  Extended Upper = 0;
  Extended Mean = 0;
  Extended StdDev = 0;
  std::array<Extended, kQuantileLevels.size()> Quantiles{};  // at kQuantileLevels
};

struct TExpertOverlay {
  // For each expert in order; empty curves for one without a fit.
  std::vector<TOverlayCurves> Experts;
  // Of the experts that have a fit, each with its weight; absent when none of them has
  // weight (PoolRefusal says why).
  std::optional<LinearPool> Pool;
  std::string PoolRefusal;
  TOverlayCurves PoolCurves;
  TPoolFigures PoolFigures;
};

// Samples every expert's fit over its own support, at the grid of its single-fit graphs,
// and the pool of those with a fit over the pool's support: 400 equal steps with every
// expert's bounds and mode put in, where the pool's density jumps or peaks. `fits` holds
// nullptr for an expert without a fit; `weights` one weight each (0 or more). A density
// that is infinite (at the anti-mode's ends, for powers below 1) or any value beyond a
// double is left out of its curve. Arithmetic faults raise EMathError.
TExpertOverlay ComputeExpertOverlay(const std::vector<const TwoSidedPower*>& fits,
                                    const std::vector<double>& weights);
