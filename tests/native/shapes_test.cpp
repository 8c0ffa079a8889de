// The shapes' generic routines on rows and options that no single category
// shows whole: a list of check boxes, boxes that load checked when nothing is
// stored, text and binary data, removals, the two-scope roots, colours,
// fields, subkey boxes and the %SystemRoot% form.
#include <gtest/gtest.h>

#include "pages/color_combo.h"
#include "services/colors.h"
#include "services/registry_key.h"
#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {
namespace {

constexpr const char* kDirectDraw = "SOFTWARE\\Microsoft\\DirectDraw";
constexpr const char* kDesktop = "Control Panel\\Desktop";

constexpr CheckItem kDirectDrawBoxes[] = {
    {1013, "DisableAGPSupport", kRaw, "Disable AGP support"},
    {1018, "DisableMMX", kRaw, "Disable MMX processor extensions "},
    {1028, "EmulationOnly", kInverted, "Use hardware acceleration"},
};
constexpr CheckListRow kBoxes{74, kHKLM, Opened(kDirectDraw), CheckedWhen::kOn, {kXp2000Me, 2015, kAlertOnly},
                              RecordPoint::kAtGate, nullptr, kDirectDrawBoxes};

constexpr CheckRow kSmoothScroll{73, kHKCU, Opened(kDesktop), "SmoothScroll", kDirect, CheckedWhen::kOnOrAbsent,
                                 kNoGate, RecordPoint::kAtGate, nullptr, "Use Smooth Scrolling.", nullptr};
constexpr CheckRow kThumbnails{61, kHKCR, Opened("Paint.Picture\\DefaultIcon"), "",
                               Writes(Text("%1"), Text("shimgvw.dll,1")), CheckedWhen::kOn, kNoGate,
                               RecordPoint::kAtGate, nullptr, "View thumbnails", nullptr};
constexpr CheckRow kComputerName{93, kHKCR, Created("CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}"), "LocalizedString",
                                 Writes(ExpandText("%USERNAME% on %COMPUTERNAME%"), ExpandText("My Computer")),
                                 CheckedWhen::kOn, kNoGate, RecordPoint::kAfterOpen, nullptr, "Show names", nullptr};
constexpr CheckRow kContextMenu{85, kPair, OpenedThenCreated("Software\\Microsoft\\Windows\\CurrentVersion\\Policies", "Explorer"),
                                "NoViewContextMenu", Writes(Dword(1), Deleted()), CheckedWhen::kOn, kNoGate,
                                RecordPoint::kAfterOpen, nullptr, "Restrict (Current User).", "Restrict (All Users)."};

constexpr ComboItem kAlignments[] = {{"Left Alignment", Text("0")}, {"Right Alignment", Text("1")}};
constexpr ComboRow kAlignment{53, kHKCU, Opened(kDesktop), "MenuDropAlignment", kAlignments, {0, 0, 0}, Text("0"),
                              kNoGate, RecordPoint::kAtGate, nullptr, "Alignment:", nullptr};

class Shapes : public ::testing::Test {
 protected:
  TweakContext Context(int tweakId) {
    return {h.registry, h.pages, h.platform, h.Nav().GetLanguage(), h.Nav().Table(), h.Nav().History(), columns, tweakId};
  }
  template <typename Row>
  void Load(const Row& row) {
    TweakContext ctx = Context(row.tweakId);
    LoadShape(ctx, row);
  }
  template <typename Row>
  void Apply(const Row& row) {
    h.platform.today = TweakHarness::kApplyDay;
    TweakContext ctx = Context(row.tweakId);
    ApplyShape(ctx, row);
  }

