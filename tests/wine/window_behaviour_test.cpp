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

// The tree's scroll bar: hidden while every row fits and the tree as wide
// as the control; beside the tree while they do not, showing the rows in
// view, in all and that fit. The tree follows the caret below the rows in
// view, the bar's requests, the wheel and Control with the movement keys.
TEST_F(WindowFocusTest, TheTreeScrollsAndItsBarShowsWhereItIs) {
  HWND view = dialog->tree().treeView();
  HWND bar = FindWindowExA(Tree(), nullptr, "ScrollBar", nullptr);
  ASSERT_NE(nullptr, bar);
  // Rows counted by walking the tree, not from its rectangles.
  const auto rowsBefore = [&](HTREEITEM item) {
    int rows = 0;
    for (HTREEITEM at = Next(item, TVGN_PREVIOUSVISIBLE); at != nullptr; at = Next(at, TVGN_PREVIOUSVISIBLE)) ++rows;
    return rows;
  };
  const auto firstRow = [&] { return rowsBefore(Next(nullptr, TVGN_FIRSTVISIBLE)); };
  const auto totalRows = [&] { return rowsBefore(Next(nullptr, TVGN_LASTVISIBLE)) + 1; };
  const auto expandAll = [&](UINT how) {
    for (HTREEITEM root = Next(nullptr, TVGN_ROOT); root != nullptr; root = Next(root, TVGN_NEXT))
      SendMessageA(Tree(), TVM_EXPAND, how, reinterpret_cast<LPARAM>(root));
  };
  const auto expectBarShowsTree = [&](const std::string& step) {
    UpdateWindow(view);
    RECT control{}, tree{}, barRect{};
    GetClientRect(Tree(), &control);
    GetWindowRect(view, &tree);
    GetWindowRect(bar, &barRect);
    const int page = static_cast<int>(SendMessageA(view, TVM_GETVISIBLECOUNT, 0, 0));
    const bool overflows = totalRows() > page;
    ASSERT_EQ(overflows, IsWindowVisible(bar) != FALSE) << step;
    EXPECT_EQ(overflows ? barRect.left - tree.left : control.right, tree.right - tree.left) << step;
    if (!overflows) return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &info);
    EXPECT_EQ(firstRow(), info.nPos) << step;
    EXPECT_EQ(totalRows() - 1, info.nMax) << step;
    EXPECT_EQ(page, static_cast<int>(info.nPage)) << step;
  };

  expectBarShowsTree("at start");
  expandAll(TVE_EXPAND);
  expectBarShowsTree("every node expanded");
  const int page = static_cast<int>(SendMessageA(view, TVM_GETVISIBLECOUNT, 0, 0));
  const int bottom = totalRows() - page;
  ASSERT_GT(bottom, page + 5);
  UINT wheelLines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &wheelLines, 0);
  const auto scroll = [&](int request, int thumb = 0) {
    SendMessageA(Tree(), WM_VSCROLL, MAKEWPARAM(request, thumb), reinterpret_cast<LPARAM>(bar));
  };
  const auto pressWithControl = [&](int key) {
    HoldKey(VK_CONTROL, true);
    SendMessageA(view, WM_KEYDOWN, key, 0);
    HoldKey(VK_CONTROL, false);
  };
  struct Step {
    const char* name;
    std::function<void()> act;
    int first;  // the first row in view after it
  };
  const Step steps[] = {
      {"bar: top", [&] { scroll(SB_TOP); }, 0},
      {"bar: line down", [&] { scroll(SB_LINEDOWN); }, 1},
      {"bar: page down", [&] { scroll(SB_PAGEDOWN); }, 1 + page},
      {"bar: thumb", [&] { scroll(SB_THUMBPOSITION, 5); }, 5},
      {"bar: line up", [&] { scroll(SB_LINEUP); }, 4},
      {"bar: page up, held at the top", [&] { scroll(SB_PAGEUP); }, 0},
      {"bar: bottom", [&] { scroll(SB_BOTTOM); }, bottom},
      {"bar: line down, held at the bottom", [&] { scroll(SB_LINEDOWN); }, bottom},
      {"wheel: a notch up", [&] { SendMessageA(view, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0); },
       bottom - static_cast<int>(wheelLines)},
      {"wheel: over the bar, two notches down",
       [&] { SendMessageA(Tree(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0); }, bottom},
      {"Control+Home", [&] { pressWithControl(VK_HOME); }, 0},
      {"Control+Down", [&] { pressWithControl(VK_DOWN); }, 1},
      {"Control+End", [&] { pressWithControl(VK_END); }, bottom},
      {"Control+Page Up", [&] { pressWithControl(VK_PRIOR); }, bottom - page},
      {"caret on the last row in view, then Down",
       [&] {
         HTREEITEM item = Next(nullptr, TVGN_FIRSTVISIBLE);
         for (int row = 1; row < page; ++row) item = Next(item, TVGN_NEXTVISIBLE);
         SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
         SendMessageA(view, WM_KEYDOWN, VK_DOWN, 0);
       },
       bottom - page + 1},
      {"the last node selected", [&] {
         SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Next(nullptr, TVGN_LASTVISIBLE)));
       }, bottom},
      {"the first node made visible", [&] {
         SendMessageA(Tree(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(Next(nullptr, TVGN_ROOT)));
       }, 0},
  };
  for (const Step& step : steps) {
    const HTREEITEM caret = Next(nullptr, TVGN_CARET);
    step.act();
    EXPECT_EQ(step.first, firstRow()) << step.name;
    if (std::string(step.name).starts_with("Control")) {
      EXPECT_EQ(caret, Next(nullptr, TVGN_CARET)) << step.name;  // scrolled, not moved
    }
    expectBarShowsTree(step.name);
  }
  expandAll(TVE_COLLAPSE);
  expectBarShowsTree("every node collapsed");
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
