// Stored states of the Accessories tweaks as a user's registry holds them:
// each loads into its page and applies back unchanged. The first state of a
// tweak is where the other tests start from: its keys exist, and changing
// every control of its page writes something.
#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {

namespace {

constexpr const char* kCmd = "Software\\Microsoft\\Command Processor";
constexpr const char* kWatson = "SOFTWARE\\Microsoft\\DrWatson";
constexpr const char* kAeDebug = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
constexpr const char* kTasks = "Software\\Policies\\Microsoft\\Windows\\Task Scheduler5.0";
constexpr const char* kInstaller = "Software\\Policies\\Microsoft\\Windows\\Installer";
constexpr const char* kMirror = "Software\\Microsoft\\Windows\\CurrentVersion\\Group Policy Objects\\LocalMachine";
constexpr const char* kMirrorInstaller =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Group Policy Objects\\LocalMachine\\Software\\Policies\\Microsoft\\"
    "Windows\\Installer";
constexpr const char* kEnvironment = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kTour = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Tour";
constexpr const char* kMenu = "Directory\\shell\\Command";
constexpr const char* kMenuCommand = "Directory\\shell\\Command\\command";

std::vector<StoredState> BuildStates() {
  std::vector<StoredState> s;
  // Command Processor
  s.push_back({2, "no menu", {KeyOnly(kHKCR, "Directory\\shell\\find")}});
  s.push_back({2, "menu", {Sz(kHKCR, kMenu, "", "Command Prompt Here"), Sz(kHKCR, kMenuCommand, "", "cmd.exe /k cd %1")}});
  s.push_back({2, "menu on 98", {Sz(kHKCR, kMenu, "", "DOS Here"), Sz(kHKCR, kMenuCommand, "", "command.com /k cd %1")}, win::k98});
  OnOff(s, 3, kHKCU, kCmd, "DisableUNCCheck", 1, 0);
  s.push_back({5, "light green", {Dw(kHKCU, kCmd, "DefaultColor", 0x0A)}});
  s.push_back({5, "blue background", {Dw(kHKCU, kCmd, "DefaultColor", 0x1F)}});
  OnOff(s, 6, kHKCU, kCmd, "EnableExtensions", 0, 1);
  s.push_back({7, "prompt only", {Dw(kHKCU, "Software\\Policies\\Microsoft\\Windows\\System", "DisableCMD", 2)}});
  s.push_back({7, "not set", {KeyOnly(kHKCU, "Software\\Policies\\Microsoft\\Windows\\System")}});
  s.push_back({8, "keys", {Dw(kHKCU, kCmd, "CompletionChar", 9), Dw(kHKLM, kCmd, "CompletionChar", 4)}});
  s.push_back({8, "not set", {KeyOnly(kHKCU, kCmd), KeyOnly(kHKLM, kCmd)}});
  s.push_back({8, "unlisted codes", {Dw(kHKCU, kCmd, "CompletionChar", 0x40), Dw(kHKLM, kCmd, "CompletionChar", 0x20)}});
  OnOff(s, 9, kHKCU, kCmd, "DelayedExpansion", 1, 0);
  s.push_back({10, "keys", {Dw(kHKCU, kCmd, "PathCompletionChar", 6), Dw(kHKLM, kCmd, "PathCompletionChar", 8)}});
  s.push_back({10, "unlisted code", {Dw(kHKCU, kCmd, "PathCompletionChar", 0x40), KeyOnly(kHKLM, kCmd)}});
  OnOff(s, 11, kHKCU, "Console", "QuickEdit", 1, 0);
  s.push_back({12, "program", {Sz(kHKCU, kCmd, "AutoRun", "doskey /macrofile=C:\\macros.txt")}});
  s.push_back({12, "none", {KeyOnly(kHKCU, kCmd)}});
  // Dr Watson
  OnOff(s, 14, kHKLM, kWatson, "DumpSymbols", 1, 0);
  OnOff(s, 15, kHKLM, kWatson, "AppendToLogFile", 0, 1);
  OnOff(s, 16, kHKLM, kWatson, "DumpAllThreads", 1, 0);
  OnOff(s, 17, kHKLM, kWatson, "VisualNotification", 1, 0);
  OnOff(s, 18, kHKLM, kWatson, "SoundNotification", 1, 0);
  OnOff(s, 19, kHKLM, kWatson, "CreateCrashDump", 1, 0);
  s.push_back({20, "dr watson", {Sz(kHKLM, kAeDebug, "Debugger", "drwtsn32 -p %ld -e %ld -g")}});
  s.push_back({21, "folder", {Sz(kHKLM, kWatson, "LogFilePath", "C:\\Documents and Settings\\All Users\\Documents\\DrWatson")}});
  s.push_back({22, "dump file", {ExSz(kHKLM, kWatson, "CrashDumpFile", "%windir%\\user.dmp")}});
  s.push_back({23, "ten", {Dw(kHKLM, kWatson, "Instructions", 10)}});
  s.push_back({23, "all bits", {Dw(kHKLM, kWatson, "Instructions", 0xFFFFFFFF)}});
  s.push_back({24, "wave", {ExSz(kHKLM, kWatson, "WaveFile", "%SystemRoot%\\Media\\ding.wav")}});
  // Task Scheduler
  Pair(s, 32, kTasks, "Property Pages", 1, 0);
  Pair(s, 33, kTasks, "Allow Browse", 1, 0);
  Pair(s, 34, kTasks, "DragAndDrop", 1, 0);
  Pair(s, 35, kTasks, "Execution", 1, 0);
  Pair(s, 36, kTasks, "Disable Advanced", 1, 0);
  s.push_back({37, "user restricted", {Dw(kHKCU, kTasks, "Task Creation", 1), Dw(kHKCU, kTasks, "Task Deletion", 1),
                                       Dw(kHKLM, kTasks, "Task Creation", 0), Dw(kHKLM, kTasks, "Task Deletion", 0)}});
  // Windows Installer
  s.push_back({39, "admin only", {Dw(kHKLM, kInstaller, "DisableMSI", 1), Dw(kHKCU, kMirrorInstaller, "DisableMSI", 1)}});
  s.push_back({39, "enabled", {Dw(kHKLM, kInstaller, "DisableMSI", 0), Dw(kHKCU, kMirrorInstaller, "DisableMSI", 0)}});
  s.push_back({39, "not configured", {KeyOnly(kHKLM, kInstaller), KeyOnly(kHKCU, kMirror)}});
  OnOff(s, 40, kHKLM, kInstaller, "EnableAdminTSRemote", 1, 0);
  s.push_back({41, "logging", {Sz(kHKLM, kInstaller, "Logging", "voicewarmup"), Sz(kHKCU, kMirrorInstaller, "Logging", "voicewarmup")}});
  s.push_back({41, "no logging", {KeyOnly(kHKLM, kInstaller), KeyOnly(kHKCU, kMirror)}});
  // Single tweaks
  OnOff(s, 43, kHKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "DisableTaskMgr", 1, 0);
  Pair(s, 44, kTour, "RunCount", 0, 1);
  s.push_back({46, "saved", {Dw(kHKCU, "Software\\Microsoft\\Notepad", "fSavePageSettings", 1),
                             Dw(kHKCU, "Software\\Microsoft\\Notepad", "fSaveWindowPositions", 1)}});
  s.push_back({46, "not saved", {Dw(kHKCU, "Software\\Microsoft\\Notepad", "fSavePageSettings", 0),
                                 Dw(kHKCU, "Software\\Microsoft\\Notepad", "fSaveWindowPositions", 0)}});
  s.push_back({47, "shown", {Sz(kHKLM, kEnvironment, "DEVMGR_SHOW_NONPRESENT_DEVICES", "1")}});
  s.push_back({47, "hidden", {Sz(kHKLM, kEnvironment, "Path", "C:\\WINDOWS\\system32")}});
  s.push_back({48, "details", {Sz(kHKLM, kEnvironment, "DEVMGR_SHOW_DETAILS", "1")}});
  s.push_back({48, "no details", {Sz(kHKLM, kEnvironment, "DEVMGR_SHOW_DETAILS", "0")}});
  s.push_back({49, "player", {Sz(kHKCR, "AudioCD\\Shell\\Play\\Command", "", "\"C:\\Program Files\\CD Player\\cdplay.exe\"  /play %1")}});
  OnOff(s, 50, kHKCU, "Software\\Microsoft\\Telnet", "SmoothScroll", 1, 0);
  return s;
}

}  // namespace

const std::vector<StoredState>& AccessoriesStates() {
  static const std::vector<StoredState> states = BuildStates();
  return states;
}

}  // namespace corvandel
