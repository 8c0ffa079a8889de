// The Start up and Shutdown tweak that fits none of the shapes: a box and a
// combo written to the current user's profile and to the default profile.
#pragma once


#include "nav/tweak_context.h"

namespace corvandel {

// Automatically Ending Hung Applications (213).
void LoadEndHungApplications(TweakContext& ctx, int tweakId);
void ApplyEndHungApplications(TweakContext& ctx);

}  // namespace corvandel
