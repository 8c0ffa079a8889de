// The headless front end's parts on their own: the page printer, the
// settings, the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/options.h"
#include "cli/page_printer.h"
#include "nav/profile.h"
#include "nav/settings.h"
#include "pages/page_handlers.h"
#include "pages/page_model.h"
#include "scratch_folder.h"
#include "tweaks/catalogue.h"

namespace corvandel {
namespace {

std::string Printed(const IPageHost& pages) {
  std::ostringstream out;
  PrintPage(pages, out);
  return out.str();
}

TEST(CliPrinterTest, EscapesMakeEveryTextOneAsciiLine) {
  struct Case {
    std::string text, escaped;
  };
  const Case cases[] = {
      {"plain text", "plain text"},
      {"a\nb\tc\rd", "a\\nb\\tc\\rd"},
      {"C:\\x \"y\"", "C:\\\\x \\\"y\\\""},
      {std::string("\0\x01\x1F\x7F", 4), "\\x00\\x01\\x1F\\x7F"},
      {"caf\xE9 \x80", "caf\\xE9 \\x80"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.escaped, EscapeText(c.text));
    EXPECT_EQ("\"" + c.escaped + "\"", QuoteText(c.text));
  }
}

TEST(CliPrinterTest, PrintsVisibleControlsInTemplateOrderWithTheirState) {
  PageModel pages;
  EXPECT_EQ("page none\n", Printed(pages));

  pages.ShowPage(page::kEditCheck, true);
  pages.SetText(page::kEditCheck, 1006, "Title:\nDescription");
  pages.SetText(page::kEditCheck, 1013, "Enable it");
  pages.SetCheck(page::kEditCheck, 1013, 1);
  pages.SetText(page::kEditCheck, 1014, "Menu Label:");
  pages.SetText(page::kEditCheck, 1015, "\"C:\\x.exe\"");
  pages.EnableControl(page::kEditCheck, 1015, false);
  for (int hidden : {1019, 1017, 1026, 1020, 1025, 1027, 1018}) pages.ShowControl(page::kEditCheck, hidden, false);
  pages.ShowControl(page::kMainWindow, page::kApplyButton, true);
  EXPECT_EQ(
      "page CEditCheckPage\n"
      "1006 static \"Title:\\nDescription\"\n"
      "1013 check 1 \"Enable it\"\n"
      "1014 static \"Menu Label:\"\n"
      "1015 edit \"\\\"C:\\\\x.exe\\\"\" disabled\n"
      "1023 button \"...\"\n"
      "1024 static \"Note\"\n"
      "1016 button \"Apply Changes\"\n",
      Printed(pages));
}

TEST(CliPrinterTest, PrintsCombosWithSelectionTextAndCount) {
  PageModel pages;
  pages.ShowPage(page::kEditCombo, true);
  pages.ShowControl(page::kEditCombo, 1030, true);
  for (const char* item : {"TAB key", "Space", "Ctrl+D"}) {
    pages.ComboAddString(page::kEditCombo, 1030, item);
    pages.ComboAddString(page::kEditCombo, 1021, item);
  }
  pages.ComboSetCurSel(page::kEditCombo, 1030, 2);
  pages.SetText(page::kEditCombo, 1021, "typed");  // an edit field's own text
  pages.EnableControl(page::kEditCombo, 1022, false);
  EXPECT_EQ(
      "page CEditComboPage\n"
      "1006 static \"\"\n"
      "1014 static \"Lable1\"\n"
      "1030 combo 2 \"Ctrl+D\" items=3\n"
      "1019 static \"Lable2\"\n"
      "1021 combo -1 \"typed\" items=3\n"
      "1020 static \"Lable3\"\n"
      "1022 combo -1 \"\" items=0 disabled\n"
      "1039 static \"Lable4\"\n"
      "1029 combo -1 \"\" items=0\n"
      "1024 static \"Note\"\n",
      Printed(pages));
}

TEST(CliPrinterTest, PrintsListsWithColumnsRowsAndChecks) {
  PageModel pages;
  pages.ShowPage(page::kListCheck, true);
  pages.ShowControl(page::kListCheck, 1007, true);
  pages.ListInsertColumn(page::kListCheck, 1007, 0, "Name", 280, ColumnAlign::kLeft);
  pages.ListInsertColumn(page::kListCheck, 1007, 1, "Data Modified", 115, ColumnAlign::kLeft);
  pages.ListInsertItem(page::kListCheck, 1007, 0, "First");
  pages.ListSetItemText(page::kListCheck, 1007, 0, 1, "3/7/2007");
  pages.ListInsertItem(page::kListCheck, 1007, 1, "Second");
  pages.ListSetCheck(page::kListCheck, 1007, 1, true);  // no check boxes on this list: not shown
  pages.ListSelectRow(page::kListCheck, 1007, 1);
  EXPECT_EQ(
      "page CListCheckPage\n"
      "1006 static \"\"\n"
      "1007 list columns=\"Name\",\"Data Modified\" rows=2 selected=1\n"
      "1007[0] \"First\" \"3/7/2007\"\n"
      "1007[1] \"Second\" \"\"\n",
      Printed(pages));

  PageModel checks;
  checks.ShowPage(page::kList, true);
  for (const char* item : {"Inbox", "Outbox"}) checks.ListInsertItem(page::kList, 1009, 99, item);
  checks.ListSetCheck(page::kList, 1009, 1, true);
  EXPECT_EQ(
      "page CListPage\n"
      "1006 static \"\"\n"
      "1009 list columns= rows=2 selected=-1\n"
      "1009[0] \"Inbox\"\n"
      "1009[1] checked \"Outbox\"\n",
      Printed(checks));
}

TEST(CliSettingTest, ParsesTheThreeFormsAndNothingElse) {
  struct Case {
    const char* text;
    Setting::Kind kind;
    int id, row;
    const char* value;
  };
  const Case good[] = {
      {"1013=1", Setting::kValue, 1013, -1, "1"},
      {"1015=", Setting::kValue, 1015, -1, ""},
      {"1015=a=b [c]", Setting::kValue, 1015, -1, "a=b [c]"},
      {"1021=#-1", Setting::kValue, 1021, -1, "#-1"},
      {"1009[3]=0", Setting::kRowCheck, 1009, 3, "0"},
      {"click:1023", Setting::kClick, 1023, -1, ""},
  };
  for (const Case& c : good) {
    const auto setting = ParseSetting(c.text);
    ASSERT_TRUE(setting) << c.text;
    EXPECT_EQ(c.kind, setting->kind) << c.text;
    EXPECT_EQ(c.id, setting->controlId) << c.text;
    EXPECT_EQ(c.row, setting->row) << c.text;
    EXPECT_EQ(c.value, setting->value) << c.text;
  }
  for (const char* bad : {"1013", "=1", "x=1", "10 13=1", "click:", "click:x", "click:1023 ", "1009[x]=1",
                          "1009[1]=2", "1009[-1]=1", "1009[]=1", "1009[1=1", "[1]=1"})
    EXPECT_FALSE(ParseSetting(bad)) << bad;
}

class CliSettingPageTest : public ::testing::Test {
 protected:
  bool Apply(const std::string& text, int tweakId, int pageId) {
    const auto setting = ParseSetting(text);
    EXPECT_TRUE(setting) << text;
    error.clear();
    return setting && ApplySetting(*setting, {pages, platform, CatalogueDispatch().PageOf(tweakId), pageId}, &error);
  }

