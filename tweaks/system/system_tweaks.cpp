#include "tweaks/system/system_tweaks.h"

#include <cstdint>
#include <iterator>
#include <string>
#include <variant>

#include "services/registry_key.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

// --- Windows File Protection --------------------------------------------------

namespace {

using namespace keys;

constexpr const char* kProtectionPolicy = "SOFTWARE\\Policies\\Microsoft\\Windows NT\\Windows File Protection";

constexpr const char* kShowProgress = "SFCShowProgress";
constexpr const char* kScan = "SFCScan";
constexpr const char* kCacheDir = "SFCDllCacheDir";

constexpr const char* kScanModes[] = {"Not at startup", "At every startup", "Once at the next startup"};  // item i stores i

// What an apply stores: a number, a text, or nothing, which removes the value.
using ProtectionData = std::variant<std::monostate, std::uint32_t, std::string>;

// The key the value loads from: the policy key where it is set there,
// otherwise Winlogon.
RegistryKey KeyHolding(TweakContext& ctx, const char* value) {
  RegistryKey policy = RegistryKey::Open(ctx.registry, kHKLM, kProtectionPolicy);
  if (policy.ReadBytes(value)) return policy;
  return RegistryKey::Open(ctx.registry, kHKLM, kWinlogon);
}

void Store(const RegistryKey& key, const char* value, const ProtectionData& data) {
  if (const auto* number = std::get_if<std::uint32_t>(&data))
    key.WriteDword(value, *number);
  else if (const auto* text = std::get_if<std::string>(&data))
    key.WriteText(value, *text);
  else
    key.DeleteValue(value);
}

bool HoldsNoValue(IRegistry& registry, const RegistryKey& key) {
  char name[256];
  std::uint32_t size = sizeof name;
  return registry.EnumValue(key.handle(), 0, name, &size, nullptr, nullptr, nullptr) == reg::kNoMoreItems;
}

// The policy key (created) first, then Winlogon (opened, never created or
// removed). A removal that leaves the policy key without values removes the
// key, with anything below it.
void ApplyProtection(TweakContext& ctx, const char* value, const ProtectionData& data) {
  if (!PassGate(ctx, k2k2003, RecordPoint::kAtGate)) return;
  bool policyEmptied = false;
  {
    const RegistryKey policy = RegistryKey::Create(ctx.registry, kHKLM, kProtectionPolicy);
    Store(policy, value, data);
    policyEmptied = policy && std::holds_alternative<std::monostate>(data) && HoldsNoValue(ctx.registry, policy);
  }
  if (policyEmptied) DeleteTreeAt(ctx.registry, kHKLM, kProtectionPolicy);
  Store(RegistryKey::Open(ctx.registry, kHKLM, kWinlogon), value, data);
}

}  // namespace

void LoadSfcProgress(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kMultiCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_RESTART);
  ShowWithText(ctx, kPage, control::kCheck1, "Show the progress meter while protected files are scanned");
  ctx.pages.SetCheck(kPage, control::kCheck1, KeyHolding(ctx, kShowProgress).ReadDword(kShowProgress) == 1u ? 1 : 0);
}

void ApplySfcProgress(TweakContext& ctx) {
  const int state = ctx.pages.GetCheck(page::kMultiCheck, control::kCheck1);
  ApplyProtection(ctx, kShowProgress, static_cast<std::uint32_t>(state));
}

void LoadSfcScan(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kComboCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_RESTART);
  ShowWithText(ctx, kPage, control::kLabel1, "Scan protected files:");
  ctx.pages.ShowControl(kPage, control::kCombo1, true);
  ctx.pages.ComboReset(kPage, control::kCombo1);
  for (const char* mode : kScanModes) ctx.pages.ComboAddString(kPage, control::kCombo1, mode);
  const auto stored = KeyHolding(ctx, kScan).ReadDword(kScan);
  if (stored && *stored < std::size(kScanModes)) ctx.pages.ComboSetCurSel(kPage, control::kCombo1, static_cast<int>(*stored));
}

void ApplySfcScan(TweakContext& ctx) {
  const int selected = ctx.pages.ComboGetCurSel(page::kComboCheck, control::kCombo1);
  const bool chosen = selected >= 0 && static_cast<std::size_t>(selected) < std::size(kScanModes);
  ApplyProtection(ctx, kScan, chosen ? ProtectionData(static_cast<std::uint32_t>(selected)) : ProtectionData());
}

