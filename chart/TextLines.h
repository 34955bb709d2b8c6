// Multi-line texts: lines are separated by a carriage return.
#pragma once

#include <string_view>
#include <vector>

inline constexpr char LineSeparator = '\r';

// The lines of text (one empty line for an empty text).
inline std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t cr = text.find(LineSeparator, start);
    if (cr == std::string_view::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, cr - start));
    start = cr + 1;
  }
}
