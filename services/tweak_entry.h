// One row of the titles-and-descriptions table. The row's position in the
// table is its TweakId; a language file may rewrite the tweakId field, title
// and description once at start-up.
#pragma once

#include <string>
#include <vector>

namespace corvandel {

inline constexpr int kTweakCount = 310;  // TweakId 0..309

struct TweakEntry {
  std::string title;
  std::string description;  // one paragraph, at most 332 characters, no line breaks
  int image = 2;            // index into the tree's image list; 2 is the tweak image
  int tweakId = 0;
};

using TweakTable = std::vector<TweakEntry>;

}  // namespace corvandel
