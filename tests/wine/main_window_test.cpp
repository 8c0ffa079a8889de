// The real main window, created hidden in this process over a hermetic
// registry, a settable platform whose program folder is a scratch folder
// holding the shipped Skin files, and the real INI reader; driven through
// its tree (TVM_SELECTITEM), its pages and its splitter bar.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/main_dlg_win32.h"
#include "native/scratch_folder.h"
#include "nav/overviews.h"
#include "nav/tree_model.h"
#include "pages/page_handlers.h"
#include "services/platform_fake.h"
#include "services/profile_win32.h"
#include "services/registry_memory.h"
#include "services/window_text_win32.h"
#include "tweaks/catalogue.h"
#include "wine/hermetic_registry_win32.h"

namespace corvandel {
namespace {

constexpr int kOverviewList = 1007;
constexpr CalendarDate kToday{2007, 3, 7};
constexpr char kTodayText[] = "3/7/2007";

// Copies the shipped skin files into the program folder.
void CopySkinFiles(const ScratchFolder& folder) {
  CreateDirectoryA((folder.Ansi() + "\\Skin").c_str(), nullptr);
  for (const char* name : {"skin.skn", "Splash.spl", "BG.jpg"}) {
    const std::string from = std::string(CORVANDEL_SOURCE_DIR) + "/data/Skin/" + name;
    CopyFileA(from.c_str(), (folder.Ansi() + "\\Skin\\" + name).c_str(), FALSE);
  }
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    platform.programFolder = folder.Ansi();
    platform.today = kToday;
    CopySkinFiles(folder);
    registry = MakeRegistry();
    // Every real profile has HKEY_CURRENT_USER\Software; a scratch root
    // starts empty.
    RegKey software = 0;
    ASSERT_EQ(reg::kSuccess, registry->CreateKey(reg::kCurrentUser, "Software", &software));
    registry->CloseKey(software);
  }
  virtual std::unique_ptr<IRegistry> MakeRegistry() { return std::make_unique<HermeticWin32Registry>(); }
  void TearDown() override {
    dialog.reset();
    registry.reset();
    OleUninitialize();
  }

  // Creates the window; anything the start-up reads is set up before.
  void Start() {
    dialog = std::make_unique<CMainDlg>(MainDlgServices{
        *registry, platform, profile, [this](const std::string& path) { helpOpened.push_back(path); }});
    ASSERT_TRUE(dialog->Create());
  }

  HWND Tree() const { return dialog->tree().window(); }
  IPageHost& Pages() { return dialog->pages(); }

