// Start-up notes for scripts/bench.sh. When the environment variable
// CORVANDEL_STARTUP_NOTES names a shared memory block (the bench's launcher
// makes it, and an event of the same name with "_idle" appended), the program
// writes into it the performance-counter values of two moments of its
// start-up: the window shown with its tree filled, and the first time its
// message loop finds nothing left to do (every paint done). The launcher
// waits on the event instead of watching the program with messages, which
// slows a starting program under Wine. Without the variable nothing is
// opened or written.
#pragma once

#include <windows.h>

namespace corvandel {

inline constexpr char kStartupNotesVariable[] = "CORVANDEL_STARTUP_NOTES";
inline constexpr char kStartupIdleEventSuffix[] = "_idle";

// The shared block: QueryPerformanceCounter values, 0 until noted.
struct StartupNoteBlock {
  LONGLONG treeShown;
  LONGLONG firstIdle;
};

class StartupNotes {
 public:
  StartupNotes();
  ~StartupNotes();
  StartupNotes(const StartupNotes&) = delete;
  StartupNotes& operator=(const StartupNotes&) = delete;

  // Each notes its moment once; the first idle also sets the event.
  void TreeShown();
  void FirstIdle();
  // True until the first idle is noted (or when nothing is to be noted).
  bool WantsIdle() const { return block_ != nullptr && block_->firstIdle == 0; }

 private:
  HANDLE mapping_ = nullptr;
  HANDLE idle_ = nullptr;
  StartupNoteBlock* block_ = nullptr;
};

}  // namespace corvandel
