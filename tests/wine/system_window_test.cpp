// A System tweak on the real window: selected in the tree, changed with a
// click, applied with the Apply button, then dated in its group's overview.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_dlg_win32.h"
#include "nav/overviews.h"
#include "native/scratch_folder.h"
#include "services/platform_fake.h"
#include "services/profile_win32.h"
#include "wine/hermetic_registry_win32.h"

namespace corvandel {
namespace {

constexpr int kDisableDcom = 240;
constexpr int kServices = 239;

class SystemWindowTest : public ::testing::Test {
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
    RegKey software = 0;
    ASSERT_EQ(reg::kSuccess, registry->CreateKey(reg::kCurrentUser, "Software", &software));
    registry->CloseKey(software);
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
  IPageHost& Pages() { return dialog->pages(); }

  // The tree item whose data is tweakId, searched depth first.
  HTREEITEM FindItem(int tweakId, HTREEITEM parent = nullptr) const {
    HTREEITEM item = reinterpret_cast<HTREEITEM>(
        SendMessageA(Tree(), TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    for (; item != nullptr;
         item = reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
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

  ScratchFolder folder;
  std::unique_ptr<IRegistry> registry;
  SettablePlatform platform;
  Win32Profile profile;
  std::unique_ptr<CMainDlg> dialog;
};

TEST_F(SystemWindowTest, DisablingDcomWritesNAndDatesTheServicesOverview) {
  // As a fresh Wine prefix holds it.
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\OLE", &key));
  RegSetValueExA(key, "EnableDCOM", 0, REG_SZ, reinterpret_cast<const BYTE*>("Y"), 2);
  Start();

  Select(kDisableDcom);
  EXPECT_TRUE(Pages().IsPageVisible(page::kMultiCheck));
  EXPECT_EQ("Disable Distributed Component Object Model (DCOM).", Pages().GetText(page::kMultiCheck, 1013));
  EXPECT_EQ(0, Pages().GetCheck(page::kMultiCheck, 1013));
  EXPECT_TRUE(Pages().IsControlVisible(page::kMainWindow, page::kApplyButton));

  platform.today = {2008, 1, 2};
  SendMessageA(GetDlgItem(dialog->pages().PageWindow(page::kMultiCheck), 1013), BM_CLICK, 0, 0);
  EXPECT_EQ(1, Pages().GetCheck(page::kMultiCheck, 1013));
  SendMessageA(GetDlgItem(dialog->window(), page::kApplyButton), BM_CLICK, 0, 0);
  char text[8] = {};
  DWORD type = 0;
  DWORD size = sizeof(text);
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "EnableDCOM", nullptr, &type, reinterpret_cast<BYTE*>(text), &size));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_STREQ("N", text);
  RegCloseKey(key);

  Select(kServices);
  const std::vector<int> rows = OverviewTweakIds(kServices);
  ASSERT_EQ(static_cast<int>(rows.size()), Pages().ListItemCount(page::kListCheck, 1007));
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(rows[i] == kDisableDcom ? "1/2/2008" : "3/7/2007",
              Pages().ListItemText(page::kListCheck, 1007, static_cast<int>(i), 1))
        << rows[i];
}

}  // namespace
}  // namespace corvandel
