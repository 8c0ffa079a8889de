#include "pages/page_host_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "services/window_text_win32.h"

namespace corvandel {
namespace {

constexpr std::size_t kTextBuffer = 1024;  // list texts and column headings

LPARAM TextParam(const std::string& text) { return reinterpret_cast<LPARAM>(text.c_str()); }

bool HasStyle(HWND window, DWORD style) {
  return window != nullptr && (GetWindowLongPtrA(window, GWL_STYLE) & style) != 0;
}

int ColumnFormat(ColumnAlign align) {
  switch (align) {
    case ColumnAlign::kRight: return LVCFMT_RIGHT;
    case ColumnAlign::kCenter: return LVCFMT_CENTER;
    case ColumnAlign::kLeft: break;
  }
  return LVCFMT_LEFT;
}

}  // namespace

HWND Win32PageHost::PageWindow(int pageId) const {
  auto page = pages_.find(pageId);
  if (page != pages_.end()) return page->second;
  if (!create_ || pageId == page::kMainWindow || !asked_.insert(pageId).second) return nullptr;
  create_(pageId);  // adds the page while it is made
  page = pages_.find(pageId);
  return page == pages_.end() ? nullptr : page->second;
}

void Win32PageHost::FillOnFirstUse(int pageId, int controlId, std::function<void()> fill) {
  waitingFills_.push_back({pageId, controlId, std::move(fill)});
}

bool Win32PageHost::RunNextFills() {
  if (waitingFills_.empty()) return false;
  RunFills(waitingFills_.front().pageId, kAnyControl);
  return true;
}

void Win32PageHost::RunFills(int pageId, int controlId) const {
  PageWindow(pageId);  // a page made now registers its fills as it is made
  if (waitingFills_.empty()) return;
  for (std::size_t i = 0; i < waitingFills_.size();) {
    const WaitingFill& waiting = waitingFills_[i];
    if (waiting.pageId != pageId || (controlId != kAnyControl && waiting.controlId != controlId)) {
      ++i;
      continue;
    }
    const std::function<void()> fill = std::move(waitingFills_[i].fill);
    waitingFills_.erase(waitingFills_.begin() + static_cast<std::ptrdiff_t>(i));
    fill();
  }
}

HWND Win32PageHost::Control(int pageId, int controlId) const {
  // GetDlgItem lists the page's children through the wineserver under Wine,
  // and a selection asks for every control of every page made: each
  // control's window is looked up once and kept while it lives.
  const auto known = controls_.find({pageId, controlId});
  if (known != controls_.end() && IsWindow(known->second)) return known->second;
  if (FindControl(pageId, controlId) == nullptr) return nullptr;
  HWND parent = pageId == page::kMainWindow ? main_ : PageWindow(pageId);
  HWND control = parent == nullptr ? nullptr : GetDlgItem(parent, controlId);
  if (control != nullptr) controls_[{pageId, controlId}] = control;
  return control;
}

HWND Win32PageHost::Control(int pageId, int controlId, ControlKind kind) const {
  const ControlTemplate* control = FindControl(pageId, controlId);
  return control != nullptr && control->kind == kind ? Control(pageId, controlId) : nullptr;
}

// Pages and controls.

void Win32PageHost::HoldVisibility() { ++holds_; }

void Win32PageHost::HoldItems(int pageId, int controlId, ControlKind kind) {
  RunFills(pageId, controlId);
  if (holds_ == 0) return;
  HWND control = Control(pageId, controlId, kind);
  if (control != nullptr && heldItems_.insert(control).second) SendMessageA(control, WM_SETREDRAW, FALSE, 0);
}

void Win32PageHost::ReleaseVisibility() {
  if (holds_ == 0 || --holds_ > 0) return;
  std::map<HWND, bool> held;
  held.swap(heldVisibility_);
  std::set<HWND> items;
  items.swap(heldItems_);
  for (HWND control : items) SendMessageA(control, WM_SETREDRAW, TRUE, 0);
  // Pages go first when hidden and last when shown, so that a page's
  // controls change while it is off screen.
  const auto isPage = [&](HWND window) {
    return std::any_of(pages_.begin(), pages_.end(), [&](const auto& page) { return page.second == window; });
  };
  std::vector<HWND> pagesShown;
  for (const auto& [window, show] : held) {
    if (!isPage(window) || HasStyle(window, WS_VISIBLE) == show) continue;
    if (show) pagesShown.push_back(window);
    else ShowWindow(window, SW_HIDE);
  }
  for (const auto& [window, show] : held)
    if (!isPage(window) && HasStyle(window, WS_VISIBLE) != show) ShowWindow(window, show ? SW_SHOW : SW_HIDE);
  for (HWND page : pagesShown) ShowWindow(page, SW_SHOW);
}

void Win32PageHost::SetVisible(HWND window, bool show) {
  if (holds_ > 0) heldVisibility_[window] = show;
  else ShowWindow(window, show ? SW_SHOW : SW_HIDE);
}

bool Win32PageHost::IsVisible(HWND window) const {
  const auto held = heldVisibility_.find(window);
  return held != heldVisibility_.end() ? held->second : HasStyle(window, WS_VISIBLE);
}

void Win32PageHost::ShowPage(int pageId, bool show) {
  if (!show && !IsPageCreated(pageId)) return;  // made hidden when it is made
  if (show) RunFills(pageId, kAnyControl);
  if (HWND page = PageWindow(pageId)) SetVisible(page, show);
}

bool Win32PageHost::IsPageVisible(int pageId) const {
  return IsPageCreated(pageId) && IsVisible(PageWindow(pageId));
}

void Win32PageHost::ShowControl(int pageId, int controlId, bool show) {
  if (HWND control = Control(pageId, controlId)) SetVisible(control, show);
}

bool Win32PageHost::IsControlVisible(int pageId, int controlId) const {
  // The control's own style: a shown control on a hidden page counts.
  HWND control = Control(pageId, controlId);
  return control != nullptr && IsVisible(control);
}

void Win32PageHost::EnableControl(int pageId, int controlId, bool enable) {
  if (HWND control = Control(pageId, controlId)) EnableWindow(control, enable);
}

bool Win32PageHost::IsControlEnabled(int pageId, int controlId) const {
  HWND control = Control(pageId, controlId);
  return control != nullptr && IsWindowEnabled(control);
}

void Win32PageHost::SetText(int pageId, int controlId, const std::string& text) {
  RunFills(pageId, controlId);
  // Setting a text goes to the wineserver and repaints the control; a load
  // sets many a text the control already shows (a page's note, a caption).
  HWND control = Control(pageId, controlId);
  if (control != nullptr && WindowText(control) != text) SetWindowTextA(control, text.c_str());
}

std::string Win32PageHost::GetText(int pageId, int controlId) const {
  RunFills(pageId, controlId);
  HWND control = Control(pageId, controlId);
  return control == nullptr ? std::string() : WindowText(control);
}

void Win32PageHost::SetPasswordMask(int pageId, int controlId, bool masked) {
  HWND edit = Control(pageId, controlId, ControlKind::kEdit);
  // Every selection unmasks the edit again: redrawn only when it changes.
  if (edit == nullptr || (SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0) != 0) == masked) return;
  SendMessageA(edit, EM_SETPASSWORDCHAR, masked ? '*' : 0, 0);
  InvalidateRect(edit, nullptr, TRUE);
}

