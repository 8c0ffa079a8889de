// Whole files read and written as bytes, named the way the program names
// them (ANSI text with backslashes, see PathFromAnsi).
//
// A file is never written where it stands: its new content goes into a new
// file beside it (a name no file has, created exclusively, with the old
// file's mode and owner), which then takes its place. So a crash or a full
// disk leaves the old file whole, a symbolic link stays a link to the file
// that gets the content, and no name the program did not make is written
// over or removed. A read-only file, a folder and a file with several names
// (hard links, which a replace would part) are refused. Every failure names
// the path and the system's reason.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "services/file_system.h"

namespace corvandel {

// The file's bytes. Nothing when there is no file (*error empty) or when it
// cannot be read (*error: "PATH is a folder", "PATH: cannot read: why").
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error = nullptr);

// Where a test makes the file layer fail, as a full disk or a lost right
// would: the reason the step fails at path, or nothing. kPutBack: putting
// a replaced file back after a later step failed.
enum class FileStep { kWrite, kReplace, kPutBack };
using FileFaults = std::function<std::optional<std::string>(FileStep step, const std::string& path)>;

// Replaces the file's content as described above; false with *error.
bool ReplaceFileContent(const std::string& path, std::string_view content, std::string* error = nullptr,
                        const FileFaults& faults = {});

// Where the history and the backups keep their files: written at once, or
// held back until a command's main file is saved (FileTransaction).
class IFileStore {
 public:
  virtual ~IFileStore() = default;
  // As ReadWholeFile, a file written here and not yet in place included.
  virtual std::optional<std::string> Read(const std::string& path, std::string* error = nullptr) = 0;
  virtual bool Write(const std::string& path, std::string_view content, std::string* error = nullptr) = 0;
  // Removes the file if it is there.
  virtual void Remove(const std::string& path) = 0;
};

// Writes at once, through ReplaceFileContent.
class DirectFileStore final : public IFileStore {
 public:
  explicit DirectFileStore(FileFaults faults = {}) : faults_(std::move(faults)) {}
  std::optional<std::string> Read(const std::string& path, std::string* error = nullptr) override;
  bool Write(const std::string& path, std::string_view content, std::string* error = nullptr) override;
  void Remove(const std::string& path) override;

 private:
  FileFaults faults_;
};

// The store of the window: files written at once, nothing failing on purpose.
IFileStore& DirectFiles();

// The files of one command, all or none: each write goes into a complete new
// file beside its target at once (so a full disk or a missing folder shows
// before anything is replaced); Commit then puts them in place, in the order
// first written with the files named by PutLast after all others, and removes
// the files Remove named. Each replaced file but the last stays under a side
// name (NewFile::PutInPlace) until all are in place, and is removed then; a
// failure renames the files already replaced back. A
// write that failed fails the Commit too, with its message (a caller such as
// the history may not report it). What is not committed is dropped with the
// object.
class FileTransaction final : public IFileStore {
 public:
  explicit FileTransaction(FileFaults faults = {}) : faults_(std::move(faults)) {}
  FileTransaction(const FileTransaction&) = delete;
  FileTransaction& operator=(const FileTransaction&) = delete;

  // Reading a file notes its size and time: Commit refuses to replace a file
  // that another program changed after this run first looked at it.
  std::optional<std::string> Read(const std::string& path, std::string* error = nullptr) override;
  // The file as it stands (not one written here), open to be read a piece at
  // a time, its size and time noted as by Read. Nothing when there is no file
  // (*error empty) or when it cannot be read (*error).
  std::unique_ptr<OpenFile> Open(const std::string& path, std::string* error);
  bool Write(const std::string& path, std::string_view content, std::string* error = nullptr) override;
  // The same with content made piece by piece straight into the new file,
  // none of it held here (a registry file may be hundreds of megabytes):
  // make hands each piece to put, in order. A put that fails (false) fails
  // the write with the system's reason; make failing on its own fails it
  // with make's *error as it stands.
  using PutBytes = std::function<bool(std::string_view bytes)>;
  using ContentMaker = std::function<bool(const PutBytes& put, std::string* error)>;
  bool WriteMade(const std::string& path, const ContentMaker& make, std::string* error = nullptr);
  void Remove(const std::string& path) override;

  // The record that a change was made goes in only once the change is saved.
  void PutLast(const std::string& path);
  bool Commit(std::string* error);

 private:
  struct Entry {
    std::string path;  // as given, for messages
    std::string target;
    std::optional<std::string> content;  // nothing: read back from the new file
    std::unique_ptr<NewFile> file;
  };
  // The target of path and what stood there when this run first saw it.
  std::pair<std::string, FileStamp> Look(const std::string& path, std::string* error);
  Entry* Find(const std::string& target);
  bool Add(const std::string& path, std::optional<std::string> content, const ContentMaker& make, std::string* error);
  std::optional<std::string> Fault(FileStep step, const std::string& path) const;

  FileFaults faults_;
  std::vector<Entry> entries_;
  std::map<std::string, FileStamp> seen_;  // by target
  std::set<std::string> last_;             // targets
  std::vector<std::string> removals_;      // targets
  std::string failure_;                    // the first write that failed
};

}  // namespace corvandel
