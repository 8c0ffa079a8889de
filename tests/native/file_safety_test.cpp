// Files that outlive a crash and keep what they are: a write that fails at
// any step leaves the previous file whole, a replaced file keeps its link,
// mode and owner, files that may not be replaced are refused with the
// reason, one run at a time holds a file, and the history copes with
// whatever file it finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <random>

#include "history/change_history.h"
#include "scratch_folder.h"
#include "services/file_text.h"
#include "services/platform_fake.h"
#include "services/reg_file.h"
#include "services/registry_key.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

namespace fs = std::filesystem;

// A file layer that fails at one step, as a full disk would.
FileFaults FailAt(FileStep failing) {
  return [failing](FileStep step, const std::string&) {
    return step == failing ? std::optional<std::string>("No space left on device") : std::nullopt;
  };
}

TEST(FileSafety, AFailedWriteLeavesTheFileAndItsNeighboursAsTheyWere) {
  for (FileStep step : {FileStep::kWrite, FileStep::kReplace}) {
    ScratchFolder scratch;
    scratch.Write("r.reg", "old");
    scratch.Write("r.reg.tmp", "the user's own");
    const auto before = FolderContents(scratch.path());
    std::string error;
    EXPECT_FALSE(ReplaceFileContent(scratch.Ansi() + "\\r.reg", "new", &error, FailAt(step)));
    EXPECT_EQ(scratch.Ansi() + "\\r.reg: cannot write: No space left on device", error);
    EXPECT_EQ(before, FolderContents(scratch.path()));
    ASSERT_TRUE(ReplaceFileContent(scratch.Ansi() + "\\r.reg", "new", &error)) << error;
    EXPECT_EQ("new", ReadWholeFile(scratch.Ansi() + "\\r.reg"));
    EXPECT_EQ("the user's own", ReadWholeFile(scratch.Ansi() + "\\r.reg.tmp"));
  }
}

