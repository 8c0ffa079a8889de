// The start-up notes: written only when the variable names a block the
// launcher made, each moment once, and the event set with the first idle.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/startup_notes_win32.h"

namespace corvandel {
namespace {

// Runs a start-up's notes with the variable as given (nullptr: unset).
void NoteStartUp(const char* variable) {
  SetEnvironmentVariableA(kStartupNotesVariable, variable);
  {
    StartupNotes notes;
    notes.TreeShown();
    notes.FirstIdle();
    notes.FirstIdle();
  }
  SetEnvironmentVariableA(kStartupNotesVariable, nullptr);
}

TEST(StartupNotes, WrittenOnlyIntoTheBlockTheVariableNames) {
  const std::string name = "corvandel-notes-test-" + std::to_string(GetCurrentProcessId());
  StartupNotesWatch block(name);
  ASSERT_NE(nullptr, &block.notes());

  for (const char* other : {static_cast<const char*>(nullptr), "", "corvandel-notes-test-none"}) {
    SCOPED_TRACE(other == nullptr ? "unset" : other);
    NoteStartUp(other);
    EXPECT_EQ(0, block.notes().treeShown);
    EXPECT_EQ(0, block.notes().firstIdle);
    EXPECT_FALSE(block.IdleSet());
  }
  // A name without a block makes none.
  EXPECT_EQ(nullptr, OpenFileMappingA(FILE_MAP_READ, FALSE, "corvandel-notes-test-none"));

  LARGE_INTEGER before;
  QueryPerformanceCounter(&before);
  NoteStartUp(name.c_str());
  EXPECT_GE(block.notes().treeShown, before.QuadPart);
  EXPECT_GE(block.notes().firstIdle, block.notes().treeShown);
  EXPECT_TRUE(block.IdleSet());

  // A second start-up on the same block leaves the first one's moments.
  const StartupNoteBlock first = block.notes();
  NoteStartUp(name.c_str());
  EXPECT_EQ(first.treeShown, block.notes().treeShown);
  EXPECT_EQ(first.firstIdle, block.notes().firstIdle);
}

}  // namespace
}  // namespace corvandel
