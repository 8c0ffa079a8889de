// Stored states of the System tweaks as a user's registry holds them: each
// loads into its page and applies back unchanged. The first state of a tweak
// is where the other tests start from: its keys exist, and changing every
// control of its page writes something. Then the states an untouched apply
// rewrites by design.
#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {

namespace {

constexpr const char* kSystemPolicy = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr const char* kExplorerPolicy = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kScriptHost = "SOFTWARE\\Microsoft\\Windows Script Host\\Settings";
constexpr const char* kTime = "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters";
constexpr const char* kControlWindows = "SYSTEM\\CurrentControlSet\\Control\\Windows";
constexpr const char* kPoliciesNt = "SOFTWARE\\Policies\\Microsoft\\Windows NT";
constexpr const char* kProtection = "SOFTWARE\\Policies\\Microsoft\\Windows NT\\Windows File Protection";
constexpr const char* kComPolicy = "Software\\Policies\\Microsoft\\Windows\\App Management";
constexpr const char* kPowerCfg = "Control Panel\\PowerCfg";
constexpr const char* kDefaultPowerCfg = ".DEFAULT\\Control Panel\\PowerCfg";
constexpr const char* kUpdate = "Software\\Policies\\Microsoft\\Windows\\WindowsUpdate";
constexpr const char* kUpdateAu = "Software\\Policies\\Microsoft\\Windows\\WindowsUpdate\\AU";
constexpr const char* kKeyboard = "SYSTEM\\CurrentControlSet\\Control\\Keyboard Layout";
constexpr const char* kUnloadDll = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL";
constexpr const char* kUsb9x = "SYSTEM\\CurrentControlSet\\Services\\Class\\Usb\\0000";
constexpr const char* kUsbNt = "SYSTEM\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}\\0000";
constexpr const char* kUpnpHost = "SYSTEM\\CurrentControlSet\\Services\\upnphost";
constexpr const char* kSsdp = "SYSTEM\\CurrentControlSet\\Services\\SSDPSRV";

// The Windows File Protection values live in the policy key and in Winlogon alike.
std::vector<SeedValue> BothProtectionKeys(SeedValue policy) {
  SeedValue winlogon = policy;
  winlogon.path = kWinlogon;
  return {std::move(policy), std::move(winlogon)};
}

std::vector<StoredState> BuildStates() {
  std::vector<StoredState> s;
  // Scripts
  s.push_back({228, "JS and VBS edited", {Sz(kHKCR, "JSFile\\Shell", "", "Edit"), KeyOnly(kHKCR, "JSEFile\\Shell"),
                                          KeyOnly(kHKCR, "VBEFile\\Shell"), Sz(kHKCR, "VBSFile\\Shell", "", "Edit"),
                                          KeyOnly(kHKCR, "WSHFile\\Shell"), KeyOnly(kHKCR, "WSFFile\\Shell")}});
  s.push_back({228, "only two types", {KeyOnly(kHKCR, "JSFile\\Shell"), Sz(kHKCR, "WSFFile\\Shell", "", "Edit")}});
  s.push_back({229, "only trusted", {Dw(kHKCU, kScriptHost, "TrustPolicy", 2)}});
  s.push_back({229, "unknown policy", {Dw(kHKCU, kScriptHost, "TrustPolicy", 7)}});
  OnOff(s, 230, kHKCU, kSystemPolicy, "HideLegacyLogonScripts");
  OnOff(s, 231, kHKCU, kSystemPolicy, "HideLogoffScripts");
  OnOff(s, 232, kHKCU, kSystemPolicy, "HideLogonScripts");
  OnOff(s, 233, kHKLM, kSystemPolicy, "HideShutdownScripts");
  OnOff(s, 234, kHKLM, kSystemPolicy, "HideStartupScripts");
  OnOff(s, 235, kHKLM, kWinlogon, "RunLogonScriptSync");
  s.push_back({236, "user synchronous", {Dw(kHKCU, kSystemPolicy, "RunLogonScriptSync", 1), Dw(kHKLM, kSystemPolicy, "RunLogonScriptSync", 0)}});
  s.push_back({236, "unknown modes", {Dw(kHKCU, kSystemPolicy, "RunLogonScriptSync", 5), Dw(kHKLM, kSystemPolicy, "RunLogonScriptSync", 9)}});
  s.push_back({237, "synchronous", {Dw(kHKLM, kSystemPolicy, "RunStartupScriptSync", 1)}});
  s.push_back({237, "asynchronous", {Dw(kHKLM, kSystemPolicy, "RunStartupScriptSync", 0)}});
  // Services
  s.push_back({240, "disabled", {Sz(kHKLM, "SOFTWARE\\Microsoft\\Ole", "EnableDCOM", "N")}});
  s.push_back({240, "enabled", {Sz(kHKLM, "SOFTWARE\\Microsoft\\Ole", "EnableDCOM", "Y")}});
  s.push_back({241, "disabled", {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Services\\Messenger", "Start", 4)}});
  s.push_back({241, "automatic", {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Services\\Messenger", "Start", 2)}});
  s.push_back({241, "driver start type", {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Services\\Messenger", "Start", 1)}});
  s.push_back({242, "disabled", {Dw(kHKLM, "SOFTWARE\\Microsoft\\DirectPlayNATHelp\\DPNHUPnP", "UPnPMode", 2)}});
  s.push_back({242, "not set", {KeyOnly(kHKLM, "SOFTWARE\\Microsoft\\DirectPlayNATHelp\\DPNHUPnP")}});
  s.push_back({243, "host disabled", {Dw(kHKLM, kUpnpHost, "Start", 4), Dw(kHKLM, kSsdp, "Start", 3)}});
  s.push_back({243, "both disabled", {Dw(kHKLM, kUpnpHost, "Start", 4), Dw(kHKLM, kSsdp, "Start", 4)}});
  s.push_back({243, "no host", {Dw(kHKLM, kSsdp, "Start", 3)}});
  OnOff(s, 244, kHKLM, kTime, "LocalNTP");
  s.push_back({245, "a week", {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Services\\W32Time\\TimeProviders\\NtpClient", "SpecialPollInterval", 604800)}});
  s.push_back({247, "throughput", {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters", "Size", 3)}});
  s.push_back({247, "unknown size", {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters", "Size", 0)}});
  OnOff(s, 248, kHKLM, kControlWindows, "NoInteractiveServices");
  s.push_back({249, "ntp weekly", {Sz(kHKLM, kTime, "NtpServer", "time.windows.com,0x1"), Dw(kHKLM, kTime, "Period", 0xFFFD),
                                   Dw(kHKLM, kTime, "ReliableTimeSource", 1), Sz(kHKLM, kTime, "Type", "NTP")}});
  s.push_back({249, "no server", {Sz(kHKLM, kTime, "NtpServer", ""), Sz(kHKLM, kTime, "Type", "NoSync")}});
  // Windows File Checker
  s.push_back({253, "shown", BothProtectionKeys(Dw(kHKLM, kProtection, "SFCShowProgress", 1))});
  s.push_back({253, "hidden", BothProtectionKeys(Dw(kHKLM, kProtection, "SFCShowProgress", 0))});
  s.push_back({254, "once", BothProtectionKeys(Dw(kHKLM, kProtection, "SFCScan", 2))});
  s.push_back({254, "not set", {KeyOnly(kHKLM, kPoliciesNt), Sz(kHKLM, kWinlogon, "Shell", "Explorer.exe")}});
  s.push_back({255, "system folder", BothProtectionKeys(Sz(kHKLM, kProtection, "SFCDllCacheDir", "%SystemRoot%\\system32\\dllcache"))});
  s.push_back({255, "not set", {KeyOnly(kHKLM, kPoliciesNt), Sz(kHKLM, kWinlogon, "Shell", "Explorer.exe")}});
  // Single settings
  s.push_back({256, "user on", {Dw(kHKCU, kComPolicy, "COMClassStore", 1), Dw(kHKLM, kComPolicy, "COMClassStore", 0)}});
  s.push_back({256, "machine on", {Dw(kHKCU, kComPolicy, "COMClassStore", 0), Dw(kHKLM, kComPolicy, "COMClassStore", 1)}});
  s.push_back({257, "laptop", {Dw(kHKCU, kPowerCfg, "CurrentPowerPolicy", 1), Dw(kHKU, kDefaultPowerCfg, "CurrentPowerPolicy", 1)}});
  s.push_back({257, "stored as text", {Sz(kHKCU, kPowerCfg, "CurrentPowerPolicy", "0"), Sz(kHKU, kDefaultPowerCfg, "CurrentPowerPolicy", "0")}});
  s.push_back({258, "system first", {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", "SafeDllSearchMode", 1)}});
  s.push_back({258, "current first", {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", "SafeDllSearchMode", 0)}});
  s.push_back({259, "own server", {Sz(kHKLM, kUpdate, "WUStatusServer", "http://updates"), Dw(kHKLM, kUpdateAu, "UseWUServer", 1)}});
  s.push_back({259, "not set", {KeyOnly(kHKLM, kUpdate)}});
  s.push_back({262, "separate", {Sz(kHKLM, "SYSTEM\\CurrentControlSet\\Control\\WOW", "DefaultSeparateVDM", "Yes")}});
  s.push_back({262, "shared", {Sz(kHKLM, "SYSTEM\\CurrentControlSet\\Control\\WOW", "DefaultSeparateVDM", "No")}});
  s.push_back({263, "all hidden", {Dw(kHKLM, kControlWindows, "ErrorMode", 2)}});
  s.push_back({263, "all shown", {Dw(kHKLM, kControlWindows, "ErrorMode", 0)}});
  s.push_back({264, "keys off", {Raw(kHKLM, kKeyboard, "Scancode Map", {0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0x5B, 0xE0,
                                                                       0, 0, 0x5C, 0xE0, 0, 0, 0, 0})}});
  s.push_back({264, "no map", {KeyOnly(kHKLM, kKeyboard)}});
  s.push_back({265, "disabled", {Dw(kHKCU, kExplorerPolicy, "NoDevMgrUpdate", 1)}});
  s.push_back({265, "not set", {KeyOnly(kHKCU, kExplorerPolicy)}});
  s.push_back({266, "unloaded", {Sz(kHKLM, kUnloadDll, "", "1")}});
  s.push_back({266, "empty", {Sz(kHKLM, kUnloadDll, "", "")}});
  s.push_back({267, "hidden", {Dw(kHKCU, kExplorerPolicy, "NoManageMyComputerVerb", 1)}});
  s.push_back({267, "not set", {KeyOnly(kHKCU, kExplorerPolicy)}});
  OnOff(s, 268, kHKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management", "DisablePagingExecutive");
  s.push_back({269, "idling", {Dw(kHKLM, kUsbNt, "IdleEnable", 1)}});
  s.push_back({269, "on 98", {Dw(kHKLM, kUsb9x, "IdleEnable", 0)}, win::k98});
  s.push_back({270, "scheduled", {Dw(kHKLM, kUpdateAu, "NoAutoUpdate", 0), Dw(kHKLM, kUpdateAu, "AUOptions", 4),
                                  Dw(kHKLM, kUpdateAu, "ScheduledInstallDay", 0), Dw(kHKLM, kUpdateAu, "ScheduledInstallTime", 3)}});
  s.push_back({270, "midnight", {Dw(kHKLM, kUpdateAu, "NoAutoUpdate", 0), Dw(kHKLM, kUpdateAu, "AUOptions", 4),
                                 Dw(kHKLM, kUpdateAu, "ScheduledInstallDay", 7), Dw(kHKLM, kUpdateAu, "ScheduledInstallTime", 0)}});
  s.push_back({270, "disabled", {Dw(kHKLM, kUpdateAu, "NoAutoUpdate", 1)}});
  s.push_back({272, "user shown", {Dw(kHKCU, kExplorerPolicy, "MemCheckBoxInRunDlg", 1), KeyOnly(kHKLM, kExplorerPolicy)}});
  s.push_back({272, "machine shown", {KeyOnly(kHKCU, kExplorerPolicy), Dw(kHKLM, kExplorerPolicy, "MemCheckBoxInRunDlg", 1)}});
  return s;
}

}  // namespace

const std::vector<StoredState>& SystemStates() {
  static const std::vector<StoredState> states = BuildStates();
  return states;
}

std::vector<Rewrite> SystemRewrites() {
  const std::vector<std::uint8_t> foreignMap = {0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0x1D, 0, 0x3A, 0, 0, 0, 0, 0};
  return {
      {{228, "other verb", {Sz(kHKCR, "JSFile\\Shell", "", "Open")}}, "any verb but \"Edit\" shows cleared, and cleared removes it"},
      {{228, "edit in lower case", {Sz(kHKCR, "JSFile\\Shell", "", "edit")}}, "\"Edit\" in any case checks, and checked writes \"Edit\""},
      {{240, "lower case", {Sz(kHKLM, "SOFTWARE\\Microsoft\\Ole", "EnableDCOM", "n")}}, "\"N\" in any case checks, and checked writes \"N\""},
      {{243, "automatic", {Dw(kHKLM, kUpnpHost, "Start", 2), Dw(kHKLM, kSsdp, "Start", 3)}},
       "a start type other than disabled shows cleared, and cleared writes manual"},
      {{249, "type in other case", {Sz(kHKLM, kTime, "NtpServer", ""), Sz(kHKLM, kTime, "Type", "ntp")}},
       "\"Type\" is compared with its letter case; no selection removes it"},
      {{249, "no server", {Dw(kHKLM, kTime, "Period", 0)}}, "the server is written even when empty"},
      {{253, "Winlogon only", {KeyOnly(kHKLM, kPoliciesNt), Dw(kHKLM, kWinlogon, "SFCShowProgress", 1)}},
       "the value is written to the policy key and to Winlogon"},
      {{254, "Winlogon only", {KeyOnly(kHKLM, kPoliciesNt), Dw(kHKLM, kWinlogon, "SFCScan", 1)}},
       "the value is written to the policy key and to Winlogon"},
      {{255, "policy only", {Sz(kHKLM, kProtection, "SFCDllCacheDir", "D:\\cache"), KeyOnly(kHKLM, kWinlogon)}},
       "the value is written to the policy key and to Winlogon"},
      {{257, "profiles disagree", {Dw(kHKCU, kPowerCfg, "CurrentPowerPolicy", 3), Dw(kHKU, kDefaultPowerCfg, "CurrentPowerPolicy", 0)}},
       "the default profile gets the user's scheme"},
      {{258, "unknown mode", {Dw(kHKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", "SafeDllSearchMode", 5)}},
       "an unknown mode shows no selection, which removes the value"},
      {{264, "foreign map", {Raw(kHKLM, kKeyboard, "Scancode Map", foreignMap)}},
       "any map shows checked, and checked writes the map of the Windows keys"},
      {{266, "no key", {KeyOnly(kHKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer")}},
       "cleared writes the empty text, creating the key"},
      {{270, "unknown options", {Dw(kHKLM, kUpdateAu, "NoAutoUpdate", 0), Dw(kHKLM, kUpdateAu, "AUOptions", 9)}},
       "an unknown value shows no selection, which removes the value"},
      {{272, "no keys", {KeyOnly(kHKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies")}},
       "cleared removes the value inside the created key"},
  };
}

}  // namespace corvandel
