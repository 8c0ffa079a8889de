// Files that outlive a crash: a write that fails at any byte leaves the
// previous file whole, and the history copes with whatever file it finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

// A file layer that puts only the first `limit` bytes through, then fails,
// as a full disk or a killed process would.
FileWriter FailingAfter(std::size_t limit) {
  return [limit](std::ostream& out, std::string_view bytes) {
    WriteAllBytes(out, bytes.substr(0, limit));
    return false;
  };
}

TEST(FileSafety, AWriteFailingAtAnyByteLeavesThePreviousFileWhole) {
  ScratchFolder scratch;
  const std::string path = scratch.Ansi() + "\\" + kHistoryFileName;
  ASSERT_TRUE(ReplaceFileContent(path, "\"Old\",1/1/2007)\r\n"));
  const std::string next = "\"New title\",6/15/2008)\r\n\"Other\",6/15/2008)\r\n";
  for (std::size_t limit = 0; limit <= next.size(); ++limit) {
    EXPECT_FALSE(ReplaceFileContent(path, next, FailingAfter(limit)));
    EXPECT_EQ("\"Old\",1/1/2007)\r\n", ReadWholeFile(path)) << limit;
    EXPECT_FALSE(fs::exists(PathFromAnsi(path + ".tmp"))) << limit;
  }
}

TEST(FileSafety, ATemporaryFileLeftByAKilledProcessIsWrittenOver) {
  ScratchFolder scratch;
  scratch.Write("r.reg.tmp", "REGEDIT4\r\n[HKEY_CURRENT_USER\\Half");
  MemoryRegistry registry;
  RegistryKey::Create(registry, reg::kCurrentUser, "Software\\Whole").WriteDword("n", 1);
  std::string error;
  std::string text;
  ASSERT_TRUE(ExportRegistryText(registry, &text, &error)) << error;
  ASSERT_TRUE(ReplaceFileContent(scratch.Ansi() + "\\r.reg", text));
  MemoryRegistry loaded;
  ASSERT_TRUE(LoadRegistryFile(scratch.Ansi() + "\\r.reg", loaded, &error)) << error;
  EXPECT_EQ(1u, RegistryKey::Open(loaded, reg::kCurrentUser, "Software\\Whole").ReadDword("n"));
  EXPECT_FALSE(fs::exists(scratch.path() / "r.reg.tmp"));
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
