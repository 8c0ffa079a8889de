// Small stand-ins for the profile and page seams, enough for the services'
// tests: a map-backed INI reader and a page host that knows check boxes,
// edits and combo boxes. Any other page call fails the test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "pages/page_host.h"
#include "services/profile.h"

namespace corvandel {

// GetPrivateProfileStringA over entries set by the test: a missing file,
// section or key gives the default; the result is cut to bufferSize - 1.
class MapProfile : public IProfile {
 public:
  void Set(const std::string& file, const std::string& section, const std::string& key, const std::string& value) {
    entries_[{file, section, key}] = value;
  }

  std::string GetString(const std::string& section, const std::string& key, const std::string& defaultText,
                        std::size_t bufferSize, const std::string& file) override {
    auto it = entries_.find({file, section, key});
    const std::string& value = it == entries_.end() ? defaultText : it->second;
    return value.substr(0, bufferSize == 0 ? 0 : bufferSize - 1);
  }

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> entries_;
};

// Check boxes, edit texts and combo boxes of any page. Combo boxes behave as
// the sorted colour combo does: an added string goes before the first item
// that compares greater ignoring case, and adding fails with CB_ERRSPACE once
// comboCapacity items are held.
class ControlsPageHost : public IPageHost {
 public:
  static constexpr int kErr = -1;       // CB_ERR
  static constexpr int kErrSpace = -2;  // CB_ERRSPACE

  int comboCapacity = 1000;

  void ShowPage(int, bool) override { Unused(); }
  bool IsPageVisible(int) const override { return Unused(); }
  void ShowControl(int, int, bool) override { Unused(); }
  bool IsControlVisible(int, int) const override { return Unused(); }
  void EnableControl(int, int, bool) override { Unused(); }
  bool IsControlEnabled(int, int) const override { return Unused(); }

  void SetText(int pageId, int controlId, const std::string& text) override { texts_[{pageId, controlId}] = text; }
  std::string GetText(int pageId, int controlId) const override {
    auto it = texts_.find({pageId, controlId});
    return it == texts_.end() ? std::string() : it->second;
  }
  void SetCheck(int pageId, int controlId, int state) override { checks_[{pageId, controlId}] = state; }
  int GetCheck(int pageId, int controlId) const override {
    auto it = checks_.find({pageId, controlId});
    return it == checks_.end() ? 0 : it->second;
  }

  void ComboReset(int pageId, int controlId) override { combos_[{pageId, controlId}] = {}; }
  int ComboAddString(int pageId, int controlId, const std::string& text) override {
    Combo& combo = combos_[{pageId, controlId}];
    if (static_cast<int>(combo.items.size()) >= comboCapacity) return kErrSpace;
    auto at = std::find_if(combo.items.begin(), combo.items.end(),
                           [&](const Item& item) { return LessIgnoringCase(text, item.text); });
    const auto added = combo.items.insert(at, {text, 0});
    return static_cast<int>(added - combo.items.begin());
  }
  int ComboSetItemData(int pageId, int controlId, int index, std::uintptr_t data) override {
    Combo& combo = combos_[{pageId, controlId}];
    if (!InRange(combo, index)) return kErr;
    combo.items[index].data = data;
    return 0;
  }
  std::uintptr_t ComboGetItemData(int pageId, int controlId, int index) const override {
    const Combo& combo = ComboAt(pageId, controlId);
    return InRange(combo, index) ? combo.items[index].data : static_cast<std::uintptr_t>(kErr);
  }
  int ComboCount(int pageId, int controlId) const override {
    return static_cast<int>(ComboAt(pageId, controlId).items.size());
  }
  int ComboSetCurSel(int pageId, int controlId, int index) override {
    Combo& combo = combos_[{pageId, controlId}];
    combo.selected = InRange(combo, index) ? index : kErr;
    return combo.selected;
  }
  int ComboGetCurSel(int pageId, int controlId) const override { return ComboAt(pageId, controlId).selected; }
  int ComboFindString(int, int, int, const std::string&) const override { return Unused(); }
  int ComboFindStringExact(int, int, int, const std::string&) const override { return Unused(); }
  int ComboSelectString(int, int, int, const std::string&) override { return Unused(); }
  std::string ComboItemText(int pageId, int controlId, int index) const override {
    const Combo& combo = ComboAt(pageId, controlId);
    return InRange(combo, index) ? combo.items[index].text : std::string();
  }

  void ListDeleteAllItems(int, int) override { Unused(); }
  int ListInsertColumn(int, int, int, const std::string&, int, ColumnAlign) override { return Unused(); }
  bool ListDeleteColumn(int, int, int) override { return Unused(); }
  int ListColumnCount(int, int) const override { return Unused(); }
  std::string ListColumnHeading(int, int, int) const override { return std::to_string(Unused()); }
  int ListColumnWidth(int, int, int) const override { return Unused(); }
  int ListInsertItem(int, int, int, const std::string&) override { return Unused(); }
  bool ListSetItemText(int, int, int, int, const std::string&) override { return Unused(); }
  std::string ListItemText(int, int, int, int) const override { return std::to_string(Unused()); }
  int ListItemCount(int, int) const override { return Unused(); }
  void ListSetCheck(int, int, int, bool) override { Unused(); }
  bool ListGetCheck(int, int, int) const override { return Unused(); }
  void ListSelectRow(int, int, int) override { Unused(); }
  int ListSelectedRow(int, int) const override { return Unused(); }

 private:
  struct Item {
    std::string text;
    std::uintptr_t data;
  };
  struct Combo {
    std::vector<Item> items;
    int selected = kErr;
  };
  using ControlKey = std::pair<int, int>;

  static int Unused() {
    ADD_FAILURE() << "page call outside the services' needs";
    return 0;
  }
  static bool InRange(const Combo& combo, int index) {
    return index >= 0 && index < static_cast<int>(combo.items.size());
  }
  static bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
  }
  const Combo& ComboAt(int pageId, int controlId) const {
    static const Combo kEmpty;
    auto it = combos_.find({pageId, controlId});
    return it == combos_.end() ? kEmpty : it->second;
  }

  std::map<ControlKey, std::string> texts_;
  std::map<ControlKey, int> checks_;
  std::map<ControlKey, Combo> combos_;
};

}  // namespace corvandel
