// Login and Authentication: logon, screen saver and credentials.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// Login and Authentication: logon, screen saver and credentials: the load and apply routines, in TweakId order.
std::span<const TweakRoutines> LoginRoutines();

}  // namespace corvandel
