// The undo item of the real main window over a hermetic registry: a tweak
// applied from its page, undone from the system menu and undone again; then
// the backups it left imported into the prefix's registry with the system's
// registry editor and checked with reg query.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "app/main_dlg_win32.h"
#include "native/scratch_folder.h"
#include "services/file_text.h"
#include "services/platform_fake.h"
#include "services/profile_win32.h"
#include "wine/hermetic_registry_win32.h"

namespace corvandel {
namespace {

constexpr int kAllowUncPaths = 3;
constexpr char kKey[] = "Software\\Microsoft\\Command Processor";
constexpr char kValue[] = "DisableUNCCheck";

// The exit code of a command line run to its end (~0 when it did not start).
DWORD RunToEnd(std::string commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return ~0u;
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = ~0u;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

// The value under HKEY_CURRENT_USER as this process sees it.
std::optional<DWORD> Stored() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  DWORD value = 0, size = sizeof(value);
  const LONG read = RegQueryValueExA(key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS) return std::nullopt;
  return value;
}

class UndoWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    platform.programFolder = folder.Ansi();
    platform.today = {2007, 3, 7};
    CreateDirectoryA((folder.Ansi() + "\\Skin").c_str(), nullptr);
    for (const char* name : {"skin.skn", "Splash.spl", "BG.jpg"}) {
      const std::string from = std::string(CORVANDEL_SOURCE_DIR) + "/data/Skin/" + name;
      CopyFileA(from.c_str(), (folder.Ansi() + "\\Skin\\" + name).c_str(), FALSE);
    }
    registry = std::make_unique<HermeticWin32Registry>();
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software", &key));
    RegCloseKey(key);
  }
  void TearDown() override {
    dialog.reset();
    registry.reset();
    OleUninitialize();
  }

  HTREEITEM FindItem(HWND tree, int tweakId, HTREEITEM from) const {
    for (HTREEITEM item = TreeView_GetChild(tree, from); item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
      TVITEMA info{};
      info.mask = TVIF_PARAM;
      info.hItem = item;
      SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
      if (info.lParam == tweakId) return item;
      if (HTREEITEM found = FindItem(tree, tweakId, item)) return found;
    }
    return nullptr;
  }
  // The window opened over the key, its value not there yet.
  void OpenWindow() {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, kKey, &key));
    RegCloseKey(key);
    dialog = std::make_unique<CMainDlg>(MainDlgServices{*registry, platform, profile, nullptr});
    ASSERT_TRUE(dialog->Create());
  }
  // Selected as a user does, in the tree.
  void SelectAllowUncPaths() {
    HWND tree = dialog->tree().window();
    HTREEITEM item = FindItem(tree, kAllowUncPaths, TVI_ROOT);
    ASSERT_NE(nullptr, item);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }
  void OpenWindowOnAllowUncPaths() {
    ASSERT_NO_FATAL_FAILURE(OpenWindow());
    ASSERT_NO_FATAL_FAILURE(SelectAllowUncPaths());
  }
  void DeleteTheValue() {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key));
    RegDeleteValueA(key, kValue);
    RegCloseKey(key);
  }
  // As the system menu shows it: opening it sends WM_INITMENUPOPUP first.
  bool UndoEnabled() const {
    HMENU menu = GetSystemMenu(dialog->window(), FALSE);
    SendMessageA(dialog->window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
    return !(GetMenuState(menu, kUndoCommand, MF_BYCOMMAND) & MF_GRAYED);
  }

  ScratchFolder folder;
  std::unique_ptr<HermeticWin32Registry> registry;
  SettablePlatform platform;
  Win32Profile profile;
  std::unique_ptr<CMainDlg> dialog;
};