  // The tree item whose data is tweakId, searched depth first through the
  // control's TVM_* messages.
  HTREEITEM FindItem(int tweakId, HTREEITEM from = TVI_ROOT) const {
    HTREEITEM item = from == TVI_ROOT ? Next(nullptr, TVGN_ROOT) : Next(from, TVGN_CHILD);
    for (; item != nullptr; item = Next(item, TVGN_NEXT)) {
      if (ItemOf(item).lParam == tweakId) return item;
      if (HTREEITEM found = FindItem(tweakId, item)) return found;
    }
    return nullptr;
  }
  HTREEITEM Next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(Tree(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }
  TVITEMA ItemOf(HTREEITEM item, char* text = nullptr, int size = 0) const {
    TVITEMA info{};
    info.mask = TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | (text ? TVIF_TEXT : 0);
    info.hItem = item;
    info.stateMask = TVIS_BOLD;
    info.pszText = text;
    info.cchTextMax = size;
    SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
    return info;
  }
  void Select(int tweakId) {
    HTREEITEM item = FindItem(tweakId);
    ASSERT_NE(nullptr, item) << tweakId;
    SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }
  // Only pageId (or none, for 0) is showing.
  void ExpectOnlyPageVisible(int pageId) {
    for (const PageTemplate& page : PageTemplates())
      EXPECT_EQ(page.id == pageId, Pages().IsPageVisible(page.id)) << page.className;
  }
  void ExpectOverview(int nodeId) {
    SCOPED_TRACE("overview " + std::to_string(nodeId));
    ExpectOnlyPageVisible(page::kListCheck);
    EXPECT_TRUE(Pages().IsControlVisible(page::kListCheck, kOverviewList));
    EXPECT_FALSE(Pages().IsControlVisible(page::kMainWindow, page::kApplyButton));
    const TweakTable& table = dialog->navigator().Table();
    EXPECT_EQ(DescriptionText(table[static_cast<std::size_t>(nodeId)]), Pages().GetText(page::kListCheck, 1006));
    const OverviewColumns widths = OverviewColumnWidths(nodeId);
    ASSERT_EQ(2, Pages().ListColumnCount(page::kListCheck, kOverviewList));
    // The names take the list's width less the dates (at the tests' 96 DPI).
    RECT list{};
    GetClientRect(GetDlgItem(dialog->pages().PageWindow(page::kListCheck), kOverviewList), &list);
    EXPECT_EQ(widths.dateWidth, Pages().ListColumnWidth(page::kListCheck, kOverviewList, 1));
    EXPECT_EQ(list.right - widths.dateWidth, Pages().ListColumnWidth(page::kListCheck, kOverviewList, 0));
    const std::vector<int> rows = CatalogueDispatch().OverviewTweakIds(nodeId);
    ASSERT_EQ(static_cast<int>(rows.size()), Pages().ListItemCount(page::kListCheck, kOverviewList));
    for (std::size_t row = 0; row < rows.size(); ++row) {
      const int index = static_cast<int>(row);
      EXPECT_EQ(NodeText(*FindTreeRow(rows[row])), Pages().ListItemText(page::kListCheck, kOverviewList, index, 0));
      EXPECT_EQ(kTodayText, Pages().ListItemText(page::kListCheck, kOverviewList, index, 1));
    }
  }

  ScratchFolder folder;
  std::unique_ptr<IRegistry> registry;
  SettablePlatform platform;
  Win32Profile profile;
  std::vector<std::string> helpOpened;
  std::unique_ptr<CMainDlg> dialog;
};

// Start-up.

TEST_F(MainWindowTest, StartsOnTheAccessoriesOverviewWithEveryPageBehindIt) {
  Start();
  ExpectOverview(0);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_FALSE(dialog->IsEnded());
}

TEST_F(MainWindowTest, TreeHoldsEveryNodeInTreeOrderAsAStandardTreeView) {
  Start();
  const std::vector<TreeRow> nodes = CatalogueDispatch().TreeNodes();
  EXPECT_EQ(static_cast<LRESULT>(nodes.size()), SendMessageA(Tree(), TVM_GETCOUNT, 0, 0));
  const TweakTable& table = dialog->navigator().Table();
  // Depth first: each node, then its children.
  std::size_t index = 0;
  std::vector<HTREEITEM> stack;
  for (HTREEITEM item = Next(nullptr, TVGN_ROOT); item != nullptr || !stack.empty();) {
    if (item == nullptr) {
      item = Next(stack.back(), TVGN_NEXT);
      stack.pop_back();
      continue;
    }
    ASSERT_LT(index, nodes.size());
    const TreeRow& row = nodes[index++];
    char text[300] = {};
    const TVITEMA info = ItemOf(item, text, sizeof(text));
    SCOPED_TRACE(text);
    EXPECT_EQ(row.tweakId, info.lParam);
    EXPECT_EQ(NodeText(row), text);
    EXPECT_EQ(IsBold(row.kind), (info.state & TVIS_BOLD) != 0);
    EXPECT_EQ(table[static_cast<std::size_t>(row.tweakId)].image, info.iImage);
    EXPECT_EQ(info.iImage, info.iSelectedImage);
    stack.push_back(item);
    item = Next(item, TVGN_CHILD);
  }
  EXPECT_EQ(nodes.size(), index);
  EXPECT_EQ(30, ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(
                    SendMessageA(Tree(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0))));
}

TEST_F(MainWindowTest, ControlsSitWhereTheTemplatesPutThem) {
  Start();
  auto dialogRect = [this](const DialogRect& units) {
    RECT rect{units.x, units.y, units.x + units.width, units.y + units.height};
    MapDialogRect(dialog->window(), &rect);
    return rect;
  };
  auto rectOf = [](HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  };
  auto expectRect = [](const RECT& expected, const RECT& actual, const char* what) {
    EXPECT_EQ(expected.left, actual.left) << what;
    EXPECT_EQ(expected.top, actual.top) << what;
    EXPECT_EQ(expected.right, actual.right) << what;
    EXPECT_EQ(expected.bottom, actual.bottom) << what;
  };
  const ControlTemplate& apply = MainWindowTemplate().controls[0];
  expectRect(dialogRect(apply.rect), rectOf(GetDlgItem(dialog->window(), apply.id)), "Apply Changes");
  expectRect(dialogRect({15, 20, 204, 224}), rectOf(Tree()), "tree");
  for (const PageTemplate& page : PageTemplates()) {
    const RECT expected = dialogRect(page.rect);
    const RECT actual = rectOf(dialog->pages().PageWindow(page.id));
    EXPECT_EQ(expected.left, actual.left) << page.className;
    EXPECT_EQ(expected.top, actual.top) << page.className;
  }
  RECT splitter = dialogRect({219, 19, 3, 227});
  splitter.right = splitter.left + 5;
  expectRect(splitter, rectOf(dialog->splitter().window()), "splitter bar");
}

TEST_F(MainWindowTest, PagesAreSetUpAtCreation) {
  Start();
  EXPECT_EQ(kNumberComboLast + 1, Pages().ComboCount(page::kSingleCombo, 1021));
  EXPECT_EQ("10000", Pages().ComboItemText(page::kSingleCombo, 1021, kNumberComboLast));
  EXPECT_EQ(140, Pages().ComboCount(page::kComboCheck, 1055));
  const int colour = Pages().ComboGetCurSel(page::kComboCheck, 1055);
  EXPECT_GE(colour, 0);
  EXPECT_LT(colour, 139);
  struct List {
    int pageId;
    int listId;
    LRESULT styles;
  };
  for (const List& list : {List{page::kListCheck, 1007, 0x620}, List{page::kList, 1009, 0x624}}) {
    HWND window = GetDlgItem(dialog->pages().PageWindow(list.pageId), list.listId);
    EXPECT_EQ(list.styles, SendMessageA(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)) << list.listId;
    EXPECT_EQ(static_cast<LRESULT>(RGB(249, 250, 251)), SendMessageA(window, LVM_GETBKCOLOR, 0, 0)) << list.listId;
  }
}

// The system picture loader finds its decoders through HKEY_CLASSES_ROOT,
// which the hermetic registry hides: these cases keep the program's registry
// in memory instead.
class MainWindowPictureTest : public MainWindowTest {
 protected:
  std::unique_ptr<IRegistry> MakeRegistry() override { return std::make_unique<MemoryRegistry>(); }
};

TEST_F(MainWindowPictureTest, TreeBackgroundIsTheDecodedPicture) {
  Start();
  BITMAP picture{};
  ASSERT_NE(nullptr, dialog->tree().GetBGImage().get());
  ASSERT_TRUE(GetObjectA(dialog->tree().GetBGImage().get(), sizeof(picture), &picture));
  EXPECT_EQ(320, picture.bmWidth);
  EXPECT_EQ(400, picture.bmHeight);
}

// The tree's pixels as they are on the screen, row by row.
std::vector<COLORREF> ScreenPixels(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(memory, x, y));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return pixels;
}

// The tree paints only what a change leaves invalid, over a picture
// stretched once: after selections its pixels are those of a whole repaint,
// with the picture under the items and their images (no pixel of the
// transparent key or of the images' transparent red left).
TEST_F(MainWindowPictureTest, TreeRepaintsOfPartsMatchAWholeRepaint) {
  Start();
  ShowWindow(dialog->window(), SW_SHOW);
  HWND view = dialog->tree().treeView();
  UpdateWindow(dialog->window());
  for (int tweakId : {43, 50, 44}) {
    SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FindItem(tweakId)));
    UpdateWindow(view);
  }
  const std::vector<COLORREF> parts = ScreenPixels(view);
  InvalidateRect(view, nullptr, FALSE);
  UpdateWindow(view);
  const std::vector<COLORREF> whole = ScreenPixels(view);
  ASSERT_FALSE(whole.empty());
  EXPECT_TRUE(parts == whole);
  EXPECT_EQ(0, std::count(whole.begin(), whole.end(), RGB(0xFE, 0xFD, 0xFF)));
  EXPECT_EQ(0, std::count(whole.begin(), whole.end(), RGB(0xFF, 0, 0)));  // the images' transparent red
  EXPECT_LT(100, std::count_if(whole.begin(), whole.end(), [&](COLORREF c) { return c != whole.front(); }));
}

