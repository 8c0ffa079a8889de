#include "pages/color_combo.h"

#include <algorithm>
#include <string>

namespace corvandel {

namespace {

// CB_ERR and CB_ERRSPACE are both negative.
constexpr bool ComboFailed(int result) { return result < 0; }

// Whether item index of the combo is a colour of the table, name and colour.
bool HoldsTableColor(const IPageHost& pages, int pageId, int comboId, int index) {
  const std::string name = pages.ComboItemText(pageId, comboId, index);
  const auto table = ColorTable();
  const auto entry = std::find_if(table.begin(), table.end(),
                                  [&](const ColorEntry& color) { return name == color.name; });
  return entry != table.end() && pages.ComboGetItemData(pageId, comboId, index) == entry->color;
}

}  // namespace

void FillColors(IPageHost& pages, int pageId, int comboId) {
  // A colour combo holds nothing but the table once filled: filled again
  // (every colour tweak's load does), it keeps its items.
  constexpr int kCount = static_cast<int>(kColorCount);
  if (pages.ComboCount(pageId, comboId) == kCount && HoldsTableColor(pages, pageId, comboId, 0) &&
      HoldsTableColor(pages, pageId, comboId, kCount - 1)) {
    pages.ComboSetCurSel(pageId, comboId, -1);
    return;
  }
  pages.ComboReset(pageId, comboId);
  for (const ColorEntry& entry : ColorTable()) {
    // The combo sorts its items: the data goes to the index the add returns.
    const int index = pages.ComboAddString(pageId, comboId, entry.name);
    if (ComboFailed(index)) return;
    pages.ComboSetItemData(pageId, comboId, index, entry.color);
  }
}

ColorRef GetSelectedColor(const IPageHost& pages, int pageId, int comboId) {
  const int selected = pages.ComboGetCurSel(pageId, comboId);
  if (selected < 0) return 0;
  return static_cast<ColorRef>(pages.ComboGetItemData(pageId, comboId, selected));
}

void SelectColor(IPageHost& pages, int pageId, int comboId, ColorRef color) {
  const int count = pages.ComboCount(pageId, comboId);
  for (int i = 0; i < count; ++i) {
    if (pages.ComboGetItemData(pageId, comboId, i) == color) {
      pages.ComboSetCurSel(pageId, comboId, i);
      return;
    }
  }
}

}  // namespace corvandel
