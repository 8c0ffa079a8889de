#include "app/startup_notes_win32.h"

#include <string>

namespace corvandel {
namespace {

LONGLONG Counter() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

StartupNotes::StartupNotes() {
  char name[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA(kStartupNotesVariable, name, sizeof(name));
  if (length == 0 || length >= sizeof(name)) return;
  // Only a block the launcher made is written: the program never creates one.
  mapping_ = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
  if (mapping_ == nullptr) return;
  block_ = static_cast<StartupNoteBlock*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(StartupNoteBlock)));
  idle_ = OpenEventA(EVENT_MODIFY_STATE, FALSE, (std::string(name) + kStartupIdleEventSuffix).c_str());
}

StartupNotes::~StartupNotes() {
  if (block_ != nullptr) UnmapViewOfFile(block_);
  if (mapping_ != nullptr) CloseHandle(mapping_);
  if (idle_ != nullptr) CloseHandle(idle_);
}

void StartupNotes::TreeShown() {
  if (block_ != nullptr && block_->treeShown == 0) block_->treeShown = Counter();
}

void StartupNotes::FirstIdle() {
  if (!WantsIdle()) return;
  block_->firstIdle = Counter();
  if (idle_ != nullptr) SetEvent(idle_);
}

}  // namespace corvandel
