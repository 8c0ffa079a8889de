// The four tweaks at the root of the tree.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// The load and apply routines, in TweakId order.
std::span<const TweakRoutines> RootLevelRoutines();

}  // namespace corvandel
