// The Start Menu and Taskbar tweaks driven through the navigator as a user
// drives them: select, set the controls, Apply; then the registry, the page,
// the alerts and the history are checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tweaks/reg_conventions.h"
#include "tweak_harness.h"

namespace corvandel {
namespace {

constexpr int kPrograms = 1009;

const std::string kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kPoliciesRoot = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
const std::string kNonEnum = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\NonEnum";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kAdvanced = kExplorer + "\\Advanced";
const std::string kRunMru = kExplorer + "\\RunMRU";
const std::string kMenuOrder = kExplorer + "\\MenuOrder";
const std::string kApplications = "Applications";
const std::string kMyComputer = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

const std::vector<int> kTweaks = {179, 180, 181, 182, 183, 184, 185, 186, 188, 189, 191, 192, 193, 194, 195,
                                  196, 197, 198, 199, 200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210};

// Every control changed, the program list's check boxes too.
void ChangeAll(TweakHarness& h) {
  h.ChangeEveryControl();
  if (!h.pages.IsPageVisible(kList)) return;
  for (int row = 0; row < h.pages.ListItemCount(kList, kPrograms); ++row)
    h.pages.ListSetCheck(kList, kPrograms, row, !h.pages.ListGetCheck(kList, kPrograms, row));
}

// --- Version gates and the history ---------------------------------------------------

constexpr Versions kAny = Versions::k95 | Versions::k98 | Versions::kMe | Versions::kNT4 | Versions::k2000 | Versions::kXP;
constexpr Versions kMe = Versions::kXP | Versions::k2000 | Versions::kMe;
constexpr Versions kXP = Versions::kXP;
constexpr Versions kXPMe = Versions::kXP | Versions::kMe;
constexpr Versions k98Up = Versions::kXP | Versions::k2000 | Versions::kMe | Versions::k98;

// The tweaks whose apply creates a missing key.
const std::set<int> kCreatingKeys = {181, 198, 201};

constexpr GateCase kGates[] = {
    {179, kMe, 2011},  {180, kAny, 0},    {181, kAny, 0},     {182, kMe, 2011},
    {183, kMe, 2011},  {184, kMe, 2011},  {185, kMe, 2011},  {186, kMe, 2011},
    {188, kXP, 2004},  {189, kXP, 2004},  {191, kXP, 2004},  {192, kAny, 0},
    {193, kXP, 2004},  {194, kXPMe, 2021}, {195, kAny, 0},   {196, kAny, 0},
    {197, k98Up, 2015}, {198, kXP, 2004},  {199, kXP, 2004},  {200, kXP, 2004},
    {201, kMe, 2011},   {202, kXP, 2004},  {203, kXP, 2004},  {204, kXP, 2004},
    {205, kXP, 2004},  {206, kXP, 2004},  {207, kXP, 2004},  {208, kXP, 2004},
    {209, kAny, 0},    {210, kXP, 2004},
};

// Admitted: recorded and written without an alert. Refused: the alert alone,
// nothing written or recorded, and no refusal puts a box back.
TEST(StartMenuGate, EveryVersionIsAdmittedOrRefusedAndNoRefusalPutsABoxBack) {
  ASSERT_EQ(kTweaks.size(), std::size(kGates));
  SweepGates(kGates, {.admittedWrites = true, .change = ChangeAll});
}

// With none of its keys present, every apply records (at the gate, or first
// where there is none) and writes only where the tweak creates its key.
TEST(StartMenuHistory, RecordedFirstAndMissingKeysCreatedOnlyWhereTheTweakCreatesThem) {
  for (const GateCase& c : kGates) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    const auto before = h.Snapshot();
    h.Select(c.tweakId);
    ChangeAll(h);
    h.Apply();
    EXPECT_TRUE(h.Recorded(c.tweakId));
    EXPECT_EQ(kCreatingKeys.count(c.tweakId) == 1, before != h.Snapshot());
  }
}

TEST(StartMenuHistory, OverviewsListTheirTweaksWithTheDateOfTheLastApply) {
  struct Overview {
    int tweakId;
    std::vector<int> rows;
  };
  const Overview overviews[] = {
      {177, {196, 197, 198, 199, 200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210}},
      {178, {179, 180, 181, 182, 183, 184, 185, 186}},
      {187, {188, 189, 191, 192, 193, 194, 195}},
  };
  for (const Overview& overview : overviews) {
    SCOPED_TRACE("overview " + std::to_string(overview.tweakId));
    TweakHarness h;
    const int applied = overview.rows[1];
    h.Select(applied);
    h.Apply();
    h.Select(overview.tweakId);
    ASSERT_EQ(static_cast<int>(overview.rows.size()), h.pages.ListItemCount(page::kListCheck, 1007));
    for (std::size_t row = 0; row < overview.rows.size(); ++row) {
      const int r = static_cast<int>(row);
      EXPECT_EQ(h.Nav().Table()[static_cast<std::size_t>(overview.rows[row])].title,
                h.pages.ListItemText(page::kListCheck, 1007, r, 0));
      EXPECT_EQ(overview.rows[row] == applied ? "6/15/2008" : "3/7/2007",
                h.pages.ListItemText(page::kListCheck, 1007, r, 1));
    }
  }
}

// 201 shares its title with 89 (Desktop), and with it the first history
// record of that title: one apply dates both, and the file keeps a record
// for every row.
TEST(StartMenuHistory, RemovingMyComputerDatesTheRecordItSharesWithTheDesktopTweak) {
  TweakHarness h;
  h.Select(201);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.Apply();
  EXPECT_TRUE(h.Recorded(201));
  EXPECT_TRUE(h.Recorded(89));
  const std::string& text = h.Nav().History().HistoryText();
  EXPECT_EQ(310, std::count(text.begin(), text.end(), '\n'));
  EXPECT_NE(std::string::npos,
            text.find("win_tweak(\"Remove My Computer from the Desktop and Start Menu\",6/15/2008)\r\n"));
  EXPECT_FALSE(h.Recorded(200));
  EXPECT_FALSE(h.Recorded(202));
}

// --- Check boxes ------------------------------------------------------------------------

// What a box loads from a stored value, for the rules that differ from "checked
// when the value holds what checking writes".
TEST(StartMenuChecks, BoxesLoadFromTheirValues) {
  const char* adv = kAdvanced.c_str();
  const char* pol = kPolicies.c_str();
  const StoredCheck cases[] = {
      {"cascading 2", 182, {Dw(kHKCU, adv, "Start_ShowControlPanel", 2), Dw(kHKLM, adv, "Start_ShowControlPanel", 2)}, 1, win::kXP, 1013, 1},
      {"cascading 1", 183, {Dw(kHKCU, adv, "Start_ShowMyDocs", 1), Dw(kHKLM, adv, "Start_ShowMyDocs", 0)}, 0, win::kXP, 1013, 0},
      {"balloons 0", 191, {Dw(kHKCU, adv, "EnableBalloonTips", 0)}, 1, win::kXP, 1013, kSecondHidden},
      {"balloons 2", 191, {Dw(kHKCU, adv, "EnableBalloonTips", 2)}, 0, win::kXP, 1013, kSecondHidden},
      {"balloons absent", 191, {KeyOnly(kHKCU, adv)}, 0, win::kXP, 1013, kSecondHidden},
      {"locked", 194, {Dw(kHKCU, adv, "TaskbarSizeMove", 0)}, 1, win::kXP, 1013, kSecondHidden},
      {"unlocked", 194, {Dw(kHKCU, adv, "TaskbarSizeMove", 1)}, 0, win::kXP, 1013, kSecondHidden},
      {"size move absent", 194, {KeyOnly(kHKCU, adv)}, 0, win::kXP, 1013, kSecondHidden},
      {"banner binary", 195, {Raw(kHKCU, pol, "NoStartBanner", {1, 0, 0, 0})}, 1, win::kXP, 1013, kSecondHidden},
      {"banner number", 195, {Dw(kHKCU, pol, "NoStartBanner", 1)}, 1, win::kXP, 1013, kSecondHidden},
      {"banner longer", 195, {Raw(kHKCU, pol, "NoStartBanner", {1, 0, 0, 0, 9})}, 1, win::kXP, 1013, kSecondHidden},
      {"banner 2", 195, {Raw(kHKCU, pol, "NoStartBanner", {2, 0, 0, 0})}, 0, win::kXP, 1013, kSecondHidden},
      {"highlight 0", 198, {Dw(kHKCU, adv, "Start_NotifyNewApps", 0)}, 0, win::kXP, 1013, kSecondHidden},
      {"highlight absent", 198, {KeyOnly(kHKCU, adv)}, 1, win::kXP, 1013, kSecondHidden},
      {"highlight no key", 198, {}, 1, win::kXP, 1013, kSecondHidden},
      {"my computer", 201, {Dw(kHKCU, kNonEnum.c_str(), kMyComputer.c_str(), 0), Dw(kHKLM, kNonEnum.c_str(), kMyComputer.c_str(), 1)}, 0, win::kXP, 1013, 1},
  };
  ExpectCheckedWhenStored(cases);
}

// Each state of each box as stored, per root; the single boxes leave All Users alone.
TEST(StartMenuChecks, EachStateWritesItsDataToItsOwnRoot) {
  struct Case {
    int tweakId;
    std::string path;
    std::string value;
    std::uint32_t checked;
    std::uint32_t cleared;
    bool pair;
  };
  const Case cases[] = {
      {182, kAdvanced, "Start_ShowControlPanel", 2, 0, true}, {186, kAdvanced, "Start_ShowPrinters", 2, 0, true},
      {193, kAdvanced, "TaskbarGlomming", 1, 0, true},        {188, kExplorer, "EnableAutoTray", 1, 0, false},
      {191, kAdvanced, "EnableBalloonTips", 0, 1, false},     {194, kAdvanced, "TaskbarSizeMove", 0, 1, false},
      {198, kAdvanced, "Start_NotifyNewApps", 1, 0, false},   {205, kPolicies, "NoStartMenuEjectPC", 1, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.Put({Dw(kHKCU, c.path.c_str(), c.value.c_str(), 7), Dw(kHKLM, c.path.c_str(), c.value.c_str(), 7)});
    h.Select(c.tweakId);
    h.pages.SetCheck(kMultiCheck, 1013, 1);
    h.pages.SetCheck(kMultiCheck, 1018, 0);
    h.Apply();
    EXPECT_EQ(c.checked, h.Dword(kHKCU, c.path, c.value));
    EXPECT_EQ(c.pair ? c.cleared : 7u, h.Dword(kHKLM, c.path, c.value));
    h.pages.SetCheck(kMultiCheck, 1013, 0);
    h.pages.SetCheck(kMultiCheck, 1018, 1);
    h.Apply();
    EXPECT_EQ(c.cleared, h.Dword(kHKCU, c.path, c.value));
    EXPECT_EQ(c.pair ? c.checked : 7u, h.Dword(kHKLM, c.path, c.value));
  }
}

TEST(StartMenuChecks, SubfoldersAreHiddenUnderAllUsersEvenWithoutThePolicyKeys) {
  TweakHarness h;
  h.Select(181);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  h.Apply();
  EXPECT_FALSE(h.HasKey(kHKCU, kPolicies));
  EXPECT_EQ(1u, h.Dword(kHKLM, kPolicies, "NoStartMenuSubFolders"));
  EXPECT_NE(std::string::npos, h.pages.GetText(kMultiCheck, 1024).find("take effect.\r\n- Custom Subfolders"));
}

// My Computer's policy key is created whole, "Policies" included, under both roots.
TEST(StartMenuChecks, MyComputerCreatesTheWholePolicyPath) {
  TweakHarness h;
  h.Put(KeyOnly(kHKCU, "Software\\Microsoft\\Windows\\CurrentVersion"));
  h.Put(Dw(kHKLM, (kPoliciesRoot + "\\System").c_str(), "x", 1));
  h.Select(201);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ(1u, h.Dword(kHKCU, kNonEnum, kMyComputer));
  EXPECT_EQ(0u, h.Dword(kHKLM, kNonEnum, kMyComputer));
}

TEST(StartMenuChecks, StartBannerIsFourBinaryBytesForTheCurrentUserOnly) {
  TweakHarness h;
  h.Put({KeyOnly(kHKCU, kPolicies.c_str()), KeyOnly(kHKLM, kPolicies.c_str())});
  h.Select(195);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ(std::vector<std::uint8_t>({1, 0, 0, 0}), h.Bytes(kHKCU, kPolicies, "NoStartBanner"));
  EXPECT_EQ(reg::kBinary, h.Type(kHKCU, kPolicies, "NoStartBanner"));
  EXPECT_FALSE(h.HasValue(kHKLM, kPolicies, "NoStartBanner"));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Apply();
  EXPECT_FALSE(h.HasValue(kHKCU, kPolicies, "NoStartBanner"));
  EXPECT_TRUE(h.HasKey(kHKCU, kPolicies));

  TweakHarness missing;
  missing.Select(195);
  missing.pages.SetCheck(kMultiCheck, 1013, 1);
  missing.Apply();
  EXPECT_FALSE(missing.HasKey(kHKCU, kPolicies));
  EXPECT_TRUE(missing.Recorded(195));
}

// --- Subkey boxes ---------------------------------------------------------------------

TEST(StartMenuSubkeys, RunHistoryIsRemovedOnlyWithoutSubkeysAndCreatedWhenCleared) {
  const std::string kOldRun = kRunMru + "\\Old";
  struct Case {
    const char* what;
    std::vector<SeedValue> stored;
    int loaded;
    int applied;
    bool runMruAfter;
    bool valueAfter;  // the stored command "a" is still there
  };
  const Case cases[] = {
      {"no history, checked", {KeyOnly(kHKCU, kExplorer.c_str())}, 1, 1, false, false},
      {"history, checked", {Sz(kHKCU, kRunMru.c_str(), "a", "cmd\\1")}, 0, 1, false, false},
      {"history with a subkey, checked", {Sz(kHKCU, kRunMru.c_str(), "a", "cmd\\1"), KeyOnly(kHKCU, kOldRun.c_str())}, 0, 1, true, true},
      {"no history, cleared", {KeyOnly(kHKCU, kExplorer.c_str())}, 1, 0, true, false},
      {"history, cleared", {Sz(kHKCU, kRunMru.c_str(), "a", "cmd\\1")}, 0, 0, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TweakHarness h;
    h.Put(c.stored);
    h.Select(196);
    EXPECT_EQ(c.loaded, h.pages.GetCheck(kMultiCheck, 1013));
    h.pages.SetCheck(kMultiCheck, 1013, c.applied);
    h.Apply();
    EXPECT_EQ(c.runMruAfter, h.HasKey(kHKCU, kRunMru));
    EXPECT_EQ(c.valueAfter, h.HasValue(kHKCU, kRunMru, "a"));
  }
}

TEST(StartMenuSubkeys, MenuOrdersAreRemovedWithEverythingBelowThem) {
  TweakHarness h;
  h.Put({KeyOnly(kHKCU, (kMenuOrder + "\\Favorites\\Links\\Deep").c_str()),
         Raw(kHKCU, (kMenuOrder + "\\Start Menu\\Programs").c_str(), "Order", {8, 0, 0, 0, 1})});
  h.Select(209);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1018));
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  h.Apply();
  EXPECT_FALSE(h.HasKey(kHKCU, kMenuOrder + "\\Favorites"));
  EXPECT_TRUE(h.HasKey(kHKCU, kMenuOrder + "\\Start Menu\\Programs"));
  h.Select(209);
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1018));
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.pages.SetCheck(kMultiCheck, 1018, 0);
  h.Apply();
  EXPECT_FALSE(h.HasKey(kHKCU, kMenuOrder + "\\Start Menu"));
  EXPECT_TRUE(h.HasKey(kHKCU, kMenuOrder + "\\Favorites"));
}

