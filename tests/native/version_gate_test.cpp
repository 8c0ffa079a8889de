#include <gtest/gtest.h>

#include "pages/page_model.h"
#include "pages/version_gate.h"
#include "scratch_folder.h"
#include "services/platform_fake.h"
#include "services/profile_ini.h"

namespace corvandel {
namespace {

// A check box a version gate reverts, and the required edit with the box it
// unchecks.
constexpr int kPage = page::kMultiCheck;
constexpr int kBox = 1013;
constexpr int kEditPage = page::kEditCheck;
constexpr int kEditBox = 1013;
constexpr int kEdit = 1015;
constexpr OsVersionRecord kWin98{1, 4, 10};
constexpr OsVersionRecord kWinXP{2, 5, 1};

class VersionGateTest : public testing::Test {
 protected:
  SettablePlatform platform;
  ScratchFolder folder;  // the program folder
  IniProfile profile;
  Language language{profile, folder.Ansi()};
  PageModel pages;
  GateContext ctx{platform, language, pages};

  void ExpectOneAlert(const std::string& text, const std::string& caption = "A L E R T") {
    ASSERT_EQ(1u, platform.messages.size());
    EXPECT_EQ(text, platform.messages[0].text);
    EXPECT_EQ(caption, platform.messages[0].caption);
    EXPECT_EQ(mb::kIconError, platform.messages[0].style);
  }
};

TEST_F(VersionGateTest, PassesSilentlyWhenAnAdmittedVersionRuns) {
  platform.version = kWinXP;
  pages.SetCheck(kPage, kBox, 1);
  EXPECT_TRUE(RequireVersion(ctx, Versions::kXP | Versions::k2000, 2003, CheckBoxRef{kPage, kBox}));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(1, pages.GetCheck(kPage, kBox));
}

TEST_F(VersionGateTest, RefusalShowsTheAlertAndLeavesTheBoxWhenNotReverting) {
  platform.version = kWin98;
  pages.SetCheck(kPage, kBox, 1);
  EXPECT_FALSE(RequireVersion(ctx, Versions::kXP | Versions::k2000 | Versions::kNT4, 2002));
  ExpectOneAlert("This Tweak is active only on Windows NT/2000/XP");
  EXPECT_EQ(1, pages.GetCheck(kPage, kBox));
}

TEST_F(VersionGateTest, RefusalRevertsTheBoxToTheOppositeState) {
  const struct {
    int before;
    int after;
  } cases[] = {{1, 0}, {0, 1}};
  for (const auto& c : cases) {
    platform.messages.clear();
    platform.version = kWin98;
    pages.SetCheck(kPage, kBox, c.before);
    EXPECT_FALSE(RequireVersion(ctx, Versions::kXP, 2004, CheckBoxRef{kPage, kBox}));
    EXPECT_EQ(c.after, pages.GetCheck(kPage, kBox)) << "from " << c.before;
    ExpectOneAlert("This Tweak is active only on Windows XP");
  }
}

TEST_F(VersionGateTest, RefusedAgainAfterTheRevertAlertsAgain) {
  platform.version = {2, 6, 0};  // no predicate knows it
  pages.SetCheck(kPage, kBox, 1);
  EXPECT_FALSE(RequireVersion(ctx, Versions::kXP, 2004, CheckBoxRef{kPage, kBox}));
  EXPECT_FALSE(RequireVersion(ctx, Versions::kXP, 2004, CheckBoxRef{kPage, kBox}));
  EXPECT_EQ(2u, platform.messages.size());
  EXPECT_EQ(1, pages.GetCheck(kPage, kBox));  // flipped twice
}

TEST_F(VersionGateTest, AlertTextsComeThroughTheLanguageFile) {
  folder.Write("Language\\Deutsch.ini", "[VantorelStringTable]\r\n2001=A C H T U N G\r\n2022=Nur\\tWindows 98\r\n");
  language.SetName("Deutsch");
  platform.version = kWinXP;
  EXPECT_FALSE(RequireVersion(ctx, Versions::k98, 2022));
  ExpectOneAlert("Nur\tWindows 98", "A C H T U N G");
}

TEST_F(VersionGateTest, RequiredEditPassesWithText) {
  pages.SetText(kEditPage, kEdit, " ");
  pages.SetCheck(kEditPage, kEditBox, 1);
  EXPECT_TRUE(RequireEditText(ctx, kEditPage, kEdit, 2005, CheckBoxRef{kEditPage, kEditBox}));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(1, pages.GetCheck(kEditPage, kEditBox));
}

TEST_F(VersionGateTest, EmptyRequiredEditAlertsAndUnchecksOnlyWhenAsked) {
  pages.SetCheck(kEditPage, kEditBox, 1);
  EXPECT_FALSE(RequireEditText(ctx, kEditPage, kEdit, 2006));
  ExpectOneAlert("Please Set the Alternate Program Path");
  EXPECT_EQ(1, pages.GetCheck(kEditPage, kEditBox));

  platform.messages.clear();
  EXPECT_FALSE(RequireEditText(ctx, kEditPage, kEdit, 2005, CheckBoxRef{kEditPage, kEditBox}));
  ExpectOneAlert("Please Set the Command Prompt Menu Name");
  EXPECT_EQ(0, pages.GetCheck(kEditPage, kEditBox));
}

TEST_F(VersionGateTest, ShowAlertUsesCaption2001AndTheErrorIcon) {
  ShowAlert(ctx, 2013);
  ExpectOneAlert("You must choose Enable Font Smoothing on Windows NT/2000/XP or Disable");
}

}  // namespace
}  // namespace corvandel
