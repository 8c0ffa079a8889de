// Desktop: icons, wallpaper and the desktop's own items.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// Desktop: icons, wallpaper and the desktop's own items: the load and apply routines, in TweakId order.
std::span<const TweakRoutines> DesktopRoutines();

}  // namespace corvandel
