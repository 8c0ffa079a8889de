// The Appearance and Desktop tweaks driven through the navigator as a user
// drives them: select, set the controls, Apply; then the registry, the page,
// the alerts and the history are checked.
#include <gtest/gtest.h>

#include "pages/color_combo.h"
#include "pages/page_handlers.h"
#include "services/colors.h"
#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {
namespace {

const std::string kDesktop = "Control Panel\\Desktop";
const std::string kDefaultDesktop = ".DEFAULT\\Control Panel\\Desktop";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
const std::string kBinIcon = kExplorer + "\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";
const std::string kPreview = "SystemFileAssociations\\image\\ShellEx\\ContextMenuHandlers\\ShellImagePreview";
const std::string kNameSpace = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace";
const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kMyDocsFolder = "CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}\\ShellFolder";
const std::string kBinFolder = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
const std::string kMyComputer = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

using Bytes = std::vector<std::uint8_t>;

// --- Version gates and the history ----------------------------------------------

constexpr Versions kNT = Versions::kXP | Versions::k2000 | Versions::kNT4;
constexpr Versions kMe = Versions::kXP | Versions::k2000 | Versions::kMe;
constexpr Versions k98 = kMe | Versions::k98;
constexpr Versions kXP = Versions::kXP;
constexpr Versions kNotXP = Versions::k95 | Versions::k98 | Versions::kMe | Versions::kNT4 | Versions::k2000;
constexpr Versions kAny = kNotXP | kXP;

constexpr GateCase kGates[] = {
    // Appearance
    {53, kAny, 0, false},    {54, kAny, 0, false},    {56, kAny, 0, false},    {57, kAny, 0, false},
    {58, kAny, 0, false},    {59, kMe, 2011, false},  {61, kAny, 0, false},    {62, kAny, 0, false},
    {63, kAny, 0, false},    {64, kXP, 2004, false},  {65, kAny, 0, false},    {67, kAny, 0, false},
    {68, kAny, 0, false},    {69, kNT, 2002, false},  {70, kXP, 2004, false},  {71, kAny, 0, false},
    {72, kXP, 2004, false},  {73, kAny, 0, false},    {74, k98, 2015, false},  {75, kXP, 2004, false},
    {76, kMe, 2011, false},  {77, kNT, 2004, false},
    // Desktop
    {80, kAny, 0, false},    {82, kNT, 2002, false},  {83, kMe, 2011, false},  {84, kXP, 2004, false},
    {85, kAny, 0, false},    {86, kNotXP, 2016, false}, {87, kAny, 0, false},  {89, kMe, 2011, false},
    {90, kAny, 0, false},    {91, kAny, 0, false},    {92, kAny, 0, false},    {93, kNT, 2002, true},
    {94, kAny, 0, false},
};

// Admitted: recorded without an alert. Refused: the alert alone, nothing
// written or recorded, and only 93 puts its box back.
TEST(AppearanceGate, EveryVersionIsAdmittedOrRefusedAsTheTweakSays) { SweepGates(kGates); }

// Every Desktop tweak records before it reaches the registry, so an apply
// over missing keys records too; only the keys a tweak creates appear.
TEST(DesktopHistory, RecordedOnceEvenWhenTheKeyIsMissing) {
  struct Case {
    int tweakId;
    bool createsKey;
  };
  const Case cases[] = {{80, false}, {82, true},  {83, false}, {84, true},  {85, false}, {86, false}, {87, false},
                        {89, false}, {90, false}, {91, true},  {92, true},  {93, true},  {94, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.platform.version = c.tweakId == 86 ? win::k2000 : win::kXP;
    const auto before = h.Snapshot();
    h.Select(c.tweakId);
    h.ChangeEveryControl();
    h.Apply();
    EXPECT_TRUE(h.Alerts().empty());
    EXPECT_TRUE(h.Recorded(c.tweakId));
    EXPECT_EQ(c.createsKey, before != h.Snapshot());
  }
}

// --- Remove the Minimize, Maximize and Close Tooltips (58) ------------------------

TEST(AppearanceTooltips, OnlyTheHighBitOfTheFirstByteChangesInBothScopes) {
  struct Case {
    const char* name;
    std::optional<Bytes> user, profile;  // as stored; nullopt: absent
    int loads;
    int applied;  // the box when Apply is pressed
    std::optional<Bytes> userAfter, profileAfter;
  };
  const Case cases[] = {
      {"shown, removed", Bytes{0x9E, 0x3E, 0x07, 0x80}, Bytes{0x9E, 0x3E, 0x07, 0x80}, 0, 1,
       Bytes{0x1E, 0x3E, 0x07, 0x80}, Bytes{0x1E, 0x3E, 0x07, 0x80}},
      {"removed, shown", Bytes{0x1E, 0x3E}, Bytes{0x00}, 1, 0, Bytes{0x9E, 0x3E}, Bytes{0x80}},
      {"long masks keep their length", Bytes{0x9E, 1, 2, 3, 4, 5, 6, 7}, Bytes{0xFF, 0xFF, 0xFF}, 0, 1,
       Bytes{0x1E, 1, 2, 3, 4, 5, 6, 7}, Bytes{0x7F, 0xFF, 0xFF}},
      {"the scopes differ, one box", Bytes{0x9E}, Bytes{0x1E}, 0, 0, Bytes{0x9E}, Bytes{0x9E}},
      {"empty masks have no first byte", Bytes{}, Bytes{}, 0, 1, Bytes{}, Bytes{}},
      {"absent masks stay absent", std::nullopt, Bytes{0x9E}, 0, 1, std::nullopt, Bytes{0x1E}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.Put(KeyOnly(kHKCU, kDesktop.c_str()));
    h.Put(KeyOnly(kHKU, kDefaultDesktop.c_str()));
    if (c.user) h.Put(Raw(kHKCU, kDesktop.c_str(), "UserPreferencesMask", *c.user));
    if (c.profile) h.Put(Raw(kHKU, kDefaultDesktop.c_str(), "UserPreferencesMask", *c.profile));
    h.Select(58);
    EXPECT_EQ(c.loads, h.pages.GetCheck(kMultiCheck, 1013));
    h.pages.SetCheck(kMultiCheck, 1013, c.applied);
    h.Apply();
    EXPECT_EQ(c.userAfter, h.Bytes(kHKCU, kDesktop, "UserPreferencesMask"));
    EXPECT_EQ(c.profileAfter, h.Bytes(kHKU, kDefaultDesktop, "UserPreferencesMask"));
    EXPECT_TRUE(h.Recorded(58));
  }
}

// --- Enable Font Smoothing (66) ---------------------------------------------------

TEST(AppearanceFontSmoothing, EachItemHasItsOwnVersionsAndTheChangeIsRecordedFirst) {
  const int kFor9x = 2014, kForNt = 2013;
  for (const NamedVersion& version : kAllVersions) {
    const bool is9x = Admits(Versions::k95 | Versions::k98 | Versions::kMe, version.bit);
    const bool isNt = Admits(kNT, version.bit);
    struct Case {
      int item;
      bool written;
      int alertId;
    };
    const Case cases[] = {
        {0, true, 0}, {1, is9x, is9x ? 0 : kForNt}, {2, isNt, isNt ? 0 : kFor9x}, {-1, false, kFor9x}};
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(version.name) + " item " + std::to_string(c.item));
      TweakHarness h;
      h.platform.version = version.record;
      h.Put(Sz(kHKCU, kDesktop.c_str(), "FontSmoothing", "x"));
      h.Select(66);
      EXPECT_EQ(3, h.pages.ComboCount(kComboCheck, 1021));
      EXPECT_EQ(-1, h.pages.ComboGetCurSel(kComboCheck, 1021));  // "x" is no item
      h.pages.ComboSetCurSel(kComboCheck, 1021, c.item);
      h.Apply();
      EXPECT_EQ(c.alertId ? std::vector<std::string>{h.AlertText(c.alertId)} : std::vector<std::string>{}, h.Alerts());
      EXPECT_EQ(c.written ? std::to_string(c.item) : "x", h.Text(kHKCU, kDesktop, "FontSmoothing"));
      EXPECT_TRUE(h.Recorded(66));
    }
  }
}

// --- Colours (68 to 70) -----------------------------------------------------------

int ItemOfColor(TweakHarness& h, ColorRef color) {
  for (int i = 0; i < h.pages.ComboCount(kComboCheck, 1055); ++i)
    if (h.pages.ComboGetItemData(kComboCheck, 1055, i) == color) return i;
  return -1;
}

TEST(AppearanceColors, StoredColourIsSelectedByNameAndAnUnnamedOneIsKept) {
  struct Case {
    const char* name;
    int tweakId;
    SeedValue stored;
    const char* shown;  // the selected name; "" for none
    std::optional<ColorRef> chosen;  // picked before Apply; nullopt: untouched
    Bytes after;
  };
  const std::string red = "255 0 0";
  const Case cases[] = {
      {"aqua before cyan", 69, Raw(kHKCU, kExplorer.c_str(), "AltColor", {0, 0xFF, 0xFF, 0}), "Aqua", std::nullopt,
       {0, 0xFF, 0xFF, 0}},
      {"binary red", 70, Raw(kHKCU, kExplorer.c_str(), "AltEncryptionColor", {1, 2, 3, 0}), "", Rgb(255, 0, 0),
       {0xFF, 0, 0, 0}},
      {"unnamed binary kept", 69, Raw(kHKCU, kExplorer.c_str(), "AltColor", {1, 2, 3, 0}), "", std::nullopt,
       {1, 2, 3, 0}},
      {"rgb text", 68, Sz(kHKCU, "Control Panel\\Colors", "HotTrackingColor", "0 0 255"), "Blue", Rgb(255, 0, 0),
       Bytes(red.begin(), red.end())},
      {"unnamed text kept", 68, Sz(kHKCU, "Control Panel\\Colors", "HotTrackingColor", "0 102 204"), "", std::nullopt,
       {'0', ' ', '1', '0', '2', ' ', '2', '0', '4'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.Put(c.stored);
    // The page starts on some colour of its own.
    FillColors(h.pages, kComboCheck, 1055);
    h.pages.ComboSetCurSel(kComboCheck, 1055, 17);
    h.Select(c.tweakId);
    EXPECT_EQ(static_cast<int>(kColorCount), h.pages.ComboCount(kComboCheck, 1055));
    EXPECT_EQ(c.shown, h.pages.GetText(kComboCheck, 1055));
    if (c.chosen) h.pages.ComboSetCurSel(kComboCheck, 1055, ItemOfColor(h, *c.chosen));
    h.Apply();
    EXPECT_EQ(c.after, h.Bytes(c.stored.root, c.stored.path, c.stored.name));
    EXPECT_TRUE(h.Recorded(c.tweakId));
  }
}

// --- Combos: 53, 54, 64, 65, 71, 72, 83 ----------------------------------------------

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }
Bytes Number(std::uint32_t n) { return {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), 0, 0}; }

TEST(AppearanceCombos, StoredValuesSelectTheirItemsAndNoSelectionKeepsNumbers) {
  struct Case {
    const char* name;
    int tweakId;
    SeedValue stored;
    int comboId;
    int loads;
    int chosen;    // the item set before Apply
    Bytes after;   // the value's bytes afterwards
  };
  const std::string advanced = kExplorer + "\\Advanced", metrics = kDesktop + "\\WindowMetrics";
  const Case cases[] = {
      {"alignment right", 53, Sz(kHKCU, kDesktop.c_str(), "MenuDropAlignment", "1"), 1021, 1, 0, Text("0")},
      {"alignment other", 53, Sz(kHKCU, kDesktop.c_str(), "MenuDropAlignment", "2"), 1021, 0, 1, Text("1")},
      {"delay unlisted", 54, Sz(kHKCU, kDesktop.c_str(), "MenuShowDelay", "100"), 1021, -1, 3, Text("800")},
      {"delay none", 54, Sz(kHKCU, kDesktop.c_str(), "MenuShowDelay", "100"), 1021, -1, -1, Text("0")},
      {"personalized in other case", 59, Sz(kHKCU, advanced.c_str(), "IntelliMenus", "yes"), 1021, 0, 1, Text("Yes")},
      {"smoothing unlisted", 64, Dw(kHKCU, kDesktop.c_str(), "FontSmoothingType", 3), 1021, -1, -1, Number(3)},
      {"smoothing cleartype", 64, Dw(kHKCU, kDesktop.c_str(), "FontSmoothingType", 1), 1021, 1, 2, Number(2)},
      {"depth 32", 65, Sz(kHKCU, metrics.c_str(), "Shell Icon BPP", "32"), 1021, -1, 0, Text("4")},
      {"depth none", 65, Sz(kHKCU, metrics.c_str(), "Shell Icon BPP", "32"), 1021, -1, -1, Text("24")},
      {"offset 17", 71, Sz(kHKCU, kDesktop.c_str(), "Wallpaperoriginx", "17"), 1021, 17, 2047, Text("2047")},
      {"offset none", 71, Sz(kHKCU, kDesktop.c_str(), "Wallpaperoriginy", "x"), 1022, 0, -1, Text("x")},
      {"thumbnail size", 72, Dw(kHKCU, kExplorer.c_str(), "ThumbnailSize", 256), 1021, 256, -1, Number(256)},
      {"thumbnail quality unlisted", 72, Dw(kHKCU, kExplorer.c_str(), "ThumbnailQuality", 101), 1022, -1, 100, Number(100)},
      {"first icon", 83, Dw(kHKCR, "CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}", "SortOrderIndex", 72), 1021, 0, 1, Number(84)},
      {"first icon none", 83, Dw(kHKCR, "CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}", "SortOrderIndex", 1), 1021, -1, -1, Number(84)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.Put(c.stored);
    h.Select(c.tweakId);
    EXPECT_EQ(c.loads, h.pages.ComboGetCurSel(kComboCheck, c.comboId));
    h.pages.ComboSetCurSel(kComboCheck, c.comboId, c.chosen);
    h.Apply();
    EXPECT_TRUE(h.Alerts().empty());
    EXPECT_EQ(c.after, h.Bytes(c.stored.root, c.stored.path, c.stored.name));
  }
}

TEST(AppearanceCombos, WallpaperOffsetsHold2048ItemsEachAndMatchAPrefix) {
  TweakHarness h;
  h.Put(Sz(kHKCU, kDesktop.c_str(), "Wallpaperoriginx", "3000"));
  h.Put(Sz(kHKCU, kDesktop.c_str(), "Wallpaperoriginy", "204"));
  h.Select(71);
  EXPECT_EQ(2048, h.pages.ComboCount(kComboCheck, 1021));
  EXPECT_EQ(2048, h.pages.ComboCount(kComboCheck, 1022));
  EXPECT_EQ(0, h.pages.ComboGetCurSel(kComboCheck, 1021));  // no item begins "3000"
  EXPECT_EQ(204, h.pages.ComboGetCurSel(kComboCheck, 1022));
  h.Apply();
  EXPECT_EQ("0", h.Text(kHKCU, kDesktop, "Wallpaperoriginx"));
  EXPECT_EQ("204", h.Text(kHKCU, kDesktop, "Wallpaperoriginy"));
}

TEST(AppearanceCombos, ThumbnailSettingsAreWrittenUnderBothRoots) {
  TweakHarness h;
  h.Put(Dw(kHKCU, kExplorer.c_str(), "ThumbnailSize", 96));
  h.Put(Dw(kHKLM, kExplorer.c_str(), "ThumbnailQuality", 30));
  h.Select(72);
  EXPECT_EQ(96, h.pages.ComboGetCurSel(kComboCheck, 1021));
  EXPECT_EQ(0, h.pages.ComboGetCurSel(kComboCheck, 1022));  // the current user has none
  h.pages.ComboSetCurSel(kComboCheck, 1022, 75);
  h.Apply();
  for (RegKey root : {kHKCU, kHKLM}) {
    EXPECT_EQ(96u, h.Dword(root, kExplorer, "ThumbnailSize"));
    EXPECT_EQ(75u, h.Dword(root, kExplorer, "ThumbnailQuality"));
  }
}

// --- Check boxes: 73, 75, 76 ------------------------------------------------------

TEST(AppearanceChecks, ImagePreviewIsOffOnlyWhileItsHandlerIsStoredInAnyCase) {
  struct Case {
    std::optional<const char*> stored;  // nullopt: the key has no default value
    int loads;
  };
  const Case cases[] = {{"{e84fda7c-1d6a-45f6-b725-cb260c236066}", 0},
                        {"{E84FDA7C-1D6A-45F6-B725-CB260C236066}", 0},
                        {"{e84fda7c-1d6a-45f6-b725-cb260c236067}", 1},
                        {std::nullopt, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored.value_or("none"));
    TweakHarness h;
    h.Put(KeyOnly(kHKCR, kPreview.c_str()));
    if (c.stored) h.Put(Sz(kHKCR, kPreview.c_str(), "", *c.stored));
    h.Select(75);
    EXPECT_EQ(c.loads, h.pages.GetCheck(kMultiCheck, 1013));
    h.pages.SetCheck(kMultiCheck, 1013, 1);
    h.Apply();
    EXPECT_FALSE(h.HasValue(kHKCR, kPreview, ""));
    h.Select(75);
    h.pages.SetCheck(kMultiCheck, 1013, 0);
    h.Apply();
    EXPECT_EQ("{e84fda7c-1d6a-45f6-b725-cb260c236066}", h.Text(kHKCR, kPreview, ""));
  }
}

TEST(AppearanceChecks, SmoothScrollingShowsCheckedWithNothingStored) {
  TweakHarness h;
  h.Select(73);
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
}

TEST(AppearanceChecks, FileDialogBoxesTakeTheRootsCrosswise) {
  const std::string comdlg = kPolicies + "\\Comdlg32";
  struct Case {
    int box1013, box1018, box1028;
    std::uint32_t userBack, userMru, machineBack, machineMru, places;
  };
  const Case cases[] = {
      {1, 0, 0, 1, 0, 0, 1, 0},
      {0, 1, 1, 0, 1, 1, 0, 1},
  };
  for (const Case& c : cases) {
    TweakHarness h;
    h.Put(KeyOnly(kHKCU, kPolicies.c_str()));
    h.Put(KeyOnly(kHKLM, kPolicies.c_str()));
    h.Select(76);
    h.pages.SetCheck(kMultiCheck, 1013, c.box1013);
    h.pages.SetCheck(kMultiCheck, 1018, c.box1018);
    h.pages.SetCheck(kMultiCheck, 1028, c.box1028);
    h.Apply();
    EXPECT_EQ(c.userBack, h.Dword(kHKCU, comdlg, "NoBackButton"));
    EXPECT_EQ(c.userMru, h.Dword(kHKCU, comdlg, "NoFileMRU"));
    EXPECT_EQ(c.machineBack, h.Dword(kHKLM, comdlg, "NoBackButton"));
    EXPECT_EQ(c.machineMru, h.Dword(kHKLM, comdlg, "NoFileMRU"));
    EXPECT_EQ(c.places, h.Dword(kHKCU, comdlg, "NoPlacesBar"));
    EXPECT_EQ(c.places, h.Dword(kHKLM, comdlg, "NoPlacesBar"));
    // Each box loads back checked exactly when both its values are 1.
    h.Select(76);
    EXPECT_EQ(c.box1013, h.pages.GetCheck(kMultiCheck, 1013));
    EXPECT_EQ(c.box1018, h.pages.GetCheck(kMultiCheck, 1018));
    EXPECT_EQ(c.box1028, h.pages.GetCheck(kMultiCheck, 1028));
  }
  // A root without "Policies" is skipped.
  TweakHarness h;
  h.Put(KeyOnly(kHKLM, kPolicies.c_str()));
  h.Select(76);
  h.Apply();
  EXPECT_FALSE(h.HasKey(kHKCU, kPolicies));
  EXPECT_TRUE(h.HasKey(kHKLM, comdlg));
}

// --- Change the Recycle Bin Icons (62) --------------------------------------------

TEST(AppearanceIcons, WindowsFolderIsShownAndStoredAsSystemRoot) {
  struct Case {
    const char* name;
    const char* windowsDir;
    const char* shown;    // edit 1015 after loading "%SystemRoot%\System32\shell32.dll,31"
    const char* typed;    // edit 1015 when Apply is pressed
    const char* written;  // the default value afterwards
  };
  const Case cases[] = {
      {"folder", "C:\\WINDOWS", "C:\\WINDOWS\\System32\\shell32.dll,31", "C:\\WINDOWS\\bin.ico;C:\\WINDOWS",
       "%SystemRoot%\\bin.ico;%SystemRoot%"},
      {"other case is no match", "C:\\WINDOWS", "C:\\WINDOWS\\System32\\shell32.dll,31", "c:\\windows\\bin.ico",
       "c:\\windows\\bin.ico"},
      {"no folder", "", "%SystemRoot%\\System32\\shell32.dll,31", "C:\\WINDOWS\\bin.ico", "C:\\WINDOWS\\bin.ico"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.platform.windowsDirectory = c.windowsDir;
    h.Put(Sz(kHKCU, kBinIcon.c_str(), "", "%SystemRoot%\\System32\\shell32.dll,31"));
    h.Put(ExSz(kHKCU, kBinIcon.c_str(), "Full", "%SystemRoot%\\System32\\shell32.dll,32"));
    h.Select(62);
    EXPECT_EQ(c.shown, h.pages.GetText(kEditCheck, 1015));
    EXPECT_EQ("", h.pages.GetText(kEditCheck, 1017));
    h.pages.SetText(kEditCheck, 1015, c.typed);
    h.Apply();
    EXPECT_EQ(c.written, h.Text(kHKCU, kBinIcon, ""));
    EXPECT_EQ("", h.Text(kHKCU, kBinIcon, "Empty"));  // an empty edit is stored empty
    EXPECT_EQ(reg::kSz, h.Type(kHKCU, kBinIcon, "Full"));
    EXPECT_EQ("%SystemRoot%\\System32\\shell32.dll,32", h.Text(kHKCU, kBinIcon, "Full"));
  }
}

// --- Change Desktop Icon Visibility (80) ------------------------------------------

TEST(DesktopIcons, RowsStandForSubkeysOfNameSpace) {
  const std::string bin = kNameSpace + "\\{645FF040-5081-101B-9F08-00AA002F954E}";
  TweakHarness h;
  h.Put(KeyOnly(kHKLM, bin.c_str()));
  h.Select(80);
  ASSERT_EQ(13, h.pages.ListItemCount(page::kList, 1009));
  EXPECT_EQ("Recycle Bin", h.pages.ListItemText(page::kList, 1009, 8, 0));
  for (int row = 0; row < 13; ++row) EXPECT_EQ(row == 8, h.pages.ListGetCheck(page::kList, 1009, row)) << row;
  // Checked creates its subkey, empty.
  h.pages.ListSetCheck(page::kList, 1009, 1, true);
  h.Apply();
  EXPECT_TRUE(h.HasKey(kHKLM, kNameSpace + "\\{D20EA4E1-3957-11d2-A40B-0C5020524152}"));
  // Everything unchecked, twice: every subkey goes, and the second time is harmless.
  for (int pass = 0; pass < 2; ++pass) {
    h.Select(80);
    for (int row = 0; row < 13; ++row) h.pages.ListSetCheck(page::kList, 1009, row, false);
    h.Apply();
    EXPECT_TRUE(h.HasKey(kHKLM, kNameSpace));
    EXPECT_FALSE(h.HasKey(kHKLM, bin));
    h.Select(80);
    for (int row = 0; row < 13; ++row) EXPECT_FALSE(h.pages.ListGetCheck(page::kList, 1009, row)) << row;
  }
}

TEST(DesktopIcons, WithoutNameSpaceNothingIsCreatedButTheChangeIsRecorded) {
  TweakHarness h;
  h.Put(KeyOnly(kHKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop"));
  h.Select(80);
  for (int row = 0; row < 13; ++row) h.pages.ListSetCheck(page::kList, 1009, row, true);
  h.Apply();
  EXPECT_FALSE(h.HasKey(kHKLM, kNameSpace));
  EXPECT_TRUE(h.Recorded(80));
}

// --- Change the Screen Saver Grace Period (82) ------------------------------------

// The page holds its numbers from its creation, as the window's does.
struct GracePeriodHarness : TweakHarness {
  GracePeriodHarness() {
    platform.version = win::kXP;
    FillNumberCombo(pages);
  }
};

TEST(DesktopGracePeriod, LoadSetsBoxSelectionAndEnablingWithoutRefillingTheCombo) {
  struct Case {
    const char* name;
    std::optional<SeedValue> stored;
    int checked;
    int selected;
    std::optional<Bytes> applied;  // the value after an untouched apply
  };
  const Case cases[] = {
      {"text", Sz(kHKLM, kWinlogon.c_str(), "ScreenSaverGracePeriod", "5"), 1, 5, Bytes{'5'}},
      {"number, written as text", Dw(kHKLM, kWinlogon.c_str(), "ScreenSaverGracePeriod", 30), 1, 30, Bytes{'3', '0'}},
      {"beyond the combo", Dw(kHKLM, kWinlogon.c_str(), "ScreenSaverGracePeriod", 10001), 1, -1, Bytes{0x11, 0x27, 0, 0}},
      {"not a number", Sz(kHKLM, kWinlogon.c_str(), "ScreenSaverGracePeriod", "5s"), 1, -1, Bytes{'5', 's'}},
      {"absent", std::nullopt, 0, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GracePeriodHarness h;
    h.Put(KeyOnly(kHKLM, kWinlogon.c_str()));
    if (c.stored) h.Put(*c.stored);
    // What the previous tweak left on the hidden page.
    h.pages.ComboSetCurSel(kSingleCombo, 1021, 9);
    h.pages.EnableControl(kSingleCombo, 1021, !c.checked);
    h.Select(82);
    EXPECT_EQ(10001, h.pages.ComboCount(kSingleCombo, 1021));
    EXPECT_EQ(c.checked, h.pages.GetCheck(kSingleCombo, 1013));
    EXPECT_EQ(c.selected, h.pages.ComboGetCurSel(kSingleCombo, 1021));
    EXPECT_EQ(c.checked == 1, h.pages.IsControlEnabled(kSingleCombo, 1021));
    h.Apply();
    EXPECT_EQ(c.applied, h.Bytes(kHKLM, kWinlogon, "ScreenSaverGracePeriod"));
  }
}

TEST(DesktopGracePeriod, PeriodIsTextThenANumberWhereTextFailsAndUncheckingRemovesIt) {
  GracePeriodHarness h;
  h.Select(82);
  h.pages.SetCheck(kSingleCombo, 1013, 1);
  h.pages.ComboSetCurSel(kSingleCombo, 1021, 5);
  h.Apply();
  EXPECT_EQ(reg::kSz, h.Type(kHKLM, kWinlogon, "ScreenSaverGracePeriod"));
  EXPECT_EQ((Bytes{'5'}), h.Bytes(kHKLM, kWinlogon, "ScreenSaverGracePeriod"));

  // The text write fails: the number goes instead. The write is found by
  // failing each call of the apply in turn.
  bool fellBack = false;
  for (unsigned n = 1; n < 20 && !fellBack; ++n) {
    h.Select(82);
    h.pages.ComboSetCurSel(kSingleCombo, 1021, 7);
    h.registry.FailNthCall(n, reg::kAccessDenied);
    h.Apply();
    fellBack = h.Type(kHKLM, kWinlogon, "ScreenSaverGracePeriod") == reg::kDword;
  }
  ASSERT_TRUE(fellBack);
  EXPECT_EQ(7u, h.Dword(kHKLM, kWinlogon, "ScreenSaverGracePeriod"));

  // No selection leaves the period; unchecked removes it.
  h.Select(82);
  h.pages.ComboSetCurSel(kSingleCombo, 1021, -1);
  h.Apply();
  EXPECT_EQ(7u, h.Dword(kHKLM, kWinlogon, "ScreenSaverGracePeriod"));
  h.Select(82);
  h.pages.SetCheck(kSingleCombo, 1013, 0);
  h.Apply();
  EXPECT_TRUE(h.HasKey(kHKLM, kWinlogon));
  EXPECT_FALSE(h.HasValue(kHKLM, kWinlogon, "ScreenSaverGracePeriod"));
}

// --- Policy pairs (85 to 89) ------------------------------------------------------

TEST(DesktopPolicies, ARootWithoutPoliciesIsSkippedAndExplorerIsCreatedInTheOther) {
  struct Case {
    int tweakId;
    const char* subkey;
    const char* value;
    std::optional<std::uint32_t> unchecked;  // nullopt: removed
  };
  const Case cases[] = {{85, "Explorer", "NoViewContextMenu", std::nullopt},
                        {86, "Explorer", "ClassicShell", std::nullopt},
                        {87, "Explorer", "NoInternetIcon", std::nullopt},
                        {89, "NonEnum", "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", 0u}};
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    const std::string key = kPolicies + "\\" + c.subkey;
    for (int checked = 0; checked < 2; ++checked) {
      TweakHarness h;
      h.platform.version = win::k2000;
      h.Put(KeyOnly(kHKLM, kPolicies.c_str()));
      h.Put(Dw(kHKCU, key.c_str(), c.value, 1));
      h.Select(c.tweakId);
      EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
      EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1018));
      h.pages.SetCheck(kMultiCheck, 1013, checked);
      h.pages.SetCheck(kMultiCheck, 1018, checked);
      h.Apply();
      EXPECT_EQ(checked ? std::optional<std::uint32_t>(1) : c.unchecked, h.Dword(kHKCU, key, c.value));
      EXPECT_EQ(checked ? std::optional<std::uint32_t>(1) : c.unchecked, h.Dword(kHKLM, key, c.value));
      EXPECT_TRUE(h.HasKey(kHKLM, key));
    }
    // Without "Policies" under either root nothing is created.
    TweakHarness h;
    h.platform.version = win::k2000;
    h.Select(c.tweakId);
    h.Apply();
    EXPECT_FALSE(h.HasKey(kHKCU, kPolicies));
    EXPECT_FALSE(h.HasKey(kHKLM, kPolicies));
  }
}

// 89 loads as the Start Menu's tweak of the same title does (the box takes
// the stored state) and shares its history record.
TEST(DesktopPolicies, MyComputerLoadsAsTheStartMenusTweakAndSharesItsDate) {
  const std::string nonEnum = kPolicies + "\\NonEnum";
  const char* value = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
  TweakHarness h;
  h.Put(Dw(kHKCU, nonEnum.c_str(), value, 0));
  h.Put(Dw(kHKLM, nonEnum.c_str(), value, 2));
  h.Select(89);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1018));
  h.Apply();
  EXPECT_EQ(0u, h.Dword(kHKCU, nonEnum, value));
  EXPECT_EQ(1u, h.Dword(kHKLM, nonEnum, value));
  EXPECT_TRUE(h.Recorded(201));
}

// --- Remove My Documents from the Desktop (90) ------------------------------------

TEST(DesktopMyDocuments, TheWindowsFamilyChoosesTheKeyAndTheLoadTestsOneBit) {
  struct Case {
    const char* name;
    OsVersionRecord version;
    std::string parent;
  };
  const Case cases[] = {{"98", win::k98, "Software\\Classes"},
                        {"XP", win::kXP, kExplorer},
                        {"unknown", win::kVista, kExplorer}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string key = c.parent + "\\" + kMyDocsFolder;
    TweakHarness h;
    h.platform.version = c.version;
    h.Put(KeyOnly(kHKCU, c.parent.c_str()));
    h.Put(KeyOnly(kHKLM, c.parent.c_str()));
    h.Put(Dw(kHKCU, key.c_str(), "Attributes", 0x00100000));
    h.Select(90);
    EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
    EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1018));
    h.pages.SetCheck(kMultiCheck, 1018, 1);
    h.pages.SetCheck(kMultiCheck, 1013, 0);
    h.Apply();
    EXPECT_EQ(0xF0400174u, h.Dword(kHKCU, key, "Attributes"));
    EXPECT_EQ(0xF0500174u, h.Dword(kHKLM, key, "Attributes"));
  }
}

