// The System tweaks that fit none of the shapes.
#pragma once

#include "nav/tweak_context.h"

namespace corvandel {

// Windows File Protection (253-255): each value is written to the policy key
// and then to the Winlogon key, and loaded from the policy key where it is
// set there, otherwise from Winlogon.
void LoadSfcProgress(TweakContext& ctx, int tweakId);
void ApplySfcProgress(TweakContext& ctx);
void LoadSfcScan(TweakContext& ctx, int tweakId);
void ApplySfcScan(TweakContext& ctx);
void LoadSfcCacheDir(TweakContext& ctx, int tweakId);
void ApplySfcCacheDir(TweakContext& ctx);

// Configure Windows Software Update Services (259): shown, never applied.
void LoadUpdateServer(TweakContext& ctx, int tweakId);

// Increase the USB Polling Interval (269).
void LoadUsbPolling(TweakContext& ctx, int tweakId);
void ApplyUsbPolling(TweakContext& ctx);

}  // namespace corvandel
