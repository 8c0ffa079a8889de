#include "tweaks/login/login.h"

namespace corvandel {

// Not built yet: the category's overviews show, its pages stay empty.
std::span<const TweakRoutines> LoginRoutines() { return {}; }

}  // namespace corvandel
