// The solvers under arbitrary judgements.
//
// An input is the input window as text, one field a line, in the window's order:
//   a_p, p, m, b_r, r, n, x_s, s, mode index, graphs, credibility level
// Number fields are taken as typed. Levels, the mode index and the credibility level are
// whole numbers as a spin edit reads them (the whole text as an integer, else the field's
// initial value, never clamped). The graphs line "1" computes every graph and "0" none; a
// missing or other line computes them for about one input in four. Missing lines keep the
// window's initial values.
//
// Each input refreshes the feasibility bounds and then runs the plot command's
// computation. Judgements that cannot be fitted are refused with a message; any exception
// escaping (an arithmetic error included) is a failure, and so is a fit that its own
// distribution function contradicts. A refusal in power-parameter mode is checked by a
// brute-force scan of its own (library powers and logarithms, not the core's): if the
// scan finds bounds whose distribution gives back p and r within 1e-11, the refusal is a
// failure.
//
// Built with -DMORVANE_PLANTED_FAULT, the harness refuses every fit with n above 5 in
// place of the product, to show that the scan reports such refusals.
#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FloatErrors.h"
#include "FuzzCheck.h"
#include "Judgements.h"
#include "NumberText.h"
#include "PlotComputation.h"

namespace {

// The input window as the input sets it, and how far a run goes.
struct TFuzzWindow : TypedJudgements {
  int modeIndex = 0;
  bool graphs = false;
};

// The whole text as an integer, else the fallback.
int WholeNumber(std::string_view text, int fallback) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty() ? value
                                                                                   : fallback;
}

TFuzzWindow ReadWindow(std::string_view input) {
  std::vector<std::string_view> lines;
  while (!input.empty() && lines.size() < 11) {
    const std::size_t end = input.find('\n');
    lines.push_back(input.substr(0, end));
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
  }
  TFuzzWindow w;
  auto line = [&lines](std::size_t i) -> const std::string_view* {
    return i < lines.size() ? &lines[i] : nullptr;
  };
  auto text = [&](std::size_t i, NumberField field) {
    if (const auto* l = line(i))
      w.Type(field, std::string(*l));
  };
  auto whole = [&](std::size_t i, int& value) {
    if (const auto* l = line(i))
      value = WholeNumber(*l, value);
  };
  // A level line as a level field reads it, in tenths; a line that is no level keeps it.
  auto level = [&](std::size_t i, Level& value) {
    if (const auto* l = line(i)) {
      try {
        value = ReadLevelText("level", *l);
      } catch (const EInputError&) {
      }
    }
  };
  text(0, NumberField::LowerQuantile);
  level(1, w.LevelOf(LevelField::Lower));
  text(2, NumberField::ModeValue);
  text(3, NumberField::UpperQuantile);
  level(4, w.LevelOf(LevelField::Upper));
  text(5, NumberField::Power);
  text(6, NumberField::ExtraQuantile);
  level(7, w.LevelOf(LevelField::Extra));
  whole(8, w.modeIndex);
  w.Mode = w.modeIndex == 0 ? FitMode::PowerParameter : FitMode::ExtraQuantile;
  std::size_t byteSum = 0;
  for (const std::string_view l : lines) {
    for (const char c : l)
      byteSum += static_cast<unsigned char>(c);
  }
  const auto* graphs = line(9);
  w.graphs = graphs && (*graphs == "1" || *graphs == "0") ? *graphs == "1" : byteSum % 4 == 0;
  level(10, w.Credibility);
  return w;
}

// What the harness prints beside a failure: the judgements as the window holds them.
std::string Describe(const TFuzzWindow& w) {
  std::string d = "judgements:";
  const char* names[] = {"a_p", "m", "b_r", "n", "x_s"};
  for (std::size_t i = 0; i < w.Texts.size(); ++i)
    d += std::string(" ") + names[i] + "=\"" + w.Texts[i] + "\"";
  d += " p=" + w.Levels[0].Text() + " r=" + w.Levels[1].Text() + " s=" + w.Levels[2].Text() +
       " mode=" + std::to_string(w.modeIndex) + " graphs=" + (w.graphs ? "on" : "off") +
       " credibility=" + w.Credibility.Text();
  return d;
}

