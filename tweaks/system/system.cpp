#include "tweaks/system/system.h"

#include <cstdint>

#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"
#include "tweaks/system/system_tweaks.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr const char* kScriptHost = "SOFTWARE\\Microsoft\\Windows Script Host\\Settings";
constexpr const char* kTimeParameters = "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters";
constexpr const char* kNtpClient = "SYSTEM\\CurrentControlSet\\Services\\W32Time\\TimeProviders\\NtpClient";
constexpr const char* kControlWindows = "SYSTEM\\CurrentControlSet\\Control\\Windows";
constexpr const char* kUpdatePolicy = "Software\\Policies\\Microsoft\\Windows\\WindowsUpdate\\AU";

// The extended scan codes of both Windows keys (E0 5B, E0 5C) mapped to
// nothing: version, flags, three entries with the terminator, the two
// mappings, the terminator.
constexpr std::uint8_t kNoWindowsKeys[] = {
    0, 0, 0, 0,  0, 0, 0, 0,  3, 0, 0, 0,  0, 0, 0x5B, 0xE0,  0, 0, 0x5C, 0xE0,  0, 0, 0, 0,
};

using enum CheckedWhen;
using enum RecordPoint;

// clang-format off

// Check boxes: one box, or a Current User / All Users pair (root kPair).
constexpr CheckRow kCheckBoxes[] = {
  //id  root   key                               value(s)                  writes                                   checked gate        history  note          caption(s)
  // Scripts
  {230, kHKCU, Opened(kSystemPolicies),          "HideLegacyLogonScripts", kDirect,                                 kOn,    k2k2003,    kAtGate, NOTE_LOGOUT,  "Hide the Legacy Login Scripts .",                                                   nullptr},
  {231, kHKCU, Opened(kSystemPolicies),          "HideLogoffScripts",      kDirect,                                 kOn,    k2k2003,    kAtGate, NOTE_LOGOUT,  "Hide the Logoff Scripts .",                                                         nullptr},
  {232, kHKCU, Opened(kSystemPolicies),          "HideLogonScripts",       kDirect,                                 kOn,    k2k2003,    kAtGate, NOTE_LOGOUT,  "Hide the Login Scripts .",                                                          nullptr},
  {233, kHKLM, Opened(kSystemPolicies),          "HideShutdownScripts",    kDirect,                                 kOn,    k2k2003,    kAtGate, NOTE_LOGOUT,  "Hide the Shutdown Scripts .",                                                       nullptr},
  {234, kHKLM, Opened(kSystemPolicies),          "HideStartupScripts",     kDirect,                                 kOn,    k2k2003,    kAtGate, NOTE_LOGOUT,  "Hide the Startup Scripts .",                                                        nullptr},
  {235, kHKLM, Opened(kWinlogon),                "RunLogonScriptSync",     kDirect,                                 kOn,    k2k2003,    kAtGate, NOTE_LOGOUT,  "Enable Run Login Scripts Synchronously .",                                          nullptr},
  // Services
  {240, kHKLM, Opened(kOle), "EnableDCOM",           Writes(TextAnyCase("N"), Text("Y")),     kOn,    kNoGate,    kAtGate, NOTE_LOGOUT,  "Disable Distributed Component Object Model (DCOM).",                               nullptr},
  {242, kHKLM, Opened("SOFTWARE\\Microsoft\\DirectPlayNATHelp\\DPNHUPnP"), "UPnPMode", Writes(Dword(2), Deleted()), kOn, k2k2003,   kAtGate, NOTE_LOGOUT,  "Disable SSDP Discovery in Windows Messenger .",                                     nullptr},
  {244, kHKLM, Opened(kTimeParameters),          "LocalNTP",               kDirect,                                 kOn,    k2k2003,    kAtGate, NOTE_LOGOUT,  "Enable NTP Time Server .",                                                          nullptr},
  {248, kHKLM, Opened(kControlWindows),          "NoInteractiveServices",  kDirect,                                 kOn,    k2k2003,    kAtGate, NOTE_LOGOUT,  "Restrict interactive services.",                                                    nullptr},
  // Single settings
  {256, kPair, Created("Software\\Policies\\Microsoft\\Windows\\App Management"), "COMClassStore", kDirect,         kOn,    k2k2003,    kAtGate, NOTE_LOGOUT,  "Enable Automatic Download of COM Components (Current User).",                      "Enable Automatic Download of COM Components (All Users)."},
  {262, kHKLM, Opened("SYSTEM\\CurrentControlSet\\Control\\WOW"), "DefaultSeparateVDM", Writes(TextAnyCase("Yes"), Text("No")), kOn, k2k2003, kAtGate, NOTE_LOGOUT, "Run 16-bit programs in a separate virtual machine by default",       nullptr},
  {264, kHKLM, Opened("SYSTEM\\CurrentControlSet\\Control\\Keyboard Layout"), "Scancode Map", Writes(Binary(kNoWindowsKeys), Deleted()), kExists, kNt2002, kAtGate, NOTE_LOGOUT, "Disable Windows Key .",                                  nullptr},
  {265, kHKCU, Opened(kExplorerPolicies),        "NoDevMgrUpdate",         Writes(Dword(1), Deleted()),             kOn,    k98Me2015,  kAtGate, NOTE_LOGOUT,  "Disable update device driver wizard .",                                            nullptr},
  {266, kHKLM, Created("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL"), "", Writes(Text("1"), Text("")), kOn, kNoGate, kAtGate, NOTE_LOGOUT, "Unload DLLs .",                                           nullptr},
  {267, kHKCU, Opened(kExplorerPolicies),  "NoManageMyComputerVerb", Writes(Dword(1), Deleted()),             kOn,    k2k2003,    kAtGate, NOTE_LOGOUT,  "Hide Computer Management Option .",                                                 nullptr},
  {268, kHKLM, Opened(kMemoryManagement),  "DisablePagingExecutive", kDirect, kOn, kNt2002, kAtGate, NOTE_LOGOUT, "Disable Paging Executive .",                               nullptr},
  {272, kPair, Created(kExplorerPolicies), "MemCheckBoxInRunDlg",    Writes(Dword(1), DeletedInKey()),        kOn,    k2k2003,    kAtGate, NOTE_LOGOUT,  "\"Run in Separate Memory Space\"is shown in the Run box(Current User).",           "\"Run in Separate Memory Space\"is shown in the Run box(All Users)."},
};

