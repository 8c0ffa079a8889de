// The platform seam over the real Windows calls.
#pragma once

#include "services/platform.h"

namespace corvandel {

class Win32Platform : public IPlatform {
 public:
  OsVersionRecord Version() override;
  std::string WindowsDirectory() override;
  std::string AppDataFolder() override;
  std::string ProfileFolder() override;
  std::vector<std::string> LogicalDrives() override;
  unsigned DriveType(const std::string& root) override;
  int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override;
  std::optional<std::string> BrowseForFile(const std::string& filter) override;
  std::optional<std::string> SaveFileAs(const std::string& filter, const std::string& name) override;
  std::optional<std::string> BrowseForFolder(const std::string& start, const std::string& prompt) override;
  CalendarDate TodayUtc() override;
  std::string ProgramFolder() override;
};

}  // namespace corvandel
