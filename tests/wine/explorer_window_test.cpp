// Explorer and File System in the real main window, created hidden in this
// process over a hermetic registry: a tweak chosen in the tree, its boxes
// clicked, Apply pressed, then the registry and the category's overview read.
#include "wine/tweak_window.h"

namespace corvandel {
namespace {

constexpr char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

class ExplorerWindowTest : public TweakWindowTest {};

TEST_F(ExplorerWindowTest, UncheckingHiddenFilesStoresTwoAndDatesTheTweak) {
  constexpr int kShowHidden = 116;
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, kAdvanced, &key));
  const DWORD on = 1;
  RegSetValueExA(key, "Hidden", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof(on));
  RegCloseKey(key);
  Start();

  Select(kShowHidden);
  EXPECT_EQ(1, Pages().GetCheck(page::kMultiCheck, 1013));
  EXPECT_EQ("Show Hidden Folders and Files.", Pages().GetText(page::kMultiCheck, 1013));
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
  EXPECT_EQ(0, Pages().GetCheck(page::kMultiCheck, 1013));
  EXPECT_EQ(0, Pages().GetCheck(page::kMultiCheck, 1018));
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