TEST_F(MainWindowPictureTest, StartUpGoesOnWithoutAPicture) {
  for (const char* content : {"", "not a picture"}) {
    if (*content == '\0') {
      DeleteFileA((folder.Ansi() + "\\Skin\\BG.jpg").c_str());
    } else {
      folder.Write("Skin\\BG.jpg", content);
    }
    Start();
    EXPECT_EQ(nullptr, dialog->tree().GetBGImage().get());
    ExpectOverview(0);
    dialog.reset();
  }
}

TEST_F(MainWindowTest, LanguageFileTranslatesTheMainWindow) {
  folder.Write("Language\\English.ini", "[102]\n102=Corvandel Tweaker\n1016=Apply\\tNow\n");
  Start();
  EXPECT_EQ("Corvandel Tweaker", WindowText(dialog->window()));
  EXPECT_EQ("Apply\tNow", Pages().GetText(page::kMainWindow, page::kApplyButton));
}

// The language file renames rows of the titles table, which the pages'
// descriptions show; the tree keeps its own texts.
TEST_F(MainWindowTest, LanguageFileRenamingRowsLeavesTheTreesTexts) {
  folder.Write("Language\\English.ini", "[1004]\n12=Eingabeaufforderung\n22=Eingabeaufforderung in jedem Ordner\n");
  Start();
  char text[300] = {};
  ItemOf(FindItem(1), text, sizeof(text));
  EXPECT_STREQ("Command Processor", text);
  ItemOf(FindItem(2), text, sizeof(text));
  EXPECT_STREQ("Add Command Prompt Option to Every Folder", text);
  Select(2);
  EXPECT_EQ(0u, Pages().GetText(page::kEditCheck, 1006).rfind("Eingabeaufforderung in jedem Ordner:\n", 0))
      << Pages().GetText(page::kEditCheck, 1006);
  Select(1);
  EXPECT_EQ(0u, Pages().GetText(page::kListCheck, 1006).rfind("Eingabeaufforderung:\n", 0));
}

