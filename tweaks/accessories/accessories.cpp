#include "tweaks/accessories/accessories.h"

#include "tweaks/accessories/accessories_tweaks.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr const char* kCommandProcessor = "Software\\Microsoft\\Command Processor";
constexpr const char* kDrWatson = "SOFTWARE\\Microsoft\\DrWatson";
constexpr const char* kAeDebug = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
constexpr const char* kTaskSchedulerPolicy = "Software\\Policies\\Microsoft\\Windows\\Task Scheduler5.0";
constexpr const char* kMachineEnvironment = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kApplets = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets";

constexpr const char* kUncNote =
    "Note:\n\tyou may need to restart or log out of Windows for the change to take effect.\n"
    "If you enable this feature and start a Console that has a current directory of an UNC name, start applications "
    "from that Console, and then close the Console, it could cause problems in the applications started from that "
    "Console.";

constexpr const char* kMicrosoft = "Software\\Microsoft";
constexpr const char* kNotepad = "Software\\Microsoft\\Notepad";
constexpr const char* kAudioCdPlay = "AudioCD\\Shell\\Play\\Command";
constexpr const char* kSystemPolicy = "Software\\Policies\\Microsoft\\Windows\\System";

using enum CheckedWhen;
using enum RecordPoint;

// clang-format off

