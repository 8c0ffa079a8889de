// The Accessories tweaks driven through the navigator as a user drives them:
// select, set the controls, Apply; then the registry, the page, the alerts
// and the history are checked.
#include <gtest/gtest.h>

#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {
namespace {

const std::string kCmd = "Software\\Microsoft\\Command Processor";
const std::string kWatson = "SOFTWARE\\Microsoft\\DrWatson";
const std::string kAeDebug = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
const std::string kTasks = "Software\\Policies\\Microsoft\\Windows\\Task Scheduler5.0";
const std::string kInstaller = "Software\\Policies\\Microsoft\\Windows\\Installer";
const std::string kMirror = "Software\\Microsoft\\Windows\\CurrentVersion\\Group Policy Objects\\LocalMachine";
const std::string kMirrorInstaller = kMirror + "\\Software\\Policies\\Microsoft\\Windows\\Installer";
const std::string kEnvironment = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
const std::string kApplets = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets";
const std::string kMenu = "Directory\\shell\\Command";

// --- Version gates --------------------------------------------------------------

constexpr Versions kNT = Versions::kXP | Versions::k2000 | Versions::kNT4;
constexpr Versions k2K = Versions::kXP | Versions::k2000;
constexpr Versions kMe = Versions::kXP | Versions::k2000 | Versions::kMe;
constexpr Versions kXP = Versions::kXP;
constexpr Versions kAny = Versions::k95 | Versions::k98 | Versions::kMe | kNT;

constexpr GateRecord kNotRecorded = GateRecord::kNotRecorded;

constexpr GateCase kGates[] = {
    {2, kAny, 0, false},     {3, kNT, 2002, true},    {5, kNT, 2002, false},   {6, k2K, 2003, true},
    {7, k2K, 2003, false},   {8, kNT, 2002, false},   {9, k2K, 2003, true},    {10, k2K, 2002, false},
    {11, kNT, 2002, true},   {12, k2K, 2002, false},  {14, kNT, 2002, true},   {15, kNT, 2002, true},
    {16, kNT, 2002, true},   {17, kNT, 2002, true},   {18, kNT, 2002, true},   {19, kNT, 2002, true},
    {20, kNT, 2002, false},  {21, kNT, 2002, false},  {22, kNT, 2002, false},  {23, kNT, 2002, false, kNotRecorded},
    {24, kNT, 2002, false},  {32, kMe, 2011, false},  {33, kMe, 2011, false},  {34, kMe, 2011, false},
    {35, kMe, 2011, false},  {36, kMe, 2011, false},  {37, kMe, 2011, false},  {39, kAny, 0, false},
    {40, k2K, 2003, true, kNotRecorded},   {41, kAny, 0, false},    {43, kXP, 2004, true},   {44, kXP, 2004, false},
    {46, kAny, 0, false},    {47, k2K, 2003, true, kNotRecorded},   {48, k2K, 2003, true},   {49, kAny, 0, false},
    {50, kAny, 0, false},
};

// A refusal alerts, writes and records nothing and puts the box back where
// the tweak says so, and Apply pressed again is refused again; an admitted
// apply writes the changed page and records unless the tweak never does.
TEST(AccessoriesGate, EveryVersionIsAdmittedOrRefusedAsTheTweakSays) { SweepGates(kGates, {.admittedWrites = true}); }

// --- When the history is recorded, and opened versus created keys -----------------

enum class Point { kAtGate, kAfterOpen, kNever };

struct RecordCase {
  int tweakId;
  Point point;
  bool createsKey;  // the apply creates its key when it is missing
};

constexpr RecordCase kRecords[] = {
    {2, Point::kAfterOpen, false}, {3, Point::kAfterOpen, false},  {5, Point::kAtGate, false},
    {6, Point::kAfterOpen, false}, {7, Point::kAtGate, true},      {8, Point::kAtGate, true},
    {9, Point::kAfterOpen, false}, {10, Point::kAtGate, true},     {11, Point::kAfterOpen, false},
    {12, Point::kAtGate, false},   {14, Point::kAfterOpen, false}, {15, Point::kAfterOpen, false},
    {16, Point::kAfterOpen, false}, {17, Point::kAfterOpen, false}, {18, Point::kAfterOpen, false},
    {19, Point::kAfterOpen, false}, {20, Point::kAtGate, false},   {21, Point::kAtGate, false},
    {22, Point::kAtGate, false},   {23, Point::kNever, false},     {24, Point::kAtGate, false},
    {32, Point::kAfterOpen, true}, {33, Point::kAfterOpen, true},  {34, Point::kAfterOpen, true},
    {35, Point::kAfterOpen, true}, {36, Point::kAfterOpen, true},  {37, Point::kAfterOpen, true},
    {39, Point::kAtGate, false},   {40, Point::kNever, false},     {41, Point::kAtGate, false},
    {43, Point::kAtGate, false},   {44, Point::kAtGate, false},    {46, Point::kAtGate, false},
    {47, Point::kNever, false},    {48, Point::kAtGate, false},    {49, Point::kAtGate, false},
    {50, Point::kAtGate, false},
};

TEST(AccessoriesHistory, RecordedAtTheTweaksPointWhenItsKeysExist) {
  for (const RecordCase& c : kRecords) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.Put(FirstState(c.tweakId).values);
    h.Select(c.tweakId);
    h.ChangeEveryControl();
    h.Apply();
    EXPECT_EQ(c.point != Point::kNever, h.Recorded(c.tweakId));
  }
}

