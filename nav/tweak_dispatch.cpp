#include "nav/tweak_dispatch.h"

#include <cstddef>

#include "nav/tweak_table.h"

namespace corvandel {

TweakDispatch::TweakDispatch(RoutineTables tables) {
  for (int c = 0; c < kCategoryCount; ++c) {
    for (const TweakRoutines& r : tables(static_cast<Category>(c))) {
      if (!FindTreeRow(r.tweakId) || !r.load) continue;
      Entry& entry = entries_[static_cast<std::size_t>(r.tweakId)];
      entry.tweak = &r;
      entry.routines = r.apply ? Routines::kLoadAndApply : Routines::kLoadOnly;
    }
  }
  // Children follow their parents in the tree, so walking it backwards marks
  // a node's children before the node: a category or group is in the tree
  // when anything under it is.
  const std::span<const TreeRow> rows = TreeRows();
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    const Entry& entry = entries_[static_cast<std::size_t>(row->tweakId)];
    if (entry.routines == Routines::kNone || row->parentId == kNoParent) continue;
    Entry& parent = entries_[static_cast<std::size_t>(row->parentId)];
    parent.routines = Routines::kLoadOnly;
    if (row->kind == NodeKind::kTweak) parent.overviewRows.insert(parent.overviewRows.begin(), row->tweakId);
  }
}

const TweakDispatch::Entry& TweakDispatch::operator[](int tweakId) const {
  const TreeRow* row = FindTreeRow(tweakId);
  return row ? entries_[static_cast<std::size_t>(row->tweakId)] : none_;
}

const PageBehaviour& TweakDispatch::PageOf(int tweakId) const {
  static const PageBehaviour kDefault;
  const TweakRoutines* tweak = (*this)[tweakId].tweak;
  return tweak ? tweak->page : kDefault;
}

std::vector<TreeRow> TweakDispatch::TreeNodes() const {
  std::vector<TreeRow> nodes;
  for (const TreeRow& row : TreeRows()) {
    if (HasLoadRoutine(row.tweakId)) nodes.push_back(row);
  }
  return nodes;
}

std::vector<TreeItem> TreeItems(const TweakTable& table, const TweakDispatch& dispatch) {
  std::vector<TreeItem> items;
  for (const TreeRow& row : dispatch.TreeNodes()) {
    if (const TweakEntry* entry = FindRow(table, row.tweakId))
      items.push_back({row, NodeText(row), entry->tweakId, entry->image});
  }
  return items;
}

}  // namespace corvandel
