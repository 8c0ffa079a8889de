// corvandel-cli over a registry file: automatic logon and hung applications
// set on the command line as a user sets them on the page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/options.h"
#include "cli_fixture.h"
#include "services/file_text.h"

namespace corvandel {
namespace {

constexpr char kWinlogonSection[] = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon]\r\n";

TEST_F(CliAppTest, AutomaticLogonIsSetFromTheCommandLine) {
  // Every real profile has HKEY_CURRENT_USER\Software, where the history is flagged.
  const std::string reg = WriteReg("r.reg", std::string("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n") +
                                                kWinlogonSection + "\"Shell\"=\"Explorer.exe\"\r\n");
  ASSERT_EQ(kExitOk, Run({"apply", "158", "1013=1", "1015=Tester", "1018=0", "--registry", reg, "--home",
                          scratch.Ansi(), "--today", "2008-05-06"}))
      << err.str();
  const auto lines = Lines();
  ASSERT_EQ(11u, lines.size()) << out.str();
  EXPECT_EQ("page CEditCheckPage", lines[0]);
  EXPECT_EQ((std::vector<std::string>{"1013 check 1 \"Login automatically at system startup.\"",
                                      "1014 static \"UserName:\"", "1015 edit \"Tester\"",
                                      "1019 static \"Password:\"", "1017 edit \"\"",
                                      "1020 static \"Domain(optional):\"", "1025 edit \"\"",
                                      "1018 check 0 \"Reset after reboot?\"", "1016 button \"Apply Changes\""}),
            std::vector<std::string>(lines.begin() + 2, lines.end()));
  EXPECT_EQ("", err.str());

  // Texts without their terminating zero; the shell stays.
  const std::string text = *ReadWholeFile(reg);
  EXPECT_NE(std::string::npos, text.find(std::string(kWinlogonSection) +
                                         "\"Shell\"=\"Explorer.exe\"\r\n"
                                         "\"AutoAdminLogon\"=hex(1):31\r\n"
                                         "\"DefaultUserName\"=hex(1):54,65,73,74,65,72\r\n"
                                         "\"ForceAutoLogon\"=hex(1):31\r\n"))
      << text;
  const auto history = ReadWholeFile(File("DFile.kvd"));
  ASSERT_TRUE(history);
  EXPECT_NE(std::string::npos, history->find("win_tweak(\"Automatic Login to Windows NT 2000 and XP\",5/6/2008)\r\n"));
}

TEST_F(CliAppTest, HungApplicationsAreEndedInBothProfiles) {
  const std::string reg = WriteReg("r.reg",
                                   "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
                                   "\"WaitToKillAppTimeout\"=\"15000\"\r\n\r\n"
                                   "[HKEY_USERS\\.DEFAULT\\Control Panel\\Desktop]\r\n");
  ASSERT_EQ(kExitOk, Run({"apply", "213", "1013=1", "1021=#3", "--registry", reg})) << err.str();
  const auto lines = Lines();
  ASSERT_EQ(7u, lines.size()) << out.str();
  EXPECT_EQ("page CComboCheckPage", lines[0]);
  EXPECT_EQ((std::vector<std::string>{"1013 check 1 \"Automatically end tasks that are not responding.\"",
                                      "1014 static \"Time to wait for response:\"",
                                      "1021 combo 3 \"10 seconds\" items=8",
                                      "1024 static \"Note:\\n\\tRestart Windows for the change to take effect.\"",
                                      "1016 button \"Apply Changes\""}),
            std::vector<std::string>(lines.begin() + 2, lines.end()));
  const std::string text = *ReadWholeFile(reg);
  const std::string endTasks = "\"AutoEndTasks\"=hex(1):31\r\n";
  const std::string wait = "\"WaitToKillAppTimeout\"=hex(1):31,30,30,30,30\r\n";  // 10000
  // The unlisted time the user had is replaced in its place.
  EXPECT_NE(std::string::npos, text.find("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n" + wait + endTasks)) << text;
  EXPECT_NE(std::string::npos, text.find("[HKEY_USERS\\.DEFAULT\\Control Panel\\Desktop]\r\n" + endTasks + wait)) << text;
}

}  // namespace
}  // namespace corvandel
