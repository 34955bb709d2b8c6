// The elicitation file's reader under arbitrary bytes.
//
// Any bytes are either read as an elicitation or refused with EFileError and a message;
// nothing else escapes, and nothing crashes or hangs. What is read holds at least one
// expert, every level from 0 to 100, and written out again (with the fit of the first
// expert when it fits) it reads back as the same record, so that saving what was opened
// loses nothing.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "ElicitationFile.h"
#include "FuzzCheck.h"

namespace {

void CheckRecord(const ElicitationRecord& record) {
  FUZZ_EXPECT(!record.Experts.empty()) << "an elicitation without an expert";
  for (const ExpertRecord& expert : record.Experts) {
    for (const Level level : expert.Typed.Levels)
      FUZZ_EXPECT(level.Tenths() >= 0 && level.Tenths() <= 1000) << level.Tenths();
    FUZZ_EXPECT(expert.Typed.Credibility.Tenths() >= 0 && expert.Typed.Credibility.Tenths() <= 1000)
        << expert.Typed.Credibility.Tenths();
  }
  const std::string written = WriteElicitationText(record);
  ElicitationRecord back;
  try {
    back = ReadElicitationText(written);
  } catch (const std::exception& e) {
    FUZZ_EXPECT(false) << "what was written does not read back: " << e.what() << "\n" << written;
  }
  FUZZ_EXPECT(back == record) << "what was read changes when written:\n" << written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ElicitationRecord record;
  try {
    record = ReadElicitationText(text);
  } catch (const EFileError& e) {
    FUZZ_EXPECT(std::string_view(e.what()).size() > 10) << "a refusal without words";
    return 0;
  } catch (const std::exception& e) {
    FUZZ_EXPECT(false) << "unexpected exception: " << e.what();
  }
  CheckRecord(record);
  return 0;
}
