// The registry cases against the real registry, kept off the prefix's own
// keys: for the life of each case the four predefined roots of this process
// point at empty scratch keys under HKCU\Software\CorvandelTest, which are
// removed again afterwards.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <iterator>

#include "conformance/registry_conformance.h"
#include "services/registry_win32.h"

namespace corvandel {
namespace {

constexpr char kScratch[] = "Software\\CorvandelTest";

const struct {
  HKEY root;
  const char* scratch;
} kRedirects[] = {
    {HKEY_CLASSES_ROOT, "Software\\CorvandelTest\\HKCR"},
    {HKEY_CURRENT_USER, "Software\\CorvandelTest\\HKCU"},
    {HKEY_LOCAL_MACHINE, "Software\\CorvandelTest\\HKLM"},
    {HKEY_USERS, "Software\\CorvandelTest\\HKU"},
};

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
};

bool RunsOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

INSTANTIATE_TEST_SUITE_P(Win32, RegistryConformance,
                         testing::Values(RegistrySide{
                             "Win32", [] { return std::unique_ptr<IRegistry>(std::make_unique<HermeticWin32Registry>()); },
                             true, RunsOnWine}),
                         RegistrySideName);

}  // namespace
}  // namespace corvandel
