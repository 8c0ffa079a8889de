#include "tweaks/start_menu/start_menu.h"

namespace corvandel {

// Not built yet: the category's overviews show, its pages stay empty.
std::span<const TweakRoutines> StartMenuRoutines() { return {}; }

}  // namespace corvandel
