#include "tweaks/appearance/appearance_tweaks.h"

#include <cstdint>
#include <string>

#include "services/registry_key.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;


}  // namespace

// --- Remove the Minimize, Maximize and Close Tooltips -------------------------

namespace {

constexpr const char* kPreferencesMask = "UserPreferencesMask";
constexpr std::uint8_t kCaptionTipsBit = 0x80;  // of the mask's first byte: the tips are shown

}  // namespace

void LoadCaptionButtonTips(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kMultiCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_LOGOUT_CAP);
  ShowWithText(ctx, kPage, control::kCheck1, "Remove the Minimize, Maximize and Close Tooltips.");
  const auto mask = RegistryKey::Open(ctx.registry, reg::kCurrentUser, kDesktop).ReadBytes(kPreferencesMask);
  // A mask without a first byte says nothing about the tips.
  const bool removed = mask && !mask->empty() && ((*mask)[0] & kCaptionTipsBit) == 0;
  ctx.pages.SetCheck(kPage, control::kCheck1, removed ? 1 : 0);
}

void ApplyCaptionButtonTips(TweakContext& ctx) {
  ctx.RecordTweakChange();
  const bool remove = ctx.pages.GetCheck(page::kMultiCheck, control::kCheck1) == 1;
  // The current user, then the profile new users start from; each keeps every
  // other bit and byte of its own mask, and a scope without a first byte is
  // left as it is.
  for (const std::string prefix : {"", kDefaultProfile}) {
    const RegistryKey key = RegistryKey::Open(ctx.registry, prefix.empty() ? kHKCU : kHKU, prefix + kDesktop);
    auto mask = key.ReadBytes(kPreferencesMask);
    if (!mask || mask->empty()) continue;
    (*mask)[0] = remove ? static_cast<std::uint8_t>((*mask)[0] & ~kCaptionTipsBit)
                        : static_cast<std::uint8_t>((*mask)[0] | kCaptionTipsBit);
    key.WriteBinary(kPreferencesMask, *mask);
  }
}

// --- Enable Font Smoothing ----------------------------------------------------

namespace {

constexpr int kSmoothingFor9xAlert = 2014;  // "... on Windows 95/98/Me or Disable"
constexpr int kSmoothingForNtAlert = 2013;  // "... on Windows NT/2000/XP or Disable"

constexpr ComboItem kSmoothingChoices[] = {
    {"Disable", Text("0")},
    {"Enable Font Smoothing on Windows 95/98/Me", Text("1")},
    {"Enable Font Smoothing on Windows NT/2000/XP", Text("2")},
};

// The value and the page; the gate is the item's own, so the row has none.
constexpr ComboRow kFontSmoothing{66,        kHKCU,       Opened(kDesktop), "FontSmoothing",  kSmoothingChoices,
                                  {0, 0, kNoItem},       Nothing(),           kNoGate,          RecordPoint::kNever,
                                  NOTE_LOGOUT_CAP,       "Font Smoothing:",   nullptr};

}  // namespace

void LoadFontSmoothing(TweakContext& ctx, int) { LoadShape(ctx, kFontSmoothing); }

void ApplyFontSmoothing(TweakContext& ctx) {
  // Recorded before the item's version is checked, so a refusal records too.
  ctx.RecordTweakChange();
  const COsVersion os(ctx.platform);
  switch (ctx.pages.ComboGetCurSel(page::kComboCheck, control::kCombo1)) {
    case 0: break;
    case 1:
      if (os.IsWin95() || os.IsWin98() || os.IsWinMe()) break;
      ShowAlert(ctx.Gate(), kSmoothingForNtAlert);
      return;
    case 2:
      if (os.IsWinNT4() || os.IsWin2000() || os.IsWinXP()) break;
      ShowAlert(ctx.Gate(), kSmoothingFor9xAlert);
      return;
    default: ShowAlert(ctx.Gate(), kSmoothingFor9xAlert); return;
  }
  ApplyShape(ctx, kFontSmoothing);
}

// --- Change the Position of the Desktop Wallpaper -----------------------------

namespace {

constexpr NumberField kOffsets[] = {
    {control::kLabel1, "Horizontal Offset (Pixels):", control::kCombo1, "Wallpaperoriginx", 2047},
    {control::kLabel2, "Vertical Offset   (Pixels):", control::kCombo2, "Wallpaperoriginy", 2047},
};

}  // namespace

void LoadWallpaperPosition(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kComboCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_RESTART_NODOT);
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKCU, kDesktop);
  for (const NumberField& offset : kOffsets) {
    ShowNumberField(ctx, kPage, offset);
    ctx.pages.ComboSetCurSel(kPage, offset.comboId, 0);
    // The first item the stored text begins; none keeps item 0.
    if (const auto stored = key.ReadText(offset.value)) ctx.pages.ComboSelectString(kPage, offset.comboId, -1, *stored);
  }
}

