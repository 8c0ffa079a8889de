#include "nav/tweak_find.h"

#include <algorithm>

#include "nav/tweak_table.h"
#include "services/ansi_text.h"

namespace corvandel {
namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view word) {
  for (std::size_t at = 0; at + word.size() <= text.size(); ++at)
    if (EqualsIgnoringCase(text.substr(at, word.size()), word)) return true;
  return false;
}

}  // namespace

std::vector<std::string> FindWords(std::string_view query) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < query.size()) {
    const std::size_t start = query.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(query.find_first_of(" \t", start), query.size());
    words.emplace_back(query.substr(start, end - start));
    at = end;
  }
  return words;
}

bool NodeMatches(const TreeItem& node, const TweakTable& table, const std::vector<std::string>& words) {
  if (words.empty()) return false;
  const TweakEntry* entry = FindRow(table, node.row.tweakId);
  return std::all_of(words.begin(), words.end(), [&](const std::string& word) {
    return ContainsIgnoringCase(node.text, word) ||
           (entry && (ContainsIgnoringCase(entry->title, word) || ContainsIgnoringCase(entry->description, word)));
  });
}

std::vector<std::size_t> FindMatches(const std::vector<TreeItem>& nodes, const TweakTable& table,
                                     const std::vector<std::string>& words) {
  std::vector<std::size_t> matches;
  for (std::size_t i = 0; i < nodes.size(); ++i)
    if (NodeMatches(nodes[i], table, words)) matches.push_back(i);
  return matches;
}

std::optional<std::size_t> FindNextMatch(const std::vector<TreeItem>& nodes, const TweakTable& table,
                                         const std::vector<std::string>& words, std::optional<std::size_t> from,
                                         bool forward) {
  const std::size_t count = nodes.size();
  if (count == 0) return std::nullopt;
  // Without a from, starting on the last node (forward) or the first
  // (backward) makes the first step land on the other end.
  std::size_t at = from && *from < count ? *from : (forward ? count - 1 : 0);
  for (std::size_t step = 0; step < count; ++step) {
    at = forward ? (at + 1) % count : (at + count - 1) % count;
    if (NodeMatches(nodes[at], table, words)) return at;
  }
  return std::nullopt;
}

}  // namespace corvandel
