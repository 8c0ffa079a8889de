// "diff": two machines (or a machine and a profile) compared tweak by tweak.
// Each tweak's page is loaded on both sides; a tweak differs when a control
// of its page does (or the page itself):
//
//   3 Allow UNC Paths at the Command Prompt
//     1013 check: 0 | 1
//   same 268, different 1
//
// A control's side is the one field that differs (a check box's state, an
// edit's text, ...) or, when several do, an object of those fields, as JSON
// in ASCII; "-" for a control the side does not show.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace corvandel {

// One tweak's page on both sides (PageJson documents).
struct PagePair {
  int tweakId = 0;
  std::string title;
  nlohmann::json a, b;
};

// The lines above, or {"tweaks": [{"id", "title", "controls": [{"id", "kind",
// "a", "b"}...]}...], "same", "different"} with the differing fields' objects.
std::string DiffText(const std::vector<PagePair>& pages);
nlohmann::json DiffJson(const std::vector<PagePair>& pages);
// Whether any tweak differs.
bool AnyDifference(const std::vector<PagePair>& pages);

}  // namespace corvandel