// A few units in the last place of the larger of two ends, for sums that round.
long double Ulps(long double a, long double b) {
  return 8 * LDBL_EPSILON * std::max(std::fabs(a), std::fabs(b));
}

bool Within(long double x, long double lo, long double hi) {
  const long double slack = 1e-12L * (hi - lo) + Ulps(lo, hi);
  return x >= lo - slack && x <= hi + slack;
}

// The fit the plot command returned, against the judgements it was made from.
void CheckFit(const TFuzzWindow& w, const Judgements& j, const PlotOutcome& outcome) {
  const TFitFigures& f = outcome.Figures;
  const std::string input = Describe(w);
  const bool extra = w.modeIndex != 0;
  FUZZ_EXPECT(outcome.Fitted->Given.Mode() ==
              (extra ? FitMode::ExtraQuantile : FitMode::PowerParameter))
      << input;
  for (const long double v :
       {f.LowerBound, f.UpperBound, f.Power, f.ModeProbability, f.ModeValue, f.Median, f.Mean,
        f.StdDev, f.LowerCredibilityLimit, f.UpperCredibilityLimit}) {
    FUZZ_EXPECT(std::isfinite(v)) << "a figure is " << Digits(v) << "; " << input;
  }
  const long double a = f.LowerBound;
  const long double m = f.ModeValue;
  const long double b = f.UpperBound;
  const long double n = f.Power;
  FUZZ_EXPECT(a < m && m < b) << "a = " << Digits(a) << ", m = " << Digits(m)
                              << ", b = " << Digits(b) << "; " << input;
  FUZZ_EXPECT(n > 0) << "n = " << Digits(n) << "; " << input;
  FUZZ_EXPECT(f.AntiMode == (n < 1)) << "n = " << Digits(n) << "; " << input;
  const long double p = j.LevelOf(LevelField::Lower).Fraction();
  const long double r = j.LevelOf(LevelField::Upper).Fraction();
  FUZZ_EXPECT(f.ModeProbability >= p && f.ModeProbability <= r)
      << "q = " << Digits(f.ModeProbability) << "; " << input;
  FUZZ_EXPECT(m == j.ModeValue) << input;
  if (!extra)
    FUZZ_EXPECT(n == j.Power) << "n = " << Digits(n) << "; " << input;

  // The distribution functions of the fit give back what the expert said.
  const TwoSidedPower fit(a, m, b, n);
  constexpr long double kSlack = 1e-9L;
  const long double atLower = Cdf(fit, j.LowerQuantile);
  const long double atUpper = Cdf(fit, j.UpperQuantile);
  FUZZ_EXPECT(std::fabs(atLower - p) <= kSlack)
      << "Cdf(a_p) = " << Digits(atLower) << ", p = " << Digits(p) << "; " << input;
  FUZZ_EXPECT(std::fabs(atUpper - r) <= kSlack)
      << "Cdf(b_r) = " << Digits(atUpper) << ", r = " << Digits(r) << "; " << input;
  if (extra) {
    const long double s = j.LevelOf(LevelField::Extra).Fraction();
    const long double atExtra = Cdf(fit, j.ExtraQuantile);
    FUZZ_EXPECT(std::fabs(atExtra - s) <= kSlack)
        << "Cdf(x_s) = " << Digits(atExtra) << ", s = " << Digits(s) << "; " << input;
  }

  // The statistics belong to a distribution on [a, b].
  FUZZ_EXPECT(Within(f.Median, a, b)) << "median " << Digits(f.Median) << "; " << input;
  FUZZ_EXPECT(Within(f.Mean, a, b)) << "mean " << Digits(f.Mean) << "; " << input;
  FUZZ_EXPECT(f.StdDev > 0 && f.StdDev <= (b - a) / 2 * (1 + 1e-9L))
      << "sd " << Digits(f.StdDev) << " on [" << Digits(a) << ", " << Digits(b) << "]; " << input;
  if (w.Credibility >= Level::FromPercent(0) && w.Credibility <= Level::FromPercent(100)) {
    FUZZ_EXPECT(Within(f.LowerCredibilityLimit, a, b) && Within(f.UpperCredibilityLimit, a, b) &&
                f.LowerCredibilityLimit <= f.UpperCredibilityLimit)
        << "credibility limits " << Digits(f.LowerCredibilityLimit) << ", "
        << Digits(f.UpperCredibilityLimit) << "; " << input;
  }
}

