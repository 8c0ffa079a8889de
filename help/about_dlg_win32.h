// The About box (template 100), opened modally from the system menu.
#pragma once

#include <windows.h>

namespace corvandel {

class Language;
class SkinEngine;

class CAboutDlg {
 public:
  CAboutDlg(SkinEngine& skin, const Language& language) : skin_(skin), language_(language) {}
  // Runs the box until OK, Escape or the close box; 0 after a skin failure.
  INT_PTR DoModal(HWND owner);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  SkinEngine& skin_;
  const Language& language_;
};

}  // namespace corvandel