// Check boxes: one box, or a Current User / All Users pair (root kPair).
constexpr CheckRow kCheckBoxes[] = {
  //id root   key                                      value(s)                                       writes                        checked  gate           history     note             caption(s)
  // Command Processor
  { 3, kHKCU, Opened(kCommandProcessor),               "DisableUNCCheck",                             kDirect,                      kOn,     kNt2002Revert, kAfterOpen, kUncNote,        "Allow UNC paths and remove the warning message",                                   nullptr},
  { 6, kHKCU, Opened(kCommandProcessor),               "EnableExtensions",                            kInverted,                    kOn,     k2k2003Revert, kAfterOpen, nullptr,         "Disable the Command Processor Extensions",                                         nullptr},
  { 9, kHKCU, Opened(kCommandProcessor),               "DelayedExpansion",                            kDirect,                      kOn,     k2k2003Revert, kAfterOpen, NOTE_LOGOUT_CAP, "Enable Delayed Environment Variable Expansion",                                    nullptr},
  {11, kHKCU, Opened("Console"),                       "QuickEdit",                                   kDirect,                      kOn,     kNt2002Revert, kAfterOpen, nullptr,         "Enable QuickEdit Mode in Command Prompt Windows",                                  nullptr},
  // Dr Watson
  {14, kHKLM, Opened(kDrWatson),                       "DumpSymbols",                                 kDirect,                      kOn,     kNt2002Revert, kAfterOpen, NOTE_LOGOUT_CAP, "Enable Symbol Dumping in Dr Watson",                                               nullptr},
  {15, kHKLM, Opened(kDrWatson),                       "AppendToLogFile",                             kInverted,                    kOn,     kNt2002Revert, kAfterOpen, NOTE_LOGOUT_CAP, "Create a new logFile for each application error that occurs.",                     nullptr},
  {16, kHKLM, Opened(kDrWatson),                       "DumpAllThreads",                              kDirect,                      kOn,     kNt2002Revert, kAfterOpen, NOTE_LOGOUT_CAP, "Dump the contents of all threads during an application error.",                    nullptr},
  {17, kHKLM, Opened(kDrWatson),                       "VisualNotification",                          kDirect,                      kOn,     kNt2002Revert, kAfterOpen, NOTE_LOGOUT_CAP, "Enable Popups Alert when Dr Watson  encounters an application error",              nullptr},
  {18, kHKLM, Opened(kDrWatson),                       "SoundNotification",                           kDirect,                      kOn,     kNt2002Revert, kAfterOpen, NOTE_LOGOUT_CAP, "Enable Sound Alert when Dr Watson  encounters an application error",               nullptr},
  {19, kHKLM, Opened(kDrWatson),                       "CreateCrashDump",                             kDirect,                      kOn,     kNt2002Revert, kAfterOpen, NOTE_LOGOUT_CAP, "Enable Creating a Crash Dump file after an Application Crash has Occured",         nullptr},
  // Task Scheduler
  {32, kPair, Created(kTaskSchedulerPolicy),           "Property Pages",                              kDirect,                      kOn,     kMe2011,       kAfterOpen, NOTE_LOGOUT_CAP, "Disable Changes to Task Properties(Current User)",                                 "Disable Changes to Task Properties(All Users)"},
  {33, kPair, Created(kTaskSchedulerPolicy),           "Allow Browse",                                kDirect,                      kOn,     kMe2011,       kAfterOpen, NOTE_LOGOUT_CAP, "Disable Changes to Task Run Command(Current User)",                                "Disable Changes to Task Run Command(All Users)"},
  {34, kPair, Created(kTaskSchedulerPolicy),           "DragAndDrop",                                 kDirect,                      kOn,     kMe2011,       kAfterOpen, NOTE_LOGOUT_CAP, "Disable Drag and Drop Task Scheduling(Current User)",                              "Disable Drag and Drop Task Scheduling(All Users)"},
  {35, kPair, Created(kTaskSchedulerPolicy),           "Execution",                                   kDirect,                      kOn,     kMe2011,       kAfterOpen, NOTE_LOGOUT_CAP, "Disable Starting and Ending Tasks by Hand(Current User)",                          "Disable Starting and Ending Tasks by Hand(All Users)"},
  {36, kPair, Created(kTaskSchedulerPolicy),           "Disable Advanced",                            kDirect,                      kOn,     kMe2011,       kAfterOpen, NOTE_LOGOUT_CAP, "Remove the Advanced Option from the Task Wizard(Current User)",                    "Remove the Advanced Option from the Task Wizard(All Users)"},
  {37, kPair, Created(kTaskSchedulerPolicy),           {"Task Creation", "Task Deletion"},            kRaw,                         kOn,     kMe2011,       kAfterOpen, NOTE_LOGOUT_CAP, "Prevent Creating and Deleting Tasks(Current User)",                                "Prevent Creating and Deleting Tasks(All Users)"},
  // Windows Installer
  {40, kHKLM, Opened(kInstallerPolicyKey),             "EnableAdminTSRemote",                         kRaw,                         kOn,     k2k2003Revert, kNever,     NOTE_LOGOUT_CAP, "Allows Administrators to Install and Configure Software using Windows Installer.", nullptr},
  // Single tweaks
  {43, kHKCU, OpenedThenCreated(kPolicies, "System"),  "DisableTaskMgr",                              kDirect,                      kOn,     kXp2004Revert, kAtGate,    NOTE_LOGOUT_CAP, "Disable Task Manager.",                                                            nullptr},
  {44, kPair, OpenedThenCreated(kApplets, "Tour"),     "RunCount",                                    kInverted,                    kOn,     kXp2004,       kAtGate,    NOTE_LOGOUT_CAP, "Disable The WindowXP Tour.(Current User)",                                         "Disable The WindowXP Tour.(All Users)"},
  {46, kHKCU, Opened(kNotepad),                        {"fSavePageSettings", "fSaveWindowPositions"}, kDirect,                      kOn,     kNoGate,       kAtGate,    NOTE_LOGOUT_CAP, "Save Changes to Notpad Configuration.",                                            nullptr},
  {47, kHKLM, Opened(kMachineEnvironment),             "DEVMGR_SHOW_NONPRESENT_DEVICES",              Writes(Text("1"), Deleted()), kExists, k2k2003Revert, kNever,     NOTE_LOGOUT_CAP, "Show All Hidden Devices in Device Manager.",                                       nullptr},
  {48, kHKLM, Opened(kMachineEnvironment),             "DEVMGR_SHOW_DETAILS",                         kTextFlag,                    kOn,     k2k2003Revert, kAtGate,    NOTE_LOGOUT_CAP, "Show Detailed Information in Device Manager.",                                     nullptr},
  {50, kHKCU, OpenedThenCreated(kMicrosoft, "Telnet"), "SmoothScroll",                                kDirect,                      kOn,     kNoGate,       kAtGate,    NOTE_LOGOUT_CAP, "Enable Using Smooth Scrolling in Telnet.",                                         nullptr},
};

// The completion keys: "Disable" removes the value; a stored code that is not
// listed loads as no selection, and no selection keeps what is stored.
constexpr ComboItem kCompletionKeys[] = {
  {"Disable", Deleted()}, {"Backspace key", Dword(8)}, {"TAB key", Dword(9)}, {"Ctrl-D", Dword(4)}, {"Ctrl-F", Dword(6)},
};

// Combo boxes: 1021 for the Current User scope, 1022 for All Users.
constexpr ComboRow kCombos[] = {
  //id root   key                         value                 items            load                   no selection gate     history  note             labels
  { 8, kPair, Created(kCommandProcessor), "CompletionChar",     kCompletionKeys, {kNoItem, 0, kNoItem}, Nothing(),   kNt2002, kAtGate, NOTE_LOGOUT_CAP, "Command Completion(Current User)",   "Command Completion(All Users)"},
  {10, kPair, Created(kCommandProcessor), "PathCompletionChar", kCompletionKeys, {kNoItem, 0, kNoItem}, Nothing(),   k2k2002, kAtGate, NOTE_LOGOUT_CAP, "Directory Completion(Current User)", "Directory Completion(All Users)"},
};

