// The System tweaks driven through the navigator as a user drives them:
// select, set the controls, Apply; then the registry, the page, the alerts
// and the history are checked.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {
namespace {

const std::string kPoliciesNt = "SOFTWARE\\Policies\\Microsoft\\Windows NT";
const std::string kProtection = kPoliciesNt + "\\Windows File Protection";
const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kExplorerPolicy = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kPowerCfg = "Control Panel\\PowerCfg";
const std::string kDefaultPowerCfg = ".DEFAULT\\Control Panel\\PowerCfg";
const std::string kUpdate = "Software\\Policies\\Microsoft\\Windows\\WindowsUpdate";
const std::string kUpdateAu = kUpdate + "\\AU";
const std::string kTime = "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters";
const std::string kUsb9x = "SYSTEM\\CurrentControlSet\\Services\\Class\\Usb\\0000";
const std::string kUsbNt = "SYSTEM\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}\\0000";

// --- Version gates and the history --------------------------------------------------

constexpr Versions kNT = Versions::kXP | Versions::k2000 | Versions::kNT4;
constexpr Versions k2K = Versions::kXP | Versions::k2000;
constexpr Versions kXP = Versions::kXP;
constexpr Versions k98 = Versions::kXP | Versions::k2000 | Versions::kMe | Versions::k98;
constexpr Versions kAny = Versions::k95 | k98 | kNT;

constexpr GateCase kGates[] = {
    {228, kAny, 0},    {229, kAny, 0},    {230, k2K, 2003},  {231, k2K, 2003},  {232, k2K, 2003},
    {233, k2K, 2003},  {234, k2K, 2003},  {235, k2K, 2003},  {236, k2K, 2003},  {237, k2K, 2003},
    {240, kAny, 0},    {241, kNT, 2002},  {242, k2K, 2003},  {243, kXP, 2004},  {244, k2K, 2003},
    {245, kXP, 2004},  {247, kNT, 2002},  {248, k2K, 2003},  {249, k2K, 2003},  {253, k2K, 2003},
    {254, k2K, 2003},  {255, k2K, 2003},  {256, k2K, 2003},  {257, kAny, 0},    {258, k2K, 2003},
    {262, k2K, 2003},  {263, kAny, 0},    {264, kNT, 2002},  {265, k98, 2015},  {266, kAny, 0},
    {267, k2K, 2003},  {268, kNT, 2002},  {269, k98, 2015},  {270, k2K, 2003},  {272, k2K, 2003},
};

// A refusal alerts and leaves the registry, the history and the page as they
// are; an admitted apply records, whatever it then writes.
TEST(SystemGate, EveryVersionIsAdmittedOrRefusedAsTheTweakSays) { SweepGates(kGates); }

// With none of its keys present every apply still records; only the tweaks
// that create their key write anything.
TEST(SystemHistory, RecordedWithoutKeysAndKeysCreatedOnlyWhereTheTweakCreatesThem) {
  const std::set<int> creating = {229, 253, 254, 255, 256, 266, 270, 272};
  for (const GateCase& gate : kGates) {
    SCOPED_TRACE("TweakId " + std::to_string(gate.tweakId));
    TweakHarness h;
    const auto before = h.Snapshot();
    h.Select(gate.tweakId);
    h.ChangeEveryControl();
    h.Apply();
    EXPECT_TRUE(h.Recorded(gate.tweakId));
    EXPECT_EQ(creating.count(gate.tweakId) == 1, before != h.Snapshot());
  }
}

// --- Cleared boxes ----------------------------------------------------------------------

TEST(SystemChecks, ClearedBoxesWriteOrRemoveAsTheTweakSays) {
  struct Case {
    int tweakId;
    RegKey root;
    std::string path;
    const char* value;
    std::optional<std::uint32_t> number;  // nothing: removed (unless text is given)
    const char* text = nullptr;
  };
  const Case cases[] = {
      {240, kHKLM, "SOFTWARE\\Microsoft\\Ole", "EnableDCOM", std::nullopt, "Y"},
      {242, kHKLM, "SOFTWARE\\Microsoft\\DirectPlayNATHelp\\DPNHUPnP", "UPnPMode", std::nullopt},
      {256, kHKCU, "Software\\Policies\\Microsoft\\Windows\\App Management", "COMClassStore", 0u},
      {262, kHKLM, "SYSTEM\\CurrentControlSet\\Control\\WOW", "DefaultSeparateVDM", std::nullopt, "No"},
      {264, kHKLM, "SYSTEM\\CurrentControlSet\\Control\\Keyboard Layout", "Scancode Map", std::nullopt},
      {265, kHKCU, kExplorerPolicy, "NoDevMgrUpdate", std::nullopt},
      {266, kHKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL", "", std::nullopt, ""},
      {267, kHKCU, kExplorerPolicy, "NoManageMyComputerVerb", std::nullopt},
      {272, kHKCU, kExplorerPolicy, "MemCheckBoxInRunDlg", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.Put(FirstState(c.tweakId).values);
    h.Select(c.tweakId);
    ASSERT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
    h.pages.SetCheck(kMultiCheck, 1013, 0);
    h.Apply();
    if (c.text) {
      EXPECT_EQ(c.text, h.Text(c.root, c.path, c.value));
      EXPECT_EQ(reg::kSz, h.Type(c.root, c.path, c.value));
    } else {
      EXPECT_EQ(c.number, h.Dword(c.root, c.path, c.value));
    }
    EXPECT_TRUE(h.HasKey(c.root, c.path));
  }
}

// A box whose key is missing is skipped; the other boxes are written.
TEST(SystemChecks, BoxesOverMissingKeysAreSkipped) {
  {
    TweakHarness h;
    h.Put({Sz(kHKCR, "JSFile\\Shell", "", "Open"), KeyOnly(kHKCR, "VBSFile\\Shell")});
    h.Select(228);
    for (int box : {1013, 1018, 1028, 1032, 1033, 1034}) h.pages.SetCheck(kMultiCheck, box, 1);
    h.Apply();
    EXPECT_EQ("Edit", h.Text(kHKCR, "JSFile\\Shell", ""));
    EXPECT_EQ("Edit", h.Text(kHKCR, "VBSFile\\Shell", ""));
    for (const char* missing : {"JSEFile", "VBEFile", "WSHFile", "WSFFile"}) EXPECT_FALSE(h.HasKey(kHKCR, missing));
  }
  {
    TweakHarness h;
    h.Put(Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Services\\SSDPSRV", "Start", 3));
    h.Select(243);
    h.pages.SetCheck(kMultiCheck, 1013, 1);
    h.pages.SetCheck(kMultiCheck, 1018, 1);
    h.Apply();
    EXPECT_EQ(4u, h.Dword(kHKLM, "SYSTEM\\CurrentControlSet\\Services\\SSDPSRV", "Start"));
    EXPECT_FALSE(h.HasKey(kHKLM, "SYSTEM\\CurrentControlSet\\Services\\upnphost"));
  }
}

// --- Combo boxes without a selection ------------------------------------------------------

// A stored value that names no item loads as no selection. Where no selection
// has no meaning of its own it writes nothing (a start type of 1 or a
// pointer-sized index would break the service or the setting); where it
// stands for "not set" it removes the value.
TEST(SystemCombos, StoredValuesOutsideTheListShowNoSelection) {
  struct Case {
    int tweakId;
    int pageId;
    std::vector<int> combos;
    std::vector<SeedValue> seed;
    RegKey root;
    std::string path;
    const char* value;
    bool removes;
  };
  const std::string policySystem = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  const Case cases[] = {
      {229, kComboCheck, {1021}, {Dw(kHKCU, "SOFTWARE\\Microsoft\\Windows Script Host\\Settings", "TrustPolicy", 3)},
       kHKCU, "SOFTWARE\\Microsoft\\Windows Script Host\\Settings", "TrustPolicy", false},
      {236, kComboCheck, {1021, 1022}, {Dw(kHKCU, policySystem.c_str(), "RunLogonScriptSync", 2), Dw(kHKLM, policySystem.c_str(), "RunLogonScriptSync", 7)},
       kHKLM, policySystem, "RunLogonScriptSync", false},
      {237, kComboCheck, {1021}, {Dw(kHKLM, policySystem.c_str(), "RunStartupScriptSync", 2)},
       kHKLM, policySystem, "RunStartupScriptSync", false},
      {241, kComboCheck, {1021}, {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Services\\Messenger", "Start", 1)},
       kHKLM, "SYSTEM\\CurrentControlSet\\Services\\Messenger", "Start", false},
      {247, kComboCheck, {1021}, {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters", "Size", 0)},
       kHKLM, "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters", "Size", false},
      {257, kComboCheck, {1021}, {Sz(kHKCU, kPowerCfg.c_str(), "CurrentPowerPolicy", "0"), Dw(kHKU, kDefaultPowerCfg.c_str(), "CurrentPowerPolicy", 2)},
       kHKU, kDefaultPowerCfg, "CurrentPowerPolicy", false},
      {249, kEditCombo, {1021, 1022, 1029}, {Dw(kHKLM, kTime.c_str(), "Period", 100)}, kHKLM, kTime, "Period", true},
      {254, kComboCheck, {1021}, {Dw(kHKLM, kWinlogon.c_str(), "SFCScan", 3)}, kHKLM, kWinlogon, "SFCScan", true},
      {258, kComboCheck, {1021}, {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", "SafeDllSearchMode", 2)},
       kHKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", "SafeDllSearchMode", true},
      {270, kEditCombo, {1029}, {Dw(kHKLM, kUpdateAu.c_str(), "ScheduledInstallTime", 24)},
       kHKLM, kUpdateAu, "ScheduledInstallTime", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.Put(c.seed);
    h.Select(c.tweakId);
    for (int combo : c.combos) EXPECT_EQ(-1, h.pages.ComboGetCurSel(c.pageId, combo)) << combo;
    const auto before = h.Snapshot();
    h.Apply();
    EXPECT_TRUE(h.Recorded(c.tweakId));
    if (c.removes) {
      EXPECT_FALSE(h.HasValue(c.root, c.path, c.value));
      EXPECT_TRUE(h.HasKey(c.root, c.path));
    } else {
      EXPECT_EQ(before, h.Snapshot());
    }
  }
}

TEST(SystemCombos, TimeSynchronisationClearedRemovesAllButTheServer) {
  TweakHarness h;
  h.Put(FirstState(249).values);
  h.Select(249);
  EXPECT_EQ(3, h.pages.ComboGetCurSel(kEditCombo, 1021));
  EXPECT_EQ(1, h.pages.ComboGetCurSel(kEditCombo, 1029));
  EXPECT_FALSE(h.pages.IsControlVisible(kEditCombo, 1030));
  h.pages.SetText(kEditCombo, 1015, "");
  for (int combo : {1021, 1022, 1029}) h.pages.ComboSetCurSel(kEditCombo, combo, -1);
  h.Apply();
  EXPECT_EQ("", h.Text(kHKLM, kTime, "NtpServer"));
  for (const char* value : {"Period", "ReliableTimeSource", "Type"}) EXPECT_FALSE(h.HasValue(kHKLM, kTime, value));
}

// The install time: item i is hour i + 1, and "24-hour " is midnight, 0.
TEST(SystemCombos, InstallTimeLoadsAndWritesTheSameHour) {
  for (std::uint32_t stored = 0; stored < 24; ++stored) {
    SCOPED_TRACE("hour " + std::to_string(stored));
    TweakHarness h;
    h.Put(Dw(kHKLM, kUpdateAu.c_str(), "ScheduledInstallTime", stored));
    h.Select(270);
    const int item = h.pages.ComboGetCurSel(kEditCombo, 1029);
    EXPECT_EQ(stored == 0 ? 23 : static_cast<int>(stored) - 1, item);
    EXPECT_EQ(std::to_string(stored == 0 ? 24 : stored) + "-hour ", h.pages.ComboItemText(kEditCombo, 1029, item));
    h.pages.ComboSetCurSel(kEditCombo, 1029, (item + 1) % 24);
    h.Apply();
    EXPECT_EQ((stored + 1) % 24, h.Dword(kHKLM, kUpdateAu, "ScheduledInstallTime"));
  }
  TweakHarness h;
  h.Select(270);
  EXPECT_TRUE(h.pages.IsControlVisible(kEditCombo, 1030));
  EXPECT_FALSE(h.pages.IsControlVisible(kEditCombo, 1015));
  EXPECT_EQ(0, h.pages.ComboGetCurSel(kEditCombo, 1030));
  EXPECT_EQ(-1, h.pages.ComboGetCurSel(kEditCombo, 1029));
  // An unknown mode shows "Enable", as a missing one does, and is written so.
  h.Put(Dw(kHKLM, kUpdateAu.c_str(), "NoAutoUpdate", 7));
  h.Select(270);
  EXPECT_EQ(0, h.pages.ComboGetCurSel(kEditCombo, 1030));
  h.Apply();
  EXPECT_EQ(0u, h.Dword(kHKLM, kUpdateAu, "NoAutoUpdate"));
}

// --- Windows File Protection ----------------------------------------------------------------

TEST(SystemFileProtection, CacheFolderBelowTheWindowsDirectoryIsStoredWithSystemRoot) {
  struct Case {
    const char* windowsDir;
    const char* typed;
    const char* stored;
  };
  const Case cases[] = {
      {"C:\\WINDOWS", "C:\\WINDOWS\\system32\\dllcache", "%SystemRoot%\\system32\\dllcache"},
      {"C:\\WINDOWS", "c:\\windows\\system32\\dllcache", "c:\\windows\\system32\\dllcache"},  // with its case
      {"C:\\WINDOWS", "C:\\WINDOWS\\a;C:\\WINDOWS\\b", "%SystemRoot%\\a;%SystemRoot%\\b"},
      {"C:\\W", "C:\\W\\C:\\W", "%SystemRoot%\\%SystemRoot%"},
      {"", "C:\\WINDOWS\\dllcache", "C:\\WINDOWS\\dllcache"},  // unknown directory: nothing replaced
      {"C:\\WINDOWS", "D:\\cache", "D:\\cache"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    TweakHarness h;
    h.platform.windowsDirectory = c.windowsDir;
    h.Put(KeyOnly(kHKLM, kWinlogon.c_str()));
    h.Select(255);
    h.pages.SetText(kEditCheck, 1015, c.typed);
    h.Apply();
    for (const std::string& key : {kProtection, kWinlogon}) {
      EXPECT_EQ(c.stored, h.Text(kHKLM, key, "SFCDllCacheDir"));
      EXPECT_EQ(reg::kSz, h.Type(kHKLM, key, "SFCDllCacheDir"));
    }
  }
}

// Values load from the policy key where it holds them, otherwise from Winlogon.
TEST(SystemFileProtection, PolicyKeyComesFirstOnLoad) {
  TweakHarness h;
  h.Put({Dw(kHKLM, kProtection.c_str(), "SFCScan", 2), Dw(kHKLM, kWinlogon.c_str(), "SFCScan", 1),
         Sz(kHKLM, kWinlogon.c_str(), "SFCDllCacheDir", "%SystemRoot%\\cache")});
  h.Select(254);
  EXPECT_EQ(2, h.pages.ComboGetCurSel(kComboCheck, 1021));
  h.Select(255);
  EXPECT_EQ("%SystemRoot%\\cache", h.pages.GetText(kEditCheck, 1015));
  EXPECT_TRUE(h.pages.IsControlVisible(kEditCheck, 1023));
}

// A removal that leaves the policy key without values removes the key with
// its subkeys; Winlogon is never removed. Unchecking 253 writes 0.
TEST(SystemFileProtection, EmptiedPolicyKeyIsRemoved) {
  struct Case {
    int tweakId;
    const char* value;
    bool otherPolicyValue;
  };
  const Case cases[] = {{254, "SFCScan", false}, {254, "SFCScan", true}, {255, "SFCDllCacheDir", false},
                        {255, "SFCDllCacheDir", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.tweakId) + (c.otherPolicyValue ? " with another value" : " alone"));
    TweakHarness h;
    h.Put({Dw(kHKLM, kProtection.c_str(), c.value, 1), KeyOnly(kHKLM, (kProtection + "\\Sub").c_str()),
           Dw(kHKLM, kWinlogon.c_str(), c.value, 1)});
    if (c.otherPolicyValue) h.Put(Dw(kHKLM, kProtection.c_str(), "SFCQuota", 50));
    h.Select(c.tweakId);
    if (c.tweakId == 254)
      h.pages.ComboSetCurSel(kComboCheck, 1021, -1);
    else
      h.pages.SetText(kEditCheck, 1015, "");
    h.Apply();
    EXPECT_EQ(c.otherPolicyValue, h.HasKey(kHKLM, kProtection));
    EXPECT_FALSE(h.HasValue(kHKLM, kProtection, c.value));
    EXPECT_TRUE(h.HasKey(kHKLM, kPoliciesNt));
    EXPECT_TRUE(h.HasKey(kHKLM, kWinlogon));
    EXPECT_FALSE(h.HasValue(kHKLM, kWinlogon, c.value));
  }
  TweakHarness h;
  h.Put(FirstState(253).values);
  h.Select(253);
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Apply();
  EXPECT_EQ(0u, h.Dword(kHKLM, kProtection, "SFCShowProgress"));
  EXPECT_EQ(0u, h.Dword(kHKLM, kWinlogon, "SFCShowProgress"));
}

// --- Power scheme ------------------------------------------------------------------------------

TEST(SystemPower, SchemeIsTheFirstFourBytesAndGoesToBothProfiles) {
  struct Case {
    const char* name;
    SeedValue stored;
    int item;
  };
  const Case cases[] = {
      {"number", Dw(kHKCU, kPowerCfg.c_str(), "CurrentPowerPolicy", 5), 5},
      {"two bytes", Raw(kHKCU, kPowerCfg.c_str(), "CurrentPowerPolicy", {4, 0}), 4},
      {"long binary", Raw(kHKCU, kPowerCfg.c_str(), "CurrentPowerPolicy", {3, 0, 0, 0, 9, 9}), 3},
      {"text", Sz(kHKCU, kPowerCfg.c_str(), "CurrentPowerPolicy", "0"), -1},  // "0" reads 48
      {"empty text", Sz(kHKCU, kPowerCfg.c_str(), "CurrentPowerPolicy", ""), 0},
      {"not set", KeyOnly(kHKCU, kPowerCfg.c_str()), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.Put(c.stored);
    h.Select(257);
    EXPECT_EQ(c.item, h.pages.ComboGetCurSel(kComboCheck, 1021));
  }
  // Written as a number to the user's key and to the default profile's,
  // which is not created where it is missing.
  TweakHarness h;
  h.Put(Sz(kHKCU, kPowerCfg.c_str(), "CurrentPowerPolicy", "3"));
  h.Select(257);
  h.pages.ComboSetCurSel(kComboCheck, 1021, 2);
  h.Apply();
  EXPECT_EQ(2u, h.Dword(kHKCU, kPowerCfg, "CurrentPowerPolicy"));
  EXPECT_EQ(reg::kDword, h.Type(kHKCU, kPowerCfg, "CurrentPowerPolicy"));
  EXPECT_FALSE(h.HasKey(kHKU, kDefaultPowerCfg));
  h.Put(KeyOnly(kHKU, kDefaultPowerCfg.c_str()));
  h.Apply();
  EXPECT_EQ(2u, h.Dword(kHKU, kDefaultPowerCfg, "CurrentPowerPolicy"));
}

// --- USB polling ---------------------------------------------------------------------------------

TEST(SystemUsb, KeyFollowsTheRunningVersion) {
  for (const NamedVersion& version : kAllVersions) {
    SCOPED_TRACE(version.name);
    TweakHarness h;
    h.platform.version = version.record;
    h.Put({Dw(kHKLM, kUsb9x.c_str(), "IdleEnable", 1), Dw(kHKLM, kUsbNt.c_str(), "IdleEnable", 0)});
    h.Select(269);
    const bool is9x = Admits(Versions::k98 | Versions::kMe, version.bit);
    const bool isNt = Admits(k2K, version.bit);
    EXPECT_EQ(is9x ? 1 : 0, h.pages.GetCheck(kMultiCheck, 1013));
    EXPECT_TRUE(h.pages.IsControlVisible(kMultiCheck, 1013));
    h.pages.SetCheck(kMultiCheck, 1013, is9x ? 0 : 1);
    h.Apply();
    EXPECT_EQ(is9x ? 0u : 1u, h.Dword(kHKLM, kUsb9x, "IdleEnable"));
    EXPECT_EQ(isNt ? 1u : 0u, h.Dword(kHKLM, kUsbNt, "IdleEnable"));
    EXPECT_EQ(is9x || isNt ? 0u : 1u, h.Alerts().size());
  }
}

// --- Software update server: shown only -----------------------------------------------------------

TEST(SystemUpdateServer, ShowsTheServerWithoutAnApplyButtonAndWritesNothing) {
  struct Case {
    const char* name;
    std::vector<SeedValue> seed;
    bool checked;
    const char* server;  // nullptr: the edit is empty
  };
  const Case cases[] = {
      {"set", {Sz(kHKLM, kUpdate.c_str(), "WUStatusServer", "http://wsus"), Dw(kHKLM, kUpdateAu.c_str(), "UseWUServer", 0)}, true, "http://wsus"},
      {"flag as text", {KeyOnly(kHKLM, kUpdate.c_str()), Sz(kHKLM, kUpdateAu.c_str(), "UseWUServer", "")}, true, nullptr},
      {"not set", {KeyOnly(kHKLM, kUpdate.c_str())}, false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TweakHarness h;
    h.Put(c.seed);
    h.Select(259);
    EXPECT_TRUE(h.pages.IsPageVisible(kEditCheck));
    EXPECT_FALSE(h.pages.IsControlVisible(page::kMainWindow, page::kApplyButton));
    EXPECT_EQ(c.checked ? 1 : 0, h.pages.GetCheck(kEditCheck, 1013));
    EXPECT_FALSE(h.pages.IsControlEnabled(kEditCheck, 1013));  // shown, not changed
    EXPECT_FALSE(h.pages.IsControlEnabled(kEditCheck, 1017));
    EXPECT_EQ(c.server ? c.server : "", h.pages.GetText(kEditCheck, 1017));
    EXPECT_FALSE(h.pages.IsControlVisible(kEditCheck, 1024));
    const auto before = h.Snapshot();
    h.ChangeEveryControl();
    h.Apply();
    EXPECT_EQ(before, h.Snapshot());
    EXPECT_FALSE(h.Recorded(259));
  }
  // The next tweak shows the button again.
  TweakHarness h;
  h.Select(259);
  h.Select(258);
  EXPECT_TRUE(h.pages.IsControlVisible(page::kMainWindow, page::kApplyButton));
  EXPECT_TRUE(h.pages.IsControlEnabled(kEditCheck, 1013));
}

}  // namespace
}  // namespace corvandel
