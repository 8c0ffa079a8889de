// The main window's "Find Tweak" box, in the real main window of the tweak
// window cases, driven through the window's pre-filter with the keys
// a user presses: Ctrl+F, Enter, F3, Shift+F3 and Escape.
#include <cstring>
#include <string>

#include "res/resource.h"
#include "services/window_text_win32.h"
#include "wine/tweak_window.h"
#include "wine/window_support.h"

namespace corvandel {
namespace {

class FindBoxWindowTest : public TweakWindowTest {
 protected:
  void SetUp() override {
    TweakWindowTest::SetUp();
    // The title of 18 as a language file gives it.
    folder.Write("Language\\English.ini", "[1004]\r\n182=Dr Watson rings a xylophone\r\n");
    Start();
  }
  void TearDown() override {
    HoldKey(VK_CONTROL, false);
    HoldKey(VK_SHIFT, false);
    TweakWindowTest::TearDown();
  }

  HWND Box() const { return dialog->findBox().window(); }
  HWND Edit() const { return GetDlgItem(Box(), IDC_FIND_TEXT); }
  std::string Status() const { return WindowText(GetDlgItem(Box(), IDC_FIND_STATUS)); }

  bool Press(HWND target, int key) {
    return dialog->PreTranslateMessage(MSG{target, WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {0, 0}});
  }
  void OpenWithCtrlF() {
    HoldKey(VK_CONTROL, true);
    EXPECT_TRUE(Press(Tree(), 'F'));
    HoldKey(VK_CONTROL, false);
  }
  void ShiftF3() {
    HoldKey(VK_SHIFT, true);
    EXPECT_TRUE(Press(Edit(), VK_F3));
    HoldKey(VK_SHIFT, false);
  }