// Edits: 1015 with label 1014, browse button 1023 where shown.
constexpr EditRow kEdits[] = {
  //id root   key                        value            type            shown up to       written after        empty edit        gate     history  browse     note             label
  {12, kHKCU, Opened(kCommandProcessor), "AutoRun",       reg::kSz,       "",               "",                  kDeleteWhenEmpty, k2k2002, kAtGate, kBrowse,   nullptr,         "Command to Run at Start:"},
  {20, kHKLM, Opened(kAeDebug),          "Debugger",      reg::kSz,       " -p %ld -e %ld", " -p %ld -e %ld -g", Alert(2006),      kNt2002, kAtGate, kBrowse,   NOTE_LOGOUT_CAP, "The Alternate Program Path:"},
  {21, kHKLM, Opened(kDrWatson),         "LogFilePath",   reg::kSz,       "",               "",                  Alert(2007),      kNt2002, kAtGate, kBrowse,   NOTE_LOGOUT_CAP, "The Log File Directory Path:"},
  {22, kHKLM, Opened(kDrWatson),         "CrashDumpFile", reg::kExpandSz, "",               "",                  Alert(2008),      kNt2002, kAtGate, kBrowse,   NOTE_LOGOUT_CAP, "The Location of the Dump File:"},
  {23, kHKLM, Opened(kDrWatson),         "Instructions",  reg::kDword,    "",               "",                  Alert(2009),      kNt2002, kNever,  kNoBrowse, NOTE_LOGOUT_CAP, "The Number of Instructions To Record:"},
  {24, kHKLM, Opened(kDrWatson),         "WaveFile",      reg::kExpandSz, "",               "",                  Alert(2010),      kNt2002, kAtGate, kBrowse,   NOTE_LOGOUT_CAP, "The Location of Wave File for Sound Notification:"},
  {49, kHKCR, Opened(kAudioCdPlay),      "",              reg::kSz,       "  /play %1",     "  /play %1",        Alert(2012),      kNoGate, kAtGate, kBrowse,   nullptr,         "Audio CD Player:"},
};

// "DefaultColor": text colour on black, the foreground in the low four bits as
// the console's COLOR command codes it; 0 leaves the console window's own colours.
constexpr ListRow kConsoleColors[] = {
  {"00", "The Console Window's Own Colors"},
  {"01", "Blue on Black"},        {"02", "Green on Black"},        {"03", "Aqua on Black"},
  {"04", "Red on Black"},         {"05", "Purple on Black"},       {"06", "Yellow on Black"},
  {"07", "White on Black"},       {"08", "Gray on Black"},         {"09", "Light Blue on Black"},
  {"0A", "Light Green on Black"}, {"0B", "Light Aqua on Black"},   {"0C", "Light Red on Black"},
  {"0D", "Light Purple on Black"}, {"0E", "Light Yellow on Black"}, {"0F", "Bright White on Black"},
};

// "DisableCMD": 1 turns off the prompt and scripts, 2 the prompt only.
constexpr ListRow kCommandPromptPolicies[] = {
  {"0", "Allow the Command Prompt and Batch Files"},
  {"1", "Disable the Command Prompt and Batch Files"},
  {"2", "Disable the Command Prompt but Run Batch Files"},
};

// Lists whose selected row's index is stored.
constexpr ListChoiceRow kListChoices[] = {
  //id root   key                        value           gate     history  columns                                                     rows
  { 5, kHKCU, Opened(kCommandProcessor), "DefaultColor", kNt2002, kAtGate, {{{"Color Code", 99}, {"Text on Background", 277}}},        kConsoleColors},
  { 7, kHKCU, Created(kSystemPolicy),    "DisableCMD",   k2k2003, kAtGate, {{{"Value", 99}, {"Command Prompt and Batch Files", 277}}}, kCommandPromptPolicies},
};

// Tweaks with routines of their own.
constexpr std::array<TweakRoutines, 3> kOwnRoutines = {{
  {  2, LoadAddCommandPrompt,        ApplyAddCommandPrompt},
  { 39, LoadDisableWindowsInstaller, ApplyDisableWindowsInstaller},
  { 41, LoadInstallerLogging,        ApplyInstallerLogging},
}};

// clang-format on

constexpr auto kRoutines = JoinRoutines(RoutinesOf<kCheckBoxes>(), RoutinesOf<kCombos>(), RoutinesOf<kEdits>(),
                                        RoutinesOf<kListChoices>(), kOwnRoutines);

}  // namespace

std::span<const TweakRoutines> AccessoriesRoutines() { return kRoutines; }

}  // namespace corvandel
