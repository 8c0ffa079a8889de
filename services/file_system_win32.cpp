// The file calls on Windows.
#include <windows.h>

#include <random>
#include <thread>

#include "services/file_system.h"

namespace corvandel {
namespace {

// The system's text for an error code, without its closing line break.
std::string Reason(DWORD code = GetLastError()) {
  char text[512] = "";
  const DWORD size = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                    text, sizeof(text), nullptr);
  std::string reason(text, size);
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
    reason.pop_back();
  return reason.empty() ? "error " + std::to_string(code) : reason;
}

bool Missing(DWORD code) { return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND; }

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

std::string FinalPath(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
  // Symbolic links came with Windows Vista, and so did the call that follows them.
  using FinalName = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
  const auto finalName = reinterpret_cast<FinalName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
  if (!finalName) return path;
  const HANDLE file = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  char name[MAX_PATH * 4] = "";
  const DWORD size = finalName(file, name, sizeof(name), 0);
  CloseHandle(file);
  if (size == 0 || size >= sizeof(name)) return path;
  std::string final(name, size);
  if (final.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + final.substr(8);
  if (final.rfind("\\\\?\\", 0) == 0) return final.substr(4);
  return final;
}

bool StampOf(const std::string& path, FileStamp* stamp, std::string* reason) {
  *stamp = {};
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    const DWORD code = GetLastError();
    if (Missing(code)) return true;
    *reason = Reason(code);
    return false;
  }
  stamp->exists = true;
  stamp->folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  stamp->readOnly = !stamp->folder && (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  stamp->size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp->modified = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                              data.ftLastWriteTime.dwLowDateTime);
  if (!stamp->folder) {
    const HANDLE file = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION information;
    if (file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &information))
      stamp->links = information.nNumberOfLinks;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return true;
}

bool ReadFileBytes(const std::string& path, std::string* bytes, std::string* reason) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *reason = Reason();
    return false;
  }
  bytes->clear();
  // Room for the whole file at once: grown by doubling, a large file would
  // take up to twice its size.
  LARGE_INTEGER size;
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0) bytes->reserve(static_cast<std::size_t>(size.QuadPart));
  char block[1 << 16];
  DWORD got = 0;
  bool ok;
  while ((ok = ReadFile(file, block, sizeof(block), &got, nullptr)) && got > 0) bytes->append(block, got);
  if (!ok) *reason = Reason();
  CloseHandle(file);
  return ok;
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool RemoveFile(const std::string& path, std::string* reason) {
  if (DeleteFileA(path.c_str())) return true;
  *reason = Reason();
  return false;
}

bool PutBack(const std::string& kept, const std::string& target, std::string* reason) {
  if (MoveFileExA(kept.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  *reason = Reason();
  return false;
}

struct OpenFile::Handle {
  HANDLE file = INVALID_HANDLE_VALUE;
};

OpenFile::OpenFile() : handle_(std::make_unique<Handle>()) {}

OpenFile::~OpenFile() {
  if (handle_->file != INVALID_HANDLE_VALUE) CloseHandle(handle_->file);
}

bool OpenFile::Open(const std::string& path, std::string* reason) {
  handle_->file = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle_->file != INVALID_HANDLE_VALUE) return true;
  *reason = Reason();
  return false;
}

bool OpenFile::ReadAt(std::uint64_t offset, std::size_t size, std::string* into, std::string* reason) const {
  const std::size_t had = into->size();
  into->resize(had + size);
  std::size_t got = 0;
  while (got < size) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>((offset + got) & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>((offset + got) >> 32);
    const DWORD wanted = size - got > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size - got);
    DWORD read = 0;
    if (!ReadFile(handle_->file, into->data() + had + got, wanted, &read, &at)) {
      const DWORD code = GetLastError();
      if (code == ERROR_HANDLE_EOF) break;
      *reason = Reason(code);
      into->resize(had);
      return false;
    }
    if (read == 0) break;
    got += read;
  }
  into->resize(had + got);
  return true;
}

struct NewFile::Handle {
  HANDLE file = INVALID_HANDLE_VALUE;
  std::string path;
  bool placed = false;
};

NewFile::NewFile() : handle_(std::make_unique<Handle>()) {}

NewFile::~NewFile() {
  if (handle_->file != INVALID_HANDLE_VALUE) CloseHandle(handle_->file);
  if (!handle_->path.empty() && !handle_->placed) DeleteFileA(handle_->path.c_str());
}

bool NewFile::Create(const std::string& target, std::string* reason) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = target + SideSuffix(random, ".tmp");
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      if (code == ERROR_FILE_EXISTS) continue;
      *reason = Reason(code);
      return false;
    }
    handle_->file = file;
    handle_->path = name;
    return true;
  }
  *reason = "no unused temporary name";
  return false;
}

bool NewFile::Write(std::string_view bytes, std::string* reason) {
  while (!bytes.empty()) {
    DWORD put = 0;
    const DWORD size = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    if (!WriteFile(handle_->file, bytes.data(), size, &put, nullptr)) {
      *reason = Reason();
      return false;
    }
    bytes.remove_prefix(put);
  }
  return true;
}

const std::string& NewFile::Name() const { return handle_->path; }

bool NewFile::Flush(std::string* reason) {
  if (!FlushFileBuffers(handle_->file)) {
    *reason = Reason();
    return false;
  }
  return true;
}

bool NewFile::PutInPlace(const std::string& target, bool replace, std::string* reason, std::string* keptOld) {
  CloseHandle(handle_->file);
  handle_->file = INVALID_HANDLE_VALUE;
  // ReplaceFile gives the new file the replaced one's attributes and
  // security, and keeps the replaced file under the backup name; a new name
  // is taken only when no file has it.
  std::string backup;
  if (replace && keptOld) {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && backup.empty(); ++attempt) {
      const std::string name = target + SideSuffix(random, ".old");
      if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) backup = name;
    }
    if (backup.empty()) {
      *reason = "no unused name to keep the old file under";
      return false;
    }
  }
  const BOOL done = replace ? ReplaceFileA(target.c_str(), handle_->path.c_str(), backup.empty() ? nullptr : backup.c_str(),
                                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                            : MoveFileExA(handle_->path.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
  if (!done) {
    *reason = Reason();
    return false;
  }
  if (keptOld) *keptOld = backup;
  handle_->placed = true;
  return true;
}

struct RunLock::Handle {
  HANDLE file = INVALID_HANDLE_VALUE;
};

RunLock::RunLock() : handle_(std::make_unique<Handle>()) {}

RunLock::~RunLock() {
  if (handle_->file != INVALID_HANDLE_VALUE) CloseHandle(handle_->file);
}

// A file being replaced cannot be held open (Windows refuses to replace an
// open file), so the lock is a file beside it, "FILE.lock", opened by one run
// alone and removed by the system when that run's handle closes, also when
// the run is killed. A run that cannot make it (no right to write the
// folder) cannot change the file either and goes on without it.
bool RunLock::Acquire(const std::string& path, std::chrono::milliseconds wait, std::string* error) {
  const std::string lock = FinalPath(path) + ".lock";
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (true) {
    const HANDLE file =
        CreateFileA(lock.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_->file = file;
      return true;
    }
    const DWORD code = GetLastError();
    const bool held = code == ERROR_FILE_EXISTS || code == ERROR_SHARING_VIOLATION ||
                      (code == ERROR_ACCESS_DENIED && GetFileAttributesA(lock.c_str()) != INVALID_FILE_ATTRIBUTES);
    if (!held) return true;
    if (std::chrono::steady_clock::now() >= deadline) {
      *error = path + " is in use by another run";
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace corvandel
