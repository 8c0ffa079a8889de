// The routine tables of the eleven category handlers, one per category
// folder under tweaks/.
#pragma once

#include <span>

#include "nav/category_tweaks.h"

namespace corvandel {

// The routines of one category, in TweakId order.
std::span<const TweakRoutines> CatalogueRoutines(Category category);

}  // namespace corvandel
