// Login and Authentication and Start up and Shutdown in the real main window,
// created hidden in this process over a hermetic registry: a tweak is chosen
// in the tree, its page set with clicks and typed text, Apply pressed, and
// the registry and the category's overview read back.
#include "wine/tweak_window.h"

namespace corvandel {
namespace {

constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// A REG_SZ value as stored; nothing when it is absent or of another type.
void PutText(HKEY root, const char* path, const char* name, const char* text) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(root, path, &key));
  if (name) RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text)));
  RegCloseKey(key);
}

class LoginWindowTest : public TweakWindowTest {
 protected:
  void Type(int pageId, int controlId, const char* text) {
    SendMessageA(Control(pageId, controlId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
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