// --- Rename or Delete Special Folders (91) ----------------------------------------

TEST(DesktopRecycleBin, TwoBoxesMakeTheFirstByte) {
  struct Case {
    const char* name;
    Bytes stored;
    int rename, remove;  // as loaded
  };
  const Case cases[] = {{"rename", {0x50, 1, 0, 0x20}, 1, 0}, {"delete", {0x60}, 0, 1},
                        {"both", {0x70, 9, 9, 9}, 1, 1},       {"neither", {0x40, 1, 0, 0x20}, 0, 0},
                        {"other", {0x44, 1, 0, 0x20}, 0, 0},   {"empty", {}, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.Put(Raw(kHKCR, kBinFolder.c_str(), "Attributes", c.stored));
    h.Select(91);
    EXPECT_EQ(c.rename, h.pages.GetCheck(kMultiCheck, 1013));
    EXPECT_EQ(c.remove, h.pages.GetCheck(kMultiCheck, 1018));
    h.Apply();
    const std::uint8_t first = c.rename && c.remove ? 0x70 : c.rename ? 0x50 : c.remove ? 0x60 : 0x40;
    EXPECT_EQ((Bytes{first, 0x01, 0x00, 0x20}), h.Bytes(kHKCR, kBinFolder, "Attributes"));
    EXPECT_EQ(reg::kBinary, h.Type(kHKCR, kBinFolder, "Attributes"));
    EXPECT_EQ(0u, h.Dword(kHKCR, kBinFolder, "CallForAttributes"));
  }
}

// --- Show User and Computer Name On Desktop (93) ----------------------------------

TEST(DesktopComputerName, NamesAreComparedExactlyAndARefusalPutsTheBoxBack) {
  TweakHarness h;
  h.Put(ExSz(kHKCR, kMyComputer.c_str(), "LocalizedString", "%username% on %computername%"));
  h.Select(93);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
  h.Apply();
  EXPECT_EQ("My Computer", h.Text(kHKCR, kMyComputer, "LocalizedString"));
  EXPECT_EQ(reg::kExpandSz, h.Type(kHKCR, kMyComputer, "LocalizedString"));

  h.platform.version = win::k98;
  h.Select(93);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ(std::vector<std::string>{h.AlertText(2002)}, h.Alerts());
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
  EXPECT_EQ("My Computer", h.Text(kHKCR, kMyComputer, "LocalizedString"));
}

}  // namespace
}  // namespace corvandel
