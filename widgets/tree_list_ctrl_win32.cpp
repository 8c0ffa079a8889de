#include "widgets/tree_list_ctrl_win32.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace corvandel {
namespace {

constexpr int kInnerTreeId = 1;

constexpr DWORD kHonouredStyles = TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS;
// The TreeView shows no scroll bar of its own. It sets and redraws its bars at
// every paint and every scroll, and under Wine each redraw waits on the X
// server several times: a third of a selection's time. The vertical bar is
// the control's own, beside the TreeView, and is set only when what it shows
// changes. No horizontal bar, as in the system's own navigation panes: a
// title wider than the tree ends at its edge (the splitter bar widens the
// tree, and the page repeats the title).
constexpr DWORD kFixedStyles = TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_NOSCROLL;

// What the vertical bar shows, in rows of the expanded tree: the first row
// in view, the rows in all and the rows that fit.
struct ScrollRows {
  int first = 0;
  int total = 0;
  int page = 0;
  bool operator==(const ScrollRows&) const = default;
  bool Overflows() const { return total > page; }
};

// Per-window state of a "TurboDLL.TreeListCtrl".
struct TreeListWindow {
  HWND window = nullptr;
  HWND tree = nullptr;
  HWND bar = nullptr;  // the vertical scroll bar, shown while the rows overflow
  WNDPROC treeProc = nullptr;  // the TreeView's own, under the one put in its place
  UINT selectMessage = 0;
  ScrollRows shown;  // what the bar was last set to
  int wheelRemainder = 0;  // wheel turns short of a whole row
  CTreeBackground background;
  CPixelBuffer canvas;  // the items are drawn here, then the picture laid under them
};

TreeListWindow* StateOf(HWND window) {
  return reinterpret_cast<TreeListWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HTREEITEM Handle(CTreeListItem* item) {
  if (item == kTreeListRoot) return TVI_ROOT;
  if (item == kTreeListLast) return TVI_LAST;
  return reinterpret_cast<HTREEITEM>(item);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

// The TreeView draws its items into a buffer on the transparent key; the
// picture's pixels replace the key's, and the whole is shown at once, so
// nothing flickers. Only the part to be painted is drawn.
void PaintOverBackground(HWND tree, TreeListWindow& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(tree, &paint);
  RECT client;
  GetClientRect(tree, &client);
  const SIZE size{client.right, client.bottom};
  RECT dirty;
  if (size.cx > 0 && size.cy > 0 && IntersectRect(&dirty, &paint.rcPaint, &client) && state.canvas.Fit(dc, size)) {
    HDC items = state.canvas.dc();
    const int saved = SaveDC(items);  // the TreeView leaves its font and colours behind
    IntersectClipRect(items, dirty.left, dirty.top, dirty.right, dirty.bottom);
    FillSolid(items, dirty, kTreeTransparentKey);
    CallWindowProcW(state.treeProc, tree, WM_PAINT, reinterpret_cast<WPARAM>(items), 0);
    RestoreDC(items, saved);
    GdiFlush();
    const CPixelBuffer* picture = state.background.Stretched(size);
    const DWORD key = PixelOf(kTreeTransparentKey);
    const DWORD ground = PixelOf(GetSysColor(COLOR_WINDOW));
    for (int y = dirty.top; y < dirty.bottom; ++y) {
      DWORD* row = state.canvas.Row(y);
      const DWORD* under = picture != nullptr ? picture->Row(y) : nullptr;
      for (int x = dirty.left; x < dirty.right; ++x)
        if ((row[x] & 0x00FFFFFF) == key) row[x] = under != nullptr ? under[x] : ground;
    }
    BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, items, dirty.left, dirty.top,
           SRCCOPY);
  }
  EndPaint(tree, &paint);
}

// Straight to the TreeView's own procedure: questions asked while handling
// one of its messages, which need not pass through the one below again.
LRESULT AskTree(const TreeListWindow& state, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return CallWindowProcW(state.treeProc, state.tree, message, wParam, lParam);
}

HTREEITEM NextItem(const TreeListWindow& state, UINT relation, HTREEITEM from = nullptr) {
  return reinterpret_cast<HTREEITEM>(AskTree(state, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
}

// The item's row counted from the first row in view (negative above it);
// false for an item inside a collapsed node.
bool RowInView(const TreeListWindow& state, HTREEITEM item, int& row) {
  const int height = static_cast<int>(AskTree(state, TVM_GETITEMHEIGHT));
  RECT rect{};
  std::memcpy(&rect, &item, sizeof(item));  // TVM_GETITEMRECT takes the item in the rectangle
  if (item == nullptr || height <= 0 || !AskTree(state, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&rect)))
    return false;
  row = rect.top / height;
  return true;
}

ScrollRows MeasureRows(const TreeListWindow& state) {
  ScrollRows rows;
  rows.page = static_cast<int>(AskTree(state, TVM_GETVISIBLECOUNT));
  int top = 0;
  int last = 0;
  if (RowInView(state, NextItem(state, TVGN_ROOT), top) && RowInView(state, NextItem(state, TVGN_LASTVISIBLE), last)) {
    rows.first = -top;
    rows.total = last - top + 1;
  }
  return rows;
}

// The tree takes the control's client area, less the bar while it shows.
void Layout(const TreeListWindow& state) {
  RECT client;
  GetClientRect(state.window, &client);
  const int barWidth = state.shown.Overflows() ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  MoveWindow(state.bar, client.right - barWidth, 0, barWidth, client.bottom, TRUE);
  ShowWindow(state.bar, barWidth > 0 ? SW_SHOWNA : SW_HIDE);
  MoveWindow(state.tree, 0, 0, client.right - barWidth, client.bottom, TRUE);
}

// Brings the bar up to date with the tree, touching it only on a change.
void SyncScrollBar(TreeListWindow& state) {
  const ScrollRows rows = MeasureRows(state);
  if (rows == state.shown) return;
  const bool relayout = rows.Overflows() != state.shown.Overflows();
  state.shown = rows;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = rows.total > 0 ? rows.total - 1 : 0;
  info.nPage = static_cast<UINT>(rows.page);
  info.nPos = rows.first;
  SetScrollInfo(state.bar, SB_CTL, &info, rows.Overflows() && !relayout);  // a bar shown anew paints itself
  if (relayout) Layout(state);
}

// Puts the given row (clamped to the rows there are) first in view; rows is
// what the tree holds now.
void ScrollToRow(const TreeListWindow& state, const ScrollRows& rows, int row) {
  row = std::max(0, std::min(row, rows.total - std::max(rows.page, 1)));
  HTREEITEM item = NextItem(state, TVGN_FIRSTVISIBLE);
  for (int at = rows.first; item != nullptr && at != row; at += row > at ? 1 : -1) {
    HTREEITEM next = NextItem(state, row > at ? TVGN_NEXTVISIBLE : TVGN_PREVIOUSVISIBLE, item);
    if (next == nullptr) break;
    item = next;
  }
  if (item == nullptr) return;
  const auto put = [&](UINT message, WPARAM wParam, HTREEITEM which) {
    SendMessageW(state.tree, message, wParam, reinterpret_cast<LPARAM>(which));
  };
  if (item != NextItem(state, TVGN_CARET)) {
    put(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, item);
    return;
  }
  // Asked to put the selected item first, the TreeView does nothing; asked
  // to show an item above the rows in view, it puts it first.
  if (row > rows.first) {
    if (HTREEITEM after = NextItem(state, TVGN_NEXTVISIBLE, item)) put(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, after);
  }
  put(TVM_ENSUREVISIBLE, 0, item);
}

// A scroll bar request (SB_*), from the bar, the keyboard or another program.
void Scroll(const TreeListWindow& state, int request, int thumb) {
  const ScrollRows rows = MeasureRows(state);
  const int page = std::max(rows.page, 1);
  switch (request) {
    case SB_LINEUP: ScrollToRow(state, rows, rows.first - 1); break;
    case SB_LINEDOWN: ScrollToRow(state, rows, rows.first + 1); break;
    case SB_PAGEUP: ScrollToRow(state, rows, rows.first - page); break;
    case SB_PAGEDOWN: ScrollToRow(state, rows, rows.first + page); break;
    case SB_TOP: ScrollToRow(state, rows, 0); break;
    case SB_BOTTOM: ScrollToRow(state, rows, rows.total); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollToRow(state, rows, thumb); break;
  }
}

// The wheel scrolls by the system's lines a notch (a page when so set);
// small turns add up.
void Wheel(TreeListWindow& state, int delta) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == 0) return;
  const ScrollRows now = MeasureRows(state);
  if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(std::max(now.page, 1));
  if ((delta < 0) != (state.wheelRemainder < 0)) state.wheelRemainder = 0;  // turned the other way
  state.wheelRemainder += delta;
  const int rows = state.wheelRemainder * static_cast<int>(lines) / WHEEL_DELTA;
  if (rows == 0) return;
  state.wheelRemainder -= rows * WHEEL_DELTA / static_cast<int>(lines);
  ScrollToRow(state, now, now.first - rows);
}

// The TreeView, without its own bar, does not scroll down to an item below
// the rows in view: the caret after a key or a click, or an item asked for.
void KeepInView(const TreeListWindow& state, HTREEITEM item) {
  int row = 0;
  const ScrollRows rows = MeasureRows(state);
  if (RowInView(state, item, row) && row >= rows.page && rows.page > 0)
    ScrollToRow(state, rows, rows.first + row - rows.page + 1);
}

// Control with Page Up, Page Down, Home, End, Up or Down scrolls the tree
// and leaves the caret where it is.
int ScrollKey(WPARAM key) {
  switch (key) {
    case VK_PRIOR: return SB_PAGEUP;
    case VK_NEXT: return SB_PAGEDOWN;
    case VK_HOME: return SB_TOP;
    case VK_END: return SB_BOTTOM;
    case VK_UP: return SB_LINEUP;
    case VK_DOWN: return SB_LINEDOWN;
  }
  return -1;
}

// The TreeView's window procedure is replaced rather than subclassed through
// the common controls: their subclass chain looks its data up in a window
// property at every message, which under Wine is a call to the server, and
// the tree takes a message per node at start-up. Unicode both ways, so that
// no message is converted on the way through.
LRESULT CALLBACK TreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<TreeListWindow*>(GetWindowLongPtrW(tree, GWLP_USERDATA));
  const WNDPROC treeProc = state->treeProc;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint below covers everything
    case WM_PAINT:
      if (wParam != 0) break;  // painting into a given DC: the TreeView's own
      SyncScrollBar(*state);
      PaintOverBackground(tree, *state);
      return 0;
    case WM_VSCROLL:
      Scroll(*state, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
      return 0;
    case WM_MOUSEWHEEL:
      if (GET_KEYSTATE_WPARAM(wParam) & (MK_SHIFT | MK_CONTROL)) break;
      Wheel(*state, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_KEYDOWN:
      if (GetKeyState(VK_CONTROL) >= 0 || ScrollKey(wParam) < 0) break;
      Scroll(*state, ScrollKey(wParam), 0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(treeProc));
      return CallWindowProcW(treeProc, tree, message, wParam, lParam);
  }
  const HTREEITEM first = NextItem(*state, TVGN_FIRSTVISIBLE);
  const HTREEITEM caret = NextItem(*state, TVGN_CARET);
  const LRESULT result = CallWindowProcW(treeProc, tree, message, wParam, lParam);
  if (message == TVM_ENSUREVISIBLE) KeepInView(*state, reinterpret_cast<HTREEITEM>(lParam));
  if (const HTREEITEM now = NextItem(*state, TVGN_CARET); now != caret) KeepInView(*state, now);
  if (NextItem(*state, TVGN_FIRSTVISIBLE) != first) {
    // Scrolling copies the painted picture along with the items; the
    // picture stays put, so a scroll repaints the whole tree.
    InvalidateRect(tree, nullptr, FALSE);
    SyncScrollBar(*state);
  }
  return result;
}

bool OnCreate(HWND window, TreeListWindow& state) {
  SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  RECT client;
  GetClientRect(window, &client);
  state.window = window;
  state.tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | kFixedStyles | kHonouredStyles,
                               0, 0, client.right, client.bottom, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInnerTreeId)), instance, nullptr);
  state.bar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_VERT, 0, 0, 0, 0, window, nullptr, instance, nullptr);
  if (state.tree == nullptr || state.bar == nullptr) return false;
  SendMessageA(state.tree, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(kTreeTransparentKey));
  SetWindowLongPtrW(state.tree, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  state.treeProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(state.tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TreeProc)));
  return true;
}