// --- Edit pairs -------------------------------------------------------------------------

TEST(StartMenuEdits, EachEditIsItsOwnScopeAndHoldsADecimalNumber) {
  struct Case {
    int tweakId;
    std::string path;
    std::string value;
  };
  const Case cases[] = {{179, kPolicies, "MaxRecentDocs"}, {189, kAdvanced, "TaskbarGroupSize"}};
  struct Typed {
    std::string user, machine;
    std::optional<std::uint32_t> userStored, machineStored;
  };
  const Typed typed[] = {
      {"", "20", std::nullopt, 20u}, {"20", "", 20u, std::nullopt}, {"abc", "12ab", 0u, 12u}, {"-3", " 7", 0xFFFFFFFDu, 7u},
  };
  for (const Case& c : cases) {
    for (const Typed& t : typed) {
      SCOPED_TRACE("TweakId " + std::to_string(c.tweakId) + " \"" + t.user + "\" \"" + t.machine + "\"");
      TweakHarness h;
      h.Put({Dw(kHKCU, c.path.c_str(), c.value.c_str(), 0xFFFFFFFF), Dw(kHKLM, c.path.c_str(), c.value.c_str(), 15),
             Dw(kHKCU, c.path.c_str(), "Other", 1)});
      h.Select(c.tweakId);
      EXPECT_EQ("-1", h.pages.GetText(kEditCheck, 1015));
      EXPECT_EQ("15", h.pages.GetText(kEditCheck, 1017));
      EXPECT_TRUE(h.pages.IsControlVisible(kEditCheck, 1014));
      EXPECT_TRUE(h.pages.IsControlVisible(kEditCheck, 1019));
      h.pages.SetText(kEditCheck, 1015, t.user);
      h.pages.SetText(kEditCheck, 1017, t.machine);
      h.Apply();
      EXPECT_TRUE(h.Alerts().empty());
      EXPECT_EQ(t.userStored, h.Dword(kHKCU, c.path, c.value));
      EXPECT_EQ(t.machineStored, h.Dword(kHKLM, c.path, c.value));
      EXPECT_EQ(1u, h.Dword(kHKCU, c.path, "Other"));
    }
  }
}

