// The registry seam with a gate in front of every call that changes it:
// once closed, those calls fail (ERROR_CANCELLED) without reaching the
// registry. The navigator closes it when the backup of an apply cannot be
// written, so that no change is made without the backup that undoes it.
#pragma once

#include "services/registry.h"

namespace corvandel {

class RegistryGate : public IRegistry {
 public:
  static constexpr RegResult kClosed = 1223;  // ERROR_CANCELLED

  explicit RegistryGate(IRegistry& inner) : inner_(inner) {}
  RegistryGate(const RegistryGate&) = delete;
  RegistryGate& operator=(const RegistryGate&) = delete;

  void Close() { closed_ = true; }
  void Open() { closed_ = false; }

  RegResult ConnectRegistry(RegKey root, RegKey* result) override { return inner_.ConnectRegistry(root, result); }
  RegResult OpenKeyEx(RegKey key, const char* subKey, RegKey* result) override {
    return inner_.OpenKeyEx(key, subKey, result);
  }
  RegResult OpenKey(RegKey key, const char* subKey, RegKey* result) override {
    return inner_.OpenKey(key, subKey, result);
  }
  RegResult CreateKey(RegKey key, const char* subKey, RegKey* result) override {
    return closed_ ? kClosed : inner_.CreateKey(key, subKey, result);
  }
  RegResult QueryValueEx(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override {
    return inner_.QueryValueEx(key, name, type, data, size);
  }
  RegResult QueryValue(RegKey key, const char* subKey, char* data, std::int32_t* size) override {
    return inner_.QueryValue(key, subKey, data, size);
  }
  RegResult SetValueEx(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                       std::uint32_t size) override {
    return closed_ ? kClosed : inner_.SetValueEx(key, name, type, data, size);
  }
  RegResult DeleteValue(RegKey key, const char* name) override {
    return closed_ ? kClosed : inner_.DeleteValue(key, name);
  }
  RegResult DeleteKey(RegKey key, const char* subKey) override {
    return closed_ ? kClosed : inner_.DeleteKey(key, subKey);
  }
  RegResult DeleteTree(RegKey key, const char* subKey) override {
    return closed_ ? kClosed : inner_.DeleteTree(key, subKey);
  }
  RegResult DeleteValueByPath(RegKey key, const char* subKey, const char* name) override {
    return closed_ ? kClosed : inner_.DeleteValueByPath(key, subKey, name);
  }
  RegResult EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) override {
    return inner_.EnumKey(key, index, name, nameSize);
  }
  RegResult EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize, std::uint32_t* type,
                      std::uint8_t* data, std::uint32_t* dataSize) override {
    return inner_.EnumValue(key, index, name, nameSize, type, data, dataSize);
  }
  RegResult CloseKey(RegKey key) override { return inner_.CloseKey(key); }
  void SetReadOnlyOpens(bool readOnly) override { inner_.SetReadOnlyOpens(readOnly); }

 private:
  IRegistry& inner_;
  bool closed_ = false;
};

}  // namespace corvandel
