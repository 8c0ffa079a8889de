// A registry that passes every call on to another and adds up how many calls
// were made and how long the other one took over them: the raw registry work
// inside a selection or an apply.
#pragma once

#include <chrono>
#include <utility>

#include "services/registry.h"

namespace corvandel {

class TimedRegistry : public IRegistry {
 public:
  explicit TimedRegistry(IRegistry& inner) : inner_(inner) {}

  void Reset() {
    calls_ = 0;
    elapsed_ = {};
  }
  int calls() const { return calls_; }
  double microseconds() const { return std::chrono::duration<double, std::micro>(elapsed_).count(); }

  RegResult ConnectRegistry(RegKey root, RegKey* result) override { return Time(&IRegistry::ConnectRegistry, root, result); }
  RegResult OpenKeyEx(RegKey key, const char* subKey, RegKey* result) override {
    return Time(&IRegistry::OpenKeyEx, key, subKey, result);
  }
  RegResult OpenKey(RegKey key, const char* subKey, RegKey* result) override {
    return Time(&IRegistry::OpenKey, key, subKey, result);
  }
  RegResult CreateKey(RegKey key, const char* subKey, RegKey* result) override {
    return Time(&IRegistry::CreateKey, key, subKey, result);
  }
  RegResult QueryValueEx(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override {
    return Time(&IRegistry::QueryValueEx, key, name, type, data, size);
  }
  RegResult QueryValue(RegKey key, const char* subKey, char* data, std::int32_t* size) override {
    return Time(&IRegistry::QueryValue, key, subKey, data, size);
  }
  RegResult SetValueEx(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                       std::uint32_t size) override {
    return Time(&IRegistry::SetValueEx, key, name, type, data, size);
  }
  RegResult DeleteValue(RegKey key, const char* name) override { return Time(&IRegistry::DeleteValue, key, name); }
  RegResult DeleteKey(RegKey key, const char* subKey) override { return Time(&IRegistry::DeleteKey, key, subKey); }
  RegResult DeleteTree(RegKey key, const char* subKey) override { return Time(&IRegistry::DeleteTree, key, subKey); }
  RegResult DeleteValueByPath(RegKey key, const char* subKey, const char* name) override {
    return Time(&IRegistry::DeleteValueByPath, key, subKey, name);
  }
  RegResult EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) override {
    return Time(&IRegistry::EnumKey, key, index, name, nameSize);
  }
  RegResult EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize, std::uint32_t* type,
                      std::uint8_t* data, std::uint32_t* dataSize) override {
    return Time(&IRegistry::EnumValue, key, index, name, nameSize, type, data, dataSize);
  }
  RegResult CloseKey(RegKey key) override { return Time(&IRegistry::CloseKey, key); }
  void SetReadOnlyOpens(bool readOnly) override { inner_.SetReadOnlyOpens(readOnly); }

 private:
  template <typename Call, typename... Args>
  RegResult Time(Call call, Args... args) {
    const auto start = std::chrono::steady_clock::now();
    const RegResult result = (inner_.*call)(args...);
    elapsed_ += std::chrono::steady_clock::now() - start;
    ++calls_;
    return result;
  }

  IRegistry& inner_;
  int calls_ = 0;
  std::chrono::steady_clock::duration elapsed_{};
};

}  // namespace corvandel
