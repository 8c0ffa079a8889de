// CColorCombo: CComboCheckPage's colour picker (combo box 1055), a sorted,
// owner-drawn drop-down list whose items are colour names with the colour as
// item data. Filling and selecting go through the page seam (FillColors,
// SelectColor in services/colors.h); this class draws the items.
#pragma once

#include <windows.h>

namespace corvandel {

class CColorCombo {
 public:
  CColorCombo() = default;
  ~CColorCombo();
  CColorCombo(const CColorCombo&) = delete;
  CColorCombo& operator=(const CColorCombo&) = delete;

  // Binds the class to the combo box window of the page's template.
  void Attach(HWND combo);
  HWND window() const { return combo_; }

  void DisableCombo() { EnableWindow(combo_, FALSE); }
  void EnableCombo() { EnableWindow(combo_, TRUE); }

  // WM_DRAWITEM: a swatch in the left quarter, the name beside it.
  void DrawItem(const DRAWITEMSTRUCT& item) const;
  // WM_MEASUREITEM, sent before the page is initialised: the item height for
  // the page's font, with room for the swatch's margins.
  static void MeasureItem(HWND page, MEASUREITEMSTRUCT& item);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);

  HWND combo_ = nullptr;
};

}  // namespace corvandel
