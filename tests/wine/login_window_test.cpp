// Login and Authentication and Start up and Shutdown in the real main window,
// created hidden in this process over a hermetic registry: a tweak is chosen
// in the tree, its page set with clicks and typed text, Apply pressed, and
// the registry and the category's overview read back.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/main_dlg_win32.h"
#include "nav/overviews.h"
#include "native/scratch_folder.h"
#include "services/platform_fake.h"
#include "services/profile_win32.h"
#include "wine/hermetic_registry_win32.h"

namespace corvandel {
namespace {

constexpr int kOverviewList = 1007;
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// A REG_SZ value as stored; nothing when it is absent or of another type.
std::optional<std::string> TextValue(HKEY root, const char* path, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  char data[202] = {};
  DWORD size = sizeof(data) - 1, type = 0;
  const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::string(data, size && data[size - 1] == 0 ? size - 1 : size);
}

void PutText(HKEY root, const char* path, const char* name, const char* text) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(root, path, &key));
  if (name) RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text)));
  RegCloseKey(key);
}

class LoginWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    platform.programFolder = folder.Ansi();
    platform.today = {2007, 3, 7};  // the history is built on this day
    CreateDirectoryA((folder.Ansi() + "\\Skin").c_str(), nullptr);
    for (const char* name : {"skin.skn", "Splash.spl", "BG.jpg"}) {
      const std::string from = std::string(CORVANDEL_SOURCE_DIR) + "/data/Skin/" + name;
      CopyFileA(from.c_str(), (folder.Ansi() + "\\Skin\\" + name).c_str(), FALSE);
    }
    registry = std::make_unique<HermeticWin32Registry>();
    // Every real profile has HKEY_CURRENT_USER\Software; a scratch root starts empty.
    PutText(HKEY_CURRENT_USER, "Software", nullptr, nullptr);
  }
  void TearDown() override {
    dialog.reset();
    registry.reset();
    OleUninitialize();
  }

  void Start() {
    dialog = std::make_unique<CMainDlg>(MainDlgServices{*registry, platform, profile, [](const std::string&) {}});
    ASSERT_TRUE(dialog->Create());
  }

  HWND Tree() const { return dialog->tree().window(); }
  HTREEITEM Next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }
  // The item whose data is tweakId, searched depth first.
  HTREEITEM FindItem(int tweakId, HTREEITEM parent = nullptr) const {
    for (HTREEITEM item = parent ? Next(parent, TVGN_CHILD) : Next(nullptr, TVGN_ROOT); item; item = Next(item, TVGN_NEXT)) {
      TVITEMA info{};
      info.mask = TVIF_PARAM;
      info.hItem = item;
      SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
      if (info.lParam == tweakId) return item;
      if (HTREEITEM found = FindItem(tweakId, item)) return found;
    }
    return nullptr;
  }
  void Select(int tweakId) {
    HTREEITEM item = FindItem(tweakId);
    ASSERT_NE(nullptr, item) << tweakId;
    SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }
  HWND Control(int pageId, int controlId) { return GetDlgItem(dialog->pages().PageWindow(pageId), controlId); }
  void Click(int pageId, int controlId) { SendMessageA(Control(pageId, controlId), BM_CLICK, 0, 0); }
  void Type(int pageId, int controlId, const char* text) {
    SendMessageA(Control(pageId, controlId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  void PressApply() { SendMessageA(GetDlgItem(dialog->window(), page::kApplyButton), BM_CLICK, 0, 0); }

  // The overview's date of tweakId under its category node.
  std::string OverviewDate(int categoryId, int tweakId) {
    Select(categoryId);
    const std::vector<int> rows = OverviewTweakIds(categoryId);
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i] == tweakId)
        return dialog->pages().ListItemText(page::kListCheck, kOverviewList, static_cast<int>(i), 1);
    return "not listed";
  }

  ScratchFolder folder;
  std::unique_ptr<IRegistry> registry;
  SettablePlatform platform;
  Win32Profile profile;
  std::unique_ptr<CMainDlg> dialog;
};

TEST_F(LoginWindowTest, AutomaticLogonIsSetOnItsPageAndDatedInTheOverview) {
  PutText(HKEY_LOCAL_MACHINE, kWinlogon, "Shell", "Explorer.exe");
  Start();
  platform.today = {2008, 1, 2};
  Select(158);
  EXPECT_EQ(BST_CHECKED, SendMessageA(Control(page::kEditCheck, 1018), BM_GETCHECK, 0, 0));
  Click(page::kEditCheck, 1013);
  Type(page::kEditCheck, 1015, "Tester");
  Click(page::kEditCheck, 1018);
  PressApply();

  EXPECT_EQ("1", TextValue(HKEY_LOCAL_MACHINE, kWinlogon, "AutoAdminLogon"));
  EXPECT_EQ("Tester", TextValue(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName"));
  EXPECT_EQ("1", TextValue(HKEY_LOCAL_MACHINE, kWinlogon, "ForceAutoLogon"));
  EXPECT_EQ("Explorer.exe", TextValue(HKEY_LOCAL_MACHINE, kWinlogon, "Shell"));
  EXPECT_EQ(std::nullopt, TextValue(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultPassword"));
  EXPECT_EQ("1/2/2008", OverviewDate(155, 158));
}

TEST_F(LoginWindowTest, HungApplicationsAreEndedForTheUserAndTheDefaultProfile) {
  PutText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "AutoEndTasks", "0");
  PutText(HKEY_USERS, ".DEFAULT\\Control Panel\\Desktop", "AutoEndTasks", "0");
  Start();
  platform.today = {2008, 1, 2};
  Select(213);
  Click(page::kComboCheck, 1013);
  PressApply();

  for (const auto& [root, path] : {std::pair{HKEY_CURRENT_USER, "Control Panel\\Desktop"},
                                   std::pair{HKEY_USERS, ".DEFAULT\\Control Panel\\Desktop"}}) {
    EXPECT_EQ("1", TextValue(root, path, "AutoEndTasks")) << path;
    EXPECT_EQ("20000", TextValue(root, path, "WaitToKillAppTimeout")) << path;
  }
  EXPECT_EQ("1/2/2008", OverviewDate(211, 213));
}

}  // namespace
}  // namespace corvandel