// The TreeView paints an unfocused selection in the button face colour,
// near-white like the picture under it: the inactive selection is painted in
// the inactive caption colours instead, which stand out from the picture.
LRESULT OnCustomDraw(HWND tree, NMTVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw.nmcd.uItemState & CDIS_SELECTED) && GetFocus() != tree) {
    draw.clrTextBk = GetSysColor(COLOR_INACTIVECAPTION);
    draw.clrText = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
  }
  return CDRF_DODEFAULT;
}

bool IsSelectionChange(const NMHDR& header) {
  return header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW;
}

LRESULT CALLBACK TreeListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TreeListWindow));
    // The frame goes round the tree and its bar together.
    SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | WS_BORDER);
  }
  TreeListWindow* state = StateOf(window);
  if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);

  // The standard TreeView messages belong to the inner TreeView.
  if (message >= TV_FIRST && message < TV_FIRST + 0x100) return SendMessageA(state->tree, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      return OnCreate(window, *state) ? 0 : -1;
    case WM_SIZE:
      Layout(*state);
      SyncScrollBar(*state);
      return 0;
    case WM_VSCROLL:  // from the bar
    case WM_MOUSEWHEEL:  // turned over the bar
      return SendMessageW(state->tree, message, wParam, 0);
    case WM_SETFONT:
    case WM_GETFONT:
      return SendMessageA(state->tree, message, wParam, lParam);
    case WM_SETFOCUS:
      SetFocus(state->tree);
      return 0;
    case WM_ENABLE:
      EnableWindow(state->tree, static_cast<BOOL>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the TreeView covers the whole control
    case WM_NOTIFYFORMAT:
      return NFR_ANSI;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.hwndFrom == state->tree && header.code == NM_CUSTOMDRAW)
        return OnCustomDraw(state->tree, *reinterpret_cast<NMTVCUSTOMDRAW*>(lParam));
      if (header.hwndFrom == state->tree && IsSelectionChange(header) && state->selectMessage != 0)
        SendMessageA(GetParent(window), state->selectMessage, 0, 0);
      return 0;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      delete state;
      return DefWindowProcA(window, message, wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterTreeListClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  if (GetClassInfoA(instance, kTreeListClassName, &windowClass)) return true;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = TreeListProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kTreeListClassName;
  return RegisterClassA(&windowClass) != 0;
}

// CPixelBuffer

bool CPixelBuffer::Fit(HDC like, SIZE size) {
  if (dc_ != nullptr && size.cx == size_.cx && size.cy == size_.cy) return true;
  Reset();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(like);
  if (bitmap_ == nullptr || dc_ == nullptr || bits == nullptr) {
    Reset();
    return false;
  }
  old_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<DWORD*>(bits);
  size_ = size;
  return true;
}

void CPixelBuffer::Reset() {
  if (dc_ != nullptr) {
    if (old_ != nullptr) SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  old_ = nullptr;
  bits_ = nullptr;
  size_ = {};
}

HBITMAP CPixelBuffer::Release() {
  if (dc_ != nullptr && old_ != nullptr) SelectObject(dc_, old_);
  old_ = nullptr;
  HBITMAP bitmap = std::exchange(bitmap_, nullptr);
  Reset();
  return bitmap;
}

// CTreeBackground

CTreeBackground::~CTreeBackground() { Attach(nullptr); }

void CTreeBackground::Attach(HBITMAP bitmap) {
  WaitForStretch();
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  bitmap_ = bitmap;
  stretched_.Reset();  // made again when next asked for
}

const CPixelBuffer* CTreeBackground::Stretched(SIZE size) const {
  WaitForStretch();
  if (bitmap_ == nullptr) return nullptr;
  const SIZE held = stretched_.size();
  if (held.cx != size.cx || held.cy != size.cy) Stretch(size);
  return stretched_.size().cx == size.cx && stretched_.size().cy == size.cy ? &stretched_ : nullptr;
}

void CTreeBackground::StretchAhead(SIZE size) {
  WaitForStretch();
  if (bitmap_ != nullptr && size.cx > 0 && size.cy > 0) stretching_ = std::thread([this, size] { Stretch(size); });
}

void CTreeBackground::Stretch(SIZE size) const {
  BITMAP info{};
  if (!GetObjectA(bitmap_, sizeof(info), &info) || !stretched_.Fit(nullptr, size)) {
    stretched_.Reset();
    return;
  }
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(source, bitmap_);
  SetStretchBltMode(stretched_.dc(), HALFTONE);
  SetBrushOrgEx(stretched_.dc(), 0, 0, nullptr);
  StretchBlt(stretched_.dc(), 0, 0, size.cx, size.cy, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  GdiFlush();
}

void CTreeBackground::WaitForStretch() const {
  if (stretching_.joinable()) stretching_.join();
}

// CTreeListCtrl

HWND CTreeListCtrl::treeView() const {
  const TreeListWindow* state = StateOf(window_);
  return state == nullptr ? nullptr : state->tree;
}

void CTreeListCtrl::SetStyle(unsigned long style) {
  HWND tree = treeView();
  const LONG_PTR current = GetWindowLongPtrA(tree, GWL_STYLE);
  SetWindowLongPtrA(tree, GWL_STYLE, (current & ~static_cast<LONG_PTR>(kHonouredStyles)) | (style & kHonouredStyles));
  InvalidateRect(tree, nullptr, FALSE);
}

void CTreeListCtrl::SetSelectMessage(UINT message) {
  if (TreeListWindow* state = StateOf(window_)) state->selectMessage = message;
}

void CTreeListCtrl::SetImageList(HIMAGELIST images) {
  Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

int CTreeListCtrl::InsertColumn(const char*, unsigned long, int, int, int, int) { return 0; }

void CTreeListCtrl::SetColumnModify(int, unsigned long) {}

void CTreeListCtrl::SetColumnWidth(int, int, int, int) {}

void CTreeListCtrl::DeleteAllItems() { Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }

CTreeListItem* CTreeListCtrl::InsertItem(const CTreeListNode& node, CTreeListItem* parent, CTreeListItem* insertAfter) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = Handle(parent);
  insert.hInsertAfter = Handle(insertAfter);
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>(node.text);
  insert.item.lParam = static_cast<LPARAM>(node.data);
  insert.item.stateMask = TVIS_BOLD;
  insert.item.state = node.bold ? TVIS_BOLD : 0;
  insert.item.iImage = node.image;
  insert.item.iSelectedImage = node.image;
  // Straight to the inner TreeView: start-up inserts every node.
  return reinterpret_cast<CTreeListItem*>(SendMessageA(treeView(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

CTreeListItem* CTreeListCtrl::GetSelectedItem() const {
  return reinterpret_cast<CTreeListItem*>(Send(TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void CTreeListCtrl::SelectWithoutMessage(CTreeListItem* item) {
  TreeListWindow* state = StateOf(window_);
  if (state == nullptr) return;
  const UINT message = std::exchange(state->selectMessage, 0u);
  Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Handle(item)));
  state->selectMessage = message;
}

unsigned long CTreeListCtrl::GetItemData(CTreeListItem* item) const {
  TVITEMA query{};
  query.mask = TVIF_PARAM;
  query.hItem = Handle(item);
  if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return 0;
  return static_cast<unsigned long>(query.lParam);
}

CTreeBackground& CTreeListCtrl::GetBGImage() { return StateOf(window_)->background; }

}  // namespace corvandel
