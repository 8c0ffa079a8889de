// The Troubleshooting and root-level tweaks driven through the navigator as a
// user drives them: select, set the controls, Apply; then the registry, the
// page, the alerts and the history are checked.
#include <gtest/gtest.h>

#include "pages/page_handlers.h"
#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {
namespace {

const std::string kCrash = "SYSTEM\\CurrentControlSet\\Control\\CrashControl";
const std::string kNtVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kDiagnostics = kNtVersion + "\\Diagnostics";
const std::string kInstaller = "Software\\Policies\\Microsoft\\Windows\\Installer";
const std::string kMirror = "Software\\Microsoft\\Windows\\CurrentVersion\\Group Policy Objects\\LocalMachine";
const std::string kMirrorInstaller = kMirror + "\\Software\\Policies\\Microsoft\\Windows\\Installer";
const std::string kMenuHandlers = "Directory\\Background\\shellex\\ContextMenuHandlers";
const std::string kOffice = "Software\\Microsoft\\Office\\10.0";
const std::string kSafeMode = "Software\\Microsoft\\Internet Explorer\\Desktop\\SafeMode\\General";
const std::string kKeyboard = "Control Panel\\Keyboard";
const std::string kNtWindows = kNtVersion + "\\Windows";
const std::string kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const std::string k9xVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const std::string kDesktop = "Control Panel\\Desktop";

// --- Version gates and the history --------------------------------------------------

constexpr Versions kNT = Versions::kXP | Versions::k2000 | Versions::kNT4;
constexpr Versions k2K = Versions::kXP | Versions::k2000;
constexpr Versions kXP = Versions::kXP;
constexpr Versions k98 = Versions::kXP | Versions::k2000 | Versions::kMe | Versions::k98;
constexpr Versions kAny = Versions::k95 | Versions::k98 | Versions::kMe | kNT;
using enum GateRecord;

constexpr GateCase kGates[] = {
    {275, kNT, 2002, false, kRecorded},  {276, kNT, 2002, false, kRecorded},  {277, kNT, 2002, false, kRecorded},  {278, kNT, 2002, false, kRecorded},
    {279, k2K, 2003, false, kRecorded},  {280, k2K, 2003, false, kRecorded},  {283, kNT, 2002, false, kRecorded},  {284, k2K, 2003, false, kRecorded},
    {285, k2K, 2003, false, kRecorded},  {286, k2K, 2003, false, kRecorded},  {287, kAny, 0, false, kRecorded},    {289, kAny, 0, false, kRecorded},
    {290, kAny, 0, false, kRecorded},    {292, kAny, 0, false, kRecorded},    {295, k98, 2015, false, kRecorded},  {296, k2K, 2003, false, kRecorded},
    {297, kNT, 2002, false, kRecorded},  {299, kAny, 0, false, kRecorded},    {300, k2K, 2003, false, kRecorded},  {301, kXP, 2004, false, kRecorded},
    {302, k2K, 2003, false, kRecorded},  {303, kAny, 0, false, kRecorded},    {305, kXP, 2004, false, kRecorded},  {306, kAny, 0, false, kRecorded},
    {307, kAny, 0, false, kRecorded},    {308, kAny, 0, false, kOn9xOnly},  {309, kAny, 0, false, kRecorded},
};

// A refusal shows its alert, writes and records nothing and leaves the page as
// the user set it; an admitted apply writes the changed page and records as
// the tweak does. 308 finds an owner stored on 95, 98 and Me too.
TEST(TroubleshootingGate, EveryVersionIsAdmittedOrRefusedAsTheTweakSays) {
  SweepGates(kGates, {.admittedWrites = true, .seed = [](TweakHarness& h, int tweakId) {
                        if (tweakId == 308) h.Put(Sz(kHKLM, k9xVersion.c_str(), "RegisteredOwner", "Jim"));
                      }});
}

// With none of its keys present an apply writes nothing (286 and 289 create
// their key under a parent that is missing too), yet records at the gate.
TEST(TroubleshootingHistory, MissingKeysWriteNothingButTheChangeIsRecorded) {
  for (const GateCase& gate : kGates) {
    if (gate.tweakId == 286) continue;  // its key is created: see EventLogging below
    SCOPED_TRACE("TweakId " + std::to_string(gate.tweakId));
    TweakHarness h;
    const auto before = h.Snapshot();
    h.Select(gate.tweakId);
    h.ChangeEveryControl();
    h.Apply();
    EXPECT_EQ(before, h.Snapshot());
    EXPECT_EQ(gate.history == kRecorded, h.Recorded(gate.tweakId));
  }
}

// --- %SystemRoot% and %USERPROFILE% ------------------------------------------------

TEST(TroubleshootingPaths, TheWindowsFolderIsWrittenAsSystemRootAndShownAsItself) {
  struct Case {
    const char* what;
    std::string windowsDirectory;
    std::string typed;
    std::string stored;
  };
  const Case cases[] = {
      {"below it", "C:\\WINDOWS", "C:\\WINDOWS\\Minidump", "%SystemRoot%\\Minidump"},
      {"twice", "C:\\WINDOWS", "C:\\WINDOWS\\a;C:\\WINDOWS\\b", "%SystemRoot%\\a;%SystemRoot%\\b"},
      {"in lower case", "C:\\WINDOWS", "c:\\windows\\Minidump", "c:\\windows\\Minidump"},
      {"elsewhere", "C:\\WINDOWS", "D:\\Dumps", "D:\\Dumps"},
      {"unknown folder", "", "C:\\WINDOWS\\Minidump", "C:\\WINDOWS\\Minidump"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TweakHarness h;
    h.platform.windowsDirectory = c.windowsDirectory;
    h.Put(KeyOnly(kHKLM, kCrash.c_str()));
    h.Select(279);
    h.pages.SetText(kEditCheck, 1015, c.typed);
    h.Apply();
    EXPECT_EQ(c.stored, h.Text(kHKLM, kCrash, "MinidumpDir"));
    EXPECT_EQ(reg::kExpandSz, h.Type(kHKLM, kCrash, "MinidumpDir"));
    h.Select(279);
    EXPECT_EQ(c.windowsDirectory.empty() ? c.stored : c.typed, h.pages.GetText(kEditCheck, 1015));
  }
  // An unknown Windows folder shows the variable as it is stored.
  TweakHarness h;
  h.platform.windowsDirectory = "";
  h.Put(ExSz(kHKLM, kCrash.c_str(), "DumpFile", "%SystemRoot%\\MEMORY.DMP"));
  h.Select(280);
  EXPECT_EQ("%SystemRoot%\\MEMORY.DMP", h.pages.GetText(kEditCheck, 1015));
}

// The safe mode background's browse result keeps its quotes in the stored text.
TEST(TroubleshootingPaths, SafeModeBackgroundKeepsTheBrowsedQuotes) {
  TweakHarness h;
  h.Put(KeyOnly(kHKCU, kSafeMode.c_str()));
  h.platform.browseAnswers.push_back("C:\\WINDOWS\\Web\\safe mode.bmp");
  h.Select(295);
  ASSERT_TRUE(OnBrowseButton(h.pages, h.platform, h.Nav().CurrentPage(), kEditCheck, 1023));
  EXPECT_EQ("\"C:\\WINDOWS\\Web\\safe mode.bmp\"", h.pages.GetText(kEditCheck, 1015));
  h.Apply();
  EXPECT_EQ("\"%SystemRoot%\\Web\\safe mode.bmp\"", h.Text(kHKCU, kSafeMode, "Wallpaper"));
  EXPECT_EQ(reg::kSz, h.Type(kHKCU, kSafeMode, "Wallpaper"));
}

// The profile folder the page swaps with %USERPROFILE%: the shell's, else
// the one the application-data folder gives, and none on Windows Me.
TEST(TroubleshootingPaths, SpecialFoldersUseTheShellsProfileFolder) {
  struct Case {
    const char* what;
    OsVersionRecord version;
    const char* appData;
    const char* shell;    // CSIDL_PROFILE, "" where the shell reports none
    const char* profile;  // what stands for %USERPROFILE%, "" for nothing
  };
  const char* const kAppData9x = "C:\\WINDOWS\\Application Data";
  const char* const kAppDataNt4 = "C:\\WINNT\\Profiles\\Jo\\Application Data";
  const char* const kAppData2k = "C:\\Documents and Settings\\Jo\\Application Data";
  const char* const kAppDataLater = "C:\\users\\jo\\AppData\\Roaming";
  const Case cases[] = {
      {"98",              {1, 4, 10}, kAppData9x,    "",                                "C:\\WINDOWS"},
      {"98 profiles",     {1, 4, 10}, kAppData9x,    "C:\\WINDOWS\\Profiles\\Jo",       "C:\\WINDOWS\\Profiles\\Jo"},
      {"Me",              {1, 4, 90}, kAppData9x,    "",                                ""},
      {"Me profiles",     {1, 4, 90}, kAppData9x,    "C:\\WINDOWS\\Profiles\\Jo",       ""},
      {"NT 4.0",          {2, 4, 0},  kAppDataNt4,   "",                                "C:\\WINNT\\Profiles\\Jo"},
      {"NT 4.0 shell",    {2, 4, 0},  kAppDataNt4,   "C:\\WINNT\\Profiles\\Jo",         "C:\\WINNT\\Profiles\\Jo"},
      {"2000",            {2, 5, 0},  kAppData2k,    "",                                "C:\\Documents and Settings\\Jo"},
      {"2000 shell",      {2, 5, 0},  kAppData2k,    "C:\\Documents and Settings\\Jo",  "C:\\Documents and Settings\\Jo"},
      {"XP",              {2, 5, 1},  kAppData2k,    "",                                "C:\\Documents and Settings\\Jo"},
      {"XP shell",        {2, 5, 1},  kAppData2k,    "C:\\Documents and Settings\\Jo",  "C:\\Documents and Settings\\Jo"},
      {"later",           {2, 6, 1},  kAppDataLater, "",                                kAppDataLater},
      {"later shell",     {2, 6, 1},  kAppDataLater, "C:\\users\\jo",                   "C:\\users\\jo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TweakHarness h;
    h.platform.version = c.version;
    h.platform.appDataFolder = c.appData;
    h.platform.profileFolder = c.shell;
    const std::string profile = c.profile;
    h.Put(ExSz(kHKCU, kShellFolders.c_str(), "Favorites", "%USERPROFILE%\\Favorites"));
    h.Select(306);
    EXPECT_EQ(profile.empty() ? "%USERPROFILE%\\Favorites" : profile + "\\Favorites", h.pages.GetText(kEditBrowse, 1025));
    const std::string typed = std::string(c.shell[0] ? c.shell : c.appData) + "\\Links";
    h.pages.SetText(kEditBrowse, 1025, typed);
    h.Apply();
    const bool inProfile = !profile.empty() && typed.starts_with(profile);
    EXPECT_EQ(inProfile ? "%USERPROFILE%" + typed.substr(profile.size()) : typed, h.Text(kHKCU, kShellFolders, "Favorites"));
    EXPECT_EQ(reg::kExpandSz, h.Type(kHKCU, kShellFolders, "Favorites"));
  }
}

// The page's reset only hides it: a folder shown for one selection is not
// left in its edit for the next, and an emptied edit keeps its value.
TEST(TroubleshootingPaths, SpecialFoldersSetEveryEditAndSkipEmptyOnes) {
  TweakHarness h;
  h.Put({ExSz(kHKCU, kShellFolders.c_str(), "Personal", "D:\\Docs"), ExSz(kHKCU, kShellFolders.c_str(), "Cache", "E:\\Cache")});
  h.Select(306);
  EXPECT_EQ("D:\\Docs", h.pages.GetText(kEditBrowse, 1049));
  EXPECT_EQ("Internet Cache:", h.pages.GetText(kEditBrowse, 1039));
  for (int browse : {1023, 1026, 1027, 1048, 1050}) EXPECT_TRUE(h.pages.IsControlVisible(kEditBrowse, browse));
  h.pages.SetText(kEditBrowse, 1042, "");
  h.pages.SetText(kEditBrowse, 1015, "F:\\Cookies");
  h.Apply();
  EXPECT_EQ("E:\\Cache", h.Text(kHKCU, kShellFolders, "Cache"));
  EXPECT_EQ("F:\\Cookies", h.Text(kHKCU, kShellFolders, "Cookies"));
  EXPECT_FALSE(h.HasValue(kHKCU, kShellFolders, "Desktop"));

  TweakHarness empty;
  empty.Select(306);
  empty.pages.SetText(kEditBrowse, 1049, "left over");
  empty.Select(0);
  empty.Select(306);
  EXPECT_EQ("", empty.pages.GetText(kEditBrowse, 1049));
}

// --- Check boxes ------------------------------------------------------------------

TEST(TroubleshootingChecks, BoxesLoadFromTheirValues) {
  const char* kPolicy = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  const char* kTs = "SYSTEM\\CurrentControlSet\\Control\\Terminal Server";
  const char* kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
  const char* kNewMenu = "Directory\\Background\\shellex\\ContextMenuHandlers\\New";
  const StoredCheck cases[] = {
      {"log event 2", 276, {Dw(kHKLM, kCrash.c_str(), "LogEvent", 2)}, 1},
      {"log event as text", 276, {Sz(kHKLM, kCrash.c_str(), "LogEvent", "1")}, 0},
      {"alert 5", 278, {Dw(kHKLM, kCrash.c_str(), "SendAlert", 5)}, 1},
      {"verbose without its partner", 284, {Dw(kHKLM, kPolicy, "verbosestatus", 1)}, 1},
      {"status messages off only", 284, {Dw(kHKLM, kPolicy, "DisableStatusMessages", 0)}, 0},
      {"debug level 1", 285, {Dw(kHKLM, kWinlogon, "UserEnvDebugLevel", 1)}, 1},
      {"new menu, other handler", 289, {Sz(kHKCR, kNewMenu, "", "x")}, 1},
      {"new menu key alone", 289, {KeyOnly(kHKCR, kNewMenu)}, 0},
      {"style sheets yes", 290, {Sz(kHKCU, "Software\\Microsoft\\Internet Explorer\\Main", "Use StyleSheets", "Yes")}, 1},
      {"style sheets no", 290, {Sz(kHKCU, "Software\\Microsoft\\Internet Explorer\\Main", "Use StyleSheets", "no")}, 0},
      {"shortcut bar kept", 292, {Dw(kHKCU, kOffice.c_str(), "Shortcut Bar", 0)}, 0},
      {"shortcut bar gone", 292, {KeyOnly(kHKCU, kOffice.c_str())}, 1},
      {"no office", 292, {}, 0},
      {"numlock 2", 297, {Sz(kHKCU, kKeyboard.c_str(), "InitialKeyboardIndicators", "2")}, 1},
      {"numlock 2 and more", 297, {Sz(kHKCU, kKeyboard.c_str(), "InitialKeyboardIndicators", "2147483650")}, 0},
      {"stepping y", 299, {Sz(kHKLM, "SOFTWARE\\Microsoft\\Active Setup", "SteppingMode", "y")}, 0},
      {"remote help only", 301, {Dw(kHKLM, kTs, "AllowTSConnections", 0), Dw(kHKLM, kTs, "fDenyTSConnections", 1), Dw(kHKLM, kTs, "fAllowToGetHelp", 1)}, 0},
      {"large pages 1", 302, {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management", "LargePageMinimum", 1)}, 0},
  };
  ExpectCheckedWhenStored(cases);
}

TEST(TroubleshootingChecks, DebugLoggingNoteNamesTheLogInTheWindowsFolder) {
  TweakHarness h;
  h.platform.windowsDirectory = "D:\\WINNT";
  h.Select(285);
  EXPECT_EQ("Note:\n\tyou may need to restart or log out of Windows for the change to take effect.\n"
            "The log file is written to theD:\\WINNT\\Debug\\UserMode\\Userenv.log file.",
            h.pages.GetText(kMultiCheck, 1024));
  EXPECT_TRUE(h.pages.IsControlVisible(kMultiCheck, 1024));
}

TEST(TroubleshootingChecks, EventLoggingRemovesOnlyAnEmptyDiagnosticsKeyWhenCleared) {
  const std::vector<std::string> values = {"RunDiagnosticLoggingGlobal", "RunDiagnosticLoggingGroupPolicy",
                                           "RunDiagnosticLoggingAppDeploy", "RunDiagnosticLoggingIntelliMirror"};
  {  // One box checked creates the key and writes all four values.
    TweakHarness h;
    h.Put(KeyOnly(kHKLM, kNtVersion.c_str()));
    h.Select(286);
    h.pages.SetCheck(kMultiCheck, 1028, 1);
    h.Apply();
    for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(i == 2 ? 1u : 0u, h.Dword(kHKLM, kDiagnostics, values[i]));
    // All cleared: the key goes.
    h.pages.SetCheck(kMultiCheck, 1028, 0);
    h.Apply();
    EXPECT_FALSE(h.HasKey(kHKLM, kDiagnostics));
    EXPECT_TRUE(h.HasKey(kHKLM, kNtVersion));
  }
  {  // A key that has a subkey stays, values and all.
    TweakHarness h;
    h.Put({Dw(kHKLM, kDiagnostics.c_str(), values[0].c_str(), 1), KeyOnly(kHKLM, (kDiagnostics + "\\Other").c_str())});
    h.Select(286);
    EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
    h.pages.SetCheck(kMultiCheck, 1013, 0);
    h.Apply();
    EXPECT_EQ(1u, h.Dword(kHKLM, kDiagnostics, values[0]));
    EXPECT_TRUE(h.Recorded(286));
  }
}

TEST(TroubleshootingChecks, InstallerLoggingClearedKeepsTheOtherMirroredPolicies) {
  TweakHarness h;
  h.Put({Sz(kHKLM, kInstaller.c_str(), "Logging", "voicewarmup"), Sz(kHKCU, kMirrorInstaller.c_str(), "Logging", "voicewarmup"),
         Dw(kHKCU, kMirrorInstaller.c_str(), "DisableMSI", 1), Dw(kHKLM, kInstaller.c_str(), "DisableMSI", 1)});
  h.Select(287);
  EXPECT_EQ(1, h.pages.GetCheck(page::kListCheck, 1013));
  h.pages.SetCheck(page::kListCheck, 1013, 0);
  h.Apply();
  EXPECT_FALSE(h.HasValue(kHKLM, kInstaller, "Logging"));
  EXPECT_FALSE(h.HasValue(kHKCU, kMirrorInstaller, "Logging"));
  EXPECT_EQ(1u, h.Dword(kHKCU, kMirrorInstaller, "DisableMSI"));
  // One record dates both tweaks of this title.
  EXPECT_TRUE(h.Recorded(287));
  EXPECT_TRUE(h.Recorded(41));
}

TEST(TroubleshootingChecks, NewMenuIsCreatedUnderItsOpenedParentAndRemovedWhenCleared) {
  const std::string newMenu = kMenuHandlers + "\\New";
  TweakHarness h;
  h.Put(KeyOnly(kHKCR, kMenuHandlers.c_str()));
  h.Select(289);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ("{D969A300-E7FF-11d0-A93B-00A0C90F2719}", h.Text(kHKCR, newMenu, ""));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Apply();
  EXPECT_FALSE(h.HasKey(kHKCR, newMenu));
  EXPECT_TRUE(h.HasKey(kHKCR, kMenuHandlers));
}

TEST(TroubleshootingChecks, OfficeShortcutBarUncheckedWritesNothingAndChecksItselfAgain) {
  TweakHarness h;
  h.Put(Dw(kHKCU, kOffice.c_str(), "Shortcut Bar", 7));
  const auto before = h.Snapshot();
  h.Select(292);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
  h.Apply();
  EXPECT_EQ(before, h.Snapshot());
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));
  EXPECT_TRUE(h.Recorded(292));
  h.Apply();  // checked now: the settings go
  EXPECT_FALSE(h.HasValue(kHKCU, kOffice, "Shortcut Bar"));
  EXPECT_TRUE(h.HasKey(kHKCU, kOffice));
}

TEST(TroubleshootingChecks, NumLockWritesTheCurrentUserAndAnExistingDefaultProfile) {
  {
    TweakHarness h;
    h.Put(KeyOnly(kHKCU, kKeyboard.c_str()));
    h.Put(KeyOnly(kHKU, ".DEFAULT"));
    h.Select(297);
    EXPECT_TRUE(h.pages.IsControlVisible(kMultiCheck, 1018));
    h.pages.SetCheck(kMultiCheck, 1013, 1);
    h.pages.SetCheck(kMultiCheck, 1018, 1);
    h.Apply();
    EXPECT_EQ("2", h.Text(kHKCU, kKeyboard, "InitialKeyboardIndicators"));
    EXPECT_FALSE(h.HasKey(kHKU, ".DEFAULT\\Control Panel"));
    EXPECT_FALSE(h.HasKey(kHKLM, kKeyboard));
  }
  {
    TweakHarness h;
    h.Put({KeyOnly(kHKCU, kKeyboard.c_str()), KeyOnly(kHKU, ".DEFAULT\\Control Panel\\Keyboard")});
    h.Select(297);
    h.pages.SetCheck(kMultiCheck, 1018, 1);
    h.Apply();
    EXPECT_EQ("0", h.Text(kHKCU, kKeyboard, "InitialKeyboardIndicators"));
    EXPECT_EQ("2", h.Text(kHKU, ".DEFAULT\\Control Panel\\Keyboard", "InitialKeyboardIndicators"));
  }
}

TEST(TroubleshootingChecks, CheckingWritesEveryValueOfTheBoxAndUncheckingRemovesOrClears) {
  const std::string policy = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  const std::string ts = "SYSTEM\\CurrentControlSet\\Control\\Terminal Server";
  TweakHarness h;
  h.Put({KeyOnly(kHKLM, policy.c_str()), KeyOnly(kHKLM, ts.c_str())});
  h.Select(284);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ(0u, h.Dword(kHKLM, policy, "DisableStatusMessages"));
  EXPECT_EQ(1u, h.Dword(kHKLM, policy, "verbosestatus"));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Apply();
  EXPECT_FALSE(h.HasValue(kHKLM, policy, "DisableStatusMessages"));
  EXPECT_FALSE(h.HasValue(kHKLM, policy, "verbosestatus"));

  h.Select(301);
  h.Apply();  // unchecked: Remote Desktop is denied as well
  EXPECT_EQ(0u, h.Dword(kHKLM, ts, "AllowTSConnections"));
  EXPECT_EQ(1u, h.Dword(kHKLM, ts, "fDenyTSConnections"));
  EXPECT_EQ(0u, h.Dword(kHKLM, ts, "fAllowToGetHelp"));
}

// --- Combo boxes --------------------------------------------------------------------

TEST(TroubleshootingCombos, NoSelectionWritesNothingOrRemovesAsTheTweakSays) {
  struct Case {
    int tweakId;
    std::string path;
    std::string value;
    int items;
    bool removes;
  };
  const Case cases[] = {
      {275, kCrash, "Overwrite", 2, false},
      {277, kCrash, "CrashDumpEnabled", 4, false},
      {283, "SYSTEM\\CurrentControlSet\\Services\\Eventlog", "RestrictGuestAccess", 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    TweakHarness h;
    h.Put(Dw(kHKLM, c.path.c_str(), c.value.c_str(), 9));
    h.Select(c.tweakId);
    EXPECT_EQ(c.items, h.pages.ComboCount(kComboCheck, 1021));
    EXPECT_EQ(-1, h.pages.ComboGetCurSel(kComboCheck, 1021));
    h.Apply();
    EXPECT_EQ(c.removes ? std::nullopt : std::optional<std::uint32_t>(9), h.Dword(kHKLM, c.path, c.value));
    h.pages.ComboSetCurSel(kComboCheck, 1021, c.items - 1);
    h.Apply();
    EXPECT_EQ(static_cast<std::uint32_t>(c.items - 1), h.Dword(kHKLM, c.path, c.value));
    h.Select(c.tweakId);
    EXPECT_EQ(c.items - 1, h.pages.ComboGetCurSel(kComboCheck, 1021));
  }
}

TEST(TroubleshootingCombos, StartupWarningsWriteTheBoxThenTheErrorMode) {
  TweakHarness h;
  h.Put({Dw(kHKLM, kNtWindows.c_str(), "NoPopUpsOnBoot", 1), Dw(kHKLM, kNtWindows.c_str(), "Error Mode", 1)});
  h.Select(300);
  EXPECT_TRUE(h.pages.IsControlVisible(kComboCheck, 1013));
  EXPECT_EQ(1, h.pages.GetCheck(kComboCheck, 1013));
  EXPECT_EQ(1, h.pages.ComboGetCurSel(kComboCheck, 1021));
  EXPECT_EQ(3, h.pages.ComboCount(kComboCheck, 1021));
  h.pages.SetCheck(kComboCheck, 1013, 0);
  h.pages.ComboSetCurSel(kComboCheck, 1021, -1);
  h.Apply();
  EXPECT_FALSE(h.HasValue(kHKLM, kNtWindows, "NoPopUpsOnBoot"));
  EXPECT_FALSE(h.HasValue(kHKLM, kNtWindows, "Error Mode"));
  h.pages.SetCheck(kComboCheck, 1013, 1);
  h.pages.ComboSetCurSel(kComboCheck, 1021, 2);
  h.Apply();
  EXPECT_EQ(1u, h.Dword(kHKLM, kNtWindows, "NoPopUpsOnBoot"));
  EXPECT_EQ(2u, h.Dword(kHKLM, kNtWindows, "Error Mode"));
}

TEST(TroubleshootingCombos, CoolSwitchCountsAreReadByTheirLeadingDigitsAndWrittenAsText) {
  struct Case {
    const char* stored;  // nullptr: absent
    int selected;
    const char* written;
  };
  const Case cases[] = {
      {"12x", 12, "12"}, {"07", 7, "7"}, {"99", 99, "99"}, {nullptr, 0, "0"},
      {"150", -1, "150"},  // no item: the stored count stays
      {"-3", -1, "-3"},    {"abc", 0, "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "absent");
    TweakHarness h;
    h.Put(KeyOnly(kHKCU, kDesktop.c_str()));
    if (c.stored) h.Put(Sz(kHKCU, kDesktop.c_str(), "CoolSwitchRows", c.stored));
    h.Select(309);
    EXPECT_EQ(100, h.pages.ComboCount(kComboCheck, 1022));
    EXPECT_EQ(c.selected, h.pages.ComboGetCurSel(kComboCheck, 1022));
    EXPECT_EQ(0, h.pages.ComboGetCurSel(kComboCheck, 1021));
    h.Apply();
    EXPECT_EQ("1", h.Text(kHKCU, kDesktop, "CoolSwitch"));
    EXPECT_EQ("0", h.Text(kHKCU, kDesktop, "CoolSwitchColumns"));
    EXPECT_EQ(c.written, h.Text(kHKCU, kDesktop, "CoolSwitchRows"));
    EXPECT_EQ(reg::kSz, h.Type(kHKCU, kDesktop, "CoolSwitchRows"));
  }
}

// --- Edits --------------------------------------------------------------------------

TEST(TroubleshootingEdits, RegisteredOwnerFollowsTheWindowsFamilyAndKeepsEmptiedValues) {
  struct Case {
    const char* what;
    OsVersionRecord version;
    std::string key;
    bool recorded;
  };
  const Case cases[] = {{"XP", win::kXP, kNtVersion, false}, {"98", win::k98, k9xVersion, true},
                        {"NT4", win::kNT4, kNtVersion, false}, {"95", win::k95, k9xVersion, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TweakHarness h;
    h.platform.version = c.version;
    h.Put({Sz(kHKLM, kNtVersion.c_str(), "RegisteredOwner", "NT owner"), Sz(kHKLM, kNtVersion.c_str(), "RegisteredOrganization", "NT org"),
           Sz(kHKLM, k9xVersion.c_str(), "RegisteredOwner", "9x owner"), Sz(kHKLM, k9xVersion.c_str(), "RegisteredOrganization", "9x org")});
    h.Select(308);
    const std::string shown = c.key == kNtVersion ? "NT owner" : "9x owner";
    EXPECT_EQ(shown, h.pages.GetText(kEditCheck, 1015));
    h.pages.SetText(kEditCheck, 1015, "New Owner");
    h.pages.SetText(kEditCheck, 1017, "");
    h.Apply();
    EXPECT_EQ("New Owner", h.Text(kHKLM, c.key, "RegisteredOwner"));
    EXPECT_EQ(c.key == kNtVersion ? "NT org" : "9x org", h.Text(kHKLM, c.key, "RegisteredOrganization"));
    const std::string& other = c.key == kNtVersion ? k9xVersion : kNtVersion;
    EXPECT_EQ(c.key == kNtVersion ? "9x owner" : "NT owner", h.Text(kHKLM, other, "RegisteredOwner"));
    EXPECT_EQ(c.recorded, h.Recorded(308));
  }
}

TEST(TroubleshootingEdits, EmptyEditsWriteNothing) {
  for (int tweakId : {279, 280, 295, 296, 307}) {
    SCOPED_TRACE("TweakId " + std::to_string(tweakId));
    TweakHarness h;
    h.Put(FirstState(tweakId).values);
    const auto before = h.Snapshot();
    h.Select(tweakId);
    EXPECT_FALSE(h.pages.GetText(kEditCheck, 1015).empty());
    EXPECT_TRUE(h.pages.IsControlVisible(kEditCheck, 1023));
    h.pages.SetText(kEditCheck, 1015, "");
    h.Apply();
    EXPECT_TRUE(h.Alerts().empty());
    EXPECT_EQ(before, h.Snapshot());
  }
}

}  // namespace
}  // namespace corvandel
