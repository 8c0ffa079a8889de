// The program's registry idiom in one place. Every access connects to a root
// on the local machine and opens the key with full access (also for reading)
// or creates it; values are read into a 202-byte buffer, so a larger value
// reads as absent; text is written without its terminating zero; flags kept
// as text are "1" and "0". Failures are silent: a read gives nothing, a write
// is skipped. Both handles are closed on every path.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "services/registry.h"

namespace corvandel {

inline constexpr std::uint32_t kRegistryReadBuffer = 202;

class RegistryKey {
 public:
  // Connects to root and opens path with KEY_ALL_ACCESS.
  static RegistryKey Open(IRegistry& registry, RegKey root, const std::string& path);
  // Connects to root and opens path, creating it and any missing parents.
  static RegistryKey Create(IRegistry& registry, RegKey root, const std::string& path);

  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&&) = delete;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey();

  // True when the key is open; every call below does nothing otherwise.
  bool IsOpen() const { return key_ != 0; }
  explicit operator bool() const { return IsOpen(); }
  RegKey handle() const { return key_; }

  // A subkey of this key, opened with full access or created.
  RegistryKey OpenSubKey(const std::string& path) const;
  RegistryKey CreateSubKey(const std::string& path) const;

  // The names of the subkeys (RegEnumKeyA, names up to 259 characters) from
  // index first up to the first index that fails: the end, or a longer name.
  std::vector<std::string> SubKeyNames(std::uint32_t first = 0) const;

  // The value's bytes as stored, when it exists and fits the 202-byte buffer.
  std::optional<std::vector<std::uint8_t>> ReadBytes(const std::string& name) const;
  // A 32-bit number: present only when the value is exactly four bytes, so a
  // text or a short binary where a number is expected reads as absent.
  std::optional<std::uint32_t> ReadDword(const std::string& name) const;
  // Text up to its first zero (or all of it, when stored without one).
  std::optional<std::string> ReadText(const std::string& name) const;
  // A text flag: on only for exactly "1".
  bool ReadFlag(const std::string& name) const;

  void WriteDword(const std::string& name, std::uint32_t value) const;
  // REG_SZ (or REG_EXPAND_SZ) without the terminating zero.
  void WriteText(const std::string& name, const std::string& text, std::uint32_t type = reg::kSz) const;
  void WriteBinary(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  void WriteFlag(const std::string& name, bool on) const { WriteText(name, on ? "1" : "0"); }

  void DeleteValue(const std::string& name) const;
  // RegDeleteKeyA: a subkey that is expected to be empty.
  void DeleteSubKey(const std::string& path) const;
  // SHDeleteKeyA: a subkey with everything below it.
  void DeleteTree(const std::string& path) const;

 private:
  RegistryKey(IRegistry& registry, RegKey root, RegKey key) : registry_(&registry), root_(root), key_(key) {}

  IRegistry* registry_;
  RegKey root_;  // the connected root; 0 for a subkey, which owns only its key
  RegKey key_;
};

// SHDeleteValueA on a root: the value at path, without opening anything else.
void DeleteValueAt(IRegistry& registry, RegKey root, const std::string& path, const std::string& name);
// SHDeleteKeyA on a root: path and everything below it.
void DeleteTreeAt(IRegistry& registry, RegKey root, const std::string& path);

}  // namespace corvandel
