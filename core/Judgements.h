// The expert's judgements as values: what was typed into each field of the input window,
// and the numbers the fit is made from. Nothing here knows a window.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "ExtendedMath.h"

// The two kinds of fourth judgement.
enum class FitMode { PowerParameter, ExtraQuantile };

// The number fields of the input window.
enum class NumberField { LowerQuantile, ModeValue, UpperQuantile, Power, ExtraQuantile };

// The level fields: p, r and s.
enum class LevelField { Lower, Upper, Extra };

// A quantile level or a credibility level, as the expert gives it: a whole percentage, any
// whole number as typed (a level beyond 0 to 100 is refused by the checks, not here). Its
// representation is this class's own; the core takes only Fraction().
class Level {
 public:
  constexpr Level() = default;
  static constexpr Level FromPercent(int percent) {
    Level level;
    level.Percent_ = percent;
    return level;
  }

  // The whole percentage, as a level field shows it.
  constexpr int Percent() const { return Percent_; }
  // The level as the core computes with it: the percentage converted exactly to extended
  // and divided by 100 in one rounded division (10 gives the extended value nearest 0.1).
  Extended Fraction() const;
  // The percentage as decimal digits, with a sign when negative: "10".
  std::string Text() const;

  friend constexpr auto operator<=>(const Level&, const Level&) = default;

 private:
  int Percent_ = 0;
};

// The caption of the label beside a number field, which names the field in messages.
std::string_view FieldCaption(NumberField field);

// a_p, m, b_r, n and x_s as the input window shows them when it opens, in the order of
// NumberField; p, r and s in percent in the order of LevelField; the credibility level.
inline constexpr std::array<std::string_view, 5> kInitialNumberTexts{"6.5", "7.0", "10.5", "7.0",
                                                                     "9.588495255"};
inline constexpr std::array<Level, 3> kInitialLevels{Level::FromPercent(10), Level::FromPercent(90),
                                                     Level::FromPercent(80)};
inline constexpr Level kInitialCredibility = Level::FromPercent(10);

// What the expert has typed, field by field: every number field's text as it stands, the
// three levels and the credibility level (the percent of probability outside the
// credibility interval), and the mode. Starts as the input window opens.
struct TypedJudgements {
  std::array<std::string, 5> Texts{
      std::string(kInitialNumberTexts[0]), std::string(kInitialNumberTexts[1]),
      std::string(kInitialNumberTexts[2]), std::string(kInitialNumberTexts[3]),
      std::string(kInitialNumberTexts[4])};
  std::array<Level, 3> Levels = kInitialLevels;
  FitMode Mode = FitMode::PowerParameter;
  Level Credibility = kInitialCredibility;

  std::string& Text(NumberField field) { return Texts[static_cast<std::size_t>(field)]; }
  const std::string& Text(NumberField field) const {
    return Texts[static_cast<std::size_t>(field)];
  }
  // Types a whole text into a field. Callers type through here rather than assigning a
  // literal to Text(): the move keeps GCC 12 at -O3 off its -Wrestrict false positive in
  // std::string's replace path (GCC bug 105651).
  void Type(NumberField field, std::string text) { Text(field) = std::move(text); }
  Level& LevelOf(LevelField field) { return Levels[static_cast<std::size_t>(field)]; }
  Level LevelOf(LevelField field) const { return Levels[static_cast<std::size_t>(field)]; }

  friend bool operator==(const TypedJudgements&, const TypedJudgements&) = default;
};

// The judgements of one fit: what was typed, kept whole, and the numbers read from the
// texts that the mode needs.
struct Judgements {
  TypedJudgements Typed;
  Extended LowerQuantile = 0;  // a_p
  Extended ModeValue = 0;      // m
  Extended UpperQuantile = 0;  // b_r
  Extended Power = 0;          // n, read in power-parameter mode only (else 0)
  Extended ExtraQuantile = 0;  // x_s, read in additional-quantile mode only (else 0)

  FitMode Mode() const { return Typed.Mode; }
  Level LevelOf(LevelField field) const { return Typed.LevelOf(field); }
  Level Credibility() const { return Typed.Credibility; }
};

// Reads the texts the mode needs, a_p, m, b_r and then n or x_s, each as ReadNumberText
// does. The first text that is not a number raises EInputError, naming its field.
Judgements ReadJudgements(const TypedJudgements& typed);
