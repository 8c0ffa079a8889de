// Explorer and File System in the real main window, created hidden in this
// process over a hermetic registry: a tweak chosen in the tree, its boxes
// clicked, Apply pressed, then the registry and the category's overview read.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
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

constexpr int kOverviewList = 1007;
constexpr char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

std::optional<DWORD> DwordValue(HKEY root, const char* path, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  DWORD value = 0, size = sizeof(value), type = 0;
  const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD) return std::nullopt;
  return value;
}

bool KeyExists(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class ExplorerWindowTest : public ::testing::Test {
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
    HKEY software = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software", &software));
    RegCloseKey(software);
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
  HTREEITEM FindItem(int tweakId, HTREEITEM from = TVI_ROOT) const {
    HTREEITEM item = from == TVI_ROOT ? Next(nullptr, TVGN_ROOT) : Next(from, TVGN_CHILD);
    for (; item != nullptr; item = Next(item, TVGN_NEXT)) {
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
  void Click(int pageId, int controlId) {
    SendMessageA(GetDlgItem(dialog->pages().PageWindow(pageId), controlId), BM_CLICK, 0, 0);
  }
  void PressApply() { SendMessageA(GetDlgItem(dialog->window(), page::kApplyButton), BM_CLICK, 0, 0); }

  // The date the overview of nodeId shows for tweakId.
  std::string OverviewDate(int nodeId, int tweakId) {
    Select(nodeId);
    const std::vector<int> rows = OverviewTweakIds(nodeId);
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i] == tweakId)
        return dialog->pages().ListItemText(page::kListCheck, kOverviewList, static_cast<int>(i), 1);
    ADD_FAILURE() << tweakId << " is not in the overview of " << nodeId;
    return {};
  }

  ScratchFolder folder;
  std::unique_ptr<IRegistry> registry;
  SettablePlatform platform;
  Win32Profile profile;
  std::unique_ptr<CMainDlg> dialog;
};

TEST_F(ExplorerWindowTest, UncheckingHiddenFilesStoresTwoAndDatesTheTweak) {
  constexpr int kShowHidden = 116;
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, kAdvanced, &key));
  const DWORD on = 1;
  RegSetValueExA(key, "Hidden", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof(on));
  RegCloseKey(key);
  Start();

  Select(kShowHidden);
  EXPECT_EQ(1, dialog->pages().GetCheck(page::kMultiCheck, 1013));
  EXPECT_EQ("Show Hidden Folders and Files.", dialog->pages().GetText(page::kMultiCheck, 1013));
  platform.today = {2008, 1, 2};
  Click(page::kMultiCheck, 1013);
  PressApply();
  EXPECT_EQ(2u, DwordValue(HKEY_CURRENT_USER, kAdvanced, "Hidden"));
  EXPECT_EQ("1/2/2008", OverviewDate(95, kShowHidden));
}

TEST_F(ExplorerWindowTest, CdBurningCreatesTheAllUsersKeyOnlyAndDatesTheTweak) {
  constexpr int kDisableCdBurning = 146;
  Start();

  Select(kDisableCdBurning);
  EXPECT_EQ(0, dialog->pages().GetCheck(page::kMultiCheck, 1013));
  EXPECT_EQ(0, dialog->pages().GetCheck(page::kMultiCheck, 1018));
  platform.today = {2008, 1, 2};
  Click(page::kMultiCheck, 1013);
  Click(page::kMultiCheck, 1018);
  PressApply();
  EXPECT_EQ(1u, DwordValue(HKEY_LOCAL_MACHINE, kPolicies, "NoCDBurning"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kPolicies));
  EXPECT_EQ("1/2/2008", OverviewDate(122, kDisableCdBurning));
}

}  // namespace
}  // namespace corvandel
