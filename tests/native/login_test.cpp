// The Login and Authentication and the Start up and Shutdown tweaks driven
// through the navigator as a user drives them: select, set the controls,
// Apply; then the registry, the page, the alerts and the history are checked.
#include <gtest/gtest.h>

#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {
namespace {

const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kWinlogon9x = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
const std::string kDefaultDesktop = ".DEFAULT\\Control Panel\\Desktop";
const std::string kDefaultColors = ".DEFAULT\\Control Panel\\Colors";
const std::string kUserDesktop = "Control Panel\\Desktop";
const std::string kSystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// --- Version gates and the history ------------------------------------------------

constexpr Versions kNT = Versions::kXP | Versions::k2000 | Versions::kNT4;
constexpr Versions kXP = Versions::kXP;
constexpr Versions kAll =
    Versions::k95 | Versions::k98 | Versions::kMe | Versions::kNT4 | Versions::k2000 | Versions::kXP;
constexpr Versions kAllBut95 = Versions::k98 | Versions::kMe | kNT;

constexpr GateRecord kRecorded = GateRecord::kRecorded;

constexpr GateCase kGates[] = {
    {156, kXP, 2004, false, kRecorded, false},  {158, kNT, 2002, false, kRecorded, false},  {159, kNT, 2002, false, kRecorded, false},
    {160, kXP, 2004, false, kRecorded, false},  {161, kAll, 0, false, kRecorded, true},     {162, kAll, 0, false, kRecorded, true},
    {163, kNT, 2002, false, kRecorded, false},  {164, kXP, 2004, false, kRecorded, false},  {165, kNT, 2002, false, kRecorded, false},
    {166, kXP, 2004, false, kRecorded, false},  {167, kNT, 2002, false, kRecorded, false},  {168, Versions::kXP | Versions::k2000, 2003, false, kRecorded, false},
    {169, kAllBut95, 2018, false, kRecorded, true},                       {170, Versions::k2000, 2019, false, kRecorded, false},
    {172, kNT, 2002, false, kRecorded, false},  {173, kNT, 2002, false, kRecorded, false},  {175, kNT, 2002, false, kRecorded, false},
    {176, kNT, 2002, false, kRecorded, false},  {212, kXP, 2004, false, kRecorded, false},  {213, kAll, 0, false, kRecorded, true},
    {214, kNT, 2002, false, kRecorded, false},  {215, kNT, 2002, false, kRecorded, false},  {216, kNT, 2002, false, kRecorded, false},
    {217, kAll, 0, false, kRecorded, true},     {218, kAll, 0, false, kRecorded, true},     {219, kNT, 2002, false, kRecorded, false},
    {220, kXP, 2004, false, kRecorded, false},  {221, kXP, 2004, false, kRecorded, false},  {223, kNT, 2002, false, kRecorded, false},
    {224, kNT, 2002, false, kRecorded, false},  {225, kAll, 0, false, kRecorded, true},
};

// A refusal shows the alert and changes nothing, the box included; an
// admitted apply records the change.
TEST(LoginGate, EveryVersionIsAdmittedOrRefusedAsTheTweakSays) { SweepGates(kGates); }

// The history is told before any key is opened, so also when the keys are
// missing; nothing is created then but the unread mail key.
TEST(LoginGate, RecordedWithoutTheKeysAndOnlyTheUnreadMailKeyIsCreated) {
  for (const GateCase& gate : kGates) {
    SCOPED_TRACE("TweakId " + std::to_string(gate.tweakId));
    TweakHarness h;
    h.platform.version = gate.tweakId == 170 ? win::k2000 : win::kXP;
    const auto before = h.Snapshot();
    h.Select(gate.tweakId);
    h.ChangeEveryControl();
    h.Apply();
    EXPECT_TRUE(h.Recorded(gate.tweakId));
    EXPECT_TRUE(h.Alerts().empty());
    if (gate.tweakId == 166)
      EXPECT_TRUE(h.HasKey(kHKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\UnreadMail"));
    else
      EXPECT_EQ(before, h.Snapshot());
  }
}

// --- Check boxes --------------------------------------------------------------------

TEST(LoginChecks, BoxesLoadCheckedWhenTheValueHoldsWhatCheckingWrites) {
  const std::string memory = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  const StoredCheck cases[] = {
      {"binary 10", 164, {Raw(kHKCU, "Software\\Microsoft\\MessengerService", "PassportBalloon", {10, 0, 0, 0})}, 1},
      {"binary 1", 164, {Raw(kHKCU, "Software\\Microsoft\\MessengerService", "PassportBalloon", {1, 0, 0, 0})}, 0},
      {"expiry 0", 166, {Dw(kHKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\UnreadMail", "MessageExpiryDays", 0)}, 1},
      {"expiry 3", 166, {Dw(kHKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\UnreadMail", "MessageExpiryDays", 3)}, 0},
      {"shift text 1", 165, {Sz(kHKLM, kWinlogon.c_str(), "IgnoreShiftOverride", "1")}, 1},
      {"shift number 1", 165, {Dw(kHKLM, kWinlogon.c_str(), "IgnoreShiftOverride", 1)}, 0},
      {"forced number 2", 168, {Dw(kHKLM, kWinlogon.c_str(), "ForceAutoLogon", 2)}, 1},
      {"forced text 1", 168, {Sz(kHKLM, kWinlogon.c_str(), "ForceAutoLogon", "1")}, 1},
      {"forced text 0", 168, {Sz(kHKLM, kWinlogon.c_str(), "ForceAutoLogon", "0")}, 0},
      {"page file 2", 215, {Dw(kHKLM, memory.c_str(), "ClearPageFileAtShutdown", 2)}, 1},
      {"modem N", 217, {Sz(kHKLM, "SOFTWARE\\Microsoft\\Ole", "EnableRemoteConnect", "N")}, 1},
      {"modem n", 217, {Sz(kHKLM, "SOFTWARE\\Microsoft\\Ole", "EnableRemoteConnect", "n")}, 0},
      {"boot ok 0", 219, {Sz(kHKLM, kWinlogon.c_str(), "ReportBootOk", "0")}, 1},
      {"boot ok 1", 219, {Sz(kHKLM, kWinlogon.c_str(), "ReportBootOk", "1")}, 0},
      {"power down 1", 223, {Sz(kHKLM, kWinlogon.c_str(), "PowerdownAfterShutdown", "1")}, 1},
      {"hide user 98", 169, {Sz(kHKLM, "Network\\Logon", "DontShowLastUser", "1")}, 1, win::k98},
      {"hide user 98 number", 169, {Dw(kHKLM, "Network\\Logon", "DontShowLastUser", 1)}, 0, win::k98},
      {"hide user NT 4.0", 169, {Dw(kHKLM, kWinlogon.c_str(), "DontDisplayLastUserName", 1)}, 1, win::kNT4},
      {"hide user XP reads the policy", 169, {Dw(kHKLM, kWinlogon.c_str(), "DontDisplayLastUserName", 1)}, 0},
      {"hide user on 95 reads nothing", 169, {Sz(kHKLM, "Network\\Logon", "DontShowLastUser", "1")}, 0, win::k95},
  };
  ExpectCheckedWhenStored(cases);
}

// "IgnoreShiftOverride" (text, removed when unchecked) and
// "IgnoreShiftOveride" (a number) are two values of one key.
TEST(LoginChecks, BothShiftOverrideSpellingsAreKept) {
  TweakHarness h;
  h.Put({Sz(kHKLM, kWinlogon.c_str(), "IgnoreShiftOverride", "1"), Dw(kHKLM, kWinlogon.c_str(), "IgnoreShiftOveride", 0)});
  h.Select(216);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ(std::optional<std::uint32_t>(1), h.Dword(kHKLM, kWinlogon, "IgnoreShiftOveride"));
  EXPECT_EQ("1", h.Text(kHKLM, kWinlogon, "IgnoreShiftOverride"));
  h.Select(165);
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Apply();
  EXPECT_FALSE(h.HasValue(kHKLM, kWinlogon, "IgnoreShiftOverride"));
  EXPECT_EQ(std::optional<std::uint32_t>(1), h.Dword(kHKLM, kWinlogon, "IgnoreShiftOveride"));
}

TEST(LoginChecks, UndockingIsStoredAsFourBytesOfBinaryPerScope) {
  TweakHarness h;
  h.Put({KeyOnly(kHKCU, kSystemPolicies.c_str()), KeyOnly(kHKLM, kSystemPolicies.c_str())});
  h.Select(212);
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  h.Apply();
  EXPECT_EQ(std::optional<std::uint32_t>(reg::kBinary), h.Type(kHKCU, kSystemPolicies, "UndockWithoutLogon"));
  EXPECT_EQ((std::vector<std::uint8_t>{0, 0, 0, 0}), h.Bytes(kHKCU, kSystemPolicies, "UndockWithoutLogon"));
  EXPECT_EQ(std::optional<std::uint32_t>(reg::kBinary), h.Type(kHKLM, kSystemPolicies, "UndockWithoutLogon"));
  EXPECT_EQ((std::vector<std::uint8_t>{1, 0, 0, 0}), h.Bytes(kHKLM, kSystemPolicies, "UndockWithoutLogon"));
  h.Select(212);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1018));
}

// --- Hide the Last User Name and the legal notice: keys by version ------------------

struct VersionedWrite {
  OsVersionRecord version;
  std::string path;
  const char* value;
  bool asText;  // "1"; otherwise the number 1
};

TEST(LoginVersions, HideLastUserNameWritesTheValueOfTheRunningFamily) {
  const VersionedWrite cases[] = {
      {win::kNT4, kWinlogon, "DontDisplayLastUserName", false},
      {win::k2000, kSystemPolicies, "DontDisplayLastUserName", false},
      {win::kXP, kSystemPolicies, "DontDisplayLastUserName", false},
      {win::k98, "Network\\Logon", "DontShowLastUser", true},
      {win::kMe, "Network\\Logon", "DontShowLastUser", true},
  };
  for (const VersionedWrite& c : cases) {
    SCOPED_TRACE(c.path + " " + std::to_string(c.version.minorVersion));
    TweakHarness h;
    h.platform.version = c.version;
    h.Put({KeyOnly(kHKLM, kWinlogon.c_str()), KeyOnly(kHKLM, kSystemPolicies.c_str()), KeyOnly(kHKLM, "Network\\Logon")});
    h.Select(169);
    h.pages.SetCheck(kMultiCheck, 1013, 1);
    const auto before = h.Snapshot();
    h.Apply();
    if (c.asText)
      EXPECT_EQ("1", h.Text(kHKLM, c.path, c.value));
    else
      EXPECT_EQ(std::optional<std::uint32_t>(1), h.Dword(kHKLM, c.path, c.value));
    auto after = h.Snapshot();
    EXPECT_EQ(1u, [&] {  // exactly one key changed
      std::size_t changed = 0;
      for (const auto& [key, values] : after) changed += before.at(key) != values;
      return changed;
    }());
  }
}

TEST(LoginVersions, LegalNoticeUsesTheFamilysKeyAndRecordsOnlyOnTheNtFamily) {
  struct Case {
    NamedVersion version;
    const std::string* loadKey;
    const std::string* applyKey;
    bool recorded;
  };
  const Case cases[] = {
      {kAllVersions[0], &kWinlogon9x, &kWinlogon9x, false}, {kAllVersions[1], &kWinlogon9x, &kWinlogon9x, false},
      {kAllVersions[2], &kWinlogon9x, &kWinlogon9x, false}, {kAllVersions[3], &kWinlogon, &kWinlogon, true},
      {kAllVersions[4], &kWinlogon, &kWinlogon, true},      {kAllVersions[5], &kWinlogon, &kWinlogon, true},
      {kAllVersions[6], &kWinlogon, &kWinlogon9x, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version.name);
    TweakHarness h;
    h.platform.version = c.version.record;
    for (const std::string* key : {&kWinlogon, &kWinlogon9x}) {
      h.Put(Sz(kHKLM, key->c_str(), "LegalNoticeCaption", key == c.loadKey ? "Loaded" : "Other"));
      h.Put(Sz(kHKLM, key->c_str(), "LegalNoticeText", "Text"));
    }
    h.Select(171);
    EXPECT_EQ("Loaded", h.pages.GetText(kEditCheck, 1015));
    EXPECT_EQ("Text", h.pages.GetText(kEditCheck, 1017));
    h.pages.SetText(kEditCheck, 1015, "Notice");
    h.pages.SetText(kEditCheck, 1017, "");
    h.Apply();
    EXPECT_TRUE(h.Alerts().empty());
    EXPECT_EQ(c.recorded, h.Recorded(171));
    EXPECT_EQ("Notice", h.Text(kHKLM, *c.applyKey, "LegalNoticeCaption"));
    EXPECT_FALSE(h.HasValue(kHKLM, *c.applyKey, "LegalNoticeText"));
    const std::string& other = c.applyKey == &kWinlogon ? kWinlogon9x : kWinlogon;
    EXPECT_EQ("Text", h.Text(kHKLM, other, "LegalNoticeText"));
  }
}

// --- Automatic logon -----------------------------------------------------------------

TEST(LoginAutoLogon, LoadsTheLogonAndForcedEitherWay) {
  struct Case {
    const char* what;
    SeedValue admin, force;
    int autoBox, resetBox;
  };
  const char* key = kWinlogon.c_str();
  const Case cases[] = {
      {"on, forced by text", Sz(kHKLM, key, "AutoAdminLogon", "1"), Sz(kHKLM, key, "ForceAutoLogon", "1"), 1, 0},
      {"off, forced by number", Sz(kHKLM, key, "AutoAdminLogon", "0"), Dw(kHKLM, key, "ForceAutoLogon", 1), 0, 0},
      {"not forced", Sz(kHKLM, key, "AutoAdminLogon", "1"), Sz(kHKLM, key, "ForceAutoLogon", "0"), 1, 1},
      {"forced by 2", Sz(kHKLM, key, "AutoAdminLogon", "01"), Dw(kHKLM, key, "ForceAutoLogon", 2), 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TweakHarness h;
    h.Put({c.admin, c.force, Sz(kHKLM, key, "DefaultUserName", "Tester"), Sz(kHKLM, key, "DefaultDomainName", "HOME")});
    h.Select(158);
    EXPECT_EQ(c.autoBox, h.pages.GetCheck(kEditCheck, 1013));
    EXPECT_EQ(c.resetBox, h.pages.GetCheck(kEditCheck, 1018));
    EXPECT_EQ("Tester", h.pages.GetText(kEditCheck, 1015));
    EXPECT_EQ("", h.pages.GetText(kEditCheck, 1017));
    EXPECT_EQ("HOME", h.pages.GetText(kEditCheck, 1025));
  }
}

TEST(LoginAutoLogon, EmptyEditsRemoveTheirValuesAndAnUncheckedResetForcesByText) {
  TweakHarness h;
  h.Put(FirstState(158).values);
  h.Select(158);
  EXPECT_EQ(0, h.pages.GetCheck(kEditCheck, 1018));
  for (int edit : {1015, 1017, 1025}) h.pages.SetText(kEditCheck, edit, "");
  h.pages.SetCheck(kEditCheck, 1013, 0);
  h.Apply();
  EXPECT_EQ("0", h.Text(kHKLM, kWinlogon, "AutoAdminLogon"));
  for (const char* value : {"DefaultUserName", "DefaultPassword", "DefaultDomainName"})
    EXPECT_FALSE(h.HasValue(kHKLM, kWinlogon, value)) << value;
  EXPECT_EQ("1", h.Text(kHKLM, kWinlogon, "ForceAutoLogon"));
  EXPECT_EQ("Explorer.exe", h.Text(kHKLM, kWinlogon, "Shell"));

  h.pages.SetCheck(kEditCheck, 1018, 1);
  h.Apply();
  EXPECT_FALSE(h.HasValue(kHKLM, kWinlogon, "ForceAutoLogon"));
}

// --- Screen saver ------------------------------------------------------------------------

TEST(LoginScreenSaver, SystemFolderPathsAreStoredByName) {
  struct Case {
    const char* windowsDir;
    const char* typed;
    std::optional<std::string> stored;  // nothing: removed
  };
  const Case cases[] = {
      {"C:\\WINDOWS", "C:\\WINDOWS\\system32\\logon.scr", "logon.scr"},
      {"C:\\WINDOWS", "\"C:\\WINDOWS\\system32\\logon.scr\"", "logon.scr"},
      {"C:\\WINDOWS", "C:\\WINDOWS\\System32\\logon.scr", "logon.scr"},
      {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM32\\logon.scr", "C:\\WINDOWS\\SYSTEM32\\logon.scr"},
      {"C:\\WINDOWS", "c:\\windows\\system32\\logon.scr", "c:\\windows\\system32\\logon.scr"},
      {"C:\\WINDOWS", "\"D:\\Savers\\stars.scr\"", "D:\\Savers\\stars.scr"},
      {"C:\\WINDOWS", "\"\"", std::nullopt},
      {"C:\\WINDOWS", "", std::nullopt},
      // An unknown Windows directory strips no folder.
      {"", "C:\\WINDOWS\\system32\\logon.scr", "C:\\WINDOWS\\system32\\logon.scr"},
      {"", "\\system32\\logon.scr", "\\system32\\logon.scr"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.windowsDir) + " " + c.typed);
    TweakHarness h;
    h.platform.windowsDirectory = c.windowsDir;
    h.Put(FirstState(159).values);
    h.Select(159);
    h.pages.SetText(kEditCheck, 1015, c.typed);
    h.Apply();
    EXPECT_EQ(c.stored, h.Text(kHKU, kDefaultDesktop, "SCRNSAVE.EXE"));
  }
}

TEST(LoginScreenSaver, TheBoxEnablesItsRowsAndUncheckedStillWritesThem) {
  TweakHarness h;
  h.Put(FirstState(159).values);
  h.Select(159);
  EXPECT_EQ(1, h.pages.GetCheck(kEditCheck, 1013));
  EXPECT_EQ("logon.scr", h.pages.GetText(kEditCheck, 1015));
  EXPECT_EQ("600", h.pages.GetText(kEditCheck, 1017));
  for (int id : {1015, 1017, 1023}) EXPECT_TRUE(h.pages.IsControlEnabled(kEditCheck, id)) << id;

  h.pages.SetCheck(kEditCheck, 1013, 0);
  h.pages.SetText(kEditCheck, 1015, "ssstars.scr");
  h.pages.SetText(kEditCheck, 1017, "");
  h.Apply();
  EXPECT_EQ("0", h.Text(kHKU, kDefaultDesktop, "ScreenSaveActive"));
  EXPECT_EQ("ssstars.scr", h.Text(kHKU, kDefaultDesktop, "SCRNSAVE.EXE"));
  EXPECT_FALSE(h.HasValue(kHKU, kDefaultDesktop, "ScreenSaveTimeOut"));

  h.Select(159);
  for (int id : {1015, 1017, 1023}) EXPECT_FALSE(h.pages.IsControlEnabled(kEditCheck, id)) << id;
}

// --- Logon screen colour and wallpaper --------------------------------------------------

TEST(LoginColor, AStoredNamedColourIsChosenAndOthersShowNoChoice) {
  struct Case {
    const char* stored;  // nullptr: absent
    const char* shown;   // the chosen item; "" for none
  };
  const Case cases[] = {
      // Aqua comes before Cyan; without blanks red and green are 0 and blue the rest.
      {"70 130 180", "SteelBlue"}, {"0 255 255", "Aqua"},  {"255", "Blue"},
      {"58 110 165", ""},          {nullptr, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "absent");
    TweakHarness h;
    h.Put(c.stored ? Sz(kHKLM, kWinlogon.c_str(), "Background", c.stored) : KeyOnly(kHKLM, kWinlogon.c_str()));
    // Whatever colour the page showed before does not survive.
    h.Select(161);
    h.pages.ComboSetCurSel(kComboCheck, 1055, 7);
    h.Select(161);
    const int selected = h.pages.ComboGetCurSel(kComboCheck, 1055);
    EXPECT_EQ(c.shown, selected < 0 ? "" : h.pages.ComboItemText(kComboCheck, 1055, selected));
  }
}

TEST(LoginColor, AChosenColourGoesToBothBackgroundsAndRemovesTheWallpaper) {
  TweakHarness h;
  h.Put({Sz(kHKLM, kWinlogon.c_str(), "Background", "70 130 180"), KeyOnly(kHKU, kDefaultColors.c_str()),
         Sz(kHKU, kDefaultDesktop.c_str(), "Wallpaper", "C:\\WINDOWS\\logon.bmp")});
  h.Select(161);
  h.Apply();
  EXPECT_EQ("70 130 180", h.Text(kHKLM, kWinlogon, "Background"));
  EXPECT_EQ("70 130 180", h.Text(kHKU, kDefaultColors, "Background"));
  EXPECT_EQ("(None)", h.Text(kHKU, kDefaultDesktop, "Wallpaper"));

  h.pages.ComboSelectString(kComboCheck, 1055, -1, "Black");
  h.Apply();
  EXPECT_EQ("0 0 0", h.Text(kHKLM, kWinlogon, "Background"));
  EXPECT_EQ("0 0 0", h.Text(kHKU, kDefaultColors, "Background"));
}

// The usual desktop blue has no name: an untouched apply keeps it and the
// wallpaper, and is still recorded.
TEST(LoginColor, NoChoiceKeepsAnUnnamedColour) {
  TweakHarness h;
  h.Put({Sz(kHKLM, kWinlogon.c_str(), "Background", "58 110 165"), Sz(kHKU, kDefaultColors.c_str(), "Background", "58 110 165"),
         Sz(kHKU, kDefaultDesktop.c_str(), "Wallpaper", "bliss.bmp")});
  const auto before = h.Snapshot();
  h.Select(161);
  h.Apply();
  EXPECT_EQ(before, h.Snapshot());
  EXPECT_TRUE(h.Recorded(161));
}

TEST(LoginWallpaper, AnEmptyEditKeepsTheWallpaperAndTheRestIsAlwaysWritten) {
  TweakHarness h;
  h.Put({Sz(kHKU, kDefaultDesktop.c_str(), "Wallpaper", "old.bmp"), Sz(kHKU, kDefaultDesktop.c_str(), "Pattern", "1 2 3")});
  h.Select(162);
  EXPECT_EQ("old.bmp", h.pages.GetText(kEditCheck, 1015));
  EXPECT_EQ(0, h.pages.GetCheck(kEditCheck, 1013));
  h.pages.SetText(kEditCheck, 1015, "");
  h.Apply();
  EXPECT_EQ("old.bmp", h.Text(kHKU, kDefaultDesktop, "Wallpaper"));
  EXPECT_EQ("0", h.Text(kHKU, kDefaultDesktop, "TileWallpaper"));
  EXPECT_EQ("(None)", h.Text(kHKU, kDefaultDesktop, "Pattern"));

  h.pages.SetText(kEditCheck, 1015, "\"C:\\My Pictures\\logon.bmp\"");
  h.pages.SetCheck(kEditCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ("\"C:\\My Pictures\\logon.bmp\"", h.Text(kHKU, kDefaultDesktop, "Wallpaper"));
  EXPECT_EQ("1", h.Text(kHKU, kDefaultDesktop, "TileWallpaper"));
}

// --- Edits and combos --------------------------------------------------------------------

TEST(LoginEdits, AnEmptyDialogTitleWritesAndRemovesNothing) {
  TweakHarness h;
  h.Put(FirstState(163).values);
  h.Select(163);
  h.pages.SetText(kEditCheck, 1015, "");
  h.Apply();
  EXPECT_EQ(" - Office", h.Text(kHKLM, kWinlogon, "Welcome"));
}

TEST(LoginEdits, AutoLogonCountIsANumberOnXpAndTheTextAsTypedElsewhere) {
  struct Case {
    NamedVersion version;
    const char* typed;
    std::optional<std::uint32_t> number;  // stored as a number
    std::optional<std::string> text;      // stored as text; neither: removed or kept
    bool kept;                            // the stored count stays
  };
  const NamedVersion xp = kAllVersions[5], w2000 = kAllVersions[4], nt4 = kAllVersions[3];
  const Case cases[] = {
      {xp, "0", {}, {}, false},        {xp, "", {}, {}, false},          {xp, "abc", {}, {}, false},
      {xp, "3 apples", 3, {}, false},  {xp, "-2", 0xFFFFFFFE, {}, false}, {xp, "99999999999", {}, {}, true},
      {w2000, "0", {}, {}, false},     {w2000, "", {}, {}, false},       {w2000, "abc", {}, {}, false},
      {w2000, "3 apples", {}, "3 apples", false},                        {w2000, "99999999999", {}, "99999999999", false},
      {nt4, " 7", {}, " 7", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version.name) + " \"" + c.typed + "\"");
    TweakHarness h;
    h.platform.version = c.version.record;
    h.Put(Dw(kHKLM, kWinlogon.c_str(), "AutoLogonCount", 5));
    h.Select(172);
    EXPECT_EQ("5", h.pages.GetText(kEditCheck, 1015));
    h.pages.SetText(kEditCheck, 1015, c.typed);
    h.Apply();
    if (c.kept) {
      EXPECT_EQ(std::optional<std::uint32_t>(5), h.Dword(kHKLM, kWinlogon, "AutoLogonCount"));
    } else if (c.number) {
      EXPECT_EQ(std::optional<std::uint32_t>(reg::kDword), h.Type(kHKLM, kWinlogon, "AutoLogonCount"));
      EXPECT_EQ(c.number, h.Dword(kHKLM, kWinlogon, "AutoLogonCount"));
    } else if (c.text) {
      EXPECT_EQ(std::optional<std::uint32_t>(reg::kSz), h.Type(kHKLM, kWinlogon, "AutoLogonCount"));
      EXPECT_EQ(c.text, h.Text(kHKLM, kWinlogon, "AutoLogonCount"));
    } else {
      EXPECT_FALSE(h.HasValue(kHKLM, kWinlogon, "AutoLogonCount"));
    }
  }
}

TEST(LoginCombos, CachedLogonsListZeroToFiftyAndStoreTheChosenText) {
  TweakHarness h;
  h.Put(Sz(kHKLM, kWinlogon.c_str(), "CachedLogonsCount", "10"));
  h.Select(173);
  ASSERT_EQ(51, h.pages.ComboCount(kComboCheck, 1021));
  for (int i = 0; i <= 50; ++i) EXPECT_EQ(std::to_string(i), h.pages.ComboItemText(kComboCheck, 1021, i));
  EXPECT_EQ(10, h.pages.ComboGetCurSel(kComboCheck, 1021));
  h.pages.ComboSetCurSel(kComboCheck, 1021, 50);
  h.Apply();
  EXPECT_EQ("50", h.Text(kHKLM, kWinlogon, "CachedLogonsCount"));
}

TEST(LoginCombos, NoChoiceWritesNothing) {
  struct Case {
    int tweakId;
    SeedValue stored;
  };
  const std::string prefetch =
      "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters";
  const Case cases[] = {
      {160, KeyOnly(kHKLM, kWinlogon.c_str())},
      {173, Sz(kHKLM, kWinlogon.c_str(), "CachedLogonsCount", "51")},
      {176, Dw(kHKLM, kWinlogon.c_str(), "ForceUnlockLogon", 2)},
      {221, Dw(kHKLM, prefetch.c_str(), "EnablePrefetcher", 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.Put(c.stored);
    h.Select(c.tweakId);
    EXPECT_EQ(-1, h.pages.ComboGetCurSel(kComboCheck, 1021));
    const auto before = h.Snapshot();
    h.Apply();
    EXPECT_EQ(before, h.Snapshot());
    EXPECT_TRUE(h.Recorded(c.tweakId));
  }
}

// --- Hung applications -------------------------------------------------------------------

TEST(StartupHungApplications, TimesMapToTheirRowsBothWays) {
  struct Case {
    const char* stored;  // nullptr: absent
    int row;
  };
  const Case cases[] = {{"1000", 0},  {"5000", 2},  {"5000 ms", 2}, {" 300000", 7}, {"15000", 4},
                        {"abc", 4},   {"99999999999", 4}, {nullptr, 4}};
  constexpr int kMilliseconds[] = {1000, 2000, 5000, 10000, 20000, 30000, 60000, 300000};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "absent");
    TweakHarness h;
    h.Put({c.stored ? Sz(kHKCU, kUserDesktop.c_str(), "WaitToKillAppTimeout", c.stored) : KeyOnly(kHKCU, kUserDesktop.c_str()),
           Sz(kHKCU, kUserDesktop.c_str(), "AutoEndTasks", "1"), KeyOnly(kHKU, kDefaultDesktop.c_str())});
    h.Select(213);
    EXPECT_EQ(c.row, h.pages.ComboGetCurSel(kComboCheck, 1021));
    EXPECT_EQ(1, h.pages.GetCheck(kComboCheck, 1013));
    h.Apply();
    for (const auto& [root, path] : {std::pair{kHKCU, kUserDesktop}, std::pair{kHKU, kDefaultDesktop}}) {
      EXPECT_EQ(std::to_string(kMilliseconds[c.row]), h.Text(root, path, "WaitToKillAppTimeout")) << path;
      EXPECT_EQ("1", h.Text(root, path, "AutoEndTasks")) << path;
    }
  }
}

TEST(StartupHungApplications, NoChoiceWritesTheDefaultTimeAndAMissingProfileIsSkipped) {
  TweakHarness h;
  h.Put({Sz(kHKCU, kUserDesktop.c_str(), "AutoEndTasks", "0")});
  h.Select(213);
  h.pages.ComboSetCurSel(kComboCheck, 1021, -1);
  h.Apply();
  EXPECT_EQ("20000", h.Text(kHKCU, kUserDesktop, "WaitToKillAppTimeout"));
  EXPECT_EQ("0", h.Text(kHKCU, kUserDesktop, "AutoEndTasks"));
  EXPECT_FALSE(h.HasKey(kHKU, kDefaultDesktop));
}

TEST(StartupHungApplications, ResponseTimeIsRequiredAndWrittenAsTypedToBothProfiles) {
  TweakHarness h;
  h.Put(FirstState(225).values);
  h.Select(225);
  EXPECT_EQ("5000", h.pages.GetText(kEditCheck, 1015));
  h.pages.SetText(kEditCheck, 1015, "");
  const auto before = h.Snapshot();
  h.Apply();
  EXPECT_EQ(std::vector<std::string>{h.AlertText(2020)}, h.Alerts());
  EXPECT_TRUE(h.Recorded(225));
  EXPECT_EQ(before, h.Snapshot());

  h.pages.SetText(kEditCheck, 1015, "never");
  h.Apply();
  EXPECT_EQ("never", h.Text(kHKCU, kUserDesktop, "HungAppTimeout"));
  EXPECT_EQ("never", h.Text(kHKU, kDefaultDesktop, "HungAppTimeout"));
}

}  // namespace
}  // namespace corvandel
