#include "services/file_text.h"

#include <algorithm>

namespace corvandel {
namespace {

std::optional<std::string> ReadAt(const std::string& path, const std::string& target, const FileStamp& stamp,
                                  std::string* error) {
  if (!stamp.exists) return std::nullopt;
  if (stamp.folder) {
    if (error) *error = path + " is a folder";
    return std::nullopt;
  }
  std::string bytes, reason;
  if (!ReadFileBytes(target, &bytes, &reason)) {
    if (error) *error = path + ": cannot read: " + reason;
    return std::nullopt;
  }
  return bytes;
}

// Why the file at path may not be replaced, if it may not.
std::optional<std::string> Refusal(const std::string& path, const FileStamp& stamp) {
  if (stamp.folder) return path + " is a folder";
  if (stamp.readOnly) return path + " is read-only";
  if (stamp.links > 1)
    return path + " has " + std::to_string(stamp.links) +
           " names (hard links): a new file in its place would part them, so it is left as it is";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error) {
  if (error) error->clear();
  const std::string target = FinalPath(path);
  FileStamp stamp;
  std::string reason;
  if (!StampOf(target, &stamp, &reason)) {
    if (error) *error = path + ": cannot read: " + reason;
    return std::nullopt;
  }
  return ReadAt(path, target, stamp, error);
}

bool ReplaceFileContent(const std::string& path, std::string_view content, std::string* error,
                        const FileFaults& faults) {
  FileTransaction files(faults);
  std::string message;
  const bool done = files.Write(path, content, &message) && files.Commit(&message);
  if (!done && error) *error = message;
  return done;
}

std::optional<std::string> DirectFileStore::Read(const std::string& path, std::string* error) {
  return ReadWholeFile(path, error);
}

bool DirectFileStore::Write(const std::string& path, std::string_view content, std::string* error) {
  return ReplaceFileContent(path, content, error, faults_);
}

void DirectFileStore::Remove(const std::string& path) {
  std::string ignored;
  RemoveFile(FinalPath(path), &ignored);
}

IFileStore& DirectFiles() {
  static DirectFileStore files;  // holds nothing that changes
  return files;
}

std::pair<std::string, FileStamp> FileTransaction::Look(const std::string& path, std::string* error) {
  std::string target = FinalPath(path);
  FileStamp stamp;
  std::string reason;
  if (!StampOf(target, &stamp, &reason)) {
    *error = path + ": " + reason;
    return {target, stamp};
  }
  seen_.emplace(target, stamp);
  return {target, stamp};
}

FileTransaction::Entry* FileTransaction::Find(const std::string& target) {
  auto at = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.target == target; });
  return at == entries_.end() ? nullptr : &*at;
}

std::optional<std::string> FileTransaction::Fault(FileStep step, const std::string& path) const {
  return faults_ ? faults_(step, path) : std::nullopt;
}

std::optional<std::string> FileTransaction::Read(const std::string& path, std::string* error) {
  std::string message;
  const auto [target, stamp] = Look(path, &message);
  if (error) *error = message;
  if (const Entry* entry = Find(target)) {
    if (entry->content) return entry->content;
    std::string bytes, reason;
    if (ReadFileBytes(entry->file->Name(), &bytes, &reason)) return bytes;
    if (error) *error = path + ": cannot read: " + reason;
    return std::nullopt;
  }
  if (!message.empty() || std::find(removals_.begin(), removals_.end(), target) != removals_.end()) return std::nullopt;
  return ReadAt(path, target, stamp, error);
}

std::unique_ptr<OpenFile> FileTransaction::Open(const std::string& path, std::string* error) {
  error->clear();
  const auto [target, stamp] = Look(path, error);
  if (!error->empty() || !stamp.exists) return nullptr;
  if (stamp.folder) {
    *error = path + " is a folder";
    return nullptr;
  }
  auto file = std::make_unique<OpenFile>();
  std::string reason;
  if (file->Open(target, &reason)) return file;
  *error = path + ": cannot read: " + reason;
  return nullptr;
}

bool FileTransaction::Write(const std::string& path, std::string_view content, std::string* error) {
  return Add(path, std::string(content), {}, error);
}

bool FileTransaction::WriteMade(const std::string& path, const ContentMaker& make, std::string* error) {
  return Add(path, std::nullopt, make, error);
}