// Script files open in the editor: each box sets its type's default verb
// ("Edit", any case, checks it); a cleared box removes the verb, and a type
// whose key is missing is skipped.
constexpr CheckData kEditVerb = Writes(TextAnyCase("Edit"), Deleted());
constexpr CheckItem kScriptEditing[] = {
  {1013, "", kEditVerb, "\"JS Files\" will be loaded in Notpad.exe(or another specified text editor).",  "JSFile\\Shell"},
  {1018, "", kEditVerb, "\"JSE Files\"will be loaded in Notpad.exe(or another specified text editor).", "JSEFile\\Shell"},
  {1028, "", kEditVerb, "\"VBE Files\"will be loaded in Notpad.exe(or another specified text editor).", "VBEFile\\Shell"},
  {1032, "", kEditVerb, "\"VBS Files\"will be loaded in Notpad.exe(or another specified text editor).", "VBSFile\\Shell"},
  {1033, "", kEditVerb, "\"WSH Files\"will be loaded in Notpad.exe(or another specified text editor).", "WSHFile\\Shell"},
  {1034, "", kEditVerb, "\"WSF Files\"will be loaded in Notpad.exe(or another specified text editor).", "WSFFile\\Shell"},
};

// Universal Plug and Play: a service start type of 4 (disabled) checks its
// box, and a cleared box sets 3 (manual). A missing service is skipped.
constexpr CheckData kServiceDisabled = Writes(Dword(4), Dword(3));
constexpr CheckItem kPlugAndPlayServices[] = {
  {1013, "Start", kServiceDisabled, "Disable Universal Plug and Play Device Host .", "SYSTEM\\CurrentControlSet\\Services\\upnphost"},
  {1018, "Start", kServiceDisabled, "Disable UnPnP Discovery Service .",             "SYSTEM\\CurrentControlSet\\Services\\SSDPSRV"},
};

