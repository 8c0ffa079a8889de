#include "services/dialog_texts_win32.h"

#include "services/window_text_win32.h"

namespace corvandel {

Win32DialogTexts::Win32DialogTexts(HWND dialog) : dialog_(dialog) {
  for (HWND child = GetTopWindow(dialog); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetParent(child) == dialog) children_.push_back(child);
  }
}

std::string Win32DialogTexts::Caption() const { return WindowText(dialog_); }

void Win32DialogTexts::SetCaption(const std::string& text) { SetWindowTextA(dialog_, text.c_str()); }

int Win32DialogTexts::ChildControlId(int index) const { return GetDlgCtrlID(children_[static_cast<std::size_t>(index)]); }

std::string Win32DialogTexts::ChildText(int index) const { return WindowText(children_[static_cast<std::size_t>(index)]); }

void Win32DialogTexts::SetChildText(int index, const std::string& text) {
  SetWindowTextA(children_[static_cast<std::size_t>(index)], text.c_str());
}

void TranslateDialog(const Language& language, HWND dialog, int dialogId) {
  Win32DialogTexts texts(dialog);
  language.TranslateDialog(texts, dialogId);
}

}  // namespace corvandel
