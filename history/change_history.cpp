#include "history/change_history.h"

#include <optional>

#include "services/registry_key.h"

namespace corvandel {

ChangeHistory::ChangeHistory(IRegistry& registry, IPlatform& platform, const TweakTable& table, std::string historyPath,
                             IFileStore& files)
    : registry_(registry), platform_(platform), table_(table), path_(std::move(historyPath)), files_(files) {}

std::string ChangeHistory::FormatDate(const CalendarDate& date) {
  return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" + std::to_string(date.year);
}

std::string ChangeHistory::RecordKey(const std::string& title) {
  std::string safe = title;
  for (char& c : safe) {
    if (c == '"') c = '\'';
    else if (c == '\r' || c == '\n') c = ' ';
  }
  return "win_tweak(\"" + safe + "\"";
}

void ChangeHistory::Initialise() {
  // "Software" is opened, "Corvandel" below it created or opened.
  RegistryKey software = RegistryKey::Open(registry_, reg::kCurrentUser, "Software");
  RegistryKey program = software.CreateSubKey("Corvandel");
  if (!program) return;

  const bool built = program.ReadDword(kHistoryBuiltValue) == 1u;
  if (!program.ReadText(kLanguageValue)) program.WriteText(kLanguageValue, "English");

  if (built) {
    historyModified_ = false;
    WriteHistory();  // with nothing pending, this only loads the file
    return;
  }
  Rebuild();
  program.WriteDword(kHistoryBuiltValue, 1);
}

void ChangeHistory::Reset() {
  {
    RegistryKey software = RegistryKey::Open(registry_, reg::kCurrentUser, "Software");
    software.CreateSubKey("Corvandel").WriteDword(kHistoryBuiltValue, 0);
  }
  Initialise();
}

void ChangeHistory::RecordTweakChange(int currentTweakId) {
  // A language file may give a node any TweakId; one outside the table has
  // no record to date.
  if (currentTweakId < 0 || static_cast<std::size_t>(currentTweakId) >= table_.size()) return;
  historyModified_ = true;
  pendingTweakId_ = currentTweakId;
  WriteHistory();
}

void ChangeHistory::WriteHistory() {
  auto text = files_.Read(path_);
  // A change to record with no file, or no record for its title: the rebuild
  // dates every row today, the recorded one included.
  if (!text) {
    if (historyModified_) {
      historyModified_ = false;
      Reset();
    }
    return;
  }

  if (historyModified_) {
    const std::string key = RecordKey(table_[static_cast<std::size_t>(pendingTweakId_)].title);
    const auto at = text->find(key);
    if (at == std::string::npos) {
      historyModified_ = false;
      Reset();
      return;
    }
    const auto end = text->find('\r', at);
    const std::string oldRecord = text->substr(at, end == std::string::npos ? std::string::npos : end - at);
    const std::string newRecord = key + "," + FormatDate(platform_.TodayUtc()) + ")";
    for (auto pos = text->find(oldRecord); pos != std::string::npos;
         pos = text->find(oldRecord, pos + newRecord.size()))
      text->replace(pos, oldRecord.size(), newRecord);
    if (!SaveText(*text)) return;  // the file and HistoryText keep what they had
    historyModified_ = false;
  }
  historyText_ = std::move(*text);
}

void ChangeHistory::Rebuild() {
  std::string text;
  for (const TweakEntry& row : table_)
    text += RecordKey(row.title) + "," + FormatDate(platform_.TodayUtc()) + ")\r\n";
  if (SaveText(text)) historyText_ = std::move(text);
}

// The file is replaced whole, so a crash or a full disk never leaves a
// truncated history.
bool ChangeHistory::SaveText(const std::string& text) const { return fileUnchanged_ || files_.Write(path_, text); }

std::string ChangeHistory::LookupModifiedDate(const std::string& title) {
  const std::string key = RecordKey(title);
  auto at = historyText_.find(key);
  if (at == std::string::npos) {
    Reset();
    at = historyText_.find(key);
    if (at == std::string::npos) return {};
  }
  // The date stands between the comma after the title and the closing
  // parenthesis; starting after the key keeps a comma in a title out of it.
  const auto start = at + key.size();
  const auto end = historyText_.find('\r', start);
  std::string record = historyText_.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (!record.empty() && record.back() == ')') record.pop_back();
  if (!record.empty() && record.front() == ',') record.erase(0, 1);
  return record;
}

}  // namespace corvandel