constexpr CheckListRow kCheckLists[] = {
  //id  root   key         checked gate     history  note          boxes
  {228, kHKCR, Opened(""), kOn,    kNoGate, kAtGate, NOTE_RESTART, kScriptEditing},
  {243, kHKLM, Opened(""), kOn,    kXp2004, kAtGate, NOTE_RESTART, kPlugAndPlayServices},
};

constexpr ComboItem kTrustPolicies[] = {{"All", Dword(0)}, {"Prompt", Dword(1)}, {"Only Trusted", Dword(2)}};
constexpr ComboItem kLogonScriptModes[] = {{"Default", Dword(0)}, {"Synchronously", Dword(1)}};
constexpr ComboItem kStartupScriptModes[] = {{"Asynchronously", Dword(0)}, {"Synchronously", Dword(1)}};
// Service start types: 2 automatic, 3 manual, 4 disabled.
constexpr ComboItem kMessengerStarts[] = {{"Automatic", Dword(2)}, {"Enabled", Dword(3)}, {"Disabled", Dword(4)}};
constexpr ComboItem kServerSizes[] = {{"Minimize Memory", Dword(1)}, {"Balance", Dword(2)}, {"Maximize Network Throughput", Dword(3)}};
constexpr ComboItem kDllSearchModes[] = {
  {"search current directory first", Dword(0)}, {"search System and Windows directories first", Dword(1)},
};

// The first item shows where nothing is stored; a stored value that names no
// item shows no selection, and no selection keeps what is stored.
constexpr ComboLoad kFirstWhenNotStored{0, 0, kNoItem};
constexpr ComboLoad kNoneUnlessKnown{kNoItem, kNoItem, kNoItem};
// The first item wherever nothing names one: where no selection removes a
// value that then loads as the first item, an unknown value shows that item
// at once, so that one apply settles it.
constexpr ComboLoad kFirstUnlessNamed{0, 0, 0};

// The user's power scheme is the stored value's first four bytes (fewer are
// padded with zeros) as a number, whatever its type: a text "0" reads 48 and
// shows no scheme.
constexpr ComboItem kPowerSchemes[] = {
  {"Home/Office desktop",               DwordInLeadingBytes(0)},
  {"Portable/Laptop computer",          DwordInLeadingBytes(1)},
  {"Monitor on for presentations",      DwordInLeadingBytes(2)},
  {"Network computer (no Wake-on-LAN)", DwordInLeadingBytes(3)},
  {"Optimized for high performance",    DwordInLeadingBytes(4)},
  {"Optimized for power saving",        DwordInLeadingBytes(5)},
};

// Combo boxes: 1021 for the Current User scope, 1022 for All Users; the
// power scheme is written to the user's key and then to the default
// profile's, both opened.
constexpr ComboRow kCombos[] = {
  //id  root   key                  value                   items                load                no selection gate     history  note         labels
  {229, kHKCU, Created(kScriptHost),    "TrustPolicy",          kTrustPolicies,      kFirstWhenNotStored, Nothing(), kNoGate, kAtGate, NOTE_LOGOUT, "Trusted and Untrusted Scripts mode:",    nullptr},
  {236, kPair, Opened(kSystemPolicies), "RunLogonScriptSync",  kLogonScriptModes,   kFirstWhenNotStored, Nothing(), k2k2003, kAtGate, NOTE_LOGOUT, "The Login Scripts Mode (Current User):", "The Login Scripts Mode (All Users):"},
  {237, kHKLM, Opened(kSystemPolicies), "RunStartupScriptSync", kStartupScriptModes, kFirstWhenNotStored, Nothing(), k2k2003, kAtGate, NOTE_LOGOUT, "The Login Scripts Mode :",               nullptr},
  {241, kHKLM, Opened("SYSTEM\\CurrentControlSet\\Services\\Messenger"), "Start", kMessengerStarts, kFirstWhenNotStored, Nothing(), kNt2002, kAtGate, NOTE_LOGOUT, "Messenger Service SPAM :", nullptr},
  {247, kHKLM, Opened("SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters"), "Size", kServerSizes, kFirstWhenNotStored, Nothing(), kNt2002, kAtGate, NOTE_LOGOUT, "Optimize the service for :", nullptr},
  {257, kUserAndDefault, Opened("Control Panel\\PowerCfg"), "CurrentPowerPolicy", kPowerSchemes, kFirstWhenNotStored, Nothing(), kNoGate, kAtGate, NOTE_LOGOUT, "Power Management Configuration Mode", nullptr},
  {258, kHKLM, Opened(kSessionManager), "SafeDllSearchMode", kDllSearchModes, kNoneUnlessKnown, Deleted(), k2k2003, kAtGate, NOTE_LOGOUT, "Safe Dll search mode:", nullptr},
};

