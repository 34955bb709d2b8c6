// A stand-in for the input window: the judgements as the window shows them at start.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>

#include "AnalysisUnit.h"
#include "JudgementSheet.h"

// The input window at start, every field typed through Text(), Type() and Level().
using FakeJudgements = TJudgementSheet;

// A record with its own model, reading from its own fake window.
struct Elicitation {
  TGTSPForm model;
  TAnalysisForm record{model};
  FakeJudgements window;

  Elicitation() { record.SetInputSource(&window); }
  Elicitation(const Elicitation&) = delete;
  Elicitation& operator=(const Elicitation&) = delete;

  // Reads the judgements and fits them in power-parameter mode.
  void FitPower() {
    window.mode = 0;
    record.ReadInputs();
    record.SolveBounds();
  }
};

// Success when actual rounds to the quoted figure at ten significant digits.
inline ::testing::AssertionResult TenDigits(long double actual, long double quoted) {
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(quoted))));
  const long double unit = std::pow(10.0L, exponent - 9);
  if (std::fabs(actual - quoted) <= 0.5L * unit * (1 + 1e-9L)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << std::setprecision(21) << actual << " does not round to " << quoted;
}
