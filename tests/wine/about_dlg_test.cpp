// The About box run modally: a thread timer looks at it while its loop runs
// and then closes it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "help/about_dlg_win32.h"
#include "native/scratch_folder.h"
#include "native/source_tree.h"
#include "res/resource.h"
#include "services/language.h"
#include "services/profile_win32.h"
#include "widgets/skin_engine_win32.h"

namespace corvandel {
namespace {

std::string Text(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

// The thread's visible dialog-class window (the About box or a message box).
HWND ShownDialog() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) {
        char name[16] = {};
        GetClassNameA(window, name, sizeof(name));
        if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs look() on the first dialog the thread shows while run() is busy.
INT_PTR WhileShown(const std::function<void(HWND)>& look, const std::function<INT_PTR()>& run) {
  static const std::function<void(HWND)>* pending = nullptr;
  pending = &look;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = ShownDialog();
    if (!dialog || !pending) return;
    const auto* current = pending;
    pending = nullptr;
    (*current)(dialog);
  });
  const INT_PTR result = run();
  KillTimer(nullptr, timer);
  EXPECT_EQ(nullptr, pending) << "no dialog was shown";
  pending = nullptr;
  return result;
}

class AboutBoxTest : public testing::Test {
 protected:
  INT_PTR Run(const std::function<void(HWND)>& look) {
    CAboutDlg about(skin_, language_);
    return WhileShown(look, [&] { return about.DoModal(nullptr); });
  }

  ScratchFolder folder_;  // the program folder
  Win32Profile profile_;
  Language language_{profile_, folder_.Ansi()};
  SkinEngine skin_;
};

TEST_F(AboutBoxTest, ShowsTheProductTextsSkinnedAndClosesWithOk) {
  ASSERT_EQ(0, skin_.LoadSkin(SourceTreePath("data/Skin/skin.skn")));
  std::map<int, std::string> texts;
  std::string caption;
  LONG_PTR okType = 0;
  const INT_PTR result = Run([&](HWND box) {
    caption = Text(box);
    for (int id : {IDC_ABOUT_VERSION, IDC_ABOUT_SECOND_LINE, IDC_ABOUT_TEXT, IDOK})
      texts[id] = Text(GetDlgItem(box, id));
    okType = GetWindowLongPtrA(GetDlgItem(box, IDOK), GWL_STYLE) & 0x0F;
    SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ("About Corvandel", caption);
  EXPECT_EQ("Corvandel Version 1.2.0.1", texts[IDC_ABOUT_VERSION]);
  EXPECT_FALSE(texts[IDC_ABOUT_SECOND_LINE].empty());
  EXPECT_EQ("The Corvandel is the best utility for modifying system settings in the Microsoft Windows operating "
            "systems.",
            texts[IDC_ABOUT_TEXT]);
  EXPECT_EQ("OK", texts[IDOK]);
  EXPECT_EQ(BS_OWNERDRAW, okType);  // the skin draws it
}

TEST_F(AboutBoxTest, TheLanguageFileReplacesItsTexts) {
  ASSERT_EQ(0, skin_.LoadSkin(SourceTreePath("data/Skin/skin.skn")));
  folder_.Write("Language\\English.ini", "[100]\n100=Info\n1064=Ein Werkzeug.\n");
  std::string caption, text, version;
  Run([&](HWND box) {
    caption = Text(box);
    text = Text(GetDlgItem(box, IDC_ABOUT_TEXT));
    version = Text(GetDlgItem(box, IDC_ABOUT_VERSION));
    SendMessageA(box, WM_COMMAND, IDCANCEL, 0);  // Escape
  });
  EXPECT_EQ("Info", caption);
  EXPECT_EQ("Ein Werkzeug.", text);
  EXPECT_EQ("Corvandel Version 1.2.0.1", version);
}

TEST_F(AboutBoxTest, ASkinFailureIsReportedAndEndsTheBox) {
  // No skin loaded: the first SkinElement fails.
  std::string message, caption;
  const INT_PTR result = Run([&](HWND box) {
    caption = Text(box);
    message = Text(GetDlgItem(box, 0xFFFF));  // the message box's text
    SendMessageA(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(0, result);
  EXPECT_EQ("Could load or apply the skin.", message);
  EXPECT_NE("About Corvandel", caption);
}

}  // namespace
}  // namespace corvandel
