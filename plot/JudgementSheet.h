// The judgements as the input window shows them when it opens, and the captions that name
// its number fields. The window builds its fields from these; the command-line fitter, the
// benchmarks, the fuzzers and the tests read their judgements from a sheet that starts
// from them.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "Judgements.h"

// a_p, m, b_r, n and x_s as the window shows them at start, in the order of TNumberField.
inline constexpr std::array<std::string_view, 5> kInitialNumberTexts{"6.5", "7.0", "10.5", "7.0",
                                                                     "9.588495255"};
// p, r and s in percent at start, in the order of TLevelField.
inline constexpr std::array<int, 3> kInitialLevels{10, 90, 80};

// The text of the label beside a number field.
std::string_view FieldCaption(TNumberField field);

// The initial text of a number field and the initial value of a level field.
inline std::string_view InitialText(TNumberField field) {
  return kInitialNumberTexts[static_cast<std::size_t>(field)];
}
inline int InitialLevel(TLevelField field) {
  return kInitialLevels[static_cast<std::size_t>(field)];
}

// A judgement source without a window: every field as typed, starting from the window's
// initial values in power-parameter mode.
class TJudgementSheet : public TJudgementSource {
 public:
  std::array<std::string, 5> texts{
      std::string(kInitialNumberTexts[0]), std::string(kInitialNumberTexts[1]),
      std::string(kInitialNumberTexts[2]), std::string(kInitialNumberTexts[3]),
      std::string(kInitialNumberTexts[4])};
  std::array<int, 3> levels = kInitialLevels;
  int mode = 0;  // the index of the mode switch

  std::string& Text(TNumberField field) { return texts[static_cast<std::size_t>(field)]; }
  // Types a whole text into a field. Callers type through here rather than assigning a
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
  std::string NumberCaption(TNumberField field) const override {
    return std::string(FieldCaption(field));
  }
};
