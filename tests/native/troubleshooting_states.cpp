// Stored states of the Troubleshooting and root-level tweaks as a user's
// registry holds them (each loads and applies back unchanged), and the states
// an untouched apply rewrites by design. The first state of a tweak is where
// the other tests start from: its keys exist, and changing every control of
// its page writes something.
#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {

namespace {

constexpr const char* kCrash = "SYSTEM\\CurrentControlSet\\Control\\CrashControl";
constexpr const char* kEventLog = "SYSTEM\\CurrentControlSet\\Services\\Eventlog";
constexpr const char* kSystemPolicy = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr const char* kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kNtVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kDiagnostics = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Diagnostics";
constexpr const char* kInstaller = "Software\\Policies\\Microsoft\\Windows\\Installer";
constexpr const char* kMirror = "Software\\Microsoft\\Windows\\CurrentVersion\\Group Policy Objects\\LocalMachine";
constexpr const char* kMirrorInstaller =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Group Policy Objects\\LocalMachine\\Software\\Policies\\Microsoft\\"
    "Windows\\Installer";
constexpr const char* kMenuHandlers = "Directory\\Background\\shellex\\ContextMenuHandlers";
constexpr const char* kNewMenu = "Directory\\Background\\shellex\\ContextMenuHandlers\\New";
constexpr const char* kNewHandler = "{D969A300-E7FF-11d0-A93B-00A0C90F2719}";
constexpr const char* kIeMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kOffice = "Software\\Microsoft\\Office\\10.0";
constexpr const char* kSafeMode = "Software\\Microsoft\\Internet Explorer\\Desktop\\SafeMode\\General";
constexpr const char* kMailBeep = "AppEvents\\Schemes\\Apps\\.Default\\MailBeep\\.current";
constexpr const char* kKeyboard = "Control Panel\\Keyboard";
constexpr const char* kDefaultKeyboard = ".DEFAULT\\Control Panel\\Keyboard";
constexpr const char* kActiveSetup = "SOFTWARE\\Microsoft\\Active Setup";
constexpr const char* kNtWindows = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr const char* kTerminalServer = "SYSTEM\\CurrentControlSet\\Control\\Terminal Server";
constexpr const char* kMemory = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr const char* kCdrom = "SYSTEM\\CurrentControlSet\\Services\\Cdrom";
constexpr const char* kErrorReporting = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr const char* kSetup = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
constexpr const char* k9xVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kDesktop = "Control Panel\\Desktop";

std::vector<SeedValue> EventLogging(std::uint32_t global, std::uint32_t policy, std::uint32_t deploy,
                                    std::uint32_t remoteBoot) {
  return {Dw(kHKLM, kDiagnostics, "RunDiagnosticLoggingGlobal", global),
          Dw(kHKLM, kDiagnostics, "RunDiagnosticLoggingGroupPolicy", policy),
          Dw(kHKLM, kDiagnostics, "RunDiagnosticLoggingAppDeploy", deploy),
          Dw(kHKLM, kDiagnostics, "RunDiagnosticLoggingIntelliMirror", remoteBoot)};
}

std::vector<SeedValue> RemoteAssistance(std::uint32_t allow, std::uint32_t deny, std::uint32_t help) {
  return {Dw(kHKLM, kTerminalServer, "AllowTSConnections", allow), Dw(kHKLM, kTerminalServer, "fDenyTSConnections", deny),
          Dw(kHKLM, kTerminalServer, "fAllowToGetHelp", help)};
}

std::vector<SeedValue> CoolSwitch(const char* columns, const char* rows) {
  std::vector<SeedValue> values{Sz(kHKCU, kDesktop, "CoolSwitch", "1")};
  if (columns) values.push_back(Sz(kHKCU, kDesktop, "CoolSwitchColumns", columns));
  if (rows) values.push_back(Sz(kHKCU, kDesktop, "CoolSwitchRows", rows));
  return values;
}

std::vector<StoredState> BuildStates() {
  std::vector<StoredState> s;
  // Crash Control
  s.push_back({275, "overwrite", {Dw(kHKLM, kCrash, "Overwrite", 1)}});
  s.push_back({275, "keep", {Dw(kHKLM, kCrash, "Overwrite", 0)}});
  s.push_back({275, "not set", {KeyOnly(kHKLM, kCrash)}});
  s.push_back({275, "unknown number", {Dw(kHKLM, kCrash, "Overwrite", 2)}});
  OnOff(s, 276, kHKLM, kCrash, "LogEvent");
  s.push_back({277, "small dump", {Dw(kHKLM, kCrash, "CrashDumpEnabled", 3)}});
  s.push_back({277, "none", {Dw(kHKLM, kCrash, "CrashDumpEnabled", 0)}});
  s.push_back({277, "unknown kind", {Dw(kHKLM, kCrash, "CrashDumpEnabled", 7)}});
  OnOff(s, 278, kHKLM, kCrash, "SendAlert");
  s.push_back({279, "below windows", {ExSz(kHKLM, kCrash, "MinidumpDir", "%SystemRoot%\\Minidump")}});
  s.push_back({279, "other drive", {ExSz(kHKLM, kCrash, "MinidumpDir", "D:\\Dumps")}});
  s.push_back({279, "not set", {KeyOnly(kHKLM, kCrash)}});
  s.push_back({280, "memory dump", {ExSz(kHKLM, kCrash, "DumpFile", "%SystemRoot%\\MEMORY.DMP")}});
  // Logging
  s.push_back({283, "restricted", {Dw(kHKLM, kEventLog, "RestrictGuestAccess", 1)}});
  s.push_back({283, "guests", {Dw(kHKLM, kEventLog, "RestrictGuestAccess", 0)}});
  s.push_back({283, "not set", {KeyOnly(kHKLM, kEventLog)}});
  s.push_back({284, "verbose", {Dw(kHKLM, kSystemPolicy, "DisableStatusMessages", 0), Dw(kHKLM, kSystemPolicy, "verbosestatus", 1)}});
  s.push_back({284, "not set", {KeyOnly(kHKLM, kSystemPolicy)}});
  s.push_back({285, "debug", {Dw(kHKLM, kWinlogon, "UserEnvDebugLevel", 0x10002)}});
  s.push_back({285, "not set", {KeyOnly(kHKLM, kWinlogon)}});
  s.push_back({286, "group policies", EventLogging(0, 1, 0, 0)});
  s.push_back({286, "everything", EventLogging(1, 1, 1, 1)});
  s.push_back({286, "no key", {KeyOnly(kHKLM, kNtVersion)}});
  s.push_back({287, "logging", {Sz(kHKLM, kInstaller, "Logging", "voicewarmup"), Sz(kHKCU, kMirrorInstaller, "Logging", "voicewarmup")}});
  s.push_back({287, "no logging", {KeyOnly(kHKLM, kInstaller), Dw(kHKCU, kMirrorInstaller, "DisableMSI", 1)}});
  // Repair
  s.push_back({289, "menu", {Sz(kHKCR, kNewMenu, "", kNewHandler)}});
  s.push_back({289, "no menu", {KeyOnly(kHKCR, kMenuHandlers)}});
  s.push_back({290, "style sheets", {Sz(kHKCU, kIeMain, "Use StyleSheets", "Yes")}});
  s.push_back({290, "not set", {KeyOnly(kHKCU, kIeMain)}});
  s.push_back({292, "settings kept", {Raw(kHKCU, kOffice, "Shortcut Bar", {1, 2, 3, 4, 5})}});
  s.push_back({292, "repaired", {KeyOnly(kHKCU, kOffice)}});
  s.push_back({292, "no office", {KeyOnly(kHKCU, "Software\\Microsoft")}});
  // Directly under Troubleshooting
  s.push_back({295, "picture", {Sz(kHKCU, kSafeMode, "Wallpaper", "\"%SystemRoot%\\Web\\Wallpaper\\Bliss.bmp\"")}});
  s.push_back({295, "on 98", {Sz(kHKCU, kSafeMode, "Wallpaper", "C:\\My Pictures\\safe.bmp")}, win::k98});
  s.push_back({296, "ding", {Sz(kHKCU, kMailBeep, "", "%SystemRoot%\\Media\\ding.wav")}});
  s.push_back({296, "no sound", {KeyOnly(kHKCU, kMailBeep)}});
  s.push_back({297, "user on", {Sz(kHKCU, kKeyboard, "InitialKeyboardIndicators", "2"), Sz(kHKU, kDefaultKeyboard, "InitialKeyboardIndicators", "0")}});
  s.push_back({297, "default on", {Sz(kHKCU, kKeyboard, "InitialKeyboardIndicators", "0"), Sz(kHKU, kDefaultKeyboard, "InitialKeyboardIndicators", "2")}});
  s.push_back({297, "no default profile", {Sz(kHKCU, kKeyboard, "InitialKeyboardIndicators", "2")}});
  s.push_back({299, "stepping", {Sz(kHKLM, kActiveSetup, "SteppingMode", "Y")}});
  s.push_back({299, "not set", {KeyOnly(kHKLM, kActiveSetup)}});
  s.push_back({300, "quiet", {Dw(kHKLM, kNtWindows, "NoPopUpsOnBoot", 1), Dw(kHKLM, kNtWindows, "Error Mode", 2)}});
  s.push_back({300, "errors shown", {Dw(kHKLM, kNtWindows, "Error Mode", 0)}});
  s.push_back({300, "not set", {KeyOnly(kHKLM, kNtWindows)}});
  s.push_back({301, "allowed", RemoteAssistance(1, 0, 1)});
  s.push_back({301, "denied", RemoteAssistance(0, 1, 0)});
  s.push_back({302, "large pages off", {Dw(kHKLM, kMemory, "LargePageMinimum", 0xFFFFFFFF)}});
  s.push_back({302, "not set", {KeyOnly(kHKLM, kMemory)}});
  OnOff(s, 303, kHKLM, kCdrom, "AutoRun");
  s.push_back({305, "report quietly", {Dw(kHKLM, kErrorReporting, "DoReport", 1), Dw(kHKLM, kErrorReporting, "IncludeKernelFaults", 1),
                                       Dw(kHKLM, kErrorReporting, "IncludeMicrosoftApps", 0), Dw(kHKLM, kErrorReporting, "IncludeWindowsApps", 1),
                                       Dw(kHKLM, kErrorReporting, "ShowUI", 0)}});
  s.push_back({305, "nothing", {Dw(kHKLM, kErrorReporting, "DoReport", 0), Dw(kHKLM, kErrorReporting, "IncludeKernelFaults", 0),
                                Dw(kHKLM, kErrorReporting, "IncludeMicrosoftApps", 0), Dw(kHKLM, kErrorReporting, "IncludeWindowsApps", 0),
                                Dw(kHKLM, kErrorReporting, "ShowUI", 0)}});
  // Root-level tweaks
  s.push_back({306, "in the profile", {ExSz(kHKCU, kShellFolders, "Cookies", "%USERPROFILE%\\Cookies"),
                                       ExSz(kHKCU, kShellFolders, "Desktop", "%USERPROFILE%\\Desktop"),
                                       ExSz(kHKCU, kShellFolders, "Favorites", "%USERPROFILE%\\Favorites"),
                                       ExSz(kHKCU, kShellFolders, "Cache", "%USERPROFILE%\\Local Settings\\Temporary Internet Files"),
                                       ExSz(kHKCU, kShellFolders, "Personal", "D:\\My Documents")}});
  s.push_back({306, "none set", {KeyOnly(kHKCU, kShellFolders)}});
  s.push_back({307, "copied", {Sz(kHKLM, kSetup, "SourcePath", "C:\\I386")}});
  s.push_back({307, "not set", {KeyOnly(kHKLM, kSetup)}});
  s.push_back({308, "registered", {Sz(kHKLM, kNtVersion, "RegisteredOwner", "Jane Doe"), Sz(kHKLM, kNtVersion, "RegisteredOrganization", "Example Ltd")}});
  s.push_back({308, "no organization", {Sz(kHKLM, kNtVersion, "RegisteredOwner", "Jane Doe")}});
  s.push_back({308, "on 98", {Sz(kHKLM, k9xVersion, "RegisteredOwner", "Jim"), Sz(kHKLM, k9xVersion, "RegisteredOrganization", "Home")}, win::k98});
  s.push_back({309, "five by three", CoolSwitch("5", "3")});
  s.push_back({309, "no rows shown", CoolSwitch("7", "150")});
  s.push_back({309, "negative", CoolSwitch("-1", "0")});
  return s;
}

}  // namespace