// The graphs: the sweep charts mark the shown fit, and the samples belong to it.
void CheckGraphs(const TFuzzWindow& w, const Judgements& j, const PlotOutcome& outcome) {
  const TFitFigures& f = outcome.Figures;
  const TGraphSamples& g = outcome.Graphs;
  const std::string input = Describe(w);
  const auto n = static_cast<double>(f.Power);
  FUZZ_EXPECT(!g.ModeMarks.empty() && !g.LowerMarks.empty() && !g.UpperMarks.empty() &&
              g.ModeMarks.back() == (TPlotPoint{n, static_cast<double>(f.ModeProbability)}) &&
              g.LowerMarks.back() == (TPlotPoint{n, static_cast<double>(f.LowerBound)}) &&
              g.UpperMarks.back() == (TPlotPoint{n, static_cast<double>(f.UpperBound)}))
      << "the fitted points are not the fit a = " << Digits(f.LowerBound)
      << ", b = " << Digits(f.UpperBound) << ", n = " << Digits(f.Power) << "; " << input;

  long double previous = 0;
  for (const SamplePoint& s : g.CdfSamples) {
    FUZZ_EXPECT(s.Y >= 0 && s.Y <= 1 && s.Y >= previous - 1e-15L)
        << "Cdf(" << Digits(s.X) << ") = " << Digits(s.Y) << " after " << Digits(previous) << "; "
        << input;
    previous = s.Y;
  }
  for (const SamplePoint& s : g.PdfSamples) {
    FUZZ_EXPECT(std::isfinite(s.Y) && s.Y >= 0)
        << "Pdf(" << Digits(s.X) << ") = " << Digits(s.Y) << "; " << input;
  }
  const long double p = j.LevelOf(LevelField::Lower).Fraction();
  const long double r = j.LevelOf(LevelField::Upper).Fraction();
  for (std::size_t i = 1; i < g.ModeSweep.size(); ++i) {
    const SamplePoint& s = g.ModeSweep[i];
    FUZZ_EXPECT(s.Y >= p && s.Y <= r)
        << "q(" << Digits(s.X) << ") = " << Digits(s.Y) << "; " << input;
  }
  const std::size_t lineSize = f.Power >= 1 ? 201 : 199;
  const std::size_t markCount = w.modeIndex != 0 ? 6 : 5;
  // A sweep beyond n = 20 leaves out the probes at 1 and 2, one beyond 200 the probe at 10.
  const long double sweepEnd = g.ModeSweep.back().X;
  const std::size_t sweepMarks = sweepEnd <= 20 ? 5 : sweepEnd <= 200 ? 3 : 2;
  FUZZ_EXPECT(g.DensityLine.size() == lineSize && g.DistributionLine.size() == 201 &&
              g.DensityMarks.size() == markCount && g.DistributionMarks.size() == markCount &&
              g.ModeMarks.size() == sweepMarks && g.LowerMarks.size() == sweepMarks &&
              g.UpperMarks.size() == sweepMarks)
      << "point counts; " << input;
  // The marks at a_p and b_r, as the chart holds them, sit at p and r.
  FUZZ_EXPECT(std::fabs(g.DistributionMarks[2].Y - static_cast<double>(p)) <= 1e-9 &&
              std::fabs(g.DistributionMarks[4].Y - static_cast<double>(r)) <= 1e-9)
      << "marks at " << g.DistributionMarks[2].Y << " and " << g.DistributionMarks[4].Y << "; "
      << input;
}

void CheckFeasibilityBounds(const TFuzzWindow& w, const Judgements& j,
                            const FeasibilityBounds& bounds) {
  const std::string input = Describe(w);
  FUZZ_EXPECT(std::isfinite(bounds.Smaller()) && std::isfinite(bounds.Larger()) &&
              bounds.Smaller() <= bounds.Larger())
      << "bounds " << Digits(bounds.Smaller()) << ", " << Digits(bounds.Larger()) << "; " << input;
  const long double qLimit = bounds.ModeProbabilityLimit;
  FUZZ_EXPECT(qLimit >= j.LevelOf(LevelField::Lower).Fraction() &&
              qLimit <= j.LevelOf(LevelField::Upper).Fraction())
      << "q-limit " << Digits(qLimit) << "; " << input;
}

