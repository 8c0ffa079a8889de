#include "app/find_box_win32.h"

#include "res/resource.h"
#include "services/window_place_win32.h"
#include "services/window_text_win32.h"

namespace corvandel {

namespace {
constexpr char kNoMatchText[] = "No tweak matches these words.";
}  // namespace

CFindBox::~CFindBox() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void CFindBox::Open(HWND owner, const RECT& over) {
  if (window_ == nullptr) {
    window_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FIND_TWEAK), owner, DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    if (window_ == nullptr) return;
    CentreOver(window_, over);
  }
  ShowWindow(window_, SW_SHOW);
  HWND edit = GetDlgItem(window_, IDC_FIND_TEXT);
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
}

void CFindBox::Close() {
  if (window_ == nullptr) return;
  // The owner takes the focus back before the box goes, as a closed dialog's would.
  if (HWND owner = GetWindow(window_, GW_OWNER)) SetFocus(owner);
  ShowWindow(window_, SW_HIDE);
}

bool CFindBox::FindNext(bool forward) {
  if (window_ == nullptr) return false;
  const std::string words = WindowText(GetDlgItem(window_, IDC_FIND_TEXT));
  if (words.empty()) return false;
  const bool found = find_(words, forward);
  SetDlgItemTextA(window_, IDC_FIND_STATUS, found ? "" : kNoMatchText);
  return true;
}

bool CFindBox::IsOwnWindow(HWND window) const {
  return window_ != nullptr && (window == window_ || IsChild(window_, window));
}

bool CFindBox::PreTranslateMessage(const MSG& message) {
  if (!IsOwnWindow(message.hwnd)) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_F3) {
    FindNext(GetKeyState(VK_SHIFT) >= 0);
    return true;
  }
  return IsDialogMessageA(window_, const_cast<MSG*>(&message));
}

INT_PTR CALLBACK CFindBox::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    return TRUE;
  }
  auto* box = reinterpret_cast<CFindBox*>(GetWindowLongPtrA(window, DWLP_USER));
  if (box == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:  // "Find Next", and Enter
          box->FindNext(true);
          return TRUE;
        case IDCANCEL:  // "Close", Escape and the close box
          box->Close();
          return TRUE;
        case IDC_FIND_TEXT:
          if (HIWORD(wParam) == EN_CHANGE) SetDlgItemTextA(window, IDC_FIND_STATUS, "");
          return TRUE;
      }
      return FALSE;
    case WM_NCDESTROY:
      box->window_ = nullptr;
      return FALSE;
  }
  return FALSE;
}

}  // namespace corvandel
