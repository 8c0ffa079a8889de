// The navigation tree (control 1004 of the main window, window class
// "TurboDLL.TreeListCtrl"): a single-column tree list built around a standard
// TreeView child that fills it, so the keyboard, accessibility tools and
// outside programs see an ordinary TreeView. TVM_* messages sent to the
// control go to the inner TreeView. Items are drawn over a background
// picture, with bold texts and per-item images.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <thread>

namespace corvandel {

inline constexpr char kTreeListClassName[] = "TurboDLL.TreeListCtrl";

// The TreeView paints its empty ground and the ground of unselected texts in
// this colour, and the item images hold it where they are transparent; the
// control shows the picture wherever it is drawn. An odd near-white: icons
// rarely hold it, and font smoothing against it blends towards the light
// picture.
inline constexpr COLORREF kTreeTransparentKey = RGB(0xFE, 0xFD, 0xFF);

// A colour as a pixel of a 32-bit DIB (0x00RRGGBB).
inline DWORD PixelOf(COLORREF color) {
  return static_cast<DWORD>(GetRValue(color)) << 16 | static_cast<DWORD>(GetGValue(color)) << 8 | GetBValue(color);
}

// Registers the window class; the main window's template needs it before the
// dialog is created. Registering twice is harmless.
bool RegisterTreeListClass(HINSTANCE instance);

// An item of the tree (the inner TreeView's item handle).
struct CTreeListItem;

// What InsertItem puts into a node.
struct CTreeListNode {
  const char* text;
  unsigned long data;
  bool bold;
  int image;
};

// InsertItem's parent for a root-level node, and insert-after for "append".
inline CTreeListItem* const kTreeListRoot = reinterpret_cast<CTreeListItem*>(static_cast<ULONG_PTR>(0xFFFF0001));
inline CTreeListItem* const kTreeListLast = reinterpret_cast<CTreeListItem*>(static_cast<ULONG_PTR>(0xFFFF0002));

// Pixels read and written directly: a 32-bit top-down DIB section, selected
// into its own memory DC, each pixel 0x00RRGGBB.
class CPixelBuffer {
 public:
  CPixelBuffer() = default;
  ~CPixelBuffer() { Reset(); }
  CPixelBuffer(const CPixelBuffer&) = delete;
  CPixelBuffer& operator=(const CPixelBuffer&) = delete;

  // Makes the buffer size.cx by size.cy, keeping the one held when it is that
  // size already; false when it cannot be made.
  bool Fit(HDC like, SIZE size);
  HDC dc() const { return dc_; }
  SIZE size() const { return size_; }
  // Row y, size().cx pixels; GDI drawing into dc() is flushed (GdiFlush)
  // before the pixels are read.
  DWORD* Row(int y) const { return bits_ + static_cast<ptrdiff_t>(y) * size_.cx; }
  // Frees the buffer; size() is then empty.
  void Reset();
  // Hands over the bitmap, no longer selected anywhere, and empties the
  // buffer; nullptr when it holds none.
  HBITMAP Release();

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  DWORD* bits_ = nullptr;
  SIZE size_{};
};

// The picture drawn behind the items; owns its bitmap.
class CTreeBackground {
 public:
  CTreeBackground() = default;
  ~CTreeBackground();
  CTreeBackground(const CTreeBackground&) = delete;
  CTreeBackground& operator=(const CTreeBackground&) = delete;

  // Takes over bitmap (nullptr: none), deleting the one held before.
  void Attach(HBITMAP bitmap);
  HBITMAP get() const { return bitmap_; }

  // The picture stretched over an area of the given size; nullptr with no
  // picture. A halftone stretch is slow: it is kept for the next call of the
  // same size.
  const CPixelBuffer* Stretched(SIZE size) const;
  // Starts stretching the picture for an area of the given size on a second
  // thread, so that the paint that needs it finds it made.
  void StretchAhead(SIZE size);

 private:
  void Stretch(SIZE size) const;
  void WaitForStretch() const;

  HBITMAP bitmap_ = nullptr;
  mutable CPixelBuffer stretched_;
  mutable std::thread stretching_;
};

// Binds to a created "TurboDLL.TreeListCtrl" window, as a class library's
// control class binds to a dialog control.
class CTreeListCtrl {
 public:
  void Attach(HWND window) { window_ = window; }
  HWND window() const { return window_; }
  // The inner TreeView.
  HWND treeView() const;

  // The control's style word: its low word holds TreeView styles, of which
  // buttons (TVS_HASBUTTONS), lines (TVS_HASLINES), selection always shown
  // (TVS_SHOWSELALWAYS) and no tooltips (TVS_NOTOOLTIPS) are honoured; root
  // nodes always get buttons. The high word (header and grid options of a
  // multi-column list) has no use in a single column.
  void SetStyle(unsigned long style);
  // The message sent to the control's parent whenever the selection changes
  // (parameters 0); 0 sends none.
  void SetSelectMessage(UINT message);
  void SetImageList(HIMAGELIST images);

  // The one column spans the control and, alone, shows no header: its
  // heading, format and width change nothing on screen.
  int InsertColumn(const char* heading, unsigned long format, int width, int minWidth, int image, int order);
  void SetColumnModify(int column, unsigned long modify);
  void SetColumnWidth(int column, int width, int minWidth, int maxWidth);

  void DeleteAllItems();
  // Appends a node under parent (kTreeListRoot at the root); insertAfter is
  // kTreeListLast or a sibling. Its text, data, boldness and image (the same
  // when selected) go in with it, one message a node. nullptr on failure.
  CTreeListItem* InsertItem(const CTreeListNode& node, CTreeListItem* parent, CTreeListItem* insertAfter);
  CTreeListItem* GetSelectedItem() const;
  // Makes item the selection without the select message, for a node whose
  // page is already shown.
  void SelectWithoutMessage(CTreeListItem* item);
  unsigned long GetItemData(CTreeListItem* item) const;

  // The background picture.
  CTreeBackground& GetBGImage();

 private:
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const { return SendMessageA(window_, message, wParam, lParam); }

  HWND window_ = nullptr;
};

}  // namespace corvandel