  TweakHarness h;
  ListCheckColumns columns;
};

TEST_F(Shapes, CheckListLoadsAndWritesEachBoxOverItsOwnValue) {
  h.Put({Dw(kHKLM, kDirectDraw, "DisableAGPSupport", 1), Dw(kHKLM, kDirectDraw, "DisableMMX", 0),
         Dw(kHKLM, kDirectDraw, "EmulationOnly", 0)});
  Load(kBoxes);
  EXPECT_EQ("Disable MMX processor extensions ", h.pages.GetText(kMultiCheck, 1018));
  EXPECT_TRUE(h.pages.IsControlVisible(kMultiCheck, 1028));
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1018));
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1028));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  h.pages.SetCheck(kMultiCheck, 1028, 0);
  Apply(kBoxes);
  EXPECT_EQ(0u, h.Dword(kHKLM, kDirectDraw, "DisableAGPSupport"));
  EXPECT_EQ(1u, h.Dword(kHKLM, kDirectDraw, "DisableMMX"));
  EXPECT_EQ(1u, h.Dword(kHKLM, kDirectDraw, "EmulationOnly"));
  EXPECT_TRUE(h.Recorded(74));

  h.platform.version = win::k95;
  Apply(kBoxes);
  EXPECT_EQ(1u, h.platform.messages.size());
}

TEST_F(Shapes, OnOrAbsentLoadsCheckedUnlessAnotherValueIsStored) {
  Load(kSmoothScroll);
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));  // no key
  h.Put(KeyOnly(kHKCU, kDesktop));
  Load(kSmoothScroll);
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));  // no value
  h.Put(Dw(kHKCU, kDesktop, "SmoothScroll", 0));
  Load(kSmoothScroll);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
}

TEST_F(Shapes, TextDataIsComparedExactlyAndWrittenWithItsType) {
  h.Put(Sz(kHKCR, "Paint.Picture\\DefaultIcon", "", "%1"));
  Load(kThumbnails);
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  Apply(kThumbnails);
  EXPECT_EQ("shimgvw.dll,1", h.Text(kHKCR, "Paint.Picture\\DefaultIcon", ""));

  const std::string clsid = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
  h.Put(ExSz(kHKCR, clsid.c_str(), "LocalizedString", "%username% on %computername%"));
  Load(kComputerName);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  Apply(kComputerName);
  EXPECT_EQ("%USERNAME% on %COMPUTERNAME%", h.Text(kHKCR, clsid, "LocalizedString"));
  EXPECT_EQ(reg::kExpandSz, h.Type(kHKCR, clsid, "LocalizedString"));
}

TEST_F(Shapes, DeletingBelowAnOpenedParentCreatesNothingAndRecordsNothing) {
  const std::string policies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
  h.Put({KeyOnly(kHKCU, policies.c_str()), KeyOnly(kHKLM, policies.c_str())});
  const auto before = h.Snapshot();
  Load(kContextMenu);
  Apply(kContextMenu);  // both unchecked: nothing to remove
  EXPECT_EQ(before, h.Snapshot());
  EXPECT_FALSE(h.Recorded(85));

  h.pages.SetCheck(kMultiCheck, 1018, 1);
  Apply(kContextMenu);
  EXPECT_FALSE(h.HasKey(kHKCU, policies + "\\Explorer"));
  EXPECT_EQ(1u, h.Dword(kHKLM, policies + "\\Explorer", "NoViewContextMenu"));
  EXPECT_TRUE(h.Recorded(85));

  h.pages.SetCheck(kMultiCheck, 1018, 0);
  Apply(kContextMenu);
  EXPECT_FALSE(h.HasValue(kHKLM, policies + "\\Explorer", "NoViewContextMenu"));
  EXPECT_TRUE(h.HasKey(kHKLM, policies + "\\Explorer"));
}

TEST_F(Shapes, ComboCanShowAnItemForEveryStoredStateAndWriteOneForNoSelection) {
  struct Case {
    std::vector<SeedValue> stored;
    int selected;
  };
  const Case cases[] = {
      {{}, 0}, {{KeyOnly(kHKCU, kDesktop)}, 0}, {{Sz(kHKCU, kDesktop, "MenuDropAlignment", "1")}, 1},
      {{Sz(kHKCU, kDesktop, "MenuDropAlignment", "right")}, 0},
  };
  for (const Case& c : cases) {
    h.Put(c.stored);
    Load(kAlignment);
    EXPECT_EQ(c.selected, h.pages.ComboGetCurSel(page::kComboCheck, 1021));
  }
  h.pages.ComboSetCurSel(page::kComboCheck, 1021, -1);
  Apply(kAlignment);
  EXPECT_EQ("0", h.Text(kHKCU, kDesktop, "MenuDropAlignment"));
}


