// A window's text as a std::string (WM_GETTEXT through GetWindowTextA).
#pragma once

#include <windows.h>

#include <string>

namespace corvandel {

inline std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return text;
}

}  // namespace corvandel