  PageModel pages;
  SettablePlatform platform;
  std::string error;
};

TEST_F(CliSettingPageTest, CheckBoxSetToANewStateIsClickedSoTheHandlerRuns) {
  // Tweak 159: CEditCheckPage's 1013 enables edits 1015, 1017 and button 1023.
  for (int id : {1015, 1017, 1023}) pages.EnableControl(page::kEditCheck, id, false);
  ASSERT_TRUE(Apply("1013=1", 159, page::kEditCheck)) << error;
  EXPECT_EQ(1, pages.GetCheck(page::kEditCheck, 1013));
  for (int id : {1015, 1017, 1023}) EXPECT_TRUE(pages.IsControlEnabled(page::kEditCheck, id)) << id;

  ASSERT_TRUE(Apply("1015=C:\\tool.exe", 159, page::kEditCheck)) << error;
  EXPECT_EQ("C:\\tool.exe", pages.GetText(page::kEditCheck, 1015));
  ASSERT_TRUE(Apply("click:1013", 159, page::kEditCheck)) << error;
  EXPECT_EQ(0, pages.GetCheck(page::kEditCheck, 1013));
  EXPECT_FALSE(pages.IsControlEnabled(page::kEditCheck, 1015));
  EXPECT_FALSE(Apply("1015=x", 159, page::kEditCheck));
  EXPECT_EQ("control 1015 is disabled", error);
  EXPECT_EQ("C:\\tool.exe", pages.GetText(page::kEditCheck, 1015));

  // Setting the state it already has is no click: the handler does not run.
  pages.EnableControl(page::kEditCheck, 1015, true);
  ASSERT_TRUE(Apply("1013=0", 159, page::kEditCheck));
  EXPECT_TRUE(pages.IsControlEnabled(page::kEditCheck, 1015));

  // Tweak 82: CSingleComboPage's 1013 enables combo 1021; other tweaks' clicks only toggle.
  ASSERT_TRUE(Apply("1013=1", 82, page::kSingleCombo));
  EXPECT_TRUE(pages.IsControlEnabled(page::kSingleCombo, 1021));
  ASSERT_TRUE(Apply("1013=0", 82, page::kSingleCombo));
  EXPECT_FALSE(pages.IsControlEnabled(page::kSingleCombo, 1021));
  ASSERT_TRUE(Apply("1013=1", 81, page::kSingleCombo));
  EXPECT_FALSE(pages.IsControlEnabled(page::kSingleCombo, 1021));
}

TEST_F(CliSettingPageTest, BrowseButtonsPutTheDialogAnswerIntoTheirEdit) {
  platform.browseAnswers = {"C:\\Program Files\\a.exe", "D:\\Folder", std::nullopt};
  ASSERT_TRUE(Apply("click:1023", 2, page::kEditCheck)) << error;
  EXPECT_EQ("\"C:\\Program Files\\a.exe\"", pages.GetText(page::kEditCheck, 1015));  // a file: quoted
  ASSERT_TRUE(Apply("click:1050", 107, page::kEditBrowse)) << error;
  EXPECT_EQ("D:\\Folder", pages.GetText(page::kEditBrowse, 1049));  // a folder: as it is
  ASSERT_TRUE(Apply("click:1023", 2, page::kEditCheck)) << error;
  EXPECT_EQ("", pages.GetText(page::kEditCheck, 1015));  // cancelled: emptied
  ASSERT_TRUE(Apply("click:1026", 2, page::kEditCheck)) << error;  // no answer left: cancelled
  EXPECT_EQ("", pages.GetText(page::kEditCheck, 1017));
}

TEST_F(CliSettingPageTest, CombosSelectByIndexOrExactTextAndEditFieldsTakeTypedText) {
  FillNumberCombo(pages);
  ASSERT_TRUE(Apply("1021=#5", 82, page::kSingleCombo)) << error;
  EXPECT_EQ(5, pages.ComboGetCurSel(page::kSingleCombo, 1021));
  ASSERT_TRUE(Apply("1021=10000", 82, page::kSingleCombo)) << error;
  EXPECT_EQ(10000, pages.ComboGetCurSel(page::kSingleCombo, 1021));
  ASSERT_TRUE(Apply("1021=#-1", 82, page::kSingleCombo)) << error;
  EXPECT_EQ(-1, pages.ComboGetCurSel(page::kSingleCombo, 1021));
  ASSERT_TRUE(Apply("1021=12abc", 82, page::kSingleCombo)) << error;  // not an item: typed
  EXPECT_EQ(-1, pages.ComboGetCurSel(page::kSingleCombo, 1021));
  EXPECT_EQ("12abc", pages.GetText(page::kSingleCombo, 1021));
  EXPECT_FALSE(Apply("1021=#10001", 82, page::kSingleCombo));
  EXPECT_EQ("combo box 1021 has no item \"#10001\" (it has 10001)", error);
  // "##" stands for a text that begins with "#"; a lone "#" is a text too.
  for (const auto& [value, typed] : {std::pair{"##5", "#5"}, std::pair{"#", "#"}, std::pair{"###", "##"}}) {
    ASSERT_TRUE(Apply(std::string("1021=") + value, 82, page::kSingleCombo)) << error;
    EXPECT_EQ(-1, pages.ComboGetCurSel(page::kSingleCombo, 1021)) << value;
    EXPECT_EQ(typed, pages.GetText(page::kSingleCombo, 1021)) << value;
    // A profile saves the typed text so that it comes back as typed.
    const std::vector<std::string> saved = PageSettings(pages, page::kSingleCombo);
    EXPECT_NE(saved.end(), std::find(saved.begin(), saved.end(), std::string("1021=#") + typed)) << value;
  }

  // A drop-down list takes only its items, matched exactly.
  for (const char* item : {"Red", "Green"}) pages.ComboAddString(page::kComboCheck, 1055, item);
  ASSERT_TRUE(Apply("1055=Red", 0, page::kComboCheck)) << error;
  EXPECT_EQ("Red", pages.GetText(page::kComboCheck, 1055));
  EXPECT_FALSE(Apply("1055=red", 0, page::kComboCheck));
  EXPECT_FALSE(Apply("1055=Blue", 0, page::kComboCheck));
  EXPECT_EQ("Red", pages.GetText(page::kComboCheck, 1055));
}

TEST_F(CliSettingPageTest, ListsSelectRowsAndCheckRowsOfCheckLists) {
  pages.ShowControl(page::kListCheck, 1007, true);
  for (const char* row : {"First", "Second"}) pages.ListInsertItem(page::kListCheck, 1007, 99, row);
  ASSERT_TRUE(Apply("1007=Second", 0, page::kListCheck)) << error;
  EXPECT_EQ(1, pages.ListSelectedRow(page::kListCheck, 1007));
  ASSERT_TRUE(Apply("1007=#0", 0, page::kListCheck)) << error;
  EXPECT_EQ(0, pages.ListSelectedRow(page::kListCheck, 1007));
  EXPECT_FALSE(Apply("1007=#2", 0, page::kListCheck));
  EXPECT_FALSE(Apply("1007[0]=1", 0, page::kListCheck));
  EXPECT_EQ("control 1007 is a list view without check boxes", error);

  for (const char* row : {"Inbox", "Outbox"}) pages.ListInsertItem(page::kList, 1009, 99, row);
  ASSERT_TRUE(Apply("1009[1]=1", 0, page::kList)) << error;
  EXPECT_TRUE(pages.ListGetCheck(page::kList, 1009, 1));
  EXPECT_FALSE(pages.ListGetCheck(page::kList, 1009, 0));
  ASSERT_TRUE(Apply("1009[1]=0", 0, page::kList)) << error;
  EXPECT_FALSE(pages.ListGetCheck(page::kList, 1009, 1));
  EXPECT_FALSE(Apply("1009[2]=1", 0, page::kList));
  EXPECT_EQ("list view 1009 has no row 2 (it has 2)", error);
}

TEST_F(CliSettingPageTest, ControlsAUserCannotReachOrSetAreErrors) {
  struct Case {
    const char* setting;
    int pageId;
    const char* error;
  };
  const Case cases[] = {
      {"9999=1", page::kMultiCheck, "the page shown has no control 9999"},
      {"1016=1", page::kMultiCheck, "the page shown has no control 1016"},
      {"1013=1", page::kMultiCheck, "control 1013 is hidden"},  // hidden as the template creates it
      {"1006=x", page::kMultiCheck, "control 1006 is a static, which takes no value"},
      {"click:1006", page::kMultiCheck, "control 1006 is a static, which cannot be clicked"},
      {"1023=x", page::kEditCheck, "control 1023 is a button, which takes no value (use click:1023)"},
      {"1013=yes", page::kEditCheck, "control 1013 is a check box: give it 0 or 1"},
      {"1015[0]=1", page::kEditCheck, "control 1015 is an edit without check boxes"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(Apply(c.setting, 0, c.pageId)) << c.setting;
    EXPECT_EQ(c.error, error) << c.setting;
  }
  EXPECT_EQ(0, pages.GetCheck(page::kEditCheck, 1013));
}

TEST(CliOptionsTest, OptionsSetThePlatformAnywhereOnTheLine) {
  ScratchFolder home;
  SettablePlatform host;
  host.drives = {{"C:\\", 3}};
  CommandLine line;
  ASSERT_FALSE(ParseCommandLine({"apply", "--windows", "nt4", "3", "--today=2008-02-29", "1013=1", "--browse", "a",
                                 "--registry", "r.reg", "--browse=", "--drives", "a:\\=2,D:\\=5", "--windir",
                                 "D:\\WINNT", "--appdata", "E:\\AD", "--home", home.Ansi() + "/", "click:1023"},
                                host, &line));
  EXPECT_EQ(CommandLine::kApply, line.command);
  EXPECT_EQ(std::vector<int>{3}, line.tweakIds);
  ASSERT_EQ(2u, line.settings.size());
  EXPECT_EQ(Setting::kClick, line.settings[1].kind);
  EXPECT_EQ("r.reg", line.registryFile);
  EXPECT_EQ(2u, line.platform.version.platformId);
  EXPECT_EQ(4u, line.platform.version.majorVersion);
  EXPECT_EQ(0u, line.platform.version.minorVersion);
  EXPECT_EQ(2008, line.platform.today.year);
  EXPECT_EQ(2, line.platform.today.month);
  EXPECT_EQ(29, line.platform.today.day);
  EXPECT_EQ((std::map<std::string, unsigned>{{"A:\\", 2}, {"D:\\", 5}}), line.platform.drives);
  EXPECT_EQ("D:\\WINNT", line.platform.windowsDirectory);
  EXPECT_EQ("E:\\AD", line.platform.appDataFolder);
  EXPECT_EQ(home.Ansi(), line.platform.programFolder);
  EXPECT_EQ((std::deque<std::optional<std::string>>{"a", ""}), line.platform.browseAnswers);

  CommandLine defaults;
  ASSERT_FALSE(ParseCommandLine({"show", "0", "309"}, host, &defaults));
  EXPECT_EQ((std::vector<int>{0, 309}), defaults.tweakIds);
  EXPECT_EQ(host.drives, defaults.platform.drives);
  EXPECT_EQ(host.programFolder, defaults.platform.programFolder);
  EXPECT_FALSE(defaults.registryFile);
  EXPECT_TRUE(defaults.platform.browseAnswers.empty());  // every dialog cancelled
}

// The host's profile folder holds unless --appdata names another place
// alone: then the profile comes from it, as before --profile-dir.
TEST(CliOptionsTest, ProfileDirBesideAppData) {
  SettablePlatform host;
  host.profileFolder = "C:\\users\\me";
  struct Case {
    std::vector<std::string> options;
    const char* profile;
  };
  const Case cases[] = {
      {{}, "C:\\users\\me"},
      {{"--appdata", "E:\\AD"}, ""},
      {{"--profile-dir", "F:\\P"}, "F:\\P"},
      {{"--profile-dir", "F:\\P", "--appdata", "E:\\AD"}, "F:\\P"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.options;
    args.push_back("tree");
    CommandLine line;
    ASSERT_FALSE(ParseCommandLine(args, host, &line));
    EXPECT_EQ(c.profile, line.platform.profileFolder) << args.size();
  }
}

TEST(CliOptionsTest, WindowsVersionsByNameOrRecord) {
  struct Case {
    const char* name;
    OsVersionRecord record;
  };
  const Case cases[] = {{"95", {1, 4, 0}},   {"98", {1, 4, 10}},  {"me", {1, 4, 90}},      {"ME", {1, 4, 90}},
                        {"nt4", {2, 4, 0}},  {"2000", {2, 5, 0}}, {"xp", {2, 5, 1}},       {"2.6.1", {2, 6, 1}},
                        {"0.0.0", {0, 0, 0}}};
  for (const Case& c : cases) {
    CommandLine line;
    ASSERT_FALSE(ParseCommandLine({"tree", "--windows", c.name}, SettablePlatform(), &line)) << c.name;
    EXPECT_EQ(c.record.platformId, line.platform.version.platformId) << c.name;
    EXPECT_EQ(c.record.majorVersion, line.platform.version.majorVersion) << c.name;
    EXPECT_EQ(c.record.minorVersion, line.platform.version.minorVersion) << c.name;
  }
}

TEST(CliOptionsTest, BadCommandLinesSayWhyWithTheirStatus) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* says;
  };
  const Case cases[] = {
      {{}, kExitUsage, "no command"},
      {{"--registry", "r.reg"}, kExitUsage, "no command"},
      {{"list"}, kExitUsage, "unknown command \"list\""},
      {{"tree", "3"}, kExitUsage, "tree takes no arguments"},
      {{"show"}, kExitUsage, "show needs a TweakId"},
      {{"apply"}, kExitUsage, "apply needs a TweakId"},
      {{"show", "310"}, kExitUsage, "bad TweakId \"310\": expected a number from 0 to 309"},
      {{"show", "1", "-1"}, kExitUsage, "bad TweakId \"-1\""},
      {{"show", "3x"}, kExitUsage, "bad TweakId \"3x\""},
      {{"apply", "3", "1013"}, kExitUsage, "bad setting \"1013\""},
      {{"apply", "3", "4"}, kExitUsage, "bad setting \"4\""},
      {{"tree", "--verbose"}, kExitUsage, "unknown option --verbose"},
      {{"tree", "-x"}, kExitUsage, "tree takes no arguments"},
      {{"tree", "--registry"}, kExitUsage, "--registry needs a value"},
      {{"tree", "--home=a", "--home=b"}, kExitUsage, "--home is given twice"},
      {{"tree", "--windows", "vista"}, kExitUsage, "--windows vista: expected"},
      {{"tree", "--windows", "2.5"}, kExitUsage, "--windows 2.5: expected"},
      {{"tree", "--windows", "2.5.x"}, kExitUsage, "--windows 2.5.x: expected"},
      {{"tree", "--today", "2007-02-29"}, kExitUsage, "--today 2007-02-29: expected a real date"},
      {{"tree", "--today", "2007-13-01"}, kExitUsage, "--today 2007-13-01"},
      {{"tree", "--today", "7/3/2007"}, kExitUsage, "--today 7/3/2007"},
      {{"tree", "--drives", "C:=3"}, kExitUsage, "--drives C:=3: expected ROOT=TYPE pairs"},
      {{"tree", "--drives", "C:\\=7"}, kExitUsage, "--drives"},
      {{"tree", "--home", "/no/such/folder/here"}, kExitFileError, "--home /no/such/folder/here: no such folder"},
      // A file written that is one read would be lost.
      {{"apply", "3", "--registry", "r.reg", "--changes", "./R.REG"}, kExitUsage,
       "--changes and --registry name the same file: ./R.REG"},
      {{"profile", "apply", "p.txt", "--changes", "x/../p.txt"}, kExitUsage, "--changes and the profile name"},
      {{"profile", "save", "r.reg", "--registry", "r.reg"}, kExitUsage, "the profile and --registry name"},
  };
  for (const Case& c : cases) {
    CommandLine line;
    const auto failure = ParseCommandLine(c.args, SettablePlatform(), &line);
    ASSERT_TRUE(failure) << c.says;
    EXPECT_EQ(c.status, failure->status) << c.says;
    EXPECT_NE(std::string::npos, failure->message.find(c.says)) << failure->message;
  }
  // "--" ends the options: "--3" is then a (bad) TweakId.
  CommandLine line;
  const auto afterEnd = ParseCommandLine({"--", "show", "--3"}, SettablePlatform(), &line);
  ASSERT_TRUE(afterEnd);
  EXPECT_NE(std::string::npos, afterEnd->message.find("bad TweakId \"--3\"")) << afterEnd->message;
}

}  // namespace
}  // namespace corvandel