// --- Data and load rules ----------------------------------------------------

constexpr const char* kKey = "Software\\Test";
constexpr std::uint8_t kMap[] = {0, 0, 0, 0, 2, 0, 0, 0};

CheckRow Box(CheckData writes, CheckedWhen load, KeyRef key = Opened(kKey)) {
  return {301, kHKCU, key, "V", writes, load, kNoGate, RecordPoint::kAtGate, nullptr, "Box", nullptr};
}

TEST_F(Shapes, EachLoadRuleChecksTheBoxForTheStoredDataItAccepts) {
  struct Case {
    const char* name;
    CheckData writes;
    CheckedWhen load;
    std::optional<SeedValue> stored;
    int checked;
  };
  const Case cases[] = {
      {"binary32 from a number", Writes(Binary32(1), Deleted()), CheckedWhen::kOn, Dw(kHKCU, kKey, "V", 1), 1},
      {"binary32 from longer bytes", Writes(Binary32(10), Deleted()), CheckedWhen::kOn, Raw(kHKCU, kKey, "V", {10, 0, 0, 0, 7}), 1},
      {"binary32 from three bytes", Writes(Binary32(0), Deleted()), CheckedWhen::kOn, Raw(kHKCU, kKey, "V", {0, 0, 0}), 0},
      {"binary32 from text", Writes(Binary32(0x31), Deleted()), CheckedWhen::kOn, Sz(kHKCU, kKey, "V", "1\0\0\0"), 0},
      {"fixed bytes exactly", Writes(Binary(kMap), Deleted()), CheckedWhen::kOn, Raw(kHKCU, kKey, "V", {0, 0, 0, 0, 2, 0, 0, 0}), 1},
      {"fixed bytes and more", Writes(Binary(kMap), Deleted()), CheckedWhen::kOn, Raw(kHKCU, kKey, "V", {0, 0, 0, 0, 2, 0, 0, 0, 1}), 0},
      {"text in any case", Writes(TextAnyCase("Yes"), Text("No")), CheckedWhen::kOn, Sz(kHKCU, kKey, "V", "YES"), 1},
      {"exact text", Writes(Text("Yes"), Text("No")), CheckedWhen::kOn, Sz(kHKCU, kKey, "V", "YES"), 0},
      {"as stored 2", Writes(CheckState(), CheckState()), CheckedWhen::kAsStored, Dw(kHKCU, kKey, "V", 2), 1},
      {"as stored 0", Writes(CheckState(), CheckState()), CheckedWhen::kAsStored, Dw(kHKCU, kKey, "V", 0), 0},
      {"as stored text", Writes(CheckState(), CheckState()), CheckedWhen::kAsStored, Sz(kHKCU, kKey, "V", "1"), 0},
      {"as stored absent", Writes(CheckState(), CheckState()), CheckedWhen::kAsStored, std::nullopt, 0},
      {"unless off: absent", Writes(Text("%1"), Text("%1 %2")), CheckedWhen::kUnlessOff, std::nullopt, 1},
      {"unless off: other", Writes(Text("%1"), Text("%1 %2")), CheckedWhen::kUnlessOff, Sz(kHKCU, kKey, "V", "x"), 1},
      {"unless off: off in other case", Writes(Text("{A}"), Text("{abc}")), CheckedWhen::kUnlessOff, Sz(kHKCU, kKey, "V", "{ABC}"), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteTreeAt(h.registry, kHKCU, kKey);
    h.Put(KeyOnly(kHKCU, kKey));
    if (c.stored) h.Put(*c.stored);
    Load(Box(c.writes, c.load));
    EXPECT_EQ(c.checked, h.pages.GetCheck(kMultiCheck, 1013));
  }
}

TEST_F(Shapes, BinaryDataIsWrittenAsBinaryBytes) {
  h.Put(Dw(kHKCU, kKey, "V", 1));
  Load(Box(Writes(Binary32(1), Deleted()), CheckedWhen::kOn));
  Apply(Box(Writes(Binary32(1), Deleted()), CheckedWhen::kOn));
  EXPECT_EQ(reg::kBinary, h.Type(kHKCU, kKey, "V"));
  EXPECT_EQ((std::vector<std::uint8_t>{1, 0, 0, 0}), h.Bytes(kHKCU, kKey, "V"));

  Apply(Box(Writes(Binary(kMap), Deleted()), CheckedWhen::kOn));
  EXPECT_EQ((std::vector<std::uint8_t>{0, 0, 0, 0, 2, 0, 0, 0}), h.Bytes(kHKCU, kKey, "V"));
}

TEST_F(Shapes, RemovalsInTheKeyAndOfTheKey) {
  // A removal in the key creates the key as a write would; one by path does not.
  const CheckRow inKey = Box(Writes(Dword(1), DeletedInKey()), CheckedWhen::kOn, Created(kKey));
  const CheckRow byPath = Box(Writes(Dword(1), Deleted()), CheckedWhen::kOn, Created(kKey));
  Load(byPath);
  Apply(byPath);
  EXPECT_FALSE(h.HasKey(kHKCU, kKey));
  Apply(inKey);
  EXPECT_TRUE(h.HasKey(kHKCU, kKey));
  h.Put(Dw(kHKCU, kKey, "V", 1));
  Apply(inKey);
  EXPECT_FALSE(h.HasValue(kHKCU, kKey, "V"));

  // The key itself goes, but not with subkeys below it.
  const CheckRow keyGoes = Box(Writes(Dword(1), KeyDeleted()), CheckedWhen::kOn);
  Apply(keyGoes);
  EXPECT_FALSE(h.HasKey(kHKCU, kKey));
  EXPECT_TRUE(h.HasKey(kHKCU, "Software"));
  h.Put(KeyOnly(kHKCU, "Software\\Test\\Sub"));
  Apply(keyGoes);
  EXPECT_TRUE(h.HasKey(kHKCU, "Software\\Test\\Sub"));
  EXPECT_TRUE(h.Recorded(301));
}

// --- Two-scope roots --------------------------------------------------------

TEST_F(Shapes, PairCreatedForAllUsersOnlyOpensTheCurrentUsersKey) {
  const CheckRow row{146, kPair, CreatedForAllUsers(kKey), "V", kDirect, CheckedWhen::kOn, kNoGate,
                     RecordPoint::kAtGate, nullptr, "Box (Current User).", "Box (All Users)."};
  Load(row);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  Apply(row);
  EXPECT_FALSE(h.HasKey(kHKCU, kKey));
  EXPECT_EQ(1u, h.Dword(kHKLM, kKey, "V"));
  h.Put(KeyOnly(kHKCU, kKey));
  Apply(row);
  EXPECT_EQ(1u, h.Dword(kHKCU, kKey, "V"));
}

TEST_F(Shapes, DefaultProfileScopes) {
  const std::string defaultKey = std::string(".DEFAULT\\") + kKey;
  h.Put({Sz(kHKCU, kKey, "V", "2"), Sz(kHKU, defaultKey.c_str(), "V", "0")});

  // A pair: the second box is the default profile's.
  const CheckRow pair{297, kUserDefaultPair, Opened(kKey), "V", Writes(Text("2"), Text("0")), CheckedWhen::kOn,
                      kNoGate, RecordPoint::kAtGate, nullptr, "(Current User)", "(All Users)"};
  Load(pair);
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1018));
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  Apply(pair);
  EXPECT_EQ("2", h.Text(kHKU, defaultKey, "V"));

  // One control: loaded from the current user, written to both.
  const EditRow edit{225, kUserAndDefault, Opened(kKey), "V", reg::kSz, "", "", kSkipWhenEmpty, kNoGate,
                     RecordPoint::kAtGate, kNoBrowse, nullptr, "Timeout:"};
  Load(edit);
  EXPECT_EQ("2", h.pages.GetText(page::kEditCheck, 1015));
  h.pages.SetText(page::kEditCheck, 1015, "5000");
  Apply(edit);
  EXPECT_EQ("5000", h.Text(kHKCU, kKey, "V"));
  EXPECT_EQ("5000", h.Text(kHKU, defaultKey, "V"));

  // Each scope is opened alone: a missing default profile key is skipped.
  DeleteTreeAt(h.registry, kHKU, ".DEFAULT\\Software");
  h.pages.SetText(page::kEditCheck, 1015, "7");
  Apply(edit);
  EXPECT_EQ("7", h.Text(kHKCU, kKey, "V"));
  EXPECT_FALSE(h.HasKey(kHKU, defaultKey));
}

