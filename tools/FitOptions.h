// What one fit of the command-line fitter is asked for, and how the option texts become
// it: judgements as the input window holds them, the credibility level, the extra
// quantiles and probabilities to report.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ExtendedMath.h"
#include "Judgements.h"

// A command line or batch header that cannot be used; the tool exits with status 2.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One level of --quantiles: the text as given (the key of its figure) and its value in
// percent.
struct TQuantileLevel {
  std::string Text;
  Extended Percent = 0;
};

// One point of --probe: the text as given and its value.
struct TProbePoint {
  std::string Text;
  Extended Value = 0;
};

// The judgements of one fit, as the input window would hold them, with what to report.
struct TFitRequest {
  // a_p, m, b_r, n, x_s as typed, in the order of TNumberField.
  std::array<std::string, 5> Texts{"6.5", "7.0", "10.5", "7.0", "9.588495255"};
  // p, r, s in percent, in the order of TLevelField.
  std::array<int, 3> Levels{10, 90, 80};
  TFitMode Mode = TFitMode::PowerParameter;
  int Credibility = 10;
  std::vector<TQuantileLevel> Quantiles;
  std::vector<TProbePoint> Probes;

  std::string& Text(TNumberField field) { return Texts[static_cast<std::size_t>(field)]; }
  int& Level(TLevelField field) { return Levels[static_cast<std::size_t>(field)]; }
};

// The request as the input window's controls: what the solver reads.
class TRequestJudgements : public TJudgementSource {
 public:
  explicit TRequestJudgements(const TFitRequest& request) : Request_(request) {}
  std::string NumberText(TNumberField field) const override {
    return Request_.Texts[static_cast<std::size_t>(field)];
  }
  int LevelValue(TLevelField field) const override {
    return Request_.Levels[static_cast<std::size_t>(field)];
  }
  int ModeIndex() const override { return static_cast<int>(Request_.Mode); }

 private:
  const TFitRequest& Request_;
};

// A whole number as a spin edit reads it: the whole text is an optional sign and decimal
// digits (no blanks, no octal or hexadecimal prefix) within the range of an int. Anything
// else raises EUsageError with a message that names `what` (such as "--p") and quotes the
// text.
int ReadWholeNumber(std::string_view what, std::string_view text);

// The same for a count or seed: decimal digits only, at most `limit`.
std::uint64_t ReadCount(std::string_view what, std::string_view text, std::uint64_t limit);

// A credibility level: a whole number from 0 to 100, the percent of probability outside the
// interval; anything else raises EUsageError.
int ReadCredibilityLevel(std::string_view what, std::string_view text);

// "1,5,50,95,99": levels in percent, each a decimal number from 0 to 100; blanks around
// an item are allowed and an empty list is refused.
std::vector<TQuantileLevel> ReadQuantileLevels(std::string_view text);

// "6.5,10": values x for P(X <= x), each a decimal number.
std::vector<TProbePoint> ReadProbePoints(std::string_view text);