TEST_F(MainWindowTest, WithoutTheSkinTheProgramSaysSoOnceAndEnds) {
  DeleteFileA((folder.Ansi() + "\\Skin\\skin.skn").c_str());
  CMainDlg dialog({*registry, platform, profile, {}});
  EXPECT_EQ(0, dialog.DoModal());
  ASSERT_EQ(1u, platform.messages.size());
  EXPECT_EQ(kSkinFailureText, platform.messages[0].text);
  EXPECT_EQ("", platform.messages[0].caption);
  EXPECT_EQ(mb::kOk, platform.messages[0].style);
}

// Left alone after start-up, the window makes the pages a first selection
// would otherwise wait for, and fills their long lists (the colours, the
// numbers) before they are first shown. A timer looks every 20 ms and closes
// the window once all is ready (or after four seconds).
CMainDlg* g_idleWindow = nullptr;
bool g_everyPageReady = false;
void CALLBACK CloseOnceEveryPageIsReady(HWND, UINT, UINT_PTR timer, DWORD) {
  static int ticks = 0;
  Win32PageHost& pages = g_idleWindow->pages();
  const auto items = [&](int pageId, int controlId) {  // straight from the control: asking the host would fill it
    return SendMessageA(GetDlgItem(pages.PageWindow(pageId), controlId), CB_GETCOUNT, 0, 0);
  };
  g_everyPageReady = std::all_of(PageTemplates().begin(), PageTemplates().end(),
                                 [&](const PageTemplate& page) { return pages.IsPageCreated(page.id); }) &&
                     items(page::kComboCheck, control::kColorCombo) > 0 && items(page::kSingleCombo, 1021) > 0;
  if (!g_everyPageReady && ++ticks < 200) return;
  KillTimer(nullptr, timer);
  PostMessageA(g_idleWindow->window(), WM_CLOSE, 0, 0);
}

