// The system's file calls that a safe replace and the one-writer-at-a-time
// lock rest on: one implementation per system (file_system_posix.cpp,
// file_system_win32.cpp). Paths are the program's ANSI paths; a failure
// comes back as the system's own reason ("No space left on device",
// "Permission denied", ...).
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace corvandel {

// What a file of a run's own adds to the name of the file it stands beside:
// ".~", sixteen random hexadecimal digits and ending; taken only where no
// file has the name.
inline std::string SideSuffix(std::random_device& random, const char* ending) {
  char suffix[32];
  std::snprintf(suffix, sizeof(suffix), ".~%08x%08x%s", random(), random(), ending);
  return suffix;
}

// What stands at a path, enough to see whether another program changed it.
struct FileStamp {
  bool exists = false;
  bool folder = false;
  bool readOnly = false;     // no right to write it, or marked read-only
  std::uint32_t links = 1;   // names of the same file (hard links)
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // the system's own units
  bool SameFile(const FileStamp& other) const {
    return exists == other.exists && folder == other.folder && size == other.size && modified == other.modified;
  }
};

// The path that symbolic links at path lead to (path itself when it is not
// one); the file to replace, so that the link stays a link.
std::string FinalPath(const std::string& path);

// What is at path (exists false when nothing is); false with *reason when the
// system cannot tell.
bool StampOf(const std::string& path, FileStamp* stamp, std::string* reason);

// A whole file's bytes; false with *reason.
bool ReadFileBytes(const std::string& path, std::string* bytes, std::string* reason);

// Removes a file; false with *reason.
bool RemoveFile(const std::string& path, std::string* reason);

// Puts a file that NewFile::PutInPlace kept back under its old name, over
// what took its place; false with *reason (the kept file is then still there).
bool PutBack(const std::string& kept, const std::string& target, std::string* reason);

// A file open for reading a piece at a time, so that a large one need not be
// held whole; closed when the object goes.
class OpenFile {
 public:
  OpenFile();
  ~OpenFile();
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  bool Open(const std::string& path, std::string* reason);
  // Appends up to size bytes from offset to *into, fewer only at the end of
  // the file; false with *reason.
  bool ReadAt(std::uint64_t offset, std::size_t size, std::string* into, std::string* reason) const;

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

// The names of the files in a folder (not its folders, nothing below them);
// none when the folder is missing or cannot be read. One pass over the
// folder: the system says what each entry is as it lists it.
std::vector<std::string> FileNamesIn(const std::string& folder);

// A new file in the folder of the file it is to replace, under a name no
// other file has (created exclusively), with that file's mode and owner
// (POSIX) from the start. Removed again unless it was put in place.
class NewFile {
 public:
  NewFile();
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  // target: the final path of the file to write (see FinalPath).
  bool Create(const std::string& target, std::string* reason);
  // Appends the bytes; Flush puts everything written on the disk.
  bool Write(std::string_view bytes, std::string* reason);
  bool Flush(std::string* reason);
  // The new file's own name, as the program names files.
  const std::string& Name() const;
  // Takes target's place: replaces it when replace is set, and otherwise
  // fails rather than take the name of a file that appeared meanwhile. With
  // keptOld, the replaced file is not dropped but stays beside the target
  // under a new name no file had (*keptOld), for PutBack or RemoveFile: a
  // rollback then costs a rename, not a copy of the old content. The target
  // name holds a whole file at every moment.
  bool PutInPlace(const std::string& target, bool replace, std::string* reason, std::string* keptOld = nullptr);

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

// One writer at a time: an exclusive lock on a file for one run, released
// when the object goes. The files a run writes stay locked too until the run
// ends (POSIX: the new file is locked before it takes the old one's place).
class RunLock {
 public:
  RunLock();
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  // Waits up to wait for the lock on the file at path (a missing file: on its
  // folder); false with *error "PATH is in use by another run" when another
  // run keeps it. Where no lock can be had (a missing folder, no right to open
  // the file or write the folder) this run could change nothing either, and
  // goes on without one.
  bool Acquire(const std::string& path, std::chrono::milliseconds wait, std::string* error);

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

}  // namespace corvandel
