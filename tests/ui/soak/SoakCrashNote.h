// What a crash of the soak test prints before the process ends. An abort, a sanitizer's
// report or an exception that Qt cannot pass on ends the process without a test failure to
// carry the seed and the log; the crash note says them instead.
#pragma once

#include <cstdint>
#include <deque>
#include <exception>
#include <string>

// Installs, for the lifetime of the scope, a terminate handler and, under AddressSanitizer,
// a death callback that print the seed, the action under way and the log of the last
// actions before the process ends.
class TCrashNoteScope {
 public:
  TCrashNoteScope(std::uint64_t seed, const std::deque<std::string>& log);
  ~TCrashNoteScope();
  TCrashNoteScope(const TCrashNoteScope&) = delete;
  TCrashNoteScope& operator=(const TCrashNoteScope&) = delete;

  // The number of the action under way, and what it does.
  static void NoteAction(long long index);
  static void NoteDoing(const std::string& what);

 private:
  std::terminate_handler PreviousTerminate_ = nullptr;
};
