#include "SoakCrashNote.h"

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define MORVANE_SOAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANE_SOAK_SANITIZED 1
#endif
#endif
#ifndef MORVANE_SOAK_SANITIZED
#define MORVANE_SOAK_SANITIZED 0
#endif
#if MORVANE_SOAK_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

struct TCrashNote {
  std::uint64_t Seed = 0;
  long long Action = -1;
  std::string Doing;
  const std::deque<std::string>* Log = nullptr;
};
TCrashNote crashNote;

void PrintCrashNote() {
  if (crashNote.Log == nullptr) {
    return;
  }
  std::fprintf(stderr, "soak seed %llu crashed in action #%lld: %s\nlast actions:\n",
               static_cast<unsigned long long>(crashNote.Seed), crashNote.Action,
               crashNote.Doing.c_str());
  for (const std::string& entry : *crashNote.Log) {
    std::fprintf(stderr, "  %s\n", entry.c_str());
  }
}

}  // namespace

TCrashNoteScope::TCrashNoteScope(std::uint64_t seed, const std::deque<std::string>& log) {
  crashNote = {seed, -1, std::string(), &log};
  PreviousTerminate_ = std::set_terminate([] {
    PrintCrashNote();
    std::abort();
  });
#if MORVANE_SOAK_SANITIZED
  __sanitizer_set_death_callback(PrintCrashNote);
#endif
}

TCrashNoteScope::~TCrashNoteScope() {
#if MORVANE_SOAK_SANITIZED
  __sanitizer_set_death_callback(nullptr);
#endif
  std::set_terminate(PreviousTerminate_);
  crashNote = {};
}

void TCrashNoteScope::NoteAction(long long index) {
  crashNote.Action = index;
}

void TCrashNoteScope::NoteDoing(const std::string& what) {
  crashNote.Doing = what;
}
