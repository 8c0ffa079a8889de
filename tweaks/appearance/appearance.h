// Appearance: fonts, colours, menus, effects and visual settings.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// Appearance: fonts, colours, menus, effects and visual settings: the load and apply routines, in TweakId order.
std::span<const TweakRoutines> AppearanceRoutines();

}  // namespace corvandel
