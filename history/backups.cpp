#include "history/backups.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "services/ansi_text.h"
#include "services/file_system.h"
#include "services/file_text.h"

namespace corvandel {
namespace {

template <typename Number>
std::optional<Number> Digits(std::string_view text) {
  Number value = 0;
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || at != end) return std::nullopt;
  return value;
}

// "2026-12-07_000042_3.reg": the date, the number and the TweakId; nothing
// for any other file.
std::optional<BackupFile> ParseName(const std::string& name) {
  constexpr std::string_view kExtension = ".reg";
  if (name.size() < 11 + kExtension.size() || name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension))
    return std::nullopt;
  const std::string_view stem = std::string_view(name).substr(0, name.size() - kExtension.size());
  const std::size_t first = stem.find('_');
  const std::size_t second = first == std::string_view::npos ? first : stem.find('_', first + 1);
  if (first != 10 || second == std::string_view::npos) return std::nullopt;
  for (std::size_t i = 0; i < 10; ++i)
    if ((i == 4 || i == 7) ? stem[i] != '-' : (stem[i] < '0' || stem[i] > '9')) return std::nullopt;
  const auto number = Digits<std::uint64_t>(stem.substr(first + 1, second - first - 1));
  const auto tweakId = Digits<int>(stem.substr(second + 1));
  if (!number || !tweakId) return std::nullopt;
  return BackupFile{{}, name, std::string(stem.substr(0, 10)), *number, *tweakId};
}

bool Newer(const BackupFile& a, const BackupFile& b) {
  return a.date != b.date ? a.date > b.date : a.number > b.number;
}

}  // namespace

BackupFolder::BackupFolder(const std::string& programFolder, IFileStore& files)
    : folder_(programFolder + "\\" + kBackupFolderName), files_(files) {}

std::vector<BackupFile> BackupFolder::List(std::optional<int> tweakId) const {
  std::vector<BackupFile> files;
  for (const std::string& name : FileNamesIn(folder_)) {
    std::optional<BackupFile> file = ParseName(name);
    if (!file || (tweakId && file->tweakId != *tweakId)) continue;
    file->path = folder_ + "\\" + file->name;
    files.push_back(std::move(*file));
  }
  std::sort(files.begin(), files.end(), Newer);
  return files;
}

std::optional<BackupFile> BackupFolder::Newest(int tweakId) const {
  std::vector<BackupFile> files = List(tweakId);
  if (files.empty()) return std::nullopt;
  return files.front();
}

BackupFile BackupFolder::NextFile(int tweakId, const CalendarDate& today) {
  char date[16];
  std::snprintf(date, sizeof(date), "%04d-%02d-%02d", today.year, today.month, today.day);
  const auto pick = [&] {
    BackupFile next{{}, {}, date, 1, tweakId};
    std::vector<BackupFile> known = *listed_;
    known.insert(known.end(), handedOut_.begin(), handedOut_.end());
    for (const BackupFile& file : known) {
      if (file.date > next.date) next = {{}, {}, file.date, 1, tweakId};
      // The highest number is left as it is: the new name is taken, and the
      // write refuses it rather than wrap to the lowest.
      if (file.date == next.date && file.number >= next.number)
        next.number = file.number == UINT64_MAX ? file.number : file.number + 1;
    }
    char name[64];
    std::snprintf(name, sizeof(name), "%s_%06llu_%d.reg", next.date.c_str(),
                  static_cast<unsigned long long>(next.number), tweakId);
    next.name = name;
    next.path = folder_ + "\\" + name;
    return next;
  };
  // The listing is kept from one backup to the next (listing a full folder
  // costs more than the backup's write); a name another program has taken
  // since is found here, and the folder listed again.
  if (!listed_) listed_ = List();
  BackupFile next = pick();
  FileStamp there;
  std::string reason;
  if (StampOf(next.path, &there, &reason) && there.exists) {
    listed_ = List();
    next = pick();
  }
  handedOut_.push_back(next);
  return next;
}

bool BackupFolder::Write(const BackupFile& file, const std::string& title, const std::vector<RegChange>& restore,
                         std::string* error) {
  FileStamp there;
  std::string reason;
  if (!written_.count(file.name) && (!StampOf(file.path, &there, &reason) || there.exists)) {
    if (error) *error = file.path + (reason.empty() ? ": the name is taken" : ": " + reason);
    return false;
  }
  std::string oneLineTitle = title;
  std::replace_if(oneLineTitle.begin(), oneLineTitle.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  std::error_code ignored;
  std::filesystem::create_directories(PathFromAnsi(folder_), ignored);
  const std::vector<std::string> comment = {"Corvandel backup of \"" + oneLineTitle + "\" (TweakId " +
                                            std::to_string(file.tweakId) + ")"};
  if (!files_.Write(file.path, RegistryChangesText(restore, comment), error)) return false;
  written_.insert(file.name);
  return true;
}

void BackupFolder::Remove(const BackupFile& file) {
  files_.Remove(file.path);
  written_.erase(file.name);
  const auto named = [&](const BackupFile& other) { return other.name == file.name; };
  handedOut_.erase(std::remove_if(handedOut_.begin(), handedOut_.end(), named), handedOut_.end());
  if (listed_) listed_->erase(std::remove_if(listed_->begin(), listed_->end(), named), listed_->end());
}

void BackupFolder::Prune() {
  std::vector<BackupFile> files = listed_ ? std::move(*listed_) : List();
  listed_.reset();
  for (const BackupFile& out : handedOut_)
    if (std::none_of(files.begin(), files.end(), [&](const BackupFile& f) { return f.name == out.name; }))
      files.push_back(out);
  std::sort(files.begin(), files.end(), Newer);
  for (std::size_t i = kKeptBackups; i < files.size(); ++i) Remove(files[i]);
  // What is left is the listing of the next backup. A file another program
  // added meanwhile is missing from it: that only leaves more to keep.
  files.resize(std::min(files.size(), kKeptBackups));
  listed_ = std::move(files);
}

bool BackupFolder::Read(const BackupFile& file, std::vector<RegChange>* restore, std::string* error) {
  std::string why;
  const std::optional<std::string> bytes = ReadWholeFile(file.path, &why);
  if (!bytes) {
    if (error) *error = why.empty() ? file.path + ": the file is gone" : why;
    return false;
  }
  return ParseRegistryText(*bytes, file.path, restore, error);
}

std::vector<std::string> BackupFolder::Summary(const std::vector<RegChange>& restore, std::size_t maxLines,
                                               std::size_t maxWidth) {
  std::vector<std::string> lines;
  const std::string text = RegistryChangesText(restore, {});
  std::size_t total = 0;
  // After the header line; blank lines and the continued lines of long
  // binary data are left out.
  for (std::size_t at = text.find("\r\n") + 2; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 2;
    if (line.empty() || line.compare(0, 2, "  ") == 0) continue;
    if (++total > maxLines) continue;
    if (line.size() > maxWidth) line = line.substr(0, maxWidth - 3) + "...";
    lines.push_back(std::move(line));
  }
  if (total > maxLines) lines.push_back("and " + std::to_string(total - maxLines) + " more");
  return lines;
}

std::string UndoQuestionText(const std::string& title, const std::vector<RegChange>& restore) {
  constexpr std::size_t kShownLines = 12;
  constexpr std::size_t kShownWidth = 72;
  std::string text = "Undo the last change to \"" + title + "\"?\n\nThis puts back:\n";
  for (const std::string& line : BackupFolder::Summary(restore, kShownLines, kShownWidth)) text += "\n" + line;
  return text;
}

}  // namespace corvandel
