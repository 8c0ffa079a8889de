#include "tweaks/login/login.h"

#include <array>

#include "tweaks/keys.h"
#include "tweaks/login/login_tweaks.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr const char* kMessengerService = "Software\\Microsoft\\MessengerService";
constexpr const char* kUnreadMail = "Software\\Microsoft\\Windows\\CurrentVersion\\UnreadMail";

using enum CheckedWhen;
using enum RecordPoint;

// clang-format off

// Check boxes: every key is opened, never created, but the unread mail key.
constexpr CheckRow kCheckBoxes[] = {
  //id  root   key                        value                      writes                             checked    gate           history  note         caption
  {156, kHKLM, Opened(kWinlogon),                  "AllowMultipleTSSessions", kDirect,                           kOn,       kXp2004,       kAtGate, NOTE_LOGOUT, "Allow Fast User Switching.",                                  nullptr},
  {164, kHKCU, Opened(kMessengerService),          "PassportBalloon",         Writes(Binary32(10), Binary32(1)), kOn,       kXp2004,       kAtGate, NOTE_LOGOUT, "Do not remind me to get a Passport.",                         nullptr},
  {165, kHKLM, Opened(kWinlogon),                  "IgnoreShiftOverride",     Writes(Text("1"), Deleted()),      kOn,       kNt2002,       kAtGate, NOTE_LOGOUT, "Disable the Auto Login Shift Override Feature .",             nullptr},
  {166, kHKCU, Created(kUnreadMail),               "MessageExpiryDays",       Writes(Dword(0), Dword(3)),        kOn,       kXp2004,       kAtGate, NOTE_LOGOUT, "Do not show unread mail messages on the Welcome Screen.",     nullptr},
  {167, kHKLM, Opened(kSystemPoliciesLowerCase),   "ShutdownWithoutLogon",    kDirect,                           kOn,       kNt2002,       kAtGate, NOTE_LOGOUT, "Show the Shut Down button in the authentication dialog box.", nullptr},
  {170, kHKLM, Opened(kExplorerPoliciesUpperCase), "NoWelcomeScreen",         kDirect,                           kOn,       k2000Only2019, kAtGate, NOTE_LOGOUT, "Hide the Welcome Screen.",                                    nullptr},
  {175, kHKLM, Opened(kWinlogon),                  "ShowLogonOptions",        kDirect,                           kAsStored, kNt2002,       kAtGate, NOTE_LOGOUT, "Display Options on Login Dialog Box .",                       nullptr},
};

constexpr ComboItem kLoginWindows[] = {{"Classic Mode", Dword(0)}, {"Welcome Screen", Dword(1)}};
constexpr ComboItem kUnlockChecks[] = {{"Use cached credentials", Dword(0)}, {"Check with a domain controller", Dword(1)}};

// clang-format on

// "0" to "50": item i stores the text of i.
constexpr int kMostCachedLogons = 50;
struct CountTexts {
  char text[kMostCachedLogons + 1][3];
};
constexpr CountTexts kCountTexts = [] {
  CountTexts texts{};
  for (int i = 0; i <= kMostCachedLogons; ++i) {
    texts.text[i][0] = static_cast<char>(i < 10 ? '0' + i : '0' + i / 10);
    texts.text[i][1] = static_cast<char>(i < 10 ? '\0' : '0' + i % 10);
  }
  return texts;
}();
constexpr auto kCachedLogonCounts = [] {
  std::array<ComboItem, kMostCachedLogons + 1> items{};
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = {kCountTexts.text[i], Text(kCountTexts.text[i])};
  return items;
}();

// clang-format off

// Combo boxes over 1021: no item is chosen where the stored value names
// none, and no choice keeps what is stored.
constexpr ComboLoad kNoneUnlessStored{kNoItem, kNoItem, kNoItem};
constexpr ComboRow kCombos[] = {
  //id  root   key                   value                items               load               no selection  gate     history  note         label
  {160, kHKLM, Opened(kWinlogon),    "LogonType",         kLoginWindows,      kNoneUnlessStored, Nothing(),    kXp2004, kAtGate, NOTE_LOGOUT, "Login Window Type:",                       nullptr},
  {173, kHKLM, Opened(kWinlogon),    "CachedLogonsCount", kCachedLogonCounts, kNoneUnlessStored, Nothing(),    kNt2002, kAtGate, NOTE_LOGOUT, "Number of Cached Logins:",                 nullptr},
  {176, kHKLM, Opened(kWinlogon),    "ForceUnlockLogon",  kUnlockChecks,      kNoneUnlessStored, Nothing(),    kNt2002, kAtGate, NOTE_LOGOUT, "Unlocking and the Screen Saver Password:", nullptr},
};

// Edit 1015: an empty edit writes and deletes nothing.
constexpr EditRow kEdits[] = {
  //id  root   key                   value      type      shown up to  written after  empty edit      gate     history  browse     note         label
  {163, kHKLM, Opened(kWinlogon),    "Welcome", reg::kSz, "",          "",            kSkipWhenEmpty, kNt2002, kAtGate, kNoBrowse, NOTE_LOGOUT, "Dialog Title:"},
};

// Tweaks with routines of their own.
constexpr std::array<TweakRoutines, 8> kOwnRoutines = {{
  {158, LoadAutomaticLogin,   ApplyAutomaticLogin},
  {159, LoadLoginScreenSaver, ApplyLoginScreenSaver, kLoginScreenSaverPage},
  {161, LoadLoginScreenColor, ApplyLoginScreenColor},
  {162, LoadLoginWallpaper,   ApplyLoginWallpaper},
  {168, LoadForceAutoLogon,   ApplyForceAutoLogon},
  {169, LoadHideLastUserName, ApplyHideLastUserName},
  {171, LoadLegalNotice,      ApplyLegalNotice},
  {172, LoadAutoLogonCount,   ApplyAutoLogonCount},
}};

// clang-format on

constexpr auto kRoutines =
    JoinRoutines(RoutinesOf<kCheckBoxes>(), RoutinesOf<kCombos>(), RoutinesOf<kEdits>(), kOwnRoutines);

}  // namespace

std::span<const TweakRoutines> LoginRoutines() { return kRoutines; }

}  // namespace corvandel
