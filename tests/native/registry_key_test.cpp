#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/registry_key.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

constexpr const char* kPath = "Software\\Microsoft\\Command Processor";

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

class RegistryKeyTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(0u, registry.OpenHandleCount()); }

  void Seed(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
    RegKey key = 0;
    ASSERT_EQ(reg::kSuccess, registry.CreateKey(reg::kCurrentUser, kPath, &key));
    ASSERT_EQ(reg::kSuccess, registry.SetValueEx(key, name.c_str(), type, data.data(), static_cast<std::uint32_t>(data.size())));
    registry.CloseKey(key);
  }
  std::vector<std::uint8_t> Stored(const std::string& name, std::uint32_t* type = nullptr) {
    RegKey key = 0;
    if (registry.OpenKeyEx(reg::kCurrentUser, kPath, &key) != reg::kSuccess) return {};
    std::vector<std::uint8_t> data(4096);
    std::uint32_t size = static_cast<std::uint32_t>(data.size());
    RegResult result = registry.QueryValueEx(key, name.c_str(), type, data.data(), &size);
    registry.CloseKey(key);
    if (result != reg::kSuccess) return {};
    data.resize(size);
    return data;
  }

  MemoryRegistry registry;
};

TEST_F(RegistryKeyTest, MissingKeyOpensNothingAndReadsAbsent) {
  RegistryKey key = RegistryKey::Open(registry, reg::kCurrentUser, kPath);
  EXPECT_FALSE(key.IsOpen());
  EXPECT_FALSE(key.ReadDword("DisableUNCCheck").has_value());
  key.WriteDword("DisableUNCCheck", 1);  // skipped silently
  EXPECT_TRUE(Stored("DisableUNCCheck").empty());
}

TEST_F(RegistryKeyTest, CreateMakesMissingParents) {
  RegistryKey::Create(registry, reg::kCurrentUser, kPath).WriteDword("DisableUNCCheck", 1);
  EXPECT_EQ((std::vector<std::uint8_t>{1, 0, 0, 0}), Stored("DisableUNCCheck"));
}

TEST_F(RegistryKeyTest, ValueLargerThanTheReadBufferReadsAsAbsent) {
  Seed("fits", reg::kBinary, std::vector<std::uint8_t>(202, 7));
  Seed("large", reg::kBinary, std::vector<std::uint8_t>(203, 7));
  RegistryKey key = RegistryKey::Open(registry, reg::kCurrentUser, kPath);
  EXPECT_EQ(202u, key.ReadBytes("fits")->size());
  EXPECT_FALSE(key.ReadBytes("large").has_value());
  EXPECT_FALSE(key.ReadText("large").has_value());
}

TEST_F(RegistryKeyTest, DwordReadNeedsExactlyFourBytes) {
  Seed("dword", reg::kDword, {0x78, 0x56, 0x34, 0x12});
  Seed("text", reg::kSz, Bytes(std::string("1\0", 2)));
  Seed("short", reg::kBinary, {1, 0});
  RegistryKey key = RegistryKey::Open(registry, reg::kCurrentUser, kPath);
  EXPECT_EQ(0x12345678u, key.ReadDword("dword"));
  EXPECT_FALSE(key.ReadDword("text").has_value());
  EXPECT_FALSE(key.ReadDword("short").has_value());
}

TEST_F(RegistryKeyTest, TextIsWrittenWithoutItsTerminatingZeroAndReadUpToOne) {
  RegistryKey key = RegistryKey::Create(registry, reg::kCurrentUser, kPath);
  key.WriteText("Prompt", "$P$G");
  key.WriteText("Path", "%SystemRoot%", reg::kExpandSz);
  std::uint32_t type = 0;
  EXPECT_EQ(Bytes("$P$G"), Stored("Prompt", &type));
  EXPECT_EQ(reg::kSz, type);
  Stored("Path", &type);
  EXPECT_EQ(reg::kExpandSz, type);
  EXPECT_EQ("$P$G", key.ReadText("Prompt"));
  Seed("zeroed", reg::kSz, Bytes(std::string("abc\0def", 7)));
  EXPECT_EQ("abc", key.ReadText("zeroed"));
}

TEST_F(RegistryKeyTest, FlagIsOnOnlyForExactlyOne) {
  struct Case { std::vector<std::uint8_t> stored; bool on; };
  const Case cases[] = {
      {Bytes("1"), true}, {Bytes(std::string("1\0", 2)), true}, {Bytes("0"), false},
      {Bytes("11"), false}, {Bytes(" 1"), false}, {Bytes(""), false}, {{1, 0, 0, 0}, false},
  };
  for (const Case& c : cases) {
    Seed("flag", reg::kSz, c.stored);
    EXPECT_EQ(c.on, RegistryKey::Open(registry, reg::kCurrentUser, kPath).ReadFlag("flag"))
        << std::string(c.stored.begin(), c.stored.end());
  }
  RegistryKey::Open(registry, reg::kCurrentUser, kPath).WriteFlag("flag", false);
  EXPECT_EQ(Bytes("0"), Stored("flag"));
}

TEST_F(RegistryKeyTest, DeletionByValueSubkeyTreeAndPath) {
  {
    RegistryKey key = RegistryKey::Create(registry, reg::kCurrentUser, kPath);
    key.WriteDword("a", 1);
    key.WriteDword("b", 1);
    key.CreateSubKey("empty");
    key.CreateSubKey("full\\inner");
    key.DeleteValue("a");
    key.DeleteSubKey("full");  // refused: it has a subkey
    key.DeleteSubKey("empty");
    EXPECT_FALSE(key.OpenSubKey("empty").IsOpen());
    EXPECT_TRUE(key.OpenSubKey("full").IsOpen());
    key.DeleteTree("full");
    EXPECT_FALSE(key.OpenSubKey("full").IsOpen());
  }
  EXPECT_TRUE(Stored("a").empty());
  DeleteValueAt(registry, reg::kCurrentUser, kPath, "b");
  EXPECT_TRUE(Stored("b").empty());
  DeleteTreeAt(registry, reg::kCurrentUser, "Software\\Microsoft");
  EXPECT_FALSE(RegistryKey::Open(registry, reg::kCurrentUser, "Software\\Microsoft").IsOpen());
}

TEST_F(RegistryKeyTest, DeniedKeyIsSkippedSilentlyAndReleasesTheRoot) {
  registry.Deny(MemoryRegistry::kOpen | MemoryRegistry::kCreate, reg::kLocalMachine, "Software\\Policies");
  RegistryKey key = RegistryKey::Create(registry, reg::kLocalMachine, "Software\\Policies\\Microsoft");
  EXPECT_FALSE(key.IsOpen());
  key.WriteDword("x", 1);
  // TearDown checks that the connected root was closed again.
}

}  // namespace
}  // namespace corvandel
