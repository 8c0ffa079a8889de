// What the registry wrappers share when they read the registry underneath
// them: which handles are the predefined roots, key paths, and a key held open
// for a read.
#pragma once

#include <string>
#include <string_view>

#include "services/registry.h"

namespace corvandel {

// One of the four predefined roots: never closed.
inline bool IsRoot(RegKey key) {
  return key == reg::kClassesRoot || key == reg::kCurrentUser || key == reg::kLocalMachine || key == reg::kUsers;
}

// path and subKey joined with single backslashes, so that one key has one
// spelling whatever the caller wrote (a\\\\b\\ and a\\b are one key).
inline std::string JoinedKeyPath(std::string_view path, std::string_view subKey) {
  std::string joined;
  for (std::string_view rest : {path, subKey}) {
    while (!rest.empty()) {
      const std::size_t slash = rest.find('\\');
      const std::string_view part = rest.substr(0, slash);
      if (!part.empty()) (joined.empty() ? joined : joined += '\\').append(part);
      rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
  }
  return joined;
}

// The path of a joined path's parent key; empty at the top.
inline std::string_view ParentKeyPath(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

// A key opened for the life of the object, with the registry's OpenKey or
// OpenKeyEx (which honours read-only opens), and closed on leaving; the root
// itself for an empty path.
class ReadKey {
 public:
  using Opener = RegResult (IRegistry::*)(RegKey key, const char* subKey, RegKey* result);

  ReadKey(IRegistry& registry, RegKey root, const std::string& path, Opener open) : registry_(registry) {
    result_ = (registry.*open)(root, path.c_str(), &key_);
  }
  ~ReadKey() {
    if (result_ == reg::kSuccess && !IsRoot(key_)) registry_.CloseKey(key_);
  }
  ReadKey(const ReadKey&) = delete;
  ReadKey& operator=(const ReadKey&) = delete;

  RegResult result() const { return result_; }
  RegKey key() const { return key_; }

 private:
  IRegistry& registry_;
  RegKey key_ = 0;
  RegResult result_;
};

}  // namespace corvandel
