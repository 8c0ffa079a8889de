#include "pages/list_view_model.h"

namespace corvandel {

int ListViewModel::InsertColumn(int column, const std::string& heading, int width) {
  // A column past the end is appended; the ones at and after it move right.
  if (column < 0) return -1;
  if (column > ColumnCount()) column = ColumnCount();
  columns_.insert(columns_.begin() + column, Column{heading, width});
  return column;
}

bool ListViewModel::DeleteColumn(int column) {
  // Deleting column 0 makes column 1 the new column 0.
  if (!IsColumn(column)) return false;
  columns_.erase(columns_.begin() + column);
  return true;
}

std::string ListViewModel::ColumnHeading(int column) const {
  return IsColumn(column) ? columns_[column].heading : std::string();
}

int ListViewModel::ColumnWidth(int column) const {
  return IsColumn(column) ? columns_[column].width : 0;  // LVM_GETCOLUMNWIDTH: 0 when there is none
}

int ListViewModel::InsertItem(int row, const std::string& text) {
  // A row past the end is appended; rows at and after it move down.
  if (row < 0) return -1;
  if (row > ItemCount()) row = ItemCount();
  rows_.insert(rows_.begin() + row, Row{{text}});
  return row;
}

bool ListViewModel::SetItemText(int row, int column, const std::string& text) {
  // The item text (column 0) always exists; a sub-item needs its column.
  if (!IsRow(row) || column < 0 || (column > 0 && !IsColumn(column))) return false;
  std::vector<std::string>& texts = rows_[row].texts;
  if (static_cast<int>(texts.size()) <= column) texts.resize(column + 1);
  texts[column] = text;
  return true;
}

std::string ListViewModel::ItemText(int row, int column) const {
  if (!IsRow(row) || column < 0) return {};
  const std::vector<std::string>& texts = rows_[row].texts;
  return column < static_cast<int>(texts.size()) ? texts[column] : std::string();
}

void ListViewModel::SetCheck(int row, bool checked) {
  if (IsRow(row)) rows_[row].checked = checked;
}

bool ListViewModel::Check(int row) const { return IsRow(row) && rows_[row].checked; }

void ListViewModel::SelectRow(int row) {
  // Single selection: selecting a row deselects every other one; -1 or a row
  // outside the list leaves none selected.
  for (Row& each : rows_) each.selected = false;
  if (IsRow(row)) rows_[row].selected = true;
}

int ListViewModel::SelectedRow() const {
  for (int row = 0; row < ItemCount(); ++row) {
    if (rows_[row].selected) return row;
  }
  return -1;
}

}  // namespace corvandel
