#include "tweaks/troubleshooting/troubleshooting.h"

#include "tweaks/accessories/accessories_tweaks.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"
#include "tweaks/troubleshooting/troubleshooting_tweaks.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr const char* kEventLog = "SYSTEM\\CurrentControlSet\\Services\\Eventlog";
constexpr const char* kDiagnostics = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Diagnostics";
constexpr const char* kContextMenuHandlers = "Directory\\Background\\shellex\\ContextMenuHandlers";
constexpr const char* kIeMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kSafeModeDesktop = "Software\\Microsoft\\Internet Explorer\\Desktop\\SafeMode\\General";
constexpr const char* kMailBeep = "AppEvents\\Schemes\\Apps\\.Default\\MailBeep\\.current";
constexpr const char* kTerminalServer = "SYSTEM\\CurrentControlSet\\Control\\Terminal Server";
constexpr const char* kErrorReporting = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";
constexpr const char* kKeyboard = "Control Panel\\Keyboard";
constexpr const char* kActiveSetup = "SOFTWARE\\Microsoft\\Active Setup";

// The handler of the desktop background's "New" submenu.
constexpr const char* kNewMenuHandler = "{D969A300-E7FF-11d0-A93B-00A0C90F2719}";

using enum CheckedWhen;
using enum RecordPoint;

// clang-format off

// Check boxes: one box, or (root kUserDefaultPair) the current user's 1013
// and the default profile's 1018.
constexpr CheckRow kCheckBoxes[] = {
  //id  root              key                                             value(s)                     writes                                       checked    gate     history  note         caption(s)
  // Crash Control
  {276, kHKLM,            Opened(kCrashControl),                          "LogEvent",                  kDirect,                                     kAsStored, kNt2002, kAtGate, NOTE_LOGOUT, "Enable Windows logs a system crash to the event log.",             nullptr},
  {278, kHKLM,            Opened(kCrashControl),                          "SendAlert",                 kDirect,                                     kAsStored, kNt2002, kAtGate, NOTE_LOGOUT, "Send an administrative alert when the system stops with a crash.", nullptr},
  // Repair
  {289, kHKCR,            OpenedThenCreated(kContextMenuHandlers, "New"), "",                          Writes(Text(kNewMenuHandler), KeyDeleted()), kExists,   kNoGate, kAtGate, nullptr,     "Show the New submenu on the desktop and folder backgrounds.",      nullptr},
  {290, kHKCU,            Opened(kIeMain),                                "Use StyleSheets",           Writes(Text("Yes"), Deleted()),              kOn,       kNoGate, kAtGate, nullptr,     "Use style sheets when Internet Explorer prints pages.",            nullptr},
  // Directly under Troubleshooting
  {297, kUserDefaultPair, Opened(kKeyboard),                              "InitialKeyboardIndicators", Writes(Text("2"), Text("0")),                kOn,       kNt2002, kAtGate, NOTE_LOGOUT, "NumLock is turned on after login (Current User).",                 "NumLock is turned on after login (All Users)."},
  {299, kHKLM,            Opened(kActiveSetup),                           "SteppingMode",              Writes(Text("Y"), Deleted()),                kOn,       kNoGate, kAtGate, nullptr,     "Ask before each step of a Windows Update installation.",           nullptr},
  {302, kHKLM,            Opened(kMemoryManagement),                      "LargePageMinimum",          Writes(Dword(0xFFFFFFFF), Deleted()),        kOn,       k2k2003, kAtGate, NOTE_LOGOUT, "Increase page size to fix Athlon issue.",                          nullptr},
  {303, kHKLM,            Opened(kCdrom),                                 "AutoRun",                   kDirect,                                     kAsStored, kNoGate, kAtGate, NOTE_LOGOUT, "Enable AutoRun on CD-ROM Drives.",                                 nullptr},
};

// Boxes over several values of one key. "Show Verbose Security Status
// Messages" and "Enable Remote Assistance" each write three values with one
// box; unchecking Remote Assistance denies every Terminal Server connection,
// which turns Remote Desktop off as well.
constexpr CheckItem kVerboseStatus[] = {
  {1013, "DisableStatusMessages", Writes(Dword(0), Deleted()), "Enable verbose security status messages .", nullptr, kNotLoaded},
  {1013, "verbosestatus",         Writes(Dword(1), Deleted()), "Enable verbose security status messages .", nullptr, kLoads},
};
constexpr CheckItem kEventLogging[] = {
  {1013, "RunDiagnosticLoggingGlobal",        kRaw, "Enable all user environment event logging."},
  {1018, "RunDiagnosticLoggingGroupPolicy",   kRaw, "Enable event logging for group policies."},
  {1028, "RunDiagnosticLoggingAppDeploy",     kRaw, "Enable event logging for application deployment."},
  {1032, "RunDiagnosticLoggingIntelliMirror", kRaw, "Enable event logging for remote boot."},
};
constexpr CheckItem kRemoteAssistance[] = {
  {1013, "AllowTSConnections", kDirect,   "Allow Remote Assistance and Remote Desktop connections."},
  {1013, "fDenyTSConnections", kInverted, "Allow Remote Assistance and Remote Desktop connections."},
  {1013, "fAllowToGetHelp",    kDirect,   "Allow Remote Assistance and Remote Desktop connections."},
};
// Written in this order; "ShowUI" is the second box on the page.
constexpr CheckItem kErrorReportingBoxes[] = {
  {1013, "DoReport",             kRaw, "Report errors."},
  {1028, "IncludeKernelFaults",  kRaw, "Include kernel faults in the reports."},
  {1032, "IncludeMicrosoftApps", kRaw, "Include errors of Microsoft programs."},
  {1033, "IncludeWindowsApps",   kRaw, "Include errors of Windows components."},
  {1018, "ShowUI",               kRaw, "Tell me when an error occurs."},
};

