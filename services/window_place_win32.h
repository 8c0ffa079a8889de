// Where windows go on the screen: inside the work area of their monitor,
// and centred over the window (or the part of it) they belong to.
#pragma once

#include <windows.h>

#include <algorithm>

namespace corvandel {

// The screen's logical pixels per inch (96 unless the user chose larger).
inline int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// A length designed for 96 DPI, on this screen.
inline int Scaled(int length) { return MulDiv(length, ScreenDpi(), 96); }

// The work area of the monitor nearest to the window.
inline RECT WorkAreaOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return monitor.rcWork;
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

// rect moved, and cut where it is larger, to lie inside area.
inline RECT InsideArea(RECT rect, const RECT& area) {
  const LONG width = std::min(rect.right - rect.left, area.right - area.left);
  const LONG height = std::min(rect.bottom - rect.top, area.bottom - area.top);
  rect.left = std::clamp(rect.left, area.left, area.right - width);
  rect.top = std::clamp(rect.top, area.top, area.bottom - height);
  return {rect.left, rect.top, rect.left + width, rect.top + height};
}

// Moves the window so that its centre is over's centre (screen coordinates),
// kept inside the work area.
inline void CentreOver(HWND window, const RECT& over) {
  RECT rect;
  GetWindowRect(window, &rect);
  const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
  const LONG left = (over.left + over.right - width) / 2, top = (over.top + over.bottom - height) / 2;
  rect = InsideArea({left, top, left + width, top + height}, WorkAreaOf(window));
  SetWindowPos(window, nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace corvandel