// --- Check lists ------------------------------------------------------------

constexpr CheckItem kStatusBoxes[] = {
    {1013, "DisableStatusMessages", Writes(Dword(0), Deleted()), "Verbose", nullptr, kNotLoaded},
    {1013, "verbosestatus", Writes(Dword(1), Deleted()), "Verbose"},
    {1018, "", Writes(Text("x"), Text("y")), "Own key", "Software\\Own"},
};
constexpr CheckListRow kStatus{284, kHKCU, Opened(kKey), CheckedWhen::kAsStored, kNoGate, RecordPoint::kAtGate,
                               nullptr, kStatusBoxes};

TEST_F(Shapes, ABoxOverSeveralValuesLoadsFromItsNamedValuesAndWritesAllInOrder) {
  h.Put({Dw(kHKCU, kKey, "verbosestatus", 1), Dw(kHKCU, kKey, "DisableStatusMessages", 1)});
  Load(kStatus);
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));  // from "verbosestatus" alone
  Apply(kStatus);
  EXPECT_EQ(0u, h.Dword(kHKCU, kKey, "DisableStatusMessages"));
  EXPECT_EQ(1u, h.Dword(kHKCU, kKey, "verbosestatus"));
  // The box with a key of its own: the key is missing, so nothing is written there.
  EXPECT_FALSE(h.HasKey(kHKCU, "Software\\Own"));

  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Put(KeyOnly(kHKCU, "Software\\Own"));
  Apply(kStatus);
  EXPECT_FALSE(h.HasValue(kHKCU, kKey, "DisableStatusMessages"));
  EXPECT_FALSE(h.HasValue(kHKCU, kKey, "verbosestatus"));
  EXPECT_EQ("y", h.Text(kHKCU, "Software\\Own", ""));
}

