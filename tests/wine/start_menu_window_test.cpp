// Start Menu and Taskbar tweaks through the real main window: the tree, the
// real pages and the Apply button over a hermetic registry, then the real
// registry and the group overviews.
#include "wine/tweak_window.h"

namespace corvandel {
namespace {

constexpr char kNonEnum[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\NonEnum";
constexpr char kMyComputer[] = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

class StartMenuWindowTest : public TweakWindowTest {};

struct StoredValue {
  DWORD type = REG_NONE;  // REG_NONE: absent
  std::string bytes;
};

StoredValue ValueAt(HKEY root, const std::string& path, const char* name) {
  StoredValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
  char data[64] = {};
  DWORD size = sizeof data;
  if (RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS)
    value.bytes.assign(data, size);
  else
    value.type = REG_NONE;
  RegCloseKey(key);
  return value;
}

std::string Dword(DWORD number) { return std::string(reinterpret_cast<const char*>(&number), sizeof number); }

// The policy key is created under both roots on a fresh registry, and the
// date goes to the record this tweak shares with the Desktop tweak of the
// same title, so both overviews show it.
TEST_F(StartMenuWindowTest, RemovingMyComputerCreatesItsKeyAndDatesBothOverviews) {
  Start();
  Select(201);
  EXPECT_TRUE(Pages().IsPageVisible(page::kMultiCheck));
  EXPECT_EQ(0, Pages().GetCheck(page::kMultiCheck, 1013));
  EXPECT_EQ(0, Pages().GetCheck(page::kMultiCheck, 1018));
  platform.today = {2008, 1, 2};
  Click(page::kMultiCheck, 1013);
  PressApply();
  EXPECT_EQ(Dword(1), ValueAt(HKEY_CURRENT_USER, kNonEnum, kMyComputer).bytes);
  EXPECT_EQ(Dword(0), ValueAt(HKEY_LOCAL_MACHINE, kNonEnum, kMyComputer).bytes);
  EXPECT_EQ("1/2/2008", OverviewDate(177, 201));
  EXPECT_EQ("1/2/2008", OverviewDate(78, 89));
  EXPECT_EQ("3/7/2007", OverviewDate(177, 200));
  Select(201);
  EXPECT_EQ(1, Pages().GetCheck(page::kMultiCheck, 1013));
}

// Every profile of HKEY_USERS but the first one enumerated (".DEFAULT").
TEST_F(StartMenuWindowTest, ScrollingIsWrittenToEveryProfileButTheDefault) {
  const std::string defaultProfile = std::string(".DEFAULT\\") + kAdvanced;
  const std::string userProfile = std::string("S-1-5-21-1004\\") + kAdvanced;
  for (const std::string& path : {defaultProfile, userProfile}) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_USERS, path.c_str(), &key));
    RegCloseKey(key);
  }
  Start();
  Select(197);
  Click(page::kMultiCheck, 1018);
  PressApply();
  EXPECT_EQ(Dword(1), ValueAt(HKEY_USERS, userProfile, "Start_ScrollPrograms").bytes);
  EXPECT_EQ(static_cast<DWORD>(REG_NONE), ValueAt(HKEY_USERS, defaultProfile, "Start_ScrollPrograms").type);
  // Wine hands back a text stored without its zero with one appended.
  const StoredValue classic = ValueAt(HKEY_USERS, userProfile, "StartMenuScrollPrograms");
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), classic.type);
  EXPECT_EQ("No", classic.bytes.substr(0, 2));
}

// The program list is a list view of check boxes without columns.
TEST_F(StartMenuWindowTest, ProgramRowsCarryTheirCheckBoxes) {
  for (const char* name : {"Applications\\calc.exe", "Applications\\Setup.Exe", "Applications\\WRITE.EXE"}) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, name, &key));
    RegCloseKey(key);
  }
  Start();
  Select(208);
  ASSERT_EQ(2, Pages().ListItemCount(page::kList, 1009));
  EXPECT_EQ("calc.exe", Pages().ListItemText(page::kList, 1009, 0, 0));
  EXPECT_TRUE(Pages().ListGetCheck(page::kList, 1009, 0));
  Pages().ListSetCheck(page::kList, 1009, 0, false);
  PressApply();
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), ValueAt(HKEY_CLASSES_ROOT, "Applications\\calc.exe", "NoStartPage").type);
  Select(208);
  EXPECT_FALSE(Pages().ListGetCheck(page::kList, 1009, 0));
  EXPECT_TRUE(Pages().ListGetCheck(page::kList, 1009, 1));
}

}  // namespace
}  // namespace corvandel
