// Stored states of the tweaks of this category as a user's registry holds
// them (each loads and applies back unchanged), and the states an untouched
// apply rewrites by design.
#include "services/reg_conventions.h"
#include "tweak_harness.h"

namespace corvandel {

const std::vector<StoredState>& TroubleshootingStates() {
  static const std::vector<StoredState> states;
  return states;
}

std::vector<Rewrite> TroubleshootingRewrites() { return {}; }

}  // namespace corvandel