TEST_F(MainWindowTest, LeftAloneAfterStartUpItMakesAndFillsEveryPage) {
  CMainDlg dialog({*registry, platform, profile, {}});
  g_idleWindow = &dialog;
  SetTimer(nullptr, 0, 20, CloseOnceEveryPageIsReady);
  // What waits for the first idle (OLE, in the program) runs once, before
  // the pages are prepared.
  int firstIdles = 0;
  std::size_t pagesAtFirstIdle = 0;
  EXPECT_EQ(0, dialog.DoModal([&] {
    ++firstIdles;
    pagesAtFirstIdle = std::count_if(PageTemplates().begin(), PageTemplates().end(),
                                     [&](const PageTemplate& page) { return dialog.pages().IsPageCreated(page.id); });
  }));
  EXPECT_TRUE(g_everyPageReady);
  EXPECT_EQ(1, firstIdles);
  EXPECT_LT(pagesAtFirstIdle, PageTemplates().size());
}

// Closes the About box as soon as it is up, remembering its caption.
std::string* g_aboutCaption = nullptr;
HWND g_aboutOwner = nullptr;
LRESULT CALLBACK CloseAboutBox(int code, WPARAM wParam, LPARAM lParam) {
  HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && GetWindow(window, GW_OWNER) == g_aboutOwner) {
    *g_aboutCaption = WindowText(window);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MainWindowTest, SystemMenuOpensTheAboutBox) {
  Start();
  HMENU menu = GetSystemMenu(dialog->window(), FALSE);
  char text[100] = {};
  ASSERT_GT(GetMenuStringA(menu, kAboutCommand, text, sizeof(text), MF_BYCOMMAND), 0);
  EXPECT_STREQ("&About Corvandel...", text);
  // The separator, About, the undo item, the preview item, a separator and the two profile items.
  const int items = GetMenuItemCount(menu);
  EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR), GetMenuState(menu, static_cast<UINT>(items - 7), MF_BYPOSITION) & MF_SEPARATOR);

  std::string caption;
  g_aboutCaption = &caption;
  g_aboutOwner = dialog->window();
  HHOOK hook = SetWindowsHookExA(WH_CBT, CloseAboutBox, nullptr, GetCurrentThreadId());
  SendMessageA(dialog->window(), WM_SYSCOMMAND, kAboutCommand, 0);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ("About Corvandel", caption);
  EXPECT_FALSE(dialog->IsEnded());
}

// Selection.

TEST_F(MainWindowTest, SelectingGroupsShowsTheirOverviews) {
  Start();
  for (int node : {1, 95, 13, 0, 288}) {
    Select(node);
    EXPECT_EQ(node, dialog->navigator().CurrentTweakId());
    ExpectOverview(node);
  }
}

TEST_F(MainWindowTest, EverySelectionResetsThePagesFirst) {
  Start();
  Pages().ShowPage(page::kEditCheck, true);
  Pages().ShowControl(page::kEditCheck, 1024, true);
  Pages().EnableControl(page::kEditCheck, 1015, false);
  Pages().ShowControl(page::kMainWindow, page::kApplyButton, true);
  Select(1);
  ExpectOnlyPageVisible(page::kListCheck);
  EXPECT_FALSE(Pages().IsControlVisible(page::kEditCheck, 1024));
  EXPECT_TRUE(Pages().IsControlEnabled(page::kEditCheck, 1015));
  EXPECT_FALSE(Pages().IsControlVisible(page::kMainWindow, page::kApplyButton));
}

