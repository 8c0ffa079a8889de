// The Troubleshooting tweaks that fit none of the shapes alone.
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

}  // namespace corvandel