// --- Enable Start Menu Scrolling ---------------------------------------------------------

const std::string kDefaultAdvanced = ".DEFAULT\\" + kAdvanced;

std::string ProfileAdvanced(const std::string& profile) { return profile + "\\" + kAdvanced; }

TEST(StartMenuScrolling, LoadsFromCurrentUser) {
  struct Case {
    std::vector<SeedValue> stored;
    int classic, xp;
  };
  const char* adv = kAdvanced.c_str();
  const Case cases[] = {
      {{Sz(kHKCU, adv, "StartMenuScrollPrograms", "Yes"), Dw(kHKCU, adv, "Start_ScrollPrograms", 1)}, 1, 1},
      {{Sz(kHKCU, adv, "StartMenuScrollPrograms", "yES"), Dw(kHKCU, adv, "Start_ScrollPrograms", 2)}, 1, 0},
      {{Sz(kHKCU, adv, "StartMenuScrollPrograms", "Yes please"), Sz(kHKCU, adv, "Start_ScrollPrograms", "1")}, 0, 0},
      {{Sz(kHKU, kDefaultAdvanced.c_str(), "StartMenuScrollPrograms", "Yes"), Dw(kHKU, kDefaultAdvanced.c_str(), "Start_ScrollPrograms", 1)}, 0, 0},
  };
  for (const Case& c : cases) {
    TweakHarness h;
    h.Put(c.stored);
    h.Select(197);
    EXPECT_EQ(c.classic, h.pages.GetCheck(kMultiCheck, 1013));
    EXPECT_EQ(c.xp, h.pages.GetCheck(kMultiCheck, 1018));
    EXPECT_NE(std::string::npos, h.pages.GetText(kMultiCheck, 1024).find("every user profile"));
  }
}