// The folder is shown as stored; a folder below the Windows directory is
// stored with "%SystemRoot%" in its place.
void LoadSfcCacheDir(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kEditCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_RESTART);
  ShowWithText(ctx, kPage, control::kLabel1, "Folder of the cached protected files:");
  ShowWithText(ctx, kPage, control::kEdit1, "");
  ctx.pages.ShowControl(kPage, control::kBrowse1, true);
  if (const auto folder = KeyHolding(ctx, kCacheDir).ReadText(kCacheDir))
    ctx.pages.SetText(kPage, control::kEdit1, *folder);
}

void ApplySfcCacheDir(TweakContext& ctx) {
  const std::string folder = ctx.pages.GetText(page::kEditCheck, control::kEdit1);
  ApplyProtection(ctx, kCacheDir,
                  folder.empty() ? ProtectionData() : ToSystemRoot(folder, ctx.platform.WindowsDirectory()));
}

// --- Configure Windows Software Update Services -----------------------------------

// Shows the update server that is set; nothing here is written, so the page
// has no Apply button.
void LoadUpdateServer(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kEditCheck;
  // Shown only: no Apply button, controls that take no input, and no note
  // about when a change would take effect.
  ShowTweakPage(ctx, kPage, tweakId);
  ctx.pages.ShowControl(page::kMainWindow, page::kApplyButton, false);
  ShowWithText(ctx, kPage, control::kCheck1, "Use Windows Software Update Server.");
  ctx.pages.SetCheck(kPage, control::kCheck1, 0);
  ctx.pages.EnableControl(kPage, control::kCheck1, false);
  ShowWithText(ctx, kPage, control::kLabel2, "The name of the custom update server:");
  ShowWithText(ctx, kPage, control::kEdit2, "");
  ctx.pages.EnableControl(kPage, control::kEdit2, false);

  const RegistryKey policy =
      RegistryKey::Open(ctx.registry, kHKLM, "Software\\Policies\\Microsoft\\Windows\\WindowsUpdate");
  if (const auto server = policy.ReadText("WUStatusServer")) ctx.pages.SetText(kPage, control::kEdit2, *server);
  if (policy.OpenSubKey("AU").ReadBytes("UseWUServer")) ctx.pages.SetCheck(kPage, control::kCheck1, 1);
}

// --- Increase the USB Polling Interval ---------------------------------------------

namespace {

constexpr const char* kUsbCaption = "Enable USB idling and increase the polling interval .";

// The USB controller's key: 98 and Me keep it below the services, 2000 and XP below the device classes.
constexpr CheckRow kUsbIdle9x{269, kHKLM, Opened("SYSTEM\\CurrentControlSet\\Services\\Class\\Usb\\0000"),
                              "IdleEnable", kDirect, CheckedWhen::kOn, k98Me2015, RecordPoint::kAtGate,
                              NOTE_RESTART, kUsbCaption, nullptr};
constexpr CheckRow kUsbIdleNt{
    269, kHKLM, Opened("SYSTEM\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}\\0000"),
    "IdleEnable", kDirect, CheckedWhen::kOn, k98Me2015, RecordPoint::kAtGate, NOTE_RESTART, kUsbCaption, nullptr};

// The row of the running version; nullptr where no key is known.
const CheckRow* UsbRow(IPlatform& platform) {
  const COsVersion os(platform);
  if (os.IsWin98() || os.IsWinMe()) return &kUsbIdle9x;
  if (os.IsWin2000() || os.IsWinXP()) return &kUsbIdleNt;
  return nullptr;
}

}  // namespace

void LoadUsbPolling(TweakContext& ctx, int tweakId) {
  if (const CheckRow* row = UsbRow(ctx.platform)) {
    LoadShape(ctx, *row);
    return;
  }
  // Elsewhere nothing is read: the box shows cleared.
  ShowTweakPage(ctx, page::kMultiCheck, tweakId, NOTE_RESTART);
  ShowWithText(ctx, page::kMultiCheck, control::kCheck1, kUsbCaption);
  ctx.pages.SetCheck(page::kMultiCheck, control::kCheck1, 0);
}

// Where no key is known the gate refuses, whichever row it runs on.
void ApplyUsbPolling(TweakContext& ctx) {
  const CheckRow* row = UsbRow(ctx.platform);
  ApplyShape(ctx, row ? *row : kUsbIdleNt);
}

}  // namespace corvandel
