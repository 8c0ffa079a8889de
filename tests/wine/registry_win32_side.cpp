// The registry cases against the real registry, kept off the prefix's own
// keys (HermeticWin32Registry) for the life of each case.
#include <windows.h>

#include <gtest/gtest.h>

#include "conformance/registry_conformance.h"
#include "wine/hermetic_registry_win32.h"

namespace corvandel {
namespace {

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
