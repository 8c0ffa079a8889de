// The File System tweaks that fit none of the shapes.
#pragma once

#include "nav/tweak_context.h"

namespace corvandel {

// Select the Disk Drives to Start Automatically (152).
void LoadAutoRunDrives(TweakContext& ctx, int tweakId);
void ApplyAutoRunDrives(TweakContext& ctx);

}  // namespace corvandel