TEST(StartMenuScrolling, WritesEveryProfileButTheFirstAndSkipsThoseWithoutExplorerSettings) {
  TweakHarness h;
  h.Put({KeyOnly(kHKU, kDefaultAdvanced.c_str()), KeyOnly(kHKU, ProfileAdvanced("S-1-5-18").c_str()),
         KeyOnly(kHKU, "S-1-5-19\\Software"), KeyOnly(kHKU, ProfileAdvanced("S-1-5-21-7").c_str()),
         Sz(kHKCU, kAdvanced.c_str(), "Other", "kept")});
  h.Select(197);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.pages.SetCheck(kMultiCheck, 1018, 0);
  h.Apply();
  for (const char* profile : {"S-1-5-18", "S-1-5-21-7"}) {
    SCOPED_TRACE(profile);
    EXPECT_EQ(std::vector<std::uint8_t>({'Y', 'e', 's'}), h.Bytes(kHKU, ProfileAdvanced(profile), "StartMenuScrollPrograms"));
    EXPECT_EQ(reg::kSz, h.Type(kHKU, ProfileAdvanced(profile), "StartMenuScrollPrograms"));
    EXPECT_EQ(0u, h.Dword(kHKU, ProfileAdvanced(profile), "Start_ScrollPrograms"));
  }
  EXPECT_FALSE(h.HasValue(kHKU, kDefaultAdvanced, "StartMenuScrollPrograms"));
  EXPECT_FALSE(h.HasKey(kHKU, ProfileAdvanced("S-1-5-19")));
  EXPECT_FALSE(h.HasValue(kHKCU, kAdvanced, "StartMenuScrollPrograms"));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  h.Apply();
  EXPECT_EQ(std::vector<std::uint8_t>({'N', 'o'}), h.Bytes(kHKU, ProfileAdvanced("S-1-5-18"), "StartMenuScrollPrograms"));
  EXPECT_EQ(1u, h.Dword(kHKU, ProfileAdvanced("S-1-5-21-7"), "Start_ScrollPrograms"));
}

