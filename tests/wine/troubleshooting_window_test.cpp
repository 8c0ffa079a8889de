// A Troubleshooting tweak through the real main window over a hermetic
// registry: selected in the tree, its boxes clicked, Apply pressed; then the
// registry and the category's overview.
#include "tweaks/catalogue.h"
#include "wine/tweak_window.h"

namespace corvandel {
namespace {

constexpr int kTroubleshooting = 273;
constexpr int kNumLock = 297;

class TroubleshootingWindowTest : public TweakWindowTest {};

// Both NumLock boxes checked: the current user's value is written; the default
// profile has no keyboard key in a fresh prefix, and the key is only opened,
// so nothing is written there.
TEST_F(TroubleshootingWindowTest, NumLockForBothScopesWritesTheCurrentUserAndDatesTheTweak) {
  HKEY keyboard = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Control Panel\\Keyboard", &keyboard));
  RegCloseKey(keyboard);
  Start();

  Select(kNumLock);
  ASSERT_EQ(kNumLock, dialog->navigator().CurrentTweakId());
  EXPECT_TRUE(dialog->pages().IsControlVisible(page::kMultiCheck, 1018));
  EXPECT_EQ(0, dialog->pages().GetCheck(page::kMultiCheck, 1013));
  EXPECT_EQ(0, dialog->pages().GetCheck(page::kMultiCheck, 1018));

  platform.today = {2008, 1, 2};
  Click(page::kMultiCheck, 1013);
  Click(page::kMultiCheck, 1018);
  PressApply();

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

  Select(kTroubleshooting);
  const std::vector<int> rows = CatalogueDispatch().OverviewTweakIds(kTroubleshooting);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i] == kNumLock ? "1/2/2008" : "3/7/2007",
              dialog->pages().ListItemText(page::kListCheck, 1007, static_cast<int>(i), 1))
        << rows[i];
  }
}

}  // namespace
}  // namespace corvandel