constexpr CheckListRow kCheckLists[] = {
  //id  root   key                      checked    gate     history  note         boxes                 all unchecked
  {284, kHKLM, Opened(kSystemPolicies), kAsStored, k2k2003, kAtGate, NOTE_LOGOUT, kVerboseStatus},
  {286, kHKLM, Created(kDiagnostics),   kAsStored, k2k2003, kAtGate, NOTE_LOGOUT, kEventLogging,        AllUnchecked::kRemovesKey},
  {301, kHKLM, Opened(kTerminalServer), kOn,       kXp2004, kAtGate, NOTE_LOGOUT, kRemoteAssistance},
  {305, kHKLM, Opened(kErrorReporting), kAsStored, kXp2004, kAtGate, NOTE_LOGOUT, kErrorReportingBoxes},
};

// Item i stores i; a stored number with no item loads as no selection.
constexpr ComboItem kDumpOverwrite[] = {
  {"Keep the old dump file", Dword(0)}, {"Overwrite the old dump file", Dword(1)},
};
constexpr ComboItem kDumpKinds[] = {
  {"None", Dword(0)}, {"Complete memory dump", Dword(1)}, {"Kernel memory dump", Dword(2)}, {"Small memory dump (64 KB)", Dword(3)},
};
constexpr ComboItem kEventLogAccess[] = {
  {"Guest access", Dword(0)}, {"Restricted access", Dword(1)},
};

constexpr ComboLoad kNoSelectionUnlessStored{kNoItem, kNoItem, kNoItem};

constexpr ComboRow kCombos[] = {
  //id  root   key                    value                  items            load                      no selection gate     history  note         label
  {275, kHKLM, Opened(kCrashControl), "Overwrite",           kDumpOverwrite,  kNoSelectionUnlessStored, Nothing(),   kNt2002, kAtGate, NOTE_LOGOUT, "When a dump file already exists:",   nullptr},
  {277, kHKLM, Opened(kCrashControl), "CrashDumpEnabled",    kDumpKinds,      kNoSelectionUnlessStored, Nothing(),   kNt2002, kAtGate, NOTE_LOGOUT, "Write debugging information:",       nullptr},
  {283, kHKLM, Opened(kEventLog),     "RestrictGuestAccess", kEventLogAccess, kNoSelectionUnlessStored, Deleted(),   kNt2002, kAtGate, NOTE_LOGOUT, "Access to the event logs mode.",     nullptr},
};

// Edits 1015 with label 1014 and browse button 1023.
constexpr EditRow kEdits[] = {
  //id  root   key                        value          type            shown up to  written after  empty edit      gate       history  browse   note         label                                        pair     form
  {279, kHKLM, Opened(kCrashControl),     "MinidumpDir", reg::kExpandSz, "",          "",            kSkipWhenEmpty, k2k2003,   kAtGate, kBrowse, NOTE_LOGOUT, "Small memory dump directory:",              nullptr, EditForm::kSystemRoot},
  {280, kHKLM, Opened(kCrashControl),     "DumpFile",    reg::kExpandSz, "",          "",            kSkipWhenEmpty, k2k2003,   kAtGate, kBrowse, NOTE_LOGOUT, "Crash dump file:",                          nullptr, EditForm::kSystemRoot},
  {295, kHKCU, Opened(kSafeModeDesktop),  "Wallpaper",   reg::kSz,       "",          "",            kSkipWhenEmpty, k98Me2015, kAtGate, kBrowse, NOTE_LOGOUT, "The active desktop safe mode background:",  nullptr, EditForm::kSystemRoot},
  {296, kHKCU, Opened(kMailBeep),         "",            reg::kSz,       "",          "",            kSkipWhenEmpty, k2k2003,   kAtGate, kBrowse, nullptr,     "New mail sound:",                           nullptr, EditForm::kSystemRoot},
};

// Tweaks with routines of their own. Windows Installer Logging is the same
// tweak as the Accessories one, under the same title.
constexpr std::array<TweakRoutines, 4> kOwnRoutines = {{
  {285, LoadUserEnvDebugLogging, ApplyUserEnvDebugLogging},
  {287, LoadInstallerLogging,    ApplyInstallerLogging},
  {292, LoadOfficeShortcutBar,   ApplyOfficeShortcutBar},
  {300, LoadStartupWarnings,     ApplyStartupWarnings},
}};

// clang-format on

constexpr auto kRoutines = JoinRoutines(RoutinesOf<kCheckBoxes>(), RoutinesOf<kCheckLists>(), RoutinesOf<kCombos>(),
                                        RoutinesOf<kEdits>(), kOwnRoutines);

}  // namespace

std::span<const TweakRoutines> TroubleshootingRoutines() { return kRoutines; }

}  // namespace corvandel
