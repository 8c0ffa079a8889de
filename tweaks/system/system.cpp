#include "tweaks/system/system.h"

namespace corvandel {

// Not built yet: the category's overviews show, its pages stay empty.
std::span<const TweakRoutines> SystemRoutines() { return {}; }

}  // namespace corvandel
