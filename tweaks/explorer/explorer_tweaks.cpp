#include "tweaks/explorer/explorer_tweaks.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "services/ansi_text.h"
#include "services/registry_key.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;

constexpr int kMultiCheck = page::kMultiCheck;

}  // namespace

// --- Add a Menu Option to Move or Copy to a Folder ------------------------------

namespace {

constexpr const char* kContextMenuHandlers = "AllFilesystemObjects\\shellex\\ContextMenuHandlers";

// Each box stands for a handler subkey whose default value names the handler.
struct MenuHandler {
  int controlId;
  const char* subkey;
  const char* classId;
  const char* caption;
};

constexpr MenuHandler kFolderHandlers[] = {
    {control::kCheck1, "Copy To", "{C2FBB630-2971-11d1-A18C-00C04FD75D13}", "Add 'Copy To Folder' to Folder menu option:"},
    {control::kCheck2, "Move To", "{C2FBB631-2971-11d1-A18C-00C04FD75D13}", "Add 'Move To Folder' to Folder menu option:"},
};

}  // namespace

void LoadCopyMoveToFolder(TweakContext& ctx, int tweakId) {
  ShowTweakPage(ctx, kMultiCheck, tweakId);
  const RegistryKey handlers = RegistryKey::Open(ctx.registry, kHKCR, kContextMenuHandlers);
  for (const MenuHandler& handler : kFolderHandlers) {
    ShowCheckBox(ctx, kMultiCheck, handler.controlId, handler.caption);
    const auto classId = handlers.OpenSubKey(handler.subkey).ReadText("");
    if (classId && EqualsIgnoringCase(*classId, handler.classId)) ctx.pages.SetCheck(kMultiCheck, handler.controlId, 1);
  }
}

void ApplyCopyMoveToFolder(TweakContext& ctx) {
  if (!PassGate(ctx, kNoGate, RecordPoint::kAtGate)) return;
  const RegistryKey handlers = RegistryKey::Create(ctx.registry, kHKCR, kContextMenuHandlers);
  for (const MenuHandler& handler : kFolderHandlers) {
    if (ctx.pages.GetCheck(kMultiCheck, handler.controlId) == 1)
      handlers.CreateSubKey(handler.subkey).WriteText("", handler.classId);
    else
      handlers.DeleteSubKey(handler.subkey);  // a handler key with subkeys of its own stays
  }
}

// --- Add Explore From Here to Every Folder ---------------------------------------

namespace {

// The folder menus that may hold the verb; it is only ever added to the first.
constexpr const char* kFolderShell = "Folder\\shell";
constexpr const char* kExploreVerb = "explore";

}  // namespace

// Checked when either menu has the verb, so an untouched apply never removes it.
void LoadExploreFromHere(TweakContext& ctx, int tweakId) {
  ShowTweakPage(ctx, kMultiCheck, tweakId);
  ShowCheckBox(ctx, kMultiCheck, control::kCheck1, "Add 'Explore From Here' to the menu of every folder");
  for (const char* shell : {kFolderShell, kDirectoryShell})
    if (RegistryKey::Open(ctx.registry, kHKCR, shell).OpenSubKey(kExploreVerb)) ctx.pages.SetCheck(kMultiCheck, control::kCheck1, 1);
}

void ApplyExploreFromHere(TweakContext& ctx) {
  if (!PassGate(ctx, kNoGate, RecordPoint::kAtGate)) return;
  if (ctx.pages.GetCheck(kMultiCheck, control::kCheck1) == 1) {
    const RegistryKey shell = RegistryKey::Open(ctx.registry, kHKCR, kFolderShell);
    if (!shell) return;
    const RegistryKey verb = shell.CreateSubKey(kExploreVerb);
    verb.WriteText("", "E&xplore from here");
    verb.CreateSubKey("command").WriteText("", "explorer.exe /e,/root,/idlist,%i");
    return;
  }
  // Each menu loses the verb on its own: a user unchecking the box expects it
  // gone from both, whether or not the other menu exists.
  for (const char* shell : {kFolderShell, kDirectoryShell})
    RegistryKey::Open(ctx.registry, kHKCR, shell).DeleteTree(kExploreVerb);
}

}  // namespace corvandel