void ApplyWallpaperPosition(TweakContext& ctx) {
  constexpr int kPage = page::kComboCheck;
  if (!TakeTypedNumbers(ctx, kPage, kOffsets)) return;
  ctx.RecordTweakChange();
  WriteSelectedNumbers(ctx, kPage, RegistryKey::Open(ctx.registry, kHKCU, kDesktop), kOffsets, reg::kSz);
}

// --- Change the Thumbnail Image Settings --------------------------------------

namespace {

constexpr NumberField kThumbnailSettings[] = {
    {control::kLabel1, "Thumbnail Size (Pixels):", control::kCombo1, "ThumbnailSize", 256},
    {control::kLabel2, "Thumbnail Quality (Percent):", control::kCombo2, "ThumbnailQuality", 100},
};

}  // namespace

void LoadThumbnailSettings(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kComboCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_LOGOUT_CAP);
  // Both roots are written alike; the page shows the current user's.
  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKCU, kExplorer);
  for (const NumberField& setting : kThumbnailSettings) {
    ShowNumberField(ctx, kPage, setting);
    const auto stored = key.ReadDword(setting.value);
    const bool listed = stored && *stored <= static_cast<std::uint32_t>(setting.last);
    ctx.pages.ComboSetCurSel(kPage, setting.comboId, !stored ? 0 : listed ? static_cast<int>(*stored) : kNoItem);
  }
}

void ApplyThumbnailSettings(TweakContext& ctx) {
  if (!TakeTypedNumbers(ctx, page::kComboCheck, kThumbnailSettings)) return;
  if (!PassGate(ctx, kXp2004, RecordPoint::kAtGate)) return;
  for (RegKey root : {kHKCU, kHKLM})
    WriteSelectedNumbers(ctx, page::kComboCheck, RegistryKey::Open(ctx.registry, root, kExplorer), kThumbnailSettings,
                         reg::kDword);
}

// --- Open and Save Dialog Box Customization -----------------------------------

namespace {

constexpr const char* kDialogPolicyKey = "Comdlg32";

// Each value takes a box under each root; the roots take the first two boxes
// crosswise.
struct DialogPolicy {
  const char* value;
  int userBox;     // HKEY_CURRENT_USER
  int machineBox;  // HKEY_LOCAL_MACHINE
};

constexpr DialogPolicy kDialogPolicies[] = {
    {"NoBackButton", 1013, 1018},
    {"NoFileMRU", 1018, 1013},
    {"NoPlacesBar", 1028, 1028},
};

struct DialogBox {
  int controlId;
  const char* caption;
};

constexpr DialogBox kDialogBoxes[] = {
    {1013, "Hide the Back Button (Current User) and the Recent Files List (All Users)."},
    {1018, "Hide the Recent Files List (Current User) and the Back Button (All Users)."},
    {1028, "Hide the Places Bar (Current User and All Users)."},
};

int BoxOf(const DialogPolicy& policy, RegKey root) { return root == kHKCU ? policy.userBox : policy.machineBox; }

}  // namespace

void LoadFileDialogOptions(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kMultiCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_LOGOUT_CAP);
  const std::string path = std::string(kPolicies) + "\\" + kDialogPolicyKey;
  const RegistryKey user = RegistryKey::Open(ctx.registry, kHKCU, path);
  const RegistryKey machine = RegistryKey::Open(ctx.registry, kHKLM, path);
  for (const DialogBox& box : kDialogBoxes) {
    ShowWithText(ctx, kPage, box.controlId, box.caption);
    // Checked when both values the box writes are 1.
    bool checked = true;
    for (const DialogPolicy& policy : kDialogPolicies) {
      if (policy.userBox == box.controlId) checked = checked && user.ReadDword(policy.value) == 1u;
      if (policy.machineBox == box.controlId) checked = checked && machine.ReadDword(policy.value) == 1u;
    }
    ctx.pages.SetCheck(kPage, box.controlId, checked ? 1 : 0);
  }
}

void ApplyFileDialogOptions(TweakContext& ctx) {
  if (!PassGate(ctx, kMe2011, RecordPoint::kAtGate)) return;
  for (RegKey root : {kHKCU, kHKLM}) {
    const RegistryKey key = RegistryKey::Open(ctx.registry, root, kPolicies).CreateSubKey(kDialogPolicyKey);
    for (const DialogPolicy& policy : kDialogPolicies)
      key.WriteDword(policy.value, static_cast<std::uint32_t>(ctx.pages.GetCheck(page::kMultiCheck, BoxOf(policy, root))));
  }
}

}  // namespace corvandel