bool Win32PageHost::IsPasswordMasked(int pageId, int controlId) const {
  HWND edit = Control(pageId, controlId, ControlKind::kEdit);
  return edit != nullptr && SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0) != 0;
}

// Check boxes.

void Win32PageHost::SetCheck(int pageId, int controlId, int state) {
  if (HWND box = Control(pageId, controlId, ControlKind::kCheckBox))
    SendMessageA(box, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

int Win32PageHost::GetCheck(int pageId, int controlId) const {
  HWND box = Control(pageId, controlId, ControlKind::kCheckBox);
  return box == nullptr ? 0 : static_cast<int>(SendMessageA(box, BM_GETCHECK, 0, 0));
}

// Combo boxes.

LRESULT Win32PageHost::ComboCall(int pageId, int controlId, UINT message, WPARAM wParam, LPARAM lParam) const {
  RunFills(pageId, controlId);
  HWND combo = Control(pageId, controlId, ControlKind::kComboBox);
  return combo == nullptr ? CB_ERR : SendMessageA(combo, message, wParam, lParam);
}

void Win32PageHost::ComboReset(int pageId, int controlId) {
  HoldItems(pageId, controlId, ControlKind::kComboBox);
  ComboCall(pageId, controlId, CB_RESETCONTENT, 0, 0);
}

int Win32PageHost::ComboAddString(int pageId, int controlId, const std::string& text) {
  HoldItems(pageId, controlId, ControlKind::kComboBox);
  return static_cast<int>(ComboCall(pageId, controlId, CB_ADDSTRING, 0, TextParam(text)));
}

int Win32PageHost::ComboSetItemData(int pageId, int controlId, int index, std::uintptr_t data) {
  return static_cast<int>(ComboCall(pageId, controlId, CB_SETITEMDATA, static_cast<WPARAM>(index),
                                    static_cast<LPARAM>(data)));
}

std::uintptr_t Win32PageHost::ComboGetItemData(int pageId, int controlId, int index) const {
  return static_cast<std::uintptr_t>(ComboCall(pageId, controlId, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

int Win32PageHost::ComboCount(int pageId, int controlId) const {
  const LRESULT count = ComboCall(pageId, controlId, CB_GETCOUNT, 0, 0);
  return count == CB_ERR ? 0 : static_cast<int>(count);
}

int Win32PageHost::ComboSetCurSel(int pageId, int controlId, int index) {
  // Windows clears the selection for any index outside the list; Wine does
  // so only for -1 and keeps the old selection otherwise, so such an index is
  // sent as -1.
  if (index < 0 || index >= ComboCount(pageId, controlId)) index = -1;
  const LRESULT result = ComboCall(pageId, controlId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return index < 0 ? kComboError : static_cast<int>(result);
}

int Win32PageHost::ComboGetCurSel(int pageId, int controlId) const {
  return static_cast<int>(ComboCall(pageId, controlId, CB_GETCURSEL, 0, 0));
}

int Win32PageHost::ComboFindString(int pageId, int controlId, int startAfter, const std::string& text) const {
  return static_cast<int>(
      ComboCall(pageId, controlId, CB_FINDSTRING, static_cast<WPARAM>(startAfter), TextParam(text)));
}

int Win32PageHost::ComboFindStringExact(int pageId, int controlId, int startAfter, const std::string& text) const {
  return static_cast<int>(
      ComboCall(pageId, controlId, CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), TextParam(text)));
}

int Win32PageHost::ComboSelectString(int pageId, int controlId, int startAfter, const std::string& text) {
  return static_cast<int>(
      ComboCall(pageId, controlId, CB_SELECTSTRING, static_cast<WPARAM>(startAfter), TextParam(text)));
}

std::string Win32PageHost::ComboItemText(int pageId, int controlId, int index) const {
  const LRESULT length = ComboCall(pageId, controlId, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = ComboCall(pageId, controlId, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

// List views.

bool Win32PageHost::IsRow(HWND list, int row) {
  return row >= 0 && row < static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

void Win32PageHost::ListDeleteAllItems(int pageId, int controlId) {
  HoldItems(pageId, controlId, ControlKind::kListView);
  if (HWND list = Control(pageId, controlId, ControlKind::kListView)) SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
}

int Win32PageHost::ListInsertColumn(int pageId, int controlId, int column, const std::string& heading, int width,
                                    ColumnAlign align) {
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  if (list == nullptr) return -1;
  LVCOLUMNA info{};
  info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  info.fmt = ColumnFormat(align);
  info.cx = width;
  info.pszText = const_cast<char*>(heading.c_str());
  info.iSubItem = column;
  return static_cast<int>(SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                                       reinterpret_cast<LPARAM>(&info)));
}

bool Win32PageHost::ListDeleteColumn(int pageId, int controlId, int column) {
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  return list != nullptr && SendMessageA(list, LVM_DELETECOLUMN, static_cast<WPARAM>(column), 0) != 0;
}

int Win32PageHost::ListColumnCount(int pageId, int controlId) const {
  // Counted through LVM_GETCOLUMN: a list in list view mode has no header to ask.
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  if (list == nullptr) return 0;
  int count = 0;
  for (;; ++count) {
    LVCOLUMNA info{};
    info.mask = LVCF_WIDTH;
    if (!SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&info))) break;
  }
  return count;
}

std::string Win32PageHost::ListColumnHeading(int pageId, int controlId, int column) const {
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  if (list == nullptr) return {};
  std::vector<char> buffer(kTextBuffer, '\0');
  LVCOLUMNA info{};
  info.mask = LVCF_TEXT;
  info.pszText = buffer.data();
  info.cchTextMax = static_cast<int>(buffer.size());
  if (!SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info))) return {};
  return info.pszText;
}

int Win32PageHost::ListColumnWidth(int pageId, int controlId, int column) const {
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  if (list == nullptr) return 0;
  return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

int Win32PageHost::ListInsertItem(int pageId, int controlId, int row, const std::string& text) {
  HoldItems(pageId, controlId, ControlKind::kListView);
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  if (list == nullptr) return -1;
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<char*>(text.c_str());
  return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool Win32PageHost::ListSetItemText(int pageId, int controlId, int row, int column, const std::string& text) {
  HoldItems(pageId, controlId, ControlKind::kListView);
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  if (list == nullptr) return false;
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  return SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string Win32PageHost::ListItemText(int pageId, int controlId, int row, int column) const {
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  if (list == nullptr || !IsRow(list, row)) return {};
  std::vector<char> buffer(kTextBuffer, '\0');
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  const LRESULT length =
      SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return std::string(item.pszText, static_cast<std::size_t>(length));
}

int Win32PageHost::ListItemCount(int pageId, int controlId) const {
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  return list == nullptr ? 0 : static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

void Win32PageHost::ListSetCheck(int pageId, int controlId, int row, bool checked) {
  // Row -1 would mean every row to the list view; the seam ignores it.
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  if (list == nullptr || !IsRow(list, row)) return;
  LVITEMA item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool Win32PageHost::ListGetCheck(int pageId, int controlId, int row) const {
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  if (list == nullptr || !IsRow(list, row)) return false;
  const LRESULT state = SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void Win32PageHost::ListSelectRow(int pageId, int controlId, int row) {
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  if (list == nullptr) return;
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = 0;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (!IsRow(list, row)) return;
  item.state = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int Win32PageHost::ListSelectedRow(int pageId, int controlId) const {
  HWND list = Control(pageId, controlId, ControlKind::kListView);
  if (list == nullptr) return -1;
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace corvandel
