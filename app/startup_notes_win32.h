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

#include <string>
#include <utility>

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

// The launcher's side: the block and the event under name, made before the
// program starts with the variable set to name; both go with the object.
class StartupNotesWatch {
 public:
  explicit StartupNotesWatch(std::string name)
      : name_(std::move(name)),
        mapping_(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(StartupNoteBlock),
                                    name_.c_str())),
        idle_(CreateEventA(nullptr, TRUE, FALSE, (name_ + kStartupIdleEventSuffix).c_str())),
        block_(static_cast<StartupNoteBlock*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0))) {}
  ~StartupNotesWatch() {
    UnmapViewOfFile(block_);
    CloseHandle(idle_);
    CloseHandle(mapping_);
  }
  StartupNotesWatch(const StartupNotesWatch&) = delete;
  StartupNotesWatch& operator=(const StartupNotesWatch&) = delete;

  const std::string& name() const { return name_; }
  HANDLE idle() const { return idle_; }
  bool IdleSet() const { return WaitForSingleObject(idle_, 0) == WAIT_OBJECT_0; }
  const StartupNoteBlock& notes() const { return *block_; }

 private:
  std::string name_;
  HANDLE mapping_;
  HANDLE idle_;
  StartupNoteBlock* block_;
};

}  // namespace corvandel
