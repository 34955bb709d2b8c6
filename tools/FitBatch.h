// Whole batches of judgement sets: a CSV file in, one output row per input row out (CSV,
// or JSON Lines), streamed so that memory does not grow with the number of rows, and fitted
// on several threads at once if asked.
//
// The input's first record is the header. It names the columns, in any order: `name`
// (optional), `ap`, `p`, `m`, `br`, `r`, and `n` or `xs` and `s` or all three, and
// optionally `credibility`. A row with `n` filled is fitted with that power; a row with
// `n` empty (or absent) and `xs`, `s` filled is an additional-quantile row. Fields are
// read as RFC 4180 has them (quotes, doubled quotes, line ends inside quotes), with CRLF
// or LF line ends, blanks around unquoted fields ignored, blank lines skipped and a UTF-8
// byte order mark at the start ignored.
#pragma once

#include <istream>
#include <ostream>
#include <vector>

#include "FitOptions.h"

struct TBatchOptions {
  bool Json = false;                        // JSON Lines instead of CSV
  Level Credibility = kInitialCredibility;  // for rows without a credibility of their own
  std::vector<TQuantileLevel> Quantiles;
  std::vector<TProbePoint> Probes;
  int Jobs = 1;  // threads that fit rows; the rows are written in input order all the same
};

// The threads a batch fits its rows on by default: one a processor.
int DefaultBatchJobs();

// Fits every row of `in` and writes its row to `out`; warnings and the message of a
// malformed file go to `messages`, each prefixed with the line it concerns. Returns the
// exit status: 0 when every row was fitted, 1 when a row was not (its message is in its
// `error` field), 2 when the file is malformed (the rows before it have been written).
int RunBatch(std::istream& in, std::ostream& out, std::ostream& messages,
             const TBatchOptions& options);
