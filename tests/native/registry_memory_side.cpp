#include <gtest/gtest.h>

#include <utility>

#include "conformance/registry_conformance.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

INSTANTIATE_TEST_SUITE_P(Memory, RegistryConformance,
                         testing::Values(RegistrySide{
                             "Memory", [] { return std::unique_ptr<IRegistry>(std::make_unique<MemoryRegistry>()); },
                             false, nullptr}),
                         RegistrySideName);

using Bytes = std::vector<std::uint8_t>;

RegKey Create(MemoryRegistry& r, RegKey root, const char* path) {
  RegKey key = 0;
  EXPECT_EQ(reg::kSuccess, r.CreateKey(root, path, &key)) << path;
  return key;
}

void Seed(MemoryRegistry& r, RegKey root, const char* path, const char* name, Bytes data) {
  RegKey key = Create(r, root, path);
  EXPECT_EQ(reg::kSuccess, r.SetValueEx(key, name, reg::kBinary, data.data(), static_cast<std::uint32_t>(data.size())));
  EXPECT_EQ(reg::kSuccess, r.CloseKey(key));
}

TEST(MemoryRegistry, CountsHandedOutHandlesUntilClosed) {
  MemoryRegistry r;
  EXPECT_EQ(0u, r.OpenHandleCount());
  RegKey connected = 0, again = 0, same = 0, root = 0, missing = 0;
  ASSERT_EQ(reg::kSuccess, r.ConnectRegistry(reg::kCurrentUser, &connected));
  RegKey key = Create(r, connected, "A");
  ASSERT_EQ(reg::kSuccess, r.OpenKeyEx(connected, "", &again));  // a connected root is a handle like any other
  ASSERT_EQ(reg::kSuccess, r.OpenKey(key, nullptr, &same));
  ASSERT_EQ(reg::kSuccess, r.OpenKeyEx(reg::kCurrentUser, "", &root));
  EXPECT_EQ(reg::kFileNotFound, r.OpenKeyEx(key, "Missing", &missing));
  EXPECT_EQ(3u, r.OpenHandleCount());  // connected, key, again: not the same key twice, not the root

  EXPECT_EQ(reg::kSuccess, r.CloseKey(root));
  EXPECT_EQ(reg::kSuccess, r.CloseKey(key));
  EXPECT_EQ(reg::kInvalidHandle, r.CloseKey(same));
  EXPECT_EQ(reg::kSuccess, r.CloseKey(again));
  EXPECT_EQ(reg::kSuccess, r.CloseKey(connected));
  EXPECT_EQ(0u, r.OpenHandleCount());
  RegKey out = 0;
  EXPECT_EQ(reg::kInvalidHandle, r.CreateKey(connected, "B", &out));
}

TEST(MemoryRegistry, DeletedSubtreeLeavesItsHandlesDeadButClosable) {
  MemoryRegistry r;
  RegKey deep = Create(r, reg::kCurrentUser, "A\\B\\C");
  RegKey self = Create(r, reg::kCurrentUser, "Own");
  EXPECT_EQ(reg::kSuccess, r.DeleteTree(reg::kCurrentUser, "a"));
  std::uint32_t size = 0;
  EXPECT_EQ(reg::kKeyDeleted, r.QueryValueEx(deep, "v", nullptr, nullptr, &size));
  EXPECT_EQ(reg::kSuccess, r.DeleteKey(self, ""));  // a key deleted through its own handle
  EXPECT_FALSE(r.KeyExists(reg::kCurrentUser, "Own"));
  EXPECT_EQ(reg::kKeyDeleted, r.DeleteKey(self, ""));
  EXPECT_EQ(reg::kSuccess, r.CloseKey(deep));
  EXPECT_EQ(reg::kSuccess, r.CloseKey(self));
  EXPECT_EQ(0u, r.OpenHandleCount());
}

TEST(MemoryRegistry, RootsCannotBeDeleted) {
  MemoryRegistry r;
  EXPECT_EQ(reg::kAccessDenied, r.DeleteKey(reg::kLocalMachine, ""));
  EXPECT_EQ(reg::kAccessDenied, r.DeleteTree(reg::kUsers, nullptr));
  EXPECT_TRUE(r.KeyExists(reg::kUsers, ".DEFAULT"));
}

// HKLM\Policies\System\Sub, with a value in System and in its look-alike
// sibling Systemic; refusals go to "policies\SYSTEM".
class DeniedMemoryRegistry : public testing::Test {
 protected:
  void SetUp() override {
    Seed(r, reg::kLocalMachine, "Policies\\System", "v", {1});
    Seed(r, reg::kLocalMachine, "Policies\\Systemic", "v", {2});
    Seed(r, reg::kCurrentUser, "Policies\\System", "v", {3});
    RegKey sub = Create(r, reg::kLocalMachine, "Policies\\System\\Sub");
    r.CloseKey(sub);
  }
  void TearDown() override { EXPECT_EQ(0u, r.OpenHandleCount()); }

