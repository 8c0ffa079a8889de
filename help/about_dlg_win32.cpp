#include "help/about_dlg_win32.h"

#include "res/resource.h"
#include "services/dialog_texts_win32.h"
#include "services/window_place_win32.h"
#include "widgets/skin_engine_win32.h"

namespace corvandel {

INT_PTR CAboutDlg::DoModal(HWND owner) {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT_BOX), owner, &CAboutDlg::DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const CAboutDlg& self = *reinterpret_cast<const CAboutDlg*>(lParam);
      int result = self.skin_.SkinElement(window, L"AboutDlg");
      if (result >= 0) result = self.skin_.SkinElement(GetDlgItem(window, IDOK), L"Button");
      for (int label : {IDC_ABOUT_VERSION, IDC_ABOUT_SECOND_LINE, IDC_ABOUT_TEXT})
        if (result >= 0) result = self.skin_.SkinElement(GetDlgItem(window, label), L"Label");
      TranslateDialog(self.language_, window, IDD_ABOUT_BOX);
      if (HWND owner = GetWindow(window, GW_OWNER)) {
        RECT over;
        GetWindowRect(owner, &over);
        CentreOver(window, over);
      }
      if (result < 0) {
        MessageBoxA(window, kSkinFailureText, nullptr, MB_OK);
        EndDialog(window, 0);
      }
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace corvandel
