// The colour combo box (CColorCombo) as the page seam sees it: each item's
// text is a colour name and its item data the colour.
#pragma once

#include "pages/page_host.h"
#include "services/colors.h"

namespace corvandel {

// Refills the combo with the table, in table order; leaves nothing selected.
// A combo that holds the table already keeps its items.
void FillColors(IPageHost& pages, int pageId, int comboId);
// The selected item's colour, or 0 (black) when nothing is selected.
ColorRef GetSelectedColor(const IPageHost& pages, int pageId, int comboId);
// Selects the first item of that colour; no match leaves the selection alone.
void SelectColor(IPageHost& pages, int pageId, int comboId, ColorRef color);

}  // namespace corvandel