// --- Show Programs in the Frequently Used Programs List -------------------------------------

std::vector<std::string> Rows(TweakHarness& h) {
  std::vector<std::string> rows;
  for (int row = 0; row < h.pages.ListItemCount(kList, kPrograms); ++row)
    rows.push_back(h.pages.ListItemText(kList, kPrograms, row, 0) + (h.pages.ListGetCheck(kList, kPrograms, row) ? " +" : " -"));
  return rows;
}

std::string Program(const std::string& name) { return kApplications + "\\" + name; }

TEST(StartMenuPrograms, ListsProgramsByTheirExtensionInLowerOrUpperCase) {
  TweakHarness h;
  h.Put({KeyOnly(kHKCR, Program("calc.exe").c_str()), Sz(kHKCR, Program("EXCEL.EXE").c_str(), "NoStartPage", ""),
         KeyOnly(kHKCR, Program("Setup.Exe").c_str()), KeyOnly(kHKCR, Program("shell32.dll").c_str()),
         Raw(kHKCR, Program("big.exe").c_str(), "NoStartPage", std::vector<std::uint8_t>(300, 'x'))});
  h.Select(208);
  // A value too large to read counts as unreadable.
  EXPECT_EQ((std::vector<std::string>{"big.exe +", "calc.exe +", "EXCEL.EXE -"}), Rows(h));
  h.pages.ListSetCheck(kList, kPrograms, 1, false);
  h.pages.ListSetCheck(kList, kPrograms, 2, true);
  h.Apply();
  EXPECT_EQ(std::vector<std::uint8_t>{}, h.Bytes(kHKCR, Program("calc.exe"), "NoStartPage"));
  EXPECT_EQ(reg::kSz, h.Type(kHKCR, Program("calc.exe"), "NoStartPage"));
  EXPECT_FALSE(h.HasValue(kHKCR, Program("EXCEL.EXE"), "NoStartPage"));
  EXPECT_FALSE(h.HasValue(kHKCR, Program("Setup.Exe"), "NoStartPage"));
  h.Select(208);
  EXPECT_EQ((std::vector<std::string>{"big.exe +", "calc.exe -", "EXCEL.EXE +"}), Rows(h));
}

