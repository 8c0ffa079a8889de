// The real main window over a scratch program folder and a hermetic registry,
// for the cases that drive one tweak as a user would: select it in the tree,
// click its controls, press Apply, then read the registry and the overview.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_dlg_win32.h"
#include "native/scratch_folder.h"
#include "nav/overviews.h"
#include "services/platform_fake.h"
#include "services/profile_win32.h"
#include "tweaks/catalogue.h"
#include "wine/hermetic_registry_win32.h"

namespace corvandel {

class TweakWindowTest : public ::testing::Test {
 protected:
  static constexpr int kOverviewList = 1007;

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
  IPageHost& Pages() { return dialog->pages(); }
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
  // Selects the node in the tree, as a click does (the selection dispatch runs).
  void Select(int tweakId) {
    HTREEITEM item = FindItem(tweakId);
    ASSERT_NE(nullptr, item) << tweakId;
    SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }
  HWND Control(int pageId, int controlId) { return GetDlgItem(dialog->pages().PageWindow(pageId), controlId); }
  void Click(int pageId, int controlId) { SendMessageA(Control(pageId, controlId), BM_CLICK, 0, 0); }
  void PressApply() { SendMessageA(GetDlgItem(dialog->window(), page::kApplyButton), BM_CLICK, 0, 0); }

  // The date the overview of nodeId shows for tweakId.
  std::string OverviewDate(int nodeId, int tweakId) {
    Select(nodeId);
    const std::vector<int> rows = CatalogueDispatch().OverviewTweakIds(nodeId);
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i] == tweakId) return Pages().ListItemText(page::kListCheck, kOverviewList, static_cast<int>(i), 1);
    ADD_FAILURE() << tweakId << " is not in the overview of " << nodeId;
    return {};
  }

  ScratchFolder folder;
  std::unique_ptr<IRegistry> registry;
  SettablePlatform platform;
  Win32Profile profile;
  std::unique_ptr<CMainDlg> dialog;
};

// A value as the system registry holds it: a 32-bit number, or text (REG_SZ or
// REG_EXPAND_SZ, up to its zero).
inline std::optional<DWORD> DwordValue(HKEY root, const char* path, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  DWORD value = 0, size = sizeof(value), type = 0;
  const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD) return std::nullopt;
  return value;
}

inline std::optional<std::string> TextValue(HKEY root, const char* path, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  char text[512] = {};
  DWORD size = sizeof(text) - 1, type = 0;
  const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return std::string(text);
}

inline bool KeyExists(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace corvandel
