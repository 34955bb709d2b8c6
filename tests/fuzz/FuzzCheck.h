// What the fuzz targets share: a check that stops the run with a readable report, and the
// text of an extended value with all its digits.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

// Collects the details of a failed check and aborts when the statement ends, so that
// libFuzzer records the input as a crash and the log says what was contradicted.
class TFuzzFailure {
 public:
  TFuzzFailure(const char* file, int line, const char* condition) {
    text_ << file << ":" << line << ": check failed: " << condition << "\n  ";
  }
  TFuzzFailure(const TFuzzFailure&) = delete;
  TFuzzFailure& operator=(const TFuzzFailure&) = delete;
  ~TFuzzFailure() {
    std::fprintf(stderr, "%s\n", text_.str().c_str());
    std::fflush(stderr);
    std::abort();
  }

  template <typename T>
  TFuzzFailure& operator<<(const T& value) {
    text_ << value;
    return *this;
  }

 private:
  std::ostringstream text_;
};

// FUZZ_EXPECT(condition) << "details"; the details are formed only when it fails.
#define FUZZ_EXPECT(condition)                                                \
  for (bool fuzzOk_ = static_cast<bool>(condition); !fuzzOk_; fuzzOk_ = true) \
  TFuzzFailure(__FILE__, __LINE__, #condition)

// All 21 significant digits an extended value needs to be read back exactly.
inline std::string Digits(long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.21Lg", value);
  return buffer;
}
