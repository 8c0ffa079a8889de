// Helpers of the window tests: a dialog built in memory that records its
// WM_COMMAND messages, message pumping and reading drawn pixels back.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace corvandel {

// Dispatches what the thread's queue holds, timers included.
inline void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Sets or clears a key in the thread's keyboard state, which GetKeyState reads.
inline void HoldKey(int key, bool down) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[key] = down ? 0x80 : 0;
  SetKeyboardState(state);
}

// Pumps until done() holds or the time is up; the result of done().
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    PumpMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// The colour drawn at (x, y) of a window's client area, after every pending
// paint of it and its children.
inline COLORREF PixelAt(HWND window, int x, int y) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

struct CommandRecord {
  int id;
  int code;
  bool operator==(const CommandRecord& other) const { return id == other.id && code == other.code; }
};

// A modeless dialog made from an in-memory template (dialog units, the
// system font), shown at the screen's top left corner and made active.
class TestDialog {
 public:
  struct Control {
    const wchar_t* className;  // "BUTTON", "STATIC"
    const wchar_t* text;
    DWORD style;  // WS_CHILD | WS_VISIBLE are added
    short x, y, cx, cy;
    WORD id;
  };

  TestDialog(short cx, short cy, const std::vector<Control>& controls) {
    // No caption: Wine without a window manager would wait two seconds for
    // one when a captioned window goes.
    Word(LOWORD(WS_POPUP | WS_BORDER | WS_VISIBLE));
    Word(HIWORD(WS_POPUP | WS_BORDER | WS_VISIBLE));
    Word(0), Word(0);  // extended style
    Word(static_cast<WORD>(controls.size()));
    Word(0), Word(0), Word(static_cast<WORD>(cx)), Word(static_cast<WORD>(cy));
    Word(0), Word(0);  // no menu, the standard class
    Text(L"Skin test");
    for (const Control& control : controls) {
      if (words_.size() % 2) Word(0);  // items start on a DWORD
      const DWORD style = control.style | WS_CHILD | WS_VISIBLE;
      Word(LOWORD(style)), Word(HIWORD(style)), Word(0), Word(0);
      Word(static_cast<WORD>(control.x)), Word(static_cast<WORD>(control.y));
      Word(static_cast<WORD>(control.cx)), Word(static_cast<WORD>(control.cy));
      Word(control.id);
      Text(control.className);
      Text(control.text);
      Word(0);  // no creation data
    }
    window_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(words_.data()),
                                         nullptr, &TestDialog::Proc, reinterpret_cast<LPARAM>(this));
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(window_);
    PumpMessages();
  }
  ~TestDialog() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  TestDialog(const TestDialog&) = delete;
  TestDialog& operator=(const TestDialog&) = delete;

  HWND window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  std::vector<CommandRecord>& commands() { return commands_; }

  // What the dialog manager does with one key press aimed at the focus.
  void PressKey(WPARAM key) {
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
      MSG msg{GetFocus(), message, key, 0, 0, {}};
      if (!IsDialogMessageA(window_, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }

 private:
  void Word(WORD value) { words_.push_back(value); }
  void Text(const wchar_t* text) {
    for (; *text; ++text) Word(static_cast<WORD>(*text));
    Word(0);
  }

  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<TestDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (message == WM_COMMAND && self) {
      self->commands_.push_back({LOWORD(wParam), HIWORD(wParam)});
      return TRUE;
    }
    return message == WM_INITDIALOG;
  }

  std::vector<WORD> words_;
  HWND window_ = nullptr;
  std::vector<CommandRecord> commands_;
};

}  // namespace corvandel
