// The Desktop tweaks that fit none of the shapes.
#pragma once

#include "nav/tweak_context.h"

namespace corvandel {

// Change Desktop Icon Visibility (80).
void LoadIconVisibility(TweakContext& ctx, int tweakId);
void ApplyIconVisibility(TweakContext& ctx);

// Change the Screen Saver Grace Period (82).
void LoadGracePeriod(TweakContext& ctx, int tweakId);
void ApplyGracePeriod(TweakContext& ctx);

// Remove My Documents from the Desktop (90).
void LoadMyDocumentsOnDesktop(TweakContext& ctx, int tweakId);
void ApplyMyDocumentsOnDesktop(TweakContext& ctx);

// Rename or Delete Special Folders (91).
void LoadRecycleBinRights(TweakContext& ctx, int tweakId);
void ApplyRecycleBinRights(TweakContext& ctx);

}  // namespace corvandel
