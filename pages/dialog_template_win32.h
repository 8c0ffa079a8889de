// In-memory dialog templates (DLGTEMPLATE) built from the page template table,
// so that the pages' controls are written down once.
#pragma once

#include <windows.h>

#include <vector>

#include "pages/page_templates.h"

namespace corvandel {

// The window styles a template control is created with.
DWORD ControlWindowStyle(const ControlTemplate& control);

// A DLGTEMPLATE for CreateDialogIndirectParamA: the page's rectangle and
// controls in template order, font kPageFontSize kPageFontName, no caption.
// dialogStyle gives the dialog's own window styles (DS_SETFONT is added).
class DialogTemplate {
 public:
  DialogTemplate(const PageTemplate& page, DWORD dialogStyle);
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Add(WORD word) { words_.push_back(word); }
  void AddDword(DWORD value);
  void AddText(const char* text);
  void AlignToDword();

  std::vector<WORD> words_;
};

// The page dialogs' own style: a hidden child that takes part in the main
// window's keyboard navigation and does not paint over the siblings above it
// (the pages overlap the tree's right edge and the splitter bar).
inline constexpr DWORD kPageDialogStyle = WS_CHILD | WS_CLIPSIBLINGS | DS_CONTROL;

}  // namespace corvandel