TEST_F(Shapes, AllBoxesUncheckedCanRemoveTheKey) {
  static constexpr CheckItem kBoxes[] = {{1013, "A", kRaw, "A"}, {1018, "B", kRaw, "B"}};
  constexpr CheckListRow kRow{286, kHKLM, Created(kKey), CheckedWhen::kAsStored, kNoGate, RecordPoint::kAtGate,
                              nullptr, kBoxes, AllUnchecked::kRemovesKey};
  Load(kRow);
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  Apply(kRow);
  EXPECT_EQ(0u, h.Dword(kHKLM, kKey, "A"));
  EXPECT_EQ(1u, h.Dword(kHKLM, kKey, "B"));
  h.pages.SetCheck(kMultiCheck, 1018, 0);
  Apply(kRow);
  EXPECT_FALSE(h.HasKey(kHKLM, kKey));
}

// --- Edits ------------------------------------------------------------------

TEST_F(Shapes, EditPairWritesEachScopeByItsOwnEmptyRule) {
  const EditRow row{189, kPair, Opened(kKey), "V", reg::kDword, "", "", kDeleteWhenEmpty, kNoGate,
                    RecordPoint::kAtGate, kNoBrowse, nullptr, "Current User:", "All Users:"};
  h.Put({Dw(kHKCU, kKey, "V", 0xFFFFFFFE), Dw(kHKLM, kKey, "V", 3)});
  Load(row);
  EXPECT_EQ("-2", h.pages.GetText(page::kEditCheck, 1015));
  EXPECT_EQ("3", h.pages.GetText(page::kEditCheck, 1017));
  EXPECT_EQ("All Users:", h.pages.GetText(page::kEditCheck, 1019));
  h.pages.SetText(page::kEditCheck, 1015, "12ab");
  h.pages.SetText(page::kEditCheck, 1017, "");
  Apply(row);
  EXPECT_EQ(12u, h.Dword(kHKCU, kKey, "V"));
  EXPECT_FALSE(h.HasValue(kHKLM, kKey, "V"));

  const EditRow zero{98, kHKCU, Opened(kKey), "V", reg::kDword, "", "", kWriteWhenEmpty, kNoGate,
                     RecordPoint::kAtGate, kNoBrowse, nullptr, "Count:"};
  Load(zero);
  h.pages.SetText(page::kEditCheck, 1015, "");
  Apply(zero);
  EXPECT_EQ(0u, h.Dword(kHKCU, kKey, "V"));
}

