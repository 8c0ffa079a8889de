// Start up and Shutdown.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// Start up and Shutdown: the load and apply routines, in TweakId order.
std::span<const TweakRoutines> StartupRoutines();

}  // namespace corvandel
