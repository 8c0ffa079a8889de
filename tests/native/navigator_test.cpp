#include <gtest/gtest.h>

#include <filesystem>

#include "nav/navigator.h"
#include "nav/tree_model.h"
#include "pages/page_model.h"
#include "scratch_folder.h"
#include "services/change_lines.h"
#include "services/platform_fake.h"
#include "services/profile_ini.h"
#include "services/registry_key.h"
#include "services/registry_memory.h"
#include "tweaks/catalogue.h"

namespace corvandel {
namespace {

namespace fs = std::filesystem;

constexpr int kList = 1007;

class NavigatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.programFolder = scratch.Ansi();
    platform.today = {2007, 3, 7};
    RegistryKey::Create(registry, reg::kCurrentUser, "Software");
  }

  Navigator& Start() {
    navigator = std::make_unique<Navigator>(CatalogueDispatch(), registry, pages, platform, profile);
    navigator->LoadTables();
    navigator->ShowFirstPage();
    return *navigator;
  }
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    for (int row = 0; row < pages.ListItemCount(page::kListCheck, kList); ++row)
      texts.push_back(pages.ListItemText(page::kListCheck, kList, row, column));
    return texts;
  }
  int VisiblePages() const {
    int count = 0;
    for (int id : {106, 107, 170, 171, 172, 173, 174, 175, 176}) count += pages.IsPageVisible(id);
    return count;
  }
  void WriteLanguageFile(const std::string& name, const std::string& content) {
    scratch.Write("Language\\" + name + ".ini", content);
  }

  MemoryRegistry registry;
  PageModel pages;
  SettablePlatform platform;
  IniProfile profile;
  ScratchFolder scratch;
  const fs::path& folder = scratch.path();
  std::unique_ptr<Navigator> navigator;
};

TEST_F(NavigatorTest, StartShowsTheAccessoriesOverview) {
  Navigator& nav = Start();
  EXPECT_EQ(0, nav.CurrentTweakId());
  EXPECT_TRUE(pages.IsPageVisible(page::kListCheck));
  EXPECT_EQ(1, VisiblePages());
  EXPECT_TRUE(pages.IsControlVisible(page::kListCheck, kList));
  EXPECT_FALSE(pages.IsControlVisible(page::kListCheck, 1013));
  EXPECT_FALSE(pages.IsControlVisible(page::kMainWindow, page::kApplyButton));
  EXPECT_EQ("Accessories:\nTweak and Settings for Windows Accessories and Components.",
            pages.GetText(page::kListCheck, 1006));
  std::vector<std::string> names;
  for (int id : {43, 44, 46, 47, 48, 49, 50}) names.push_back(nav.Table()[id].title);
  EXPECT_EQ(names, Column(0));
  EXPECT_EQ(std::vector<std::string>(7, "3/7/2007"), Column(1));
  EXPECT_TRUE(fs::exists(folder / "DFile.kvd"));
}

TEST_F(NavigatorTest, OverviewColumnsAndTheirWidths) {
  Navigator& nav = Start();
  struct Case { int id; int name; int date; int rows; };
  const Case cases[] = {{1, 280, 115, 10}, {95, 295, 83, 16}, {13, 295, 99, 11}, {123, 295, 99, 1}, {288, 295, 99, 3}};
  for (const Case& c : cases) {
    nav.Select(c.id);
    ASSERT_EQ(2, pages.ListColumnCount(page::kListCheck, kList)) << c.id;  // never more than two, however many ran
    EXPECT_EQ("Name", pages.ListColumnHeading(page::kListCheck, kList, 0));
    EXPECT_EQ("Data Modified", pages.ListColumnHeading(page::kListCheck, kList, 1));
    EXPECT_EQ(c.name, pages.ListColumnWidth(page::kListCheck, kList, 0)) << c.id;
    EXPECT_EQ(c.date, pages.ListColumnWidth(page::kListCheck, kList, 1)) << c.id;
    EXPECT_EQ(c.rows, pages.ListItemCount(page::kListCheck, kList)) << c.id;
  }
}

TEST_F(NavigatorTest, TooltipsRowShowsItsNodeTextButIsDatedByItsTitle) {
  Navigator& nav = Start();
  nav.Select(52);
  const auto names = Column(0);
  ASSERT_EQ(6u, names.size());
  EXPECT_EQ("Remove the Minimize, Maximize and Close Tooltips", names[4]);
  EXPECT_EQ("3/7/2007", Column(1)[4]);
}

TEST_F(NavigatorTest, SharedTitleDateShowsInBothOverviews) {
  Navigator& nav = Start();
  ASSERT_EQ(nav.Table()[89].title, nav.Table()[201].title);
  platform.today = {2008, 11, 30};
  nav.History().RecordTweakChange(201);
  for (int overview : {78, 177}) {
    nav.Select(overview);
    const auto names = Column(0);
    const auto at = std::find(names.begin(), names.end(), nav.Table()[89].title) - names.begin();
    ASSERT_LT(static_cast<std::size_t>(at), names.size()) << overview;
    EXPECT_EQ("11/30/2008", Column(1)[static_cast<std::size_t>(at)]) << overview;
  }
}

TEST_F(NavigatorTest, HistoryDeletedBetweenRunsIsRebuiltWhenAnOverviewOpens) {
  Start();
  fs::remove(folder / "DFile.kvd");
  platform.today = {2009, 1, 2};
  Navigator& nav = Start();  // the registry still says the file was built
  nav.Select(1);
  EXPECT_EQ(std::vector<std::string>(10, "1/2/2009"), Column(1));
  EXPECT_TRUE(fs::exists(folder / "DFile.kvd"));
}

