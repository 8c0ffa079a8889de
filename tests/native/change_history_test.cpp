#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "history/change_history.h"
#include "services/platform_fake.h"
#include "services/registry_key.h"
#include "services/registry_memory.h"
#include "scratch_folder.h"

namespace corvandel {
namespace {

namespace fs = std::filesystem;

TweakTable SmallTable() {
  // Rows 1 and 3 share a title, as "Windows Installer Logging" does in the real table.
  return {{"Accessories", "d", 0, 0}, {"Shared Title", "d", 2, 1}, {"Other", "d", 2, 2}, {"Shared Title", "d", 2, 3}};
}

class ChangeHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = scratch.Ansi() + "\\" + kHistoryFileName;
    RegistryKey::Create(registry, reg::kCurrentUser, "Software").IsOpen();
  }

  std::string FileText() const {
    std::ifstream in(PathFromAnsi(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::optional<std::uint32_t> BuiltFlag() {
    return RegistryKey::Open(registry, reg::kCurrentUser, kProgramKey).ReadDword(kHistoryBuiltValue);
  }

  MemoryRegistry registry;
  SettablePlatform platform;
  TweakTable table = SmallTable();
  ScratchFolder scratch;
  std::string path;
};

TEST_F(ChangeHistoryTest, FirstRunWritesOneRecordPerRowDatedToday) {
  platform.today = {2007, 3, 7};
  ChangeHistory history(registry, platform, table, path);
  history.Initialise();
  const std::string expected =
      "win_tweak(\"Accessories\",3/7/2007)\r\n"
      "win_tweak(\"Shared Title\",3/7/2007)\r\n"
      "win_tweak(\"Other\",3/7/2007)\r\n"
      "win_tweak(\"Shared Title\",3/7/2007)\r\n";
  EXPECT_EQ(expected, FileText());
  EXPECT_EQ(expected, history.HistoryText());
  EXPECT_EQ(1u, BuiltFlag());
  EXPECT_EQ("English", RegistryKey::Open(registry, reg::kCurrentUser, kProgramKey).ReadText(kLanguageValue));
}

TEST_F(ChangeHistoryTest, DatesHaveNoLeadingZerosMonthFirst) {
  EXPECT_EQ("12/5/2007", ChangeHistory::FormatDate({2007, 12, 5}));
  EXPECT_EQ("1/1/2010", ChangeHistory::FormatDate({2010, 1, 1}));
}

TEST_F(ChangeHistoryTest, LaterRunOnlyLoadsTheFileAndKeepsTheLanguage) {
  {
    ChangeHistory first(registry, platform, table, path);
    first.Initialise();
  }
  RegistryKey::Open(registry, reg::kCurrentUser, kProgramKey).WriteText(kLanguageValue, "Deutsch");
  platform.today = {2008, 1, 2};
  ChangeHistory history(registry, platform, table, path);
  history.Initialise();
  EXPECT_EQ("3/7/2007", history.LookupModifiedDate("Other"));
  EXPECT_EQ("Deutsch", RegistryKey::Open(registry, reg::kCurrentUser, kProgramKey).ReadText(kLanguageValue));
}

TEST_F(ChangeHistoryTest, RecordDatesOnlyTheAppliedRowAndSharedTitlesShareIt) {
  ChangeHistory history(registry, platform, table, path);
  history.Initialise();
  platform.today = {2007, 12, 5};
  history.RecordTweakChange(3);  // the second row titled "Shared Title": the first record takes the date
  EXPECT_FALSE(history.HistoryModified());
  EXPECT_EQ("12/5/2007", history.LookupModifiedDate("Shared Title"));
  EXPECT_EQ("3/7/2007", history.LookupModifiedDate("Other"));
  EXPECT_EQ("3/7/2007", history.LookupModifiedDate("Accessories"));
  const std::string text = FileText();
  EXPECT_EQ(4, std::count(text.begin(), text.end(), '\n'));
  EXPECT_EQ(text, history.HistoryText());
}

TEST_F(ChangeHistoryTest, DeletedFileIsRebuiltWithTodayOnTheNextLookupOrRecord) {
  {
    ChangeHistory history(registry, platform, table, path);
    history.Initialise();
  }
  fs::remove(PathFromAnsi(path));
  platform.today = {2009, 6, 1};
  ChangeHistory history(registry, platform, table, path);
  history.Initialise();  // flag says built, file gone: nothing loaded
  EXPECT_EQ("", history.HistoryText());
  EXPECT_EQ("6/1/2009", history.LookupModifiedDate("Other"));
  EXPECT_EQ("6/1/2009", history.LookupModifiedDate("Accessories"));

  fs::remove(PathFromAnsi(path));
  platform.today = {2009, 6, 2};
  history.RecordTweakChange(2);
  EXPECT_EQ("6/2/2009", history.LookupModifiedDate("Accessories"));
  EXPECT_FALSE(FileText().empty());
}

TEST_F(ChangeHistoryTest, TitleMissingFromTheFileRebuildsIt) {
  {
    ChangeHistory history(registry, platform, table, path);
    history.Initialise();
  }
  table.push_back({"New Row", "d", 2, 4});
  platform.today = {2010, 2, 3};
  ChangeHistory history(registry, platform, table, path);
  history.Initialise();
  EXPECT_EQ("2/3/2010", history.LookupModifiedDate("New Row"));
  EXPECT_EQ("2/3/2010", history.LookupModifiedDate("Other"));  // the rebuild dates every row
}

TEST_F(ChangeHistoryTest, ClearedFlagRebuildsAtTheNextStart) {
  {
    ChangeHistory history(registry, platform, table, path);
    history.Initialise();
  }
  RegistryKey::Open(registry, reg::kCurrentUser, kProgramKey).WriteDword(kHistoryBuiltValue, 0);
  platform.today = {2011, 4, 4};
  ChangeHistory history(registry, platform, table, path);
  history.Initialise();
  EXPECT_EQ("4/4/2011", history.LookupModifiedDate("Other"));
  EXPECT_EQ(1u, BuiltFlag());
}

TEST_F(ChangeHistoryTest, UnreachableProgramKeyLeavesDatesEmpty) {
  registry.Deny(MemoryRegistry::kOpen | MemoryRegistry::kCreate, reg::kCurrentUser, "Software\\Corvandel");
  ChangeHistory history(registry, platform, table, path);
  history.Initialise();
  EXPECT_EQ("", history.LookupModifiedDate("Other"));
  EXPECT_FALSE(fs::exists(PathFromAnsi(path)));
}

TEST_F(ChangeHistoryTest, OutOfRangeTweakIdRecordsNothing) {
  ChangeHistory history(registry, platform, table, path);
  history.Initialise();
  const std::string before = FileText();
  platform.today = {2012, 1, 1};
  history.RecordTweakChange(999);
  history.RecordTweakChange(-1);
  EXPECT_EQ(before, FileText());
}

TEST_F(ChangeHistoryTest, QuotesAndLineBreaksInTitlesCannotBreakRecords) {
  table[2].title = "Say \"hi\"\r\nnext, then";
  ChangeHistory history(registry, platform, table, path);
  history.Initialise();
  const std::string text = FileText();
  EXPECT_EQ(4, std::count(text.begin(), text.end(), '\n'));
  EXPECT_NE(std::string::npos, text.find("win_tweak(\"Say 'hi'  next, then\",3/7/2007)\r\n"));
  platform.today = {2013, 5, 6};
  history.RecordTweakChange(2);
  // A comma inside a title does not end up in the date.
  EXPECT_EQ("5/6/2013", history.LookupModifiedDate(table[2].title));
  EXPECT_EQ("3/7/2007", history.LookupModifiedDate("Accessories"));
}

TEST_F(ChangeHistoryTest, RewriteLeavesNoTemporaryFileBehind) {
  ChangeHistory history(registry, platform, table, path);
  history.Initialise();
  history.RecordTweakChange(1);
  EXPECT_FALSE(fs::exists(PathFromAnsi(path + ".tmp")));
}

}  // namespace
}  // namespace corvandel
