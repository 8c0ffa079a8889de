#include "tweaks/troubleshooting/troubleshooting_tweaks.h"

#include <string>

#include "services/registry_key.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

using namespace keys;

// --- User Environment Debug Logging -------------------------------------------

namespace {

// clang-format off
constexpr CheckRow kUserEnvDebugLogging{
  285, kHKLM, Opened(kWinlogon), "UserEnvDebugLevel",
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

}  // namespace corvandel
