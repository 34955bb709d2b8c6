// The numerical core and the computing work of one plot, without any window.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <random>
#include <string>
#include <vector>

#include "BoundScreen.h"
#include "Fit.h"
#include "Judgements.h"
#include "PlotComputation.h"
#include "SolverRecord.h"

namespace {

// The input window's initial judgements in one mode.
Judgements InitialJudgements(FitMode mode) {
  TypedJudgements typed;
  typed.Mode = mode;
  return ReadJudgements(typed);
}

// The solvers' working record at those judgements, to time the solvers themselves.
struct Bench {
  SolverRecord record;
  explicit Bench(FitMode mode) { record.Load(InitialJudgements(mode)); }
};

void BM_Ln(benchmark::State& state) {
  Extended x = 0.7342L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(Ln(x));
  }
}
BENCHMARK(BM_Ln);

void BM_Exp(benchmark::State& state) {
  Extended x = -1.2345L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(Exp(x));
  }
}
BENCHMARK(BM_Exp);

void BM_SolveBounds(benchmark::State& state) {
  Bench b(FitMode::PowerParameter);
  for (auto _ : state) {
    b.record.SolveBounds();
    benchmark::DoNotOptimize(b.record.LowerBound);
  }
}
BENCHMARK(BM_SolveBounds);

// The same solve with no root of an earlier fit to start the screen's double solve from.
void BM_SolveBoundsCold(benchmark::State& state) {
  Bench b(FitMode::PowerParameter);
  for (auto _ : state) {
    b.record.ModeProbability = 0;
    b.record.SolveBounds();
    benchmark::DoNotOptimize(b.record.LowerBound);
  }
}
BENCHMARK(BM_SolveBoundsCold);

// The same solve on the plain path, every halving in x87.
void BM_SolveBoundsPlain(benchmark::State& state) {
  Bench b(FitMode::PowerParameter);
  b.record.SetBoundsPath(TBoundsPath::Plain);
  for (auto _ : state) {
    b.record.SolveBounds();
    benchmark::DoNotOptimize(b.record.LowerBound);
  }
}
BENCHMARK(BM_SolveBoundsPlain);

// 1024 seeded judgement sets an expert might give: whole-percent levels, spreads from
// 1e-4 to 1e4 of a scale from 1e-300 to 1e300, n from 0.1 to 100. Each solve starts from
// the mode probability of the set before, which is unrelated.
void SolveVaried(benchmark::State& state, TBoundsPath path) {
  struct TSet {
    Extended p, r, ap, m, br, n;
  };
  std::mt19937_64 rng(20261209);
  auto uniform = [&rng](double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(rng() >> 11) * 0x1p-53;
  };
  std::vector<TSet> sets;
  while (sets.size() < 1024) {
    const Extended scale = std::pow(10.0L, static_cast<Extended>(uniform(-300, 300)));
    const Extended ap = scale * static_cast<Extended>(uniform(-3, 3));
    const Extended m = ap + scale * std::pow(10.0L, static_cast<Extended>(uniform(-4, 4)));
    const Extended br = m + scale * std::pow(10.0L, static_cast<Extended>(uniform(-4, 4)));
    const int lower = static_cast<int>(rng() % 99) + 1;
    const int upper = lower + 1 + static_cast<int>(rng() % static_cast<std::uint64_t>(100 - lower));
    sets.push_back({lower / 100.0L, upper / 100.0L, ap, m, br,
                    std::pow(10.0L, static_cast<Extended>(uniform(-1, 2)))});
  }
  SolverRecord record;
  record.SetBoundsPath(path);
  std::size_t i = 0;
  for (auto _ : state) {
    const TSet& set = sets[i++ % sets.size()];
    record.LowerLevel = set.p;
    record.UpperLevel = set.r;
    record.LowerQuantile = set.ap;
    record.ModeValue = set.m;
    record.UpperQuantile = set.br;
    record.Power = set.n;
    try {
      record.SolveBounds();
    } catch (const std::exception&) {
      // A set the bounds cannot be solved for costs what it costs.
    }
    benchmark::DoNotOptimize(record.LowerBound);
  }
}

void BM_SolveBoundsVaried(benchmark::State& state) {
  SolveVaried(state, TBoundsPath::Screened);
}
BENCHMARK(BM_SolveBoundsVaried);

void BM_SolveBoundsVariedPlain(benchmark::State& state) {
  SolveVaried(state, TBoundsPath::Plain);
}
BENCHMARK(BM_SolveBoundsVariedPlain);

// The screen's double solve and proof alone, at the default fit.
void BM_BoundScreenPrepare(benchmark::State& state) {
  TBoundScreenInput in{0.1L, 0.9L, 6.5L, 7, 10.5L, 7};
  in.lnLower = Ln(in.p);
  in.lnUpper = Ln(1 - in.r);
  in.reciprocal = 1 / in.n;
  TBoundScreen screen;
  for (auto _ : state) {
    benchmark::DoNotOptimize(screen.Prepare(in));
  }
}
BENCHMARK(BM_BoundScreenPrepare);

// The limit of the mode probability at the initial judgements, one bisection in x87.
void BM_LimitModeProbability(benchmark::State& state) {
  Bench b(FitMode::ExtraQuantile);
  for (auto _ : state) {
    benchmark::DoNotOptimize(b.record.LimitModeProbability());
  }
}
BENCHMARK(BM_LimitModeProbability);

// The additional-quantile fit at the initial judgements: checks, limits, bounds and search.
void BM_ExtraQuantileFit(benchmark::State& state) {
  const Judgements judgements = InitialJudgements(FitMode::ExtraQuantile);
  for (auto _ : state) {
    const FitOutcome outcome = FitJudgements(judgements);
    benchmark::DoNotOptimize(outcome.Fitted->Power());
  }
}
BENCHMARK(BM_ExtraQuantileFit);

void PlotCompute(benchmark::State& state, FitMode mode, TBoundsPath path = TBoundsPath::Screened) {
  const Judgements judgements = InitialJudgements(mode);
  for (auto _ : state) {
    auto outcome = ComputePlot(judgements, PlotOptions{true, path});
    benchmark::DoNotOptimize(outcome);
  }
}

// The fit, the two 201-point samples, the 200-step sweep over n and the 3 probes of one
// plot.
void BM_PlotComputePower(benchmark::State& state) {
  PlotCompute(state, FitMode::PowerParameter);
}
BENCHMARK(BM_PlotComputePower)->Unit(benchmark::kMicrosecond);

void BM_PlotComputeExtraQuantile(benchmark::State& state) {
  PlotCompute(state, FitMode::ExtraQuantile);
}
BENCHMARK(BM_PlotComputeExtraQuantile)->Unit(benchmark::kMicrosecond);

// Both plots with the bound solver on its plain path.
void BM_PlotComputePowerPlain(benchmark::State& state) {
  PlotCompute(state, FitMode::PowerParameter, TBoundsPath::Plain);
}
BENCHMARK(BM_PlotComputePowerPlain)->Unit(benchmark::kMicrosecond);

void BM_PlotComputeExtraQuantilePlain(benchmark::State& state) {
  PlotCompute(state, FitMode::ExtraQuantile, TBoundsPath::Plain);
}
BENCHMARK(BM_PlotComputeExtraQuantilePlain)->Unit(benchmark::kMicrosecond);

}  // namespace
