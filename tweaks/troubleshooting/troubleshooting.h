// Troubleshooting: crash control, logging and diagnostics.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// Troubleshooting: crash control, logging and diagnostics: the load and apply routines, in TweakId order.
std::span<const TweakRoutines> TroubleshootingRoutines();

}  // namespace corvandel
