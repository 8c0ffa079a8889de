// The navigation tree's content as data: every row of the titles table with
// its place in the tree (kind, parent) and the text of the tree node where
// that differs from the table title, and the handler category of each
// TweakId. Which rows have routines, and so which are tree nodes, the
// dispatch (nav/tweak_dispatch.h) knows from the routine tables.
//
// Every lookup takes any int: a language file can set any number as a TweakId,
// and a number outside 0..309 simply has no row and no category.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "services/tweak_entry.h"

namespace corvandel {

enum class NodeKind : unsigned char {
  kCategory,   // at the root, bold, its own image
  kGroup,      // under a category, bold, its own image
  kTweak,      // under a category or group
  kRootTweak,  // one of the four tweaks at the root after the last category
};

inline constexpr int kNoParent = -1;

struct TreeRow {
  int tweakId;   // also the row's index in the titles table
  NodeKind kind;
  int parentId;  // kNoParent at the root
  const char* nodeText = nullptr;  // nullptr: the node shows the table title
};

// All 310 rows in tree order (depth first, each node before its children).
std::span<const TreeRow> TreeRows();

// The row of tweakId, or nullptr outside 0..309.
const TreeRow* FindTreeRow(int tweakId);

bool IsBold(NodeKind kind);

// The text the tree shows for a row: its own node text where it has one,
// otherwise its built-in title. A language file changes the titles table,
// and with it descriptions and history records, never the tree's texts.
std::string NodeText(const TreeRow& row);

// A node as the tree inserts it.
struct TreeItem {
  TreeRow row;
  std::string text;  // NodeText(row)
  int tweakId;       // item data: the TweakId its table row holds (a language file may change it)
  int image;         // its table row's image
};

// The eleven categories; the catalogue keeps a routine table for each.
enum class Category : unsigned char {
  kAccessories,
  kAppearance,
  kDesktop,
  kExplorer,
  kFileSystem,
  kLoginAndAuthentication,
  kStartMenuAndTaskbar,
  kStartupAndShutdown,
  kSystem,
  kTroubleshooting,
  kRootLevel,  // the four root-level tweaks 306-309
};

inline constexpr int kCategoryCount = 11;

// The category of tweakId, by TweakId range; none outside 0..309.
std::optional<Category> CategoryOf(int tweakId);

}  // namespace corvandel
