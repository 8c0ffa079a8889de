// Every key of a registry with its values, in no order, for comparing two
// registries (a value deleted and set again enumerates last, as in Windows).
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "services/reg_file.h"
#include "services/registry_memory.h"

namespace corvandel {

inline std::map<std::string, std::set<std::string>> RegistryContents(const MemoryRegistry& registry) {
  std::map<std::string, std::set<std::string>> all;
  for (RegKey root : {reg::kClassesRoot, reg::kCurrentUser, reg::kLocalMachine, reg::kUsers}) {
    registry.ForEachKey(root, [&](const std::string& path, const std::vector<MemoryRegistry::Value>& values) {
      auto& key = all[RegistryKeyName(root, path)];
      for (const MemoryRegistry::Value& value : values)
        key.insert(value.name + "=" + std::to_string(value.type) + ":" + std::string(value.data.begin(), value.data.end()));
    });
  }
  return all;
}

}  // namespace corvandel
