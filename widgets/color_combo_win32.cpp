#include "widgets/color_combo_win32.h"

#include <commctrl.h>

#include <string>

namespace corvandel {
namespace {

constexpr UINT_PTR kSubclassId = 1055;
constexpr int kMargin = 2;  // around the swatch and before the text
constexpr int kTabStop = 50;

class SolidBrush {
 public:
  explicit SolidBrush(COLORREF color) : brush_(CreateSolidBrush(color)) {}
  ~SolidBrush() { DeleteObject(brush_); }
  SolidBrush(const SolidBrush&) = delete;
  SolidBrush& operator=(const SolidBrush&) = delete;
  operator HBRUSH() const { return brush_; }

 private:
  HBRUSH brush_;
};

std::string ItemText(HWND combo, UINT index) {
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

}  // namespace

CColorCombo::~CColorCombo() {
  if (combo_ != nullptr) RemoveWindowSubclass(combo_, SubclassProc, kSubclassId);
}

void CColorCombo::Attach(HWND combo) {
  combo_ = combo;
  SetWindowSubclass(combo_, SubclassProc, kSubclassId, 0);
}

LRESULT CALLBACK CColorCombo::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR) {
  // A click gives the combo the focus first, so that the list opens on a
  // control that takes the keyboard too.
  if (message == WM_LBUTTONDOWN && GetFocus() != window) SetFocus(window);
  return DefSubclassProc(window, message, wParam, lParam);
}

void CColorCombo::MeasureItem(HWND page, MEASUREITEMSTRUCT& item) {
  HDC dc = GetDC(page);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(page, dc);
  item.itemHeight = static_cast<UINT>(metrics.tmHeight + 2 * kMargin);
}

void CColorCombo::DrawItem(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  const RECT& rect = item.rcItem;
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);

  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  COLORREF textColor = selected ? (~windowText & 0x00FFFFFF) : windowText;
  {
    SolidBrush background(selected ? highlight : window);
    FillRect(dc, &rect, background);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rect);

  const int quarter = (rect.right - rect.left) / 4;
  const int textX = rect.left + quarter + kMargin;
  const int textY = rect.top + kMargin;
  RECT swatch{rect.left + kMargin, rect.top + kMargin, quarter, rect.bottom - kMargin};
  if (item.itemID == static_cast<UINT>(-1)) return;  // the empty closed part

  const std::string text = ItemText(combo_, item.itemID);
  COLORREF swatchColor = static_cast<COLORREF>(item.itemData);
  if (item.itemState & ODS_DISABLED) {
    swatchColor = GetSysColor(COLOR_GRAYTEXT);
    textColor = swatchColor;
  }
  SetTextColor(dc, textColor);
  SetBkMode(dc, TRANSPARENT);
  int tabStop = kTabStop;
  TabbedTextOutA(dc, textX, textY, text.c_str(), static_cast<int>(text.size()), 1, &tabStop, 0);

  SolidBrush fill(swatchColor);
  FillRect(dc, &swatch, fill);
  FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace corvandel
