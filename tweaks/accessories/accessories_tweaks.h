// The Accessories tweaks that fit none of the shapes, and the Windows
// Installer policy keys they share with the shape rows.
#pragma once

#include "nav/tweak_context.h"

namespace corvandel {

// The machine's Windows Installer policy (HKEY_LOCAL_MACHINE).
inline constexpr const char* kInstallerPolicyKey = "Software\\Policies\\Microsoft\\Windows\\Installer";
// The Current User copy of the machine's local policies, and where the
// Windows Installer policy sits below it.
inline constexpr const char* kLocalMachinePolicyMirrorKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Group Policy Objects\\LocalMachine";
inline constexpr const char* kInstallerPolicyBelowMirror = "Software\\Policies\\Microsoft\\Windows\\Installer";

// Add Command Prompt Option to Every Folder (2).
void LoadAddCommandPrompt(TweakContext& ctx, int tweakId);
void ApplyAddCommandPrompt(TweakContext& ctx);

// Disable Windows Installer (39).
void LoadDisableWindowsInstaller(TweakContext& ctx, int tweakId);
void ApplyDisableWindowsInstaller(TweakContext& ctx);

// Windows Installer Logging (41).
void LoadInstallerLogging(TweakContext& ctx, int tweakId);
void ApplyInstallerLogging(TweakContext& ctx);

}  // namespace corvandel
