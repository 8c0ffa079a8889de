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

bool HasVisibleStyle(HWND window) { return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// Held visibility: queries answer the noted state at once, the windows change
// only at the release and then end as unheld calls would have left them.
TEST(Win32PageHost, HeldVisibilityChangesTheWindowsOnlyAtTheEnd) {
  struct Step {
    int pageId;
    int controlId;  // 0: the page itself
    bool show;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  constexpr int kPage = page::kMultiCheck, kBox = 1013, kOther = 1018;
  const Case cases[] = {
      {"hidden and shown again", {{kPage, 0, false}, {kPage, kBox, false}, {kPage, kBox, true}, {kPage, 0, true}}},
      {"hidden", {{kPage, 0, false}, {kPage, kBox, false}}},
      {"another shown", {{kPage, kOther, true}, {kPage, kBox, false}}},
      {"the Apply button", {{page::kMainWindow, page::kApplyButton, true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TemplatePages held, direct;
    for (Win32PageHost* pages : {static_cast<Win32PageHost*>(&held), static_cast<Win32PageHost*>(&direct)}) {
      pages->ShowPage(kPage, true);
      pages->ShowControl(kPage, kBox, true);
      pages->ShowControl(kPage, kOther, false);
    }
    const auto window = [](Win32PageHost& pages, const Step& step) {
      HWND parent = step.pageId == page::kMainWindow ? GetParent(pages.PageWindow(kPage)) : pages.PageWindow(kPage);
      return step.controlId == 0 ? pages.PageWindow(kPage) : GetDlgItem(parent, step.controlId);
    };
    held.HoldVisibility();
    for (const Step& step : c.steps) {
      const bool before = HasVisibleStyle(window(held, step));
      for (Win32PageHost* pages : {static_cast<Win32PageHost*>(&held), static_cast<Win32PageHost*>(&direct)}) {
        if (step.controlId == 0) pages->ShowPage(step.pageId, step.show);
        else pages->ShowControl(step.pageId, step.controlId, step.show);
      }
      EXPECT_EQ(before, HasVisibleStyle(window(held, step)));
      EXPECT_EQ(step.show, step.controlId == 0 ? held.IsPageVisible(step.pageId)
                                               : held.IsControlVisible(step.pageId, step.controlId));
    }
    held.ReleaseVisibility();
    for (const Step& step : c.steps)
      EXPECT_EQ(HasVisibleStyle(window(direct, step)), HasVisibleStyle(window(held, step)));
  }
}

// Items changed while held are there at once, and at the release the combo
// box draws again: its edit part has its WS_VISIBLE back.
TEST(Win32PageHost, ItemsChangedWhileHeldAreThereAndDrawnAfterTheRelease) {
  constexpr int kPage = page::kComboCheck, kCombo = 1021;
  TemplatePages pages;
  pages.ShowPage(kPage, true);
  pages.ShowControl(kPage, kCombo, true);
  HWND edit = GetWindow(GetDlgItem(pages.PageWindow(kPage), kCombo), GW_CHILD);
  ASSERT_NE(nullptr, edit);
  ASSERT_TRUE(HasVisibleStyle(edit));
  pages.HoldVisibility();
  pages.ComboReset(kPage, kCombo);
  for (const char* text : {"1", "2", "3"}) pages.ComboAddString(kPage, kCombo, text);
  EXPECT_EQ(3, pages.ComboCount(kPage, kCombo));
  pages.ReleaseVisibility();
  EXPECT_TRUE(HasVisibleStyle(edit));
  EXPECT_TRUE(pages.IsControlVisible(kPage, kCombo));
  EXPECT_EQ("2", pages.ComboItemText(kPage, kCombo, 1));
}

INSTANTIATE_TEST_SUITE_P(Win32, PageHostConformance,
                         ::testing::Values(PageHostSide{
                             "Win32", [] { return std::unique_ptr<IPageHost>(std::make_unique<TemplatePages>()); }}),
                         PageHostSideName);

}  // namespace
}  // namespace corvandel