  RegResult Open(RegKey root, const char* path) {
    RegKey key = 1;
    RegResult result = r.OpenKeyEx(root, path, &key);
    if (result == reg::kSuccess) r.CloseKey(key);
    else EXPECT_EQ(0u, key);
    return result;
  }
  RegResult CreateAndClose(const char* path) {
    RegKey key = 0;
    RegResult result = r.CreateKey(reg::kLocalMachine, path, &key);
    if (result == reg::kSuccess) r.CloseKey(key);
    return result;
  }
  RegResult SetOn(const char* path) {
    RegKey key = Create(r, reg::kLocalMachine, path);
    const std::uint8_t byte = 9;
    RegResult result = r.SetValueEx(key, "v", reg::kBinary, &byte, 1);
    r.CloseKey(key);
    return result;
  }

  MemoryRegistry r;
};

TEST_F(DeniedMemoryRegistry, OpenIsRefusedAtAndBelowThePathOnly) {
  RegKey before = Create(r, reg::kLocalMachine, "Policies\\System");
  r.Deny(MemoryRegistry::kOpen, reg::kLocalMachine, "policies\\SYSTEM");
  EXPECT_EQ(reg::kAccessDenied, Open(reg::kLocalMachine, "Policies\\System"));
  EXPECT_EQ(reg::kAccessDenied, Open(reg::kLocalMachine, "Policies\\System\\Sub"));
  EXPECT_EQ(reg::kAccessDenied, CreateAndClose("Policies\\System"));
  EXPECT_EQ(reg::kAccessDenied, CreateAndClose("Policies\\System\\New"));
  EXPECT_FALSE(r.KeyExists(reg::kLocalMachine, "Policies\\System\\New"));
  RegKey same = 0;
  EXPECT_EQ(reg::kSuccess, Open(reg::kLocalMachine, "Policies\\Systemic"));
  EXPECT_EQ(reg::kSuccess, Open(reg::kLocalMachine, "Policies"));
  EXPECT_EQ(reg::kSuccess, Open(reg::kCurrentUser, "Policies\\System"));
  // A handle opened before the refusal still reads, as do reads by path.
  std::uint32_t size = 0;
  EXPECT_EQ(reg::kSuccess, r.QueryValueEx(before, "v", nullptr, nullptr, &size));
  std::int32_t textSize = 0;
  EXPECT_EQ(reg::kSuccess, r.QueryValue(reg::kLocalMachine, "Policies\\System", nullptr, &textSize));
  EXPECT_EQ(reg::kSuccess, r.OpenKey(before, "", &same));
  r.CloseKey(before);
}

TEST_F(DeniedMemoryRegistry, RefusingTheRootRefusesTheConnection) {
  r.Deny(MemoryRegistry::kOpen, reg::kLocalMachine, "");
  RegKey connected = 1;
  EXPECT_EQ(reg::kAccessDenied, r.ConnectRegistry(reg::kLocalMachine, &connected));
  EXPECT_EQ(0u, connected);
  ASSERT_EQ(reg::kSuccess, r.ConnectRegistry(reg::kCurrentUser, &connected));
  r.CloseKey(connected);
}

TEST_F(DeniedMemoryRegistry, CreateIsRefusedForNewKeysOnlyAndMakesNothing) {
  r.Deny(MemoryRegistry::kCreate, reg::kLocalMachine, "Policies\\System");
  r.Deny(MemoryRegistry::kCreate, reg::kLocalMachine, "Missing\\Deep");
  EXPECT_EQ(reg::kSuccess, CreateAndClose("Policies\\System\\Sub"));
  EXPECT_EQ(reg::kAccessDenied, CreateAndClose("Policies\\System\\New\\Deeper"));
  EXPECT_FALSE(r.KeyExists(reg::kLocalMachine, "Policies\\System\\New"));
  EXPECT_EQ(reg::kAccessDenied, CreateAndClose("Missing\\Deep\\X"));
  EXPECT_FALSE(r.KeyExists(reg::kLocalMachine, "Missing"));  // not even the allowed parent
  EXPECT_EQ(reg::kSuccess, CreateAndClose("Policies\\Other"));
}

TEST_F(DeniedMemoryRegistry, SetIsRefusedAndLeavesTheValue) {
  r.Deny(MemoryRegistry::kSet, reg::kLocalMachine, "Policies\\System");
  EXPECT_EQ(reg::kAccessDenied, SetOn("Policies\\System"));
  EXPECT_EQ(reg::kAccessDenied, SetOn("Policies\\System\\Sub"));
  EXPECT_EQ(reg::kSuccess, SetOn("Policies\\Systemic"));
  Bytes data;
  ASSERT_TRUE(r.Get(reg::kLocalMachine, "Policies\\System", "v", nullptr, &data));
  EXPECT_EQ(Bytes{1}, data);
  EXPECT_FALSE(r.Get(reg::kLocalMachine, "Policies\\System\\Sub", "v", nullptr, nullptr));
}

