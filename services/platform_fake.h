// A platform whose answers are set by the caller: the tests' and the headless
// front end's. Message boxes are recorded and answered with IDOK; file and
// folder dialogs return the next queued answer, or nothing (cancelled).
#pragma once

#include <deque>
#include <map>

#include "services/platform.h"

namespace corvandel {

class SettablePlatform : public IPlatform {
 public:
  struct ShownMessage {
    std::string text;
    std::string caption;
    unsigned style = 0;
  };

  OsVersionRecord version{2, 5, 1};  // Windows XP
  std::string windowsDirectory = "C:\\WINDOWS";
  std::string appDataFolder = "C:\\Documents and Settings\\User\\Application Data";
  std::string profileFolder;  // none reported: the application-data folder stands for it
  std::map<std::string, unsigned> drives;  // root ("C:\") -> drive type
  CalendarDate today{2007, 3, 7};
  std::string programFolder = "C:\\Program Files\\Corvandel";
  std::deque<std::optional<std::string>> browseAnswers;  // for the file, folder and save dialogs, in order
  std::deque<int> messageAnswers;  // the buttons pressed in message boxes, in order; OK once none is left
  std::vector<ShownMessage> messages;  // every message box shown, in order

  OsVersionRecord Version() override { return version; }
  std::string WindowsDirectory() override { return windowsDirectory; }
  std::string AppDataFolder() override { return appDataFolder; }
  std::string ProfileFolder() override { return profileFolder; }
  std::vector<std::string> LogicalDrives() override;
  unsigned DriveType(const std::string& root) override;
  int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override;
  std::optional<std::string> BrowseForFile(const std::string& filter) override;
  std::optional<std::string> SaveFileAs(const std::string& filter, const std::string& name) override;
  std::optional<std::string> BrowseForFolder(const std::string& start, const std::string& prompt) override;
  CalendarDate TodayUtc() override { return today; }
  std::string ProgramFolder() override { return programFolder; }

 private:
  std::optional<std::string> NextBrowseAnswer();
};

}  // namespace corvandel
