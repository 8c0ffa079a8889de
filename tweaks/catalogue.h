// The routine tables of the eleven category handlers, one per category
// folder under tweaks/.
#pragma once

#include <span>

#include "nav/tweak_dispatch.h"

namespace corvandel {

// The routines of one category, in TweakId order.
std::span<const TweakRoutines> CatalogueRoutines(Category category);

// The dispatch over the whole catalogue, built on first use and never
// changed after; whoever makes a navigator hands it this.
const TweakDispatch& CatalogueDispatch();

}  // namespace corvandel
