// The Appearance tweaks that fit none of the shapes.
#pragma once

#include "nav/tweak_context.h"

namespace corvandel {

// Remove the Minimize, Maximize and Close Tooltips (58).
void LoadCaptionButtonTips(TweakContext& ctx, int tweakId);
void ApplyCaptionButtonTips(TweakContext& ctx);

// Enable Font Smoothing (66).
void LoadFontSmoothing(TweakContext& ctx, int tweakId);
void ApplyFontSmoothing(TweakContext& ctx);

// Change the Position of the Desktop Wallpaper (71).
void LoadWallpaperPosition(TweakContext& ctx, int tweakId);
void ApplyWallpaperPosition(TweakContext& ctx);

// Change the Thumbnail Image Settings (72).
void LoadThumbnailSettings(TweakContext& ctx, int tweakId);
void ApplyThumbnailSettings(TweakContext& ctx);

// Open and Save Dialog Box Customization (76).
void LoadFileDialogOptions(TweakContext& ctx, int tweakId);
void ApplyFileDialogOptions(TweakContext& ctx);

}  // namespace corvandel
