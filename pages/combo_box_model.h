// One combo box in memory, with the rules of the Win32 combo box messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvandel {

class ComboBoxModel {
 public:
  // sorted: CBS_SORT; hasEdit: drop-down (edit field) rather than drop-down list.
  ComboBoxModel(bool sorted, bool hasEdit) : sorted_(sorted), hasEdit_(hasEdit) {}

  void Reset();
  int AddString(const std::string& text);
  int SetItemData(int index, std::uintptr_t data);
  std::uintptr_t ItemData(int index) const;
  int Count() const { return static_cast<int>(items_.size()); }
  int SetCurSel(int index);
  int CurSel() const { return curSel_; }
  int FindString(int startAfter, const std::string& text) const;
  int FindStringExact(int startAfter, const std::string& text) const;
  int SelectString(int startAfter, const std::string& text);
  std::string ItemText(int index) const;

  // WM_GETTEXT / WM_SETTEXT on the combo box.
  std::string Text() const;
  void SetText(const std::string& text);

 private:
  struct Item {
    std::string text;
    std::uintptr_t data = 0;
  };

  bool IsIndex(int index) const { return index >= 0 && index < Count(); }
  int Find(int startAfter, const std::string& text, bool exact) const;

  bool sorted_;
  bool hasEdit_;
  std::vector<Item> items_;
  int curSel_ = -1;
  std::string editText_;
};

}  // namespace corvandel
