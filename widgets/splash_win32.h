// The splash control (control 1062 of the main window): shows the picture
// of "Skin\Splash.spl" at start-up in a borderless pop-up centred on the
// screen, which closes itself after the file's duration and never takes the
// focus. The control's own child window only owns that pop-up; it draws
// nothing and stays hidden, so it never covers the pages laid over it.
#pragma once

#include <windows.h>

#include <string>

namespace corvandel {

class CSplash {
 public:
  // Window class of the pop-up, for whoever drives the program from outside.
  static constexpr char kPopupClass[] = "CorvandelSplash";

  CSplash() = default;
  ~CSplash();
  CSplash(const CSplash&) = delete;
  CSplash& operator=(const CSplash&) = delete;

  // Creates the control as a child of parent at rect (client pixels).
  bool Create(HWND parent, const RECT& rect, int controlId);
  HWND window() const { return window_; }

  // Dispatch method 22: the splash file to show. Shows its pop-up at once
  // (replacing one still up); a missing or bad file shows nothing.
  void SetSplashFile(const std::string& path);
  // Dispatch method 19: keeps the pop-up up for value milliseconds from now;
  // 0 keeps the duration the splash file names.
  void SetDelay(long value);
  // Dispatch method 15: whether the pop-up, the one up and those to come,
  // stays above every other window; otherwise it stays above the window
  // that owns the control. (Wine keeps an owned pop-up topmost once lifted,
  // until it closes.)
  void SetTopMost(bool value);
  // Closes the pop-up, if it is still up.
  void Close();

 private:
  static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc) const;

  HWND window_ = nullptr;
  HWND popup_ = nullptr;
  HBITMAP picture_ = nullptr;  // held while the pop-up is up
  std::string caption_;
  COLORREF captionColour_ = 0;
  bool topMost_ = false;
};

}  // namespace corvandel
