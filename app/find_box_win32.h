// The "Find Tweak" box: a small modeless dialog owned by the main window,
// with an edit for the words, "Find Next" and "Close". Enter, F3 and "Find
// Next" look for the next match, Shift+F3 for the one before; the box says
// when nothing matches. Escape, "Close" and the close box hide it, keeping
// its words for the next time it opens.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace corvandel {

class CFindBox {
 public:
  // Looks for the next (forward) or previous match of the words and selects
  // it; false when nothing matches.
  using FindFunction = std::function<bool(const std::string& words, bool forward)>;

  explicit CFindBox(FindFunction find) : find_(std::move(find)) {}
  ~CFindBox();
  CFindBox(const CFindBox&) = delete;
  CFindBox& operator=(const CFindBox&) = delete;

  // Creates the box the first time, centred over the given part of the owner
  // (screen coordinates), shows it and puts the caret in its edit with the
  // words selected. Moved by the user, it opens again where it was left.
  void Open(HWND owner, const RECT& over);
  void Close();
  // Looks for the next or previous match of the words in the edit, also
  // while the box is hidden; false when it has no words yet.
  bool FindNext(bool forward);

  HWND window() const { return window_; }
  bool IsOpen() const { return window_ != nullptr && IsWindowVisible(window_); }
  // Whether the message is for the box or one of its controls.
  bool IsOwnWindow(HWND window) const;
  // The box's keys (F3, Shift+F3) and its dialog navigation: true when the
  // message was handled and must not be dispatched.
  bool PreTranslateMessage(const MSG& message);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  FindFunction find_;
  HWND window_ = nullptr;
};

}  // namespace corvandel
