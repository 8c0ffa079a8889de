#include "tweaks/desktop/desktop.h"

#include "tweaks/desktop/desktop_tweaks.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr const char* kCleanupWizard = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz";
constexpr const char* kMyComputerClass = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr const char* kMyComputerName = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr const char* kFirstIconClass = "CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}";

// A policy in "Explorer" below "Policies": set to 1, or removed.
constexpr CheckData kPolicyOn = Writes(Dword(1), DeletedInKey());

// My Computer's name on the desktop: the user's and the computer's, kept
// unexpanded, or the plain name.
constexpr CheckData kComputerNames = Writes(ExpandText("%USERNAME% on %COMPUTERNAME%"), ExpandText("My Computer"));

using enum CheckedWhen;
using enum RecordPoint;

// clang-format off

// Check boxes: one box, or a Current User / All Users pair (root kPair). The
// change is recorded once, before the registry is reached.
constexpr CheckRow kCheckBoxes[] = {
  //id root   key                                       value                  writes          checked gate           history  note               caption(s)
  {84, kHKCU, Created(kCleanupWizard),                  "NoRun",               kDirect,        kOn,    kXp2004,       kAtGate, NOTE_LOGOUT_CAP,   "Disable the Desktop Cleanup Wizard.",                                nullptr},
  {85, kPair, OpenedThenCreated(kPolicies, "Explorer"), "NoViewContextMenu",   kPolicyOn,      kOn,    kNoGate,       kAtGate, NOTE_LOGOUT_CAP,   "Restrict Context Menu (Current User).",                              "Restrict Context Menu (All Users)."},
  {86, kPair, OpenedThenCreated(kPolicies, "Explorer"), "ClassicShell",        kPolicyOn,      kOn,    kNotXp2016,    kAtGate, NOTE_LOGOUT_CAP,   "Use the Classic Desktop (Current User).",                            "Use the Classic Desktop (All Users)."},
  {87, kPair, OpenedThenCreated(kPolicies, "Explorer"), "NoInternetIcon",      kPolicyOn,      kOn,    kNoGate,       kAtGate, NOTE_LOGOUT_CAP,   "Hide the Internet Explorer Icon (Current User).",                    "Hide the Internet Explorer Icon (All Users)."},
  {89, kPair, OpenedThenCreated(kPolicies, "NonEnum"),  kMyComputerName,       kDirect,        kAsStored, kMe2011,       kAtGate, NOTE_LOGOUT,       "Remove My Computer from the Desktop and Start Menu (Current User).", "Remove My Computer from the Desktop and Start Menu (All Users)."},
  {92, kHKCU, Created(kAdvanced),                       "ShowInfoTip",         kDirect,        kOn,    kNoGate,       kAtGate, NOTE_LOGOUT_CAP,   "Show Pop-up Descriptions for Folder and Desktop Items.",             nullptr},
  {93, kHKCR, Created(kMyComputerClass),                "LocalizedString",     kComputerNames, kOn,    kNt2002Revert, kAtGate, NOTE_LOGOUT_CAP,   "Show user and computer name on Desktop.",                            nullptr},
  {94, kHKCU, Opened(kDesktop),                         "PaintDesktopVersion", kDirect,        kOn,    kNoGate,       kAtGate, NOTE_LOGOUT_NODOT, "Show Windows Version on Desktop .",                                  nullptr},
};

constexpr ComboItem kFirstIcons[] = {{"My Documents", Dword(72)}, {"My Computer", Dword(84)}};

constexpr ComboRow kCombos[] = {
  //id root   key                       value             items        load               no selection gate     history  note             label
  {83, kHKCR, Opened(kFirstIconClass),  "SortOrderIndex", kFirstIcons, {0, 0, kNoItem},   Dword(84),   kMe2011, kAtGate, NOTE_LOGOUT_CAP, "The First Desktop Icon:", nullptr},
};

// The grace period's box enables its combo.
constexpr int kGracePeriodCombo[] = {control::kCombo1};
constexpr PageBehaviour kGracePeriodPage{Browse::kFile, {page::kSingleCombo, control::kCheck1, kGracePeriodCombo}};

// Tweaks with routines of their own.
constexpr std::array<TweakRoutines, 4> kOwnRoutines = {{
  {80, LoadIconVisibility,       ApplyIconVisibility},
  {82, LoadGracePeriod,          ApplyGracePeriod, kGracePeriodPage},
  {90, LoadMyDocumentsOnDesktop, ApplyMyDocumentsOnDesktop},
  {91, LoadRecycleBinRights,     ApplyRecycleBinRights},
}};

// clang-format on

constexpr auto kRoutines = JoinRoutines(RoutinesOf<kCheckBoxes>(), RoutinesOf<kCombos>(), kOwnRoutines);

}  // namespace

std::span<const TweakRoutines> DesktopRoutines() { return kRoutines; }

}  // namespace corvandel