// One tweak from the tree to the registry: the page it loads, Apply, and the
// date its group's overview shows afterwards.
TEST_F(MainWindowTest, ATweakLoadsItsPageAndAppliesThroughTheApplyButton) {
  constexpr int kAllowUncPaths = 3;
  constexpr char kKey[] = "Software\\Microsoft\\Command Processor";
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, kKey, &key));
  const DWORD on = 1;
  RegSetValueExA(key, "DisableUNCCheck", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof(on));
  Start();

  Select(kAllowUncPaths);
  ExpectOnlyPageVisible(page::kMultiCheck);
  const TweakEntry& row = dialog->navigator().Table()[kAllowUncPaths];
  EXPECT_EQ(DescriptionText(row), Pages().GetText(page::kMultiCheck, 1006));
  EXPECT_TRUE(Pages().IsControlVisible(page::kMultiCheck, 1013));
  EXPECT_FALSE(Pages().IsControlVisible(page::kMultiCheck, 1018));
  EXPECT_EQ(1, Pages().GetCheck(page::kMultiCheck, 1013));
  EXPECT_TRUE(Pages().IsControlVisible(page::kMainWindow, page::kApplyButton));

  // Unchecked with a click, as the user does, then Apply on a later day.
  platform.today = {2008, 1, 2};
  SendMessageA(GetDlgItem(dialog->pages().PageWindow(page::kMultiCheck), 1013), BM_CLICK, 0, 0);
  EXPECT_EQ(0, Pages().GetCheck(page::kMultiCheck, 1013));
  SendMessageA(GetDlgItem(dialog->window(), page::kApplyButton), BM_CLICK, 0, 0);
  DWORD value = 99;
  DWORD size = sizeof(value);
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "DisableUNCCheck", nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(&value), &size));
  EXPECT_EQ(0u, value);
  RegCloseKey(key);

  Select(1);
  const std::vector<int> rows = CatalogueDispatch().OverviewTweakIds(1);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i] == kAllowUncPaths ? "1/2/2008" : kTodayText,
              Pages().ListItemText(page::kListCheck, kOverviewList, static_cast<int>(i), 1)) << rows[i];
  }
}

// Page handlers on the real pages.

TEST_F(MainWindowTest, BrowseButtonFillsItsEditAndTheCheckBoxOf159EnablesItsRow) {
  Start();
  dialog->navigator().Select(159);
  HWND page = dialog->pages().PageWindow(page::kEditCheck);
  platform.browseAnswers.push_back("C:\\Program Files\\x.exe");
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(1026, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, 1026)));
  EXPECT_EQ("\"C:\\Program Files\\x.exe\"", Pages().GetText(page::kEditCheck, 1017));

  Pages().SetCheck(page::kEditCheck, 1013, 0);
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(1013, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, 1013)));
  for (int id : {1015, 1017, 1023}) EXPECT_FALSE(Pages().IsControlEnabled(page::kEditCheck, id)) << id;
  EXPECT_TRUE(Pages().IsControlEnabled(page::kEditCheck, 1026));
}

// Keys and mouse.

// Records the WM_COMMAND messages the main window receives.
std::vector<WPARAM>* g_commands = nullptr;
HWND g_commandWindow = nullptr;
LRESULT CALLBACK RecordCommands(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->hwnd == g_commandWindow && message->message == WM_COMMAND)
    g_commands->push_back(message->wParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MainWindowTest, EnterPressesApplyOnlyWhileItIsVisibleAndEnabled) {
  Start();
  std::vector<WPARAM> commands;
  g_commands = &commands;
  g_commandWindow = dialog->window();
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordCommands, nullptr, GetCurrentThreadId());
  const MSG enter{Tree(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  const WPARAM click = MAKEWPARAM(page::kApplyButton, BN_CLICKED);

  EXPECT_TRUE(dialog->PreTranslateMessage(enter));  // hidden: swallowed
  Pages().ShowControl(page::kMainWindow, page::kApplyButton, true);
  Pages().EnableControl(page::kMainWindow, page::kApplyButton, false);
  EXPECT_TRUE(dialog->PreTranslateMessage(enter));  // disabled: swallowed
  EXPECT_TRUE(commands.empty());
  Pages().EnableControl(page::kMainWindow, page::kApplyButton, true);
  EXPECT_TRUE(dialog->PreTranslateMessage(enter));
  EXPECT_EQ(std::vector<WPARAM>{click}, commands);
  UnhookWindowsHookEx(hook);
}

// Only an edit keeps its Cut/Copy/Paste menu.
TEST_F(MainWindowTest, RightClicksAndTheMenuKeyAreDiscardedButInEditsAndF1OpensHelp) {
  Start();
  HWND edit = GetDlgItem(dialog->pages().PageWindow(page::kEditBrowse), 1015);
  for (HWND target : {Tree(), edit, dialog->window()}) {
    const bool discarded = target != edit;
    EXPECT_EQ(discarded, dialog->PreTranslateMessage(MSG{target, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5), 0, {0, 0}}));
    EXPECT_EQ(discarded, dialog->PreTranslateMessage(MSG{target, WM_KEYDOWN, VK_APPS, 0, 0, {0, 0}}));
  }
  EXPECT_TRUE(helpOpened.empty());
  EXPECT_TRUE(dialog->PreTranslateMessage(MSG{edit, WM_KEYDOWN, VK_F1, 0, 0, {0, 0}}));
  EXPECT_EQ(std::vector<std::string>{folder.Ansi() + "\\Help\\English.chm"}, helpOpened);
  EXPECT_EQ(TRUE, SendMessageA(dialog->window(), WM_HELP, 0, 0));
  EXPECT_EQ(1u, helpOpened.size());
}