TEST_F(Shapes, SystemRootFormSwapsTheWindowsFolderBothWays) {
  const EditRow row{279, kHKLM, Opened(kKey), "V", reg::kExpandSz, "", "", kSkipWhenEmpty, kNoGate,
                    RecordPoint::kAtGate, kBrowse, nullptr, "File:", nullptr, EditForm::kSystemRoot};
  h.Put(ExSz(kHKLM, kKey, "V", "%SystemRoot%\\MEMORY.DMP"));
  Load(row);
  EXPECT_EQ("C:\\WINDOWS\\MEMORY.DMP", h.pages.GetText(page::kEditCheck, 1015));
  h.pages.SetText(page::kEditCheck, 1015, "C:\\WINDOWS\\a;c:\\windows\\b;C:\\WINDOWS\\c");
  Apply(row);
  EXPECT_EQ("%SystemRoot%\\a;c:\\windows\\b;%SystemRoot%\\c", h.Text(kHKLM, kKey, "V"));
  EXPECT_EQ(reg::kExpandSz, h.Type(kHKLM, kKey, "V"));
}

// A combo filled with the numbers before is left with them, as emptying and
// filling it again would leave it: no selection, no typed text. Any other
// list is emptied and filled.
TEST_F(Shapes, NumbersFillAgainLeavesTheSameComboAsAFreshFill) {
  constexpr int kPage = page::kComboCheck;
  constexpr int kCombo = 1021;
  TweakContext ctx = Context(71);
  const auto items = [&] {
    std::vector<std::string> texts;
    for (int i = 0; i < h.pages.ComboCount(kPage, kCombo); ++i) texts.push_back(h.pages.ComboItemText(kPage, kCombo, i));
    return texts;
  };
  const std::vector<std::string> numbers = {"0", "1", "2", "3"};
  for (const std::vector<std::string>& before : {std::vector<std::string>{},
                                                 numbers,
                                                 {"0", "Two", "Three", "3"},
                                                 {"0", "1", "2"},
                                                 {"0", "1", "2", "3", "4"}}) {
    h.pages.ComboReset(kPage, kCombo);
    for (const std::string& text : before) h.pages.ComboAddString(kPage, kCombo, text);
    h.pages.ComboSetCurSel(kPage, kCombo, static_cast<int>(before.size()) - 1);
    FillNumbers(ctx, kPage, kCombo, 3);
    const std::string what = before.empty() ? "empty" : before[1];
    EXPECT_EQ(numbers, items()) << what;
    EXPECT_EQ(-1, h.pages.ComboGetCurSel(kPage, kCombo)) << what;
    EXPECT_EQ("", h.pages.GetText(kPage, kCombo)) << what;
  }
  // Filled by the fill itself: kept, and its selection gone; a longer list is filled anew.
  h.pages.ComboSetCurSel(kPage, kCombo, 2);
  FillNumbers(ctx, kPage, kCombo, 3);
  EXPECT_EQ(numbers, items());
  EXPECT_EQ(-1, h.pages.ComboGetCurSel(kPage, kCombo));
  EXPECT_EQ("", h.pages.GetText(kPage, kCombo));
  FillNumbers(ctx, kPage, kCombo, 4);
  EXPECT_EQ("4", h.pages.ComboItemText(kPage, kCombo, 4));
}

