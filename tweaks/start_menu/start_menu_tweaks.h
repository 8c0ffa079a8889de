// The Start Menu and Taskbar tweaks that fit none of the shapes.
#pragma once

#include "nav/tweak_context.h"

namespace corvandel {

// Enable Start Menu Scrolling (197): loaded from Current User, written to
// every user profile.
void LoadStartMenuScrolling(TweakContext& ctx, int tweakId);
void ApplyStartMenuScrolling(TweakContext& ctx);

}  // namespace corvandel
