#include "tweaks/start_menu/start_menu_tweaks.h"

#include <cstdint>
#include <string>
#include <vector>

#include "services/reg_conventions.h"
#include "services/registry_key.h"
#include "tweaks/shapes.h"

namespace corvandel {

// --- Enable Start Menu Scrolling ------------------------------------------------

namespace {

constexpr const char* kScrollingNote =
    "Note:\n\tThe setting is written for every user profile on this computer.\n"
    "You may need to restart or log out of Windows for the change to take effect.";

// 1013 for the classic Start menu's Programs, 1018 for the Windows XP Start
// menu's All Programs; the classic setting is a text in any letter case.
constexpr CheckItem kScrollingBoxes[] = {
    {1013, "StartMenuScrollPrograms", Writes(TextAnyCase("Yes"), Text("No")),
     "Scroll the Programs menu of the classic Start Menu."},
    {1018, "Start_ScrollPrograms", kDirect, "Scroll the All Programs menu of the Windows XP Start Menu."},
};

// The two boxes over one user's settings key.
CheckListRow ScrollingRow(int tweakId, RegKey root, const char* path, const VersionGate& gate, RecordPoint history,
                          const char* note) {
  return {tweakId, root, Opened(path), CheckedWhen::kOn, gate, history, note, kScrollingBoxes};
}

}  // namespace

void LoadStartMenuScrolling(TweakContext& ctx, int tweakId) {
  LoadShape(ctx, ScrollingRow(tweakId, kHKCU, kExplorerAdvanced, k98Me2015, RecordPoint::kAtGate, kScrollingNote));
}

void ApplyStartMenuScrolling(TweakContext& ctx) {
  if (!PassGate(ctx, k98Me2015, RecordPoint::kAtGate)) return;
  // Every profile but the first one enumerated, which is normally the
  // default profile; a profile without Explorer settings is skipped.
  const RegistryKey users = RegistryKey::Open(ctx.registry, kHKU, "");
  for (const std::string& profile : users.SubKeyNames(1)) {
    const std::string path = profile + "\\" + kExplorerAdvanced;
    ApplyShape(ctx, ScrollingRow(ctx.currentTweakId, kHKU, path.c_str(), kNoGate, RecordPoint::kNever, nullptr));
  }
}

// --- Show Programs in the Frequently Used Programs List ---------------------------

namespace {

constexpr const char* kApplications = "Applications";
constexpr const char* kNoStartPage = "NoStartPage";
constexpr int kPrograms = 1009;

// Programs registered by their file name: the extension in lower or upper
// case (the searches are case-sensitive).
bool IsProgramName(const std::string& name) {
  return name.find(".exe") != std::string::npos || name.find(".EXE") != std::string::npos;
}

}  // namespace

void LoadFrequentProgramsList(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kList;
  ShowTweakPage(ctx, kPage, tweakId);
  ctx.pages.ShowControl(kPage, kPrograms, true);
  ctx.pages.ListDeleteAllItems(kPage, kPrograms);
  // A row is checked when its program may be listed: "NoStartPage" cannot be
  // read. A registration that cannot be opened shows unchecked.
  const RegistryKey applications = RegistryKey::Open(ctx.registry, kHKCR, kApplications);
  int row = 0;
  for (const std::string& name : applications.SubKeyNames()) {
    if (!IsProgramName(name)) continue;
    ctx.pages.ListInsertItem(kPage, kPrograms, row, name);
    const RegistryKey program = applications.OpenSubKey(name);
    ctx.pages.ListSetCheck(kPage, kPrograms, row, program && !program.ReadBytes(kNoStartPage));
    ++row;
  }
}

void ApplyFrequentProgramsList(TweakContext& ctx) {
  constexpr int kPage = page::kList;
  if (!PassGate(ctx, kXp2004, RecordPoint::kAtGate)) return;
  // Each row is written to the registration its text names, so programs
  // registered or removed since the load do not shift the choices.
  const RegistryKey applications = RegistryKey::Open(ctx.registry, kHKCR, kApplications);
  if (!applications) return;
  for (int row = 0; row < ctx.pages.ListItemCount(kPage, kPrograms); ++row) {
    const RegistryKey program = applications.OpenSubKey(ctx.pages.ListItemText(kPage, kPrograms, row, 0));
    if (!program) continue;
    if (ctx.pages.ListGetCheck(kPage, kPrograms, row))
      program.DeleteValue(kNoStartPage);
    else
      program.WriteText(kNoStartPage, "");
  }
}

}  // namespace corvandel
