// A created dialog as Language::TranslateDialog sees it: its caption and its
// direct children, visited from the topmost child down the z-order. Windows
// inside child dialogs (the pages) are not children of the dialog itself and
// are left out.
#pragma once

#include <windows.h>

#include <vector>

#include "services/language.h"

namespace corvandel {

class Win32DialogTexts : public IDialogTexts {
 public:
  explicit Win32DialogTexts(HWND dialog);

  std::string Caption() const override;
  void SetCaption(const std::string& text) override;
  int ChildCount() const override { return static_cast<int>(children_.size()); }
  int ChildControlId(int index) const override;
  std::string ChildText(int index) const override;
  void SetChildText(int index, const std::string& text) override;

 private:
  HWND dialog_;
  std::vector<HWND> children_;  // in z-order, topmost first
};

// TranslateDialog on a real window.
void TranslateDialog(const Language& language, HWND dialog, int dialogId);

}  // namespace corvandel
