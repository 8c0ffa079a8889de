// The change history: for every row of the titles table, the UTC date on
// which that tweak was last applied, kept in "DFile.kvd" beside the program
// and mirrored in HistoryText. One record per row, in TweakId order:
//   win_tweak("<title>",<month>/<day>/<year>)<CR><LF>
// Rows that share a title share the first record with that title. A title
// missing from the file (file deleted, edited, or the table changed) makes
// the next record or lookup rebuild the file with today's date everywhere.
#pragma once

#include <string>

#include "services/file_text.h"
#include "services/platform.h"
#include "services/registry.h"
#include "services/tweak_entry.h"

namespace corvandel {

inline constexpr const char* kHistoryFileName = "DFile.kvd";
inline constexpr const char* kProgramKey = "Software\\Corvandel";
inline constexpr const char* kHistoryBuiltValue = "DateModefiedFlage";
inline constexpr const char* kLanguageValue = "Language";

class ChangeHistory {
 public:
  // historyPath: the program folder followed by "\DFile.kvd"; files: where
  // the file is read and written.
  ChangeHistory(IRegistry& registry, IPlatform& platform, const TweakTable& table, std::string historyPath,
                IFileStore& files = DirectFiles());

  // Start-up: loads the file when the registry says it was built, otherwise
  // builds it; writes "Language" as "English" when that value is missing.
  void Initialise();
  // Today's date for the record of the row currentTweakId.
  void RecordTweakChange(int currentTweakId);
  // The date text of the title's record ("3/7/2007"), rebuilding the history
  // once when the title has none; empty when there is still none.
  std::string LookupModifiedDate(const std::string& title);
  // Marks the file as not built and builds it again.
  void Reset();
  // For a preview: the file is read, never written (records are kept in
  // HistoryText only).
  void KeepFileUnchanged() { fileUnchanged_ = true; }

  const std::string& HistoryText() const { return historyText_; }
  bool HistoryModified() const { return historyModified_; }
  const std::string& Path() const { return path_; }

  // "%d/%d/%d", month first, no leading zeros.
  static std::string FormatDate(const CalendarDate& date);
  // What the file holds for a title: a double quote, carriage return or line
  // feed in a title (possible from a language file) would break the record
  // structure, so each is written as a blank or a single quote.
  static std::string RecordKey(const std::string& title);

 private:
  void WriteHistory();
  void Rebuild();
  bool SaveText(const std::string& text) const;

  IRegistry& registry_;
  IPlatform& platform_;
  const TweakTable& table_;
  std::string path_;
  IFileStore& files_;
  std::string historyText_;
  bool historyModified_ = false;
  int pendingTweakId_ = -1;
  bool fileUnchanged_ = false;
};

}  // namespace corvandel
