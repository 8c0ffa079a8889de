// The file calls on POSIX systems (the native build).
#include "services/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <thread>

#include "services/ansi_text.h"

namespace corvandel {
namespace {

std::string Native(const std::string& path) { return PathFromAnsi(path).string(); }

std::string Reason() { return std::strerror(errno); }

std::string FolderOf(const std::string& nativePath) {
  const std::size_t slash = nativePath.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : nativePath.substr(0, slash);
}

FileStamp StampFrom(const struct stat& info) {
  FileStamp stamp;
  stamp.exists = true;
  stamp.folder = S_ISDIR(info.st_mode);
  stamp.links = static_cast<std::uint32_t>(info.st_nlink);
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  return stamp;
}

bool SameInode(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Flushes a folder, so that a name just put in it survives a power cut.
void SyncFolder(const std::string& nativeFolder) {
  const int fd = ::open(nativeFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool NoHardLinks(int error) { return error == EPERM || error == EOPNOTSUPP || error == ENOSYS; }

}  // namespace

std::string FinalPath(const std::string& path) {
  std::string at = Native(path);
  // Forty hops, as the system allows; a loop ends at the last name reached.
  for (int hop = 0; hop < 40; ++hop) {
    struct stat info;
    if (::lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
    const ssize_t size = ::readlink(at.c_str(), target.data(), target.size());
    if (size < 0 || static_cast<std::size_t>(size) >= target.size()) break;
    target.resize(static_cast<std::size_t>(size));
    at = target.front() == '/' ? target : FolderOf(at) + "/" + target;
  }
  return AnsiFromPath(at);
}

bool StampOf(const std::string& path, FileStamp* stamp, std::string* reason) {
  const std::string native = Native(path);
  struct stat info;
  if (::stat(native.c_str(), &info) != 0) {
    *stamp = {};
    if (errno == ENOENT) return true;
    *reason = Reason();
    return false;
  }
  *stamp = StampFrom(info);
  // As root every file may be written: the mode's write bits still say
  // whether its owner meant it to be.
  stamp->readOnly = !stamp->folder && ((info.st_mode & 0222) == 0 || ::access(native.c_str(), W_OK) != 0);
  return true;
}

bool ReadFileBytes(const std::string& path, std::string* bytes, std::string* reason) {
  const int fd = ::open(Native(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *reason = Reason();
    return false;
  }
  bytes->clear();
  // Room for the whole file at once: grown by doubling, a large file would
  // take up to twice its size.
  struct stat info;
  if (::fstat(fd, &info) == 0 && info.st_size > 0) bytes->reserve(static_cast<std::size_t>(info.st_size));
  char block[1 << 16];
  ssize_t got;
  while ((got = ::read(fd, block, sizeof(block))) != 0) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      *reason = Reason();
      ::close(fd);
      return false;
    }
    bytes->append(block, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return true;
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  const std::string at = Native(folder);
  DIR* listing = opendir(at.c_str());
  if (listing == nullptr) return names;
  while (const dirent* entry = readdir(listing)) {
    bool file = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {  // asked where the listing does not say
      struct stat info;
      file = stat((at + "/" + entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }
    if (file) names.push_back(AnsiFromPath(entry->d_name));
  }
  closedir(listing);
  return names;
}

bool RemoveFile(const std::string& path, std::string* reason) {
  if (::unlink(Native(path).c_str()) == 0) return true;
  *reason = Reason();
  return false;
}

bool PutBack(const std::string& kept, const std::string& target, std::string* reason) {
  const std::string native = Native(target);
  if (::rename(Native(kept).c_str(), native.c_str()) != 0) {
    *reason = Reason();
    return false;
  }
  SyncFolder(FolderOf(native));
  return true;
}

struct OpenFile::Handle {
  int fd = -1;
};

OpenFile::OpenFile() : handle_(std::make_unique<Handle>()) {}

OpenFile::~OpenFile() {
  if (handle_->fd >= 0) ::close(handle_->fd);
}

bool OpenFile::Open(const std::string& path, std::string* reason) {
  handle_->fd = ::open(Native(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (handle_->fd >= 0) return true;
  *reason = Reason();
  return false;
}

bool OpenFile::ReadAt(std::uint64_t offset, std::size_t size, std::string* into, std::string* reason) const {
  const std::size_t had = into->size();
  into->resize(had + size);
  std::size_t got = 0;
  while (got < size) {
    const ssize_t read = ::pread(handle_->fd, into->data() + had + got, size - got, static_cast<off_t>(offset + got));
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) {
      *reason = Reason();
      into->resize(had);
      return false;
    }
    if (read == 0) break;
    got += static_cast<std::size_t>(read);
  }
  into->resize(had + got);
  return true;
}

struct NewFile::Handle {
  int fd = -1;
  std::string path;  // native
  std::string name;  // as the program names it
  bool placed = false;
};

NewFile::NewFile() : handle_(std::make_unique<Handle>()) {}

NewFile::~NewFile() {
  if (!handle_->path.empty() && !handle_->placed) ::unlink(handle_->path.c_str());
  if (handle_->fd >= 0) ::close(handle_->fd);  // after the rename: other runs waited on it
}

bool NewFile::Create(const std::string& target, std::string* reason) {
  const std::string native = Native(target);
  struct stat old;
  const bool replacing = ::stat(native.c_str(), &old) == 0;
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string suffix = SideSuffix(random, ".tmp");
    const std::string name = native + suffix;
    // The replaced file's mode from the start (so its content is never
    // readable by more users than before); a new file as the umask says.
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) {
      *reason = Reason();
      return false;
    }
    handle_->fd = fd;
    handle_->path = name;
    handle_->name = target + suffix;
    if (replacing && (::fchmod(fd, old.st_mode & 07777) != 0 ||
                      ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
                       ::fchown(fd, old.st_uid, old.st_gid) != 0))) {
      *reason = Reason() + " (its mode and owner cannot be kept)";
      return false;
    }
    // Locked before it takes the old file's place: a run that locks the new
    // file waits until this one has ended.
    ::flock(fd, LOCK_EX | LOCK_NB);
    return true;
  }
  *reason = "no unused temporary name";
  return false;
}

bool NewFile::Write(std::string_view bytes, std::string* reason) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(handle_->fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      *reason = Reason();
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

const std::string& NewFile::Name() const { return handle_->name; }

bool NewFile::Flush(std::string* reason) {
  if (::fsync(handle_->fd) != 0) {
    *reason = Reason();
    return false;
  }
  return true;
}

// The old file is kept by a second name (a link, which refuses a name that
// is taken), so that the target keeps a whole file until the rename; on a
// file system without hard links it is renamed aside after a look for the
// name, and put back should the rename after it fail.
bool NewFile::PutInPlace(const std::string& target, bool replace, std::string* reason, std::string* keptOld) {
  const std::string native = Native(target);
  std::string side;  // native, when the old file is kept
  bool linked = false;
  if (replace && keptOld) {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && side.empty(); ++attempt) {
      const std::string suffix = SideSuffix(random, ".old");
      struct stat taken;
      if (::link(native.c_str(), (native + suffix).c_str()) == 0) {
        linked = true;
      } else if (errno == EEXIST || (NoHardLinks(errno) && ::stat((native + suffix).c_str(), &taken) == 0)) {
        continue;
      } else if (!NoHardLinks(errno) || ::rename(native.c_str(), (native + suffix).c_str()) != 0) {
        *reason = Reason();
        return false;
      }
      side = native + suffix;
      *keptOld = target + suffix;
    }
    if (side.empty()) {
      *reason = "no unused name to keep the old file under";
      return false;
    }
  }
  if (replace) {
    if (::rename(handle_->path.c_str(), native.c_str()) != 0) {
      *reason = Reason();
      if (!side.empty()) linked ? ::unlink(side.c_str()) : ::rename(side.c_str(), native.c_str());
      if (keptOld) keptOld->clear();
      return false;
    }
  } else if (::link(handle_->path.c_str(), native.c_str()) == 0) {
    ::unlink(handle_->path.c_str());  // a second name: the link, not a rename, refuses an existing name
  } else {
    // A file system without hard links: renamed after a look for the name.
    struct stat taken;
    if (!NoHardLinks(errno)) {
      *reason = Reason();
      return false;
    }
    if (::stat(native.c_str(), &taken) == 0) {
      *reason = std::strerror(EEXIST);
      return false;
    }
    if (::rename(handle_->path.c_str(), native.c_str()) != 0) {
      *reason = Reason();
      return false;
    }
  }
  handle_->placed = true;
  SyncFolder(FolderOf(native));
  return true;
}

struct RunLock::Handle {
  int fd = -1;
};

RunLock::RunLock() : handle_(std::make_unique<Handle>()) {}

RunLock::~RunLock() {
  if (handle_->fd >= 0) ::close(handle_->fd);
}

// The lock is on the file itself, which every run opens by its name; as a
// replace puts a new file under that name, a run that got the lock checks
// that the name still leads to the file it locked, and otherwise tries again.
// A missing file is guarded by a lock on its folder.
bool RunLock::Acquire(const std::string& path, std::chrono::milliseconds wait, std::string* error) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (true) {
    const std::string native = Native(FinalPath(path));
    struct stat before;
    const bool exists = ::stat(native.c_str(), &before) == 0;
    const std::string locked = exists ? native : FolderOf(native);
    // A file or folder this run cannot open it cannot change either.
    const int fd = ::open(locked.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      struct stat now, held;
      const bool same = exists ? ::stat(native.c_str(), &now) == 0 && ::fstat(fd, &held) == 0 && SameInode(now, held)
                               : ::stat(native.c_str(), &now) != 0 && errno == ENOENT;
      if (same) {
        handle_->fd = fd;
        return true;
      }
      ::close(fd);
      continue;
    }
    const int why = errno;
    ::close(fd);
    if (why != EWOULDBLOCK) return true;  // a file system without locks
    if (std::chrono::steady_clock::now() >= deadline) {
      *error = path + " is in use by another run";
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace corvandel
