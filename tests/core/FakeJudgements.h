// A stand-in for the input window: the judgements as the window shows them at start.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <iomanip>
#include <string>
#include <utility>

#include "AnalysisUnit.h"

struct FakeJudgements : TJudgementSource {
  // a_p, m, b_r, n, x_s as typed.
  std::array<std::string, 5> texts{"6.5", "7.0", "10.5", "7.0", "9.588495255"};
  // p, r, s in percent.
  std::array<int, 3> levels{10, 90, 80};
  int mode = 0;

  std::string& Text(TNumberField field) { return texts[static_cast<std::size_t>(field)]; }
  // Types a whole text into a field. Tests type through here rather than assigning a
  // literal to Text(): the move keeps GCC 12 at -O3 off its -Wrestrict false positive in
  // std::string's replace path (GCC bug 105651).
  void Type(TNumberField field, std::string text) { Text(field) = std::move(text); }
  int& Level(TLevelField field) { return levels[static_cast<std::size_t>(field)]; }

  std::string NumberText(TNumberField field) const override {
    return texts[static_cast<std::size_t>(field)];
  }
  int LevelValue(TLevelField field) const override {
    return levels[static_cast<std::size_t>(field)];
  }
  int ModeIndex() const override { return mode; }
};

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
