#include "nav/overviews.h"

#include <algorithm>

namespace corvandel {

namespace {

constexpr int kList = 1007;
constexpr int kDescription = 1006;

std::vector<int> Ids(std::initializer_list<std::pair<int, int>> ranges) {
  std::vector<int> ids;
  for (auto [first, last] : ranges)
    for (int id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

// Rows are written as inclusive ranges of TweakIds: {46, 50} is 46 to 50,
// {80, 80} the single row 80.
const std::vector<Overview>& Table() {
  static const std::vector<Overview> overviews = {
      //  id  name date  rows
      {0,   295, 99,  Ids({{43, 44}, {46, 50}})},
      {1,   280, 115, Ids({{2, 3}, {5, 12}})},
      {13,  295, 99,  Ids({{14, 24}})},
      {30,  295, 99,  Ids({{32, 37}})},
      {38,  295, 99,  Ids({{39, 41}})},
      {51,  295, 99,  Ids({{68, 77}})},
      {52,  295, 99,  Ids({{53, 54}, {56, 59}})},
      {60,  295, 99,  Ids({{61, 67}})},
      {78,  295, 99,  Ids({{80, 80}, {82, 87}, {89, 94}})},
      {95,  295, 83,  Ids({{103, 105}, {107, 119}})},
      {96,  295, 99,  Ids({{97, 102}})},
      {122, 295, 99,  Ids({{142, 143}, {146, 148}, {151, 152}, {154, 154}})},
      {123, 295, 99,  Ids({{124, 124}})},
      {125, 295, 99,  Ids({{126, 131}, {133, 134}, {136, 136}})},
      {137, 295, 99,  Ids({{138, 141}})},
      {155, 295, 99,  Ids({{156, 156}, {158, 173}, {175, 176}})},
      {177, 295, 99,  Ids({{196, 210}})},
      {178, 295, 99,  Ids({{179, 186}})},
      {187, 295, 99,  Ids({{188, 189}, {191, 195}})},
      {211, 295, 99,  Ids({{212, 221}, {223, 225}})},
      {226, 295, 99,  Ids({{256, 259}, {262, 270}, {272, 272}})},
      {227, 295, 99,  Ids({{228, 237}})},
      {239, 295, 99,  Ids({{240, 245}, {247, 249}})},
      {250, 295, 99,  Ids({{253, 255}})},
      {273, 295, 99,  Ids({{295, 297}, {299, 303}, {305, 305}})},
      {274, 295, 99,  Ids({{275, 280}})},
      {281, 295, 99,  Ids({{283, 287}})},
      {288, 295, 99,  Ids({{289, 290}, {292, 292}})},
  };
  return overviews;
}

// The one row whose list text is not its table title.
constexpr int kTooltipsRow = 58;
constexpr const char* kTooltipsRowText = "Remove the Minimize, Maximize and Close Tooltips";

}  // namespace

std::span<const Overview> Overviews() { return Table(); }

const Overview* FindOverview(int tweakId) {
  const auto& table = Table();
  auto it = std::find_if(table.begin(), table.end(), [&](const Overview& o) { return o.tweakId == tweakId; });
  return it == table.end() ? nullptr : &*it;
}

void ListCheckColumns::Replace(IPageHost& pages, std::initializer_list<Column> columns) {
  pages.ListDeleteAllItems(page::kListCheck, kList);
  for (; count_ > 0; --count_) pages.ListDeleteColumn(page::kListCheck, kList, 0);
  for (const Column& column : columns)
    pages.ListInsertColumn(page::kListCheck, kList, count_++, column.heading, column.width, ColumnAlign::kLeft);
}

std::string DescriptionText(const TweakEntry& row) { return row.title + ":\n" + row.description; }

void ShowOverview(const Overview& overview, IPageHost& pages, const TweakTable& table, ChangeHistory& history,
                  ListCheckColumns& columns) {
  pages.ShowPage(page::kListCheck, true);
  pages.ShowControl(page::kListCheck, kList, true);
  pages.SetText(page::kListCheck, kDescription, DescriptionText(table[static_cast<std::size_t>(overview.tweakId)]));
  columns.Replace(pages, {{"Name", overview.nameWidth}, {"Data Modified", overview.dateWidth}});
  int index = 0;
  for (int id : overview.rows) {
    // Dates are looked up by the table's current titles, the titles the
    // history file was written with, so a language file's titles still match.
    const std::string& title = table[static_cast<std::size_t>(id)].title;
    pages.ListInsertItem(page::kListCheck, kList, index, id == kTooltipsRow ? kTooltipsRowText : title);
    pages.ListSetItemText(page::kListCheck, kList, index, 1, history.LookupModifiedDate(title));
    ++index;
  }
}

}  // namespace corvandel
