// The real main window, shown and active, as a user meets it: after every
// road that changes the page (a click in the tree, the tree's keys, the Find
// box, undo) the focus is on a visible, enabled control, never left on a page
// that was hidden; after Apply, the line beside the button says what it did.
#include <cstring>
#include <functional>
#include <string>

#include "pages/page_templates.h"
#include "res/resource.h"
#include "services/registry_key.h"
#include "services/registry_memory.h"
#include "services/window_text_win32.h"
#include "wine/tweak_window.h"
#include "wine/window_support.h"

namespace corvandel {
namespace {

constexpr int kDelayedExpansion = 9;  // a check box page
constexpr int kMenuShowDelay = 54;    // a combo page
constexpr int kDisableCommandPrompt = 7;  // a list whose row is the setting
const LVITEMA kNoRowChosen = [] {
  LVITEMA item{};
  item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  return item;
}();

class WindowFocusTest : public TweakWindowTest {
 protected:
  void SetUp() override {
    TweakWindowTest::SetUp();
    Start();
    ShowWindow(dialog->window(), SW_SHOW);
    SetForegroundWindow(dialog->window());
    PumpMessages();
  }

  // The first control of the page that shows, given the focus.
  HWND FocusOnPage(int tweakId) {
    Select(tweakId);
    for (const PageTemplate& page : PageTemplates()) {
      if (!Pages().IsPageVisible(page.id)) continue;
      HWND first = GetNextDlgTabItem(dialog->pages().PageWindow(page.id), nullptr, FALSE);
      SetFocus(first);
      return first;
    }
    ADD_FAILURE() << "no page shows for " << tweakId;
    return nullptr;
  }

