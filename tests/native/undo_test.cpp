// Backups, undo and refused keys: the recording registry over the in-memory
// one (every kind of change and its restore, through the backup file's text),
// then whole applies and undos through the navigator.
#include <gtest/gtest.h>

#include "scratch_folder.h"

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "history/backups.h"
#include "services/file_text.h"
#include "services/reg_file.h"
#include "services/registry_key.h"
#include "services/registry_recording.h"
#include "registry_contents.h"
#include "scratch_folder.h"
#include "tweak_harness.h"

namespace corvandel {
namespace {

constexpr RegKey kHKCU = reg::kCurrentUser;
constexpr RegKey kHKLM = reg::kLocalMachine;
constexpr const char* kCmd = "Software\\Microsoft\\Command Processor";
constexpr const char* kEnvironment = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kTasks = "Software\\Policies\\Microsoft\\Windows\\Task Scheduler5.0";

void Seed(MemoryRegistry& registry) {
  RegistryKey cmd = RegistryKey::Create(registry, kHKCU, "Software\\A");
  cmd.WriteDword("Kept", 7);
  cmd.WriteText("Text", "no zero after me");  // as the program writes text
  const std::uint8_t odd[] = {0x01, 0x00, 0xFF};
  registry.SetValueEx(cmd.handle(), "Odd", reg::kMultiSz, odd, sizeof odd);
  RegistryKey tree = RegistryKey::Create(registry, kHKCU, "Software\\A\\Tree\\Leaf");
  tree.WriteDword("Deep", 1);
  RegistryKey::Create(registry, kHKCU, "Software\\A\\Tree\\Empty").IsOpen();
  RegistryKey::Create(registry, kHKLM, "Software\\A").WriteDword("Kept", 8);
}

// The backup's way: the changes as a registry file, read back and made.
void MakeThroughFile(const std::vector<RegChange>& changes, IRegistry& registry) {
  std::vector<RegChange> read;
  std::string error;
  ASSERT_TRUE(ParseRegistryText(RegistryChangesText(changes, {"a comment"}), "changes.reg", &read, &error)) << error;
  ApplyRegistryChanges(read, registry);
}
void RestoreThroughFile(const RecordedChanges& recorded, IRegistry& registry) {
  MakeThroughFile(recorded.restore, registry);
}

struct ChangeCase {
  const char* what;
  std::function<void(IRegistry&)> change;
};

const ChangeCase kChanges[] = {
    {"value changed", [](IRegistry& r) { RegistryKey::Open(r, kHKCU, "Software\\A").WriteDword("Kept", 9); }},
    {"text and odd data changed",
     [](IRegistry& r) {
       RegistryKey key = RegistryKey::Open(r, kHKCU, "Software\\A");
       key.WriteText("Text", "new");
       key.WriteDword("Odd", 0);
     }},
    {"value created", [](IRegistry& r) { RegistryKey::Open(r, kHKCU, "Software\\A").WriteText("New", "x"); }},
    {"value deleted", [](IRegistry& r) { RegistryKey::Open(r, kHKCU, "Software\\A").DeleteValue("Kept"); }},
    {"value deleted by path", [](IRegistry& r) { r.DeleteValueByPath(kHKCU, "Software\\A\\Tree\\Leaf", "Deep"); }},
    {"keys created with their parents",
     [](IRegistry& r) { RegistryKey::Create(r, kHKCU, "Software\\B\\C\\D").WriteDword("V", 1); }},
    {"empty key deleted", [](IRegistry& r) { r.DeleteKey(kHKCU, "Software\\A\\Tree\\Empty"); }},
    {"key tree deleted then made again",
     [](IRegistry& r) {
       r.DeleteTree(kHKCU, "Software\\A\\Tree");
       RegistryKey::Create(r, kHKCU, "Software\\A\\Tree").WriteDword("Other", 2);
     }},
    {"value changed, then its key deleted",
     [](IRegistry& r) {
       RegistryKey::Open(r, kHKCU, "Software\\A\\Tree\\Leaf").WriteDword("Deep", 5);
       r.DeleteTree(kHKCU, "Software\\A\\Tree");
     }},
    {"key made again with other content, one value kept",
     [](IRegistry& r) {
       r.DeleteTree(kHKCU, "Software\\A\\Tree");
       RegistryKey::Create(r, kHKCU, "Software\\A\\Tree\\Leaf").WriteDword("Deep", 1);
       RegistryKey::Create(r, kHKCU, "Software\\A\\Tree\\Leaf").WriteDword("More", 2);
     }},
    {"value made, changed back and removed again, another value in a created key",
     [](IRegistry& r) {
       RegistryKey key = RegistryKey::Open(r, kHKCU, "Software\\A");
       key.WriteDword("Kept", 1);
       key.WriteDword("Kept", 7);
       key.DeleteValue("Text");
       RegistryKey::Create(r, kHKLM, "Software\\A\\New").WriteDword("V", 3);
     }},
    {"both scopes of a pair",
     [](IRegistry& r) {
       RegistryKey::Open(r, kHKCU, "Software\\A").WriteDword("Kept", 0);
       RegistryKey::Open(r, kHKLM, "Software\\A").WriteDword("Kept", 1);
     }},
};

TEST(UndoRecording, EveryKindOfChangeIsRestoredExactlyAndTheRestoreCanBeUndoneInTurn) {
  for (const ChangeCase& c : kChanges) {
    SCOPED_TRACE(c.what);
    MemoryRegistry memory;
    Seed(memory);
    const auto before = RegistryContents(memory);
    RecordingRegistry recorder(memory);

    recorder.Begin(nullptr, /*listMade=*/true);
    c.change(recorder);
    const RecordedChanges change = recorder.End();
    const auto after = RegistryContents(memory);
    ASSERT_NE(before, after);
    EXPECT_FALSE(change.restore.empty());
    EXPECT_TRUE(change.changeMade);

    // What the run made, on a copy of the registry as it was, gives the
    // registry as the run left it.
    MemoryRegistry copy;
    Seed(copy);
    MakeThroughFile(change.made, copy);
    EXPECT_EQ(after, RegistryContents(copy));

    recorder.Begin(nullptr);
    RestoreThroughFile(change, recorder);
    const RecordedChanges undo = recorder.End();
    EXPECT_EQ(before, RegistryContents(memory));

    recorder.Begin(nullptr);
    RestoreThroughFile(undo, recorder);
    recorder.End();
    EXPECT_EQ(after, RegistryContents(memory));
    EXPECT_EQ(0u, memory.OpenHandleCount());
  }
}

TEST(UndoRecording, TheFileListsWhatWasThereBeforeTheFirstChange) {
  MemoryRegistry memory;
  Seed(memory);
  RecordingRegistry recorder(memory);
  std::vector<std::vector<RegChange>> beforeEachChange;
  recorder.Begin([&](const std::vector<RegChange>& restore) { beforeEachChange.push_back(restore); });
  RegistryKey key = RegistryKey::Open(recorder, kHKCU, "Software\\A");
  key.WriteDword("Kept", 1);
  key.WriteDword("Kept", 2);   // already held: nothing new to save
  key.WriteText("New", "x");
  RegistryKey::Create(recorder, kHKLM, "Software\\Fresh\\Key").IsOpen();
  const RecordedChanges recorded = recorder.End();
  EXPECT_EQ(3u, beforeEachChange.size());
  EXPECT_EQ(recorded.restore, beforeEachChange.back());
  EXPECT_EQ("REGEDIT4\r\n"
            "; T\r\n"
            "\r\n[-HKEY_LOCAL_MACHINE\\Software\\Fresh]\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n"
            "\"New\"=-\r\n"
            "\"Kept\"=dword:00000007\r\n",
            RegistryChangesText(recorded.restore, {"T"}));
}

// A recorder around the recorders of two applies sees both: what differs at
// the end and nothing else, whatever happened in between.
TEST(UndoRecording, AStackedRecorderListsWhatTheRunsMadeAndNothingElse) {
  MemoryRegistry memory;
  Seed(memory);
  RecordingRegistry run(memory);
  RecordingRegistry apply(static_cast<IRegistry&>(run));
  run.Begin(nullptr, /*listMade=*/true);
  apply.Begin(nullptr);
  {
    RegistryKey a = RegistryKey::Open(apply, kHKCU, "Software\\A");
    a.WriteDword("Kept", 1);
    a.WriteText("Text", "no zero after me");  // as it was
    a.DeleteValue("Odd");
  }
  apply.End();
  apply.Begin(nullptr);
  RegistryKey::Open(apply, kHKCU, "Software\\A").WriteDword("Kept", 7);  // back again
  apply.DeleteTree(kHKCU, "Software\\A\\Tree");
  RegistryKey::Create(apply, kHKLM, "Software\\B\\C").WriteDword("V", 2);
  EXPECT_FALSE(apply.End().restore.empty());
  const RecordedChanges recorded = run.End();
  EXPECT_EQ("REGEDIT4\r\n"
            "; T\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n"
            "\"Odd\"=-\r\n"
            "\r\n[-HKEY_CURRENT_USER\\Software\\A\\Tree]\r\n"
            "\r\n[HKEY_LOCAL_MACHINE\\Software\\B\\C]\r\n"
            "\"V\"=dword:00000002\r\n",
            RegistryChangesText(recorded.made, {"T"}));
  EXPECT_EQ(0u, memory.OpenHandleCount());
}

TEST(UndoRecording, NothingToRestoreWhenTheRegistryHoldsWhatItHeld) {
  MemoryRegistry memory;
  Seed(memory);
  RecordingRegistry recorder(memory);
  recorder.Begin(nullptr, /*listMade=*/true);
  RegistryKey key = RegistryKey::Open(recorder, kHKCU, "Software\\A");
  key.WriteDword("Kept", 7);
  key.WriteDword("Gone", 1);
  key.DeleteValue("Gone");
  const RecordedChanges recorded = recorder.End();
  EXPECT_TRUE(recorded.restore.empty());
  EXPECT_TRUE(recorded.made.empty());
  EXPECT_TRUE(recorded.changeMade);
  EXPECT_TRUE(recorded.refusedKeys.empty());
}

TEST(UndoRecording, RefusalsAreAccessDeniedOnlyAndEachKeyOnce) {
  MemoryRegistry memory;
  Seed(memory);
  memory.Deny(MemoryRegistry::kFullAccess | MemoryRegistry::kCreate | MemoryRegistry::kSet | MemoryRegistry::kDelete,
              kHKLM, "");
  RecordingRegistry recorder(memory);
  recorder.Begin(nullptr);
  EXPECT_FALSE(RegistryKey::Open(recorder, kHKLM, "Software\\A"));          // refused
  EXPECT_FALSE(RegistryKey::Open(recorder, kHKLM, "Software\\Missing"));    // not there: silent
  RegistryKey existing = RegistryKey::Create(recorder, kHKLM, "Software\\A");  // opened, but not to write
  EXPECT_TRUE(existing);
  existing.WriteDword("Kept", 1);
  EXPECT_FALSE(RegistryKey::Create(recorder, kHKLM, "Software\\New"));
  recorder.DeleteKey(kHKCU, "Software\\A\\Tree");  // has subkeys: no question of rights
  const RecordedChanges recorded = recorder.End();
  EXPECT_EQ((std::vector<std::string>{"HKEY_LOCAL_MACHINE\\Software\\A", "HKEY_LOCAL_MACHINE\\Software\\New"}),
            recorded.refusedKeys);
  EXPECT_TRUE(recorded.AllRefused());
  EXPECT_TRUE(recorded.restore.empty());
}

TEST(UndoAlert, ListsFiveKeysThenHowManyMore) {
  std::vector<std::string> keys;
  for (int i = 1; i <= 7; ++i) keys.push_back(std::string("HKEY_LOCAL_MACHINE\\K").append(std::to_string(i)));
  EXPECT_EQ("These keys could not be changed:\n\nHKEY_LOCAL_MACHINE\\K1\nHKEY_LOCAL_MACHINE\\K2\n"
            "HKEY_LOCAL_MACHINE\\K3\nHKEY_LOCAL_MACHINE\\K4\nHKEY_LOCAL_MACHINE\\K5\nand 2 more\n\n"
            "Administrator rights are needed to change them.",
            RefusedKeysText(keys));
  EXPECT_EQ(std::string::npos, RefusedKeysText({keys[0]}).find("more"));
}

// --- Through the navigator ---------------------------------------------------------

void DenyAdministration(TweakHarness& h) {
  h.registry.Deny(MemoryRegistry::kFullAccess | MemoryRegistry::kCreate | MemoryRegistry::kSet |
                      MemoryRegistry::kDelete,
                  kHKLM, "");
}

// The harness's snapshot with each key's values in no order.
std::map<std::string, std::set<std::string>> Unordered(const std::map<std::string, std::string>& snapshot) {
  std::map<std::string, std::set<std::string>> keys;
  for (const auto& [key, values] : snapshot) {
    auto& set = keys[key];
    for (std::size_t at = 0, end; (end = values.find(';', at)) != std::string::npos; at = end + 1)
      set.insert(values.substr(at, end - at));
  }
  return keys;
}

// Every tweak, from each stored state with every control changed: the apply
// leaves a backup whose undo gives back the registry as it was, and undoing
// that gives back the apply's.
TEST(Undo, EveryApplyOfTheCatalogueIsUndoneExactlyAndRedone) {
  std::size_t undone = 0;
  for (const StoredState& state : CatalogueStates()) {
    SCOPED_TRACE(std::to_string(state.tweakId) + " " + state.name);
    TweakHarness h;
    h.platform.version = state.version;
    h.Reseed(state.values);
    const auto before = Unordered(h.Snapshot());
    h.Select(state.tweakId);
    h.ChangeEveryControl();
    h.Apply();
    const auto after = Unordered(h.Snapshot());
    if (after == before) {
      EXPECT_FALSE(h.Nav().LastBackup());
      continue;
    }
    std::string error;
    ASSERT_TRUE(h.Nav().UndoLastChange(&error)) << error;
    EXPECT_EQ(before, Unordered(h.Snapshot()));
    ASSERT_TRUE(h.Nav().UndoLastChange(&error)) << error;
    EXPECT_EQ(after, Unordered(h.Snapshot()));
    EXPECT_EQ(0u, h.registry.OpenHandleCount());
    ++undone;
  }
  EXPECT_LT(0u, undone);
}

TEST(Undo, AnApplyLeavesABackupThatUndoesItAndTheUndoCanBeUndone) {
  TweakHarness h;
  h.Put(Dw(kHKCU, kCmd, "DisableUNCCheck", 0));
  h.Select(3);
  EXPECT_FALSE(h.Nav().LastBackup());
  h.pages.SetCheck(page::kMultiCheck, 1013, 1);
  h.Apply();
  ASSERT_EQ(1u, h.Dword(kHKCU, kCmd, "DisableUNCCheck"));
  const std::optional<BackupFile> backup = h.Nav().LastBackup();
  ASSERT_TRUE(backup);
  EXPECT_EQ("2008-06-15_000001_3.reg", backup->name);
  const std::optional<std::string> text = ReadWholeFile(backup->path);
  ASSERT_TRUE(text);
  EXPECT_EQ("REGEDIT4\r\n; Corvandel backup of \"Allow UNC Paths at the Command Prompt\" (TweakId 3)\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]\r\n\"DisableUNCCheck\"=dword:00000000\r\n",
            *text);

  h.platform.today = {2009, 1, 1};
  std::string error;
  ASSERT_TRUE(h.Nav().UndoLastChange(&error)) << error;
  EXPECT_EQ(0u, h.Dword(kHKCU, kCmd, "DisableUNCCheck"));
  EXPECT_EQ(0, h.pages.GetCheck(page::kMultiCheck, 1013));  // the page shows it again
  EXPECT_EQ("1/1/2009", h.Nav().History().LookupModifiedDate(h.Nav().Table()[3].title));
  EXPECT_EQ(2u, h.Nav().Backups().List(3).size());

  ASSERT_TRUE(h.Nav().UndoLastChange(&error)) << error;
  EXPECT_EQ(1u, h.Dword(kHKCU, kCmd, "DisableUNCCheck"));
  EXPECT_EQ(1, h.pages.GetCheck(page::kMultiCheck, 1013));
  EXPECT_EQ(0u, h.registry.OpenHandleCount());
}

TEST(Undo, AnApplyThatChangesNothingLeavesNoBackup) {
  TweakHarness h;
  h.Put(Dw(kHKCU, kCmd, "DisableUNCCheck", 1));
  h.Select(3);
  h.Apply();
  EXPECT_TRUE(h.Recorded(3));
  EXPECT_TRUE(h.Nav().Backups().List().empty());
  std::string error;
  EXPECT_FALSE(h.Nav().UndoLastChange(&error));
  EXPECT_EQ("", error);
}

TEST(Undo, ARefusedScopeOfAPairIsReportedWhileTheOtherIsWrittenAndUndone) {
  TweakHarness h;
  DenyAdministration(h);
  h.Select(32);
  h.pages.SetCheck(page::kMultiCheck, 1013, 1);
  h.pages.SetCheck(page::kMultiCheck, 1018, 1);
  h.Apply();
  EXPECT_EQ(1u, h.Dword(kHKCU, kTasks, "Property Pages"));
  EXPECT_FALSE(h.HasKey(kHKLM, kTasks));
  ASSERT_EQ(1u, h.Alerts().size());
  EXPECT_NE(std::string::npos, h.Alerts()[0].find("\nHKEY_LOCAL_MACHINE\\Software\\Policies"));
  EXPECT_TRUE(h.Recorded(32));

  std::string error;
  ASSERT_TRUE(h.Nav().UndoLastChange(&error));
  EXPECT_FALSE(h.HasKey(kHKCU, "Software\\Policies"));  // created by the apply, so removed
}

TEST(Undo, AnApplyRefusedWholeIsNotDatedAndLeavesNoBackup) {
  TweakHarness h;
  h.Put(Sz(kHKLM, kEnvironment, "DEVMGR_SHOW_DETAILS", "1"));
  DenyAdministration(h);
  h.Select(48);
  EXPECT_EQ(1, h.pages.GetCheck(page::kMultiCheck, 1013));  // read although it cannot be changed
  h.pages.SetCheck(page::kMultiCheck, 1013, 0);
  h.Apply();
  EXPECT_EQ("1", h.Text(kHKLM, kEnvironment, "DEVMGR_SHOW_DETAILS"));
  EXPECT_EQ(1u, h.Alerts().size());
  EXPECT_FALSE(h.Recorded(48));
  EXPECT_TRUE(h.Nav().Backups().List().empty());
}

TEST(Undo, TheFolderKeepsTheNewestBackups) {
  TweakHarness h;
  BackupFolder folder(h.platform.ProgramFolder());
  for (std::size_t i = 0; i < kKeptBackups + 2; ++i) {
    const BackupFile file = folder.NextFile(static_cast<int>(i % 3), {2008, 1, 1});
    ASSERT_TRUE(folder.Write(file, "t", {{RegChange::kDeleteKey, kHKCU, "Software\\X", {}, reg::kNone, {}}}));
  }
  h.Put(Dw(kHKCU, kCmd, "DisableUNCCheck", 0));
  h.Select(3);
  h.pages.SetCheck(page::kMultiCheck, 1013, 1);
  h.Apply();
  const std::vector<BackupFile> kept = folder.List();
  ASSERT_EQ(kKeptBackups, kept.size());
  EXPECT_LT("2008-01-01", kept.front().date);  // the apply's, dated today, newest first
  EXPECT_EQ(3, kept.front().tweakId);
  EXPECT_EQ(4u, kept.back().number);
  EXPECT_EQ(kept.front().name, h.Nav().LastBackup()->name);
}

// Ordered by date and number: numbers go on past 32 bits, a stray old file
// with a high number is never the newest, and a clock set back dates a new
// backup as the newest one so that it stays the newest.
TEST(Undo, BackupsAreOrderedByDateAndNumber) {
  struct Case {
    const char* name;
    std::vector<std::string> files;
    const char* next;
  };
  const Case cases[] = {
      {"past 32 bits", {"2026-12-07_4294967295_3.reg"}, "2026-12-07_4294967296_3.reg"},
      {"a stray old file", {"2001-01-01_999999999999_3.reg", "2026-12-06_000005_4.reg"}, "2026-12-07_000001_3.reg"},
      {"the clock set back", {"2026-12-09_000002_4.reg", "2026-12-07_000007_3.reg"}, "2026-12-09_000003_3.reg"},
      {"the highest number", {"2026-12-07_18446744073709551615_3.reg"}, "2026-12-07_18446744073709551615_3.reg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder scratch;
    for (const std::string& name : c.files) scratch.Write("Backup\\" + name, "REGEDIT4\r\n");
    BackupFolder folder(scratch.Ansi());
    const BackupFile next = folder.NextFile(3, {2026, 12, 7});
    EXPECT_EQ(c.next, next.name);
    std::string error;
    const bool written = folder.Write(next, "t", {}, &error);
    EXPECT_EQ(next.name != c.files.front(), written) << error;  // an existing name is never written over
    if (written) {
      EXPECT_EQ(c.next, folder.Newest(3)->name);
    }
  }
}

// Only files named as backups count: a folder with such a name and other
// files are passed over, and a missing folder lists none.
TEST(Undo, OnlyFilesNamedAsBackupsAreListed) {
  ScratchFolder scratch;
  scratch.Write("Backup\\2026-12-07_000001_3.reg", "REGEDIT4\r\n");
  scratch.Write("Backup\\notes.txt", "x");
  std::filesystem::create_directories(scratch.path() / "Backup" / "2026-12-08_000009_3.reg");
  BackupFolder folder(scratch.Ansi());
  const std::vector<BackupFile> listed = folder.List();
  ASSERT_EQ(1u, listed.size());
  EXPECT_EQ("2026-12-07_000001_3.reg", listed.front().name);
  EXPECT_EQ("2026-12-07_000002_3.reg", folder.NextFile(3, {2026, 12, 7}).name);
  EXPECT_TRUE(BackupFolder(scratch.Ansi() + "\\missing").List().empty());
}

// Two programs keep backups in one folder, each listing it once and keeping
// the listing from one backup to the next: a name the other took meanwhile is
// found, and never written over.
TEST(Undo, TwoProgramsOnOneFolderNeverTakeEachOthersNames) {
  ScratchFolder scratch;
  BackupFolder first(scratch.Ansi()), second(scratch.Ansi());
  for (int i = 1; i <= 6; ++i) {
    BackupFolder& folder = i % 2 ? first : second;
    const BackupFile file = folder.NextFile(3, {2026, 12, 7});
    std::string error;
    ASSERT_TRUE(folder.Write(file, "t", {}, &error)) << file.name << ": " << error;
    folder.Prune();
    EXPECT_EQ("2026-12-07_00000" + std::to_string(i) + "_3.reg", file.name);
  }
  EXPECT_EQ(6u, BackupFolder(scratch.Ansi()).List().size());
}

TEST(Undo, TheQuestionShowsWhatIsPutBackShortened) {
  std::vector<RegChange> restore = {{RegChange::kDeleteKey, kHKLM, "Software\\Policies", {}, reg::kNone, {}}};
  for (int i = 0; i < 14; ++i)
    restore.push_back({RegChange::kSetValue, kHKCU, "Software\\A", std::string(1, 'V').append(std::to_string(i)),
                       reg::kBinary, std::vector<std::uint8_t>(40, 0xAB)});
  const std::vector<std::string> lines = BackupFolder::Summary(restore, 12, 30);
  ASSERT_EQ(13u, lines.size());
  EXPECT_EQ("[-HKEY_LOCAL_MACHINE\\Softwa...", lines[0]);
  EXPECT_EQ("[HKEY_CURRENT_USER\\Software\\A]", lines[1]);
  EXPECT_EQ("\"V0\"=hex:ab,ab,ab,ab,ab,ab,...", lines[2]);
  EXPECT_EQ("and 4 more", lines[12]);
  EXPECT_EQ(0u, UndoQuestionText("Title", restore).find("Undo the last change to \"Title\"?"));
}

}  // namespace
}  // namespace corvandel
