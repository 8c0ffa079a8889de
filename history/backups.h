// Backups: before an apply's first change reaches the registry, what it is
// about to change is saved as a registry file in "Backup\" beside the history
// file, so that the change can be undone from the program or imported with
// the system's registry editor. A file is named
//   <year>-<month>-<day>_<number>_<TweakId>.reg     e.g. 2026-12-07_000042_3.reg
// with the UTC date and a running number. Backups are ordered by date, then
// number (64 bits, so it never wraps), so a stray old file with a high number
// is never taken for the newest. A new backup is dated today, or the newest
// backup's date when the clock went back, with a number one above the highest
// of that date. The folder keeps the newest kKeptBackups.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "services/file_text.h"
#include "services/platform.h"
#include "services/reg_file.h"

namespace corvandel {

inline constexpr const char* kBackupFolderName = "Backup";
inline constexpr std::size_t kKeptBackups = 200;

struct BackupFile {
  std::string path;  // the folder's path, a backslash and the name
  std::string name;
  std::string date;  // "2026-12-07"
  std::uint64_t number = 0;
  int tweakId = 0;
};

class BackupFolder {
 public:
  // programFolder: where the history file is; files: where backups are
  // written and removed.
  explicit BackupFolder(const std::string& programFolder, IFileStore& files = DirectFiles());

  const std::string& Folder() const { return folder_; }

  // Every backup (of one tweak, when given), newest first.
  std::vector<BackupFile> List(std::optional<int> tweakId = std::nullopt) const;
  std::optional<BackupFile> Newest(int tweakId) const;

  // A name for the next backup of tweakId (above those handed out before,
  // which may not be in the folder yet).
  BackupFile NextFile(int tweakId, const CalendarDate& today);
  // Writes the file: "REGEDIT4", a comment naming the tweak, the changes;
  // false with *error naming the path and why. A file of that name that this
  // object did not write is never written over.
  bool Write(const BackupFile& file, const std::string& title, const std::vector<RegChange>& restore,
             std::string* error = nullptr);
  void Remove(const BackupFile& file);
  // Removes all but the newest kKeptBackups (counting those handed out),
  // from the listing NextFile works from, which it keeps for the next one.
  void Prune();

  // The changes a backup holds; false with *error when it cannot be read.
  static bool Read(const BackupFile& file, std::vector<RegChange>* restore, std::string* error);
  // What a backup restores, for a confirmation: its key and value lines,
  // each cut to maxWidth characters, at most maxLines of them and then a
  // line saying how many more.
  static std::vector<std::string> Summary(const std::vector<RegChange>& restore, std::size_t maxLines,
                                          std::size_t maxWidth);

 private:
  std::string folder_;
  IFileStore& files_;
  std::vector<BackupFile> handedOut_;
  // The folder as last listed, with this object's own writes and removals:
  // kept from one backup to the next.
  std::optional<std::vector<BackupFile>> listed_;
  std::set<std::string> written_;  // names
};

// The question before an undo: the tweak's title and what will be put back,
// shortened.
std::string UndoQuestionText(const std::string& title, const std::vector<RegChange>& restore);

}  // namespace corvandel
