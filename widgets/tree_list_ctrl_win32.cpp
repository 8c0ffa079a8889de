#include "widgets/tree_list_ctrl_win32.h"

namespace corvandel {
namespace {

constexpr int kInnerTreeId = 1;

// The TreeView paints its empty ground and the ground of unselected texts in
// this colour, which is then made transparent over the picture. An odd
// near-white: icons rarely hold it, and font smoothing against it blends
// towards the light picture.
constexpr COLORREF kTransparentKey = RGB(0xFE, 0xFD, 0xFF);

constexpr DWORD kHonouredStyles = TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS;
// No horizontal scroll bar, as in the system's own navigation panes: a title
// wider than the tree ends at its edge (the splitter bar widens the tree, and
// the page repeats the title). The TreeView sets and redraws its scroll bars
// at every paint; under Wine each redraw waits on the X server several times,
// and the horizontal bar took two of a selection's three.
constexpr DWORD kFixedStyles = TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_NOHSCROLL;

// Per-window state of a "TurboDLL.TreeListCtrl".
struct TreeListWindow {
  HWND tree = nullptr;
  WNDPROC treeProc = nullptr;  // the TreeView's own, under the one put in its place
  UINT selectMessage = 0;
  CTreeBackground background;
};

TreeListWindow* StateOf(HWND window) {
  return reinterpret_cast<TreeListWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HTREEITEM Handle(CTreeListItem* item) {
  if (item == kTreeListRoot) return TVI_ROOT;
  if (item == kTreeListLast) return TVI_LAST;
  return reinterpret_cast<HTREEITEM>(item);
}

// A memory DC with a bitmap compatible with a screen DC.
class Canvas {
 public:
  Canvas(HDC like, int width, int height)
      : dc_(CreateCompatibleDC(like)), bitmap_(CreateCompatibleBitmap(like, width, height)),
        old_(SelectObject(dc_, bitmap_)) {}
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

// The TreeView draws its items into a memory DC on the transparent key; the
// picture is laid under them and the whole shown at once, so nothing flickers.
void PaintOverBackground(HWND tree, const TreeListWindow& state) {
  const CTreeBackground& background = state.background;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(tree, &paint);
  RECT client;
  GetClientRect(tree, &client);
  const int width = client.right;
  const int height = client.bottom;
  RECT dirty;
  if (width > 0 && height > 0 && IntersectRect(&dirty, &paint.rcPaint, &client)) {
    // Only the part to be painted is drawn: the items clipped to it, the
    // picture under them, then the two laid over each other.
    const int w = dirty.right - dirty.left;
    const int h = dirty.bottom - dirty.top;
    Canvas items(dc, width, height);
    IntersectClipRect(items.dc(), dirty.left, dirty.top, dirty.right, dirty.bottom);
    FillSolid(items.dc(), dirty, kTransparentKey);
    CallWindowProcW(state.treeProc, tree, WM_PAINT, reinterpret_cast<WPARAM>(items.dc()), 0);
    Canvas scene(dc, width, height);
    background.Draw(scene.dc(), client, dirty);
    GdiTransparentBlt(scene.dc(), dirty.left, dirty.top, w, h, items.dc(), dirty.left, dirty.top, w, h, kTransparentKey);
    BitBlt(dc, dirty.left, dirty.top, w, h, scene.dc(), dirty.left, dirty.top, SRCCOPY);
  }
  EndPaint(tree, &paint);
}

// The TreeView's window procedure is replaced rather than subclassed through
// the common controls: their subclass chain looks its data up in a window
// property at every message, which under Wine is a call to the server, and
// the tree takes a message per node at start-up. Unicode both ways, so that
// no message is converted on the way through.
LRESULT CALLBACK TreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* state = reinterpret_cast<const TreeListWindow*>(GetWindowLongPtrW(tree, GWLP_USERDATA));
  const WNDPROC treeProc = state->treeProc;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint below covers everything
    case WM_PAINT:
      if (wParam != 0) break;  // painting into a given DC: the TreeView's own
      PaintOverBackground(tree, *state);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(treeProc));
      return CallWindowProcW(treeProc, tree, message, wParam, lParam);
  }
  // Scrolling copies the painted picture along with the items; the picture
  // stays put, so a scroll repaints the whole tree.
  const int vertical = GetScrollPos(tree, SB_VERT);
  const int horizontal = GetScrollPos(tree, SB_HORZ);
  const LRESULT result = CallWindowProcW(treeProc, tree, message, wParam, lParam);
  if (GetScrollPos(tree, SB_VERT) != vertical || GetScrollPos(tree, SB_HORZ) != horizontal)
    InvalidateRect(tree, nullptr, FALSE);
  return result;
}

bool OnCreate(HWND window, TreeListWindow& state) {
  SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  RECT client;
  GetClientRect(window, &client);
  state.tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | kFixedStyles | kHonouredStyles,
                               0, 0, client.right, client.bottom, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInnerTreeId)),
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)), nullptr);
  if (state.tree == nullptr) return false;
  SendMessageA(state.tree, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(kTransparentKey));
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
  if (message == WM_NCCREATE) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TreeListWindow));
  TreeListWindow* state = StateOf(window);
  if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);

  // The standard TreeView messages belong to the inner TreeView.
  if (message >= TV_FIRST && message < TV_FIRST + 0x100) return SendMessageA(state->tree, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      return OnCreate(window, *state) ? 0 : -1;
    case WM_SIZE:
      MoveWindow(state->tree, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
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

// CTreeBackground

CTreeBackground::~CTreeBackground() { Attach(nullptr); }

void CTreeBackground::Attach(HBITMAP bitmap) {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  bitmap_ = bitmap;
  DropStretched();
}

void CTreeBackground::DropStretched() const {
  if (stretched_ != nullptr) DeleteObject(stretched_);
  stretched_ = nullptr;
  stretchedSize_ = {};
}

void CTreeBackground::Draw(HDC dc, const RECT& area, const RECT& part) const {
  BITMAP info{};
  if (bitmap_ == nullptr || !GetObjectA(bitmap_, sizeof(info), &info)) {
    FillSolid(dc, part, GetSysColor(COLOR_WINDOW));
    return;
  }
  const SIZE size{area.right - area.left, area.bottom - area.top};
  HDC source = CreateCompatibleDC(dc);
  if (stretched_ == nullptr || size.cx != stretchedSize_.cx || size.cy != stretchedSize_.cy) {
    // A halftone stretch is slow: done once per size, not on every paint.
    DropStretched();
    stretched_ = CreateCompatibleBitmap(dc, size.cx, size.cy);
    stretchedSize_ = size;
    HDC target = CreateCompatibleDC(dc);
    HGDIOBJ oldTarget = SelectObject(target, stretched_);
    HGDIOBJ oldSource = SelectObject(source, bitmap_);
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, size.cx, size.cy, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteDC(target);
  }
  HGDIOBJ old = SelectObject(source, stretched_);
  BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, source, part.left - area.left,
         part.top - area.top, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
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

unsigned long CTreeListCtrl::GetItemData(CTreeListItem* item) const {
  TVITEMA query{};
  query.mask = TVIF_PARAM;
  query.hItem = Handle(item);
  if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return 0;
  return static_cast<unsigned long>(query.lParam);
}

CTreeBackground& CTreeListCtrl::GetBGImage() { return StateOf(window_)->background; }

}  // namespace corvandel
