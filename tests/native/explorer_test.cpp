// The Explorer and File System tweaks driven through the navigator as a user
// drives them: the version gates and the keys each apply creates over both
// categories, then the Explorer tweaks' own edge cases.
#include <gtest/gtest.h>

#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {
namespace {

constexpr int kListPage = page::kList;

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kAdvanced = kExplorer + "\\Advanced";
const std::string kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kHandlers = "AllFilesystemObjects\\shellex\\ContextMenuHandlers";

// --- Version gates --------------------------------------------------------------

constexpr Versions kNT = Versions::kXP | Versions::k2000 | Versions::kNT4;
constexpr Versions k2K = Versions::kXP | Versions::k2000;
constexpr Versions kMe = Versions::kXP | Versions::k2000 | Versions::kMe;
constexpr Versions kXP = Versions::kXP;
constexpr Versions k98 = Versions::k98;
constexpr Versions kNoNT4 = Versions::k95 | Versions::k98 | Versions::kMe | Versions::k2000 | Versions::kXP;

constexpr GateCase kGates[] = {
    {97, kXP, 2004, false},   {98, k2K, 2003, false},   {99, k2K, 2003, false},   {100, kXP, 2004, false},
    {101, k2K, 2003, false},  {102, kXP, 2004, false},  {109, kXP, 2004, true},   {111, kXP, 2004, false},
    {112, kXP, 2004, false},  {114, k98, 2022, false},  {115, k2K, 2003, true},   {124, kNT, 2002, false},
    {126, kNT, 2002, false},  {129, k2K, 2003, false},  {130, kNT, 2002, false},  {131, kNT, 2002, false},
    {134, kNT, 2002, false},  {136, kMe, 2011, false},  {138, kXP, 2004, false},  {139, kNT, 2002, false},
    {140, kXP, 2004, false},  {141, kNT, 2002, false},  {143, kNT, 2002, false},  {146, kXP, 2004, false},
    {147, kNT, 2002, false},  {148, kNT, 2002, false},  {151, k2K, 2003, false},  {154, kNoNT4, 2017, false},
};

// A refused version alerts, writes and records nothing and puts the box back
// only where the tweak says so; an admitted one applies without an alert.
// Versions unknown to the probe (6.x) are refused by every gate.
TEST(ExplorerGate, EveryVersionIsAdmittedOrRefusedAsTheTweakSays) { SweepGates(kGates); }

// --- Keys: created or only opened ------------------------------------------------

struct KeyCase {
  int tweakId;
  std::vector<std::string> created;  // "root\path" of every key an apply on an empty registry creates
};

// With no key present, every apply records (right after its gate) and
// creates only the keys its tweak creates; all others write nothing.
TEST(ExplorerKeys, AnEmptyRegistryGetsOnlyTheKeysTheTweakCreates) {
  const std::string sendTo = "HKCR\\" + kHandlers + "\\Send To";
  const KeyCase cases[] = {
      {97, {}},  {98, {}},  {99, {}},  {100, {}}, {101, {}}, {102, {}},
      {103, {"HKCR\\" + kHandlers + "\\Copy To", "HKCR\\" + kHandlers + "\\Move To"}},
      {104, {}}, {105, {}}, {107, {}}, {108, {"HKCU\\" + kExplorer + "\\AutoComplete"}}, {109, {}},
      {110, {}}, {111, {}}, {112, {}}, {113, {sendTo}}, {115, {}}, {116, {}}, {117, {}},
      {118, {"HKCR\\Unknown\\shell\\openas\\command"}}, {119, {}}, {124, {}}, {126, {}}, {127, {}},
      {128, {}}, {129, {}}, {130, {}}, {131, {}}, {133, {}}, {134, {}}, {136, {}}, {138, {}}, {139, {}},
      {140, {}}, {141, {}}, {142, {}}, {143, {}}, {146, {"HKLM\\" + kPolicies}}, {147, {}}, {148, {}},
      {151, {}}, {152, {}}, {154, {}},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    const auto before = h.Snapshot();
    h.Select(c.tweakId);
    h.ChangeEveryControl();
    h.Apply();
    EXPECT_TRUE(h.Alerts().empty());
    EXPECT_TRUE(h.Recorded(c.tweakId));
    std::vector<std::string> created;
    for (const auto& [key, values] : h.Snapshot())
      if (!before.count(key)) created.push_back(key);
    // A created key's parents appear with it; compare the deepest ones.
    std::erase_if(created, [&](const std::string& key) {
      return std::any_of(created.begin(), created.end(),
                         [&](const std::string& other) { return other.starts_with(key + "\\"); });
    });
    EXPECT_EQ(c.created, created);
  }
}

// Where a parent is opened and the tweak's key created below it.
TEST(ExplorerKeys, SubKeyIsCreatedOnlyBelowItsOpenedParent) {
  struct Case {
    int tweakId;
    std::string parent;   // opened: present here
    std::string created;  // below the parent
    std::string value;
  };
  const Case cases[] = {
      {98, "Software\\Policies\\Microsoft", "Windows\\Directory UI", "QueryLimit"},
      {101, "Software\\Policies\\Microsoft\\Windows", "Directory UI", "EnableFilter"},
      {102, kExplorer, "CabinetState", "Use Search Asst"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.platform.version = win::kXP;
    h.Put(KeyOnly(kHKCU, c.parent.c_str()));
    h.Select(c.tweakId);
    h.ChangeEveryControl();
    h.Apply();
    EXPECT_TRUE(h.HasValue(kHKCU, c.parent + "\\" + c.created, c.value));
  }
  // The Active Directory filter's parent is one level deeper than the limit's.
  TweakHarness h;
  h.Put(KeyOnly(kHKCU, "Software\\Policies\\Microsoft"));
  const auto before = h.Snapshot();
  h.Select(101);
  h.ChangeEveryControl();
  h.Apply();
  EXPECT_EQ(before, h.Snapshot());
  EXPECT_TRUE(h.Recorded(101));
}

// --- Check boxes: what loads checked and what each state writes ------------------

TEST(ExplorerChecks, StoredDataLoadsAsTheTweakReadsIt) {
  const std::string sendTo = kHandlers + "\\Send To";
  const std::string copyTo = kHandlers + "\\Copy To";
  const std::string moveTo = kHandlers + "\\Move To";
  const char* openAs = "Unknown\\shell\\openas\\command";
  const StoredCheck cases[] = {
      {"as-stored 2", 100, {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Control\\ContentIndex", "FilterFilesWithUnknownExtensions", 2)}, 1},
      {"as-stored 2, all users", 111, {Dw(kHKLM, kPolicies.c_str(), "NoSharedDocuments", 2)}, 1, win::kXP, 1018},
      {"as-stored 2 on 98", 114, {Dw(kHKCU, kAdvanced.c_str(), "ShowAttribCol", 2)}, 1, win::k98},
      {"equals-one: 2 hides", 116, {Dw(kHKCU, kAdvanced.c_str(), "Hidden", 2)}, 0},
      {"equals-one: 1 shows", 116, {Dw(kHKCU, kAdvanced.c_str(), "Hidden", 1)}, 1},
      {"1/0 box: 2 is not 1", 117, {Dw(kHKCU, kAdvanced.c_str(), "ShowSuperHidden", 2)}, 0},
      {"send to in lower case", 113, {Sz(kHKCR, sendTo.c_str(), "", "{7ba4c740-9e81-11cf-99d3-00aa004ae837}")}, 1},
      {"send to emptied", 113, {Sz(kHKCR, sendTo.c_str(), "", "")}, 0},
      {"stock open-as command", 118, {ExSz(kHKCR, openAs, "", "%SystemRoot%\\system32\\rundll32.exe shell32.dll,OpenAs_RunDLL %1")}, 1},
      {"open-as %2 form in capitals", 118, {Sz(kHKCR, openAs, "", "RUNDLL32.EXE SHELL32.DLL,OPENAS_RUNDLL %1 %2")}, 0},
      {"open-as absent", 118, {}, 1},
      {"copy to in lower case", 103, {Sz(kHKCR, copyTo.c_str(), "", "{c2fbb630-2971-11d1-a18c-00c04fd75d13}")}, 1},
      {"move to of another handler", 103, {Sz(kHKCR, moveTo.c_str(), "", "{C2FBB630-2971-11d1-A18C-00C04FD75D13}")}, 0, win::kXP, 1018},
      {"explore under Directory only", 104, {KeyOnly(kHKCR, "Directory\\shell\\explore")}, 1},
      {"explore under Folder only", 104, {KeyOnly(kHKCR, "Folder\\shell\\explore")}, 1},
      {"search option absent", 97, {Dw(kHKCU, kExplorer.c_str(), "SearchHidden", 1)}, 0, win::kXP, 1033},
  };
  ExpectCheckedWhenStored(cases);
}

struct WriteCase {
  const char* name;
  int tweakId;
  int controlId;
  int state;
  RegKey root;
  std::string path;
  const char* value;
  std::optional<std::uint32_t> number;  // nothing: a text
  const char* text = nullptr;           // nullptr with no number: the value is absent
};

TEST(ExplorerChecks, EachStateWritesItsData) {
  const WriteCase cases[] = {
      {"hidden files unchecked", 116, 1013, 0, kHKCU, kAdvanced, "Hidden", 2u},
      {"send to unchecked", 113, 1013, 0, kHKCR, kHandlers + "\\Send To", "", std::nullopt, ""},
      {"open-as unchecked", 118, 1013, 0, kHKCR, "Unknown\\shell\\openas\\command", "", std::nullopt,
       "rundll32.exe shell32.dll,OpenAs_RunDLL %1 %2"},
      {"encryption menu on the machine", 115, 1013, 0, kHKLM, kAdvanced, "EncryptionContextMenu", 0u},
      {"thumbnail cache", 109, 1013, 0, kHKCU, kAdvanced, "DisableThumbnailCache", 0u},
      {"copy to unchecked", 103, 1013, 0, kHKCR, kHandlers + "\\Copy To", "", std::nullopt, nullptr},
      {"move to checked", 103, 1018, 1, kHKCR, kHandlers + "\\Move To", "", std::nullopt,
       "{C2FBB631-2971-11d1-A18C-00C04FD75D13}"},
      {"slow files", 97, 1032, 1, kHKCU, kExplorer, "SearchSlowFiles", 1u},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.Put(FirstState(c.tweakId).values);
    h.Select(c.tweakId);
    h.pages.SetCheck(kMultiCheck, c.controlId, c.state);
    h.Apply();
    if (c.number) {
      EXPECT_EQ(c.number, h.Dword(c.root, c.path, c.value));
    } else if (c.text) {
      EXPECT_EQ(std::string(c.text), h.Text(c.root, c.path, c.value));
      EXPECT_EQ(reg::kSz, h.Type(c.root, c.path, c.value));
    } else {
      EXPECT_FALSE(h.HasKey(c.root, c.path));
    }
  }
}

TEST(ExplorerChecks, MenuHandlersGoOneKeyAtATimeBelowACreatedParent) {
  {
    TweakHarness h;
    h.Select(103);
    h.Apply();  // both unchecked: the parent is created all the same
    EXPECT_TRUE(h.HasKey(kHKCR, kHandlers));
    EXPECT_FALSE(h.HasKey(kHKCR, kHandlers + "\\Copy To"));
  }
  TweakHarness h;
  const std::string copyTo = kHandlers + "\\Copy To";
  h.Put({Sz(kHKCR, copyTo.c_str(), "", "{C2FBB630-2971-11d1-A18C-00C04FD75D13}"),
         KeyOnly(kHKCR, (copyTo + "\\extra").c_str())});
  h.Select(103);
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Apply();
  // RegDeleteKeyA leaves a handler key that has subkeys.
  EXPECT_TRUE(h.HasKey(kHKCR, copyTo));
  EXPECT_FALSE(h.HasKey(kHKCR, kHandlers + "\\Move To"));
}

// --- Explore From Here -----------------------------------------------------------

TEST(ExplorerExploreFromHere, UncheckingRemovesTheVerbWithItsSubkeysFromBothMenus) {
  TweakHarness h;
  h.Put({Sz(kHKCR, "Folder\\shell\\explore\\command", "", "explorer.exe /e,/idlist,%I"),
         Sz(kHKCR, "Directory\\shell\\explore\\command\\deeper", "", "x"), KeyOnly(kHKCR, "Directory\\shell\\find")});
  h.Select(104);
  ASSERT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Apply();
  EXPECT_FALSE(h.HasKey(kHKCR, "Folder\\shell\\explore"));
  EXPECT_FALSE(h.HasKey(kHKCR, "Directory\\shell\\explore"));
  EXPECT_TRUE(h.HasKey(kHKCR, "Directory\\shell\\find"));
}

TEST(ExplorerExploreFromHere, WithoutTheFolderMenuCheckedWritesNothingAndUncheckedStillClearsDirectory) {
  TweakHarness h;
  h.Put(Sz(kHKCR, "Directory\\shell\\explore", "", "E&xplore"));
  h.Select(104);
  const auto before = h.Snapshot();
  h.Apply();  // checked: the verb is added only to "Folder\shell", which is missing
  EXPECT_EQ(before, h.Snapshot());
  EXPECT_TRUE(h.Recorded(104));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Apply();
  EXPECT_FALSE(h.HasKey(kHKCR, "Directory\\shell\\explore"));
  EXPECT_FALSE(h.HasKey(kHKCR, "Folder\\shell"));
}

TEST(ExplorerExploreFromHere, CheckedAddsTheVerbAndItsCommandUnderFolderOnly) {
  TweakHarness h;
  h.Put({KeyOnly(kHKCR, "Folder\\shell"), KeyOnly(kHKCR, "Directory\\shell")});
  h.Select(104);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ("E&xplore from here", h.Text(kHKCR, "Folder\\shell\\explore", ""));
  EXPECT_EQ("explorer.exe /e,/root,/idlist,%i", h.Text(kHKCR, "Folder\\shell\\explore\\command", ""));
  EXPECT_FALSE(h.HasKey(kHKCR, "Directory\\shell\\explore"));
}

// --- Combo boxes and edits ---------------------------------------------------------

struct ComboCase {
  const char* name;
  int tweakId;
  std::vector<SeedValue> stored;
  int loaded;     // the item shown
  int chosen;     // the item applied (-1: none)
  RegKey root;
  std::string path;
  const char* value;
  std::optional<std::uint32_t> number;  // nothing: a text, or absent when text is nullptr
  const char* text = nullptr;
};

TEST(ExplorerCombos, StoredDataLoadsAndEachChoiceWritesItsData) {
  const std::string cabinet = kExplorer + "\\CabinetState";
  const std::string complete = kExplorer + "\\AutoComplete";
  const ComboCase cases[] = {
      {"capital No shows the assistant", 102, {Sz(kHKCU, cabinet.c_str(), "Use Search Asst", "No")}, 0, 1,
       kHKCU, cabinet, "Use Search Asst", std::nullopt, "no"},
      {"no shows classic", 102, {Sz(kHKCU, cabinet.c_str(), "Use Search Asst", "no")}, 1, 0,
       kHKCU, cabinet, "Use Search Asst", std::nullopt, "yes"},
      {"no choice is no assistant", 102, {Sz(kHKCU, cabinet.c_str(), "Use Search Asst", "yes")}, 0, -1,
       kHKCU, cabinet, "Use Search Asst", std::nullopt, "no"},
      {"completion absent shows No", 108, {KeyOnly(kHKCU, complete.c_str())}, 1, 0,
       kHKCU, complete, "Append Completion", std::nullopt, "Yes"},
      {"completion in capitals", 108, {Sz(kHKCU, complete.c_str(), "Append Completion", "YES")}, 0, 1,
       kHKCU, complete, "Append Completion", std::nullopt, "No"},
      {"completion of other text", 108, {Sz(kHKCU, complete.c_str(), "Append Completion", "maybe")}, 1, -1,
       kHKCU, complete, "Append Completion", std::nullopt, "No"},
      {"restore", 112, {Dw(kHKCU, kAdvanced.c_str(), "PersistBrowsers", 0)}, 0, 1,
       kHKCU, kAdvanced, "PersistBrowsers", 1u},
      {"unlisted restore number is kept", 112, {Dw(kHKCU, kAdvanced.c_str(), "PersistBrowsers", 7)}, -1, -1,
       kHKCU, kAdvanced, "PersistBrowsers", 7u},
  };
  for (const ComboCase& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.Put(c.stored);
    h.Select(c.tweakId);
    EXPECT_EQ(c.loaded, h.pages.ComboGetCurSel(kComboCheck, 1021));
    h.pages.ComboSetCurSel(kComboCheck, 1021, c.chosen);
    h.Apply();
    if (c.number) {
      EXPECT_EQ(c.number, h.Dword(c.root, c.path, c.value));
    } else {
      EXPECT_EQ(std::string(c.text), h.Text(c.root, c.path, c.value));
    }
  }
}

TEST(ExplorerEdits, SearchResultLimitIsTheTextsLeadingNumber) {
  const std::string directoryUi = "Software\\Policies\\Microsoft\\Windows\\Directory UI";
  struct Case {
    const char* typed;
    std::uint32_t stored;
  };
  const Case cases[] = {{"25ab", 25}, {"", 0}, {"-5", 0xFFFFFFFB}, {"  300", 300}, {"abc", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    TweakHarness h;
    h.Put(Dw(kHKCU, directoryUi.c_str(), "QueryLimit", 100));
    h.Select(98);
    EXPECT_EQ("100", h.pages.GetText(kEditCheck, 1015));
    h.pages.SetText(kEditCheck, 1015, c.typed);
    h.Apply();
    EXPECT_TRUE(h.Alerts().empty());
    EXPECT_EQ(c.stored, h.Dword(kHKCU, directoryUi, "QueryLimit"));
  }
  TweakHarness h;
  h.Put(Dw(kHKCU, directoryUi.c_str(), "QueryLimit", 0xFFFFFFFB));
  h.Select(98);
  EXPECT_EQ("-5", h.pages.GetText(kEditCheck, 1015));
}

TEST(ExplorerEdits, AnEmptyFolderEditLeavesItsValue) {
  const char* key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  TweakHarness h;
  h.Put({Sz(kHKLM, key, "ProgramFilesDir", "C:\\Program Files"), Sz(kHKLM, key, "CommonFilesDir", "C:\\Common")});
  h.Select(107);
  EXPECT_EQ("C:\\Program Files", h.pages.GetText(kEditCheck, 1015));
  EXPECT_EQ("C:\\Common", h.pages.GetText(kEditCheck, 1017));
  h.pages.SetText(kEditCheck, 1015, "");
  h.pages.SetText(kEditCheck, 1017, "D:\\Shared");
  h.Apply();
  EXPECT_EQ("C:\\Program Files", h.Text(kHKLM, key, "ProgramFilesDir"));
  EXPECT_EQ("D:\\Shared", h.Text(kHKLM, key, "CommonFilesDir"));
}

// --- Programs in the open-with choice ---------------------------------------------

std::vector<std::string> ListRows(TweakHarness& h) {
  std::vector<std::string> rows;
  for (int row = 0; row < h.pages.ListItemCount(kListPage, 1009); ++row)
    rows.push_back(h.pages.ListItemText(kListPage, 1009, row, 0) + (h.pages.ListGetCheck(kListPage, 1009, row) ? "+" : "-"));
  return rows;
}

TEST(ExplorerOpenWith, RowsAreTheApplicationsWithAShellAndActOnThem) {
  TweakHarness h;
  h.Put({KeyOnly(kHKCR, "Applications\\a.exe\\shell"), KeyOnly(kHKCR, "Applications\\b.exe"),
         Sz(kHKCR, "Applications\\c.exe", "NoOpenWith", ""), KeyOnly(kHKCR, "Applications\\c.exe\\shell")});
  h.Select(119);
  EXPECT_EQ((std::vector<std::string>{"a.exe+", "c.exe-"}), ListRows(h));
  h.pages.ListSetCheck(kListPage, 1009, 0, false);
  h.pages.ListSetCheck(kListPage, 1009, 1, true);
  h.Apply();
  EXPECT_EQ(std::vector<std::uint8_t>{}, h.Bytes(kHKCR, "Applications\\a.exe", "NoOpenWith"));
  EXPECT_EQ(reg::kSz, h.Type(kHKCR, "Applications\\a.exe", "NoOpenWith"));
  EXPECT_FALSE(h.HasValue(kHKCR, "Applications\\b.exe", "NoOpenWith"));
  EXPECT_FALSE(h.HasValue(kHKCR, "Applications\\c.exe", "NoOpenWith"));
}

// An application registered between the load and the apply does not shift
// the rows onto other programs, and is itself left alone.
TEST(ExplorerOpenWith, AnApplicationAddedAfterTheLoadIsLeftAloneAndShiftsNothing) {
  TweakHarness h;
  h.Put({KeyOnly(kHKCR, "Applications\\b.exe\\shell"), KeyOnly(kHKCR, "Applications\\c.exe\\shell")});
  h.Select(119);
  h.pages.ListSetCheck(kListPage, 1009, 1, false);  // c.exe
  h.Put(KeyOnly(kHKCR, "Applications\\a.exe\\shell"));
  h.Apply();
  EXPECT_FALSE(h.HasValue(kHKCR, "Applications\\a.exe", "NoOpenWith"));
  EXPECT_FALSE(h.HasValue(kHKCR, "Applications\\b.exe", "NoOpenWith"));
  EXPECT_TRUE(h.HasValue(kHKCR, "Applications\\c.exe", "NoOpenWith"));
}

}  // namespace
}  // namespace corvandel