// Each row is written to the program it names, whatever was registered or
// removed since the page was loaded.
TEST(StartMenuPrograms, ProgramsRegisteredAfterTheLoadDoNotShiftTheChoices) {
  TweakHarness h;
  h.Put({KeyOnly(kHKCR, Program("b.exe").c_str()), KeyOnly(kHKCR, Program("d.exe").c_str()),
         KeyOnly(kHKCR, Program("e.exe").c_str())});
  h.Select(208);
  ASSERT_EQ((std::vector<std::string>{"b.exe +", "d.exe +", "e.exe +"}), Rows(h));
  h.pages.ListSetCheck(kList, kPrograms, 1, false);  // d.exe
  h.Put(KeyOnly(kHKCR, Program("a.exe").c_str()));
  h.registry.DeleteTree(reg::kClassesRoot, Program("e.exe").c_str());
  h.Apply();
  EXPECT_TRUE(h.HasValue(kHKCR, Program("d.exe"), "NoStartPage"));
  EXPECT_FALSE(h.HasValue(kHKCR, Program("a.exe"), "NoStartPage"));
  EXPECT_FALSE(h.HasValue(kHKCR, Program("b.exe"), "NoStartPage"));
  EXPECT_FALSE(h.HasKey(kHKCR, Program("e.exe")));
}

