// corvandel-cli golden runs over Troubleshooting and root-level tweaks: the
// pages hold the captions, labels and notes these tweaks show.
#include <gtest/gtest.h>

#include "cli/options.h"
#include "cli_fixture.h"
#include "services/reg_file.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

const std::string kDebugLoggingDescription =
    "1006 static \"User Environment Debug Logging:\\nTurns on detailed logging of user profile and group policy "
    "processing to the file Userenv.log in the Debug folder of Windows. Use it to find out why profiles or policies "
    "are not applied; turn it off again afterwards.\"";
const std::string kCoolSwitchDescription =
    "1006 static \"Configure CoolSwitch Application Swapping:\\nTurns on CoolSwitch, the window that appears when you "
    "switch programs with ALT+TAB, and sets how many columns and rows of program icons it shows, so that you can see "
    "more programs at once.\"";
const std::string kNoteLogout =
    "1024 static \"Note:\\n\\tyou may need to restart or log out of Windows for the change to take effect.\"";

std::optional<std::string> TextIn(const std::string& regFile, RegKey root, const std::string& path,
                                  const std::string& name) {
  MemoryRegistry registry;
  std::string error;
  EXPECT_TRUE(LoadRegistryFile(regFile, registry, &error)) << error;
  std::vector<std::uint8_t> data;
  if (!registry.Get(root, path, name, nullptr, &data)) return std::nullopt;
  const std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));  // a file's text may end in its zero
}

TEST_F(CliAppTest, DebugLoggingNoteNamesTheLogInTheGivenWindowsFolder) {
  const std::string reg = WriteReg("r.reg",
                                   "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software]\r\n"
                                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon]\r\n"
                                   "\"UserEnvDebugLevel\"=dword:00010002\r\n");
  ASSERT_EQ(kExitOk, Run({"apply", "285", "1013=0", "--windir", "D:\\WINNT", "--registry", reg})) << err.str();
  EXPECT_EQ((std::vector<std::string>{
                "page CMultiCheckPage", kDebugLoggingDescription, "1013 check 0 \"Enable user environment debug logging .\"",
                "1024 static \"Note:\\n\\tyou may need to restart or log out of Windows for the change to take effect.\\n"
                "The log file is written to theD:\\\\WINNT\\\\Debug\\\\UserMode\\\\Userenv.log file.\"",
                "1016 button \"Apply Changes\""}),
            Lines());
  EXPECT_FALSE(TextIn(reg, reg::kLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                      "UserEnvDebugLevel"));
}

TEST_F(CliAppTest, CoolSwitchShowsLeadingDigitsAndKeepsACountItCannotShow) {
  const std::string reg = WriteReg("r.reg",
                                   "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software]\r\n"
                                   "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
                                   "\"CoolSwitchColumns\"=\"12x\"\r\n\"CoolSwitchRows\"=\"150\"\r\n");
  ASSERT_EQ(kExitOk, Run({"show", "309", "--registry", reg})) << err.str();
  EXPECT_EQ((std::vector<std::string>{"page CComboCheckPage", kCoolSwitchDescription, "1014 static \"Number of Columns:\"",
                                      "1021 combo 12 \"12\" items=100", "1019 static \"Number of Rows:\"",
                                      "1022 combo -1 \"\" items=100", kNoteLogout, "1016 button \"Apply Changes\""}),
            Lines());
  ASSERT_EQ(kExitOk, Run({"apply", "309", "1021=7", "--registry", reg})) << err.str();
  const std::string desktop = "Control Panel\\Desktop";
  EXPECT_EQ("1", TextIn(reg, reg::kCurrentUser, desktop, "CoolSwitch"));
  EXPECT_EQ("7", TextIn(reg, reg::kCurrentUser, desktop, "CoolSwitchColumns"));
  EXPECT_EQ("150", TextIn(reg, reg::kCurrentUser, desktop, "CoolSwitchRows"));
}

}  // namespace
}  // namespace corvandel
