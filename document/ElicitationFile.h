// The elicitation as a file: a versioned JSON text that keeps every judgement as typed, the
// notes of each expert and the fit as last computed, so that the analyst can keep the
// session, hand it on, and a reader without the program sees the numbers. Window-free; the
// caller names the file in messages.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Judgements.h"
#include "PlotComputation.h"

// What the analyst writes down beside the judgements: what the quantity is, who gave the
// judgements and when, why the expert gave each one, and a note on the whole.
struct ElicitationNotes {
  std::string Quantity;
  std::string Unit;
  std::string Expert;
  std::string Date;  // yyyy-mm-dd, or empty
  // One per number field, in the order of NumberField: a_p with p, m, b_r with r, n, and
  // x_s with s.
  std::array<std::string, 5> Rationale;
  std::string Overall;

  std::string& RationaleOf(NumberField field) { return Rationale[static_cast<std::size_t>(field)]; }
  const std::string& RationaleOf(NumberField field) const {
    return Rationale[static_cast<std::size_t>(field)];
  }

  friend bool operator==(const ElicitationNotes&, const ElicitationNotes&) = default;
};

// One expert's part of an elicitation: a name to tell the experts apart, the judgements as
// typed (mode and credibility level included) and the notes.
struct ExpertRecord {
  std::string Name;
  TypedJudgements Typed;
  ElicitationNotes Notes;

  friend bool operator==(const ExpertRecord&, const ExpertRecord&) = default;
};

// A whole elicitation: at least one expert, in order, and the weight of each in the linear
// pool of their distributions; no weights: equal weights.
struct ElicitationRecord {
  std::vector<ExpertRecord> Experts;
  std::vector<double> Weights = {};

  friend bool operator==(const ElicitationRecord&, const ElicitationRecord&) = default;
};

// The format's name and the newest version this program writes and reads.
inline constexpr std::string_view kElicitationFormat = "morvane-elicitation";
inline constexpr int kElicitationVersion = 1;
// The file name extension and the MIME type of the format.
inline constexpr std::string_view kElicitationExtension = ".morvane";
inline constexpr std::string_view kElicitationMimeType = "application/x-morvane";

// A text or file that is not an elicitation this program can read, or a file that cannot
// be written. what() says what is wrong, without the file name, which the caller adds.
class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The elicitation as the text of a file (JSON, UTF-8, ending in a line end). `fits` holds,
// for each expert in order, the plot that last fitted that expert's judgements, or nullptr
// when there is none; a fit is written as its figures, its feasibility bounds and, in
// additional-quantile mode, every power that fits, all as JSON numbers (doubles), with the
// judgements it was made from. A figure a double cannot hold is written as null. The pool
// weights are written only when the record has some. `fits` may
// be shorter than the list of experts; the experts beyond it have no fit.
std::string WriteElicitationText(const ElicitationRecord& record,
                                 const std::vector<const PlotOutcome*>& fits = {});

// The elicitation a text holds. Raises EFileError saying what is wrong: not JSON, not an
// elicitation, a newer version, a missing or wrongly typed field, a level outside 0 to 100
// or not one the judgements can take, an unknown mode, pool weights that are not one
// number of 0 or more for each expert, or all 0. A file without weights has none. The fits written
// in the file are not read: the caller fits the judgements again.
ElicitationRecord ReadElicitationText(std::string_view text);

// Writes bytes to path so that the file holds either its old content or all of the new:
// a temporary file in the same folder, written, flushed to the disk, then renamed over the
// path. Any failure removes the temporary, leaves the old file as it was and raises
// EFileError naming what failed.
void WriteFileAtomically(const std::string& path, std::string_view bytes);
