// The Troubleshooting and root-level tweaks that fit none of the shapes
// alone.
#pragma once

#include "nav/tweak_context.h"

namespace corvandel {

// User Environment Debug Logging (285): a check box whose note names the log
// file in the Windows folder.
void LoadUserEnvDebugLogging(TweakContext& ctx, int tweakId);
void ApplyUserEnvDebugLogging(TweakContext& ctx);

// Repair the Office Shortcut Bar (292): checked removes the bar's settings;
// the box stays checked after any apply.
void LoadOfficeShortcutBar(TweakContext& ctx, int tweakId);
void ApplyOfficeShortcutBar(TweakContext& ctx);

// Disable Warnings on Startup (300): a check box and a combo box.
void LoadStartupWarnings(TweakContext& ctx, int tweakId);
void ApplyStartupWarnings(TweakContext& ctx);

// Change the Location of System and Special Folders (306).
void LoadSpecialFolders(TweakContext& ctx, int tweakId);
void ApplySpecialFolders(TweakContext& ctx);

// Change the Registered Owner and Organization (308).
void LoadRegisteredOwner(TweakContext& ctx, int tweakId);
void ApplyRegisteredOwner(TweakContext& ctx);

// Configure CoolSwitch Application Swapping (309).
void LoadCoolSwitch(TweakContext& ctx, int tweakId);
void ApplyCoolSwitch(TweakContext& ctx);

}  // namespace corvandel
