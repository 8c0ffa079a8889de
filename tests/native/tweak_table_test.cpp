#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "nav/tweak_table.h"

namespace corvandel {
namespace {

class TweakTableTest : public ::testing::Test {
 protected:
  const TweakTable table = BuildTweakTable();
};

TEST_F(TweakTableTest, HoldsOneRowPerTweakIdWhoseIdIsItsIndex) {
  ASSERT_EQ(static_cast<std::size_t>(kTweakCount), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) EXPECT_EQ(static_cast<int>(i), table[i].tweakId) << "row " << i;
}

// Every category and group: title, image and description exactly as built in.
struct NodeRow {
  int id;
  const char* title;
  int image;
  const char* description;
};

const NodeRow kCategoriesAndGroups[] = {
    {0, "Accessories", 0, "Tweak and Settings for Windows Accessories and Components."},
    {1, "Command Processor", 1, "Enhancements for the Command Processor and DOS prompt."},
    {13, "Dr Watson", 3, "Setting for the Dr Watson Diagnostic utility."},
    {25, "Registry Editor", 4, "Settings to manage the Windows Registry Editor"},
    {30, "Task Scheduler", 5, "Settings and restrictions for Task Scheduler"},
    {38, "Windows Installer", 6, "Settings to manage Windows Installer"},
    {51, "Appearance", 7, "Windows Appearance and Display Settings."},
    {52, "Effects and Menus", 8, "Effects and Menus Display Settings"},
    {60, "Fonts and Icons", 9, "Icon and Font display settings and Enhancements"},
    {78, "Desktop", 10, "Windows Desktop Enhancements"},
    {95, "Explorer", 11, "Windows Explorer Enhancements and Settings"},
    {96, "Search", 12, "Enhancements for the Windows Explorer Search Features"},
    {122, "File System", 13, "File System and Storage Enhancements"},
    {123, "Caching and Memory", 14, "File System Caching and Memory Settings"},
    {125, "Files and Shortcuts", 15, "File Name and Shortcut Settings"},
    {137, "Maintenance", 16, "Error Checking and Defragmentation Settings"},
    {155, "Login and Authentication", 17, "Login and Authentication Enhancements"},
    {177, "Start Menu and Taskbar", 18, "Start Menu and Taskbar Enhancements"},
    {178, "Documents and Folders", 19, "Manage Documents and Folders on the Start Menu"},
    {187, "Taskbar", 20, "Taskbar Settings and Enhancements"},
    {211, "Start up and Shutdown", 21, "Enhancements for System Starup Shutdown"},
    {226, "System", 22, "Windows System Parameters and Settings"},
    {227, "Scripts", 23, "Enhancements and Settings for System Scripts"},
    {239, "Services", 24, "Windows Service Settings and Enhancements"},
    {250, "Windows File Checker", 25, "Enhancements for the System File Checker"},
    {273, "Troubleshooting", 26, "Tips and Tweaks to Fix System Problems"},
    {274, "Crash Control", 27, "Settings to manage system errors and restoration"},
    {281, "Logging", 28, "Logging and Reporting Enhancements"},
    {288, "Repair", 29, "Tweaks and settings to repair Windows components and software"},
};

TEST_F(TweakTableTest, CategoriesAndGroupsHaveTheirTitleImageAndDescription) {
  for (const NodeRow& expected : kCategoriesAndGroups) {
    SCOPED_TRACE(expected.id);
    const TweakEntry& row = table.at(static_cast<std::size_t>(expected.id));
    EXPECT_EQ(expected.title, row.title);
    EXPECT_EQ(expected.image, row.image);
    EXPECT_EQ(expected.description, row.description);
  }
}

TEST_F(TweakTableTest, EveryOtherRowHasTheTweakImage) {
  std::set<int> nodeIds;
  for (const NodeRow& node : kCategoriesAndGroups) nodeIds.insert(node.id);
  ASSERT_EQ(29u, nodeIds.size());  // 10 categories and 19 groups
  for (const TweakEntry& row : table) {
    if (nodeIds.count(row.tweakId) == 0) {
      EXPECT_EQ(2, row.image) << row.tweakId;
    }
  }
}

TEST_F(TweakTableTest, QuotedTweakDescriptionsAreVerbatim) {
  const std::map<int, std::string> quoted = {
      {2, "If you still use the DOS prompt regularly then this setting creates a new right-click menu option to open "
          "a command prompt at the selected directory."},
      {5, "The value DefaultColor controls the foreground and background colors used in command prompt windows. It "
          "has a default value of 0, for standard white text on a black background."},
      {62, "Would you like to make you Recycle Bin into something a bit more exciting? Maybe a glowing toxic waste "
           "bin? With this tweak you can change the icon to be whatever you like."},
      {107, "This tweak allows you to change the directory used as the default location for software applications and "
            "shared files."},
      {159, "Windows has a default screen saver which is shown over the Login screen even when no screen saver has "
            "been selected. These settings allow you to configure the default Login screen saver."},
      {201, "This restriction removes My Computer from the desktop and Start menu."},
  };
  for (const auto& [id, description] : quoted) EXPECT_EQ(description, table.at(static_cast<std::size_t>(id)).description) << id;
}

// A sample of tweak titles: the first and last of each subtree, the historical
// misspellings, odd quoting, and the table titles of nodes the tree spells
// differently.
TEST_F(TweakTableTest, TweakTitlesAreSpelledAsBuiltIn) {
  const std::map<int, std::string> titles = {
      {2, "Add Command Prompt Option to Every Folder"},
      {4, "Change the Command Prompt"},
      {6, "Disable Command Processor Extentions"},
      {9, "Enable Delayed Environment Variable Expantion"},
      {16, "Control Thread Dumbing in Dr Watson"},
      {17, "Control Whether Dr Watson Alarts Using Popups"},
      {18, "Control Whether Dr Watson Alarts Using Sound"},
      {19, "Control Whether Dr Watson Creats a Crash Dump"},
      {20, "Specify the Alternat Debugging Utility"},
      {28, "Repare The Registry Editor"},
      {34, "Disable Drags and Drop Task Scheduling"},
      {50, "Use Smooth Scrolling in Telnet"},
      {58, "Remove the Minimize Maximize and Close Tooltips"},
      {77, "Show Compressed Files in an Alternate Color"},
      {94, "Show Windows Version On Desktop"},
      {110, "Launch Folder Windows in a Separate process"},
      {113, "Show'Send to'Context Menu"},
      {118, "Show or Hide'Open With'Program Checkbox"},
      {121, "Speed-up Access to AVI Media Files"},
      {133, "Remove the'Shortcut to...'Prefix on Shortcuts"},
      {141, "Modifying the Autocheck Time-out Value"},
      {149, "Enable 48-bit LBA Support or Large Hard Drive"},
      {154, "Show File and Folder Names Using the Correct Case"},
      {159, "Change the Default Login Screen Saver"},
      {161, "Change the Login Screen Background Color"},
      {163, "Customize the Windows Login and Security Dialog Titles"},
      {170, "Hide the welcome Screen"},
      {171, "Legal Notice Dialog Box Before Login"},
      {174, "Show Administrator on the Welcom Screen"},
      {176, "Use Active Authentication for Unlock and Screen Saver"},
      {190, "Clear Past Icons from the Try Notification Area"},
      {193, "Group Similar Taskbar Bottons"},
      {196, "Clear the Cashed Run Commands"},
      {199, "Remove'All Programs'Button from the Start Menu"},
      {210, "View Enhanced Start Menu Folders"},
      {214, "Automatically Reboot on the'Blue Screen of Death'"},
      {219, "Disable the Creation of Last known Good"},
      {225, "Specify the Response Time for Hung Applications"},
      {240, "Disable Distributed Component Object Model (DCOM)"},
      {259, "Configure Windows Software Update Services"},
      {272, "Show Run in Separate Memory Space Option"},
      {293, "Repair the Registry Editor"},
      {305, "Windows Error Reporting Settings"},
      {306, "Change the Location of System and Special Folders"},
      {309, "Configure CoolSwitch Application Swapping"},
  };
  for (const auto& [id, title] : titles) EXPECT_EQ(title, table.at(static_cast<std::size_t>(id)).title) << id;
}

// The change history keys its records by title, so exactly these titles are
// shared, each by two rows.
TEST_F(TweakTableTest, OnlyTheThreeKnownTitlesOccurTwice) {
  std::map<std::string, std::vector<int>> idsByTitle;
  for (const TweakEntry& row : table) idsByTitle[row.title].push_back(row.tweakId);
  std::map<std::string, std::vector<int>> shared;
  for (const auto& [title, ids] : idsByTitle) {
    if (ids.size() > 1) shared[title] = ids;
  }
  const std::map<std::string, std::vector<int>> expected = {
      {"Windows Installer Logging", {41, 287}},
      {"Remove My Computer from the Desktop and Start Menu", {89, 201}},
      {"Change Drive Name and Icon", {106, 144}},
  };
  EXPECT_EQ(expected, shared);
}

TEST_F(TweakTableTest, DescriptionsAreSingleDistinctParagraphsOfAtMost332Characters) {
  std::map<std::string, int> firstRowOf;
  for (const TweakEntry& row : table) {
    SCOPED_TRACE(row.tweakId);
    EXPECT_FALSE(row.title.empty());
    EXPECT_FALSE(row.description.empty());
    EXPECT_LE(row.description.size(), 332u);
    EXPECT_EQ(std::string::npos, row.description.find_first_of("\r\n\t\"")) << row.description;
    EXPECT_EQ(row.description.find_first_not_of(' '), 0u) << "leading blank";
    EXPECT_NE(' ', row.description.back()) << "trailing blank";
    // Rows sharing a title still explain their own tweak.
    const auto [it, inserted] = firstRowOf.emplace(row.description, row.tweakId);
    EXPECT_TRUE(inserted) << "same description as row " << it->second;
  }
}

TEST_F(TweakTableTest, FindRowAnswersOnlyForRowsTheTableHas) {
  EXPECT_EQ(&table.front(), FindRow(table, 0));
  EXPECT_EQ(&table.back(), FindRow(table, kTweakCount - 1));
  for (int outside : {-1, kTweakCount, kTweakCount + 1, INT_MIN, INT_MAX}) {
    EXPECT_EQ(nullptr, FindRow(table, outside)) << outside;
  }
  EXPECT_EQ(nullptr, FindRow(TweakTable{}, 0));
}

}  // namespace
}  // namespace corvandel