  HTREEITEM Selected() const {
    return reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_CARET, 0));
  }
  LPARAM DataOf(HTREEITEM item) const {
    TVITEMA info{};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
    return info.lParam;
  }
  // The selection is tweakId, its page loaded, its parents open and its
  // item inside the tree's client area.
  void ExpectFound(int tweakId) {
    SCOPED_TRACE("found " + std::to_string(tweakId));
    HTREEITEM item = Selected();
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(tweakId, DataOf(item));
    EXPECT_EQ(tweakId, dialog->navigator().CurrentTweakId());
    EXPECT_TRUE(dialog->pages().IsControlVisible(page::kMainWindow, page::kApplyButton));
    for (HTREEITEM parent = reinterpret_cast<HTREEITEM>(
             SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
         parent != nullptr;
         parent = reinterpret_cast<HTREEITEM>(
             SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(parent))))
      EXPECT_TRUE(SendMessageA(Tree(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(parent), TVIS_EXPANDED) &
                  TVIS_EXPANDED);
    RECT rect{}, client{};
    std::memcpy(&rect, &item, sizeof(item));  // TVM_GETITEMRECT takes the item in the rectangle
    ASSERT_TRUE(SendMessageA(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
    GetClientRect(Tree(), &client);
    EXPECT_GE(rect.top, client.top);
    EXPECT_LE(rect.bottom, client.bottom);
    EXPECT_EQ("", Status());
  }
};

TEST_F(FindBoxWindowTest, CtrlFOpensTheBoxAndEnterAndF3WalkTheMatchesThroughTheTree) {
  EXPECT_EQ(nullptr, Box());
  OpenWithCtrlF();
  ASSERT_NE(nullptr, Box());
  EXPECT_TRUE(IsWindowVisible(Box()));
  EXPECT_EQ(dialog->window(), GetWindow(Box(), GW_OWNER));
  EXPECT_EQ("Find Tweak", WindowText(Box()));
  EXPECT_EQ("Find Next", WindowText(GetDlgItem(Box(), IDOK)));
  EXPECT_EQ("Close", WindowText(GetDlgItem(Box(), IDCANCEL)));

  // Both matches sit in the collapsed Dr Watson group; 18 by its translated title.
  SetWindowTextA(Edit(), "xylophone");
  EXPECT_TRUE(Press(Edit(), VK_RETURN));
  ExpectFound(18);
  SetWindowTextA(Edit(), "WATSON sound");
  EXPECT_TRUE(Press(Edit(), VK_F3));
  ExpectFound(24);
  EXPECT_TRUE(Press(Edit(), VK_F3));  // past the end to the first match
  ExpectFound(18);
  ShiftF3();  // before the first to the last
  ExpectFound(24);
  ShiftF3();
  ExpectFound(18);
  SendMessageA(GetDlgItem(Box(), IDOK), BM_CLICK, 0, 0);
  ExpectFound(24);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FindBoxWindowTest, NoMatchIsSaidInTheBoxAndEscapeClosesIt) {
  OpenWithCtrlF();
  SetWindowTextA(Edit(), "unc paths");
  Press(Edit(), VK_RETURN);
  ExpectFound(3);
  SetWindowTextA(Edit(), "unc xyzzy");
  Press(Edit(), VK_RETURN);
  EXPECT_EQ("No tweak matches these words.", Status());
  EXPECT_EQ(3, dialog->navigator().CurrentTweakId());
  EXPECT_TRUE(platform.messages.empty());  // no message box
  SetWindowTextA(Edit(), "unc");
  EXPECT_EQ("", Status());  // typing clears it

  EXPECT_TRUE(Press(Edit(), VK_ESCAPE));
  EXPECT_FALSE(IsWindowVisible(Box()));
  EXPECT_FALSE(dialog->IsEnded());
  OpenWithCtrlF();
  EXPECT_TRUE(IsWindowVisible(Box()));
  EXPECT_EQ("unc", WindowText(Edit()));  // the words are kept
  SendMessageA(GetDlgItem(Box(), IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(Box()));

  // Without Ctrl, F is an ordinary key of the tree.
  EXPECT_FALSE(Press(Tree(), 'F') && IsWindowVisible(Box()));
}

// Shown over a visible window: the box opens over the pages, owned by the
// window, and where it was moved to; F3 and Shift+F3 go on with the box
// closed; a find leaves the tree at its left end, and Escape gives the focus
// to the node found.
TEST_F(FindBoxWindowTest, TheBoxOpensOverThePagesAndF3GoesOnWithItClosed) {
  ShowWindow(dialog->window(), SW_SHOW);
  SetForegroundWindow(dialog->window());
  OpenWithCtrlF();
  ASSERT_NE(nullptr, Box());
  EXPECT_EQ(dialog->window(), GetWindow(Box(), GW_OWNER));
  RECT box{}, main{}, splitter{};
  GetWindowRect(Box(), &box);
  GetWindowRect(dialog->window(), &main);
  GetWindowRect(dialog->splitter().window(), &splitter);
  const LONG centre = (box.left + box.right) / 2;
  EXPECT_GT(centre, splitter.right);
  EXPECT_LT(centre, main.right);
  EXPECT_TRUE(box.top > main.top && box.bottom < main.bottom);

  SetWindowTextA(Edit(), "WATSON sound");
  Press(Edit(), VK_RETURN);
  ExpectFound(18);
  EXPECT_EQ(0, GetScrollPos(dialog->tree().treeView(), SB_HORZ));
  SetWindowPos(Box(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Press(Edit(), VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(Box()));
  EXPECT_EQ(dialog->tree().treeView(), GetFocus());

  EXPECT_TRUE(Press(Tree(), VK_F3));
  ExpectFound(24);
  HoldKey(VK_SHIFT, true);
  EXPECT_TRUE(Press(Tree(), VK_F3));
  HoldKey(VK_SHIFT, false);
  ExpectFound(18);
  EXPECT_FALSE(IsWindowVisible(Box()));

  OpenWithCtrlF();
  GetWindowRect(Box(), &box);
  EXPECT_EQ(10, box.left);
  EXPECT_EQ(20, box.top);
}

}  // namespace
}  // namespace corvandel
