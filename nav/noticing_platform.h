// The platform the routines see while the navigator runs them: every call
// goes through to the real one, and the message boxes shown are counted, so
// that the navigator can tell an apply the tweak refused with an alert.
// While held, message boxes are kept instead of shown (as if answered OK:
// the routines' boxes are notes), so that a run of many applies reports them
// at once.
#pragma once

#include <vector>

#include "services/platform.h"

namespace corvandel {

class NoticingPlatform : public IPlatform {
 public:
  explicit NoticingPlatform(IPlatform& inner) : inner_(inner) {}
  NoticingPlatform(const NoticingPlatform&) = delete;
  NoticingPlatform& operator=(const NoticingPlatform&) = delete;

  struct HeldMessage {
    std::string caption;
    std::string text;
  };
  // Keeps the message boxes in *held from now on; nullptr shows them again.
  void Hold(std::vector<HeldMessage>* held) { held_ = held; }

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
    if (!held_) return inner_.ShowMessage(text, caption, style);
    held_->push_back({caption, text});
    return mb::kIdOk;
  }
  std::optional<std::string> BrowseForFile(const std::string& filter) override { return inner_.BrowseForFile(filter); }
  std::optional<std::string> SaveFileAs(const std::string& filter, const std::string& name) override {
    return inner_.SaveFileAs(filter, name);
  }
  std::optional<std::string> BrowseForFolder(const std::string& start, const std::string& prompt) override {
    return inner_.BrowseForFolder(start, prompt);
  }
  CalendarDate TodayUtc() override { return inner_.TodayUtc(); }
  std::string ProgramFolder() override { return inner_.ProgramFolder(); }

 private:
  IPlatform& inner_;
  std::size_t shown_ = 0;
  std::string last_;
  std::vector<HeldMessage>* held_ = nullptr;
};

}  // namespace corvandel
