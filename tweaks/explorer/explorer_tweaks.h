// The Explorer tweaks that fit none of the shapes.
#pragma once

#include "nav/tweak_context.h"

namespace corvandel {

// Add a Menu Option to Move or Copy to a Folder (103).
void LoadCopyMoveToFolder(TweakContext& ctx, int tweakId);
void ApplyCopyMoveToFolder(TweakContext& ctx);

// Add Explore From Here to Every Folder (104).
void LoadExploreFromHere(TweakContext& ctx, int tweakId);
void ApplyExploreFromHere(TweakContext& ctx);

}  // namespace corvandel
