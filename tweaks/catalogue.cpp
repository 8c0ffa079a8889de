#include "tweaks/catalogue.h"

#include "tweaks/accessories/accessories.h"

namespace corvandel {

// Categories whose tweaks are not built yet have no routines: their overviews
// still show, and their tweaks' pages stay empty.
std::span<const TweakRoutines> CatalogueRoutines(Category category) {
  switch (category) {
    case Category::kAccessories: return AccessoriesRoutines();
    default: return {};
  }
}

}  // namespace corvandel
