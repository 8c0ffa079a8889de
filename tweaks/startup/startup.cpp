#include "tweaks/startup/startup.h"

#include <array>

#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"
#include "tweaks/startup/startup_tweaks.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr const char* kPrefetch =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters";
// The Winlogon key in both of its spellings (names are case-insensitive: one key).
constexpr const char* kReliability = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Reliability";

constexpr const char* kRestartForChanges = "Note:\n\tyou may need to restart for the changes to take effect.";

using enum CheckedWhen;
using enum RecordPoint;

// clang-format off

// Check boxes, all keys opened: one box under HKEY_LOCAL_MACHINE, or a
// Current User / All Users pair (root kPair).
constexpr CheckRow kCheckBoxes[] = {
  //id  root   key                         value                      writes                            checked    gate     history  note                caption(s)
  {212, kPair, Opened(kSystemPolicies),    "UndockWithoutLogon",      Writes(Binary32(1), Binary32(0)), kOn,       kXp2004, kAtGate, NOTE_LOGOUT,        "Enable Portables to Undock Before Login (Current User).",     "Enable Portables to Undock Before Login (All Users)."},
  {214, kHKLM, Opened(kCrashControl),      "AutoReboot",              kDirect,                          kOn,       kNt2002, kAtGate, NOTE_RESTART,       "Reboot Automatically after a System Failure.",                nullptr},
  {215, kHKLM, Opened(kMemoryManagement),  "ClearPageFileAtShutdown", kDirect,                          kAsStored, kNt2002, kAtGate, NOTE_RESTART,       "Clear the Page File at System Shutdown .",                    nullptr},
  {216, kHKLM, Opened(kWinlogonMixedCase), "IgnoreShiftOveride",      kDirect,                          kAsStored, kNt2002, kAtGate, NOTE_LOGOUT,        "Disable Ability to Skip Startup Programs .",                  nullptr},
  {217, kHKLM, Opened(kOle),               "EnableRemoteConnect",     Writes(Text("N"), Text("Y")),     kOn,       kNoGate, kAtGate, NOTE_LOGOUT,        "Disable Automatic Modem Connections at Startup .",            nullptr},
  {218, kPair, Opened(kExplorerPolicies),  "NoSaveSettings",          kDirect,                          kAsStored, kNoGate, kAtGate, kRestartForChanges, "Disable Save Settings at Exit (Current User).",               "Disable Save Settings at Exit (All Users)."},
  {219, kHKLM, Opened(kWinlogon),          "ReportBootOk",            Writes(Text("0"), Text("1")),     kOn,       kNt2002, kAtGate, NOTE_RESTART,       "Do not report a successful boot (no new Last Known Good).",   nullptr},
  {220, kHKLM, Opened(kReliability),       "ShutdownReasonUI",        kDirect,                          kOn,       kXp2004, kAtGate, NOTE_LOGOUT,        "Ask for the reason of every shutdown.",                       nullptr},
  {223, kHKLM, Opened(kWinlogon),          "PowerdownAfterShutdown",  kTextFlag,                        kOn,       kNt2002, kAtGate, NOTE_RESTART,       "Power down After Shutdown .",                                 nullptr},
  {224, kHKLM, Opened(kWinlogon),          "ParseAutoexec",           kTextFlag,                        kOn,       kNt2002, kAtGate, NOTE_LOGOUT,        "Enable Reading Environment Variables in Autoexec.bat File .", nullptr},
};

constexpr ComboItem kPrefetchModes[] = {
  {"disabled", Dword(0)}, {"Application launch prefetching", Dword(1)}, {"Boot prefetching", Dword(2)}, {"Both prefetching", Dword(3)},
};

// The prefetcher starts at "disabled"; a stored mode it does not list shows
// no choice, and no choice keeps what is stored.
constexpr ComboRow kCombos[] = {
  //id  root   key                value               items           load             no selection  gate     history  note          label
  {221, kHKLM, Opened(kPrefetch), "EnablePrefetcher", kPrefetchModes, {0, 0, kNoItem}, Nothing(),    kXp2004, kAtGate, NOTE_RESTART, "The Windows Prefetcher Mode:", nullptr},
};

// The current user's response time, written there and to the default profile.
constexpr EditRow kEdits[] = {
  //id  root             key                               value             type      shown up to  written after  empty edit   gate     history  browse     note         label
  {225, kUserAndDefault, Opened(kDesktop), "HungAppTimeout", reg::kSz, "",          "",            Alert(2020), kNoGate, kAtGate, kNoBrowse, NOTE_LOGOUT, "Response Time (milliseconds):"},
};

// Tweaks with routines of their own.
constexpr std::array<TweakRoutines, 1> kOwnRoutines = {{
  {213, LoadEndHungApplications, ApplyEndHungApplications},
}};

// clang-format on

constexpr auto kRoutines =
    JoinRoutines(RoutinesOf<kCheckBoxes>(), RoutinesOf<kCombos>(), RoutinesOf<kEdits>(), kOwnRoutines);

}  // namespace

std::span<const TweakRoutines> StartupRoutines() { return kRoutines; }

}  // namespace corvandel