// The new file of path with content, or what make puts, written and flushed.
bool FileTransaction::Add(const std::string& path, std::optional<std::string> content, const ContentMaker& make,
                          std::string* error) {
  std::string message;
  const auto [target, stamp] = Look(path, &message);
  if (message.empty())
    if (auto refusal = Refusal(path, stamp)) message = *refusal;
  auto file = std::make_unique<NewFile>();
  std::string reason;
  if (message.empty() && !file->Create(target, &reason)) message = path + ": cannot write: " + reason;
  if (message.empty())
    if (auto fault = Fault(FileStep::kWrite, path)) message = path + ": cannot write: " + *fault;
  if (message.empty()) {
    const PutBytes put = [&](std::string_view bytes) { return file->Write(bytes, &reason); };
    std::string unmade;
    const bool written = content ? put(*content) : make(put, &unmade);
    if (written && !file->Flush(&reason)) message = path + ": cannot write: " + reason;
    if (!written) message = reason.empty() ? unmade : path + ": cannot write: " + reason;
  }
  if (!message.empty()) {
    if (error) *error = message;
    if (failure_.empty()) failure_ = message;
    return false;
  }
  if (Entry* entry = Find(target)) {
    entry->content = std::move(content);
    entry->file = std::move(file);  // the earlier new file goes
  } else {
    entries_.push_back({path, target, std::move(content), std::move(file)});
  }
  removals_.erase(std::remove(removals_.begin(), removals_.end(), target), removals_.end());
  return true;
}

void FileTransaction::Remove(const std::string& path) {
  std::string ignored;
  const auto [target, stamp] = Look(path, &ignored);
  const std::string& dropped = target;  // a lambda may not name a structured binding (C++20 as clang reads it)
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.target == dropped; }),
                 entries_.end());
  if (stamp.exists) removals_.push_back(target);
}

void FileTransaction::PutLast(const std::string& path) { last_.insert(FinalPath(path)); }

bool FileTransaction::Commit(std::string* error) {
  if (!failure_.empty()) {
    if (error) *error = failure_;
    return false;
  }
  std::vector<Entry*> order;
  for (bool last : {false, true})
    for (Entry& entry : entries_)
      if (last_.count(entry.target) == static_cast<std::size_t>(last)) order.push_back(&entry);

  // Each replaced file stays under a side name until all are in place, to be
  // put back by a rename when a later step fails.
  struct Placed {
    const Entry* entry;
    std::string kept;  // empty: no file stood there before
  };
  std::vector<Placed> placed;
  std::string message;
  for (Entry* entry : order) {
    const FileStamp& before = seen_[entry->target];
    FileStamp now;
    std::string reason;
    if (!StampOf(entry->target, &now, &reason)) {
      message = entry->path + ": cannot write: " + reason;
      break;
    }
    if (!now.SameFile(before)) {
      message = entry->path + " was changed by another program during this run";
      break;
    }
    // Nothing comes after the last file that could fail and call it back.
    const bool keep = now.exists && entry != order.back();
    std::string kept;
    if (auto fault = Fault(FileStep::kReplace, entry->path)) reason = *fault;
    if (!reason.empty() || !entry->file->PutInPlace(entry->target, now.exists, &reason, keep ? &kept : nullptr)) {
      message = entry->path + ": cannot write: " + reason;
      break;
    }
    placed.push_back({entry, std::move(kept)});
  }
  if (message.empty()) {
    for (const Placed& done : placed) {
      std::string ignored;
      if (!done.kept.empty()) RemoveFile(done.kept, &ignored);
    }
    for (const std::string& target : removals_) {
      std::string ignored;
      RemoveFile(target, &ignored);
    }
    return true;
  }
  // Last replaced first back; a file that cannot be put back is said, and
  // where its old content stays.
  for (auto at = placed.rbegin(); at != placed.rend(); ++at) {
    std::string reason;
    if (auto fault = Fault(FileStep::kPutBack, at->entry->path)) reason = *fault;
    const bool back = !reason.empty()               ? false
                      : at->kept.empty()            ? RemoveFile(at->entry->target, &reason)
                                                    : PutBack(at->kept, at->entry->target, &reason);
    if (!back)
      message += "; " + at->entry->path + " could not be put back: " + reason +
                 (at->kept.empty() ? std::string() : " (its old content is kept as " + at->kept + ")");
  }
  entries_.clear();  // the new files not put in place go
  if (error) *error = message;
  return false;
}

}  // namespace corvandel