TEST(SystemRoot, ReplacesEachOccurrenceAndNothingForAnUnknownFolder) {
  struct Case {
    const char* text;
    const char* windowsDir;
    const char* toSystemRoot;
    const char* fromSystemRoot;
  };
  const Case cases[] = {
      {"C:\\WINDOWS\\x", "C:\\WINDOWS", "%SystemRoot%\\x", "C:\\WINDOWS\\x"},
      {"C:\\WINDOWSC:\\WINDOWS", "C:\\WINDOWS", "%SystemRoot%%SystemRoot%", "C:\\WINDOWSC:\\WINDOWS"},
      {"%SystemRoot%\\x", "C:\\WINDOWS", "%SystemRoot%\\x", "C:\\WINDOWS\\x"},
      {"c:\\windows\\x", "C:\\WINDOWS", "c:\\windows\\x", "c:\\windows\\x"},
      {"%SystemRoot%\\x", "", "%SystemRoot%\\x", "%SystemRoot%\\x"},
      {"C:\\x", "", "C:\\x", "C:\\x"},
      // A folder whose name holds the variable: the search goes on after each replacement.
      {"%SystemRoot%", "D:\\%SystemRoot%", "%SystemRoot%", "D:\\%SystemRoot%"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.toSystemRoot, ToSystemRoot(c.text, c.windowsDir)) << c.text;
    EXPECT_EQ(c.fromSystemRoot, FromSystemRoot(c.text, c.windowsDir)) << c.text;
  }
}

// --- Colours ----------------------------------------------------------------

TEST_F(Shapes, ColorLoadsTheStoredColorAndNoSelectionKeepsIt) {
  constexpr int kPage = page::kComboCheck;
  const ColorRow text{68, kHKCU, Opened(kKey), "Text", ColorForm::kRgbText, kNoGate, RecordPoint::kAtGate, nullptr,
                      "Colour:"};
  const ColorRow binary{69, kHKCU, Opened(kKey), "Bin", ColorForm::kBinary, kNoGate, RecordPoint::kAtGate, nullptr,
                        "Colour:"};
  h.pages.ComboSetCurSel(kPage, 1055, 3);  // the page's random start-up colour
  h.Put({Sz(kHKCU, kKey, "Text", "0 255 255"), Raw(kHKCU, kKey, "Bin", {58, 110, 165, 0})});
  Load(text);
  EXPECT_EQ("Aqua", h.pages.ComboItemText(kPage, 1055, h.pages.ComboGetCurSel(kPage, 1055)));
  Load(binary);
  EXPECT_EQ(-1, h.pages.ComboGetCurSel(kPage, 1055));
  const auto before = h.Snapshot();
  Apply(binary);
  EXPECT_EQ(before, h.Snapshot());
  EXPECT_TRUE(h.Recorded(69));

  SelectColor(h.pages, kPage, 1055, Rgb(70, 130, 180));  // SteelBlue
  Apply(binary);
  EXPECT_EQ((std::vector<std::uint8_t>{70, 130, 180, 0}), h.Bytes(kHKCU, kKey, "Bin"));
  Load(text);
  SelectColor(h.pages, kPage, 1055, Rgb(70, 130, 180));
  Apply(text);
  EXPECT_EQ("70 130 180", h.Text(kHKCU, kKey, "Text"));
}

// --- Fields -----------------------------------------------------------------

