// Finding tree nodes by words: the window's "Find Tweak" box and
// "corvandel-cli find" match alike. A node matches when every word occurs,
// in any case, in its current title or description (a language file's, where
// it gives one) or in the text its tree node shows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nav/tree_model.h"

namespace corvandel {

// The words of a query, split at blanks and tabs.
std::vector<std::string> FindWords(std::string_view query);

// Whether node matches every word; no words match nothing.
bool NodeMatches(const TreeItem& node, const TweakTable& table, const std::vector<std::string>& words);

// The positions in nodes of the matching nodes, in their order.
std::vector<std::size_t> FindMatches(const std::vector<TreeItem>& nodes, const TweakTable& table,
                                     const std::vector<std::string>& words);

// The next matching node after position from (forward) or before it
// (backward), wrapping past the end; the node at from is found last, when it
// is the only match. Without a from the search starts before the first node
// (forward) or after the last (backward). Nothing when no node matches.
std::optional<std::size_t> FindNextMatch(const std::vector<TreeItem>& nodes, const TweakTable& table,
                                         const std::vector<std::string>& words, std::optional<std::size_t> from,
                                         bool forward);

}  // namespace corvandel