TEST_F(MainWindowTest, TheSkinsHelpButtonOpensHelp) {
  Start();
  RECT client;
  GetClientRect(dialog->window(), &client);
  // The button sits at the right end of the skin's caption strip, at least 12
  // pixels high.
  const LPARAM corner = MAKELPARAM(client.right - 6, 6);
  SendMessageA(dialog->window(), WM_LBUTTONDOWN, MK_LBUTTON, corner);
  SendMessageA(dialog->window(), WM_LBUTTONUP, 0, corner);
  EXPECT_EQ(std::vector<std::string>{folder.Ansi() + "\\Help\\English.chm"}, helpOpened);
}

TEST_F(MainWindowTest, HelpFollowsTheLanguageInTheRegistry) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Corvandel", &key));
  RegSetValueExA(key, "Language", 0, REG_SZ, reinterpret_cast<const BYTE*>("German"), 6);
  RegCloseKey(key);
  Start();
  SendMessageA(dialog->window(), WM_OPEN_HELP, 0, 0);
  EXPECT_EQ(std::vector<std::string>{folder.Ansi() + "\\Help\\German.chm"}, helpOpened);
}

TEST_F(MainWindowTest, EscapeNeverClosesTheWindowButTheCloseBoxDoes) {
  Start();
  SendMessageA(dialog->window(), WM_COMMAND, IDCANCEL, 0);
  SendMessageA(dialog->pages().PageWindow(page::kEditBrowse), WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(dialog->IsEnded());
  EXPECT_TRUE(IsWindow(dialog->pages().PageWindow(page::kEditBrowse)));
  SendMessageA(dialog->window(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(dialog->IsEnded());
}

// The splitter bar.

struct Drag {
  int pointer;   // where the mouse is let go, relative to the bar's centre
  int distance;  // how far tree and pages move
};

TEST_F(MainWindowTest, DraggingTheSplitterMovesTreeAndPagesByTheDraggedDistance) {
  const Drag drags[] = {{-30, -30}, {-80, -50}, {25, 10}, {7, 7}};
  for (const Drag& drag : drags) {
    SCOPED_TRACE(drag.pointer);
    Start();
    HWND bar = dialog->splitter().window();
    auto rectOf = [](HWND window) {
      RECT rect;
      GetWindowRect(window, &rect);
      MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
      return rect;
    };
    const RECT treeBefore = rectOf(Tree());
    HWND page = dialog->pages().PageWindow(page::kEditCheck);
    const RECT pageBefore = rectOf(page);
    const RECT labelBefore = rectOf(GetDlgItem(page, 1014));
    const RECT browseBefore = rectOf(GetDlgItem(page, 1023));
    const int centre = dialog->splitter().Centre();

    RECT barRect;
    GetClientRect(bar, &barRect);
    const int middle = barRect.right / 2;
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle, 10));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(middle + drag.pointer / 2, 10));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(middle + drag.pointer, 10));
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(middle + drag.pointer, 10));

    EXPECT_EQ(centre + drag.distance, dialog->splitter().Centre());
    const RECT treeAfter = rectOf(Tree());
    EXPECT_EQ(treeBefore.left, treeAfter.left);
    EXPECT_EQ(treeBefore.right + drag.distance, treeAfter.right);
    const RECT pageAfter = rectOf(page);
    EXPECT_EQ(pageBefore.left + drag.distance, pageAfter.left);
    EXPECT_EQ(pageBefore.right, pageAfter.right);
    const int width = pageAfter.right - pageAfter.left;
    const RECT labelAfter = rectOf(GetDlgItem(page, 1014));
    EXPECT_EQ(labelBefore.left + drag.distance * 100 / width, labelAfter.left);
    EXPECT_EQ(labelBefore.right, labelAfter.right);
    const RECT browseAfter = rectOf(GetDlgItem(page, 1023));
    EXPECT_EQ(browseBefore.left, browseAfter.left);
    dialog.reset();
  }
}

