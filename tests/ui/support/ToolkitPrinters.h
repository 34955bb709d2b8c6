// How GoogleTest prints the toolkit's values in failure messages.
#pragma once

#include <ostream>

#include "MessageService.h"

inline void PrintTo(TMessageBoxKind kind, std::ostream* out) {
  switch (kind) {
    case TMessageBoxKind::Error:
      *out << "Error";
      return;
    case TMessageBoxKind::Warning:
      *out << "Warning";
      return;
    case TMessageBoxKind::MathError:
      *out << "MathError";
      return;
  }
  *out << "kind " << static_cast<int>(kind);
}

inline void PrintTo(const TMessageRecord& record, std::ostream* out) {
  *out << '{';
  PrintTo(record.Kind, out);
  *out << ", \"" << record.Title << "\", \"" << record.Text << "\"}";
}
