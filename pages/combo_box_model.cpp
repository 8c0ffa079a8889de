#include "pages/combo_box_model.h"

#include <algorithm>

#include "pages/page_host.h"
#include "services/ansi_text.h"

namespace corvandel {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

bool Matches(const std::string& item, const std::string& text, bool exact) {
  if (exact ? item.size() != text.size() : item.size() < text.size()) return false;
  return EqualsIgnoringCase(std::string_view(item).substr(0, text.size()), text);
}

}  // namespace

void ComboBoxModel::Reset() {
  // CB_RESETCONTENT empties the list and the edit field; nothing is selected.
  items_.clear();
  curSel_ = -1;
  editText_.clear();
}

int ComboBoxModel::AddString(const std::string& text) {
  // A sorted combo inserts before the first item that is not less (ignoring
  // case); any other appends. The selection stays on its item.
  auto at = items_.end();
  if (sorted_) {
    at = std::lower_bound(items_.begin(), items_.end(), text,
                          [](const Item& item, const std::string& t) { return LessNoCase(item.text, t); });
  }
  const int index = static_cast<int>(at - items_.begin());
  items_.insert(at, Item{text});  // item data starts at 0
  if (curSel_ >= index) ++curSel_;
  return index;
}

int ComboBoxModel::SetItemData(int index, std::uintptr_t data) {
  if (!IsIndex(index)) return kComboError;
  items_[index].data = data;
  return 0;  // anything but CB_ERR means done
}

std::uintptr_t ComboBoxModel::ItemData(int index) const {
  // CB_GETITEMDATA answers CB_ERR (all bits set) for an index outside the list.
  return IsIndex(index) ? items_[index].data : static_cast<std::uintptr_t>(kComboError);
}

int ComboBoxModel::SetCurSel(int index) {
  // An index outside the list (or -1) clears the selection and the edit
  // field, and answers CB_ERR; otherwise the edit field shows the item.
  if (!IsIndex(index)) {
    curSel_ = -1;
    editText_.clear();
    return kComboError;
  }
  curSel_ = index;
  editText_ = items_[index].text;
  return index;
}

int ComboBoxModel::Find(int startAfter, const std::string& text, bool exact) const {
  // The search starts after startAfter and wraps around; -1 (or any index
  // outside the list) searches from the first item. An empty text finds
  // nothing.
  if (text.empty()) return kComboError;
  const int count = Count();
  const int first = IsIndex(startAfter) ? startAfter + 1 : 0;
  for (int step = 0; step < count; ++step) {
    const int index = (first + step) % count;
    if (Matches(items_[index].text, text, exact)) return index;
  }
  return kComboError;
}

int ComboBoxModel::FindString(int startAfter, const std::string& text) const {
  // CB_FINDSTRING: the first item that begins with the text, ignoring case.
  return Find(startAfter, text, false);
}

int ComboBoxModel::FindStringExact(int startAfter, const std::string& text) const {
  // CB_FINDSTRINGEXACT: the whole item text, ignoring case.
  return Find(startAfter, text, true);
}

int ComboBoxModel::SelectString(int startAfter, const std::string& text) {
  // CB_SELECTSTRING selects what CB_FINDSTRING finds; without a match the
  // selection and the edit field stay as they are.
  const int index = FindString(startAfter, text);
  return index == kComboError ? kComboError : SetCurSel(index);
}

std::string ComboBoxModel::ItemText(int index) const {
  return IsIndex(index) ? items_[index].text : std::string();  // CB_GETLBTEXT fails: no text
}

std::string ComboBoxModel::Text() const {
  // A drop-down list has no edit field: its text is the selected item's.
  if (hasEdit_) return editText_;
  return IsIndex(curSel_) ? items_[curSel_].text : std::string();
}

void ComboBoxModel::SetText(const std::string& text) {
  // Only the edit field takes text, and setting it leaves the selection as
  // it is; a drop-down list refuses WM_SETTEXT.
  if (hasEdit_) editText_ = text;
}

}  // namespace corvandel
