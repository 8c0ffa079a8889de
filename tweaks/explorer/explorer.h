// Explorer: folder views, menus and the shell's own behaviour.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// Explorer: folder views, menus and the shell's own behaviour: the load and apply routines, in TweakId order.
std::span<const TweakRoutines> ExplorerRoutines();

}  // namespace corvandel
