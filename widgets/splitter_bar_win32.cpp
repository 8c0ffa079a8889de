#include "widgets/splitter_bar_win32.h"

#include <windowsx.h>

#include <algorithm>

namespace corvandel {
namespace {

constexpr char kClassName[] = "CorvandelSplitterBar";
constexpr int kThickness = 5;
constexpr COLORREF kLineColor = RGB(200, 200, 200);
constexpr COLORREF kFillColor = RGB(220, 220, 220);

bool RegisterBarClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  if (GetClassInfoA(instance, kClassName, &windowClass)) return true;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;  // no class cursor: WM_SETCURSOR picks one
}

// The sizing cursors, loaded once for the process.
HCURSOR SizingCursor(CSplitterBar::Orientation orientation) {
  static const HCURSOR westEast = LoadCursor(nullptr, IDC_SIZEWE);
  static const HCURSOR northSouth = LoadCursor(nullptr, IDC_SIZENS);
  return orientation == CSplitterBar::Orientation::kVertical ? westEast : northSouth;
}

}  // namespace

CSplitterBar::~CSplitterBar() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool CSplitterBar::Create(HWND parent, const RECT& rect, int controlId) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterBarClass(instance, WindowProc)) return false;
  RECT bar = rect;
  if (rect.right - rect.left < rect.bottom - rect.top) {
    orientation_ = Orientation::kVertical;
    bar.right = bar.left + kThickness;
  } else {
    orientation_ = Orientation::kHorizontal;
    bar.bottom = bar.top + kThickness;
  }
  window_ = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, bar.left, bar.top, bar.right - bar.left,
                            bar.bottom - bar.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                            instance, this);
  if (window_ == nullptr) return false;
  minimum_ = maximum_ = Centre();
  return true;
}

void CSplitterBar::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
}

RECT CSplitterBar::RectInParent() const {
  RECT rect;
  GetWindowRect(window_, &rect);
  MapWindowPoints(nullptr, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int CSplitterBar::Centre() const {
  const RECT rect = RectInParent();
  return orientation_ == Orientation::kVertical ? (rect.left + rect.right) / 2 : (rect.top + rect.bottom) / 2;
}

int CSplitterBar::PositionInParent(LPARAM point) const {
  // Mouse messages carry the point in the bar's client coordinates (also
  // outside it while the bar has the capture).
  POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  MapWindowPoints(window_, GetParent(window_), &at, 1);
  return orientation_ == Orientation::kVertical ? at.x : at.y;
}

LRESULT CALLBACK CSplitterBar::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* bar = reinterpret_cast<CSplitterBar*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (bar == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      bar->OnPaint();
      return 0;
    case WM_SETCURSOR:
      SetCursor(SizingCursor(bar->orientation_));
      return TRUE;
    case WM_LBUTTONDOWN:
      bar->OnLeftButtonDown();
      return 0;
    case WM_MOUSEMOVE:
      if (bar->dragging_) bar->OnMouseMove(lParam);
      return 0;
    case WM_LBUTTONUP:
      if (bar->dragging_) bar->OnLeftButtonUp();
      return 0;
    case WM_CAPTURECHANGED:
      if (bar->dragging_) bar->CancelDrag();  // capture taken away mid-drag
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      bar->window_ = nullptr;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void CSplitterBar::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RECT rect;
  GetClientRect(window_, &rect);
  // A raised frame: light on the top and left, shadow on the bottom and right.
  HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ oldPen = SelectObject(dc, light);
  MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
  LineTo(dc, rect.left, rect.top);
  LineTo(dc, rect.right - 1, rect.top);
  SelectObject(dc, shadow);
  LineTo(dc, rect.right - 1, rect.bottom - 1);
  LineTo(dc, rect.left - 1, rect.bottom - 1);
  // Inside it, a light grey panel.
  HPEN border = CreatePen(PS_SOLID, 1, kLineColor);
  HBRUSH fill = CreateSolidBrush(kFillColor);
  SelectObject(dc, border);
  HGDIOBJ oldBrush = SelectObject(dc, fill);
  Rectangle(dc, rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(fill);
  DeleteObject(border);
  DeleteObject(shadow);
  DeleteObject(light);
  EndPaint(window_, &paint);
}

void CSplitterBar::OnLeftButtonDown() {
  SetCapture(window_);
  dragging_ = true;
  position_ = startPosition_ = Centre();
  DrawDragLine(position_);
}

void CSplitterBar::OnMouseMove(LPARAM point) {
  DrawDragLine(position_);
  position_ = std::clamp(PositionInParent(point), minimum_, std::max(minimum_, maximum_));
  DrawDragLine(position_);
}

void CSplitterBar::OnLeftButtonUp() {
  DrawDragLine(position_);
  dragging_ = false;
  MoveBy(position_ - startPosition_);
  ReleaseCapture();
}

void CSplitterBar::Reposition(int distance, int growth) {
  MoveBar(distance, growth);
  minimum_ += distance;
  maximum_ += distance;
}

void CSplitterBar::MoveBar(int distance, int growth) {
  RECT rect = RectInParent();
  if (orientation_ == Orientation::kVertical) {
    OffsetRect(&rect, distance, 0);
    rect.bottom += growth;
  } else {
    OffsetRect(&rect, 0, distance);
    rect.right += growth;
  }
  MoveWindow(window_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void CSplitterBar::MoveBy(int distance) {
  distance = std::clamp(Centre() + distance, minimum_, std::max(minimum_, maximum_)) - Centre();
  MoveBar(distance, 0);
  SplitterNotify notify{};
  notify.header.hwndFrom = window_;
  notify.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window_));
  notify.header.code = kSplitterMoved;
  notify.distance = distance;
  SendMessageA(GetParent(window_), WM_NOTIFY, notify.header.idFrom, reinterpret_cast<LPARAM>(&notify));
}

void CSplitterBar::CancelDrag() {
  DrawDragLine(position_);
  dragging_ = false;
}

void CSplitterBar::DrawDragLine(int position) const {
  // Two lines, one pixel either side of the position, over the bar's length,
  // on the screen in not-XOR mode.
  RECT bar;
  GetWindowRect(window_, &bar);
  POINT at{position, position};
  ClientToScreen(GetParent(window_), &at);
  HDC screen = GetDC(nullptr);
  const int oldMode = SetROP2(screen, R2_NOTXORPEN);
  HPEN pen = CreatePen(PS_SOLID, 1, kLineColor);
  HGDIOBJ oldPen = SelectObject(screen, pen);
  for (int offset : {-1, 1}) {
    if (orientation_ == Orientation::kVertical) {
      MoveToEx(screen, at.x + offset, bar.top, nullptr);
      LineTo(screen, at.x + offset, bar.bottom);
    } else {
      MoveToEx(screen, bar.left, at.y + offset, nullptr);
      LineTo(screen, bar.right, at.y + offset);
    }
  }
  SelectObject(screen, oldPen);
  DeleteObject(pen);
  SetROP2(screen, oldMode);
  ReleaseDC(nullptr, screen);
}

}  // namespace corvandel
