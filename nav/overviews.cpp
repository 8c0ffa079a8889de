#include "nav/overviews.h"

#include "nav/tree_model.h"

namespace corvandel {

namespace {

// The one overview row that shows its tree node's text ("Remove the
// Minimize, Maximize and Close Tooltips") rather than its table title.
constexpr int kTooltipsRow = 58;

}  // namespace

OverviewColumns OverviewColumnWidths(int tweakId) {
  switch (tweakId) {
    case 1: return {280, 115};  // Command Processor
    case 95: return {295, 83};  // Explorer
    default: return {295, 99};
  }
}

void ListCheckColumns::Replace(IPageHost& pages, std::initializer_list<Column> columns) {
  pages.ListDeleteAllItems(page::kListCheck, control::kList);
  for (; count_ > 0; --count_) pages.ListDeleteColumn(page::kListCheck, control::kList, 0);
  for (const Column& column : columns)
    pages.ListInsertColumn(page::kListCheck, control::kList, count_++, column.heading, column.width, ColumnAlign::kLeft);
}

std::string DescriptionText(const TweakEntry& row) { return row.title + ":\n" + row.description; }

void ShowOverview(int tweakId, const std::vector<int>& rows, IPageHost& pages, const TweakTable& table,
                  ChangeHistory& history, ListCheckColumns& columns) {
  pages.ShowPage(page::kListCheck, true);
  pages.ShowControl(page::kListCheck, control::kList, true);
  pages.SetText(page::kListCheck, control::kDescription, DescriptionText(table[static_cast<std::size_t>(tweakId)]));
  const OverviewColumns widths = OverviewColumnWidths(tweakId);
  columns.Replace(pages, {{"Name", widths.nameWidth}, {"Data Modified", widths.dateWidth}});
  int index = 0;
  for (int id : rows) {
    // Dates are looked up by the table's current titles, the titles the
    // history file was written with, so a language file's titles still match.
    const std::string& title = table[static_cast<std::size_t>(id)].title;
    pages.ListInsertItem(page::kListCheck, control::kList, index, id == kTooltipsRow ? NodeText(*FindTreeRow(id)) : title);
    pages.ListSetItemText(page::kListCheck, control::kList, index, 1, history.LookupModifiedDate(title));
    ++index;
  }
}

}  // namespace corvandel