TEST(FileSafety, FilesThatMayNotBeReplacedAreRefusedWithTheirReason) {
  struct Case {
    const char* name;
    void (*setUp)(const fs::path& file);
    const char* error;  // after the path
  };
  const Case cases[] = {
      {"a folder", [](const fs::path& file) { fs::remove(file), fs::create_directory(file); }, " is a folder"},
      {"read-only", [](const fs::path& file) { fs::permissions(file, fs::perms::owner_read | fs::perms::group_read); },
       " is read-only"},
      {"a second name",
       [](const fs::path& file) { fs::create_hard_link(file, file.parent_path() / "other.reg"); },
       " has 2 names (hard links): a new file in its place would part them, so it is left as it is"},
      {"a missing folder", [](const fs::path& file) { fs::remove_all(file.parent_path()); }, ": cannot write: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder scratch;
    scratch.Write("sub\\r.reg", "old");
    const std::string path = scratch.Ansi() + "\\sub\\r.reg";
    c.setUp(PathFromAnsi(path));
    const auto before = FolderContents(scratch.path());
    std::string error;
    EXPECT_FALSE(ReplaceFileContent(path, "new", &error));
    EXPECT_EQ(0u, error.find(path + c.error)) << error;
    EXPECT_EQ(before, FolderContents(scratch.path()));
  }
}

#ifndef _WIN32
TEST(FileSafety, AReplacedFileKeepsItsLinkModeAndOwner) {
  ScratchFolder scratch;
  scratch.Write("real\\r.reg", "old");
  const fs::path real = scratch.path() / "real" / "r.reg";
  fs::create_symlink("real/r.reg", scratch.path() / "link.reg");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  std::string error;
  ASSERT_TRUE(ReplaceFileContent(scratch.Ansi() + "\\link.reg", "new", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(scratch.path() / "link.reg"));
  EXPECT_EQ("new", ReadWholeFile(AnsiFromPath(real)));
  EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write, fs::status(real).permissions());
  EXPECT_EQ(1u, FolderContents(scratch.path() / "real").size());  // nothing left beside it
}
#endif

// The files of one command: a failure at any step of any file leaves every
// file as it was; the file put last goes in after the others.
TEST(FileTransaction, AFailureAtAnyStepPutsBackWhatWasReplaced) {
  const char* names[] = {"a.reg", "b.reg", "c.reg"};  // b is new; c is put last
  for (FileStep step : {FileStep::kWrite, FileStep::kReplace}) {
    for (const char* failing : names) {
      SCOPED_TRACE(std::string(failing) + (step == FileStep::kWrite ? " write" : " replace"));
      ScratchFolder scratch;
      scratch.Write("a.reg", "A0");
      scratch.Write("c.reg", "C0");
      const auto before = FolderContents(scratch.path());
      std::string error;
      {
        FileTransaction files([&](FileStep at, const std::string& path) -> std::optional<std::string> {
          if (at == step && path.find(failing) != std::string::npos) return "No space left on device";
          return std::nullopt;
        });
        files.PutLast(scratch.Ansi() + "\\c.reg");
        bool written = true;
        for (const char* name : {"c.reg", "a.reg", "b.reg"})
          written = written && files.Write(scratch.Ansi() + "\\" + name, std::string(1, name[0] - 'a' + 'A') + "1", &error);
        EXPECT_FALSE(written && files.Commit(&error));
      }
      EXPECT_EQ(0u, error.find(scratch.Ansi() + "\\" + failing + ": cannot write: No space left on device")) << error;
      EXPECT_EQ(before, FolderContents(scratch.path()));
    }
  }
  ScratchFolder scratch;
  scratch.Write("a.reg", "A0");
  FileTransaction files;
  std::string error;
  ASSERT_TRUE(files.Write(scratch.Ansi() + "\\a.reg", "A1", &error) && files.Write(scratch.Ansi() + "\\b.reg", "B1", &error));
  EXPECT_EQ("A1", files.Read(scratch.Ansi() + "\\a.reg"));  // as the transaction has it
  EXPECT_EQ("A0", ReadWholeFile(scratch.Ansi() + "\\a.reg"));
  ASSERT_TRUE(files.Commit(&error)) << error;
  EXPECT_EQ((std::map<std::string, std::string>{{"a.reg", "A1"}, {"b.reg", "B1"}}), FolderContents(scratch.path()));
}

// A replaced file waits under a side name until every file is in place. A
// failure renames it back, byte for byte; where even that fails, the message
// says where the old content is, and it is there. A side file left by an
// earlier run that crashed is neither taken nor removed.
TEST(FileTransaction, AReplacedFileWaitsBesideItsTargetUntilTheCommitEnds) {
  const std::string old("A0\r\n\0\xFF", 6), stale = "a.reg.~0123456789abcdef.old";
  for (bool putBackFails : {false, true}) {
    SCOPED_TRACE(putBackFails ? "put back fails" : "put back");
    ScratchFolder scratch;
    scratch.Write("a.reg", old);
    scratch.Write(stale, "an earlier run's");
    scratch.Write("h.kvd", "H0");
    const auto before = FolderContents(scratch.path());
    std::string error;
    {
      FileTransaction files([&](FileStep step, const std::string& path) -> std::optional<std::string> {
        if ((step == FileStep::kReplace && path.ends_with("h.kvd")) || (putBackFails && step == FileStep::kPutBack))
          return "Permission denied";
        return std::nullopt;
      });
      files.PutLast(scratch.Ansi() + "\\h.kvd");
      ASSERT_TRUE(files.Write(scratch.Ansi() + "\\a.reg", "A1", &error) &&
                  files.Write(scratch.Ansi() + "\\h.kvd", "H1", &error));
      EXPECT_FALSE(files.Commit(&error));
    }
    if (!putBackFails) {
      EXPECT_EQ(before, FolderContents(scratch.path()));
      continue;
    }
    const std::string kept = " (its old content is kept as ";
    const std::size_t at = error.find(kept);
    ASSERT_NE(std::string::npos, at) << error;
    EXPECT_EQ(old, ReadWholeFile(error.substr(at + kept.size(), error.size() - at - kept.size() - 1)));
    EXPECT_EQ("A1", ReadWholeFile(scratch.Ansi() + "\\a.reg"));
    EXPECT_EQ(4u, FolderContents(scratch.path()).size());  // a.reg, its old content, the stale file, h.kvd
  }
  ScratchFolder scratch;
  scratch.Write("a.reg", old);
  scratch.Write(stale, "an earlier run's");
  FileTransaction files;
  std::string error;
  files.PutLast(scratch.Ansi() + "\\h.kvd");
  ASSERT_TRUE(files.Write(scratch.Ansi() + "\\a.reg", "A1", &error) && files.Write(scratch.Ansi() + "\\h.kvd", "H1", &error));
  ASSERT_TRUE(files.Commit(&error)) << error;
  EXPECT_EQ((std::map<std::string, std::string>{{"a.reg", "A1"}, {"h.kvd", "H1"}, {stale, "an earlier run's"}}),
            FolderContents(scratch.path()));
}

TEST(FileTransaction, AFileAnotherProgramChangedMeanwhileIsNotReplaced) {
  struct Case {
    const char* name;
    const char* before;  // nullptr: no file when the run looks
  };
  for (const Case& c : {Case{"changed", "old"}, Case{"made", nullptr}}) {
    SCOPED_TRACE(c.name);
    ScratchFolder scratch;
    const std::string path = scratch.Ansi() + "\\r.reg";
    if (c.before) scratch.Write("r.reg", c.before);
    FileTransaction files;
    std::string error;
    files.Read(path, &error);
    scratch.Write("r.reg", "another program's");
    ASSERT_TRUE(files.Write(path, "new", &error)) << error;
    EXPECT_FALSE(files.Commit(&error));
    EXPECT_EQ(path + " was changed by another program during this run", error);
    EXPECT_EQ("another program's", ReadWholeFile(path));
  }
}

// A second run waits, then is refused; the lock holds on through a replace
// of the file until the run ends.
TEST(RunLock, ASecondRunIsRefusedUntilTheFirstHasEnded) {
  for (bool exists : {true, false}) {
    SCOPED_TRACE(exists ? "a file" : "no file yet");
    ScratchFolder scratch;
    const std::string path = scratch.Ansi() + "\\r.reg";
    if (exists) scratch.Write("r.reg", "old");
    std::string error;
    auto first = std::make_unique<RunLock>();
    ASSERT_TRUE(first->Acquire(path, std::chrono::milliseconds(0), &error)) << error;
    auto files = std::make_unique<FileTransaction>();
    ASSERT_TRUE(files->Write(path, "new", &error) && files->Commit(&error)) << error;
    RunLock second;
    EXPECT_FALSE(second.Acquire(path, std::chrono::milliseconds(200), &error));
    EXPECT_EQ(path + " is in use by another run", error);
    first.reset();
    files.reset();
    EXPECT_TRUE(second.Acquire(path, std::chrono::milliseconds(0), &error)) << error;
    EXPECT_EQ("new", ReadWholeFile(path));
  }
}

// Whatever the history file holds, start-up, a record and a lookup work out:
// the applied row is dated today, or (when the file cannot be written at all)
// nothing is dated and nothing breaks.
TEST(FileSafety, TheHistoryCopesWithAnyFileItFinds) {
  std::mt19937 random(7);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::string large;
  while (large.size() < (1u << 20)) large += "\"Some title that is not in the table\",1/1/2007)\r\n";

  struct Case {
    const char* name;
    std::string content;  // written as the file; "(folder)" puts a folder in its place
    bool writable;
  };
  const Case cases[] = {
      {"random bytes", noise, true},
      {"one megabyte of records of other titles", large, true},
      {"empty", "", true},
      {"a folder", "(folder)", false},
  };
  const TweakTable table = {{"Accessories", "d", 0, 0}, {"Applied", "d", 2, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder scratch;
    const std::string path = scratch.Ansi() + "\\" + kHistoryFileName;
    if (c.content == "(folder)")
      fs::create_directories(PathFromAnsi(path));
    else
      scratch.Write(kHistoryFileName, c.content);
    MemoryRegistry registry;
    RegistryKey::Create(registry, reg::kCurrentUser, kProgramKey).WriteDword(kHistoryBuiltValue, 1);
    SettablePlatform platform;
    platform.today = {2008, 6, 15};

    ChangeHistory history(registry, platform, table, path);
    history.Initialise();
    history.RecordTweakChange(1);
    EXPECT_EQ(c.writable ? "6/15/2008" : "", history.LookupModifiedDate("Applied"));
    if (c.writable) {
      const std::optional<std::string> text = ReadWholeFile(path);
      ASSERT_TRUE(text);
      // Rebuilt: one record per row, each dated today.
      EXPECT_EQ(2, std::count(text->begin(), text->end(), '\n'));
      EXPECT_NE(std::string::npos, text->find("\"Accessories\",6/15/2008)\r\n"));
      EXPECT_NE(std::string::npos, text->find("\"Applied\",6/15/2008)\r\n"));
    }
  }
}

}  // namespace
}  // namespace corvandel
