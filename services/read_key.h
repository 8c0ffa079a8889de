// What the registry wrappers share when they read the registry underneath
// them: which handles are the predefined roots, and a key held open for a
// read.
#pragma once

#include <string>

#include "services/registry.h"

namespace corvandel {

// One of the four predefined roots: never closed.
inline bool IsRoot(RegKey key) {
  return key == reg::kClassesRoot || key == reg::kCurrentUser || key == reg::kLocalMachine || key == reg::kUsers;
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
