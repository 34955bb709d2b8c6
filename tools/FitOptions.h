// What one fit of the command-line fitter is asked for, and how the option texts become
// it: judgements as the input window holds them, the credibility level, the extra
// quantiles and probabilities to report.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ExtendedMath.h"
#include "FitSample.h"
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

// The judgements of one fit, as the input window would hold them after typing the
// options in (their mode and credibility level included), with what to report.
struct TFitRequest {
  TypedJudgements Sheet;
  std::vector<TQuantileLevel> Quantiles;
  std::vector<TProbePoint> Probes;

  std::string& Text(NumberField field) { return Sheet.Text(field); }
  void Type(NumberField field, std::string text) { Sheet.Type(field, std::move(text)); }
  void SetLevel(LevelField field, int percent) {
    Sheet.LevelOf(field) = Level::FromPercent(percent);
  }
  void SetMode(FitMode mode) { Sheet.Mode = mode; }
  FitMode Mode() const { return Sheet.Mode; }
  void SetCredibility(int percent) { Sheet.Credibility = Level::FromPercent(percent); }
  int Credibility() const { return Sheet.Credibility.Percent(); }
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

// --format: "text", "f64" or "npy".
TDrawFormat ReadDrawFormat(std::string_view text);
