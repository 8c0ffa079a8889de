// The Start Menu and Taskbar tweaks that fit none of the shapes, and the
// Explorer settings key they share with the shape rows.
#pragma once

#include "nav/tweak_context.h"

namespace corvandel {

// Explorer's per-user settings, below each user's root.
inline constexpr const char* kExplorerAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// Enable Start Menu Scrolling (197): loaded from Current User, written to
// every user profile.
void LoadStartMenuScrolling(TweakContext& ctx, int tweakId);
void ApplyStartMenuScrolling(TweakContext& ctx);

// Show Programs in the Frequently Used Programs List (208): one row per
// registered program.
void LoadFrequentProgramsList(TweakContext& ctx, int tweakId);
void ApplyFrequentProgramsList(TweakContext& ctx);

}  // namespace corvandel
