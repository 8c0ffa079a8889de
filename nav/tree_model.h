// The navigation tree's content as data: every row of the titles table with
// its place in the tree (kind, parent), whether it has routines, and the text
// of the tree node where that differs from the table title. Also the two
// dispatch facts (which TweakIds have a load and an apply routine), the handler
// category of each TweakId, and the rows that a group overview lists.
//
// Every lookup takes any int: a language file can set any number as a TweakId,
// and a number outside 0..309 simply has no row, no routines and no category.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "nav/tweak_entry.h"

namespace corvandel {

enum class NodeKind : unsigned char {
  kCategory,   // at the root, bold, its own image
  kGroup,      // under a category, bold, its own image
  kTweak,      // under a category or group
  kRootTweak,  // one of the four tweaks at the root after the last category
};

enum class Routines : unsigned char {
  kNone,          // a table row only: not in the tree, nothing to load or apply
  kLoadOnly,      // categories and groups (their overview), and tweak 259
  kLoadAndApply,  // every other tweak in the tree
};

inline constexpr int kNoParent = -1;

struct TreeRow {
  int tweakId;   // also the row's index in the titles table
  NodeKind kind;
  int parentId;  // kNoParent at the root
  Routines routines;
  const char* nodeText = nullptr;  // nullptr: the node shows the table title
};

// All 310 rows in tree order (depth first, each node before its children).
std::span<const TreeRow> TreeRows();

// The row of tweakId, or nullptr outside 0..309.
const TreeRow* FindTreeRow(int tweakId);

// The 270 rows that are tree nodes (those with routines), in insertion order:
// every parent comes before its children.
std::vector<TreeRow> TreeNodes();

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

// The tree's nodes in insertion order, over the titles table as start-up
// left it; a node whose row the table lacks is left out. The window and the
// headless front end build their trees from this.
std::vector<TreeItem> TreeItems(const TweakTable& table);

bool HasLoadRoutine(int tweakId);
bool HasApplyRoutine(int tweakId);

// The rows a category's or group's overview lists, in tree order: the tweaks
// directly under it that have a load routine. Empty for anything else.
std::vector<int> OverviewTweakIds(int nodeId);

// The eleven handlers that own the load and apply routines.
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

// The handler of tweakId, by TweakId range; none outside 0..309.
std::optional<Category> CategoryOf(int tweakId);

}  // namespace corvandel
