// corvandel-cli golden runs over the Explorer and File System tweaks.
#include <gtest/gtest.h>

#include <memory>

#include "cli/options.h"
#include "cli_fixture.h"
#include "services/reg_file.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

std::unique_ptr<MemoryRegistry> Loaded(const std::string& regFile) {
  auto registry = std::make_unique<MemoryRegistry>();
  std::string error;
  EXPECT_TRUE(LoadRegistryFile(regFile, *registry, &error)) << error;
  return registry;
}

TEST_F(CliAppTest, UncheckingExploreFromHereRemovesTheVerbFromBothFolderMenus) {
  const std::string reg = WriteReg("r.reg",
                                   "REGEDIT4\r\n\r\n"
                                   "[HKEY_CLASSES_ROOT\\Folder\\shell\\explore]\r\n@=\"E&xplore\"\r\n\r\n"
                                   "[HKEY_CLASSES_ROOT\\Folder\\shell\\explore\\command]\r\n"
                                   "@=\"explorer.exe /e,/idlist,%I\"\r\n\r\n"
                                   "[HKEY_CLASSES_ROOT\\Directory\\shell\\explore]\r\n@=\"E&xplore\"\r\n\r\n"
                                   "[HKEY_CLASSES_ROOT\\Directory\\shell\\find]\r\n");
  ASSERT_EQ(kExitOk, Run({"show", "104", "--registry", reg})) << err.str();
  EXPECT_EQ("1013 check 1 \"Add 'Explore From Here' to the menu of every folder\"", Lines().at(2));
  ASSERT_EQ(kExitOk, Run({"apply", "104", "1013=0", "--registry", reg})) << err.str();
  EXPECT_EQ("1013 check 0 \"Add 'Explore From Here' to the menu of every folder\"", Lines().at(2));
  const auto registry = Loaded(reg);
  EXPECT_FALSE(registry->KeyExists(reg::kClassesRoot, "Folder\\shell\\explore"));
  EXPECT_FALSE(registry->KeyExists(reg::kClassesRoot, "Directory\\shell\\explore"));
  EXPECT_TRUE(registry->KeyExists(reg::kClassesRoot, "Folder\\shell"));
  EXPECT_TRUE(registry->KeyExists(reg::kClassesRoot, "Directory\\shell\\find"));
}

TEST_F(CliAppTest, AutoRunDrivesListThePresentFixedDrivesAndStoreTheCheckedOnes) {
  const std::string reg = WriteReg(
      "r.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n");
  ASSERT_EQ(kExitOk, Run({"apply", "152", "1009[0]=1", "1009[2]=1", "--drives", "A:\\=2,C:\\=3,D:\\=5,E:\\=2",
                          "--registry", reg}))
      << err.str();
  const auto lines = Lines();
  ASSERT_EQ(8u, lines.size()) << out.str();
  EXPECT_EQ("1009 list columns= rows=4 selected=-1", lines[2]);
  EXPECT_EQ("1009[0] checked \"A:\\\\\"", lines[3]);
  EXPECT_EQ("1009[1] \"C:\\\\\"", lines[4]);
  EXPECT_EQ("1009[2] checked \"D:\\\\\"", lines[5]);
  EXPECT_EQ("1009[3] \"ALL\"", lines[6]);
  std::vector<std::uint8_t> data;
  ASSERT_TRUE(Loaded(reg)->Get(reg::kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                              "NoDriveAutoRun", nullptr, &data));
  EXPECT_EQ((std::vector<std::uint8_t>{0x09, 0, 0, 0}), data);
}

}  // namespace
}  // namespace corvandel
