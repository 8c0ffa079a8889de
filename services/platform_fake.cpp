#include "services/platform_fake.h"

namespace corvandel {

std::vector<std::string> SettablePlatform::LogicalDrives() {
  std::vector<std::string> roots;
  for (const auto& [root, type] : drives) roots.push_back(root);  // map order: A:\ first
  return roots;
}

unsigned SettablePlatform::DriveType(const std::string& root) {
  auto it = drives.find(root);
  return it == drives.end() ? drive::kNoRootDir : it->second;
}

int SettablePlatform::ShowMessage(const std::string& text, const std::string& caption, unsigned style) {
  messages.push_back({text, caption, style});
  if (messageAnswers.empty()) return mb::kIdOk;
  const int answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

std::optional<std::string> SettablePlatform::NextBrowseAnswer() {
  if (browseAnswers.empty()) return std::nullopt;
  auto answer = browseAnswers.front();
  browseAnswers.pop_front();
  return answer;
}

std::optional<std::string> SettablePlatform::BrowseForFile(const std::string&) { return NextBrowseAnswer(); }
std::optional<std::string> SettablePlatform::SaveFileAs(const std::string&, const std::string&) {
  return NextBrowseAnswer();
}
std::optional<std::string> SettablePlatform::BrowseForFolder(const std::string&, const std::string&) {
  return NextBrowseAnswer();
}

}  // namespace corvandel
