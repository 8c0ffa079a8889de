// The registry seam: the registry calls the program makes, with the Win32
// return codes and semantics, so that catalogue routines run unchanged over the
// real registry (registry_win32) or an in-memory one (registry_memory).
#pragma once

#include <cstdint>

namespace corvandel {

// An open key, as the Win32 HKEY value. The four predefined roots carry the
// Win32 values so that a handle means the same thing on both sides.
using RegKey = std::uintptr_t;
using RegResult = std::int32_t;  // LONG: ERROR_SUCCESS or a Win32 error code

namespace reg {
inline constexpr RegKey kClassesRoot = 0x80000000u;
inline constexpr RegKey kCurrentUser = 0x80000001u;
inline constexpr RegKey kLocalMachine = 0x80000002u;
inline constexpr RegKey kUsers = 0x80000003u;

// Value types.
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSz = 1;
inline constexpr std::uint32_t kExpandSz = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
inline constexpr std::uint32_t kMultiSz = 7;

// Win32 error codes the program meets.
inline constexpr RegResult kSuccess = 0;
inline constexpr RegResult kFileNotFound = 2;
inline constexpr RegResult kAccessDenied = 5;
inline constexpr RegResult kInvalidHandle = 6;
inline constexpr RegResult kInvalidParameter = 87;
inline constexpr RegResult kBadPathname = 161;  // a key path that starts with a backslash
inline constexpr RegResult kMoreData = 234;
inline constexpr RegResult kNoMoreItems = 259;
inline constexpr RegResult kNoAccess = 998;     // data pointer missing for a non-empty value
inline constexpr RegResult kKeyDeleted = 1018;  // a handle whose key has been deleted
}  // namespace reg

class IRegistry {
 public:
  virtual ~IRegistry() = default;

  // RegConnectRegistryA(NULL, root, result): the root on the local machine.
  virtual RegResult ConnectRegistry(RegKey root, RegKey* result) = 0;
  // RegOpenKeyExA(key, subKey, 0, KEY_ALL_ACCESS, result), or KEY_READ while
  // read-only opens are on. A null or empty subKey opens a new handle to key
  // itself.
  virtual RegResult OpenKeyEx(RegKey key, const char* subKey, RegKey* result) = 0;
  // RegOpenKeyA(key, subKey, result).
  virtual RegResult OpenKey(RegKey key, const char* subKey, RegKey* result) = 0;
  // RegCreateKeyA(key, subKey, result): opens, creating the key and any
  // missing parents.
  virtual RegResult CreateKey(RegKey key, const char* subKey, RegKey* result) = 0;
  // RegQueryValueExA(key, name, NULL, type, data, size). *size is in-out; a
  // buffer smaller than the value fails with kMoreData, sets *size to the
  // value's size and leaves the buffer untouched. type and data may be null.
  virtual RegResult QueryValueEx(RegKey key, const char* name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) = 0;
  // RegQueryValueA(key, subKey, data, size): the default value of subKey as text.
  virtual RegResult QueryValue(RegKey key, const char* subKey, char* data, std::int32_t* size) = 0;
  // RegSetValueExA(key, name, 0, type, data, size): stores exactly size bytes.
  virtual RegResult SetValueEx(RegKey key, const char* name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) = 0;
  // RegDeleteValueA(key, name).
  virtual RegResult DeleteValue(RegKey key, const char* name) = 0;
  // RegDeleteKeyA(key, subKey): refuses a key that has subkeys.
  virtual RegResult DeleteKey(RegKey key, const char* subKey) = 0;
  // SHDeleteKeyA(key, subKey): the key with all its subkeys and values.
  virtual RegResult DeleteTree(RegKey key, const char* subKey) = 0;
  // SHDeleteValueA(key, subKey, name).
  virtual RegResult DeleteValueByPath(RegKey key, const char* subKey, const char* name) = 0;
  // RegEnumKeyA(key, index, name, nameSize): subkeys sorted case-insensitively,
  // then kNoMoreItems.
  virtual RegResult EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) = 0;
  // RegEnumValueA(key, index, name, nameSize, NULL, type, data, dataSize).
  virtual RegResult EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                              std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) = 0;
  // RegCloseKey(key).
  virtual RegResult CloseKey(RegKey key) = 0;

  // While on, OpenKeyEx asks only for the right to read (KEY_READ): a page
  // being loaded then shows what a key holds even to a user who may not
  // change it. Handles opened so refuse changes with kAccessDenied.
  virtual void SetReadOnlyOpens(bool readOnly) = 0;
};

}  // namespace corvandel
