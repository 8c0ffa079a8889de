// Appearance and Desktop tweaks in the real main window over a hermetic
// registry: the page a tweak loads, a click on its check box, the Apply
// button, the registry afterwards and the date its overview shows.
#include "tweaks/catalogue.h"
#include "wine/tweak_window.h"

namespace corvandel {
namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

class AppearanceWindowTest : public TweakWindowTest {
 protected:
  void SetUp() override {
    TweakWindowTest::SetUp();
    for (const char* path : {kDesktopKey, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies"}) {
      HKEY key = nullptr;
      ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, path, &key));
      RegCloseKey(key);
    }
  }

  // The user's click on a check box of the multi-check page, then on Apply.
  void ClickCheckBoxAndApply(int controlId) {
    Click(page::kMultiCheck, controlId);
    PressApply();
  }

  // The value's bytes and type under HKEY_CURRENT_USER; empty when absent.
  std::vector<BYTE> ValueOf(const char* path, const char* name, DWORD* type) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    std::vector<BYTE> data(64);
    DWORD size = static_cast<DWORD>(data.size());
    const LONG read = RegQueryValueExA(key, name, nullptr, type, data.data(), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS) return {};
    data.resize(size);
    return data;
  }
};

TEST_F(AppearanceWindowTest, MovingWindowContentsAreSwitchedOnAndTheOverviewShowsToday) {
  constexpr int kMovingWindows = 57;
  constexpr int kEffectsAndMenus = 52;
  Start();
  dialog->navigator().Select(kMovingWindows);
  EXPECT_TRUE(Pages().IsPageVisible(page::kMultiCheck));
  EXPECT_EQ("Display the Contents of Moving Windows.", Pages().GetText(page::kMultiCheck, 1013));
  EXPECT_EQ(0, Pages().GetCheck(page::kMultiCheck, 1013));

  platform.today = {2008, 1, 2};
  ClickCheckBoxAndApply(1013);
  // The system stores a zero after the text's one character.
  DWORD type = 0;
  const std::vector<BYTE> flag = ValueOf(kDesktopKey, "DragFullWindows", &type);
  EXPECT_EQ("1", std::string(flag.begin(), std::find(flag.begin(), flag.end(), 0)));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);

  dialog->navigator().Select(kEffectsAndMenus);
  const std::vector<int> rows = CatalogueDispatch().OverviewTweakIds(kEffectsAndMenus);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i] == kMovingWindows ? "1/2/2008" : "3/7/2007",
              Pages().ListItemText(page::kListCheck, kOverviewList, static_cast<int>(i), 1))
        << rows[i];
  }
}

TEST_F(AppearanceWindowTest, WindowsVersionIsPaintedOnTheDesktop) {
  Start();
  dialog->navigator().Select(94);
  EXPECT_EQ("Show Windows Version on Desktop .", Pages().GetText(page::kMultiCheck, 1013));
  ClickCheckBoxAndApply(1013);
  DWORD type = 0;
  EXPECT_EQ((std::vector<BYTE>{1, 0, 0, 0}), ValueOf(kDesktopKey, "PaintDesktopVersion", &type));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
}

TEST_F(AppearanceWindowTest, ClassicDesktopIsRefusedOnXpAndNothingIsWritten) {
  platform.version = {2, 5, 1};
  Start();
  dialog->navigator().Select(86);
  EXPECT_TRUE(Pages().IsControlVisible(page::kMultiCheck, 1018));
  const std::size_t shown = platform.messages.size();
  ClickCheckBoxAndApply(1013);
  ASSERT_EQ(shown + 1, platform.messages.size());
  EXPECT_EQ("This Tweak is active only with Windows 95/98/Me/NT/2000", platform.messages.back().text);
  HKEY key = nullptr;
  EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                                         0, KEY_READ, &key));
}

}  // namespace
}  // namespace corvandel
