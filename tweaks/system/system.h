// System: scripts, services, file protection and settings.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// System: scripts, services, file protection and settings: the load and apply routines, in TweakId order.
std::span<const TweakRoutines> SystemRoutines();

}  // namespace corvandel
