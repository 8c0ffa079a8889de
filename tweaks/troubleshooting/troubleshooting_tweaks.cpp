#include "tweaks/troubleshooting/troubleshooting_tweaks.h"

#include <string>

#include "services/decimal.h"
#include "services/os_version.h"
#include "services/reg_conventions.h"
#include "services/registry_key.h"
#include "tweaks/shapes.h"

namespace corvandel {

// --- User Environment Debug Logging -------------------------------------------

namespace {

// clang-format off
constexpr CheckRow kUserEnvDebugLogging{
  285, kHKLM, Opened("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon"), "UserEnvDebugLevel",
  Writes(Dword(0x10002), Deleted()), CheckedWhen::kAsStored, {kXp2000, 2003, kAlertOnly}, RecordPoint::kAtGate,
  nullptr, "Enable user environment debug logging .", nullptr};
// clang-format on

}  // namespace

void LoadUserEnvDebugLogging(TweakContext& ctx, int /*tweakId*/) {
  LoadShape(ctx, kUserEnvDebugLogging);
  // The Windows folder follows "the" without a blank, as the note has always read.
  const std::string note = std::string(NOTE_LOGOUT) + "\nThe log file is written to the" +
                           ctx.platform.WindowsDirectory() + "\\Debug\\UserMode\\Userenv.log file.";
  ShowWithText(ctx, page::kMultiCheck, control::kNote, note.c_str());
}

void ApplyUserEnvDebugLogging(TweakContext& ctx) { ApplyShape(ctx, kUserEnvDebugLogging); }

// --- Repair the Office Shortcut Bar -------------------------------------------

namespace {

// Checked when the Office key is there without the bar's settings.
// clang-format off
constexpr CheckRow kOfficeShortcutBar{
  292, kHKCU, Opened("Software\\Microsoft\\Office\\10.0"), "Shortcut Bar", Writes(Deleted(), Nothing()),
  CheckedWhen::kOn, kNoGate, RecordPoint::kAtGate, nullptr,
  "Remove the Shortcut Bar's settings, so that it starts with its standard ones.", nullptr};
// clang-format on

}  // namespace

void LoadOfficeShortcutBar(TweakContext& ctx, int /*tweakId*/) { LoadShape(ctx, kOfficeShortcutBar); }

void ApplyOfficeShortcutBar(TweakContext& ctx) {
  ApplyShape(ctx, kOfficeShortcutBar);
  // There is nothing to put back: the box only ever offers the repair.
  ctx.pages.SetCheck(page::kMultiCheck, control::kCheck1, 1);
}

// --- Disable Warnings on Startup ----------------------------------------------

namespace {

constexpr const char* kWindowsNtWindows = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr const char* kNoPopUpsOnBoot = "NoPopUpsOnBoot";

// Item i stores i.
constexpr ComboItem kErrorModes[] = {
    {"Show all errors", Dword(0)}, {"Hide system errors", Dword(1)}, {"Log errors, show none", Dword(2)}};

// The combo box of the page; the tweak gates and records once, before the box.
// clang-format off
constexpr ComboRow kErrorMode{
  300, kHKLM, Opened(kWindowsNtWindows), "Error Mode", kErrorModes, {kNoItem, kNoItem, kNoItem}, Deleted(),
  kNoGate, RecordPoint::kNever, NOTE_LOGOUT, "Error messages after start-up:", nullptr};
// clang-format on

}  // namespace

void LoadStartupWarnings(TweakContext& ctx, int /*tweakId*/) {
  constexpr int kPage = page::kComboCheck;
  LoadShape(ctx, kErrorMode);
  ShowWithText(ctx, kPage, control::kCheck1, "Hide the pop-up warnings while Windows starts.");
  const auto stored = RegistryKey::Open(ctx.registry, kHKLM, kWindowsNtWindows).ReadDword(kNoPopUpsOnBoot);
  ctx.pages.SetCheck(kPage, control::kCheck1, stored == 1u ? 1 : 0);
}

void ApplyStartupWarnings(TweakContext& ctx) {
  if (!PassGate(ctx, k2k2003, RecordPoint::kAtGate)) return;
  if (ctx.pages.GetCheck(page::kComboCheck, control::kCheck1) == 1)
    RegistryKey::Open(ctx.registry, kHKLM, kWindowsNtWindows).WriteDword(kNoPopUpsOnBoot, 1);
  else
    DeleteValueAt(ctx.registry, kHKLM, kWindowsNtWindows, kNoPopUpsOnBoot);
  ApplyShape(ctx, kErrorMode);
}

// --- Change the Location of System and Special Folders --------------------------

namespace {

constexpr const char* kUserShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr const char* kUserProfileVariable = "%USERPROFILE%";

struct FolderRow {
  int labelId;
  const char* label;
  int editId;
  int browseId;
  const char* value;
};

// Shown, loaded and written in this order.
constexpr FolderRow kFolders[] = {
    {1014, "Cookies:", 1015, 1023, "Cookies"},
    {1019, "Desktop:", 1017, 1026, "Desktop"},
    {1020, "Favorites:", 1025, 1027, "Favorites"},
    {1039, "Internet Cache:", 1042, 1048, "Cache"},
    {1041, "My Documents:", 1049, 1050, "Personal"},
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
  for (const FolderRow& row : kFolders) {
    ShowWithText(ctx, kPage, row.labelId, row.label);
    ctx.pages.ShowControl(kPage, row.browseId, true);
    std::string shown = key.ReadText(row.value).value_or("");
    // An unknown profile folder replaces nothing.
    if (!profile.empty()) shown = ReplaceEach(shown, kUserProfileVariable, profile);
    ShowWithText(ctx, kPage, row.editId, shown.c_str());
  }
}

void ApplySpecialFolders(TweakContext& ctx) {
  if (!PassGate(ctx, kNoGate, RecordPoint::kAtGate)) return;
  const std::string profile = ProfileFolder(ctx.platform);
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKCU, kUserShellFolders);
  for (const FolderRow& row : kFolders) {
    const std::string text = ctx.pages.GetText(page::kEditBrowse, row.editId);
    if (!text.empty()) key.WriteText(row.value, ReplaceEach(text, profile, kUserProfileVariable), reg::kExpandSz);
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
constexpr FieldsRow kOwner9x{308, page::kEditCheck, kHKLM, Opened("SOFTWARE\\Microsoft\\Windows\\CurrentVersion"),
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

constexpr const char* kDesktopSettings = "Control Panel\\Desktop";
constexpr int kMostColumnsOrRows = 99;  // the combos hold 0 to 99; item i stands for i

struct CountCombo {
  int labelId;
  const char* label;
  int comboId;
  const char* value;
};

// Written in this order, after "CoolSwitch".
constexpr CountCombo kCoolSwitchCombos[] = {
    {control::kLabel1, "Number of Columns:", control::kCombo1, "CoolSwitchColumns"},
    {control::kLabel2, "Number of Rows:", control::kCombo2, "CoolSwitchRows"},
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
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKCU, kDesktopSettings);
  for (const CountCombo& combo : kCoolSwitchCombos) {
    ShowNumberCombo(ctx, kPage, combo.labelId, combo.label, combo.comboId, kMostColumnsOrRows);
    ctx.pages.ComboSetCurSel(kPage, combo.comboId, StoredCount(key, combo.value));
  }
}

void ApplyCoolSwitch(TweakContext& ctx) {
  const auto& [columns, rows] = kCoolSwitchCombos;
  if (!TakeTypedNumbers(ctx, {{page::kComboCheck, columns.comboId, columns.label, kMostColumnsOrRows},
                              {page::kComboCheck, rows.comboId, rows.label, kMostColumnsOrRows}}))
    return;
  if (!PassGate(ctx, kNoGate, RecordPoint::kAtGate)) return;
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKCU, kDesktopSettings);
  key.WriteText("CoolSwitch", "1");
  for (const CountCombo& combo : kCoolSwitchCombos) {
    // No selection (a stored count the combo cannot show) keeps the value.
    const int selected = ctx.pages.ComboGetCurSel(page::kComboCheck, combo.comboId);
    if (selected >= 0 && selected <= kMostColumnsOrRows) key.WriteText(combo.value, std::to_string(selected));
  }
}

}  // namespace corvandel
