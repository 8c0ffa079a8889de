#include <gtest/gtest.h>

#include "services/platform_fake.h"

namespace corvandel {
namespace {

TEST(SettablePlatform, RecordsMessageBoxesAndAnswersOk) {
  SettablePlatform platform;
  EXPECT_EQ(mb::kIdOk, platform.ShowMessage("text", "A L E R T", mb::kIconError));
  ASSERT_EQ(1u, platform.messages.size());
  EXPECT_EQ("text", platform.messages[0].text);
  EXPECT_EQ("A L E R T", platform.messages[0].caption);
  EXPECT_EQ(mb::kIconError, platform.messages[0].style);
}

TEST(SettablePlatform, BrowseDialogsReturnQueuedAnswersThenCancel) {
  SettablePlatform platform;
  platform.browseAnswers = {std::string("C:\\a.ico"), std::nullopt};
  EXPECT_EQ("C:\\a.ico", platform.BrowseForFile("*.ico||").value());
  EXPECT_FALSE(platform.BrowseForFolder("C:\\", "Folder:").has_value());
  EXPECT_FALSE(platform.BrowseForFile("*.ico||").has_value());  // nothing queued: cancelled
}

TEST(SettablePlatform, DrivesListInRootOrderAndUnknownRootHasNoRootDir) {
  SettablePlatform platform;
  platform.drives = {{"D:\\", drive::kCdRom}, {"A:\\", drive::kRemovable}, {"C:\\", drive::kFixed}};
  EXPECT_EQ((std::vector<std::string>{"A:\\", "C:\\", "D:\\"}), platform.LogicalDrives());
  EXPECT_EQ(drive::kCdRom, platform.DriveType("D:\\"));
  EXPECT_EQ(drive::kNoRootDir, platform.DriveType("Z:\\"));
}

}  // namespace
}  // namespace corvandel