// Edits: 1015 with label 1014.
constexpr EditRow kEdits[] = {
  //id  root   key                 value                  type         shown up to written after empty edit       gate     history  browse     note          label
  {245, kHKLM, Opened(kNtpClient), "SpecialPollInterval", reg::kDword, "",         "",           kSkipWhenEmpty, kXp2004, kAtGate, kNoBrowse, NOTE_RESTART, "Internet Time Synchronization Schedule (Seconds in Decimal):"},
};

// "ErrorMode": row i stands for mode i.
constexpr ListRow kErrorModes[] = {
  {"0", "Show every error popup"},
  {"1", "Hide system error popups (logged)"},
  {"2", "Hide system and application error popups (logged)"},
};

// Lists whose selected row's index is stored.
constexpr ListChoiceRow kListChoices[] = {
  //id  root   key                      value        gate     history  columns                                        rows
  {263, kHKLM, Opened(kControlWindows), "ErrorMode", kNoGate, kAtGate, {{{"Mode", 99}, {"Popup Error Messages", 277}}}, kErrorModes},
};

// Time synchronisation: "Period" through its table ("Once a day" is 0, the
// others count down from 0xFFFF), the rest by item; "Type" compared with its
// letter case. No selection removes a value.
constexpr ComboItem kSyncPeriods[] = {
  {"Once a day", Dword(0)},
  {"Once every 2 days", Dword(0xFFFF)},
  {"Once every 3 days", Dword(0xFFFE)},
  {"Once every week (7 days)", Dword(0xFFFD)},
  {"Once every 45 minutes until 3 good synchronizations occur, then once every 8 hours (3 per day)", Dword(0xFFFC)},
  {"Once every 45 minutes until 1 good synchronization occurs, then once every day", Dword(0xFFFB)},
};
constexpr ComboItem kReliableTimeSources[] = {
  {"Do not mark this computer as having reliable time [default]", Dword(0)},
  {"mark this computer as having reliable time (this is only useful on a domain controller)", Dword(1)},
};
constexpr ComboItem kSyncTypes[] = {
  {"Nt5DS - synchronize to domain hierarchy [default]", Text("Nt5DS")},
  {"NTP - synchronize to manually configured source", Text("NTP")},
  {"NoSync - do not synchronize time", Text("NoSync")},
};
constexpr Field kTimeSyncFields[] = {
  EditField (1014, "Ntp Server:",          1015, "NtpServer",          reg::kSz, kWriteWhenEmpty),
  ComboField(1019, "Period:",              1021, "Period",             kSyncPeriods,         kNoneUnlessKnown, Deleted()),
  ComboField(1020, "ReliableTimeSource:",  1022, "ReliableTimeSource", kReliableTimeSources, kNoneUnlessKnown, Deleted()),
  ComboField(1039, "Type:",                1029, "Type",               kSyncTypes,           kNoneUnlessKnown, Deleted()),
};

