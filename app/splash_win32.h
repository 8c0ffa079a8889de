// The splash control (control 1062 of the main window): shows the picture
// of "Skin\Splash.spl" at start-up.
#pragma once

#include <windows.h>

#include <string>

namespace corvandel {

class CSplash {
 public:
  CSplash() = default;
  ~CSplash();
  CSplash(const CSplash&) = delete;
  CSplash& operator=(const CSplash&) = delete;

  // Creates the control as a child of parent at rect (client pixels).
  bool Create(HWND parent, const RECT& rect, int controlId);
  HWND window() const { return window_; }

  // Dispatch method 22: the splash file to show.
  void SetSplashFile(const std::string& path);
  // Dispatch method 19.
  void SetDelay(long value);
  // Dispatch method 15.
  void SetTopMost(bool value);

 private:
  HWND window_ = nullptr;
};

}  // namespace corvandel
