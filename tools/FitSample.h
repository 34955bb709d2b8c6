// Draws from a fit that are the same on every machine and build: a generator of our own
// choosing (xoshiro256**, seeded through splitmix64), an exact map of its integers to the
// open interval (0, 1), and the fit's quantile function.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "TwoSidedPower.h"

// xoshiro256** 1.0, with its four words of state filled by four successive outputs of
// splitmix64 started at the seed.
class TDrawGenerator {
 public:
  explicit TDrawGenerator(std::uint64_t seed);
  std::uint64_t Next();

 private:
  std::array<std::uint64_t, 4> State_{};
};

// The top 53 bits k of a 64-bit integer as (k + 1/2) / 2^53: 54 significant bits, exact
// in extended, and never 0 or 1.
Extended OpenUnitInterval(std::uint64_t bits);

// The text of one draw: 17 significant digits in scientific notation, whatever the
// locale (printf's %.16Le): 7.8140600998766300e+00.
std::string DrawText(Extended value);

// Writes `count` draws, model.Quantile(u) for successive u, one a line.
void WriteSample(std::ostream& out, const TwoSidedPower& model, std::uint64_t count,
                 std::uint64_t seed);