TEST_F(DeniedMemoryRegistry, DeleteIsRefusedForValuesKeysAndTreesHoldingThem) {
  r.Deny(MemoryRegistry::kDelete, reg::kLocalMachine, "Policies\\System");
  RegKey system = Create(r, reg::kLocalMachine, "Policies\\System");
  EXPECT_EQ(reg::kAccessDenied, r.DeleteValue(system, "v"));
  r.CloseKey(system);
  EXPECT_EQ(reg::kAccessDenied, r.DeleteValueByPath(reg::kLocalMachine, "Policies\\System", "v"));
  EXPECT_EQ(reg::kAccessDenied, r.DeleteKey(reg::kLocalMachine, "Policies\\System\\Sub"));
  EXPECT_EQ(reg::kAccessDenied, r.DeleteTree(reg::kLocalMachine, "Policies"));
  EXPECT_TRUE(r.KeyExists(reg::kLocalMachine, "Policies\\System\\Sub"));
  EXPECT_TRUE(r.Get(reg::kLocalMachine, "Policies\\Systemic", "v", nullptr, nullptr));  // the tree was left whole
  EXPECT_TRUE(r.Get(reg::kLocalMachine, "Policies\\System", "v", nullptr, nullptr));
  EXPECT_EQ(reg::kSuccess, r.DeleteTree(reg::kLocalMachine, "Policies\\Systemic"));
  EXPECT_EQ(reg::kSuccess, r.DeleteTree(reg::kCurrentUser, "Policies"));
}

TEST(MemoryRegistry, FailNthCallFailsExactlyThatCallWithNoEffect) {
  MemoryRegistry r;
  r.FailNthCall(2, reg::kAccessDenied);
  r.FailNthCall(4, reg::kFileNotFound);
  RegKey root = 0, key = 1;
  ASSERT_EQ(reg::kSuccess, r.ConnectRegistry(reg::kCurrentUser, &root));         // 1
  EXPECT_EQ(reg::kAccessDenied, r.CreateKey(root, "Software\\Corvandel", &key));  // 2
  EXPECT_EQ(0u, key);
  EXPECT_FALSE(r.KeyExists(reg::kCurrentUser, "Software"));
  ASSERT_EQ(reg::kSuccess, r.CreateKey(root, "Software\\Corvandel", &key));  // 3
  EXPECT_EQ(reg::kSuccess, r.CloseKey(root));                                // not counted
  const std::uint8_t byte = 1;
  EXPECT_EQ(reg::kFileNotFound, r.SetValueEx(key, "Language", reg::kSz, &byte, 1));  // 4
  EXPECT_FALSE(r.Get(reg::kCurrentUser, "Software\\Corvandel", "Language", nullptr, nullptr));
  EXPECT_EQ(reg::kSuccess, r.SetValueEx(key, "Language", reg::kSz, &byte, 1));  // 5
  EXPECT_EQ(reg::kSuccess, r.CloseKey(key));
  EXPECT_EQ(0u, r.OpenHandleCount());
}

TEST(MemoryRegistry, InspectionSeesTheTreeAsWritten) {
  MemoryRegistry r;
  Seed(r, reg::kCurrentUser, "Software\\Beta", "b", {2});
  Seed(r, reg::kCurrentUser, "Software\\alpha", "a2", {1});
  Seed(r, reg::kCurrentUser, "Software\\alpha", "a1", {0});
  std::vector<std::pair<std::string, std::vector<std::string>>> seen;
  r.ForEachKey(reg::kCurrentUser, [&](const std::string& path, const std::vector<MemoryRegistry::Value>& values) {
    std::vector<std::string> names;
    for (const auto& value : values) names.push_back(value.name);
    seen.emplace_back(path, names);
  });
  using Seen = decltype(seen);
  EXPECT_EQ((Seen{{"", {}}, {"Software", {}}, {"Software\\alpha", {"a2", "a1"}}, {"Software\\Beta", {"b"}}}), seen);

  std::uint32_t type = 0;
  Bytes data;
  ASSERT_TRUE(r.Get(reg::kCurrentUser, "SOFTWARE\\BETA", "B", &type, &data));
  EXPECT_EQ(reg::kBinary, type);
  EXPECT_EQ(Bytes{2}, data);
  EXPECT_FALSE(r.Get(reg::kCurrentUser, "Software\\Beta", "missing", &type, &data));
  EXPECT_FALSE(r.Get(reg::kLocalMachine, "Software\\Beta", "b", &type, &data));
  EXPECT_TRUE(r.KeyExists(reg::kUsers, ".default"));
  EXPECT_FALSE(r.KeyExists(reg::kUsers, ".default\\x"));
}

}  // namespace
}  // namespace corvandel