TEST_F(NavigatorTest, TranslatedTitlesRebuildTheHistoryOnceNotOnEveryOverview) {
  Start();
  RegistryKey::Open(registry, reg::kCurrentUser, "Software\\Corvandel").WriteText("Language", "Deutsch");
  WriteLanguageFile("Deutsch", "[1004]\r\n22=Eingabeaufforderung in jedem Ordner\r\n");
  platform.today = {2010, 5, 5};
  Navigator& nav = Start();
  EXPECT_EQ("Eingabeaufforderung in jedem Ordner", nav.Table()[2].title);
  nav.Select(1);
  EXPECT_EQ("Eingabeaufforderung in jedem Ordner", Column(0)[0]);
  EXPECT_EQ("5/5/2010", Column(1)[0]);  // the English file had no record for the new title
  platform.today = {2010, 5, 6};
  nav.Select(13);
  nav.Select(1);
  EXPECT_EQ(std::vector<std::string>(10, "5/5/2010"), Column(1));  // found now: no second rebuild
}

TEST_F(NavigatorTest, EverySelectionLeavesAtMostOnePageAndOutOfRangeIdsAreHarmless) {
  Navigator& nav = Start();
  for (int id = -2; id <= 312; ++id) {
    nav.Select(id);
    EXPECT_EQ(id, nav.CurrentTweakId());
    EXPECT_LE(VisiblePages(), 1) << id;
    // Overviews show the list; so do the tweaks whose page is the list page.
    const bool listShown = pages.IsPageVisible(page::kListCheck) && pages.IsControlVisible(page::kListCheck, kList);
    if (CatalogueDispatch().HasOverview(id)) {
      EXPECT_TRUE(listShown) << id;
    }
    if (!CatalogueDispatch().HasLoadRoutine(id)) {
      EXPECT_FALSE(listShown) << id;
    }
    nav.Apply();
  }
  nav.Select(25);  // "Registry Editor": a table row without routines
  EXPECT_EQ(0, VisiblePages());
  EXPECT_EQ(0u, registry.OpenHandleCount());
}

TEST_F(NavigatorTest, LanguageRemapSendsANodeToAnotherTweaksRoutines) {
  RegistryKey::Create(registry, reg::kCurrentUser, "Software\\Corvandel").WriteText("Language", "Remap");
  WriteLanguageFile("Remap", "[1004]\n131=999\n");  // the "Dr Watson" row points outside the table
  Navigator& nav = Start();
  EXPECT_EQ(999, nav.Table()[13].tweakId);
  nav.Select(nav.Table()[13].tweakId);
  EXPECT_EQ(0, VisiblePages());
}

// An apply that wrote nothing because its key is missing says so and shows
// what is stored (its date is the tweak's own rule: 9 records once its key is
// open); once the key exists the same apply changes one value, and an
// untouched apply changes nothing.
TEST_F(NavigatorTest, ApplyThatWritesNothingNamesTheMissingKeyAndReloadsThePage) {
  constexpr int kDelayedExpansion = 9;
  constexpr char kKey[] = "Software\\Microsoft\\Command Processor";
  Navigator& nav = Start();
  const std::string title = nav.Table()[kDelayedExpansion].title;
  platform.today = {2008, 1, 2};
  struct Step {
    bool keyExists;
    bool check;
    std::string status;
    std::string date;
  };
  const Step steps[] = {
      {false, true, "Nothing was changed: the key does not exist", "3/7/2007"},
      {true, true, "Applied: 1 value changed (undo from the system menu)", "1/2/2008"},
      {true, true, "Nothing to change", "1/2/2008"},
  };
  for (const Step& step : steps) {
    if (step.keyExists) RegistryKey::Create(registry, reg::kCurrentUser, kKey);
    nav.Select(kDelayedExpansion);
    pages.SetCheck(page::kMultiCheck, 1013, step.check);
    platform.messages.clear();
    const ChangeOutcome outcome = nav.Apply();
    EXPECT_EQ(step.status, ApplyStatusText(outcome));
    EXPECT_EQ(step.date, nav.History().LookupModifiedDate(title));
    if (!step.keyExists) {
      EXPECT_EQ(std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor"}, outcome.missingKeys);
      ASSERT_EQ(1u, platform.messages.size());
      EXPECT_EQ("Nothing was changed: the key HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor does not "
                "exist on this computer.",
                platform.messages[0].text);
      EXPECT_FALSE(pages.GetCheck(page::kMultiCheck, 1013));  // loaded again
    } else {
      EXPECT_TRUE(platform.messages.empty());
      EXPECT_TRUE(pages.GetCheck(page::kMultiCheck, 1013));
    }
  }
}

// The window's "Preview Changes...": the writes of the page as it stands,
// with nothing written, dated or backed up.
TEST_F(NavigatorTest, PreviewListsTheWritesOfThePageAndChangesNothing) {
  RegistryKey::Create(registry, reg::kCurrentUser, "Software\\Microsoft\\Command Processor").IsOpen();
  Navigator& nav = Start();
  nav.Select(3);
  pages.SetCheck(page::kMultiCheck, 1013, 1);
  const std::string history = nav.History().HistoryText();
  const RecordedChanges changes = nav.PreviewApply();
  EXPECT_EQ(std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor\\DisableUNCCheck: - -> "
                                     "dword:00000001"},
            ChangeLines(changes));
  EXPECT_FALSE(RegistryKey::Open(registry, reg::kCurrentUser, "Software\\Microsoft\\Command Processor")
                   .ReadDword("DisableUNCCheck"));
  EXPECT_EQ(history, nav.History().HistoryText());
  EXPECT_FALSE(nav.LastBackup());
  EXPECT_EQ(0u, registry.OpenHandleCount());
}

}  // namespace
}  // namespace corvandel
