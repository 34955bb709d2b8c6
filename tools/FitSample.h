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

// A fit's quantile function for many draws: the shape (b - a, the standardized mode mu and
// the probability pi below it) is formed once, then every u takes the very operations of
// Quantile in their order, so each value has the same bits. The exponential's
// rounding to a whole number and its scaling by a power of 2 are plain arithmetic where
// that gives the same bits, which takes a third off a draw.
class TDrawQuantile {
 public:
  // Raises the error the model's first Quantile would raise on a shape it cannot form.
  explicit TDrawQuantile(const TwoSidedPower& model);

  // Quantile(model, u), without its floating-point scope and its test of the flags: the
  // caller sets the control word, clears the flags and tests them after a run of values.
  Extended operator()(Extended u) const;

 private:
  Extended LowerBound_ = 0;
  Extended Range_ = 0;
  Extended Mu_ = 0;
  Extended Pi_ = 0;
  Extended UpperMu_ = 0;  // 1 - mu
  Extended UpperPi_ = 0;  // 1 - pi
  Extended LeftPower_ = 0;
  Extended RightPower_ = 0;
};

// How the draws are written: as text, one a line; as raw little-endian IEEE doubles, 8
// bytes each; or as a NumPy .npy file (format 1.0) holding a one-dimensional array of
// little-endian doubles. A binary draw is the extended value rounded to the nearest double.
enum class TDrawFormat { Text, Float64, NumPy };

// The .npy file's header for `count` doubles: magic, version 1.0, the header's length and
// its dictionary, padded with blanks and ended by a newline so that the data start at a
// multiple of 64 bytes.
std::string NumPyHeader(std::uint64_t count);

// Writes `count` draws, Quantile(model, u) for successive u, in the format asked for. The
// draws are worked out in blocks on every processor and written in their order. A draw
// that raises an arithmetic error ends the writing there, after every draw before it.
// The binary formats refuse, with EFitError and before writing anything, a fit whose
// support a double cannot hold. Stops early once `out` has failed.
void WriteSample(std::ostream& out, const TwoSidedPower& model, std::uint64_t count,
                 std::uint64_t seed, TDrawFormat format = TDrawFormat::Text);
