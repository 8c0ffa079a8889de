#include "tweaks/file_system/file_system_tweaks.h"

#include "services/registry_key.h"
#include "tweaks/file_system/drive_table.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr int kListPage = page::kList;
constexpr int kDriveList = 1009;

}  // namespace

// One row per drive that can be chosen; none is checked, since the stored
// choice is not shown.
void LoadAutoRunDrives(TweakContext& ctx, int tweakId) {
  ShowTweakPage(ctx, kListPage, tweakId);
  ctx.pages.ShowControl(kListPage, kDriveList, true);
  ctx.pages.ListDeleteAllItems(kListPage, kDriveList);
  if (!ctx.tweakState) return;
  int row = 0;
  for (const std::string& name : ctx.tweakState->emplace<DriveTable>().Rebuild(PresentDrives(ctx.platform)))
    ctx.pages.ListInsertItem(kListPage, kDriveList, row++, name);
}

// The checked rows' drives, as the bits of "NoDriveAutoRun"; none checked stores 0.
void ApplyAutoRunDrives(TweakContext& ctx) {
  if (!PassGate(ctx, kNoGate, RecordPoint::kAtGate)) return;
  const RegistryKey policies = RegistryKey::Open(ctx.registry, kHKCU, kExplorerPolicies);
  const DriveTable* drives = ctx.tweakState ? std::any_cast<DriveTable>(ctx.tweakState) : nullptr;
  if (!policies || !drives) return;
  std::uint32_t mask = 0;
  for (int row = 0; row < ctx.pages.ListItemCount(kListPage, kDriveList); ++row)
    if (ctx.pages.ListGetCheck(kListPage, kDriveList, row)) mask |= drives->MaskOfRow(row);
  policies.WriteDword("NoDriveAutoRun", mask);
}

}  // namespace corvandel
