// What the soak test's expert types: judgements at a size that changes now and then, near
// misses, reversed orders, texts that are no numbers and numbers beyond range; levels in and
// beyond their ranges; credibility levels. Everything is drawn from one seeded source, so
// that a seed repeats its sequence on every platform and standard library.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// splitmix64.
class TRandom {
 public:
  explicit TRandom(std::uint64_t seed) : State_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (State_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  // 0 to n - 1.
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  // lo to hi, both included.
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool Chance(int percent) { return Below(100) < percent; }
  long double Uniform(long double lo, long double hi) {
    return lo + (hi - lo) * static_cast<long double>(Next() >> 11) * 0x1p-53L;
  }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
  }

 private:
  std::uint64_t State_;
};

// The number fields in the order of NumberField.
enum TField { kLowerQuantile, kModeValue, kUpperQuantile, kPower, kExtraQuantile, kFieldCount };

const char* FieldSymbol(int field);

// What the expert sees of the input window when he decides what to type.
struct TFieldsSeen {
  std::array<std::string, kFieldCount> Texts;
  bool ExtraQuantileMode = false;
  // The feasibility bounds of x_s as the window shows them.
  std::string SmallerBound;
  std::string LargerBound;
};

// A finite number as to_chars writes one, whatever the locale; the expert's own reading of
// a text, only to choose what to type next.
std::optional<long double> ReadNumber(const std::string& text);

class TExpertTyping {
 public:
  explicit TExpertTyping(TRandom& random) : Random_(random) {}

  // A judgement to type into a field: one that fits with the others as they stand, a
  // sensible one at the current size, the window's initial one, a near miss, a reversed
  // order or a text that is no number.
  std::string Judgement(int field, const TFieldsSeen& seen);

  // The first shown judgement that a fit cannot take, as far as the expert can tell: a text
  // that is no number, a_p < m < b_r broken, or n not above 0.
  static std::optional<int> BrokenField(const TFieldsSeen& seen);

  // A judgement that keeps a_p < m < b_r with the other two as they stand, at the spacing
  // they have; a sensible one when they are no numbers.
  std::string Mend(int field, const TFieldsSeen& seen);

  // A level for a spin edit with this range: in it, beyond it, or a text that is no level.
  std::string Level(int minimum, int maximum);

  // The level the expert puts right, and what he types, when the levels as shown (p, r, s)
  // do not keep 0 < p < s < r < 100 (s only in the additional-quantile mode).
  std::optional<std::pair<int, std::string>> MendLevels(const std::array<std::string, 3>& levels,
                                                        bool extraQuantileMode);

  // A credibility level: 0 to 100, beyond, or a text that is no level.
  std::string CredibilityLevel();

 private:
  // The size and offset of the quantity the expert judges. It stays for a run of actions,
  // so that the judgements come to fit together at every size.
  struct TFrame {
    int Exponent = 0;
    long double Offset = 0;
  };

  std::string Sensible(int field, const TFieldsSeen& seen);
  std::string NearMiss(int field, const TFieldsSeen& seen);
  std::string Reversed(int field, const TFieldsSeen& seen);

  TRandom& Random_;
  TFrame Frame_;
};