void CheckMessage(std::string_view message, const TFuzzWindow& w) {
  FUZZ_EXPECT(!message.empty()) << "an empty message; " << Describe(w);
}

// Runs one step the window could take; an error the user is told about is an outcome, any
// other exception is a failure. Returns false when the step was refused.
template <typename Step>
bool Attempt(const TFuzzWindow& w, Step step) {
  try {
    step();
    return true;
  } catch (const EFitError& e) {
    CheckMessage(e.what(), w);
  } catch (const EMathError& e) {
    // Every judgement the window takes has a message of its own before the arithmetic
    // gives out; a bare arithmetic error is a judgement the checks let through.
    FUZZ_EXPECT(false) << "arithmetic error \"" << e.what() << "\"; " << Describe(w);
  } catch (const std::exception& e) {
    FUZZ_EXPECT(false) << "unexpected exception: " << e.what() << "; " << Describe(w);
  } catch (...) {
    FUZZ_EXPECT(false) << "unexpected exception; " << Describe(w);
  }
  return false;
}

// [SECTION] Brute-force scan of power-parameter fits

long double ScanCdf(long double x, long double a, long double m, long double b, long double n) {
  if (x <= a)
    return 0;
  if (x >= b)
    return 1;
  if (x <= m)
    return (m - a) / (b - a) * std::pow((x - a) / (m - a), n);
  return 1 - (b - m) / (b - a) * std::pow((b - x) / (b - m), n);
}

struct TScanFit {
  long double a = 0;
  long double b = 0;
};

// The bounds of the fit at mode probability q, from the quantile conditions.
TScanFit ScanBounds(long double ap, long double p, long double m, long double br, long double r,
                    long double n, long double q) {
  TScanFit fit{ap, br};
  if (p > 0) {
    const long double ratio = std::pow(p / q, 1 / n);
    fit.a = ap - (m - ap) * ratio / (1 - ratio);
  }
  if (r < 1) {
    const long double ratio = std::pow((1 - r) / (1 - q), 1 / n);
    fit.b = br + (br - m) * ratio / (1 - ratio);
  }
  return fit;
}

// A fit of the judgements found by scanning q over (p, r) for a change of sign of the
// standardized mode less q and bisecting it, if one gives back p and r within 1e-11 and
// lies within `largest` (1e2000 the windows accept, less when the charts must hold it).
bool ScanFindsFit(long double ap, long double p, long double m, long double br, long double r,
                  long double n, long double largest) {
  const auto excess = [&](long double q) {
    const TScanFit f = ScanBounds(ap, p, m, br, r, n, q);
    return (m - f.a) / (f.b - f.a) - q;
  };
  constexpr int kSteps = 2000;
  long double previousQ = p;
  long double previous = NAN;
  for (int i = 1; i < kSteps; ++i) {
    const long double q = p + (r - p) * i / kSteps;
    const long double e = excess(q);
    if (std::isfinite(previous) && std::isfinite(e) && (previous > 0) != (e > 0)) {
      long double lo = previousQ;
      long double hi = q;
      const bool rising = e > 0;
      for (int k = 0; k < 200 && lo < hi; ++k) {
        const long double mid = (lo + hi) / 2;
        if (mid == lo || mid == hi)
          break;
        ((excess(mid) > 0) == rising ? hi : lo) = mid;
      }
      const TScanFit f = ScanBounds(ap, p, m, br, r, n, (lo + hi) / 2);
      const bool inRange = std::isfinite(f.a) && std::isfinite(f.b) && f.a < m && m < f.b &&
                           std::fabs(f.a) < largest && std::fabs(f.b) < largest;
      if (inRange && std::fabs(ScanCdf(ap, f.a, m, f.b, n) - p) <= 1e-11L &&
          std::fabs(ScanCdf(br, f.a, m, f.b, n) - r) <= 1e-11L)
        return true;
    }
    previousQ = q;
    previous = e;
  }
  return false;
}

