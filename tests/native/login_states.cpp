// Stored states of the tweaks of this category as a user's registry holds
// them (each loads and applies back unchanged), and the states an untouched
// apply rewrites by design. The first state of a tweak has its keys, and
// changing every control of its page writes something.
#include "tweak_harness.h"
#include "tweaks/reg_conventions.h"

namespace corvandel {

namespace {

constexpr const char* kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kWinlogon9x = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
constexpr const char* kDefaultDesktop = ".DEFAULT\\Control Panel\\Desktop";
constexpr const char* kDefaultColors = ".DEFAULT\\Control Panel\\Colors";
constexpr const char* kMessenger = "Software\\Microsoft\\MessengerService";
constexpr const char* kUnreadMail = "Software\\Microsoft\\Windows\\CurrentVersion\\UnreadMail";
constexpr const char* kSystemPolicies = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr const char* kExplorerPolicies = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kUserDesktop = "Control Panel\\Desktop";
constexpr const char* kCrashControl = "SYSTEM\\CurrentControlSet\\Control\\CrashControl";
constexpr const char* kMemory = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr const char* kPrefetch = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters";

// The same with texts.
void OnOffText(std::vector<StoredState>& states, int id, const char* path, const char* name, const char* checked,
               const char* unchecked) {
  states.push_back({id, "checked", {Sz(kHKLM, path, name, checked)}});
  states.push_back({id, "unchecked", {Sz(kHKLM, path, name, unchecked)}});
}

std::vector<StoredState> BuildLoginStates() {
  std::vector<StoredState> s;
  OnOff(s, 156, kHKLM, kWinlogon, "AllowMultipleTSSessions", 1, 0);
  s.push_back({158, "automatic", {Sz(kHKLM, kWinlogon, "AutoAdminLogon", "1"), Sz(kHKLM, kWinlogon, "DefaultUserName", "Tester"),
                                  Sz(kHKLM, kWinlogon, "DefaultPassword", "secret"), Sz(kHKLM, kWinlogon, "DefaultDomainName", "HOME"),
                                  Sz(kHKLM, kWinlogon, "ForceAutoLogon", "1"), Sz(kHKLM, kWinlogon, "Shell", "Explorer.exe")}});
  s.push_back({158, "by hand", {Sz(kHKLM, kWinlogon, "AutoAdminLogon", "0"), Sz(kHKLM, kWinlogon, "DefaultUserName", "Tester"),
                                Sz(kHKLM, kWinlogon, "Shell", "Explorer.exe")}, win::kNT4});
  s.push_back({159, "logon saver", {Sz(kHKU, kDefaultDesktop, "ScreenSaveActive", "1"), Sz(kHKU, kDefaultDesktop, "SCRNSAVE.EXE", "logon.scr"),
                                    Sz(kHKU, kDefaultDesktop, "ScreenSaveTimeOut", "600")}});
  s.push_back({159, "own saver, off", {Sz(kHKU, kDefaultDesktop, "ScreenSaveActive", "0"),
                                       Sz(kHKU, kDefaultDesktop, "SCRNSAVE.EXE", "C:\\Savers\\SYSTEM32\\stars.scr"),
                                       Sz(kHKU, kDefaultDesktop, "ScreenSaveTimeOut", "900")}, win::k2000});
  s.push_back({159, "none", {Sz(kHKU, kDefaultDesktop, "ScreenSaveActive", "0")}});
  s.push_back({160, "welcome", {Dw(kHKLM, kWinlogon, "LogonType", 1)}});
  s.push_back({160, "classic", {Dw(kHKLM, kWinlogon, "LogonType", 0)}});
  s.push_back({160, "unlisted type", {Dw(kHKLM, kWinlogon, "LogonType", 5)}});
  s.push_back({160, "not set", {KeyOnly(kHKLM, kWinlogon)}});
  // First the state without a colour: what the page shows then does not
  // depend on reading the machine's value.
  s.push_back({161, "not set", {KeyOnly(kHKLM, kWinlogon), KeyOnly(kHKU, kDefaultColors), KeyOnly(kHKU, kDefaultDesktop)}});
  s.push_back({161, "steel blue", {Sz(kHKLM, kWinlogon, "Background", "70 130 180"), Sz(kHKU, kDefaultColors, "Background", "70 130 180"),
                                   Sz(kHKU, kDefaultDesktop, "Wallpaper", "(None)")}});
  // The usual desktop blue has no name: nothing is chosen and nothing written.
  s.push_back({161, "unnamed colour", {Sz(kHKLM, kWinlogon, "Background", "58 110 165"), Sz(kHKU, kDefaultColors, "Background", "58 110 165"),
                                       Sz(kHKU, kDefaultDesktop, "Wallpaper", "C:\\WINDOWS\\Web\\Wallpaper\\Bliss.bmp")}, win::k98});
  s.push_back({162, "tiled", {Sz(kHKU, kDefaultDesktop, "Wallpaper", "\"C:\\WINDOWS\\logon.bmp\""), Sz(kHKU, kDefaultDesktop, "TileWallpaper", "1"),
                              Sz(kHKU, kDefaultDesktop, "Pattern", "(None)")}});
  s.push_back({162, "no wallpaper", {Sz(kHKU, kDefaultDesktop, "TileWallpaper", "0"), Sz(kHKU, kDefaultDesktop, "Pattern", "(None)")}, win::kMe});
  s.push_back({163, "title", {Sz(kHKLM, kWinlogon, "Welcome", " - Office")}});
  s.push_back({163, "none", {KeyOnly(kHKLM, kWinlogon)}});
  s.push_back({164, "no reminder", {Raw(kHKCU, kMessenger, "PassportBalloon", {10, 0, 0, 0})}});
  s.push_back({164, "reminder", {Raw(kHKCU, kMessenger, "PassportBalloon", {1, 0, 0, 0})}});
  s.push_back({165, "ignored", {Sz(kHKLM, kWinlogon, "IgnoreShiftOverride", "1")}});
  s.push_back({165, "not set", {KeyOnly(kHKLM, kWinlogon)}});
  OnOff(s, 166, kHKCU, kUnreadMail, "MessageExpiryDays", 0, 3);
  OnOff(s, 167, kHKLM, kSystemPolicies, "ShutdownWithoutLogon", 1, 0);
  OnOff(s, 168, kHKLM, kWinlogon, "ForceAutoLogon", 1, 0, win::k2000);
  s.push_back({169, "hidden on XP", {Dw(kHKLM, kSystemPolicies, "DontDisplayLastUserName", 1)}});
  s.push_back({169, "shown on 2000", {Dw(kHKLM, kSystemPolicies, "DontDisplayLastUserName", 0)}, win::k2000});
  s.push_back({169, "hidden on NT 4.0", {Dw(kHKLM, kWinlogon, "DontDisplayLastUserName", 1)}, win::kNT4});
  s.push_back({169, "hidden on 98", {Sz(kHKLM, "Network\\Logon", "DontShowLastUser", "1")}, win::k98});
  s.push_back({169, "shown on Me", {Sz(kHKLM, "Network\\Logon", "DontShowLastUser", "0")}, win::kMe});
  s.push_back({169, "later Windows", {Dw(kHKLM, kSystemPolicies, "DontDisplayLastUserName", 1)}, win::kVista});
  OnOff(s, 170, kHKLM, kExplorerPolicies, "NoWelcomeScreen", 1, 0, win::k2000);
  s.push_back({171, "notice", {Sz(kHKLM, kWinlogon, "LegalNoticeCaption", "Notice"), Sz(kHKLM, kWinlogon, "LegalNoticeText", "Authorised users only.")}});
  s.push_back({171, "notice on 98", {Sz(kHKLM, kWinlogon9x, "LegalNoticeCaption", "Notice"), Sz(kHKLM, kWinlogon9x, "LegalNoticeText", "Staff only.")}, win::k98});
  s.push_back({171, "none", {KeyOnly(kHKLM, kWinlogon)}});
  s.push_back({172, "three on XP", {Dw(kHKLM, kWinlogon, "AutoLogonCount", 3)}});
  s.push_back({172, "three on 2000", {Sz(kHKLM, kWinlogon, "AutoLogonCount", "3")}, win::k2000});
  s.push_back({172, "as typed on NT 4.0", {Sz(kHKLM, kWinlogon, "AutoLogonCount", "3 apples")}, win::kNT4});
  s.push_back({172, "none", {KeyOnly(kHKLM, kWinlogon)}});
  s.push_back({173, "ten", {Sz(kHKLM, kWinlogon, "CachedLogonsCount", "10")}});
  s.push_back({173, "none cached", {Sz(kHKLM, kWinlogon, "CachedLogonsCount", "0")}, win::kNT4});
  s.push_back({173, "beyond the list", {Sz(kHKLM, kWinlogon, "CachedLogonsCount", "99")}});
  OnOff(s, 175, kHKLM, kWinlogon, "ShowLogonOptions", 1, 0);
  s.push_back({176, "domain controller", {Dw(kHKLM, kWinlogon, "ForceUnlockLogon", 1)}});
  s.push_back({176, "cached", {Dw(kHKLM, kWinlogon, "ForceUnlockLogon", 0)}});
  s.push_back({176, "not set", {KeyOnly(kHKLM, kWinlogon)}});
  return s;
}

std::vector<StoredState> BuildStartupStates() {
  std::vector<StoredState> s;
  s.push_back({212, "user on", {Raw(kHKCU, kSystemPolicies, "UndockWithoutLogon", {1, 0, 0, 0}), Raw(kHKLM, kSystemPolicies, "UndockWithoutLogon", {0, 0, 0, 0})}});
  s.push_back({212, "machine on", {Raw(kHKCU, kSystemPolicies, "UndockWithoutLogon", {0, 0, 0, 0}), Raw(kHKLM, kSystemPolicies, "UndockWithoutLogon", {1, 0, 0, 0})}});
  s.push_back({213, "five seconds", {Sz(kHKCU, kUserDesktop, "AutoEndTasks", "1"), Sz(kHKCU, kUserDesktop, "WaitToKillAppTimeout", "5000"),
                                     Sz(kHKU, kDefaultDesktop, "AutoEndTasks", "1"), Sz(kHKU, kDefaultDesktop, "WaitToKillAppTimeout", "5000")}});
  s.push_back({213, "default", {Sz(kHKCU, kUserDesktop, "AutoEndTasks", "0"), Sz(kHKCU, kUserDesktop, "WaitToKillAppTimeout", "20000"),
                                Sz(kHKU, kDefaultDesktop, "AutoEndTasks", "0"), Sz(kHKU, kDefaultDesktop, "WaitToKillAppTimeout", "20000")}, win::k95});
  OnOff(s, 214, kHKLM, kCrashControl, "AutoReboot", 1, 0);
  OnOff(s, 215, kHKLM, kMemory, "ClearPageFileAtShutdown", 1, 0, win::kNT4);
  OnOff(s, 216, kHKLM, kWinlogon, "IgnoreShiftOveride", 1, 0, win::k2000);
  OnOffText(s, 217, "SOFTWARE\\Microsoft\\Ole", "EnableRemoteConnect", "N", "Y");
  s.push_back({218, "user on", {Dw(kHKCU, kExplorerPolicies, "NoSaveSettings", 1), Dw(kHKLM, kExplorerPolicies, "NoSaveSettings", 0)}, win::k98});
  s.push_back({218, "machine on", {Dw(kHKCU, kExplorerPolicies, "NoSaveSettings", 0), Dw(kHKLM, kExplorerPolicies, "NoSaveSettings", 1)}});
  OnOffText(s, 219, kWinlogon, "ReportBootOk", "0", "1");
  OnOff(s, 220, kHKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Reliability", "ShutdownReasonUI", 1, 0);
  s.push_back({221, "both", {Dw(kHKLM, kPrefetch, "EnablePrefetcher", 3)}});
  s.push_back({221, "disabled", {Dw(kHKLM, kPrefetch, "EnablePrefetcher", 0)}});
  s.push_back({221, "unlisted mode", {Dw(kHKLM, kPrefetch, "EnablePrefetcher", 7)}});
  OnOffText(s, 223, kWinlogon, "PowerdownAfterShutdown", "1", "0");
  OnOffText(s, 224, kWinlogon, "ParseAutoexec", "1", "0");
  s.push_back({225, "five seconds", {Sz(kHKCU, kUserDesktop, "HungAppTimeout", "5000"), Sz(kHKU, kDefaultDesktop, "HungAppTimeout", "5000")}});
  s.push_back({225, "letters", {Sz(kHKCU, kUserDesktop, "HungAppTimeout", "soon"), Sz(kHKU, kDefaultDesktop, "HungAppTimeout", "soon")}, win::kMe});
  return s;
}

}  // namespace

const std::vector<StoredState>& LoginStates() {
  static const std::vector<StoredState> states = BuildLoginStates();
  return states;
}

std::vector<Rewrite> LoginRewrites() {
  return {
      {{158, "forced by number", {Sz(kHKLM, kWinlogon, "AutoAdminLogon", "1"), Dw(kHKLM, kWinlogon, "ForceAutoLogon", 1)}},
       "a forced logon is written as the text \"1\""},
      {{168, "forced by text", {Sz(kHKLM, kWinlogon, "ForceAutoLogon", "1")}}, "a forced logon is written as the number 1"},
      {{159, "system folder path", {Sz(kHKU, kDefaultDesktop, "ScreenSaveActive", "1"),
                                    Sz(kHKU, kDefaultDesktop, "SCRNSAVE.EXE", "\"C:\\WINDOWS\\system32\\logon.scr\"")}},
       "a screen saver in the system folder is stored by its name alone"},
      {{161, "wallpaper", {Sz(kHKLM, kWinlogon, "Background", "70 130 180"), Sz(kHKU, kDefaultColors, "Background", "70 130 180"),
                           Sz(kHKU, kDefaultDesktop, "Wallpaper", "C:\\WINDOWS\\logon.bmp")}},
       "a named colour removes the default profile's wallpaper"},
      {{161, "default profile's colour", {Sz(kHKLM, kWinlogon, "Background", "70 130 180"), Sz(kHKU, kDefaultColors, "Background", "0 0 0"),
                                          Sz(kHKU, kDefaultDesktop, "Wallpaper", "(None)")}},
       "the logon screen's colour is written to the default profile too"},
      {{162, "pattern", {Sz(kHKU, kDefaultDesktop, "TileWallpaper", "0"), Sz(kHKU, kDefaultDesktop, "Pattern", "170 85 170 85 170 85 170 85")}},
       "the pattern is always removed"},
      {{164, "other count", {Raw(kHKCU, kMessenger, "PassportBalloon", {3, 0, 0, 0})}},
       "a count other than 10 shows the reminder, which is written as 1"},
      {{172, "number on 2000", {Dw(kHKLM, kWinlogon, "AutoLogonCount", 3)}, win::k2000}, "2000 stores the count as text"},
      {{172, "text on XP", {Sz(kHKLM, kWinlogon, "AutoLogonCount", "3")}}, "XP stores the count as a number"},
  };
}

const std::vector<StoredState>& StartupStates() {
  static const std::vector<StoredState> states = BuildStartupStates();
  return states;
}

std::vector<Rewrite> StartupRewrites() {
  return {
      {{213, "unlisted time", {Sz(kHKCU, kUserDesktop, "AutoEndTasks", "1"), Sz(kHKCU, kUserDesktop, "WaitToKillAppTimeout", "15000"),
                               Sz(kHKU, kDefaultDesktop, "AutoEndTasks", "1"), Sz(kHKU, kDefaultDesktop, "WaitToKillAppTimeout", "15000")}},
       "a time the list does not hold shows, and is written as, the default 20 seconds"},
      {{213, "default profile differs", {Sz(kHKCU, kUserDesktop, "AutoEndTasks", "1"), Sz(kHKCU, kUserDesktop, "WaitToKillAppTimeout", "5000"),
                                         Sz(kHKU, kDefaultDesktop, "AutoEndTasks", "0"), Sz(kHKU, kDefaultDesktop, "WaitToKillAppTimeout", "20000")}},
       "the default profile gets the current user's settings"},
      {{225, "default profile differs", {Sz(kHKCU, kUserDesktop, "HungAppTimeout", "5000"), Sz(kHKU, kDefaultDesktop, "HungAppTimeout", "8000")}},
       "the default profile gets the current user's response time"},
      {{221, "not set", {KeyOnly(kHKLM, kPrefetch)}}, "the mode starts at \"disabled\", which is written"},
  };
}

}  // namespace corvandel
