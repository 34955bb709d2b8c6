// What the solver reads from the input window, without knowing any window toolkit.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The two kinds of fourth judgement: the index of the mode switch.
enum class TFitMode { PowerParameter = 0, ExtraQuantile = 1 };

// The number fields of the input window.
enum class TNumberField { LowerQuantile, ModeValue, UpperQuantile, Power, ExtraQuantile };

// The integer level fields of the input window, in percent.
enum class TLevelField { Lower, Upper, Extra };

// Implemented by the input window (and by tests and the command-line fitter).
class TJudgementSource {
 public:
  virtual ~TJudgementSource() = default;
  // The text of a number field as it stands.
  virtual std::string NumberText(TNumberField field) const = 0;
  // The value of a level spin edit: the whole text as an integer, else its current
  // minimum; never clamped.
  virtual int LevelValue(TLevelField field) const = 0;
  // The selected index of the mode switch (0: power parameter, any other: additional
  // quantile).
  virtual int ModeIndex() const = 0;
  // The caption of the label beside a number field, used to name it in messages.
  virtual std::string NumberCaption(TNumberField field) const = 0;
};

// How the core asks the window to show a message box. The answer is not used.
enum class TMessageKind { Error, Warning };
using TMessageSink = std::function<void(TMessageKind, std::string_view)>;
