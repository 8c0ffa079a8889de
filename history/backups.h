// Backups: before an apply's first change reaches the registry, what it is
// about to change is saved as a registry file in "Backup\" beside the history
// file, so that the change can be undone from the program or imported with
// the system's registry editor. A file is named
//   <year>-<month>-<day>_<number>_<TweakId>.reg     e.g. 2026-12-07_000042_3.reg
// with the UTC date and a running number one above the highest in the folder,
// so the newest backup is the one with the highest number whatever the clock
// did. The folder keeps the newest kKeptBackups.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "services/platform.h"
#include "services/reg_file.h"

namespace corvandel {

inline constexpr const char* kBackupFolderName = "Backup";
inline constexpr std::size_t kKeptBackups = 200;

struct BackupFile {
  std::string path;  // the folder's path, a backslash and the name
  std::string name;
  unsigned long number = 0;
  int tweakId = 0;
};

class BackupFolder {
 public:
  // programFolder: where the history file is.
  explicit BackupFolder(const std::string& programFolder);

  const std::string& Folder() const { return folder_; }

  // Every backup (of one tweak, when given), newest first.
  std::vector<BackupFile> List(std::optional<int> tweakId = std::nullopt) const;
  std::optional<BackupFile> Newest(int tweakId) const;

  // A name for the next backup of tweakId, dated today.
  BackupFile NextFile(int tweakId, const CalendarDate& today) const;
  // Writes the file: "REGEDIT4", a comment naming the tweak, the changes.
  bool Write(const BackupFile& file, const std::string& title, const std::vector<RegChange>& restore) const;
  void Remove(const BackupFile& file) const;
  // Removes all but the newest kKeptBackups.
  void Prune() const;

  // The changes a backup holds; false with *error when it cannot be read.
  static bool Read(const BackupFile& file, std::vector<RegChange>* restore, std::string* error);
  // What a backup restores, for a confirmation: its key and value lines,
  // each cut to maxWidth characters, at most maxLines of them and then a
  // line saying how many more.
  static std::vector<std::string> Summary(const std::vector<RegChange>& restore, std::size_t maxLines,
                                          std::size_t maxWidth);

 private:
  std::string folder_;
};

// The question before an undo: the tweak's title and what will be put back,
// shortened.
std::string UndoQuestionText(const std::string& title, const std::vector<RegChange>& restore);

}  // namespace corvandel
