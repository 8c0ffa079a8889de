// A Troubleshooting tweak through the real main window over a hermetic
// registry: selected in the tree, its boxes clicked, Apply pressed; then the
// registry and the category's overview.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_dlg_win32.h"
#include "nav/tree_model.h"
#include "native/scratch_folder.h"
#include "services/platform_fake.h"
#include "services/profile_win32.h"
#include "wine/hermetic_registry_win32.h"

namespace corvandel {
namespace {

constexpr int kTroubleshooting = 273;
constexpr int kNumLock = 297;

class TroubleshootingWindowTest : public ::testing::Test {
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

  // The tree item whose data is tweakId, among the children of parent.
  HTREEITEM ChildItem(HTREEITEM parent, int tweakId) const {
    HWND tree = dialog->tree().window();
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(
        tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
      TVITEMA info{};
      info.mask = TVIF_PARAM;
      info.hItem = item;
      SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
      if (info.lParam == tweakId) return item;
    }
    return nullptr;
  }
  void SelectItem(HTREEITEM item) {
    ASSERT_NE(nullptr, item);
    SendMessageA(dialog->tree().window(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }
  void Click(HWND owner, int controlId) { SendMessageA(GetDlgItem(owner, controlId), BM_CLICK, 0, 0); }

  ScratchFolder folder;
  std::unique_ptr<IRegistry> registry;
  SettablePlatform platform;
  Win32Profile profile;
  std::unique_ptr<CMainDlg> dialog;
};

// Both NumLock boxes checked: the current user's value is written; the default
// profile has no keyboard key in a fresh prefix, and the key is only opened,
// so nothing is written there.
TEST_F(TroubleshootingWindowTest, NumLockForBothScopesWritesTheCurrentUserAndDatesTheTweak) {
  HKEY keyboard = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Control Panel\\Keyboard", &keyboard));
  RegCloseKey(keyboard);
  HKEY software = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software", &software));
  RegCloseKey(software);
  Start();

  HTREEITEM category = ChildItem(nullptr, kTroubleshooting);
  ASSERT_NE(nullptr, category);
  SelectItem(ChildItem(category, kNumLock));
  ASSERT_EQ(kNumLock, dialog->navigator().CurrentTweakId());
  HWND page = dialog->pages().PageWindow(page::kMultiCheck);
  EXPECT_TRUE(dialog->pages().IsControlVisible(page::kMultiCheck, 1018));
  EXPECT_EQ(0, dialog->pages().GetCheck(page::kMultiCheck, 1013));
  EXPECT_EQ(0, dialog->pages().GetCheck(page::kMultiCheck, 1018));

  platform.today = {2008, 1, 2};
  Click(page, 1013);
  Click(page, 1018);
  Click(dialog->window(), page::kApplyButton);

  char text[16] = {};  // the reply ends in a zero the program did not store
  DWORD size = sizeof(text);
  DWORD type = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Keyboard", 0, KEY_READ, &keyboard));
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(keyboard, "InitialKeyboardIndicators", nullptr, &type,
                                            reinterpret_cast<BYTE*>(text), &size));
  RegCloseKey(keyboard);
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ("2", std::string(text));
  HKEY defaultKeyboard = nullptr;
  EXPECT_NE(ERROR_SUCCESS,
            RegOpenKeyExA(HKEY_USERS, ".DEFAULT\\Control Panel\\Keyboard", 0, KEY_READ, &defaultKeyboard));
  if (defaultKeyboard) RegCloseKey(defaultKeyboard);

  SelectItem(category);
  const std::vector<int> rows = OverviewTweakIds(kTroubleshooting);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i] == kNumLock ? "1/2/2008" : "3/7/2007",
              dialog->pages().ListItemText(page::kListCheck, 1007, static_cast<int>(i), 1))
        << rows[i];
  }
}

}  // namespace
}  // namespace corvandel
