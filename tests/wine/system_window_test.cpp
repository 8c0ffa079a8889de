// A System tweak on the real window: selected in the tree, changed with a
// click, applied with the Apply button, then dated in its group's overview.
#include "tweaks/catalogue.h"
#include "wine/tweak_window.h"

namespace corvandel {
namespace {

constexpr int kDisableDcom = 240;
constexpr int kServices = 239;

class SystemWindowTest : public TweakWindowTest {};

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
  const std::vector<int> rows = CatalogueDispatch().OverviewTweakIds(kServices);
  ASSERT_EQ(static_cast<int>(rows.size()), Pages().ListItemCount(page::kListCheck, 1007));
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(rows[i] == kDisableDcom ? "1/2/2008" : "3/7/2007",
              Pages().ListItemText(page::kListCheck, 1007, static_cast<int>(i), 1))
        << rows[i];
}

}  // namespace
}  // namespace corvandel