// Pages are made when first needed: one made after the splitter bar moved
// stands where one made at start-up and moved with it stands, and is reset.
TEST_F(MainWindowTest, APageMadeLateIsWhereItWouldHaveBeenAndReset) {
  auto drag = [this](int pointer) {
    HWND bar = dialog->splitter().window();
    RECT barRect;
    GetClientRect(bar, &barRect);
    const int middle = barRect.right / 2;
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle, 10));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(middle + pointer, 10));
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(middle + pointer, 10));
  };
  // Each control's place on the page, after three drags whose shifts round.
  auto placesAfterDrags = [&](bool madeFirst) {
    Start();
    if (madeFirst) dialog->pages().PageWindow(page::kEditCheck);
    for (int pointer : {-33, -7, 13}) drag(pointer);
    auto rectOf = [](HWND window) {
      RECT rect;
      GetWindowRect(window, &rect);
      MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
      return rect;
    };
    std::vector<RECT> places;
    HWND page = dialog->pages().PageWindow(page::kEditCheck);
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
      places.push_back(rectOf(child));
    places.push_back(rectOf(page));
    return places;
  };

  Start();
  for (const PageTemplate& page : PageTemplates())
    EXPECT_EQ(page.id == page::kListCheck, Pages().IsPageCreated(page.id)) << page.className;
  dialog.reset();

  const std::vector<RECT> early = placesAfterDrags(true);
  dialog.reset();
  const std::vector<RECT> late = placesAfterDrags(false);
  ASSERT_EQ(early.size(), late.size());
  for (std::size_t i = 0; i < early.size(); ++i) {
    EXPECT_EQ(early[i].left, late[i].left) << i;
    EXPECT_EQ(early[i].right, late[i].right) << i;
  }
  // Made late, a page still hides what the reset before each load hides
  // (the note is shown in the template).
  EXPECT_FALSE(Pages().IsControlVisible(page::kMultiCheck, 1024));
  EXPECT_FALSE(Pages().IsPageVisible(page::kMultiCheck));
  EXPECT_TRUE(Pages().IsPageCreated(page::kMultiCheck));
}

// CColorCombo drawing.

TEST(ColorComboDrawing, SwatchNameAndGroundFollowTheItemState) {
  // A combo with one item drawn into a memory bitmap.
  HWND combo = CreateWindowExA(0, "ComboBox", "", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_POPUP,
                               0, 0, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, combo);
  SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Gold"));
  CColorCombo colors;
  colors.Attach(combo);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 160, 20);
  HGDIOBJ old = SelectObject(dc, bitmap);
  ReleaseDC(nullptr, screen);

  struct Case {
    UINT state;
    COLORREF swatch;
    COLORREF ground;
  };
  const COLORREF gold = RGB(255, 215, 0);
  const Case cases[] = {
      {0, gold, GetSysColor(COLOR_WINDOW)},
      {ODS_SELECTED, gold, GetSysColor(COLOR_HIGHLIGHT)},
      {ODS_DISABLED, GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_WINDOW)},
  };
  for (const Case& c : cases) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.itemID = 0;
    item.itemState = c.state;
    item.hwndItem = combo;
    item.hDC = dc;
    item.rcItem = {0, 0, 160, 20};
    item.itemData = gold;
    colors.DrawItem(item);
    SCOPED_TRACE(c.state);
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 2, 2));    // the swatch's frame
    EXPECT_EQ(c.swatch, GetPixel(dc, 10, 10));      // inside the swatch (right edge at 40)
    EXPECT_EQ(c.ground, GetPixel(dc, 158, 1));      // beyond the name
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  DestroyWindow(combo);
}

}  // namespace
}  // namespace corvandel
