// The tweaks at the root of the tree that fit none of the shapes alone.
#pragma once

#include "nav/tweak_context.h"

namespace corvandel {

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