// "Preview Changes...": the page's writes in a read-only box, nothing written.
TEST_F(UndoWindowTest, PreviewShowsThePagesWritesAndWritesNothing) {
  ASSERT_NO_FATAL_FAILURE(OpenWindowOnAllowUncPaths());
  SendMessageA(GetDlgItem(dialog->pages().PageWindow(page::kMultiCheck), 1013), BM_CLICK, 0, 0);
  SendMessageA(dialog->window(), WM_SYSCOMMAND, kPreviewCommand, 0);
  HWND box = FindWindowA("CorvandelPreview", "Preview Changes...");
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(dialog->window(), GetWindow(box, GW_OWNER));
  HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
  ASSERT_NE(nullptr, edit);
  EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
  char text[512] = {};
  SendMessageA(edit, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor\\DisableUNCCheck: - -> dword:00000001\r\n", text);
  EXPECT_EQ(std::nullopt, Stored());
  EXPECT_TRUE(dialog->navigator().Backups().List(kAllowUncPaths).empty());
  DestroyWindow(box);
}

TEST_F(UndoWindowTest, AnApplyIsUndoneFromTheSystemMenuAndItsBackupsImportWithRegedit) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  char text[100] = {};
  HMENU menu = GetSystemMenu(dialog->window(), FALSE);
  ASSERT_GT(GetMenuStringA(menu, kUndoCommand, text, sizeof(text), MF_BYCOMMAND), 0);
  EXPECT_STREQ("Undo Last Change to This Tweak", text);
  const int items = GetMenuItemCount(menu);
  EXPECT_EQ(kApplyProfileCommand, GetMenuItemID(menu, items - 1));
  EXPECT_EQ(kSaveProfileCommand, GetMenuItemID(menu, items - 2));  // after a separator
  EXPECT_EQ(kPreviewCommand, GetMenuItemID(menu, items - 4));
  EXPECT_EQ(kUndoCommand, GetMenuItemID(menu, items - 5));  // right after About
  EXPECT_EQ(kAboutCommand, GetMenuItemID(menu, items - 6));
  ASSERT_NO_FATAL_FAILURE(SelectAllowUncPaths());
  EXPECT_FALSE(UndoEnabled());
  HWND box = GetDlgItem(dialog->pages().PageWindow(page::kMultiCheck), 1013);
  SendMessageA(box, BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(dialog->window(), page::kApplyButton), BM_CLICK, 0, 0);
  EXPECT_EQ(1u, Stored());
  EXPECT_TRUE(UndoEnabled());

  SendMessageA(dialog->window(), WM_SYSCOMMAND, kUndoCommand, 0);
  ASSERT_FALSE(platform.messages.empty());
  EXPECT_EQ("Corvandel", platform.messages.back().caption);
  EXPECT_NE(std::string::npos, platform.messages.back().text.find("\"DisableUNCCheck\"=-"));
  EXPECT_EQ(std::nullopt, Stored());
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));  // the page was loaded again

  SendMessageA(dialog->window(), WM_SYSCOMMAND, kUndoCommand, 0);  // the undo undone
  EXPECT_EQ(1u, Stored());
  EXPECT_EQ(BST_CHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));

  // The backups, newest first: the second undo's, the first undo's (holding
  // the value as applied) and the apply's (holding its absence).
  const std::vector<BackupFile> backups = dialog->navigator().Backups().List(kAllowUncPaths);
  ASSERT_EQ(3u, backups.size());
  dialog.reset();
  registry.reset();  // this process sees the prefix's own registry again

  HKEY real = nullptr;
  const bool existed = RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &real) == ERROR_SUCCESS;
  if (existed) RegCloseKey(real);
  const std::string query = std::string("reg query \"HKEY_CURRENT_USER\\") + kKey + "\" /v " + kValue;
  EXPECT_EQ(0u, RunToEnd("regedit /s \"" + backups[1].path + "\""));
  EXPECT_EQ(0u, RunToEnd(query));
  EXPECT_EQ(1u, Stored());
  EXPECT_EQ(0u, RunToEnd("regedit /s \"" + backups[2].path + "\""));
  EXPECT_NE(0u, RunToEnd(query));
  EXPECT_EQ(std::nullopt, Stored());
  if (!existed) SHDeleteKeyA(HKEY_CURRENT_USER, kKey);
}

// "Save Settings Profile..." writes the tweaks applied since start-up (the
// user answered No to "every tweak"); "Apply Settings Profile..." applies a
// profile's lines, counts them, and names the first problems.
TEST_F(UndoWindowTest, ProfilesAreSavedAndAppliedFromTheSystemMenu) {
  ASSERT_NO_FATAL_FAILURE(OpenWindowOnAllowUncPaths());
  HWND box = GetDlgItem(dialog->pages().PageWindow(page::kMultiCheck), 1013);
  SendMessageA(box, BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(dialog->window(), page::kApplyButton), BM_CLICK, 0, 0);
  ASSERT_EQ(1u, Stored());

  const std::string saved = folder.Ansi() + "\\office.txt";
  platform.messageAnswers = {mb::kIdNo};
  platform.browseAnswers = {saved};
  SendMessageA(dialog->window(), WM_SYSCOMMAND, kSaveProfileCommand, 0);
  ASSERT_FALSE(platform.messages.empty());
  EXPECT_EQ("Save Settings Profile", platform.messages.back().caption);
  EXPECT_NE(std::string::npos, platform.messages.back().text.find("only the 1 tweak(s) applied"));
  std::string error;
  EXPECT_EQ("# Allow UNC Paths at the Command Prompt\r\n3 1013=1\r\n", ReadWholeFile(saved, &error).value_or(error));
  EXPECT_EQ(kAllowUncPaths, dialog->navigator().CurrentTweakId());

  // The value gone again; the profile puts it back, and a line the page
  // cannot take fails without stopping the run.
  ASSERT_TRUE(ReplaceFileContent(saved, "3 1013=1\r\n# a control the page lacks\r\n3 1099=1\r\n", &error)) << error;
  ASSERT_NO_FATAL_FAILURE(DeleteTheValue());
  platform.browseAnswers = {saved};
  SendMessageA(dialog->window(), WM_SYSCOMMAND, kApplyProfileCommand, 0);
  EXPECT_EQ(1u, Stored());
  ASSERT_FALSE(platform.messages.empty());
  const SettablePlatform::ShownMessage& report = platform.messages.back();
  EXPECT_EQ("Apply Settings Profile", report.caption);
  EXPECT_EQ(0u, report.text.find("Applied 1, refused 0, failed 1 of the 2 line(s) of " + saved + "."));
  EXPECT_NE(std::string::npos, report.text.find("\n- Line 3 (3 Allow UNC Paths at the Command Prompt): "));
  EXPECT_EQ(kAllowUncPaths, dialog->navigator().CurrentTweakId());
  EXPECT_EQ(BST_CHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));

  // A file that is no profile applies nothing and says why.
  ASSERT_TRUE(ReplaceFileContent(saved, "3 1013=1\r\nnot a line\r\n", &error)) << error;
  ASSERT_NO_FATAL_FAILURE(DeleteTheValue());
  platform.browseAnswers = {saved};
  SendMessageA(dialog->window(), WM_SYSCOMMAND, kApplyProfileCommand, 0);
  EXPECT_EQ(std::nullopt, Stored());
  EXPECT_NE(std::string::npos, platform.messages.back().text.find(saved + ":2: "));
}

}  // namespace
}  // namespace corvandel
