#include "tweaks/startup/startup_tweaks.h"

#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "services/decimal.h"
#include "services/registry_key.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr const char* kAutoEndTasks = "AutoEndTasks";
constexpr const char* kWaitToKill = "WaitToKillAppTimeout";

struct HangTimeout {
  const char* text;
  int milliseconds;
};

// Row i of the combo; a time no row stands for, or no choice, is the default row.
constexpr HangTimeout kHangTimeouts[] = {
    {"1 second", 1000},    {"2 seconds", 2000},   {"5 seconds", 5000},
    {"10 seconds", 10000}, {"20 seconds (Default)", 20000},
    {"30 seconds", 30000}, {"1 minute", 60000},   {"5 minuts", 300000},
};
constexpr int kDefaultRow = 4;

int RowOf(std::optional<int> milliseconds) {
  for (std::size_t row = 0; row < std::size(kHangTimeouts); ++row)
    if (milliseconds == kHangTimeouts[row].milliseconds) return static_cast<int>(row);
  return kDefaultRow;
}

int MillisecondsOf(int row) {
  const bool listed = row >= 0 && static_cast<std::size_t>(row) < std::size(kHangTimeouts);
  return kHangTimeouts[static_cast<std::size_t>(listed ? row : kDefaultRow)].milliseconds;
}

}  // namespace

void LoadEndHungApplications(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kComboCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_RESTART);
  ShowWithText(ctx, kPage, control::kCheck1, "Automatically end tasks that are not responding.");
  ctx.pages.SetCheck(kPage, control::kCheck1, 0);
  ShowWithText(ctx, kPage, control::kLabel1, "Time to wait for response:");
  ctx.pages.ShowControl(kPage, control::kCombo1, true);
  ctx.pages.ComboReset(kPage, control::kCombo1);
  for (const HangTimeout& timeout : kHangTimeouts) ctx.pages.ComboAddString(kPage, control::kCombo1, timeout.text);
  ctx.pages.ComboSetCurSel(kPage, control::kCombo1, kDefaultRow);

  const RegistryKey key = RegistryKey::Open(ctx.registry, kHKCU, kDesktop);
  // The leading decimal number; one beyond the int range is no listed time.
  if (auto text = key.ReadText(kWaitToKill))
    ctx.pages.ComboSetCurSel(kPage, control::kCombo1, RowOf(ParseDecimal(*text)));
  if (key.ReadFlag(kAutoEndTasks)) ctx.pages.SetCheck(kPage, control::kCheck1, 1);
}

void ApplyEndHungApplications(TweakContext& ctx) {
  constexpr int kPage = page::kComboCheck;
  ctx.RecordTweakChange();
  const bool endTasks = ctx.pages.GetCheck(kPage, control::kCheck1) == 1;
  const std::string wait = std::to_string(MillisecondsOf(ctx.pages.ComboGetCurSel(kPage, control::kCombo1)));
  // The user's own profile, then the default profile new users start from.
  for (const auto& [root, prefix] : {std::pair{kHKCU, ""}, std::pair{kHKU, kDefaultProfile}}) {
    const RegistryKey key = RegistryKey::Open(ctx.registry, root, std::string(prefix) + kDesktop);
    key.WriteFlag(kAutoEndTasks, endTasks);
    key.WriteText(kWaitToKill, wait);
  }
}

}  // namespace corvandel
