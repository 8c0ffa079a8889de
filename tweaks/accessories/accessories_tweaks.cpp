#include "tweaks/accessories/accessories_tweaks.h"

#include <cstdint>
#include <iterator>
#include <string>

#include "services/registry_key.h"
#include "tweaks/keys.h"
#include "tweaks/reg_conventions.h"
#include "tweaks/shapes.h"

namespace corvandel {

namespace {

using namespace keys;

const std::string kInstallerMirror = std::string(kLocalMachinePolicyMirrorKey) + "\\" + kInstallerPolicyBelowMirror;
constexpr const char* kDisableMsiValue = "DisableMSI";
constexpr const char* kLoggingValue = "Logging";

}  // namespace

// --- Add Command Prompt Option to Every Folder --------------------------------

namespace {

constexpr const char* kMenuSubKey = "Command";
constexpr const char* kMenuKey = "Directory\\shell\\Command";
constexpr int kPromptMenuNameAlert = 2005;

// The interpreter of the running Windows family. A release the probe does not
// know is a later NT release, which has cmd.exe.
const char* PromptCommand(IPlatform& platform) {
  const COsVersion os(platform);
  return os.IsWin95() || os.IsWin98() || os.IsWinMe() ? "command.com /k cd %1" : "cmd.exe /k cd %1";
}

}  // namespace

void LoadAddCommandPrompt(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kEditCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_LOGOUT_CAP);
  ctx.pages.ShowControl(kPage, control::kCheck1, true);
  ctx.pages.SetText(kPage, control::kCheck1, "Enable Command Prompt menu option");
  ctx.pages.SetCheck(kPage, control::kCheck1, 0);
  ctx.pages.ShowControl(kPage, control::kLabel1, true);
  ctx.pages.SetText(kPage, control::kLabel1, "Menu Label:");
  ctx.pages.ShowControl(kPage, control::kEdit1, true);
  ctx.pages.SetText(kPage, control::kEdit1, "");
  if (auto label = RegistryKey::Open(ctx.registry, reg::kClassesRoot, kMenuKey).ReadText("")) {
    ctx.pages.SetCheck(kPage, control::kCheck1, 1);
    ctx.pages.SetText(kPage, control::kEdit1, *label);
  }
}

void ApplyAddCommandPrompt(TweakContext& ctx) {
  constexpr int kPage = page::kEditCheck;
  if (ctx.pages.GetCheck(kPage, control::kCheck1) != 1) {
    // Removing the menu is not recorded in the history.
    DeleteTreeAt(ctx.registry, reg::kClassesRoot, kMenuKey);
    return;
  }
  if (!RequireEditText(ctx.Gate(), kPage, control::kEdit1, kPromptMenuNameAlert, CheckBoxRef{kPage, control::kCheck1}))
    return;
  const RegistryKey shell = RegistryKey::Open(ctx.registry, reg::kClassesRoot, kDirectoryShell);
  if (!shell) return;
  const RegistryKey menu = shell.CreateSubKey(kMenuSubKey);
  menu.WriteText("", ctx.pages.GetText(kPage, control::kEdit1));
  const RegistryKey command = menu.CreateSubKey("command");
  if (!command) return;
  ctx.RecordTweakChange();
  command.WriteText("", PromptCommand(ctx.platform));
}

// --- Disable Windows Installer ------------------------------------------------

void LoadDisableWindowsInstaller(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kComboCheck;
  ShowTweakPage(ctx, kPage, tweakId, NOTE_LOGOUT_CAP);
  ctx.pages.ShowControl(kPage, control::kLabel1, true);
  ctx.pages.SetText(kPage, control::kLabel1, "Windows Installer:");
  ctx.pages.ShowControl(kPage, control::kCombo1, true);
  ctx.pages.ComboReset(kPage, control::kCombo1);
  static constexpr const char* kItems[] = {"Enabled", "Admin Only", "Disabled"};  // item i stores i
  for (const char* item : kItems) ctx.pages.ComboAddString(kPage, control::kCombo1, item);

  // Shown only when the policy and its Current User copy agree.
  const auto machine =
      RegistryKey::Open(ctx.registry, reg::kLocalMachine, "SOFTWARE\\Policies\\Microsoft\\Windows\\Installer")
          .ReadDword(kDisableMsiValue);
  if (!machine) return;
  const auto mirror = RegistryKey::Open(ctx.registry, reg::kCurrentUser, kInstallerMirror).ReadDword(kDisableMsiValue);
  if (mirror == machine && *machine < std::size(kItems))
    ctx.pages.ComboSetCurSel(kPage, control::kCombo1, static_cast<int>(*machine));
}

