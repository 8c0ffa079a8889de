// The registry seam over advapi32 and shlwapi. Handles pass through unchanged,
// except the predefined roots: a 64-bit HKEY carries them sign-extended
// (0xFFFFFFFF80000001), the seam as the plain values in reg::, so they are
// translated both ways.
#pragma once

#include "services/registry.h"

namespace corvandel {

class Win32Registry : public IRegistry {
 public:
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
  void SetReadOnlyOpens(bool readOnly) override { readOnly_ = readOnly; }

 private:
  bool readOnly_ = false;
};

}  // namespace corvandel