// With none of its keys present, an apply whose key is opened writes nothing
// (and records only when it records before opening); an apply that creates
// its key writes it.
TEST(AccessoriesHistory, MissingKeysAreCreatedOnlyWhereTheTweakCreatesThem) {
  for (const RecordCase& c : kRecords) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    const auto before = h.Snapshot();
    h.Select(c.tweakId);
    h.ChangeEveryControl();
    h.Apply();
    EXPECT_EQ(c.createsKey, before != h.Snapshot());
    EXPECT_EQ(c.point == Point::kAtGate || (c.point == Point::kAfterOpen && c.createsKey), h.Recorded(c.tweakId));
  }
}

// Where the parent key is opened and the tweak's own key created below it.
TEST(AccessoriesKeys, SubKeyIsCreatedBelowAnOpenedParent) {
  struct Case {
    int tweakId;
    RegKey root;
    std::string parent;
    std::string created;
  };
  const Case cases[] = {
      {43, kHKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies", "System"},
      {44, kHKLM, kApplets, "Tour"},
      {50, kHKCU, "Software\\Microsoft", "Telnet"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.Put(KeyOnly(c.root, c.parent.c_str()));
    h.Select(c.tweakId);
    h.ChangeEveryControl();
    h.Apply();
    EXPECT_TRUE(h.HasKey(c.root, c.parent + "\\" + c.created));
  }
}

// --- Required edits ---------------------------------------------------------------

TEST(AccessoriesEdits, AnEmptyRequiredEditAlertsAndWritesNothing) {
  struct Case {
    int tweakId;
    int alertId;
    bool recordedAnyway;  // the history is recorded before the edit is checked
  };
  const Case cases[] = {{20, 2006, true}, {21, 2007, true}, {22, 2008, true},
                        {23, 2009, false}, {24, 2010, true}, {49, 2012, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.Put(FirstState(c.tweakId).values);
    const auto before = h.Snapshot();
    h.Select(c.tweakId);
    EXPECT_FALSE(h.pages.GetText(kEditCheck, 1015).empty());
    h.pages.SetText(kEditCheck, 1015, "");
    h.Apply();
    EXPECT_EQ(std::vector<std::string>{h.AlertText(c.alertId)}, h.Alerts());
    EXPECT_EQ(before, h.Snapshot());
    EXPECT_EQ(c.recordedAnyway, h.Recorded(c.tweakId));
  }
}

TEST(AccessoriesEdits, AddCommandPromptWithoutALabelUnchecksAndAlerts) {
  TweakHarness h;
  h.Put(KeyOnly(kHKCR, "Directory\\shell"));
  const auto before = h.Snapshot();
  h.Select(2);
  h.pages.SetCheck(kEditCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ(std::vector<std::string>{"Please Set the Command Prompt Menu Name"}, h.Alerts());
  EXPECT_EQ(0, h.pages.GetCheck(kEditCheck, 1013));
  EXPECT_EQ(before, h.Snapshot());
  EXPECT_FALSE(h.Recorded(2));
}

TEST(AccessoriesEdits, StartupProgramIsRemovedWhenTheEditIsEmptied) {
  TweakHarness h;
  h.Put(Sz(kHKCU, kCmd.c_str(), "AutoRun", "cls"));
  h.Select(12);
  EXPECT_EQ("cls", h.pages.GetText(kEditCheck, 1015));
  h.pages.SetText(kEditCheck, 1015, "");
  h.Apply();
  EXPECT_TRUE(h.Alerts().empty());
  EXPECT_FALSE(h.HasValue(kHKCU, kCmd, "AutoRun"));
  EXPECT_TRUE(h.HasKey(kHKCU, kCmd));
  EXPECT_TRUE(h.Recorded(12));
}

TEST(AccessoriesEdits, TextsAreWrittenWithTheirTypeSuffixAndNoTerminatingZero) {
  struct Case {
    int tweakId;
    RegKey root;
    std::string path;
    std::string value;
    std::uint32_t type;
    std::string typed;
    std::string stored;
  };
  const Case cases[] = {
      {20, kHKLM, kAeDebug, "Debugger", reg::kSz, "\"C:\\Debug\\ntsd.exe\"", "\"C:\\Debug\\ntsd.exe\" -p %ld -e %ld -g"},
      {21, kHKLM, kWatson, "LogFilePath", reg::kSz, "D:\\Logs", "D:\\Logs"},
      {22, kHKLM, kWatson, "CrashDumpFile", reg::kExpandSz, "%TEMP%\\crash.dmp", "%TEMP%\\crash.dmp"},
      {24, kHKLM, kWatson, "WaveFile", reg::kExpandSz, "C:\\bell.wav", "C:\\bell.wav"},
      {12, kHKCU, kCmd, "AutoRun", reg::kSz, "cls", "cls"},
      {49, kHKCR, "AudioCD\\Shell\\Play\\Command", "", reg::kSz, "cdplayer.exe", "cdplayer.exe  /play %1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.Put(KeyOnly(c.root, c.path.c_str()));
    h.Select(c.tweakId);
    h.pages.SetText(kEditCheck, 1015, c.typed);
    h.Apply();
    EXPECT_EQ(c.stored, h.Text(c.root, c.path, c.value));
    EXPECT_EQ(c.type, h.Type(c.root, c.path, c.value));
  }
}

TEST(AccessoriesEdits, DebuggerLoadsWithoutItsArgumentsAndWritesThemBack) {
  struct Case {
    std::string stored;
    std::string shown;
  };
  const Case cases[] = {
      {"drwtsn32 -p %ld -e %ld -g", "drwtsn32"},
      {"\"C:\\Debuggers\\windbg.exe\" -p %ld -e %ld -g -Q", "\"C:\\Debuggers\\windbg.exe\""},
      {"vsjitdebugger.exe -p %ld", "vsjitdebugger.exe -p %ld"},
  };
  for (const Case& c : cases) {
    TweakHarness h;
    h.Put(Sz(kHKLM, kAeDebug.c_str(), "Debugger", c.stored.c_str()));
    h.Select(20);
    EXPECT_EQ(c.shown, h.pages.GetText(kEditCheck, 1015));
    EXPECT_TRUE(h.pages.IsControlVisible(kEditCheck, 1023));
  }
}

TEST(AccessoriesEdits, InstructionsAreShownAndWrittenAsDecimalNumbers) {
  struct Load {
    std::uint32_t stored;
    std::string shown;
  };
  for (const Load& c : {Load{10, "10"}, Load{0, "0"}, Load{0xFFFFFFFF, "-1"}}) {
    TweakHarness h;
    h.Put(Dw(kHKLM, kWatson.c_str(), "Instructions", c.stored));
    h.Select(23);
    EXPECT_EQ(c.shown, h.pages.GetText(kEditCheck, 1015));
    EXPECT_FALSE(h.pages.IsControlVisible(kEditCheck, 1023));
  }
  struct Write {
    std::string typed;
    std::optional<std::uint32_t> stored;
  };
  const Write writes[] = {
      {"10", 10u}, {"letters", 0u}, {"  -5 rows", 0xFFFFFFFBu}, {"+12abc", 12u},
      // Beyond the 32-bit range the conversion has no sound value: the stored number stays.
      {"99999999999", 64u},
  };
  for (const Write& c : writes) {
    SCOPED_TRACE(c.typed);
    TweakHarness h;
    h.Put(Dw(kHKLM, kWatson.c_str(), "Instructions", 64));
    h.Select(23);
    h.pages.SetText(kEditCheck, 1015, c.typed);
    h.Apply();
    EXPECT_TRUE(h.Alerts().empty());
    EXPECT_EQ(c.stored, h.Dword(kHKLM, kWatson, "Instructions"));
  }
}

// --- Check boxes: load rules and writes ---------------------------------------------

TEST(AccessoriesChecks, BoxesLoadFromTheirValues) {
  const char* kNotepad = "Software\\Microsoft\\Notepad";
  const StoredCheck cases[] = {
      {"UNC 1", 3, {Dw(kHKCU, kCmd.c_str(), "DisableUNCCheck", 1)}, 1},
      {"UNC 0", 3, {Dw(kHKCU, kCmd.c_str(), "DisableUNCCheck", 0)}, 0},
      {"UNC 2", 3, {Dw(kHKCU, kCmd.c_str(), "DisableUNCCheck", 2)}, 0},
      {"UNC as text", 3, {Sz(kHKCU, kCmd.c_str(), "DisableUNCCheck", "1")}, 0},
      {"UNC absent", 3, {KeyOnly(kHKCU, kCmd.c_str())}, 0},
      {"extensions off", 6, {Dw(kHKCU, kCmd.c_str(), "EnableExtensions", 0)}, 1},
      {"extensions absent", 6, {KeyOnly(kHKCU, kCmd.c_str())}, 0},
      {"new log file", 15, {Dw(kHKLM, kWatson.c_str(), "AppendToLogFile", 0)}, 1},
      {"append", 15, {Dw(kHKLM, kWatson.c_str(), "AppendToLogFile", 1)}, 0},
      {"hidden devices 0", 47, {Sz(kHKLM, kEnvironment.c_str(), "DEVMGR_SHOW_NONPRESENT_DEVICES", "0")}, 1},
      {"hidden devices empty", 47, {Sz(kHKLM, kEnvironment.c_str(), "DEVMGR_SHOW_NONPRESENT_DEVICES", "")}, 1},
      {"hidden devices absent", 47, {KeyOnly(kHKLM, kEnvironment.c_str())}, 0},
      {"details 1", 48, {Sz(kHKLM, kEnvironment.c_str(), "DEVMGR_SHOW_DETAILS", "1")}, 1},
      {"details 01", 48, {Sz(kHKLM, kEnvironment.c_str(), "DEVMGR_SHOW_DETAILS", "01")}, 0},
      {"details number", 48, {Dw(kHKLM, kEnvironment.c_str(), "DEVMGR_SHOW_DETAILS", 1)}, 0},
      {"notepad both", 46, {Dw(kHKCU, kNotepad, "fSavePageSettings", 1), Dw(kHKCU, kNotepad, "fSaveWindowPositions", 1)}, 1},
      {"notepad one", 46, {Dw(kHKCU, kNotepad, "fSavePageSettings", 1), Dw(kHKCU, kNotepad, "fSaveWindowPositions", 0)}, 0},
      {"task manager", 43, {Dw(kHKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "DisableTaskMgr", 1)}, 1},
      {"telnet", 50, {Dw(kHKCU, "Software\\Microsoft\\Telnet", "SmoothScroll", 1)}, 1},
      {"remote admin", 40, {Dw(kHKLM, kInstaller.c_str(), "EnableAdminTSRemote", 1)}, 1},
  };
  ExpectCheckedWhenStored(cases);
}

TEST(AccessoriesChecks, EachStateWritesItsData) {
  TweakHarness h;
  h.Put(KeyOnly(kHKLM, kWatson.c_str()));
  h.Put(Sz(kHKLM, kEnvironment.c_str(), "DEVMGR_SHOW_NONPRESENT_DEVICES", "0"));
  h.Select(15);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ(0u, h.Dword(kHKLM, kWatson, "AppendToLogFile"));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Apply();
  EXPECT_EQ(1u, h.Dword(kHKLM, kWatson, "AppendToLogFile"));

  h.Select(47);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ("1", h.Text(kHKLM, kEnvironment, "DEVMGR_SHOW_NONPRESENT_DEVICES"));
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Apply();
  EXPECT_FALSE(h.HasValue(kHKLM, kEnvironment, "DEVMGR_SHOW_NONPRESENT_DEVICES"));
  EXPECT_FALSE(h.Recorded(47));

  h.Select(48);
  h.pages.SetCheck(kMultiCheck, 1013, 0);
  h.Apply();
  EXPECT_EQ("0", h.Text(kHKLM, kEnvironment, "DEVMGR_SHOW_DETAILS"));
  EXPECT_EQ(reg::kSz, h.Type(kHKLM, kEnvironment, "DEVMGR_SHOW_DETAILS"));
}

// "Disable", an emptied startup program and an unchecked hidden-devices box
// remove their value by path (SHDeleteValueA), which needs no handle to the
// key opened with full access.
TEST(AccessoriesDeletes, ValuesAreRemovedByPath) {
  struct Case {
    int tweakId;
    SeedValue stored;
    void (*clear)(PageModel&);
  };
  const Case cases[] = {
      {8, Dw(kHKLM, kCmd.c_str(), "CompletionChar", 9), [](PageModel& p) { p.ComboSetCurSel(kComboCheck, 1022, 0); }},
      {10, Dw(kHKCU, kCmd.c_str(), "PathCompletionChar", 9), [](PageModel& p) { p.ComboSetCurSel(kComboCheck, 1021, 0); }},
      {12, Sz(kHKCU, kCmd.c_str(), "AutoRun", "cls"), [](PageModel& p) { p.SetText(kEditCheck, 1015, ""); }},
      {47, Sz(kHKLM, kEnvironment.c_str(), "DEVMGR_SHOW_NONPRESENT_DEVICES", "1"),
       [](PageModel& p) { p.SetCheck(kMultiCheck, 1013, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.Put(c.stored);
    h.registry.Deny(MemoryRegistry::kOpen, c.stored.root, c.stored.path);
    h.Select(c.tweakId);
    c.clear(h.pages);
    h.Apply();
    EXPECT_FALSE(h.HasValue(c.stored.root, c.stored.path, c.stored.name));
  }
}

// --- Current User / All Users pairs -----------------------------------------------

TEST(AccessoriesPairs, TaskSchedulerWritesBothScopesFromTheirOwnBoxes) {
  struct Case {
    int tweakId;
    std::vector<std::string> values;
  };
  const Case cases[] = {{32, {"Property Pages"}}, {33, {"Allow Browse"}}, {34, {"DragAndDrop"}},
                        {35, {"Execution"}},      {36, {"Disable Advanced"}}, {37, {"Task Creation", "Task Deletion"}}};
  for (const Case& c : cases) {
    for (const NamedVersion& version : {kAllVersions[2], kAllVersions[4], kAllVersions[5]}) {  // Me, 2000, XP
      SCOPED_TRACE("TweakId " + std::to_string(c.tweakId) + " on " + version.name);
      TweakHarness h;
      h.platform.version = version.record;
      h.Select(c.tweakId);
      h.pages.SetCheck(kMultiCheck, 1018, 1);
      h.Apply();
      for (const std::string& value : c.values) {
        EXPECT_EQ(0u, h.Dword(kHKCU, kTasks, value));
        EXPECT_EQ(1u, h.Dword(kHKLM, kTasks, value));
      }
      EXPECT_TRUE(h.Recorded(c.tweakId));
    }
  }
}

TEST(AccessoriesPairs, ARefusedScopeDoesNotStopTheOther) {
  TweakHarness h;
  h.registry.Deny(MemoryRegistry::kOpen | MemoryRegistry::kCreate, kHKCU, "Software\\Policies");
  h.Select(32);
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.pages.SetCheck(kMultiCheck, 1018, 1);
  h.Apply();
  EXPECT_FALSE(h.HasKey(kHKCU, kTasks));
  EXPECT_EQ(1u, h.Dword(kHKLM, kTasks, "Property Pages"));
  EXPECT_TRUE(h.Recorded(32));
}

TEST(AccessoriesPairs, XpTourWritesRunCountPerScopeAndIsRefusedOn2000) {
  TweakHarness h;
  h.Put({KeyOnly(kHKCU, kApplets.c_str()), Dw(kHKLM, (kApplets + "\\Tour").c_str(), "RunCount", 0)});
  h.Select(44);
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1013));
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1018));
  h.pages.SetCheck(kMultiCheck, 1013, 1);
  h.pages.SetCheck(kMultiCheck, 1018, 0);

  h.platform.version = win::k2000;
  h.Apply();
  EXPECT_EQ(std::vector<std::string>{"This Tweak is active only on Windows XP"}, h.Alerts());
  EXPECT_EQ(1, h.pages.GetCheck(kMultiCheck, 1013));  // left as the user set them
  EXPECT_EQ(0, h.pages.GetCheck(kMultiCheck, 1018));

  h.platform.version = win::kXP;
  h.Apply();
  EXPECT_EQ(0u, h.Dword(kHKCU, kApplets + "\\Tour", "RunCount"));
  EXPECT_EQ(1u, h.Dword(kHKLM, kApplets + "\\Tour", "RunCount"));
}

TEST(AccessoriesPairs, CompletionCombosLoadFromEachScope) {
  struct Case {
    const char* what;
    std::vector<SeedValue> stored;
    int user;
    int machine;
  };
  const Case cases[] = {
      {"TAB and Ctrl-F", {Dw(kHKCU, kCmd.c_str(), "CompletionChar", 9), Dw(kHKLM, kCmd.c_str(), "CompletionChar", 6)}, 2, 4},
      {"absent values", {KeyOnly(kHKCU, kCmd.c_str()), KeyOnly(kHKLM, kCmd.c_str())}, 0, 0},
      {"missing machine key", {Dw(kHKCU, kCmd.c_str(), "CompletionChar", 8)}, 1, -1},
      {"unlisted code", {Dw(kHKCU, kCmd.c_str(), "CompletionChar", 0x40), Dw(kHKLM, kCmd.c_str(), "CompletionChar", 4)}, -1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TweakHarness h;
    h.Put(c.stored);
    h.Select(8);
    EXPECT_EQ(c.user, h.pages.ComboGetCurSel(kComboCheck, 1021));
    EXPECT_EQ(c.machine, h.pages.ComboGetCurSel(kComboCheck, 1022));
  }
}

TEST(AccessoriesPairs, CompletionCombosWriteDeleteOrKeepPerScope) {
  for (int tweakId : {8, 10}) {
    const std::string value = tweakId == 8 ? "CompletionChar" : "PathCompletionChar";
    SCOPED_TRACE(value);
    {  // "Disable" for both scopes removes the value under both roots.
      TweakHarness h;
      h.Put({Dw(kHKCU, kCmd.c_str(), value.c_str(), 9), Dw(kHKLM, kCmd.c_str(), value.c_str(), 9)});
      h.Select(tweakId);
      h.pages.ComboSetCurSel(kComboCheck, 1021, 0);
      h.pages.ComboSetCurSel(kComboCheck, 1022, 0);
      h.Apply();
      EXPECT_FALSE(h.HasValue(kHKCU, kCmd, value));
      EXPECT_FALSE(h.HasValue(kHKLM, kCmd, value));
      EXPECT_TRUE(h.Recorded(tweakId));
    }
    {  // Removing a value creates no key; the history is recorded at the gate
       // although nothing is written.
      TweakHarness h;
      const auto before = h.Snapshot();
      h.Select(tweakId);
      h.pages.ComboSetCurSel(kComboCheck, 1021, 0);
      h.pages.ComboSetCurSel(kComboCheck, 1022, 0);
      h.Apply();
      EXPECT_EQ(before, h.Snapshot());
      EXPECT_TRUE(h.Recorded(tweakId));
    }
    {  // "TAB key" for All Users only: the machine key is created; the user
       // scope, which shows no choice, is left as it is.
      TweakHarness h;
      h.Select(tweakId);
      h.pages.ComboSetCurSel(kComboCheck, 1022, 2);
      h.Apply();
      EXPECT_EQ(9u, h.Dword(kHKLM, kCmd, value));
      EXPECT_FALSE(h.HasKey(kHKCU, kCmd));
    }
    {  // Every item writes its own key code.
      const std::uint32_t codes[] = {8, 9, 4, 6};
      for (int item = 1; item <= 4; ++item) {
        TweakHarness h;
        h.Select(tweakId);
        h.pages.ComboSetCurSel(kComboCheck, 1021, item);
        h.Apply();
        EXPECT_EQ(codes[item - 1], h.Dword(kHKCU, kCmd, value));
      }
    }
  }
}

// --- Add Command Prompt Option to Every Folder ---------------------------------------

TEST(AccessoriesCommandPrompt, TheCommandFollowsTheWindowsFamily) {
  struct Case {
    OsVersionRecord version;
    std::string command;
  };
  const Case cases[] = {
      {win::k95, "command.com /k cd %1"}, {win::k98, "command.com /k cd %1"}, {win::kMe, "command.com /k cd %1"},
      {win::kNT4, "cmd.exe /k cd %1"},    {win::k2000, "cmd.exe /k cd %1"},   {win::kXP, "cmd.exe /k cd %1"},
      {win::kVista, "cmd.exe /k cd %1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    TweakHarness h;
    h.platform.version = c.version;
    h.Put(KeyOnly(kHKCR, "Directory\\shell"));
    h.Select(2);
    h.pages.SetCheck(kEditCheck, 1013, 1);
    h.pages.SetText(kEditCheck, 1015, "Open Prompt Here");
    h.Apply();
    EXPECT_TRUE(h.Alerts().empty());
    EXPECT_EQ("Open Prompt Here", h.Text(kHKCR, kMenu, ""));
    EXPECT_EQ(c.command, h.Text(kHKCR, kMenu + "\\command", ""));
    EXPECT_TRUE(h.Recorded(2));
  }
}

TEST(AccessoriesCommandPrompt, LoadsTheMenuAndRemovesItWhenUnchecked) {
  TweakHarness h;
  h.Put({Sz(kHKCR, kMenu.c_str(), "", "Prompt"), Sz(kHKCR, (kMenu + "\\command").c_str(), "", "cmd.exe /k cd %1"),
         KeyOnly(kHKCR, "Directory\\shell\\find")});
  h.Select(2);
  EXPECT_EQ(1, h.pages.GetCheck(kEditCheck, 1013));
  EXPECT_EQ("Prompt", h.pages.GetText(kEditCheck, 1015));
  h.pages.SetCheck(kEditCheck, 1013, 0);
  h.Apply();
  EXPECT_FALSE(h.HasKey(kHKCR, kMenu));
  EXPECT_TRUE(h.HasKey(kHKCR, "Directory\\shell\\find"));
  EXPECT_FALSE(h.Recorded(2));  // removing the menu is not recorded
}

TEST(AccessoriesCommandPrompt, AMenuKeyWithoutALabelLoadsUnchecked) {
  TweakHarness h;
  h.Put(KeyOnly(kHKCR, (kMenu + "\\command").c_str()));
  h.Select(2);
  EXPECT_EQ(0, h.pages.GetCheck(kEditCheck, 1013));
  EXPECT_EQ("", h.pages.GetText(kEditCheck, 1015));
}

// --- Lists whose selected row is stored ------------------------------------------------

TEST(AccessoriesLists, StoredIndexSelectsItsRowAndTheSelectedRowIsWritten) {
  struct Case {
    int tweakId;
    std::string path;
    std::string value;
    int rows;
  };
  const Case cases[] = {{5, kCmd, "DefaultColor", 16}, {7, "Software\\Policies\\Microsoft\\Windows\\System", "DisableCMD", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    TweakHarness h;
    h.Put(Dw(kHKCU, c.path.c_str(), c.value.c_str(), 2));
    h.Select(c.tweakId);
    EXPECT_EQ(c.rows, h.pages.ListItemCount(kListCheck, 1007));
    EXPECT_EQ(2, h.pages.ListColumnCount(kListCheck, 1007));
    EXPECT_EQ(2, h.pages.ListSelectedRow(kListCheck, 1007));
    h.pages.ListSelectRow(kListCheck, 1007, c.rows - 1);
    h.Apply();
    EXPECT_EQ(static_cast<std::uint32_t>(c.rows - 1), h.Dword(kHKCU, c.path, c.value));

    TweakHarness outside;
    outside.Put(Dw(kHKCU, c.path.c_str(), c.value.c_str(), static_cast<std::uint32_t>(c.rows)));
    outside.Select(c.tweakId);
    EXPECT_EQ(-1, outside.pages.ListSelectedRow(kListCheck, 1007));
    outside.Apply();  // nothing selected: nothing written, but recorded at the gate
    EXPECT_EQ(static_cast<std::uint32_t>(c.rows), outside.Dword(kHKCU, c.path, c.value));
    EXPECT_TRUE(outside.Recorded(c.tweakId));
  }
}

TEST(AccessoriesLists, ColorRowsShowTheCodeTheyStore) {
  TweakHarness h;
  h.Select(5);
  for (int row = 0; row < 16; ++row) {
    char code[3];
    std::snprintf(code, sizeof code, "%02X", row);
    EXPECT_EQ(code, h.pages.ListItemText(kListCheck, 1007, row, 0));
  }
}

// --- Windows Installer ----------------------------------------------------------------

TEST(AccessoriesInstaller, DisableMsiShowsOnlyWhenThePolicyAndItsCopyAgree) {
  struct Case {
    const char* what;
    std::vector<SeedValue> stored;
    int selected;
  };
  const Case cases[] = {
      {"both 2", {Dw(kHKLM, kInstaller.c_str(), "DisableMSI", 2), Dw(kHKCU, kMirrorInstaller.c_str(), "DisableMSI", 2)}, 2},
      {"both 0", {Dw(kHKLM, kInstaller.c_str(), "DisableMSI", 0), Dw(kHKCU, kMirrorInstaller.c_str(), "DisableMSI", 0)}, 0},
      {"differ", {Dw(kHKLM, kInstaller.c_str(), "DisableMSI", 1), Dw(kHKCU, kMirrorInstaller.c_str(), "DisableMSI", 2)}, -1},
      {"no copy", {Dw(kHKLM, kInstaller.c_str(), "DisableMSI", 1)}, -1},
      {"no policy", {Dw(kHKCU, kMirrorInstaller.c_str(), "DisableMSI", 1)}, -1},
      {"both 7", {Dw(kHKLM, kInstaller.c_str(), "DisableMSI", 7), Dw(kHKCU, kMirrorInstaller.c_str(), "DisableMSI", 7)}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TweakHarness h;
    h.Put(c.stored);
    h.Select(39);
    EXPECT_EQ(3, h.pages.ComboCount(kComboCheck, 1021));
    EXPECT_EQ(c.selected, h.pages.ComboGetCurSel(kComboCheck, 1021));
  }
}

TEST(AccessoriesInstaller, DisableMsiWritesThePolicyAndItsCopy) {
  TweakHarness h;
  h.Put({KeyOnly(kHKLM, kInstaller.c_str()), KeyOnly(kHKCU, kMirror.c_str())});
  h.Select(39);
  h.pages.ComboSetCurSel(kComboCheck, 1021, 1);
  h.Apply();
  EXPECT_EQ(1u, h.Dword(kHKLM, kInstaller, "DisableMSI"));
  EXPECT_EQ(1u, h.Dword(kHKCU, kMirrorInstaller, "DisableMSI"));
  EXPECT_TRUE(h.Recorded(39));
}

TEST(AccessoriesInstaller, NoChoiceRemovesThePolicyAndTheEmptyPartOfItsCopy) {
  TweakHarness h;
  const std::string otherPolicy = kMirror + "\\Software\\Policies\\Microsoft\\Windows\\System";
  h.Put({Dw(kHKLM, kInstaller.c_str(), "DisableMSI", 1), Dw(kHKCU, kMirrorInstaller.c_str(), "DisableMSI", 2),
         Dw(kHKCU, otherPolicy.c_str(), "DisableCMD", 1)});
  h.Select(39);
  h.Apply();
  EXPECT_FALSE(h.HasValue(kHKLM, kInstaller, "DisableMSI"));
  EXPECT_FALSE(h.HasKey(kHKCU, kMirrorInstaller));
  EXPECT_EQ(1u, h.Dword(kHKCU, otherPolicy, "DisableCMD"));  // "Windows" still has a subkey, so it stays

  TweakHarness alone;
  alone.Put(Dw(kHKCU, kMirrorInstaller.c_str(), "DisableMSI", 2));
  alone.Select(39);
  alone.Apply();
  EXPECT_FALSE(alone.HasKey(kHKCU, kMirror + "\\Software"));
  EXPECT_TRUE(alone.HasKey(kHKCU, kMirror));
}

TEST(AccessoriesInstaller, LoggingListsTheLettersInTwoColumns) {
  TweakHarness h;
  h.Select(0);  // an overview puts its own two columns into the same list
  h.Select(41);
  EXPECT_EQ(2, h.pages.ListColumnCount(kListCheck, 1007));
  EXPECT_EQ("Letter", h.pages.ListColumnHeading(kListCheck, 1007, 0));
  EXPECT_EQ(99, h.pages.ListColumnWidth(kListCheck, 1007, 0));
  EXPECT_EQ("Option", h.pages.ListColumnHeading(kListCheck, 1007, 1));
  EXPECT_EQ(277, h.pages.ListColumnWidth(kListCheck, 1007, 1));
  EXPECT_EQ(13, h.pages.ListItemCount(kListCheck, 1007));
  EXPECT_EQ("v", h.pages.ListItemText(kListCheck, 1007, 0, 0));
  EXPECT_EQ("Flush each line to the log", h.pages.ListItemText(kListCheck, 1007, 12, 1));
  h.Select(5);
  h.Select(38);
  EXPECT_EQ(2, h.pages.ListColumnCount(kListCheck, 1007));
  EXPECT_EQ("Name", h.pages.ListColumnHeading(kListCheck, 1007, 0));
}

TEST(AccessoriesInstaller, LoggingIsCheckedOnlyWhenBothValuesExist) {
  struct Case {
    const char* what;
    std::vector<SeedValue> stored;
    int checked;
  };
  const Case cases[] = {
      {"both", {Sz(kHKLM, kInstaller.c_str(), "Logging", "iwe"), Dw(kHKCU, kMirrorInstaller.c_str(), "Logging", 0)}, 1},
      {"machine only", {Sz(kHKLM, kInstaller.c_str(), "Logging", "voicewarmup")}, 0},
      {"copy only", {Sz(kHKCU, kMirrorInstaller.c_str(), "Logging", "voicewarmup")}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TweakHarness h;
    h.Put(c.stored);
    h.Select(41);
    EXPECT_EQ(c.checked, h.pages.GetCheck(kListCheck, 1013));
  }
}

TEST(AccessoriesInstaller, LoggingWritesEveryLetterAndUncheckingRemovesOnlyTheLoggingValues) {
  TweakHarness h;
  h.Put({KeyOnly(kHKLM, kInstaller.c_str()), KeyOnly(kHKCU, kMirror.c_str())});
  h.Select(41);
  h.pages.SetCheck(kListCheck, 1013, 1);
  h.Apply();
  EXPECT_EQ("voicewarmup", h.Text(kHKLM, kInstaller, "Logging"));
  EXPECT_EQ("voicewarmup", h.Text(kHKCU, kMirrorInstaller, "Logging"));

  h.Select(39);
  h.pages.ComboSetCurSel(kComboCheck, 1021, 2);
  h.Apply();
  h.Select(41);
  h.pages.SetCheck(kListCheck, 1013, 0);
  h.Apply();
  EXPECT_FALSE(h.HasValue(kHKLM, kInstaller, "Logging"));
  EXPECT_EQ(2u, h.Dword(kHKLM, kInstaller, "DisableMSI"));
  EXPECT_FALSE(h.HasValue(kHKCU, kMirrorInstaller, "Logging"));
  EXPECT_EQ(2u, h.Dword(kHKCU, kMirrorInstaller, "DisableMSI"));  // the other mirrored policy stays
  EXPECT_TRUE(h.Recorded(41));
}

// --- Pages ---------------------------------------------------------------------------

TEST(AccessoriesPages, EveryTweakShowsOnePageWithItsDescriptionAndTheApplyButton) {
  for (const RecordCase& c : kRecords) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId));
    TweakHarness h;
    h.Select(c.tweakId);
    int visible = 0;
    for (const PageTemplate& page : PageTemplates()) {
      if (!h.pages.IsPageVisible(page.id)) continue;
      ++visible;
      const TweakEntry& row = h.Nav().Table()[static_cast<std::size_t>(c.tweakId)];
      EXPECT_EQ(row.title + ":\n" + row.description, h.pages.GetText(page.id, 1006));
    }
    EXPECT_EQ(1, visible);
    EXPECT_TRUE(h.pages.IsControlVisible(page::kMainWindow, page::kApplyButton));
  }
}

TEST(AccessoriesPages, CaptionsLabelsAndNotesAreTheTweaksOwn) {
  struct Case {
    int tweakId;
    int pageId;
    int controlId;
    std::string text;
  };
  const std::string kUncNote =
      "Note:\n\tyou may need to restart or log out of Windows for the change to take effect.\nIf you enable this "
      "feature and start a Console that has a current directory of an UNC name, start applications from that "
      "Console, and then close the Console, it could cause problems in the applications started from that Console.";
  const std::string kLogout = "Note:\n\tYou may need to restart or log out of Windows for the change to take effect.";
  const Case cases[] = {
      {2, kEditCheck, 1013, "Enable Command Prompt menu option"},
      {2, kEditCheck, 1014, "Menu Label:"},
      {2, kEditCheck, 1024, kLogout},
      {3, kMultiCheck, 1013, "Allow UNC paths and remove the warning message"},
      {3, kMultiCheck, 1024, kUncNote},
      {8, kComboCheck, 1014, "Command Completion(Current User)"},
      {8, kComboCheck, 1019, "Command Completion(All Users)"},
      {9, kMultiCheck, 1013, "Enable Delayed Environment Variable Expansion"},
      {9, kMultiCheck, 1024, kLogout},
      {15, kMultiCheck, 1013, "Create a new logFile for each application error that occurs."},
      {17, kMultiCheck, 1013, "Enable Popups Alert when Dr Watson  encounters an application error"},
      {18, kMultiCheck, 1013, "Enable Sound Alert when Dr Watson  encounters an application error"},
      {19, kMultiCheck, 1013, "Enable Creating a Crash Dump file after an Application Crash has Occured"},
      {20, kEditCheck, 1014, "The Alternate Program Path:"},
      {23, kEditCheck, 1014, "The Number of Instructions To Record:"},
      {24, kEditCheck, 1014, "The Location of Wave File for Sound Notification:"},
      {32, kMultiCheck, 1013, "Disable Changes to Task Properties(Current User)"},
      {32, kMultiCheck, 1018, "Disable Changes to Task Properties(All Users)"},
      {39, kComboCheck, 1014, "Windows Installer:"},
      {40, kMultiCheck, 1013, "Allows Administrators to Install and Configure Software using Windows Installer."},
      {41, kListCheck, 1013, "Check it to a Combination of the Letters below to Enable the Logging Options"},
      {44, kMultiCheck, 1013, "Disable The WindowXP Tour.(Current User)"},
      {44, kMultiCheck, 1018, "Disable The WindowXP Tour.(All Users)"},
      {46, kMultiCheck, 1013, "Save Changes to Notpad Configuration."},
      {47, kMultiCheck, 1013, "Show All Hidden Devices in Device Manager."},
      {48, kMultiCheck, 1013, "Show Detailed Information in Device Manager."},
      {50, kMultiCheck, 1013, "Enable Using Smooth Scrolling in Telnet."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("TweakId " + std::to_string(c.tweakId) + " control " + std::to_string(c.controlId));
    TweakHarness h;
    h.Select(c.tweakId);
    EXPECT_TRUE(h.pages.IsControlVisible(c.pageId, c.controlId));
    EXPECT_EQ(c.text, h.pages.GetText(c.pageId, c.controlId));
  }
}

TEST(AccessoriesPages, ComboItemsAreInTheirOrder) {
  const std::vector<std::string> completion = {"Disable", "Backspace key", "TAB key", "Ctrl-D", "Ctrl-F"};
  const std::vector<std::string> installer = {"Enabled", "Admin Only", "Disabled"};
  struct Case {
    int tweakId;
    int comboId;
    const std::vector<std::string>& items;
  };
  for (const Case& c : {Case{8, 1021, completion}, Case{8, 1022, completion}, Case{10, 1021, completion},
                        Case{10, 1022, completion}, Case{39, 1021, installer}}) {
    TweakHarness h;
    h.Select(c.tweakId);
    // Selecting twice must not add the items twice.
    h.Select(c.tweakId);
    std::vector<std::string> shown;
    for (int i = 0; i < h.pages.ComboCount(kComboCheck, c.comboId); ++i)
      shown.push_back(h.pages.ComboItemText(kComboCheck, c.comboId, i));
    EXPECT_EQ(c.items, shown);
  }
}

}  // namespace
}  // namespace corvandel
