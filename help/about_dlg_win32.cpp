#include "help/about_dlg_win32.h"

#include <string>
#include <vector>

#include "app/skin_engine_win32.h"
#include "res/resource.h"
#include "services/language.h"

namespace corvandel {
namespace {

// A created dialog's caption and direct children, as TranslateDialog reads
// and writes them. Local until the shared adapter of the main window
// (services/dialog_texts_win32.h) is in; then this one goes.
class WindowDialogTexts : public IDialogTexts {
 public:
  explicit WindowDialogTexts(HWND dialog) : dialog_(dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      children_.push_back(child);
  }
  std::string Caption() const override { return Text(dialog_); }
  void SetCaption(const std::string& text) override { SetWindowTextA(dialog_, text.c_str()); }
  int ChildCount() const override { return static_cast<int>(children_.size()); }
  int ChildControlId(int index) const override { return GetDlgCtrlID(children_[index]); }
  std::string ChildText(int index) const override { return Text(children_[index]); }
  void SetChildText(int index, const std::string& text) override { SetWindowTextA(children_[index], text.c_str()); }

 private:
  static std::string Text(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
  }

  HWND dialog_;
  std::vector<HWND> children_;
};

}  // namespace

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
      WindowDialogTexts texts(window);
      self.language_.TranslateDialog(texts, IDD_ABOUT_BOX);
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
