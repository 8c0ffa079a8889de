// Start Menu and Taskbar.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// Start Menu and Taskbar: the load and apply routines, in TweakId order.
std::span<const TweakRoutines> StartMenuRoutines();

}  // namespace corvandel