// --- View Enhanced Start Menu Folders -----------------------------------------------------

struct FolderCombo {
  int label;
  const char* text;
  int combo;
  const char* value;
};

constexpr FolderCombo kFolderCombos[] = {
    {1014, "Control Panel Mode:", 1021, "Start_ShowControlPanel"}, {1019, "My Computer Mode:", 1022, "Start_ShowMyComputer"},
    {1020, "My Documents Mode:", 1029, "Start_ShowMyDocs"},        {1039, "My Music Mode:", 1030, "Start_ShowMyMusic"},
    {1041, "My Pictures Mode", 1031, "Start_ShowMyPics"},          {1046, "Net Connection Mode", 1043, "Start_ShowNetConn"},
};

TEST(StartMenuFolders, SixCombosShowTheirModesAndAModeOutsideTheListIsKept) {
  TweakHarness h;
  const std::uint32_t stored[] = {5, 0, 2, 1, 0xFFFFFFFF, 2};
  for (std::size_t i = 0; i < std::size(kFolderCombos); ++i)
    h.Put(Dw(kHKCU, kAdvanced.c_str(), kFolderCombos[i].value, stored[i]));
  h.Select(210);
  h.Select(210);  // a second load refills the combos rather than adding to them
  const int shown[] = {-1, 0, 2, 1, -1, 2};
  for (std::size_t i = 0; i < std::size(kFolderCombos); ++i) {
    const FolderCombo& c = kFolderCombos[i];
    SCOPED_TRACE(c.value);
    EXPECT_TRUE(h.pages.IsControlVisible(kMultiCombo, c.label));
    EXPECT_EQ(c.text, h.pages.GetText(kMultiCombo, c.label));
    EXPECT_EQ(3, h.pages.ComboCount(kMultiCombo, c.combo));
    EXPECT_EQ("Expand contents", h.pages.ComboItemText(kMultiCombo, c.combo, 2));
    EXPECT_EQ(shown[i], h.pages.ComboGetCurSel(kMultiCombo, c.combo));
  }
  h.pages.ComboSetCurSel(kMultiCombo, 1022, 2);
  h.Apply();
  const std::uint32_t after[] = {5, 2, 2, 1, 0xFFFFFFFF, 2};
  for (std::size_t i = 0; i < std::size(kFolderCombos); ++i)
    EXPECT_EQ(after[i], h.Dword(kHKCU, kAdvanced, kFolderCombos[i].value)) << kFolderCombos[i].value;
}

}  // namespace
}  // namespace corvandel
