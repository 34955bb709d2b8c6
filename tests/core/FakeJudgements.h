// The judgements as the input window shows them at start, and the helpers the tests that
// type them share.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>

#include "Judgements.h"

// The input window at start, every field typed through Text(), Type() and LevelOf().
using FakeJudgements = TypedJudgements;

inline Level Percent(int percent) {
  return Level::FromPercent(percent);
}

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
