// The page cases against real dialogs: the nine pages built from the template
// table as children of a hidden window that holds the Apply button, without
// the pages' own set-up (fills, skins), so that every control starts as its
// template creates it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "conformance/page_conformance.h"
#include "pages/dialog_template_win32.h"
#include "pages/page_host_win32.h"

namespace corvandel {
namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class TemplatePages : public Win32PageHost {
 public:
  TemplatePages() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const DialogTemplate mainTemplate(MainWindowTemplate(), WS_POPUP | WS_CAPTION);
    main_ = CreateDialogIndirectParamA(instance, mainTemplate.get(), nullptr, PlainDialogProc, 0);
    EXPECT_NE(nullptr, main_);
    SetMainWindow(main_);
    for (const PageTemplate& page : PageTemplates()) {
      const DialogTemplate pageTemplate(page, kPageDialogStyle);
      HWND window = CreateDialogIndirectParamA(instance, pageTemplate.get(), main_, PlainDialogProc, 0);
      EXPECT_NE(nullptr, window) << page.className;
      AddPage(page.id, window);
    }
  }
  ~TemplatePages() override { DestroyWindow(main_); }  // the pages go with it

 private:
  HWND main_ = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Win32, PageHostConformance,
                         ::testing::Values(PageHostSide{
                             "Win32", [] { return std::unique_ptr<IPageHost>(std::make_unique<TemplatePages>()); }}),
                         PageHostSideName);

}  // namespace
}  // namespace corvandel
