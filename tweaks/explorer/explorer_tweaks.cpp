#include "tweaks/explorer/explorer_tweaks.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "services/ansi_text.h"
#include "services/reg_conventions.h"
#include "services/registry_key.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

constexpr int kMultiCheck = page::kMultiCheck;

void ShowCheckBox(TweakContext& ctx, int controlId, const char* caption) {
  ctx.pages.ShowControl(kMultiCheck, controlId, true);
  ctx.pages.SetText(kMultiCheck, controlId, caption);
  ctx.pages.SetCheck(kMultiCheck, controlId, 0);
}

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
    ShowCheckBox(ctx, handler.controlId, handler.caption);
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
constexpr const char* kDirectoryShell = "Directory\\shell";
constexpr const char* kExploreVerb = "explore";

}  // namespace

// Checked when either menu has the verb, so an untouched apply never removes it.
void LoadExploreFromHere(TweakContext& ctx, int tweakId) {
  ShowTweakPage(ctx, kMultiCheck, tweakId);
  ShowCheckBox(ctx, control::kCheck1, "Add 'Explore From Here' to the menu of every folder");
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

// --- Show Programs in the Open with Selection Box --------------------------------

namespace {

constexpr int kListPage = page::kList;
constexpr int kProgramList = 1009;
constexpr const char* kApplications = "Applications";
constexpr const char* kNoOpenWith = "NoOpenWith";

// The registered applications that have a "shell" key, in the registry's
// order: the programs the open-with choice can offer.
std::vector<std::string> OfferedApplications(const RegistryKey& applications) {
  std::vector<std::string> names;
  for (const std::string& name : applications.SubKeyNames())
    if (applications.OpenSubKey(name + "\\shell")) names.push_back(name);
  return names;
}

}  // namespace

// One row per offered application, checked when it is not kept out of the choice.
void LoadOpenWithPrograms(TweakContext& ctx, int tweakId) {
  ShowTweakPage(ctx, kListPage, tweakId);
  ctx.pages.ShowControl(kListPage, kProgramList, true);
  ctx.pages.ListDeleteAllItems(kListPage, kProgramList);
  const RegistryKey applications = RegistryKey::Open(ctx.registry, kHKCR, kApplications);
  int row = 0;
  for (const std::string& name : OfferedApplications(applications)) {
    ctx.pages.ListInsertItem(kListPage, kProgramList, row, name);
    const bool kept = applications.OpenSubKey(name).ReadBytes(kNoOpenWith).has_value();
    ctx.pages.ListSetCheck(kListPage, kProgramList, row, !kept);
    ++row;
  }
}

// Each application is set through the row that shows its name, so one added
// or removed since the load cannot shift the rows onto the wrong programs;
// an application the list does not show is left alone.
void ApplyOpenWithPrograms(TweakContext& ctx) {
  if (!PassGate(ctx, kNoGate, RecordPoint::kAtGate)) return;
  const RegistryKey applications = RegistryKey::Open(ctx.registry, kHKCR, kApplications);
  const int rows = ctx.pages.ListItemCount(kListPage, kProgramList);
  for (const std::string& name : OfferedApplications(applications)) {
    for (int row = 0; row < rows; ++row) {
      if (!EqualsIgnoringCase(ctx.pages.ListItemText(kListPage, kProgramList, row, 0), name)) continue;
      const RegistryKey application = applications.OpenSubKey(name);
      if (ctx.pages.ListGetCheck(kListPage, kProgramList, row))
        application.DeleteValue(kNoOpenWith);
      else
        application.WriteText(kNoOpenWith, "");
      break;
    }
  }
}

}  // namespace corvandel
