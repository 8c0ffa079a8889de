// The scratch copy previews run on: every call answers as the in-memory
// registry would after the same calls, nothing reaches the registry below,
// and what a user may not change is refused as the apply would be refused.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "services/reg_file.h"
#include "services/registry_key.h"
#include "services/registry_overlay.h"

namespace corvandel {
namespace {

constexpr const char* kSeed =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"Kept\"=\"old\"\r\n\"Gone\"=dword:00000001\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\A\\B]\r\n\"Below\"=\"b\"\r\n\r\n[HKEY_CURRENT_USER\\Software\\A\\B\\C]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Locked]\r\n\"Value\"=\"v\"\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Free]\r\n";

void Seed(MemoryRegistry& registry) {
  std::string error;
  ASSERT_TRUE(RegistryFile().Read(kSeed, "seed", registry, &error)) << error;
}

// Every key and value as seen through the seam's own calls.
void Walk(IRegistry& registry, RegKey root, const std::string& path, std::set<std::string>& seen) {
  RegKey key = 0;
  if (registry.OpenKey(root, path.c_str(), &key) != reg::kSuccess) return;
  seen.insert(RegistryKeyName(root, path));
  char name[256];
  std::uint8_t data[256];
  for (std::uint32_t i = 0;; ++i) {
    std::uint32_t nameSize = sizeof(name), dataSize = sizeof(data), type = 0;
    if (registry.EnumValue(key, i, name, &nameSize, &type, data, &dataSize) != reg::kSuccess) break;
    seen.insert(RegistryKeyName(root, path) + "|" + std::string(name, nameSize) + "=" + std::to_string(type) + ":" +
                std::string(data, data + dataSize));
  }
  std::vector<std::string> subkeys;
  for (std::uint32_t i = 0; registry.EnumKey(key, i, name, sizeof(name)) == reg::kSuccess; ++i) subkeys.push_back(name);
  if (key != root) registry.CloseKey(key);
  for (const std::string& subkey : subkeys) Walk(registry, root, path.empty() ? subkey : path + "\\" + subkey, seen);
}

std::set<std::string> Seen(IRegistry& registry) {
  std::set<std::string> seen;
  for (RegKey root : {reg::kCurrentUser, reg::kLocalMachine}) Walk(registry, root, "", seen);
  return seen;
}

using Step = std::function<RegResult(IRegistry&)>;

RegResult SetText(IRegistry& r, const char* path, const char* name, const char* text) {
  RegKey key = 0;
  RegResult result = r.CreateKey(reg::kCurrentUser, path, &key);
  if (result != reg::kSuccess) return result;
  result = r.SetValueEx(key, name, reg::kSz, reinterpret_cast<const std::uint8_t*>(text), 2);
  r.CloseKey(key);
  return result;
}

TEST(OverlayRegistryTest, AnswersAsTheRegistryItCopiesAndLeavesItAlone) {
  const struct {
    const char* what;
    Step step;
  } steps[] = {
      {"set a value in a key that exists", [](IRegistry& r) { return SetText(r, "Software\\A", "Kept", "ne"); }},
      {"remove a value", [](IRegistry& r) { return r.DeleteValueByPath(reg::kCurrentUser, "Software\\A", "Gone"); }},
      {"refuse a key with subkeys", [](IRegistry& r) { return r.DeleteKey(reg::kCurrentUser, "Software\\A\\B"); }},
      {"remove a tree", [](IRegistry& r) { return r.DeleteTree(reg::kCurrentUser, "Software\\A\\B"); }},
      {"a removed key made again is empty", [](IRegistry& r) { return SetText(r, "Software\\A\\B", "New", "n"); }},
      {"a removed subkey stays removed", [](IRegistry& r) {
         RegKey key = 0;
         return r.OpenKey(reg::kCurrentUser, "Software\\A\\B\\C", &key);
       }},
      {"new keys below a missing one", [](IRegistry& r) { return SetText(r, "Software\\X\\Y", "", "y"); }},
      {"remove a missing value", [](IRegistry& r) { return r.DeleteValueByPath(reg::kCurrentUser, "Software", "No"); }},
  };
  MemoryRegistry expected, base;
  Seed(expected);
  Seed(base);
  const std::set<std::string> before = Seen(base);
  {
    OverlayRegistry overlay(base);
    for (const auto& step : steps) {
      SCOPED_TRACE(step.what);
      EXPECT_EQ(step.step(expected), step.step(overlay));
      EXPECT_EQ(Seen(expected), Seen(overlay));
    }
    EXPECT_EQ(0u, overlay.OpenHandleCount());
  }
  EXPECT_EQ(before, Seen(base));
  EXPECT_EQ(0u, base.OpenHandleCount());
}

TEST(OverlayRegistryTest, PredictsWhatAUserWithoutTheRightsWouldBeRefused) {
  MemoryRegistry base;
  Seed(base);
  base.Deny(MemoryRegistry::kFullAccess | MemoryRegistry::kCreate | MemoryRegistry::kSet | MemoryRegistry::kDelete,
            reg::kLocalMachine, "Software\\Locked");
  OverlayRegistry overlay(base);
  RegKey key = 0;
  EXPECT_EQ(reg::kAccessDenied, overlay.OpenKeyEx(reg::kLocalMachine, "Software\\Locked", &key));
  overlay.SetReadOnlyOpens(true);
  ASSERT_EQ(reg::kSuccess, overlay.OpenKeyEx(reg::kLocalMachine, "Software\\Locked", &key));
  EXPECT_EQ(reg::kSuccess, overlay.QueryValueEx(key, "Value", nullptr, nullptr, nullptr));
  overlay.CloseKey(key);
  overlay.SetReadOnlyOpens(false);

  // An existing key opens for creating, a write through it is refused.
  ASSERT_EQ(reg::kSuccess, overlay.CreateKey(reg::kLocalMachine, "Software\\Locked", &key));
  const std::uint8_t one[4] = {1, 0, 0, 0};
  EXPECT_EQ(reg::kAccessDenied, overlay.SetValueEx(key, "Value", reg::kDword, one, 4));
  overlay.CloseKey(key);
  EXPECT_EQ(reg::kAccessDenied, overlay.CreateKey(reg::kLocalMachine, "Software\\Locked\\New\\Deeper", &key));
  EXPECT_EQ(reg::kAccessDenied, overlay.DeleteTree(reg::kLocalMachine, "Software\\Locked"));
  ASSERT_EQ(reg::kSuccess, overlay.CreateKey(reg::kLocalMachine, "Software\\Free\\New", &key));
  EXPECT_EQ(reg::kSuccess, overlay.SetValueEx(key, "Value", reg::kDword, one, 4));
  overlay.CloseKey(key);
  EXPECT_FALSE(base.KeyExists(reg::kLocalMachine, "Software\\Free\\New"));
  EXPECT_EQ(0u, base.OpenHandleCount());
}

}  // namespace
}  // namespace corvandel
