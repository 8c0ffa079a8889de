// The platform the routines see while the navigator runs them: every call
// goes through to the real one, and the message boxes shown are counted, so
// that the navigator can tell an apply the tweak refused with an alert.
#pragma once

#include "services/platform.h"

namespace corvandel {

class NoticingPlatform : public IPlatform {
 public:
  explicit NoticingPlatform(IPlatform& inner) : inner_(inner) {}
  NoticingPlatform(const NoticingPlatform&) = delete;
  NoticingPlatform& operator=(const NoticingPlatform&) = delete;

  // How many message boxes were shown, and the text of the last.
  std::size_t MessagesShown() const { return shown_; }
  const std::string& LastMessage() const { return last_; }

  OsVersionRecord Version() override { return inner_.Version(); }
  std::string WindowsDirectory() override { return inner_.WindowsDirectory(); }
  std::string AppDataFolder() override { return inner_.AppDataFolder(); }
  std::string ProfileFolder() override { return inner_.ProfileFolder(); }
  std::vector<std::string> LogicalDrives() override { return inner_.LogicalDrives(); }
  unsigned DriveType(const std::string& root) override { return inner_.DriveType(root); }
  int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override {
    ++shown_;
    last_ = text;
    return inner_.ShowMessage(text, caption, style);
  }
  std::optional<std::string> BrowseForFile(const std::string& filter) override { return inner_.BrowseForFile(filter); }
  std::optional<std::string> BrowseForFolder(const std::string& start, const std::string& prompt) override {
    return inner_.BrowseForFolder(start, prompt);
  }
  CalendarDate TodayUtc() override { return inner_.TodayUtc(); }
  std::string ProgramFolder() override { return inner_.ProgramFolder(); }

 private:
  IPlatform& inner_;
  std::size_t shown_ = 0;
  std::string last_;
};

}  // namespace corvandel