  void ExpectUsableFocus(const char* road) {
    HWND focus = GetFocus();
    EXPECT_TRUE(IsChild(dialog->window(), focus)) << road;
    EXPECT_TRUE(IsWindowVisible(focus) && IsWindowEnabled(focus)) << road;
  }
};

TEST_F(WindowFocusTest, EveryRoadThatChangesThePageLeavesTheFocusOnAVisibleControl) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Command Processor", &key));
  RegCloseKey(key);
  struct Road {
    const char* name;
    std::function<void()> before;  // with the focus anywhere
    std::function<void()> go;      // with the focus on 9's page
    int focusPage = 0;             // where the focus goes, when a page
  };
  const Road roads[] = {
      {"click", [] {}, [&] { Select(kMenuShowDelay); }, page::kComboCheck},
      {"keys", [] {}, [&] {
         SetFocus(Tree());
         SendMessageA(dialog->tree().treeView(), WM_KEYDOWN, VK_DOWN, 0);
       }},
      {"undo", [&] {
         Select(kDelayedExpansion);
         Click(page::kMultiCheck, 1013);
         PressApply();
       }, [&] { SendMessageA(dialog->window(), WM_SYSCOMMAND, kUndoCommand, 0); }},
  };
  for (const Road& road : roads) {
    road.before();
    FocusOnPage(kDelayedExpansion);
    road.go();
    ExpectUsableFocus(road.name);
    if (road.focusPage != 0) {
      EXPECT_TRUE(IsChild(dialog->pages().PageWindow(road.focusPage), GetFocus())) << road.name;
    }
  }
}

// Tab to the check box, Ctrl+F, "delay", Enter, back to the window: the
// focus it gets back is on the node found, not the hidden box.
TEST_F(WindowFocusTest, TheFocusGivenBackAfterFindIsOnThePageThatShows) {
  HWND box = FocusOnPage(kDelayedExpansion);
  dialog->OpenFindBox();
  ASSERT_EQ(dialog->findBox().window(), GetActiveWindow());
  SetDlgItemTextA(dialog->findBox().window(), IDC_FIND_TEXT, "delay");
  dialog->findBox().FindNext(true);
  EXPECT_EQ(kMenuShowDelay, dialog->navigator().CurrentTweakId());
  EXPECT_FALSE(IsWindowVisible(box));

  SetActiveWindow(dialog->window());
  ExpectUsableFocus("find");
  EXPECT_EQ(dialog->tree().treeView(), GetFocus());  // on the node found
}

// The tree's selection stands out from the picture while another control
// has the focus (a pixel of the item's ground), and in the highlight while
// the tree has it.
TEST_F(WindowFocusTest, TheTreesSelectionShowsWithoutTheFocus) {
  HWND view = dialog->tree().treeView();
  HWND box = FocusOnPage(kDelayedExpansion);
  HTREEITEM item = FindItem(kDelayedExpansion);
  RECT rect{};
  std::memcpy(&rect, &item, sizeof(item));  // TVM_GETITEMRECT takes the item in the rectangle
  ASSERT_TRUE(SendMessageA(view, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
  for (HWND focus : {box, view}) {
    SetFocus(focus);
    const COLORREF ground = GetSysColor(focus == view ? COLOR_HIGHLIGHT : COLOR_INACTIVECAPTION);
    EXPECT_EQ(ground, PixelAt(view, rect.left + 1, rect.top + 1)) << (focus == view ? "focused" : "unfocused");
  }
}

// Tabbed into, an overview's list shows its first row chosen; a tweak's list,
// whose choice is its setting, is left as loaded.
TEST_F(WindowFocusTest, AnOverviewListTakingTheFocusChoosesItsFirstRow) {
  HWND list = Control(page::kListCheck, kOverviewList);
  Select(0);
  SetFocus(list);
  EXPECT_EQ(0, SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED));
  Select(kMenuShowDelay);
  Select(kDisableCommandPrompt);
  ASSERT_TRUE(IsWindowVisible(list));
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&kNoRowChosen));
  SetFocus(list);
  EXPECT_EQ(-1, SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

class WindowStatusTest : public TweakWindowTest {
 protected:
  void SetUp() override {
    TweakWindowTest::SetUp();
    registry = std::make_unique<MemoryRegistry>();
    RegistryKey::Create(*registry, reg::kCurrentUser, "Software");
    Start();
  }
  HWND Status() const { return GetDlgItem(dialog->window(), IDC_APPLY_STATUS); }
};

TEST_F(WindowStatusTest, TheLineBesideApplySaysWhatTheApplyDidUntilTheNextSelection) {
  constexpr char kKey[] = "Software\\Microsoft\\Command Processor";
  auto& memory = static_cast<MemoryRegistry&>(*registry);
  struct Step {
    std::function<void()> before;
    int check;
    const char* status;
  };
  const Step steps[] = {
      {[] {}, BST_CHECKED, "Nothing was changed: the key does not exist"},
      {[&] { RegistryKey::Create(memory, reg::kCurrentUser, kKey); }, BST_CHECKED,
       "Applied: 1 value changed (undo from the system menu)"},
      {[] {}, BST_CHECKED, "Nothing to change"},
      {[&] { memory.Deny(MemoryRegistry::kFullAccess | MemoryRegistry::kSet, reg::kCurrentUser, kKey); }, BST_UNCHECKED,
       "Not applied: the registry refused the change"},
  };
  for (const Step& step : steps) {
    step.before();
    Select(kMenuShowDelay);
    EXPECT_FALSE(GetWindowLongA(Status(), GWL_STYLE) & WS_VISIBLE);
    Select(kDelayedExpansion);
    SendMessageA(Control(page::kMultiCheck, 1013), BM_SETCHECK, step.check, 0);
    PressApply();
    EXPECT_EQ(step.status, WindowText(Status()));
    EXPECT_TRUE(GetWindowLongA(Status(), GWL_STYLE) & WS_VISIBLE) << step.status;
  }
}

// The automatic login's stored password shows as stars and is written back
// as it was; the same edit of another tweak shows its text.
TEST_F(WindowStatusTest, TheStoredPasswordIsMaskedAndWrittenUnchanged) {
  constexpr int kAutomaticLogin = 158, kMaxRecentDocs = 179;
  constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
  RegistryKey::Create(*registry, reg::kLocalMachine, kWinlogon).WriteText("DefaultPassword", "pa55 word");
  Select(kAutomaticLogin);
  HWND password = Control(page::kEditCheck, 1017);
  EXPECT_EQ('*', SendMessageA(password, EM_GETPASSWORDCHAR, 0, 0));
  EXPECT_EQ("pa55 word", WindowText(password));
  PressApply();
  EXPECT_EQ("pa55 word", RegistryKey::Open(*registry, reg::kLocalMachine, kWinlogon).ReadText("DefaultPassword"));
  Select(kMaxRecentDocs);
  EXPECT_EQ(0, SendMessageA(password, EM_GETPASSWORDCHAR, 0, 0));
}

// A number combo holding typed text that is no number of its range refuses
// the apply, naming the field and the range, and nothing is written; a typed
// number in range is written.
TEST_F(WindowStatusTest, ANumberComboWithTextOutsideItsNumbersRefusesTheApply) {
  constexpr int kWallpaperPosition = 71;
  auto desktop = [&] { return RegistryKey::Open(*registry, reg::kCurrentUser, "Control Panel\\Desktop"); };
  RegistryKey::Create(*registry, reg::kCurrentUser, "Control Panel\\Desktop").WriteText("Wallpaperoriginx", "5");
  desktop().WriteText("Wallpaperoriginy", "6");
  struct Case {
    const char* x;
    const char* y;
    const char* message;  // none: applied
    const char* storedX;
    const char* storedY;
  };
  const Case cases[] = {
      {"7", "abc", "\"Vertical Offset   (Pixels)\" takes a whole number from 0 to 2047.\n\nNothing was changed.", "5", "6"},
      {"2048", "8", "\"Horizontal Offset (Pixels)\" takes a whole number from 0 to 2047.\n\nNothing was changed.", "5", "6"},
      {"12", "2047", nullptr, "12", "2047"},
  };
  for (const Case& c : cases) {
    Select(kWallpaperPosition);
    SetWindowTextA(Control(page::kComboCheck, 1021), c.x);
    SetWindowTextA(Control(page::kComboCheck, 1022), c.y);
    platform.messages.clear();
    PressApply();
    if (c.message) {
      ASSERT_EQ(1u, platform.messages.size()) << c.x << " " << c.y;
      EXPECT_EQ(c.message, platform.messages[0].text);
    } else {
      EXPECT_TRUE(platform.messages.empty());
    }
    EXPECT_EQ(c.storedX, desktop().ReadText("Wallpaperoriginx"));
    EXPECT_EQ(c.storedY, desktop().ReadText("Wallpaperoriginy"));
  }
}

}  // namespace
}  // namespace corvandel
