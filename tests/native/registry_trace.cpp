#include "registry_trace.h"

#include <cctype>

namespace corvandel {

namespace {

bool IsRoot(RegKey key) {
  return key == reg::kClassesRoot || key == reg::kCurrentUser || key == reg::kLocalMachine || key == reg::kUsers;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

RegistryTrace::Where RegistryTrace::Below(RegKey key, const char* subKey) const {
  Where where{key, ""};
  if (!IsRoot(key)) {
    auto found = handles_.find(key);
    if (found != handles_.end()) where = found->second;
  }
  const std::string sub = subKey ? subKey : "";
  if (!sub.empty()) where.path = where.path.empty() ? sub : where.path + "\\" + sub;
  return where;
}

RegResult RegistryTrace::Opened(RegResult result, RegKey key, const char* subKey, RegKey* handle) {
  if (result == reg::kSuccess && handle) {
    const Where where = Below(key, subKey);
    handles_[*handle] = where;
    keys.insert({where.root, Upper(where.path)});
  }
  return result;
}

RegResult RegistryTrace::ConnectRegistry(RegKey root, RegKey* result) {
  ++calls;
  const RegResult r = inner_.ConnectRegistry(root, result);
  if (r == reg::kSuccess && result) handles_[*result] = {root, ""};
  return r;
}

RegResult RegistryTrace::OpenKeyEx(RegKey key, const char* subKey, RegKey* result) {
  ++calls;
  return Opened(inner_.OpenKeyEx(key, subKey, result), key, subKey, result);
}

RegResult RegistryTrace::OpenKey(RegKey key, const char* subKey, RegKey* result) {
  ++calls;
  return Opened(inner_.OpenKey(key, subKey, result), key, subKey, result);
}

RegResult RegistryTrace::CreateKey(RegKey key, const char* subKey, RegKey* result) {
  ++calls;
  return Opened(inner_.CreateKey(key, subKey, result), key, subKey, result);
}

RegResult RegistryTrace::QueryValueEx(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                                      std::uint32_t* size) {
  ++calls;
  const Where where = Below(key, nullptr);
  valuesRead.insert({where.root, where.path, name ? name : ""});
  return inner_.QueryValueEx(key, name, type, data, size);
}

RegResult RegistryTrace::QueryValue(RegKey key, const char* subKey, char* data, std::int32_t* size) {
  ++calls;
  const Where where = Below(key, subKey);
  valuesRead.insert({where.root, where.path, ""});
  return inner_.QueryValue(key, subKey, data, size);
}

RegResult RegistryTrace::SetValueEx(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                                    std::uint32_t size) {
  ++calls;
  return inner_.SetValueEx(key, name, type, data, size);
}

RegResult RegistryTrace::DeleteValue(RegKey key, const char* name) {
  ++calls;
  return inner_.DeleteValue(key, name);
}

RegResult RegistryTrace::DeleteKey(RegKey key, const char* subKey) {
  ++calls;
  const Where where = Below(key, subKey);
  keys.insert({where.root, Upper(where.path)});
  return inner_.DeleteKey(key, subKey);
}

RegResult RegistryTrace::DeleteTree(RegKey key, const char* subKey) {
  ++calls;
  const Where where = Below(key, subKey);
  keys.insert({where.root, Upper(where.path)});
  return inner_.DeleteTree(key, subKey);
}

RegResult RegistryTrace::DeleteValueByPath(RegKey key, const char* subKey, const char* name) {
  ++calls;
  const Where where = Below(key, subKey);
  keys.insert({where.root, Upper(where.path)});
  return inner_.DeleteValueByPath(key, subKey, name);
}

RegResult RegistryTrace::EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) {
  ++calls;
  return inner_.EnumKey(key, index, name, nameSize);
}

RegResult RegistryTrace::EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                                   std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  ++calls;
  return inner_.EnumValue(key, index, name, nameSize, type, data, dataSize);
}

RegResult RegistryTrace::CloseKey(RegKey key) {
  handles_.erase(key);
  return inner_.CloseKey(key);
}

}  // namespace corvandel
