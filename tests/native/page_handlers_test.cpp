// The pages' own handlers over the page model: browse buttons, the two check
// boxes that enable other controls, and the number combo, each with what the
// catalogue's rows say the selected tweak's page does.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "pages/page_handlers.h"
#include "pages/page_model.h"
#include "services/platform_fake.h"
#include "tweaks/catalogue.h"

namespace corvandel {
namespace {

const PageBehaviour& PageOf(int tweakId) { return CatalogueDispatch().PageOf(tweakId); }

// Remembers which dialog was asked for, and with which filter.
class RecordingPlatform : public SettablePlatform {
 public:
  std::vector<std::string> asked;  // "file <filter>" or "folder"

  std::optional<std::string> BrowseForFile(const std::string& filter) override {
    asked.push_back("file " + filter);
    return SettablePlatform::BrowseForFile(filter);
  }
  std::optional<std::string> BrowseForFolder(const std::string& start, const std::string& prompt) override {
    asked.push_back("folder");
    folderAsked = {start, prompt};
    return SettablePlatform::BrowseForFolder(start, prompt);
  }
  std::pair<std::string, std::string> folderAsked;  // the start folder and the prompt
};

struct BrowseCase {
  int tweakId;
  const char* dialog;  // what the platform is asked for
  const char* chosen;
  const char* editText;
};

constexpr BrowseCase kBrowseCases[] = {
    {62,  "file *.ico||",              "C:\\Icons\\My Drive.ico",  "\"C:\\Icons\\My Drive.ico\""},
    {107, "folder",                    "C:\\Temp Files",           "C:\\Temp Files"},
    {255, "folder",                    "D:\\i386",                 "D:\\i386"},
    {306, "folder",                    "C:\\",                     "C:\\"},
    {307, "folder",                    "E:\\Logs",                 "E:\\Logs"},
    {0,   "file All Files(*.*)|*.*||", "C:\\tools\\app.exe",       "\"C:\\tools\\app.exe\""},
    {61,  "file All Files(*.*)|*.*||", "C:\\a.ico",                "\"C:\\a.ico\""},
    {159, "file All Files(*.*)|*.*||", "C:\\Program Files\\x.exe", "\"C:\\Program Files\\x.exe\""},
    {308, "file All Files(*.*)|*.*||", "C:\\b.bat",                "\"C:\\b.bat\""},
};

struct ButtonCase {
  int pageId;
  int buttonId;
  int editId;
};

constexpr ButtonCase kBrowseButtons[] = {
    {page::kEditCheck, 1023, 1015},  {page::kEditCheck, 1026, 1017},  {page::kEditCheck, 1027, 1025},
    {page::kEditBrowse, 1023, 1015}, {page::kEditBrowse, 1026, 1017}, {page::kEditBrowse, 1027, 1025},
    {page::kEditBrowse, 1048, 1042}, {page::kEditBrowse, 1050, 1049},
};

TEST(BrowseButtons, FillTheirOwnEditWithTheDialogChosenByTheSelectedTweak) {
  for (const ButtonCase& button : kBrowseButtons) {
    for (const BrowseCase& c : kBrowseCases) {
      SCOPED_TRACE(std::to_string(button.pageId) + "/" + std::to_string(button.buttonId) + " tweak " +
                   std::to_string(c.tweakId));
      PageModel pages;
      RecordingPlatform platform;
      platform.browseAnswers.push_back(c.chosen);
      EXPECT_TRUE(OnBrowseButton(pages, platform, PageOf(c.tweakId), button.pageId, button.buttonId));
      EXPECT_EQ(std::vector<std::string>{c.dialog}, platform.asked);
      EXPECT_EQ(c.editText, pages.GetText(button.pageId, button.editId));
      for (const ButtonCase& other : kBrowseButtons) {
        if (other.pageId == button.pageId && other.editId != button.editId) {
          EXPECT_EQ("", pages.GetText(other.pageId, other.editId)) << other.editId;
        }
      }
    }
  }
}

// A folder dialog opens at the folder its edit holds, its label as the prompt.
TEST(BrowseButtons, AFolderDialogStartsAtTheEditsFolderWithTheLabelAsPrompt) {
  PageModel pages;
  RecordingPlatform platform;
  pages.SetText(page::kEditBrowse, 1039, "Internet Cache:");
  pages.SetText(page::kEditBrowse, 1042, "D:\\Cache");
  pages.SetText(page::kEditBrowse, 1041, "My Documents:");
  EXPECT_TRUE(OnBrowseButton(pages, platform, PageOf(306), page::kEditBrowse, 1048));
  EXPECT_EQ((std::pair<std::string, std::string>{"D:\\Cache", "Internet Cache:"}), platform.folderAsked);
}

TEST(BrowseButtons, CancellingEmptiesTheEdit) {
  for (int tweakId : {62, 107, 12}) {
    PageModel pages;
    RecordingPlatform platform;  // no answer queued: the dialog is cancelled
    pages.SetText(page::kEditBrowse, 1042, "\"C:\\old.exe\"");
    EXPECT_TRUE(OnBrowseButton(pages, platform, PageOf(tweakId), page::kEditBrowse, 1048));
    EXPECT_EQ(1u, platform.asked.size());
    EXPECT_EQ("", pages.GetText(page::kEditBrowse, 1042)) << tweakId;
  }
}

TEST(BrowseButtons, OtherButtonsOpenNoDialog) {
  struct Other {
    int pageId;
    int controlId;
  };
  const Other others[] = {{page::kMainWindow, page::kApplyButton},
                          {page::kEditCheck, 1013},
                          {page::kEditBrowse, 1015},
                          {page::kEditCombo, 1023},
                          {page::kMultiCheck, 1026}};
  for (const Other& other : others) {
    PageModel pages;
    RecordingPlatform platform;
    platform.browseAnswers.push_back("C:\\x");
    EXPECT_FALSE(OnBrowseButton(pages, platform, PageOf(12), other.pageId, other.controlId)) << other.controlId;
    EXPECT_TRUE(platform.asked.empty());
  }
}

// The check boxes that enable other controls.

struct EnablingCase {
  int tweakId;
  int pageId;
  std::vector<int> controls;
};

TEST(EnablingCheckBoxes, FollowTheBoxWhileTheirTweakIsSelected) {
  const EnablingCase cases[] = {{159, page::kEditCheck, {1015, 1017, 1023}}, {82, page::kSingleCombo, {1021}}};
  for (const EnablingCase& c : cases) {
    PageModel pages;
    pages.SetCheck(c.pageId, 1013, 0);
    OnCheckBoxClicked(pages, PageOf(c.tweakId), c.pageId, 1013);
    for (int id : c.controls) EXPECT_FALSE(pages.IsControlEnabled(c.pageId, id)) << c.tweakId << " " << id;
    pages.SetCheck(c.pageId, 1013, 1);
    OnCheckBoxClicked(pages, PageOf(c.tweakId), c.pageId, 1013);
    for (int id : c.controls) EXPECT_TRUE(pages.IsControlEnabled(c.pageId, id)) << c.tweakId << " " << id;
  }
}

TEST(EnablingCheckBoxes, LeaveTheOtherControlsOfThePageAlone) {
  PageModel pages;
  OnCheckBoxClicked(pages, PageOf(159), page::kEditCheck, 1013);  // unchecked: disables its three
  for (int id : {1013, 1018, 1025, 1026, 1027, 1014, 1024})
    EXPECT_TRUE(pages.IsControlEnabled(page::kEditCheck, id)) << id;
}

TEST(EnablingCheckBoxes, DoNothingForAnotherTweakPageOrBox) {
  struct Click {
    int tweakId;
    int pageId;
    int controlId;
  };
  const Click clicks[] = {
      {158, page::kEditCheck, 1013},   {82, page::kEditCheck, 1013},   {159, page::kEditCheck, 1018},
      {159, page::kSingleCombo, 1013}, {81, page::kSingleCombo, 1013}, {82, page::kComboCheck, 1013},
  };
  for (const Click& click : clicks) {
    PageModel pages;  // every box unchecked: a rule that ran would disable
    OnCheckBoxClicked(pages, PageOf(click.tweakId), click.pageId, click.controlId);
    for (int id : {1015, 1017, 1023}) EXPECT_TRUE(pages.IsControlEnabled(page::kEditCheck, id));
    EXPECT_TRUE(pages.IsControlEnabled(page::kSingleCombo, 1021));
    EXPECT_TRUE(pages.IsControlEnabled(page::kComboCheck, 1021));
  }
}

// Over the whole catalogue: only these tweaks' pages open another dialog than
// any file, or have a box that enables other controls.
TEST(PageBehaviours, DepartFromTheDefaultOnlyForTheirOwnTweaks) {
  const std::map<int, Browse> otherDialogs = {
      {62, Browse::kIcon}, {107, Browse::kFolder}, {255, Browse::kFolder}, {306, Browse::kFolder}, {307, Browse::kFolder}};
  for (int id = 0; id < kTweakCount; ++id) {
    const PageBehaviour& page = PageOf(id);
    const auto other = otherDialogs.find(id);
    if (other != otherDialogs.end())
      EXPECT_EQ(other->second, page.browse) << id;
    else
      EXPECT_TRUE(page.browse == Browse::kFile || page.browse == Browse::kNone) << id;
    EXPECT_EQ(id == 82 || id == 159, page.enabling.pageId != 0) << id;
  }
}

TEST(NumberCombo, HoldsZeroToTenThousandInAscendingOrderWithNothingSelected) {
  PageModel pages;
  FillNumberCombo(pages);
  ASSERT_EQ(kNumberComboLast + 1, pages.ComboCount(page::kSingleCombo, 1021));
  for (int i : {0, 1, 2, 9, 10, 11, 99, 100, 1000, 9999, 10000})
    EXPECT_EQ(std::to_string(i), pages.ComboItemText(page::kSingleCombo, 1021, i));
  EXPECT_EQ(kComboError, pages.ComboGetCurSel(page::kSingleCombo, 1021));
  EXPECT_EQ(0, pages.ComboCount(page::kEditCombo, 1021));  // same ID, other page
}

}  // namespace
}  // namespace corvandel
