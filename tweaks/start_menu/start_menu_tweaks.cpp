#include "tweaks/start_menu/start_menu_tweaks.h"

#include <cstdint>
#include <string>
#include <vector>

#include "services/registry_key.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

// --- Enable Start Menu Scrolling ------------------------------------------------

namespace {

using namespace keys;

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
  LoadShape(ctx, ScrollingRow(tweakId, kHKCU, kAdvanced, k98Me2015, RecordPoint::kAtGate, kScrollingNote));
}

void ApplyStartMenuScrolling(TweakContext& ctx) {
  if (!PassGate(ctx, k98Me2015, RecordPoint::kAtGate)) return;
  // Every profile but the first one enumerated, which is normally the
  // default profile; a profile without Explorer settings is skipped.
  const RegistryKey users = RegistryKey::Open(ctx.registry, kHKU, "");
  for (const std::string& profile : users.SubKeyNames(1)) {
    const std::string path = profile + "\\" + kAdvanced;
    ApplyShape(ctx, ScrollingRow(ctx.currentTweakId, kHKU, path.c_str(), kNoGate, RecordPoint::kNever, nullptr));
  }
}

}  // namespace corvandel