const std::vector<StoredState>& TroubleshootingStates() {
  static const std::vector<StoredState> states = BuildStates();
  return states;
}

std::vector<Rewrite> TroubleshootingRewrites() {
  return {
      {{276, "a check state of 2", {Dw(kHKLM, kCrash, "LogEvent", 2)}}, "any non-zero number shows checked, and checked writes 1"},
      {{279, "the Windows folder spelt out", {ExSz(kHKLM, kCrash, "MinidumpDir", "C:\\WINDOWS\\Minidump")}},
       "the Windows folder is written as %SystemRoot%"},
      {{280, "plain text", {Sz(kHKLM, kCrash, "DumpFile", "D:\\MEMORY.DMP")}}, "the dump file is written expandable"},
      {{283, "unknown number", {Dw(kHKLM, kEventLog, "RestrictGuestAccess", 2)}}, "a number with no item shows no choice, which removes it"},
      {{284, "verbosestatus alone", {Dw(kHKLM, kSystemPolicy, "verbosestatus", 1)}},
       "checked also writes \"DisableStatusMessages\""},
      {{286, "all zero", EventLogging(0, 0, 0, 0)}, "four unchecked boxes remove the key"},
      {{287, "other letters", {Sz(kHKLM, kInstaller, "Logging", "iwe"), Sz(kHKCU, kMirrorInstaller, "Logging", "iwe")}},
       "logging is always written with every letter"},
      {{289, "menu without a handler", {KeyOnly(kHKCR, kNewMenu)}}, "a \"New\" key without a default value shows unchecked, which removes it"},
      {{290, "not Yes", {Sz(kHKCU, kIeMain, "Use StyleSheets", "no")}}, "only \"Yes\" shows checked, and unchecked removes the value"},
      {{297, "other texts", {Sz(kHKCU, kKeyboard, "InitialKeyboardIndicators", "1"), Sz(kHKU, kDefaultKeyboard, "InitialKeyboardIndicators", "2")}},
       "only \"2\" shows checked, and unchecked writes \"0\""},
      {{300, "NoPopUpsOnBoot 0", {Dw(kHKLM, kNtWindows, "NoPopUpsOnBoot", 0)}}, "only 1 shows checked, and unchecked removes the value"},
      {{301, "mixed (XP default)", RemoteAssistance(1, 1, 1)}, "one box writes all three values"},
      {{306, "the profile spelt out", {ExSz(kHKCU, kShellFolders, "Favorites", "C:\\Documents and Settings\\User\\Favorites")}},
       "the profile folder is written as %USERPROFILE%"},
      {{306, "plain text", {Sz(kHKCU, kShellFolders, "Personal", "D:\\Documents")}}, "folders are written expandable"},
      {{309, "absent", {KeyOnly(kHKCU, kDesktop)}}, "CoolSwitch is turned on, and absent counts are written as 0"},
      {{309, "leading zero", CoolSwitch("07", "3")}, "a count is written as its number"},
  };
}

}  // namespace corvandel
