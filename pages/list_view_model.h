// One single-selection list view in memory, with the rules of the Win32
// list view messages.
#pragma once

#include <string>
#include <vector>

namespace corvandel {

class ListViewModel {
 public:
  void DeleteAllItems() { rows_.clear(); }
  int InsertColumn(int column, const std::string& heading, int width);
  bool DeleteColumn(int column);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  std::string ColumnHeading(int column) const;
  int ColumnWidth(int column) const;

  int InsertItem(int row, const std::string& text);
  bool SetItemText(int row, int column, const std::string& text);
  std::string ItemText(int row, int column) const;
  int ItemCount() const { return static_cast<int>(rows_.size()); }
  void SetCheck(int row, bool checked);
  bool Check(int row) const;
  void SelectRow(int row);
  int SelectedRow() const;

 private:
  struct Column {
    std::string heading;
    int width;
  };
  // Check and selection are states of the row, so they move with it when
  // rows are inserted above, and neither affects the other.
  struct Row {
    std::vector<std::string> texts;  // by sub-item; missing ones are empty
    bool checked = false;
    bool selected = false;
  };

  bool IsRow(int row) const { return row >= 0 && row < ItemCount(); }
  bool IsColumn(int column) const { return column >= 0 && column < ColumnCount(); }

  // Column changes leave the rows' texts alone: the pages change columns only
  // after deleting all rows.
  std::vector<Column> columns_;
  std::vector<Row> rows_;
};

}  // namespace corvandel
