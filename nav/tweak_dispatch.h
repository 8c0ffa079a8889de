// The selection and apply dispatch: one entry per TweakId, built once from the
// catalogue's routine tables and the tree. A category's or group's load is its
// overview; a tweak's load and apply are its routines. Which rows the tree
// shows follows from it: a tweak with routines, and a category or group with
// such a tweak somewhere under it.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "nav/tree_model.h"
#include "nav/tweak_context.h"
#include "pages/page_handlers.h"

namespace corvandel {

struct TweakRoutines {
  int tweakId;
  void (*load)(TweakContext& ctx, int tweakId);
  void (*apply)(TweakContext& ctx);  // nullptr: the tweak cannot be applied
  PageBehaviour page{};              // what its page's browse buttons and check boxes do
};

// Where the routine tables come from: the table of each category, in
// TweakId order (tweaks/catalogue.h).
using RoutineTables = std::span<const TweakRoutines> (*)(Category category);

enum class Routines : unsigned char {
  kNone,          // a table row only: not in the tree, nothing to load or apply
  kLoadOnly,      // categories and groups (their overview), and tweak 259
  kLoadAndApply,  // every other tweak in the tree
};

class TweakDispatch {
 public:
  struct Entry {
    Routines routines = Routines::kNone;
    const TweakRoutines* tweak = nullptr;  // a tweak's routines; nullptr for an overview
    std::vector<int> overviewRows;         // an overview's rows: the tweaks directly under it with routines
    bool IsOverview() const { return routines != Routines::kNone && !tweak; }
  };

  explicit TweakDispatch(RoutineTables tables);
  TweakDispatch(const TweakDispatch&) = delete;
  TweakDispatch& operator=(const TweakDispatch&) = delete;

  // The entry of tweakId; one without routines for any number outside 0..309.
  const Entry& operator[](int tweakId) const;

  bool HasLoadRoutine(int tweakId) const { return (*this)[tweakId].routines != Routines::kNone; }
  bool HasApplyRoutine(int tweakId) const { return (*this)[tweakId].routines == Routines::kLoadAndApply; }
  bool HasOverview(int tweakId) const { return (*this)[tweakId].IsOverview(); }
  // The rows a category's or group's overview lists, in tree order. Empty for
  // anything else.
  const std::vector<int>& OverviewTweakIds(int nodeId) const { return (*this)[nodeId].overviewRows; }
  // What the page of tweakId does by itself; the default for an overview or
  // a number without routines.
  const PageBehaviour& PageOf(int tweakId) const;

  // The 270 rows that are tree nodes (those with routines), in insertion
  // order: every parent comes before its children.
  std::vector<TreeRow> TreeNodes() const;

 private:
  std::array<Entry, kTweakCount> entries_;
  Entry none_;
};

// The tree's nodes in insertion order, over the titles table as start-up
// left it; a node whose row the table lacks is left out. The window and the
// headless front end build their trees from this.
std::vector<TreeItem> TreeItems(const TweakTable& table, const TweakDispatch& dispatch);

}  // namespace corvandel