void ApplyDisableWindowsInstaller(TweakContext& ctx) {
  ctx.RecordTweakChange();
  const int selected = ctx.pages.ComboGetCurSel(page::kComboCheck, control::kCombo1);
  if (selected >= 0) {
    const auto data = static_cast<std::uint32_t>(selected);
    RegistryKey::Open(ctx.registry, reg::kLocalMachine, kInstallerPolicyKey).WriteDword(kDisableMsiValue, data);
    RegistryKey::Open(ctx.registry, reg::kCurrentUser, kLocalMachinePolicyMirrorKey)
        .CreateSubKey(kInstallerPolicyBelowMirror)
        .WriteDword(kDisableMsiValue, data);
    return;
  }
  // No choice: the policy is removed, and the Current User copy's branch key
  // by key from the inside out; a key that still has subkeys stays.
  RegistryKey::Open(ctx.registry, reg::kLocalMachine, kInstallerPolicyKey).DeleteValue(kDisableMsiValue);
  const std::size_t mirrorLength = std::string(kLocalMachinePolicyMirrorKey).size();
  for (std::string branch = kInstallerMirror; branch.size() > mirrorLength;) {
    const std::size_t cut = branch.rfind('\\');
    RegistryKey::Open(ctx.registry, reg::kCurrentUser, branch.substr(0, cut)).DeleteSubKey(branch.substr(cut + 1));
    branch.resize(cut);
  }
}

// --- Windows Installer Logging ------------------------------------------------

namespace {

constexpr const char* kAllLoggingOptions = "voicewarmup";

struct LoggingOption {
  const char* letter;
  const char* option;
};

constexpr LoggingOption kLoggingOptions[] = {
    {"v", "Verbose output"},
    {"o", "Out-of-disk-space messages"},
    {"i", "Status messages"},
    {"c", "Initial UI parameters"},
    {"e", "All error messages"},
    {"w", "Non-fatal warnings"},
    {"a", "Start up of actions"},
    {"r", "Action-specific records"},
    {"m", "Out-of-memory or fatal exit information"},
    {"u", "User requests"},
    {"p", "Terminal properties"},
    {"+", "Append to existing file"},
    {"!", "Flush each line to the log"},
};

}  // namespace

void LoadInstallerLogging(TweakContext& ctx, int tweakId) {
  constexpr int kPage = page::kListCheck;
  ShowTweakPage(ctx, kPage, tweakId);
  ctx.pages.ShowControl(kPage, control::kCheck1, true);
  ctx.pages.SetText(kPage, control::kCheck1,
                    "Check it to a Combination of the Letters below to Enable the Logging Options");
  ctx.pages.SetCheck(kPage, control::kCheck1, 0);
  // The list only explains the letters; it is never read back.
  ctx.pages.ShowControl(kPage, control::kList, true);
  ctx.listColumns.Replace(ctx.pages, {{"Letter", 99}, {"Option", 277}});
  int row = 0;
  for (const LoggingOption& option : kLoggingOptions) {
    ctx.pages.ListInsertItem(kPage, control::kList, row, option.letter);
    ctx.pages.ListSetItemText(kPage, control::kList, row, 1, option.option);
    ++row;
  }
  const bool machine =
      RegistryKey::Open(ctx.registry, reg::kLocalMachine, kInstallerPolicyKey).ReadBytes(kLoggingValue).has_value();
  const bool mirror =
      machine && RegistryKey::Open(ctx.registry, reg::kCurrentUser, kInstallerMirror).ReadBytes(kLoggingValue).has_value();
  if (machine && mirror) ctx.pages.SetCheck(kPage, control::kCheck1, 1);
}

void ApplyInstallerLogging(TweakContext& ctx) {
  ctx.RecordTweakChange();
  if (ctx.pages.GetCheck(page::kListCheck, control::kCheck1) == 1) {
    RegistryKey::Open(ctx.registry, reg::kLocalMachine, kInstallerPolicyKey).WriteText(kLoggingValue, kAllLoggingOptions);
    RegistryKey::Open(ctx.registry, reg::kCurrentUser, kLocalMachinePolicyMirrorKey)
        .CreateSubKey(kInstallerPolicyBelowMirror)
        .WriteText(kLoggingValue, kAllLoggingOptions);
    return;
  }
  // Unchecked removes the value from the policy and from its Current User
  // copy. Only the value: the copy's "Software" branch holds every other
  // machine policy mirrored there, which logging has no business removing.
  DeleteValueAt(ctx.registry, reg::kLocalMachine, kInstallerPolicyKey, kLoggingValue);
  DeleteValueAt(ctx.registry, reg::kCurrentUser, kInstallerMirror, kLoggingValue);
}

}  // namespace corvandel
