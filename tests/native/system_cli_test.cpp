// corvandel-cli golden run of a System page with an edit and three combos.
#include <gtest/gtest.h>

#include "cli/options.h"
#include "cli_fixture.h"
#include "services/file_text.h"
#include "services/reg_file.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

TEST_F(CliAppTest, SystemTimeSynchronisationWritesEveryFieldOfThePage) {
  const std::string reg = WriteReg("r.reg",
                                   "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\W32Time\\"
                                   "Parameters]\r\n\"Type\"=\"NTP\"\r\n");
  ASSERT_EQ(kExitOk, Run({"apply", "249", "1015=time.example.org", "1021=Once every week (7 days)", "1022=#1",
                          "1029=#2", "--registry", reg, "--home", scratch.Ansi(), "--today", "2008-06-15"}))
      << err.str();
  EXPECT_EQ((std::vector<std::string>{
                "page CEditComboPage",
                "1006 static \"Windows Time Synchronization Settings:\\nSets how the Windows Time service keeps the "
                "clock right: the time server to use, how often to synchronize, whether this computer is a reliable "
                "time source, and whether to follow the domain, a chosen server or not synchronize at all.\"",
                "1014 static \"Ntp Server:\"",
                "1015 edit \"time.example.org\"",
                "1019 static \"Period:\"",
                "1021 combo 3 \"Once every week (7 days)\" items=6",
                "1020 static \"ReliableTimeSource:\"",
                "1022 combo 1 \"mark this computer as having reliable time (this is only useful on a domain "
                "controller)\" items=2",
                "1039 static \"Type:\"",
                "1029 combo 2 \"NoSync - do not synchronize time\" items=3",
                "1024 static \"Note:\\n\\tyou may need to restart or log out of Windows for the change to take "
                "effect.\"",
                "1016 button \"Apply Changes\"",
            }),
            Lines());
  EXPECT_EQ("", err.str());

  const std::string text = *ReadWholeFile(reg);
  EXPECT_NE(std::string::npos,
            text.find("[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters]\r\n"
                      "\"Type\"=hex(1):4e,6f,53,79,6e,63\r\n"
                      "\"NtpServer\"=hex(1):74,69,6d,65,2e,65,78,61,6d,70,6c,65,2e,6f,72,67\r\n"
                      "\"Period\"=dword:0000fffd\r\n"
                      "\"ReliableTimeSource\"=dword:00000001\r\n"))
      << text;
  const auto history = ReadWholeFile(File("DFile.kvd"));
  ASSERT_TRUE(history);
  EXPECT_NE(std::string::npos, history->find("win_tweak(\"Windows Time Synchronization Settings\",6/15/2008)\r\n"));
}

}  // namespace
}  // namespace corvandel
