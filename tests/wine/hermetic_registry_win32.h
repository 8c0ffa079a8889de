// The real registry kept off the prefix's own keys: for the life of the
// object the four predefined roots of this process point at empty scratch
// keys under HKCU\Software\CorvandelTest, which are removed again afterwards.
// RegOverridePredefKey also redirects RegConnectRegistryA(NULL, ...) and
// SHDeleteKeyA.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <iterator>

#include "services/registry_win32.h"

namespace corvandel {

class HermeticWin32Registry : public Win32Registry {
 public:
  HermeticWin32Registry() {
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratch);  // left by a run that was cut short
    // Every scratch key is made before any root is redirected: they all live
    // under the real HKEY_CURRENT_USER.
    HKEY scratch[std::size(kRedirects)] = {};
    for (std::size_t i = 0; i < std::size(kRedirects); ++i)
      EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, kRedirects[i].scratch, &scratch[i]));
    HKEY profile = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyA(scratch[3], ".DEFAULT", &profile));
    RegCloseKey(profile);
    for (std::size_t i = 0; i < std::size(kRedirects); ++i) {
      EXPECT_EQ(ERROR_SUCCESS, RegOverridePredefKey(kRedirects[i].root, scratch[i]));
      RegCloseKey(scratch[i]);  // the override holds its own handle
    }
  }

  ~HermeticWin32Registry() override {
    for (const auto& redirect : kRedirects) RegOverridePredefKey(redirect.root, nullptr);
    EXPECT_EQ(ERROR_SUCCESS, static_cast<LONG>(SHDeleteKeyA(HKEY_CURRENT_USER, kScratch)));
  }

 private:
  static constexpr char kScratch[] = "Software\\CorvandelTest";
  struct Redirect {
    HKEY root;
    const char* scratch;
  };
  static inline const Redirect kRedirects[] = {
      {HKEY_CLASSES_ROOT, "Software\\CorvandelTest\\HKCR"},
      {HKEY_CURRENT_USER, "Software\\CorvandelTest\\HKCU"},
      {HKEY_LOCAL_MACHINE, "Software\\CorvandelTest\\HKLM"},
      {HKEY_USERS, "Software\\CorvandelTest\\HKU"},
  };
};

}  // namespace corvandel