constexpr ComboItem kPeriods[] = {{"Daily", Text("D")}, {"Weekly", Text("W")}};
constexpr Field kFields[] = {
    EditField(1014, "Name:", 1015, "Name", reg::kSz, kWriteWhenEmpty),
    ComboField(1020, "Period:", 1022, "Period", kPeriods, {kNoItem, kNoItem, kNoItem}, Deleted()),
    ComboField(1039, "Count:", 1029, "Count", kPeriods, {0, 0, kNoItem}, Nothing()),
};
constexpr FieldsRow kFieldsRow{249, page::kEditCombo, kHKLM, Created(kKey), kNoGate, RecordPoint::kAtGate, nullptr,
                               kFields};

TEST_F(Shapes, FieldsLoadEachControlAndWriteInOrderByTheirOwnRules) {
  constexpr int kPage = page::kEditCombo;
  h.Put({Sz(kHKLM, kKey, "Name", "x"), Sz(kHKLM, kKey, "Period", "W"), Sz(kHKLM, kKey, "Count", "?")});
  Load(kFieldsRow);
  EXPECT_EQ("x", h.pages.GetText(kPage, 1015));
  EXPECT_EQ(1, h.pages.ComboGetCurSel(kPage, 1022));
  EXPECT_EQ(-1, h.pages.ComboGetCurSel(kPage, 1029));
  EXPECT_EQ("Count:", h.pages.GetText(kPage, 1039));
  const auto before = h.Snapshot();
  Apply(kFieldsRow);
  EXPECT_EQ(before, h.Snapshot());  // no selection on "Count" keeps its value

  h.pages.SetText(kPage, 1015, "");
  h.pages.ComboSetCurSel(kPage, 1022, -1);
  h.pages.ComboSetCurSel(kPage, 1029, 0);
  Apply(kFieldsRow);
  EXPECT_EQ("", h.Text(kHKLM, kKey, "Name"));
  EXPECT_FALSE(h.HasValue(kHKLM, kKey, "Period"));
  EXPECT_EQ("D", h.Text(kHKLM, kKey, "Count"));

  // A second load refills each combo rather than adding to it.
  Load(kFieldsRow);
  EXPECT_EQ(2, h.pages.ComboCount(kPage, 1022));
}

// --- Subkey boxes -----------------------------------------------------------

constexpr const char* kParent = "Software\\Parent";
constexpr SubkeyBox kSubkeys[] = {
    {1018, "Tree", SubkeyRemoval::kTree, "Remove Tree"},
    {1013, "Key", SubkeyRemoval::kKey, "Remove Key"},
};
constexpr SubkeyBoxesRow kSubkeyRow{209, kHKCU, kParent, kNoGate, RecordPoint::kAtGate, nullptr, kSubkeys};

TEST_F(Shapes, SubkeyBoxesStandForAbsentSubkeys) {
  h.Put({KeyOnly(kHKCU, "Software\\Parent\\Tree\\Nested"), KeyOnly(kHKCU, "Software\\Parent\\Key\\Nested"),
         Sz(kHKCU, "Software\\Parent\\Key", "", "kept")});
  Load(kSubkeyRow);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1018));
  const auto before = h.Snapshot();
  Apply(kSubkeyRow);
  EXPECT_EQ(before, h.Snapshot());  // present subkeys are not created again

  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  Apply(kSubkeyRow);
  EXPECT_FALSE(h.HasKey(kHKCU, "Software\\Parent\\Tree"));
  EXPECT_TRUE(h.HasKey(kHKCU, "Software\\Parent\\Key\\Nested"));  // RegDeleteKeyA leaves a key with subkeys

  h.pages.SetCheck(kMultiCheck, 1018, 0);
  Apply(kSubkeyRow);
  EXPECT_TRUE(h.HasKey(kHKCU, "Software\\Parent\\Tree"));
  EXPECT_EQ("kept", h.Text(kHKCU, "Software\\Parent\\Key", ""));

  // The parent is opened, never created.
  DeleteTreeAt(h.registry, kHKCU, "Software\\Parent");
  Apply(kSubkeyRow);
  EXPECT_FALSE(h.HasKey(kHKCU, kParent));
  EXPECT_TRUE(h.Recorded(209));
}

}  // namespace
}  // namespace corvandel