// Automatic updates: the mode combo stands in the place of edit 1015. The
// install time is hour i + 1 for item i; the last item, "24-hour ", is
// midnight, stored as 0.
constexpr ComboItem kUpdateModes[] = {{"Enable", Dword(0)}, {"Disable", Dword(1)}};
constexpr ComboItem kUpdateOptions[] = {
  {"Notify for download and notify for install", Dword(2)},
  {"Auto download and notify for install", Dword(3)},
  {"Auto download and schedule the install", Dword(4)},
};
constexpr ComboItem kInstallDays[] = {
  {"0", Dword(0)}, {"1", Dword(1)}, {"2", Dword(2)}, {"3", Dword(3)}, {"4", Dword(4)}, {"5", Dword(5)}, {"6", Dword(6)}, {"7", Dword(7)},
};
constexpr ComboItem kInstallHours[] = {
  {"1-hour ", Dword(1)},   {"2-hour ", Dword(2)},   {"3-hour ", Dword(3)},   {"4-hour ", Dword(4)},
  {"5-hour ", Dword(5)},   {"6-hour ", Dword(6)},   {"7-hour ", Dword(7)},   {"8-hour ", Dword(8)},
  {"9-hour ", Dword(9)},   {"10-hour ", Dword(10)}, {"11-hour ", Dword(11)}, {"12-hour ", Dword(12)},
  {"13-hour ", Dword(13)}, {"14-hour ", Dword(14)}, {"15-hour ", Dword(15)}, {"16-hour ", Dword(16)},
  {"17-hour ", Dword(17)}, {"18-hour ", Dword(18)}, {"19-hour ", Dword(19)}, {"20-hour ", Dword(20)},
  {"21-hour ", Dword(21)}, {"22-hour ", Dword(22)}, {"23-hour ", Dword(23)}, {"24-hour ", Dword(0)},
};
constexpr Field kAutomaticUpdateFields[] = {
  ComboField(1014, "Automatic Updates Mode:",    1030, "NoAutoUpdate",         kUpdateModes,   kFirstUnlessNamed,   DeletedInKey()),
  ComboField(1019, "Automatic Updates Options:", 1021, "AUOptions",            kUpdateOptions, kNoneUnlessKnown,    DeletedInKey()),
  ComboField(1020, "Scheduled Install Day:",     1022, "ScheduledInstallDay",  kInstallDays,   kNoneUnlessKnown,    DeletedInKey()),
  ComboField(1039, "Scheduled Install Time:",    1029, "ScheduledInstallTime", kInstallHours,  kNoneUnlessKnown,    DeletedInKey()),
};

constexpr FieldsRow kFields[] = {
  //id  page              root   key                      gate     history  note         fields
  {249, page::kEditCombo, kHKLM, Opened(kTimeParameters), k2k2003, kAtGate, NOTE_LOGOUT, kTimeSyncFields},
  {270, page::kEditCombo, kHKLM, Created(kUpdatePolicy),  k2k2003, kAtGate, NOTE_LOGOUT, kAutomaticUpdateFields},
};

// Tweaks with routines of their own; 259 only shows what is set.
constexpr std::array<TweakRoutines, 5> kOwnRoutines = {{
  {253, LoadSfcProgress,      ApplySfcProgress},
  {254, LoadSfcScan,          ApplySfcScan},
  {255, LoadSfcCacheDir,      ApplySfcCacheDir, {Browse::kFolder}},
  {259, LoadUpdateServer,     nullptr},
  {269, LoadUsbPolling,       ApplyUsbPolling},
}};

// clang-format on

constexpr auto kRoutines =
    JoinRoutines(RoutinesOf<kCheckBoxes>(), RoutinesOf<kCheckLists>(), RoutinesOf<kCombos>(), RoutinesOf<kEdits>(),
                 RoutinesOf<kListChoices>(), RoutinesOf<kFields>(), kOwnRoutines);

}  // namespace

std::span<const TweakRoutines> SystemRoutines() { return kRoutines; }

}  // namespace corvandel
