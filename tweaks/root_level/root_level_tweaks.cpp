#include "tweaks/root_level/root_level_tweaks.h"

#include <optional>
#include <string>

#include "services/decimal.h"
#include "services/os_version.h"
#include "services/registry_key.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

using namespace keys;

// --- Change the Location of System and Special Folders --------------------------

namespace {

constexpr const char* kUserShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr const char* kUserProfileVariable = "%USERPROFILE%";

// Shown, loaded and written in this order; an empty edit writes nothing.
constexpr Field kFolders[] = {
    EditField(1014, "Cookies:",        1015, "Cookies",   reg::kExpandSz, kSkipWhenEmpty, 1023),
    EditField(1019, "Desktop:",        1017, "Desktop",   reg::kExpandSz, kSkipWhenEmpty, 1026),
    EditField(1020, "Favorites:",      1025, "Favorites", reg::kExpandSz, kSkipWhenEmpty, 1027),
    EditField(1039, "Internet Cache:", 1042, "Cache",     reg::kExpandSz, kSkipWhenEmpty, 1048),
    EditField(1041, "My Documents:",   1049, "Personal",  reg::kExpandSz, kSkipWhenEmpty, 1050),
};

// The user's profile folder as the shell reports it. Where it reports none
// (NT 4.0, 98), the application-data folder up to the backslash before its
// "Application Data" part, or all of it where it has none; empty where there
// is no such folder either. Windows Me has no %USERPROFILE% to write.
std::string ProfileFolder(IPlatform& platform) {
  if (COsVersion(platform).IsWinMe()) return {};
  if (std::string shell = platform.ProfileFolder(); !shell.empty()) return shell;
  std::string folder = platform.AppDataFolder();
  if (const std::size_t at = folder.find("\\Application Data"); at != std::string::npos) folder.resize(at);
  return folder;
}

}  // namespace

void LoadSpecialFolders(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kEditBrowse;
  ShowTweakPage(ctx, kPage, tweakId);
  // Resetting this page only hides it: every label and edit is set here.
  const std::string profile = ProfileFolder(ctx.platform);
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKCU, kUserShellFolders);
  for (const Field& row : kFolders) {
    ShowWithText(ctx, kPage, row.labelId, row.label);
    ctx.pages.ShowControl(kPage, row.browseId, true);
    std::string shown = key.ReadText(row.value).value_or("");
    // An unknown profile folder replaces nothing.
    if (!profile.empty()) shown = ReplaceEach(shown, kUserProfileVariable, profile);
    ShowWithText(ctx, kPage, row.controlId, shown.c_str());
  }
}

void ApplySpecialFolders(TweakContext& ctx) {
  if (!PassGate(ctx, kNoGate, RecordPoint::kAtGate)) return;
  const std::string profile = ProfileFolder(ctx.platform);
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKCU, kUserShellFolders);
  for (const Field& row : kFolders) {
    const std::string text = ctx.pages.GetText(page::kEditBrowse, row.controlId);
    if (!text.empty()) key.WriteText(row.value, ReplaceEach(text, profile, kUserProfileVariable), row.type);
  }
}

// --- Change the Registered Owner and Organization -------------------------------

namespace {

constexpr Field kOwnerFields[] = {
    EditField(control::kLabel1, "Registered Owner:", control::kEdit1, "RegisteredOwner", reg::kSz, kSkipWhenEmpty),
    EditField(control::kLabel2, "Registered Organization:", control::kEdit2, "RegisteredOrganization", reg::kSz,
              kSkipWhenEmpty),
};

// Windows 95, 98 and Me keep the registration in their own key and record the
// change; the NT family does not record it.
// clang-format off
constexpr FieldsRow kOwner9x{308, page::kEditCheck, kHKLM, Opened(kCurrentVersion),
                             kNoGate, RecordPoint::kAtGate, NOTE_LOGOUT, kOwnerFields};
constexpr FieldsRow kOwnerNt{308, page::kEditCheck, kHKLM, Opened("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"),
                             kNoGate, RecordPoint::kNever, NOTE_LOGOUT, kOwnerFields};
// clang-format on

const FieldsRow& OwnerRow(IPlatform& platform) {
  const COsVersion os(platform);
  return os.IsWin95() || os.IsWin98() || os.IsWinMe() ? kOwner9x : kOwnerNt;
}

}  // namespace

void LoadRegisteredOwner(TweakContext& ctx, int /*tweakId*/) { LoadShape(ctx, OwnerRow(ctx.platform)); }

void ApplyRegisteredOwner(TweakContext& ctx) { ApplyShape(ctx, OwnerRow(ctx.platform)); }

// --- Configure CoolSwitch Application Swapping ----------------------------------

namespace {

constexpr int kMostColumnsOrRows = 99;  // the combos hold 0 to 99; item i stands for i

// Written in this order, after "CoolSwitch".
constexpr NumberField kCoolSwitchCombos[] = {
    {control::kLabel1, "Number of Columns:", control::kCombo1, "CoolSwitchColumns", kMostColumnsOrRows},
    {control::kLabel2, "Number of Rows:",    control::kCombo2, "CoolSwitchRows",    kMostColumnsOrRows},
};

// The item a stored count selects: its leading decimal digits ("12x" is 12);
// an absent value selects 0, and a count with no item nothing.
int StoredCount(const RegistryKey& key, const char* value) {
  const std::optional<std::string> text = key.ReadText(value);
  if (!text) return 0;
  const std::optional<int> count = ParseDecimal(*text);
  return count && *count >= 0 && *count <= kMostColumnsOrRows ? *count : kNoItem;
}

}  // namespace

void LoadCoolSwitch(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kComboCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_LOGOUT);
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKCU, kDesktop);
  for (const NumberField& combo : kCoolSwitchCombos) {
    ShowNumberField(ctx, kPage, combo);
    ctx.pages.ComboSetCurSel(kPage, combo.comboId, StoredCount(key, combo.value));
  }
}

void ApplyCoolSwitch(TweakContext& ctx) {
  if (!TakeTypedNumbers(ctx, page::kComboCheck, kCoolSwitchCombos)) return;
  if (!PassGate(ctx, kNoGate, RecordPoint::kAtGate)) return;
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKCU, kDesktop);
  key.WriteText("CoolSwitch", "1");
  // No selection (a stored count the combo cannot show) keeps the value.
  WriteSelectedNumbers(ctx, page::kComboCheck, key, kCoolSwitchCombos, reg::kSz);
}

}  // namespace corvandel
