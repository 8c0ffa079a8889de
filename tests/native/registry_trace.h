// A registry seam that passes every call on to another and notes what the
// routines above it touched: the keys they opened or created and the values
// they read, each as root and path, and how many calls they made.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "services/registry.h"

namespace corvandel {

struct TracedValue {
  RegKey root;
  std::string path;
  std::string name;
  auto operator<=>(const TracedValue&) const = default;
};

class RegistryTrace : public IRegistry {
 public:
  explicit RegistryTrace(IRegistry& inner) : inner_(inner) {}

  // Forgets what was noted so far.
  void Clear() {
    keys.clear();
    valuesRead.clear();
    calls = 0;
  }

  std::set<std::pair<RegKey, std::string>> keys;  // opened or created, paths in upper case
  std::set<TracedValue> valuesRead;               // paths and names as the routine spelled them
  unsigned calls = 0;                             // every call but CloseKey

  RegResult ConnectRegistry(RegKey root, RegKey* result) override;
  RegResult OpenKeyEx(RegKey key, const char* subKey, RegKey* result) override;
  RegResult OpenKey(RegKey key, const char* subKey, RegKey* result) override;
  RegResult CreateKey(RegKey key, const char* subKey, RegKey* result) override;
  RegResult QueryValueEx(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override;
  RegResult QueryValue(RegKey key, const char* subKey, char* data, std::int32_t* size) override;
  RegResult SetValueEx(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                       std::uint32_t size) override;
  RegResult DeleteValue(RegKey key, const char* name) override;
  RegResult DeleteKey(RegKey key, const char* subKey) override;
  RegResult DeleteTree(RegKey key, const char* subKey) override;
  RegResult DeleteValueByPath(RegKey key, const char* subKey, const char* name) override;
  RegResult EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) override;
  RegResult EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize, std::uint32_t* type,
                      std::uint8_t* data, std::uint32_t* dataSize) override;
  RegResult CloseKey(RegKey key) override;
  void SetReadOnlyOpens(bool readOnly) override { inner_.SetReadOnlyOpens(readOnly); }

 private:
  struct Where {
    RegKey root;
    std::string path;
  };
  Where Below(RegKey key, const char* subKey) const;
  RegResult Opened(RegResult result, RegKey key, const char* subKey, RegKey* handle);

  IRegistry& inner_;
  std::map<RegKey, Where> handles_;
};

}  // namespace corvandel
