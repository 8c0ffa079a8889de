// CSplitterBar: the bar between the tree and the pages. Dragging it draws a
// line on the screen; releasing it moves the bar and tells the parent how far
// (WM_NOTIFY, code kSplitterMoved, a SplitterNotify).
#pragma once

#include <windows.h>

namespace corvandel {

inline constexpr UINT kSplitterMoved = 1025;

struct SplitterNotify {
  NMHDR header;  // idFrom: the bar's control ID; code: kSplitterMoved
  int distance;  // pixels along the bar's axis; positive to the right (or down)
};

class CSplitterBar {
 public:
  enum class Orientation { kVertical = 1, kHorizontal = 2 };

  CSplitterBar() = default;
  ~CSplitterBar();
  CSplitterBar(const CSplitterBar&) = delete;
  CSplitterBar& operator=(const CSplitterBar&) = delete;

  // Creates the visible bar over rect (client coordinates of parent): a
  // vertical bar, 5 pixels wide, when rect is narrower than high, otherwise a
  // horizontal one, 5 pixels high. Its range is its own centre.
  bool Create(HWND parent, const RECT& rect, int controlId);
  // Where the bar's centre may be dragged, in the parent's client coordinates
  // along the bar's axis.
  void SetRange(int minimum, int maximum);
  // Moves the bar and its range by distance along its axis and lengthens it
  // by growth, without telling the parent: the parent lays itself out.
  void Reposition(int distance, int growth);
  // Moves the bar by distance, kept in its range, and tells the parent as a
  // drag does.
  void MoveBy(int distance);

  HWND window() const { return window_; }
  Orientation orientation() const { return orientation_; }
  // The bar's centre along its axis, in the parent's client coordinates.
  int Centre() const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnPaint();
  void OnLeftButtonDown();
  void OnMouseMove(LPARAM point);
  void OnLeftButtonUp();
  void CancelDrag();
  // A mouse message's point along the axis, in the parent's client coordinates.
  int PositionInParent(LPARAM point) const;
  // The drag line at position; drawing it twice erases it.
  void DrawDragLine(int position) const;
  RECT RectInParent() const;
  void MoveBar(int distance, int growth);

  HWND window_ = nullptr;
  Orientation orientation_ = Orientation::kVertical;
  int minimum_ = 0;
  int maximum_ = 0;
  int position_ = 0;       // of the drag line
  int startPosition_ = 0;  // at the start of the drag
  bool dragging_ = false;
};

}  // namespace corvandel