// After a refusal in power-parameter mode: the judgements as numbers, and whether the scan
// fits them. Texts that are not numbers, and judgements outside the windows' domain, are
// refused rightly.
bool RefusedAFittableSet(const TFuzzWindow& w) {
  if (w.modeIndex != 0)
    return false;
  long double ap = 0, m = 0, br = 0, n = 0;
  try {
    ap = ReadNumberText("a_p", w.Texts[0]);
    m = ReadNumberText("m", w.Texts[1]);
    br = ReadNumberText("b_r", w.Texts[2]);
    n = ReadNumberText("n", w.Texts[3]);
  } catch (const EInputError&) {
    return false;
  }
  const long double p = w.Levels[0].Tenths() / 1000.0L;
  const long double r = w.Levels[1].Tenths() / 1000.0L;
  const bool domain = ap < m && m < br && std::fabs(ap) < 1e2000L && std::fabs(br) < 1e2000L &&
                      m - ap > 1e-2000L && br - m > 1e-2000L && 0 <= p && p < r && r <= 1 &&
                      n >= 0.0001L && n <= 10000;
  // The graphs hand doubles to the charts, which refuse what a double cannot hold.
  const long double largest = w.graphs ? 1e300L : 1e2000L;
  return domain && ScanFindsFit(ap, p, m, br, r, n, largest);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TFuzzWindow window =
      ReadWindow(std::string_view(reinterpret_cast<const char*>(data), size));

  // The feasibility bounds, as the window refreshes them in additional-quantile mode.
  TypedJudgements extra = window;
  extra.Mode = FitMode::ExtraQuantile;
  bool feasibilityKnown = false;
  bool feasible = false;
  Attempt(window, [&] {
    const Judgements j = ReadJudgements(extra);
    const FeasibilityBounds bounds = ComputeFeasibilityBounds(j);
    CheckFeasibilityBounds(window, j, bounds);
    feasible = bounds.Admit(j.ExtraQuantile);
    feasibilityKnown = true;
  });

  // The plot command's computation; a text that is not a number is refused by the reading.
  std::optional<Judgements> judgements;
  std::optional<PlotOutcome> outcome;
  const bool read = Attempt(window, [&] { judgements = ReadJudgements(window); });
  if (read) {
    Attempt(window, [&] {
#ifdef MORVANE_PLANTED_FAULT
      if (window.modeIndex == 0 && std::strtold(window.Texts[3].c_str(), nullptr) > 5) {
        outcome.emplace();
        outcome->Messages.push_back({MessageKind::Error, "planted refusal"});
        return;
      }
#endif
      outcome = ComputePlot(*judgements, PlotOptions{window.graphs});
    });
  }
  if (outcome) {
    for (const Message& message : outcome->Messages)
      CheckMessage(message.Text, window);
  }
  if (!outcome || !outcome->Fitted) {
    const bool notFeasible =
        outcome && outcome->Feasibility && !outcome->Feasibility->Admit(judgements->ExtraQuantile);
    if (notFeasible) {
      FUZZ_EXPECT(window.modeIndex != 0)
          << "refused x_s in power-parameter mode; " << Describe(window);
      FUZZ_EXPECT(!feasibilityKnown || !feasible)
          << "refused an x_s the feasibility bounds admit; " << Describe(window);
    } else {
      FUZZ_EXPECT(!read || (outcome && outcome->Refusal()))
          << "no fit and no refusal; " << Describe(window);
      FUZZ_EXPECT(!RefusedAFittableSet(window))
          << "refused judgements a brute-force scan fits; " << Describe(window);
    }
    return 0;
  }
  FUZZ_EXPECT(!outcome->Refusal()) << "a fit after a refusal; " << Describe(window);
  try {
    CheckFit(window, *judgements, *outcome);
    if (window.graphs)
      CheckGraphs(window, *judgements, *outcome);
  } catch (const std::exception& e) {
    FUZZ_EXPECT(false) << "the fit cannot be checked: " << e.what() << "; " << Describe(window);
  }
  return 0;
}
