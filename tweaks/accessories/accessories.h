// The Accessories category: command interpreter, Dr Watson, Task Scheduler,
// Windows Installer and a few single settings.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// The category's load and apply routines, in TweakId order.
std::span<const TweakRoutines> AccessoriesRoutines();

}  // namespace corvandel
