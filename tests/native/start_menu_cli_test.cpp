// corvandel-cli golden runs over the Start Menu and Taskbar tweaks: every page
// shown over a registry file with two user profiles, and the two tweaks that
// write more than one place applied into it.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/options.h"
#include "cli_fixture.h"
#include "services/file_text.h"

namespace corvandel {
namespace {

const std::string kSeed =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced]\r\n"
    "\"StartMenuScrollPrograms\"=\"yes\"\r\n"
    "\"Start_ScrollPrograms\"=dword:00000000\r\n"
    "\"Start_ShowControlPanel\"=dword:00000002\r\n"
    "\"Start_ShowMyComputer\"=dword:00000005\r\n"
    "\"EnableBalloonTips\"=dword:00000000\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
    "\"NoStartBanner\"=hex:01,00,00,00\r\n"
    "\"MaxRecentDocs\"=dword:ffffffff\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
    "\"MaxRecentDocs\"=dword:0000000f\r\n\r\n"
    "[HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced]\r\n"
    "\"StartMenuScrollPrograms\"=\"No\"\r\n\r\n"
    "[HKEY_USERS\\S-1-5-21-1004\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced]\r\n"
    "\"StartMenuScrollPrograms\"=\"No\"\r\n\r\n"
    "[HKEY_USERS\\S-1-5-21-1005\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced]\r\n\r\n"
    "[HKEY_CLASSES_ROOT\\Applications\\calc.exe]\r\n\r\n"
    "[HKEY_CLASSES_ROOT\\Applications\\WORDPAD.EXE]\r\n"
    "\"NoStartPage\"=\"\"\r\n\r\n"
    "[HKEY_CLASSES_ROOT\\Applications\\Setup.Exe]\r\n";

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The lines of one key's section in a .reg file, up to the next blank line.
std::vector<std::string> Section(const std::string& regText, const std::string& key) {
  std::vector<std::string> section;
  const auto lines = SplitLines(regText);
  auto at = std::find(lines.begin(), lines.end(), "[" + key + "]\r");
  if (at == lines.end()) return section;
  for (++at; at != lines.end() && *at != "\r"; ++at) section.push_back(at->substr(0, at->size() - 1));
  return section;
}

TEST_F(CliAppTest, StartMenuPagesShowWhatTheRegistryFileHolds) {
  const std::string reg = WriteReg("r.reg", kSeed);
  std::vector<std::string> args = {"show"};
  for (int id = 179; id <= 210; ++id)
    if (id != 187 && id != 190) args.push_back(std::to_string(id));
  args.insert(args.end(), {"--registry", reg});
  ASSERT_EQ(kExitOk, Run(args)) << err.str();
  const auto lines = Lines();
  EXPECT_EQ(30, std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("page ", 0) == 0; }));
  EXPECT_EQ(30, std::count(lines.begin(), lines.end(), "1016 button \"Apply Changes\""));
  const std::vector<std::string> expected = {
      "1015 edit \"-1\"",
      "1017 edit \"15\"",
      "1013 check 1 \"Disable Balloon Tips .\"",
      "1013 check 1 \"Hide the arrow and\\\"Click here to start\\\"caption.\"",
      "1013 check 1 \"Show Control Panel as a cascading menu (Current User).\"",
      "1013 check 1 \"Scroll the Programs menu of the classic Start Menu.\"",
      "1018 check 0 \"Scroll the All Programs menu of the Windows XP Start Menu.\"",
      "1013 check 1 \"Enable Highlight New Programs on Start Menu .\"",
      "1013 check 0 \"Remove Undock Computer from Start Menu (Current User).\"",
      "1009 list columns= rows=2 selected=-1",
      "1009[0] checked \"calc.exe\"",
      "1009[1] \"WORDPAD.EXE\"",
      "1013 check 1 \"Sort Start Menu in Alphabetical Order .\"",
      "1018 check 1 \"Sort Favorites in Alphabetical Order .\"",
      "1021 combo 2 \"Expand contents\" items=3",
      "1022 combo -1 \"\" items=3",
      "1043 combo 1 \"Open when clicked\" items=3",
  };
  for (const std::string& line : expected) EXPECT_TRUE(Has(lines, line)) << line;
}

TEST_F(CliAppTest, StartMenuScrollingAndFolderModesAreWrittenIntoTheRegistryFile) {
  const std::string reg = WriteReg("r.reg", kSeed);
  const std::string user = "HKEY_USERS\\S-1-5-21-1004\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  const std::string fresh = "HKEY_USERS\\S-1-5-21-1005\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  const std::string current = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

  ASSERT_EQ(kExitOk, Run({"apply", "197", "1018=1", "--registry", reg, "--today", "2008-05-06"})) << err.str();
  EXPECT_TRUE(Has(Lines(), "1018 check 1 \"Scroll the All Programs menu of the Windows XP Start Menu.\""));
  std::string text = *ReadWholeFile(reg);
  const std::vector<std::string> scrolled = {"\"StartMenuScrollPrograms\"=hex(1):59,65,73",
                                             "\"Start_ScrollPrograms\"=dword:00000001"};
  EXPECT_EQ(scrolled, Section(text, user)) << text;
  EXPECT_EQ(scrolled, Section(text, fresh));
  EXPECT_EQ(std::vector<std::string>({"\"StartMenuScrollPrograms\"=\"No\""}),
            Section(text, "HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced"));
  // Current User itself is shown, not written.
  EXPECT_TRUE(Has(Section(text, current), "\"Start_ScrollPrograms\"=dword:00000000"));

  ASSERT_EQ(kExitOk, Run({"apply", "210", "1021=Hidden", "1030=#2", "--registry", reg})) << err.str();
  text = *ReadWholeFile(reg);
  const auto modes = Section(text, current);
  for (const char* line : {"\"Start_ShowControlPanel\"=dword:00000000", "\"Start_ShowMyComputer\"=dword:00000005",
                           "\"Start_ShowMyDocs\"=dword:00000001", "\"Start_ShowMyMusic\"=dword:00000002",
                           "\"Start_ShowMyPics\"=dword:00000001", "\"Start_ShowNetConn\"=dword:00000001"})
    EXPECT_TRUE(Has(modes, line)) << line << "\n" << text;

  const std::string history = *ReadWholeFile(File("DFile.kvd"));
  EXPECT_NE(std::string::npos, history.find("win_tweak(\"Enable Start Menu Scrolling\",5/6/2008)\r\n"));
  EXPECT_NE(std::string::npos, history.find("win_tweak(\"View Enhanced Start Menu Folders\",3/7/2007)\r\n"));
}

}  // namespace
}  // namespace corvandel
