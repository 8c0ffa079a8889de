#include "services/registry_win32.h"

#include <windows.h>
#include <shlwapi.h>

namespace corvandel {
namespace {

constexpr std::uint32_t kFirstPredefined = 0x80000000u;  // HKEY_CLASSES_ROOT
constexpr std::uint32_t kLastPredefined = 0x80000006u;   // HKEY_DYN_DATA

HKEY ToHkey(RegKey key) {
  if (key >= kFirstPredefined && key <= kLastPredefined)
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
  return reinterpret_cast<HKEY>(key);
}

RegKey FromHkey(HKEY key) {
  auto value = reinterpret_cast<ULONG_PTR>(key);
  auto low = static_cast<std::uint32_t>(value);
  bool predefined = low >= kFirstPredefined && low <= kLastPredefined &&
                    value == static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(low)));
  return predefined ? low : value;
}

// The shape shared by the calls that hand out a key.
template <typename Call>
RegResult HandOut(RegKey* result, Call call) {
  if (!result) return reg::kInvalidParameter;
  HKEY key = nullptr;
  LONG r = call(&key);
  *result = r == ERROR_SUCCESS ? FromHkey(key) : 0;
  return r;
}

}  // namespace

RegResult Win32Registry::ConnectRegistry(RegKey root, RegKey* result) {
  return HandOut(result, [&](HKEY* key) { return RegConnectRegistryA(nullptr, ToHkey(root), key); });
}

RegResult Win32Registry::OpenKeyEx(RegKey key, const char* subKey, RegKey* result) {
  return HandOut(result, [&](HKEY* out) {
    return RegOpenKeyExA(ToHkey(key), subKey, 0, readOnly_ ? KEY_READ : KEY_ALL_ACCESS, out);
  });
}

RegResult Win32Registry::OpenKey(RegKey key, const char* subKey, RegKey* result) {
  return HandOut(result, [&](HKEY* out) { return RegOpenKeyA(ToHkey(key), subKey, out); });
}

RegResult Win32Registry::CreateKey(RegKey key, const char* subKey, RegKey* result) {
  return HandOut(result, [&](HKEY* out) { return RegCreateKeyA(ToHkey(key), subKey, out); });
}

RegResult Win32Registry::QueryValueEx(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                                      std::uint32_t* size) {
  DWORD valueType = type ? *type : 0;  // left as it was where the call does not set it
  DWORD valueSize = size ? *size : 0;
  LONG r = RegQueryValueExA(ToHkey(key), name, nullptr, type ? &valueType : nullptr, data,
                            size ? &valueSize : nullptr);
  if (type) *type = valueType;
  if (size) *size = valueSize;
  return r;
}

RegResult Win32Registry::QueryValue(RegKey key, const char* subKey, char* data, std::int32_t* size) {
  LONG valueSize = size ? *size : 0;
  LONG r = RegQueryValueA(ToHkey(key), subKey, data, size ? &valueSize : nullptr);
  if (size) *size = valueSize;
  return r;
}

RegResult Win32Registry::SetValueEx(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                                    std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), name, 0, type, data, size);
}

RegResult Win32Registry::DeleteValue(RegKey key, const char* name) { return RegDeleteValueA(ToHkey(key), name); }

RegResult Win32Registry::DeleteKey(RegKey key, const char* subKey) { return RegDeleteKeyA(ToHkey(key), subKey); }

RegResult Win32Registry::DeleteTree(RegKey key, const char* subKey) {
  return static_cast<RegResult>(SHDeleteKeyA(ToHkey(key), subKey));
}

RegResult Win32Registry::DeleteValueByPath(RegKey key, const char* subKey, const char* name) {
  return static_cast<RegResult>(SHDeleteValueA(ToHkey(key), subKey, name));
}

RegResult Win32Registry::EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) {
  return RegEnumKeyA(ToHkey(key), index, name, nameSize);
}

RegResult Win32Registry::EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                                   std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  DWORD nameLength = nameSize ? *nameSize : 0;
  DWORD valueType = type ? *type : 0;  // left as it was where the call does not set it
  DWORD valueSize = dataSize ? *dataSize : 0;
  LONG r = RegEnumValueA(ToHkey(key), index, name, nameSize ? &nameLength : nullptr, nullptr,
                         type ? &valueType : nullptr, data, dataSize ? &valueSize : nullptr);
  if (nameSize) *nameSize = nameLength;
  if (type) *type = valueType;
  if (dataSize) *dataSize = valueSize;
  return r;
}

RegResult Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace corvandel
